# Installs the build into a fresh prefix, builds the consumer against it with
# find_package, and runs it under Wine.
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/install")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}" RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed")
endif()
foreach(expected bin/tavrokessaui.dll lib/libtavrokessaui.dll.a include/tavrokessaui.h
        lib/cmake/tavrokessaui/tavrokessauiConfig.cmake)
  if(NOT EXISTS "${prefix}/${expected}")
    message(FATAL_ERROR "the install tree lacks ${expected}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}/tests/consumer" -B "${WORK_DIR}/build"
                        -DCMAKE_TOOLCHAIN_FILE=${SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
                        -DCMAKE_PREFIX_PATH=${prefix}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the consumer failed:\n${out}\n${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build "${WORK_DIR}/build" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the consumer failed:\n${out}\n${err}")
endif()
file(COPY "${prefix}/bin/tavrokessaui.dll" DESTINATION "${WORK_DIR}/build")
execute_process(COMMAND wine "${WORK_DIR}/build/consumer.exe" RESULT_VARIABLE rc OUTPUT_VARIABLE out)
message(STATUS "${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the consumer failed with ${rc}")
endif()
