# 32-bit x86 Linux, linked statically: the shipped 32-bit build's arithmetic on a machine
# whose kernel cannot run 32-bit Windows programs under Wine. The programs run under
# qemu-i386 (CMAKE_CROSSCOMPILING_EMULATOR). The floating-point flags come from
# CMakeLists.txt, as for the 32-bit Windows build.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
