// The size-overlap null model and metrics. The body sizes of one column form a number line;
// sorted, they cut it into segments (the gaps between neighbours), and the metric of the
// segments (the smallest gap, or the variance of the gaps) says how evenly the sizes are spaced.
// A simulated line holds as many sizes drawn from a chosen distribution: uniform, normal,
// log-uniform or log-normal, with parameters taken from the data or typed by the user, or the
// user's histogram of source-pool sizes drawn without replacement.
//
// Contract: plain data in and out; no forms. Draws go through the one random source in a fixed
// order (target positions 0 .. n - 1 in turn, each value with its redraws before the next), so a
// seed gives a fixed sequence. Loops whose end is down to chance (redraws of values that are
// not positive, the histogram's draw of unused rows) poll for an interrupt and give up after
// kMaxRedraws draws with kRestraintsMessage. Begin sizes every scratch buffer; a draw allocates
// nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/common/RunServices.h"

enum class SizeDistribution { Uniform, Normal, LogUniform, LogNormal, Histogram };
enum class SizeMetric { MinimumSegment, SegmentVariance };

struct SizeOverlapOptions {
  SizeMetric Metric = SizeMetric::SegmentVariance;
  SizeDistribution Distribution = SizeDistribution::Uniform;
  // The parameters are the user's (below) rather than the data's.
  bool UserDefined = false;
  // Rounding "Integer": whole sizes of at least 1; read by the Uniform and Normal generators only.
  bool IntegerSizes = false;
  // Transformation "Log (size ratios)": segments between log10 sizes.
  bool LogTransform = true;
  // The user's end points, or mean and standard deviation, on the distribution's scale.
  double Minimum = 0, Maximum = 1;
  double Mean = 5, SD = 1;
  // The histogram's rows: size and colonization weight of each source-pool species.
  std::vector<double> HistogramSizes, HistogramWeights;
};

// The parameters of the last parametric draw, which the summary prints.
struct SizeDistributionParameters {
  double Minimum = 0, Maximum = 0, Mean = 0, SD = 0;
};

// Draws for one value (or one histogram position) before the null model gives up.
inline constexpr int32_t kMaxRedraws = 199999;

bool IsLogDistribution(SizeDistribution Distribution);

// ---- scales. Target gets Source's length; Source may be Target.

// The distribution's scale: log10 for the log distributions (0 for a value not above 0).
void DistributionTransform(SizeDistribution Distribution, const std::vector<double>& Source,
                           std::vector<double>& Target);
// Back to sizes: 10^x for the log distributions.
void DistributionBackTransform(SizeDistribution Distribution, const std::vector<double>& Source,
                               std::vector<double>& Target);
// The transformation's scale: log10 (0 for a value not above 0) with LogTransform.
void TransformNumberLine(bool LogTransform, const std::vector<double>& Source, std::vector<double>& Target);

// ---- segments and metric

// Segment i := Sorted[i + 1] - Sorted[i]; Segments gets one element fewer than Sorted.
void CalculateSegments(const std::vector<double>& Sorted, std::vector<double>& Segments);
// The smallest segment, or the sample variance of the segments (0 for a single one).
double SegmentMetric(SizeMetric Metric, const std::vector<double>& Segments);

// ---- the histogram's rows

// Rows that can be drawn: a size above 0 and a weight above 0.
int32_t CountDrawableRows(const std::vector<double>& Sizes, const std::vector<double>& Weights);

// ---- the null model

class SizeOverlapSims {
 public:
  // Takes a run's options and services and sizes the histogram's scratch.
  void Begin(const SizeOverlapOptions& Options, PollFn Poll, MessageSink Messages);

  // Target := n sizes on the distribution's scale, drawn from the selected distribution;
  // Source holds the observed sizes on that scale. False when the draw stopped: the user
  // aborted, the restraints could not be met (after kRestraintsMessage), or the histogram has
  // no weight to draw by (silently).
  bool RandomizeNumberLine(const std::vector<double>& Source, std::vector<double>& Target);

  const SizeDistributionParameters& Parameters() const { return FParameters; }

 private:
  bool Uniform(double Minimum, double Maximum, bool KeepEnds, bool WholeSizes, const std::vector<double>& Source,
               std::vector<double>& Target);
  bool UserUniformIntegers(std::vector<double>& Target);
  bool Normal(double Mean, double SD, bool Positive, bool WholeSizes, std::vector<double>& Target);
  bool UserDefinedHistogram(std::vector<double>& Target);
  // One value drawn by Draw, again while it is not acceptable; false after kMaxRedraws draws
  // (message sent) or an interrupt.
  template <typename DrawFn, typename AcceptFn>
  bool DrawUntil(DrawFn Draw, AcceptFn Accept, double& Value);
  bool GiveUp();

  SizeOverlapOptions FOptions;
  PollFn FPoll;
  MessageSink FMessages;
  SizeDistributionParameters FParameters;
  // The drawable histogram rows: their sizes and the running sums of their selection
  // probabilities, and whether each is in the current line.
  std::vector<double> FRowSizes;
  std::vector<double> FCumulative;
  std::vector<uint8_t> FRowUsed;
  bool FHasWeight = false;
};
