# plyx_library(<name> [DEPS <targets>...])
#   A static library of every .cpp in the calling folder (not its subfolders),
#   named plyx_<name>. Headers are included from the project root, e.g.
#   #include "platform/store/Defaults.h".
function(plyx_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  file(GLOB _hdr CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_library(plyx_${name} STATIC ${_src} ${_hdr})
  target_include_directories(plyx_${name} PUBLIC "${CMAKE_SOURCE_DIR}")
  target_link_libraries(plyx_${name} PUBLIC ${ARG_DEPS})
  set_target_properties(plyx_${name} PROPERTIES AUTOMOC ON POSITION_INDEPENDENT_CODE ON)
endfunction()

# plyx_test(<name> [DEPS <targets>...])
#   One GoogleTest executable test_<name> of every .cpp in the calling folder,
#   linked with the shared test main (temporary XDG folders, fixed TZ and
#   locale, offscreen Qt). Each test case is its own CTest test.
function(plyx_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_executable(test_${name} ${_src})
  target_link_libraries(test_${name} PRIVATE plyx_testsupport ${ARG_DEPS} GTest::gmock)
  target_compile_definitions(test_${name} PRIVATE
    PLYX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    PLYX_FIXTURES="${CMAKE_CURRENT_SOURCE_DIR}/fixtures"
    PLYX_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set_target_properties(test_${name} PROPERTIES AUTOMOC ON)
  gtest_discover_tests(test_${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()

# plyx_bench(<name> [DEPS <targets>...]): one Google Benchmark program.
function(plyx_bench name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  file(GLOB _src CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_executable(bench_${name} ${_src})
  target_link_libraries(bench_${name} PRIVATE ${ARG_DEPS} benchmark::benchmark_main)
endfunction()
