# The package host built by one plain command line with the flags that
# pkg-config gives for the unpacked ZIP, linked -static as our hosts are, and
# run under Wine. COMPILER gcc is the mingw-w64 g++; clang is Debian's clang
# for the same target with the mingw GCC's libstdc++ (skipped, saying why,
# when there is no clang). Arguments: COMPILER, GXX, PKG_CONFIG, PACKAGE,
# SOURCE_DIR, WORK_DIR, WINE, CLANGXX, DEFINES (e.g. UNICODE;_UNICODE), NAME.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Steps.cmake)

if(NOT PKG_CONFIG)
  message(FATAL_ERROR "pkg-config is not installed (./run installs it)")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Relocatable either way: the plain flags and those of --define-prefix name the
# same files inside the unpacked folder.
tk_pkg_config(cflags ${PACKAGE} --cflags)
tk_pkg_config(libs ${PACKAGE} --libs)
tk_pkg_config(defined ${PACKAGE} --define-prefix --cflags --libs)
tk_pkg_config(version ${PACKAGE} --modversion)
file(REAL_PATH ${PACKAGE} root)
set(named)
foreach(flag ${cflags} ${libs} ${defined})
  string(REGEX REPLACE "^-I" "" path "${flag}")
  if(NOT IS_ABSOLUTE "${path}")
    message(FATAL_ERROR "pkg-config gave ${flag}: a host linked with -static needs the import library by its path")
  endif()
  file(REAL_PATH "${path}" path)
  string(FIND "${path}" "${root}/" at)
  if(NOT EXISTS "${path}" OR NOT at EQUAL 0)
    message(FATAL_ERROR "pkg-config gave ${flag}, which is not a file of the package in ${root}")
  endif()
  list(APPEND named "${path}")
endforeach()
list(REMOVE_DUPLICATES named)
list(LENGTH named count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "pkg-config's plain and --define-prefix flags differ: ${named}")
endif()

set(definitions "-DTK_EXPECTED_VERSION=\"${version}\"")
foreach(definition ${DEFINES})
  list(APPEND definitions -D${definition})
endforeach()
set(common -std=c++17 -O1 ${definitions} ${SOURCE_DIR}/Host.cpp ${cflags} ${libs} -static
           -lversion -lole32 -o ${WORK_DIR}/${NAME}.exe)

if(COMPILER STREQUAL "gcc")
  tk_step("compiling with ${GXX}" ${GXX} ${common})
else()
  set(clang ${CLANGXX})
  if(NOT clang)
    message(STATUS "package_clang skipped: clang++ is not installed (apt-get install clang; ./run installs it)")
    return()
  endif()
  # clang brings no C++ library for this target: it takes the mingw GCC's headers and archives.
  execute_process(COMMAND ${GXX} -v -E -x c++ - INPUT_FILE /dev/null OUTPUT_QUIET ERROR_VARIABLE search)
  string(REGEX REPLACE ".*#include <...> search starts here:\n" "" search "${search}")
  string(REGEX REPLACE "End of search list.*" "" search "${search}")
  string(REPLACE "\n" ";" search "${search}")
  set(isystem)
  foreach(folder ${search})
    string(STRIP "${folder}" folder)
    if(folder MATCHES "/c\\+\\+")
      list(APPEND isystem -isystem ${folder})
    endif()
  endforeach()
  if(NOT isystem)
    message(FATAL_ERROR "${GXX} names no libstdc++ include folder")
  endif()
  tk_step("asking ${GXX} for libgcc" ${GXX} -print-libgcc-file-name)
  string(STRIP "${TK_STEP_OUTPUT}" libgcc)
  get_filename_component(libgcc ${libgcc} DIRECTORY)
  tk_step("compiling with ${clang}" ${clang} --target=x86_64-w64-mingw32 ${isystem} ${common} -L${libgcc}
          -Wl,--start-group -lstdc++ -lgcc_eh -lwinpthread -Wl,--end-group)
endif()
tk_run_host(${WORK_DIR}/${NAME}.exe ${PACKAGE})
