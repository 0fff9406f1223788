# Glancer: opening an image to finished paint, the next spread after a rest,
# and listing a folder of 2000 images.
if(TARGET glancer_app)
  add_executable(bench_glancer ${CMAKE_CURRENT_LIST_DIR}/glancer_bench.cpp)
  target_link_libraries(bench_glancer PRIVATE glancer_app benchmark::benchmark)
endif()
