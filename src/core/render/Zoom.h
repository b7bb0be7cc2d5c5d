// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "base/Geometry.h"

// Zoom arithmetic of a view: z is the ratio of device pixels to layout units.
inline constexpr double kMaximumZoom = 80.0;
// The smallest entry of the zoom palette, also the lower bound of zooming out: below it the
// picture collapses.
inline constexpr double kMinimumZoom = 0.05;

// z × factor, or nothing when that exceeds the maximum (the zoom is refused).
std::optional<double> ZoomedIn(double z, double factor);
// z / factor, never below the minimum.
double ZoomedOut(double z, double factor);
// The menu commands step the zoom by 0.01 within the same bounds.
std::optional<double> StepZoomIn(double z);
double StepZoomOut(double z);

// The zoom that fits a picture of `total` layout units into a client area of `client` pixels,
// the client reduced on one axis to keep the picture's aspect ratio.
double FitZoom(CSize total, CSize client);

// The zoom of a rubber band of `band` layout units in a client area of `client` pixels (the
// smaller of the two ratios), or nothing when it exceeds the maximum.
std::optional<double> RubberBandZoom(CRect band, CSize client);

// The zoom palette: "Fit" or a percentage such as "125%". An unreadable percentage gives 1.
struct CPaletteChoice {
  bool fit = false;
  double zoom = 1.0;
};
CPaletteChoice ParsePaletteItem(std::string_view item);
// The first palette item shows the current zoom as "%d%%" of z × 100.
int ZoomPercent(double z);

// Depth of a dendrogram zone for a tree size (10, 20, 40) at zoom z: (size × 10 + 30) / z,
// truncated, so trees keep their screen size while the cells zoom.
int TreeDepth(int treeSize, double z);

// Device size of a picture of `total` layout units at zoom z (truncated per axis).
CSize ZoomedSize(CSize total, double z);
