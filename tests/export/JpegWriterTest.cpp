// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include <jpeglib.h>

#include "TestFiles.h"
#include "export/JpegWriter.h"
#include "render/Raster.h"

namespace {

struct CDecoded {
  int width = 0;
  int height = 0;
  int densityUnit = -1;
  int xDensity = 0;
  int yDensity = 0;
  std::vector<unsigned char> rgb;
};

CDecoded Decode(const std::string& bytes) {
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  CDecoded decoded;
  decoded.width = static_cast<int>(info.output_width);
  decoded.height = static_cast<int>(info.output_height);
  decoded.densityUnit = info.density_unit;
  decoded.xDensity = info.X_density;
  decoded.yDensity = info.Y_density;
  decoded.rgb.resize(static_cast<size_t>(decoded.width) * decoded.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row =
        decoded.rgb.data() + static_cast<size_t>(info.output_scanline) * decoded.width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return decoded;
}

// Left half red, right half blue, the top 4 rows green: blocks a quality-100 JPEG keeps.
CRaster Blocks(int width, int height) {
  CRaster raster;
  EXPECT_TRUE(raster.Allocate(width, height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = y < 8           ? RasterPixel(0, 255, 0)
                                  : x < width / 2 ? RasterPixel(255, 0, 0)
                                                  : RasterPixel(0, 0, 255);
      raster.pixels[static_cast<size_t>(y) * width + x] = pixel;
    }
  }
  return raster;
}

void ExpectNear(const CDecoded& decoded, int x, int y, int red, int green, int blue) {
  const size_t at = (static_cast<size_t>(y) * decoded.width + x) * 3;
  EXPECT_NEAR(decoded.rgb[at], red, 6) << x << "," << y;
  EXPECT_NEAR(decoded.rgb[at + 1], green, 6) << x << "," << y;
  EXPECT_NEAR(decoded.rgb[at + 2], blue, 6) << x << "," << y;
}

}  // namespace

TEST(JpegWriter, DecodesToTheSameSizeColoursAndTopRowFirst) {
  std::string bytes;
  std::string error;
  ASSERT_TRUE(EncodeJpeg(Blocks(48, 32), &bytes, &error)) << error;
  const CDecoded decoded = Decode(bytes);
  EXPECT_EQ(decoded.width, 48);
  EXPECT_EQ(decoded.height, 32);
  ExpectNear(decoded, 4, 2, 0, 255, 0);
  ExpectNear(decoded, 4, 20, 255, 0, 0);
  ExpectNear(decoded, 40, 28, 0, 0, 255);
}

TEST(JpegWriter, JfifHeaderSaysOneDotPerInch) {
  std::string bytes;
  std::string error;
  ASSERT_TRUE(EncodeJpeg(Blocks(16, 16), &bytes, &error)) << error;
  const CDecoded decoded = Decode(bytes);
  EXPECT_EQ(decoded.densityUnit, 1);
  EXPECT_EQ(decoded.xDensity, 1);
  EXPECT_EQ(decoded.yDensity, 1);
  // Baseline (SOF0) with the quality-100 tables: every quantiser step is 1.
  const std::string sof0("\xFF\xC0", 2);
  EXPECT_NE(bytes.find(sof0), std::string::npos);
  const size_t dqt = bytes.find(std::string("\xFF\xDB", 2));
  ASSERT_NE(dqt, std::string::npos);
  EXPECT_EQ(bytes[dqt + 5], 1);
  EXPECT_EQ(bytes[dqt + 68], 1);
}

TEST(JpegWriter, LibraryErrorsComeBackAsMessagesInsteadOfEndingTheProgram) {
  CRaster empty;
  ASSERT_TRUE(empty.Allocate(0, 0));
  std::string bytes;
  std::string error;
  EXPECT_FALSE(EncodeJpeg(empty, &bytes, &error));
  EXPECT_FALSE(error.empty());
  CRaster tooWide;
  ASSERT_TRUE(tooWide.Allocate(70000, 1));
  error.clear();
  EXPECT_FALSE(EncodeJpeg(tooWide, &bytes, &error));
  EXPECT_NE(error.find("65500"), std::string::npos) << error;
  // The library still works afterwards.
  EXPECT_TRUE(EncodeJpeg(Blocks(8, 8), &bytes, &error));
}

TEST(JpegWriter, WritesTheFileOrReportsWhyItCannotBeOpened) {
  CTempDir folder;
  const std::string path = folder.Write("picture.jpg", "old");
  std::string error;
  ASSERT_TRUE(WriteJpeg(Blocks(20, 10), path, &error)) << error;
  const CDecoded decoded = Decode(ReadFileText(path));
  EXPECT_EQ(decoded.width, 20);
  EXPECT_EQ(decoded.height, 10);

  const std::string missing = (folder.Path() / "no" / "picture.jpg").string();
  EXPECT_FALSE(WriteJpeg(Blocks(20, 10), missing, &error));
  EXPECT_EQ(error.rfind("Opening " + missing + " failed: ", 0), 0u) << error;
  EXPECT_FALSE(std::filesystem::exists(missing));

  CRaster empty;
  ASSERT_TRUE(empty.Allocate(0, 3));
  EXPECT_FALSE(WriteJpeg(empty, path, &error));
  EXPECT_EQ(Decode(ReadFileText(path)).width, 20);  // the old file stays
}
