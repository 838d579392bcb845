#include "texts/utf8.h"

#include <iconv.h>

#include <cerrno>

namespace texts {

DecodedChar decodeUtf8(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, minimum = 0x10000;
  } else {
    return {};
  }
  if (text.size() - pos < length) return {};
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) return {};
    c = (c << 6) | (next & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};
  return {c, length};
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

bool isValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto decoded = decodeUtf8(text, pos);
    if (decoded.length == 0) return false;
    pos += decoded.length;
  }
  return true;
}

std::string windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // No converter: read the bytes as Latin-1, which agrees outside 80..9F.
    for (const char ch : text) appendUtf8(out, static_cast<unsigned char>(ch));
    return out;
  }
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char buffer[1024];
  while (in_left > 0) {
    char* out_ptr = buffer;
    std::size_t out_left = sizeof buffer;
    const std::size_t r = iconv(cd, &in, &in_left, &out_ptr, &out_left);
    out.append(buffer, sizeof buffer - out_left);
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // An unassigned byte: keep it as the C1 control character of that value.
      appendUtf8(out, static_cast<unsigned char>(*in));
      ++in;
      --in_left;
    }
  }
  iconv_close(cd);
  return out;
}

std::string cutToChars(std::string_view text, std::size_t maxChars) {
  std::size_t pos = 0;
  std::size_t chars = 0;
  while (pos < text.size() && chars < maxChars) {
    const auto decoded = decodeUtf8(text, pos);
    pos += decoded.length == 0 ? 1 : decoded.length;
    ++chars;
  }
  return std::string(text.substr(0, pos));
}

std::size_t lengthWithoutIncompleteTail(std::string_view text) {
  // Look back at most three bytes for the lead byte of the last character.
  const std::size_t size = text.size();
  for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
    const auto byte = static_cast<unsigned char>(text[size - back]);
    if ((byte & 0xC0) == 0x80) continue;  // continuation byte
    if (byte < 0xC0) return size;         // ASCII or stray byte: nothing incomplete
    const std::size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    return back < needed ? size - back : size;
  }
  return size;
}

}  // namespace texts
