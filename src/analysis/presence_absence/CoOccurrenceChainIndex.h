// The total checkerboard units of the sequential swap's chain, kept up to date swap by swap.
//
// A checkerboard swap moves species r1 from site x to site y and species r2 from y to x; no
// row or column total changes. Only the pairs (r1, k) and (r2, k) can change their units, and
// only for the species k present at exactly one of x and y: the sites k shares with r1 change
// by d = [y][k] - [x][k], those it shares with r2 by -d (the pair r1, r2 keeps its count).
// With u(s) = (r_i - s)(r_k - s), u(s + d) - u(s) = d^2 - d(r_i + r_k - 2s), so the two pairs
// of such a k change the total by 2 + d(r2 - r1 + 2(s1 - s2)), s1 and s2 the sites k shares
// with r1 and r2 before the swap. A swap then costs one pass over those species instead of a
// pass over all pairs.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/presence_absence/CoOccurrenceSims.h"

class ChainCheckerboardUnits {
 public:
  // Takes the 0/1 cells (cells[c * stride + r], sites 1..C, species 1..R) and totals them.
  void Load(const uint8_t* cells, int32_t stride, int32_t C, int32_t R);
  // The checkerboard swap of the four cells [c1][r1], [c2][r2], [c2][r1], [c1][r2] has been
  // made on the loaded matrix.
  void Swapped(const SwapCells& swap);
  // Catches up with the engine's chain: a single swap since last time is applied as a swap;
  // any other change (the burn-in, a new run, another engine) reloads the chain.
  void Follow(const CoOccurrenceSims& sims);
  // Sum over all species pairs of the checkerboard units.
  int64_t Total() const { return total_; }

 private:
  uint64_t* Row(int32_t r) { return rows_.data() + static_cast<size_t>(r - 1) * rowWords_; }
  uint64_t* Column(int32_t c) { return columns_.data() + static_cast<size_t>(c - 1) * columnWords_; }
  void Flip(int32_t c, int32_t r);

  int32_t C_ = 0, R_ = 0;
  int32_t rowWords_ = 0;     // a species row: one bit per site
  int32_t columnWords_ = 0;  // a site column: one bit per species
  std::vector<uint64_t> rows_;
  std::vector<uint64_t> columns_;
  std::vector<int32_t> rowTotals_;
  int64_t total_ = 0;
  const CoOccurrenceSims* followed_ = nullptr;  // the engine last followed
  int64_t changes_ = 0;                          // its chain changes then
};
