#include "subtitles/subtitle_text.h"

#include <iconv.h>

#include <algorithm>
#include <bitset>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

namespace subtitles {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct Range {
  unsigned first, last;
};

// Bytes a subtitle text may hold without counting against it: printable ASCII
// except "+" and "=", and the letters and signs of the Windows code pages.
constexpr Range kEightBitAccepted[] = {{32, 42},   {44, 60},   {62, 126},  {138, 138}, {140, 143},
                                       {154, 154}, {156, 159}, {163, 163}, {165, 165}, {170, 170},
                                       {175, 175}, {179, 179}, {185, 186}, {188, 188}, {190, 214},
                                       {216, 222}, {224, 246}, {248, 254}};

// Characters a decoded text may hold without counting against it: letters of the
// Latin, Greek, Cyrillic, Armenian and Georgian scripts and common signs.
constexpr Range kUnicodeAccepted[] = {
    {32, 42},     {44, 60},     {62, 126},      {192, 214},    {216, 222},   {224, 246},
    {248, 303},   {306, 311},   {313, 328},     {330, 382},    {385, 396},   {398, 404},
    {406, 409},   {412, 413},   {415, 421},     {423, 425},    {428, 441},   {444, 445},
    {452, 452},   {454, 455},   {457, 458},     {460, 495},    {497, 497},   {499, 501},
    {506, 539},   {595, 596},   {598, 599},     {601, 601},    {603, 603},   {608, 608},
    {611, 611},   {616, 617},   {623, 623},     {626, 626},    {629, 629},   {643, 643},
    {648, 648},   {650, 651},   {658, 658},     {902, 902},    {904, 906},   {908, 908},
    {910, 911},   {913, 929},   {931, 943},     {945, 974},    {994, 1007},  {1025, 1036},
    {1038, 1103}, {1105, 1116}, {1118, 1153},   {1168, 1215},  {1217, 1220}, {1223, 1224},
    {1227, 1228}, {1232, 1259}, {1262, 1269},   {1272, 1273},  {1329, 1366}, {1377, 1414},
    {4256, 4293}, {7680, 7829}, {7840, 7929},   {7936, 7957},  {7960, 7965}, {7968, 8005},
    {8008, 8013}, {8017, 8017}, {8019, 8019},   {8021, 8021},  {8023, 8023}, {8025, 8025},
    {8027, 8027}, {8029, 8029}, {8031, 8061},   {8112, 8113},  {8120, 8123}, {8136, 8139},
    {8144, 8145}, {8152, 8155}, {8160, 8161},   {8165, 8165},  {8168, 8172}, {8184, 8187},
    {8544, 8575}, {9398, 9449}, {65313, 65338}, {65345, 65370}};

template <std::size_t N, std::size_t M>
std::bitset<N> makeSet(const Range (&ranges)[M]) {
  std::bitset<N> set;
  for (const Range& r : ranges)
    for (unsigned c = r.first; c <= r.last; ++c) set.set(c);
  return set;
}

const std::bitset<256>& eightBitSet() {
  static const std::bitset<256> set = makeSet<256>(kEightBitAccepted);
  return set;
}

const std::bitset<65536>& unicodeSet() {
  static const std::bitset<65536> set = makeSet<65536>(kUnicodeAccepted);
  return set;
}

// Splits decoded characters into lines at CR LF, LF or a lone CR, drops the empty
// lines at the end and counts the characters for the text check.
void splitLines(const std::u32string& chars, SubtitleText& out, bool countUnicode) {
  const auto& accepted = unicodeSet();
  std::size_t start = 0;
  const std::size_t n = chars.size();
  for (std::size_t i = 0; i <= n; ++i) {
    if (i < n && chars[i] != U'\r' && chars[i] != U'\n') {
      if (countUnicode) {
        ++out.characters;
        if (chars[i] > 0xFFFF || !accepted.test(chars[i])) ++out.badCharacters;
      }
      continue;
    }
    if (i == n && start == n) break;  // no text after the last line end
    out.lines.emplace_back(chars, start, i - start);
    if (i + 1 < n && chars[i] == U'\r' && chars[i + 1] == U'\n') ++i;
    start = i + 1;
  }
  while (!out.lines.empty() && out.lines.back().empty()) out.lines.pop_back();
}

std::u32string fromUtf16(std::string_view bytes, bool bigEndian) {
  std::u32string out;
  out.reserve(bytes.size() / 2);
  auto unit = [&](std::size_t i) -> char32_t {
    auto b0 = static_cast<unsigned char>(bytes[i]), b1 = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0);
  };
  const std::size_t units = bytes.size() / 2;
  for (std::size_t k = 0; k < units; ++k) {
    char32_t u = unit(2 * k);
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units) {
      char32_t low = unit(2 * k + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        out.push_back(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        ++k;
        continue;
      }
    }
    out.push_back(u >= 0xD800 && u <= 0xDFFF ? kReplacement : u);
  }
  return out;
}

