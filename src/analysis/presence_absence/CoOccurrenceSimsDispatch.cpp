// Run set-up, the choice of generator and the number lines.
#include <algorithm>

#include "analysis/presence_absence/CoOccurrenceSims.h"

NullModelOptions NullModelOptionsFromItems(int rowItem, int columnItem, int fixedFixedItem,
                                           int degenerateItem) {
  auto constraint = [](int item) {
    return item >= 0 && item <= 3 ? static_cast<Constraint>(item) : Constraint::FixedSum;
  };
  NullModelOptions o;
  o.Rows = constraint(rowItem);
  o.Columns = constraint(columnItem);
  o.FixedFixed = fixedFixedItem >= 0 && fixedFixedItem <= 2
                     ? static_cast<FixedFixedAlgorithm>(fixedFixedItem)
                     : FixedFixedAlgorithm::None;
  o.Degenerate = degenerateItem >= 0 && degenerateItem <= 3
                     ? static_cast<DegeneratePolicy>(degenerateItem)
                     : DegeneratePolicy::Retain;
  return o;
}

namespace {

// One generator per pair of constraints. Where a constraint is Proportional, its number line
// is recomputed from the observed totals before the fill (species line first); a
// User-Defined line was built once at the start of the run.
struct DispatchEntry {
  bool speciesLineFromTotals;
  bool sitesLineFromTotals;
  void (CoOccurrenceSims::*generator)(const Matrix&, Matrix&);
};

using S = CoOccurrenceSims;
// [row constraint][column constraint], in the order Equiprobable, Fixed Sum, Proportional,
// User-Defined.
const DispatchEntry kDispatch[4][4] = {
    {{false, false, &S::ShuffleCells},
     {false, false, &S::ShuffleWithinColumns},
     {false, true, &S::FillRandomRowsWeightedSites},
     {false, false, &S::FillRandomRowsWeightedSites}},
    {{false, false, &S::ShuffleWithinRows},
     {false, false, nullptr},  // the fixed-fixed algorithm
     {false, true, &S::FillRowsBySiteWeights},
     {false, false, &S::FillRowsBySiteWeights}},
    {{true, false, &S::FillRandomSitesWeightedRows},
     {true, false, &S::FillColumnsBySpeciesWeights},
     {true, true, &S::FillWeightedRowsWeightedSites},
     {true, false, &S::FillWeightedRowsWeightedSites}},
    {{false, false, &S::FillRandomSitesWeightedRows},
     {false, false, &S::FillColumnsBySpeciesWeights},
     {false, true, &S::FillWeightedRowsWeightedSites},
     {false, false, &S::FillWeightedRowsWeightedSites}},
};

// line[0] := the sum of all weights; line[i] := weight i / sum for the elements the line has,
// when the sum is positive (otherwise they stay 0 and a fill that walks the line refuses).
void NumberLineFromWeights(const std::vector<double>& weights, NumberLine& line) {
  std::fill(line.begin(), line.end(), 0.0);
  double sum = 0.0;
  for (double w : weights) sum += w;
  line[0] = sum;
  if (sum > 0)
    for (size_t i = 1; i < line.size() && i <= weights.size(); ++i) line[i] = weights[i - 1] / sum;
}

}  // namespace

