#include "ui/skin_loader.h"

#include "ui/skin_data.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace ui {
namespace {

constexpr png_uint_32 kMaxSide = 8192;
// At most 16 Mi pixels (64 MiB of picture): the picture is allocated before
// its data is read, so a few header bytes must not claim more.
constexpr std::uint64_t kMaxPixels = 4096u * 4096u;
// No block libpng asks for (a chunk's data, a row, zlib's state) is larger.
constexpr png_alloc_size_t kMaxAllocation = 16 * 1024 * 1024;

// libpng's allocator, refusing blocks above kMaxAllocation whatever libpng's
// own checks let through; a refusal ends the decode with "out of memory".
png_voidp limitedMalloc(png_structp, png_alloc_size_t size) {
  return size > kMaxAllocation ? nullptr : std::malloc(size);
}

void limitedFree(png_structp, png_voidp block) {
  std::free(block);
}

struct Reader {
  std::span<const unsigned char> bytes;
  std::size_t offset = 0;
};

void readBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (count > reader->bytes.size() - reader->offset) png_error(png, "image is truncated");
  std::memcpy(out, reader->bytes.data() + reader->offset, count);
  reader->offset += count;
}

void reportError(png_structp png, png_const_charp message) {
  auto* error = static_cast<std::string*>(png_get_error_ptr(png));
  if (error) *error = message;
  png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

const EmbeddedFile* findFile(std::string_view name) {
  for (const EmbeddedFile& file : embeddedSkinFiles())
    if (sameName(file.name, name)) return &file;
  return nullptr;
}

// Runs the libpng decode; kept apart from C++ objects with destructors because
// an error returns here through longjmp.
bool decodeInto(png_structp png, png_infop info, Reader& reader, QImage& image,
                std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, &reader, readBytes);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
      std::uint64_t{width} * height > kMaxPixels)
    png_error(png, "image size out of range");
  const int colorType = png_get_color_type(png, info);
  if (png_get_bit_depth(png, info) == 16) png_set_strip_16(png);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(png);  // QImage's ARGB32 is B, G, R, A in memory on little-endian machines
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != width * 4) png_error(png, "unexpected row layout");
  image = QImage(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32);
  if (image.isNull()) png_error(png, "out of memory");
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = image.scanLine(static_cast<int>(y));
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

QImage decodePng(std::span<const unsigned char> bytes, std::string* error) {
  std::string reason;
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
    if (error) *error = "not a PNG image";
    return {};
  }
  png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &reason, reportError,
                                             ignoreWarning, nullptr, limitedMalloc, limitedFree);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    if (error) *error = "out of memory";
    return {};
  }
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_set_chunk_malloc_max(png, kMaxAllocation);
  // libpng reports a chunk over that limit as a "benign" error, by default a
  // mere warning after which it allocates the chunk anyway: every such error
  // ends the decode here.
  png_set_benign_errors(png, 0);
  Reader reader{bytes, 0};
  QImage image;
  std::vector<png_bytep> rows;
  const bool ok = decodeInto(png, info, reader, image, rows);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) {
    if (error) *error = reason.empty() ? "broken image" : reason;
    return {};
  }
  // Qt paints premultiplied images fastest; the colours are unchanged.
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage loadSkinImage(std::string_view name) {
  const EmbeddedFile* file = findFile(name);
  if (!file) throw SkinImageError("skin image \"" + std::string(name) + "\" is missing");
  std::string reason;
  QImage image = decodePng({file->data, file->size}, &reason);
  if (image.isNull())
    throw SkinImageError("skin image \"" + std::string(name) + "\" is broken: " + reason);
  return image;
}

bool hasSkinImage(std::string_view name) {
  return findFile(name) != nullptr;
}

std::vector<std::string> skinImageNames() {
  std::vector<std::string> names;
  for (const EmbeddedFile& file : embeddedSkinFiles()) names.emplace_back(file.name);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace ui
