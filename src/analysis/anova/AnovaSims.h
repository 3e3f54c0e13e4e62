// The ANOVA test's numerical core: data rows with a group label and a value, the pseudo-F
// statistic of the labels as they stand, and the reshuffle of the labels among the rows (the
// values never move). Draws come from the program's one random source.
//
// The statistic, for k groups over n rows: each group's count, mean and sample variance (its
// values read as the list routines read number texts); GA the mean of all values; SSB the sum
// of (group mean - GA)^2 x count; SSW the sum over groups and their rows of (value - group
// mean)^2. It is (SSB / (k - 1)) / (SSW / (n - k)), and 0 when SSW is 0 or there is only one
// group (no variation between groups to compare).
#pragma once

#include <vector>

#include "classlib/Types.h"

class TAnovaSims {
 public:
  // Labels and value texts of the data rows, in row order (equally many). The groups are the
  // distinct labels, compared exactly (letter case counts), in the order of their first row.
  void Begin(const std::vector<String>& Labels, const std::vector<String>& Values);

  Integer Rows() const { return static_cast<Integer>(FLabel.size()); }
  Integer Groups() const { return static_cast<Integer>(FNames.size()); }
  const std::vector<String>& GroupNames() const { return FNames; }
  // The values as the run reads them ('.' decimals; a text that is no number reads 0).
  const std::vector<double>& Values() const { return FValue; }

  // The statistic of the labels as they stand; also sets each group's count, mean, variance.
  // Sums of squares beyond the range of a double raise EOverflow.
  double Statistic();
  // For a = 0 .. n-1 in turn, the labels of rows a and Random(n) change places.
  void ReShuffle();

  // The group of row r (0-based) as the labels stand, and its label.
  Integer GroupOf(Integer Row) const { return FLabel[static_cast<size_t>(Row)]; }
  const String& LabelOf(Integer Row) const { return FNames[static_cast<size_t>(GroupOf(Row))]; }
  // Per group, from the last Statistic().
  const std::vector<Integer>& Counts() const { return FCounts; }
  const std::vector<double>& Means() const { return FMeans; }
  const std::vector<double>& Variances() const { return FVariances; }
  double GrandMean() const { return FGrandMean; }

 private:
  std::vector<String> FNames;
  std::vector<Integer> FLabel;       // group index of each row
  std::vector<double> FValue;        // the values ('.' decimals)
  std::vector<double> FListValue;    // the same texts read as number lists are read
  std::vector<Integer> FCounts;
  std::vector<double> FMeans, FVariances;
  std::vector<Integer> FStart, FOrder;  // rows grouped by group, in row order within a group
  std::vector<Integer> FCursor;
  double FGrandMean = 0;
};

// The whole randomisation without a user interface (benchmarks): Iterations reshuffles, the
// statistic of each stored at [i] of Simulated (sized by the caller).
void SimulateAnova(TAnovaSims& Sims, Integer Iterations, std::vector<double>& Simulated);
