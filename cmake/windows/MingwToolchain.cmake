# The part of the MinGW-w64 toolchain files that does not depend on the
# word size; SORVIN_MINGW_TRIPLET names the target.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model gives std::thread and std::mutex; the win32 one
# lacks them in GCC 12. Either links statically below.
find_program(CMAKE_C_COMPILER NAMES ${SORVIN_MINGW_TRIPLET}-gcc-posix ${SORVIN_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${SORVIN_MINGW_TRIPLET}-g++-posix ${SORVIN_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${SORVIN_MINGW_TRIPLET}-windres REQUIRED)
find_program(SORVIN_WIDL NAMES ${SORVIN_MINGW_TRIPLET}-widl widl REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${SORVIN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The modules and test programs carry their own copy of the compiler's
# runtime (libgcc, libstdc++, winpthread): a host loads them with nothing
# but the system's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine, in a prefix of their own (see wine-run.sh).
find_program(SORVIN_WINE wine)
if(SORVIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
endif()
