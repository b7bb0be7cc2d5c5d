// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/RunMemory.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Failure.h"
#include "base/Memory.h"
#include "settings/DisplaySettings.h"
#include "settings/TreatmentSettings.h"

namespace {

// Sums in doubles, so that no size overflows before it is compared.
size_t Bytes(double bytes) {
  constexpr double kLargest = static_cast<double>(std::numeric_limits<size_t>::max() / 2);
  return bytes >= kLargest ? static_cast<size_t>(kLargest) : static_cast<size_t>(bytes);
}

double Triangle(double n) {
  return (n * (n + 1.0) / 2.0 + 2.0 * n) * sizeof(double);
}

// The clustering: a copy of the triangle unless it works inside, and its O(n) arrays (about ten
// words an item, the nodes included).
double Clustering(double n, bool inside) {
  return (inside ? 0.0 : Triangle(n)) + 96.0 * n;
}

// The leaf order: the triangle by leaf position unless it borrows the side's storage, the
// heads' tables (measured near 2.5·n^1.5 doubles for Ward trees of mixtures; taken as 4) and
// its O(n) arrays.
double LeafOrder(double n, bool inside) {
  return (inside ? 0.0 : Triangle(n)) + 4.0 * std::pow(n, 1.5) * sizeof(double) + 128.0 * n;
}

}  // namespace

CRunMemory EstimateRunMemory(const CRunShape& shape) {
  const double read = static_cast<double>(std::max<int64_t>(shape.rows, 0));
  const double rows =
      shape.prototypes > 0 ? std::min(read, static_cast<double>(shape.prototypes)) : read;
  const double columns = static_cast<double>(std::max<int64_t>(shape.columns, 0));
  CRunMemory memory;
  // The cells, and while a side's pairs are computed its values twice over (by item and in
  // panels of sixteen); labels of about 32 bytes each.
  const double cells = read * columns * sizeof(double);
  memory.table = Bytes(cells + 2.0 * cells + 64.0 * (read + columns));
  memory.rowTriangle = Bytes(Triangle(rows));
  memory.columnTriangle = Bytes(Triangle(columns));
  double clustering = 0.0, leafOrder = 0.0;
  if (shape.clusterRows) clustering = std::max(clustering, Clustering(rows, shape.insideTriangles));
  if (shape.clusterColumns) {
    clustering = std::max(clustering, Clustering(columns, shape.insideTriangles));
  }
  if (shape.leafOrderRows) leafOrder = std::max(leafOrder, LeafOrder(rows, shape.insideTriangles));
  if (shape.leafOrderColumns) {
    leafOrder = std::max(leafOrder, LeafOrder(columns, shape.insideTriangles));
  }
  memory.clustering = Bytes(clustering);
  memory.leafOrder = Bytes(leafOrder);
  memory.picture = Bytes(static_cast<double>(std::max<int64_t>(shape.pictureBytes, 0)));
  const double steps = std::max({clustering, leafOrder, static_cast<double>(memory.picture)});
  memory.peak = Bytes(static_cast<double>(memory.table) + static_cast<double>(memory.rowTriangle) +
                      static_cast<double>(memory.columnTriangle) + steps);
  return memory;
}

int64_t EstimatePictureBytes(int64_t rows, int64_t columns, int hx, int hy) {
  // Trees, labels, colour scale and title frame: a margin of about 800 pixels each way.
  constexpr double kMargin = 800.0;
  const double width =
      static_cast<double>(std::max<int64_t>(columns, 0)) * std::max(hx, 1) + kMargin;
  const double height = static_cast<double>(std::max<int64_t>(rows, 0)) * std::max(hy, 1) + kMargin;
  const double bytes = width * height * 4.0;
  return bytes >= 9.0e18 ? std::numeric_limits<int64_t>::max() : static_cast<int64_t>(bytes);
}

CRunShape RunShapeOf(int64_t rows, int64_t columns, const TreatmentSettings& settings,
                     const DisplaySettings& display, int64_t prototypes) {
  CRunShape shape;
  shape.rows = rows;
  shape.columns = columns;
  shape.prototypes = prototypes;
  const bool linkage = IsChosen(settings.AgregationCriterion);
  const bool minimumPath = settings.TreeSeriationCriterion == ETreeSeriation::kMinimumPath;
  shape.clusterRows = linkage && (settings.AutomationRow || settings.ClusteringAutomationRow);
  shape.clusterColumns = linkage && (settings.AutomationCol || settings.ClusteringAutomationCol);
  shape.leafOrderRows = shape.clusterRows && minimumPath &&
                        (settings.AutomationRow || settings.SeriationAutomationRow);
  shape.leafOrderColumns = shape.clusterColumns && minimumPath &&
                           (settings.AutomationCol || settings.SeriationAutomationCol);
  shape.insideTriangles = true;
  const EExportFormat format = settings.ExportFileFormat;
  const bool bitmap = format == EExportFormat::kJpeg || format == EExportFormat::kBmp ||
                      format == EExportFormat::kPng;
  const bool automated = settings.AutomationRow || settings.AutomationCol ||
                         settings.ClusteringAutomationRow || settings.ClusteringAutomationCol ||
                         settings.SeriationAutomationRow || settings.SeriationAutomationCol;
  if (bitmap && automated) {
    const int64_t shown = prototypes > 0 ? std::min(rows, prototypes) : rows;
    shape.pictureBytes = EstimatePictureBytes(shown, columns, display.hx, display.hy);
  }
  return shape;
}

size_t ClusteringBytes(int64_t n, bool inside) {
  return Bytes(Clustering(static_cast<double>(std::max<int64_t>(n, 0)), inside));
}

size_t LeafOrderBytes(int64_t n, bool inside) {
  return Bytes(LeafOrder(static_cast<double>(std::max<int64_t>(n, 0)), inside));
}

void RefuseStepTooLarge(size_t bytes, int64_t n) {
  if (CanReserve(bytes)) return;
  const int side = static_cast<int>(std::min<int64_t>(n, std::numeric_limits<int>::max()));
  ThrowAllocationFailure(side, side);
}

void RefuseRunTooLarge(const CRunShape& shape, size_t held) {
  const CRunMemory need = EstimateRunMemory(shape);
  const size_t still = need.peak > held ? need.peak - held : 0;
  if (CanReserve(still)) return;
  // Message 2 names the largest matrix of the run.
  const int64_t rows = shape.prototypes > 0 ? std::min(shape.rows, shape.prototypes) : shape.rows;
  const int n = static_cast<int>(
      std::min<int64_t>(std::max(rows, shape.columns), std::numeric_limits<int>::max()));
  ThrowAllocationFailure(n, n);
}
