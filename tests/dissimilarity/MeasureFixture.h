// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "ScriptedServices.h"
#include "TestFiles.h"
#include "data/Data.h"
#include "dissimilarity/Distance.h"
#include "settings/TreatmentSettings.h"

// Scripted services, a folder for the files and one data table with its two matrices, loaded
// the way the loader does it: read (or generated), prepared, ranged.
struct CMeasureFixture {
  CScriptedServices services;
  TreatmentSettings settings;
  CTempDir folder;
  std::unique_ptr<CData> data;
  CDistance rowDistances;
  CDistance columnDistances;

  // Reads `content` as a text table of `dataType`; false when the reader refused it.
  bool Load(const std::string& content, int dataType, int dissimilarity);
  // A table of `dataType` whose cell (i, j) is cell(i, j).
  void Build(int dataType, int rows, int columns, int dissimilarity,
             const std::function<double(int, int)>& cell);
  // Fills a side's matrix with the measure of the settings: "" or the text of the message box
  // that stops the program.
  std::string ComputeRows();
  std::string ComputeColumns();
};

// Result of the plain item-by-item walk: the packed triangle as CDistance stores it and the pair
// at which it stopped for want of a complete position.
struct CReferenceMatrix {
  std::vector<double> values;
  bool stopped = false;
  int item = -1;
  int partner = -1;
};

// The dissimilarities of the table's rows (or columns) by a Dissimilarity code, computed pair by
// pair and position by position from the cells, in scan order.
CReferenceMatrix ReferenceDistances(const CData& data, bool byColumns, int code);

// True when both hold the same bits in every entry; names the first entry that differs.
::testing::AssertionResult SameBits(std::span<const double> actual,
                                    std::span<const double> expected);
