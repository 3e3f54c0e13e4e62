// The species-diversity core alone: the four indices against hand-worked values, the draws of
// individuals against a plain walk over the rows with the program's generator, the sample
// draws, the default and user levels, and the curve statistics and file text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>

#include "analysis/species_diversity/SpeciesDiversityCurve.h"
#include "analysis/species_diversity/SpeciesDiversityDraws.h"
#include "analysis/species_diversity/SpeciesDiversityIndices.h"
#include "analysis/species_diversity/SpeciesDiversityLevels.h"
#include "classlib/Exceptions.h"
#include "classlib/Random.h"

namespace {

using Counts = std::vector<int32_t>;

// One draw as the rows are walked: u in [1, T], the first species whose running sum reaches u.
int32_t WalkDraw(Counts& pool) {
  const int32_t T = std::accumulate(pool.begin(), pool.end(), 0);
  const int32_t u = 1 + Random(T);
  int32_t sum = 0;
  for (size_t s = 0; s < pool.size(); ++s) {
    sum += pool[s];
    if (sum >= u) {
      --pool[s];
      return static_cast<int32_t>(s);
    }
  }
  ADD_FAILURE() << "walk ran past the last species";
  return -1;
}

Counts Pseudo(size_t S, uint32_t seed, int32_t maxCount, bool zeros) {
  Counts c(S);
  uint64_t x = seed;
  for (size_t s = 0; s < S; ++s) {
    x = x * 6364136223846793005ull + 1442695040888963407ull;
    c[s] = static_cast<int32_t>((x >> 33) % static_cast<uint64_t>(maxCount + 1));
    if (!zeros && c[s] == 0) c[s] = 1;
  }
  return c;
}

TEST(DiversityIndices, CountsFiveThreeTwo) {
  const Counts c{5, 3, 2};
  EXPECT_EQ(SpeciesRichness(c), 3);
  EXPECT_DOUBLE_EQ(Dominance(c, 10), 0.5);
  EXPECT_NEAR(HurlbertsPIE(c, 10), 31.0 / 45.0, 1e-15);
  EXPECT_NEAR(ShannonIndex(c, 10), -(0.5 * std::log(0.5) + 0.3 * std::log(0.3) + 0.2 * std::log(0.2)), 1e-15);
  EXPECT_NEAR(ShannonIndex(c, 10), 1.029653, 1e-6);
  // The table of functions follows the options' list order.
  EXPECT_EQ(DiversityIndex(DiversityIndexKind::Richness, c, 10), 3.0);
  EXPECT_EQ(DiversityIndex(DiversityIndexKind::HurlbertsPIE, c, 10), HurlbertsPIE(c, 10));
  EXPECT_EQ(DiversityIndex(DiversityIndexKind::Dominance, c, 10), 0.5);
  EXPECT_EQ(DiversityIndex(DiversityIndexKind::Shannon, c, 10), ShannonIndex(c, 10));
}

TEST(DiversityIndices, EdgesOfTheCounts) {
  // One individual: PIE 0 (not a division by zero), dominance 1, Shannon 0.
  const Counts one{0, 1, 0};
  EXPECT_EQ(HurlbertsPIE(one, 1), 0.0);
  EXPECT_EQ(Dominance(one, 1), 1.0);
  EXPECT_EQ(ShannonIndex(one, 1), 0.0);
  EXPECT_EQ(SpeciesRichness(one), 1);
  // Nothing above 0: dominance 0; zero counts add nothing to Shannon.
  EXPECT_EQ(Dominance(Counts{0, 0}, 3), 0.0);
  EXPECT_NEAR(ShannonIndex(Counts{0, 2, 0, 2}, 4), std::log(2.0), 1e-15);
  // Two individuals of two species: PIE = 2 / 1 * (1 - 1/2) = 1.
  EXPECT_DOUBLE_EQ(HurlbertsPIE(Counts{1, 1}, 2), 1.0);
}

// The tree finds the species the walk over the rows finds, draw after draw, zero counts
// included, and the pool's counts stay those of the walk.
TEST(DiversityDraws, EveryDrawIsTheWalksDraw) {
  for (size_t S : {1u, 2u, 7u, 64u, 200u, 333u}) {
    SCOPED_TRACE(S);
    Counts counts = Pseudo(S, static_cast<uint32_t>(S) * 17u, 9, true);
    counts[0] += 1;  // at least one individual
    IndividualPool pool;
    pool.Assign(counts);
    Counts walk = counts;
    const int32_t N = pool.Total();
    ASSERT_EQ(N, std::accumulate(counts.begin(), counts.end(), 0));
    for (int32_t i = 0; i < N; ++i) {
      RandSeed = 1000u + static_cast<uint32_t>(i);
      const int32_t expected = WalkDraw(walk);
      RandSeed = 1000u + static_cast<uint32_t>(i);
      ASSERT_EQ(pool.DrawOne(), expected) << "draw " << i;
    }
    EXPECT_EQ(pool.Total(), 0);
    for (size_t s = 0; s < S; ++s) EXPECT_EQ(pool.Count(static_cast<int32_t>(s)), 0);
  }
}

TEST(DiversityDraws, RarefactionLeavesThePoolAndTakesTheWholeSampleAtN) {
  const Counts counts{5, 0, 3, 2};
  IndividualPool pool, work;
  pool.Assign(counts);
  Counts tally(4, 0);
  RandSeed = 99;
  RarefactionDraw(pool, 10, work, tally);
  EXPECT_EQ(tally, counts);
  EXPECT_EQ(pool.Total(), 10);
  for (int32_t s = 0; s < 4; ++s) EXPECT_EQ(pool.Count(s), counts[static_cast<size_t>(s)]);
  // Level 1: one individual of a species that has some.
  for (uint32_t seed = 1; seed < 40; ++seed) {
    Counts one(4, 0);
    RandSeed = seed;
    RarefactionDraw(pool, 1, work, one);
    EXPECT_EQ(std::accumulate(one.begin(), one.end(), 0), 1);
    EXPECT_EQ(one[1], 0);
  }
  // More than the pool holds is refused, not walked past the last species.
  EXPECT_THROW(RarefactionDraw(pool, 11, work, tally), ERangeError);
}

// Accumulation extends one subsample: richness never falls from one level to the next, and
// after N draws the tally is the sample.
TEST(DiversityDraws, AccumulationGrowsToTheWholeSample) {
  const Counts counts = Pseudo(30, 5, 6, true);
  const int32_t N = std::accumulate(counts.begin(), counts.end(), 0);
  const std::vector<int32_t> levels = DefaultAbundanceLevels(N, 20);
  IndividualPool base, pool;
  base.Assign(counts);
  RandSeed = 3;
  for (int iteration = 0; iteration < 50; ++iteration) {
    pool.CopyFrom(base);
    Counts tally(counts.size(), 0);
    int32_t drawn = 0, richness = 0;
    for (int32_t level : levels) {
      AccumulationDraw(pool, level - drawn, tally);
      drawn = level;
      ASSERT_EQ(std::accumulate(tally.begin(), tally.end(), 0), level);
      const int32_t r = SpeciesRichness(tally);
      ASSERT_GE(r, richness) << "level " << level;
      richness = r;
    }
    AccumulationDraw(pool, N - drawn, tally);
    EXPECT_EQ(tally, counts);
  }
  Counts tally(counts.size(), 0);
  EXPECT_THROW(AccumulationDraw(pool, 1, tally), ERangeError);
}

// The poll is asked before the first draw and then every kDrawsPerPoll draws; asking takes no
// step of the random source, so a subsample with a poll is the one without it. A poll that
// says stop ends the draw there.
TEST(DiversityDraws, IndividualDrawsPollOnTheWayAndStopWhenTold) {
  const Counts counts{3000, 1, 2500, 700};
  const int32_t k = 5000;
  IndividualPool pool, work;
  pool.Assign(counts);
  Counts plain(4, 0);
  RandSeed = 21;
  RarefactionDraw(pool, k, work, plain);
  const Cardinal after = RandSeed;

  int polls = 0;
  Counts polled(4, 0);
  RandSeed = 21;
  EXPECT_TRUE(RarefactionDraw(pool, k, work, polled, [&] { return ++polls > 99; }));
  EXPECT_EQ(polled, plain);
  EXPECT_EQ(RandSeed, after);
  EXPECT_EQ(polls, (k + kDrawsPerPoll - 1) / kDrawsPerPoll);

  for (bool accumulation : {false, true}) {
    SCOPED_TRACE(accumulation);
    polls = 0;
    Counts part(4, 0);
    auto stopAtThird = [&] { return ++polls == 3; };
    IndividualPool own;
    own.Assign(counts);
    const bool done = accumulation ? AccumulationDraw(own, k, part, stopAtThird)
                                   : RarefactionDraw(pool, k, work, part, stopAtThird);
    EXPECT_FALSE(done);
    EXPECT_EQ(polls, 3);
    EXPECT_EQ(std::accumulate(part.begin(), part.end(), 0), 2 * kDrawsPerPoll);
  }
}

TEST(DiversityDraws, SampleDraws) {
  // Three samples of two species: [sample][species].
  Matrix samples(3, 2);
  samples[0][0] = 1;
  samples[1][0] = 10;
  samples[1][1] = 2;
  samples[2][1] = 100;
  std::vector<uint8_t> picked(3);
  // Without replacement, level 3 is every sample once, whatever the seed.
  for (uint32_t seed = 1; seed < 20; ++seed) {
    Counts tally(2, 0);
    RandSeed = seed;
    ASSERT_TRUE(SampleRarefactionDraw(samples, 3, picked, tally));
    EXPECT_EQ(tally, (Counts{11, 102}));
  }
  // With replacement: each draw adds the sample Random(M) names, repeats counting twice.
  bool repeated = false;
  for (uint32_t seed = 1; seed < 40; ++seed) {
    RandSeed = seed;
    Counts expected(2, 0);
    int seen[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
      const int32_t j = Random(3);
      ++seen[j];
      expected[0] += samples[j][0];
      expected[1] += samples[j][1];
    }
    repeated = repeated || *std::max_element(seen, seen + 3) > 1;
    Counts tally(2, 0);
    RandSeed = seed;
    SampleAccumulationDraw(samples, 3, tally);
    EXPECT_EQ(tally, expected);
  }
  EXPECT_TRUE(repeated);
  // A pick that cannot find an unpicked sample gives up after its allowance plus one draw and
  // adds nothing.
  Counts tally(2, 0);
  RandSeed = 5;
  EXPECT_FALSE(SampleRarefactionDraw(samples, 4, picked, tally));
  EXPECT_EQ(tally, (Counts{0, 0}));
  uint32_t replay = 5;
  int found = 0;
  bool flags[3] = {false, false, false};
  // Replays the draws: three successful picks, then kPickedDrawsAllowed picked ones and one more.
  auto step = [&replay] {
    replay = replay * 134775813u + 1u;
    return static_cast<int32_t>((3ull * replay) >> 32);
  };
  while (found < 3) {
    const int32_t j = step();
    if (!flags[j]) {
      flags[j] = true;
      ++found;
    }
  }
  for (int k = 0; k < kPickedDrawsAllowed + 1; ++k) step();
  EXPECT_EQ(RandSeed, replay);
}

TEST(DiversityLevels, DefaultLevels) {
  std::vector<int32_t> odd;
  for (int32_t v = 1; v <= 99; v += 2) odd.push_back(v);
  EXPECT_EQ(DefaultAbundanceLevels(100, 50), odd);
  EXPECT_EQ(DefaultAbundanceLevels(10, 4), (std::vector<int32_t>{1, 4, 6, 8}));
  // Three singletons: the fourth level would reach N and is left out; the repeat stays.
  EXPECT_EQ(DefaultAbundanceLevels(3, 4), (std::vector<int32_t>{1, 2, 2}));
  EXPECT_TRUE(DefaultAbundanceLevels(5, 0).empty());
  // Samples: step (M + 1) / L; a level may equal the number of samples.
  EXPECT_EQ(DefaultSampleLevels(10, 4), (std::vector<int32_t>{1, 4, 6, 9}));
  EXPECT_EQ(DefaultSampleLevels(4, 2), (std::vector<int32_t>{1, 4}));
  EXPECT_TRUE(DefaultSampleLevels(1, 0).empty());
  for (int32_t M = 2; M <= 100; ++M) {
    const std::vector<int32_t> levels = DefaultSampleLevels(M, static_cast<int32_t>(std::lround(M * 0.4)));
    for (int32_t level : levels) EXPECT_LE(level, M) << M;
  }
}

TEST(DiversityLevels, UserLines) {
  EXPECT_EQ(LevelsFromLines({"10", "2.7", "abc", "-3", "0", " 7 x"}), (std::vector<int32_t>{10, 2, 1, 1, 1, 7}));
  EXPECT_EQ(FirstLevelNotPositive({"5", "0", "20"}), 2);
  EXPECT_EQ(FirstLevelNotPositive({"5", "20"}), 0);
  EXPECT_EQ(FirstLevelNotPositive({"5", "x"}), 2);
}

TEST(DiversityCurve, StatisticsPositions) {
  struct Case {
    int I;
    double low, high;
  };
  // Values 0 .. I - 1 shuffled: the sorted value at a position is the position.
  for (const Case& c : {Case{1000, 24, 974}, Case{100, 2, 97}, Case{1, 0, 0}, Case{2, 0, 1}}) {
    SCOPED_TRACE(c.I);
    std::vector<double> v(static_cast<size_t>(c.I));
    for (int i = 0; i < c.I; ++i) v[static_cast<size_t>((i * 37) % c.I)] = i;
    if (c.I == 1000 || c.I == 100) {
      ASSERT_EQ(std::set<double>(v.begin(), v.end()).size(), v.size());
    }
    const TCurveStatistics s = CurveStatistics(v);
    EXPECT_EQ(s.Low, c.low);
    EXPECT_EQ(s.High, c.high);
    EXPECT_DOUBLE_EQ(s.Mean, (c.I - 1) / 2.0);
    EXPECT_DOUBLE_EQ(s.Median, (c.I - 1) / 2.0);
    if (c.I == 1) {
      EXPECT_EQ(s.Variance, 0.0);
    } else if (c.I == 2) {
      EXPECT_DOUBLE_EQ(s.Variance, 0.5);
    }
  }
}

TEST(DiversityCurve, FileText) {
  const std::vector<std::vector<std::string>> rows{{"Abundance", "A", ""}, {"10(Obs.)", "3.00000", "0.00000"}};
  EXPECT_EQ(CurveText(rows, false), "Abundance A\r\n10(Obs.) 3.00000 0.00000\r\n");
  EXPECT_EQ(CurveText(rows, true), "Abundance,A,,\r\n10(Obs.),3.00000,0.00000,\r\n");
}

}  // namespace
