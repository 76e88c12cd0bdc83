# A CMake host against the unpacked ZIP, with a toolchain file that finds
# packages only under CMAKE_FIND_ROOT_PATH: pointed at the package through
# tavrokessaui_DIR it is built and run under Wine; pointed through
# CMAKE_FIND_ROOT_PATH, and through CMAKE_PREFIX_PATH with the toolchain file
# the package ships, it must find the same package.
# Arguments: PACKAGE (the unpacked folder), SOURCE_DIR (tests/package), WORK_DIR, WINE.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Steps.cmake)

file(REMOVE_RECURSE ${WORK_DIR})
set(strict -DCMAKE_TOOLCHAIN_FILE=${SOURCE_DIR}/find-root-only.cmake)
set(config ${PACKAGE}/lib/cmake/tavrokessaui)

tk_step("configuring the host with tavrokessaui_DIR"
        ${CMAKE_COMMAND} -S ${SOURCE_DIR}/host -B ${WORK_DIR}/by-dir ${strict} -Dtavrokessaui_DIR=${config})
tk_step("building the host" ${CMAKE_COMMAND} --build ${WORK_DIR}/by-dir)
tk_run_host(${WORK_DIR}/by-dir/host.exe ${PACKAGE})

foreach(way "root;${strict};-DCMAKE_FIND_ROOT_PATH=${PACKAGE}"
            "prefix;-DCMAKE_TOOLCHAIN_FILE=${PACKAGE}/share/tavrokessaui/mingw-w64-x86_64.cmake;-DCMAKE_PREFIX_PATH=${PACKAGE}")
  list(POP_FRONT way name)
  tk_step("configuring the host by ${way}" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/host -B ${WORK_DIR}/by-${name} ${way})
  file(STRINGS ${WORK_DIR}/by-${name}/CMakeCache.txt found REGEX "^tavrokessaui_DIR:")
  string(REGEX REPLACE "^[^=]*=" "" found "${found}")
  file(REAL_PATH "${found}" found)
  file(REAL_PATH "${config}" want)
  if(NOT "${found}" STREQUAL "${want}")
    message(FATAL_ERROR "configured by ${way}, find_package took ${found} instead of ${want}")
  endif()
endforeach()
