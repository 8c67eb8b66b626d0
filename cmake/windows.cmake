# The Win32 backend and zantiro.exe: one static x86-64 Unicode executable that needs only Windows itself.
enable_language(RC)

add_library(zantiro_win32 STATIC
    forms/win32/diagnostic_log.cpp
    forms/win32/dpi.cpp
    forms/win32/failures.cpp
    forms/win32/input_box.cpp
    forms/win32/main_window.cpp
    forms/win32/newer_calls.cpp
    forms/win32/painter.cpp
    forms/win32/picture.cpp
    forms/win32/popup_menu.cpp
    forms/win32/services.cpp
    forms/win32/sound_player.cpp
    forms/win32/system_library.cpp
    forms/win32/text.cpp
    forms/win32/timer_scheduler.cpp
    forms/win32/topmost_keeper.cpp
)
target_link_libraries(zantiro_win32 PUBLIC zantiro_portable)
target_compile_definitions(zantiro_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                 _WIN32_WINNT=0x0601 WINVER=0x0601)  # Windows 7: newer calls are looked up
target_link_libraries(zantiro_win32 PUBLIC user32 gdi32 winmm comctl32 ole32 windowscodecs shlwapi uuid)

# Statically linked runtime: no libstdc++ or winpthread DLL next to the exe.
if(NOT MSVC)
    target_link_options(zantiro_win32 INTERFACE -static -static-libgcc -static-libstdc++)
    if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
        target_compile_options(zantiro_options INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-ffunction-sections -fdata-sections>)
        target_link_options(zantiro_win32 INTERFACE -Wl,--gc-sections -s)
    endif()
endif()

set(ZANTIRO_RC ${PROJECT_SOURCE_DIR}/resources/zantiro.rc)
set_source_files_properties(${ZANTIRO_RC} PROPERTIES OBJECT_DEPENDS
    "${PROJECT_SOURCE_DIR}/resources/ti.wav;${PROJECT_SOURCE_DIR}/resources/ling.wav;${PROJECT_SOURCE_DIR}/resources/background.jpg;${PROJECT_SOURCE_DIR}/resources/zantiro.ico;${PROJECT_SOURCE_DIR}/resources/zantiro.exe.manifest;${PROJECT_SOURCE_DIR}/resources/resource_ids.h")
if(NOT MSVC)
    set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()

add_executable(zantiro WIN32 ui/main_win32.cpp ${ZANTIRO_RC})
target_include_directories(zantiro PRIVATE ${PROJECT_SOURCE_DIR}/resources)
target_link_libraries(zantiro PRIVATE zantiro_win32)
if(NOT MSVC)
    target_link_options(zantiro PRIVATE -municode)  # wWinMain
endif()

include(${PROJECT_SOURCE_DIR}/bench/bench.cmake)
