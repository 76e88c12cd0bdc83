tk_add_test(test_misuse test_misuse.cpp)
tk_add_test(test_frame test_frame.cpp)
tk_add_test(test_logic test_logic.cpp test_logic.rc)
target_include_directories(test_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR})
