#include "analysis/species_diversity/SpeciesDiversityDraws.h"

#include <algorithm>
#include <bit>

#include "classlib/Exceptions.h"
#include "classlib/Random.h"

void IndividualPool::Assign(std::span<const int32_t> Counts) {
  S_ = static_cast<int32_t>(Counts.size());
  tree_.assign(static_cast<size_t>(S_) + 1, 0);
  total_ = 0;
  // Linear build: each node passes its sum on to its parent.
  for (int32_t i = 1; i <= S_; ++i) {
    tree_[static_cast<size_t>(i)] += Counts[static_cast<size_t>(i - 1)];
    total_ += Counts[static_cast<size_t>(i - 1)];
    const int32_t parent = i + (i & -i);
    if (parent <= S_) tree_[static_cast<size_t>(parent)] += tree_[static_cast<size_t>(i)];
  }
  topBit_ = S_ > 0 ? static_cast<int32_t>(std::bit_floor(static_cast<uint32_t>(S_))) : 0;
}

void IndividualPool::CopyFrom(const IndividualPool& Other) {
  if (tree_.size() != Other.tree_.size()) tree_.resize(Other.tree_.size());
  std::copy(Other.tree_.begin(), Other.tree_.end(), tree_.begin());
  S_ = Other.S_;
  total_ = Other.total_;
  topBit_ = Other.topBit_;
}

int32_t IndividualPool::DrawOne() {
  int32_t u = 1 + Random(total_);
  // The last position whose prefix sum is below u; the species after it is the first whose
  // running sum reaches u, as the walk in row order finds it.
  int32_t pos = 0;
  for (int32_t step = topBit_; step > 0; step >>= 1) {
    const int32_t next = pos + step;
    if (next <= S_ && tree_[static_cast<size_t>(next)] < u) {
      pos = next;
      u -= tree_[static_cast<size_t>(next)];
    }
  }
  for (int32_t i = pos + 1; i <= S_; i += i & -i) --tree_[static_cast<size_t>(i)];
  --total_;
  return pos;
}

int32_t IndividualPool::Count(int32_t s) const {
  auto prefix = [this](int32_t i) {
    int32_t sum = 0;
    for (; i > 0; i -= i & -i) sum += tree_[static_cast<size_t>(i)];
    return sum;
  };
  return prefix(s + 1) - prefix(s);
}

void RarefactionDraw(const IndividualPool& Pool, int32_t k, IndividualPool& Work, std::span<int32_t> Tally) {
  if (k > Pool.Total()) RaiseRangeError();
  Work.CopyFrom(Pool);
  for (int32_t i = 0; i < k; ++i) ++Tally[static_cast<size_t>(Work.DrawOne())];
}

void AccumulationDraw(IndividualPool& Pool, int32_t k, std::span<int32_t> Tally) {
  if (k > Pool.Total()) RaiseRangeError();
  for (int32_t i = 0; i < k; ++i) ++Tally[static_cast<size_t>(Pool.DrawOne())];
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
