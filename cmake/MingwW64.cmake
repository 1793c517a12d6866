# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64):
#   cmake -S . -B build/windows --toolchain cmake/MingwW64.cmake
# The posix or win32 thread flavour of the compiler both do; tools/windows.sh
# picks the one installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(corvane_mingw x86_64-w64-mingw32)
if(NOT CMAKE_CXX_COMPILER)
  find_program(CMAKE_CXX_COMPILER NAMES ${corvane_mingw}-g++ ${corvane_mingw}-g++-posix ${corvane_mingw}-g++-win32
               REQUIRED)
endif()
find_program(CMAKE_RC_COMPILER NAMES ${corvane_mingw}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${corvane_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
