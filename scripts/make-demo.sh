#!/usr/bin/env bash
# Makes (once) a 20-second demo clip with a moving picture, a tone and a SubRip subtitle
# beside it, and prints the clip's path. The cache lives in ~/.cache/tarvelino-demo.
set -euo pipefail
dir=${XDG_CACHE_HOME:-$HOME/.cache}/tarvelino-demo
clip=$dir/demo.mp4
if [ ! -s "$clip" ]; then
  mkdir -p "$dir"
  gst-launch-1.0 -q -e \
    videotestsrc num-buffers=500 pattern=ball ! video/x-raw,width=640,height=360,framerate=25/1 \
    ! videoconvert ! video/x-raw,format=I420 ! x264enc speed-preset=veryfast ! mp4mux name=mux \
    ! filesink location="$clip.part" \
    audiotestsrc num-buffers=940 wave=sine freq=440 volume=0.2 ! audioconvert \
    ! avenc_aac ! mux. >/dev/null
  mv "$clip.part" "$clip"
fi
if [ ! -s "$dir/demo.srt" ]; then
  printf '1\r\n00:00:01,000 --> 00:00:05,000\r\nWelcome to Tarvelino.\r\n\r\n2\r\n00:00:06,000 --> 00:00:10,000\r\nSubtitles are read, repaired\r\nand drawn by the player itself.\r\n\r\n3\r\n00:00:11,000 --> 00:00:18,000\r\nEnjoy the evening!\r\n' > "$dir/demo.srt"
fi
echo "$clip"
