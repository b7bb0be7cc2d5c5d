// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/TextScan.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "base/Missing.h"

void SkipSeparators(std::string_view& line) {
  size_t i = 0;
  const size_t n = line.size();
  while (i < n && line[i] == ' ')
    ++i;
  if (i < n && (line[i] == ';' || line[i] == ':' || line[i] == '\t')) {
    ++i;
    while (i < n && line[i] == ' ')
      ++i;
  }
  line.remove_prefix(i);
}

std::string_view TakeCell(std::string_view& line, bool blankIsDelimiter) {
  size_t i = 0;
  const size_t n = line.size();
  if (blankIsDelimiter) {
    while (i < n && !IsDelimiter(line[i], true))
      ++i;
  } else {
    while (i < n && !IsDelimiter(line[i], false))
      ++i;
  }
  const std::string_view cell = line.substr(0, i);
  line.remove_prefix(i);
  return cell;
}

std::string ReadLabelCell(std::string_view& line, bool blankIsDelimiter) {
  SkipSeparators(line);
  const std::string_view cell = TakeCell(line, blankIsDelimiter);
  SkipSeparators(line);
  return std::string(cell);
}

namespace {

// Shape of a decimal number found by the scanner.
struct CNumberShape {
  size_t length = 0;          // characters used
  uint64_t mantissa = 0;      // first significant digits
  int significantDigits = 0;  // digits counted in `mantissa` (leading zeros excluded)
  bool truncated = false;     // more than 19 significant digits
  int64_t exponent10 = 0;     // value = mantissa × 10^exponent10 when not truncated
  int64_t magnitude = 0;      // decimal exponent of the leading significant digit
  bool negative = false;
  bool hasSignificant = false;
};

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Scans [+-]? (digits (. digits*)? | . digits) ([eE] [+-]? digits)? from the start of text.
bool Scan(std::string_view text, CNumberShape& shape) {
  const char* p = text.data();
  const char* const end = p + text.size();
  if (p < end && (*p == '+' || *p == '-')) {
    shape.negative = *p == '-';
    ++p;
  }
  uint64_t mantissa = 0;
  int significant = 0;
  int64_t exponentShift = 0;  // digits dropped from the integer part minus fraction digits kept
  bool truncated = false;

  // Integer part: leading zeros carry nothing; at most 19 significant digits are kept.
  const char* integerStart = p;
  while (p < end && *p == '0')
    ++p;
  for (; p < end && IsDigit(*p); ++p) {
    if (significant < 19) {
      mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
      ++significant;
    } else {
      truncated |= *p != '0';
      ++exponentShift;
    }
  }
  const bool hasIntegerDigits = p != integerStart;
  bool hasFractionDigits = false;
  if (p < end && *p == '.') {
    ++p;
    const char* fractionStart = p;
    if (significant == 0) {
      while (p < end && *p == '0')
        ++p;
      exponentShift -= p - fractionStart;
    }
    for (; p < end && IsDigit(*p); ++p) {
      if (significant < 19) {
        mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
        ++significant;
        --exponentShift;
      } else {
        truncated |= *p != '0';
      }
    }
    hasFractionDigits = p != fractionStart;
  }
  if (!hasIntegerDigits && !hasFractionDigits) return false;

  int64_t exponent = 0;
  if (p < end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    bool negativeExponent = false;
    if (q < end && (*q == '+' || *q == '-')) {
      negativeExponent = *q == '-';
      ++q;
    }
    if (q < end && IsDigit(*q)) {
      for (; q < end && IsDigit(*q); ++q) {
        if (exponent < 100000000) exponent = exponent * 10 + (*q - '0');
      }
      if (negativeExponent) exponent = -exponent;
      p = q;
    }
  }
  shape.length = static_cast<size_t>(p - text.data());
  shape.mantissa = mantissa;
  shape.significantDigits = significant;
  shape.hasSignificant = significant > 0;
  shape.truncated = truncated;
  shape.exponent10 = exponent + exponentShift;
  shape.magnitude = shape.exponent10 + significant - 1;
  return true;
}

bool Convert(std::string_view text, const CNumberShape& shape, double& value) {
  if (!shape.hasSignificant) {
    value = shape.negative ? -0.0 : 0.0;
    return true;
  }
  // Exact fast path: the mantissa and the power of ten are both exact doubles, so one
  // multiplication or division rounds correctly.
  if (!shape.truncated && shape.mantissa <= (uint64_t{1} << 53) && shape.exponent10 >= -22 &&
      shape.exponent10 <= 22) {
    double result = static_cast<double>(shape.mantissa);
    if (shape.exponent10 >= 0) {
      result *= kPowersOfTen[shape.exponent10];
    } else {
      result /= kPowersOfTen[-shape.exponent10];
    }
    value = shape.negative ? -result : result;
    return true;
  }
  const char* begin = text.data();
  const char* end = text.data() + shape.length;
  if (*begin == '+') ++begin;
  double result = 0.0;
  const auto [ptr, error] = std::from_chars(begin, end, result, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    if (shape.magnitude > 0) return false;  // too large for a double
    value = shape.negative ? -0.0 : 0.0;
    return true;
  }
  if (error != std::errc() || ptr != end || !std::isfinite(result)) return false;
  value = result;
  return true;
}

}  // namespace

bool ParseDecimal(std::string_view text, double& value) {
  CNumberShape shape;
  if (!Scan(text, shape) || shape.length != text.size()) return false;
  return Convert(text, shape, value);
}

size_t ParseDecimalPrefix(std::string_view text, double& value) {
  CNumberShape shape;
  if (!Scan(text, shape)) return 0;
  if (!Convert(text, shape, value)) return 0;
  return shape.length;
}

double ParseValueCell(std::string_view& line, bool blankIsDelimiter) {
  std::string_view cell = TakeCell(line, blankIsDelimiter);
  SkipSeparators(line);
  if (cell.empty()) return kMissing;
  // Optional leading blanks are part of the number grammar.
  size_t start = 0;
  while (start < cell.size() && cell[start] == ' ')
    ++start;
  cell.remove_prefix(start);
  bool needsCopy = false;
  for (const char c : cell) {
    if (c == ',' || c == ' ') {
      needsCopy = true;
      break;
    }
  }
  double value = 0.0;
  if (!needsCopy) {
    if (cell.empty()) return 0.0;  // a cell of blanks
    return ParseDecimal(cell, value) ? value : kMissing;
  }
  std::string text;
  text.reserve(cell.size());
  for (const char c : cell) {
    if (c == ',') {
      text += '.';
    } else if (c == ' ' && !blankIsDelimiter) {
      continue;
    } else {
      text += c;
    }
  }
  if (text.empty()) return 0.0;
  return ParseDecimal(text, value) ? value : kMissing;
}
