// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ManPage.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace {

struct CUsageLine {
  size_t indent = 0;  // leading blanks (a tab counts as one)
  std::string text;   // without the leading and trailing blanks
  bool Blank() const { return text.empty(); }
};

std::vector<CUsageLine> SplitLines(const std::string& text) {
  std::vector<CUsageLine> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string raw = text.substr(start, end - start);
    start = end + 1;
    CUsageLine line;
    while (line.indent < raw.size() && (raw[line.indent] == ' ' || raw[line.indent] == '\t')) {
      ++line.indent;
    }
    size_t last = raw.size();
    while (last > line.indent && std::isspace(static_cast<unsigned char>(raw[last - 1])))
      --last;
    line.text = raw.substr(line.indent, last - line.indent);
    if (line.text.empty()) line.indent = 0;
    lines.push_back(line);
  }
  return lines;
}

bool IsAsciiAlnum(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// Escapes without guarding the start of the line (for pieces placed inside a line).
std::string EscapeInline(const std::string& text) {
  std::string out;
  for (size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      const bool insideWord =
          k > 0 && k + 1 < text.size() && IsAsciiAlnum(text[k - 1]) && IsAsciiAlnum(text[k + 1]);
      out += insideWord ? "-" : "\\-";
    } else {
      out += c;
    }
  }
  return out;
}

std::string GuardLineStart(const std::string& line) {
  if (!line.empty() && (line[0] == '.' || line[0] == '\'')) return "\\&" + line;
  return line;
}

