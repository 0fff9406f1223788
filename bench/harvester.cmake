# Harvester: packing scanned pages in-process, and the PDFs and image folders
# that compare-harvester.sh runs the program on.
if(TARGET harvester_core)
  add_executable(harvester_bench ${CMAKE_CURRENT_LIST_DIR}/harvester_bench.cpp)
  target_link_libraries(harvester_bench PRIVATE harvester_core velloran_pdfwriter bench_scanpages
                        benchmark::benchmark Qt6::Gui)
endif()
