#pragma once
// Descriptions of compression identifiers for the movie information window:
// video FourCC codes (a bitmap header's 32-bit compression field) and audio
// format tags (a wave format block's 16-bit tag). Built-in, read-only tables;
// all functions are pure and safe from any thread.
#include <cstdint>
#include <span>
#include <string>

namespace info {

struct CodecEntry {
  uint32_t key;             // the code exactly as stored (little-endian bytes)
  const char* description;  // UTF-8; may contain a tab between maker and product
};

// The four bytes of a FourCC, first byte lowest: fourcc('D','I','V','X').
constexpr uint32_t fourcc(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
  return uint32_t(b0) | uint32_t(b1) << 8 | uint32_t(b2) << 16 | uint32_t(b3) << 24;
}

// The tables, sorted by key with no key twice (648 and 157 entries).
std::span<const CodecEntry> videoCodeTable();
std::span<const CodecEntry> audioTagTable();

// Description of a video compression code (exact, case-sensitive match).
// An unknown code gives "Unknown (" + text + ")": the code in decimal when its
// highest byte is 0, else its four bytes as characters, first byte lowest;
// a code whose bytes are not all printable ASCII is shown in decimal too.
std::string describeVideoCompression(uint32_t code);

// Description of an audio format tag. An unknown tag gives "Unknown (" + text
// + ")": the tag in decimal when below 256 (or above 65535), else its low byte
// and then its high byte as two characters (decimal when not printable ASCII).
std::string describeAudioFormat(uint32_t tag);

}  // namespace info
