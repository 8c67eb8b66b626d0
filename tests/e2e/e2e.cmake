# End-to-end tests (Windows build only): a console driver that inspects and clicks the running timer across
# processes, and the scripts that run zantiro.exe under Wine on a private Xvfb and drive it with the driver.

add_executable(zantiro_e2e_driver
    ${CMAKE_CURRENT_LIST_DIR}/bystander.cpp
    ${CMAKE_CURRENT_LIST_DIR}/driver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_probe.cpp
    ${PROJECT_SOURCE_DIR}/forms/win32/text.cpp
)
target_link_libraries(zantiro_e2e_driver PRIVATE zantiro_options user32)
target_compile_definitions(zantiro_e2e_driver PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
if(NOT MSVC)
    target_link_options(zantiro_e2e_driver PRIVATE -municode -static)  # wmain; no runtime DLLs next to it
endif()

# The scripts run Wine themselves (own Xvfb, prefix lock, teardown), so they are not run through the emulator.
add_test(NAME e2e_smoke
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/smoke.sh $<TARGET_FILE:zantiro> $<TARGET_FILE:zantiro_e2e_driver>)
# The scripts wait for their prefix's lock (as tools/wine/emulator.sh takes it), so a parallel ctest stays correct;
# the resource locks only keep ctest from spending a slot on waiting.
set_tests_properties(e2e_smoke PROPERTIES TIMEOUT 300 LABELS e2e RESOURCE_LOCK zantiro_wine_prefix)

if(ZANTIRO_WINDOWS_SUITE)
    # The same at 125, 150 and 200 %, each in a prefix of its own DPI (the 144 one is the Wine tests' too): every
    # size, position, border and the picture scale.
    foreach(dpi 120 144 192)
        add_test(NAME e2e_smoke_${dpi}dpi
            COMMAND ${CMAKE_COMMAND} -E env ZANTIRO_E2E_PREFIX=${CMAKE_BINARY_DIR}/wine-prefix-${dpi} ZANTIRO_DPI=${dpi}
                    bash ${PROJECT_SOURCE_DIR}/tests/e2e/smoke.sh $<TARGET_FILE:zantiro> $<TARGET_FILE:zantiro_e2e_driver>)
        set_tests_properties(e2e_smoke_${dpi}dpi
            PROPERTIES TIMEOUT 300 LABELS e2e RESOURCE_LOCK zantiro_wine_prefix_${dpi})
    endforeach()
    # Two monitors side by side on one wide Xvfb screen, in a prefix of its own.
    add_test(NAME e2e_monitors
        COMMAND ${CMAKE_COMMAND} -E env ZANTIRO_E2E_PREFIX=${CMAKE_BINARY_DIR}/wine-prefix-monitors
                bash ${PROJECT_SOURCE_DIR}/tests/e2e/monitors.sh $<TARGET_FILE:zantiro> $<TARGET_FILE:zantiro_e2e_driver>)
    set_tests_properties(e2e_monitors PROPERTIES TIMEOUT 300 LABELS e2e RESOURCE_LOCK zantiro_wine_prefix_monitors)
    add_test(NAME e2e_countdown
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/countdown.sh $<TARGET_FILE:zantiro> $<TARGET_FILE:zantiro_e2e_driver>)
    add_test(NAME e2e_command_line
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/command_line.sh $<TARGET_FILE:zantiro> $<TARGET_FILE:zantiro_e2e_driver>
                $<TARGET_FILE:zantiro_e2e_screen_reader>)
    # The window at 96 dpi scaled to 200 % against the 192-dpi checks, Ctrl + wheel, placement and bad values.
    add_test(NAME e2e_scale
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/scale.sh $<TARGET_FILE:zantiro> $<TARGET_FILE:zantiro_e2e_driver>)
    set_tests_properties(e2e_scale PROPERTIES TIMEOUT 300 LABELS e2e RESOURCE_LOCK zantiro_wine_prefix)
    set_tests_properties(e2e_countdown e2e_command_line PROPERTIES TIMEOUT 300 LABELS e2e)
    set_tests_properties(e2e_command_line PROPERTIES RESOURCE_LOCK zantiro_wine_prefix)
    set_tests_properties(e2e_countdown PROPERTIES RESOURCE_LOCK zantiro_wine_prefix_alsa)
    # The timer worked by hotkeys and clicks while another program keeps the keyboard; a second timer; /nohotkeys.
    add_test(NAME e2e_hotkeys
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/hotkeys.sh $<TARGET_FILE:zantiro> $<TARGET_FILE:zantiro_e2e_driver>
                $<TARGET_FILE:zantiro_e2e_screen_reader>)
    set_tests_properties(e2e_hotkeys PROPERTIES TIMEOUT 300 LABELS e2e RESOURCE_LOCK zantiro_wine_prefix)
    add_test(NAME e2e_always_heard
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/always_heard.sh $<TARGET_FILE:zantiro> $<TARGET_FILE:zantiro_e2e_driver>)
    set_tests_properties(e2e_always_heard PROPERTIES TIMEOUT 300 LABELS e2e RESOURCE_LOCK zantiro_wine_prefix_alsa)

    # A screen reader's view from another process: the accessible tree, and the announcements through a WinEvent hook.
    add_executable(zantiro_e2e_screen_reader
        ${CMAKE_CURRENT_LIST_DIR}/screen_reader.cpp
        ${CMAKE_CURRENT_LIST_DIR}/window_probe.cpp
        ${PROJECT_SOURCE_DIR}/forms/win32/text.cpp
    )
    target_link_libraries(zantiro_e2e_screen_reader PRIVATE zantiro_options oleacc ole32 oleaut32 user32)
    target_compile_definitions(zantiro_e2e_screen_reader PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                                  _WIN32_WINNT=0x0A00)
    if(NOT MSVC)
        target_link_options(zantiro_e2e_screen_reader PRIVATE -municode -static)
    endif()
    add_test(NAME e2e_screen_reader
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/screen_reader.sh $<TARGET_FILE:zantiro>
                $<TARGET_FILE:zantiro_e2e_driver> $<TARGET_FILE:zantiro_e2e_screen_reader>)
    set_tests_properties(e2e_screen_reader PROPERTIES TIMEOUT 300 LABELS e2e RESOURCE_LOCK zantiro_wine_prefix)

    # GDI objects and windows of a running program, which GetGuiResources does not count under Wine; the soak
    # samples with it through tests/e2e/footprint.sh, and the benchmarks may too. It reads the 64-bit PEB.
    add_executable(zantiro_gdi_count ${CMAKE_CURRENT_LIST_DIR}/gdi_count.cpp)
    target_link_libraries(zantiro_gdi_count PRIVATE zantiro_options user32 gdi32)
    target_compile_definitions(zantiro_gdi_count PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
    if(NOT MSVC)
        target_link_options(zantiro_gdi_count PRIVATE -municode -static)
    endif()
    # The short soak: seconds of counting and flashing, sampled every 2 s (make soak runs ten minutes of each).
    add_test(NAME e2e_soak_short
        COMMAND ${CMAKE_COMMAND} -E env ZANTIRO_SOAK_SECONDS=8 ZANTIRO_SOAK_SAMPLE_SECONDS=2
                ZANTIRO_GDI_COUNT=$<TARGET_FILE:zantiro_gdi_count>
                bash ${PROJECT_SOURCE_DIR}/tests/e2e/soak.sh $<TARGET_FILE:zantiro> $<TARGET_FILE:zantiro_e2e_driver>)
    set_tests_properties(e2e_soak_short PROPERTIES TIMEOUT 300 LABELS e2e RESOURCE_LOCK zantiro_wine_prefix)
endif()
