# CMake toolchain for the 32-bit Windows build: MinGW-w64 for i686.
set(ZANTIRO_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
