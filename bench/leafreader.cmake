# Leafreader: a page turn (Next page to finished paint) of a spread of two
# A4 600 dpi JPEG pages at 1920 x 1080, and the full-size decode for contrast.
if(TARGET leafreader_app)
  add_executable(bench_leafreader ${CMAKE_CURRENT_LIST_DIR}/leafreader_bench.cpp)
  target_link_libraries(bench_leafreader PRIVATE leafreader_app benchmark::benchmark)
endif()

# The list screens: listing a folder of many books.
if(TARGET leafreader_shelf)
  add_executable(bench_leafreader_shelf ${CMAKE_CURRENT_LIST_DIR}/leafreader_shelf_bench.cpp)
  target_link_libraries(bench_leafreader_shelf PRIVATE leafreader_shelf benchmark::benchmark)
endif()

# Peak memory of reading 50 spreads (a program of its own: the peak belongs
# to the whole process).
if(TARGET leafreader_app)
  add_executable(bench_leafreader_memory ${CMAKE_CURRENT_LIST_DIR}/leafreader_memory.cpp)
  target_link_libraries(bench_leafreader_memory PRIVATE leafreader_app)
endif()
