#!/usr/bin/env bash
# Debian 13's FFmpeg 7.1, the newest FFmpeg the plug-in is tested with, beside
# the system's 5.1: a minimal trixie tree unpacked once into the cache, and a
# tools folder whose ffmpeg/ffprobe/ffplay run that tree's binaries through the
# tree's own loader and libraries.
#   scripts/ffmpeg71.sh prepare                  - make the tree and the tools
#                                                  folder unless they are there
#   scripts/ffmpeg71.sh test INTEGRATION_TESTS UNIT_TESTS MEDIA_DIR
#        - run the render and operation tests below (the two test programs)
#          with those tools, generating their media into MEDIA_DIR
#   scripts/ffmpeg71.sh tools | filters          - print the tools folder, or
#                                                  the gtest filters used
# The test fails, never skips, when the tree is missing.
# Environment:
#   QMT_CACHE   where the tree is kept (default ~/.cache/quillmont)
set -euo pipefail

cache="${QMT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillmont}"
home="$cache/ffmpeg-7.1"   # root/ the trixie tree, tools/ the wrappers
# Written last, inside the finished folder: a folder without it is not used.
stamp_text="debootstrap minbase trixie ffmpeg, layout 1"

# The render and operation tests run again with 7.1: one of each action
# family that runs the tools, the timeline renders, the split render and
# export rows, each picked for being short. Joined with ':' below.
integration_tests=(
  DetectionTest.PubDirCandidatesAreAppendedDirectly      # found through [PubDir], version read
  DetectionTest.SetPathTriesBinAndRefusesAFolderWithoutProbe  # QMT_GetVersion
  PluginTest.MediaInfoOfAGeneratedClip                  # every information action's ffprobe answer
  SingleOps.TrimCopiesTheRangeAsTyped                   # stream copy
  CommandSafety.FilterFilePathsSurviveTheGraphAndOptionSyntax  # vidstab and subtitles, paths inside filters
  CutJoin.RemoveSegmentJoinsTheOutsidePartsAndCleansUp  # MPEG-TS pieces, concat protocol
  CutJoin.ConcatTransitionOverlapsTheEndOfTheFirstFile  # xfade of two files
  Transitions.OneSplitUsesTheFirstEntryAndHalvesAnOverlongTransition  # PCM pieces, xfade, acrossfade
  TimelineRender.TwelveClipsWithEveryJoinRuleAnEffectATitleAndMusic   # transitions, FX, title, A2
  TimelineRender.TitlesAndTextOverlaysDrawExactlyWhatWasTyped         # drawtext, QMT_TextOverlay
  TimelineRender.SingleClipPlacesTheOverlayAtTheCorner                # V2
  Previews.InRectReplacesTheRunningPreviewAndStopEndsIt               # ffplay
)
unit_tests=(
  RunnerTest.ProgressRisesInOrderAndNothingIsReportedOnSuccess  # progress read from the tool's output
  RunnerTest.FailureWritesTheLogAndTheExactMessage
  SplitRender.WithoutTransitionsTheReencodedSegmentsAreJoinedAsTheyAre
  SplitRender.AnInsertedClipOfAnotherSizeRateAndSoundIsFittedToTheVideo
  ExportRun.EachContainerWithItsDefaults  # every container with its default codecs
  TimelinePreview.SeveralClipsAreCutAndJoinedLikeTheRenderWithoutSound
  StripWorkers.AWorkerRunsTheToolsLocatedBeforeItStarted  # thumbnails, one run each
  StripWorkers.WaveformHasFourThousandPeaksOfTheSine
  StripWorkers.LanesAnalyseEachAudioLaneAtFourKilohertz
)
joined() { local IFS=:; echo "$*"; }

wrapper() {  # NAME ROOT: a script that runs ROOT's NAME with ROOT's libraries
  local r="$2"
  printf '#!/bin/sh\nexec "%s/lib64/ld-linux-x86-64.so.2" --library-path "%s" "%s/usr/bin/%s" "$@"\n' \
    "$r" "$r/usr/lib/x86_64-linux-gnu:$r/lib/x86_64-linux-gnu:$r/usr/lib/x86_64-linux-gnu/pulseaudio" "$r" "$1"
}

