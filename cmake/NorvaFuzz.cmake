# norva_add_fuzz_target(NAME SOURCES src... LIBS lib... CORPUS dir)
#
# With NORVA_FUZZ (clang) the target is a real libFuzzer binary. Otherwise it is linked with a
# small driver that feeds every file of the corpus to the entry point once, and ctest runs it, so
# the corpus is replayed in every normal build.
function(norva_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} norva_warnings)
  if(NORVA_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    add_test(NAME ${name}_corpus COMMAND ${name} ${ARG_CORPUS})
    set_tests_properties(${name}_corpus PROPERTIES LABELS "fuzz;core")
  endif()
  set_property(GLOBAL APPEND PROPERTY NORVA_FUZZ_TARGETS "$<TARGET_FILE:${name}>|${ARG_CORPUS}")
endfunction()

# Writes build/<preset>/fuzz_targets.txt: one "binary|corpus folder" line per target, for
# scripts/fuzz.sh. Called once after every folder has added its targets.
function(norva_write_fuzz_target_list)
  get_property(targets GLOBAL PROPERTY NORVA_FUZZ_TARGETS)
  string(REPLACE ";" "\n" lines "${targets}")
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzz_targets.txt CONTENT "${lines}\n")
endfunction()
