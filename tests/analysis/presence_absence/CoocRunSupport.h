// Helpers of the co-occurrence run tests: the program started headless, a data grid filled
// from species rows, the options form answered as a person would answer it, and a reference
// computation of the indices written out from their definitions (plain loops over a compacted
// 0/1 table), fed with matrices from the engine at the run's seed.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "analysis/presence_absence/CoOccurrenceSims.h"
#include "analysis/presence_absence/CoOccurrenceUDefined.h"
#include "analysis/presence_absence/CoOccurrenceUserWeights.h"
#include "analysis/presence_absence/PaTestSupport.h"
#include "app/ProgressSims.h"
#include "classlib/SysUtils.h"
#include "support/ProgramFixture.h"

namespace cooc_test {

// How the options form is answered. Items are the radio groups' and lists' positions.
struct Answer {
  int index = 0;           // IndexList (co-occurrence) or RangeList (range overlap)
  int rows = 1;            // Fixed Sum
  int columns = 1;
  int fixedFixed = 0;      // Sequential Swap
  int degenerate = 0;      // Retain
  int pattern = -1;        // Empty Sites; -1 leaves what the form's rules made of it
  String iterations = "40";
  String seed = "7";
  bool saveMatrices = false;
  bool cancel = false;
  // Runs while the weights editor is shown (the editor is then confirmed).
  std::function<void()> editWeights;
  // Runs after the controls are set, before "&Run" (for changes the rules would undo).
  std::function<void()> beforeRun;
};

// Grid rows with titles: {"species", "s1", ...}, {"sp1", "1", ...}, ...
using GridRows = std::vector<std::vector<String>>;

// Titles "species", "s1".."sC", "sp1".."spR" around 0/1 data given as species strings.
inline GridRows Titled(const std::vector<std::string>& species) {
  GridRows g(species.size() + 1);
  g[0].push_back("species");
  for (size_t c = 1; c <= species[0].size(); ++c) g[0].push_back(String("s").append(IntToStr(static_cast<int>(c))));
  for (size_t r = 1; r <= species.size(); ++r) {
    g[r].push_back(String("sp").append(IntToStr(static_cast<int>(r))));
    for (char ch : species[r - 1]) g[r].push_back(String(1, ch));
  }
  return g;
}

inline void SetData(const GridRows& rows) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(static_cast<int>(rows.size()));
  g->SetColCount(static_cast<int>(rows[0].size()));
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c) g->SetCells(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
}

inline std::vector<String> MemoLines(const TMemo* memo) {
  std::vector<String> out;
  for (int i = 0; i < memo->Lines()->Count(); ++i) out.push_back(memo->Lines()->Strings(i));
  return out;
}

inline std::vector<String> Split(const String& text, char sep) {
  std::vector<String> out;
  String cur;
  for (char ch : text) {
    if (ch == sep) {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += ch;
    }
  }
  out.push_back(cur);
  return out;
}

// ---- the indices from their definitions

// The 0/1 table an index is computed on: occupied species only, and with exclude also occupied
// sites only, in grid order.
struct Table {
  std::vector<std::vector<int>> rows;  // species, each over the kept sites
  size_t sites = 0;
};

inline Table Compact(const Matrix& S, bool exclude) {
  const int C = S.Cols() - 1, R = S.Rows() - 1;
  std::vector<int> sites;
  for (int c = 1; c <= C; ++c) {
    int total = 0;
    for (int r = 1; r <= R; ++r) total += S[c][r];
    if (!exclude || total > 0) sites.push_back(c);
  }
  Table t;
  t.sites = sites.size();
  for (int r = 1; r <= R; ++r) {
    std::vector<int> row;
    int total = 0;
    for (int c : sites) {
      row.push_back(S[c][r]);
      total += S[c][r];
    }
    if (total > 0) t.rows.push_back(row);
  }
  return t;
}

inline double SampleVariance(const std::vector<double>& v) {
  if (v.size() < 2) return 0;
  double mean = 0;
  for (double x : v) mean += x;
  mean /= static_cast<double>(v.size());
  double s = 0;
  for (double x : v) s += (x - mean) * (x - mean);
  return s / static_cast<double>(v.size() - 1);
}

