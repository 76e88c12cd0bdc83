# The history and properties dialogs.
tk_add_test(test_history test_history.cpp)
tk_add_test(test_properties test_properties.cpp)
