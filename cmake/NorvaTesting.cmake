# norva_add_test(NAME SOURCES src... LIBS lib... LABELS label...)
# A GoogleTest program whose tests ctest discovers one by one. Label "core" marks tests of the
# standard-C++ core (run again under the sanitizers); "threads" marks tests run under TSan.
function(norva_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock norva_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE NORVA_TEST_DATA_DIR="${NORVA_TEST_DATA_DIR}")
  gtest_discover_tests(${name} PROPERTIES LABELS "${ARG_LABELS}" DISCOVERY_TIMEOUT 120)
endfunction()
