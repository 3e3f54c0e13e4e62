#include "analysis/species_diversity/SpeciesDiversityDraws.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/Random.h"

namespace {
constexpr int32_t kFan = IndividualPool::kFanOut;
constexpr int32_t kShift = 4;  // log2 of the fan-out
static_assert(1 << kShift == kFan);
}  // namespace

void IndividualPool::Assign(std::span<const int32_t> Counts) {
  S_ = static_cast<int32_t>(Counts.size());
  // Levels until one node holds everything; at least one level.
  levelStart_.clear();
  std::vector<int32_t> widths;  // nodes per level
  int32_t nodes = std::max<int32_t>(1, (S_ + kFan - 1) / kFan);
  int32_t size = 0;
  for (;;) {
    levelStart_.push_back(size);
    widths.push_back(nodes);
    size += nodes * kFan;
    if (nodes == 1) break;
    nodes = (nodes + kFan - 1) / kFan;
  }
  sums_.assign(static_cast<size_t>(size), 0);
  // Each level's children: the species counts at the bottom, the node totals above.
  std::vector<int64_t> children(Counts.begin(), Counts.end());
  for (size_t l = 0; l < widths.size(); ++l) {
    std::vector<int64_t> totals(static_cast<size_t>(widths[l]), 0);
    for (int32_t n = 0; n < widths[l]; ++n) {
      int64_t running = 0;
      for (int32_t j = 0; j < kFan; ++j) {
        const size_t child = static_cast<size_t>(n) * kFan + static_cast<size_t>(j);
        if (child < children.size()) running += children[child];
        sums_[static_cast<size_t>(levelStart_[l] + n * kFan + j)] = static_cast<int32_t>(running);
      }
      totals[static_cast<size_t>(n)] = running;
    }
    children.swap(totals);
  }
  total_ = static_cast<int32_t>(children[0]);
}

void IndividualPool::CopyFrom(const IndividualPool& Other) {
  if (sums_.size() != Other.sums_.size()) sums_.resize(Other.sums_.size());
  std::copy(Other.sums_.begin(), Other.sums_.end(), sums_.begin());
  if (levelStart_ != Other.levelStart_) levelStart_ = Other.levelStart_;
  S_ = Other.S_;
  total_ = Other.total_;
}

int32_t IndividualPool::DrawOne() {
  int32_t u = 1 + Random(total_);
  int32_t* sums = sums_.data();
  const int32_t levels = static_cast<int32_t>(levelStart_.size());
  // Down the tree: the child is the number of running sums below u (they ascend), and u
  // becomes the rank inside that child.
  int32_t node = 0;
  for (int32_t l = levels - 1; l >= 0; --l) {
    const int32_t* p = sums + levelStart_[static_cast<size_t>(l)] + node * kFan;
    int32_t below = 0;
    for (int32_t j = 0; j < kFan; ++j) below += p[j] < u ? 1 : 0;
    u -= below > 0 ? p[below - 1] : 0;
    node = node * kFan + below;
  }
  // Up again: the running sums from the species' own entry on lose one, at every level.
  const int32_t species = node;
  for (int32_t l = 0; l < levels; ++l) {
    const int32_t shift = kShift * l;
    const int32_t slot = (species >> shift) & (kFan - 1);
    int32_t* p = sums + levelStart_[static_cast<size_t>(l)] + (species >> (shift + kShift)) * kFan;
    for (int32_t j = 0; j < kFan; ++j) p[j] -= j >= slot ? 1 : 0;
  }
  --total_;
  return species;
}

int32_t IndividualPool::Count(int32_t s) const {
  const int32_t* p = sums_.data() + (s >> kShift) * kFan;
  const int32_t slot = s & (kFan - 1);
  return p[slot] - (slot > 0 ? p[slot - 1] : 0);
}

namespace {

// k draws from Pool into Tally, Poll asked before every kDrawsPerPoll of them.
bool DrawIndividuals(IndividualPool& Pool, int32_t k, std::span<int32_t> Tally, const PollFn& Poll) {
  for (int32_t done = 0; done < k;) {
    if (Poll && Poll()) return false;
    const int32_t end = k - done > kDrawsPerPoll ? done + kDrawsPerPoll : k;
    for (; done < end; ++done) ++Tally[static_cast<size_t>(Pool.DrawOne())];
  }
  return true;
}

}  // namespace

bool RarefactionDraw(const IndividualPool& Pool, int32_t k, IndividualPool& Work, std::span<int32_t> Tally,
                     const PollFn& Poll) {
  if (k > Pool.Total()) RaiseRangeError();
  Work.CopyFrom(Pool);
  return DrawIndividuals(Work, k, Tally, Poll);
}

bool AccumulationDraw(IndividualPool& Pool, int32_t k, std::span<int32_t> Tally, const PollFn& Poll) {
  if (k > Pool.Total()) RaiseRangeError();
  return DrawIndividuals(Pool, k, Tally, Poll);
}

void AddColumnToList(const Matrix& Samples, int32_t j, std::span<int32_t> Tally) {
  const int32_t* column = Samples[j];
  for (int s = 0; s < Samples.Rows(); ++s) Tally[static_cast<size_t>(s)] += column[s];
}

bool SampleRarefactionDraw(const Matrix& Samples, int32_t k, std::span<uint8_t> Picked, std::span<int32_t> Tally) {
  const int32_t M = Samples.Cols();
  std::fill(Picked.begin(), Picked.begin() + M, uint8_t{0});
  for (int32_t pick = 0; pick < k; ++pick) {
    int32_t j = Random(M);
    int32_t pickedDraws = 0;
    while (Picked[static_cast<size_t>(j)] != 0) {
      if (++pickedDraws == kPickedDrawsAllowed) {
        Random(M);
        return false;
      }
      j = Random(M);
    }
    Picked[static_cast<size_t>(j)] = 1;
  }
  for (int32_t j = 0; j < M; ++j)
    if (Picked[static_cast<size_t>(j)] != 0) AddColumnToList(Samples, j, Tally);
  return true;
}

void SampleAccumulationDraw(const Matrix& Samples, int32_t k, std::span<int32_t> Tally) {
  const int32_t M = Samples.Cols();
  for (int32_t i = 0; i < k; ++i) AddColumnToList(Samples, Random(M), Tally);
}