// The index of S over P pair slots; the pair values of the occupied species into pairs.
inline double ReferenceIndex(const Matrix& S, PairIndexKind kind, bool exclude, int P,
                             std::vector<double>* pairs = nullptr) {
  const Table t = Compact(S, exclude);
  const size_t n = t.rows.size();
  std::vector<double> values;
  for (size_t i = 0; i + 1 < n; ++i)
    for (size_t j = i + 1; j < n; ++j) {
      double ri = 0, rj = 0, both = 0, either = 0;
      for (size_t c = 0; c < t.sites; ++c) {
        ri += t.rows[i][c];
        rj += t.rows[j][c];
        both += t.rows[i][c] && t.rows[j][c];
        either += t.rows[i][c] || t.rows[j][c];
      }
      switch (kind) {
        case PairIndexKind::CScore: values.push_back((ri - both) * (rj - both)); break;
        case PairIndexKind::Overlap: values.push_back(both); break;
        case PairIndexKind::Union: values.push_back(either); break;
        case PairIndexKind::RelativeOverlap: values.push_back(either > 0 ? both / either : 0); break;
        case PairIndexKind::Checkerboards: values.push_back(both == 0 ? 1 : 0); break;
        default: break;
      }
    }
  if (pairs) *pairs = values;
  double sum = 0;
  for (double v : values) sum += v;
  switch (kind) {
    case PairIndexKind::Checkerboards: return sum;
    case PairIndexKind::Combinations: {
      std::set<std::vector<int>> compositions;
      for (size_t c = 0; c < t.sites; ++c) {
        std::vector<int> composition;
        for (size_t i = 0; i < n; ++i) composition.push_back(t.rows[i][c]);
        compositions.insert(composition);
      }
      return static_cast<double>(compositions.size());
    }
    case PairIndexKind::VRatio: {
      double sumVar = 0;
      std::vector<double> siteTotals(t.sites, 0.0);
      for (size_t i = 0; i < n; ++i) {
        sumVar += SampleVariance(std::vector<double>(t.rows[i].begin(), t.rows[i].end()));
        for (size_t c = 0; c < t.sites; ++c) siteTotals[c] += t.rows[i][c];
      }
      return sumVar > 0 ? SampleVariance(siteTotals) / sumVar : 0;
    }
    default: return P > 0 ? sum / P : 0;
  }
}

// What the run should find: the observed index and the simulated values of both sets, with
// the engine drawing at the seed the run was given.
struct Reference {
  double observed = 0;
  std::vector<double> observedPairs;
  std::vector<double> normal, degenerate;
  Matrix last;
};

inline Reference Recompute(const Matrix& O, const NullModelOptions& options, PairIndexKind kind, bool exclude,
                           Cardinal seed, int iterations, const std::vector<double>& siteWeights = {},
                           const std::vector<double>& speciesWeights = {}) {
  const int R = O.Rows() - 1;
  const int P = R * (R - 1) / 2;
  Reference ref;
  ref.observed = ReferenceIndex(O, kind, exclude, P, &ref.observedPairs);
  CoOccurrenceSims sims;
  InfoMat info = pa_test::InfoFor(O);
  sims.BeginRun(O, info, options, siteWeights, speciesWeights, NullModelServices{});
  RandSeed = seed;
  Matrix S(O.Cols(), O.Rows());
  for (int i = 0; i < iterations; ++i) {
    info = pa_test::InfoFor(O);
    sims.SimulateMatrix(O, S, info);
    EXPECT_FALSE(sims.Interrupted());
    const double v = ReferenceIndex(S, kind, exclude, P);
    (sims.DegenerateSample() ? ref.degenerate : ref.normal).push_back(v);
  }
  ref.last = S;
  return ref;
}

// The statistics lines a set of simulated values gives (items 12 to 15 of the summary).
inline std::vector<String> SetLines(double observed, std::vector<double> values, bool split) {
  const int n = static_cast<int>(values.size());
  double mean = 0, var = 0, p1 = 0, p2 = 0;
  Integer g = 0, e = 0, l = 0;
  CalculateMeanVariance(n, values, mean, var);
  CalculateTailCounts(n, values, observed, p1, p2, g, e, l);
  const bool none = split && n == 0;
  const String na = "n/a";
  std::vector<String> out{
      "Observed index = " + StatText(observed),
      "Mean of simulated indices = " + StatText(mean),
      "Variance of simulated indices = " + StatText(var),
      "p(observed <= expected) = " + (none ? na : StatText(p1)),
      "p(observed >= expected) = " + (none ? na : StatText(p2)),
      "",
      "Number of times observed index < simulated indices = " + IntToStr(l),
      "Number of times observed index = simulated indices = " + IntToStr(e),
      "Number of times observed index > simulated indices = " + IntToStr(g),
      "Standardized Effect Size = " + (none ? na : StatText(StandardizedEffectSize(observed, mean, var))),
      "",
      "Simulation frequencies:",
      "Histogram          # Simulations"};
  std::vector<String> edges(14), counts(14);
  if (n > 0) {
    std::sort(values.begin(), values.end());
    String marker, edgesText, countsText;
    BuildHistogram_LastIndex(n - 1, values, observed, marker);
    HistogramToText(edgesText, countsText);
    std::vector<String> el = Split(edgesText, '\n'), cl = Split(countsText, '\n');
    for (int k = 0; k < 14; ++k) {
      auto strip = [](String s) {
        if (!s.empty() && s.back() == '\r') s.pop_back();
        return s;
      };
      edges[k] = k < static_cast<int>(el.size()) ? strip(el[k]) : "";
      counts[k] = k < static_cast<int>(cl.size()) ? strip(cl[k]) : "";
    }
  }
  for (int k = 0; k < 14; ++k) out.push_back(edges[k] + "  " + counts[k]);
  return out;
}

// Lines [from, from + count) of a list.
inline std::vector<String> Slice(const std::vector<String>& lines, size_t from, size_t count) {
  if (from >= lines.size()) return {};
  return std::vector<String>(lines.begin() + from, lines.begin() + std::min(lines.size(), from + count));
}

