include(GoogleTest)

# Natively every test case is its own ctest entry; under Wine one process per executable
# keeps the run short, and the verbose test preset shows each case.
function(jobsift_add_gtest target)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
    else()
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 30)
    endif()
endfunction()
