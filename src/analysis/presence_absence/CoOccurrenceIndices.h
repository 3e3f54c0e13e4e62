// Species-pair indices of the presence-absence analyses.
//
// M is a Matrix with sites in columns 1..S and species in rows 1..n, S = info_Mat[2] and
// n = info_Mat[3]; only CheckerboardPairs and VarianceRatio read the totals, so the caller
// computes them first. Pair operations write one value per species pair in the order
// (1,2), (1,3), ..., (1,n), (2,3), ..., (n-1,n) from out[0]: n(n-1)/2 values; later elements
// keep what the caller put there. Whole-matrix indices write out[0] only.
//
// Co-occurrence data are 0/1. For such a matrix the pair operations run on bit-packed species
// rows (one bit per site, AND/OR and popcount over 64 sites at a time); a matrix holding any
// other value takes the plain loops below, which are the definitions and give the results
// for any integers. Both paths give identical values. Nothing here allocates once the scratch
// has grown to the largest matrix of the run, shows messages or polls.
//
// A run that needs only the mean of the pair values asks for their total: the pair values
// are integers, so their sum is an exact integer in any order, and as a double it is the same
// number the pair-by-pair sum of doubles gives (every partial sum stays far below 2^53: the
// cell limit bounds the total checkerboard units by 440,000^2 / 2).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "analysis/common/MatrixTypes.h"

// Scratch buffers of the index operations, kept by the caller for the whole run.
class PairIndexScratch {
 public:
  // Packs species rows 1..n over sites 1..S of M; false (nothing usable packed) when some
  // cell is neither 0 nor 1.
  bool Pack(const Matrix& M, int32_t S, int32_t n);

  // Packs site columns 1..S of M over species 1..n (one bit per species); false as above.
  bool PackColumns(const Matrix& M, int32_t S, int32_t n);

  // Line i (0-based) of what was packed last: a species row, or a site column.
  const uint64_t* Row(int32_t i) const { return bits_.data() + static_cast<size_t>(i) * words_; }
  int32_t Words() const { return words_; }
  int32_t Ones(int32_t i) const { return ones_[i]; }
  const int32_t* Ones() const { return ones_.data(); }

  std::vector<double> sums_;       // per-species scratch of VarianceRatio
  std::vector<double> squares_;
  std::vector<int32_t> order_;     // site order of SpeciesCombinations

 private:
  std::vector<uint64_t> bits_;     // row i (0-based species) at bits_[i * words_]
  std::vector<int32_t> ones_;      // number of occupied sites of each packed row
  int32_t words_ = 0;
};

// Per pair: checkerboard units (r_i - s)(r_j - s), r the number of sites holding 1 and s the
// number of sites where the bitwise AND of the two cells is 1.
void PairCheckerboardUnits(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
                           PairIndexScratch& scratch);
// Sum of PairCheckerboardUnits over all pairs. A checkerboard (two species, two sites, one
// diagonal filled) is counted once by the species pair and once by the site pair it spans,
// so for 0/1 cells the total is taken over the pairs of the smaller dimension.
int64_t CheckerboardUnitsTotal(const Matrix& M, const InfoMat& info_Mat, PairIndexScratch& scratch);
// Sum of PairOverlap over all pairs: for 0/1 cells, the sum over the sites of t(t - 1)/2, t
// the number of species present.
int64_t OverlapTotal(const Matrix& M, const InfoMat& info_Mat, PairIndexScratch& scratch);
// Sum of PairUnion over all pairs: for 0/1 cells, (n - 1) x occurrences - OverlapTotal.
int64_t UnionTotal(const Matrix& M, const InfoMat& info_Mat, PairIndexScratch& scratch);

// Sum over the pairs (i, j), i < j, of count lines of (ones_i - s)(ones_j - s), s the number of
// bits the two lines share; line i is words 64-bit words from bits + i * words.
int64_t PackedUnitsTotal(const uint64_t* bits, int32_t count, int32_t words, const int32_t* ones);

// Per pair: number of sites where the two cells add up to 2.
void PairOverlap(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
                 PairIndexScratch& scratch);
// Per pair: sum over the sites of min(cell_i + cell_j, 1).
void PairUnion(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
               PairIndexScratch& scratch);
// out[0] := number of pairs that share no site holding 1 in both, pairs with a species of
// total 0 left out.
void CheckerboardPairs(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
                       PairIndexScratch& scratch);
// out[0] := number of distinct site compositions (columns 1..S compared over rows 1..n).
void SpeciesCombinations(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
                         PairIndexScratch& scratch);
// out[0] := sample variance of the site totals / sum of the species' sample variances, 0
// when that sum is not positive.
void VarianceRatio(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
                   PairIndexScratch& scratch);

// The plain loops over pairs and sites: the definitions, used for matrices that are not 0/1
// and as the reference the packed kernels are checked and timed against.
namespace plain_index {
void PairCheckerboardUnits(const Matrix& M, int32_t S, int32_t n, std::span<double> out);
void PairOverlap(const Matrix& M, int32_t S, int32_t n, std::span<double> out);
void PairUnion(const Matrix& M, int32_t S, int32_t n, std::span<double> out);
void CheckerboardPairs(const Matrix& M, int32_t S, int32_t n, std::span<double> out);
void SpeciesCombinations(const Matrix& M, int32_t S, int32_t n, std::span<double> out);
// Sums over the pairs of the pair values above, in integers.
int64_t CheckerboardUnitsTotal(const Matrix& M, int32_t S, int32_t n);
int64_t OverlapTotal(const Matrix& M, int32_t S, int32_t n);
int64_t UnionTotal(const Matrix& M, int32_t S, int32_t n);
}  // namespace plain_index
