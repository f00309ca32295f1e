# Cross toolchain for the 64-bit Windows build, tested under wine64 where the
# kernel cannot run 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
