# The inputs the fuzzers once crashed on, and the seeds they start from, replayed through the same
# entry functions in every build.
include(${PROJECT_SOURCE_DIR}/fuzz/entries.cmake)
add_executable(quillmont_fuzz_replay ${CMAKE_CURRENT_LIST_DIR}/replay.cpp)
quillmont_target_defaults(quillmont_fuzz_replay)
target_link_libraries(quillmont_fuzz_replay PRIVATE quillmont_fuzz_entries)

set(QM_FUZZ_SEEDS ${CMAKE_CURRENT_BINARY_DIR}/fuzz-seeds)
add_test(NAME fuzz_seeds COMMAND quillmont_fuzz_seeds ${QM_FUZZ_SEEDS})
set_tests_properties(fuzz_seeds PROPERTIES FIXTURES_SETUP fuzz_seeds)
add_test(NAME fuzz_regressions
  COMMAND quillmont_fuzz_replay ${PROJECT_SOURCE_DIR}/tests/fuzz-regressions ${QM_FUZZ_SEEDS})
set_tests_properties(fuzz_regressions PROPERTIES FIXTURES_REQUIRED fuzz_seeds TIMEOUT 300)
