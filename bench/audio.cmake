# Audio chain benchmarks. FFTW is only a yardstick for the FFT here and is
# never linked into the player.
if(TARGET audio)
  tarvelino_bench(audio_bench SOURCES audio_bench.cpp LIBS audio)
  pkg_check_modules(FFTW3F IMPORTED_TARGET fftw3f)
  if(FFTW3F_FOUND)
    target_link_libraries(audio_bench PRIVATE PkgConfig::FFTW3F)
    target_compile_definitions(audio_bench PRIVATE TARVELINO_BENCH_FFTW=1)
  endif()
endif()
