#include "analysis/runs_test/RunsTestSims.h"

#include <algorithm>
#include <numeric>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/standard_tests/ProportionalPick.h"
#include "classlib/Math.h"
#include "classlib/Random.h"

namespace {

// Checks shared by both proportional randomisers; on failure the message has been sent.
bool Drawable(const TProportionalPick& Pick, double NumberLineSum, const MessageSink& Message) {
  // A negative X would give a position a negative chance: refused like an empty line.
  if (NumberLineSum > 0 && !Pick.Negative()) return true;
  if (Message) Message(kRunsRestraintsFailed);
  return false;
}

// The first position whose running sum exceeds the drawn real.
Integer DrawPosition(const TProportionalPick& Pick) {
  RandomReal();
  return Pick.Strict(RandSeed);
}

void MeanAndVariance(Integer k, const std::vector<double>& Ones, bool Angular, TRunStatistics& S) {
  if (Angular)
    CalculateCircularStatistics(k, Ones, S.Mean, S.Variance);
  else
    CalculateMeanVariance(k, Ones, S.Mean, S.Variance);
  // X values whose sums lie beyond the range of a double end the run with the floating-point
  // error rather than report infinities.
  S.Mean = FiniteStatistic(S.Mean);
  S.Variance = FiniteStatistic(S.Variance);
}

}  // namespace

TRunsData SortByX(const std::vector<double>& X, const std::vector<Integer>& Y) {
  TRunsData d;
  d.Order.resize(X.size());
  std::iota(d.Order.begin(), d.Order.end(), 0);
  std::stable_sort(d.Order.begin(), d.Order.end(),
                   [&X](Integer a, Integer b) { return X[static_cast<size_t>(a)] < X[static_cast<size_t>(b)]; });
  for (Integer row : d.Order) {
    d.xVarsSorted.push_back(X[static_cast<size_t>(row)]);
    d.yVarsSims.push_back(Y[static_cast<size_t>(row)]);
  }
  return d;
}

Integer CountOnes(const std::vector<Integer>& Y, bool WithReplacement) {
  Int64 count = 0;
  for (Integer y : Y)
    if (y > 0) count += WithReplacement ? y : 1;
  // A sum beyond the counter's range is as unusable as no individual at all.
  return count > 2147483647 ? 0 : static_cast<Integer>(count);
}

void SetUpNumberLine(const std::vector<double>& X, NumberLine& Line, double& NumberLineSum) {
  NumberLineSum = 0;
  for (double x : X) NumberLineSum += x;
  if (NumberLineSum > 0) {
    Line.resize(X.size());
    for (size_t i = 0; i < X.size(); ++i) Line[i] = X[i] / NumberLineSum;
  }
}

void Equiprobable_WithoutReplacement(std::vector<Integer>& V) {
  const Integer n = static_cast<Integer>(V.size());
  for (Integer i = 0; i < n; ++i) std::swap(V[static_cast<size_t>(i)], V[static_cast<size_t>(Random(n))]);
}

void Equiprobable_WithReplacement(Integer k, std::vector<Integer>& V) {
  std::fill(V.begin(), V.end(), 0);
  const Integer n = static_cast<Integer>(V.size());
  for (Integer i = 0; i < k; ++i) ++V[static_cast<size_t>(Random(n))];
}

bool Proportional_WithoutReplacement(Integer k, const TProportionalPick& Pick, std::vector<Integer>& V,
                                     double NumberLineSum, const PollFn& Poll, const MessageSink& Message) {
  if (!Drawable(Pick, NumberLineSum, Message)) return false;
  std::fill(V.begin(), V.end(), 0);
  for (Integer i = 0; i < k; ++i) {
    for (Integer draws = 1;; ++draws) {
      if (Poll && Poll()) return false;
      const size_t p = static_cast<size_t>(DrawPosition(Pick));
      const bool free = V[p] == 0;
      if (free) V[p] = 1;
      if (draws >= kMaxDrawsPerIndividual) {
        if (Message) Message(kRunsRestraintsFailed);
        return false;
      }
      if (free) break;
    }
  }
  return true;
}