std::size_t utf16Units(const std::u32string& chars) {
  std::size_t units = chars.size();
  for (char32_t c : chars) units += c > 0xFFFF;
  return units;
}

// Decodes one UTF-8 sequence at `i`; returns its length, 0 when it is invalid.
std::size_t decodeOne(std::string_view s, std::size_t i, char32_t& cp) {
  auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c = b(i);
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  std::size_t len;
  char32_t min;
  if (c >= 0xC2 && c <= 0xDF)
    len = 2, cp = c & 0x1F, min = 0x80;
  else if (c >= 0xE0 && c <= 0xEF)
    len = 3, cp = c & 0x0F, min = 0x800;
  else if (c >= 0xF0 && c <= 0xF4)
    len = 4, cp = c & 0x07, min = 0x10000;
  else
    return 0;
  if (i + len > s.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (b(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

SubtitleText failure(ReadStatus status) {
  SubtitleText t;
  t.status = status;
  return t;
}

enum class Mark { None, Utf8, Utf16Le, Utf16Be };

// The byte-order mark decides the encoding; a UTF-16 mark on an odd size is no mark.
Mark markOf(std::string_view head, std::uintmax_t size) {
  auto at = [&](std::size_t i) {
    return i < head.size() ? static_cast<unsigned char>(head[i]) : 0u;
  };
  if (at(0) == 0xFF && at(1) == 0xFE && size % 2 == 0) return Mark::Utf16Le;
  if (at(0) == 0xFE && at(1) == 0xFF && size % 2 == 0 && size >= 2) return Mark::Utf16Be;
  if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) return Mark::Utf8;
  return Mark::None;
}

// Refuses a file from its size alone, before anything is read.
bool tooBigBySize(Mark mark, std::uintmax_t size) {
  switch (mark) {
    case Mark::Utf16Le:
    case Mark::Utf16Be:
      return (size - 2) / 2 > kMaxUnicodeUnits;
    case Mark::Utf8:
      // Every UTF-16 code unit comes from at most three bytes.
      return size - 3 > 3 * kMaxUnicodeUnits;
    case Mark::None:
      return size / 128 * 128 > kMaxEightBitBlockBytes;
  }
  return false;
}

}  // namespace

const char* codePageForFontScript(int script) {
  switch (script) {
    case 238:
      return "CP1250";
    case 204:
      return "CP1251";
    case 161:
      return "CP1253";
    case 162:
      return "CP1254";
    case 177:
      return "CP1255";
    case 178:
      return "CP1256";
    case 186:
      return "CP1257";
    case 163:
      return "CP1258";
    case 222:
      return "CP874";
    case 128:
      return "CP932";
    case 129:
      return "CP949";
    case 134:
      return "CP936";
    case 136:
      return "CP950";
    default:
      return "CP1252";  // 0 ANSI, 1 DEFAULT and every unknown set
  }
}

std::string decodeCodePage(std::string_view bytes, const char* codePage) {
  iconv_t cd = iconv_open("UTF-8", codePage);
  if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open("UTF-8", "CP1252");
  std::string out;
  if (cd == reinterpret_cast<iconv_t>(-1)) {  // no converter at all: read as Latin-1
    for (unsigned char c : bytes) out += toUtf8(std::u32string(1, c));
    return out;
  }
  out.resize(bytes.size() * 4 + 16);
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {  // cannot happen with four bytes per input byte; stay safe
      std::size_t used = out.size() - dstLeft;
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dstLeft = out.size() - used;
      continue;
    }
    // An undefined byte or a sequence cut at the end: one replacement, one byte skipped.
    if (dstLeft < 3) break;
    std::memcpy(dst, "\xEF\xBF\xBD", 3);
    dst += 3;
    dstLeft -= 3;
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv(cd, nullptr, nullptr, &dst, &dstLeft);  // flush a pending combined character
  out.resize(out.size() - dstLeft);
  iconv_close(cd);
  return out;
}

bool isValidUtf8(std::string_view text) {
  char32_t cp;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = decodeOne(text, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

namespace {

// Decodes UTF-8; `valid` tells whether every sequence was well formed. With
// `stopAtInvalid` the decoding ends at the first bad sequence.
std::u32string decodeUtf8(std::string_view text, bool& valid, bool stopAtInvalid) {
  std::u32string out;
  out.reserve(text.size());
  valid = true;
  char32_t cp;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = decodeOne(text, i, cp);
    valid = valid && len != 0;
    if (!valid && stopAtInvalid) break;
    out.push_back(len ? cp : kReplacement);
    i += len ? len : 1;
  }
  return out;
}

}  // namespace

std::u32string fromUtf8(std::string_view text) {
  bool valid;
  return decodeUtf8(text, valid, false);
}

std::string toUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c >= 0xD800 && c <= 0xDFFF) c = kReplacement;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c <= 0x10FFFF) {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += "\xEF\xBF\xBD";
    }
  }
  return out;
}

