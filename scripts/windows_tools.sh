#!/usr/bin/env bash
# Unpacks the Windows ffmpeg.exe/ffprobe.exe that the npm registry packages
# @ffmpeg-installer/win32-ARCH and @ffprobe-installer/win32-ARCH ship in their
# tarballs, once, into the cache; the Wine checks run them. Part of the test
# set-up (scripts/test.sh), and run again by scripts/wine_tests.sh, where it
# does nothing when they are there.
#   scripts/windows_tools.sh [x64|ia32 ...]    (default: both)
# Environment:
#   QMT_CACHE   where the tools are kept (default ~/.cache/quillmont)
set -euo pipefail
command -v npm >/dev/null || { echo "the Windows tools come through npm, which is not installed (scripts/setup.sh test)" >&2; exit 1; }
cache="${QMT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillmont}"
archs=("$@")
[ $# -gt 0 ] || archs=(x64 ia32)
for arch in "${archs[@]}"; do
  tools="$cache/win32-$arch"
  mkdir -p "$tools"
  for pkg in ffmpeg ffprobe; do
    [ -s "$tools/$pkg.exe" ] && continue
    unpack="$(mktemp -d "$tools/unpack.XXXXXX")"
    (cd "$unpack" && npm pack "@$pkg-installer/win32-$arch" --silent > pack.txt && tar xzf "$(tail -1 pack.txt)")
    exe="$(find "$unpack/package" -name "$pkg.exe" | head -1)"
    [ -n "$exe" ] && [ -s "$exe" ] || { echo "could not unpack $pkg.exe from @$pkg-installer/win32-$arch" >&2; exit 1; }
    mv -f "$exe" "$tools/$pkg.exe"   # atomic: a parallel run sees the whole file or none
    rm -rf "$unpack"
  done
done
