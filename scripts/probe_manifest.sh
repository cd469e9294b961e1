#!/usr/bin/env bash
# Probes the media files a Wine checks group listed, with this machine's own
# ffprobe: under Wine every ffprobe.exe costs seconds, natively a few
# milliseconds.
#   scripts/probe_manifest.sh MANIFEST...
# One line per file, tab-separated, the file relative to the manifest's folder:
#   FILE  STREAMS  SIZE  PIX_FMT  SECONDS  TOLERANCE  WHAT
# STREAMS: type:codec of every stream in order (video:h264,audio:aac); SIZE
# (WxH) and PIX_FMT of the first video stream, "-" when there is none; SECONDS
# the length every stream must have, within TOLERANCE of it, with every
# stream ending within TOLERANCE of the others; "-" for a still picture. WHAT
# names the action that wrote the file.
# A stream's length is measured from its packets (the header's figure is an
# estimate in some containers, MPEG-TS for one): from its first packet, or
# from the file's start when that is later (coder priming before it is not
# played), to the end of its last packet.
# Prints every mismatch and "render outputs: N checked by ffprobe, M failed";
# exit 1 when one failed or a manifest is missing.
set -uo pipefail
command -v ffprobe >/dev/null || { echo "FAIL: ffprobe is not installed (scripts/setup.sh test)" >&2; exit 1; }
checked=0 failed=0
for manifest in "$@"; do
  [ -s "$manifest" ] || { echo "FAIL: no manifest $manifest"; failed=$((failed + 1)); continue; }
  folder="$(dirname "$manifest")"
  while IFS=$'\t' read -r file streams size pixfmt seconds tolerance what; do
    [ -n "$file" ] || continue
    checked=$((checked + 1))
    report="$(ffprobe -v error -show_entries \
      stream=index,codec_type,codec_name,width,height,pix_fmt:packet=stream_index,pts_time,dts_time,duration_time \
      -of flat "$folder/$file" 2>&1)" || { echo "FAIL: $what: $file cannot be read: $report"; failed=$((failed + 1)); continue; }
    problems="$(awk -v streams="$streams" -v size="$size" -v pixfmt="$pixfmt" -v seconds="$seconds" \
                    -v tolerance="$tolerance" '
      function abs(v) { return v < 0 ? -v : v }
      function number(v) { return v == "N/A" || v == "" ? "" : v + 0 }
      {
        eq = index($0, "="); split(substr($0, 1, eq - 1), k, "."); value = substr($0, eq + 1); gsub(/"/, "", value)
        if (k[1] == "streams") { field[k[3] + 0, k[4]] = value; if (k[3] + 1 > count) count = k[3] + 1; next }
        if (k[1] != "packets") next
        p = k[3] + 0; packet[p, k[4]] = value; if (p + 1 > packets) packets = p + 1
      }
      END {
        got = ""; picture = -1
        for (i = 0; i < count; i++) {
          got = got (i ? "," : "") field[i, "codec_type"] ":" field[i, "codec_name"]
          if (picture < 0 && field[i, "codec_type"] == "video") picture = i
        }
        if (got != streams) out = out " streams " got ";"
        if (size != "-" && (picture < 0 || field[picture, "width"] "x" field[picture, "height"] != size))
          out = out " size " field[picture, "width"] "x" field[picture, "height"] ";"
        if (pixfmt != "-" && (picture < 0 || field[picture, "pix_fmt"] != pixfmt))
          out = out " pixel format " field[picture, "pix_fmt"] ";"
        if (seconds == "-") { print out; exit }
        for (p = 0; p < packets; p++) {
          i = packet[p, "stream_index"] + 0; t = number(packet[p, "pts_time"])
          if (t == "") t = number(packet[p, "dts_time"])
          if (t == "") continue
          d = number(packet[p, "duration_time"]) + 0
          if (!((i) in first) || t < first[i]) first[i] = t
          if (!((i) in last) || t + d > last[i]) last[i] = t + d
        }
        origin = ""
        for (i = 0; i < count; i++) if ((i) in first && (origin == "" || first[i] < origin)) origin = first[i]
        if (origin < 0) origin = 0
        lengths = ""; low = 1e9; high = -1e9; bad = count == 0
        for (i = 0; i < count; i++) {
          if (!((i) in first)) { bad = 1; lengths = lengths (i ? "," : "") "none"; continue }
          span = last[i] - (first[i] > origin ? first[i] : origin)
          lengths = lengths (i ? "," : "") sprintf("%.3f", span)
          if (abs(span - seconds) > tolerance + 1e-6) bad = 1
          if (last[i] < low) low = last[i]
          if (last[i] > high) high = last[i]
        }
        if (high - low > tolerance + 1e-6) bad = 1
        if (bad) out = out sprintf(" lengths %s s, ends %.3f s apart;", lengths, high - low)
        print out
      }' <<< "$report")"
    if [ -n "$problems" ]; then
      echo "FAIL: $what: $file:$problems expected $streams $size $pixfmt ${seconds} s (within $tolerance s)"
      failed=$((failed + 1))
    fi
  done < "$manifest"
done
echo "render outputs: $checked checked by ffprobe, $failed failed"
[ "$failed" -eq 0 ]
