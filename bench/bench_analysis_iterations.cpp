// One iteration of guild structure, niche overlap, size overlap and regression, each beside a
// plain baseline: the same draws and the same results computed the simple way the program
// used to (each guild's matrix rebuilt, the scalar pair loop and the counting-pass ranking,
// the library sort and the observed logarithms every draw, all five regression sums every
// permutation, for data with decimals and for whole numbers). Sizes as a user runs them, and twice those. Each benchmark checks at the end
// that its results equal the baseline's for the same seed.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/common/ZorvanHelpersMatrix.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/niche_overlap/NicheOverlapSims.h"
#include "analysis/presence_absence/GroupSims.h"
#include "analysis/regression/RegressionSims.h"
#include "analysis/size_overlap/NumberLineSort.h"
#include "analysis/size_overlap/SizeOverlapSims.h"
#include "classlib/Random.h"

namespace {

double Uniform01(uint64_t& s) {
  s = s * 6364136223846793005ull + 1442695040888963407ull;
  return static_cast<double>(s >> 11) / 9007199254740992.0;
}

// ---------------------------------------------------------------- guild structure

struct GuildData {
  Matrix Presence;
  std::vector<std::string> Labels;
};

// Species x sites, a third of the cells occupied, the species dealt to 5 guilds in turn.
GuildData Guilds(int Species, int Sites) {
  GuildData d;
  d.Presence.SetLength(Sites + 1, Species + 1);
  uint64_t s = 12345;
  for (int r = 1; r <= Species; ++r) {
    d.Labels.push_back("g" + std::to_string((r - 1) % 5 + 1));
    for (int c = 1; c <= Sites; ++c) d.Presence[c][r] = Uniform01(s) < 1.0 / 3.0 ? 1 : 0;
  }
  return d;
}

// The baseline: every guild's matrix rebuilt from the labels each iteration, its empty species
// and sites dropped, the C-score from its pairs; the favored states cell by cell.
class PlainGuilds {
 public:
  explicit PlainGuilds(const GuildData& d) : P(d.Presence), S(d.Presence.Cols() - 1), n(d.Presence.Rows() - 1) {
    for (const std::string& l : d.Labels) {
      size_t g = 0;
      while (g < names.size() && names[g] != l) ++g;
      if (g == names.size()) names.push_back(l), sizes.push_back(0);
      label.push_back(static_cast<int32_t>(g));
      ++sizes[g];
    }
    favored.assign(static_cast<size_t>(n), 0);
    GroupSims::FavoredTable(sizes, favored);
  }
  void Iteration(std::vector<double>& Out, int32_t& Favored) {
    const int32_t U = static_cast<int32_t>(label.size());
    for (int32_t u = 0; u < U; ++u) std::swap(label[static_cast<size_t>(u)], label[static_cast<size_t>(Random(U))]);
    Favored = 0;
    std::vector<int32_t> counts(sizes.size());
    for (int32_t c = 1; c <= S; ++c) {
      int32_t m = 0;
      for (int32_t r = 1; r <= n; ++r) m += P[c][r];
      if (m <= 1 || m >= n - 1) continue;
      std::fill(counts.begin(), counts.end(), 0);
      for (int32_t r = 1; r <= n; ++r)
        if (P[c][r]) ++counts[static_cast<size_t>(label[static_cast<size_t>(r - 1)])];
      const auto [lo, hi] = std::minmax_element(counts.begin(), counts.end());
      if (*hi - *lo == favored[static_cast<size_t>(m - 1)]) ++Favored;
    }
    for (size_t g = 0; g < sizes.size(); ++g) {
      Matrix O(S + 1, sizes[g] + 1), F(S + 1, sizes[g] + 1);
      int32_t k = 0;
      for (int32_t r = 1; r <= n; ++r) {
        if (label[static_cast<size_t>(r - 1)] != static_cast<int32_t>(g)) continue;
        ++k;
        for (int32_t c = 1; c <= S; ++c) O[c][k] = P[c][r];
      }
      InfoMat info{S + 1, k + 1, S, k};
      CalculateMargins(O, info);
      if (O[0][0] < 1) {
        Out[g] = 0;
        continue;
      }
      CopyNonEmptyRows(O, F, info);
      CalculateMargins(F, info);
      RemoveEmptyColumns(F, info);
      CalculateMargins(F, info);
      const int64_t pairs = static_cast<int64_t>(info[3]) * (info[3] - 1) / 2;
      std::vector<double> units(static_cast<size_t>(std::max<int64_t>(pairs, 1)));
      plain_index::PairCheckerboardUnits(F, info[2], info[3], units);
      double sum = 0;
      for (int64_t p = 0; p < pairs; ++p) sum += units[static_cast<size_t>(p)];
      Out[g] = pairs > 0 ? sum / static_cast<double>(pairs) : 0.0;
    }
  }

