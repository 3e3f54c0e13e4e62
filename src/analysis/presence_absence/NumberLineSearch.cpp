#include "analysis/presence_absence/NumberLineSearch.h"

void NumberLineSearch::Build(const NumberLine& line) {
  last_ = static_cast<int32_t>(line.size()) - 1;
  if (last_ < 1) last_ = 1;
  cum_.resize(static_cast<size_t>(last_) + 1);
  cum_[0] = 0.0;
  double cum = 0.0;
  monotone_ = true;
  for (int32_t j = 1; j <= last_; ++j) {
    const double w = j < static_cast<int32_t>(line.size()) ? line[j] : 0.0;
    if (w < 0.0) monotone_ = false;
    cum += w;
    cum_[j] = cum;
  }
  slices_ = 1;
  while (slices_ < 4 * (last_ + 1)) slices_ <<= 1;
  bracket_.resize(static_cast<size_t>(slices_) + 1);
  // bracket_[k] = first j with cum[j] >= k / slices_ (last_ when none), for k = 0..slices_.
  int32_t j = 1;
  for (int32_t k = 0; k <= slices_; ++k) {
    const double x = static_cast<double>(k) / slices_;
    while (j < last_ && !(cum_[j] >= x)) ++j;
    bracket_[k] = j;
  }
}
