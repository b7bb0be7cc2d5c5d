#include "settings/Keywords.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <map>

#include "base/Text.h"
#include "settings/Choices.h"

namespace {

struct CKeywordTarget {
  TreatmentSettings& settings;
  DisplaySettings& display;
};

// A keyword's action; `value` is the next argument (lower case for words; as given for file
// names), empty when there is none.
struct CKeyword {
  std::string name;  // as written in the usage text
  bool takesValue = false;
  bool valueIsFileName = false;
  std::function<void(CKeywordTarget&, const std::string& value)> apply;
};

using CKeywordTable = std::map<std::string, CKeyword>;

void AddFlag(CKeywordTable& table, const std::string& word,
             std::function<void(CKeywordTarget&)> apply) {
  table[ToLowerAscii(word)] =
      CKeyword{word, false, false, [apply](CKeywordTarget& t, const std::string&) { apply(t); }};
}

void AddValue(CKeywordTable& table, const std::string& word,
              std::function<void(CKeywordTarget&, const std::string&)> apply,
              bool fileName = false) {
  table[ToLowerAscii(word)] = CKeyword{word, true, fileName, std::move(apply)};
}

int WordValue(std::span<const CNamedValue> words, const std::string& value, int current) {
  for (const CNamedValue& word : words) {
    if (value == word.name) return word.value;
  }
  return current;
}

int ScaleColorOfWord(const std::string& value, int current) {
  for (const CScaleColor& color : ScaleColors()) {
    if (value == color.word) return color.index;
  }
  return current;
}

int BackgroundOfWord(const std::string& value, int current) {
  for (const CBackgroundColor& color : BackgroundColors()) {
    if (value == color.word) return color.index;
  }
  return current;
}

void ApplyColorLevel(DisplaySettings& display, int n) {
  if (n >= 255 || n <= 0) {
    display.m_intNumberOfNuances = 255, display.m_intColorNumberOfNuances = 0;
  } else if (n >= 32) {
    display.m_intNumberOfNuances = 32, display.m_intColorNumberOfNuances = 1;
  } else if (n >= 8) {
    display.m_intNumberOfNuances = 8, display.m_intColorNumberOfNuances = 2;
  } else if (n >= 4) {
    display.m_intNumberOfNuances = 4, display.m_intColorNumberOfNuances = 3;
  } else {
    display.m_intNumberOfNuances = 1, display.m_intColorNumberOfNuances = 4;
  }
}

CKeywordTable BuildTable() {
  CKeywordTable table;
  using T = CKeywordTarget;
  // The code tables carry the keywords of their choices.
  for (const auto& choice : DataTypeChoices()) {
    if (*choice.keyword) {
      AddFlag(table, choice.keyword, [code = choice.code](T& t) { t.settings.DataType = code; });
    }
  }
  for (const auto& choice : DissimilarityChoices()) {
    if (*choice.keyword) {
      AddFlag(table, choice.keyword,
              [code = choice.code](T& t) { t.settings.Dissimilarity = code; });
    }
  }
  for (const auto& choice : LinkageChoices()) {
    auto apply = [code = choice.code](T& t) { t.settings.AgregationCriterion = code; };
    AddFlag(table, choice.keyword, apply);
    if (*choice.alias) AddFlag(table, choice.alias, apply);
  }
  for (const auto& choice : NumericalRepresentationChoices()) {
    AddFlag(table, choice.keyword,
            [code = CodeOf(choice.code)](T& t) { t.settings.DataRepresentation = code; });
  }
  for (const auto& choice : SeriationChoices()) {
    AddFlag(table, choice.keyword,
            [code = choice.code](T& t) { t.settings.SetSeriationCriterion = code; });
  }
  for (const auto& choice : TreeSeriationChoices()) {
    AddFlag(table, choice.keyword,
            [code = choice.code](T& t) { t.settings.TreeSeriationCriterion = code; });
  }
  for (const auto& choice : OptimisationChoices()) {
    AddFlag(table, choice.keyword,
            [code = choice.code](T& t) { t.settings.SeriationOptimMethode = code; });
  }
  for (const CExportFormat& format : ExportFormats()) {
    if (format.code == EExportFormat::kClipboard) {
      AddFlag(table, format.keyword,
              [](T& t) { t.settings.ExportFileFormat = EExportFormat::kClipboard; });
    } else {
      AddValue(
          table, format.keyword,
          [code = format.code](T& t, const std::string& value) {
            t.settings.ExportFileFormat = code;
            t.settings.exportFileName = value;
          },
          true);
    }
  }

  AddFlag(table, "BlancIsSeparator", [](T& t) { t.settings.SeparateurBlanc = 1; });
  AddFlag(table, "BlancIsNotSeparator", [](T& t) { t.settings.SeparateurBlanc = 0; });
  AddFlag(table, "NoTitleCol", [](T& t) { t.settings.TitleCol = 0; });
  AddFlag(table, "TitleCol", [](T& t) { t.settings.TitleCol = 1; });
  AddFlag(table, "NoTitleRow", [](T& t) { t.settings.TitleRow = 0; });
  AddFlag(table, "TitleRow", [](T& t) { t.settings.TitleRow = 1; });
  AddFlag(table, "AutomationCol", [](T& t) {
    t.settings.AutomationCol = t.settings.ClusteringAutomationCol =
        t.settings.SeriationAutomationCol = 1;
  });
  AddFlag(table, "NoAutomationCol", [](T& t) {
    t.settings.AutomationCol = t.settings.ClusteringAutomationCol =
        t.settings.SeriationAutomationCol = 0;
  });
  AddFlag(table, "AutomationRow", [](T& t) {
    t.settings.AutomationRow = t.settings.ClusteringAutomationRow =
        t.settings.SeriationAutomationRow = 1;
  });
  AddFlag(table, "NoAutomationRow", [](T& t) {
    t.settings.AutomationRow = t.settings.ClusteringAutomationRow =
        t.settings.SeriationAutomationRow = 0;
  });
  AddFlag(table, "ClusteringAutomationCol", [](T& t) { t.settings.ClusteringAutomationCol = 1; });
  AddFlag(table, "ClusteringAutomationRow", [](T& t) { t.settings.ClusteringAutomationRow = 1; });
  AddFlag(table, "SeriationAutomationCol", [](T& t) { t.settings.SeriationAutomationCol = 1; });
  AddFlag(table, "SeriationAutomationRow", [](T& t) { t.settings.SeriationAutomationRow = 1; });
  AddFlag(table, "Exit", [](T& t) { t.settings.Exit = 1; });
  AddFlag(table, "NoExit", [](T& t) { t.settings.Exit = 0; });
  AddFlag(table, "FullScreen", [](T& t) { t.settings.FullScreen = 1; });

  // Results for scripts.
  AddValue(
      table, "ExportTableInTextFile",
      [](T& t, const std::string& value) { t.settings.exportTableFileName = value; }, true);
  AddValue(
      table, "ExportRowTreeInNewickFile",
      [](T& t, const std::string& value) { t.settings.exportRowTreeFileName = value; }, true);
  AddValue(
      table, "ExportColumnTreeInNewickFile",
      [](T& t, const std::string& value) { t.settings.exportColumnTreeFileName = value; }, true);
  AddValue(
      table, "ExportReportInTextFile",
      [](T& t, const std::string& value) { t.settings.exportReportFileName = value; }, true);

  // Display.
  AddValue(table, "RowHeight", [](T& t, const std::string& value) {
    t.display.hy = WordValue(CellSizeWords(), value, t.display.hy);
  });
  AddValue(table, "RowHeightValue", [](T& t, const std::string& value) {
    t.display.hy = std::max(1, LeadingInteger(value));
  });
  AddValue(table, "ColWidth", [](T& t, const std::string& value) {
    t.display.hx = WordValue(CellSizeWords(), value, t.display.hx);
  });
  AddValue(table, "ColWidthValue", [](T& t, const std::string& value) {
    t.display.hx = std::max(1, LeadingInteger(value));
  });
  AddValue(table, "HighColor", [](T& t, const std::string& value) {
    t.display.m_intColorHighValue = ScaleColorOfWord(value, t.display.m_intColorHighValue);
  });
  AddValue(table, "LowColor", [](T& t, const std::string& value) {
    t.display.m_intColorLowValue = ScaleColorOfWord(value, t.display.m_intColorLowValue);
  });
  AddValue(table, "ColorLevel", [](T& t, const std::string& value) {
    ApplyColorLevel(t.display, LeadingInteger(value));
  });
  AddValue(table, "BkColor", [](T& t, const std::string& value) {
    t.display.BkColor = BackgroundOfWord(value, t.display.BkColor);
  });
  AddValue(table, "Contrast", [](T& t, const std::string& value) {
    t.display.ContrastColor = std::clamp(LeadingInteger(value), 0, 100);
  });
  AddFlag(table, "ShowObjectiveFunctions",
          [](T& t) { t.display.m_bShowObjectiveFunctionsValue = 1; });
  AddFlag(table, "MaskObjectiveFunctions",
          [](T& t) { t.display.m_bShowObjectiveFunctionsValue = 0; });
  AddFlag(table, "m_bShowScale", [](T& t) { t.display.m_bShowScale = 1; });
  AddFlag(table, "MaskScale", [](T& t) { t.display.m_bShowScale = 0; });
  AddFlag(table, "m_bShowTopFrame", [](T& t) { t.display.m_bShowTopFrame = 1; });
  AddFlag(table, "MaskTopFrame", [](T& t) { t.display.m_bShowTopFrame = 0; });
  AddValue(table, "m_intRowsTreeSize", [](T& t, const std::string& value) {
    t.display.m_intRowsTreeSize = WordValue(TreeSizeWords(), value, t.display.m_intRowsTreeSize);
  });
  AddValue(table, "m_intColumnsTreeSize", [](T& t, const std::string& value) {
    t.display.m_intColumnsTreeSize =
        WordValue(TreeSizeWords(), value, t.display.m_intColumnsTreeSize);
  });
  return table;
}

const CKeywordTable& Table() {
  static const CKeywordTable table = BuildTable();
  return table;
}

bool IsHelpArgument(const std::string& argument) {
  const std::string word = ToLowerAscii(argument);
  return word == "--help" || word == "-h" || word == "-help" || word == "/?";
}

}  // namespace

