// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG encoding of a 32-bit raster with libjpeg. The library reports errors through an error
// manager that returns here by longjmp with its message, instead of ending the program. Time
// O(width × height); memory one row of 3 × width bytes plus the compressed output.
#include "export/JpegWriter.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

#include <jerror.h>

#include "base/AtomicFile.h"
#include "export/ExportFile.h"
#include "render/Raster.h"

namespace {

constexpr size_t kOutputBlock = 1 << 16;

struct CJpegErrorManager {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
  auto* error = reinterpret_cast<CJpegErrorManager*>(info->err);
  (*info->err->format_message)(info, error->message);
  std::longjmp(error->jump, 1);
}

// Warnings stay silent: the program has no console to write them to.
void OutputMessage(j_common_ptr) {}

// Appends the compressed bytes to a string in blocks.
struct CStringDestination {
  jpeg_destination_mgr manager;
  std::string* out;
  JOCTET buffer[kOutputBlock];
};

void InitDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<CStringDestination*>(info->dest);
  destination->manager.next_output_byte = destination->buffer;
  destination->manager.free_in_buffer = kOutputBlock;
}

bool AppendBytes(CStringDestination* destination, size_t count) {
  try {
    destination->out->append(reinterpret_cast<const char*>(destination->buffer), count);
  } catch (...) {
    return false;
  }
  return true;
}

boolean EmptyOutputBuffer(j_compress_ptr info) {
  auto* destination = reinterpret_cast<CStringDestination*>(info->dest);
  if (!AppendBytes(destination, kOutputBlock)) ERREXIT(info, JERR_OUT_OF_MEMORY);
  destination->manager.next_output_byte = destination->buffer;
  destination->manager.free_in_buffer = kOutputBlock;
  return TRUE;
}

void TermDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<CStringDestination*>(info->dest);
  const size_t count = kOutputBlock - destination->manager.free_in_buffer;
  if (!AppendBytes(destination, count)) ERREXIT(info, JERR_OUT_OF_MEMORY);
}

void SetParameters(jpeg_compress_struct& info, const CRaster& raster, int density) {
  info.image_width = static_cast<JDIMENSION>(raster.width);
  info.image_height = static_cast<JDIMENSION>(raster.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  info.dct_method = JDCT_FLOAT;
  info.optimize_coding = FALSE;
  info.smoothing_factor = 0;
  info.write_JFIF_header = TRUE;
  info.density_unit = 1;  // dots per inch
  const auto dots = static_cast<UINT16>(std::clamp(density, 1, 65535));
  info.X_density = dots;
  info.Y_density = dots;
}

void ConvertRow(const CRaster& raster, int y, JSAMPLE* row) {
  const std::uint32_t* pixels = raster.Row(y);
  for (int x = 0; x < raster.width; ++x) {
    row[3 * x] = static_cast<JSAMPLE>(RasterRed(pixels[x]));
    row[3 * x + 1] = static_cast<JSAMPLE>(RasterGreen(pixels[x]));
    row[3 * x + 2] = static_cast<JSAMPLE>(RasterBlue(pixels[x]));
  }
}

// Everything that libjpeg may leave by longjmp happens in here; only plain C objects and the
// caller's row buffer live in this frame.
bool Compress(const CRaster& raster, int density, JSAMPLE* row, CStringDestination* destination,
              CJpegErrorManager* error) {
  jpeg_compress_struct info;
  info.err = jpeg_std_error(&error->manager);
  error->manager.error_exit = ErrorExit;
  error->manager.output_message = OutputMessage;
  error->message[0] = '\0';
  if (setjmp(error->jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  destination->manager.init_destination = InitDestination;
  destination->manager.empty_output_buffer = EmptyOutputBuffer;
  destination->manager.term_destination = TermDestination;
  info.dest = &destination->manager;
  SetParameters(info, raster, density);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    ConvertRow(raster, static_cast<int>(info.next_scanline), row);
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

bool EncodeJpeg(const CRaster& raster, std::string* bytes, std::string* error, int density) {
  if (!raster.IsComplete()) {
    if (error) *error = "The picture has no pixels to encode.";
    return false;
  }
  bytes->clear();
  std::vector<JSAMPLE> row(static_cast<size_t>(raster.width) * 3 + 1);
  auto destination = std::make_unique<CStringDestination>();
  destination->out = bytes;
  CJpegErrorManager manager{};
  if (Compress(raster, density, row.data(), destination.get(), &manager)) return true;
  if (error) *error = manager.message;
  bytes->clear();
  return false;
}

bool WriteJpeg(const CRaster& raster, const std::string& path, std::string* error, int density) {
  CAtomicFile file(path);
  const bool opened = file.Error().empty();
  if (!opened) {
    if (error) *error = ExportFileFailure(file, false);
    return false;
  }
  std::string bytes;
  if (!EncodeJpeg(raster, &bytes, error, density)) return false;
  if (file.Write(bytes) && file.Commit()) return true;
  if (error) *error = ExportFileFailure(file, true);
  return false;
}
