// Helpers of the species-diversity run tests: the program started headless with the options
// form and the levels editor answered as a person would answer them, and a reference run
// written from the definitions (the draws walk the rows with the program's generator; the
// curve statistics are worked out here, not with the program's routines).
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "analysis/species_diversity/AbundancelevelsOptions.h"
#include "analysis/species_diversity/SpeciesDiversityMain.h"
#include "analysis/species_diversity/SpeciesDiversityOptions.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"
#include "support/ProgramFixture.h"

namespace diversity_test {

using Lines = std::vector<String>;
using GridRows = std::vector<std::vector<String>>;
using Counts = std::vector<int32_t>;

// How the options form is answered.
struct Answer {
  int unit = 0;            // 0 individuals, 1 samples
  int column = 0;          // position in the column list
  bool userLevels = false; // abundance or sample levels "User-defined"
  String levels;           // the editor's text when user-defined
  int algorithm = 1;       // 0 accumulation, 1 rarefaction
  int index = 0;
  String iterations = "20";
  String seed = "7";
  bool saveMatrices = false;
  bool cancel = false;
};

inline void SetData(const GridRows& rows) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(static_cast<int>(rows.size()));
  g->SetColCount(static_cast<int>(rows[0].size()));
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c) g->SetCells(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
}

// Species rows sp1.. and sample columns s1.. around the counts given per sample column.
inline GridRows Samples(const std::vector<Counts>& columns) {
  const size_t S = columns[0].size();
  GridRows g(S + 1);
  g[0].push_back("species");
  for (size_t c = 0; c < columns.size(); ++c) g[0].push_back("s" + std::to_string(c + 1));
  for (size_t r = 0; r < S; ++r) {
    g[r + 1].push_back("sp" + std::to_string(r + 1));
    for (const Counts& column : columns) g[r + 1].push_back(std::to_string(column[r]));
  }
  return g;
}

inline Lines MemoLines(const TMemo* memo) {
  Lines out;
  for (int i = 0; i < memo->Lines()->Count(); ++i) out.push_back(memo->Lines()->Strings(i));
  return out;
}

// A grid row's cells joined by single spaces.
inline String RowText(const TStringGrid* grid, int row) {
  String line;
  for (int c = 0; c < grid->ColCount(); ++c) line += (c ? " " : "") + grid->Cells(c, row);
  return line;
}

inline void ExpectLines(const Lines& actual, const Lines& expected) {
  EXPECT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
    EXPECT_EQ(actual[i], expected[i]) << "line " << i;
}

// ---- the reference

inline double Index(int kind, const Counts& t, int64_t n) {
  const double N = static_cast<double>(n);
  switch (kind) {
    case 1: {
      double sum = 0;
      for (int32_t c : t) sum += (c / N) * (c / N);
      const double f = n == 1 ? 2.0 : N;
      return f / (f - 1) * (1 - sum);
    }
    case 2: return *std::max_element(t.begin(), t.end()) / N;
    case 3: {
      double h = 0;
      for (int32_t c : t)
        if (c) h -= c / N * std::log(c / N);
      return h;
    }
    default: return static_cast<double>(std::count_if(t.begin(), t.end(), [](int32_t c) { return c != 0; }));
  }
}

// One individual drawn by walking the rows: u in [1, T], the first species whose running sum
// reaches u.
inline void WalkDraw(Counts& pool, Counts& tally) {
  const int32_t T = std::accumulate(pool.begin(), pool.end(), 0);
  const int32_t u = 1 + Random(T);
  int32_t sum = 0;
  for (size_t s = 0; s < pool.size(); ++s) {
    sum += pool[s];
    if (sum >= u) {
      --pool[s];
      ++tally[s];
      return;
    }
  }
}

