// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "settings/Keywords.h"

namespace {

struct CApplied {
  TreatmentSettings settings;
  DisplaySettings display;
  CCommandLine line;
};

CApplied Apply(const std::vector<std::string>& arguments) {
  CApplied applied;
  applied.line = ScanCommandLine(arguments);
  ApplyKeywords(applied.line, applied.settings, applied.display);
  return applied;
}

}  // namespace

TEST(Keywords, CaseAndPrefixDoNotMatter) {
  EXPECT_EQ(Apply({"data.txt", "-ward"}).settings.AgregationCriterion, ELinkage::kWard);
  EXPECT_EQ(Apply({"data.txt", "/WARD"}).settings.AgregationCriterion, ELinkage::kWard);
  EXPECT_EQ(Apply({"data.txt", "-cl"}).settings.AgregationCriterion, ELinkage::kComplete);
  EXPECT_EQ(Apply({"data.txt", "-SqaredPearson"}).settings.Dissimilarity,
            EDissimilarity::kSquaredPearson);
  EXPECT_EQ(Apply({"-Binary", "-Numeric"}).settings.DataType,
            EDataType::kNumerical);  // the last one wins
}

TEST(Keywords, SlashStartsAKeywordOnlyWhenOneFollows) {
  // On this platform an absolute path begins with "/".
  const CApplied applied = Apply({"/home/user/data.txt", "/Ward", "/Exit"});
  EXPECT_EQ(applied.line.dataFile, "/home/user/data.txt");
  EXPECT_EQ(applied.settings.AgregationCriterion, ELinkage::kWard);
  EXPECT_EQ(applied.settings.Exit, 1);
  EXPECT_EQ(Apply({"-Ward", "/tmp/x.txt"}).line.dataFile, "/tmp/x.txt");
}

TEST(Keywords, DataFileIsTheFirstPlainArgumentEvenAValue) {
  EXPECT_EQ(Apply({"-Contrast", "50", "data.txt"}).line.dataFile, "50");
  EXPECT_EQ(Apply({"-Ward"}).line.dataFile, "");
}

TEST(Keywords, AutomationSetsItsThreeSwitches) {
  const CApplied applied = Apply({"f", "-AutomationRow", "-ClusteringAutomationCol"});
  EXPECT_EQ(applied.settings.AutomationRow, 1);
  EXPECT_EQ(applied.settings.ClusteringAutomationRow, 1);
  EXPECT_EQ(applied.settings.SeriationAutomationRow, 1);
  EXPECT_EQ(applied.settings.ClusteringAutomationCol, 1);
  EXPECT_EQ(applied.settings.SeriationAutomationCol, 0);
  const CApplied cleared = Apply({"f", "-AutomationRow", "-NoAutomationRow"});
  EXPECT_EQ(cleared.settings.SeriationAutomationRow, 0);
}

TEST(Keywords, ExportFileNamesKeepTheirCase) {
  const CApplied applied = Apply({"f", "-ExportScreenInBmpFile", "Result.IMG", "-Exit",
                                  "-ExportTableInTextFile", "Out/Table.TXT"});
  EXPECT_EQ(applied.settings.ExportFileFormat, EExportFormat::kBmp);
  EXPECT_EQ(applied.settings.exportFileName, "Result.IMG");
  EXPECT_EQ(applied.settings.exportTableFileName, "Out/Table.TXT");
  EXPECT_EQ(applied.settings.Exit, 1);
  const CApplied ps = Apply({"f", "-ExportScreenInPostScriptFile", "a.ps"});
  EXPECT_EQ(ps.settings.ExportFileFormat, EExportFormat::kPostScript);
  EXPECT_EQ(Apply({"f", "-ExportScreenInClipBoard"}).settings.ExportFileFormat,
            EExportFormat::kClipboard);
}

TEST(Keywords, EveryPictureKeywordWritesItsFileTheLastOneStillNamesTheExport) {
  using V = std::vector<CPictureExportRequest>;
  // One picture keyword: as it always was, nothing further.
  const CApplied one = Apply({"f", "-ExportScreenInJpegFile", "a.x"});
  EXPECT_EQ(one.settings.ExportFileFormat, EExportFormat::kJpeg);
  EXPECT_EQ(one.settings.exportFileName, "a.x");
  EXPECT_TRUE(one.settings.furtherPictureExports.empty());
  // A format given again takes its last name only.
  const CApplied twice =
      Apply({"f", "-ExportScreenInPngFile", "a.png", "-ExportScreenInPngFile", "b.png"});
  EXPECT_EQ(twice.settings.exportFileName, "b.png");
  EXPECT_TRUE(twice.settings.furtherPictureExports.empty());
  // Several formats: the last one names the export, the others keep the names they stood for.
  const CApplied many =
      Apply({"f", "-ExportScreenInJpegFile", "a.x", "-ExportScreenInBmpFile", "b",
             "-ExportScreenInPngFile", "c.v1.png", "-ExportScreenInSvgFile", "d.svg",
             "-ExportScreenInPngFile", "e.v2.png", "-ExportScreenInJpegFile", "f.y"});
  EXPECT_EQ(many.settings.ExportFileFormat, EExportFormat::kJpeg);
  EXPECT_EQ(many.settings.exportFileName, "f.y");
  EXPECT_EQ(many.settings.furtherPictureExports, (V{{EExportFormat::kBmp, "b.bmp"},
                                                    {EExportFormat::kSvg, "d.svg"},
                                                    {EExportFormat::kPng, "e.v2.png"}}));
  // The clipboard writes no file; the file keyword before it still does.
  const CApplied clipboard =
      Apply({"f", "-ExportScreenInPostScriptFile", "p.1", "-ExportScreenInClipBoard"});
  EXPECT_EQ(clipboard.settings.ExportFileFormat, EExportFormat::kClipboard);
  EXPECT_EQ(clipboard.settings.furtherPictureExports, (V{{EExportFormat::kPostScript, "p.ps"}}));
}

