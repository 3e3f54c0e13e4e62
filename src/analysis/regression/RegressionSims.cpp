#include "analysis/regression/RegressionSims.h"

#include <utility>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/Math.h"
#include "classlib/Random.h"

TRegressionLine Do_Regression(const std::vector<double>& X, const std::vector<double>& Y) {
  TRegressionLine line;
  CalculateRegression(X, Y, static_cast<Integer>(Y.size()), line.Slope, line.Intercept, line.R);
  // Data whose line lies beyond the range of a double end the run with the floating-point
  // error, rather than report infinities as results.
  line.Slope = FiniteStatistic(line.Slope);
  line.Intercept = FiniteStatistic(line.Intercept);
  line.R = FiniteStatistic(line.R);
  return line;
}

void RandomizeLists(std::vector<double>& Y) {
  const Integer n = static_cast<Integer>(Y.size());
  for (Integer k = 0; k < n; ++k) std::swap(Y[static_cast<size_t>(k)], Y[static_cast<size_t>(Random(n))]);
}

std::vector<TChartPoint> RegressionLinePoints(const std::vector<double>& X, const std::vector<double>& Y,
                                              double LargestX, double Slope) {
  double meanX = 0, varianceX = 0, meanY = 0, varianceY = 0;
  CalculateMeanVariance(static_cast<Integer>(X.size()), X, meanX, varianceX);
  CalculateMeanVariance(static_cast<Integer>(Y.size()), Y, meanY, varianceY);
  const double b = meanY - Slope * meanX;
  return {{0, b}, {meanX, meanY}, {LargestX, Slope * LargestX + b}};
}

void SimulateRegression(const std::vector<double>& X, std::vector<double>& Y, Integer Iterations,
                        std::vector<double>& Slopes, std::vector<double>& Intercepts, std::vector<double>& Rs) {
  for (Integer i = 0; i < Iterations; ++i) {
    RandomizeLists(Y);
    const TRegressionLine line = Do_Regression(X, Y);
    Slopes[static_cast<size_t>(i)] = line.Slope;
    Intercepts[static_cast<size_t>(i)] = line.Intercept;
    Rs[static_cast<size_t>(i)] = line.R;
  }
}
