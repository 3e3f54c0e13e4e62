#include <gtest/gtest.h>

#include <cmath>

#include "classlib/Random.h"

TEST(RandomSource, SeedOneGivesTheReferenceStates) {
  RandSeed = 1;
  Random(1);
  EXPECT_EQ(RandSeed, 134775814u);
  Random(1);
  EXPECT_EQ(RandSeed, 3698175007u);
  Random(1);
  EXPECT_EQ(RandSeed, 870078620u);
}

TEST(RandomSource, SeedOneGivesTheReferenceDraws) {
  RandSeed = 1;
  const int expected[] = {0, 8, 2, 2, 6, 3, 1, 3, 4, 0};
  for (int e : expected) EXPECT_EQ(Random(10), e);
}

TEST(RandomSource, RealIsSeedOverTwoToThe32) {
  RandSeed = 1;
  EXPECT_DOUBLE_EQ(RandomReal(), 134775814.0 / 4294967296.0);
}

TEST(RandomSource, RandomZeroAndRangeNeverReturnTheUpperBound) {
  RandSeed = 7;
  EXPECT_EQ(Random(0), 0);
  for (int i = 0; i < 1000; ++i) {
    int v = RandomRange(5, 2);
    EXPECT_GE(v, 2);
    EXPECT_LT(v, 5);
  }
}

TEST(RandomSource, RandomizeTakesTheLow32BitsOfTheCounter) {
  SetRandomizeCounter([] { return uint64_t{0x123456789ABCDEF0}; });
  Randomize();
  EXPECT_EQ(RandSeed, 0x9ABCDEF0u);
  SetRandomizeCounter(nullptr);
}

TEST(RandomSource, NormalDeviatesHaveTheRequestedMoments) {
  RandSeed = 12345;
  double sum = 0, sq = 0;
  const int n = 20000;
  for (int i = 0; i < n; ++i) {
    double x = RandG(10.0, 2.0);
    sum += x;
    sq += x * x;
  }
  double mean = sum / n;
  EXPECT_NEAR(mean, 10.0, 0.1);
  EXPECT_NEAR(std::sqrt(sq / n - mean * mean), 2.0, 0.1);
}
