// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "dissimilarity/MeasureRegistry.h"
#include "render/ColorScales.h"
#include "seriation/Seriation.h"
#include "settings/Choices.h"

// Each choice set is declared once in settings/ and its behaviour in the layer that owns it; a
// choice without its behaviour, or behaviour for a type the choice does not offer, would let the
// dialog offer a measure that computes nothing or hide one that works.

TEST(Registries, EveryMeasureComputesExactlyForTheDataTypesItIsOfferedFor) {
  for (const auto& choice : DissimilarityChoices()) {
    if (choice.code == EDissimilarity::kFromFiles) {
      EXPECT_EQ(FindMeasure(choice.code), nullptr) << "files are read, not computed";
      continue;
    }
    const CMeasureRow* row = FindMeasure(choice.code);
    ASSERT_NE(row, nullptr) << choice.caption;
    for (const EDataType type : {EDataType::kNumerical, EDataType::kBinary, EDataType::kNominal,
                                 EDataType::kContingency}) {
      EXPECT_EQ(row->For(type) != nullptr, choice.AppliesTo(type))
          << choice.caption << ", data type " << CodeOf(type);
    }
  }
  std::set<EDissimilarity> offered;
  for (const auto& choice : DissimilarityChoices())
    offered.insert(choice.code);
  for (const CMeasureRow& row : MeasureRows())
    EXPECT_TRUE(offered.count(row.code)) << CodeOf(row.code);
}

TEST(Registries, EverySeriationRuleHasItsMethodAndNoMethodLacksItsRule) {
  std::set<ESeriation> methods;
  for (const CSeriationMethodRow& row : SeriationMethods()) {
    EXPECT_TRUE(methods.insert(row.code).second) << "twice: " << CodeOf(row.code);
    EXPECT_NE(row.seriate, nullptr);
  }
  std::set<ESeriation> rules;
  for (const auto& choice : SeriationChoices())
    rules.insert(choice.code);
  EXPECT_EQ(methods, rules);
}

TEST(Registries, EveryColourScaleHasItsPainterRow) {
  std::set<EColorScale> painted;
  for (const CColorScaleRow& row : ColorScaleRows())
    painted.insert(row.code);
  std::set<EColorScale> offered;
  for (const auto& choice : ColorScaleChoices())
    offered.insert(choice.code);
  EXPECT_EQ(painted, offered);
  // An unknown stored code paints with the signed scale.
  EXPECT_EQ(FindColorScale(ChoiceOf<EColorScale>(99)).colorAt, nullptr);
}

TEST(Registries, DialogListsFollowTheDataTypesOfTheMeasures) {
  using enum EDissimilarity;
  EXPECT_EQ(DissimilaritiesOfDataType(EDataType::kNumerical),
            (std::vector<EDissimilarity>{kEuclidean, kPearson, kSquaredPearson, kManhattan,
                                         kChebyshev, kFromFiles}));
  EXPECT_EQ(DissimilaritiesOfDataType(EDataType::kBinary),
            (std::vector<EDissimilarity>{kEuclidean, kJaccard, kDice, kManhattan, kFromFiles}));
  EXPECT_EQ(DissimilaritiesOfDataType(EDataType::kNominal),
            (std::vector<EDissimilarity>{kHamming, kFromFiles}));
  EXPECT_EQ(DissimilaritiesOfDataType(EDataType::kContingency),
            (std::vector<EDissimilarity>{kChiSquare, kFromFiles}));
}
