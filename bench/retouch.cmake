# Retouch: correcting every column of an A4 600 dpi scan against a plain
# table lookup over the same picture.
if(TARGET retouch_core)
  add_executable(retouch_bench ${CMAKE_CURRENT_LIST_DIR}/retouch_bench.cpp)
  target_link_libraries(retouch_bench PRIVATE retouch_core benchmark::benchmark)
endif()
