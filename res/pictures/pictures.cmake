# The library's bitmaps and icons, built from the text pixel maps in this
# folder by tools/pictures/mkpictures, a small program compiled for and run
# on the build machine. Include once from the top-level CMakeLists:
#
#   include(res/pictures/pictures.cmake)
#
# Defines
#   tk_pictures       target (part of ALL) that produces every picture
#   TK_PICTURES_DIR   folder the pictures are written to
#   TK_PICTURE_FILES  full paths of all produced pictures
#   TK_HOST_CXX       C++ compiler for the build machine (cache)
#   TK_PICTURES_CHECK check the pictures as they are built (option, ON)
#
# After a picture is written it is read back by tools/pictures/test and
# compared with its map; a mismatch fails the build. The same check is
# registered with CTest as tk_pictures_check.

include_guard(GLOBAL)

set(_tk_pic_res "${CMAKE_CURRENT_LIST_DIR}")
get_filename_component(_tk_pic_tools "${CMAKE_CURRENT_LIST_DIR}/../../tools/pictures" ABSOLUTE)

# The library itself is cross-compiled; these helpers are not, so look for
# the build machine's compiler outside any cross root path.
find_program(TK_HOST_CXX NAMES c++ g++ clang++ NO_CMAKE_FIND_ROOT_PATH
             DOC "C++17 compiler for the build machine (builds mkpictures)")
if(NOT TK_HOST_CXX)
  message(FATAL_ERROR "No C++ compiler for the build machine found; set TK_HOST_CXX.")
endif()
option(TK_PICTURES_CHECK "Check each picture against its pixel map after building it" ON)

set(TK_PICTURES_DIR "${CMAKE_BINARY_DIR}/pictures")
set(_tk_pic_bin "${CMAKE_BINARY_DIR}/tools")
if(CMAKE_HOST_WIN32)
  set(_tk_pic_exe ".exe")
else()
  set(_tk_pic_exe "")
endif()
set(_tk_mkpictures "${_tk_pic_bin}/mkpictures${_tk_pic_exe}")
set(_tk_pic_legend "${_tk_pic_res}/palette.txt")
set(_tk_pic_lib "${_tk_pic_tools}/pictures.cpp" "${_tk_pic_tools}/pictures.hpp")

add_custom_command(
  OUTPUT "${_tk_mkpictures}"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${_tk_pic_bin}"
  COMMAND "${TK_HOST_CXX}" -std=c++17 -O2 -o "${_tk_mkpictures}"
          "${_tk_pic_tools}/mkpictures.cpp" "${_tk_pic_tools}/pictures.cpp"
  DEPENDS "${_tk_pic_tools}/mkpictures.cpp" ${_tk_pic_lib}
  COMMENT "Building mkpictures for the build machine"
  VERBATIM)

set(TK_PICTURE_FILES "")

# _tk_picture(OUT KIND MAP... [--key RRGGBB]): one picture from its map(s).
function(_tk_picture out kind)
  set(maps "")
  set(extra "")
  set(take_key FALSE)
  foreach(arg IN LISTS ARGN)
    if(take_key)
      list(APPEND extra "${arg}")
      set(take_key FALSE)
    elseif(arg STREQUAL "--key")
      list(APPEND extra "${arg}")
      set(take_key TRUE)
    else()
      list(APPEND maps "${_tk_pic_res}/${arg}")
    endif()
  endforeach()
  set(path "${TK_PICTURES_DIR}/${out}")
  add_custom_command(
    OUTPUT "${path}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${TK_PICTURES_DIR}"
    COMMAND "${_tk_mkpictures}" ${kind} "${_tk_pic_legend}" "${path}" ${maps} ${extra}
    DEPENDS "${_tk_mkpictures}" "${_tk_pic_legend}" ${maps}
    COMMENT "Drawing ${out}"
    VERBATIM)
  set(TK_PICTURE_FILES ${TK_PICTURE_FILES} "${path}" PARENT_SCOPE)
endfunction()

# Tree bitmaps: palettised, background keyed for LR_LOADTRANSPARENT.
_tk_picture(root.bmp bmp root16.txt)                             # 140
_tk_picture(folder.bmp bmp folder16.txt)                         # 141
# Version-list image strip and its mask. The image is black wherever the
# mask is transparent, as masked image-list drawing expects.
_tk_picture(history_images.bmp bmp history16x14.txt --key 000000) # 126
_tk_picture(history_mask.bmp mask history16x14.txt)              # 127
# Dialog button icons, an image for each scale the buttons are shown at:
# 16, 20, 24 and 32 pixels square.
set(_tk_back_maps back16.txt back20.txt back24.txt back32.txt)
set(_tk_up_maps up16.txt up20.txt up24.txt up32.txt)
_tk_picture(back.ico ico ${_tk_back_maps})                       # 146
_tk_picture(back_gray.ico ico-grey ${_tk_back_maps})             # 153
_tk_picture(up.ico ico ${_tk_up_maps})                           # 148
_tk_picture(up_gray.ico ico-grey ${_tk_up_maps})                 # 152

set(_tk_pic_targets ${TK_PICTURE_FILES})
set(_tk_check_pictures "${_tk_pic_bin}/check_pictures${_tk_pic_exe}")
add_custom_command(
  OUTPUT "${_tk_check_pictures}"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${_tk_pic_bin}"
  COMMAND "${TK_HOST_CXX}" -std=c++17 -O1 -o "${_tk_check_pictures}"
          "${_tk_pic_tools}/test/check_pictures.cpp" "${_tk_pic_tools}/pictures.cpp"
  DEPENDS "${_tk_pic_tools}/test/check_pictures.cpp" ${_tk_pic_lib}
  COMMENT "Building check_pictures for the build machine"
  VERBATIM)
if(TK_PICTURES_CHECK)
  set(_tk_pic_stamp "${_tk_pic_bin}/pictures-checked.stamp")
  add_custom_command(
    OUTPUT "${_tk_pic_stamp}"
    COMMAND "${_tk_check_pictures}" "${_tk_pic_res}" "${TK_PICTURES_DIR}"
    COMMAND "${CMAKE_COMMAND}" -E touch "${_tk_pic_stamp}"
    DEPENDS "${_tk_check_pictures}" ${TK_PICTURE_FILES}
    COMMENT "Checking pictures against their pixel maps"
    VERBATIM)
  list(APPEND _tk_pic_targets "${_tk_pic_stamp}")
endif()

add_custom_target(tk_pictures ALL DEPENDS ${_tk_pic_targets} "${_tk_check_pictures}")
add_test(NAME tk_pictures_check
         COMMAND "${_tk_check_pictures}" "${_tk_pic_res}" "${TK_PICTURES_DIR}")
