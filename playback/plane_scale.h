#pragma once
// Bilinear scaling of one 8-bit picture plane to any size, for pictures shown
// smaller or larger than the movie. Each output row is blended from its two
// source rows, then each output pixel from its two neighbours in that row,
// with the centres of the source and target pixels lined up (the picture
// neither shifts nor loses its edges). Columns are filtered many at a time
// with SIMD where the processor has it; on other processors the caller keeps
// libyuv's scaler. Plain C++; one scaler per plane (it keeps its tables).
#include <cstdint>
#include <vector>

namespace playback {

class PlaneScaler {
 public:
  // How a row's columns are filtered: one at a time; eight at a step with
  // AVX2 gathers; or 32 at a step by byte permutes (AVX-512 VBMI), for
  // blocks whose 32 pixels come from at most 128 source bytes.
  enum class Columns { Plain, Gather, Permute, Best };

  // True when this processor runs the given column filter (Best: any but
  // Plain, the case where scaling beats libyuv's).
  static bool runs(Columns columns);
  static bool fast() { return runs(Columns::Best); }

  // Scales src (srcW x srcH, rows srcStride bytes apart) into dst. Every
  // column filter gives the same bytes. False when a size is not positive
  // or the filter does not run here.
  bool scale(const uint8_t* src, int srcStride, int srcW, int srcH, uint8_t* dst, int dstStride,
             int dstW, int dstH, Columns columns = Columns::Best);

 private:
  void makeColumnTable(int srcW, int dstW);
  void filterRow(const uint8_t* row, uint8_t* out, int dstW, Columns columns) const;

  // Per output column: the left source pixel, and the two weights as bytes
  // (64 - f, f) in the low half of a 32-bit word, f in 64ths of a pixel.
  std::vector<int32_t> left_, weights_;
  // Per block of 32 output columns, for the permute filter: the first source
  // byte, the byte pairs to pick from the 128 bytes there and their weights.
  struct Block {
    int32_t base;
    bool fits;  // the block's pixels lie within 128 bytes
    alignas(64) uint8_t pairs[64];
    alignas(64) uint8_t weights[64];
  };
  std::vector<Block> blocks_;
  int tableSrcW_ = 0, tableDstW_ = 0;
  std::vector<uint8_t> row_;  // one vertically blended source row and padding
};

}  // namespace playback
