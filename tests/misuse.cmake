tk_add_test(test_misuse test_misuse.cpp)
