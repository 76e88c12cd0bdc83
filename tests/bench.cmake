# The benchmark's smoke run: every case once at its smallest size, so the
# benchmark keeps building and working. It asserts no time.
if(TAVROKESSAUI_BUILD_BENCH AND EXISTS ${PROJECT_SOURCE_DIR}/bench/CMakeLists.txt)
  add_test(NAME bench_smoke
           COMMAND tavrokessabench --smoke --csv ${CMAKE_CURRENT_BINARY_DIR}/bench-smoke.csv
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(bench_smoke PROPERTIES
    TIMEOUT 300
    FIXTURES_REQUIRED wineprefix
    ENVIRONMENT "${TK_WINE_ENV}")
endif()
