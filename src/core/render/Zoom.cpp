// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Zoom.h"

#include <algorithm>
#include <cctype>
#include <cmath>

std::optional<double> ZoomedIn(double z, double factor) {
  const double zoomed = z * factor;
  if (zoomed > kMaximumZoom) return std::nullopt;
  return zoomed;
}

double ZoomedOut(double z, double factor) {
  return std::max(kMinimumZoom, z / factor);
}

std::optional<double> StepZoomIn(double z) {
  const double zoomed = z + 0.01;
  if (zoomed > kMaximumZoom) return std::nullopt;
  return zoomed;
}

double StepZoomOut(double z) {
  return std::max(kMinimumZoom, z - 0.01);
}

double FitZoom(CSize total, CSize client) {
  if (total.cx <= 0 || total.cy <= 0 || client.cx <= 0 || client.cy <= 0) return 1.0;
  double width = client.cx;
  double height = client.cy;
  const double aspect = static_cast<double>(total.cx) / total.cy;
  if (width / height > aspect) {
    width = height * aspect;
  } else {
    height = width / aspect;
  }
  return std::max(height / total.cy, width / total.cx);
}

std::optional<double> RubberBandZoom(CRect band, CSize client) {
  band.Normalize();
  if (band.Width() <= 0 || band.Height() <= 0) return std::nullopt;
  const double z = std::min(static_cast<double>(client.cx + 1) / band.Width(),
                            static_cast<double>(client.cy + 1) / band.Height());
  if (z > kMaximumZoom) return std::nullopt;
  return z;
}

CPaletteChoice ParsePaletteItem(std::string_view item) {
  size_t start = 0;
  while (start < item.size() && item[start] == ' ')
    ++start;
  item.remove_prefix(start);
  if (item == "Fit") return CPaletteChoice{true, 1.0};
  int percent = 0;
  size_t i = 0;
  for (; i < item.size() && std::isdigit(static_cast<unsigned char>(item[i])); ++i) {
    percent = std::min(percent * 10 + (item[i] - '0'), 1000000);
  }
  if (i == 0 || percent == 0) return CPaletteChoice{false, 1.0};
  return CPaletteChoice{false, percent / 100.0};
}

int ZoomPercent(double z) {
  return static_cast<int>(z * 100.0);
}

namespace {

// trunc(x) held inside ±2^30, so that sums of a few such values stay within an int.
int SaturatedInt(double x) {
  constexpr double kLimit = 1 << 30;
  if (std::isnan(x)) return 0;
  return static_cast<int>(std::clamp(x, -kLimit, kLimit));
}

}  // namespace

int TreeDepth(int treeSize, double z) {
  if (z <= 0.0) return 0;
  return SaturatedInt((static_cast<double>(treeSize) * 10 + 30) / z);
}

CSize ZoomedSize(CSize total, double z) {
  return CSize{SaturatedInt(z * total.cx), SaturatedInt(z * total.cy)};
}
