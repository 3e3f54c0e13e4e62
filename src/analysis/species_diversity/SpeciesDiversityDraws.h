// The random subsamples of the species-diversity analysis: individuals drawn without
// replacement from one column's counts (rarefaction: a fresh pool for every subsample;
// accumulation: one shrinking pool extended level by level), and whole sample columns drawn
// without replacement (rarefaction) or with it (accumulation).
//
// Contract
// - Counts are 0 or more (the run refuses negative ones before anything is drawn).
// - Every draw takes one step of the program's random source, in the order below, so a seed
//   and data always give the same subsamples.
// - Buffers are sized once (Assign, the caller's scratch); a subsample allocates nothing.
//   Nothing here shows messages or knows a form. A subsample of individuals can run to
//   billions of draws, so those draws ask the poll they are given (when given one) every
//   kDrawsPerPoll draws and stop when it says so.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "analysis/common/RunServices.h"

// The individuals not yet drawn, species in row order. One draw takes u := 1 + Random(T), T the
// individuals left, and picks the first species whose running sum of counts (in row order)
// reaches u; that species loses one individual.
//
// The running sums live in a 16-way tree: each node holds the running sums of its 16 children
// (species at the bottom level), so a draw reads one node per level, log16 S of them, and finds
// the child by counting the sums below u; taking an individual away lowers the sums from the
// child on in the same nodes. Short fixed-length loops over one node vectorise, so a draw costs
// a few dependent steps instead of a walk over the rows.
class IndividualPool {
 public:
  // Starts from Counts; sizes the buffers.
  void Assign(std::span<const int32_t> Counts);
  // Becomes a copy of Other (of the same number of species) without allocating.
  void CopyFrom(const IndividualPool& Other);
  int32_t Species() const { return S_; }
  int32_t Total() const { return total_; }
  // Draws one individual; returns its species (0-based). The pool must not be empty.
  int32_t DrawOne();
  // Count of species s (0-based) left in the pool.
  int32_t Count(int32_t s) const;

  static constexpr int32_t kFanOut = 16;

 private:
  // Level l (0 = bottom) starts at levelStart_[l]; node n of it holds the running sums of its
  // children at [levelStart_[l] + n * kFanOut, + kFanOut). Sums past the last child repeat the
  // node's total, so they never count as below u.
  std::vector<int32_t> sums_;
  std::vector<int32_t> levelStart_;
  int32_t S_ = 0;
  int32_t total_ = 0;
};

// Draws between two polls: a few microseconds, so an abort is answered within the run frame's
// time budget.
inline constexpr int32_t kDrawsPerPoll = 1024;

// Rarefaction draw of k individuals: Work becomes a copy of Pool and k individuals are drawn
// from it, each added to Tally. Pool is not changed. Raises ERangeError when k exceeds the
// pool's individuals. False when Poll asked to stop (before the first draw and then every
// kDrawsPerPoll draws); Tally then holds only part of the subsample.
bool RarefactionDraw(const IndividualPool& Pool, int32_t k, IndividualPool& Work, std::span<int32_t> Tally,
                     const PollFn& Poll = {});

// Accumulation draw: k more individuals from Pool itself, added to Tally. Successive calls
// extend one subsample without replacement. Raises ERangeError when k exceeds what is left.
// Polls and stops as RarefactionDraw does.
bool AccumulationDraw(IndividualPool& Pool, int32_t k, std::span<int32_t> Tally, const PollFn& Poll = {});

// Samples is [sample][species], zero-based: Samples.Cols() samples of Samples.Rows() species.

// Adds sample j's counts to Tally.
void AddColumnToList(const Matrix& Samples, int32_t j, std::span<int32_t> Tally);

// How many draws of an already picked sample one pick of a rarefaction draw tolerates; the
// draw after them is the pick's last.
inline constexpr int32_t kPickedDrawsAllowed = 4998;

// Rarefaction draw of k samples without replacement: each pick draws j := Random(M) until j is
// unpicked; a pick that has drawn kPickedDrawsAllowed picked samples draws once more and fails,
// whatever that draw gave. After all picks the picked samples are added to Tally in sample
// order. Picked is scratch of M entries. False (nothing added) when a pick failed.
bool SampleRarefactionDraw(const Matrix& Samples, int32_t k, std::span<uint8_t> Picked, std::span<int32_t> Tally);

// Accumulation draw of k samples with replacement: k draws of j := Random(M), each adding sample
// j to Tally at once, so a sample drawn twice counts twice.
void SampleAccumulationDraw(const Matrix& Samples, int32_t k, std::span<int32_t> Tally);
