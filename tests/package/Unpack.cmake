# Makes the release ZIP from the build as ./run package does, checks its name,
# its SHA-256 file and its layout, and unpacks it into an empty folder for the
# host tests. Arguments: CPACK, BUILD_DIR, WORK_DIR, NAME (the expected name).
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Steps.cmake)

file(REMOVE_RECURSE ${WORK_DIR}/dist ${WORK_DIR}/unpacked)
# Into our own folder: the ZIP that ./run package left in the build stays as it is.
tk_step("cpack" ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}/dist
        -D CPACK_OUTPUT_FILE_PREFIX=${WORK_DIR}/dist)

set(zip ${WORK_DIR}/dist/${NAME}.zip)
foreach(made ${zip} ${zip}.sha256)
  if(NOT EXISTS ${made})
    file(GLOB made_instead ${WORK_DIR}/dist/*)
    message(FATAL_ERROR "cpack did not make ${made}; it made: ${made_instead}")
  endif()
endforeach()
file(SHA256 ${zip} sum)
file(READ ${zip}.sha256 recorded)
if(NOT recorded STREQUAL "${sum}  ${NAME}.zip\n")
  message(FATAL_ERROR "${zip}.sha256 says \"${recorded}\"; the ZIP's SHA-256 is ${sum}")
endif()

file(MAKE_DIRECTORY ${WORK_DIR}/unpacked)
tk_step("unpacking" ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${WORK_DIR}/unpacked)
file(GLOB top RELATIVE ${WORK_DIR}/unpacked ${WORK_DIR}/unpacked/*)
if(NOT "${top}" STREQUAL "${NAME}")
  message(FATAL_ERROR "the ZIP should hold the one folder ${NAME}, it holds: ${top}")
endif()

# Exactly these files: anything else that an install rule adds reaches every host.
set(expected
  bin/tavrokessaui.dll
  include/tavrokessaui.h
  lib/cmake/tavrokessaui/tavrokessauiConfig.cmake
  lib/cmake/tavrokessaui/tavrokessauiConfigVersion.cmake
  lib/cmake/tavrokessaui/tavrokessauiTargets.cmake
  lib/libtavrokessaui.dll.a
  lib/pkgconfig/tavrokessaui.pc
  share/doc/tavrokessaui/CHANGELOG.md
  share/doc/tavrokessaui/README.md
  share/doc/tavrokessaui/docs/accessibility.md
  share/doc/tavrokessaui/docs/host-guide.md
  share/doc/tavrokessaui/docs/wine-notes.md
  share/tavrokessaui/WinePrefix.cmake
  share/tavrokessaui/mingw-w64-x86_64.cmake)
set(root ${WORK_DIR}/unpacked/${NAME})
file(GLOB_RECURSE found RELATIVE ${root} ${root}/*)
list(FILTER found EXCLUDE REGEX "^lib/cmake/tavrokessaui/tavrokessauiTargets-[a-z]+\\.cmake$")
list(FILTER found EXCLUDE REGEX "^share/doc/tavrokessaui/docs/gallery/[^/]+\\.png$")  # the README's pictures
list(SORT found)
list(SORT expected)
if(NOT "${found}" STREQUAL "${expected}")
  set(missing ${expected})
  list(REMOVE_ITEM missing ${found})
  set(extra ${found})
  list(REMOVE_ITEM extra ${expected})
  message(FATAL_ERROR "the ZIP's layout is off.\nmissing: ${missing}\nnot expected: ${extra}")
endif()

# The documents' links and pictures resolve inside the package as they do in the sources.
file(GLOB_RECURSE documents ${root}/share/doc/*.md)
foreach(document ${documents})
  file(READ ${document} text)
  # Square brackets would hold a CMake list together: links are found as "](" after this.
  string(REPLACE "[" "{" text "${text}")
  string(REPLACE "]" "}" text "${text}")
  string(REGEX MATCHALL "}\\([^)]+\\)|src=\"[^\"]+\"" links "${text}")
  get_filename_component(folder ${document} DIRECTORY)
  foreach(link ${links})
    string(REGEX REPLACE "^(}\\(|src=\")(.*)(\\)|\")$" "\\2" target "${link}")
    string(REGEX REPLACE "#.*" "" target "${target}")
    if(target STREQUAL "" OR target MATCHES "^[a-z]+:")
      continue()
    endif()
    if(NOT EXISTS ${folder}/${target})
      file(RELATIVE_PATH shown ${root} ${document})
      message(FATAL_ERROR "${shown} links to ${target}, which the package does not hold")
    endif()
  endforeach()
endforeach()
message(STATUS "${zip}: ${sum}, ${NAME}/ with the expected files")