 private:
  Matrix P;
  int32_t S, n;
  std::vector<std::string> names;
  std::vector<int32_t> sizes, label, favored;
};

void BM_GuildIteration_Plain(benchmark::State& state) {
  const GuildData d = Guilds(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  PlainGuilds plain(d);
  std::vector<double> out(5);
  int32_t favored = 0;
  RandSeed = 11;
  for (auto _ : state) {
    plain.Iteration(out, favored);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_GuildIteration_Plain)->Args({200, 50})->Args({400, 100})->Unit(benchmark::kMicrosecond);

// The program's own path before the pair table: after one cell shuffle the table no longer
// holds, so every iteration rebuilds each guild's matrix (packed pair loops) as it used to.
void BM_GuildIteration_MatrixPath(benchmark::State& state) {
  const GuildData d = Guilds(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  GroupSims sims;
  sims.Begin(GroupAxis::Species, d.Presence, d.Labels);
  RandSeed = 11;
  sims.Shuffle(GroupShuffle::WithinSites);
  std::vector<double> out(5);
  for (auto _ : state) {
    sims.ShuffleLabels();
    benchmark::DoNotOptimize(sims.FavoredStates());
    sims.GroupIndices(GroupIndexKind::CScore, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_GuildIteration_MatrixPath)->Args({200, 50})->Args({400, 100})->Unit(benchmark::kMicrosecond);

void BM_GuildIteration_Program(benchmark::State& state) {
  const GuildData d = Guilds(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  GroupSims sims;
  sims.Begin(GroupAxis::Species, d.Presence, d.Labels);
  std::vector<double> out(5);
  RandSeed = 11;
  for (auto _ : state) {
    sims.ShuffleLabels();
    benchmark::DoNotOptimize(sims.FavoredStates());
    sims.GroupIndices(GroupIndexKind::CScore, out);
    benchmark::DoNotOptimize(out.data());
  }
  // The same seed through both must give the same indices and favored states.
  PlainGuilds plain(d);
  std::vector<double> expected(5), got(5);
  int32_t favored = 0, gotFavored = 0;
  RandSeed = 5;
  for (int i = 0; i < 50; ++i) plain.Iteration(expected, favored);
  sims.Begin(GroupAxis::Species, d.Presence, d.Labels);
  RandSeed = 5;
  for (int i = 0; i < 50; ++i) {
    sims.ShuffleLabels();
    gotFavored = sims.FavoredStates();
    sims.GroupIndices(GroupIndexKind::CScore, got);
  }
  if (got != expected || gotFavored != favored) state.SkipWithError("results differ from the baseline");
}
BENCHMARK(BM_GuildIteration_Program)->Args({200, 50})->Args({400, 100})->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- niche overlap

// Utilisations 0..9 with about a quarter zeros.
NicheInput Niches(int Species, int States) {
  uint64_t s = 12345;
  return ReadNicheInput(Species, States, [&](int, int) {
    s = s * 6364136223846793005ull + 1442695040888963407ull;
    const int v = static_cast<int>((s >> 33) % 12);
    return std::to_string(v < 3 ? 0 : v - 2);
  });
}

// The baseline: algorithm 3 with the two counting passes (9 and 8 bits of the key) and the
// scalar pair loop, as the program computed them before.
class PlainNiche {
 public:
  explicit PlainNiche(const NicheInput& in) : In(in), Sim(in.Observed.size()), Std(in.Observed.size()) {}
  void Iteration(std::vector<double>& Pairs) {
    const int S = In.Species, N = In.States;
    std::vector<int32_t> cells(static_cast<size_t>(N)), keys(cells.size()), order(cells.size()), buffer(cells.size());
    std::vector<int32_t> counts(513);
    std::fill(Sim.begin(), Sim.end(), 0.0);
    for (int s = 0; s < S; ++s) {
      const size_t base = static_cast<size_t>(s) * N;
      int m = 0;
      for (int c = 0; c < N; ++c) {
        if (In.Excluded[base + c] != 0) continue;
        cells[static_cast<size_t>(m)] = c;
        keys[static_cast<size_t>(m)] = PermutationKey(RandomReal());
        ++m;
      }
      auto pass = [&](const int32_t* from, int32_t* to, int shift, int32_t mask, size_t buckets) {
        std::fill(counts.begin(), counts.begin() + static_cast<std::ptrdiff_t>(buckets) + 1, 0);
        for (int i = 0; i < m; ++i) ++counts[static_cast<size_t>((keys[static_cast<size_t>(from[i])] >> shift) & mask) + 1];
        for (size_t b = 1; b <= buckets; ++b) counts[b] += counts[b - 1];
        for (int i = 0; i < m; ++i) to[counts[static_cast<size_t>((keys[static_cast<size_t>(from[i])] >> shift) & mask)]++] = from[i];
      };
      for (int i = 0; i < m; ++i) buffer[static_cast<size_t>(i)] = i;
      pass(buffer.data(), order.data(), 0, 511, 512);
      pass(order.data(), buffer.data(), 9, 255, 256);
      for (int rank = 0; rank < m; ++rank)
        Sim[base + static_cast<size_t>(cells[static_cast<size_t>(rank)])] =
            In.Observed[base + static_cast<size_t>(cells[static_cast<size_t>(buffer[static_cast<size_t>(rank)])])];
    }
    StandardizeRows(S, N, Sim.data(), Std.data());
    PiankaPairs(S, N, Std.data(), SumSquares, Pairs.data());
  }

 private:
  const NicheInput& In;
  std::vector<double> Sim, Std, SumSquares;
};

void BM_NicheIteration_RA3Pianka_Plain(benchmark::State& state) {
  const NicheInput in = Niches(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  PlainNiche plain(in);
  std::vector<double> pairs(static_cast<size_t>(PairCount(in.Species)));
  double mean = 0, variance = 0;
  RandSeed = 7;
  for (auto _ : state) {
    plain.Iteration(pairs);
    CalculateMeanVariance(static_cast<Integer>(pairs.size()), pairs, mean, variance);
    benchmark::DoNotOptimize(mean);
  }
}
BENCHMARK(BM_NicheIteration_RA3Pianka_Plain)->Args({200, 100})->Args({400, 200})->Unit(benchmark::kMicrosecond);

void BM_NicheIteration_RA3Pianka_Program(benchmark::State& state) {
  const NicheInput in = Niches(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  NicheOverlapSims sims;
  sims.Begin(in, NicheAlgorithm::RA3, NicheIndex::Pianka);
  std::vector<double> pairs(static_cast<size_t>(PairCount(in.Species)));
  double mean = 0, variance = 0;
  RandSeed = 7;
  for (auto _ : state) {
    sims.Randomize();
    sims.SimulatedPairs(pairs);
    CalculateMeanVariance(static_cast<Integer>(pairs.size()), pairs, mean, variance);
    benchmark::DoNotOptimize(mean);
  }
  PlainNiche plain(in);
  std::vector<double> expected(pairs.size());
  RandSeed = 5;
  for (int i = 0; i < 3; ++i) plain.Iteration(expected);
  RandSeed = 5;
  for (int i = 0; i < 3; ++i) {
    sims.Randomize();
    sims.SimulatedPairs(pairs);
  }
  if (pairs != expected) state.SkipWithError("results differ from the baseline");
}
BENCHMARK(BM_NicheIteration_RA3Pianka_Program)->Args({200, 100})->Args({400, 200})->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- size overlap

std::vector<double> BodySizes(int n) {
  std::vector<double> sizes;
  uint64_t s = 12345;
  for (int i = 0; i < n; ++i) sizes.push_back(1 + 99.0 * Uniform01(s));
  QuickSortReals(sizes, 0, n - 1);
  return sizes;
}

// One iteration of the run's loop (uniform between the data's extremes, log size ratios,
// segment variance). Program: the observed line's transform once, the number-line sort.
template <bool Plain>
double SizeIteration(SizeOverlapSims& Sims, NumberLineSort& Sort, const std::vector<double>& Data,
                     std::vector<double>& Transformed, std::vector<double>& Simulated, std::vector<double>& Back,
                     std::vector<double>& Segments) {
  const SizeDistribution d = SizeDistribution::Uniform;
  if (Plain) DistributionTransform(d, Data, Transformed);
  Sims.RandomizeNumberLine(Transformed, Simulated);
  if (Plain)
    QuickSortReals(Simulated, 0, static_cast<Integer>(Simulated.size()) - 1);
  else
    Sort.Sort(Simulated);
  DistributionBackTransform(d, Simulated, Back);
  TransformNumberLine(true, Back, Simulated);
  CalculateSegments(Simulated, Segments);
  return SegmentMetric(SizeMetric::SegmentVariance, Segments);
}

template <bool Plain>
void SizeIterations(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  SizeOverlapOptions o;
  o.Distribution = SizeDistribution::Uniform;
  SizeOverlapSims sims;
  sims.Begin(o, NeverInterrupted, nullptr);
  NumberLineSort sort;
  sort.Reserve(static_cast<size_t>(n));
  const std::vector<double> data = BodySizes(n);
  std::vector<double> transformed, simulated(static_cast<size_t>(n)), back, segments;
  DistributionTransform(SizeDistribution::Uniform, data, transformed);
  RandSeed = 11;
  double sink = 0;
  for (auto _ : state)
    sink += SizeIteration<Plain>(sims, sort, data, transformed, simulated, back, segments);
  benchmark::DoNotOptimize(sink);
  if (!Plain) {
    double a = 0, b = 0;
    RandSeed = 5;
    for (int i = 0; i < 100; ++i) a += SizeIteration<true>(sims, sort, data, transformed, simulated, back, segments);
    RandSeed = 5;
    for (int i = 0; i < 100; ++i) b += SizeIteration<false>(sims, sort, data, transformed, simulated, back, segments);
    if (a != b) state.SkipWithError("results differ from the baseline");
  }
}

void BM_SizeOverlapIteration_Plain(benchmark::State& s) { SizeIterations<true>(s); }
void BM_SizeOverlapIteration_Program(benchmark::State& s) { SizeIterations<false>(s); }
BENCHMARK(BM_SizeOverlapIteration_Plain)->Arg(100)->Arg(200);
BENCHMARK(BM_SizeOverlapIteration_Program)->Arg(100)->Arg(200);

// ---------------------------------------------------------------- regression

// Y with decimals, as typed, or whole numbers (counts), whose extended total is exact in any
// order.
void RegressionData(int n, bool Whole, std::vector<double>& X, std::vector<double>& Y) {
  uint64_t s = 12345;
  X.clear();
  Y.clear();
  for (int i = 0; i < n; ++i) {
    X.push_back(i + 1);
    Y.push_back(Whole ? std::round(Uniform01(s) * 1e3) : std::round(Uniform01(s) * 1e6) / 1e4);
  }
}

// The permutation one draw after another.
void PlainRandomizeLists(std::vector<double>& Y) {
  const Integer n = static_cast<Integer>(Y.size());
  for (Integer k = 0; k < n; ++k) std::swap(Y[static_cast<size_t>(k)], Y[static_cast<size_t>(Random(n))]);
}

// The line with all five sums taken every permutation.
TRegressionLine PlainRegression(const std::vector<double>& X, const std::vector<double>& Y) {
  const size_t m = Y.size();
  long double sumX = 0, sumY = 0;
  for (size_t i = 0; i < m; ++i) {
    sumX += X[i];
    sumY += Y[i];
  }
  const long double meanX = m > 0 ? sumX / m : 0, meanY = m > 0 ? sumY / m : 0;
  long double sxy = 0, sxx = 0, syy = 0;
  for (size_t i = 0; i < m; ++i) {
    sxy += static_cast<long double>(X[i]) * Y[i];
    sxx += (X[i] - meanX) * (X[i] - meanX);
    syy += (Y[i] - meanY) * (Y[i] - meanY);
  }
  const long double cov = m > 0 ? sxy - sumX * sumY / m : 0;
  const long double slope = sxx > 0 ? cov / sxx : 0;
  TRegressionLine line;
  line.Slope = FiniteStatistic(static_cast<double>(slope));
  line.Intercept = FiniteStatistic(static_cast<double>(meanY - meanX * slope));
  line.R = FiniteStatistic(sxx * syy > 0 ? static_cast<double>(cov / std::sqrt(sxx * syy)) : 0.0);
  return line;
}

void BM_RegressionIteration_Plain(benchmark::State& state) {
  std::vector<double> x, y;
  RegressionData(static_cast<int>(state.range(0)), state.range(1) != 0, x, y);
  RandSeed = 11;
  for (auto _ : state) {
    PlainRandomizeLists(y);
    benchmark::DoNotOptimize(PlainRegression(x, y));
  }
}
BENCHMARK(BM_RegressionIteration_Plain)->ArgsProduct({{1000, 2000}, {0, 1}})->ArgNames({"rows", "whole"});

void BM_RegressionIteration_Program(benchmark::State& state) {
  std::vector<double> x, y;
  RegressionData(static_cast<int>(state.range(0)), state.range(1) != 0, x, y);
  RegressionSums sums = CalculateRegressionSums(x, y, static_cast<Integer>(y.size()));
  RandSeed = 11;
  for (auto _ : state) {
    RandomizeLists(y);
    benchmark::DoNotOptimize(Do_PermutedRegression(sums, x, y));
  }
  RegressionData(static_cast<int>(state.range(0)), state.range(1) != 0, x, y);
  std::vector<double> plainY = y;
  RandSeed = 5;
  bool same = true;
  for (int i = 0; i < 1000; ++i) {
    const Cardinal before = RandSeed;
    PlainRandomizeLists(plainY);
    const Cardinal after = RandSeed;
    RandSeed = before;
    RandomizeLists(y);
    const TRegressionLine a = PlainRegression(x, plainY), b = Do_PermutedRegression(sums, x, y);
    same = same && y == plainY && after == RandSeed && a.Slope == b.Slope && a.Intercept == b.Intercept && a.R == b.R;
  }
  if (!same) state.SkipWithError("results differ from the baseline");
}
BENCHMARK(BM_RegressionIteration_Program)->ArgsProduct({{1000, 2000}, {0, 1}})->ArgNames({"rows", "whole"});

}  // namespace
