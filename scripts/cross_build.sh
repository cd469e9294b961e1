#!/usr/bin/env bash
# Cross-compiles targets of the Windows tree of one architecture,
# BUILD_ROOT/win-ARCH (Release, MinGW-w64), logging to BUILD_ROOT/win-ARCH.log.
# One build of a tree at a time: a second caller waits for the first and then
# finds its targets built. scripts/test.sh starts both trees beside the native
# build; the export check, the Wine checks and the release package call it
# again for what they use.
#   scripts/cross_build.sh SOURCE_DIR BUILD_ROOT ARCH TARGET...   (ARCH: i686 or x86_64)
set -euo pipefail
usage="usage: cross_build.sh SOURCE_DIR BUILD_ROOT ARCH TARGET..."
src="${1:?$usage}" root="${2:?$usage}" arch="${3:?$usage}"
shift 3
[ $# -gt 0 ] || { echo "$usage" >&2; exit 2; }
command -v "$arch-w64-mingw32-g++" >/dev/null ||
  { echo "MinGW-w64 for $arch is not installed (scripts/setup.sh test)" >&2; exit 1; }
build="$root/win-$arch"
log="$build.log"
mkdir -p "$root"
exec 8> "$build.lock"
flock 8
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-mingw-$arch.cmake" > "$log" 2>&1 || { cat "$log" >&2; exit 1; }
cmake --build "$build" -j2 --target "$@" >> "$log" 2>&1 || { tail -40 "$log" >&2; exit 1; }
