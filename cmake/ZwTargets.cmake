# Warnings and test registration for our own targets only (never for GoogleTest or Qt headers).
function(zw_target_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
        -Wno-sign-conversion -Werror)
    # GCC 12 reports false -Wrestrict errors inside std::string concatenation at -O3.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()

# zw_add_test(name source... [LIBS lib...]) builds a GoogleTest executable and registers it.
function(zw_add_test name)
    cmake_parse_arguments(ARG "" "" "LIBS;ENV" ${ARGN})
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE zw_test_support GTest::gtest_main ${ARG_LIBS})
    zw_target_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    if(ARG_ENV)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${ARG_ENV}")
    endif()
endfunction()
