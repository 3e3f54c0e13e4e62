// The pseudo-F written out from its definition, apart from the program's kernel: group means
// and squared deviations over the rows of each label (labels compared exactly), 0 when there is
// no spread within the groups or only one group.
#pragma once

#include <algorithm>
#include <vector>

#include "classlib/Types.h"

namespace anova_test {

inline double ReferenceF(const std::vector<String>& labels, const std::vector<double>& values) {
  std::vector<String> names;
  for (const String& l : labels)
    if (std::find(names.begin(), names.end(), l) == names.end()) names.push_back(l);
  const double n = static_cast<double>(values.size()), k = static_cast<double>(names.size());
  double grand = 0;
  for (double v : values) grand += v;
  grand /= n;
  double ssb = 0, ssw = 0;
  for (const String& name : names) {
    double sum = 0, count = 0;
    for (size_t r = 0; r < labels.size(); ++r)
      if (labels[r] == name) sum += values[r], ++count;
    const double mean = sum / count;
    ssb += count * (mean - grand) * (mean - grand);
    for (size_t r = 0; r < labels.size(); ++r)
      if (labels[r] == name) ssw += (values[r] - mean) * (values[r] - mean);
  }
  if (ssw == 0 || k < 2) return 0;
  return (ssb / (k - 1)) / (ssw / (n - k));
}

}  // namespace anova_test
