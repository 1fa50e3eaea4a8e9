# 32-bit Windows build with Debian's MinGW-w64 cross compiler, run under Wine:
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
set(SORVIN_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
# Doubles in SSE registers, as on 64-bit: the x87 unit keeps intermediate
# results at 80 bits, so the same sum could compare differently from one
# build to the other (a payment against a receipt total, say).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/windows/MingwToolchain.cmake)
