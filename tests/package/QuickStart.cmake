# The quick starts of the documents, as a reader pastes them: the fenced C++
# block after the marker line is compiled with the documented pkg-config
# command line against the unpacked ZIP and run under Wine, its dialogs answered
# with their default buttons (QuickStartMain.cpp).
# Arguments: ROOT, DOCUMENTS (paths below ROOT, separated by commas), GXX, PKG_CONFIG, PACKAGE, SOURCE_DIR, WORK_DIR, WINE.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Steps.cmake)

set(marker "<!-- quick start: compiled and run by the package_quick_start test -->")
file(REMOVE_RECURSE ${WORK_DIR})
tk_pkg_config(flags ${PACKAGE} --cflags --libs)
string(REPLACE "," ";" DOCUMENTS "${DOCUMENTS}")
foreach(document ${DOCUMENTS})
  get_filename_component(name ${document} NAME_WE)
  file(READ ${ROOT}/${document} text)
  string(FIND "${text}" "${marker}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${document} has no quick start marked with\n${marker}")
  endif()
  string(SUBSTRING "${text}" ${at} -1 text)
  string(FIND "${text}" "```cpp\n" start)
  string(FIND "${text}" "\n```\n" end)
  if(start EQUAL -1 OR end LESS start)
    message(FATAL_ERROR "${document}: no ```cpp block follows the quick start marker")
  endif()
  math(EXPR start "${start} + 7")
  math(EXPR length "${end} + 1 - ${start}")
  string(SUBSTRING "${text}" ${start} ${length} code)
  file(WRITE ${WORK_DIR}/${name}/quick_start.cpp "${code}")
  # Renamed in its own object: the wrapper's main calls it.
  tk_step("compiling the quick start of ${document}"
          ${GXX} -std=c++17 -O2 -Dmain=quick_start_main ${flags} -c ${WORK_DIR}/${name}/quick_start.cpp
          -o ${WORK_DIR}/${name}/quick_start.o)
  tk_step("linking the quick start of ${document}"
          ${GXX} -std=c++17 -O2 ${WORK_DIR}/${name}/quick_start.o ${SOURCE_DIR}/QuickStartMain.cpp ${flags} -static
          -o ${WORK_DIR}/${name}/quick_start.exe)
  tk_run_host(${WORK_DIR}/${name}/quick_start.exe ${PACKAGE})
endforeach()
