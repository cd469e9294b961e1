#!/usr/bin/env bash
# Cross-compiles one Windows DLL with its Win32 checks program and runs the
# checks under Wine with Xvfb, against the Windows ffmpeg.exe/ffprobe.exe of
# the same architecture that npm registry packages ship in their tarballs.
# Fails, never skips, when anything it needs is missing.
#   scripts/wine_tests.sh SOURCE_DIR BUILD_ROOT ARCH     (ARCH: x86_64 or i686)
# Environment:
#   QMT_WINEPREFIX    Wine prefix of the tests (default BUILD_ROOT/wine-prefix): one
#                     WoW64 prefix runs both DLLs; made on first use, made again
#                     when Wine changed (e.g. 32-bit Wine installed after it)
#   QMT_CACHE         where the unpacked Windows tools are kept between runs
#                     (default ~/.cache/quillmont)
#   QMT_WINE_TIMEOUT  seconds for the whole Wine session (default 480)
#   QMT_WINE_GROUP    run only this group of checks (see tests/wine/wine_checks.cpp)
set -euo pipefail

if [ "${1:-}" = --in-display ]; then
  # The Wine session, inside the one xvfb-run: every Wine process of the run
  # starts here, so all of them share its display.
  shift
  prefix="$1" stamp="$2" boot_loader="$3" loader="$4" checks="$5" font="$6"
  shift 6
  if [ ! -f "$prefix/.quillmont" ]; then
    start=$SECONDS
    [ "$boot_loader" = /usr/bin/wine ] || export WINELOADER="$boot_loader"
    WINEARCH=win64 "$boot_loader" wineboot.exe --init || { echo "FAIL: wineboot could not make $prefix" >&2; exit 1; }
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n\n'`
          `'[HKEY_CURRENT_USER\\Software\\Wine\\Direct3D]\n"renderer"="gdi"\n' > "$prefix/quillmont.reg"
    "$boot_loader" regedit.exe /S "Z:${prefix//\//\\}\\quillmont.reg" ||
      { echo "FAIL: the registry settings could not be written into $prefix" >&2; exit 1; }
    echo "$stamp" > "$prefix/.quillmont"
    echo "Wine prefix made in $((SECONDS - start)) s"
  fi
  # Windows always has fonts in C:\windows\Fonts, a new prefix none: without
  # one, drawtext without fontfile finds no font. Checked on every run, so a
  # prefix made before this gets it too.
  fonts="$prefix/drive_c/windows/Fonts"
  [ -s "$fonts/arial.ttf" ] || { mkdir -p "$fonts" && cp "$font" "$fonts/arial.ttf"; } ||
    { echo "FAIL: no font could be put into $fonts" >&2; exit 1; }
  rc=0
  start=$SECONDS
  WINELOADER="$loader" "$loader" "$checks" "$@" || rc=$?
  checks_end=$SECONDS
  # Ends the services the prefix started at once, instead of waiting for
  # their idle timeouts.
  wineserver -k 2>/dev/null || true
  wineserver -w
  echo "checks $((checks_end - start)) s, Wine ended $((SECONDS - checks_end)) s later"
  exit $rc
fi

src="${1:?usage: wine_tests.sh SOURCE_DIR BUILD_ROOT ARCH}"
root="${2:?usage: wine_tests.sh SOURCE_DIR BUILD_ROOT ARCH}"
arch="${3:?usage: wine_tests.sh SOURCE_DIR BUILD_ROOT ARCH}"
case "$arch" in
  x86_64) npm_arch=x64 ;;
  i686) npm_arch=ia32 ;;
  *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac
for tool in wine wineserver xvfb-run xauth npm timeout flock ffprobe "$arch-w64-mingw32-g++"; do
  command -v "$tool" >/dev/null || { echo "Wine tests need $tool, which is not installed (scripts/setup.sh test)" >&2; exit 1; }
done
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
[ -s "$font" ] || { echo "Wine tests need $font (fonts-dejavu-core, scripts/setup.sh test)" >&2; exit 1; }
installed() { dpkg-query -W -f='${Status} ${Version}' "$1" 2>/dev/null | sed -n 's/^install ok installed //p'; }
wine32="$(installed wine32:i386)"
# Debian's loaders: /usr/bin/wine starts the 32-bit one when wine32 is
# installed, which hands 64-bit programs on to wine64.
wine64_loader=""
for candidate in /usr/lib/wine/wine64 wine64; do
  command -v "$candidate" >/dev/null && { wine64_loader="$(command -v "$candidate")"; break; }
done
wine32_loader=/usr/lib/wine/wine
[ -n "$wine64_loader" ] || { echo "64-bit Wine (wine64) is not installed (scripts/setup.sh test)" >&2; exit 1; }
# Some kernels are built or booted without IA-32 emulation: no 32-bit program
# starts at all (the 32-bit Wine loader gives "Exec format error"), or only
# through a CPU emulator registered with binfmt_misc (qemu-i386), far too
# slow for Wine. Only a kernel that runs them itself counts.
runs32=no
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  runs32=yes
  for entry in /proc/sys/fs/binfmt_misc/*; do
    case "$(basename "$entry")" in register|status) continue ;; esac
    grep -qx enabled "$entry" 2>/dev/null && grep -q '^interpreter .*\(i386\|i486\|i686\)' "$entry" &&
      runs32=emulated
  done
fi
if [ "$arch" = i686 ] && [ $runs32 != yes ]; then
  note=""
  [ $runs32 = emulated ] && note="; only a CPU emulator runs them here"
  echo "NOT RUN: this machine's kernel runs no 32-bit x86 programs (IA-32 emulation is off; it is turned on" \
       "with the kernel option ia32_emulation=on$note), so" \
       "32-bit Wine cannot start the i686 DLL's checks; ctest lists wine.i686 as not run. Nothing was" \
       "built for it (the export check and the release package build the i686 DLL)." >&2
  # A machine that cannot execute 32-bit code at all is not a fault of the
  # plug-in; ctest reports this code as "not run" (see tests/CMakeLists.txt)
  # so the run says so plainly, before any time goes into building for it.
  exit 77
fi
if [ "$arch" = i686 ]; then
  [ -n "$wine32" ] || { echo "FAIL: 32-bit Wine (wine32:i386) is not installed (scripts/setup.sh test)" >&2; exit 1; }
  loader=$wine32_loader
else
  loader=$wine64_loader
fi
# The prefix is made WoW64 (both halves) whenever 32-bit Wine can run.
# Otherwise 64-bit Wine gets a 32-bit loader beside it that fails at once:
# 64-bit Wine looks for "wine" next to WINELOADER when a 32-bit program is
# started (wineboot starts some), and the real one would crawl through an
# emulator or fail.
boot_loader=$wine64_loader
if [ -n "$wine32" ] && [ $runs32 = yes ]; then
  boot_loader=/usr/bin/wine
elif [ "$arch" = x86_64 ]; then
  loaders="$root/wine-loaders"
  mkdir -p "$loaders"
  for f in wine64 wine64-preloader; do
    [ -e "$(dirname "$wine64_loader")/$f" ] && ln -sfn "$(dirname "$wine64_loader")/$f" "$loaders/$f"
  done
  printf '#!/bin/sh\necho "32-bit Wine does not run on this machine" >&2\nexit 1\n' > "$loaders/wine"
  chmod +x "$loaders/wine"
  wine64_loader="$loaders/wine64" loader="$loaders/wine64" boot_loader="$loaders/wine64"
fi
t0=$SECONDS

build="$root/win-$arch"
bash "$src/scripts/cross_build.sh" "$src" "$root" "$arch" quillmont qmt_wine_checks qmthost
# The DLL's export table, checked where it is built: windows.exports builds
# only the shipping i686 DLL, so it and the x86_64 run start side by side.
bash "$src/scripts/check_exports.sh" "$build/quillmont.dll" "$arch-w64-mingw32-objdump"
t_build=$((SECONDS - t0))

# The Windows tools come out of the npm packages' tarballs, unpacked once and kept.
tools="${QMT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillmont}/win32-$npm_arch"
bash "$src/scripts/windows_tools.sh" "$npm_arch"
t_tools=$((SECONDS - t0 - t_build))

# The prefix is the tests' own; one made before 32-bit Wine was installed (or
# could run, or by another Wine) cannot run 32-bit programs and is made again.
prefix="${QMT_WINEPREFIX:-$root/wine-prefix}"
case "$prefix" in /*) ;; *) prefix="$PWD/$prefix" ;; esac
stamp="wine64 $(installed wine64) wine32 ${wine32:-none} runs32 $runs32"
mkdir -p "$prefix"
exec 9> "$prefix.lock"
flock 9   # one run at a time per prefix
if [ -f "$prefix/.quillmont" ] && [ "$(cat "$prefix/.quillmont")" != "$stamp" ]; then
  echo "Wine prefix $prefix was made by another Wine; making it again"
  rm -rf "$prefix" && mkdir -p "$prefix"
elif [ ! -f "$prefix/.quillmont" ] && [ -n "$(ls -A "$prefix")" ]; then
  [ -f "$prefix/.quillmont-making" ] || { echo "$prefix is not a Quillmont test prefix; choose another QMT_WINEPREFIX" >&2; exit 1; }
  rm -rf "$prefix" && mkdir -p "$prefix"
fi
[ -f "$prefix/.quillmont" ] || touch "$prefix/.quillmont-making"

work="$root/wine-work-$arch"
rm -rf "$work" && mkdir -p "$work"
printf 'pcm.!default { type null }\n' > "$prefix/asound.conf"

# Windows paths are built as text: winepath would be a Wine process outside Xvfb.
winpath() { local p="$1"; printf 'Z:%s' "${p//\//\\}"; }
args=(--dll "$(winpath "$build/quillmont.dll")" --tools "$(winpath "$tools")" --work "$(winpath "$work")")
[ -n "${QMT_WINE_GROUP:-}" ] && args+=(--group "$QMT_WINE_GROUP")

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" ALSA_CONFIG_PATH="$prefix/asound.conf"
rc=0
timeout -k 10 "${QMT_WINE_TIMEOUT:-480}" xvfb-run -a -s "-screen 0 1024x768x24" \
  bash "$0" --in-display "$prefix" "$stamp" "$boot_loader" "$loader" "$build/qmt_wine_checks.exe" "$font" "${args[@]}" || rc=$?
if [ "$rc" = 124 ] || [ "$rc" = 137 ]; then
  echo "FAIL: the Wine session did not end within ${QMT_WINE_TIMEOUT:-480} s" >&2
  wineserver -k 2>/dev/null || true
fi
# The renders group lists its outputs with what each must hold; they are
# probed here, natively, where ffprobe starts in milliseconds.
mapfile -t manifests < <(find "$work" -name render_manifest.txt)
if [ ${#manifests[@]} -gt 0 ]; then
  bash "$src/scripts/probe_manifest.sh" "${manifests[@]}" || { [ "$rc" != 0 ] || rc=1; }
fi
[ -f "$prefix/.quillmont" ] && rm -f "$prefix/.quillmont-making"
echo "wine.$arch: build ${t_build} s, tools ${t_tools} s, Wine $((SECONDS - t0 - t_build - t_tools)) s"
exit $rc
