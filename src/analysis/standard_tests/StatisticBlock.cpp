#include "analysis/standard_tests/StatisticBlock.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/SysUtils.h"

namespace {
constexpr size_t kBlockHistogramLines = 13;
}  // namespace

void AddStatisticBlock(TStrings* Lines, const TBlockWords& Words, const TStatisticRecord& Stat) {
  Lines->Add(String(46, '_'));
  Lines->Add("");
  Lines->Add(Words.Title);
  Lines->Add(Words.Observed + ObservedTextOf(Stat));
  Lines->Add(Words.Mean + StatText(Stat.Mean));
  Lines->Add(Words.Variance + StatText(Stat.Variance));
  Lines->Add("");
  Lines->Add(Words.Less + IntToStr(Stat.Less));
  Lines->Add(Words.Equal + IntToStr(Stat.Equal));
  Lines->Add(Words.Greater + IntToStr(Stat.Greater));
  Lines->Add(StandardizedEffectSizeLine(Stat.Ses));
  Lines->Add(LowerTailLine(Stat.P1));
  Lines->Add(UpperTailLine(Stat.P2));
  Lines->Add("");
  Lines->Add("Simulation frequencies:");
  Lines->Add("Histogram          # Simulations");
  for (const String& line : HistogramLines(Stat, kBlockHistogramLines)) Lines->Add(line);
}
