#include "analysis/presence_absence/GroupSims.h"

#include <algorithm>
#include <unordered_map>

#include "analysis/common/ZorvanHelpersMatrix.h"
#include "classlib/Random.h"

namespace {

int64_t PairCount(int64_t species) { return species * (species - 1) / 2; }

// Present species of each group at one site: popcounts of the site's species masked by each
// group's, with the hardware instruction where the processor has it.
[[gnu::target_clones("popcnt", "default")]]
void CountGroups(const uint64_t* site, const uint64_t* groups, int32_t G, int32_t words, int32_t* counts) {
  for (int32_t g = 0; g < G; ++g) {
    const uint64_t* mask = groups + static_cast<size_t>(g) * static_cast<size_t>(words);
    int32_t count = 0;
    for (int32_t w = 0; w < words; ++w) count += __builtin_popcountll(site[w] & mask[w]);
    counts[g] = count;
  }
}

double Mean(std::span<const double> values) {
  double sum = 0;
  for (double v : values) sum += v;
  return values.empty() ? 0.0 : sum / static_cast<double>(values.size());
}

}  // namespace

void GroupSims::Begin(GroupAxis Axis, const Matrix& Presence, const std::vector<std::string>& Labels) {
  axis_ = Axis;
  S_ = std::max(Presence.Cols() - 1, 0);
  n_ = std::max(Presence.Rows() - 1, 0);
  W_.SetLength(S_ + 1, n_ + 1);
  // A source fits the cell beside its presence bit: at most (S + 1)(n + 1) cells.
  for (int32_t c = 1; c <= S_; ++c)
    for (int32_t r = 1; r <= n_; ++r)
      W_[c][r] = ((c * (n_ + 1) + r) << 1) | (Presence[c][r] > 0 ? 1 : 0);

  // Groups in the order of their first label; exact comparison.
  names_.clear();
  sizes_.clear();
  label_.assign(Labels.size(), 0);
  std::unordered_map<std::string, int32_t> index;
  for (size_t u = 0; u < Labels.size(); ++u) {
    auto [it, added] = index.emplace(Labels[u], static_cast<int32_t>(names_.size()));
    if (added) {
      names_.push_back(Labels[u]);
      sizes_.push_back(0);
    }
    label_[u] = it->second;
    ++sizes_[static_cast<size_t>(it->second)];
  }
  const size_t G = names_.size();
  start_.assign(G + 1, 0);
  for (size_t g = 0; g < G; ++g) start_[g + 1] = start_[g] + sizes_[g];
  members_.assign(Labels.size(), 0);
  fill_.assign(G, 0);

  // Each group's matrices at the group's size; pair buffers at the largest group's pairs.
  O_.resize(G);
  F_.resize(G);
  int64_t largestPairs = 1;
  for (size_t g = 0; g < G; ++g) {
    const int32_t k = sizes_[g];
    const int32_t sites = Axis == GroupAxis::Species ? S_ : k;
    const int32_t species = Axis == GroupAxis::Species ? k : n_;
    O_[g].SetLength(sites + 1, species + 1);
    F_[g].SetLength(sites + 1, species + 1);
    largestPairs = std::max(largestPairs, PairCount(species));
  }
  pairs_.assign(static_cast<size_t>(largestPairs), 0.0);
  overlap_.assign(pairs_.size(), 0.0);
  union_.assign(pairs_.size(), 0.0);

  siteTotals_.assign(static_cast<size_t>(S_) + 1, 0);
  for (int32_t c = 1; c <= S_; ++c)
    for (int32_t r = 1; r <= n_; ++r) siteTotals_[static_cast<size_t>(c)] += Present(c, r) ? 1 : 0;
  counts_.assign(G, 0);
  favored_.assign(static_cast<size_t>(n_), 0);
  if (Axis == GroupAxis::Species && G > 0) FavoredTable(sizes_, favored_);

  // The engine's shuffles walk W as a species-by-site matrix of its own size.
  NullModelOptions plain;
  plain.Rows = Constraint::Equiprobable;
  plain.Columns = Constraint::Equiprobable;
  cells_.BeginRun(W_, InfoMat{S_ + 1, n_ + 1, S_, n_}, plain, {}, {}, NullModelServices{});

  cellsMoved_ = false;
  terms_ = GroupPairTerms{};
  kept_.assign(Labels.size(), 0);
  words_ = (n_ + 63) / 64;
  siteBits_.assign(static_cast<size_t>(S_ + 1) * static_cast<size_t>(words_), 0);
  for (int32_t c = 1; c <= S_; ++c)
    for (int32_t r = 1; r <= n_; ++r)
      if (Present(c, r))
        siteBits_[static_cast<size_t>(c) * static_cast<size_t>(words_) + static_cast<size_t>((r - 1) / 64)] |=
            uint64_t{1} << ((r - 1) % 64);
  groupBits_.assign(G * static_cast<size_t>(words_), 0);
}

int32_t GroupSims::SmallestGroup() const {
  return sizes_.empty() ? 0 : *std::min_element(sizes_.begin(), sizes_.end());
}

