// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/NumberText.h"

#include <charconv>
#include <cmath>
#include <vector>

std::string FixedText(double value, int precision, int width) {
  std::string text;
  if (std::isnan(value)) {
    text = std::signbit(value) ? "-nan" : "nan";
  } else if (std::isinf(value)) {
    text = value < 0 ? "-inf" : "inf";
  } else {
    // 320 digits before the point cover every finite double.
    std::vector<char> buffer(static_cast<size_t>(330 + precision));
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, precision);
    text.assign(buffer.data(), result.ptr);
  }
  if (static_cast<int>(text.size()) < width) {
    text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  }
  return text;
}

std::string IntegerText(long long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}
