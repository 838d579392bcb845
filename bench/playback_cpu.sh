#!/usr/bin/env bash
# Plays one generated 1080p30 H.264/AAC clip (20 s, ~7 Mb/s) to its end under
# Xvfb with null audio, through the player (bench/playback_cpu_player: engine,
# window and controller) and its peers gst-play-1.0 and mpv --vo=x11, each at
# the movie's own size, and prints every figure as a ratio against its peer of
# the same run: CPU seconds (user + system of the process, and of the X server
# meanwhile), peak RSS, dropped pictures, and the time from the open command
# to the first picture, cold (fresh process) and once the player has started.
# Each measurement runs RUNS times (default 3); the medians are printed.
# With a second build folder (of an earlier version, say) its player is
# measured in the same runs and the changes are printed as ratios too.
# Usage: bench/playback_cpu.sh [build folder] [runs] [earlier build folder]
# (build folders configured with -DTARVELINO_BENCH=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${2:-3}
player=$build/bench/playback_cpu_player
earlier=${3:+$3/bench/playback_cpu_player}
dir=${XDG_CACHE_HOME:-$HOME/.cache}/tarvelino-bench
clip=$dir/clip1080p30-7mbps.mp4

# The peers are bench-only: they are never part of the player's dependencies.
need=()
command -v gst-play-1.0 >/dev/null || need+=(gstreamer1.0-plugins-base-apps)
command -v mpv >/dev/null || need+=(mpv)
command -v Xvfb >/dev/null || need+=(xvfb)
if [ ${#need[@]} -gt 0 ]; then
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
cmake --build "$build" -j2 --target playback_cpu_player >/dev/null
if [ ! -s "$clip" ]; then
  # Moving colour bars: about 7 Mb/s at this size, a realistic decoding load
  # (a mostly black picture would encode to a tenth of that).
  mkdir -p "$dir"
  gst-launch-1.0 -q -e \
    videotestsrc num-buffers=600 pattern=smpte horizontal-speed=4 \
    ! video/x-raw,width=1920,height=1080,framerate=30/1 \
    ! videoconvert ! video/x-raw,format=I420 ! x264enc bitrate=7000 speed-preset=veryfast \
    ! mp4mux name=mux ! filesink location="$clip.part" \
    audiotestsrc num-buffers=862 wave=sine freq=440 ! audioconvert ! avenc_aac ! mux. >/dev/null
  mv "$clip.part" "$clip"
fi

work=$(mktemp -d)
trap 'kill "$xpid" 2>/dev/null || true; rm -rf "$work"' EXIT
# Our own X server at 1920x1080, so its CPU time can be read around each run.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xpid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
export QT_QPA_PLATFORM=xcb
results=$work/results

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

# measure label command...: runs the command, keeps its "key=value" lines and
# its CPU seconds, peak RSS and the X server's CPU seconds meanwhile.
measure() {
  local label=$1
  shift
  local log=$work/time x0 x1
  x0=$(ticks "$xpid")
  /usr/bin/time -o "$log" -f "%U %S %M" "$@" 2>/dev/null >"$work/out" || true
  x1=$(ticks "$xpid")
  # gst-play-1.0's picture counter reports "rendered: N, dropped: M" every
  # 100 ms; its last report counts (up to 3 pictures of the last 100 ms are
  # not in it).
  grep -ao 'rendered: [0-9]*, dropped: [0-9]*' "$work/out" | tail -1 |
    sed 's/rendered: \([0-9]*\), dropped: \([0-9]*\)/painted_frames=\1\ndropped=\2/' >>"$work/out" || true
  grep -E '^[a-z_]+=[-0-9.]+$' "$work/out" | sed "s/^/$label /; s/=/ /" >>"$results" || true
  awk -v l="$label" -v xs="$(((x1 - x0)))" -v hz="$hz" 'NF == 3 {
    printf "%s cpu_s %.2f\n%s rss_mb %.0f\n%s xserver_cpu_s %.2f\n", l, $1 + $2, l, $3 / 1024, l, xs / hz
  }' "$log" >>"$results"
}

# mpv prints the pictures it dropped (display and decoder) when it ends.
cat >"$work/drops.lua" <<'EOF'
local vo, dec = 0, 0
mp.observe_property("frame-drop-count", "number", function(_, v) if v then vo = v end end)
mp.observe_property("decoder-frame-drop-count", "number", function(_, v) if v then dec = v end end)
mp.register_event("shutdown", function()
  io.stdout:write(string.format("dropped=%d\n", vo + dec)); io.stdout:flush()
end)
EOF

uri=$(python3 -c 'import pathlib,sys; print(pathlib.Path(sys.argv[1]).resolve().as_uri())' "$clip")
for run in $(seq "$runs"); do
  echo "run $run of $runs" >&2
  measure decode_only gst-launch-1.0 -q playbin uri="$uri" \
    video-sink="fakesink sync=true" audio-sink="fakesink sync=true"
  # The floor under any player on this stack: demuxing and decoding as the
  # player decodes (one thread at this size, each picture copied out of
  # FFmpeg by avdec_h264), the sound decoded, nothing converted or shown.
  measure decode_floor gst-launch-1.0 -q filesrc location="$clip" ! qtdemux name=d \
    d.video_0 ! queue ! h264parse ! avdec_h264 max-threads=1 ! fakesink sync=true \
    d.audio_0 ! queue ! aacparse ! avdec_aac ! audioconvert ! fakesink sync=true
  # gst-play-1.0's picture sink (ximagesink here) wrapped in a counter of the drops.
  measure gst_play gst-play-1.0 -v --no-interactive --audiosink="fakesink sync=true" \
    --videosink="fpsdisplaysink text-overlay=false video-sink=ximagesink fps-update-interval=100" \
    "$clip"
  measure mpv mpv --no-config --really-quiet --vo=x11 --ao=null --script="$work/drops.lua" "$clip"
  measure tarvelino "$player" "$clip"
  measure tarvelino_720p "$player" "$clip" --window 1280x720
  # The window keeps its size on opening (the default), as a started player's does.
  measure tarvelino_seek "$player" "$clip" --seek --window 1280x720
  measure tarvelino_started "$player" "$clip" --seek --window 1280x720 --open-after 1500
  if [ -n "$earlier" ]; then
    measure earlier "$earlier" "$clip"
    measure earlier_seek "$earlier" "$clip" --seek --window 1280x720
    measure earlier_started "$earlier" "$clip" --seek --window 1280x720 --open-after 1500
  fi
done

echo "load during the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
python3 - "$results" <<'EOF'
import statistics, sys
values = {}
for line in open(sys.argv[1]):
    label, key, value = line.split()
    values.setdefault((label, key), []).append(float(value))
def m(label, key):
    v = values.get((label, key))
    return statistics.median(v) if v else float("nan")
def row(text, value, unit, peers):
    ratios = "  ".join(f"{value / p:.2f} x {name}" if p else f"- x {name}" for name, p in peers)
    print(f"{text:<44} {value:8.1f} {unit:<4} {ratios}")
gst, mpv = "gst-play-1.0", "mpv"
print("medians; figure, value, ratio against its peer of the same run")
for label, name in (("tarvelino", "player, native size"), ("tarvelino_720p", "player, 1280x720 window")):
    cpu = m(label, "cpu_s")
    row(f"{name}: CPU", cpu, "s", [(gst, m("gst_play", "cpu_s")), (mpv, m("mpv", "cpu_s"))])
    row(f"{name}: CPU above decoding", cpu - m("decode_only", "cpu_s"), "s",
        [(gst, m("gst_play", "cpu_s") - m("decode_only", "cpu_s")),
         (mpv, m("mpv", "cpu_s") - m("decode_only", "cpu_s"))])
    row(f"{name}: X server CPU", m(label, "xserver_cpu_s"), "s",
        [(gst, m("gst_play", "xserver_cpu_s")), (mpv, m("mpv", "xserver_cpu_s"))])
    row(f"{name}: peak RSS", m(label, "rss_mb"), "MB",
        [(gst, m("gst_play", "rss_mb")), (mpv, m("mpv", "rss_mb")), ("130 MB", 130)])
    expected = m(label, "expected_frames")
    print(f"{name + ': pictures not shown':<44} {expected - m(label, 'painted_frames'):8.0f}      "
          f"gst-play-1.0 {expected - m('gst_play', 'painted_frames'):.0f} (3 of them may be its"
          f" last 100 ms)  (of {expected:.0f})")
    print(f"{name + ': pictures dropped, own count':<44} {m(label, 'dropped'):8.0f}      "
          f"gst-play-1.0 {m('gst_play', 'dropped'):.0f} (late at its sink)"
          f"  mpv {m('mpv', 'dropped'):.0f}")
row("decoding alone: CPU", m("decode_only", "cpu_s"), "s",
    [(gst, m("gst_play", "cpu_s")), (mpv, m("mpv", "cpu_s"))])
floor = m("decode_floor", "cpu_s")
row("decoding floor (one thread, nothing shown)", floor, "s",
    [(gst, m("gst_play", "cpu_s")), (mpv, m("mpv", "cpu_s"))])
row("player, native size: CPU above the floor", m("tarvelino", "cpu_s") - floor, "s",
    [("0.80 x gst-play-1.0 above the floor", 0.80 * m("gst_play", "cpu_s") - floor)])
cold = m("tarvelino_seek", "open_to_first_frame_ms")
warm = m("tarvelino_started", "open_to_first_frame_ms")
row("open to first picture, fresh process", cold, "ms", [("200 ms", 200)])
row("open to first picture, player started", warm, "ms", [("fresh process", cold), ("200 ms", 200)])
coldCpu = m("tarvelino_seek", "open_cpu_ms")
warmCpu = m("tarvelino_started", "open_cpu_ms")
row("CPU of the open to first picture, fresh", coldCpu, "ms", [("wall", cold)])
row("CPU of the open to first picture, started", warmCpu, "ms", [("wall", warm), ("fresh", coldCpu)])
if ("earlier", "cpu_s") in values:
    print("against the earlier build, same runs")
    for key, unit, text in (("cpu_s", "s", "CPU, native size"), ("rss_mb", "MB", "peak RSS"),
                            ("xserver_cpu_s", "s", "X server CPU")):
        row(f"earlier: {text}", m("earlier", key), unit,
            [("now", m("tarvelino", key)), (gst, m("gst_play", key)), (mpv, m("mpv", key))])
    print(f"{'earlier: pictures not shown':<44} "
          f"{m('earlier', 'expected_frames') - m('earlier', 'painted_frames'):8.0f}")
    row("earlier: open to first picture, started", m("earlier_started", "open_to_first_frame_ms"),
        "ms", [("now", warm)])
    row("earlier: CPU of that open", m("earlier_started", "open_cpu_ms"), "ms", [("now", warmCpu)])
    row("earlier: open to first picture, fresh", m("earlier_seek", "open_to_first_frame_ms"), "ms",
        [("now", cold)])
row("accurate seek to the middle, paused", m("tarvelino_seek", "seek_to_middle_ms"), "ms",
    [("open, started", warm)])
EOF
