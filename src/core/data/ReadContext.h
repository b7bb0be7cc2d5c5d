// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/LargeTable.h"

class CProgressReporter;
struct TreatmentSettings;

// Result codes of the readers (messages of the same numbers).
enum ReadResult {
  kReadOk = 0,
  kReadTooFewRows = 1,
  kReadNoColumnOrRow = 4,
  kReadSheetEmpty = 5,
  kReadNotTopLeft = 6,
  kReadFileLocked = 7,
  kReadFileMissing = 8,
  kReadFileUnreadable = 9,
};

// How a table file is laid out.
struct CReadOptions {
  bool blankIsDelimiter = true;  // the blank delimits cells of text files
  bool titleCol = true;          // the first record holds the column titles
  bool titleRow = true;          // the first position of each record holds the row title
};
CReadOptions ReadOptionsOf(const TreatmentSettings& settings);

// What a reader may ask of the world while it reads.
struct CReadContext {
  CProgressReporter* progress = nullptr;
  // The large-data window for a table of that many rows; without one, every row is read.
  std::function<CLargeTableAnswer(int rows)> confirmLargeTable;
};

// What a reader reports besides the table it filled.
struct CReadOutcome {
  int code = kReadOk;
  // The system's reason for code 9; for the other failures what exactly is wrong and what to do
  // (the file, the line, both counts), shown after the message of the code.
  std::string reason;
  // What the user should know of a table that was read: it was read otherwise than asked (the
  // blank was not taken as a delimiter, the text was converted from Windows-1252, short lines were
  // padded with missing values).
  std::vector<std::string> notices;
  // The large-data window's check box: whether the objective function R is to be computed;
  // absent when the window was not shown.
  std::optional<bool> computeObjectiveR;
};

// The number of rows to read of a table of `rows` rows: the answer of the large-data window for
// 1000 rows or more, 0 for "stop".
int ConfirmRowsToRead(int rows, const CReadContext& context, CReadOutcome& outcome);