// A curve row from its values: mean, median, variance (n - 1), 2.5% and 97.5% positions.
inline String CurveRow(const String& label, std::vector<double> v) {
  const size_t I = v.size();
  std::sort(v.begin(), v.end());
  double mean = 0;
  for (double x : v) mean += x;
  mean /= static_cast<double>(I);
  double ss = 0;
  for (double x : v) ss += (x - mean) * (x - mean);
  double variance = I > 1 ? ss / static_cast<double>(I - 1) : 0;
  if (std::fabs(variance) <= 1e-17) variance = 0;
  const double median = I % 2 ? v[I / 2] : (v[I / 2 - 1] + v[I / 2]) / 2;
  const double lowPos = std::trunc(0.025 * static_cast<double>(I - 1));
  const double highPos = std::nearbyint(0.975 * static_cast<double>(I - 1));  // halves to even
  return label + " " + FloatToStrF(mean, ffFixed, 7, 5) + " " + FloatToStrF(median, ffFixed, 7, 5) + " " +
         FloatToStrF(variance, ffFixed, 7, 5) + " " + FloatToStrF(v[static_cast<size_t>(lowPos)], ffFixed, 7, 5) +
         " " + FloatToStrF(v[static_cast<size_t>(highPos)], ffFixed, 7, 5);
}

// Values [level][iteration] of a run over one column.
struct ColumnReference {
  std::vector<std::vector<double>> values;
  Counts lastTally;
};

inline ColumnReference ReferenceColumn(const Counts& counts, const std::vector<int32_t>& levels, bool accumulation,
                                       int kind, Cardinal seed, int iterations) {
  ColumnReference ref;
  ref.values.assign(levels.size(), {});
  RandSeed = seed;
  if (!accumulation) {
    for (size_t i = 0; i < levels.size(); ++i)
      for (int t = 0; t < iterations; ++t) {
        Counts pool = counts, tally(counts.size(), 0);
        for (int32_t d = 0; d < levels[i]; ++d) WalkDraw(pool, tally);
        ref.values[i].push_back(Index(kind, tally, levels[i]));
        ref.lastTally = tally;
      }
  } else {
    for (int t = 0; t < iterations; ++t) {
      Counts pool = counts, tally(counts.size(), 0);
      int32_t drawn = 0;
      for (size_t i = 0; i < levels.size(); ++i) {
        for (; drawn < levels[i]; ++drawn) WalkDraw(pool, tally);
        ref.values[i].push_back(Index(kind, tally, levels[i]));
      }
      ref.lastTally = tally;
    }
  }
  return ref;
}

// The program started headless with species diversity reachable from its menu.
class DiversityRunTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Application->Hooks.ModalForm = [this](TCustomForm* form) { OnModal(form); };
    Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  }

  void OnModal(TCustomForm* form) {
    TSpeciesDiversityOpts* o = SpeciesDiversityOpts;
    if (form == o) {
      ++optionsShown;
      if (answer.cancel) return o->Cancel1->Click();
      o->SpeciesGroup->SetItemIndex(answer.unit);
      o->ColumnList->SetItemIndex(answer.column);
      // Selecting "User-defined" opens the levels editor (answered below); when it is
      // selected already, the editor keeps the text of its last showing.
      if (answer.userLevels) AbundanceLevelsOpts->Memo1->Lines()->SetText(answer.levels);
      (answer.unit == 1 ? o->SampleLevelsGroup : o->AbundanceLevelsGroup)->SetItemIndex(answer.userLevels ? 1 : 0);
      o->RandomizationGroup->SetItemIndex(answer.algorithm);
      o->IndexList->SetItemIndex(answer.index);
      o->IterationsEdit->SetText(answer.iterations);
      o->RandomSeedEdit->SetText(answer.seed);
      o->SaveMatrixCheckBox->SetChecked(answer.saveMatrices);
      if (beforeRun) beforeRun();
      o->Run1->Click();
    } else if (form == AbundanceLevelsOpts) {
      ++editorShown;
      AbundanceLevelsOpts->Memo1->Lines()->SetText(answer.levels);
      AbundanceLevelsOpts->OKButton->Click();
    } else if (form == SpeciesDiversity) {
      ++resultsShown;
      if (onResults) onResults();
      SpeciesDiversity->Close1->Click();
    } else {
      ADD_FAILURE() << "unexpected modal form " << form->Name();
    }
  }

  void Launch() {
    Application->Hooks.Messages.clear();
    Zorvan->SpeciesDiversity1->Click();
  }

  static Lines Curve(const TStringGrid* grid) {
    Lines out;
    for (int r = 0; r < grid->RowCount(); ++r) out.push_back(RowText(grid, r));
    return out;
  }

  Answer answer;
  int optionsShown = 0;
  int editorShown = 0;
  int resultsShown = 0;
  std::function<void()> beforeRun;
  std::function<void()> onResults;
};

}  // namespace diversity_test