std::size_t countUtf8Chars(std::string_view text) {
  std::size_t n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n;
}

SubtitleText decodeSubtitleBytes(std::string_view bytes, int subtitleFontScript) {
  const Mark mark = markOf(bytes.substr(0, 3), bytes.size());
  if (tooBigBySize(mark, bytes.size())) return failure(ReadStatus::TooBig);
  SubtitleText out;
  std::u32string chars;
  bool countUnicode = true;
  switch (mark) {
    case Mark::Utf16Le:
    case Mark::Utf16Be:
      out.encoding = mark == Mark::Utf16Le ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
      chars = fromUtf16(bytes.substr(2), mark == Mark::Utf16Be);
      break;
    case Mark::Utf8:
      out.encoding = TextEncoding::Utf8Bom;
      chars = fromUtf8(bytes.substr(3));
      if (utf16Units(chars) > kMaxUnicodeUnits) return failure(ReadStatus::TooBig);
      break;
    case Mark::None: {
      bool valid;
      chars = decodeUtf8(bytes, valid, true);
      if (valid) {
        out.encoding = TextEncoding::Utf8;
        break;
      }
      // A code page: the text check counts the file's own bytes, as they stand.
      out.encoding = TextEncoding::CodePage;
      countUnicode = false;
      for (unsigned char c : bytes) {
        if (c == '\r' || c == '\n') continue;
        ++out.characters;
        out.badCharacters += !eightBitSet().test(c);
      }
      // Bytes that fail the text check on their own (below 1 MiB the line count
      // cannot decide it) are not decoded at all.
      if (out.characters == 0 || out.badCharacters * 100 >= 40 * out.characters) return out;
      chars = fromUtf8(decodeCodePage(bytes, codePageForFontScript(subtitleFontScript)));
      break;
    }
  }
  splitLines(chars, out, countUnicode);
  return out;
}

SubtitleText readSubtitleText(const std::string& path, int subtitleFontScript) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (path.empty() || !std::filesystem::exists(status)) return failure(ReadStatus::Missing);
  // Folders, pipes and devices are not opened: a pipe would block the interface.
  if (!std::filesystem::is_regular_file(status)) return failure(ReadStatus::CantOpen);
  std::ifstream file(path, std::ios::binary);
  if (!file) return failure(ReadStatus::CantOpen);
  file.seekg(0, std::ios::end);
  const std::streamoff end = file.tellg();
  if (end < 0) return failure(ReadStatus::CantRead);
  const auto size = static_cast<std::uintmax_t>(end);
  file.seekg(0);
  char head[3] = {};
  file.read(head, static_cast<std::streamsize>(std::min<std::uintmax_t>(3, size)));
  if (tooBigBySize(markOf(std::string_view(head, file.gcount()), size), size))
    return failure(ReadStatus::TooBig);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  file.seekg(0);
  file.read(bytes.data(), static_cast<std::streamsize>(size));
  if (static_cast<std::uintmax_t>(file.gcount()) != size) return failure(ReadStatus::CantRead);
  return decodeSubtitleBytes(bytes, subtitleFontScript);
}

}  // namespace subtitles
