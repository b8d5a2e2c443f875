include(GoogleTest)

# A test that runs Windows programs under Wine, in the build's one Wine prefix. The prefix's
# wineserver and desktop outlive the test that started them and stay bound to its display, so
# its tests take turns however many ctest runs at once. A Windows build without Wine (see
# JOBSIFT_WINE) builds its tests and registers none.
function(jobsift_add_wine_test name)
    if(JOBSIFT_WINE)
        add_test(NAME ${name} COMMAND ${ARGN})
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_prefix)
    endif()
endfunction()

# Natively every test case is its own ctest entry; under Wine or another emulator one process
# per executable keeps the run short, and the verbose test preset shows each case.
function(jobsift_add_gtest target)
    if(WIN32)
        jobsift_add_wine_test(${target} ${target})
    elseif(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
    else()
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 30)
    endif()
endfunction()

# A program that tests: it links the platform variant whose fault seams it can arm.
function(jobsift_test_program target)
    set_target_properties(${target} PROPERTIES JOBSIFT_FAULT_SEAMS ON)
endfunction()
