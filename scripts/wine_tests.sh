#!/usr/bin/env bash
# Runs the Win32 checks program of the x86_64 DLL under Wine with Xvfb,
# against the Windows ffmpeg/ffprobe that npm registry packages ship. Fails,
# never skips, when Wine, Xvfb, npm or MinGW-w64 is missing.
#   scripts/wine_tests.sh SOURCE_DIR BUILD_ROOT
set -euo pipefail
src="${1:?usage: wine_tests.sh SOURCE_DIR BUILD_ROOT}"
root="${2:?usage: wine_tests.sh SOURCE_DIR BUILD_ROOT}"
for tool in wine xvfb-run winepath npm x86_64-w64-mingw32-g++; do
  command -v "$tool" >/dev/null || { echo "Wine tests need $tool, which is not installed" >&2; exit 1; }
done

build="$root/win-x86_64"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-mingw-x86_64.cmake" > "$build.wine.log" 2>&1 ||
  { cat "$build.wine.log"; exit 1; }
cmake --build "$build" -j2 --target quillmont qmt_wine_checks >> "$build.wine.log" 2>&1 ||
  { tail -40 "$build.wine.log"; exit 1; }

# The Windows tools come out of the packages' tarballs, fetched once per build tree.
tools="$root/wine-tools"
mkdir -p "$tools"
for pkg in ffmpeg ffprobe; do
  [ -s "$tools/$pkg.exe" ] && continue
  (cd "$tools" && rm -rf package && npm pack "@$pkg-installer/win32-x64" --silent > pack.txt &&
     tar xzf "$(tail -1 pack.txt)" && cp "$(find package -name "$pkg.exe" | head -1)" "$pkg.exe" && rm -rf package)
  [ -s "$tools/$pkg.exe" ] || { echo "could not unpack $pkg.exe from its npm package" >&2; exit 1; }
done

work="$root/wine-work"
rm -rf "$work" && mkdir -p "$work"
export WINEDEBUG=-all
w() { winepath -w "$1" 2>/dev/null; }
xvfb-run -a wine "$build/qmt_wine_checks.exe" --dll "$(w "$build/quillmont.dll")" --tools "$(w "$tools")" \
  --work "$(w "$work")"
