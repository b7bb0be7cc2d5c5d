#include "tree/TreeFileName.h"

namespace {

// Position where the file name starts: after the last separator of either platform.
size_t FileNameStart(std::string_view path) {
  const size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? 0 : separator + 1;
}

}  // namespace

std::string DefaultTreeFileName(std::string_view treeFileName, std::string_view dataFileName) {
  if (!treeFileName.empty()) return std::string(treeFileName);
  const size_t point = dataFileName.find('.', FileNameStart(dataFileName));
  return std::string(dataFileName.substr(0, point)) + ".phy";
}

std::string ChosenTreeFileName(std::string_view chosen) {
  if (chosen.find('.', FileNameStart(chosen)) != std::string_view::npos) {
    return std::string(chosen);
  }
  return std::string(chosen) + ".phy";
}
