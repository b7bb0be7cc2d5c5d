#pragma once

#include <string>
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
  bool help = false;                   // "--help", "-h", "/?"
  bool version = false;                // "--version"
};

CCommandLine ScanCommandLine(const std::vector<std::string>& arguments);

// Applies every keyword of `commandLine` in argument order. File names keep their case.
void ApplyKeywords(const CCommandLine& commandLine, TreatmentSettings& settings,
                   DisplaySettings& display);

// True when `argument` is a keyword (begins with "-", or with "/" followed by a known keyword).
bool IsKeywordArgument(const std::string& argument);

// Usage text listing every keyword.
std::string UsageText();

// A leading decimal integer (optional blanks and sign), 0 when there is none; saturates.
int LeadingInteger(const std::string& text);
