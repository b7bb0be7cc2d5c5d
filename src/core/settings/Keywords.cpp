// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Keywords.h"

#include <algorithm>
#include <climits>
#include <map>

#include "base/Text.h"
#include "settings/Choices.h"
#include "settings/PictureExports.h"

namespace {

using T = CKeyword::CTarget;

// Beyond this a picture of a usual table no longer fits in memory as a bitmap.
constexpr int kMaximumDotsPerInch = 1200;
using Current = std::function<std::string(const TreatmentSettings&, const DisplaySettings&)>;

// The table under construction: rows in help order, and every name (aliases too) in lower case.
class CKeywordTable {
 public:
  CKeyword& Add(CKeyword keyword) {
    rows_.push_back(std::move(keyword));
    return rows_.back();
  }
  const std::vector<CKeyword>& Rows() const { return rows_; }

 private:
  std::vector<CKeyword> rows_;
};

CKeyword Flag(const std::string& name, EKeywordGroup group, const std::string& help,
              std::function<void(T&)> apply) {
  CKeyword keyword;
  keyword.name = name;
  keyword.group = group;
  keyword.help = help;
  keyword.apply = [apply = std::move(apply)](T& t, const std::string&) { apply(t); };
  return keyword;
}

CKeyword Valued(const std::string& name, EKeywordGroup group, EKeywordValue value,
                const std::string& help, std::function<void(T&, const std::string&)> apply,
                Current current = {}) {
  CKeyword keyword;
  keyword.name = name;
  keyword.group = group;
  keyword.value = value;
  keyword.help = help;
  keyword.apply = std::move(apply);
  keyword.current = std::move(current);
  return keyword;
}

std::string Trimmed(const char* text) {
  std::string result(text);
  const size_t start = result.find_first_not_of(' ');
  const size_t end = result.find_last_not_of(' ');
  return start == std::string::npos ? std::string() : result.substr(start, end - start + 1);
}

int WordValue(std::span<const CNamedValue> words, const std::string& value, int current) {
  for (const CNamedValue& word : words) {
    if (value == word.name) return word.value;
  }
  return current;
}

std::string WordOf(std::span<const CNamedValue> words, int value) {
  for (const CNamedValue& word : words) {
    if (word.value == value) return word.name;
  }
  return std::to_string(value);
}

std::vector<std::string> Names(std::span<const CNamedValue> words) {
  std::vector<std::string> names;
  for (const CNamedValue& word : words)
    names.push_back(word.name);
  return names;
}

int ScaleColorOfWord(const std::string& value, int current) {
  for (const CScaleColor& color : ScaleColors()) {
    if (value == color.word) return color.index;
  }
  return current;
}

std::string WordOfScaleColor(int index) {
  const CScaleColor* color = FindScaleColor(index);
  return color ? color->word : std::to_string(index);
}

int BackgroundOfWord(const std::string& value, int current) {
  for (const CBackgroundColor& color : BackgroundColors()) {
    if (value == color.word) return color.index;
  }
  return current;
}

std::string WordOfBackground(int index) {
  for (const CBackgroundColor& color : BackgroundColors()) {
    if (color.index == index) return color.word;
  }
  return std::to_string(index);
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

// A keyword per row of a choice set that has one; `set` writes the choice.
template <typename E>
void AddChoices(CKeywordTable& table, std::span<const CChoice<E>> choices, EKeywordGroup group,
                const char* prefix, void (*set)(TreatmentSettings&, E)) {
  for (const CChoice<E>& choice : choices) {
    if (*choice.keyword == '\0') continue;
    const E code = choice.code;
    for (const char* name : {choice.keyword, choice.alias}) {
      if (*name == '\0') continue;
      CKeyword& keyword = table.Add(Flag(name, group, prefix + Trimmed(choice.caption),
                                         [set, code](T& t) { set(t.settings, code); }));
      keyword.added = choice.keywordAdded;
    }
  }
}

void SetAutomation(TreatmentSettings& s, bool rows, int value) {
  if (rows) {
    s.AutomationRow = s.ClusteringAutomationRow = s.SeriationAutomationRow = value;
  } else {
    s.AutomationCol = s.ClusteringAutomationCol = s.SeriationAutomationCol = value;
  }
}

CKeywordTable BuildTable() {
  using G = EKeywordGroup;
  using V = EKeywordValue;
  CKeywordTable table;

  // Data.
  AddChoices<EDataType>(table, DataTypeChoices(), G::kData, "the table holds data of type: ",
                        [](TreatmentSettings& s, EDataType c) { s.DataType = c; });
  table.Add(Flag("BlancIsSeparator", G::kData, "the blank delimits the cells of text files",
                 [](T& t) { t.settings.SeparateurBlanc = 1; }));
  table.Add(Flag("BlancIsNotSeparator", G::kData,
                 "only ';', ':' and the tab delimit the cells of text files",
                 [](T& t) { t.settings.SeparateurBlanc = 0; }));
  table.Add(Flag("TitleCol", G::kData, "the first line holds the column titles",
                 [](T& t) { t.settings.TitleCol = 1; }));
  table.Add(Flag("NoTitleCol", G::kData, "no title line: the columns are named Col-1, Col-2, ...",
                 [](T& t) { t.settings.TitleCol = 0; }));
  table.Add(Flag("TitleRow", G::kData, "the first cell of each line holds the row title",
                 [](T& t) { t.settings.TitleRow = 1; }));
  table.Add(Flag("NoTitleRow", G::kData, "no title column: the rows are named Row 0, Row 1, ...",
                 [](T& t) { t.settings.TitleRow = 0; }));
  CKeyword& prototypes = table.Add(Valued(
      "Prototypes", G::kData, V::kNumber,
      "summarise the rows of a numerical table by N weighted prototypes (k-means) when it has "
      "more; 0: the rows as read",
      [](T& t, const std::string& value) {
        t.settings.Prototypes = std::max(0, LeadingInteger(value));
      },
      [](const TreatmentSettings& s, const DisplaySettings&) {
        return std::to_string(s.Prototypes);
      }));
  prototypes.added = true;

  // Transformation.
  AddChoices<ENumericalRepresentation>(
      table, NumericalRepresentationChoices(), G::kTransformation, "",
      [](TreatmentSettings& s, ENumericalRepresentation c) { s.DataRepresentation = CodeOf(c); });

  // Dissimilarity.
  AddChoices<EDissimilarity>(table, DissimilarityChoices(), G::kDissimilarity, "",
                             [](TreatmentSettings& s, EDissimilarity c) { s.Dissimilarity = c; });
  CKeyword& rowFile = table.Add(Valued(
      "RowDissimilarityFile", G::kDissimilarity, V::kFile,
      "read the dissimilarities between the rows from FILE (a lower triangle; give the columns' "
      "file too)",
      [](T& t, const std::string& value) {
        t.settings.Dissimilarity = EDissimilarity::kFromFiles;
        t.settings.RowDissimilarityFileName = value;
      }));
  rowFile.added = true;
  CKeyword& columnFile = table.Add(Valued("ColumnDissimilarityFile", G::kDissimilarity, V::kFile,
                                          "read the dissimilarities between the columns from FILE",
                                          [](T& t, const std::string& value) {
                                            t.settings.Dissimilarity = EDissimilarity::kFromFiles;
                                            t.settings.ColDissimilarityFileName = value;
                                          }));
  columnFile.added = true;

  // Clustering.
  AddChoices<ELinkage>(table, LinkageChoices(), G::kClustering, "",
                       [](TreatmentSettings& s, ELinkage c) { s.AgregationCriterion = c; });

  const auto cut = [&table](const char* name, const char* help, int TreatmentSettings::*field) {
    CKeyword& keyword = table.Add(Valued(
        name, G::kClustering, V::kNumber, help,
        [field](T& t, const std::string& value) { t.settings.*field = LeadingInteger(value); }));
    keyword.added = true;
  };
  cut("CutRowTree",
      "cut the rows' dendrogram into N clusters (N >= 2) after clustering and colour them "
      "(replaces the marks of the rows)",
      &TreatmentSettings::cutRowTree);
  cut("CutColumnTree",
      "cut the columns' dendrogram into N clusters (N >= 2) after clustering and colour them "
      "(replaces the marks of the columns)",
      &TreatmentSettings::cutColumnTree);

  // Seriation.
  AddChoices<ESeriation>(table, SeriationChoices(), G::kSeriation, "without a dendrogram: ",
                         [](TreatmentSettings& s, ESeriation c) { s.SetSeriationCriterion = c; });
  AddChoices<EOptimisation>(
      table, OptimisationChoices(), G::kSeriation, "UDS and inertia by optimisation: ",
      [](TreatmentSettings& s, EOptimisation c) { s.SeriationOptimMethode = c; });
  AddChoices<ETreeSeriation>(table, TreeSeriationChoices(), G::kSeriation,
                             "under the dendrogram: ", [](TreatmentSettings& s, ETreeSeriation c) {
                               s.TreeSeriationCriterion = c;
                             });

  // Automation.
  table.Add(Flag("AutomationRow", G::kAutomation, "cluster and seriate the rows after opening",
                 [](T& t) { SetAutomation(t.settings, true, 1); }));
  table.Add(Flag("NoAutomationRow", G::kAutomation, "no automatic treatment of the rows",
                 [](T& t) { SetAutomation(t.settings, true, 0); }));
  table.Add(Flag("AutomationCol", G::kAutomation, "cluster and seriate the columns after opening",
                 [](T& t) { SetAutomation(t.settings, false, 1); }));
  table.Add(Flag("NoAutomationCol", G::kAutomation, "no automatic treatment of the columns",
                 [](T& t) { SetAutomation(t.settings, false, 0); }));
  table.Add(Flag("ClusteringAutomationRow", G::kAutomation, "cluster the rows after opening",
                 [](T& t) { t.settings.ClusteringAutomationRow = 1; }));
  table.Add(Flag("ClusteringAutomationCol", G::kAutomation, "cluster the columns after opening",
                 [](T& t) { t.settings.ClusteringAutomationCol = 1; }));
  table.Add(Flag("SeriationAutomationRow", G::kAutomation, "seriate the rows after opening",
                 [](T& t) { t.settings.SeriationAutomationRow = 1; }));
  table.Add(Flag("SeriationAutomationCol", G::kAutomation, "seriate the columns after opening",
                 [](T& t) { t.settings.SeriationAutomationCol = 1; }));

  // Display.
  table.Add(Valued(
      "RowHeight", G::kDisplay, V::kWord, "row height by name",
      [](T& t, const std::string& value) {
        t.display.hy = WordValue(CellSizeWords(), value, t.display.hy);
      },
      [](const TreatmentSettings&, const DisplaySettings& d) {
        return WordOf(CellSizeWords(), d.hy);
      }));
  table.Add(Valued(
      "RowHeightValue", G::kDisplay, V::kNumber, "row height in pixels (1 to 500)",
      [](T& t, const std::string& value) { t.display.hy = ClampedCellSize(LeadingInteger(value)); },
      [](const TreatmentSettings&, const DisplaySettings& d) { return std::to_string(d.hy); }));
  table.Add(Valued(
      "ColWidth", G::kDisplay, V::kWord, "column width by name",
      [](T& t, const std::string& value) {
        t.display.hx = WordValue(CellSizeWords(), value, t.display.hx);
      },
      [](const TreatmentSettings&, const DisplaySettings& d) {
        return WordOf(CellSizeWords(), d.hx);
      }));
  table.Add(Valued(
      "ColWidthValue", G::kDisplay, V::kNumber, "column width in pixels (1 to 500)",
      [](T& t, const std::string& value) { t.display.hx = ClampedCellSize(LeadingInteger(value)); },
      [](const TreatmentSettings&, const DisplaySettings& d) { return std::to_string(d.hx); }));
  table.Add(Valued(
      "HighColor", G::kDisplay, V::kWord, "colour of the positive values",
      [](T& t, const std::string& value) {
        t.display.m_intColorHighValue = ScaleColorOfWord(value, t.display.m_intColorHighValue);
      },
      [](const TreatmentSettings&, const DisplaySettings& d) {
        return WordOfScaleColor(d.m_intColorHighValue);
      }));
  table.Add(Valued(
      "LowColor", G::kDisplay, V::kWord, "colour of the negative values",
      [](T& t, const std::string& value) {
        t.display.m_intColorLowValue = ScaleColorOfWord(value, t.display.m_intColorLowValue);
      },
      [](const TreatmentSettings&, const DisplaySettings& d) {
        return WordOfScaleColor(d.m_intColorLowValue);
      }));
  table.Add(Valued(
      "ColorLevel", G::kDisplay, V::kNumber,
      "levels on each side of zero: 255, 32, 8, 4 or 1 (N is rounded down to one of them)",
      [](T& t, const std::string& value) { ApplyColorLevel(t.display, LeadingInteger(value)); },
      [](const TreatmentSettings&, const DisplaySettings& d) {
        return std::to_string(d.m_intNumberOfNuances);
      }));
  table.Add(Valued(
      "BkColor", G::kDisplay, V::kWord,
      "background on the screen (the words select the places of a list: see the guide)",
      [](T& t, const std::string& value) {
        t.display.BkColor = BackgroundOfWord(value, t.display.BkColor);
      },
      [](const TreatmentSettings&, const DisplaySettings& d) {
        return WordOfBackground(d.BkColor);
      }));
  table.Add(Valued(
      "Contrast", G::kDisplay, V::kNumber, "contrast of the colour scale, 0 to 100 (30: linear)",
      [](T& t, const std::string& value) {
        t.display.ContrastColor = std::clamp(LeadingInteger(value), 0, 100);
      },
      [](const TreatmentSettings&, const DisplaySettings& d) {
        return std::to_string(d.ContrastColor);
      }));
  CKeyword& colorScale = table.Add(Valued(
      "ColorScale", G::kDisplay, V::kWord,
      "colour scale of the heat map: the two colours (signed), viridis or cividis from the "
      "lowest to the highest value, or blue-white-red centred on zero (diverging)",
      [](T& t, const std::string& value) {
        for (const CChoice<EColorScale>& scale : ColorScaleChoices()) {
          if (value == scale.keyword) t.display.colorScale = scale.code;
        }
      },
      [](const TreatmentSettings&, const DisplaySettings& d) -> std::string {
        const CChoice<EColorScale>* scale = FindChoice(ColorScaleChoices(), d.colorScale);
        return scale ? scale->keyword : std::to_string(CodeOf(d.colorScale));
      }));
  colorScale.added = true;
  for (const CChoice<EColorScale>& scale : ColorScaleChoices())
    colorScale.words.push_back(scale.keyword);
  CKeyword& rotated = table.Add(Flag(
      "RotatedColumnLabels", G::kDisplay,
      "write the labels above the matrices as text turned by 90 degrees instead of stacked letters",
      [](T& t) { t.display.rotatedColumnLabels = true; }));
  rotated.added = true;
  CKeyword& title = table.Add(Valued(
      "Title", G::kDisplay, V::kText, "write TEXT as a title above the picture",
      [](T& t, const std::string& value) { t.display.pictureTitle = value; },
      [](const TreatmentSettings&, const DisplaySettings& d) { return d.pictureTitle; }));
  title.added = true;
  table.Add(Flag("ShowObjectiveFunctions", G::kDisplay, "compute and show R and S",
                 [](T& t) { t.display.m_bShowObjectiveFunctionsValue = 1; }));
  table.Add(Flag("MaskObjectiveFunctions", G::kDisplay,
                 "do not compute R (the picture then shows neither R nor S)",
                 [](T& t) { t.display.m_bShowObjectiveFunctionsValue = 0; }));
  table.Add(Flag("m_bShowScale", G::kDisplay, "show the colour scale",
                 [](T& t) { t.display.m_bShowScale = 1; }));
  table.Add(Flag("MaskScale", G::kDisplay, "hide the colour scale",
                 [](T& t) { t.display.m_bShowScale = 0; }));
  table.Add(Flag("m_bShowTopFrame", G::kDisplay, "show the title frame with the report",
                 [](T& t) { t.display.m_bShowTopFrame = 1; }));
  table.Add(Flag("MaskTopFrame", G::kDisplay, "hide the title frame",
                 [](T& t) { t.display.m_bShowTopFrame = 0; }));
  table.Add(Valued(
      "m_intRowsTreeSize", G::kDisplay, V::kWord, "width of the rows' dendrogram",
      [](T& t, const std::string& value) {
        t.display.m_intRowsTreeSize =
            WordValue(TreeSizeWords(), value, t.display.m_intRowsTreeSize);
      },
      [](const TreatmentSettings&, const DisplaySettings& d) {
        return WordOf(TreeSizeWords(), d.m_intRowsTreeSize);
      }));
  table.Add(Valued(
      "m_intColumnsTreeSize", G::kDisplay, V::kWord, "height of the columns' dendrogram",
      [](T& t, const std::string& value) {
        t.display.m_intColumnsTreeSize =
            WordValue(TreeSizeWords(), value, t.display.m_intColumnsTreeSize);
      },
      [](const TreatmentSettings&, const DisplaySettings& d) {
        return WordOf(TreeSizeWords(), d.m_intColumnsTreeSize);
      }));
  table.Add(Flag("FullScreen", G::kDisplay, "full-screen main window and maximised windows",
                 [](T& t) { t.settings.FullScreen = 1; }));

  const auto annotations = [&table](const char* name, const char* help,
                                    std::string TreatmentSettings::*field) {
    CKeyword& keyword =
        table.Add(Valued(name, G::kDisplay, V::kFile, help,
                         [field](T& t, const std::string& value) { t.settings.*field = value; }));
    keyword.added = true;
  };
  annotations("RowAnnotations",
              "show the annotations of FILE (a label column, then categories or numbers) as "
              "tracks beside the rows",
              &TreatmentSettings::rowAnnotationsFileName);
  annotations("ColumnAnnotations", "show the annotations of FILE as tracks above the columns",
              &TreatmentSettings::columnAnnotationsFileName);

  // Export.
  for (const CExportFormat& format : ExportFormats()) {
    if (format.code == EExportFormat::kClipboard) {
      table.Add(
          Flag(format.keyword, G::kExport, "put the picture on the clipboard (default)",
               [](T& t) { ApplyPictureKeyword(t.settings, EExportFormat::kClipboard, nullptr); }));
      continue;
    }
    std::string help = std::string("write the picture of the last window to FILE");
    help += format.keepsGivenName
                ? std::string(" (exactly that name)")
                : std::string(", cut at its first '.' and given ") + format.extension;
    CKeyword& keyword = table.Add(Valued(format.keyword, G::kExport, V::kFile, help,
                                         [code = format.code](T& t, const std::string& value) {
                                           ApplyPictureKeyword(t.settings, code, &value);
                                         }));
    // The formats this program added keep the names given.
    keyword.added = format.keepsGivenName;
  }
  CKeyword& dotsPerInch = table.Add(Valued(
      "Dpi", G::kExport, V::kNumber,
      "resolution of the PNG, JPEG and BMP pictures in dots per inch, 1 to 1200: the picture "
      "drawn N / 96 times larger, N recorded in the file",
      [](T& t, const std::string& value) {
        t.settings.exportDotsPerInch = std::clamp(LeadingInteger(value), 1, kMaximumDotsPerInch);
      },
      [](const TreatmentSettings& s, const DisplaySettings&) {
        return std::to_string(s.exportDotsPerInch > 0 ? s.exportDotsPerInch : 96);
      }));
  dotsPerInch.added = true;
  const auto result = [&table](const char* name, const char* help,
                               std::string TreatmentSettings::*field) {
    CKeyword& keyword =
        table.Add(Valued(name, G::kExport, V::kFile, help,
                         [field](T& t, const std::string& value) { t.settings.*field = value; }));
    keyword.added = true;
  };
  result(
      "ExportTableInTextFile",
      "write the table in the order of the last window, tab-delimited (the text reader reads it)",
      &TreatmentSettings::exportTableFileName);
  result("ExportTableInTsvFile",
         "write the table in the order of the last window for pandas and R: tab-separated, "
         "values read back exactly, missing cells empty",
         &TreatmentSettings::exportTsvFileName);
  result("ExportRowTreeInNewickFile", "write the rows' dendrogram as a Newick tree",
         &TreatmentSettings::exportRowTreeFileName);
  result("ExportColumnTreeInNewickFile", "write the columns' dendrogram as a Newick tree",
         &TreatmentSettings::exportColumnTreeFileName);
  CKeyword& exact = table.Add(
      Flag("ExactNewick", G::kExport,
           "Newick branch lengths in the shortest text that reads back to the same number",
           [](T& t) { t.settings.exactNewick = 1; }));
  exact.added = true;
  result("ExportRowClustersInTextFile",
         "write the clusters of the rows' cut (-CutRowTree): label<TAB>cluster per row",
         &TreatmentSettings::exportRowClustersFileName);
  result("ExportColumnClustersInTextFile",
         "write the clusters of the columns' cut (-CutColumnTree): label<TAB>cluster per column",
         &TreatmentSettings::exportColumnClustersFileName);
  result("ExportReportInTextFile", "write R, S and the methods of both sides, one line each",
         &TreatmentSettings::exportReportFileName);
  result("ExportRowPrototypesInTextFile",
         "write each row read with its prototype (label, tab, prototype), one line each",
         &TreatmentSettings::exportRowPrototypesFileName);

  // Program.
  table.Add(Flag("Exit", G::kProgram, "end the program after the automatic treatment",
                 [](T& t) { t.settings.Exit = 1; }));
  table.Add(Flag("NoExit", G::kProgram, "stay open after the automatic treatment (default)",
                 [](T& t) { t.settings.Exit = 0; }));

  // The word lists of the keywords that take a word.
  for (const CKeyword& keyword : table.Rows()) {
    CKeyword& row = const_cast<CKeyword&>(keyword);
    if (row.name == "RowHeight" || row.name == "ColWidth") row.words = Names(CellSizeWords());
    if (row.name == "m_intRowsTreeSize" || row.name == "m_intColumnsTreeSize") {
      row.words = Names(TreeSizeWords());
    }
    if (row.name == "HighColor" || row.name == "LowColor") {
      for (const CScaleColor& color : ScaleColors())
        row.words.push_back(color.word);
    }
    if (row.name == "BkColor") {
      for (const CBackgroundColor& color : BackgroundColors())
        row.words.push_back(color.word);
    }
  }
  return table;
}

const CKeywordTable& Table() {
  static const CKeywordTable table = BuildTable();
  return table;
}

const std::map<std::string, size_t>& Index() {
  static const std::map<std::string, size_t> index = [] {
    std::map<std::string, size_t> names;
    const auto& rows = Table().Rows();
    for (size_t k = 0; k < rows.size(); ++k)
      names.emplace(ToLowerAscii(rows[k].name), k);
    return names;
  }();
  return index;
}

bool IsHelpArgument(const std::string& argument) {
  const std::string word = ToLowerAscii(argument);
  return word == "--help" || word == "-h" || word == "-help" || word == "/?";
}

// Edits between two words, a transposition counting as one (so "wrad" is one edit from "ward").
size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1, 0));
  for (size_t i = 0; i <= a.size(); ++i)
    d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j)
    d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

