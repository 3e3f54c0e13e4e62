#include "analysis/presence_absence/NumberLineSearch.h"

#include <cmath>
#include <limits>

void NumberLineSearch::Build(const NumberLine& line) {
  if (!cum_.empty() && line == built_) return;
  built_ = line;
  last_ = static_cast<int32_t>(line.size()) - 1;
  if (last_ < 1) last_ = 1;
  cum_.resize(static_cast<size_t>(last_) + 1 + kSpan);
  cum_[0] = 0.0;
  double cum = 0.0;
  monotone_ = true;
  for (int32_t j = 1; j <= last_; ++j) {
    const double w = j < static_cast<int32_t>(line.size()) ? line[j] : 0.0;
    cum += w;
    cum_[j] = cum;
    if (!(w >= 0.0) || !std::isfinite(cum)) monotone_ = false;
  }
  for (int32_t i = 1; i <= kSpan; ++i) cum_[last_ + i] = std::numeric_limits<double>::max();
  slices_ = 1;
  shift_ = 32;
  while (slices_ < kMaxSlices && slices_ < 2 * static_cast<int64_t>(last_ + 1)) {
    slices_ <<= 1;
    --shift_;
  }
  bracket_.resize(static_cast<size_t>(slices_) + 1);
  // bracket_[k] = first j with cum[j] >= k / slices_ (last_ when none), for k = 0..slices_.
  // k / slices_ = k * (1 / slices_) exactly: slices_ is a power of two.
  const double step = 1.0 / slices_;
  int32_t j = 1;
  for (int32_t k = 0; k <= slices_; ++k) {
    const double x = k * step;
    while (j < last_ && !(cum_[j] >= x)) ++j;
    bracket_[k] = j;
  }
  BuildSlices<true>(strictSlices_);
  BuildSlices<false>(atLeastSlices_);
}

// Slice k holds the states first = k << shift_ .. end = first + 2^shift_ - 1. With ja and
// jb the answers at first and end: one answer when ja = jb; when jb = ja + 1 the answer
// steps up after the last state at which cum[ja] still passes, the largest integer s with
// cum[ja] * 2^32 >= s (>= rule) or > s (> rule), both exact in doubles. Otherwise the slice
// is searched.
template <bool Strict>
void NumberLineSearch::BuildSlices(std::vector<SliceAnswer>& slices) const {
  slices.resize(static_cast<size_t>(slices_));
  if (!monotone_) {
    std::fill(slices.begin(), slices.end(), SliceAnswer{0, 0});
    return;
  }
  const uint64_t width = uint64_t{1} << shift_;
  int32_t ja = 1;
  int32_t jb = 1;
  for (int32_t k = 0; k < slices_; ++k) {
    const uint64_t first = static_cast<uint64_t>(k) * width;
    const uint64_t end = first + width - 1;
    const double xa = RealOf(static_cast<uint32_t>(first));
    const double xb = RealOf(static_cast<uint32_t>(end));
    while (ja < last_ && !Passes<Strict>(cum_[ja], xa)) ++ja;
    if (jb < ja) jb = ja;
    while (jb < last_ && !Passes<Strict>(cum_[jb], xb)) ++jb;
    SliceAnswer& a = slices[static_cast<size_t>(k)];
    a = {0, 0};
    if (jb == ja) {
      a = {static_cast<uint32_t>(ja), static_cast<uint32_t>(end)};
    } else if (jb == ja + 1) {
      const double scaled = cum_[ja] * 4294967296.0;
      const double lastPassing = Strict ? std::ceil(scaled) - 1.0 : std::floor(scaled);
      if (lastPassing >= static_cast<double>(first) && lastPassing < static_cast<double>(end))
        a = {static_cast<uint32_t>(ja), static_cast<uint32_t>(lastPassing)};
    }
  }
}
