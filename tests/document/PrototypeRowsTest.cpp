// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/PrototypeRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "DocumentFixture.h"
#include "base/Missing.h"
#include "data/DataFactory.h"
#include "data/DataNumerical.h"
#include "dissimilarity/SideDistances.h"

namespace {

// 300 rows in three tight groups; every 13th cell missing.
std::unique_ptr<CData> GroupedTable() {
  auto data = CreateDataTable(EDataType::kNumerical);
  data->Allocate(300, 4);
  for (int i = 0; i < 300; ++i) {
    data->rowLabels.push_back("r" + std::to_string(i));
    for (int j = 0; j < 4; ++j) {
      data->At(i, j) = (i * 4 + j) % 13 == 0 ? kMissing : 50.0 * (i % 3) * (j + 1) + 0.01 * (i % 7);
    }
  }
  data->Prepare();
  data->ComputeValueRange();
  return data;
}

std::string GroupedText() {
  std::string text = "T\ta\tb\tc\td\n";
  for (int i = 0; i < 300; ++i) {
    text += "r" + std::to_string(i);
    for (int j = 0; j < 4; ++j)
      text += "\t" + std::to_string(50.0 * (i % 3) * (j + 1) + 0.01 * (i % 7));
    text += "\n";
  }
  return text;
}

}  // namespace

TEST(PrototypeRows, TheTableTakesThePrototypesWithTheirWeights) {
  for (const EDissimilarity dissimilarity :
       {EDissimilarity::kEuclidean, EDissimilarity::kPearson}) {
    SCOPED_TRACE(testing::Message() << "dissimilarity " << CodeOf(dissimilarity));
    auto data = GroupedTable();
    const CReadRows read = SummariseRows(*data, 3);

    ASSERT_EQ(data->rowCount, 3);
    EXPECT_EQ(data->rowLabels[0], "P1 (n=100)");
    double weights = 0.0;
    for (int k = 0; k < 3; ++k) {
      EXPECT_DOUBLE_EQ(data->RowWeight(k), 100.0 / 300.0);
      weights += data->RowWeight(k);
    }
    EXPECT_DOUBLE_EQ(weights, 1.0);
    ASSERT_EQ(read.labels.size(), 300u);
    EXPECT_EQ(read.labels[4], "r4");
    EXPECT_EQ(read.prototypeOf[4], 1);  // rows 1, 4, 7, … form the second group
    // The means skip missing cells: group 0 has values 0 + 0.01·(i % 7) only.
    EXPECT_NEAR(data->At(0, 0), 0.03, 0.005);
    EXPECT_EQ(data->maxValue, data->At(2, 3));

    // The prototypes' own statistics: a correlation of a row with itself is 1.
    const auto& numerical = dynamic_cast<const CData_Numerical&>(*data);
    ASSERT_EQ(numerical.rowDeviations.size(), 3u);
    EXPECT_GT(numerical.rowDeviations[1], 0.0);
    CDissimilarityOptions options;
    options.measure = dissimilarity;
    CDistance rows;
    ASSERT_EQ(ComputeSideDistances(*data, false, options, rows, nullptr), "");
    EXPECT_EQ(rows.size, 3);
    for (const double d : rows.values)
      EXPECT_TRUE(std::isfinite(d));
  }
}

TEST(PrototypeRows, TheListNamesEachRowReadWithItsPrototype) {
  auto data = GroupedTable();
  EXPECT_EQ(RowPrototypesText(*data, {}).substr(0, 12), "r0\tr0\nr1\tr1\n");
  const CReadRows read = SummariseRows(*data, 3);
  const std::string text = RowPrototypesText(*data, read);
  EXPECT_EQ(text.substr(0, 30), "r0\tP1 (n=100)\nr1\tP2 (n=100)\nr2");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 300);
}

TEST(PrototypeRows, ADocumentComparesTheColumnsOverEveryRowRead) {
  CDocumentFixture full, summarised;
  ASSERT_TRUE(full.Open(GroupedText()));
  ASSERT_TRUE(summarised.Open(GroupedText(), {"-Prototypes", "3"}));
  CQuorvelDoc& doc = summarised.Doc();
  EXPECT_EQ(doc.data->rowCount, 3);
  EXPECT_EQ(doc.rowDistances.size, 3);
  EXPECT_EQ(doc.readRows.labels.size(), 300u);
  // The column pairs are those of the 300 rows, bit for bit.
  ASSERT_EQ(doc.columnDistances.size, 4);
  EXPECT_TRUE(std::equal(doc.columnDistances.values.begin(), doc.columnDistances.values.end(),
                         full.Doc().columnDistances.values.begin()));
  // The rows' pairs can be computed again from the prototypes, the columns' cannot.
  EXPECT_NE(doc.RefillOf(true), nullptr);
  EXPECT_EQ(doc.RefillOf(false), nullptr);
  EXPECT_NE(full.Doc().RefillOf(false), nullptr);
  // As many prototypes as rows, or a table of another type, keeps the rows as read.
  CDocumentFixture same;
  ASSERT_TRUE(same.Open(GroupedText(), {"-Prototypes", "300"}));
  EXPECT_EQ(same.Doc().data->rowCount, 300);
  EXPECT_FALSE(same.Doc().readRows.Summarised());
}
