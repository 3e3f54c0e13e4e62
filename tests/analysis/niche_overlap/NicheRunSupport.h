// Helpers of the niche-overlap run tests: the program started headless with the options form
// answered as a person would answer it, and a reference run written from the definitions
// (proportions, overlaps and the algorithms' draws in plain loops, the generator's formula
// written out), whose series give the expected summary lines.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/niche_overlap/NicheOverlapMain.h"
#include "analysis/niche_overlap/NicheOverlapOptions.h"
#include "analysis/niche_overlap/NicheOverlapUDefined.h"
#include "analysis/presence_absence/CoocRunSupport.h"
#include "app/ProgressSims.h"
#include "classlib/SysUtils.h"
#include "support/ProgramFixture.h"

namespace niche_test {

using cooc_test::GridRows;
using cooc_test::MemoLines;
using cooc_test::SetData;
using Lines = std::vector<String>;

// Titles "species", "s1".., "sp1".. around cells given row by row.
inline GridRows Titled(const std::vector<std::vector<String>>& cells) {
  GridRows g(cells.size() + 1);
  g[0].push_back("species");
  for (size_t c = 1; c <= cells[0].size(); ++c) g[0].push_back("s" + std::to_string(c));
  for (size_t r = 1; r <= cells.size(); ++r) {
    g[r].push_back("sp" + std::to_string(r));
    for (const String& v : cells[r - 1]) g[r].push_back(v);
  }
  return g;
}

// ---- the reference run

struct Lcg {
  uint32_t seed;
  double Next() {
    seed = seed * 134775813u + 1u;
    return seed / 4294967296.0;
  }
};

using Table = std::vector<std::vector<double>>;  // [species][state]

struct Options {
  int algorithm = 3;
  bool czekanowski = false;
  std::vector<double> weights;  // empty: equiprobable
};

inline Table Proportions(const Table& t) {
  Table p = t;
  for (auto& row : p) {
    double total = 0;
    for (double v : row) total += v;
    for (double& v : row) v = total > 0 ? v / total : 0;
  }
  return p;
}

inline std::vector<double> Overlaps(const Table& t, bool czekanowski) {
  const Table p = Proportions(t);
  std::vector<double> out;
  for (size_t i = 0; i < p.size(); ++i)
    for (size_t j = i + 1; j < p.size(); ++j) {
      double dot = 0, qi = 0, qj = 0, diff = 0;
      for (size_t c = 0; c < p[i].size(); ++c) {
        dot += p[i][c] * p[j][c];
        qi += p[i][c] * p[i][c];
        qj += p[j][c] * p[j][c];
        diff += std::fabs(p[i][c] - p[j][c]);
      }
      const double root = std::sqrt(qi * qj);
      out.push_back(czekanowski ? 1 - 0.5 * diff : root == 0 ? 0 : dot / root);
    }
  return out;
}

// One randomised matrix: species by species, state by state, one draw per cell that takes one.
inline Table Randomize(const Table& obs, const std::vector<std::vector<bool>>& x, int algorithm, Lcg& g) {
  Table sim(obs.size(), std::vector<double>(obs[0].size(), 0.0));
  for (size_t s = 0; s < obs.size(); ++s) {
    const size_t N = obs[s].size();
    if (algorithm <= 2) {
      for (size_t c = 0; c < N; ++c) sim[s][c] = x[s][c] || (algorithm == 2 && obs[s][c] == 0) ? 0 : g.Next();
      continue;
    }
    std::vector<size_t> cells;
    for (size_t c = 0; c < N; ++c)
      if (!x[s][c] && !(algorithm == 4 && obs[s][c] == 0)) cells.push_back(c);
    std::vector<double> keys;
    for (size_t t = 0; t < cells.size(); ++t) keys.push_back(std::nearbyint(g.Next() * 1e5));
    for (size_t t = 0; t < cells.size(); ++t) {
      size_t rank = 0;
      for (size_t u = 0; u < cells.size(); ++u) rank += keys[u] < keys[t] || (keys[u] == keys[t] && u < t);
      sim[s][cells[rank]] = obs[s][cells[t]];
    }
  }
  return sim;
}

// Mean and sample variance as the statistics define them (0 within 1e-17).
inline void MeanVariance(const std::vector<double>& v, double& mean, double& variance) {
  double sum = 0;
  for (double x : v) sum += x;
  mean = sum / static_cast<double>(v.size());
  double ss = 0;
  for (double x : v) ss += (x - mean) * (x - mean);
  variance = 0;
  if (ss != 0 && v.size() > 1) {
    variance = ss / static_cast<double>(v.size() - 1);
    if (std::fabs(variance) <= 1e-17) variance = 0;
  }
}

struct Series {
  std::vector<double> observedPairs;
  double mean = 0, variance = 0;
  std::vector<double> means, variances;
  std::vector<Table> simulated;
};

inline Series Reference(const GridRows& grid, const Options& o, uint32_t seed, int iterations) {
  Table obs;
  std::vector<std::vector<bool>> x;
  for (size_t r = 1; r < grid.size(); ++r) {
    obs.emplace_back();
    x.emplace_back();
    for (size_t c = 1; c < grid[r].size(); ++c) {
      x.back().push_back(grid[r][c] == "x");
      double v = grid[r][c] == "x" ? 0 : LeadingReal(grid[r][c]);
      if (!o.weights.empty()) v /= o.weights[c - 1];
      obs.back().push_back(v);
    }
  }
  Series s;
  s.observedPairs = Overlaps(obs, o.czekanowski);
  MeanVariance(s.observedPairs, s.mean, s.variance);
  Lcg g{seed};
  for (int i = 0; i < iterations; ++i) {
    s.simulated.push_back(Randomize(obs, x, o.algorithm, g));
    double m = 0, v = 0;
    MeanVariance(Overlaps(s.simulated.back(), o.czekanowski), m, v);
    s.means.push_back(m);
    s.variances.push_back(v);
  }
  return s;
}

// The summary's statistics lines of one series: counts, then (for the mean) the effect size,
// the tail probabilities and the histogram block.
struct Counts {
  int less = 0, equal = 0, greater = 0;
};
inline Counts Compare(double observed, const std::vector<double>& values) {
  Counts k;
  for (double v : values) {
    if (std::fabs(observed - v) <= 1e-15)
      ++k.equal;
    else if (observed > v)
      ++k.greater;
    else
      ++k.less;
  }
  return k;
}

// "  ", then per bin "low high  count", from the shared histogram of the sorted values.
inline Lines HistogramLines(std::vector<double> values, double observed) {
  std::sort(values.begin(), values.end());
  String marker, edges, counts;
  BuildHistogram_LastIndex(static_cast<Integer>(values.size()) - 1, values, observed, marker);
  HistogramToText(edges, counts);
  const Lines e = cooc_test::Split(edges, '\n'), c = cooc_test::Split(counts, '\n');
  Lines out;
  for (size_t k = 0; k <= 12; ++k) {
    String a = e[k], b = c[k];
    if (!a.empty() && a.back() == '\r') a.pop_back();
    if (!b.empty() && b.back() == '\r') b.pop_back();
    out.push_back(a + "  " + b);
  }
  return out;
}

inline Lines ExpectedSummary(const String& fileName, const GridRows& grid, const Options& o, uint32_t seed,
                             int iterations, const Series& s, const String& resource) {
  const double n = iterations;
  double mm = 0, vm = 0, mv = 0, vv = 0;
  MeanVariance(s.means, mm, vm);
  MeanVariance(s.variances, mv, vv);
  const Counts km = Compare(s.mean, s.means), kv = Compare(s.variance, s.variances);
  const double ses = vm > 0 ? (s.mean - mm) / std::sqrt(vm) : 0;
  const String rule(46, '_');
  Lines out{"Input file = " + fileName,
            "Rows = " + IntToStr(static_cast<int>(grid.size()) - 1) +
                "; Columns = " + IntToStr(static_cast<int>(grid[0].size()) - 1),
            "Iterations = " + IntToStr(iterations),
            "Random seed = " + IntToStr(static_cast<int>(seed)),
            resource,
            "Randomization Algorithm " + IntToStr(o.algorithm),
            o.algorithm <= 2 ? "Niche Breadth = Relaxed" : "Niche Breadth = Retained",
            o.algorithm % 2 == 0 ? "Zero States = Retained" : "Zero States = Reshuffled",
            o.czekanowski ? "Czekanowski Index" : "Pianka Index",
            rule,
            "",
            "Observed mean = " + StatText(s.mean),
            "Mean of simulated indices = " + StatText(mm),
            "Variance of simulated indices = " + StatText(vm),
            "",
            "Number of times Observed index < simulated indices = " + IntToStr(km.less),
            "Number of times Observed index = simulated indices = " + IntToStr(km.equal),
            "Number of times Observed index > simulated indices = " + IntToStr(km.greater),
            "Standardized Effect Size = " + StatText(ses),
            "p(observed <= expected) = " + StatText((km.greater + km.equal) / n),
            "p(observed >= expected) = " + StatText((km.less + km.equal) / n),
            "",
            "Simulation frequencies",
            "Histogram          # Simulations"};
  for (const String& l : HistogramLines(s.means, s.mean)) out.push_back(l);
  for (const String& l :
       Lines{rule, "", "Observed variance = " + StatText(s.variance), "", "Mean of simulated variances = " + StatText(mv),
             "Variance of simulated variances = " + StatText(vv), "",
             "Number of times Observed variance < simulated variances = " + IntToStr(kv.less),
             "Number of times Observed variance = simulated variances = " + IntToStr(kv.equal),
             "Number of times Observed variance > simulated variances = " + IntToStr(kv.greater), "",
             "p(observed <= expected) = " + StatText((kv.greater + kv.equal) / n),
             "p(observed >= expected) = " + StatText((kv.less + kv.equal) / n), "", "Simulation frequencies:",
             "Histogram          # Simulations"})
    out.push_back(l);
  for (const String& l : HistogramLines(s.variances, s.variance)) out.push_back(l);
  for (const String& l : Lines{rule, "", "INPUT MATRIX:", ""}) out.push_back(l);
  for (const auto& row : grid) {
    String line;
    for (const String& cell : row) line += cell + " ";
    out.push_back(line);
  }
  return out;
}

inline void ExpectLines(const Lines& actual, const Lines& expected) {
  EXPECT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) EXPECT_EQ(actual[i], expected[i]) << "line " << i;
}

