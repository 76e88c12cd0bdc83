# The explore dialog, driven by a model host.
tk_add_test(test_explore test_explore.cpp)
tk_add_test(test_explore_scale test_explore_scale.cpp)
