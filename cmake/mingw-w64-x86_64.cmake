# Cross-compiles the Windows binaries with Debian's MinGW-w64 (POSIX threads
# variant, which GoogleTest needs) and runs them under Wine for ctest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TES_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TES_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TES_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TES_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TES_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No MinGW runtime DLLs to ship beside the binaries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")

find_program(TES_WINE NAMES wine wine64)
if(TES_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TES_WINE})
endif()
