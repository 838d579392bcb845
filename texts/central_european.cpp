#include "texts/central_european.h"

#include <array>

#include "texts/utf8.h"

namespace texts {

namespace {

// Code points of the code page 1250 bytes 80..FF; 0 marks an unassigned byte.
constexpr std::array<char32_t, 128> kHighHalf = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  //
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

}  // namespace

unsigned char lowerCaseCodePage1250Byte(unsigned char b) {
  if ((b >= 0x41 && b <= 0x5A) || (b >= 0xC0 && b <= 0xD6) || (b >= 0xD8 && b <= 0xDE)) {
    return static_cast<unsigned char>(b + 0x20);
  }
  if (b == 0x8A || (b >= 0x8C && b <= 0x8F) || b == 0xA3 || b == 0xAA || b == 0xAF) {
    return static_cast<unsigned char>(b + 0x10);
  }
  if (b == 0xA5) return 0xB9;
  if (b == 0xBC) return 0xBE;
  return b;
}

char32_t codePage1250ToUnicode(unsigned char b) {
  return b < 0x80 ? static_cast<char32_t>(b) : kHighHalf[b - 0x80];
}

namespace {

// Every upper-case letter of the code page above ASCII lies in U+00C0..U+017F;
// their lower-case partners, indexed from U+00C0, built once from the byte rule.
constexpr char32_t kTableFirst = 0xC0, kTableLast = 0x17F;

std::array<char32_t, kTableLast - kTableFirst + 1> makeLatinTable() {
  std::array<char32_t, kTableLast - kTableFirst + 1> table{};
  for (char32_t c = kTableFirst; c <= kTableLast; ++c) table[c - kTableFirst] = c;
  for (int b = 0x80; b < 0x100; ++b) {
    const char32_t upper = kHighHalf[b - 0x80];
    if (upper < kTableFirst || upper > kTableLast) continue;
    table[upper - kTableFirst] =
        codePage1250ToUnicode(lowerCaseCodePage1250Byte(static_cast<unsigned char>(b)));
  }
  return table;
}

}  // namespace

char32_t lowerCaseCentralEuropeanChar(char32_t c) {
  if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
  if (c < kTableFirst || c > kTableLast) return c;
  static const auto table = makeLatinTable();
  return table[c - kTableFirst];
}

std::string lowerCaseCentralEuropean(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const auto byte = static_cast<unsigned char>(utf8[pos]);
    if (byte < 0x80) {
      out.push_back(static_cast<char>(lowerCaseCodePage1250Byte(byte)));
      ++pos;
      continue;
    }
    const auto decoded = decodeUtf8(utf8, pos);
    if (decoded.length == 0) {
      // Not UTF-8: an 8-bit code page 1250 byte, folded and kept as a byte.
      out.push_back(
          static_cast<char>(lowerCaseCodePage1250Byte(static_cast<unsigned char>(utf8[pos]))));
      ++pos;
      continue;
    }
    appendUtf8(out, lowerCaseCentralEuropeanChar(decoded.code_point));
    pos += decoded.length;
  }
  return out;
}

}  // namespace texts
