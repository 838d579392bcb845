#include "video/capture_image.h"

#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace video {

namespace {

constexpr int kJpegQuality = 90;
// Larger pictures than this are refused (no decoder makes them; it keeps the
// BMP's 32-bit sizes and the row arithmetic far from overflow).
constexpr int kMaxSide = 32768;

void putLe(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

// One row of B, G, R, X pixels as R, G, B.
void rowToRgb(const uint8_t* bgrx, int width, uint8_t* rgb) {
  for (int x = 0; x < width; ++x) {
    rgb[3 * x] = bgrx[4 * x + 2];
    rgb[3 * x + 1] = bgrx[4 * x + 1];
    rgb[3 * x + 2] = bgrx[4 * x];
  }
}

bool encodeBmp(const CapturePicture& p, std::string& out) {
  // Rows of 3 bytes per pixel, padded to 4 bytes, bottom row first.
  const uint32_t rowBytes = (uint32_t(p.widthPx) * 3 + 3) & ~3u;
  const uint32_t imageBytes = rowBytes * uint32_t(p.heightPx);
  out.reserve(54 + imageBytes);
  out += "BM";
  putLe(out, 54 + imageBytes, 4);  // file size
  putLe(out, 0, 4);                // reserved
  putLe(out, 54, 4);               // offset of the pixels
  putLe(out, 40, 4);               // BITMAPINFOHEADER
  putLe(out, uint32_t(p.widthPx), 4);
  putLe(out, uint32_t(p.heightPx), 4);  // positive: bottom-up
  putLe(out, 1, 2);                     // planes
  putLe(out, 24, 2);                    // bits per pixel
  putLe(out, 0, 4);                     // no compression
  putLe(out, imageBytes, 4);
  putLe(out, 2835, 4);  // 72 pixels per inch, in pixels per metre
  putLe(out, 2835, 4);
  putLe(out, 0, 4);
  putLe(out, 0, 4);
  for (int y = p.heightPx - 1; y >= 0; --y) {
    const uint8_t* row = p.bgrx.data() + size_t(y) * size_t(p.widthPx) * 4;
    const size_t start = out.size();
    for (int x = 0; x < p.widthPx; ++x) out.append(reinterpret_cast<const char*>(row + 4 * x), 3);
    out.append(rowBytes - (out.size() - start), '\0');
  }
  return true;
}

// libjpeg reports errors through error_exit, which must not return.
struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void jpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void jpegQuiet(j_common_ptr, int) {}

bool encodeJpeg(const CapturePicture& p, std::string& out) {
  jpeg_compress_struct info{};
  JpegError error{};
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = jpegErrorExit;
  error.manager.emit_message = jpegQuiet;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<uint8_t> rgb(size_t(p.widthPx) * 3);
  // Everything the jump can skip is made before setjmp; nothing with a
  // destructor is created between setjmp and the last libjpeg call.
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(p.widthPx);
  info.image_height = JDIMENSION(p.heightPx);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kJpegQuality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    rowToRgb(p.bgrx.data() + size_t(info.next_scanline) * size_t(p.widthPx) * 4, p.widthPx,
             rgb.data());
    JSAMPROW row = rgb.data();
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  out.assign(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return true;
}

void pngWrite(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))
      ->append(reinterpret_cast<const char*>(data), length);
}

void pngFlush(png_structp) {}

void pngError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

bool encodePng(const CapturePicture& p, std::string& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<uint8_t> rgb(size_t(p.widthPx) * 3);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, pngWrite, pngFlush);
  png_set_IHDR(png, info, png_uint_32(p.widthPx), png_uint_32(p.heightPx), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < p.heightPx; ++y) {
    rowToRgb(p.bgrx.data() + size_t(y) * size_t(p.widthPx) * 4, p.widthPx, rgb.data());
    png_write_row(png, rgb.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool pictureConsistent(const CapturePicture& p) {
  return p.widthPx > 0 && p.heightPx > 0 && p.widthPx <= kMaxSide && p.heightPx <= kMaxSide &&
         p.bgrx.size() == size_t(p.widthPx) * size_t(p.heightPx) * 4;
}

bool encodePicture(const CapturePicture& picture, CaptureFormat format, std::string& bytes) {
  bytes.clear();
  if (!pictureConsistent(picture)) return false;
  bool ok = false;
  switch (format) {
    case CaptureFormat::Bmp:
      ok = encodeBmp(picture, bytes);
      break;
    case CaptureFormat::Jpeg:
      ok = encodeJpeg(picture, bytes);
      break;
    case CaptureFormat::Png:
      ok = encodePng(picture, bytes);
      break;
  }
  if (!ok) bytes.clear();
  return ok;
}

}  // namespace video
