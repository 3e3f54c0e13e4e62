#include "analysis/regression/RegressionSims.h"

#include <cstdint>
#include <utility>

#include "analysis/common/RegressionYSums.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/Math.h"
#include "classlib/Random.h"

namespace {

TRegressionLine LineFromSums(const RegressionSums& Sums, long double Sxy) {
  TRegressionLine line;
  RegressionFromSums(Sums, Sxy, line.Slope, line.Intercept, line.R);
  // Data whose line lies beyond the range of a double end the run with the floating-point
  // error, rather than report infinities as results.
  line.Slope = FiniteStatistic(line.Slope);
  line.Intercept = FiniteStatistic(line.Intercept);
  line.R = FiniteStatistic(line.R);
  return line;
}

}  // namespace

TRegressionLine Do_Regression(const std::vector<double>& X, const std::vector<double>& Y) {
  const RegressionSums sums = CalculateRegressionSums(X, Y, static_cast<Integer>(Y.size()));
  return LineFromSums(sums, CrossProductSum(X, Y, sums.Count));
}

TRegressionLine Do_PermutedRegression(RegressionSums& Sums, const std::vector<double>& X,
                                      const std::vector<double>& Y) {
  const long double sxy = CalculateRegressionYSums(Sums, X, Y);
  return LineFromSums(Sums, sxy);
}

// The draws of Random(n) in turn, four seeds at a time: seed k + 1 .. k + 4 each follow from
// seed k by the generator's step taken one to four times (seed * a^i + c_i), so the four do not
// wait for one another. The sequence, the swaps and the seed left behind are those of one
// Random(n) per element.
void RandomizeLists(std::vector<double>& Y) {
  const Integer n = static_cast<Integer>(Y.size());
  constexpr uint32_t a1 = 134775813u, c1 = 1u;
  constexpr uint32_t a2 = a1 * a1, c2 = a1 * c1 + 1u;
  constexpr uint32_t a3 = a2 * a1, c3 = c2 * a1 + 1u;
  constexpr uint32_t a4 = a3 * a1, c4 = c3 * a1 + 1u;
  const uint64_t range = static_cast<uint32_t>(n);
  auto pick = [range](uint32_t seed) { return static_cast<size_t>((range * seed) >> 32); };
  uint32_t seed = RandSeed;
  double* y = Y.data();
  Integer k = 0;
  for (; k + 4 <= n; k += 4) {
    const uint32_t s1 = seed * a1 + c1, s2 = seed * a2 + c2, s3 = seed * a3 + c3, s4 = seed * a4 + c4;
    std::swap(y[k], y[pick(s1)]);
    std::swap(y[k + 1], y[pick(s2)]);
    std::swap(y[k + 2], y[pick(s3)]);
    std::swap(y[k + 3], y[pick(s4)]);
    seed = s4;
  }
  RandSeed = seed;
  for (; k < n; ++k) std::swap(y[k], y[static_cast<size_t>(Random(n))]);
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
  RegressionSums sums = CalculateRegressionSums(X, Y, static_cast<Integer>(Y.size()));
  for (Integer i = 0; i < Iterations; ++i) {
    RandomizeLists(Y);
    const TRegressionLine line = Do_PermutedRegression(sums, X, Y);
    Slopes[static_cast<size_t>(i)] = line.Slope;
    Intercepts[static_cast<size_t>(i)] = line.Intercept;
    Rs[static_cast<size_t>(i)] = line.R;
  }
}
