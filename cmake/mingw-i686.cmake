# Cross toolchain for the 32-bit Windows programs, the ones technicians run.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
