// The statistics every analysis reports over its simulated index values: mean and sample
// variance, median, extremes, ascending sorts, tail counts and probabilities of the observed
// value, the shared 12-bin histogram with its texts, the circular mean of angles and the
// least-squares line, plus the standardized-effect-size and tail-probability texts.
//
// The routines write their results to the caller's variables. Counts that the main window
// holds (the number of iterations) are passed in by the caller; a count or index range beyond
// the array handed over raises ERangeError rather than reading past its end. Numbers are
// rendered in the fixed format (7 significant digits, 5 decimals, regional decimal separator);
// line breaks are CR LF.
#pragma once

#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "classlib/StringList.h"
#include "classlib/Types.h"

// ---- the one histogram of the program: 13 bin edges e(0..12) and 12 counts c(0..11).
// The builders overwrite both; the text routines read them. An analysis renders its histogram
// before it builds the next one.
extern intervalArray Intervals;
extern frequencyArray Frequencies;

// ---- mean and sample variance (n - 1)

// First n values. The variance is 0 when the sum of squared deviations is exactly 0 or the
// quotient lies within 1e-17 of 0.
void CalculateMeanVariance(Integer n, const std::vector<double>& Values, double& Mean, double& Variance);
// First n integer values; the variance is S / (n - 1) for n >= 2, with no tolerance.
void CalculateMeanVariance_Integer(Integer n, const std::vector<Integer>& Values, double& Mean, double& Variance);
// The list's numbers (read with '.' or the regional separator); the variance is 0 only when the
// sum of squared deviations is exactly 0.
void CalculateMeanVariance_List(const TStrings& List, double& Mean, double& Variance);

// ---- median, extremes, sorts

// Sorts Values ascending in place, then the middle element (odd count) or the mean of the two
// middle ones. An empty array leaves Median unchanged.
void CalculateMedian(std::vector<double>& Values, double& Median);
void CalculateMedian_List(const TStrings& List, double& Median);
// Smallest / largest of the first n values (element 0 when n <= 0; 0 for an empty array and
// n <= 0).
double FindMinimum(Integer n, const std::vector<double>& Values);
double FindMaximum(Integer n, const std::vector<double>& Values);
// Ascending, in place, elements First..Last. Long runs of equal values are fine.
void QuickSortReals(std::vector<double>& Values, Integer First, Integer Last);
void QuickSortIntegers(std::vector<Integer>& Values, Integer First, Integer Last);

// ---- tail counts: how often the observed value is greater than, equal to or less than a
// simulated value. P1 = (greater + equal) / n shows as "p(observed <= expected)", P2 =
// (less + equal) / n as "p(observed >= expected)".

// Values 0..n-1; equal within 1e-15. n = 0 gives P1 = P2 = 0.
void CalculateTailCounts(Integer n, const std::vector<double>& Simulated, double Observed, double& P1, double& P2,
                         Integer& Greater, Integer& Equal, Integer& Less);
// Values 0..Iterations-1, compared exactly.
void CalculateTailCounts_Integer(Integer Iterations, const std::vector<Integer>& Simulated, double Observed,
                                 double& P1, double& P2, Integer& Greater, Integer& Equal, Integer& Less);
// All the list's numbers, equal within 1e-15. An empty list gives zero counts and leaves P1
// and P2 unchanged.
void CalculateTailCounts_List(const TStrings& Simulated, double Observed, double& P1, double& P2,
                              Integer& Greater, Integer& Equal, Integer& Less);

// ---- the histogram. Values are sorted ascending. The edges run from the smaller to the larger
// of the first and last value in 12 equal steps, each edge the previous one plus the step; a
// value goes to the bin whose edges hold it [e(k), e(k+1)), the top bin also taking everything
// from e(11) up. Marker: as many CR LF as the observed value's position p (0 below e(0),
// 1 in [e(0), e(1)], k in (e(k-1), e(k)], 13 above e(12)).

// Values 0..Iterations-1; a value below e(0) counts in the top bin.
void BuildHistogram(Integer Iterations, const std::vector<double>& Sorted, double Observed, String& Marker);
// Values 0..LastIndex.
void BuildHistogram_LastIndex(Integer LastIndex, const std::vector<double>& Sorted, double Observed, String& Marker);
void BuildHistogram_Integer(Integer LastIndex, const std::vector<Integer>& Sorted, double Observed, String& Marker);
// The observed value's position p (0..13) against the current edges.
Integer HistogramPosition(double Observed);