prepare() {
  if [ -f "$home/.complete" ] && [ "$(cat "$home/.complete")" = "$stamp_text" ]; then
    echo "FFmpeg 7.1 tree ready in $home"
    return
  fi
  command -v debootstrap >/dev/null || { echo "FFmpeg 7.1 needs debootstrap (scripts/setup.sh test)" >&2; exit 1; }
  local sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  mkdir -p "$cache"
  exec 9> "$home.lock"
  flock 9   # one maker at a time; a second waits and then finds it done
  if [ -f "$home/.complete" ] && [ "$(cat "$home/.complete")" = "$stamp_text" ]; then
    return
  fi
  # Left-overs of an interrupted run: debootstrap mounts /proc and /sys inside
  # its target, so those go first and rm never leaves the folder's file system.
  local old
  for old in "$home".part.* "$home"; do
    [ -e "$old" ] || continue
    { findmnt -rn -o TARGET | grep -F "$old/" || true; } | sort -r |
      while read -r m; do "${sudo_cmd[@]}" umount -l "$m"; done
    "${sudo_cmd[@]}" rm -rf --one-file-system "$old"
  done
  local part="$home.part.$$" start=$SECONDS
  mkdir -p "$part"
  echo "Unpacking Debian 13's FFmpeg into $home (about a minute)"
  if ! "${sudo_cmd[@]}" debootstrap --variant=minbase --include=ffmpeg trixie "$part/root" \
       http://deb.debian.org/debian > "$part.log" 2>&1; then
    tail -30 "$part.log" >&2
    echo "FAIL: debootstrap could not unpack trixie's ffmpeg (log: $part.log)" >&2
    exit 1
  fi
  [ -n "${sudo_cmd[*]}" ] && sudo chown -R "$(id -u):$(id -g)" "$part"
  mkdir -p "$part/tools"
  local tool
  for tool in ffmpeg ffprobe ffplay; do
    [ -x "$part/root/usr/bin/$tool" ] || continue
    # The paths are the final ones: the folder is renamed into place below.
    wrapper "$tool" "$home/root" > "$part/tools/$tool"
    chmod 755 "$part/tools/$tool"
  done
  echo "$stamp_text" > "$part/.complete"
  mv -T "$part" "$home"   # one rename: the folder is there whole or not at all
  rm -f "$part.log"
  echo "FFmpeg 7.1 tree made in $((SECONDS - start)) s"
}

run_tests() {
  local integration="${1:?usage: ffmpeg71.sh test INTEGRATION_TESTS UNIT_TESTS MEDIA_DIR}"
  local unit="${2:?usage: ffmpeg71.sh test INTEGRATION_TESTS UNIT_TESTS MEDIA_DIR}"
  local media="${3:?usage: ffmpeg71.sh test INTEGRATION_TESTS UNIT_TESTS MEDIA_DIR}"
  local tools="$home/tools"
  if [ ! -f "$home/.complete" ] || [ "$(cat "$home/.complete")" != "$stamp_text" ]; then
    echo "FAIL: no FFmpeg 7.1 tree in $home; scripts/test.sh makes it (or: bash scripts/ffmpeg71.sh prepare)" >&2
    exit 1
  fi
  local banner
  banner="$("$tools/ffmpeg" -version 2>&1 | head -1)" || true
  case "$banner" in
    "ffmpeg version 7.1"*) echo "$banner" ;;
    *) echo "FAIL: $tools/ffmpeg is not FFmpeg 7.1: $banner" >&2; exit 1 ;;
  esac
  # The filters and encoders the plug-in's command lines name.
  local filters encoders missing=() name
  filters="$("$tools/ffmpeg" -hide_banner -filters 2>&1)"
  encoders="$("$tools/ffmpeg" -hide_banner -encoders 2>&1)"
  for name in xfade acrossfade drawtext subtitles vidstabdetect vidstabtransform loudnorm chromakey; do
    grep -qE "^ [A-Z.|]+ $name " <<<"$filters" || missing+=("filter $name")
  done
  for name in libx264 libx265 libvpx-vp9 libaom-av1 mpeg4 wmv2 gif aac libopus libmp3lame libvorbis flac alac wmav2; do
    grep -qE "^ [A-Z.]+ $name " <<<"$encoders" || missing+=("encoder $name")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "FAIL: FFmpeg 7.1 lacks: ${missing[*]}" >&2
    exit 1
  fi
  # First on PATH: the plug-in finds its tools there, and the tests' own
  # media, probes and recording tool folders use the same ones. The media
  # are 7.1's own, kept apart from the main suite's.
  export PATH="$tools:$PATH" QMT_MEDIA_CACHE="$media"
  # Each name stands for one test: a renamed test fails here instead of
  # quietly dropping out of the run.
  local found
  found=$("$integration" --gtest_list_tests --gtest_filter="$(joined "${integration_tests[@]}")" | grep -c '^  ' || true)
  [ "$found" = ${#integration_tests[@]} ] ||
    { echo "FAIL: $found of the ${#integration_tests[@]} integration tests named here exist" >&2; exit 1; }
  found=$("$unit" --gtest_list_tests --gtest_filter="$(joined "${unit_tests[@]}")" | grep -c '^  ' || true)
  [ "$found" = ${#unit_tests[@]} ] || { echo "FAIL: $found of the ${#unit_tests[@]} unit tests named here exist" >&2; exit 1; }
  local rc=0 start=$SECONDS
  "$integration" --gtest_filter="$(joined "${integration_tests[@]}")" --gtest_brief=1 || rc=1
  "$unit" --gtest_filter="$(joined "${unit_tests[@]}")" --gtest_brief=1 || rc=1
  echo "FFmpeg 7.1 tests: $((SECONDS - start)) s"
  return $rc
}

case "${1:-}" in
  prepare) prepare ;;
  test) shift; run_tests "$@" ;;
  tools) echo "$home/tools" ;;
  filters) echo "qmt_integration_tests: $(joined "${integration_tests[@]}")"
           echo "qmt_unit_tests: $(joined "${unit_tests[@]}")" ;;
  *) echo "usage: ffmpeg71.sh prepare | test INTEGRATION_TESTS UNIT_TESTS MEDIA_DIR | tools | filters" >&2; exit 2 ;;
esac