// The known keyword nearest to an unknown one, when it is near enough to be a typing slip.
const CKeyword* ClosestKeyword(const std::string& unknown) {
  const CKeyword* best = nullptr;
  size_t bestDistance = SIZE_MAX;
  for (const CKeyword& keyword : Table().Rows()) {
    const size_t distance = EditDistance(unknown, ToLowerAscii(keyword.name));
    if (distance < bestDistance) bestDistance = distance, best = &keyword;
  }
  const size_t allowed = std::max<size_t>(2, unknown.size() / 4);
  return bestDistance <= allowed ? best : nullptr;
}

const char* GroupTitle(EKeywordGroup group) {
  switch (group) {
    case EKeywordGroup::kData:
      return "Data";
    case EKeywordGroup::kTransformation:
      return "Transformation (numerical data)";
    case EKeywordGroup::kDissimilarity:
      return "Dissimilarity";
    case EKeywordGroup::kClustering:
      return "Clustering (linkage rule)";
    case EKeywordGroup::kSeriation:
      return "Seriation";
    case EKeywordGroup::kAutomation:
      return "Automation";
    case EKeywordGroup::kDisplay:
      return "Display";
    case EKeywordGroup::kExport:
      return "Export";
    case EKeywordGroup::kProgram:
      return "Program";
  }
  return "";
}