// A macro argument in double quotes; a double quote inside is written as \(dq.
std::string QuotedArgument(const std::string& text) {
  std::string out = "\"";
  for (char c : EscapeInline(text)) {
    if (c == '"') {
      out += "\\(dq";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

bool IsPlaceholder(const std::string& word) {
  bool upper = false;
  for (char c : word) {
    if (std::isupper(static_cast<unsigned char>(c))) {
      upper = true;
    } else if (!std::isdigit(static_cast<unsigned char>(c)) && c != '_' && c != '|') {
      return false;
    }
  }
  return upper;
}

// One word of a term or of the synopsis: an option in bold, a placeholder in italics, brackets
// and trailing punctuation in roman.
std::string FormatWord(const std::string& word) {
  size_t begin = 0;
  while (begin < word.size() && word[begin] == '[')
    ++begin;
  size_t end = word.size();
  while (end > begin && std::strchr("],.;", word[end - 1]) != nullptr)
    --end;
  const std::string core = word.substr(begin, end - begin);
  std::string styled = EscapeInline(core);
  if (!core.empty() && core[0] == '-') {
    styled = "\\fB" + styled + "\\fR";
  } else if (IsPlaceholder(core)) {
    styled = "\\fI" + styled + "\\fR";
  }
  return word.substr(0, begin) + styled + EscapeInline(word.substr(end));
}

std::string FormatWords(const std::string& text) {
  std::string out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) {
      if (!out.empty()) out += ' ';
      out += FormatWord(text.substr(start, end - start));
    }
    start = end + 1;
  }
  return GuardLineStart(out);
}

// The heading of the usage text's list of exit statuses.
constexpr const char* kExitStatusHeading = "Exit status";

bool StartsWithUsage(const CUsageLine& line) {
  if (line.indent != 0 || line.text.size() < 6) return false;
  std::string head = line.text.substr(0, 6);
  for (char& c : head)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return head == "usage:";
}

bool IsItem(const CUsageLine& line) {
  return line.indent > 0 && line.text[0] == '-';
}

bool IsHeading(const std::vector<CUsageLine>& lines, size_t k) {
  const CUsageLine& line = lines[k];
  if (line.Blank() || line.indent != 0 || line.text.back() != ':' || StartsWithUsage(line)) {
    return false;
  }
  const bool afterBlank = k == 0 || lines[k - 1].Blank() || StartsWithUsage(lines[k - 1]);
  size_t next = k + 1;
  while (next < lines.size() && lines[next].Blank())
    ++next;
  const bool beforeItem = next < lines.size() && IsItem(lines[next]);
  return afterBlank || beforeItem;
}

// Writes the body of the page, keeping track of what the last output was so that paragraphs,
// items and displays are opened and closed where needed.
class CPageWriter {
 public:
  void Section(const std::string& name) {
    CloseBlocks();
    out_ += ".SH " + name + "\n";
    afterHeading_ = true;
  }
  void Subsection(const std::string& name) {
    CloseBlocks();
    out_ += ".SS " + QuotedArgument(name) + "\n";
    afterHeading_ = true;
  }
  void Prose(const std::string& text) {
    if (mode_ != Mode::kProse) {
      CloseBlocks();
      if (!afterHeading_) out_ += ".PP\n";
      mode_ = Mode::kProse;
    }
    Text(RoffEscape(text));
  }
  void Item(const std::string& term, const std::string& description) {
    CloseBlocks();
    out_ += ".TP\n" + FormatWords(term) + "\n";
    if (!description.empty()) Text(RoffEscape(description));
    mode_ = Mode::kItem;
  }
  bool InItem() const { return mode_ == Mode::kItem; }
  void MoreDescription(const std::string& text) { Text(RoffEscape(text)); }
  void Display(size_t indent, const std::string& text) {
    if (mode_ != Mode::kDisplay) {
      CloseBlocks();
      out_ += ".PP\n.RS 4\n.nf\n";
      displayIndent_ = indent;
      mode_ = Mode::kDisplay;
    }
    const size_t extra = indent > displayIndent_ ? indent - displayIndent_ : 0;
    Text(GuardLineStart(std::string(extra, ' ') + EscapeInline(text)));
  }
  void EndParagraph() {
    if (mode_ == Mode::kProse) mode_ = Mode::kNone;
  }
  void Raw(const std::string& roff) {
    CloseBlocks();
    out_ += roff;
    afterHeading_ = false;
  }
  std::string Finish() {
    CloseBlocks();
    return out_;
  }

 private:
  enum class Mode { kNone, kProse, kItem, kDisplay };
  void Text(const std::string& line) {
    out_ += line + "\n";
    afterHeading_ = false;
  }
  void CloseBlocks() {
    if (mode_ == Mode::kDisplay) out_ += ".fi\n.RE\n";
    mode_ = Mode::kNone;
  }
  std::string out_;
  Mode mode_ = Mode::kNone;
  bool afterHeading_ = false;
  size_t displayIndent_ = 0;
};

void WriteSynopsis(CPageWriter& page, const std::vector<CUsageLine>& lines) {
  std::vector<std::string> usages;
  for (const CUsageLine& line : lines) {
    if (StartsWithUsage(line)) usages.push_back(line.text.substr(6));
  }
  if (usages.empty()) usages.push_back(" quorvel [DATAFILE] [-KEYWORD [VALUE]]...");
  std::string roff;
  for (size_t k = 0; k < usages.size(); ++k) {
    std::string usage = usages[k];
    const size_t first = usage.find_first_not_of(' ');
    usage = first == std::string::npos ? "" : usage.substr(first);
    const size_t space = usage.find(' ');
    const std::string command = usage.substr(0, space);
    const std::string arguments = space == std::string::npos ? "" : usage.substr(space + 1);
    if (k > 0) roff += ".br\n";
    roff += ".B " + QuotedArgument(command) + "\n";
    if (!arguments.empty()) roff += FormatWords(arguments) + "\n";
  }
  page.Section("SYNOPSIS");
  page.Raw(roff);
}

// The description and options made from the usage text.
void WriteUsageBody(CPageWriter& page, const std::vector<CUsageLine>& lines) {
  bool inOptions = false;
  // The usage text's list of exit statuses is the page's EXIT STATUS: each line a status and
  // what it means.
  bool inExitStatus = false;
  size_t itemIndent = 0;
  for (size_t k = 0; k < lines.size(); ++k) {
    const CUsageLine& line = lines[k];
    if (StartsWithUsage(line)) continue;
    if (line.Blank()) {
      page.EndParagraph();
      continue;
    }
    const bool heading = IsHeading(lines, k);
    if ((heading || IsItem(line)) && !inOptions) {
      page.Section("OPTIONS");
      inOptions = true;
    }
    const std::string title = heading ? line.text.substr(0, line.text.size() - 1) : std::string();
    if (heading && title == kExitStatusHeading) {
      page.Section("EXIT STATUS");
      inExitStatus = true;
    } else if (heading) {
      page.Subsection(title);
      inExitStatus = false;
    } else if (IsItem(line) ||
               (inExitStatus && line.indent > 0 && (!page.InItem() || line.indent <= itemIndent))) {
      const size_t gap = line.text.find("  ");
      std::string description;
      if (gap != std::string::npos) {
        const size_t begin = line.text.find_first_not_of(' ', gap);
        description = line.text.substr(begin);
      }
      page.Item(line.text.substr(0, gap), description);
      itemIndent = line.indent;
    } else if (line.indent > 0 && page.InItem() && line.indent > itemIndent) {
      page.MoreDescription(line.text);
    } else if (line.indent > 0) {
      page.Display(line.indent, line.text);
    } else {
      page.Prose(line.text);
    }
  }
}

const char* const kIntroduction =
    "Quorvel explores data tables by seriation and hierarchical clustering: it reads a table\n"
    "(a text, CSV or TSV file, or an .xls, .xlsx or .ods workbook, of numerical, binary,\n"
    "nominal or contingency data),\n"
    "computes dissimilarities between rows and between columns, clusters and reorders both\n"
    "sides, and shows the table as a heat map with a dendrogram on each side.\n"
    ".PP\n"
    "With a display, \\fBquorvel\\fR opens the desktop program on \\fIDATAFILE\\fR;\n"
    "the keywords preset its treatment and display for this run.\n";

const char* const kClosingSections =
    ".SH ENVIRONMENT\n"
    ".TP\n"
    ".BR DISPLAY \", \" WAYLAND_DISPLAY\n"
    "When neither is set, the program runs in batch mode, as with \\fB\\-Exit\\fR.\n"
    ".TP\n"
    ".B XDG_CONFIG_HOME\n"
    "The folder of the settings file (\\fI~/.config\\fR when unset).\n"
    ".SH FILES\n"
    ".TP\n"
    ".I ~/.config/Velmora/Quorvel.conf\n"
    "The treatment and display choices stored by the desktop program.\n"
    "Every run starts from them, then applies the keywords of its command line.\n"
    ".SH EXAMPLES\n"
    "Cluster and reorder both sides of a table with Ward's criterion and write the picture\n"
    "as PostScript, without opening a window:\n"
    ".PP\n"
    ".RS 4\n"
    ".nf\n"
    "quorvel usarrests_numeric.txt \\-Ward \\-AutomationRow \\-AutomationCol \\e\n"
    "    \\-ExportScreenInPostScriptFile usarrests.ps \\-Exit\n"
    ".fi\n"
    ".RE\n"
    ".PP\n"
    "Sample tables come with the program, in the folder \\fIexamples\\fR of its documentation.\n"
    ".SH SEE ALSO\n"
    "The user's guide, \\fIguide.html\\fR, in the program's documentation folder\n"
    "(\\fIshare/doc/quorvel\\fR under the installation prefix, such as\n"
    "\\fI/usr/share/doc/quorvel\\fR); the desktop program opens it from its Help menu.\n";

}  // namespace

std::string RoffEscape(const std::string& text) {
  return GuardLineStart(EscapeInline(text));
}

std::string ManPageText(const std::string& usageText, const std::string& version) {
  const std::vector<CUsageLine> lines = SplitLines(usageText);
  std::string roff =
      ".\\\" -*- coding: UTF-8 -*-\n"
      ".\\\" Generated from the output of quorvel --help; edit the program, not this file.\n"
      ".TH QUORVEL 1 \"\" " +
      QuotedArgument("Quorvel " + version) + " \"User Commands\"\n.nh\n";
  CPageWriter page;
  page.Section("NAME");
  page.Raw("quorvel \\- explore data tables by seriation and hierarchical clustering\n");
  WriteSynopsis(page, lines);
  page.Section("DESCRIPTION");
  page.Raw(kIntroduction);
  WriteUsageBody(page, lines);
  page.Raw(kClosingSections);
  return roff + page.Finish();
}
