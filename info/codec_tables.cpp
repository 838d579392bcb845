#include "info/codec_tables.h"

#include <algorithm>

namespace info {

namespace {

const char* find(std::span<const CodecEntry> table, uint32_t key) {
  auto it = std::lower_bound(table.begin(), table.end(), key,
                             [](const CodecEntry& e, uint32_t k) { return e.key < k; });
  return (it != table.end() && it->key == key) ? it->description : nullptr;
}

// Bytes outside printable ASCII would put control characters or broken UTF-8
// into the window's text; such codes are shown as numbers instead.
bool printable(uint8_t byte) {
  return byte >= 0x20 && byte <= 0x7E;
}

std::string unknown(const std::string& text) {
  return "Unknown (" + text + ")";
}

}  // namespace

std::string describeVideoCompression(uint32_t code) {
  if (const char* d = find(videoCodeTable(), code)) return d;
  if (code < 0x1000000u) return unknown(std::to_string(code));
  std::string chars;
  for (int i = 0; i < 4; ++i) {
    const auto byte = static_cast<uint8_t>(code >> (8 * i));
    if (!printable(byte)) return unknown(std::to_string(code));
    chars.push_back(static_cast<char>(byte));
  }
  return unknown(chars);
}

std::string describeAudioFormat(uint32_t tag) {
  if (tag <= 0xFFFF) {
    if (const char* d = find(audioTagTable(), tag)) return d;
  }
  if (tag < 256 || tag > 0xFFFF) return unknown(std::to_string(tag));
  const auto low = static_cast<uint8_t>(tag & 0xFF);
  const auto high = static_cast<uint8_t>(tag >> 8);
  if (!printable(low) || !printable(high)) return unknown(std::to_string(tag));
  return unknown(std::string{static_cast<char>(low), static_cast<char>(high)});
}

}  // namespace info
