# Cross build for 64-bit Windows with MinGW-w64. The -posix compilers are used because
# GoogleTest needs std::mutex, which the win32 thread model lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under Wine; the runner is written into the build tree at configure time.
set(TAMRIVO_WINE_RUNNER "${CMAKE_BINARY_DIR}/wine-run")
set(CMAKE_CROSSCOMPILING_EMULATOR "${TAMRIVO_WINE_RUNNER}")
