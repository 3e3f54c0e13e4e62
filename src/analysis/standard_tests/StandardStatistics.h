// The statistics of one simulated quantity of the randomisation tests (regression, ANOVA,
// chi-square, runs test, macroecology): observed value, mean and variance of the simulated
// values, tail counts and probabilities, effect size, and the texts of its histogram, taken as
// soon as the one shared histogram is built so that the next quantity may build its own.
#pragma once

#include <vector>

#include "classlib/Types.h"

struct TStatisticRecord {
  double Observed = 0;
  double Mean = 0;
  double Variance = 0;
  Integer Less = 0;     // iterations whose simulated value exceeds the observed one
  Integer Equal = 0;
  Integer Greater = 0;
  double P1 = 0;        // p(observed <= expected)
  double P2 = 0;        // p(observed >= expected)
  double Ses = 0;       // 0 when the simulated values do not vary
  String Marker;        // as many line breaks as the observed value's histogram position
  String Edges;         // CR LF, then "low high" per bin
  String Counts;        // CR LF, then the count per bin
  String ObservedText;  // the observed value as shown ("" : the fixed format)
};

// Fills Stat from the first n simulated values against Observed: mean and variance, tail
// counts, then the values sorted ascending in place and the histogram with its texts. n must
// be at least 1.
void FillStatistic(Integer n, std::vector<double>& Simulated, double Observed, TStatisticRecord& Stat);

// The same over integer values, compared exactly; the observed value shows as an integer.
void FillStatistic_Integer(Integer n, std::vector<Integer>& Simulated, Integer Observed, TStatisticRecord& Stat);

// The observed value as shown: its own text, or the fixed format.
String ObservedTextOf(const TStatisticRecord& Stat);

// The histogram as summary lines: line k joins line k of the edges text and line k of the
// counts text with two blanks ("" beyond a text's end), for k = 0 .. Count-1.
std::vector<String> HistogramLines(const TStatisticRecord& Stat, size_t Count);

// The observed value beside its histogram bin: the marker, the value's text and ".........>".
String ObservedMarker(const TStatisticRecord& Stat);
