# Makes the Wine prefix PREFIX once: initialised, Wine drawing its own window
# frames (so closing a window is fast and screenshots include the frame), and
# the server gone again before the tests start.
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
execute_process(COMMAND wineserver -w)