const char* ValueName(EKeywordValue value) {
  switch (value) {
    case EKeywordValue::kWord:
      return " WORD";
    case EKeywordValue::kNumber:
      return " N";
    case EKeywordValue::kFile:
      return " FILE";
    case EKeywordValue::kText:
      return " TEXT";
    default:
      return "";
  }
}

// One item of the help text: the term, then its description from the description column,
// wrapped at the width of the text; a term too long for its column puts the description on the
// lines below it.
std::string HelpItem(const std::string& term, const std::string& description) {
  constexpr size_t kIndent = 2;
  constexpr size_t kColumn = 32;
  constexpr size_t kWidth = 92;
  std::string text(kIndent, ' ');
  text += term;
  size_t used = text.size();
  if (used + 2 > kColumn) {
    text += "\n";
    used = 0;
  }
  const auto pad = [&] {
    text.append(kColumn - used, ' ');
    used = kColumn;
  };
  pad();
  size_t start = 0;
  bool firstWord = true;
  while (start < description.size()) {
    size_t end = description.find(' ', start);
    if (end == std::string::npos) end = description.size();
    const std::string word = description.substr(start, end - start);
    if (!firstWord && used + 1 + word.size() > kWidth) {
      text += "\n";
      used = 0;
      text.append(kColumn + 2, ' ');
      used = kColumn + 2;
      firstWord = true;
    }
    if (!firstWord) {
      text += ' ';
      ++used;
    }
    text += word;
    used += word.size();
    firstWord = false;
    start = end + 1;
  }
  return text + "\n";
}

