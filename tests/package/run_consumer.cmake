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

find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG)
  set(ENV{PKG_CONFIG_PATH} ${STAGE_DIR}/prefix/lib/pkgconfig)
  execute_process(COMMAND ${PKG_CONFIG} --cflags --libs veltutil RESULT_VARIABLE rc OUTPUT_VARIABLE flags)
  if(rc OR NOT flags MATCHES "-lveltutil")
    message(FATAL_ERROR "pkg-config does not describe veltutil: ${flags}")
  endif()
endif()
