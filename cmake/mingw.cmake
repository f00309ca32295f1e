# What both Windows toolchains share, for the CMAKE_SYSTEM_PROCESSOR the
# including file sets: MinGW-w64 with posix threads (the win32-threads variant
# of GCC 12 has no std::thread), static runtime, and Wine as the emulator so
# ctest runs the Windows tests.
set(CMAKE_SYSTEM_NAME Windows)
set(kit_mingw ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${kit_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${kit_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${kit_mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${kit_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run")
