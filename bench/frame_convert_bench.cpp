// Converting one decoded 1920x1080 I420 picture into a 32-bit window buffer:
// at 1:1 (the baseline), at the movie's own size as the window shows it
// (a row or a column trimmed by the kept aspect ratio, nearest pixel), and
// scaled (bilinear) by 2 % either way and to 1280x720.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "playback/frame_convert.h"

namespace {

struct Source {
  std::vector<uint8_t> y, u, v;
  playback::PlanarFrame frame;
  Source(int w, int h) : y(size_t(w) * h), u(size_t(w / 2) * (h / 2)), v(u.size()) {
    for (size_t i = 0; i < y.size(); ++i) y[i] = uint8_t(16 + (i * 7) % 219);
    for (size_t i = 0; i < u.size(); ++i) u[i] = uint8_t(16 + (i * 3) % 224);
    for (size_t i = 0; i < v.size(); ++i) v[i] = uint8_t(16 + (i * 5) % 224);
    frame.layout = playback::PixelLayout::I420;
    frame.widthPx = w;
    frame.heightPx = h;
    frame.planes[0] = y.data();
    frame.planes[1] = u.data();
    frame.planes[2] = v.data();
    frame.strides[0] = w;
    frame.strides[1] = frame.strides[2] = w / 2;
  }
};

// Args: target width, target height. Every iteration is a new frame (frame
// id 0), as during playback.
void Convert1080p(benchmark::State& state) {
  static const Source source(1920, 1080);
  const int w = int(state.range(0)), h = int(state.range(1));
  std::vector<uint8_t> out(size_t(w) * h * 4);
  playback::FrameConverter converter;
  for (auto _ : state) {
    converter.convert(source.frame, {out.data(), w * 4, w, h});
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(Convert1080p)
    ->ArgNames({"w", "h"})
    ->Args({1920, 1080})  // baseline: 1:1
    ->Args({1920, 1078})  // the movie's own size, ratio kept to hundredths
    ->Args({1918, 1080})  // a 4:3-like trim of columns
    ->Args({1920, 1058})  // 2 %: bilinear
    ->Args({1880, 1080})
    ->Args({1280, 720})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
