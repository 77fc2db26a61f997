# Shared build settings of the project's own code.
add_library(tesmor_warnings INTERFACE)
target_compile_options(tesmor_warnings INTERFACE -Wall -Wextra -Werror)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports false -Wrestrict warnings inside std::string at -O2 and above
    # (GCC bug 105329); the warning stays on for every other compiler.
    target_compile_options(tesmor_warnings INTERFACE -Wno-restrict)
endif()

# tesmor_module(NAME SOURCES files... DEPENDS libraries...) builds the listed files of
# src/<NAME>/ into the static library tesmor_<NAME>.
function(tesmor_module name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;DEPENDS")
    add_library(tesmor_${name} STATIC ${arg_SOURCES})
    target_include_directories(tesmor_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(tesmor_${name} PUBLIC ${arg_DEPENDS} PRIVATE tesmor_warnings)
endfunction()

# tesmor_test(NAME SOURCES files... DEPENDS libraries...) builds the listed files of
# tests/<NAME>/ with the shared test support into tesmor_<NAME>_tests and registers every
# GoogleTest case with CTest, labelled NAME.
function(tesmor_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;DEPENDS")
    add_executable(tesmor_${name}_tests ${arg_SOURCES})
    target_link_libraries(tesmor_${name}_tests PRIVATE ${arg_DEPENDS} tesmor_test_support
                          GTest::gtest GTest::gmock tesmor_warnings)
    gtest_discover_tests(tesmor_${name}_tests DISCOVERY_MODE PRE_TEST
                         WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                         PROPERTIES ENVIRONMENT "TESMOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                                    LABELS ${name})
endfunction()