int LeadingInteger(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool IsKeywordArgument(const std::string& argument) {
  if (argument.empty()) return false;
  if (argument[0] == '-') return true;
  // An absolute path begins with "/" on this platform: only a known keyword counts as one.
  if (argument[0] == '/') {
    return Table().count(ToLowerAscii(argument.substr(1))) > 0 || argument == "/?";
  }
  return false;
}

CCommandLine ScanCommandLine(const std::vector<std::string>& arguments) {
  CCommandLine line;
  line.arguments = arguments;
  for (const std::string& argument : arguments) {
    if (IsHelpArgument(argument)) line.help = true;
    if (ToLowerAscii(argument) == "--version") line.version = true;
    if (line.dataFile.empty() && !argument.empty() && !IsKeywordArgument(argument)) {
      line.dataFile = argument;
    }
  }
  return line;
}

void ApplyKeywords(const CCommandLine& commandLine, TreatmentSettings& settings,
                   DisplaySettings& display) {
  CKeywordTarget target{settings, display};
  const auto& arguments = commandLine.arguments;
  for (size_t k = 0; k < arguments.size(); ++k) {
    const std::string& argument = arguments[k];
    if (!IsKeywordArgument(argument)) continue;
    const auto found = Table().find(ToLowerAscii(argument.substr(1)));
    if (found == Table().end()) continue;
    const CKeyword& keyword = found->second;
    std::string value;
    if (keyword.takesValue && k + 1 < arguments.size()) {
      // The value is not skipped: it is scanned as a keyword in its turn.
      value = keyword.valueIsFileName ? arguments[k + 1] : ToLowerAscii(arguments[k + 1]);
    }
    keyword.apply(target, value);
  }
}

std::string UsageText() {
  std::string text =
      "usage: quorvel [DATAFILE] [-KEYWORD [VALUE]]...\n"
      "Keywords are compared ignoring case and may begin with '-' or '/'.\n"
      "With -Exit (or without a display) the program runs the automatic treatment, writes the\n"
      "files asked for and ends; its exit status is 0, the message number of a data failure,\n"
      "or 1 after a failed dissimilarity computation.\n\nKeywords:\n";
  std::vector<std::string> names;
  for (const auto& [lowerName, keyword] : Table()) {
    names.push_back(keyword.name + (keyword.valueIsFileName ? " FILE"
                                    : keyword.takesValue    ? " VALUE"
                                                            : ""));
  }
  for (const std::string& name : names)
    text += "  -" + name + "\n";
  text += "  --help, --version\n";
  return text;
}
