#include "analysis/standard_tests/StandardStatistics.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/SysUtils.h"

void FillStatistic(Integer n, std::vector<double>& Simulated, double Observed, TStatisticRecord& Stat) {
  Stat.Observed = Observed;
  CalculateMeanVariance(n, Simulated, Stat.Mean, Stat.Variance);
  CalculateTailCounts(n, Simulated, Observed, Stat.P1, Stat.P2, Stat.Greater, Stat.Equal, Stat.Less);
  Stat.Ses = StandardizedEffectSize(Observed, Stat.Mean, Stat.Variance);
  QuickSortReals(Simulated, 0, n - 1);
  BuildHistogram_LastIndex(n - 1, Simulated, Observed, Stat.Marker);
  HistogramToText(Stat.Edges, Stat.Counts);
}

void FillStatistic_Integer(Integer n, std::vector<Integer>& Simulated, Integer Observed, TStatisticRecord& Stat) {
  Stat.Observed = Observed;
  Stat.ObservedText = IntToStr(Observed);
  CalculateMeanVariance_Integer(n, Simulated, Stat.Mean, Stat.Variance);
  CalculateTailCounts_Integer(n, Simulated, Observed, Stat.P1, Stat.P2, Stat.Greater, Stat.Equal, Stat.Less);
  Stat.Ses = StandardizedEffectSize(Observed, Stat.Mean, Stat.Variance);
  QuickSortIntegers(Simulated, 0, n - 1);
  BuildHistogram_Integer(n - 1, Simulated, Observed, Stat.Marker);
  HistogramToText(Stat.Edges, Stat.Counts);
}

String ObservedTextOf(const TStatisticRecord& Stat) {
  return Stat.ObservedText.empty() ? StatText(Stat.Observed) : Stat.ObservedText;
}

std::vector<String> HistogramLines(const TStatisticRecord& Stat, size_t Count) {
  return HistogramSummaryLines(Stat.Edges, Stat.Counts, Count);
}

String ObservedMarker(const TStatisticRecord& Stat) { return Stat.Marker + ObservedTextOf(Stat) + ".........>"; }
