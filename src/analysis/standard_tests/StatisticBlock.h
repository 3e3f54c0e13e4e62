// One statistic's block of a randomisation test's summary (29 lines): a rule, the title, the
// observed value, mean and variance, the three tail counts, the effect size, both tail
// probabilities and the 13-line histogram, each labelled in the test's own words.
#pragma once

#include "analysis/standard_tests/StandardStatistics.h"
#include "classlib/StringList.h"

struct TBlockWords {
  const char* Title;
  const char* Observed;
  const char* Mean;
  const char* Variance;
  const char* Less;
  const char* Equal;
  const char* Greater;
};

void AddStatisticBlock(TStrings* Lines, const TBlockWords& Words, const TStatisticRecord& Stat);
