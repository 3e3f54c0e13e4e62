// The body that guild structure and species overlap share: a presence-absence table whose
// species rows (guilds, species-overlap groups) or site columns (regions) carry group labels,
// an index computed inside every group, the group mean and variance, the favored-states count,
// and the randomisations of both null models (shuffled labels, shuffled cells).
//
// Contract
// - The working table W is [site][species] like every presence-absence Matrix (sites 1..S in
//   columns, species 1..n in rows, index 0 unused). Each cell holds (source << 1) | presence:
//   presence is 0 or 1 and source is where the cell stood when the run began (see Source), so
//   that the run can show and save the cells' own texts after they have been moved.
// - Labels are compared exactly (case-sensitive); groups are numbered in the order of their
//   first label, so the group sizes always add up to the number of labelled units.
// - Every draw goes through the program's one random source, in the order given at each
//   shuffle; a chain of shuffles continues from the state the previous call left.
// - Buffers are sized once in Begin; an iteration (shuffle, group indices, favored states)
//   allocates nothing, and a group's index work covers the species pairs inside that group
//   only. Nothing here polls, shows messages or knows a form.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "analysis/presence_absence/CoOccurrenceIndices.h"
#include "analysis/presence_absence/CoOccurrenceSims.h"
#include "analysis/presence_absence/GroupPairTerms.h"

// Which units carry the labels: species rows (grouping by guild, species overlap) or site
// columns (grouping by region).
enum class GroupAxis : int8_t { Species, Sites };

// The index computed inside each group: the four co-occurrence indices (guild structure) and
// the three overlap indices (species overlap).
enum class GroupIndexKind : int8_t { CScore, Checkerboards, Combinations, VRatio, RelativeOverlap, Union, Overlap };

// One iteration's randomisation. Labels: the labels among the units. WithinSites: each site's
// cells among the species. WithinSpecies: each species' cells among the sites. Both: the
// former, then the latter.
enum class GroupShuffle : int8_t { Labels, WithinSites, WithinSpecies, Both };

class GroupSims {
 public:
  // Starts a run on a 0/1 table Presence [site][species] (S = Cols() - 1 sites, n = Rows() - 1
  // species; totals not read) and one label per unit of Axis (n labels for Species, S for
  // Sites). Builds the group list, the working table and every buffer of the run.
  void Begin(GroupAxis Axis, const Matrix& Presence, const std::vector<std::string>& Labels);

  GroupAxis Axis() const { return axis_; }
  int32_t Sites() const { return S_; }
  int32_t Species() const { return n_; }
  int32_t Units() const { return static_cast<int32_t>(label_.size()); }

  // ---- groups (fixed for the run: no shuffle changes a group's size)
  int32_t GroupCount() const { return static_cast<int32_t>(names_.size()); }
  const std::vector<std::string>& GroupNames() const { return names_; }
  const std::vector<int32_t>& GroupSizes() const { return sizes_; }
  int32_t SmallestGroup() const;
  // The group of unit u (0-based) as the labels stand now.
  int32_t LabelOf(int32_t u) const { return label_[static_cast<size_t>(u)]; }

  // ---- the working table
  const Matrix& Working() const { return W_; }
  bool Present(int32_t site, int32_t species) const { return (W_[site][species] & 1) != 0; }
  // Where the cell now at [site][species] stood when the run began.
  void Source(int32_t site, int32_t species, int32_t& fromSite, int32_t& fromSpecies) const;

  // ---- randomisations. Draws:
  // Labels: for unit u = 1..U in turn, p = Random(U) + 1; exchange the labels of u and p.
  // WithinSites: for site c = 1..S, species r = 1..n: p = Random(n) + 1; exchange [c][r], [c][p].
  // WithinSpecies: for species r = 1..n, site c = 1..S: p = Random(S) + 1; exchange [c][r], [p][r].
  void ShuffleLabels();
  void Shuffle(GroupShuffle Kind);

  // ---- indices
  // Fills Out[g] with the index of every group as the table and labels stand now. A group
  // whose matrix holds no presence gets 0; the result tells whether there was such a group.
  bool GroupIndices(GroupIndexKind Kind, std::span<double> Out);
  // The index of the 0/1 matrix M (sites and species in Info; totals current): whole-matrix
  // indices as they come, pair indices as their mean over the pairs (0 without a pair).
  double MatrixIndex(GroupIndexKind Kind, const Matrix& M, const InfoMat& Info);

  // ---- favored states (labels on the species)
  // Entry k: the smallest spread (fullest minus emptiest group) that k + 1 species dealt to
  // groups of the given sizes in turn can have. The sizes must add up to Table's length.
  static void FavoredTable(const std::vector<int32_t>& Sizes, std::vector<int32_t>& Table);
  // Sites with 2 .. n - 2 species present whose spread over the groups (present species per
  // group, max - min) equals the table's entry for their species count.
  int32_t FavoredStates() const;
  const std::vector<int32_t>& Favored() const { return favored_; }

 private:
  // Members of every group in unit order, from the current labels.
  void SortMembers();
  double GroupIndex(int32_t g, GroupIndexKind Kind, bool& Empty);
  // While no cell has moved, a pair index comes from the run's table of pair values.
  bool UsesPairTerms(GroupIndexKind Kind) const;
  bool GroupIndicesFromTerms(GroupIndexKind Kind, std::span<double> Out);

  GroupAxis axis_ = GroupAxis::Species;
  int32_t S_ = 0;
  int32_t n_ = 0;
  Matrix W_;
  std::vector<int32_t> label_;   // group of each unit (0-based units)
  std::vector<std::string> names_;
  std::vector<int32_t> sizes_;
  std::vector<int32_t> start_;   // first slot of each group in members_
  std::vector<int32_t> members_; // units (1-based) grouped by label, unit order within a group
  std::vector<int32_t> fill_;

  // One pair of matrices per group, sized to the group once: the group's matrix and the same
  // without its empty species (and later its empty sites).
  std::vector<Matrix> O_;
  std::vector<Matrix> F_;
  std::vector<double> pairs_;    // one value per species pair of the largest group, at least 1
  std::vector<double> overlap_;
  std::vector<double> union_;
  PairIndexScratch scratch_;

  std::vector<int32_t> siteTotals_;  // present species per site (labels never move a cell)
  std::vector<int32_t> favored_;
  mutable std::vector<int32_t> counts_;  // present species per group at one site

  CoOccurrenceSims cells_;  // the engine's within-row and within-column shuffles

  // Whether a shuffle has moved cells since Begin; until then the pair values and the sites'
  // packed species hold.
  bool cellsMoved_ = false;
  GroupPairTerms terms_;
  std::vector<int32_t> kept_;            // one group's non-empty members
  int32_t words_ = 0;                    // 64-bit words of a packed site or group
  std::vector<uint64_t> siteBits_;       // the species present at each site, one bit each
  mutable std::vector<uint64_t> groupBits_;  // the species of each group under the labels
};
