# The demo host. Its tour opens every dialog through the host's own code, drives
# it with real input, photographs it and closes it; it fails when a dialog does
# not appear or answers something unexpected. The pictures are then read back by
# another decoder, and the host's event handlers are tested on their own.
if(TAVROKESSAUI_BUILD_EXAMPLES AND EXISTS ${PROJECT_SOURCE_DIR}/examples/CMakeLists.txt)
  add_test(NAME demo_tour COMMAND tavrokessademo --tour --out ${CMAKE_BINARY_DIR}/gallery-test)
  set_tests_properties(demo_tour PROPERTIES
    TIMEOUT 300
    FIXTURES_REQUIRED wineprefix
    FIXTURES_SETUP demo_gallery
    ENVIRONMENT "${TK_WINE_ENV}")

  find_program(TK_IDENTIFY identify)
  if(TK_IDENTIFY)
    add_test(NAME demo_gallery_files
             COMMAND ${CMAKE_COMMAND} -DFOLDER=${CMAKE_BINARY_DIR}/gallery-test -DIDENTIFY=${TK_IDENTIFY}
                     -P ${PROJECT_SOURCE_DIR}/examples/tools/CheckGallery.cmake)
    set_tests_properties(demo_gallery_files PROPERTIES FIXTURES_REQUIRED demo_gallery TIMEOUT 120)
  endif()

  tk_add_dll_test(test_demo_host
    ${PROJECT_SOURCE_DIR}/examples/tests/test_demo_host.cpp
    ${PROJECT_SOURCE_DIR}/examples/demo/SampleServers.cpp
    ${PROJECT_SOURCE_DIR}/examples/demo/ExploreEvents.cpp
    ${PROJECT_SOURCE_DIR}/examples/demo/HistoryEvents.cpp
    ${PROJECT_SOURCE_DIR}/examples/demo/SigninEvents.cpp
    ${PROJECT_SOURCE_DIR}/examples/demo/Transfer.cpp)
endif()
