#include "analysis/size_overlap/SizeOverlapSims.h"

#include <algorithm>
#include <cmath>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/Random.h"

namespace {

// log10 of a size; a value that is not one counts as 0.
double Log10Size(double x) { return x > 0 ? std::log10(x) : 0.0; }
double Power10(double x) { return std::pow(10.0, x); }

// Nearest whole number, halves to the even neighbour (the default rounding mode).
double RoundHalfEven(double x) { return std::nearbyint(x); }

}  // namespace

bool IsLogDistribution(SizeDistribution Distribution) {
  return Distribution == SizeDistribution::LogUniform || Distribution == SizeDistribution::LogNormal;
}

void DistributionTransform(SizeDistribution Distribution, const std::vector<double>& Source,
                           std::vector<double>& Target) {
  Target.resize(Source.size());
  const bool log = IsLogDistribution(Distribution);
  for (size_t i = 0; i < Source.size(); ++i) Target[i] = log ? Log10Size(Source[i]) : Source[i];
}

void DistributionBackTransform(SizeDistribution Distribution, const std::vector<double>& Source,
                               std::vector<double>& Target) {
  Target.resize(Source.size());
  const bool log = IsLogDistribution(Distribution);
  for (size_t i = 0; i < Source.size(); ++i) Target[i] = log ? Power10(Source[i]) : Source[i];
}

void TransformNumberLine(bool LogTransform, const std::vector<double>& Source, std::vector<double>& Target) {
  Target.resize(Source.size());
  for (size_t i = 0; i < Source.size(); ++i) Target[i] = LogTransform ? Log10Size(Source[i]) : Source[i];
}

void CalculateSegments(const std::vector<double>& Sorted, std::vector<double>& Segments) {
  Segments.resize(Sorted.empty() ? 0 : Sorted.size() - 1);
  for (size_t i = 0; i < Segments.size(); ++i) Segments[i] = Sorted[i + 1] - Sorted[i];
}

double SegmentMetric(SizeMetric Metric, const std::vector<double>& Segments) {
  if (Segments.empty()) return 0;
  if (Metric == SizeMetric::MinimumSegment) return *std::min_element(Segments.begin(), Segments.end());
  double mean = 0, variance = 0;
  CalculateMeanVariance(static_cast<Integer>(Segments.size()), Segments, mean, variance);
  return variance;
}

int32_t CountDrawableRows(const std::vector<double>& Sizes, const std::vector<double>& Weights) {
  int32_t count = 0;
  for (size_t i = 0; i < Sizes.size() && i < Weights.size(); ++i)
    if (Sizes[i] > 0 && Weights[i] > 0) ++count;
  return count;
}

void SizeOverlapSims::Begin(const SizeOverlapOptions& Options, PollFn Poll, MessageSink Messages) {
  FOptions = Options;
  FPoll = Poll ? std::move(Poll) : PollFn(NeverInterrupted);
  FMessages = Messages ? std::move(Messages) : MessageSink([](const std::string&) {});
  FParameters = SizeDistributionParameters{};
  FRowSizes.clear();
  FCumulative.clear();
  FHasWeight = false;
  if (Options.Distribution != SizeDistribution::Histogram) return;

  // Each drawable row is chosen with probability weight / total; the running sums are those a
  // walk down the rows adds up, so a draw u picks the first row whose sum reaches u.
  double total = 0;
  for (size_t i = 0; i < Options.HistogramSizes.size() && i < Options.HistogramWeights.size(); ++i)
    if (Options.HistogramSizes[i] > 0 && Options.HistogramWeights[i] > 0) total += Options.HistogramWeights[i];
  FHasWeight = total > 0 && std::isfinite(total);
  if (!FHasWeight) return;
  double running = 0;
  for (size_t i = 0; i < Options.HistogramSizes.size() && i < Options.HistogramWeights.size(); ++i) {
    if (!(Options.HistogramSizes[i] > 0 && Options.HistogramWeights[i] > 0)) continue;
    running += Options.HistogramWeights[i] / total;
    FRowSizes.push_back(Options.HistogramSizes[i]);
    FCumulative.push_back(running);
  }
  FRowUsed.assign(FRowSizes.size(), 0);
}

bool SizeOverlapSims::GiveUp() {
  FMessages(kRestraintsMessage);
  return false;
}

template <typename DrawFn, typename AcceptFn>
bool SizeOverlapSims::DrawUntil(DrawFn Draw, AcceptFn Accept, double& Value) {
  for (int32_t k = 0; k < kMaxRedraws; ++k) {
    // The first draw is the common case; only redraws poll.
    if (k > 0 && FPoll()) return false;
    Value = Draw();
    if (Accept(Value)) return true;
  }
  return GiveUp();
}

