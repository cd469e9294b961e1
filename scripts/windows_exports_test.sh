#!/usr/bin/env bash
# Cross-compiles the Windows DLL for i686 (the shipping target) and checks its
# export table; the x86_64 DLL's is checked where the Wine checks build it
# (scripts/wine_tests.sh). Fails, never skips, when MinGW-w64 is missing.
#   scripts/windows_exports_test.sh SOURCE_DIR BUILD_ROOT
set -euo pipefail
src="${1:?usage: windows_exports_test.sh SOURCE_DIR BUILD_ROOT}"
root="${2:?usage: windows_exports_test.sh SOURCE_DIR BUILD_ROOT}"
arch=i686
command -v "$arch-w64-mingw32-g++" >/dev/null || { echo "MinGW-w64 for $arch is not installed" >&2; exit 1; }
build="$root/win-$arch"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-mingw-$arch.cmake" > "$build.log" 2>&1 ||
  { cat "$build.log"; exit 1; }
cmake --build "$build" -j2 --target quillmont >> "$build.log" 2>&1 || { tail -40 "$build.log"; exit 1; }
bash "$src/scripts/check_exports.sh" "$build/quillmont.dll" "$arch-w64-mingw32-objdump"
echo "Windows exports: OK"
