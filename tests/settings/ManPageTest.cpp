// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "settings/Keywords.h"
#include "settings/ManPage.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);)
    lines.push_back(line);
  return lines;
}

// The roff from `marker` up to the newline before the next line that starts with ".SH".
std::string SectionBody(const std::string& page, const std::string& marker) {
  const size_t start = page.find(marker);
  if (start == std::string::npos) return {};
  const size_t end = page.find("\n.SH ", start + marker.size());
  return page.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

// Every control line is one of the requests the page means to use, and every backslash starts
// one of the escapes it means to use: a stray "." or "\" from the usage text would show here.
void ExpectOnlyIntendedRoff(const std::string& page) {
  const std::set<std::string> requests = {".TH", ".SH", ".SS", ".TP", ".PP", ".RS", ".RE",  ".nf",
                                          ".fi", ".B",  ".I",  ".BR", ".br", ".nh", ".\\\""};
  for (const std::string& line : Lines(page)) {
    if (line.empty()) {
      ADD_FAILURE() << "blank line in roff (a blank line is output as a blank line)";
      continue;
    }
    if (line[0] == '.' || line[0] == '\'') {
      EXPECT_TRUE(requests.count(line.substr(0, line.find(' '))) == 1) << line;
    }
    for (size_t k = line.find('\\'); k != std::string::npos; k = line.find('\\', k + 2)) {
      const std::string escape = line.substr(k, 2);
      const bool known = escape == "\\e" || escape == "\\-" || escape == "\\&" ||
                         escape == "\\\"" || line.compare(k, 3, "\\fB") == 0 ||
                         line.compare(k, 3, "\\fI") == 0 || line.compare(k, 3, "\\fR") == 0 ||
                         line.compare(k, 4, "\\(dq") == 0;
      EXPECT_TRUE(known) << "escape " << line.substr(k, 4) << " in: " << line;
      if (escape == "\\\"") break;  // a comment runs to the end of the line
    }
  }
}

const char* const kGroupedUsage =
    "usage: quorvel [DATAFILE] [-KEYWORD [VALUE]]...\n"
    "Keywords are compared ignoring case.\n"
    "A second line of the same paragraph.\n"
    "\n"
    "Data file:\n"
    "  -Numeric          read the table as numerical data\n"
    "  -ExportScreenInPngFile FILE  write the picture as PNG\n"
    "                    (the description goes on here)\n"
    "Clustering:\n"
    "  -Ward             Ward's criterion\n"
    "The tree is drawn over the columns; the exit status is one of:\n"
    "  quorvel x.txt -Exit\n"
    "    indented more\n"
    "\n"
    "  --help, --version  print this text or the version\n";

}  // namespace

TEST(ManPage, RealUsageTextGivesEverySectionInOrderAndEveryKeywordAsAnItem) {
  const std::string usage = UsageText();
  const std::string page = ManPageText(usage, "9.8.7");
  EXPECT_EQ(page.find(".TH QUORVEL 1 \"\" \"Quorvel 9.8.7\""), page.find(".TH"));
  size_t previous = 0;
  for (const char* section :
       {".SH NAME", ".SH SYNOPSIS", ".SH DESCRIPTION", ".SH OPTIONS", ".SH EXIT STATUS",
        ".SH ENVIRONMENT", ".SH FILES", ".SH EXAMPLES", ".SH SEE ALSO"}) {
    const size_t at = page.find(std::string("\n") + section + "\n");
    ASSERT_NE(at, std::string::npos) << section;
    EXPECT_GT(at, previous) << section << " is out of order";
    previous = at;
  }
  const std::string options = SectionBody(page, ".SH OPTIONS");
  // The keywords come by purpose, each purpose a subsection.
  for (const char* group : {"Data", "Dissimilarity", "Clustering (linkage rule)", "Seriation",
                            "Automation", "Display", "Export", "Program"}) {
    EXPECT_NE(options.find(std::string(".SS \"") + group + "\"\n"), std::string::npos) << group;
  }
  size_t items = 0;
  for (const std::string& line : Lines(usage)) {
    if (line.rfind("  -", 0) != 0) continue;
    ++items;
    if (line.rfind("  --", 0) == 0) continue;
    // "  -Name VALUE" becomes the term "\fB\-Name\fR ..." of an item.
    const std::string name = line.substr(3, line.find(' ', 3) - 3);
    EXPECT_NE(options.find(".TP\n\\fB\\-" + name), std::string::npos) << name;
  }
  EXPECT_GT(items, 10u);
  EXPECT_EQ(Count(options, ".TP\n"), items);
  EXPECT_NE(page.find("~/.config/Velmora/Quorvel.conf"), std::string::npos);
  // The statuses the program lists are the page's EXIT STATUS, the usage error among them.
  const std::string statuses = SectionBody(page, ".SH EXIT STATUS");
  EXPECT_NE(statuses.find(".TP\n0\nnormal end\n"), std::string::npos) << statuses;
  EXPECT_NE(statuses.find(".TP\n2\nnot enough memory"), std::string::npos) << statuses;
  EXPECT_NE(statuses.find(".TP\n64\nno data file"), std::string::npos) << statuses;
  ExpectOnlyIntendedRoff(page);
}

