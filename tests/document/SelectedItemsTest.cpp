#include <gtest/gtest.h>

#include "ScriptedServices.h"
#include "TestFiles.h"
#include "base/Missing.h"
#include "data/DataFactory.h"
#include "data/TextTableReader.h"
#include "document/SelectedItems.h"
#include "seriation/Elements.h"

namespace {

struct CLoaded {
  CTempDir folder;
  std::unique_ptr<CData> data;
  CElements rows, columns;

  explicit CLoaded(const std::string& content) {
    data = CreateDataTable(EDataType::kNumerical);
    data->fileName = folder.Write("t.txt", content);
    EXPECT_EQ(ReadTextTable(*data, CReadOptions{}, {}).code, 0);
    rows.Initialize(data->rowCount, nullptr, &data->rowLabels, {});
    columns.Initialize(data->columnCount, nullptr, &data->columnLabels, {});
  }
};

}  // namespace

TEST(SelectedItems, WholeTableInFileOrderWithTabsAndCrLf) {
  CLoaded t("ID\ta\tb\nr1\t1\t2\nr2\t0.5\t12\nr3\t1234567\t0.1\n");
  EXPECT_EQ(FormatSelectedItems(*t.data, t.rows, t.columns),
            "ID\ta\tb\t\r\nr1\t1\t2\t\r\nr2\t0.5\t12\t\r\nr3\t1.23457e+06\t0.1\t\r\n");
}

TEST(SelectedItems, SelectedBlockInDisplayOrderReadsBackTheSame) {
  CLoaded t("ID\ta\tb\tc\nr1\t1\t2\t3\nr2\t4\t\t6\nr3\t7\t8\t9\n");
  t.rows.order = {2, 0, 1};
  t.rows.selectionStart = 1;
  t.rows.selectionLength = 2;
  t.columns.order = {2, 1, 0};
  t.columns.selectionLength = 2;
  const std::string text = FormatSelectedItems(*t.data, t.rows, t.columns);
  EXPECT_EQ(text, "ID\tc\tb\t\r\nr1\t3\t2\t\r\nr2\t6\t-99999\t\r\n");

  CLoaded back(text);
  EXPECT_EQ(back.data->title, "ID");
  EXPECT_EQ(back.data->columnLabels, (std::vector<std::string>{"c", "b"}));
  EXPECT_EQ(back.data->rowLabels, (std::vector<std::string>{"r1", "r2"}));
  EXPECT_EQ(back.data->At(1, 0), 6.0);
  EXPECT_EQ(back.data->At(1, 1), kMissing);
}

TEST(SelectedItems, ProposedAndCompletedNames) {
  EXPECT_EQ(ProposedSaveName("", "/d/data.txt"), "/d/data.txt");
  EXPECT_EQ(ProposedSaveName("", "/d/my.data.txt"), "/d/my.txt");
  EXPECT_EQ(ProposedSaveName("/e/kept.txt", "/d/data.txt"), "/e/kept.txt");
  EXPECT_EQ(CompletedSaveName("/d/results"), "/d/results.txt");
  EXPECT_EQ(CompletedSaveName("/d/.results"), "/d/.results.txt");
  EXPECT_EQ(CompletedSaveName("/d/r.csv"), "/d/r.csv");
}
