// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "TableFixture.h"
#include "base/Failure.h"
#include "base/Missing.h"
#include "data/DataContingency.h"
#include "data/DataNominal.h"
#include "data/DataNumerical.h"

namespace {

CData_Numerical& Numerical(CTableFixture& f) {
  return dynamic_cast<CData_Numerical&>(*f.data);
}

int ExitStatusOf(CTableFixture& f, const std::string& content, int dataType) {
  try {
    f.Load(content, dataType);
    f.data->Validate();
  } catch (const CError& error) {
    return error.ExitStatus();
  }
  return 0;
}

bool AllFinite(const std::vector<double>& values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

}  // namespace

TEST(Numerical, SampleStatisticsAndColumnNormalisation) {
  CTableFixture f;
  ASSERT_EQ(f.Load("T\ta\tb\nr1\t1\t5\nr2\t2\t6\nr3\t3\t9\n"), 0);
  EXPECT_EQ(Numerical(f).columnMeans[0], 2.0);
  EXPECT_EQ(Numerical(f).columnDeviations[0], 1.0);
  EXPECT_EQ(f.data->minValue, 0.0);  // the range always includes 0
  EXPECT_EQ(f.data->maxValue, 9.0);

  f.settings.DataRepresentation = 3;
  ASSERT_EQ(f.Load("T\ta\tb\nr1\t1\t5\nr2\t2\t6\nr3\t3\t9\n"), 0);
  EXPECT_EQ(f.Cell(0, 0), -1.0);
  EXPECT_EQ(f.Cell(1, 0), 0.0);
  EXPECT_EQ(f.Cell(2, 0), 1.0);
  EXPECT_EQ(Numerical(f).columnMeans[0], 0.0);
  EXPECT_EQ(Numerical(f).columnDeviations[0], 1.0);
  EXPECT_LT(f.data->minValue, 0.0);
}

TEST(Numerical, ConstantColumnBecomesMissingUnderColumnNormalisation) {
  CTableFixture f;
  f.settings.DataRepresentation = 3;
  ASSERT_EQ(f.Load("T\ta\tb\nr1\t4\t1\nr2\t4\t2\nr3\t4\t3\n"), 0);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(f.Cell(i, 0), kMissing);
  EXPECT_EQ(f.Cell(2, 1), 1.0);
}

TEST(Numerical, ConstantRowStopsRowNormalisationWithStatusTwelve) {
  CTableFixture f;
  f.settings.DataRepresentation = 4;
  EXPECT_EQ(ExitStatusOf(f, "T\ta\tb\tc\nr1\t1\t2\t3\nr2\t5\t5\t5\n", 0), 12);
  // A row with a single cell has no estimable deviation either.
  EXPECT_EQ(ExitStatusOf(f, "T\ta\tb\tc\nr1\t1\t2\t3\nr2\t5\t\t\n", 0), 12);
  // A missing cell stays missing and stops nothing.
  ASSERT_EQ(f.Load("T\ta\tb\tc\nr1\t1\t\t3\nr2\t5\t6\t8\n"), 0);
  EXPECT_EQ(f.Cell(0, 1), kMissing);
  EXPECT_NEAR(f.Cell(0, 0), -std::sqrt(0.5), 1e-15);
}

TEST(Numerical, InteractionTermOfAnAdditiveTableIsZero) {
  CTableFixture f;
  f.settings.DataRepresentation = 5;
  ASSERT_EQ(f.Load("T\ta\tb\nr1\t1\t2\nr2\t3\t4\n"), 0);
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j)
      EXPECT_EQ(f.Cell(i, j), 0.0);
  }
  EXPECT_EQ(Numerical(f).rowMeans[0], 0.0);
  EXPECT_EQ(Numerical(f).columnDeviations[1], 0.0);
}

