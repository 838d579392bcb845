#pragma once
// Reading a subtitle file into lines of characters, and the UTF-8 helpers the
// subtitle code shares. Files with a byte-order mark (UTF-8, UTF-16LE, UTF-16BE)
// are decoded from it; files without one are UTF-8 when they are valid UTF-8 and
// otherwise decoded from the code page of the subtitle font's character set.
// Pure functions; safe from any thread.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace subtitles {

enum class TextEncoding { Utf8Bom, Utf16Le, Utf16Be, Utf8, CodePage };

enum class ReadStatus {
  Ok,
  Missing,   // no file at the path: fail without a message
  CantOpen,  // "Can't open" <name> "for reading!"
  TooBig,    // "The file" <name> "is too big to be a subtitle!"
  CantRead,  // "Can't read from" <name>"!"
};

// Limits: 1,048,576 UTF-16 code units for files with a byte-order mark; for other
// files the size counted in whole blocks of 128 bytes, so up to 1,048,703 bytes pass.
inline constexpr std::size_t kMaxUnicodeUnits = 1048576;
inline constexpr std::size_t kMaxEightBitBlockBytes = 1048576;

struct SubtitleText {
  ReadStatus status = ReadStatus::Ok;
  TextEncoding encoding = TextEncoding::Utf8;
  // Lines without their ends (CR LF, LF or a lone CR each end a line); empty lines
  // at the end are dropped.
  std::vector<std::u32string> lines;
  // Inputs of the text check: the characters of all lines and how many of them lie
  // outside the accepted set. Code-page files are counted in bytes against the
  // 8-bit set, every other file in characters against the Unicode set.
  std::size_t characters = 0;
  std::size_t badCharacters = 0;
};

// Reads and decodes the file at `path`. Oversized files are refused from their size
// alone, before their contents are read. `subtitleFontScript` is the Windows
// character-set number of the setting SubtitleFontScript.
SubtitleText readSubtitleText(const std::string& path, int subtitleFontScript);

// The same decoding for a file's bytes already in memory (size limits included).
SubtitleText decodeSubtitleBytes(std::string_view bytes, int subtitleFontScript);

// iconv name of the code page that a Windows character-set number stands for
// (238 EASTEUROPE -> "CP1250", 204 RUSSIAN -> "CP1251", ...); "CP1252" for unknown ones.
const char* codePageForFontScript(int subtitleFontScript);

// Converts 8-bit text in `codePage` to UTF-8; undecodable bytes become U+FFFD.
std::string decodeCodePage(std::string_view bytes, const char* codePage);

bool isValidUtf8(std::string_view text);
// Invalid sequences decode to U+FFFD, one per offending byte.
std::u32string fromUtf8(std::string_view text);
std::string toUtf8(std::u32string_view text);
// Number of characters (code points) of valid UTF-8; stray bytes count one each.
std::size_t countUtf8Chars(std::string_view text);

}  // namespace subtitles
