// Finding a position on a number line (element 0 the weight sum, element i the probability of
// row or column i) for a drawn real x in [0, 1).
//
// The reference rule is a walk: j := 0, cum := 0; repeat j := j + 1, cum := cum + line[j]
// until cum passes x; a walk that runs off the end (rounding of the normalised weights)
// stops at the last element. "Passes" is cum > x for one generator and cum >= x for the
// others, which decides which neighbour a tie goes to (and whether a leading zero weight can
// be chosen when x is exactly 0).
//
// The walk is O(length) per draw. This keeps the same partial sums (added in the same order,
// so the same doubles) and finds the first index that passes by binary search. A bracket
// table over 2^b equal slices of [0, 1) narrows the search first: bracket[k] is the answer
// for x = k / 2^b under the >= rule, and since the answer only grows with x, the answer for
// any x in [k / 2^b, (k + 1) / 2^b) lies in [bracket[k], bracket[k + 1]] under either rule.
// (k / 2^b and x * 2^b are exact: scaling by a power of two only moves the exponent.)
// Negative weights make the partial sums non-monotone; such a line is walked as written.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/common/MatrixTypes.h"

class NumberLineSearch {
 public:
  // Rebuilds the partial sums and the bracket table for line (size >= 2). Allocates only
  // when the line is longer than any line seen before.
  void Build(const NumberLine& line);

  // The first j in 1..last with cum[j] > x (strict) or cum[j] >= x (not strict); last when
  // no j passes.
  int32_t FindStrict(double x) const { return Find<true>(x); }
  int32_t FindAtLeast(double x) const { return Find<false>(x); }

 private:
  template <bool Strict>
  static bool Passes(double cum, double x) {
    if constexpr (Strict) return cum > x;
    else return cum >= x;
  }

  template <bool Strict>
  int32_t Find(double x) const {
    if (!monotone_) {
      for (int32_t j = 1; j < last_; ++j)
        if (Passes<Strict>(cum_[j], x)) return j;
      return last_;
    }
    const auto k = static_cast<int32_t>(x * slices_);
    int32_t lo = bracket_[k];
    const int32_t hi = bracket_[k + 1];
    // Invariant: the answer lies in [lo, hi]; hi is the answer when nothing below it passes.
    // With four slices per element most brackets hold one candidate or two; two are settled
    // by one comparison without a branch.
    if (hi - lo == 1) return lo + !Passes<Strict>(cum_[lo], x);
    int32_t top = hi;
    while (lo < top) {
      const int32_t mid = lo + ((top - lo) >> 1);
      if (Passes<Strict>(cum_[mid], x)) top = mid;
      else lo = mid + 1;
    }
    return lo;
  }

  std::vector<double> cum_;         // cum_[j] = line[1] + ... + line[j], summed left to right
  std::vector<int32_t> bracket_;    // slices_ + 1 entries
  int32_t last_ = 1;                // index of the line's last element
  int32_t slices_ = 1;              // a power of two, at least four times the line's length
  bool monotone_ = true;
};
