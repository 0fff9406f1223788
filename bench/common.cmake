# Book library benchmarks: walking a large book, decoding a large page.
add_executable(bench_common ${CMAKE_CURRENT_LIST_DIR}/bench_common.cpp)
target_link_libraries(bench_common PRIVATE velloran_book benchmark::benchmark)
