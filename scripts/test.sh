#!/usr/bin/env bash
# Builds the native plug-in, the host simulator and the tests, and runs every
# test: native unit and integration tests against the real ffmpeg (Debian's
# 5.1, and a group of them again against Debian 13's 7.1), the Windows export
# check and the Wine tests of the cross-compiled DLL.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh" test
# Debian 13's FFmpeg 7.1 for native.ffmpeg71, unpacked once into the cache.
bash "$root/scripts/ffmpeg71.sh" prepare
# The Windows ffmpeg.exe/ffprobe.exe of the Wine checks, from the npm registry.
bash "$root/scripts/windows_tools.sh"
build="$root/build/native"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQMT_BUILD_TESTS=ON
# The Windows trees build beside the native one: the shipping i686 DLL, and
# the x86_64 DLL with the Wine checks program and qmthost.exe. The tests that
# use a tree wait for its build (scripts/cross_build.sh locks each tree), and
# a failed build fails them with its log.
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
bash "$root/scripts/cross_build.sh" "$root" "$build" i686 quillmont 2>/dev/null &
bash "$root/scripts/cross_build.sh" "$root" "$build" x86_64 quillmont qmt_wine_checks qmthost 2>/dev/null &
cmake --build "$build" -j2
cd "$build"
# Three jobs on two cores: many tests spend part of their time waiting (a
# player playing, a dialog, a preview, a blocked tool), which a third job fills.
ctest -j3 --output-on-failure --timeout 600
