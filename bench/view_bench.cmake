# Map view drawing: full redraw, one painted hex, one-step scroll.
add_executable(korv_view_bench ${CMAKE_CURRENT_LIST_DIR}/view_bench.cpp)
target_link_libraries(korv_view_bench PRIVATE korv_view benchmark::benchmark
                                              benchmark::benchmark_main)
# The editor on the demo game: the largest map opened, zoomed-out redraws, a
# painted stroke with Auto-Tile.
add_executable(korv_editing_bench ${CMAKE_CURRENT_LIST_DIR}/editing_bench.cpp)
target_link_libraries(korv_editing_bench PRIVATE korv_editing korv_demo_game_lib
                                                 benchmark::benchmark benchmark::benchmark_main)
