# Bindery: adding scanned A4 pages with their list thumbnails.
if(TARGET bindery_core)
  add_executable(bindery_bench ${CMAKE_CURRENT_LIST_DIR}/bindery_bench.cpp)
  target_link_libraries(bindery_bench PRIVATE bindery_core bench_scanpages benchmark::benchmark Qt6::Gui)
endif()
