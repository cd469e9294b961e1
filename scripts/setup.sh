#!/usr/bin/env bash
# Installs the Debian packages a job needs, only those that are missing.
#   scripts/setup.sh demo   - native build and ffmpeg
#   scripts/setup.sh test   - also GoogleTest, MinGW-w64, Wine, Xvfb and npm
set -euo pipefail
job="${1:-test}"
packages=(cmake ninja-build g++ make ffmpeg)
if [ "$job" = test ]; then
  packages+=(libgtest-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
             binutils-mingw-w64-x86-64 wine wine64 xvfb xauth)
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
  "${sudo_cmd[@]}" apt-get update
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
