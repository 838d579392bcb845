if(TARGET subtitles)
  tarvelino_bench(subtitles_bench SOURCES subtitles_bench.cpp LIBS subtitles texts settings)
endif()
