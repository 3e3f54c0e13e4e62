// The shared statistics: tolerances of the variance and tail counts, the 12-bin histogram and
// its marker, median, circular mean, least squares and the reporting texts.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numeric>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/Exceptions.h"
#include "classlib/SysUtils.h"

namespace {

class Statistics : public ::testing::Test {
 protected:
  void SetUp() override { FormatSettings = TFormatSettings::Invariant(); }
  void TearDown() override { FormatSettings = TFormatSettings::Invariant(); }
};

// A list holding the given number texts.
struct TNumberList : TStringList {
  TNumberList(std::initializer_list<const char*> items) {
    for (auto s : items) Add(s);
  }
};

TEST_F(Statistics, AllSimulatedValuesEqualToTheObserved) {
  const std::vector<double> sim(100, 0.25);
  double mean, variance, p1, p2;
  Integer g, e, l;
  CalculateMeanVariance(100, sim, mean, variance);
  EXPECT_EQ(mean, 0.25);
  EXPECT_EQ(variance, 0.0);
  EXPECT_EQ(StandardizedEffectSize(0.25, mean, variance), 0.0);
  CalculateTailCounts(100, sim, 0.25, p1, p2, g, e, l);
  EXPECT_EQ(p1, 1.0);
  EXPECT_EQ(p2, 1.0);
  EXPECT_EQ(e, 100);
  String marker;
  BuildHistogram(100, sim, 0.25, marker);
  for (double edge : Intervals) EXPECT_EQ(edge, 0.25);
  EXPECT_EQ(Frequencies[11], 100);
  EXPECT_EQ(std::accumulate(Frequencies.begin(), Frequencies.end(), 0), 100);
  EXPECT_EQ(marker, "\r\n");  // position 1
}

TEST_F(Statistics, VarianceTolerancesDifferByRoutine) {
  double mean, variance;
  CalculateMeanVariance(1, {7.5}, mean, variance);
  EXPECT_EQ(mean, 7.5);
  EXPECT_EQ(variance, 0.0);
  CalculateMeanVariance(2, {1.0, 1.0 + 1e-10}, mean, variance);
  EXPECT_EQ(variance, 0.0);  // the quotient is within 1e-17 of 0
  TNumberList list({"1", "1.0000000001"});
  CalculateMeanVariance_List(list, mean, variance);
  EXPECT_GT(variance, 0.0);
  EXPECT_LT(variance, 1e-17);
  CalculateMeanVariance(4, {1, 2, 3, 4, 100}, mean, variance);  // first n only
  EXPECT_EQ(mean, 2.5);
  EXPECT_NEAR(variance, 5.0 / 3.0, 1e-15);
  CalculateMeanVariance(0, {1, 2}, mean, variance);
  EXPECT_EQ(mean, 0.0);
  EXPECT_EQ(variance, 0.0);
  CalculateMeanVariance_Integer(3, {2, 4, 9}, mean, variance);
  EXPECT_EQ(mean, 5.0);
  EXPECT_EQ(variance, 13.0);
  CalculateMeanVariance_Integer(1, {2}, mean, variance);
  EXPECT_EQ(variance, 0.0);
  TStringList empty;
  CalculateMeanVariance_List(empty, mean, variance);
  EXPECT_EQ(mean, 0.0);
}

TEST_F(Statistics, TailCountsUseTheTolerance) {
  double p1 = -1, p2 = -1;
  Integer g, e, l;
  const double x = 1e-3;
  CalculateTailCounts(4, {x - 1e-16, x + 2e-15, x - 2e-15, 5.0}, x, p1, p2, g, e, l);
  EXPECT_EQ(g, 1);
  EXPECT_EQ(e, 1);
  EXPECT_EQ(l, 2);
  EXPECT_EQ(p1, 0.5);
  EXPECT_EQ(p2, 0.75);
  CalculateTailCounts(3, {1, 2, 3}, 10, p1, p2, g, e, l);
  EXPECT_EQ(p1, 1.0);
  EXPECT_EQ(p2, 0.0);
  CalculateTailCounts(0, {}, 1, p1, p2, g, e, l);
  EXPECT_EQ(p1, 0.0);
  EXPECT_EQ(p2, 0.0);

  CalculateTailCounts_Integer(3, {1, 2, 2, 9}, 2.0, p1, p2, g, e, l);  // exact, first 3 only
  EXPECT_EQ(g, 1);
  EXPECT_EQ(e, 2);
  EXPECT_EQ(l, 0);
  EXPECT_DOUBLE_EQ(p2, 2.0 / 3.0);
  CalculateTailCounts_Integer(1, {2}, 2.0 + 1e-12, p1, p2, g, e, l);
  EXPECT_EQ(g, 1);

  FormatSettings.DecimalSeparator = ',';
  TNumberList list({"0,5", "1.5", "2,50000"});
  CalculateTailCounts_List(list, 1.5, p1, p2, g, e, l);
  EXPECT_EQ(g, 1);
  EXPECT_EQ(e, 1);
  EXPECT_EQ(l, 1);
  EXPECT_DOUBLE_EQ(p1, 2.0 / 3.0);
  TStringList empty;
  p1 = p2 = 7;
  CalculateTailCounts_List(empty, 1.5, p1, p2, g, e, l);
  EXPECT_EQ(g + e + l, 0);
  EXPECT_EQ(p1, 7.0);  // unchanged
}

TEST_F(Statistics, HistogramBinsAndMarkerPositions) {
  std::vector<double> v(13);
  std::iota(v.begin(), v.end(), 0.0);  // 0 .. 12: edges 0..12 in steps of 1
  String marker;
  BuildHistogram_LastIndex(12, v, 5.5, marker);
  for (size_t k = 0; k <= 12; ++k) EXPECT_EQ(Intervals[k], static_cast<double>(k));
  const frequencyArray expected{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2};  // the maximum falls in bin 11
  EXPECT_EQ(Frequencies, expected);
  EXPECT_EQ(marker, "\r\n\r\n\r\n\r\n\r\n\r\n");  // position 6
  struct {
    double x;
    Integer p;
  } positions[] = {{-0.1, 0}, {0, 1}, {1, 1}, {1.5, 2}, {2, 2}, {11.5, 12}, {12, 12}, {12.5, 13}};
  for (const auto& c : positions) EXPECT_EQ(HistogramPosition(c.x), c.p) << c.x;

  String edges, counts, lower, upper, counts2;
  HistogramToText(edges, counts);
  EXPECT_EQ(edges.substr(0, 21), "\r\n0.00000 1.00000\r\n1.");
  EXPECT_EQ(counts, "\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n2\r\n");
  // Summary lines: the texts side by side, two blanks between, empty beyond their ends.
  const std::vector<String> lines = HistogramSummaryLines(edges, counts, 14);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0], "  ");
  EXPECT_EQ(lines[1], "0.00000 1.00000  1");
  EXPECT_EQ(lines[12], "11.00000 12.00000  2");
  EXPECT_EQ(lines[13], "  ");
  EXPECT_EQ(HistogramSummaryLines(edges, counts, 13), std::vector<String>(lines.begin(), lines.begin() + 13));
  HistogramToColumns(lower, upper, counts2);
  EXPECT_EQ(counts2, counts);
  EXPECT_EQ(lower.substr(0, 11), "\r\n0.00000\r\n");
  EXPECT_EQ(upper.substr(upper.size() - 10), "12.00000\r\n");
  EXPECT_EQ(ObservedMarkerText("\r\n", "5.50000"), "\r\n5.50000.................>");

  // Input that is not ascending: a value below e(0) goes to bin 0 here and to bin 11 in the
  // iterations form.
  BuildHistogram_LastIndex(2, {1, 0, 2}, 0, marker);
  EXPECT_EQ(Frequencies[0], 2);
  EXPECT_EQ(marker, "");
  BuildHistogram(3, {1, 0, 2}, 0, marker);
  EXPECT_EQ(Frequencies[0], 1);
  EXPECT_EQ(Frequencies[11], 2);

  BuildHistogram_Integer(3, {2, 4, 6, 14}, 20, marker);
  EXPECT_EQ(Intervals[0], 2.0);
  EXPECT_EQ(Intervals[12], 14.0);
  EXPECT_EQ(marker.size(), 26u);  // position 13
}

