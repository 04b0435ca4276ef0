# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (the POSIX-thread
# compilers). Libraries and headers come from MinGW's root and from the
# folders in CMAKE_PREFIX_PATH (freeglut, built by scripts/windows.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELLMOOR_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELLMOOR_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELLMOOR_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VELLMOOR_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELLMOOR_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
