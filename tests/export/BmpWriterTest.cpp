// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "TestFiles.h"
#include "export/BmpWriter.h"
#include "render/Raster.h"

namespace {

std::uint32_t U32At(const std::string& bytes, size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

unsigned U16At(const std::string& bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) |
         static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

// width × height pixels, pixel (x, y) = RGB(x, y, 200).
CRaster Gradient(int width, int height, int dotsPerInch = 0) {
  CRaster raster;
  EXPECT_TRUE(raster.Allocate(width, height));
  raster.dotsPerInch = dotsPerInch;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      raster.pixels[static_cast<size_t>(y * width + x)] =
          RasterPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), 200);
    }
  }
  return raster;
}

std::string Encoded(const CRaster& raster) {
  std::string bytes;
  EXPECT_TRUE(EncodeBmp(raster, &bytes));
  return bytes;
}

}  // namespace

TEST(BmpWriter, HeadersGiveSizeOffsetAndResolution) {
  const std::string bytes = Encoded(Gradient(3, 2, 96));
  ASSERT_EQ(bytes.size(), 54u + 12 * 2);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(U32At(bytes, 2), 54u + 12 * 2);  // file size
  EXPECT_EQ(U32At(bytes, 6), 0u);            // reserved
  EXPECT_EQ(U32At(bytes, 10), 54u);          // pixel data offset
  EXPECT_EQ(U32At(bytes, 14), 40u);
  EXPECT_EQ(U32At(bytes, 18), 3u);
  EXPECT_EQ(U32At(bytes, 22), 2u);  // positive height: bottom-up
  EXPECT_EQ(U16At(bytes, 26), 1u);
  EXPECT_EQ(U16At(bytes, 28), 24u);
  EXPECT_EQ(U32At(bytes, 30), 0u);
  EXPECT_EQ(U32At(bytes, 34), 0u);
  EXPECT_EQ(U32At(bytes, 38), 3780u);  // 96 × 39.37 + 0.5
  EXPECT_EQ(U32At(bytes, 42), 3780u);
  EXPECT_EQ(U32At(bytes, 46), 0u);
  EXPECT_EQ(U32At(bytes, 50), 0u);
  EXPECT_EQ(U32At(Encoded(Gradient(1, 1)), 38), 0u);  // no resolution
}

TEST(BmpWriter, ThreePixelRowsArePaddedWith20ThenZeros) {
  const std::string bytes = Encoded(Gradient(3, 2));
  // The bottom row (y = 1) comes first, each pixel blue, green, red.
  EXPECT_EQ(bytes.substr(54, 12),
            std::string("\xC8\x01\x00\xC8\x01\x01\xC8\x01\x02\x20\x00\x00", 12));
  EXPECT_EQ(bytes.substr(66, 12),
            std::string("\xC8\x00\x00\xC8\x00\x01\xC8\x00\x02\x20\x00\x00", 12));
}

TEST(BmpWriter, FourPixelRowsHaveNoPadding) {
  const std::string bytes = Encoded(Gradient(4, 3));
  EXPECT_EQ(bytes.size(), 54u + 12 * 3);
  EXPECT_EQ(U32At(bytes, 2), 54u + 12 * 3);
  EXPECT_EQ(bytes.substr(54 + 9, 3), std::string("\xC8\x02\x03", 3));  // last pixel, no pad
  const std::string five = Encoded(Gradient(5, 1));
  EXPECT_EQ(five.size(), 54u + 16);
  EXPECT_EQ(five.substr(54 + 15), std::string("\x20", 1));
}

TEST(BmpWriter, WritesTheFileAtomicallyAndReportsWhatCannotBeOpened) {
  CTempDir folder;
  const CRaster raster = Gradient(7, 5, 72);
  const std::string path = folder.Write("picture.bmp", "old");
  std::string error;
  ASSERT_TRUE(WriteBmp(raster, path, &error)) << error;
  EXPECT_EQ(ReadFileText(path), Encoded(raster));

  const std::string missing = (folder.Path() / "no" / "picture.bmp").string();
  EXPECT_FALSE(WriteBmp(raster, missing, &error));
  EXPECT_EQ(error.rfind("Opening " + missing + " failed: ", 0), 0u) << error;
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(BmpWriter, RefusesARasterWhosePixelsDoNotMatchItsSize) {
  CRaster raster;
  raster.width = 10;
  raster.height = 10;  // no pixels
  std::string bytes;
  EXPECT_FALSE(EncodeBmp(raster, &bytes));
  CTempDir folder;
  std::string error;
  EXPECT_FALSE(WriteBmp(raster, (folder.Path() / "x.bmp").string(), &error));
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "x.bmp"));
}
