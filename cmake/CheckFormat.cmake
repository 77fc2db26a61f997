# Runs clang-format in check mode over every C++ file of the project's own code.
if(NOT CLANG_FORMAT)
    message(FATAL_ERROR "clang-format is not installed (Debian package clang-format)")
endif()
file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/tests/*.cpp
     ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/fuzz/*.cpp
     ${SOURCE_DIR}/examples/*.cpp)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${files} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "clang-format found unformatted code; run clang-format -i on the files above")
endif()
