#pragma once
// The skin images compiled into the program: PNG bytes by resource name.
#include <cstddef>
#include <span>

namespace ui {

struct EmbeddedFile {
  const char* name;  // upper case, without extension ("MAINBTNPLAY")
  const unsigned char* data;
  std::size_t size;
};

// Every embedded skin image, in no particular order. Generated at build time.
std::span<const EmbeddedFile> embeddedSkinFiles();

}  // namespace ui
