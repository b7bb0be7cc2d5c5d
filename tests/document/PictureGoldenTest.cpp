// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "DocumentFixture.h"
#include "document/PictureInputOf.h"
#include "document/Pipeline.h"
#include "export/PicturePostScript.h"
#include "render/HeatMapPicture.h"
#include "render/TextMeasurer.h"
#include "settings/SettingsPersistence.h"

// Whole documents, loaded, treated and drawn as PostScript, compared byte for byte with
// pictures that were rendered by Ghostscript and looked at once. QUORVEL_UPDATE_GOLDEN=1
// rewrites them (and leaves a PNG of each next to the test's temporary file for a look).

namespace {

// Every character 6 units wide, fonts their own size high: the layout is the same everywhere.
class CFixedMeasurer : public CTextMeasurer {
 public:
  CSize TextExtent(const CFont& font, std::string_view text) const override {
    return {static_cast<int>(text.size()) * 6, font.Size() > 0 ? font.Size() : 14};
  }
};

bool HasGhostscript() {
  return std::system("command -v gs > /dev/null 2>&1") == 0;
}

void ExpectGoldenPicture(CViewModel& view, const std::string& name) {
  CHeatMapPicture picture(MakePictureInput(view));
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  CTempDir folder;
  const std::string path = (folder.Path() / (name + ".ps")).string();
  std::string error;
  ASSERT_TRUE(WritePicturePostScript(picture, path, &error)) << error;
  const std::string golden = SourcePath("tests/document/golden/" + name + ".ps");
  if (std::getenv("QUORVEL_UPDATE_GOLDEN")) {
    std::ofstream(golden, std::ios::binary) << ReadFileText(path);
    if (HasGhostscript()) {
      const std::string png = "/tmp/quorvel-golden-" + name + ".png";
      std::system(("gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=png16m -r100 -sOutputFile=" + png +
                   " '" + path + "' > /dev/null 2>&1")
                      .c_str());
    }
  }
  EXPECT_EQ(ReadFileText(path), ReadFileText(golden)) << name;
  if (HasGhostscript()) {
    const std::string command =
        "gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=nullpage '" + path + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << name << " has a PostScript error";
  }
}

void Treat(CDocumentFixture& f) {
  RunAutomation(f.Doc(), true, true);
  f.Doc().automationPending = false;
}

}  // namespace

TEST(PictureGolden, NumericalTableWithBothTreesAndTheReport) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(7, 5),
                     {"-Ward", "-TreeSeriationByTSP", "-AutomationRow", "-AutomationCol"}));
  Treat(f);
  ASSERT_TRUE(f.Current().rowTree.hasTree && f.Current().columnTree.hasTree);
  ExpectGoldenPicture(f.Current(), "numerical_both_trees");
}

TEST(PictureGolden, BinaryTableWithJaccardAndARowTree) {
  CDocumentFixture f;
  ASSERT_TRUE(
      f.Open("T\ta\tb\tc\td\te\n"
             "r1\t1\t1\t0\t0\t1\n"
             "r2\t0\t1\t1\t0\t0\n"
             "r3\t1\t1\t0\t1\t1\n"
             "r4\t0\t0\t1\t1\t0\n"
             "r5\t1\t0\t0\t0\t1\n",
             {"-Binary", "-Jaccard", "-UPGMA", "-AutomationRow"}));
  Treat(f);
  ExpectGoldenPicture(f.Current(), "binary_row_tree");
}

TEST(PictureGolden, NominalTableWithLevelsPerColumn) {
  CDocumentFixture f;
  f.store.WriteInt(kTreatmentSection, "DataType", 2);
  f.store.WriteInt(kTreatmentSection, "DataRepresentation", 8);
  f.store.WriteInt(kTreatmentSection, "Dissimilarity", 6);
  ASSERT_TRUE(
      f.Open("Car\tcyl\tgear\tcarb\n"
             "a\t0\t0\t2\n"
             "b\t1\t1\t0\n"
             "c\t0\t2\t3\n"
             "d\t2\t0\t1\n"
             "e\t1\t1\t3\n",
             {"-CompletLinkage", "-AutomationRow"}));
  ASSERT_EQ(f.Doc().settings.DataType, EDataType::kNominal);
  Treat(f);
  ExpectGoldenPicture(f.Current(), "nominal_levels_per_column");
}

TEST(PictureGolden, ContingencyTableWithMetricsAndTheAverageProfile) {
  CDocumentFixture f;
  f.store.WriteInt(kTreatmentSection, "DataType", 3);
  f.store.WriteInt(kTreatmentSection, "Dissimilarity", 9);
  ASSERT_TRUE(
      f.Open("Hair\tBrown\tBlue\tHazel\tGreen\n"
             "Black\t68\t20\t15\t5\n"
             "Brown\t119\t84\t54\t29\n"
             "Red\t26\t17\t14\t14\n"
             "Blond\t7\t94\t10\t16\n",
             {"-Ward", "-AutomationRow", "-AutomationCol"}));
  ASSERT_EQ(f.Doc().settings.DataType, EDataType::kContingency);
  Treat(f);
  CViewModel& view = f.Current();
  f.Doc().switches.metrics = true;
  f.Doc().switches.averageProfile = true;
  view.rowTree.userSelection = true;
  view.rowTree.selectionStart = 1;
  view.rowTree.selectionLength = 2;
  ExpectGoldenPicture(view, "contingency_metrics_profile");
}
