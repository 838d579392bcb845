# The playback measurement harness: plays a file through the player's own
# engine, window and controller and prints timings (see playback_cpu.sh).
if(TARGET videowindow)
  add_executable(playback_cpu_player playback_cpu_player.cpp)
  target_link_libraries(playback_cpu_player PRIVATE videowindow)
  target_include_directories(playback_cpu_player PRIVATE ${CMAKE_SOURCE_DIR})
endif()
# Picture conversion into the window's buffer at and near the movie's size.
if(TARGET playback)
  tarvelino_bench(frame_convert_bench SOURCES frame_convert_bench.cpp LIBS playback)
endif()
