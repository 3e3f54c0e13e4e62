// The size-overlap null model and metrics alone: the scales, segments and metrics by hand,
// the generators' draw order walked with a generator written out here, the laws of the draws
// over many values, the histogram draw without replacement, and the bounded redraws.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/size_overlap/NumberLineSort.h"
#include "analysis/size_overlap/SizeOverlapSims.h"
#include "classlib/Random.h"

namespace {

using Line = std::vector<double>;

// The program's generator written out: seed := seed * 134775813 + 1, a real is seed / 2^32.
struct HandGenerator {
  uint32_t seed;
  double Real() {
    seed = seed * 134775813u + 1u;
    return seed / 4294967296.0;
  }
  // Polar method; counts the pairs it throws away.
  double Normal(double mean, double sd, int& rejected) {
    for (;;) {
      const double u1 = 2 * Real() - 1, u2 = 2 * Real() - 1, s = u1 * u1 + u2 * u2;
      if (s < 1 && s > 0) return mean + sd * u1 * std::sqrt(-2 * std::log(s) / s);
      ++rejected;
    }
  }
};

struct Sims {
  SizeOverlapSims sims;
  std::vector<std::string> messages;
  int polls = 0;
  bool abortAtPoll = false;
  explicit Sims(const SizeOverlapOptions& o) {
    sims.Begin(
        o,
        [this] {
          ++polls;
          return abortAtPoll;
        },
        [this](const std::string& m) { messages.push_back(m); });
  }
  bool Draw(const Line& source, Line& target) { return sims.RandomizeNumberLine(source, target); }
};

SizeOverlapOptions Options(SizeDistribution d, bool user = false, bool integer = false) {
  SizeOverlapOptions o;
  o.Distribution = d;
  o.UserDefined = user;
  o.IntegerSizes = integer;
  return o;
}

TEST(SizeOverlapScales, LogScaleAndBackAreExact) {
  const Line sizes{1, 10, 100, 0.5, 0.25, 0.001, 3.7};
  Line log, back;
  DistributionTransform(SizeDistribution::LogUniform, sizes, log);
  EXPECT_EQ(log[0], 0.0);
  EXPECT_EQ(log[1], 1.0);
  EXPECT_EQ(log[2], 2.0);
  EXPECT_EQ(log[3], std::log10(0.5));
  DistributionBackTransform(SizeDistribution::LogNormal, log, back);
  // Powers of ten come back exactly, other sizes to the last bit or so.
  for (size_t i = 0; i < sizes.size(); ++i) {
    if (i < 3) {
      EXPECT_EQ(back[i], sizes[i]);
    }
    EXPECT_DOUBLE_EQ(back[i], sizes[i]) << i;
  }
  // The other laws and "None" leave sizes as they are; a value that is no size maps to 0.
  for (SizeDistribution d : {SizeDistribution::Uniform, SizeDistribution::Normal, SizeDistribution::Histogram}) {
    DistributionTransform(d, sizes, log);
    EXPECT_EQ(log, sizes);
    DistributionBackTransform(d, sizes, back);
    EXPECT_EQ(back, sizes);
  }
  TransformNumberLine(false, sizes, log);
  EXPECT_EQ(log, sizes);
  TransformNumberLine(true, Line{100, 0, -5}, log);
  EXPECT_EQ(log, (Line{2, 0, 0}));
}

TEST(SizeOverlapMetric, SegmentsAndTheirMetrics) {
  Line segments;
  CalculateSegments(Line{2, 3, 7}, segments);
  EXPECT_EQ(segments, (Line{1, 4}));
  EXPECT_EQ(SegmentMetric(SizeMetric::MinimumSegment, segments), 1.0);
  EXPECT_EQ(SegmentMetric(SizeMetric::SegmentVariance, segments), 4.5);
  // Two equal sizes touch; a single segment has no variance.
  CalculateSegments(Line{4, 4, 9}, segments);
  EXPECT_EQ(SegmentMetric(SizeMetric::MinimumSegment, segments), 0.0);
  CalculateSegments(Line{4, 9}, segments);
  EXPECT_EQ(segments, (Line{5}));
  EXPECT_EQ(SegmentMetric(SizeMetric::SegmentVariance, segments), 0.0);
  EXPECT_EQ(SegmentMetric(SizeMetric::MinimumSegment, segments), 5.0);
}

// Uniform with data-defined limits on 2, 3, 7: the observed extremes first, then one draw.
TEST(SizeOverlapDraws, DataDefinedUniformWalkedByHand) {
  Sims s(Options(SizeDistribution::Uniform));
  HandGenerator hand{4242};
  RandSeed = 4242;
  Line target;
  ASSERT_TRUE(s.Draw(Line{2, 3, 7}, target));
  const double u = hand.Real();
  EXPECT_EQ(target, (Line{2, 7, 2 + u * 5}));
  EXPECT_EQ(RandSeed, hand.seed);
  EXPECT_EQ(s.sims.Parameters().Minimum, 2.0);
  EXPECT_EQ(s.sims.Parameters().Maximum, 7.0);
  // Whole sizes: m + Trunc((M - m + 1) u).
  Sims w(Options(SizeDistribution::Uniform, false, true));
  ASSERT_TRUE(w.Draw(Line{2, 3, 7}, target));
  EXPECT_EQ(target, (Line{2, 7, 2 + std::trunc(6 * hand.Real())}));
  // Two sizes: both ends, nothing drawn.
  const uint32_t before = RandSeed;
  ASSERT_TRUE(s.Draw(Line{4, 9}, target));
  EXPECT_EQ(target, (Line{4, 9}));
  EXPECT_EQ(RandSeed, before);
}

// The first three deviates of seed 6 include a pair thrown away (outside the unit circle).
TEST(SizeOverlapDraws, NormalDeviatesWalkedByHand) {
  SizeOverlapOptions o = Options(SizeDistribution::LogNormal, true);
  o.Mean = 0;
  o.SD = 1;
  Sims s(o);
  HandGenerator hand{6};
  int rejected = 0;
  Line expected;
  for (int k = 0; k < 3; ++k) expected.push_back(hand.Normal(0, 1, rejected));
  ASSERT_GE(rejected, 1);
  RandSeed = 6;
  Line target;
  ASSERT_TRUE(s.Draw(Line{1, 2, 3}, target));
  for (int k = 0; k < 3; ++k) EXPECT_DOUBLE_EQ(target[k], expected[k]) << k;
  EXPECT_EQ(RandSeed, hand.seed);

  // Data-defined normal: mean and sample SD of the sizes; values not above 0 are drawn again.
  Sims d(Options(SizeDistribution::Normal));
  RandSeed = 6;
  hand.seed = 6;
  ASSERT_TRUE(d.Draw(Line{1, 2, 3}, target));
  for (double& v : expected) {
    do v = hand.Normal(2, 1, rejected);
    while (!(v > 0));
  }
  for (int k = 0; k < 3; ++k) EXPECT_DOUBLE_EQ(target[k], expected[k]) << k;
  EXPECT_EQ(d.sims.Parameters().Mean, 2.0);
  EXPECT_EQ(d.sims.Parameters().SD, 1.0);
}

// Whole normal sizes are Round(N(mean, SD)) drawn again until above 0: centred on the mean
// itself, never below 1.
TEST(SizeOverlapDraws, IntegerNormalSizesCentreOnTheMean) {
  SizeOverlapOptions o = Options(SizeDistribution::Normal, true, true);
  o.Mean = 5;
  o.SD = 1;
  Sims s(o);
  RandSeed = 99;
  Line target(20000), source(20000, 1.0);
  ASSERT_TRUE(s.Draw(source, target));
  double sum = 0;
  for (double v : target) {
    ASSERT_GE(v, 1.0);
    ASSERT_EQ(v, std::round(v));
    sum += v;
  }
  EXPECT_NEAR(sum / 20000, 5.0, 4 * std::sqrt(1.0 / 20000 + 1.0 / 12 / 20000));
}

double MeanOf(const Line& v) {
  double s = 0;
  for (double x : v) s += x;
  return s / v.size();
}
double VarianceOf(const Line& v) {
  const double m = MeanOf(v);
  double s = 0;
  for (double x : v) s += (x - m) * (x - m);
  return s / (v.size() - 1);
}

// 20,000 draws against the laws, within four standard errors.
TEST(SizeOverlapDraws, UniformAndNormalLawsOverManyDraws) {
  constexpr double N = 20000;
  Line source(20000, 1.0), target;
  SizeOverlapOptions u = Options(SizeDistribution::Uniform, true);
  u.Minimum = 2;
  u.Maximum = 10;
  Sims su(u);
  RandSeed = 123;
  ASSERT_TRUE(su.Draw(source, target));
  // Width w: variance w^2 / 12, fourth central moment w^4 / 80.
  const double w = 8, var = w * w / 12, mu4 = w * w * w * w / 80;
  EXPECT_NEAR(MeanOf(target), 6.0, 4 * std::sqrt(var / N));
  EXPECT_NEAR(VarianceOf(target), var, 4 * std::sqrt((mu4 - var * var) / N));
  for (double v : target) ASSERT_TRUE(v >= 2 && v < 10);

  SizeOverlapOptions n = Options(SizeDistribution::LogNormal, true);
  n.Mean = 0;
  n.SD = 1;
  Sims sn(n);
  ASSERT_TRUE(sn.Draw(source, target));
  EXPECT_NEAR(MeanOf(target), 0.0, 4 * std::sqrt(1 / N));
  EXPECT_NEAR(VarianceOf(target), 1.0, 4 * std::sqrt(2 / N));
}

SizeOverlapOptions Histogram(const Line& sizes, const Line& weights) {
  SizeOverlapOptions o = Options(SizeDistribution::Histogram);
  o.HistogramSizes = sizes;
  o.HistogramWeights = weights;
  return o;
}

// Rows are drawn in proportion to their colonization weights; rows without a size or a weight
// never are.
TEST(SizeOverlapHistogram, RowsInProportionToTheirWeights) {
  Sims s(Histogram({10, 20, 30, 40, 50, 0}, {1, 2, 3, 4, 0, 5}));
  RandSeed = 77;
  std::map<double, int> counts;
  Line target;
  constexpr int N = 20000;
  for (int i = 0; i < N; ++i) {
    ASSERT_TRUE(s.Draw(Line{1}, target));
    ++counts[target[0]];
  }
  EXPECT_EQ(counts.size(), 4u);
  for (int k = 1; k <= 4; ++k) {
    const double p = k / 10.0;
    EXPECT_NEAR(counts[10.0 * k] / double(N), p, 4 * std::sqrt(p * (1 - p) / N)) << k;
  }
  EXPECT_EQ(CountDrawableRows({10, 20, 30, 40, 50, 0}, {1, 2, 3, 4, 0, 5}), 4);
}

// A line takes distinct rows: as many rows as sizes give every row once.
TEST(SizeOverlapHistogram, DrawnWithoutReplacement) {
  Sims s(Histogram({1, 2, 3, 4}, {1, 1, 1, 1}));
  RandSeed = 5;
  Line target;
  for (int i = 0; i < 50; ++i) {
    ASSERT_TRUE(s.Draw(Line{0, 0, 0, 0}, target));
    std::sort(target.begin(), target.end());
    EXPECT_EQ(target, (Line{1, 2, 3, 4}));
  }
  EXPECT_GT(s.polls, 200);  // messages run before every draw
}

TEST(SizeOverlapHistogram, TooFewRowsOrNoWeight) {
  Line target;
  // Five drawable rows for six sizes.
  Sims few(Histogram({1, 2, 3, 4, 5, 6}, {1, 1, 1, 1, 1, 0}));
  EXPECT_FALSE(few.Draw(Line(6, 1.0), target));
  EXPECT_EQ(few.messages, std::vector<std::string>{kRestraintsMessage});
  // No weight at all: the run stops without a message.
  Sims none(Histogram({1, 2, 3}, {0, 0, 0}));
  EXPECT_FALSE(none.Draw(Line(2, 1.0), target));
  EXPECT_TRUE(none.messages.empty());
  // An abort during the draw.
  Sims aborted(Histogram({1, 2, 3}, {1, 1, 1}));
  aborted.abortAtPoll = true;
  EXPECT_FALSE(aborted.Draw(Line(2, 1.0), target));
  EXPECT_TRUE(aborted.messages.empty());
}

// Redraws are bounded and honour an abort; whole sizes are never below 1.
TEST(SizeOverlapDraws, RedrawsAreBounded) {
  Line target;
  SizeOverlapOptions far = Options(SizeDistribution::Normal, true);
  far.Mean = -1000;
  far.SD = 1;
  Sims s(far);
  EXPECT_FALSE(s.Draw(Line(3, 1.0), target));
  EXPECT_EQ(s.messages, std::vector<std::string>{kRestraintsMessage});
  EXPECT_EQ(s.polls, kMaxRedraws - 1);
  Sims aborted(far);
  aborted.abortAtPoll = true;
  EXPECT_FALSE(aborted.Draw(Line(3, 1.0), target));
  EXPECT_TRUE(aborted.messages.empty());
  EXPECT_EQ(aborted.polls, 1);

  // User-defined whole sizes between 0.3 and 0.4 round to 0: no size can be drawn.
  SizeOverlapOptions small = Options(SizeDistribution::Uniform, true, true);
  small.Minimum = 0.3;
  small.Maximum = 0.4;
  Sims tiny(small);
  EXPECT_FALSE(tiny.Draw(Line(2, 1.0), target));
  EXPECT_EQ(tiny.messages, std::vector<std::string>{kRestraintsMessage});
  // Between 0.4 and 2.6: Round(0.4) = 0, width Round(2.2) = 2; the 0s are drawn again.
  small.Minimum = 0.4;
  small.Maximum = 2.6;
  Sims some(small);
  RandSeed = 3;
  ASSERT_TRUE(some.Draw(Line(2000, 1.0), target));
  std::map<double, int> seen;
  for (double v : target) ++seen[v];
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_GT(seen[1.0], 0);
  EXPECT_GT(seen[2.0], 0);
  EXPECT_EQ(some.sims.Parameters().Minimum, 0.0);
  EXPECT_EQ(some.sims.Parameters().Maximum, 2.6);
}

}  // namespace

