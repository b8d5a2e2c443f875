# JOBSIFT_RELEASE builds the programs as they are shipped (scripts/release.sh): stripped, and the
# same bytes from the same sources whatever the build folder; the time is the commit's, given to
# the compiler as SOURCE_DATE_EPOCH.
option(JOBSIFT_RELEASE "Build the programs as shipped: stripped, no build paths or link time inside" OFF)
if(JOBSIFT_RELEASE)
    # The build folder is mapped last, as GCC takes the last option that matches.
    add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
    add_link_options(-s)
    if(WIN32)
        add_link_options(-Wl,--no-insert-timestamp)
    else()
        # The Linux jobsift-cli then needs nothing beyond the C library (zlib too is linked in).
        add_link_options(-static-libstdc++ -static-libgcc)
    endif()
endif()
