#pragma once
// Turns a named skin image compiled into the program into a QImage, decoding
// the PNG bytes with libpng. Names are compared without regard to letter case
// ("MainbtnPlay" finds MAINBTNPLAY). Interface thread only.
#include <QImage>

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// A missing or undecodable skin image. The images are part of the program, so
// this is a build fault; the message names the image and the reason.
class SkinImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Decodes PNG bytes into a 32-bit ARGB image (any bit depth, palette, grey or
// alpha layout is expanded). Returns a null image and sets *error on a broken,
// truncated or oversized (over 8192 x 8192) image; never reads past the bytes.
QImage decodePng(std::span<const unsigned char> bytes, std::string* error = nullptr);

// Loads the embedded image of that name. Throws SkinImageError when no image
// has that name or its bytes do not decode.
QImage loadSkinImage(std::string_view name);

// True when an image of that name is embedded.
bool hasSkinImage(std::string_view name);

// The names of every embedded image, upper case, sorted.
std::vector<std::string> skinImageNames();

}  // namespace ui
