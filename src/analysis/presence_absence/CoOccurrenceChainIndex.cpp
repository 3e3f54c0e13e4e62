#include "analysis/presence_absence/CoOccurrenceChainIndex.h"

#include "analysis/presence_absence/CoOccurrenceIndices.h"

namespace {
inline bool Bit(const uint64_t* line, int32_t i) { return (line[(i - 1) >> 6] >> ((i - 1) & 63)) & 1u; }

// Units change of one swap, over the species present at exactly one of the two sites.
[[gnu::target_clones("popcnt", "default")]]
int64_t SwapChange(const uint64_t* rows, int32_t rowWords, const uint64_t* fromSite, const uint64_t* toSite,
                   int32_t columnWords, int32_t r1, int32_t r2, int32_t rowTotalDifference) {
  const uint64_t* row1 = rows + static_cast<size_t>(r1 - 1) * rowWords;
  const uint64_t* row2 = rows + static_cast<size_t>(r2 - 1) * rowWords;
  int64_t change = 0;
  for (int32_t w = 0; w < columnWords; ++w) {
    uint64_t differing = fromSite[w] ^ toSite[w];
    while (differing != 0) {
      const int32_t bit = __builtin_ctzll(differing);
      differing &= differing - 1;
      const int32_t k = w * 64 + bit + 1;
      if (k == r1 || k == r2) continue;
      const uint64_t* row = rows + static_cast<size_t>(k - 1) * rowWords;
      int32_t s1 = 0, s2 = 0;
      for (int32_t v = 0; v < rowWords; ++v) {
        s1 += __builtin_popcountll(row1[v] & row[v]);
        s2 += __builtin_popcountll(row2[v] & row[v]);
      }
      const int32_t d = ((toSite[w] >> bit) & 1u) ? 1 : -1;
      change += 2 + d * (rowTotalDifference + 2 * (s1 - s2));
    }
  }
  return change;
}
}  // namespace

void ChainCheckerboardUnits::Load(const uint8_t* cells, int32_t stride, int32_t C, int32_t R) {
  C_ = C;
  R_ = R;
  rowWords_ = (C + 63) / 64;
  columnWords_ = (R + 63) / 64;
  rows_.assign(static_cast<size_t>(R) * rowWords_, 0);
  columns_.assign(static_cast<size_t>(C) * columnWords_, 0);
  rowTotals_.assign(static_cast<size_t>(R) + 1, 0);
  for (int32_t c = 1; c <= C; ++c)
    for (int32_t r = 1; r <= R; ++r)
      if (cells[static_cast<size_t>(c) * stride + r] != 0) {
        Flip(c, r);
        ++rowTotals_[r];
      }
  total_ = PackedUnitsTotal(rows_.data(), R, rowWords_, rowTotals_.data() + 1);
  followed_ = nullptr;
}

void ChainCheckerboardUnits::Flip(int32_t c, int32_t r) {
  Row(r)[(c - 1) >> 6] ^= uint64_t{1} << ((c - 1) & 63);
  Column(c)[(r - 1) >> 6] ^= uint64_t{1} << ((r - 1) & 63);
}

void ChainCheckerboardUnits::Swapped(const SwapCells& swap) {
  // Species r1 leaves site x for y, r2 leaves y for x.
  const bool firstDiagonal = Bit(Row(swap.r1), swap.c1);
  const int32_t x = firstDiagonal ? swap.c1 : swap.c2;
  const int32_t y = firstDiagonal ? swap.c2 : swap.c1;
  total_ += SwapChange(rows_.data(), rowWords_, Column(x), Column(y), columnWords_, swap.r1, swap.r2,
                       rowTotals_[swap.r2] - rowTotals_[swap.r1]);
  Flip(x, swap.r1);
  Flip(y, swap.r1);
  Flip(y, swap.r2);
  Flip(x, swap.r2);
}

void ChainCheckerboardUnits::Follow(const CoOccurrenceSims& sims) {
  const int64_t changes = sims.ChainChanges();
  const bool same = followed_ == &sims;
  if (same && changes == changes_ + 1 && sims.LastChainSwap().r1 != 0)
    Swapped(sims.LastChainSwap());
  else if (!same || changes != changes_)
    Load(sims.Chain(), sims.ChainStride(), sims.Sites(), sims.Species());
  followed_ = &sims;
  changes_ = changes;
}
