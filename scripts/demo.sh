#!/usr/bin/env bash
# Builds the native plug-in and the host simulator, generates demo media with
# ffmpeg's lavfi sources and runs the demo scripts, which write real videos.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh" demo
# A build tree of its own, so the demo never reconfigures the one the tests
# and benchmarks use.
build="$root/build/demo"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQMT_BUILD_TESTS=OFF
cmake --build "$build" -j2 --target qmthost quillmont

out="$root/out/demo"
media="$out/media"
mkdir -p "$media"
gen() { [ -s "$media/$1" ] || ffmpeg -v error -y "${@:2}" "$media/$1"; }
echo "Generating demo media in $media"
gen clip_a.mp4 -f lavfi -i testsrc=size=640x360:rate=25:duration=4 -f lavfi -i sine=frequency=440:duration=4 \
  -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -shortest
gen clip_b.mp4 -f lavfi -i testsrc2=size=640x360:rate=25:duration=4 -f lavfi -i sine=frequency=660:duration=4 \
  -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -shortest
gen music.wav -f lavfi -i sine=frequency=330:sample_rate=44100:duration=6
gen logo.png -f lavfi -i "color=c=orange:size=160x90,drawbox=x=10:y=10:w=140:h=70:color=navy:t=fill" -frames:v 1
[ -s "$media/subs.srt" ] || printf '1\r\n00:00:00,500 --> 00:00:01,800\r\nHello from Quillmont\r\n\r\n2\r\n00:00:02,000 --> 00:00:03,500\r\nSecond cue\r\n\r\n' > "$media/subs.srt"

# Without a display FFplay previews play on SDL's dummy drivers.
if [ -z "${DISPLAY:-}" ]; then export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"; fi

status=0
for script in "$root"/demo/*.qmt; do
  echo
  echo "== $(basename "$script")"
  "$build/qmthost" --var "[Media]=$media/" --var "[Out]=$out/" --var "[PubDir]=$out/" "$script" || status=1
done
echo
echo "Demo outputs are in $out"
ls -l "$out" | grep -v '^total' || true
# The window pictures the scripts captured, each BMP also as a PNG, which
# more viewers open.
echo
echo "Window pictures:"
shopt -s nullglob
for bmp in "$out"/*.bmp; do
  ffmpeg -v error -y -i "$bmp" "${bmp%.*}.png" || status=1
  echo "  $bmp (and ${bmp%.*}.png)"
done
exit $status
