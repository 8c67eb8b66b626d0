# Benchmarks of the Windows build (run by bench/run.sh, never by ctest).
add_executable(zantiro_tick_bench ${CMAKE_CURRENT_LIST_DIR}/tick_bench.cpp)
target_link_libraries(zantiro_tick_bench PRIVATE zantiro_win32)
if(NOT MSVC)
    target_link_options(zantiro_tick_bench PRIVATE -municode)
endif()
