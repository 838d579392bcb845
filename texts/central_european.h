#pragma once
// Lower-casing for Central European names (subtitle and playlist file matching).
// The rule is the one of code page 1250: the upper-case letters of that code page
// map to their lower-case partners, every other character is left alone.
#include <string>
#include <string_view>

namespace texts {

// Lower-cases a UTF-8 string by the code page 1250 rule. Each well-formed UTF-8
// character that stands for a code page 1250 upper-case letter (A..Z, Š Ś Ť Ž Ź Ł
// Ş Ż Ą Ľ and the letters of bytes C0..DE except ×) becomes its lower-case
// partner, encoded back as UTF-8; characters outside code page 1250 are kept.
// A byte that does not start a well-formed UTF-8 sequence is taken as a code
// page 1250 byte, lower-cased by the byte rule and kept as that single byte, so
// 8-bit names fold the same way. Never splits or alters a multi-byte sequence.
// Pure; safe from any thread.
std::string lowerCaseCentralEuropean(std::string_view utf8);

// The same rule for one Unicode code point; code points that are not a code
// page 1250 upper-case letter are returned unchanged.
char32_t lowerCaseCentralEuropeanChar(char32_t c);

// The code page 1250 byte rule on one byte: 41..5A, C0..D6 and D8..DE get 0x20
// added; 8A and 8C..8F get 0x10 added, so do A3, AA and AF; A5 becomes B9 and
// BC becomes BE; every other byte is unchanged.
unsigned char lowerCaseCodePage1250Byte(unsigned char b);

// The Unicode code point of a code page 1250 byte; 0 for the five unassigned
// bytes 81, 83, 88, 90 and 98.
char32_t codePage1250ToUnicode(unsigned char b);

}  // namespace texts