namespace {
Line SortedByLibrary(Line v) {
  QuickSortReals(v, 0, static_cast<Integer>(v.size()) - 1);
  return v;
}
}  // namespace

// The number-line sort gives the library sort's order for lines of every shape, ties,
// crowded buckets and values that are not finite included.
TEST(SizeOverlapSort, GivesTheLibraryOrder) {
  uint32_t s = 3;
  auto next = [&] {
    s = s * 134775813u + 1u;
    return s / 4294967296.0;
  };
  std::vector<Line> lines = {{}, {2.5}, {3, 1}, {1, 1, 1, 1}, {-2, 5, 0, -7.5, 5, 3}, {1, NAN, -1, INFINITY, 0}};
  Line uniform, crowded, ties;
  for (int i = 0; i < 300; ++i) {
    uniform.push_back(1 + 99 * next());
    crowded.push_back(i % 50 == 0 ? 1e6 * next() : 1 + 1e-9 * next());
    ties.push_back(std::floor(next() * 7));
  }
  lines.insert(lines.end(), {uniform, crowded, ties});
  NumberLineSort sort;
  sort.Reserve(4);
  for (const Line& line : lines) {
    Line sorted = line;
    sort.Sort(sorted);
    const Line expected = SortedByLibrary(line);
    ASSERT_EQ(sorted.size(), expected.size());
    for (size_t i = 0; i < sorted.size(); ++i)
      EXPECT_TRUE(sorted[i] == expected[i] || (std::isnan(sorted[i]) && std::isnan(expected[i])))
          << "line of " << line.size() << " at " << i;
  }
}
