# The native build: the core's pure logic and its tests, under the
# sanitizers, and libFuzzer targets when the compiler is clang.
add_subdirectory(tests/host)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_subdirectory(tests/fuzz)
endif()
