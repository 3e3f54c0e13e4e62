// The weighted fills against a plain rendering of their rules (walk the line for every draw,
// test the target cell, draw again when it is occupied), on matrices large enough to reach
// every path of the fast placement: many rows and columns, occupied cells hit often, zero
// and tiny weights, lines walked by both comparisons, and a poll that changes the random
// source's state.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/presence_absence/PaTestSupport.h"

using namespace pa_test;

namespace {

int WalkLine(const NumberLine& line, double x, bool strict) {
  double cum = 0;
  const int last = static_cast<int>(line.size()) - 1;
  for (int j = 1; j <= last; ++j) {
    cum += line[j];
    if (strict ? cum > x : cum >= x) return j;
  }
  return last;
}

NumberLine LineOf(const std::vector<double>& weights) {
  NumberLine line(weights.size() + 1, 0.0);
  for (double w : weights) line[0] += w;
  for (size_t i = 0; i < weights.size(); ++i) line[i + 1] = weights[i] / line[0];
  return line;
}

// The poll of both fills: counts its calls and, when `shifts`, changes the random source's
// state now and then, as a poll that lets other code run may.
struct Poller {
  int64_t calls = 0;
  bool shifts = false;
  void operator()() {
    ++calls;
    if (shifts && calls % 29 == 0) RandSeed = RandSeed * 69069u + 12345u;
  }
};

// One fill by the rules, polling before each attempt.
struct FillReference {
  Matrix S;
  Poller* poll = nullptr;

  // Places one occurrence on the cell cell() returns; false after 199,999 occupied hits.
  bool Place(const std::function<int32_t&()>& cell) {
    for (int attempt = 1;; ++attempt) {
      (*poll)();
      int32_t& c = cell();
      if (c != 1) {
        c = 1;
        return true;
      }
      if (attempt == kMaxFillAttempts) return false;
    }
  }
};

enum class Fill { Rows, Columns, RandomRows, RandomSites, Weighted };

FillReference RunReference(Fill fill, const Matrix& O, const NumberLine& sites,
                       const NumberLine& species, Poller& poll) {
  const int C = O.Cols() - 1;
  const int R = O.Rows() - 1;
  FillReference ref;
  ref.poll = &poll;
  ref.S = O;
  for (int c = 1; c <= C; ++c)
    for (int r = 1; r <= R; ++r) ref.S[c][r] = 0;
  Matrix& S = ref.S;
  switch (fill) {
    case Fill::Rows:
      for (int r = 1; r <= R; ++r)
        for (int k = 0; k < O[0][r]; ++k)
          if (!ref.Place([&]() -> int32_t& { return S[WalkLine(sites, RandomReal(), true)][r]; }))
            return ref;
      break;
    case Fill::Columns:
      for (int c = 1; c <= C; ++c)
        for (int k = 0; k < O[c][0]; ++k)
          if (!ref.Place([&]() -> int32_t& { return S[c][WalkLine(species, RandomReal(), false)]; }))
            return ref;
      break;
    case Fill::RandomRows:
      for (int k = 0; k < O[0][0]; ++k)
        if (!ref.Place([&]() -> int32_t& {
              const int row = Random(R) + 1;
              return S[WalkLine(sites, RandomReal(), false)][row];
            }))
          return ref;
      break;
    case Fill::RandomSites:
      for (int k = 0; k < O[0][0]; ++k)
        if (!ref.Place([&]() -> int32_t& {
              const int site = Random(C) + 1;
              return S[site][WalkLine(species, RandomReal(), false)];
            }))
          return ref;
      break;
    case Fill::Weighted:
      for (int k = 0; k < O[0][0]; ++k)
        if (!ref.Place([&]() -> int32_t& {
              const double x1 = RandomReal();
              const double x2 = RandomReal();
              const int sp = WalkLine(species, x2, false);
              return S[WalkLine(sites, x1, false)][sp];
            }))
          return ref;
      break;
  }
  return ref;
}

}  // namespace

TEST(WeightedFills, MatchThePlainRules) {
  struct Case {
    const char* name;
    Fill fill;
    Constraint rows, columns;
  };
  const Case cases[] = {
      {"FillRowsBySiteWeights", Fill::Rows, kFixed, kUser},
      {"FillColumnsBySpeciesWeights", Fill::Columns, kUser, kFixed},
      {"FillRandomRowsWeightedSites", Fill::RandomRows, kEq, kUser},
      {"FillRandomSitesWeightedRows", Fill::RandomSites, kUser, kEq},
      {"FillWeightedRowsWeightedSites", Fill::Weighted, kUser, kUser},
  };
  // The small matrix is filled in S's own cells, the large one through a byte per cell (a row
  // fill's kept by row).
  for (const auto& [species, sites] : {std::pair{37, 53}, std::pair{150, 250}}) {
    // Varied weights with zeros (never drawn) and tiny ones (several elements inside one
    // slice of the search tables).
    std::vector<double> siteWeights(sites), speciesWeights(species);
    for (int i = 0; i < sites; ++i)
      siteWeights[i] = i % 11 == 3 ? 0.0 : i % 13 == 5 ? 1e-9 : 1 + (i * 7) % 19;
    for (int i = 0; i < species; ++i)
      speciesWeights[i] = i % 9 == 4 ? 0.0 : i % 10 == 7 ? 1e-9 : 1 + (i * 5) % 17;
    const NumberLine siteLine = LineOf(siteWeights);
    const NumberLine speciesLine = LineOf(speciesWeights);
    for (const Case& k : cases) {
      SCOPED_TRACE(k.name);
      for (double density : {0.3, 0.6}) {
        const Matrix O = RandomMatrix(species, sites, density, 17);
        Poller enginePoll;
        NullModelServices services;
        services.Poll = [&enginePoll] {
          enginePoll();
          return false;
        };
        CoOccurrenceSims sims;
        sims.BeginRun(O, InfoFor(O), Options(k.rows, k.columns), siteWeights, speciesWeights,
                      services);
        Matrix S;
        for (Cardinal seed : {1u, 2024u, 0xDEADBEEFu})
          for (bool shifts : {false, true}) {
            SCOPED_TRACE(testing::Message() << species << " x " << sites << ", density " << density
                                            << ", seed " << seed << (shifts ? ", shifting" : ""));
            Poller referencePoll{0, shifts};
            RandSeed = seed;
            const FillReference ref = RunReference(k.fill, O, siteLine, speciesLine, referencePoll);
            const Cardinal after = RandSeed;
            RandSeed = seed;
            enginePoll = Poller{0, shifts};
            sims.ConstrainedRandomMatrix(O, S);
            EXPECT_EQ(RandSeed, after);
            EXPECT_EQ(enginePoll.calls, referencePoll.calls);
            EXPECT_EQ(S, ref.S);
            EXPECT_FALSE(sims.Interrupted());
          }
      }
    }
  }
}