TEST_F(Statistics, MedianExtremesAndSorts) {
  std::vector<double> four{4, 1, 3, 2};
  double median = -1;
  CalculateMedian(four, median);
  EXPECT_EQ(median, 2.5);
  std::vector<double> three{3, 1, 2};
  CalculateMedian(three, median);
  EXPECT_EQ(median, 2.0);
  EXPECT_EQ(three, (std::vector<double>{1, 2, 3}));  // the caller's array is left sorted
  std::vector<double> none;
  CalculateMedian(none, median);
  EXPECT_EQ(median, 2.0);
  TNumberList list({"5", "1.5", "3"});
  CalculateMedian_List(list, median);
  EXPECT_EQ(median, 3.0);

  EXPECT_EQ(FindMinimum(3, {4, -2, 7, -9}), -2);
  EXPECT_EQ(FindMaximum(3, {4, -2, 7, 90}), 7);
  EXPECT_EQ(FindMaximum(0, {4, 90}), 4);

  std::vector<double> equal(1000000, 3.0);
  equal[500000] = 1.0;
  QuickSortReals(equal, 0, static_cast<Integer>(equal.size()) - 1);
  EXPECT_EQ(equal[0], 1.0);
  EXPECT_EQ(equal[1], 3.0);
  std::vector<Integer> ints{5, 3, 9, 1, 7};
  QuickSortIntegers(ints, 1, 3);  // only the given range
  EXPECT_EQ(ints, (std::vector<Integer>{5, 1, 3, 9, 7}));
}

