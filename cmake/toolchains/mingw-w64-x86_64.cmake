# Cross build for 64-bit Windows with Debian's MinGW-w64 g++ (package g++-mingw-w64-x86-64-posix).
# The -posix compilers use the POSIX thread model, which std::thread and std::mutex need; the
# -win32 ones have neither.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVANE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVANE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVANE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVANE_MINGW_TRIPLE}-windres)

# Libraries, headers and CMake packages come from the MinGW tree only, never from the host's
# /usr/lib/x86_64-linux-gnu; programs (ninja, clang-format) are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${ORVANE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and the thread library linked in: an .exe then needs no DLL beyond
# Windows' own, so it runs from any folder without the compiler's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# add_test() runs a Windows executable through Wine on the Linux host.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
