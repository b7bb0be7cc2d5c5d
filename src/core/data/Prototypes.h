// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CMatrix;

// How the prototypes are sought.
struct CPrototypeOptions {
  int count = 0;  // K, the prototypes wanted
  uint64_t seed = 0x51ED5EED;
  int maxIterations = 25;  // Lloyd iterations at most
  // The Lloyd iterations run on a uniform sample of this many rows per prototype (all rows
  // when the table has fewer); the final groups take every row.
  int trainingRowsPerPrototype = 40;
};

// K weighted prototypes of the rows of a table: groups of similar rows, each replaced by the
// mean of its rows and weighted by their number.
struct CPrototypes {
  int positions = 0;
  // Count() × positions means, prototype after prototype; the missing-value marker where none
  // of the prototype's rows has a value.
  std::vector<double> means;
  std::vector<int64_t> sizes;       // rows per prototype, all at least 1
  std::vector<int> prototypeOfRow;  // per row of the table: its prototype (0-based)
  int iterations = 0;               // Lloyd iterations run
  bool converged = false;           // the last one changed no group

  int Count() const { return static_cast<int>(sizes.size()); }
  const double* Mean(int prototype) const {
    return means.data() + static_cast<size_t>(prototype) * static_cast<size_t>(positions);
  }
  // "P17 (n=523)": numbered from 1.
  std::string Label(int prototype) const;
};

// The prototypes of the rows of `table` (cells with the missing-value marker allowed).
// Prototypes are numbered in the order in which their groups first appear in the table. With
// options.count at least the number of rows (or below 1), every row is its own prototype.
// The result depends only on the table and the options, not on the number of threads.
CPrototypes ComputePrototypes(const CMatrix& table, const CPrototypeOptions& options);
CPrototypes ComputePrototypes(const double* cells, int rows, int positions,
                              const CPrototypeOptions& options);
