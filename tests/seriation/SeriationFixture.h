// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ScriptedServices.h"
#include "dissimilarity/Distance.h"
#include "seriation/Elements.h"
#include "seriation/SeriationRun.h"
#include "settings/TreatmentSettings.h"

// One side of n items with its dissimilarities, scripted services and the treatment settings a
// document would seriate it with, ready for the seriation methods.
struct CSeriationSide {
  explicit CSeriationSide(CDistance matrix);

  CSeriationOptions Options() const { return SeriationOptionsOf(settings); }
  CSeriationRun Run() { return {&services, observer}; }
  // Seriates the selection by the rule of the settings, then recomputes R and S, as a window
  // does.
  ESeriationOutcome SeriateSelection();

  CScriptedServices services;
  TreatmentSettings settings;
  CSeriationObserver* observer = nullptr;
  CDistance distance;
  CElements elements;
};

// Observer that records the segments selected and counts the repaints.
class CRecordingObserver : public CSeriationObserver {
 public:
  void Repaint() override { ++repaints; }
  void SelectSegment(int start, int length) override { segments.push_back({start, length}); }
  struct Segment {
    int start;
    int length;
  };
  int repaints = 0;
  std::vector<Segment> segments;
};

// Dissimilarities of n items from f(a, b), a < b, with their sums.
CDistance MatrixOf(int n, const std::function<double(int, int)>& f);
// Euclidean distances between points (one vector of coordinates per item).
CDistance EuclideanMatrix(const std::vector<std::vector<double>>& points);
// Absolute differences of coordinates on a line.
CDistance LineMatrix(const std::vector<double>& coordinates);
// n random points in `dimensions` dimensions, uniform in [0, 100).
std::vector<std::vector<double>> RandomPoints(int n, int dimensions, std::mt19937& random);
// Random integer dissimilarities in [low, high]: many ties.
CDistance RandomIntegerMatrix(int n, int low, int high, std::mt19937& random);

// d(o_k, o_{k+1}) summed along a sequence.
double PathLength(const CDistance& d, const std::vector<int>& sequence);
// True when `after` holds the items of `before` in some order.
bool IsPermutationOf(const std::vector<int>& after, const std::vector<int>& before);
std::vector<int> Identity(int n);
std::vector<int> Shuffled(int n, std::mt19937& random);
std::string Describe(const std::vector<int>& sequence);
