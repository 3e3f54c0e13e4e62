// Null-model generators on a typical matrix (30 x 30) and on the largest the program accepts
// (200 species x 2200 sites, 1400 species x 300 sites), a third filled. Each benchmark also
// times the bare random draws the same work makes, so "ratio" is the whole over its draws.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "analysis/common/ZorvanHelpersMatrix.h"
#include "analysis/presence_absence/CoOccurrenceSims.h"
#include "classlib/Random.h"

namespace {

Matrix ThirdFilled(int species, int sites) {
  Matrix m(sites + 1, species + 1);
  uint64_t s = 12345;
  for (int c = 1; c <= sites; ++c)
    for (int r = 1; r <= species; ++r) {
      s = s * 6364136223846793005ull + 1442695040888963407ull;
      m[c][r] = (s >> 33) % 3 == 0 ? 1 : 0;
    }
  CalculateMargins_Size(m, sites, species);
  return m;
}

int64_t DrawsBetween(Cardinal from, Cardinal to) {
  int64_t n = 0;
  for (Cardinal s = from; s != to; s = s * 134775813u + 1u) ++n;
  return n;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The kinds of draw a generator makes, in its order: Random(n) only, RandomReal only, or
// Random(n) then RandomReal by turns (the fills that draw a row or site uniformly).
enum class Draws { Integers, Reals, IntegerThenReal };

// Times `draws` bare draws of the generator's kinds, per call: the same calls of the random
// source, with nothing between them but a sum that keeps them alive.
double BareDrawSeconds(int64_t draws, Draws kinds, int32_t n) {
  if (draws <= 0) return 0;
  const int64_t reps = std::max<int64_t>(1, 20000000 / draws);
  RandSeed = 99;
  double sink = 0;
  const auto t0 = std::chrono::steady_clock::now();
  for (int64_t k = 0; k < reps; ++k) {
    switch (kinds) {
      case Draws::Integers:
        for (int64_t d = 0; d < draws; ++d) sink += Random(n);
        break;
      case Draws::Reals:
        for (int64_t d = 0; d < draws; ++d) sink += RandomReal();
        break;
      case Draws::IntegerThenReal:
        for (int64_t d = 0; d + 1 < draws; d += 2) {
          sink += Random(n);
          sink += RandomReal();
        }
        if (draws % 2) sink += Random(n);
        break;
    }
  }
  const double t = Seconds(t0) / reps;
  benchmark::DoNotOptimize(sink);
  return t;
}

void RunGenerator(benchmark::State& state, NullModelOptions options, int species, int sites,
                  Draws kinds) {
  const Matrix O = ThirdFilled(species, sites);
  const InfoMat info{sites + 1, species + 1, sites, species};
  CoOccurrenceSims sims;
  NullModelServices services;
  services.Poll = NeverInterrupted;
  std::vector<double> siteWeights(sites), speciesWeights(species);
  for (int i = 0; i < sites; ++i) siteWeights[i] = 1 + i % 7;
  for (int i = 0; i < species; ++i) speciesWeights[i] = 1 + i % 5;
  sims.BeginRun(O, info, options, siteWeights, speciesWeights, services);
  Matrix S(O.Cols(), O.Rows());
  RandSeed = 1;
  sims.ConstrainedRandomMatrix(O, S);  // the sequential swap's burn-in happens here
  const Cardinal before = RandSeed;
  sims.ConstrainedRandomMatrix(O, S);
  const int64_t draws = DrawsBetween(before, RandSeed);

  int64_t calls = 0;
  const auto t0 = std::chrono::steady_clock::now();
  for (auto _ : state) {
    sims.ConstrainedRandomMatrix(O, S);
    benchmark::DoNotOptimize(S.Data());
    ++calls;
  }
  const double whole = Seconds(t0) / std::max<int64_t>(calls, 1);
  const double bare = BareDrawSeconds(draws, kinds, species);
  state.counters["draws"] = static_cast<double>(draws);
  state.counters["draws_us"] = bare * 1e6;
  state.counters["ratio"] = bare > 0 ? whole / bare : 0;
  if (sims.Interrupted()) state.SkipWithError("generator failed");
}

constexpr Constraint kEq = Constraint::Equiprobable;
constexpr Constraint kFixed = Constraint::FixedSum;
constexpr Constraint kProp = Constraint::Proportional;
constexpr Constraint kUser = Constraint::UserDefined;

NullModelOptions Opt(Constraint r, Constraint c, FixedFixedAlgorithm ff = FixedFixedAlgorithm::SequentialSwap) {
  NullModelOptions o;
  o.Rows = r;
  o.Columns = c;
  o.FixedFixed = ff;
  return o;
}

// args: species, sites
void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({30, 30})->Args({200, 2200})->Args({1400, 300})->Unit(benchmark::kMicrosecond);
}

void BM_Generator(benchmark::State& state, NullModelOptions options, Draws kinds) {
  RunGenerator(state, options, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
               kinds);
}

}  // namespace

constexpr Draws kInts = Draws::Integers;
constexpr Draws kReals = Draws::Reals;
constexpr Draws kIntReal = Draws::IntegerThenReal;

BENCHMARK_CAPTURE(BM_Generator, ShuffleCells, Opt(kEq, kEq), kInts)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Generator, ShuffleWithinRows, Opt(kFixed, kEq), kInts)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Generator, ShuffleWithinColumns, Opt(kEq, kFixed), kInts)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Generator, FillRowsBySiteWeights, Opt(kFixed, kProp), kReals)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Generator, FillColumnsBySpeciesWeights, Opt(kUser, kFixed), kReals)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Generator, FillRandomRowsWeightedSites, Opt(kEq, kUser), kIntReal)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Generator, FillRandomSitesWeightedRows, Opt(kProp, kEq), kIntReal)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Generator, FillWeightedRowsWeightedSites, Opt(kProp, kUser), kReals)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Generator, SequentialSwapStep,
                  Opt(kFixed, kFixed, FixedFixedAlgorithm::SequentialSwap), kInts)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Generator, IndependentSwap,
                  Opt(kFixed, kFixed, FixedFixedAlgorithm::IndependentSwap), kInts)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Generator, KnightsTour, Opt(kFixed, kFixed, FixedFixedAlgorithm::KnightsTour),
                  kInts)->Apply(Sizes);
