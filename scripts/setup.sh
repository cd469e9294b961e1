#!/usr/bin/env bash
# Installs the Debian packages a job needs, only those that are missing.
#   scripts/setup.sh demo   - native build and ffmpeg
#   scripts/setup.sh test   - also GoogleTest, MinGW-w64, 64- and 32-bit Wine,
#                             Xvfb, the GStreamer plug-ins Wine's MCI plays
#                             through (both architectures), a font for the
#                             Wine prefix, npm and debootstrap (it unpacks the
#                             newer FFmpeg the tests also run)
set -euo pipefail
job="${1:-test}"
packages=(cmake ninja-build g++ make ffmpeg)
gst=(gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
     gstreamer1.0-plugins-ugly gstreamer1.0-libav)
if [ "$job" = test ]; then
  packages+=(libgtest-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
             binutils-mingw-w64-x86-64 wine wine64 wine32:i386 xvfb xauth fonts-dejavu-core "${gst[@]}" debootstrap)
  for p in "${gst[@]}"; do packages+=("$p:i386"); done
  # npm may come with a Node.js that is not Debian's; only its command matters.
  command -v npm >/dev/null 2>&1 || packages+=(npm)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  apt_opts=(-o DPkg::Lock::Timeout=600)
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get "${apt_opts[@]}" update
  "${sudo_cmd[@]}" apt-get "${apt_opts[@]}" install -y --no-install-recommends "${missing[@]}"
fi
