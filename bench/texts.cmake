# Language file parsing and Central European lower-casing.
if(TARGET texts)
  tarvelino_bench(texts_bench SOURCES texts_bench.cpp LIBS texts)
  target_compile_definitions(texts_bench PRIVATE TEXTS_BENCH_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
