# Map view drawing: full redraw, one painted hex, one-step scroll.
add_executable(korv_view_bench ${CMAKE_CURRENT_LIST_DIR}/view_bench.cpp)
target_link_libraries(korv_view_bench PRIVATE korv_view benchmark::benchmark
                                              benchmark::benchmark_main)
