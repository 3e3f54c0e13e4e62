#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/presence_absence/PaTestSupport.h"

using namespace pa_test;

namespace {

NullModelOptions Policy(DegeneratePolicy p, Constraint rows = kFixed, Constraint columns = kFixed) {
  return Options(rows, columns, FixedFixedAlgorithm::SequentialSwap, p);
}

bool NoEmptyLine(const Matrix& m) {
  for (int r = 1; r < m.Rows(); ++r)
    if (m[0][r] == 0) return false;
  for (int c = 1; c < m.Cols(); ++c)
    if (m[c][0] == 0) return false;
  return true;
}

}  // namespace

// Fixed sums on data with an empty species row: every simulated matrix is degenerate.
TEST(DegeneratePolicies, EmptySpeciesUnderFixedSums) {
  const Matrix O = MakeMatrix({"1100", "0110", "0000", "1011"});
  const Matrix original = O;

  Engine retain;
  retain.Begin(O, Policy(DegeneratePolicy::Retain));
  Engine split;
  split.Begin(O, Policy(DegeneratePolicy::Split));
  Engine fix;
  fix.Begin(O, Policy(DegeneratePolicy::Fix));
  RandSeed = 8;
  for (int i = 0; i < 50; ++i) {
    EXPECT_TRUE(retain.sims.IsDegenerate(retain.Next(O), retain.info));
    EXPECT_FALSE(retain.sims.DegenerateSample());
    split.Next(O);
    EXPECT_TRUE(split.sims.DegenerateSample());
    const Matrix& fixed = fix.Next(O);
    EXPECT_FALSE(fix.sims.DegenerateSample());
    EXPECT_TRUE(NoEmptyLine(fixed));
    EXPECT_EQ(fixed[0][0], O[0][0]);
    Matrix margins = fixed;
    CalculateMargins(margins, fix.info);
    EXPECT_EQ(fixed, margins);  // the fix keeps the totals current
  }
  EXPECT_EQ(O, original);
  EXPECT_EQ(fix.rec.captions.front(), "Zorvan is fixing...");

  // Discard gives up on the 3000th degenerate matrix in a row (cheap here: rows shuffled
  // within themselves keep the empty row).
  Engine discard;
  discard.Begin(O, Policy(DegeneratePolicy::Discard, kFixed, kEq));
  discard.Next(O);
  EXPECT_TRUE(discard.sims.Interrupted());
  EXPECT_EQ(discard.rec.messages, std::vector<std::string>{kDiscardedMatrices});
  EXPECT_EQ(discard.rec.polls, 3000);
  ASSERT_EQ(discard.rec.captions.size(), 3001u);
  EXPECT_EQ(discard.rec.captions[0], "Zorvan is discarding...");
  EXPECT_EQ(discard.rec.captions[1], "...0");
  EXPECT_EQ(discard.rec.captions.back(), "...2999");
}

TEST(DegenerateSplitAndDiscard, GoodMatricesPassFirstTime) {
  const Matrix O = MakeMatrix({"1100", "0110", "1011"});
  Engine discard;
  discard.Begin(O, Policy(DegeneratePolicy::Discard));
  Engine split;
  split.Begin(O, Policy(DegeneratePolicy::Split));
  RandSeed = 8;
  discard.Next(O);
  split.Next(O);
  EXPECT_EQ(discard.rec.captions, (std::vector<std::string>{"Zorvan is discarding...", "...0"}));
  EXPECT_FALSE(split.sims.DegenerateSample());
  EXPECT_FALSE(discard.sims.Interrupted());
}

// Discard stops at once when the poll before a draw reports an abort, without its message.
TEST(DegenerateSplitAndDiscard, DiscardAbortsBeforeADraw) {
  const Matrix O = MakeMatrix({"1100", "0000", "1011"});
  Engine e;
  e.Begin(O, Policy(DegeneratePolicy::Discard, kFixed, kEq));
  e.rec.abortAtPoll = 5;
  e.Next(O);
  EXPECT_TRUE(e.sims.Interrupted());
  EXPECT_TRUE(e.rec.messages.empty());
  EXPECT_EQ(e.rec.captions.back(), "...3");  // four matrices drawn
}

TEST(FixDegenerate, DonorIsTheLowestNumberedRowWithTheLargestTotal) {
  Matrix M = MakeMatrix({"11", "00", "11"});
  Engine e;
  e.Begin(M, Policy(DegeneratePolicy::Fix));
  RandSeed = 5;
  e.sims.FixDegenerate(M, e.info);
  EXPECT_EQ(M[0][1], 1);
  EXPECT_EQ(M[0][2], 1);
  EXPECT_EQ(M[0][3], 2);
  EXPECT_TRUE(NoEmptyLine(M));
  // One clean pass after the fixing one: the pass counter shows 1, 2, then 2, 3.
  EXPECT_EQ(e.rec.captions, (std::vector<std::string>{"Zorvan is fixing...", "...1", "...2", "...2", "...3"}));
}

// One species over two sites: fixing the empty site empties the other, for ever. The fix
// gives up when its pass counter reaches 3000.
TEST(FixDegenerate, GivesUpWhenNoPassComesOutClean) {
  Matrix M = MakeMatrix({"10"});
  Engine e;
  e.Begin(M, Policy(DegeneratePolicy::Fix));
  RandSeed = 5;
  e.sims.FixDegenerate(M, e.info);
  EXPECT_TRUE(e.sims.Interrupted());
  EXPECT_EQ(e.rec.messages, std::vector<std::string>{kDiscardedMatrices});
  EXPECT_EQ(e.rec.captions.back(), "...3000");
}

TEST(FixDegenerate, EmptyMatrixHasNoDonorAndFails) {
  Matrix M = MakeMatrix({"00", "00"});
  Engine e;
  e.Begin(M, Policy(DegeneratePolicy::Fix));
  RandSeed = 5;
  e.sims.FixDegenerate(M, e.info);
  EXPECT_TRUE(e.sims.Interrupted());
  EXPECT_EQ(e.rec.messages, std::vector<std::string>{kDiscardedMatrices});
  EXPECT_EQ(DrawsSince(5), 0);
}

// The fix polls before each pass, each row, each column and each donor draw; an abort at any
// of them stops it with the draws made before that poll.
TEST(FixDegenerate, AbortAtAGivenPoll) {
  const Matrix start = MakeMatrix({"110", "000", "111"});
  for (int64_t k = 1; k <= 12; ++k) {
    Matrix M = start;
    Engine e;
    e.Begin(M, Policy(DegeneratePolicy::Fix));
    e.rec.abortAtPoll = k;
    RandSeed = 5;
    e.sims.FixDegenerate(M, e.info);
    EXPECT_TRUE(e.sims.Interrupted()) << k;
    EXPECT_EQ(e.rec.polls, k);
    EXPECT_TRUE(e.rec.messages.empty());
  }
}
