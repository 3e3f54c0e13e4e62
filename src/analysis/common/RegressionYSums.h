// The sums over Y of a regression taken again after Y has been permuted. Extended sums of the
// same values in another order can differ in their last bit, so a permuted Y needs its total
// and squared deviations afresh, in the order it now stands; the sums over X stay as they are.
#pragma once

#include <vector>

#include "analysis/common/ZorvanHelpersStatistics.h"

// SumY, MeanY and Syy of Sums := those of Y[0 .. Sums.Count), as CalculateRegressionSums takes
// them; returns CrossProductSum of X and Y, summed in the same pass as Syy.
long double CalculateRegressionYSums(RegressionSums& Sums, const std::vector<double>& X, const std::vector<double>& Y);
