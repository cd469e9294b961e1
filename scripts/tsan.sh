#!/usr/bin/env bash
# Builds the native plug-in and the unit tests with ThreadSanitizer in a build
# tree of their own (build/tsan) and runs the tests whose workers share records
# with the host's thread. Fails when a test fails or ThreadSanitizer reports a
# data race or a lock-order inversion.
#   scripts/tsan.sh [GTEST_FILTER]   (default: the strip workers and the windows they feed)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh" test
build="$root/build/tsan"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQMT_BUILD_TESTS=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread"
cmake --build "$build" -j2 --target quillmont qmt_unit_tests
filter="${1:-StripWorkers.*:FilmstripWindow.*:WaveLaneWindows.*}"
cd "$build"
# A report makes the run exit 66 even when every test passes.
TSAN_OPTIONS="exitcode=66 second_deadlock_stack=1 ${TSAN_OPTIONS:-}" ./qmt_unit_tests --gtest_filter="$filter"
