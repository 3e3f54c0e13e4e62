#include "analysis/common/ZorvanHelpersStatistics.h"

#include "analysis/common/RegressionYSums.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "classlib/Exceptions.h"
#include "classlib/Math.h"
#include "classlib/SysUtils.h"

intervalArray Intervals{};
frequencyArray Frequencies{};

namespace {

constexpr double kEqualTolerance = 1e-15;
constexpr double kVarianceTolerance = 1e-17;
constexpr const char* kCrLf = "\r\n";

// The number of values a count asks for: none when it is not positive. A count beyond the
// array would read past its end, so it raises instead of being cut silently to the array.
size_t Count(Integer n, size_t size) {
  if (n <= 0) return 0;
  if (static_cast<size_t>(n) > size) RaiseRangeError();
  return static_cast<size_t>(n);
}

// First..Last must lie inside the array whenever there is something to sort.
template <class T>
bool SortRange(const std::vector<T>& Values, Integer First, Integer Last) {
  if (First >= Last) return false;
  if (First < 0 || static_cast<size_t>(Last) >= Values.size()) RaiseRangeError();
  return true;
}

std::vector<double> ListValues(const TStrings& list) {
  std::vector<double> v(static_cast<size_t>(list.Count()));
  for (Integer i = 0; i < list.Count(); ++i) v[static_cast<size_t>(i)] = ReadListNumber(list[i]);
  return v;
}

// Sorted order with NaN (which no simulated value should be) placed last, so the order is
// always a strict weak ordering and the sort stays well-defined.
bool RealBefore(double a, double b) { return a < b || (!std::isnan(a) && std::isnan(b)); }

template <class T>
void TailCounts(const T* values, size_t count, double observed, bool tolerant, Integer& greater, Integer& equal,
                Integer& less) {
  greater = equal = less = 0;
  for (size_t i = 0; i < count; ++i) {
    const double s = static_cast<double>(values[i]);
    if (tolerant ? std::fabs(observed - s) <= kEqualTolerance : observed == s) ++equal;
    else if (observed > s) ++greater;
    else if (observed < s) ++less;
  }
}

// Fills the shared edges and counts from values[0..count-1] (count >= 1). With strictLowBin a
// value must be at least e(0) to enter bin 0, and anything else goes to the top bin.
template <class T>
void BuildCore(const T* values, size_t count, bool strictLowBin) {
  Frequencies.fill(0);
  if (count == 0) {
    Intervals.fill(0.0);
    return;
  }
  const double first = static_cast<double>(values[0]);
  const double last = static_cast<double>(values[count - 1]);
  const double lo = std::min(first, last);
  const double hi = std::max(first, last);
  const double w = (hi - lo) / 12.0;
  Intervals[0] = lo;
  for (size_t k = 1; k <= 12; ++k) Intervals[k] = Intervals[k - 1] + w;
  for (size_t i = 0; i < count; ++i) {
    const double v = static_cast<double>(values[i]);
    size_t bin = 11;
    if (v < Intervals[1] && (!strictLowBin || v >= Intervals[0])) {
      bin = 0;
    } else {
      for (size_t k = 1; k <= 10; ++k) {
        if (v >= Intervals[k] && v < Intervals[k + 1]) {
          bin = k;
          break;
        }
      }
    }
    ++Frequencies[bin];
  }
}

String MarkerFor(double observed) {
  String marker;
  for (Integer p = HistogramPosition(observed); p > 0; --p) marker += kCrLf;
  return marker;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void CalculateMeanVariance(Integer n, const std::vector<double>& Values, double& Mean, double& Variance) {
  const size_t m = Count(n, Values.size());
  double sum = 0;
  for (size_t i = 0; i < m; ++i) sum += Values[i];
  Mean = m > 0 ? sum / static_cast<double>(m) : 0.0;
  double s = 0;
  for (size_t i = 0; i < m; ++i) s += (Values[i] - Mean) * (Values[i] - Mean);
  if (s == 0 || m < 2) {
    Variance = 0;
    return;
  }
  const double d = s / static_cast<double>(m - 1);
  Variance = std::fabs(d) <= kVarianceTolerance ? 0.0 : d;
}

void CalculateMeanVariance_Integer(Integer n, const std::vector<Integer>& Values, double& Mean, double& Variance) {
  const size_t m = Count(n, Values.size());
  double sum = 0;
  for (size_t i = 0; i < m; ++i) sum += Values[i];
  Mean = m > 0 ? sum / static_cast<double>(m) : 0.0;
  double s = 0;
  for (size_t i = 0; i < m; ++i) s += (Values[i] - Mean) * (Values[i] - Mean);
  Variance = m >= 2 ? s / static_cast<double>(m - 1) : 0.0;
}

void CalculateMeanVariance_List(const TStrings& List, double& Mean, double& Variance) {
  const std::vector<double> v = ListValues(List);
  double sum = 0;
  for (double x : v) sum += x;
  Mean = v.empty() ? 0.0 : sum / static_cast<double>(v.size());
  double s = 0;
  for (double x : v) s += (x - Mean) * (x - Mean);
  Variance = (s == 0 || v.size() < 2) ? 0.0 : s / static_cast<double>(v.size() - 1);
}

void CalculateMedian(std::vector<double>& Values, double& Median) {
  if (Values.empty()) return;
  QuickSortReals(Values, 0, static_cast<Integer>(Values.size()) - 1);
  const size_t m = Values.size() / 2;
  Median = Values.size() % 2 == 1 ? Values[m] : (Values[m - 1] + Values[m]) * 0.5;
}

void CalculateMedian_List(const TStrings& List, double& Median) {
  std::vector<double> v = ListValues(List);
  CalculateMedian(v, Median);
}

double FindMinimum(Integer n, const std::vector<double>& Values) {
  const size_t m = Count(n, Values.size());
  if (Values.empty()) return 0;
  double r = Values[0];
  for (size_t i = 0; i < m; ++i)
    if (Values[i] < r) r = Values[i];
  return r;
}

double FindMaximum(Integer n, const std::vector<double>& Values) {
  const size_t m = Count(n, Values.size());
  if (Values.empty()) return 0;
  double r = Values[0];
  for (size_t i = 0; i < m; ++i)
    if (Values[i] > r) r = Values[i];
  return r;
}

// The library sort is an introsort: O(n log n) and bounded depth whatever the input, runs of
// equal values included.
void QuickSortReals(std::vector<double>& Values, Integer First, Integer Last) {
  if (!SortRange(Values, First, Last)) return;
  // Through a lambda, so that the comparison is inlined rather than called through a pointer.
  std::sort(Values.begin() + First, Values.begin() + Last + 1, [](double a, double b) { return RealBefore(a, b); });
}

void QuickSortIntegers(std::vector<Integer>& Values, Integer First, Integer Last) {
  if (!SortRange(Values, First, Last)) return;
  std::sort(Values.begin() + First, Values.begin() + Last + 1);
}

void CalculateTailCounts(Integer n, const std::vector<double>& Simulated, double Observed, double& P1, double& P2,
                         Integer& Greater, Integer& Equal, Integer& Less) {
  TailCounts(Simulated.data(), Count(n, Simulated.size()), Observed, true, Greater, Equal, Less);
  if (n <= 0) {
    P1 = P2 = 0;
    return;
  }
  P1 = static_cast<double>(Greater + Equal) / n;
  P2 = static_cast<double>(Less + Equal) / n;
}

void CalculateTailCounts_Integer(Integer Iterations, const std::vector<Integer>& Simulated, double Observed,
                                 double& P1, double& P2, Integer& Greater, Integer& Equal, Integer& Less) {
  TailCounts(Simulated.data(), Count(Iterations, Simulated.size()), Observed, false, Greater, Equal, Less);
  if (Iterations <= 0) {
    P1 = P2 = 0;
    return;
  }
  P1 = static_cast<double>(Greater + Equal) / Iterations;
  P2 = static_cast<double>(Less + Equal) / Iterations;
}

void CalculateTailCounts_List(const TStrings& Simulated, double Observed, double& P1, double& P2, Integer& Greater,
                              Integer& Equal, Integer& Less) {
  const std::vector<double> v = ListValues(Simulated);
  TailCounts(v.data(), v.size(), Observed, true, Greater, Equal, Less);
  if (v.empty()) return;
  P1 = static_cast<double>(Greater + Equal) / static_cast<double>(v.size());
  P2 = static_cast<double>(Less + Equal) / static_cast<double>(v.size());
}

// ---------------------------------------------------------------------------------------------

Integer HistogramPosition(double Observed) {
  if (Observed < Intervals[0]) return 0;
  if (Observed <= Intervals[1]) return 1;
  for (Integer k = 2; k <= 12; ++k)
    if (Observed > Intervals[static_cast<size_t>(k - 1)] && Observed <= Intervals[static_cast<size_t>(k)]) return k;
  return 13;
}

void BuildHistogram(Integer Iterations, const std::vector<double>& Sorted, double Observed, String& Marker) {
  BuildCore(Sorted.data(), Count(Iterations, Sorted.size()), true);
  Marker = MarkerFor(Observed);
}

void BuildHistogram_LastIndex(Integer LastIndex, const std::vector<double>& Sorted, double Observed, String& Marker) {
  BuildCore(Sorted.data(), Count(LastIndex + 1, Sorted.size()), false);
  Marker = MarkerFor(Observed);
}

void BuildHistogram_Integer(Integer LastIndex, const std::vector<Integer>& Sorted, double Observed, String& Marker) {
  BuildCore(Sorted.data(), Count(LastIndex + 1, Sorted.size()), false);
  Marker = MarkerFor(Observed);
}

void HistogramToText(String& EdgesText, String& CountsText) {
  EdgesText = kCrLf;
  CountsText = kCrLf;
  for (size_t k = 0; k < 12; ++k) {
    EdgesText += StatText(Intervals[k]) + " " + StatText(Intervals[k + 1]) + kCrLf;
    CountsText += IntToStr(Frequencies[k]) + kCrLf;
  }
}

void HistogramToColumns(String& LowerEdgesText, String& UpperEdgesText, String& CountsText) {
  LowerEdgesText = kCrLf;
  UpperEdgesText = kCrLf;
  CountsText = kCrLf;
  for (size_t k = 0; k < 12; ++k) {
    LowerEdgesText += StatText(Intervals[k]) + kCrLf;
    UpperEdgesText += StatText(Intervals[k + 1]) + kCrLf;
    CountsText += IntToStr(Frequencies[k]) + kCrLf;
  }
}

namespace {
// The lines of a CR LF text, exactly Count of them ("" beyond its end).
std::vector<String> TextLines(const String& Text, size_t Count) {
  std::vector<String> lines;
  lines.reserve(Count);
  size_t from = 0;
  while (lines.size() < Count) {
    const size_t end = Text.find(kCrLf, from);
    if (end == String::npos) {
      lines.push_back(from < Text.size() ? Text.substr(from) : String());
      from = Text.size();
    } else {
      lines.push_back(Text.substr(from, end - from));
      from = end + 2;
    }
  }
  return lines;
}
}  // namespace

std::vector<String> HistogramSummaryLines(const String& EdgesText, const String& CountsText, size_t Count) {
  const std::vector<String> edges = TextLines(EdgesText, Count);
  const std::vector<String> counts = TextLines(CountsText, Count);
  std::vector<String> lines(Count);
  for (size_t k = 0; k < Count; ++k) lines[k] = edges[k] + "  " + counts[k];
  return lines;
}

// ---------------------------------------------------------------------------------------------

void CalculateCircularStatistics(Integer n, const std::vector<double>& Angles, double& MeanDirection,
                                 double& Dispersion) {
  const size_t m = Count(n, Angles.size());
  if (m == 0) {
    MeanDirection = 0;
    Dispersion = 0;
    return;
  }
  constexpr long double kRad = 3.14159265358979323846264338327950288L / 180.0L;
  long double s = 0, c = 0;
  for (size_t i = 0; i < m; ++i) {
    s += std::sin(Angles[i] * kRad);
    c += std::cos(Angles[i] * kRad);
  }
  const long double r = std::sqrt(s * s + c * c);
  // The direction of the resultant, both sums' signs kept, so the mean of 300 and 320 degrees
  // is 310 and of 350 and 10 degrees is 0.
  double direction = 0;
  if (r > 0) {
    direction = static_cast<double>(std::atan2(s, c) / kRad);
    if (direction < 0) direction += 360.0;
    if (direction >= 360.0) direction -= 360.0;
  }
  MeanDirection = direction;
  Dispersion = static_cast<double>(1.0L - r / static_cast<long double>(m));
}

bool SumExactInAnyOrder(const std::vector<double>& Values, size_t Count) {
  int lowest = std::numeric_limits<int>::max();  // exponent of the lowest bit set in any value
  long double total = 0;
  for (size_t i = 0; i < Count && i < Values.size(); ++i) {
    const double v = Values[i];
    if (!std::isfinite(v)) return false;
    if (v == 0) continue;
    int exponent = 0;
    const double fraction = std::frexp(v, &exponent);
    const auto significand = static_cast<uint64_t>(std::fabs(std::ldexp(fraction, 53)));
    lowest = std::min(lowest, exponent - 53 + std::countr_zero(significand));
    total += std::fabs(v);
  }
  // The total of the absolute values is rounded at most a little; half the room covers that.
  return lowest == std::numeric_limits<int>::max() || total < std::ldexp(1.0L, lowest + 63);
}

long double CalculateRegressionYSums(RegressionSums& Sums, const std::vector<double>& X, const std::vector<double>& Y) {
  const size_t m = Sums.Count;
  // A total that no order changes is kept; the squared deviations and the cross product are
  // not exact, so they are summed in Y's order as it now stands.
  long double sumY = Sums.SumY;
  if (!Sums.SumYFixed) {
    sumY = 0;
    for (size_t i = 0; i < m; ++i) sumY += Y[i];
  }
  const long double meanY = m > 0 ? sumY / m : 0;
  // Two independent sums in one pass: each waits only for itself.
  long double sxy = 0, syy = 0;
  for (size_t i = 0; i < m; ++i) {
    sxy += static_cast<long double>(X[i]) * Y[i];
    syy += (Y[i] - meanY) * (Y[i] - meanY);
  }
  Sums.SumY = sumY;
  Sums.MeanY = meanY;
  Sums.Syy = syy;
  return sxy;
}

RegressionSums CalculateRegressionSums(const std::vector<double>& X, const std::vector<double>& Y, Integer n) {
  RegressionSums s;
  const size_t m = Count(n, std::min(X.size(), Y.size()));
  s.Count = m;
  for (size_t i = 0; i < m; ++i) s.SumX += X[i];
  s.MeanX = m > 0 ? s.SumX / m : 0;
  for (size_t i = 0; i < m; ++i) s.Sxx += (X[i] - s.MeanX) * (X[i] - s.MeanX);
  CalculateRegressionYSums(s, X, Y);
  s.SumYFixed = SumExactInAnyOrder(Y, m);
  return s;
}

long double CrossProductSum(const std::vector<double>& X, const std::vector<double>& Y, size_t Count) {
  long double sxy = 0;
  for (size_t i = 0; i < Count; ++i) sxy += static_cast<long double>(X[i]) * Y[i];
  return sxy;
}

void RegressionFromSums(const RegressionSums& Sums, long double Sxy, double& Slope, double& Intercept, double& R) {
  const size_t m = Sums.Count;
  const long double cov = m > 0 ? Sxy - Sums.SumX * Sums.SumY / m : 0;
  const long double slope = Sums.Sxx > 0 ? cov / Sums.Sxx : 0;
  Slope = static_cast<double>(slope);
  Intercept = static_cast<double>(Sums.MeanY - Sums.MeanX * slope);
  R = Sums.Sxx * Sums.Syy > 0 ? static_cast<double>(cov / std::sqrt(Sums.Sxx * Sums.Syy)) : 0.0;
}

void CalculateRegression(const std::vector<double>& X, const std::vector<double>& Y, Integer n, double& Slope,
                         double& Intercept, double& R) {
  const RegressionSums sums = CalculateRegressionSums(X, Y, n);
  RegressionFromSums(sums, CrossProductSum(X, Y, sums.Count), Slope, Intercept, R);
}

void CalculateSlope(const std::vector<double>& X, const std::vector<double>& Y, Integer n, double& Slope) {
  double intercept, r;
  CalculateRegression(X, Y, n, Slope, intercept, r);
}

// ---------------------------------------------------------------------------------------------

double FiniteStatistic(double Value) {
  if (!std::isfinite(Value)) RaiseOverflow();
  return Value;
}

String FixedText(double Value) { return FloatToStrF(Value, ffFixed, 7, 5); }

String StatText(double Value) { return FixedText(FiniteStatistic(Value)); }

double StandardizedEffectSize(double Observed, double Mean, double Variance) {
  return Variance > 0 ? (Observed - Mean) / std::sqrt(Variance) : 0.0;
}

String StandardizedEffectSizeLine(double EffectSize) { return kSesLabel + StatText(EffectSize); }
String LowerTailLine(double P1) { return kLowerTailLabel + StatText(P1); }
String UpperTailLine(double P2) { return kUpperTailLabel + StatText(P2); }

String ObservedMarkerText(const String& Marker, const String& ObservedText) {
  return Marker + ObservedText + kObservedArrow;
}
