# The libraries the program builds on, from Debian's packages, as two targets that every build
# links the same way: jobsift::zlib (the CRC-32 and its combination) and jobsift::json (the
# command line's JSON output, header-only).
if(WIN32 OR JOBSIFT_RELEASE)
    # zlib goes into the programs (libz.a): each Windows program is one file, with no zlib1.dll
    # beside it, and the shipped Linux jobsift-cli needs no zlib package.
    set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
add_library(jobsift_zlib INTERFACE)
target_link_libraries(jobsift_zlib INTERFACE ZLIB::ZLIB)
add_library(jobsift::zlib ALIAS jobsift_zlib)

# The JSON library is header-only and the same for every target. A cross build must not search
# the host's /usr/include as a whole, so it sees the library's own folder through a link in the
# build tree.
find_path(JOBSIFT_JSON_ROOT nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT JOBSIFT_JSON_ROOT)
    message(FATAL_ERROR "nlohmann/json.hpp not found: install Debian's nlohmann-json3-dev (scripts/setup.sh)")
endif()
set(jobsift_json_include ${CMAKE_BINARY_DIR}/third-party/include)
file(MAKE_DIRECTORY ${jobsift_json_include})
file(CREATE_LINK ${JOBSIFT_JSON_ROOT}/nlohmann ${jobsift_json_include}/nlohmann SYMBOLIC)
add_library(jobsift_json INTERFACE)
target_include_directories(jobsift_json SYSTEM INTERFACE ${jobsift_json_include})
add_library(jobsift::json ALIAS jobsift_json)
