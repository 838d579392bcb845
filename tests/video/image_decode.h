#pragma once
// Decodes capture files back for the tests: BMP by hand, JPEG with libjpeg,
// PNG with libpng, into R, G, B bytes per pixel, top row first.
#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace video::testing {

struct DecodedImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  bool ok() const { return width > 0 && height > 0; }
  const uint8_t* at(int x, int y) const { return rgb.data() + (size_t(y) * size_t(width) + x) * 3; }
};

inline uint32_t le(const std::string& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | uint8_t(b[at + size_t(i)]);
  return v;
}

inline DecodedImage decodeBmp(const std::string& b) {
  DecodedImage d;
  if (b.size() < 54 || b.compare(0, 2, "BM") != 0 || le(b, 28, 2) != 24) return d;
  const int w = int(le(b, 18, 4)), h = int(le(b, 22, 4));
  const size_t offset = le(b, 10, 4), row = (size_t(w) * 3 + 3) & ~size_t(3);
  if (w <= 0 || h <= 0 || b.size() < offset + row * size_t(h)) return d;
  d.width = w;
  d.height = h;
  d.rgb.resize(size_t(w) * size_t(h) * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const size_t s = offset + row * size_t(h - 1 - y) + size_t(x) * 3;
      uint8_t* p = d.rgb.data() + (size_t(y) * size_t(w) + size_t(x)) * 3;
      p[0] = uint8_t(b[s + 2]);
      p[1] = uint8_t(b[s + 1]);
      p[2] = uint8_t(b[s]);
    }
  return d;
}

struct JpegTestError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

inline DecodedImage decodeJpeg(const std::string& b) {
  DecodedImage d;
  jpeg_decompress_struct info{};
  JpegTestError error{};
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = [](j_common_ptr i) {
    std::longjmp(reinterpret_cast<JpegTestError*>(i->err)->jump, 1);
  };
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return DecodedImage{};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(b.data()), b.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  d.width = int(info.output_width);
  d.height = int(info.output_height);
  d.rgb.resize(size_t(d.width) * size_t(d.height) * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = d.rgb.data() + size_t(info.output_scanline) * size_t(d.width) * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return d;
}

inline DecodedImage decodePng(const std::string& b) {
  DecodedImage d;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, b.data(), b.size())) return d;
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return d;
  d.width = int(image.width);
  d.height = int(image.height);
  d.rgb = std::move(pixels);
  return d;
}

// By the file's first bytes.
inline DecodedImage decodeImage(const std::string& b) {
  if (b.compare(0, 2, "BM") == 0) return decodeBmp(b);
  if (b.size() > 3 && uint8_t(b[0]) == 0xFF && uint8_t(b[1]) == 0xD8) return decodeJpeg(b);
  if (b.size() > 8 && std::memcmp(b.data(), "\x89PNG", 4) == 0) return decodePng(b);
  return {};
}

}  // namespace video::testing
