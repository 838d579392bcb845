#pragma once
// Small UTF-8 helpers shared by the texts library.
#include <cstddef>
#include <string>
#include <string_view>

namespace texts {

struct DecodedChar {
  char32_t code_point = 0;
  std::size_t length = 0;  // bytes used; 0 when the bytes at pos are not well-formed UTF-8
};

// Decodes the character starting at byte pos (pos < text.size()). Rejects
// overlong forms, surrogates, values above U+10FFFF and truncated sequences.
DecodedChar decodeUtf8(std::string_view text, std::size_t pos);

// Appends the UTF-8 form of a code point (at most U+10FFFF, no surrogates).
void appendUtf8(std::string& out, char32_t c);

// True when the whole text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// Converts Windows-1252 text to UTF-8 with the C library's iconv. The five
// bytes the code page leaves unassigned (81, 8D, 8F, 90, 9D) become the C1
// control characters of the same value, so no byte is lost.
std::string windows1252ToUtf8(std::string_view text);

// Cuts a UTF-8 text to at most maxChars code points, never inside a character.
// Bytes that are not well-formed UTF-8 count as one character each.
std::string cutToChars(std::string_view text, std::size_t maxChars);

// Length of text without a trailing character whose bytes are incomplete
// (a text cut at a byte limit may end inside a character).
std::size_t lengthWithoutIncompleteTail(std::string_view text);

}  // namespace texts
