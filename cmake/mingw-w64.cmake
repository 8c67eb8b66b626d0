# Shared by the MinGW-w64 toolchains (posix threads): set ZANTIRO_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR, then
# include this. Tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ZANTIRO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZANTIRO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZANTIRO_MINGW_TRIPLE}-windres)

# Headers, libraries and packages come from the MinGW sysroot only (never the host's Linux builds);
# programs such as python3 from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZANTIRO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest, gtest_discover_tests and add_custom_command run the built exes through Wine.
cmake_path(SET CMAKE_CROSSCOMPILING_EMULATOR NORMALIZE "${CMAKE_CURRENT_LIST_DIR}/../tools/wine/emulator.sh")
