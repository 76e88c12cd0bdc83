# Makes the Wine prefix PREFIX once: initialised, Wine drawing its own window
# frames (so closing a window is fast and screenshots include the frame), and
# the server gone again before the tests start. LOGPIXELS (96, 144, 192...) sets
# the display scale: Wine reads it when the prefix is made and the prefix keeps
# it, so each scale has a prefix of its own.
if(EXISTS "${PREFIX}/system.reg")
  return()
endif()
set(ENV{WINEPREFIX} "${PREFIX}")
set(ENV{WINEDEBUG} "-all")
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
execute_process(COMMAND ${WINE} wineboot --init RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "wineboot --init failed: ${rc}")
endif()
execute_process(COMMAND ${WINE} reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "setting the X11 driver's Managed value failed: ${rc}")
endif()
# Debian's Wine looks for its own fonts (Tahoma, and Marlett for the caption
# buttons) where its font package does not put them: captions then show an "r"
# for the close box and dialogs fall back to another face. The prefix gets a copy.
file(GLOB wine_fonts /usr/share/wine/fonts/*.ttf)
if(wine_fonts)
  file(COPY ${wine_fonts} DESTINATION "${PREFIX}/drive_c/windows/Fonts")
endif()
# Windows draws "MS Shell Dlg" dialogs in its narrow sans serif; Wine maps the
# name to Tahoma, which is wider and cuts the labels short. Map it the way
# Windows does, to the sans serif face Wine ships.
execute_process(COMMAND ${WINE} reg add "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes"
                        /v "MS Shell Dlg" /d "MS Sans Serif" /f
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "setting the dialog font substitute failed: ${rc}")
endif()
if(DEFINED LOGPIXELS AND NOT LOGPIXELS STREQUAL "96")
  # The desktop's value is what programs read; the one under the current
  # configuration is what a new prefix takes its fonts' scale from.
  foreach(key "HKCU\\Control Panel\\Desktop" "HKCC\\Software\\Fonts")
    execute_process(COMMAND ${WINE} reg add "${key}" /v LogPixels /t REG_DWORD /d ${LOGPIXELS} /f
                    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "setting LogPixels under ${key} failed: ${rc}")
    endif()
  endforeach()
endif()
execute_process(COMMAND wineserver -w)
