#include "analysis/standard_tests/StandardStatistics.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/SysUtils.h"

namespace {

// The lines of a CR LF text, exactly Count of them ("" beyond its end).
std::vector<String> TextLines(const String& Text, size_t Count) {
  std::vector<String> lines;
  lines.reserve(Count);
  size_t from = 0;
  while (lines.size() < Count) {
    const size_t end = Text.find("\r\n", from);
    if (end == String::npos) {
      lines.push_back(from < Text.size() ? Text.substr(from) : String());
      from = Text.size();
    } else {
      lines.push_back(Text.substr(from, end - from));
      from = end + 2;
    }
  }
  return lines;
}

}  // namespace

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
  const std::vector<String> edges = TextLines(Stat.Edges, Count);
  const std::vector<String> counts = TextLines(Stat.Counts, Count);
  std::vector<String> lines(Count);
  for (size_t k = 0; k < Count; ++k) lines[k] = edges[k] + "  " + counts[k];
  return lines;
}

String ObservedMarker(const TStatisticRecord& Stat) { return Stat.Marker + ObservedTextOf(Stat) + ".........>"; }
