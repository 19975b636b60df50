find_package(Threads REQUIRED)

# One shared library from every .cpp in the given folders. Symbols are hidden by default; each
# library marks its interface with its export macro (veltutil/export.h and its siblings).
function(velt_add_shared_library name)
  set(sources "")
  foreach(dir IN LISTS ARGN)
    file(GLOB dir_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${dir_sources})
  endforeach()
  if(NOT sources)
    # A layer whose first piece has not been written yet still links.
    set(placeholder ${CMAKE_CURRENT_BINARY_DIR}/${name}_placeholder.cpp)
    file(WRITE ${placeholder} "")
    set(sources ${placeholder})
  endif()
  add_library(${name} SHARED ${sources})
  # A library's calls to its own functions bind inside the library, so that they can be inlined
  # and skip the procedure linkage table; replacing one of them from outside is not supported.
  target_compile_options(${name} PRIVATE -fno-semantic-interposition)
  add_library(VeltUtil::${name} ALIAS ${name})
  # Consumers get the language level the headers need without setting one themselves.
  target_compile_features(${name} PUBLIC cxx_std_20)
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
endfunction()

# One executable per sub-folder of the calling folder: <folder>/*.cpp becomes <prefix><folder>,
# linked with the libraries that follow. An optional <folder>/CMakeLists.txt is included with
# ${target} set, for extra settings. The targets made are returned in <targets_var>. A folder
# named in the global property VELT_UNAVAILABLE_FOLDERS (a part whose prerequisites are
# missing) is left out.
function(velt_add_folder_executables prefix targets_var)
  set(targets "")
  get_property(unavailable GLOBAL PROPERTY VELT_UNAVAILABLE_FOLDERS)
  file(GLOB dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(dir IN LISTS dirs)
    if(NOT IS_DIRECTORY ${dir})
      continue()
    endif()
    get_filename_component(folder ${dir} NAME)
    if(folder IN_LIST unavailable)
      continue()
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT sources)
      continue()
    endif()
    set(target ${prefix}${folder})
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${ARGN})
    if(EXISTS ${dir}/CMakeLists.txt)
      include(${dir}/CMakeLists.txt)
    endif()
    list(APPEND targets ${target})
  endforeach()
  set(${targets_var} ${targets} PARENT_SCOPE)
endfunction()

# A check run once on a real X server, when a virtual one can be started (xvfb-run): the command
# runs with Qt on X and with the Qt face's LeakSanitizer suppressions. The X keyboard library
# hands strndup a buffer without a terminating NUL and a length within it, which
# AddressSanitizer's strict string checks take for an overflow: they are off here, and here only.
function(velt_add_x_server_test name label)
  find_program(VELT_XVFB_RUN xvfb-run)
  if(NOT VELT_XVFB_RUN)
    return()
  endif()
  add_test(NAME ${name}
    COMMAND ${VELT_XVFB_RUN} -a ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=xcb
      "ASAN_OPTIONS=detect_leaks=1:strict_string_checks=0"
      "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/face/lsan_qt.supp" ${ARGN})
  set_tests_properties(${name} PROPERTIES LABELS ${label})
endfunction()
