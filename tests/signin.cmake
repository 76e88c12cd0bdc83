# Sign-in with its database chooser, and options.
tk_add_test(test_signin_rules test_signin_rules.cpp)
tk_add_test(test_signin test_signin.cpp)
tk_add_test(test_options test_signin_options.cpp)