TEST(Numerical, CentringKeepsSampleStatisticsOfTheTransformedValues) {
  // Row statistics after centring the columns use the divisor c − 1 like those of the raw
  // values, so that a Pearson correlation cannot leave [−1, 1].
  CTableFixture f;
  f.settings.DataRepresentation = 1;
  ASSERT_EQ(f.Load("T\ta\tb\tc\td\nr1\t1\t2\t7\t4\nr2\t3\t1\t2\t8\nr3\t5\t9\t4\t6\n"), 0);
  auto& data = Numerical(f);
  for (int i = 0; i < 3; ++i) {
    double mean = 0, squares = 0;
    for (int j = 0; j < 4; ++j)
      mean += f.Cell(i, j) / 4;
    for (int j = 0; j < 4; ++j)
      squares += (f.Cell(i, j) - mean) * (f.Cell(i, j) - mean);
    EXPECT_NEAR(data.rowMeans[static_cast<size_t>(i)], mean, 1e-12);
    EXPECT_NEAR(data.rowDeviations[static_cast<size_t>(i)], std::sqrt(squares / 3), 1e-12);
  }
  EXPECT_EQ(data.columnMeans[2], 0.0);
}

TEST(Numerical, EmptyAndSingleCellLinesNeverYieldNanOrInfinity) {
  for (int representation = 0; representation <= 5; ++representation) {
    if (representation == 4) continue;  // reports message 12 instead
    CTableFixture f;
    f.settings.DataRepresentation = representation;
    ASSERT_EQ(f.Load("T\ta\tb\tc\nr1\t\t\t\nr2\t1\t\t2\nr3\t3\t\t7\n"), 0) << representation;
    auto& data = Numerical(f);
    EXPECT_TRUE(AllFinite(data.rowMeans) && AllFinite(data.rowDeviations) &&
                AllFinite(data.columnMeans) && AllFinite(data.columnDeviations))
        << representation;
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j)
        EXPECT_TRUE(std::isfinite(f.Cell(i, j)));
    }
    EXPECT_EQ(f.Cell(1, 1), kMissing);
  }
}

TEST(Binary, CellsAreTruncatedThenZeroOrOne) {
  CTableFixture f;
  ASSERT_EQ(f.Load("T\ta\tb\tc\nr1\t5\t0.5\t-2\nr2\t0\t1\t1\n", 1), 0);
  EXPECT_EQ(f.Cell(0, 0), 1.0);
  EXPECT_EQ(f.Cell(0, 1), 0.0);
  EXPECT_EQ(f.Cell(0, 2), 1.0);
  EXPECT_EQ(f.data->maxValue, 1.0);
  // Cells that did not come through the text reader (a workbook) are normalised by Validate.
  f.data->At(1, 0) = 3;
  f.data->At(1, 1) = kMissing;
  f.data->Validate();
  EXPECT_EQ(f.Cell(1, 0), 1.0);
  EXPECT_EQ(f.Cell(1, 1), kMissing);
}

TEST(Failures, EveryDataStatus) {
  CTableFixture f;
  EXPECT_EQ(ExitStatusOf(f, "T\ta\tb\nr1\t1\t\nr2\t0\t1\n", 1), 10);   // empty binary cell
  EXPECT_EQ(ExitStatusOf(f, "T\ta\tb\nr1\tx\t1\nr2\t0\t1\n", 1), 10);  // unreadable binary
  EXPECT_EQ(ExitStatusOf(f, "T\ta\tb\nr1\t1\t\nr2\t0\t1\n", 3), 10);   // empty count
  EXPECT_EQ(ExitStatusOf(f, "T\ta\tb\nr1\t1\t-1\nr2\t0\t1\n", 3), 11);
  f.settings.DataRepresentation = 4;
  EXPECT_EQ(ExitStatusOf(f, "T\ta\tb\nr1\t1\t2\nr2\t3\t3\n", 0), 12);
  f.settings.DataRepresentation = 0;
  EXPECT_EQ(ExitStatusOf(f, "T\ta\tb\nr1\t0\t1.5\nr2\t1\t0\n", 2), 13);
  EXPECT_EQ(ExitStatusOf(f, "T\ta\tb\tc\nr1\t0\t0\t2\nr2\t1\t1\t3\n", 2), 14);
}

