#!/usr/bin/env bash
# Builds the native plug-in and the benchmarks in the test build tree and
# prints their figures (timeline render cost, per-operation overhead).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh" test
build="$root/build/native"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQMT_BUILD_TESTS=ON
cmake --build "$build" -j2 --target bench
