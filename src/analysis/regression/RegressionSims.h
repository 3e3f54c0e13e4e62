// The regression test's numerical core: the least-squares line of Y on X, the permutation of
// the Y values among the X values, and the three points of a fitted line as the charts draw
// it. Draws come from the program's one random source, in the order the run makes them.
#pragma once

#include <vector>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/Types.h"

struct TRegressionLine {
  double Slope = 0;
  double Intercept = 0;
  double R = 0;
};

// The least-squares line of Y on X over all points (slope and r 0 when X does not vary). A
// slope or intercept beyond the range of a double raises EOverflow.
TRegressionLine Do_Regression(const std::vector<double>& X, const std::vector<double>& Y);

// The line of Y on X after Y has been permuted, Sums taken over the same X and Y values: the
// sums over X are not taken again (those over Y are, into Sums; see RegressionYSums.h).
TRegressionLine Do_PermutedRegression(RegressionSums& Sums, const std::vector<double>& X,
                                      const std::vector<double>& Y);

// Permutes Y in place: for k = 0 .. n-1 in turn, Y[k] and Y[Random(n)] change places. Each
// call permutes the order the previous one left.
void RandomizeLists(std::vector<double>& Y);

// A point of a chart.
struct TChartPoint {
  double X = 0;
  double Y = 0;
};

// The line of the given slope through the means of X and Y, drawn from x = 0 through the means
// to the largest x: (0, b), (mean x, mean y), (LargestX, Slope * LargestX + b), with
// b = mean y - Slope * mean x.
std::vector<TChartPoint> RegressionLinePoints(const std::vector<double>& X, const std::vector<double>& Y,
                                              double LargestX, double Slope);

// The whole randomisation without a user interface (benchmarks): Iterations permutations of Y,
// the line of each stored at [i] of the three arrays (sized by the caller).
void SimulateRegression(const std::vector<double>& X, std::vector<double>& Y, Integer Iterations,
                        std::vector<double>& Slopes, std::vector<double>& Intercepts, std::vector<double>& Rs);
