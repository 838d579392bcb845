#include "ui/skin_loader.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace {

struct SizeRow {
  const char* name;
  int width, height;
};

// The widget images and the window faces the windows are laid out for.
const SizeRow kSizes[] = {
    {"MAINBTNOPENMOVIE", 12, 48},
    {"MAINBTNOPENSUBTITLE", 12, 48},
    {"MAINBTNPLAYLIST", 12, 48},
    {"MAINBTNCONFIGURATION", 12, 48},
    {"MAINBTNINFO", 12, 48},
    {"MAINBTNPRIOR", 12, 48},
    {"MAINBTNNEXT", 12, 48},
    {"MAINBTNREWIND", 16, 48},
    {"MAINBTNFORWARD", 16, 48},
    {"MAINBTNPLAY", 20, 80},
    {"MAINBTNPAUSE", 20, 80},
    {"MAINBTNSTOP", 20, 80},
    {"MAINBTNCLOSE", 9, 36},
    {"MAINBTNMINIMIZE", 9, 36},
    {"MAINBTNVOLUMEUP", 9, 36},
    {"MAINBTNVOLUMEDOWN", 9, 36},
    {"MAINMUTE", 30, 13},
    {"MAINVOLBAR", 10, 78},
    {"MAINPROGRESSBAR", 407, 18},
    {"BUTTONTEXT1", 80, 80},
    {"BUTTONTEXT2", 100, 80},
    {"BUTTONTEXT3", 120, 80},
    {"BUTTONTEXT4", 140, 80},
    {"BUTTONTEXT5", 160, 80},
    {"BTNOPENMOVIE", 24, 12},
    {"BTNSAVEPLAYLIST", 24, 12},
    {"BTNREPLACESUBTITLE", 24, 12},
    {"BTNADDFOLDER", 28, 12},
    {"BTNOPENPLAYLIST", 28, 12},
    {"BTNREMOVE", 20, 12},
    {"BTNCLOSE", 18, 9},
    {"BTNSHUFFLE", 52, 15},
    {"BTNPREVIOUSSETTINGS", 52, 15},
    {"SHOWHIDESUBTITLES", 24, 8},
    {"BTNLOADPRESET", 14, 48},
    {"BTNSAVEPRESET", 12, 48},
    {"VERTICALSLIDER", 11, 7},
    {"HORIZONTALSLIDER", 7, 12},
    {"RESTOREBTN", 27, 108},
    {"CBPOSITIONS", 52, 13},
    {"MAINIMAGE", 460, 152},
    {"ASPECTRATIO", 300, 110},  // stored under another file name
    {"CRHANDPOINT", 32, 32},
    {"CRHANDPRESS", 32, 32},
};

TEST(SkinLoaderTest, EveryEmbeddedImageDecodes) {
  const auto names = ui::skinImageNames();
  ASSERT_GE(names.size(), std::size(kSizes));
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    QImage image;
    ASSERT_NO_THROW(image = ui::loadSkinImage(name));
    EXPECT_FALSE(image.isNull());
  }
}

TEST(SkinLoaderTest, WidgetImagesHaveTheirLayoutSizes) {
  for (const SizeRow& row : kSizes) {
    SCOPED_TRACE(row.name);
    const QImage image = ui::loadSkinImage(row.name);
    EXPECT_EQ(image.width(), row.width);
    EXPECT_EQ(image.height(), row.height);
  }
}

TEST(SkinLoaderTest, NamesIgnoreLetterCaseAndMissingNamesThrow) {
  const struct {
    const char* name;
    bool found;
  } rows[] = {{"MainbtnPlay", true},      {"mainimage", true},   {"Message1", true},
              {"CBPositions", true},      {"MainbtnPla", false}, {"", false},
              {"MAINBTNPLAY.png", false}, {"NoSuchImage", false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ui::hasSkinImage(row.name), row.found);
    if (row.found) {
      EXPECT_FALSE(ui::loadSkinImage(row.name).isNull());
    } else {
      try {
        ui::loadSkinImage(row.name);
        ADD_FAILURE() << "no error for a missing image";
      } catch (const ui::SkinImageError& error) {
        EXPECT_NE(std::string(error.what()).find("missing"), std::string::npos);
      }
    }
  }
}

// PNG bytes of a small image with transparency, made by Qt's writer.
std::vector<unsigned char> samplePng() {
  QImage image(5, 3, QImage::Format_ARGB32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) image.setPixel(x, y, qRgba(10 * x, 40 * y, 200, 255 - 60 * x));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {bytes.begin(), bytes.end()};
}