TEST(Keywords, ValuesAreScannedAsKeywordsToo) {
  // "-Exit" serves as the file name of the export and is also a keyword of its own.
  const CApplied applied = Apply({"f", "-ExportScreenInJpegFile", "-Exit"});
  EXPECT_EQ(applied.settings.exportFileName, "-Exit");
  EXPECT_EQ(applied.settings.Exit, 1);
}

TEST(Keywords, DisplayValuesAreClamped) {
  EXPECT_EQ(Apply({"f", "-RowHeightValue", "0"}).display.hy, 1);
  EXPECT_EQ(Apply({"f", "-ColWidthValue", "7px"}).display.hx, 7);
  EXPECT_EQ(Apply({"f", "-Contrast", "250"}).display.ContrastColor, 100);
  EXPECT_EQ(Apply({"f", "-Contrast", "abc"}).display.ContrastColor, 0);
  EXPECT_EQ(Apply({"f", "-RowHeight", "Huge"}).display.hy, 48);
  EXPECT_EQ(Apply({"f", "-ColWidth", "narrowest"}).display.hx, 1);
  EXPECT_EQ(Apply({"f", "-RowHeight", "enormous"}).display.hy, 12);
  const CApplied levels = Apply({"f", "-ColorLevel", "10"});
  EXPECT_EQ(levels.display.m_intNumberOfNuances, 8);
  EXPECT_EQ(levels.display.m_intColorNumberOfNuances, 2);
  EXPECT_EQ(Apply({"f", "-ColorLevel", "-3"}).display.m_intNumberOfNuances, 255);
  EXPECT_EQ(Apply({"f", "-ColorLevel", "3"}).display.m_intNumberOfNuances, 1);
  EXPECT_EQ(Apply({"f", "-HighColor", "Magenta", "-LowColor", "black"}).display.m_intColorLowValue,
            8);
  EXPECT_EQ(Apply({"f", "-BkColor", "black"}).display.BkColor, 2);
  EXPECT_EQ(Apply({"f", "-m_intRowsTreeSize", "wide"}).display.m_intRowsTreeSize, 20);
  EXPECT_EQ(Apply({"f", "-MaskTopFrame"}).display.m_bShowTopFrame, 0);
}

TEST(Keywords, UnknownKeywordsAreIgnoredAndHelpIsRecognised) {
  const CApplied applied = Apply({"f", "-NoSuchThing", "-Ward"});
  EXPECT_EQ(applied.settings.AgregationCriterion, ELinkage::kWard);
  EXPECT_TRUE(Apply({"--help"}).line.help);
  EXPECT_TRUE(Apply({"-h"}).line.help);
  EXPECT_TRUE(Apply({"--version"}).line.version);
  EXPECT_NE(UsageText().find("-ExportScreenInPostScriptFile FILE"), std::string::npos);
  EXPECT_NE(UsageText().find("-TreeSeriationByTSP"), std::string::npos);
}

TEST(Keywords, LeadingIntegerReadsLikeTheRuntimeLibrary) {
  EXPECT_EQ(LeadingInteger("42abc"), 42);
  EXPECT_EQ(LeadingInteger("  -7"), -7);
  EXPECT_EQ(LeadingInteger("x1"), 0);
  EXPECT_EQ(LeadingInteger("99999999999999"), 2147483647);
}

TEST(Keywords, HelpAndVersionAreRequestsOnlyAsTheOnlyArgument) {
  // Elsewhere on the line they are keywords like any other: a run with an export before them
  // still runs.
  const CCommandLine late = ScanCommandLine({"f", "-ExportTableInTextFile", "t.txt", "--help"});
  EXPECT_FALSE(late.help);
  EXPECT_EQ(late.dataFile, "f");
  EXPECT_FALSE(ScanCommandLine({"f", "--version"}).version);
  EXPECT_TRUE(ScanCommandLine({"/?"}).help);
}