bool SizeOverlapSims::RandomizeNumberLine(const std::vector<double>& Source, std::vector<double>& Target) {
  const size_t n = Source.size();
  Target.resize(n);
  const SizeOverlapOptions& o = FOptions;
  if (o.Distribution == SizeDistribution::Histogram) return UserDefinedHistogram(Target);

  const bool whole = o.IntegerSizes && !IsLogDistribution(o.Distribution);
  const bool uniform = o.Distribution == SizeDistribution::Uniform || o.Distribution == SizeDistribution::LogUniform;
  if (uniform) {
    if (o.UserDefined) {
      if (whole) return UserUniformIntegers(Target);
      return Uniform(o.Minimum, o.Maximum, false, false, Source, Target);
    }
    const Integer count = static_cast<Integer>(n);
    return Uniform(FindMinimum(count, Source), FindMaximum(count, Source), true, whole, Source, Target);
  }
  double mean = o.Mean, sd = o.SD;
  if (!o.UserDefined) {
    double variance = 0;
    CalculateMeanVariance(static_cast<Integer>(n), Source, mean, variance);
    sd = std::sqrt(variance);
  }
  // Normal sizes must be positive; on the log scale any value is a size.
  return Normal(mean, sd, o.Distribution == SizeDistribution::Normal, whole, Target);
}

// Minimum + u (Maximum - Minimum), or with whole sizes Minimum + Trunc((Maximum - Minimum + 1) u),
// redrawn below 1. KeepEnds puts the two end points first (the observed extremes).
bool SizeOverlapSims::Uniform(double Minimum, double Maximum, bool KeepEnds, bool WholeSizes,
                              const std::vector<double>& Source, std::vector<double>& Target) {
  FParameters.Minimum = Minimum;
  FParameters.Maximum = Maximum;
  size_t from = 0;
  if (KeepEnds) {
    if (Source.size() >= 1) Target[0] = Minimum;
    if (Source.size() >= 2) Target[1] = Maximum;
    from = std::min<size_t>(2, Target.size());
  }
  const double width = Maximum - Minimum;
  for (size_t i = from; i < Target.size(); ++i) {
    if (!WholeSizes) {
      Target[i] = Minimum + RandomReal() * width;
      continue;
    }
    if (!DrawUntil([&] { return Minimum + std::trunc((width + 1) * RandomReal()); }, [](double v) { return v >= 1; },
                   Target[i]))
      return false;
  }
  return true;
}

// Whole sizes between the user's end points: Round(Minimum) + Trunc((Round(Maximum - Minimum) + 1) u).
bool SizeOverlapSims::UserUniformIntegers(std::vector<double>& Target) {
  const double low = RoundHalfEven(FOptions.Minimum);
  const double width = RoundHalfEven(FOptions.Maximum - FOptions.Minimum);
  FParameters.Minimum = low;
  FParameters.Maximum = FOptions.Maximum;
  for (double& value : Target)
    if (!DrawUntil([&] { return low + std::trunc((width + 1) * RandomReal()); }, [](double v) { return v >= 1; },
                   value))
      return false;
  return true;
}

// N(Mean, SD) by the polar method; Positive redraws values not above 0, WholeSizes rounds first.
bool SizeOverlapSims::Normal(double Mean, double SD, bool Positive, bool WholeSizes, std::vector<double>& Target) {
  FParameters.Mean = Mean;
  FParameters.SD = SD;
  for (double& value : Target) {
    if (!Positive) {
      value = RandG(Mean, SD);
      continue;
    }
    if (!DrawUntil([&] { return WholeSizes ? RoundHalfEven(RandG(Mean, SD)) : RandG(Mean, SD); },
                   [](double v) { return v > 0; }, value))
      return false;
  }
  return true;
}

// n distinct rows, each drawn with probability proportional to its weight among the rows not
// yet in the line: a draw that meets a used row is made again.
bool SizeOverlapSims::UserDefinedHistogram(std::vector<double>& Target) {
  if (!FHasWeight) return false;
  if (FRowSizes.size() < Target.size()) return GiveUp();  // the line can never be filled
  std::fill(Target.begin(), Target.end(), 0.0);
  std::fill(FRowUsed.begin(), FRowUsed.end(), 0);
  const size_t last = FRowSizes.size() - 1;
  for (double& value : Target) {
    int32_t k = 0;
    for (;; ++k) {
      if (k == kMaxRedraws) return GiveUp();
      if (FPoll()) return false;
      const double u = RandomReal();
      const size_t row = std::min(
          last, static_cast<size_t>(std::lower_bound(FCumulative.begin(), FCumulative.end(), u) - FCumulative.begin()));
      if (FRowUsed[row]) continue;
      FRowUsed[row] = 1;
      value = FRowSizes[row];
      break;
    }
  }
  return true;
}
