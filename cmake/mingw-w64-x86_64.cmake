# Cross-compiles for 64-bit Windows with mingw-w64 (posix threads flavour) and
# runs the built programs under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TK_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TK_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TK_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TK_TRIPLET}-windres)
set(CMAKE_AR ${TK_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${TK_TRIPLET}-ranlib CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${TK_TRIPLET}-objdump CACHE FILEPATH "")

# Appended, so that a host can add a folder with -DCMAKE_FIND_ROOT_PATH=... (see docs/host-guide.md).
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TK_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# ctest runs the .exe tests through this.
find_program(TK_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TK_WINE})
