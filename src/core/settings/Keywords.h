// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/DisplaySettings.h"
#include "settings/TreatmentSettings.h"

// The program's command line: a data file and keywords that preset the treatment and the
// display. Arguments are scanned from left to right; one that begins with "-" (or with "/"
// followed by a known keyword) is a keyword, compared ignoring case, and the next argument is
// its value when it takes one (that value is scanned as a keyword too). Numbers are read as a
// leading decimal integer (0 when there is none); a keyword given twice takes its last value;
// unknown keywords are ignored.
struct CCommandLine {
  std::vector<std::string> arguments;  // as given, without the program name
  std::string dataFile;                // the first argument that is not a keyword
  // "--help", "-h", "/?" or "--version" as the only argument; anywhere else they are keywords
  // like any other.
  bool help = false;
  bool version = false;
};

CCommandLine ScanCommandLine(const std::vector<std::string>& arguments);

// What the keywords of a command line said that a script should know: unknown keywords (with
// the closest known one) and keywords whose value is missing. One line each, for stderr.
struct CKeywordDiagnostics {
  std::vector<std::string> warnings;
};

// Applies every keyword of `commandLine` in argument order. File names keep their case.
CKeywordDiagnostics ApplyKeywords(const CCommandLine& commandLine, TreatmentSettings& settings,
                                  DisplaySettings& display);

// True when `argument` is a keyword (begins with "-", or with "/" followed by a known keyword).
bool IsKeywordArgument(const std::string& argument);

// The purposes the keywords are listed under.
enum class EKeywordGroup {
  kData,
  kTransformation,
  kDissimilarity,
  kClustering,
  kSeriation,
  kAutomation,
  kDisplay,
  kExport,
  kProgram,
};

// What follows a keyword.
enum class EKeywordValue { kNone, kWord, kNumber, kFile, kText };

// One keyword: its name as written, its purpose, its value, a one-line description and, for a
// value that is a word, the words it takes. `added` marks the keywords this program has beyond
// the historical set.
struct CKeyword {
  struct CTarget {
    TreatmentSettings& settings;
    DisplaySettings& display;
  };
  std::string name;
  EKeywordGroup group = EKeywordGroup::kProgram;
  EKeywordValue value = EKeywordValue::kNone;
  std::string help;
  std::vector<std::string> words;
  bool added = false;
  // `value` is the next argument (lower case for words and numbers, as given for file names and
  // texts), empty when there is none.
  std::function<void(CTarget&, const std::string& value)> apply;
  // The value in force with `settings` and `display` ("" when the keyword takes none).
  std::function<std::string(const TreatmentSettings&, const DisplaySettings&)> current;
};

// Every keyword, in the order of the help text.
const std::vector<CKeyword>& Keywords();
// The keyword of that name (ignoring case, without its "-"), or nullptr.
const CKeyword* FindKeyword(std::string_view name);

// The help text: usage, every keyword by purpose with its description, value and default, and the
// exit statuses. The manual page is made from it.
std::string UsageText();

// Exit statuses of the program that are not message numbers.
inline constexpr int kExitNoDataFile = 64;  // a run without display and without a data file

// A leading decimal integer (optional blanks and sign), 0 when there is none; saturates.
int LeadingInteger(const std::string& text);
