# Linux build for 32-bit x86: the host's gcc with -m32 (Debian's g++-multilib) against the i386
# libraries of Debian's multiarch. A kernel without 32-bit support cannot start these programs,
# so they run under qemu-i386's user emulation.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)

find_program(JOBSIFT_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${JOBSIFT_QEMU_I386})
