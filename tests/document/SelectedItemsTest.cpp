// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

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
  // The data file itself is never proposed: accepting would replace the data by the selection.
  EXPECT_EQ(ProposedSaveName("", "/d/data.txt"), "/d/data-selection.txt");
  EXPECT_EQ(ProposedSaveName("", "/d/my.data.txt"), "/d/my.txt");
  EXPECT_EQ(ProposedSaveName("/e/kept.txt", "/d/data.txt"), "/e/kept.txt");
  // Nor the data file of another open document, nor a name already taken by one.
  EXPECT_EQ(ProposedSaveName("", "/d/my.data.txt", {"/d/my.txt"}), "/d/my-selection.txt");
  EXPECT_EQ(ProposedSaveName("/d/x.txt", "/d/data.txt", {"/d/x.txt", "/d/x-selection.txt"}),
            "/d/x-selection-2.txt");
  EXPECT_EQ(CompletedSaveName("/d/results"), "/d/results.txt");
  EXPECT_EQ(CompletedSaveName("/d/.results"), "/d/.results.txt");
  EXPECT_EQ(CompletedSaveName("/d/r.csv"), "/d/r.csv");
}

TEST(SelectedItems, AnOpenFileIsRecognisedUnderAnotherSpellingOfItsPath) {
  CTempDir folder;
  const std::string data = folder.Write("data.txt", "T\ta\nr\t1\n");
  const std::string spelled = (folder.Path() / "." / "data.txt").string();
  EXPECT_TRUE(NamesOneOf(spelled, {data}));
  std::filesystem::create_symlink(data, folder.Path() / "link.txt");
  EXPECT_TRUE(NamesOneOf((folder.Path() / "link.txt").string(), {data}));
  EXPECT_FALSE(NamesOneOf((folder.Path() / "other.txt").string(), {data}));
  EXPECT_FALSE(NamesOneOf("", {data}));
}
