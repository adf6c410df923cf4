# norva_add_test(NAME SOURCES src... LIBS lib... LABELS label...)
# A GoogleTest program whose tests ctest discovers one by one. Label "core" marks tests of the
# standard-C++ core (run again under the sanitizers); "threads" marks tests run under TSan.
function(norva_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  # Every test may read its fixture files, whatever layer it tests.
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} norva_base_service GTest::gtest_main GTest::gmock
                                        norva_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE NORVA_TEST_DATA_DIR="${NORVA_TEST_DATA_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120)
  # Labels are set after discovery: a list of several would not survive discovery's own
  # argument handling. The discovered names are in ${name}_TESTS when this script runs.
  set(labels_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
  file(WRITE ${labels_script}
       "if(DEFINED ${name}_TESTS)\n"
       "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${ARG_LABELS}\")\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${labels_script})
endfunction()