void GroupSims::Source(int32_t site, int32_t species, int32_t& fromSite, int32_t& fromSpecies) const {
  const int32_t source = W_[site][species] >> 1;
  fromSite = source / (n_ + 1);
  fromSpecies = source % (n_ + 1);
}

void GroupSims::ShuffleLabels() {
  const int32_t U = Units();
  for (int32_t u = 0; u < U; ++u) std::swap(label_[static_cast<size_t>(u)], label_[static_cast<size_t>(Random(U))]);
}

void GroupSims::Shuffle(GroupShuffle Kind) {
  switch (Kind) {
    case GroupShuffle::Labels: ShuffleLabels(); return;
    case GroupShuffle::WithinSites: cells_.ShuffleWithinColumns(W_, W_); break;
    case GroupShuffle::WithinSpecies: cells_.ShuffleWithinRows(W_, W_); break;
    case GroupShuffle::Both:
      cells_.ShuffleWithinColumns(W_, W_);
      cells_.ShuffleWithinRows(W_, W_);
      break;
  }
  cellsMoved_ = true;
}

void GroupSims::SortMembers() {
  std::fill(fill_.begin(), fill_.end(), 0);
  const int32_t U = Units();
  for (int32_t u = 0; u < U; ++u) {
    const int32_t g = label_[static_cast<size_t>(u)];
    members_[static_cast<size_t>(start_[g] + fill_[g]++)] = u + 1;
  }
}

bool GroupSims::UsesPairTerms(GroupIndexKind Kind) const {
  return axis_ == GroupAxis::Species && !cellsMoved_ && n_ <= GroupPairTerms::kMaxSpecies &&
         GroupPairTerms::Handles(Kind);
}

// The members' pair values summed from the table; the mean divides the exact total by the
// pairs of the non-empty members, as the group's own matrix would.
bool GroupSims::GroupIndicesFromTerms(GroupIndexKind Kind, std::span<double> Out) {
  if (!terms_.Built(Kind)) terms_.Build(Kind, W_, S_, n_);
  SortMembers();
  bool anyEmpty = false;
  const int32_t G = GroupCount();
  for (int32_t g = 0; g < G && g < static_cast<int32_t>(Out.size()); ++g) {
    const int32_t* member = members_.data() + start_[g];
    int32_t kept = 0;
    for (int32_t i = 0; i < sizes_[static_cast<size_t>(g)]; ++i)
      if (terms_.NonEmpty(member[i])) kept_[static_cast<size_t>(kept++)] = member[i];
    double& out = Out[static_cast<size_t>(g)];
    if (kept == 0) {
      anyEmpty = true;
      out = 0.0;
      continue;
    }
    const double total = static_cast<double>(terms_.Total(kept_.data(), kept));
    const int64_t pairs = PairCount(kept);
    if (Kind == GroupIndexKind::Checkerboards)
      out = total;
    else
      out = pairs > 0 ? total / static_cast<double>(pairs) : 0.0;
  }
  return anyEmpty;
}

bool GroupSims::GroupIndices(GroupIndexKind Kind, std::span<double> Out) {
  if (UsesPairTerms(Kind)) return GroupIndicesFromTerms(Kind, Out);
  SortMembers();
  bool anyEmpty = false;
  const int32_t G = GroupCount();
  for (int32_t g = 0; g < G && g < static_cast<int32_t>(Out.size()); ++g) {
    bool empty = false;
    Out[static_cast<size_t>(g)] = GroupIndex(g, Kind, empty);
    anyEmpty = anyEmpty || empty;
  }
  return anyEmpty;
}

// The group's matrix from its members, its empty species and then its empty sites dropped,
// and the index of what is left.
double GroupSims::GroupIndex(int32_t g, GroupIndexKind Kind, bool& Empty) {
  Matrix& O = O_[static_cast<size_t>(g)];
  Matrix& F = F_[static_cast<size_t>(g)];
  const int32_t* member = members_.data() + start_[g];
  const int32_t k = sizes_[static_cast<size_t>(g)];
  InfoMat info{O.Cols(), O.Rows(), O.Cols() - 1, O.Rows() - 1};
  if (axis_ == GroupAxis::Species) {
    for (int32_t c = 1; c <= S_; ++c) {
      int32_t* to = O[c];
      const int32_t* from = W_[c];
      for (int32_t i = 0; i < k; ++i) to[i + 1] = from[member[i]] & 1;
    }
  } else {
    for (int32_t i = 0; i < k; ++i) {
      int32_t* to = O[i + 1];
      const int32_t* from = W_[member[i]];
      for (int32_t r = 1; r <= n_; ++r) to[r] = from[r] & 1;
    }
  }
  CalculateMargins(O, info);
  Empty = O[0][0] < 1;
  if (Empty) return 0.0;
  CopyNonEmptyRows(O, F, info);
  CalculateMargins(F, info);
  RemoveEmptyColumns(F, info);
  CalculateMargins(F, info);
  return MatrixIndex(Kind, F, info);
}

