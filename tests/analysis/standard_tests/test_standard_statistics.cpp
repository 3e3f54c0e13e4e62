// The statistic record every randomisation test fills from its simulated values, its
// histogram lines and the observed value's marker, against values worked by hand.
#include <gtest/gtest.h>

#include "analysis/standard_tests/StandardStatistics.h"

namespace {

String Breaks(int n) {
  String s;
  for (int i = 0; i < n; ++i) s += "\r\n";
  return s;
}

// Simulated 0, 12, 6, 6 against 6: the bins are one unit wide, so every edge is exact.
TEST(StandardStatistics, RecordOfValuesWorkedByHand) {
  std::vector<double> simulated{0, 12, 6, 6};
  TStatisticRecord s;
  FillStatistic(4, simulated, 6, s);
  EXPECT_EQ(s.Observed, 6);
  EXPECT_EQ(s.Mean, 6);
  EXPECT_EQ(s.Variance, 24);  // (36 + 36) / 3
  EXPECT_EQ(s.Greater, 1);
  EXPECT_EQ(s.Equal, 2);
  EXPECT_EQ(s.Less, 1);
  EXPECT_EQ(s.P1, 0.75);
  EXPECT_EQ(s.P2, 0.75);
  EXPECT_EQ(s.Ses, 0);
  EXPECT_EQ(simulated, (std::vector<double>{0, 6, 6, 12}));  // sorted in place
  EXPECT_EQ(s.Marker, Breaks(6));                            // 5 < 6 <= 6: position 6
  EXPECT_EQ(ObservedMarker(s), Breaks(6) + "6.00000.........>");

  const std::vector<String> lines = HistogramLines(s, 14);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0], "  ");
  EXPECT_EQ(lines[1], "0.00000 1.00000  1");
  EXPECT_EQ(lines[2], "1.00000 2.00000  0");
  EXPECT_EQ(lines[7], "6.00000 7.00000  2");
  EXPECT_EQ(lines[12], "11.00000 12.00000  1");
  EXPECT_EQ(lines[13], "  ");
  EXPECT_EQ(HistogramLines(s, 13), std::vector<String>(lines.begin(), lines.begin() + 13));
}

TEST(StandardStatistics, ObservedBeyondEverySimulatedValue) {
  struct Case {
    double observed;
    double p1, p2;
    int position;
  };
  for (const Case& k : {Case{5, 1, 0, 13}, Case{-5, 0, 1, 0}, Case{1, 1, 1, 1}}) {
    SCOPED_TRACE(k.observed);
    std::vector<double> simulated{1, 1, 1};
    TStatisticRecord s;
    FillStatistic(3, simulated, k.observed, s);
    EXPECT_EQ(s.Variance, 0);
    EXPECT_EQ(s.Ses, 0);  // no spread: no effect size
    EXPECT_EQ(s.P1, k.p1);
    EXPECT_EQ(s.P2, k.p2);
    EXPECT_EQ(s.Marker, Breaks(k.position));
  }
  // A spread gives the effect size (observed - mean) / sd: 3 against 0, 1, 2 is 2.
  std::vector<double> simulated{2, 0, 1};
  TStatisticRecord s;
  FillStatistic(3, simulated, 3, s);
  EXPECT_DOUBLE_EQ(s.Ses, 2.0);
}

}  // namespace
