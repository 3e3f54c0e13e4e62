#include "analysis/species_diversity/SpeciesDiversityCurve.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/Math.h"

TCurveStatistics CurveStatistics(std::vector<double>& Values) {
  TCurveStatistics s;
  const Integer I = static_cast<Integer>(Values.size());
  if (I < 1) return s;
  CalculateMeanVariance(I, Values, s.Mean, s.Variance);
  CalculateMedian(Values, s.Median);  // sorts
  const double last = static_cast<double>(I - 1);
  s.Low = Values[static_cast<size_t>(Trunc(0.025 * last))];
  s.High = Values[static_cast<size_t>(Round(0.975 * last))];
  return s;
}

std::string CurveText(const std::vector<std::vector<std::string>>& Rows, bool Comma) {
  std::string text;
  for (const std::vector<std::string>& row : Rows) {
    std::string line;
    for (size_t c = 0; c < row.size(); ++c) {
      if (Comma) {
        line += row[c] + ",";
      } else {
        if (c > 0) line += ' ';
        line += row[c];
      }
    }
    if (!Comma) line.erase(line.find_last_not_of(' ') + 1);
    text += line + "\r\n";
  }
  return text;
}
