// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

// A rectangular matrix of doubles, row after row in one contiguous block.
class CMatrix {
 public:
  CMatrix() = default;
  virtual ~CMatrix() = default;
  CMatrix(const CMatrix&) = delete;
  CMatrix& operator=(const CMatrix&) = delete;
  CMatrix(CMatrix&&) = default;
  CMatrix& operator=(CMatrix&&) = default;

  double* Row(int i) { return cells_.data() + static_cast<size_t>(i) * columnCount; }
  const double* Row(int i) const { return cells_.data() + static_cast<size_t>(i) * columnCount; }

  // Reserves rows × columns cells set to 0. A failed reservation ends the program with
  // message 2 naming the size asked for.
  void Allocate(int rows, int columns);
  void CopyTo(CMatrix& other) const;

  double& At(int i, int j) { return cells_[static_cast<size_t>(i) * columnCount + j]; }
  double At(int i, int j) const { return cells_[static_cast<size_t>(i) * columnCount + j]; }
  double* Block() { return cells_.data(); }
  const double* Block() const { return cells_.data(); }

  int rowCount = 0;
  int columnCount = 0;

 protected:
  // Keeps only the first `rows` rows (readers that reserved rows for tag records).
  void ShrinkRows(int rows);

 private:
  std::vector<double> cells_;
};

// A square scratch matrix of n × n cells.
class CSquareMatrix : public CMatrix {
 public:
  explicit CSquareMatrix(int n) { Allocate(n, n); }
};
