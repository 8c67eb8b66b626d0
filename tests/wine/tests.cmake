# The Win32 backend's tests: one console exe, run under Wine by ctest through CMAKE_CROSSCOMPILING_EMULATOR.

# GoogleTest from Debian's sources, built with the cross compiler; elsewhere (MSVC) an installed package. Only our
# targets carry zantiro_options (-Werror); gtest keeps its own flags. Windows threads, so no winpthread is pulled in.
set(ZANTIRO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
if(EXISTS ${ZANTIRO_GTEST_SOURCE}/CMakeLists.txt)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)  # MSVC: the same runtime as our targets
    add_subdirectory(${ZANTIRO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
endif()

add_executable(zantiro_wine_tests
    ${CMAKE_CURRENT_LIST_DIR}/wine_test_support.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bell_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/decoded_picture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dpi_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/handles_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/faults_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/input_box_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/painter_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/popup_menu_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/regional_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resources_files_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sound_player_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/timer_grid_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/timer_real_clock_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/timer_sharing_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/topmost_keeper_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_system_test.cpp
    # The program's own resources (sounds, picture, DPI-aware manifest), so the tests load what it loads.
    ${ZANTIRO_RC}
)
set_source_files_properties(${ZANTIRO_RC} PROPERTIES OBJECT_DEPENDS "${ZANTIRO_RC_INPUTS}")
target_include_directories(zantiro_wine_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources)
# ole32 and windowscodecs: the tests decode the JPEG the embedded bitmap was made from; the exe never decodes.
target_link_libraries(zantiro_wine_tests PRIVATE zantiro_win32 GTest::gtest_main ole32 windowscodecs)
target_compile_definitions(zantiro_wine_tests PRIVATE ZANTIRO_RESOURCES_DIR="${PROJECT_SOURCE_DIR}/resources"
                                                     ZANTIRO_BELLS_DIR="${CMAKE_CURRENT_LIST_DIR}/bells")

# add_test, not gtest_discover_tests: discovery would start Wine at build time. The emulator runs the exe.
add_test(NAME zantiro_wine_tests COMMAND zantiro_wine_tests)
# The lock names the prefix, as the end-to-end tests do: a parallel ctest does not spend a slot on waiting for it.
set_tests_properties(zantiro_wine_tests PROPERTIES TIMEOUT 300 RESOURCE_LOCK zantiro_wine_prefix)

# The DPI tests again in a prefix whose LogPixels is 144 (made once, about 10 s).
if(CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME zantiro_wine_tests_144dpi
        COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix-144 ZANTIRO_DPI=144
                ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:zantiro_wine_tests>
                --gtest_filter=TwipsAndPixels.*:ScreenInTwips.*:OlderWindows.*)
    set_tests_properties(zantiro_wine_tests_144dpi PROPERTIES TIMEOUT 300 RESOURCE_LOCK zantiro_wine_prefix_144)
endif()