// True when the keyword's effect is already in force with the built-in settings.
bool IsDefault(const CKeyword& keyword) {
  if (keyword.value != EKeywordValue::kNone) return false;
  TreatmentSettings settings;
  DisplaySettings display;
  const TreatmentSettings settingsBefore = settings;
  const DisplaySettings displayBefore = display;
  T target{settings, display};
  keyword.apply(target, "");
  return settings == settingsBefore && display == displayBefore;
}

}  // namespace

const std::vector<CKeyword>& Keywords() {
  return Table().Rows();
}

const CKeyword* FindKeyword(std::string_view name) {
  const auto found = Index().find(ToLowerAscii(std::string(name)));
  return found == Index().end() ? nullptr : &Table().Rows()[found->second];
}

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
  if (argument[0] == '/') return FindKeyword(argument.substr(1)) != nullptr || argument == "/?";
  return false;
}

CCommandLine ScanCommandLine(const std::vector<std::string>& arguments) {
  CCommandLine line;
  line.arguments = arguments;
  if (arguments.size() == 1) {
    line.help = IsHelpArgument(arguments[0]);
    line.version = ToLowerAscii(arguments[0]) == "--version";
  }
  for (const std::string& argument : arguments) {
    if (line.dataFile.empty() && !argument.empty() && !IsKeywordArgument(argument)) {
      line.dataFile = argument;
    }
  }
  return line;
}

