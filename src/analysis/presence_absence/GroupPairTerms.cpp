#include "analysis/presence_absence/GroupPairTerms.h"

#include <algorithm>

#include "analysis/common/ZorvanHelpersMatrix.h"
#include "analysis/presence_absence/GroupSims.h"

bool GroupPairTerms::Handles(GroupIndexKind Kind) {
  return Kind == GroupIndexKind::CScore || Kind == GroupIndexKind::Checkerboards ||
         Kind == GroupIndexKind::Overlap || Kind == GroupIndexKind::Union;
}

void GroupPairTerms::Build(GroupIndexKind Kind, const Matrix& Presence, int32_t S, int32_t n) {
  kind_ = Kind;
  n_ = n;
  table_.SetLength(S + 1, n + 1);
  for (int32_t c = 1; c <= S; ++c)
    for (int32_t r = 1; r <= n; ++r) table_[c][r] = Presence[c][r] & 1;
  const InfoMat info{S + 1, n + 1, S, n};
  CalculateMargins(table_, info);
  nonEmpty_.assign(static_cast<size_t>(n) + 1, 0);
  for (int32_t r = 1; r <= n; ++r) nonEmpty_[static_cast<size_t>(r)] = table_[0][r] > 0 ? 1 : 0;

  // The shared routines give the values in pair order; checkerboard pairs are the pairs of
  // non-empty species that share no site.
  pairs_.assign(static_cast<size_t>(std::max<int64_t>(static_cast<int64_t>(n) * (n - 1) / 2, 1)), 0.0);
  switch (Kind) {
    case GroupIndexKind::CScore: PairCheckerboardUnits(table_, info, pairs_, scratch_); break;
    case GroupIndexKind::Union: PairUnion(table_, info, pairs_, scratch_); break;
    default: PairOverlap(table_, info, pairs_, scratch_); break;
  }
  value_.assign(static_cast<size_t>(n) * static_cast<size_t>(n), 0);
  size_t p = 0;
  for (int32_t i = 1; i < n; ++i)
    for (int32_t j = i + 1; j <= n; ++j, ++p) {
      int32_t v = static_cast<int32_t>(pairs_[p]);
      if (Kind == GroupIndexKind::Checkerboards) v = NonEmpty(i) && NonEmpty(j) && v == 0 ? 1 : 0;
      value_[static_cast<size_t>(i - 1) * static_cast<size_t>(n) + static_cast<size_t>(j - 1)] = v;
    }
  pairs_ = {};
  table_ = {};
  built_ = true;
}

int64_t GroupPairTerms::Total(const int32_t* Members, int32_t Count) const {
  int64_t total = 0;
  for (int32_t a = 0; a + 1 < Count; ++a) {
    const int32_t* row = value_.data() + static_cast<size_t>(Members[a] - 1) * static_cast<size_t>(n_) - 1;
    int64_t sum = 0;
    for (int32_t b = a + 1; b < Count; ++b) sum += row[Members[b]];
    total += sum;
  }
  return total;
}
