# Shared by the benchmark scripts: the native jobsift-cli (built when missing) and the floor
# program, built afresh. Sets root, cli and floor; `work` is the folder given, or build/bench/$1.
root=$(cd "$(dirname "$0")/../.." && pwd)
cli=$root/build/native/cli/jobsift-cli
floor=$root/build/bench/floor
[ -x "$cli" ] || { cmake --preset native >/dev/null && cmake --build --preset native --target jobsift-cli; }
mkdir -p "$root/build/bench"
c++ -O2 -std=c++20 -o "$floor" "$root/scripts/bench/floor.cpp" -lz
