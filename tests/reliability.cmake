# The reliability sweep: misuse rows live in test_misuse; here the shared kit of
# closing paths and the random user, the in-suite runs, and the long soak.
add_library(tk_reliability STATIC ${CMAKE_CURRENT_LIST_DIR}/reliability/Kit.cpp)
target_include_directories(tk_reliability PUBLIC ${CMAKE_CURRENT_LIST_DIR}/reliability)
target_link_libraries(tk_reliability PUBLIC tk_test_support)
target_compile_options(tk_reliability PRIVATE ${TK_WARNINGS})

tk_add_test(test_reliability test_reliability.cpp)
target_link_libraries(test_reliability PRIVATE tk_reliability)
tk_add_test(test_monkey test_monkey.cpp)
target_link_libraries(test_monkey PRIVATE tk_reliability)

# ./run soak: 10,000 monkey steps and 1,000 open/close cycles per dialog.
add_executable(tavrokessasoak ${CMAKE_CURRENT_LIST_DIR}/soak/Soak.cpp)
target_link_libraries(tavrokessasoak PRIVATE tk_reliability tavrokessaui_resources)
target_link_options(tavrokessasoak PRIVATE ${TK_STATIC_RUNTIME})
target_compile_options(tavrokessasoak PRIVATE ${TK_WARNINGS})
