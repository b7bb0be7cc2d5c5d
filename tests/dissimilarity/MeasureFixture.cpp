// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "MeasureFixture.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "base/Missing.h"
#include "data/DataContingency.h"
#include "data/DataFactory.h"
#include "data/DataNumerical.h"
#include "data/TextTableReader.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/SideDistances.h"

bool CMeasureFixture::Load(const std::string& content, int dataType, int dissimilarity) {
  settings.DataType = ChoiceOf<EDataType>(dataType);
  settings.Dissimilarity = ChoiceOf<EDissimilarity>(dissimilarity);
  data = CreateDataTable(settings.DataType);
  data->representation = settings.DataRepresentation;
  data->fileName = folder.Write("table.txt", content);
  if (ReadTextTable(*data, ReadOptionsOf(settings), {}).code != 0) return false;
  data->Prepare();
  data->ComputeValueRange();
  return true;
}

void CMeasureFixture::Build(int dataType, int rows, int columns, int dissimilarity,
                            const std::function<double(int, int)>& cell) {
  settings.DataType = ChoiceOf<EDataType>(dataType);
  settings.Dissimilarity = ChoiceOf<EDissimilarity>(dissimilarity);
  data = CreateDataTable(settings.DataType);
  data->representation = settings.DataRepresentation;
  data->Allocate(rows, columns);
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j)
      data->At(i, j) = cell(i, j);
  }
  data->Prepare();
  data->ComputeValueRange();
}

std::string CMeasureFixture::ComputeRows() {
  return ComputeSideDistances(*data, false, DissimilarityOptionsOf(settings), rowDistances,
                              &services);
}

std::string CMeasureFixture::ComputeColumns() {
  return ComputeSideDistances(*data, true, DissimilarityOptionsOf(settings), columnDistances,
                              &services);
}

