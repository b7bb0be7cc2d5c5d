// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "TestFiles.h"
#include "workbook/Workbook.h"

namespace {

std::vector<std::string> FixtureFiles() {
  std::vector<std::string> files;
  for (const auto& entry :
       std::filesystem::directory_iterator(SourcePath("tests/data/workbooks"))) {
    if (entry.path().extension() == ".xls") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Loads `bytes` and reads every cell of the first sheet's range (as the table mapping does);
// the sanitizer build turns any stray read into a failure.
void LoadsWithoutHarm(const std::vector<uint8_t>& bytes) {
  CWorkbook workbook;
  if (!workbook.LoadWorkbookBytes(bytes) || workbook.SheetCount() == 0) return;
  const int rows = std::min(workbook.Rows(0), 300);
  const int columns = workbook.Columns(0);
  double sum = 0.0;
  size_t characters = 0;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const CWorkbookCell cell = workbook.CellAt(0, r, c);
      sum += cell.Number();
      for (const char16_t ch : cell.text)
        characters += ch != 0;
    }
  }
  EXPECT_LE(workbook.Rows(0), 65536);
  EXPECT_LE(workbook.Columns(0), 256);
  (void)sum;
  (void)characters;
}

}  // namespace

TEST(WorkbookCorruption, TruncatedCopiesOfEveryFixture) {
  const auto files = FixtureFiles();
  ASSERT_GE(files.size(), 10u);
  for (const std::string& file : files) {
    const std::string content = ReadFileText(file);
    const std::vector<uint8_t> bytes(content.begin(), content.end());
    std::vector<size_t> lengths = {0, 1, 8, 76, 511, 512, 513, 1024, 1536};
    for (size_t k = 1; k < 48; ++k)
      lengths.push_back(bytes.size() * k / 48);
    for (size_t d = 1; d <= 3; ++d)
      lengths.push_back(bytes.size() - d);
    for (const size_t length : lengths) {
      if (length > bytes.size()) continue;
      SCOPED_TRACE(file + " cut at " + std::to_string(length));
      LoadsWithoutHarm(std::vector<uint8_t>(bytes.begin(), bytes.begin() + length));
    }
  }
}

TEST(WorkbookCorruption, DamagedCopiesOfEveryFixture) {
  const unsigned seed = 1208;
  std::mt19937 random(seed);
  for (const std::string& file : FixtureFiles()) {
    const std::string content = ReadFileText(file);
    const std::vector<uint8_t> bytes(content.begin(), content.end());
    std::uniform_int_distribution<size_t> anywhere(0, bytes.size() - 1);
    std::uniform_int_distribution<size_t> header(0, 511);
    std::uniform_int_distribution<int> value(0, 255);
    for (int trial = 0; trial < 60; ++trial) {
      std::vector<uint8_t> copy = bytes;
      const int damage = 1 + trial % 8;
      for (int d = 0; d < damage; ++d) {
        // Half the damage falls on the header and tables, where it does the most harm.
        const size_t at = d % 2 ? header(random) : anywhere(random);
        copy[at] = trial % 3 ? static_cast<uint8_t>(value(random)) : 0xFF;
      }
      SCOPED_TRACE(file + " trial " + std::to_string(trial) + " seed " + std::to_string(seed));
      LoadsWithoutHarm(copy);
    }
  }
}
