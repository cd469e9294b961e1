#!/usr/bin/env bash
# Cross-compiles the Windows DLL for i686 (the shipping target) and checks its
# export table; the x86_64 DLL's is checked where the Wine checks build it
# (scripts/wine_tests.sh). Fails, never skips, when MinGW-w64 is missing.
#   scripts/windows_exports_test.sh SOURCE_DIR BUILD_ROOT
set -euo pipefail
src="${1:?usage: windows_exports_test.sh SOURCE_DIR BUILD_ROOT}"
root="${2:?usage: windows_exports_test.sh SOURCE_DIR BUILD_ROOT}"
bash "$src/scripts/cross_build.sh" "$src" "$root" i686 quillmont
bash "$src/scripts/check_exports.sh" "$root/win-i686/quillmont.dll" i686-w64-mingw32-objdump
echo "Windows exports: OK"
