#pragma once

#include <string>

class CData;
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

// Reads the text table `data.fileName` into `data` (counts, labels, title, values) and returns a
// result code. For code 9, `reason` receives the system's reason when given.
int ReadTextTable(CData& data, const TreatmentSettings& settings, std::string* reason = nullptr);

// Asks about tables of 1000 rows or more: the number of rows to read, 0 for "stop".
int ConfirmLargeTable(CData& data, int rows);
