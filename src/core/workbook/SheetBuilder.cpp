// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbook/SheetBuilder.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "workbook/WideText.h"

CSheetBuilder::CSheetBuilder(CWorksheet& sheet, CSharedStrings& strings, size_t maxCells)
    : sheet_(sheet), strings_(strings), maxCells_(maxCells) {
  sheet_.SetLimits(CWorksheet::kMaxXmlRows, CWorksheet::kMaxXmlColumns);
}

bool CSheetBuilder::Place(int64_t row, int64_t column) {
  if (row < 0 || column < 0 || row >= sheet_.MaxRows() || column >= sheet_.MaxColumns()) {
    return false;
  }
  if (cells_ >= maxCells_) {
    tooLarge_ = true;
    return false;
  }
  ++cells_;
  rows_ = std::max(rows_, static_cast<uint32_t>(row) + 1);
  columns_ = std::max(columns_, static_cast<uint32_t>(column) + 1);
  return true;
}

void CSheetBuilder::AddNumber(int64_t row, int64_t column, double number, CellKind kind) {
  if (!Place(row, column)) return;
  sheet_.Add({static_cast<uint32_t>(row), static_cast<uint16_t>(column), kind, 0, number});
}

void CSheetBuilder::AddText(int64_t row, int64_t column, std::string_view utf8) {
  if (utf8.empty() || !Place(row, column)) return;
  const std::u16string text = Utf8ToUtf16(utf8);
  const bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
  const uint32_t index = strings_.Add(text, wide);
  sheet_.Add({static_cast<uint32_t>(row), static_cast<uint16_t>(column),
              wide ? CellKind::kWideText : CellKind::kText, index, 0.0});
}

void CSheetBuilder::AddString(int64_t row, int64_t column, uint32_t index) {
  if (index >= strings_.Count() || strings_.Text(index).empty() || !Place(row, column)) return;
  sheet_.Add({static_cast<uint32_t>(row), static_cast<uint16_t>(column),
              strings_.IsWide(index) ? CellKind::kWideText : CellKind::kText, index, 0.0});
}

void CSheetBuilder::Finish() {
  sheet_.SetSize(rows_, columns_);
  sheet_.Finish();
}

namespace {

bool Digits(std::string_view text, size_t from, size_t count, int& value) {
  if (from + count > text.size()) return false;
  value = 0;
  for (size_t k = from; k < from + count; ++k) {
    if (text[k] < '0' || text[k] > '9') return false;
    value = value * 10 + (text[k] - '0');
  }
  return true;
}

// Days from 1970-01-01 of a civil date (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

bool XmlNumber(std::string_view text, double& value) {
  if (text.empty()) return false;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (*begin == '+') ++begin;
  const auto [ptr, error] = std::from_chars(begin, end, value, std::chars_format::general);
  return error == std::errc() && ptr == end && std::isfinite(value);
}

bool DateSerial(std::string_view text, double& serial) {
  int year = 0;
  int month = 0;
  int day = 0;
  if (!Digits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' || text[7] != '-' ||
      !Digits(text, 5, 2, month) || !Digits(text, 8, 2, day) || month < 1 || month > 12 ||
      day < 1 || day > 31) {
    return false;
  }
  // 1899-12-30 is day 0 of the serial numbers.
  serial = static_cast<double>(DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30));
  if (text.size() == 10) return true;
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  if (text[10] != 'T' || !Digits(text, 11, 2, hours) || text.size() < 19 || text[13] != ':' ||
      !Digits(text, 14, 2, minutes) || text[16] != ':' || !Digits(text, 17, 2, seconds)) {
    return false;
  }
  double fraction = 0.0;
  if (text.size() > 19) {
    if (text[19] != '.' || !XmlNumber("0" + std::string(text.substr(19)), fraction)) return false;
  }
  serial += (hours * 3600.0 + minutes * 60.0 + seconds + fraction) / 86400.0;
  return true;
}

bool DurationDays(std::string_view text, double& days) {
  bool negative = false;
  if (!text.empty() && text[0] == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (text.empty() || text[0] != 'P') return false;
  text.remove_prefix(1);
  double total = 0.0;
  bool inTime = false;
  bool any = false;
  while (!text.empty()) {
    if (text[0] == 'T') {
      inTime = true;
      text.remove_prefix(1);
      continue;
    }
    size_t k = 0;
    while (k < text.size() && ((text[k] >= '0' && text[k] <= '9') || text[k] == '.'))
      ++k;
    if (k == 0 || k == text.size()) return false;
    double amount = 0.0;
    if (!XmlNumber(text.substr(0, k), amount)) return false;
    const char unit = text[k];
    if (unit == 'D' && !inTime) {
      total += amount;
    } else if (unit == 'H' && inTime) {
      total += amount / 24.0;
    } else if (unit == 'M' && inTime) {
      total += amount / 1440.0;
    } else if (unit == 'S' && inTime) {
      total += amount / 86400.0;
    } else {
      return false;
    }
    any = true;
    text.remove_prefix(k + 1);
  }
  if (!any) return false;
  days = negative ? -total : total;
  return true;
}
