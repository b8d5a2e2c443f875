# What the MinGW-w64 cross builds share; the including toolchain file names the processor first.
# Debian's posix threads flavour of the compilers: the C++ library's threads need it.
set(CMAKE_SYSTEM_NAME Windows)
set(jobsift_mingw ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${jobsift_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${jobsift_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${jobsift_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${jobsift_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