TEST(ManPage, EscapesBackslashesHyphensAndLeadingControlCharacters) {
  EXPECT_EQ(RoffEscape("C:\\data\\table.txt"), "C:\\edata\\etable.txt");
  EXPECT_EQ(RoffEscape(".hidden starts a request"), "\\&.hidden starts a request");
  EXPECT_EQ(RoffEscape("'quoted' too"), "\\&'quoted' too");
  EXPECT_EQ(RoffEscape("mid .dot and 'quote' stay"), "mid .dot and 'quote' stay");
  EXPECT_EQ(RoffEscape("-Exit, --help and tab-delimited"), "\\-Exit, \\-\\-help and tab-delimited");
  EXPECT_EQ(RoffEscape("ends with -"), "ends with \\-");
  EXPECT_EQ(RoffEscape(""), "");
}

TEST(ManPage, HostileUsageTextCannotInjectRequests) {
  const std::string usage =
      "usage: quorvel .so /etc/passwd\n"
      ".so /etc/passwd\n"
      "'br\n"
      "\\fBbold\\fR and \\\" not a comment\n"
      "\n"
      ".Heading with \"quotes\":\n"
      "  -.Item  .description \\n[x]\n"
      "      .continued\n"
      "  .display line\n";
  const std::string page = ManPageText(usage, "1\"2");
  ExpectOnlyIntendedRoff(page);
  EXPECT_NE(page.find("\n\\&.so /etc/passwd\n"), std::string::npos);
  EXPECT_NE(page.find("\n\\&'br\n"), std::string::npos);
  EXPECT_NE(page.find("\\efBbold\\efR and \\e\" not a comment"), std::string::npos);
  EXPECT_NE(page.find(".SS \".Heading with \\(dqquotes\\(dq\""), std::string::npos);
  EXPECT_NE(page.find("\"Quorvel 1\\(dq2\""), std::string::npos);
  EXPECT_NE(page.find(".TP\n\\fB\\-.Item\\fR\n\\&.description \\en[x]\n\\&.continued\n"),
            std::string::npos);
}

TEST(ManPage, GroupedUsageTextGivesSubsectionsItemsProseAndDisplays) {
  const std::string page = ManPageText(kGroupedUsage, "1.0");
  ExpectOnlyIntendedRoff(page);
  EXPECT_NE(page.find(".SH SYNOPSIS\n.B \"quorvel\"\n"
                      "[\\fIDATAFILE\\fR] [\\fB\\-KEYWORD\\fR [\\fIVALUE\\fR]]...\n"),
            std::string::npos);
  // The prose before the first heading belongs to the description, as one paragraph.
  EXPECT_NE(page.find(".PP\nKeywords are compared ignoring case.\n"
                      "A second line of the same paragraph.\n.SH OPTIONS\n"),
            std::string::npos)
      << page;

  const std::string options = SectionBody(page, ".SH OPTIONS");
  EXPECT_EQ(options.find(".SH OPTIONS\n.SS \"Data file\"\n.TP\n\\fB\\-Numeric\\fR\n"
                         "read the table as numerical data\n"),
            0u)
      << options;
  EXPECT_NE(options.find(".TP\n\\fB\\-ExportScreenInPngFile\\fR \\fIFILE\\fR\n"
                         "write the picture as PNG\n(the description goes on here)\n"
                         ".SS \"Clustering\"\n"),
            std::string::npos)
      << options;
  // A line ending in ":" inside prose is not a heading; indented lines after prose are shown as
  // written, keeping their relative indentation, and the display is closed.
  EXPECT_NE(options.find(".TP\n\\fB\\-Ward\\fR\nWard's criterion\n.PP\n"
                         "The tree is drawn over the columns; the exit status is one of:\n"
                         ".PP\n.RS 4\n.nf\nquorvel x.txt \\-Exit\n  indented more\n.fi\n.RE\n"
                         ".TP\n\\fB\\-\\-help\\fR, \\fB\\-\\-version\\fR\n"
                         "print this text or the version"),
            std::string::npos)
      << options;
  EXPECT_EQ(Count(options, ".SS "), 2u);
  EXPECT_EQ(Count(options, ".TP\n"), 4u);
}

TEST(ManPage, EmptyOrItemOnlyUsageTextStillMakesAPage) {
  const std::string empty = ManPageText("", "1.0");
  ExpectOnlyIntendedRoff(empty);
  EXPECT_NE(empty.find(".SH SYNOPSIS\n.B \"quorvel\"\n"), std::string::npos);
  EXPECT_EQ(empty.find(".SH OPTIONS"), std::string::npos);
  EXPECT_NE(empty.find(".SH SEE ALSO"), std::string::npos);

  // Items without any heading open the options section on their own.
  const std::string items = ManPageText("  -Exit  end after the treatment\n", "1.0");
  ExpectOnlyIntendedRoff(items);
  EXPECT_NE(items.find(".SH OPTIONS\n.TP\n\\fB\\-Exit\\fR\nend after the treatment\n"),
            std::string::npos);
}
