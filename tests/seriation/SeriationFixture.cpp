// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeriationFixture.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "seriation/Seriation.h"

CSeriationSide::CSeriationSide(CDistance matrix) : distance(std::move(matrix)) {
  elements.Initialize(distance.size, &distance, nullptr, {});
}

ESeriationOutcome CSeriationSide::SeriateSelection() {
  const ESeriationOutcome outcome = Seriate(elements, Options(), Run());
  ComputeObjectives(elements, true, &services);
  return outcome;
}

CDistance MatrixOf(int n, const std::function<double(int, int)>& f) {
  CDistance d;
  d.Allocate(n);
  for (int a = 0; a < n; ++a) {
    for (int b = a + 1; b < n; ++b)
      d.Set(a, b, f(a, b));
  }
  d.SumByRows(nullptr);
  return d;
}

CDistance EuclideanMatrix(const std::vector<std::vector<double>>& points) {
  return MatrixOf(static_cast<int>(points.size()), [&](int a, int b) {
    double sum = 0.0;
    for (size_t k = 0; k < points[static_cast<size_t>(a)].size(); ++k) {
      const double step = points[static_cast<size_t>(a)][k] - points[static_cast<size_t>(b)][k];
      sum += step * step;
    }
    return std::sqrt(sum);
  });
}

CDistance LineMatrix(const std::vector<double>& coordinates) {
  return MatrixOf(static_cast<int>(coordinates.size()), [&](int a, int b) {
    return std::abs(coordinates[static_cast<size_t>(a)] - coordinates[static_cast<size_t>(b)]);
  });
}

std::vector<std::vector<double>> RandomPoints(int n, int dimensions, std::mt19937& random) {
  std::uniform_real_distribution<double> coordinate(0.0, 100.0);
  std::vector<std::vector<double>> points(static_cast<size_t>(n),
                                          std::vector<double>(static_cast<size_t>(dimensions)));
  for (auto& point : points) {
    for (double& x : point)
      x = coordinate(random);
  }
  return points;
}

CDistance RandomIntegerMatrix(int n, int low, int high, std::mt19937& random) {
  std::uniform_int_distribution<int> value(low, high);
  return MatrixOf(n, [&](int, int) { return static_cast<double>(value(random)); });
}

double PathLength(const CDistance& d, const std::vector<int>& sequence) {
  double length = 0.0;
  for (size_t k = 0; k + 1 < sequence.size(); ++k)
    length += d.At(sequence[k], sequence[k + 1]);
  return length;
}

bool IsPermutationOf(const std::vector<int>& after, const std::vector<int>& before) {
  return std::is_permutation(after.begin(), after.end(), before.begin(), before.end());
}

std::vector<int> Identity(int n) {
  std::vector<int> sequence(static_cast<size_t>(n));
  std::iota(sequence.begin(), sequence.end(), 0);
  return sequence;
}

std::vector<int> Shuffled(int n, std::mt19937& random) {
  std::vector<int> sequence = Identity(n);
  std::shuffle(sequence.begin(), sequence.end(), random);
  return sequence;
}

std::string Describe(const std::vector<int>& sequence) {
  std::string text;
  for (const int item : sequence)
    text += std::to_string(item) + " ";
  return text;
}
