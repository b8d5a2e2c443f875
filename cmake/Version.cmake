# The version is written once, in project() at the top. jobsift::version gives its forms to the
# code through the build's JobsiftVersion.h; the desktop program's manifest is made from it too.
set(jobsift_generated ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/JobsiftVersion.h.in ${jobsift_generated}/JobsiftVersion.h @ONLY)
add_library(jobsift_version INTERFACE)
target_include_directories(jobsift_version INTERFACE ${jobsift_generated})
add_library(jobsift::version ALIAS jobsift_version)

if(WIN32)
    # Windows matches the manifest's processor against the program's own.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(JOBSIFT_MANIFEST_PROCESSOR amd64)
    else()
        set(JOBSIFT_MANIFEST_PROCESSOR x86)
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/res/JOBSIFT.manifest.in ${jobsift_generated}/JOBSIFT.manifest @ONLY)

    # Compiles res/JOBSIFT.rc into a target. windres tells no dependencies, so they are listed
    # here: the script is built again when the version, manifest, icon or resource ids change.
    function(jobsift_add_resources target)
        set(script ${PROJECT_SOURCE_DIR}/res/JOBSIFT.rc)
        target_sources(${target} PRIVATE ${script})
        target_link_libraries(${target} PRIVATE jobsift::version)
        set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS
            "${jobsift_generated}/JobsiftVersion.h;${jobsift_generated}/JOBSIFT.manifest;${PROJECT_SOURCE_DIR}/res/JOBSIFT.ico;${PROJECT_SOURCE_DIR}/res/resource.h")
    endfunction()
endif()
