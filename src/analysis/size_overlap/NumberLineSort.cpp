#include "analysis/size_overlap/NumberLineSort.h"

#include <algorithm>
#include <cmath>

#include "analysis/common/ZorvanHelpersStatistics.h"

namespace {

// Buckets of this many values or fewer are sorted by insertion.
constexpr uint32_t kInsertionLimit = 16;
// Buckets per value of the line.
constexpr size_t kBucketsPerValue = 4;

void InsertionSort(double* first, double* last) {
  for (double* i = first + 1; i < last; ++i) {
    const double v = *i;
    double* j = i;
    for (; j > first && v < j[-1]; --j) *j = j[-1];
    *j = v;
  }
}

}  // namespace

void NumberLineSort::Reserve(size_t n) {
  FBucket.resize(n);
  FStart.resize(kBucketsPerValue * n + 1);
  FOut.resize(n);
}

void NumberLineSort::Sort(std::vector<double>& Line) {
  const size_t n = Line.size();
  if (n < 2) return;
  if (FOut.size() < n) Reserve(n);
  double lo = Line[0], hi = Line[0];
  bool finite = true;
  for (double v : Line) {
    finite = finite && std::isfinite(v);
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  const double width = hi - lo;
  if (!finite || !std::isfinite(width) || !(width > 0)) {
    QuickSortReals(Line, 0, static_cast<Integer>(n) - 1);
    return;
  }
  // 4n buckets over [lo, hi], so that two values seldom share one; the scale keeps every index
  // below their count.
  const size_t buckets = kBucketsPerValue * n;
  const double scale = static_cast<double>(buckets) / width * (1 - 1e-9);
  std::fill(FStart.begin(), FStart.begin() + static_cast<std::ptrdiff_t>(buckets) + 1, 0);
  for (size_t i = 0; i < n; ++i) {
    const uint32_t b =
        std::min(static_cast<uint32_t>((Line[i] - lo) * scale), static_cast<uint32_t>(buckets - 1));
    FBucket[i] = b;
    ++FStart[b + 1];
  }
  for (size_t b = 1; b <= buckets; ++b) FStart[b] += FStart[b - 1];
  for (size_t i = 0; i < n; ++i) FOut[FStart[FBucket[i]]++] = Line[i];
  // Each bucket's fill now stands at the next bucket's first slot. A crowded bucket gets the
  // library sort; then one insertion pass over the whole line finishes the small buckets
  // without a branch per bucket, moving a value only inside its own bucket.
  uint32_t from = 0;
  for (size_t b = 0; b < buckets; ++b) {
    const uint32_t to = FStart[b];
    if (to - from > kInsertionLimit) std::sort(FOut.begin() + from, FOut.begin() + to);
    from = to;
  }
  InsertionSort(FOut.data(), FOut.data() + n);
  std::copy(FOut.begin(), FOut.begin() + static_cast<std::ptrdiff_t>(n), Line.begin());
}
