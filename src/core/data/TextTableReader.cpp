#include "data/TextTableReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "base/DescriptorRead.h"
#include "base/Failure.h"
#include "base/Progress.h"
#include "base/Text.h"
#include "data/Data.h"
#include "data/TextScan.h"

namespace {

// The file's bytes, read once through one handle: a file that changes or disappears while the
// table is read cannot make the reader see two different files.
int ReadWholeFile(const std::string& path, std::string& content, std::string* reason) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) return kReadFileMissing;
    if (error == EBUSY || error == ETXTBSY || error == EAGAIN) return kReadFileLocked;
    if (reason) *reason = std::strerror(error);
    return kReadFileUnreadable;
  }
  if (const int error = ReadWholeDescriptor(fd, content); error != 0) {
    if (reason) *reason = std::strerror(error);
    return kReadFileUnreadable;
  }
  return kReadOk;
}

// Hands out the lines of a text: a line ends at a line feed, and a carriage return just before
// it is dropped.
class CLineCursor {
 public:
  explicit CLineCursor(std::string_view text) : text_(text) {}
  bool AtEnd() const { return position_ >= text_.size(); }
  std::string_view Next() {
    if (AtEnd()) return {};
    const size_t end = text_.find('\n', position_);
    const size_t stop = end == std::string_view::npos ? text_.size() : end;
    std::string_view line = text_.substr(position_, stop - position_);
    position_ = end == std::string_view::npos ? text_.size() : end + 1;
    if (!line.empty() && line.back() == '\r' && end != std::string_view::npos) {
      line.remove_suffix(1);
    }
    return line;
  }

 private:
  std::string_view text_;
  size_t position_ = 0;
};

bool IsTagRowWord(std::string_view label) {
  return EqualsIgnoringCase(label, "EWEIGHT") || EqualsIgnoringCase(label, "EORDER");
}

}  // namespace

CReadOutcome ReadTextTable(CData& data, const CReadOptions& options, const CReadContext& context) {
  CReadOutcome outcome;
  std::string content;
  outcome.code = ReadWholeFile(data.fileName, content, &outcome.reason);
  if (outcome.code != kReadOk) return outcome;
  const auto finish = [&outcome](int code) {
    outcome.code = code;
    return outcome;
  };
  const bool blank = options.blankIsDelimiter;
  const bool titleRow = options.titleRow;
  const bool titleCol = options.titleCol;

  // Columns, from the first line.
  CLineCursor cursor(content);
  std::string_view first = cursor.Next();
  int nonEmpty = 0;
  int tags = 0;
  for (std::string_view rest = first; !rest.empty();) {
    const std::string cell = ReadLabelCell(rest, blank);
    if (cell.empty()) continue;
    ++nonEmpty;
    if (titleRow && ((nonEmpty == 2 && EqualsIgnoringCase(cell, "NAME")) ||
                     EqualsIgnoringCase(cell, "GWEIGHT") || EqualsIgnoringCase(cell, "GORDER"))) {
      ++tags;
    }
  }
  int columns = nonEmpty - tags - (titleRow ? 1 : 0);
  // A first line without any cell gives no column, also when the title column is subtracted.
  if (columns <= 0) return finish(kReadNoColumnOrRow);

  // Rows: the lines up to the first empty line.
  int lines = 0;
  {
    CLineCursor counter(content);
    while (!counter.AtEnd()) {
      if (counter.Next().empty()) break;
      ++lines;
    }
  }
  int rows = lines - (titleCol ? 1 : 0);
  if (rows <= 0) return finish(kReadNoColumnOrRow);

  rows = ConfirmRowsToRead(rows, context, outcome);
  if (rows <= 1) return finish(kReadTooFewRows);

  data.Allocate(rows, columns);

  CLineCursor reader(content);
  if (titleCol) {
    std::string_view line = reader.Next();
    if (titleRow) data.title = ReadLabelCell(line, blank);
    for (int t = 0; t < tags; ++t)
      ReadLabelCell(line, blank);
    data.columnLabels.reserve(static_cast<size_t>(columns));
    for (int j = 0; j < columns; ++j)
      data.columnLabels.push_back(ReadLabelCell(line, blank));
  } else {
    for (int j = 0; j < columns; ++j)
      data.columnLabels.push_back(Format("Col-%d", j + 1));
  }
  data.maxColumnLabelLength = 0;
  for (const std::string& label : data.columnLabels) {
    data.maxColumnLabelLength = std::max(data.maxColumnLabelLength, CharacterCount(label));
  }

  std::unique_ptr<CProgress> progress =
      OpenItemProgress(context.progress, "Is reading the data->", rows);
  data.rowLabels.reserve(static_cast<size_t>(rows));
  for (int i = 0; i < rows;) {
    std::string_view line = reader.Next();
    std::string label = titleRow ? ReadLabelCell(line, blank) : Format("Row %d", i);
    if (i == 0 && IsTagRowWord(label)) {
      // A tag record right after the title line: dropped, and the next line is row 0 again.
      --rows;
      data.rowLabels.clear();
      data.maxRowLabelLength = 0;
      continue;
    }
    data.maxRowLabelLength = std::max(data.maxRowLabelLength, CharacterCount(label));
    data.rowLabels.push_back(std::move(label));
    for (int t = 0; t < tags; ++t)
      ReadLabelCell(line, blank);
    double* cells = data.Row(i);
    for (int j = 0; j < columns; ++j)
      cells[j] = data.ParseCell(line, blank);
    if (progress) progress->Step();
    ++i;
  }
  progress.reset();
  data.KeepRows(rows);
  // Tag records may leave fewer rows than were counted: the table still needs two.
  if (rows < 2) return finish(kReadTooFewRows);
  return finish(kReadOk);
}
