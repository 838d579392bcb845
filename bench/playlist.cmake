tarvelino_bench(playlist_bench SOURCES playlist_bench.cpp LIBS playlist subtitles)
