# velloran_program(NAME
#                  CORE_LIBS libs...      what the core library links (PUBLIC unless
#                                         a PRIVATE keyword in the list says otherwise)
#                  [HEADLESS]             the core must not link Qt6::Widgets
#                  [APP_LIBS libs...]     what the windows link besides the core and velloran_ui
#                  [TEST_SOURCES files...] fixtures every test program of tests/ builds
#                  [TEST_LIBS libs...]    libraries every test program links
#                  [CORE_TESTS globs...]  default core_*.cpp
#                  [APP_TESTS globs...])  default ui_*.cpp cli_*.cpp app_*.cpp
#
# The layout every program folder shares:
# - NAME_core from core/: the program's logic, tested without a window;
# - NAME_app from app/ less main.cpp: the windows, dialogs and start-up, a
#   library so tests can drive them (its headers are included by their names
#   or as "app/..."; the core's as "core/...");
# - the program NAME from app/main.cpp;
# - from tests/: NAME_core_tests (CORE_TESTS, less any APP_TESTS file) over
#   the core, NAME_app_tests (APP_TESTS) over the windows, both offscreen,
#   and NAME_display_tests (display_*.cpp) under a real display. Every test
#   program is built after the program and knows its path as
#   NAME_PROGRAM (upper case), for the tests that run it.
# The two libraries are recorded as the program's (velloran_program_libraries),
# so velloran_check_program_links can see that nothing shared and no other
# program stands on them.
function(velloran_program name)
  cmake_parse_arguments(ARG "HEADLESS" "" "CORE_LIBS;APP_LIBS;TEST_SOURCES;TEST_LIBS;CORE_TESTS;APP_TESTS" ${ARGN})
  set(folder ${CMAKE_CURRENT_SOURCE_DIR})

  file(GLOB core_sources CONFIGURE_DEPENDS ${folder}/core/*.cpp ${folder}/core/*.h)
  add_library(${name}_core STATIC ${core_sources})
  target_include_directories(${name}_core PUBLIC ${folder})
  target_link_libraries(${name}_core PUBLIC ${ARG_CORE_LIBS})
  if(ARG_HEADLESS)
    velloran_forbid_link(TARGET ${name}_core LIBRARY Qt6::Widgets)
  endif()

  file(GLOB app_sources CONFIGURE_DEPENDS ${folder}/app/*.cpp ${folder}/app/*.h)
  list(FILTER app_sources EXCLUDE REGEX "/app/main\\.cpp$")
  add_library(${name}_app STATIC ${app_sources})
  target_include_directories(${name}_app PUBLIC ${folder} ${folder}/app)
  target_link_libraries(${name}_app PUBLIC ${name}_core velloran_ui Qt6::Widgets ${ARG_APP_LIBS})

  add_executable(${name} ${folder}/app/main.cpp)
  target_link_libraries(${name} PRIVATE ${name}_app)
  velloran_program_libraries(${name} ${name}_core ${name}_app)
  if(EXISTS ${folder}/translations/${name}_en.ts)
    velloran_add_translation(TS ${folder}/translations/${name}_en.ts SOURCES ${folder})
  endif()

  if(NOT ARG_CORE_TESTS)
    set(ARG_CORE_TESTS core_*.cpp)
  endif()
  if(NOT ARG_APP_TESTS)
    set(ARG_APP_TESTS ui_*.cpp cli_*.cpp app_*.cpp)
  endif()
  list(TRANSFORM ARG_CORE_TESTS PREPEND ${folder}/tests/)
  list(TRANSFORM ARG_APP_TESTS PREPEND ${folder}/tests/)
  list(TRANSFORM ARG_TEST_SOURCES PREPEND ${folder}/tests/)
  file(GLOB core_tests CONFIGURE_DEPENDS ${ARG_CORE_TESTS})
  file(GLOB app_tests CONFIGURE_DEPENDS ${ARG_APP_TESTS})
  file(GLOB display_tests CONFIGURE_DEPENDS ${folder}/tests/display_*.cpp)
  if(app_tests)
    list(REMOVE_ITEM core_tests ${app_tests})
  endif()

  string(TOUPPER ${name} upper)
  set(test_programs "")
  if(core_tests)
    velloran_add_test(${name}_core_tests SOURCES ${core_tests} ${ARG_TEST_SOURCES} LIBS ${name}_core ${ARG_TEST_LIBS})
    list(APPEND test_programs ${name}_core_tests)
  endif()
  if(app_tests)
    velloran_add_test(${name}_app_tests SOURCES ${app_tests} ${ARG_TEST_SOURCES} LIBS ${name}_app ${ARG_TEST_LIBS})
    list(APPEND test_programs ${name}_app_tests)
  endif()
  if(display_tests)
    velloran_add_display_test(${name}_display_tests SOURCES ${display_tests} ${ARG_TEST_SOURCES}
                              LIBS ${name}_app ${ARG_TEST_LIBS})
    list(APPEND test_programs ${name}_display_tests)
  endif()
  foreach(test_program ${test_programs})
    add_dependencies(${test_program} ${name})
    target_compile_definitions(${test_program} PRIVATE ${upper}_PROGRAM="$<TARGET_FILE:${name}>")
  endforeach()
endfunction()

# velloran_check_program_links(SHARED libraries...): stops the configure
# step when a shared library links a program's library, or one program's
# library links another program's. Run once every program has joined.
function(velloran_check_program_links)
  cmake_parse_arguments(ARG "" "" "SHARED" ${ARGN})
  get_property(program_libraries GLOBAL PROPERTY VELLORAN_PROGRAM_LIBRARIES)
  foreach(library ${program_libraries})
    foreach(shared ${ARG_SHARED})
      velloran_forbid_link(TARGET ${shared} LIBRARY ${library})
    endforeach()
    get_target_property(program ${library} VELLORAN_PROGRAM)
    foreach(other ${program_libraries})
      get_target_property(other_program ${other} VELLORAN_PROGRAM)
      if(NOT other_program STREQUAL program)
        velloran_forbid_link(TARGET ${library} LIBRARY ${other})
      endif()
    endforeach()
  endforeach()
endfunction()

# velloran_program_libraries(NAME libraries...): records libraries as
# belonging to the program NAME (velloran_program does it for its own).
function(velloran_program_libraries name)
  foreach(library ${ARGN})
    set_target_properties(${library} PROPERTIES VELLORAN_PROGRAM ${name})
  endforeach()
  set_property(GLOBAL APPEND PROPERTY VELLORAN_PROGRAM_LIBRARIES ${ARGN})
endfunction()