// How the options form is answered.
struct Answer {
  int breadth = 0, zeros = 0, index = 0, resources = 0;
  String iterations = "30";
  String seed = "7";
  bool saveMatrices = false;
  bool cancel = false;
  // Runs while the weights editor is shown; then "&Use new weights" closes it.
  std::function<void()> editWeights;
};

// The program started headless with niche overlap reachable from its menu.
class NicheRunTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Application->Hooks.ModalForm = [this](TCustomForm* form) { OnModal(form); };
    Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  }

  void OnModal(TCustomForm* form) {
    TNicheOverlapOpts* o = NicheOverlapOpts;
    if (form == o) {
      ++optionsShown;
      if (onOptions) onOptions();
      if (answer.cancel) return o->Cancel1->Click();
      o->NicheBreadthGroup->SetItemIndex(answer.breadth);
      o->ZeroStatesGroup->SetItemIndex(answer.zeros);
      o->IndexGroup->SetItemIndex(answer.index);
      o->ResourceStatesGroup->SetItemIndex(answer.resources);
      o->IterationsEdit->SetText(answer.iterations);
      o->RandomSeedEdit->SetText(answer.seed);
      o->SaveMatrixCheckBox->SetChecked(answer.saveMatrices);
      o->Run1->Click();
    } else if (form == NicheOverlapUserDefined) {
      ++editorShown;
      if (answer.editWeights) answer.editWeights();
      // A refused weight keeps the editor open; the hook's end then closes it as its frame would.
      NicheOverlapUserDefined->Usenewweights1->Click();
    } else if (form == NicheOverlap) {
      ++resultsShown;
      if (onResults) onResults();
      NicheOverlap->Close1->Click();
    } else {
      ADD_FAILURE() << "unexpected modal form " << form->Name();
    }
  }

  static Lines Summary() { return MemoLines(NicheOverlap->Memo1); }

  Answer answer;
  int optionsShown = 0, editorShown = 0, resultsShown = 0;
  std::function<void()> onOptions, onResults;
};

}  // namespace niche_test