namespace {

struct CPairValue {
  bool formed = true;
  double value = 0.0;
};

CPairValue Numerical(const CData_Numerical& data, bool byColumns, int code, int a, int b) {
  const int positions = byColumns ? data.rowCount : data.columnCount;
  const auto cell = [&](int item, int p) {
    return byColumns ? data.At(p, item) : data.At(item, p);
  };
  const std::vector<double>& means = byColumns ? data.columnMeans : data.rowMeans;
  const std::vector<double>& deviations = byColumns ? data.columnDeviations : data.rowDeviations;
  double s = 0.0;
  int k = 0;
  for (int p = 0; p < positions; ++p) {
    const double x = cell(a, p), y = cell(b, p);
    if (x == kMissing || y == kMissing) continue;
    ++k;
    if (code == 1) {
      s += (x - y) * (x - y);
    } else if (code == 7) {
      s += std::abs(x - y);
    } else if (code == 8) {
      if (std::abs(x - y) > s) s = std::abs(x - y);
    } else {
      s += (x - means[a]) * (y - means[b]);
    }
  }
  if (k == 0) return {false};
  switch (code) {
    case 1:
      return {true, std::sqrt(s * positions / k)};
    case 7:
      return {true, s * positions / k};
    case 8:
      return {true, s};
    default: {
      const double denominator = (k - 1.0) * deviations[a] * deviations[b];
      double r = denominator != 0.0 ? s / denominator : 0.0;
      if (!std::isfinite(r)) r = 0.0;
      return {true, code == 2 ? 1.0 - r : 1.0 - r * r};
    }
  }
}

CPairValue Binary(const CData& data, bool byColumns, int code, int x, int y) {
  const int positions = byColumns ? data.rowCount : data.columnCount;
  int a = 0, b = 0, c = 0, d = 0;
  for (int p = 0; p < positions; ++p) {
    const double u = byColumns ? data.At(p, x) : data.At(x, p);
    const double v = byColumns ? data.At(p, y) : data.At(y, p);
    if (u == kMissing || v == kMissing) continue;
    const int i = u != 0.0, j = v != 0.0;  // present cells count as 1 when non-zero
    a += i == 1 && j == 1;
    b += i == 1 && j == 0;
    c += i == 0 && j == 1;
    d += i == 0 && j == 0;
  }
  if (a + b + c + d == 0 || d == positions) return {false};
  switch (code) {
    case 1:
      return {true, std::sqrt(static_cast<double>(b + c))};
    case 7:
      return {true, static_cast<double>(b + c)};
    case 4:
      return {true, a + b + c == 0 ? 0.0 : 1.0 - static_cast<double>(a) / (a + b + c)};
    default:
      return {true, 1.0 - static_cast<double>(2 * a + d) / (2 * a + b + c + d)};
  }
}

CPairValue Hamming(const CData& data, bool byColumns, int x, int y) {
  const int positions = byColumns ? data.rowCount : data.columnCount;
  int k = 0, h = 0;
  for (int p = 0; p < positions; ++p) {
    const double u = byColumns ? data.At(p, x) : data.At(x, p);
    const double v = byColumns ? data.At(p, y) : data.At(y, p);
    if (u == kMissing || v == kMissing) continue;
    ++k;
    h += static_cast<int>(u) != static_cast<int>(v);
  }
  if (k == 0) return {false};
  return {true, static_cast<double>(h)};
}

CPairValue ChiSquare(const CData_ContingencyTable& data, bool byColumns, int x, int y) {
  const int positions = byColumns ? data.rowCount : data.columnCount;
  const auto& itemTotals = byColumns ? data.columnTotals : data.rowTotals;
  const auto& positionTotals = byColumns ? data.rowTotals : data.columnTotals;
  const double n = static_cast<double>(data.grandTotal);
  double s = 0.0;
  for (int l = 0; l < positions; ++l) {
    const double u = static_cast<double>(byColumns ? data.Count(l, x) : data.Count(x, l));
    const double v = static_cast<double>(byColumns ? data.Count(l, y) : data.Count(y, l));
    const double difference = u / itemTotals[x] - v / itemTotals[y];
    s += difference * difference / (positionTotals[l] / n);
  }
  return {true, s};
}

}  // namespace

CReferenceMatrix ReferenceDistances(const CData& data, bool byColumns, int code) {
  const int n = byColumns ? data.columnCount : data.rowCount;
  CReferenceMatrix result;
  result.values.assign(static_cast<size_t>(n) * (n + 1) / 2, 0.0);
  for (int i = 0; i + 1 < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      CPairValue pair;
      switch (CodeOf(data.DataType())) {
        case 0:
          if (code != 1 && code != 2 && code != 3 && code != 7 && code != 8) return result;
          pair = Numerical(dynamic_cast<const CData_Numerical&>(data), byColumns, code, i, j);
          break;
        case 1:
          if (code != 1 && code != 4 && code != 5 && code != 7) return result;
          pair = Binary(data, byColumns, code, i, j);
          break;
        case 2:
          if (code != 6) return result;
          pair = Hamming(data, byColumns, i, j);
          break;
        default:
          pair = ChiSquare(dynamic_cast<const CData_ContingencyTable&>(data), byColumns, i, j);
          break;
      }
      if (!pair.formed) {
        result.stopped = true;
        result.item = i;
        result.partner = j;
        return result;
      }
      result.values[CDistance::Index(i, j, n)] = pair.value;
    }
  }
  return result;
}

::testing::AssertionResult SameBits(std::span<const double> actual,
                                    std::span<const double> expected) {
  if (actual.size() != expected.size()) {
    return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size();
  }
  for (size_t k = 0; k < actual.size(); ++k) {
    if (std::bit_cast<uint64_t>(actual[k]) != std::bit_cast<uint64_t>(expected[k])) {
      return ::testing::AssertionFailure()
             << "entry " << k << ": " << actual[k] << " instead of " << expected[k];
    }
  }
  return ::testing::AssertionSuccess();
}
