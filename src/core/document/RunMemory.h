// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

struct DisplaySettings;
struct TreatmentSettings;

// What a run holds in memory at its fullest, from the size of the table, so that a table too
// large for the machine can be refused before any of its work starts.
struct CRunShape {
  int64_t rows = 0;
  int64_t columns = 0;
  // The row side will be clustered, and seriated under its tree by the exact minimum path.
  bool clusterRows = false;
  bool leafOrderRows = false;
  bool clusterColumns = false;
  bool leafOrderColumns = false;
  // The clustering and the leaf order work inside the side's triangle (refilled afterwards)
  // instead of on a copy.
  bool insideTriangles = true;
  // Bytes of the picture to export as a bitmap (0: none).
  int64_t pictureBytes = 0;
  // The rows read are replaced by this many prototypes (0: they are not); the row side then
  // has that many items, while the cells read and the column side's work keep every row.
  int64_t prototypes = 0;
};

// Bytes, per part and at the peak. Every part is an estimate of what the program allocates;
// the tables of the leaf order depend on the tree and are estimated from the sizes of the
// Ward trees of clustered tables (a few n^1.5 doubles).
struct CRunMemory {
  size_t table = 0;        // cells, labels, weights and the dissimilarity computation's copies
  size_t rowTriangle = 0;  // n(n+1)/2 doubles and the sums
  size_t columnTriangle = 0;
  size_t clustering = 0;  // the largest clustering work beyond its side's triangle
  size_t leafOrder = 0;   // the largest leaf-order work beyond its side's triangle
  size_t picture = 0;
  size_t peak = 0;  // table + both triangles + the largest of the steps above
};

CRunMemory EstimateRunMemory(const CRunShape& shape);

// A bitmap of the heat map of rows × columns cells of hy × hx pixels with its trees, labels and
// frame around it, four bytes a pixel.
int64_t EstimatePictureBytes(int64_t rows, int64_t columns, int hx, int hy);

// The run the settings ask for on a table of rows × columns: the automatic clustering and
// minimum-path seriation of each side, and the bitmap of an automatic export. The leaf order
// and the clustering count as working inside the triangles, which is what they do when a copy
// would not fit, so the peak is the least the run needs.
CRunShape RunShapeOf(int64_t rows, int64_t columns, const TreatmentSettings& settings,
                     const DisplaySettings& display, int64_t prototypes = 0);

// Ends the load with message 2 (CError) when the run of `shape` cannot fit in the memory
// available now, `held` bytes of it (the cells read) being taken already.
void RefuseRunTooLarge(const CRunShape& shape, size_t held);

// What one step over a side of n items takes beyond the side's triangle, working inside it or
// on a copy: the clustering, and the minimum path under its tree.
size_t ClusteringBytes(int64_t n, bool inside);
size_t LeafOrderBytes(int64_t n, bool inside);
// Ends with message 2 for an n × n matrix (CError) when a step that takes `bytes` more cannot
// fit in the memory available now.
void RefuseStepTooLarge(size_t bytes, int64_t n);
