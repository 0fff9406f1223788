# Folder listing benchmark of the reader's list screens (Google Benchmark),
# run by bench/compare-leafreader-shelf.sh.
if(BUILD_BENCHMARKS AND TARGET leafreader_shelf)
  add_executable(bench_leafreader_shelf ${CMAKE_CURRENT_LIST_DIR}/shelf_bench.cpp)
  target_link_libraries(bench_leafreader_shelf PRIVATE leafreader_shelf benchmark::benchmark)
endif()
