// The sums over Y of a regression taken again after Y has been permuted. Extended sums of the
// same values in another order can differ in their last bit, so a permuted Y needs its squared
// deviations afresh, in the order it now stands, and its total too unless that total is exact
// in every order (SumYFixed); the sums over X stay as they are.
#pragma once

#include <vector>

#include "analysis/common/ZorvanHelpersStatistics.h"

// SumY, MeanY and Syy of Sums := those of Y[0 .. Sums.Count), as CalculateRegressionSums takes
// them; returns CrossProductSum of X and Y, summed in the same pass as Syy. Y must be a
// permutation of the values the sums were first taken from.
long double CalculateRegressionYSums(RegressionSums& Sums, const std::vector<double>& X, const std::vector<double>& Y);
