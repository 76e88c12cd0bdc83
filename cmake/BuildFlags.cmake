# tk_build_flags: what every module of ours is built with, the library, its
# tests, the demo and the benchmark alike. Linked PRIVATE, it adds nothing to
# what a module asks of those that link it.
include_guard(GLOBAL)

add_library(tk_build_flags INTERFACE)
target_compile_definitions(tk_build_flags INTERFACE
  _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0700 NOMINMAX STRICT)
target_compile_options(tk_build_flags INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wshadow -Wnon-virtual-dtor>)
# The C and C++ runtimes go into each module statically; allocation goes through
# the one msvcrt heap, so a host built with this toolchain and the library can
# free each other's strings and vectors. No mingw runtime DLL is needed beside us.
target_link_options(tk_build_flags INTERFACE -static -static-libgcc -static-libstdc++)
