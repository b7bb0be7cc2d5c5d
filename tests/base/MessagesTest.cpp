// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ScriptedServices.h"
#include "base/Failure.h"
#include "base/Messages.h"

TEST(Messages, TextsAreExactIncludingBlanks) {
  EXPECT_EQ(MessageTexts(12, 0, 0).line1,
            "Division by zero! Please check the first options dialog box. ");
  EXPECT_EQ(
      MessageTexts(4, 0, 0).line2,
      "Verify the data file format (ASCII raw text file) and the first line of your file ...");
  EXPECT_EQ(MessageTexts(6, 0, 0).line2, "");
  EXPECT_EQ(MessageTexts(10, 0, 0).heading, "PLEASE VERIFY YOUR DATA !");
  EXPECT_EQ(MessageTexts(5, 0, 0).heading, "PLEASE VERIFY YOUR DATA FILE !");
}

TEST(Messages, NumbersFillTheirPlaces) {
  // A document open passes 0 rows, so code 1 always shows n = 1.
  EXPECT_EQ(MessageTexts(1, 0, 0).line2, "n = 1");
  EXPECT_EQ(MessageTexts(2, 0, 0).line2,
            "Quorvel is trying to create a matrix with 0 rows and 0 columns!");
  EXPECT_EQ(MessageTexts(2, 70000, 300).line2,
            "Quorvel is trying to create a matrix with 70000 rows and 300 columns!");
  // Code 14 uses the first number for the column and the second for the code.
  EXPECT_EQ(MessageTexts(14, 3, 2).line2, "The variable n\u00b03 start with code 2 !");
}

TEST(Messages, CodeNineSaysWhatHappenedAndWhy) {
  const CMessageTexts texts = MessageTexts(9, 0, 0, "Permission denied");
  EXPECT_FALSE(texts.heading.empty());
  EXPECT_EQ(texts.line1, "The input data file could not be opened!");
  EXPECT_EQ(texts.line2, "Permission denied");
}

TEST(Failure, EndingFailuresBecomeTheirExitStatusAfterTheirWarning) {
  for (int code : {2, 10, 11, 12, 13, 14}) {
    CScriptedServices services;
    const int status = RunReportingFailures(services, [&] { throw CError(code); });
    EXPECT_EQ(status, code);
    ASSERT_EQ(services.warnings.size(), 1u);
    EXPECT_EQ(services.warnings[0].code, code);
  }
}

TEST(Failure, ProgramExitShowsNothingMoreAndNormalEndIsZero) {
  CScriptedServices services;
  EXPECT_EQ(RunReportingFailures(services, [] { throw CProgramExit(1); }), 1);
  EXPECT_EQ(RunReportingFailures(services, [] {}), 0);
  EXPECT_TRUE(services.warnings.empty());
}

TEST(Failure, ExhaustedMemoryIsMessageTwo) {
  CScriptedServices services;
  EXPECT_EQ(RunReportingFailures(services, [] { throw std::bad_alloc(); }), 2);
  ASSERT_EQ(services.warnings.size(), 1u);
  EXPECT_EQ(services.warnings[0].line1, "Insufficient memory. Dataset too large!");
}