void CoOccurrenceSims::BeginRun(const Matrix& observed, const InfoMat& info_Mat,
                                const NullModelOptions& options,
                                const std::vector<double>& siteWeights,
                                const std::vector<double>& speciesWeights,
                                NullModelServices services) {
  options_ = options;
  services_ = std::move(services);
  C_ = info_Mat[0] - 1;
  R_ = info_Mat[1] - 1;
  interrupt_ = false;
  degenerateSample_ = false;
  knightsSteps_ = 0;

  const DispatchEntry& entry =
      kDispatch[static_cast<int>(options_.Rows)][static_cast<int>(options_.Columns)];
  generator_ = entry.generator ? entry.generator : &CoOccurrenceSims::FixedFixed;
  speciesLineFromTotals_ = entry.speciesLineFromTotals;
  sitesLineFromTotals_ = entry.sitesLineFromTotals;

  sitesLine_.assign(static_cast<size_t>(C_) + 1, 0.0);
  speciesLine_.assign(static_cast<size_t>(R_) + 1, 0.0);
  NumberLineFromWeights(siteWeights, sitesLine_);
  NumberLineFromWeights(speciesWeights, speciesLine_);
  sitesSearch_.Build(sitesLine_);
  speciesSearch_.Build(speciesLine_);
  sitesLineTotals_.clear();
  speciesLineTotals_.clear();

  const int64_t cells = static_cast<int64_t>(R_) * C_;
  swapCount_ = static_cast<int32_t>(std::max<int64_t>(cells, kMinimumSwaps));
  done_ = false;
  const bool fixedSums = options_.Rows == Constraint::FixedSum && options_.Columns == Constraint::FixedSum;
  swapsPossible_ = !fixedSums || HasCheckerboard(observed, C_, R_);
  LoadChain(fixedChain_, observed);
  workChain_.assign(fixedChain_.size(), 0);
}

void CoOccurrenceSims::ConstrainedRandomMatrix(const Matrix& observed, Matrix& simulated) {
  if (speciesLineFromTotals_) SpeciesNumberLineFromTotals(observed);
  if (sitesLineFromTotals_) SitesNumberLineFromTotals(observed);
  (this->*generator_)(observed, simulated);
}

void CoOccurrenceSims::FixedFixed(const Matrix& observed, Matrix& simulated) {
  switch (options_.FixedFixed) {
    case FixedFixedAlgorithm::SequentialSwap: SequentialSwap(observed, simulated); break;
    case FixedFixedAlgorithm::IndependentSwap: IndependentSwap(observed, simulated); break;
    case FixedFixedAlgorithm::KnightsTour: KnightsTour(observed, simulated); break;
    case FixedFixedAlgorithm::None: break;
  }
}

void CoOccurrenceSims::Fail(const char* message) {
  if (services_.Message) services_.Message(message);
  interrupt_ = true;
}

namespace {

// True when the n totals read by Total(1..n) are those stored in Cached; otherwise stores them
// and returns false. The proportional lines depend on nothing else, so equal totals mean the
// line built last is the line wanted now.
template <typename TotalFn>
bool SameTotals(std::vector<int32_t>& Cached, int32_t n, TotalFn Total) {
  bool same = !Cached.empty() && Cached.size() == static_cast<size_t>(n);
  for (int32_t i = 1; same && i <= n; ++i) same = Cached[static_cast<size_t>(i - 1)] == Total(i);
  if (same) return true;
  Cached.resize(static_cast<size_t>(n));
  for (int32_t i = 1; i <= n; ++i) Cached[static_cast<size_t>(i - 1)] = Total(i);
  return false;
}

}  // namespace

void CoOccurrenceSims::SitesNumberLineFromTotals(const Matrix& observed) {
  if (SameTotals(sitesLineTotals_, C_, [&](int32_t c) { return observed[c][0]; })) return;
  int64_t sum = 0;
  for (int32_t c = 1; c <= C_; ++c) sum += observed[c][0];
  sitesLine_[0] = static_cast<double>(sum);
  if (sum > 0) {
    for (int32_t c = 1; c <= C_; ++c) sitesLine_[c] = observed[c][0] / static_cast<double>(sum);
  } else {
    sitesLineTotals_.clear();  // the refusal is shown on every attempt
    Fail(kColumnLineError);
  }
  sitesSearch_.Build(sitesLine_);
}

void CoOccurrenceSims::SpeciesNumberLineFromTotals(const Matrix& observed) {
  if (SameTotals(speciesLineTotals_, R_, [&](int32_t r) { return observed[0][r]; })) return;
  int64_t sum = 0;
  for (int32_t r = 1; r <= R_; ++r) sum += observed[0][r];
  speciesLine_[0] = static_cast<double>(sum);
  if (sum > 0) {
    for (int32_t r = 1; r <= R_; ++r) speciesLine_[r] = observed[0][r] / static_cast<double>(sum);
  } else {
    speciesLineTotals_.clear();
    Fail(kRowLineError);
  }
  speciesSearch_.Build(speciesLine_);
}
