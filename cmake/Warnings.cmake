# Warnings for our own targets only; third-party code keeps its own settings.
function(jobsift_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion)
endfunction()