CKeywordDiagnostics ApplyKeywords(const CCommandLine& commandLine, TreatmentSettings& settings,
                                  DisplaySettings& display) {
  CKeywordDiagnostics diagnostics;
  T target{settings, display};
  const auto& arguments = commandLine.arguments;
  bool wasValue = false;  // the argument before served as a keyword's value
  for (size_t k = 0; k < arguments.size(); ++k) {
    const std::string& argument = arguments[k];
    const bool valueHere = wasValue;
    wasValue = false;
    if (!IsKeywordArgument(argument)) continue;
    const CKeyword* keyword = FindKeyword(argument.substr(1));
    if (keyword == nullptr) {
      // A value such as "-5" is scanned as a keyword too; it is no slip of the user's.
      if (!valueHere && argument.size() > 1) {
        std::string warning = "quorvel: unknown keyword " + argument + " ignored";
        if (const CKeyword* closest = ClosestKeyword(ToLowerAscii(argument.substr(1)))) {
          warning += " (did you mean -" + closest->name + "?)";
        }
        diagnostics.warnings.push_back(warning);
      }
      continue;
    }
    std::string value;
    if (keyword->value != EKeywordValue::kNone) {
      if (k + 1 < arguments.size()) {
        // The value is not skipped: it is scanned as a keyword in its turn.
        const bool keepCase =
            keyword->value == EKeywordValue::kFile || keyword->value == EKeywordValue::kText;
        value = keepCase ? arguments[k + 1] : ToLowerAscii(arguments[k + 1]);
        wasValue = true;
      } else {
        diagnostics.warnings.push_back("quorvel: the keyword " + argument + " needs a value" +
                                       ValueName(keyword->value) + " and has none");
      }
    }
    keyword->apply(target, value);
  }
  return diagnostics;
}