// Summary layout: 9 header lines, rule, empty, "INDEX", 27 lines of the set, rule, empty,
// "DEGENERATE INDEX", 27 lines, rule, empty, "INPUT MATRIX:", empty, the grid rows.
inline constexpr size_t kHeaderLines = 9;
inline constexpr size_t kSetStart = 12;
inline constexpr size_t kSetLines = 27;
inline constexpr size_t kSplitSetStart = kSetStart + kSetLines + 3;
inline constexpr size_t kInputStart = kSplitSetStart + kSetLines + 4;

// The program started headless, with the co-occurrence run reachable from its menu.
class CoocRunTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Application->Hooks.ModalForm = [this](TCustomForm* form) { OnModal(form); };
    Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  }

  void OnModal(TCustomForm* form) {
    if (form == CoOccurrenceOpts) {
      ++optionsShown;
      AnswerOptions();
    } else if (form == CoOccurrenceUserDefined) {
      if (answer.editWeights) answer.editWeights();
      CoOccurrenceUserDefined->Usenewweights1->Click();
    } else if (form == CoOccurrence) {
      ++resultsShown;
      if (onResults) onResults();
      CoOccurrence->Close1->Click();
    } else {
      ADD_FAILURE() << "unexpected modal form " << form->Name();
    }
  }

  void AnswerOptions() {
    TCoOccurrenceOpts* o = CoOccurrenceOpts;
    if (answer.cancel) {
      o->Cancel1->Click();
      return;
    }
    if (Zorvan->RangeCoOccurrence == 1)
      o->RangeList->SetItemIndex(answer.index);
    else
      o->IndexList->SetItemIndex(answer.index);
    o->RowGroup->SetItemIndex(answer.rows);
    o->ColumnGroup->SetItemIndex(answer.columns);
    o->FixedFixedGroup->SetItemIndex(answer.fixedFixed);
    o->DegenerateGroup->SetItemIndex(answer.degenerate);
    if (answer.pattern >= 0) o->PatternGroup->SetItemIndex(answer.pattern);
    o->IterationsEdit->SetText(answer.iterations);
    o->RandomSeedEdit->SetText(answer.seed);
    o->SaveMatrixCheckBox->SetChecked(answer.saveMatrices);
    if (answer.beforeRun) answer.beforeRun();
    o->Run1->Click();
  }

  // The observed 0/1 matrix of the data grid.
  static Matrix Observed() {
    const TRivErodovOzar* g = Zorvan->MainGrid;
    Matrix O(g->ColCount(), g->RowCount());
    for (int c = 1; c < g->ColCount(); ++c)
      for (int r = 1; r < g->RowCount(); ++r) O[c][r] = LeadingReal(g->Cells(c, r)) > 0 ? 1 : 0;
    CalculateMargins_Size(O, g->ColCount() - 1, g->RowCount() - 1);
    return O;
  }

  // The reference for the options the form holds after the run.
  static Reference ReferenceForForm(Cardinal seed, int iterations) {
    TCoOccurrenceOpts* o = CoOccurrenceOpts;
    const NullModelOptions model =
        NullModelOptionsFromItems(o->RowGroup->ItemIndex(), o->ColumnGroup->ItemIndex(),
                                  o->FixedFixedGroup->ItemIndex(), o->DegenerateGroup->ItemIndex());
    return Recompute(Observed(), model, IndexKind(), o->PatternGroup->ItemIndex() == 1, seed, iterations,
                     WeightsFromGrid(CoOccurrenceUserDefined->SitesWeightsGrid),
                     WeightsFromGrid(CoOccurrenceUserDefined->SpeciesWeightsGrid));
  }

  static PairIndexKind IndexKind() {
    if (Zorvan->RangeCoOccurrence == 1)
      return static_cast<PairIndexKind>(static_cast<int>(PairIndexKind::RelativeOverlap) +
                                        CoOccurrenceOpts->RangeList->ItemIndex());
    return static_cast<PairIndexKind>(CoOccurrenceOpts->IndexList->ItemIndex());
  }

  std::vector<String> Summary() const { return MemoLines(CoOccurrence->Memo1); }

  std::vector<String> BatchRow(int row) const { return Zorvan->BatchGrid->RowTexts(row); }

  Answer answer;
  int optionsShown = 0;
  int resultsShown = 0;
  std::function<void()> onResults;
};

// A small data set: 5 species x 6 sites, every species and site occupied. Cells "0.5" count
// as present, "x" and "-1" as absent.
inline const std::vector<std::string> kSpecies = {"110001", "011000", "100110", "000011", "101000"};
inline GridRows FixtureGrid() {
  return {{"species", "s1", "s2", "s3", "s4", "s5", "s6"},
          {"sp1", "0.5", "1", "x", "0", "0", "1"},
          {"sp2", "0", "1", "1", "-1", "0", "0"},
          {"sp3", "1", "0", "0", "1", "1", "0"},
          {"sp4", "0", "0", "0", "0", "1", "1"},
          {"sp5", "1", "0", "1", "0", "0", "0"}};
}

}  // namespace cooc_test
