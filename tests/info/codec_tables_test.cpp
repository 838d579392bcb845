#include "info/codec_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace info {
namespace {

uint32_t code(const char (&c)[5]) {
  return fourcc(uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]), uint8_t(c[3]));
}

TEST(CodecTablesTest, HoldEveryKeyOnceInOrder) {
  struct Row {
    const char* name;
    std::span<const CodecEntry> table;
    size_t count;
    uint32_t maxKey;
  } rows[] = {{"video", videoCodeTable(), 648, UINT32_MAX},
              {"audio", audioTagTable(), 157, 0xFFFF}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.table.size(), row.count);
    for (size_t i = 0; i < row.table.size(); ++i) {
      EXPECT_LE(row.table[i].key, row.maxKey);
      ASSERT_NE(row.table[i].description, nullptr);
      EXPECT_GT(std::string(row.table[i].description).size(), 0u);
      if (i > 0) {
        EXPECT_LT(row.table[i - 1].key, row.table[i].key) << "at " << i;
      }
    }
  }
}

TEST(CodecTablesTest, DescribesVideoCodesExactlyAndCaseSensitively) {
  struct Row {
    uint32_t code;
    const char* expected;
  } rows[] = {
      {fourcc(0x44, 0x49, 0x56, 0x58), "OpenDivX (DivX 4.0 and later)"},
      {fourcc(0x64, 0x69, 0x76, 0x78), "DivX"},
      {code("DX50"), "DivX 5.0 codec"},
      {code("XVID"), "XviD MPEG-4 codec"},
      {code("DIV3"), "DivX ;-) MPEG-4 Low-Motion"},
      {code("MP43"), "Microsoft MPEG-4 V3"},
      {code("H264"), "Intel H.264"},
      {code("X264"), "XiWave H.264 codec"},
      {code("x264"), "x264 codec"},
      {code("AVC1"), "AVC1 codec (supported by ffdshow) codec"},
      {code("MJPG"), "IBM Motion JPEG including Huffman Tables"},
      {code("WMV3"), "Windows Media Video 9"},
      {code("FLV1"), "Flash Video Decoder v1"},
      {code("VP62"), "On2 VP6"},
      {code("RV40"), "RealVideo 9"},
      {code("SVQ3"), "Sorenson Video 3 (Apple Quicktime 5)"},
      {code("YV12"), "ATI YVU12 4:2:0 Planar"},
      {code("dvsd"), "25Mbps Consumer DV"},
      {code("DXTA"), "Microsoft Corporation\tReserved"},
      {fourcc('R', 'G', 'B', 0), "Full Frames (Uncompressed)"},
      {code("RGB "), "(RGB) Raw BGR32"},
      {code(" RGB"),
       "(RGB) Raw Bitmap. Basic Windows bitmap format. 1, 4 and 8 bpp versions are palettised. "
       "16, 24 and 32bpp contain raw RGB samples."},
      // Keys that differ only in case are distinct, and unlisted cases are unknown.
      {code("Divx"), "Unknown (Divx)"},
      {code("h264"), "Unknown (h264)"},
      {code("xvid"), "Unknown (xvid)"},
      {fourcc(0x68, 0x32, 0x36, 0x35), "Unknown (h265)"},
      {0, "Unknown (0)"},
      {1, "Unknown (1)"},
      {2, "Unknown (2)"},
      {3, "Unknown (3)"},
      {16777215, "Unknown (16777215)"},
      // Bytes that are not printable text fall back to the number.
      {fourcc(0x01, 0x02, 0x03, 0x04), "Unknown (67305985)"},
      {fourcc('A', 'B', 'C', 0xE9), "Unknown (3913499201)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(describeVideoCompression(row.code), row.expected);
  }
}

TEST(CodecTablesTest, ThirtyCodesShareTheReservedDescription) {
  int reserved = 0, withTab = 0;
  for (const CodecEntry& e : videoCodeTable()) {
    const std::string d = e.description;
    if (d == "Microsoft Corporation\tReserved") ++reserved;
    if (d.find('\t') != std::string::npos) ++withTab;
  }
  EXPECT_EQ(reserved, 30);
  EXPECT_GE(withTab, 30);
}

TEST(CodecTablesTest, DescribesAudioTags) {
  struct Row {
    uint32_t tag;
    const char* expected;
  } rows[] = {{0, "Unknown Wave"},
              {1, "Microsoft PCM"},
              {85, "MPEG1 Layer-3"},
              {0x000C, "MPEG2 5.1"},
              {255, "AAC"},
              {0x2000, "FAST Multimedia AG DVM (Dolby AC3)"},
              {0x674F, "Ogg Vorbis (mode 1)"},
              {0xFFFE, "Extensible wave format"},
              {0xFFFF, "In Development / Unregistered"},
              {254, "Unknown (254)"},
              {20327, "Unknown (gO)"},
              {0x4201, "Unknown (16897)"},  // a byte that is not printable: decimal
              {65536, "Unknown (65536)"},
              {0x8000, "Unknown (32768)"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.tag);
    EXPECT_EQ(describeAudioFormat(row.tag), row.expected);
  }
}

}  // namespace
}  // namespace info