TEST(SkinLoaderTest, DecodesColoursAndAlphaExactly) {
  const auto bytes = samplePng();
  std::string error;
  const QImage image = ui::decodePng(bytes, &error).convertToFormat(QImage::Format_ARGB32);
  ASSERT_FALSE(image.isNull()) << error;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      const QRgb p = image.pixel(x, y);
      EXPECT_EQ(qAlpha(p), 255 - 60 * x);
      // Premultiplied storage rounds colour channels of translucent pixels,
      // the more the fainter the pixel.
      if (qAlpha(p) < 64) continue;
      EXPECT_NEAR(qRed(p), 10 * x, 2);
      EXPECT_NEAR(qGreen(p), 40 * y, 2);
      EXPECT_NEAR(qBlue(p), 200, 2);
    }
}

TEST(SkinLoaderTest, BrokenTruncatedAndRandomBytesFailCleanly) {
  const auto good = samplePng();
  std::vector<std::vector<unsigned char>> inputs = {{}, {0x89, 'P', 'N', 'G'}};
  for (std::size_t cut : {8u, 16u, 33u, 40u, 60u}) {
    if (cut < good.size()) inputs.emplace_back(good.begin(), good.begin() + cut);
  }
  auto corrupted = good;
  corrupted[good.size() / 2] ^= 0xFF;
  inputs.push_back(corrupted);
  std::mt19937 random(7);
  for (int i = 0; i < 300; ++i) {
    auto bytes = good;
    bytes.resize(random() % (good.size() + 20));
    for (int k = 0; k < 4; ++k)
      if (!bytes.empty()) bytes[random() % bytes.size()] = static_cast<unsigned char>(random());
    inputs.push_back(bytes);
  }
  int failures = 0;
  for (const auto& bytes : inputs) {
    std::string error;
    const QImage image = ui::decodePng(bytes, &error);
    if (image.isNull()) {
      ++failures;
      EXPECT_FALSE(error.empty());
    }
  }
  EXPECT_GE(failures, 9);  // at least every deliberately broken input
}

void bigEndian(std::vector<unsigned char>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<unsigned char>(value >> shift));
}

// A PNG signature and IHDR (8-bit RGBA) followed by the start of one chunk that
// claims `length` bytes of data.
std::vector<unsigned char> pngClaiming(std::uint32_t width, std::uint32_t height, const char* type,
                                       std::uint32_t length) {
  std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  bigEndian(png, 13);
  const std::size_t crcStart = png.size();
  png.insert(png.end(), {'I', 'H', 'D', 'R'});
  bigEndian(png, width);
  bigEndian(png, height);
  png.insert(png.end(), {8, 6, 0, 0, 0});
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::size_t i = crcStart; i < png.size(); ++i) {
    crc ^= png[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  bigEndian(png, ~crc);
  bigEndian(png, length);
  png.insert(png.end(), type, type + 4);
  return png;
}

// A 41-byte file must not make the decoder allocate what its chunk claims:
// each is refused for its claim, before any allocation, not for its truncation.
TEST(SkinLoaderTest, OversizedClaimsAreRefusedBeforeAllocation) {
  struct Row {
    std::uint32_t width, height;
    const char* type;
    std::uint32_t length;
    const char* error;
  } rows[] = {
      {1, 1, "zTXt", 0x7FFFFFF0, "zTXt: chunk data is too large"},
      {1, 1, "tEXt", 0x7FFFFFF0, "tEXt: chunk data is too large"},
      {1, 1, "iTXt", 0x7FFFFFF0, "iTXt: chunk data is too large"},
      {1, 1, "sPLT", 0x7FFFFFF0, "sPLT: chunk data is too large"},
      {1, 1, "eXIf", 0x7FFFFFF0, "eXIf: chunk data is too large"},
      {1, 1, "tEXt", 16 * 1024 * 1024 + 1, "tEXt: chunk data is too large"},
      {8192, 8192, "IDAT", 100, "image size out of range"},
      {4097, 4096, "IDAT", 100, "image size out of range"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.type << " " << row.length << " " << row.width);
    const auto bytes = pngClaiming(row.width, row.height, row.type, row.length);
    std::string error;
    EXPECT_TRUE(ui::decodePng(bytes, &error).isNull());
    EXPECT_EQ(error, row.error);
  }
  // A chunk within the limit is only truncated.
  std::string error;
  EXPECT_TRUE(ui::decodePng(pngClaiming(1, 1, "tEXt", 100), &error).isNull());
  EXPECT_EQ(error, "image is truncated");
}

}  // namespace
