// Helpers of the presence-absence tests: matrices written as species rows, a recording set of
// run services, and counting the draws made since a seed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "analysis/common/ZorvanHelpersMatrix.h"
#include "analysis/presence_absence/CoOccurrenceSims.h"
#include "classlib/Random.h"

namespace pa_test {

// Rows are species, characters '0'/'1' are sites: {"110", "001"} is 2 species x 3 sites.
// The result has totals in row and column 0.
inline Matrix MakeMatrix(const std::vector<std::string>& species) {
  const int R = static_cast<int>(species.size());
  const int C = R ? static_cast<int>(species[0].size()) : 0;
  Matrix m(C + 1, R + 1);
  for (int r = 1; r <= R; ++r)
    for (int c = 1; c <= C; ++c) m[c][r] = species[r - 1][c - 1] - '0';
  CalculateMargins_Size(m, C, R);
  return m;
}

inline std::vector<std::string> Rows(const Matrix& m) {
  std::vector<std::string> out;
  for (int r = 1; r < m.Rows(); ++r) {
    std::string s;
    for (int c = 1; c < m.Cols(); ++c) s += static_cast<char>('0' + m[c][r]);
    out.push_back(s);
  }
  return out;
}

inline InfoMat InfoFor(const Matrix& m) { return {m.Cols(), m.Rows(), m.Cols() - 1, m.Rows() - 1}; }

// A random 0/1 matrix, each cell 1 with probability `fill`; drawn from its own generator so
// that it does not disturb the program's random source.
inline Matrix RandomMatrix(int species, int sites, double fill, uint32_t seed) {
  Matrix m(sites + 1, species + 1);
  uint64_t s = seed * 2654435761u + 1;
  for (int c = 1; c <= sites; ++c)
    for (int r = 1; r <= species; ++r) {
      s = s * 6364136223846793005ull + 1442695040888963407ull;
      m[c][r] = static_cast<double>(s >> 11) / 9007199254740992.0 < fill ? 1 : 0;
    }
  CalculateMargins_Size(m, sites, species);
  return m;
}

// Number of draws from seed `from` to the current RandSeed (up to `limit`, else -1).
inline int64_t DrawsSince(Cardinal from, int64_t limit = 100000000) {
  Cardinal s = from;
  for (int64_t n = 0; n <= limit; ++n) {
    if (s == RandSeed) return n;
    s = s * 134775813u + 1u;
  }
  return -1;
}

// Records what the engine shows and counts polls; abortAtPoll > 0 makes that poll report an
// abort (and every later one, as the interrupt flag stays set).
struct Recorder {
  std::vector<std::string> messages;
  std::vector<std::string> captions;
  int64_t polls = 0;
  int64_t abortAtPoll = 0;
  int burnInMax = -1, steps = 0, endBurnIns = 0, closes = 0;

  NullModelServices Services() {
    NullModelServices s;
    s.Poll = [this] { return ++polls >= abortAtPoll && abortAtPoll > 0; };
    s.Message = [this](const std::string& m) { messages.push_back(m); };
    s.SetProgressCaption = [this](const std::string& c) { captions.push_back(c); };
    s.BeginBurnIn = [this](int32_t k) { burnInMax = k; };
    s.StepProgress = [this] { ++steps; };
    s.EndBurnIn = [this] { ++endBurnIns; };
    s.CloseProgress = [this] { ++closes; };
    return s;
  }
};

inline NullModelOptions Options(Constraint rows, Constraint columns,
                                FixedFixedAlgorithm ff = FixedFixedAlgorithm::SequentialSwap,
                                DegeneratePolicy policy = DegeneratePolicy::Retain) {
  NullModelOptions o;
  o.Rows = rows;
  o.Columns = columns;
  o.FixedFixed = ff;
  o.Degenerate = policy;
  return o;
}

// Short names for the constraints the tests combine, and one engine run driven by hand.
constexpr Constraint kEq = Constraint::Equiprobable;
constexpr Constraint kFixed = Constraint::FixedSum;
constexpr Constraint kProp = Constraint::Proportional;
constexpr Constraint kUser = Constraint::UserDefined;

struct Engine {
  CoOccurrenceSims sims;
  Recorder rec;
  Matrix S;
  InfoMat info{};

  void Begin(const Matrix& O, NullModelOptions options, std::vector<double> sites = {},
             std::vector<double> species = {}) {
    info = InfoFor(O);
    S.SetLength(O.Cols(), O.Rows());
    sims.BeginRun(O, info, options, sites, species, rec.Services());
  }
  const Matrix& Next(const Matrix& O) {
    sims.SimulateMatrix(O, S, info);
    return S;
  }
};

}  // namespace pa_test
