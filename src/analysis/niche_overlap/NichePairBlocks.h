// The pair loops of the niche overlap indices over a block of species at a time. The
// proportions are kept twice: species-major as given, and state-major (transposed), so that
// for one species i and one state c the values of the next 32 species lie side by side and
// 32 pair sums advance in eight independent vector steps. Each pair's sum still runs over the
// states in order, a product rounded and then added, so every pair value is the double the
// plain loop (PiankaPairs, CzekanowskiPairs) gives; products are not fused with the additions.
#pragma once

#include <cstdint>
#include <vector>

class NichePairBlocks {
 public:
  // Sizes the transposed copy for Species x States proportions.
  void Begin(int Species, int States);
  // The overlap of every pair (i, j), i < j, in pair order into Out; P holds the proportions
  // species-major. Pianka's index needs each species' sum of squares (SumSquares).
  void Pianka(const double* P, const double* SumSquares, double* Out);
  void Czekanowski(const double* P, double* Out);

 private:
  // Whether every value is finite (then a Pianka sum may skip the zero terms).
  bool Transpose(const double* P);

  int FSpecies = 0;
  int FStates = 0;
  int FStride = 0;              // species slots per state: room for a whole block past S
  std::vector<double> FColumns; // [c * FStride + s], zero beyond the last species
  std::vector<double> FSums;    // one species' pair sums, a whole number of blocks
  std::vector<int32_t> FAllStates;  // 0 .. States - 1
  std::vector<int32_t> FRowStates;  // one species' states with a value other than 0
};
