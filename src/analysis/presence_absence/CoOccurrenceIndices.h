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

  const uint64_t* Row(int32_t i) const { return bits_.data() + static_cast<size_t>(i) * words_; }
  int32_t Words() const { return words_; }
  int32_t Ones(int32_t i) const { return ones_[i]; }

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
}  // namespace plain_index
