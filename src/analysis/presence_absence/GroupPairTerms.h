// The species-pair values of a group index, computed once for the whole table, for runs whose
// shuffle moves labels but never a cell (guild structure by guild, species overlap by labels).
//
// A group's matrix is its member species over every site, empty species and empty sites
// dropped. Dropping an empty site changes no pair value, and an empty species takes its pairs
// with it, so a pair index of a group is the mean (or count) of the whole table's values of
// the pairs of its non-empty members. Every value here is an integer, so a group's total is
// exact in any order and as a double equals the pair-by-pair sum the group matrix would give.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "analysis/presence_absence/CoOccurrenceIndices.h"

enum class GroupIndexKind : int8_t;

class GroupPairTerms {
 public:
  // Whether the kind's pair values are integers this table holds: C-score units, checkerboard
  // pairs, shared and joint sites.
  static bool Handles(GroupIndexKind Kind);
  // The table's n^2 values stay below this many species.
  static constexpr int32_t kMaxSpecies = 2048;

  // Values of every species pair of the 0/1 table Presence [site][species] (S sites, n
  // species; bit 0 of each cell is the presence) for the kind.
  void Build(GroupIndexKind Kind, const Matrix& Presence, int32_t S, int32_t n);
  bool Built(GroupIndexKind Kind) const { return built_ && kind_ == Kind; }

  bool NonEmpty(int32_t Species) const { return nonEmpty_[static_cast<size_t>(Species)] != 0; }
  // The total over the pairs of Members (1-based species, count of them); they must be
  // non-empty species in ascending order.
  int64_t Total(const int32_t* Members, int32_t Count) const;

 private:
  bool built_ = false;
  GroupIndexKind kind_{};
  int32_t n_ = 0;
  std::vector<int32_t> value_;     // [(i - 1) * n + (j - 1)] for species i < j
  std::vector<uint8_t> nonEmpty_;  // by 1-based species
  Matrix table_;                   // the 0/1 table with its totals, for the pair routines
  std::vector<double> pairs_;
  PairIndexScratch scratch_;
};
