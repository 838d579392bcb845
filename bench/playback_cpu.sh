#!/usr/bin/env bash
# Measures playing a 1080p30 H.264/AAC 20 s clip to its end under Xvfb in a
# 1280x720 window: CPU seconds, peak RSS and pictures painted of the player's
# playback (engine, window, controller: bench/playback_cpu_player), beside
# gst-play-1.0, GStreamer's playbin with its default sinks and plain decoding. Also
# the time from open to first picture and of an accurate seek to the middle.
# Usage: bench/playback_cpu.sh [build folder]   (configured with -DTARVELINO_BENCH=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
player=$build/bench/playback_cpu_player
dir=${XDG_CACHE_HOME:-$HOME/.cache}/tarvelino-bench
clip=$dir/clip1080p30.mp4

measure() {  # label, command...: the command's own lines, then "label: cpu_s=.. rss_mb=.."
  local label=$1
  shift
  local log
  log=$(mktemp)
  /usr/bin/time -o "$log" -f "%U %S %M" "$@" 2>/dev/null | sed "s/^/$label: /" || true
  awk -v l="$label" '{printf "%s: cpu_s=%.2f rss_mb=%.0f\n", l, $1 + $2, $3 / 1024}' "$log"
  rm -f "$log"
}

if [ "${2:-}" = "--inside" ]; then
  uri=$(python3 -c 'import pathlib,sys; print(pathlib.Path(sys.argv[1]).resolve().as_uri())' "$clip")
  measure decode_only gst-launch-1.0 -q playbin uri="$uri" \
    video-sink="fakesink sync=true" audio-sink="fakesink sync=true"
  measure playbin_default_sinks gst-launch-1.0 -q playbin uri="$uri"
  measure gst_play gst-play-1.0 -q --no-interactive "$clip"
  measure tarvelino env QT_QPA_PLATFORM=xcb "$player" "$clip"
  measure tarvelino_seek env QT_QPA_PLATFORM=xcb "$player" "$clip" --seek
  exit 0
fi

# gst-play-1.0, the reference player of the media framework, is bench-only.
if ! command -v gst-play-1.0 >/dev/null; then
  apt-get install -y -qq --no-install-recommends gstreamer1.0-plugins-base-apps >/dev/null
fi
cmake --build "$build" -j2 --target playback_cpu_player >/dev/null
if [ ! -s "$clip" ]; then
  mkdir -p "$dir"
  gst-launch-1.0 -q -e \
    videotestsrc num-buffers=600 pattern=ball ! video/x-raw,width=1920,height=1080,framerate=30/1 \
    ! videoconvert ! video/x-raw,format=I420 ! x264enc bitrate=7000 speed-preset=veryfast \
    ! mp4mux name=mux ! filesink location="$clip.part" \
    audiotestsrc num-buffers=862 wave=sine freq=440 ! audioconvert ! avenc_aac ! mux. >/dev/null
  mv "$clip.part" "$clip"
fi
xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$build" --inside
