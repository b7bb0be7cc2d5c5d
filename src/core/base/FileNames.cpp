// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileNames.h"

namespace {

size_t FileNameStart(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

std::string CutAtFirstDot(std::string_view path) {
  const size_t start = FileNameStart(path);
  const size_t dot = path.find('.', start);
  return std::string(path.substr(0, dot == std::string_view::npos ? path.size() : dot));
}

std::string WithExtension(std::string_view path, std::string_view extension) {
  return CutAtFirstDot(path) + std::string(extension);
}

std::string FileNameOf(std::string_view path) {
  return std::string(path.substr(FileNameStart(path)));
}

bool HasExtension(std::string_view path) {
  const size_t start = FileNameStart(path);
  const size_t dot = path.find('.', start);
  return dot != std::string_view::npos && dot > start;
}
