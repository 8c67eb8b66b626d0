# The Win32 backend and zantiro.exe: a static Unicode executable that needs only Windows itself, built once for
# x86-64 (preset windows) and once for i686 (preset windows-x86).
enable_language(RC)

add_library(zantiro_win32 STATIC
    forms/win32/accessible_client.cpp
    forms/win32/com_apartment.cpp
    forms/win32/diagnostic_log.cpp
    forms/win32/dpi.cpp
    forms/win32/failures.cpp
    forms/win32/file_picker.cpp
    forms/win32/global_hotkeys.cpp
    forms/win32/input_box.cpp
    forms/win32/keyboard_stays.cpp
    forms/win32/main_window.cpp
    forms/win32/mp3_decoder.cpp
    forms/win32/notice.cpp
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
# Imported: kernel32 (always), user32, gdi32 and comctl32, all loaded with the exe anyway. Loaded when first needed
# instead (forms/win32/system_library.h), so that start-up neither waits for them nor holds them: winmm.dll for
# PlaySoundW at the first sound, msacm32.dll at the first MP3 bell, comdlg32.dll at the first open-file box, ole32.dll
# for COM (and through it windowscodecs.dll) when the picture is resampled for a DPI other than 96 or the open-file
# box is shown, oleacc.dll and oleaut32.dll (with COM) at a screen reader's first question. Calls newer than Windows 7
# are looked up in user32 the same way (GetDpiForWindow).
target_link_libraries(zantiro_win32 PUBLIC user32 gdi32 comctl32)

# Statically linked runtime: no libstdc++ or winpthread DLL next to the exe.
if(NOT MSVC)
    target_link_options(zantiro_win32 INTERFACE -static -static-libgcc -static-libstdc++)
    if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
        target_compile_options(zantiro_options INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-ffunction-sections -fdata-sections>)
        target_link_options(zantiro_win32 INTERFACE -Wl,--gc-sections -s)
    endif()
    # The same bytes from any folder at any time: no build path in the objects, no link time in the PE header.
    target_compile_options(zantiro_options INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                                                     -ffile-prefix-map=${PROJECT_BINARY_DIR}=build>)
    target_link_options(zantiro_win32 INTERFACE -Wl,--no-insert-timestamp)
endif()

# zantiro_version.h: for the version resource and the usage box.
configure_file(${PROJECT_SOURCE_DIR}/cmake/version.h.in ${PROJECT_BINARY_DIR}/generated/zantiro_version.h @ONLY)
target_include_directories(zantiro_win32 PUBLIC ${PROJECT_BINARY_DIR}/generated)

# The script's dependencies are read from the script: every file it names (a resource's file or an #include) in its
# own folder. The make and Ninja scanners see only its #include lines, so without this a changed sound, icon or
# picture would not rebuild the exe. Editing the script configures again, so the list cannot drift from it.
set(ZANTIRO_RC ${PROJECT_SOURCE_DIR}/resources/zantiro.rc)
function(zantiro_resource_script_inputs script result)
    get_filename_component(folder ${script} DIRECTORY)
    file(READ ${script} text)
    string(REGEX MATCHALL "\"[^\"\n]+\"|[^ \t\r\n\",]+" tokens "${text}")
    set(inputs)
    foreach(token IN LISTS tokens)
        string(REGEX REPLACE "^\"(.*)\"$" "\\1" name "${token}")
        if(NOT name STREQUAL "" AND NOT IS_DIRECTORY ${folder}/${name} AND EXISTS ${folder}/${name})
            list(APPEND inputs ${folder}/${name})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES inputs)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${script})
    set(${result} ${inputs} PARENT_SCOPE)
endfunction()
zantiro_resource_script_inputs(${ZANTIRO_RC} ZANTIRO_RC_INPUTS)
set_source_files_properties(${ZANTIRO_RC} PROPERTIES OBJECT_DEPENDS "${ZANTIRO_RC_INPUTS}")
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
