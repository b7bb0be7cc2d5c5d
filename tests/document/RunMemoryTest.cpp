// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/RunMemory.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Sanitizers.h"
#include "base/Failure.h"
#include "base/Memory.h"
#include "settings/DisplaySettings.h"
#include "settings/TreatmentSettings.h"

namespace {

constexpr double kGB = 1024.0 * 1024.0 * 1024.0;

double GB(size_t bytes) {
  return static_cast<double>(bytes) / kGB;
}

CRunShape Batch(int64_t rows, int64_t columns, bool inside) {
  CRunShape shape;
  shape.rows = rows;
  shape.columns = columns;
  shape.clusterRows = shape.clusterColumns = true;
  shape.leafOrderRows = shape.leafOrderColumns = true;
  shape.insideTriangles = inside;
  return shape;
}

}  // namespace

TEST(RunMemory, OneTriangleWhenTheStepsWorkInsideItTwoOtherwise) {
  const CRunMemory inside = EstimateRunMemory(Batch(20000, 100, true));
  EXPECT_NEAR(GB(inside.rowTriangle), 20000.0 * 20001 / 2 * 8 / kGB, 0.01);
  EXPECT_LT(GB(inside.columnTriangle), 0.001);
  // Ward trees of 20,000 rows keep about 60 MB of leaf-order tables.
  EXPECT_GT(GB(inside.leafOrder), 0.05);
  EXPECT_LT(GB(inside.leafOrder), 0.2);
  EXPECT_LT(GB(inside.peak), 2.0);  // the benchmark's target

  const CRunMemory copies = EstimateRunMemory(Batch(20000, 100, false));
  EXPECT_NEAR(GB(copies.peak - inside.peak), GB(inside.rowTriangle), 0.01);

  // 50,000 × 100 fits in 11 GB only inside the triangles.
  EXPECT_LT(GB(EstimateRunMemory(Batch(50000, 100, true)).peak), 11.0);
  EXPECT_GT(GB(EstimateRunMemory(Batch(50000, 100, false)).peak), 18.0);

  // Without automatic steps only the load counts; a picture counts when it is the largest step.
  CRunShape load;
  load.rows = 20000;
  load.columns = 100;
  const CRunMemory loaded = EstimateRunMemory(load);
  EXPECT_EQ(loaded.clustering, 0u);
  EXPECT_EQ(loaded.peak, loaded.table + loaded.rowTriangle + loaded.columnTriangle);
  load.pictureBytes = int64_t{3} << 30;
  EXPECT_EQ(EstimateRunMemory(load).peak, loaded.peak + (size_t{3} << 30));
}

TEST(RunMemory, PrototypesShrinkTheRowSideNotTheTableRead) {
  CRunShape shape = Batch(1000000, 50, true);
  const CRunMemory full = EstimateRunMemory(shape);
  shape.prototypes = 5000;
  const CRunMemory summarised = EstimateRunMemory(shape);
  EXPECT_EQ(summarised.table, full.table);  // the cells read, twice more for the columns' pairs
  EXPECT_NEAR(GB(summarised.rowTriangle), 5000.0 * 5001 / 2 * 8 / kGB, 0.001);
  EXPECT_LT(GB(summarised.peak), 4.0);  // the benchmark's target
  EXPECT_GT(GB(summarised.peak), 1.0);
  shape.prototypes = 2000000;  // more than the rows: nothing changes
  EXPECT_EQ(EstimateRunMemory(shape).peak, full.peak);
}

TEST(RunMemory, SizesNeverOverflow) {
  const CRunMemory huge = EstimateRunMemory(Batch(int64_t{1} << 40, int64_t{1} << 40, false));
  EXPECT_GE(huge.peak, huge.rowTriangle);
  EXPECT_FALSE(CanReserve(huge.peak));
  EXPECT_EQ(EstimatePictureBytes(1000, 10, 12, 12), int64_t{(120 + 800) * (12000 + 800) * 4});
}

TEST(RunMemory, TheSettingsSayWhichStepsRun) {
  TreatmentSettings settings;
  DisplaySettings display;
  settings.AgregationCriterion = ELinkage::kWard;
  settings.TreeSeriationCriterion = ETreeSeriation::kMinimumPath;
  CRunShape shape = RunShapeOf(500, 40, settings, display);
  EXPECT_FALSE(shape.clusterRows || shape.clusterColumns || shape.leafOrderRows);
  EXPECT_EQ(shape.pictureBytes, 0);

  settings.AutomationRow = 1;
  settings.ClusteringAutomationCol = 1;
  settings.ExportFileFormat = EExportFormat::kBmp;
  shape = RunShapeOf(500, 40, settings, display);
  EXPECT_TRUE(shape.clusterRows && shape.leafOrderRows && shape.clusterColumns);
  EXPECT_FALSE(shape.leafOrderColumns);  // the columns are clustered, not seriated
  EXPECT_EQ(shape.pictureBytes, EstimatePictureBytes(500, 40, display.hx, display.hy));

  settings.TreeSeriationCriterion = ETreeSeriation::kMultipleFragment;
  settings.ExportFileFormat = EExportFormat::kPostScript;  // no bitmap
  shape = RunShapeOf(500, 40, settings, display);
  EXPECT_FALSE(shape.leafOrderRows);
  EXPECT_EQ(shape.pictureBytes, 0);
}

TEST(RunMemory, ATableTooLargeForTheAddressSpaceIsRefusedWithMessageTwo) {
  QUORVEL_SKIP_UNDER_ADDRESS_LIMIT_IF_SANITIZED();
  // Under `ulimit -v` of 2 GB, in a child so that this process keeps its limits.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    if (limit.rlim_cur != RLIM_INFINITY) _exit(10);
    limit.rlim_cur = size_t{2} << 30;
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(11);
    try {
      RefuseRunTooLarge(Batch(5000, 100, true), 0);  // 100 MB
    } catch (...) {
      _exit(12);
    }
    try {
      RefuseRunTooLarge(Batch(30000, 100, true), 0);  // 3.6 GB
    } catch (const CError& error) {
      _exit(error.ExitStatus() == 2 && error.Warning().rows == 30000 ? 0 : 13);
    }
    _exit(14);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 10) GTEST_SKIP() << "the tests run under an address-space limit";
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(RunMemory, AStepMeasuresItsOwnWorkBeyondTheTriangle) {
  const size_t triangle = EstimateRunMemory(Batch(20000, 1, true)).rowTriangle;
  EXPECT_NEAR(GB(ClusteringBytes(20000, false) - ClusteringBytes(20000, true)), GB(triangle), 0.01);
  EXPECT_LT(ClusteringBytes(20000, true), size_t{4} << 20);  // O(n) arrays only
  EXPECT_NEAR(GB(LeafOrderBytes(20000, false) - LeafOrderBytes(20000, true)), GB(triangle), 0.01);
  EXPECT_NO_THROW(RefuseStepTooLarge(ClusteringBytes(20000, true), 20000));
  try {
    RefuseStepTooLarge(SIZE_MAX / 2, 70000);
    ADD_FAILURE() << "a step larger than any machine was let through";
  } catch (const CError& error) {
    EXPECT_EQ(error.ExitStatus(), 2);
    EXPECT_EQ(error.Warning().rows, 70000);
  }
}