TEST_F(Statistics, CircularMeanIsTheDirectionOfTheResultant) {
  double direction, dispersion;
  CalculateCircularStatistics(2, {350, 10}, direction, dispersion);
  EXPECT_NEAR(std::remainder(direction, 360.0), 0.0, 1e-9);
  EXPECT_GE(direction, 0.0);
  EXPECT_LT(direction, 360.0);
  EXPECT_NEAR(dispersion, 1 - std::cos(10 * M_PI / 180), 1e-12);  // about 0.015
  CalculateCircularStatistics(2, {300, 320}, direction, dispersion);
  EXPECT_NEAR(direction, 310.0, 1e-9);
  CalculateCircularStatistics(2, {180, 270}, direction, dispersion);
  EXPECT_NEAR(direction, 225.0, 1e-9);
  CalculateCircularStatistics(3, {10, 20, 30, 300}, direction, dispersion);
  EXPECT_NEAR(direction, 20.0, 1e-9);
  CalculateCircularStatistics(0, {}, direction, dispersion);
  EXPECT_EQ(direction, 0.0);
  EXPECT_EQ(dispersion, 0.0);
}

TEST_F(Statistics, LeastSquares) {
  double slope, intercept, r;
  CalculateRegression({0, 1}, {0, 2}, 2, slope, intercept, r);
  EXPECT_DOUBLE_EQ(slope, 2.0);
  EXPECT_DOUBLE_EQ(intercept, 0.0);
  EXPECT_DOUBLE_EQ(r, 1.0);
  CalculateRegression({1, 2, 3, 4}, {10, 8, 6, 4}, 4, slope, intercept, r);
  EXPECT_DOUBLE_EQ(slope, -2.0);
  EXPECT_DOUBLE_EQ(intercept, 12.0);
  EXPECT_DOUBLE_EQ(r, -1.0);
  CalculateRegression({1, 2, 3}, {1, 3, 2}, 3, slope, intercept, r);
  EXPECT_DOUBLE_EQ(slope, 0.5);
  EXPECT_DOUBLE_EQ(r, 0.5);
  CalculateRegression({2, 2, 2}, {1, 5, 3}, 3, slope, intercept, r);  // X does not vary
  EXPECT_EQ(slope, 0.0);
  EXPECT_EQ(intercept, 3.0);
  EXPECT_EQ(r, 0.0);
  CalculateSlope({0, 1, 2}, {1, 4, 7}, 3, slope);
  EXPECT_DOUBLE_EQ(slope, 3.0);
}

TEST_F(Statistics, CountsBeyondTheArrayRaiseInsteadOfBeingCut) {
  const std::vector<double> three{1, 2, 3};
  std::vector<double> sortable{3, 2, 1};
  std::vector<Integer> ints{3, 2, 1};
  double a, b, c;
  Integer g, e, l;
  String marker;
  const std::function<void()> cases[] = {
      [&] { CalculateMeanVariance(4, three, a, b); },
      [&] { CalculateMeanVariance_Integer(4, ints, a, b); },
      [&] { FindMinimum(4, three); },
      [&] { FindMaximum(1, {}); },
      [&] { QuickSortReals(sortable, 0, 3); },
      [&] { QuickSortIntegers(ints, -1, 2); },
      // P1 and P2 would be divided by 4 with only 3 values counted.
      [&] { CalculateTailCounts(4, three, 2, a, b, g, e, l); },
      [&] { CalculateTailCounts_Integer(4, ints, 2, a, b, g, e, l); },
      [&] { BuildHistogram(4, three, 2, marker); },
      [&] { BuildHistogram_LastIndex(3, three, 2, marker); },
      [&] { BuildHistogram_Integer(3, ints, 2, marker); },
      [&] { CalculateCircularStatistics(4, three, a, b); },
      [&] { CalculateRegression(three, {1, 2}, 3, a, b, c); },
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_THROW(cases[i](), ERangeError) << "case " << i;
  // Nothing to do is no error: a run of 0 iterations has empty arrays.
  EXPECT_EQ(FindMinimum(0, {}), 0.0);
  QuickSortReals(sortable, 0, -1);
  CalculateTailCounts(0, {}, 1, a, b, g, e, l);
  EXPECT_EQ(sortable, (std::vector<double>{3, 2, 1}));
}

TEST_F(Statistics, ReportingTexts) {
  EXPECT_DOUBLE_EQ(StandardizedEffectSize(7, 5, 4), 1.0);
  EXPECT_EQ(StandardizedEffectSize(7, 5, 0), 0.0);
  EXPECT_EQ(StandardizedEffectSize(7, 5, -1e-20), 0.0);
  EXPECT_EQ(StandardizedEffectSizeLine(-1.2345678), "Standardized Effect Size = -1.23457");
  FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(LowerTailLine(0.5), "p(observed <= expected) = 0,50000");
  EXPECT_EQ(UpperTailLine(1), "p(observed >= expected) = 1,00000");
}

}  // namespace
