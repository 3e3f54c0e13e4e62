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
// Negative weights make the partial sums non-monotone; such a line (or one with weights that
// are not finite numbers) is walked as written.
//
// The fills draw their reals from the random source, x = state / 2^32 for the source's
// 32-bit state, and ask by state. Slice k then holds the states whose top b bits are k, and
// per rule a slice table answers from one entry: the answer at the slice's first state and
// the last state that still has it. With at least two slices per element, an element
// boundary falls inside most slices at most once, so the answer is that entry's base, plus
// one above its last state; the rare slice with more boundaries is searched as above.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "analysis/common/MatrixTypes.h"

class NumberLineSearch {
 public:
  // Rebuilds the partial sums and tables for line (size >= 2); a line equal to the one of
  // the last build changes nothing (the proportional lines are rebuilt from the same totals
  // for every matrix). Allocates only when the line is longer than any line seen before.
  void Build(const NumberLine& line);

  // The first j in 1..last with cum[j] > x (strict) or cum[j] >= x (not strict); last when
  // no j passes.
  int32_t FindStrict(double x) const { return Find<true>(x, Slice(x)); }
  int32_t FindAtLeast(double x) const { return Find<false>(x, Slice(x)); }

  // The same for the real RandomReal returns when it leaves the random source in `state`,
  // state / 2^32. (Unsigned, so that using it as an offset costs no sign extension.)
  uint32_t FindStrictForState(uint32_t state) const { return FindForState<true>(state); }
  uint32_t FindAtLeastForState(uint32_t state) const { return FindForState<false>(state); }

 private:
  // The answer for the states of one slice: base up to and including `last`, base + 1
  // above it. base 0 (no answer is): the slice is searched (more than one boundary, or a
  // walked line).
  struct SliceAnswer {
    uint32_t base;
    uint32_t last;
  };

  template <bool Strict>
  static bool Passes(double cum, double x) {
    if constexpr (Strict) return cum > x;
    else return cum >= x;
  }

  static double RealOf(uint32_t state) { return static_cast<double>(state) * (1.0 / 4294967296.0); }
  int32_t Slice(double x) const { return static_cast<int32_t>(x * slices_); }

  template <bool Strict>
  uint32_t FindForState(uint32_t state) const {
    const uint32_t k = state >> shift_;
    const SliceAnswer a = (Strict ? strictSlices_ : atLeastSlices_)[k];
    if (a.base == 0) [[unlikely]]
      return static_cast<uint32_t>(Find<Strict>(RealOf(state), static_cast<int32_t>(k)));
    return a.base + (state > a.last);
  }

  template <bool Strict>
  int32_t Find(double x, int32_t k) const {
    if (!monotone_) [[unlikely]] {
      for (int32_t j = 1; j < last_; ++j)
        if (Passes<Strict>(cum_[j], x)) return j;
      return last_;
    }
    int32_t lo = bracket_[k];
    int32_t hi = bracket_[k + 1];
    // Invariant: the answer lies in [lo, hi]; hi is the answer when nothing below it passes.
    // Wide brackets (elements far narrower than a slice) are first halved down to kSpan.
    while (hi - lo > kSpan) {
      const int32_t mid = lo + ((hi - lo) >> 1);
      if (Passes<Strict>(cum_[mid], x)) hi = mid;
      else lo = mid + 1;
    }
    // The partial sums grow, so the elements of [lo, lo + kSpan) that do not pass come first
    // and the answer is lo plus their count; the padding beyond the line always passes, and
    // hi caps a count that runs past a last element nothing passes.
    int32_t below = 0;
    for (int32_t i = 0; i < kSpan; ++i) below += !Passes<Strict>(cum_[lo + i], x);
    return std::min(lo + below, hi);
  }

  template <bool Strict>
  void BuildSlices(std::vector<SliceAnswer>& slices) const;

  static constexpr int32_t kSpan = 2;  // candidates settled without a branch

  NumberLine built_;  // the line of the last build
  // cum_[j] = line[1] + ... + line[j], summed left to right, then kSpan entries that pass
  // every x in [0, 1).
  std::vector<double> cum_;
  std::vector<int32_t> bracket_;  // slices_ + 1 entries
  std::vector<SliceAnswer> strictSlices_;
  std::vector<SliceAnswer> atLeastSlices_;
  int32_t last_ = 1;    // index of the line's last element
  int32_t slices_ = 1;  // 2^b: at least twice the line's length, at most kMaxSlices
  int32_t shift_ = 31;  // 32 - b
  static constexpr int32_t kMaxSlices = 1 << 20;  // tables of at most 20 MB
  bool monotone_ = true;  // weights >= 0 and finite partial sums
};
