#!/usr/bin/env bash
# Soak run: plays a playlist of generated clips with shuffle and repeat under
# Xvfb, sends remote commands, seeks and pauses at random, and samples the
# player's resident memory, open file descriptors and threads to a CSV file.
#
#   scripts/soak.sh [-s seconds] [-i interval] [-n clips] [-o file.csv]
#                   [-w warm-up seconds] [--check] [-b build folder]
#
# Defaults: 3600 s, a sample every 60 s, 100 clips, soak.csv in the current
# folder, 120 s of warm-up. With --check the run fails (exit 1) when the
# samples grow: the median of the last three samples is compared with the
# median of the first three after the warm-up; RSS may grow by 15 % plus
# 16 MiB (decoders and fonts settle late), descriptors and threads by 6 each.
# RSS fails only when it grows in both halves of the run as well: a leak
# grows all along, while a single step (a larger window's back buffer, a new
# thread's allocator arena) happens once and stays. The commands sent are
# logged next to the CSV file (.commands), each with its second of the run.
# A player that dies during the run fails it as well. Exit 77: no tools.
set -euo pipefail

seconds=3600 interval=60 clips=100 csv=soak.csv warmup=120 check=0
build="$(cd "$(dirname "$0")/.." && pwd)/build"
while [ $# -gt 0 ]; do
  case "$1" in
    -s) seconds=$2; shift 2 ;;
    -i) interval=$2; shift 2 ;;
    -n) clips=$2; shift 2 ;;
    -o) csv=$2; shift 2 ;;
    -w) warmup=$2; shift 2 ;;
    -b) build=$2; shift 2 ;;
    --check) check=1; shift ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
done
player="$build/app/tarvelino"
[ -x "$player" ] || { echo "no player at $player" >&2; exit 77; }
for tool in gst-launch-1.0 xdotool; do
  command -v $tool >/dev/null || { echo "$tool missing" >&2; exit 77; }
done