// Each text starts with CR LF, so that line k + 1 shows bin k. Edges: "e(k) e(k+1)" per line;
// counts: one count per line.
void HistogramToText(String& EdgesText, String& CountsText);
void HistogramToColumns(String& LowerEdgesText, String& UpperEdgesText, String& CountsText);
// The histogram as summary lines: line k joins line k of the edges text and line k of the
// counts text with two blanks ("" beyond a text's end), for k = 0 .. Count-1.
std::vector<String> HistogramSummaryLines(const String& EdgesText, const String& CountsText, size_t Count);

// ---- circular statistics and least squares

// Mean direction of the first n angles (degrees): the direction of their resultant, in
// [0, 360); 0 when the resultant is 0 or n <= 0. Dispersion = 1 - R / n (0 for n <= 0).
void CalculateCircularStatistics(Integer n, const std::vector<double>& Angles, double& MeanDirection,
                                 double& Dispersion);
// Y regressed on X over the first n points; slope 0 when X does not vary, r 0 when X or Y
// does not vary.
void CalculateRegression(const std::vector<double>& X, const std::vector<double>& Y, Integer n, double& Slope,
                         double& Intercept, double& R);
// The parts of CalculateRegression apart, for a run that pairs the same values again and
// again: the sums that do not depend on the pairing (totals, squared deviations from the means;
// extended precision, in point order), the cross product sum, and the line from the two.
struct RegressionSums {
  size_t Count = 0;
  long double SumX = 0, SumY = 0, MeanX = 0, MeanY = 0, Sxx = 0, Syy = 0;
  // Whether the extended total of Y is the same in every order (see SumExactInAnyOrder), so
  // that a permutation of Y leaves SumY and MeanY as they are.
  bool SumYFixed = false;
};
// Whether adding up Values[0 .. Count) in extended precision gives the same total in every
// order: each value a whole multiple of one power of two 2^e, and the total of their absolute
// values below 2^(e + 63), so that every partial sum is exact in the 64-bit significand.
bool SumExactInAnyOrder(const std::vector<double>& Values, size_t Count);
RegressionSums CalculateRegressionSums(const std::vector<double>& X, const std::vector<double>& Y, Integer n);
long double CrossProductSum(const std::vector<double>& X, const std::vector<double>& Y, size_t Count);
void RegressionFromSums(const RegressionSums& Sums, long double Sxy, double& Slope, double& Intercept, double& R);
void CalculateSlope(const std::vector<double>& X, const std::vector<double>& Y, Integer n, double& Slope);

// ---- reporting conventions

// A statistic that is shown or written must be a number: an infinity or a NaN (a sum of squares
// or a quotient beyond the range of a double) raises EOverflow ("Floating point overflow"),
// which ends the run before its results are shown or its batch row is written.
double FiniteStatistic(double Value);
// Fixed format: 7 significant digits, 5 decimals, regional decimal separator.
String FixedText(double Value);
// FixedText of a statistic, checked by FiniteStatistic: every number a run shows, writes to a
// file or passes to the batch row goes through here.
String StatText(double Value);
// (Observed - Mean) / sqrt(Variance) when Variance > 0, else 0.
double StandardizedEffectSize(double Observed, double Mean, double Variance);
// "Standardized Effect Size = " + the effect size's text.
String StandardizedEffectSizeLine(double EffectSize);
// "p(observed <= expected) = " + P1's text, "p(observed >= expected) = " + P2's text.
String LowerTailLine(double P1);
String UpperTailLine(double P2);
// The observed value beside its histogram bin: marker, value text, ".................>".
String ObservedMarkerText(const String& Marker, const String& ObservedText);

inline constexpr const char* kSesLabel = "Standardized Effect Size = ";
inline constexpr const char* kLowerTailLabel = "p(observed <= expected) = ";
inline constexpr const char* kUpperTailLabel = "p(observed >= expected) = ";
inline constexpr const char* kObservedArrow = ".................>";