TEST(Nominal, CodesMustStartAtZeroPerColumn) {
  CTableFixture f;
  try {
    f.Load("T\ta\tb\tc\nr1\t0\t0\t2\nr2\t1\t1\t3\nr3\t0\t2\t2\n", 2);
    f.data->Validate();
    FAIL();
  } catch (const CError& error) {
    EXPECT_EQ(error.Warning().rows, 3);
    EXPECT_EQ(error.Warning().columns, 2);
    EXPECT_EQ(error.Warning().line2, "The variable n\u00b03 start with code 2 !");
  }
  ASSERT_EQ(f.Load("T\ta\tb\nr1\t0\t\nr2\t2\t0\nr3\t1\t1\n", 2), 0);
  f.data->Validate();
  auto& nominal = dynamic_cast<CData_Nominal&>(*f.data);
  EXPECT_EQ(nominal.MinCode(0), 0);
  EXPECT_EQ(nominal.MaxCode(0), 2);
  EXPECT_EQ(nominal.MaxCode(1), 1);
  EXPECT_EQ(f.data->maxValue, 2.0);
  EXPECT_EQ(f.data->minValue, 0.0);
}

TEST(Contingency, CountsTotalsWeightsAndRepresentations) {
  CTableFixture f;
  ASSERT_EQ(f.Load("T\ta\tb\nr1\t1.9\t2.2\nr2\t3\t2.7\n", 3), 0);
  auto& table = dynamic_cast<CData_ContingencyTable&>(*f.data);
  EXPECT_EQ(table.Count(0, 0), 1);
  EXPECT_EQ(table.Count(0, 1), 2);
  EXPECT_EQ(table.Count(1, 1), 2);
  EXPECT_EQ(table.rowTotals[0], 3);
  EXPECT_EQ(table.columnTotals[0], 4);
  EXPECT_EQ(table.grandTotal, 8);
  EXPECT_EQ(table.rowWeights[0], 3.0 / 8);
  EXPECT_EQ(table.columnWeights[1], 4.0 / 8);
  EXPECT_EQ(f.data->maxValue, 3.0);
  // Chi2 contribution weights both sides by their totals; row profiles weight columns only.
  EXPECT_EQ(table.RowWeight(0), 3.0 / 8);
  table.representation = 1;
  EXPECT_EQ(table.RowWeight(0), 0.5);
  EXPECT_EQ(table.ColumnWeight(1), 0.5);
  table.FinishLoad();
  EXPECT_EQ(f.Cell(0, 0), 1.0 / 3);
  EXPECT_EQ(f.Cell(1, 1), 2.0 / 5);
  EXPECT_EQ(f.data->minValue, 0.0);
  EXPECT_EQ(f.data->maxValue, 2.0 / 3);

  f.settings.DataRepresentation = 0;
  ASSERT_EQ(f.Load("T\ta\tb\nr1\t1\t2\nr2\t3\t2\n", 3), 0);
  f.data->FinishLoad();
  EXPECT_DOUBLE_EQ(f.Cell(0, 0), std::pow(1.0 / (4.0 * 3 / 8) - 1, 2));
}

TEST(Contingency, WorkbookCellsAreHeldToTheTextRules) {
  CTableFixture f;
  ASSERT_EQ(f.Read("T\ta\tb\nr1\t1\t2\nr2\t3\t4\n", 3), 0);
  f.data->At(0, 1) = -4;
  EXPECT_THROW(f.data->Prepare(), CError);
  f.data->At(0, 1) = kMissing;
  try {
    f.data->Prepare();
  } catch (const CError& error) {
    EXPECT_EQ(error.ExitStatus(), 10);
  }
}

TEST(Contingency, EmptyRowsAndColumnsHaveNoProfileButNoNan) {
  CTableFixture f;
  for (int representation = 0; representation <= 4; ++representation) {
    f.settings.DataRepresentation = representation;
    ASSERT_EQ(f.Load("T\ta\tb\tc\nr1\t0\t0\t0\nr2\t3\t0\t2\nr3\t1\t0\t5\n", 3), 0);
    f.data->FinishLoad();
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j)
        EXPECT_TRUE(std::isfinite(f.Cell(i, j)));
    }
  }
}

TEST(DataTable, EveryDataTypeMakesTheTableOfItsType) {
  CTableFixture f;
  for (int type = 0; type < 4; ++type) {
    ASSERT_EQ(f.Read("T\ta\nr1\t1\nr2\t2\n", type), 0);
    EXPECT_EQ(f.data->DataType(), ChoiceOf<EDataType>(type));
  }
}
