// The ANOVA core: the pseudo-F against statistics worked by hand and against a plain
// reference, groups of labels compared exactly, and the reshuffle that keeps every group's
// size and never moves a value.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "analysis/anova/AnovaReference.h"
#include "analysis/anova/AnovaSims.h"
#include "classlib/Random.h"

namespace {

using anova_test::ReferenceF;

using Texts = std::vector<String>;

TEST(AnovaSims, StatisticsWorkedByHand) {
  struct Case {
    const char* name;
    Texts labels, values;
    double f;
  };
  const Case cases[] = {
      // Means 1.5 and 5.5, GA 3.5, SSB 16, SSW 1: (16 / 1) / (1 / 2).
      {"two groups", {"A", "A", "B", "B"}, {"1", "2", "5", "6"}, 32},
      // X {3,4,5}, Y {7,8}, Z {10}: SSB 97/3, SSW 2.5, (97/6) / (2.5/3) = 19.4.
      {"three groups of 3, 2, 1", {"X", "Y", "X", "Z", "Y", "X"}, {"3", "7", "4", "10", "8", "5"}, 19.4},
      {"every label different", {"A", "B", "C"}, {"1", "5", "9"}, 0},
      {"two rows", {"A", "B"}, {"1", "2"}, 0},
      {"one group with spread", {"A", "A", "A"}, {"1", "2", "9"}, 0},
      {"no spread within groups", {"A", "A", "B", "B"}, {"1", "1", "5", "5"}, 0},
      // Letter case counts: "a" is a group of its own, and each row belongs to its group.
      {"labels differing in case", {"A", "a", "A", "a"}, {"1", "5", "2", "6"}, 32},
      // Values read as the run reads cells: a leading number, else 0.
      {"texts", {"A", "A", "B", "B"}, {"1.0", "2abc", "5", "6e0"}, 32},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TAnovaSims sims;
    sims.Begin(k.labels, k.values);
    EXPECT_NEAR(sims.Statistic(), k.f, 1e-12);
  }
}

TEST(AnovaSims, GroupsInOrderOfTheirFirstRow) {
  TAnovaSims sims;
  sims.Begin({"B", "A", "b", "B", "A"}, {"1", "2", "3", "5", "4"});
  sims.Statistic();
  EXPECT_EQ(sims.GroupNames(), (Texts{"B", "A", "b"}));
  EXPECT_EQ(sims.Counts(), (std::vector<Integer>{2, 2, 1}));
  EXPECT_EQ(sims.Means(), (std::vector<double>{3, 3, 3}));
  EXPECT_EQ(sims.Variances(), (std::vector<double>{8, 2, 0}));  // one row: variance 0
  EXPECT_EQ(sims.GrandMean(), 3);
  EXPECT_EQ(sims.LabelOf(2), "b");
}

// Every reshuffle is a permutation of the labels: group sizes stay, the values stay, and the
// statistic is the reference statistic of the labels as they now stand.
TEST(AnovaSims, ReshuffleMovesLabelsOnly) {
  const Texts labels{"p", "q", "q", "r", "p", "p", "r", "q", "p"};
  const std::vector<double> values{1.5, 4, 2, 8, 3, 2.5, 9, 5, 1};
  Texts texts;
  for (double v : values) texts.push_back(std::to_string(v));
  TAnovaSims sims;
  sims.Begin(labels, texts);
  EXPECT_NEAR(sims.Statistic(), ReferenceF(labels, values), 1e-12);
  RandSeed = 5;
  bool changed = false;
  for (int i = 0; i < 20; ++i) {
    sims.ReShuffle();
    Texts now;
    for (Integer r = 0; r < sims.Rows(); ++r) now.push_back(sims.LabelOf(r));
    changed = changed || now != labels;
    EXPECT_NEAR(sims.Statistic(), ReferenceF(now, values), 1e-12);
    EXPECT_EQ(sims.Counts(), (std::vector<Integer>{4, 3, 2}));
    EXPECT_EQ(sims.Values(), values);
  }
  EXPECT_TRUE(changed);
}

}  // namespace