TEST(Keywords, UnknownKeywordsAndMissingValuesAreSaidOnceEach) {
  TreatmentSettings settings;
  DisplaySettings display;
  const CKeywordDiagnostics said =
      ApplyKeywords(ScanCommandLine({"f", "-Wrad", "-Contrast", "-5", "-zzzzzzzz", "-Exit",
                                     "-ExportScreenInPngFile"}),
                    settings, display);
  ASSERT_EQ(said.warnings.size(), 3u);
  EXPECT_NE(said.warnings[0].find("-Wrad"), std::string::npos);
  EXPECT_NE(said.warnings[0].find("did you mean -Ward?"), std::string::npos);
  // "-5" is the value of -Contrast, no slip; nothing is near enough to "-zzzzzzzz".
  EXPECT_NE(said.warnings[1].find("-zzzzzzzz"), std::string::npos);
  EXPECT_EQ(said.warnings[1].find("did you mean"), std::string::npos);
  EXPECT_NE(said.warnings[2].find("-ExportScreenInPngFile needs a value FILE"), std::string::npos);
  EXPECT_EQ(display.ContrastColor, 0);
  EXPECT_EQ(settings.Exit, 1);
  EXPECT_EQ(settings.AgregationCriterion, ELinkage::kMcQuitty);  // the typo changed nothing
}

TEST(Keywords, DialogOnlyChoicesHaveKeywordsMarkedAsAdded) {
  const CApplied applied = Apply({"f", "-Contingency", "-ChiSquare"});
  EXPECT_EQ(applied.settings.DataType, EDataType::kContingency);
  EXPECT_EQ(applied.settings.Dissimilarity, EDissimilarity::kChiSquare);
  const CApplied files =
      Apply({"f", "-RowDissimilarityFile", "Rows.TXT", "-ColumnDissimilarityFile", "c.txt"});
  EXPECT_EQ(files.settings.Dissimilarity, EDissimilarity::kFromFiles);
  EXPECT_EQ(files.settings.RowDissimilarityFileName, "Rows.TXT");
  EXPECT_EQ(files.settings.ColDissimilarityFileName, "c.txt");
  for (const char* name : {"Contingency", "ChiSquare", "RowDissimilarityFile"}) {
    ASSERT_NE(FindKeyword(name), nullptr) << name;
    EXPECT_TRUE(FindKeyword(name)->added) << name;
  }
  EXPECT_FALSE(FindKeyword("ward")->added);
}

TEST(Keywords, HelpShowsEachKeywordOnceWithItsDefaultInForce) {
  const std::string usage = UsageText();
  for (const CKeyword& keyword : Keywords()) {
    // A long term has its description on the next line.
    size_t count = 0;
    for (const char* end : {" ", "\n"}) {
      const std::string term = "\n  -" + keyword.name + end;
      for (size_t at = usage.find(term); at != std::string::npos; at = usage.find(term, at + 1))
        ++count;
    }
    EXPECT_EQ(count, 1u) << keyword.name;
  }
  const auto lineOf = [&](const std::string& name) {
    const size_t at = usage.find("  -" + name + " ");
    return usage.substr(at, usage.find('\n', at) - at);
  };
  EXPECT_NE(lineOf("WPGMA").find("(default)"), std::string::npos);
  EXPECT_EQ(lineOf("Ward").find("(default)"), std::string::npos);
  EXPECT_NE(lineOf("RowHeightValue N").find("default 12"), std::string::npos);
  EXPECT_NE(usage.find("Exit status:"), std::string::npos);
  EXPECT_NE(usage.find("  64 "), std::string::npos);
}

TEST(Keywords, PictureKeywordsSetTheScaleTheLabelsTheTitleAndTheResolution) {
  const CApplied applied = Apply({"f", "-ColorScale", "Viridis", "-RotatedColumnLabels", "-Title",
                                  "Iris: Ward & TSP", "-Dpi", "300"});
  EXPECT_EQ(applied.display.colorScale, EColorScale::kViridis);
  EXPECT_TRUE(applied.display.rotatedColumnLabels);
  EXPECT_EQ(applied.display.pictureTitle, "Iris: Ward & TSP");  // a text keeps its case
  EXPECT_EQ(applied.settings.exportDotsPerInch, 300);
  EXPECT_EQ(Apply({"f", "-ColorScale", "diverging"}).display.colorScale, EColorScale::kDiverging);
  // An unknown word leaves the scale; resolutions are kept within 1 to 1200.
  EXPECT_EQ(Apply({"f", "-ColorScale", "jet"}).display.colorScale, EColorScale::kSigned);
  EXPECT_EQ(Apply({"f", "-Dpi", "0"}).settings.exportDotsPerInch, 1);
  EXPECT_EQ(Apply({"f", "-Dpi", "100000"}).settings.exportDotsPerInch, 1200);
  // Without them the picture is today's.
  const CApplied none = Apply({"f"});
  EXPECT_EQ(none.display.colorScale, EColorScale::kSigned);
  EXPECT_FALSE(none.display.rotatedColumnLabels);
  EXPECT_EQ(none.display.pictureTitle, "");
  EXPECT_EQ(none.settings.exportDotsPerInch, 0);
  const CKeyword* scale = FindKeyword("ColorScale");
  ASSERT_NE(scale, nullptr);
  EXPECT_EQ(scale->words, (std::vector<std::string>{"signed", "viridis", "cividis", "diverging"}));
  EXPECT_EQ(FindKeyword("Dpi")->current(none.settings, none.display), "96");
}
