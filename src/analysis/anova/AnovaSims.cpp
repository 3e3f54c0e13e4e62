#include "analysis/anova/AnovaSims.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>

#include "classlib/Math.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"

void TAnovaSims::Begin(const std::vector<String>& Labels, const std::vector<String>& Values) {
  const size_t n = Labels.size();
  FNames.clear();
  FLabel.assign(n, 0);
  FValue.assign(n, 0.0);
  FListValue.assign(n, 0.0);
  std::unordered_map<String, Integer> index;
  for (size_t r = 0; r < n; ++r) {
    auto [it, added] = index.emplace(Labels[r], static_cast<Integer>(FNames.size()));
    if (added) FNames.push_back(Labels[r]);
    FLabel[r] = it->second;
    FValue[r] = LeadingReal(Values[r]);
    FListValue[r] = ReadListNumber(Values[r]);
  }
  double sum = 0;
  for (double v : FValue) sum += v;
  FGrandMean = n > 0 ? sum / static_cast<double>(n) : 0.0;
  const size_t k = FNames.size();
  FCounts.assign(k, 0);
  FMeans.assign(k, 0.0);
  FVariances.assign(k, 0.0);
  FStart.assign(k + 1, 0);
  FOrder.assign(n, 0);
}

double TAnovaSims::Statistic() {
  const size_t n = FLabel.size();
  const size_t k = FNames.size();
  // Rows grouped by group, each group's rows in row order: the sums below then run in the
  // order of the definition (group by group, row by row).
  std::fill(FCounts.begin(), FCounts.end(), 0);
  for (Integer g : FLabel) ++FCounts[static_cast<size_t>(g)];
  FStart[0] = 0;
  for (size_t g = 0; g < k; ++g) FStart[g + 1] = FStart[g] + FCounts[g];
  FCursor.assign(FStart.begin(), FStart.end() - 1);
  for (size_t r = 0; r < n; ++r)
    FOrder[static_cast<size_t>(FCursor[static_cast<size_t>(FLabel[r])]++)] = static_cast<Integer>(r);
  double ssb = 0, ssw = 0;
  for (size_t g = 0; g < k; ++g) {
    const size_t from = static_cast<size_t>(FStart[g]), to = static_cast<size_t>(FStart[g + 1]);
    const size_t count = to - from;
    double sum = 0;
    for (size_t j = from; j < to; ++j) sum += FListValue[static_cast<size_t>(FOrder[j])];
    const double mean = count > 0 ? sum / static_cast<double>(count) : 0.0;
    double s = 0;
    for (size_t j = from; j < to; ++j) {
      const double d = FListValue[static_cast<size_t>(FOrder[j])] - mean;
      s += d * d;
    }
    FMeans[g] = mean;
    FVariances[g] = (s == 0 || count < 2) ? 0.0 : s / static_cast<double>(count - 1);
    ssb += (mean - FGrandMean) * (mean - FGrandMean) * static_cast<double>(count);
  }
  for (size_t g = 0; g < k; ++g)
    for (size_t j = static_cast<size_t>(FStart[g]); j < static_cast<size_t>(FStart[g + 1]); ++j) {
      const double d = FValue[static_cast<size_t>(FOrder[j])] - FMeans[g];
      ssw += d * d;
    }
  // Values whose squares lie beyond the range of a double end the run with the floating-point
  // error, rather than give a statistic of 0 or an undefined one.
  if (!std::isfinite(ssb) || !std::isfinite(ssw)) RaiseOverflow();
  if (ssw == 0 || k < 2 || n == k) return 0;
  return (ssb / static_cast<double>(k - 1)) / (ssw / static_cast<double>(n - k));
}

void TAnovaSims::ReShuffle() {
  const Integer n = Rows();
  for (Integer a = 0; a < n; ++a) std::swap(FLabel[static_cast<size_t>(a)], FLabel[static_cast<size_t>(Random(n))]);
}

void SimulateAnova(TAnovaSims& Sims, Integer Iterations, std::vector<double>& Simulated) {
  for (Integer i = 0; i < Iterations; ++i) {
    Sims.ReShuffle();
    Simulated[static_cast<size_t>(i)] = Sims.Statistic();
  }
}