bool Proportional_WithReplacement(Integer k, const TProportionalPick& Pick, std::vector<Integer>& V,
                                     double NumberLineSum, const PollFn& Poll, const MessageSink& Message) {
  if (!Drawable(Pick, NumberLineSum, Message)) return false;
  std::fill(V.begin(), V.end(), 0);
  for (Integer i = 0; i < k; ++i) {
    if (Poll && Poll()) return false;
    ++V[static_cast<size_t>(DrawPosition(Pick))];
  }
  return true;
}

TRunStatistics CalculateRuns_WithoutReplacement(Integer k, std::vector<double>& Ones, const std::vector<Integer>& V,
                                                const std::vector<double>& X, bool Angular) {
  TRunStatistics s;
  size_t used = 0;
  Integer run = 0;
  for (size_t p = 0; p < V.size(); ++p) {
    if (V[p] >= 1) {
      if (used < Ones.size()) Ones[used++] = X[p];
      s.LongestRun = std::max(s.LongestRun, ++run);
    } else {
      run = 0;
    }
  }
  MeanAndVariance(std::min<Integer>(k, static_cast<Integer>(used)), Ones, Angular, s);
  return s;
}

TRunStatistics CalculateRuns_WithReplacement(Integer k, std::vector<double>& Ones, const std::vector<Integer>& V,
                                             const std::vector<double>& X, bool Angular) {
  TRunStatistics s;
  size_t used = 0;
  Integer run = 0;
  for (size_t p = 0; p < V.size(); ++p) {
    if (V[p] > 0) {
      for (Integer j = 0; j < V[p] && used < Ones.size(); ++j) Ones[used++] = X[p];
      run += V[p];
      s.LongestRun = std::max(s.LongestRun, run);
    } else {
      run = 0;
    }
  }
  MeanAndVariance(std::min<Integer>(k, static_cast<Integer>(used)), Ones, Angular, s);
  return s;
}

bool TRunsModel::Randomize(std::vector<Integer>& V, const PollFn& Poll, const MessageSink& Message) const {
  if (!Proportional) {
    if (WithReplacement)
      Equiprobable_WithReplacement(OnesCount, V);
    else
      Equiprobable_WithoutReplacement(V);
    return true;
  }
  if (WithReplacement) return Proportional_WithReplacement(OnesCount, Pick, V, NumberLineSum, Poll, Message);
  return Proportional_WithoutReplacement(OnesCount, Pick, V, NumberLineSum, Poll, Message);
}

void TRunsModel::Prepare(const std::vector<double>& SortedX) {
  Line.assign(SortedX.size(), 0.0);
  SetUpNumberLine(SortedX, Line, NumberLineSum);
  Pick.Build(Line);
}

TRunStatistics TRunsModel::Statistics(std::vector<double>& Ones, const std::vector<Integer>& V,
                                      const std::vector<double>& X) const {
  return WithReplacement ? CalculateRuns_WithReplacement(OnesCount, Ones, V, X, Angular)
                         : CalculateRuns_WithoutReplacement(OnesCount, Ones, V, X, Angular);
}

void SimulateRuns(const TRunsModel& Model, const std::vector<double>& X, std::vector<Integer>& V, Integer Iterations,
                  std::vector<Integer>& LongestRuns, std::vector<double>& Means, std::vector<double>& Variances) {
  std::vector<double> ones(static_cast<size_t>(Model.OnesCount));
  const PollFn poll = NeverInterrupted;
  for (Integer i = 0; i < Iterations; ++i) {
    Model.Randomize(V, poll, nullptr);
    const TRunStatistics s = Model.Statistics(ones, V, X);
    const size_t at = static_cast<size_t>(i);
    LongestRuns[at] = s.LongestRun;
    Means[at] = s.Mean;
    Variances[at] = s.Variance;
  }
}