double GroupSims::MatrixIndex(GroupIndexKind Kind, const Matrix& M, const InfoMat& Info) {
  const int64_t P = PairCount(Info[3]);
  if (static_cast<size_t>(std::max<int64_t>(P, 1)) > pairs_.size()) pairs_.assign(static_cast<size_t>(P), 0.0);
  const std::span<double> all(pairs_);
  const std::span<double> pairs = all.first(static_cast<size_t>(std::max<int64_t>(P, 0)));
  switch (Kind) {
    case GroupIndexKind::CScore:
      PairCheckerboardUnits(M, Info, all, scratch_);
      return Mean(pairs);
    case GroupIndexKind::Checkerboards:
      CheckerboardPairs(M, Info, all, scratch_);
      return pairs_[0];
    case GroupIndexKind::Combinations:
      SpeciesCombinations(M, Info, all, scratch_);
      return pairs_[0];
    case GroupIndexKind::VRatio:
      VarianceRatio(M, Info, all, scratch_);
      return pairs_[0];
    case GroupIndexKind::RelativeOverlap: {
      if (overlap_.size() < pairs_.size()) {
        overlap_.assign(pairs_.size(), 0.0);
        union_.assign(pairs_.size(), 0.0);
      }
      PairOverlap(M, Info, overlap_, scratch_);
      PairUnion(M, Info, union_, scratch_);
      for (size_t p = 0; p < pairs.size(); ++p) pairs[p] = union_[p] > 0 ? overlap_[p] / union_[p] : 0.0;
      return Mean(pairs);
    }
    case GroupIndexKind::Union:
      PairUnion(M, Info, all, scratch_);
      return Mean(pairs);
    case GroupIndexKind::Overlap:
      PairOverlap(M, Info, all, scratch_);
      return Mean(pairs);
  }
  return 0.0;
}

// Species are dealt to the groups in turn, a group taking no more than its size; after each
// species the table records the spread between the fullest and the emptiest group.
void GroupSims::FavoredTable(const std::vector<int32_t>& Sizes, std::vector<int32_t>& Table) {
  const int32_t G = static_cast<int32_t>(Sizes.size());
  const int32_t S = static_cast<int32_t>(Table.size());
  std::vector<int32_t> dealt(static_cast<size_t>(G), 0);
  int32_t i = -1;
  for (int32_t k = 0; k < S; ++k) {
    ++i;
    while (i < G && dealt[static_cast<size_t>(i)] >= Sizes[static_cast<size_t>(i)]) ++i;
    if (i >= G) {
      i = 0;
      while (i < G && dealt[static_cast<size_t>(i)] >= Sizes[static_cast<size_t>(i)]) ++i;
      // Sizes adding up to S always leave room; more species than room ends the table here.
      if (i >= G) {
        std::fill(Table.begin() + k, Table.end(), 0);
        return;
      }
    }
    ++dealt[static_cast<size_t>(i)];
    int32_t lo = S, hi = 0;
    for (int32_t d : dealt) {
      lo = std::min(lo, d);
      hi = std::max(hi, d);
    }
    Table[static_cast<size_t>(k)] = hi - lo;
  }
}

int32_t GroupSims::FavoredStates() const {
  if (axis_ != GroupAxis::Species) return 0;
  int32_t count = 0;
  if (!cellsMoved_) {
    // The sites' species never moved: each group's count is a masked popcount.
    std::fill(groupBits_.begin(), groupBits_.end(), 0);
    const size_t words = static_cast<size_t>(words_);
    for (int32_t r = 1; r <= n_; ++r)
      groupBits_[static_cast<size_t>(label_[static_cast<size_t>(r - 1)]) * words + static_cast<size_t>((r - 1) / 64)] |=
          uint64_t{1} << ((r - 1) % 64);
    const int32_t G = GroupCount();
    for (int32_t c = 1; c <= S_; ++c) {
      const int32_t m = siteTotals_[static_cast<size_t>(c)];
      if (m <= 1 || m >= n_ - 1) continue;
      CountGroups(siteBits_.data() + static_cast<size_t>(c) * words, groupBits_.data(), G, words_, counts_.data());
      int32_t lo = n_, hi = 0;
      for (int32_t v : counts_) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
      }
      if (hi - lo == favored_[static_cast<size_t>(m - 1)]) ++count;
    }
    return count;
  }
  for (int32_t c = 1; c <= S_; ++c) {
    const int32_t m = siteTotals_[static_cast<size_t>(c)];
    // At least 2 species present and at least 2 absent.
    if (m <= 1 || m >= n_ - 1) continue;
    std::fill(counts_.begin(), counts_.end(), 0);
    const int32_t* column = W_[c];
    for (int32_t r = 1; r <= n_; ++r)
      if (column[r] & 1) ++counts_[static_cast<size_t>(label_[static_cast<size_t>(r - 1)])];
    int32_t lo = n_, hi = 0;
    for (int32_t v : counts_) {
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    if (hi - lo == favored_[static_cast<size_t>(m - 1)]) ++count;
  }
  return count;
}
