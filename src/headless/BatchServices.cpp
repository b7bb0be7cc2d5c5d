// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/BatchServices.h"

#include <unistd.h>

#include "base/Failure.h"
#include "base/Text.h"

namespace {

// Dialog texts use tabs and line breaks for their layout; one line of stderr each.
std::string Flatten(std::string_view text) {
  std::string line;
  bool pendingSpace = false;
  for (const char c : text) {
    if (c == '\t' || c == '\n' || c == '\r') {
      pendingSpace = !line.empty();
      continue;
    }
    if (pendingSpace) {
      line += ' ';
      pendingSpace = false;
    }
    line += c;
  }
  return line;
}

class CTerminalProgress final : public CProgress {
 public:
  CTerminalProgress(std::FILE* stream, std::string caption, int range)
      : stream_(stream), caption_(std::move(caption)), range_(range > 0 ? range : 1) {
    Draw();
  }
  ~CTerminalProgress() override { std::fprintf(stream_, "\r%s done\n", caption_.c_str()); }
  void Step() override {
    step_ = step_ + 1 >= range_ ? 0 : step_ + 1;
    const int percent = 100 * step_ / range_;
    if (percent != shown_) Draw();
  }

 private:
  void Draw() {
    shown_ = 100 * step_ / range_;
    std::fprintf(stream_, "\r%s %3d%%", caption_.c_str(), shown_);
    std::fflush(stream_);
  }
  std::FILE* stream_;
  std::string caption_;
  int range_;
  int step_ = 0;
  int shown_ = -1;
};

}  // namespace

CBatchServices::CBatchServices(std::FILE* stream)
    : stream_(stream), interactiveTerminal_(::isatty(::fileno(stream)) != 0) {}

void CBatchServices::WriteLine(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream_);
  std::fputc('\n', stream_);
  std::fflush(stream_);
}

void CBatchServices::ShowWarning(const CWarning& warning) {
  std::string text = "WARNING ! " + warning.heading;
  if (!warning.line1.empty()) text += " " + warning.line1;
  if (!warning.line2.empty()) text += " " + warning.line2;
  if (!warning.detail.empty()) text += " " + warning.detail;
  WriteLine(Flatten(text));
}

void CBatchServices::ShowNotice(std::string_view title, std::string_view text) {
  WriteLine(Flatten(std::string(title) + " " + std::string(text)));
}

void CBatchServices::ShowMessageBox(std::string_view text) {
  WriteLine(Flatten(text));
}

CLargeTableAnswer CBatchServices::ConfirmLargeTable(int rowCount) {
  WriteLine(
      Format("WARNING ! Large dataset ! n = %d: continuing without change; the objective "
             "function R is not computed.",
             rowCount));
  return CLargeTableAnswer{};
}

std::unique_ptr<CProgress> CBatchServices::OpenProgress(std::string_view caption, int range, bool) {
  if (!interactiveTerminal_) return std::make_unique<CSilentProgress>();
  return std::make_unique<CTerminalProgress>(stream_, std::string(caption), range);
}

std::optional<std::string> CBatchServices::AskOpenFileName(std::string_view) {
  return std::nullopt;
}

std::optional<std::string> CBatchServices::AskSaveFileName(std::string_view, std::string_view) {
  return std::nullopt;
}

void CBatchServices::SetClipboardText(std::string_view) {
  WriteLine("The clipboard is not available without a display.");
}
