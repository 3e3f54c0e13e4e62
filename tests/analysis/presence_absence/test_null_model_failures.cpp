// Failure messages at the exact point they arise, and aborts at a given poll.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/presence_absence/PaTestSupport.h"

using namespace pa_test;

namespace {

using Messages = std::vector<std::string>;

}  // namespace

// Row 1 needs 2 sites but only site 1 has weight: its second occurrence hits the occupied
// cell on every attempt and the fill gives up on the 199,999th.
TEST(NullModelFailures, WeightedFillGivesUpAfter199999Attempts) {
  const Matrix O = MakeMatrix({"110", "001"});
  Engine e;
  e.Begin(O, Options(kFixed, kUser), {1, 0, 0});
  RandSeed = 2;
  e.Next(O);
  EXPECT_TRUE(e.sims.Interrupted());
  EXPECT_EQ(e.rec.messages, Messages{kUnableToSatisfy});
  EXPECT_EQ(e.rec.polls, 1 + 199999);
  EXPECT_EQ(DrawsSince(2), 1 + 199999);
}

TEST(NullModelFailures, NumberLineErrors) {
  const Matrix empty = MakeMatrix({"000", "000"});
  struct Case {
    Constraint rows, columns;
    Messages expected;
  };
  const Case cases[] = {
      {kFixed, kProp, {kColumnLineError, kUnableToSatisfy}},
      {kProp, kFixed, {kRowLineError, kUnableToSatisfy}},
      {kProp, kProp, {kRowLineError, kColumnLineError, kUnableToSatisfy}},
      {kEq, kUser, {kUnableToSatisfy}},  // user weights summing to 0
      {kUser, kUser, {kUnableToSatisfy}},  // checked together, shown once
  };
  for (const Case& k : cases) {
    Engine e;
    e.Begin(empty, Options(k.rows, k.columns), {0, 0, 0}, {0, 0});
    RandSeed = 2;
    e.Next(empty);
    EXPECT_EQ(e.rec.messages, k.expected);
    EXPECT_TRUE(e.sims.Interrupted());
    EXPECT_EQ(DrawsSince(2), 0);
  }
}

TEST(NullModelFailures, KnightsTourGivesUpAfterItsStepLimit) {
  Matrix O = MakeMatrix({"10", "01"});
  O[0][0] = 3;  // a grand total that the row and column totals cannot reach
  NullModelOptions o = Options(kFixed, kFixed, FixedFixedAlgorithm::KnightsTour);
  o.KnightsTourStepLimit = 5000;
  Engine e;
  e.Begin(O, o);
  RandSeed = 2;
  e.Next(O);
  EXPECT_TRUE(e.sims.Interrupted());
  EXPECT_EQ(e.rec.messages, Messages{kUnableToSatisfy});
  EXPECT_EQ(e.sims.KnightsTourSteps(), 5000);
}

// Stopping at the k-th poll: the generator returns at once, so the draws made are exactly
// those before that poll.
TEST(NullModelFailures, AbortAtAGivenPollStopsAtOnce) {
  const Matrix O = RandomMatrix(10, 12, 0.4, 3);
  struct Case {
    const char* name;
    NullModelOptions options;
    int64_t abortAt;
    int64_t drawsBefore;  // draws made before that poll
  };
  const Case cases[] = {
      // One real per attempt.
      {"FillRowsBySiteWeights", Options(kFixed, kProp), 17, 16},
      // A row and a real per attempt.
      {"FillRandomRowsWeightedSites", Options(kEq, kUser), 9, 16},
      // Two reals per attempt.
      {"FillWeightedRowsWeightedSites", Options(kProp, kProp), 5, 8},
      // Four draws per swap attempt, during the burn-in.
      {"SequentialSwap", Options(kFixed, kFixed, FixedFixedAlgorithm::SequentialSwap), 40, 156},
      {"IndependentSwap", Options(kFixed, kFixed, FixedFixedAlgorithm::IndependentSwap), 3, 8},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Engine e;
    e.Begin(O, k.options, std::vector<double>(12, 1.0), std::vector<double>(10, 1.0));
    e.rec.abortAtPoll = k.abortAt;
    RandSeed = 6;
    e.sims.ConstrainedRandomMatrix(O, e.S);
    EXPECT_TRUE(e.sims.Interrupted());
    EXPECT_EQ(e.rec.polls, k.abortAt);
    EXPECT_EQ(DrawsSince(6), k.drawsBefore);
    EXPECT_TRUE(e.rec.messages.empty());
  }
  // The knight's tour polls after each cell it places: it stops with exactly k cells placed.
  Engine kt;
  kt.Begin(O, Options(kFixed, kFixed, FixedFixedAlgorithm::KnightsTour));
  kt.rec.abortAtPoll = 7;
  RandSeed = 6;
  kt.sims.ConstrainedRandomMatrix(O, kt.S);
  EXPECT_TRUE(kt.sims.Interrupted());
  EXPECT_EQ(kt.S[0][0], 7);
  EXPECT_EQ(kt.rec.closes, 1);
}