std::string UsageText() {
  const TreatmentSettings settings;
  DisplaySettings display;
  DeriveColorSwitches(display);
  std::string text =
      "usage: quorvel [DATAFILE] [-KEYWORD [VALUE]]...\n"
      "\n"
      "Quorvel reads a table of measurements (objects in rows, variables in columns) from a\n"
      "text, CSV or TSV file or an .xls, .xlsx or .ods workbook, computes\n"
      "dissimilarities between the rows and between the columns, clusters and reorders both\n"
      "sides, and shows the table as a heat map with two dendrograms. With -Exit, or without a\n"
      "display, it runs the automatic treatment, writes the files asked for and ends.\n"
      "\n"
      "Keywords are compared ignoring case and begin with '-' (or '/'). A keyword that takes a\n"
      "value uses the next argument; the data file must come before any value. The keywords\n"
      "apply on top of the settings stored by the desktop program. Keywords marked [+] go\n"
      "beyond the historical keyword set.\n";
  const auto& rows = Table().Rows();
  EKeywordGroup group = rows.empty() ? EKeywordGroup::kData : rows.front().group;
  bool first = true;
  for (const CKeyword& keyword : rows) {
    if (first || keyword.group != group) {
      group = keyword.group;
      text += std::string("\n") + GroupTitle(group) + ":\n";
      first = false;
    }
    std::string description = keyword.help;
    if (!keyword.words.empty()) {
      description += " (";
      for (size_t w = 0; w < keyword.words.size(); ++w) {
        description += (w ? ", " : "") + keyword.words[w];
      }
      description += ")";
    }
    if (keyword.current) {
      description += "; default " + keyword.current(settings, display);
    } else if (IsDefault(keyword) && keyword.help.find("(default)") == std::string::npos) {
      description += " (default)";
    }
    if (keyword.added) description += " [+]";
    text += HelpItem("-" + keyword.name + ValueName(keyword.value), description);
  }
  text +=
      "\n"
      "Help:\n"
      "  --help, -h, /?  print this text (as the only argument)\n"
      "  --version       print the version (as the only argument)\n"
      "\n"
      "Exit status:\n"
      "  0       normal end\n"
      "  1       too few rows, a dissimilarity that cannot be computed, a bad dissimilarity\n"
      "          or annotation file, or a file that could not be written\n"
      "  2       not enough memory for the table\n"
      "  4 to 9  the data file cannot be read (no row or column, empty or misplaced sheet,\n"
      "          locked, missing or unreadable file)\n"
      "  10-14   bad data: an empty cell, a negative count, a constant row under row\n"
      "          normalisation, nominal codes that are not integers from 0\n"
      "  " +
      std::to_string(kExitNoDataFile) + "      no data file given to a run without display\n";
  return text;
}
