# Installs the build into a staging folder, then configures, builds and runs a small consumer
# against it through find_package(VeltUtil CONFIG) and through pkg-config.
file(REMOVE_RECURSE ${STAGE_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${STAGE_DIR}/prefix
  RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/package/consumer -B ${STAGE_DIR}/build
    -DCMAKE_PREFIX_PATH=${STAGE_DIR}/prefix -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
    -DCMAKE_CXX_FLAGS=${CONSUMER_FLAGS} -DCMAKE_EXE_LINKER_FLAGS=${CONSUMER_FLAGS}
  RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer configure failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${STAGE_DIR}/build RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer build failed: ${rc}")
endif()
# The consumer finds its run-time modules where an installed package has them.
unset(ENV{VELT_MODULE_PATH})
execute_process(COMMAND ${STAGE_DIR}/build/consumer RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(rc)
  message(FATAL_ERROR "consumer run failed: ${rc}\n${out}")
endif()
message(STATUS "consumer says: ${out}")

# The pkg-config route, from a tree moved after installing: the flags alone must compile, link
# and run the consumer, with nothing set but PKG_CONFIG_PATH.
find_program(PKG_CONFIG pkg-config REQUIRED)
file(RENAME ${STAGE_DIR}/prefix ${STAGE_DIR}/moved)
set(ENV{PKG_CONFIG_PATH} ${STAGE_DIR}/moved/lib/pkgconfig)
execute_process(COMMAND ${PKG_CONFIG} --cflags --libs veltutil RESULT_VARIABLE rc OUTPUT_VARIABLE flags
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(rc OR NOT flags MATCHES "${STAGE_DIR}/moved")
  message(FATAL_ERROR "pkg-config does not describe the moved veltutil: ${flags}")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
separate_arguments(consumer_flags UNIX_COMMAND "${CONSUMER_FLAGS}")
execute_process(COMMAND ${CXX_COMPILER} ${consumer_flags} ${SOURCE_DIR}/tests/package/consumer/main.cpp ${flags}
    -o ${STAGE_DIR}/pkgconfig-consumer
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc)
  message(FATAL_ERROR "pkg-config consumer build failed: ${rc}\n${err}")
endif()
execute_process(COMMAND ${STAGE_DIR}/pkgconfig-consumer RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(rc)
  message(FATAL_ERROR "pkg-config consumer run failed: ${rc}\n${out}")
endif()
