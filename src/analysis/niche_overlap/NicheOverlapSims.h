// The numerical core of the niche-overlap analysis, free of forms: the resource-use matrix
// (species in rows, resource states in columns) and its "x" mask, the division by the resource
// states' weights, the proportions of each species row, the pair overlaps (Pianka,
// Czekanowski) and the four randomisation algorithms.
//
// Matrices here are species-major (the states of one species lie side by side), so that a
// pair's overlap is one pass over two contiguous rows. Every draw goes through the program's
// one random source in the order the algorithms give: species 1..S, within a species its
// states 1..N, one draw per cell that takes one. The buffers are sized once in Begin; an
// iteration allocates nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "analysis/niche_overlap/NichePairBlocks.h"

// Niche breadth x zero states: 1 Relaxed/Reshuffled, 2 Relaxed/Retained, 3 Retained/Reshuffled,
// 4 Retained/Retained.
enum class NicheAlgorithm { RA1 = 1, RA2 = 2, RA3 = 3, RA4 = 4 };
enum class NicheIndex { Pianka, Czekanowski };

NicheAlgorithm ChooseNicheAlgorithm(bool RelaxedBreadth, bool RetainedZeros);

// The observed utilisations as read from the data cells.
struct NicheInput {
  int Species = 0;               // S
  int States = 0;                // N
  std::vector<double> Observed;  // [s * N + c]; a cell that is not a number, "x" included, is 0
  std::vector<uint8_t> Excluded; // 1 where the cell's text is exactly "x"
};

// Reads S x N cells through Cell(state, species) (both 0-based): numbers with '.' as decimal
// point, the text a number begins with counting, anything else 0.
NicheInput ReadNicheInput(int Species, int States, const std::function<std::string(int, int)>& Cell);

// Divides every value of state c by Weights[c] (Weights holds N positive weights).
void DivideByWeights(NicheInput& Input, const std::vector<double>& Weights);

// Each row of Values (S x N) as proportions of its total into Out; a row whose total is not
// positive becomes all 0.
void StandardizeRows(int Species, int States, const double* Values, double* Out);

// SumSquares[s] := the sum of squares of species s's values (resized to Species).
void SpeciesSumSquares(int Species, int States, const double* P, std::vector<double>& SumSquares);

// The overlap of every pair (i, j), i < j, in the order (1,2), (1,3) .. (1,S), (2,3) .., into
// Out (S(S-1)/2 values). Pianka: sum(pi pj) / sqrt(sum(pi^2) sum(pj^2)), 0 when that root is
// 0; Czekanowski: 1 - 0.5 sum|pi - pj|. SumSquares is scratch of S values.
void PiankaPairs(int Species, int States, const double* P, std::vector<double>& SumSquares, double* Out);
void CzekanowskiPairs(int Species, int States, const double* P, double* Out);

// A pair index as written into the pair lists: general format, 7 significant digits.
std::string PairIndexText(double Value);

inline int64_t PairCount(int Species) { return static_cast<int64_t>(Species) * (Species - 1) / 2; }

// A random real rounded to 5 decimals (half to even), as the integer count of 1e-5 steps: the
// sort key of the permuting algorithms.
inline int32_t PermutationKey(double RandomValue) {
  // Written out rather than a library rounding call, which costs more than the rest of a draw,
  // and without branches: the fraction is above or below one half at random. The value lies in
  // [0, 1), so truncation is the floor and the fraction is exact.
  const double scaled = RandomValue * 100000.0;
  const int32_t key = static_cast<int32_t>(scaled);
  const double fraction = scaled - key;
  return key + static_cast<int32_t>((fraction > 0.5) | ((fraction == 0.5) & ((key & 1) != 0)));
}

class NicheOverlapSims {
 public:
  // Takes the run's observed matrix (after any division by weights), the algorithm and the
  // index; sizes every buffer.
  void Begin(const NicheInput& Input, NicheAlgorithm Algorithm, NicheIndex Index);

  // Pair overlaps of the observed matrix into Out (resized to the pair count).
  void ObservedPairs(std::vector<double>& Out);
  // One randomised matrix (Simulated()), then its pair overlaps into Out (sized by the caller
  // to the pair count, so that nothing is allocated).
  void Randomize();
  void SimulatedPairs(std::vector<double>& Out);

  const std::vector<double>& Simulated() const { return FSimulated; }
  const std::vector<double>& Standardized() const { return FStandardized; }
  int Species() const { return FInput.Species; }
  int States() const { return FInput.States; }
  NicheAlgorithm Algorithm() const { return FAlgorithm; }

 private:
  void RandomReals(bool KeepZeros);
  void Permute();
  void DrawKeys(int m);
  // FOrder[0..m) := the positions 0..m-1 of FKeys ordered by key, equal keys by position.
  void RankKeys(int m);
  void Pairs(const std::vector<double>& Values, std::vector<double>& Out);

  NicheInput FInput;
  NicheAlgorithm FAlgorithm = NicheAlgorithm::RA1;
  NicheIndex FIndex = NicheIndex::Pianka;
  std::vector<double> FSimulated;     // S x N
  std::vector<double> FStandardized;  // S x N, the proportions last computed
  std::vector<double> FSumSquares;    // S
  std::vector<int32_t> FEligible;     // every row's eligible states, row after row
  std::vector<int32_t> FEligibleStart;  // first of each row's in FEligible, and the end
  std::vector<int32_t> FKeys;         // one row's keys, one per eligible state
  std::vector<int32_t> FOrder;        // positions of the keys in rank order
  std::vector<int32_t> FBuffer;       // the bucket of each key
  std::vector<int32_t> FCounts;       // bucket counts, then the buckets' next slots
  NichePairBlocks FBlocks;            // the pair loops a block of species at a time
};
