# CMake toolchain for the 64-bit Windows build: MinGW-w64 for x86-64.
set(ZANTIRO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
