# Retoner: the colour chain on a 4000 x 3000 picture, and the colour table
# (building it, applying it) alone.
if(TARGET retoner_core)
  add_executable(retoner_bench ${CMAKE_CURRENT_LIST_DIR}/retoner_bench.cpp)
  target_link_libraries(retoner_bench PRIVATE retoner_core benchmark::benchmark)
endif()