# Without a display, run again inside a virtual one.
if [ -z "${DISPLAY:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "xvfb-run missing" >&2; exit 77; }
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" -s "$seconds" -i "$interval" -n "$clips" \
    -o "$csv" -w "$warmup" -b "$build" $([ $check = 1 ] && echo --check)
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvelino-soak-XXXXXX")
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A few distinct clips (pattern, size, 2 s with a tone), copied round-robin
# to the playlist's names: what matters is opening and closing many entries.
mkdir -p "$work/movies" "$work/config/Tarvelino"
patterns=(smpte ball snow zone-plate checkers-8 pinwheel)
sizes=(320x240 176x144 352x288 240x180 320x180 160x120)
distinct=$(( clips < ${#patterns[@]} ? clips : ${#patterns[@]} ))
for ((k = 0; k < distinct; k++)); do
  w=${sizes[$k]%x*} h=${sizes[$k]#*x}
  gst-launch-1.0 -q -e videotestsrc pattern="${patterns[$k]}" num-buffers=40 \
    ! "video/x-raw,width=$w,height=$h,framerate=20/1" ! videoconvert ! video/x-raw,format=I420 \
    ! x264enc ! mp4mux name=mux ! filesink location="$work/clip$k.mp4" \
    audiotestsrc num-buffers=87 freq=$((300 + 100 * k)) ! audioconvert ! avenc_aac ! mux.
done
for ((k = 0; k < clips; k++)); do
  cp "$work/clip$((k % distinct)).mp4" "$work/movies/$(printf 'movie%03d.mp4' "$k")"
done

printf '[Configuration]\r\nFirstRun=0\r\nShuffle=1\r\nRepeatStatus=2\r\nAutoClosePlayerWhenFinished=0\r\nRememberMovieSettings=1\r\nRememberLastMoviePosition=1\r\nCaptureFolder=%s\r\n' \
  "$work" >"$work/config/Tarvelino/Tarvelino.ini"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work" TMPDIR="$work"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" QT_QPA_PLATFORM=xcb
chmod 700 "$work"

"$player" "$work/movies" 2>"$work/player.log" &
pid=$!
# Commands go to the running player only: wait until its window shows.
for ((k = 0; k < 300; k++)); do
  xdotool search --name '^Tarvelino' >/dev/null 2>&1 && break
  kill -0 "$pid" 2>/dev/null || { echo "the player did not start" >&2; exit 1; }
  sleep 0.1
done

# Remote command codes that keep the list playing: play, pause, play/pause,
# previous, next, the four seek steps, volume, pre-amplification, full screen,
# subtitle moves, pan-scan, aspect ratios, movie mode, colour, bookmarks,
# start of movie, subtitles on/off, time info, window sizes.
codes=(3 3 3 4 5 5 7 8 8 9 10 11 12 14 15 16 17 18 21 22 23 24 26 34 35 36 37 38 39 40 41 42 44 53 59 62 63 64)

sample() {  # elapsed seconds, RSS kB, descriptors, threads
  local status rss threads fds
  status=$(cat "/proc/$pid/status")
  rss=$(awk '/^VmRSS:/ {print $2}' <<<"$status")
  threads=$(awk '/^Threads:/ {print $2}' <<<"$status")
  fds=$(ls "/proc/$pid/fd" | wc -l)
  echo "$1,$rss,$fds,$threads"
}

echo "seconds,rss_kb,fds,threads" >"$csv"
commands="${csv%.csv}.commands"
: >"$commands"
start=$(date +%s)
next_sample=$((start + interval))
RANDOM=$$
while :; do
  now=$(date +%s)
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "the player ended during the soak (after $((now - start)) s)" >&2
    tail -20 "$work/player.log" >&2 || true
    exit 1
  fi
  if [ "$now" -ge "$next_sample" ]; then
    sample $((now - start)) | tee -a "$csv"
    next_sample=$((next_sample + interval))
  fi
  [ $((now - start)) -ge "$seconds" ] && break
  code=${codes[RANDOM % ${#codes[@]}]}
  echo "$((now - start)) $code" >>"$commands"
  timeout 10 "$player" --command "$code" >/dev/null 2>&1 || true
  # Leave a pause short: play again now and then.
  if [ $((RANDOM % 4)) = 0 ]; then
    echo "$((now - start)) 3" >>"$commands"
    timeout 10 "$player" --command 3 >/dev/null 2>&1 || true
  fi
  sleep "$((RANDOM % 3)).$((RANDOM % 10))"
done

# An orderly end: the program must still close and write its files.
kill -TERM "$pid"
wait "$pid" || { echo "the player did not end cleanly" >&2; exit 1; }
pid=""
for f in Tarvelino.ini Tarvelino.mpl Tarvelino.rs; do
  [ -s "$work/config/Tarvelino/$f" ] || { echo "$f missing after the soak" >&2; exit 1; }
done

[ "$check" = 1 ] || exit 0
# Growth: median of the first three samples after the warm-up against the
# median of the last three; for RSS, the median of the three in the middle
# must also be above the first by half the allowance, and the last above the
# middle by as much.
awk -F, -v warmup="$warmup" '
  NR == 1 { next }
  $1 >= warmup { n++; t[n] = $1; r[n] = $2; f[n] = $3; h[n] = $4 }
  function med(a, i, j, k,   x, y, z) {
    x = a[i]; y = a[j]; z = a[k]
    return (x <= y) ? ((y <= z) ? y : ((x <= z) ? z : x)) : ((x <= z) ? x : ((y <= z) ? z : y))
  }
  END {
    if (n < 6) { print "too few samples after the warm-up: " n > "/dev/stderr"; exit 1 }
    r0 = med(r, 1, 2, 3); r1 = med(r, n - 2, n - 1, n)
    f0 = med(f, 1, 2, 3); f1 = med(f, n - 2, n - 1, n)
    h0 = med(h, 1, 2, 3); h1 = med(h, n - 2, n - 1, n)
    m = int((n + 1) / 2); rm = med(r, m - 1, m, m + 1)
    printf "RSS %d -> %d -> %d kB, descriptors %d -> %d, threads %d -> %d\n", r0, rm, r1, f0, f1, h0, h1
    bad = 0
    allowance = r0 * 0.15 + 16384
    if (r1 > r0 + allowance && rm > r0 + allowance / 2 && r1 > rm + allowance / 2) {
      print "RSS grows" > "/dev/stderr"; bad = 1
    } else if (r1 > r0 + allowance) {
      print "RSS rose in one step only (not counted as growth)" > "/dev/stderr"
    }
    if (f1 > f0 + 6) { print "open descriptors grow" > "/dev/stderr"; bad = 1 }
    if (h1 > h0 + 6) { print "threads grow" > "/dev/stderr"; bad = 1 }
    exit bad
  }' "$csv" || {
  # What the run did, for the one reading the failure: samples and commands.
  cat "$csv" >&2
  echo "commands (second code): $(tr '\n' ' ' <"$commands")" >&2
  exit 1
}
