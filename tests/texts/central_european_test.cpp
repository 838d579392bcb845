#include "texts/central_european.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

// Converts one code page 1250 byte to UTF-8 with the C library; empty when the
// byte is unassigned.
std::string cp1250ByteToUtf8(unsigned char b) {
  iconv_t cd = iconv_open("UTF-8", "CP1250");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "?";
  char in[1] = {static_cast<char>(b)};
  char out[8] = {};
  char* inp = in;
  char* outp = out;
  size_t inleft = 1, outleft = sizeof out;
  const size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return {};
  return std::string(out, sizeof out - outleft);
}

TEST(CentralEuropean, EveryCodePageByteFoldsLikeTheByteRule) {
  // For every byte of the code page: its UTF-8 form, lower-cased, must be the
  // UTF-8 form of the byte the byte rule gives, as the C library maps them.
  ASSERT_EQ(cp1250ByteToUtf8(0x8A), "\xC5\xA0") << "iconv lacks CP1250";
  for (int b = 0x20; b < 0x100; ++b) {
    SCOPED_TRACE(b);
    const std::string upper = cp1250ByteToUtf8(static_cast<unsigned char>(b));
    if (upper.empty()) {
      EXPECT_EQ(texts::codePage1250ToUnicode(static_cast<unsigned char>(b)), U'\0');
      continue;
    }
    const std::string expected =
        cp1250ByteToUtf8(texts::lowerCaseCodePage1250Byte(static_cast<unsigned char>(b)));
    EXPECT_EQ(texts::lowerCaseCentralEuropean(upper), expected);
  }
}

TEST(CentralEuropean, ByteRule) {
  struct Row {
    unsigned char in, out;
  };
  const Row rows[] = {
      {0x41, 0x61}, {0x5A, 0x7A}, {0x40, 0x40}, {0x5B, 0x5B}, {0x61, 0x61}, {0x8A, 0x9A},
      {0x8B, 0x8B}, {0x8C, 0x9C}, {0x8F, 0x9F}, {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA},
      {0xAF, 0xBF}, {0xBC, 0xBE}, {0xC0, 0xE0}, {0xD6, 0xF6}, {0xD7, 0xD7}, {0xD8, 0xF8},
      {0xDE, 0xFE}, {0xDF, 0xDF}, {0xA4, 0xA4}, {0xFF, 0xFF}, {0x9A, 0x9A}, {0x00, 0x00},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.in));
    EXPECT_EQ(texts::lowerCaseCodePage1250Byte(row.in), row.out);
  }
}

TEST(CentralEuropean, Strings) {
  struct Row {
    const char* in;
    const char* out;
  };
  const Row rows[] = {
      {"", ""},
      {"Movie.AVI", "movie.avi"},
      {"\xC5\xA0KODA \xC5\x81\xC3\x93"
       "D\xC5\xB9",
       "\xC5\xA1koda \xC5\x82\xC3\xB3"
       "d\xC5\xBA"},                                             // ŠKODA ŁÓDŹ
      {"\xC4\x84\xC4\xBD", "\xC4\x85\xC4\xBE"},                  // ĄĽ
      {"\xC3\x97\xC3\x9F", "\xC3\x97\xC3\x9F"},                  // × ß unchanged
      {"\xC4\x80\xCE\x91\xD0\x96", "\xC4\x80\xCE\x91\xD0\x96"},  // Ā Α Ж not in the code page
      {"\xE2\x82\xAC\xF0\x9F\x98\x80", "\xE2\x82\xAC\xF0\x9F\x98\x80"},  // € and an emoji
      {"\x8A\xC0x\xA5", "\x9A\xE0x\xB9"},  // 8-bit bytes fold as bytes
      {"\xC3", "\xE3"},                    // truncated sequence
      {"\xC3\xC4\x84", "\xE3\xC4\x85"},    // bad lead, then Ą
      {"\xE0\x80\x81Z", "\xE0\x80\x81z"},  // overlong form kept bytewise
      {"\xED\xA0\x80", "\xED\xA0\x80"},    // surrogate kept bytewise
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.in);
    EXPECT_EQ(texts::lowerCaseCentralEuropean(row.in), row.out);
  }
  EXPECT_EQ(texts::lowerCaseCentralEuropean(std::string_view("A\0B", 3)), std::string("a\0b", 3));
}

}  // namespace
