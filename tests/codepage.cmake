# A host that writes in a double-byte code page: Wine takes the ANSI code page
# from the locale, so this program runs with LC_ALL=ja_JP.UTF-8 (code page 932),
# in a prefix of its own, made under that locale.
tk_add_test(test_codepage test_codepage.cpp)
set(TK_WINEPREFIX_932 ${CMAKE_BINARY_DIR}/wineprefix-932)
add_test(NAME wineprefix_932
         COMMAND ${CMAKE_COMMAND} -E env LC_ALL=ja_JP.UTF-8
                 ${CMAKE_COMMAND} -DPREFIX=${TK_WINEPREFIX_932} -DWINE=${TK_WINE} -P ${PROJECT_SOURCE_DIR}/cmake/WinePrefix.cmake)
set_tests_properties(wineprefix_932 PROPERTIES FIXTURES_SETUP wineprefix_932 TIMEOUT 300)
set_tests_properties(test_codepage PROPERTIES
  FIXTURES_REQUIRED wineprefix_932
  ENVIRONMENT "WINEPREFIX=${TK_WINEPREFIX_932};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=;LC_ALL=ja_JP.UTF-8")
