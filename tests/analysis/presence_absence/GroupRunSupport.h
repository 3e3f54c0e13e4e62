// Helpers of the guild-structure and species-overlap run tests: the program started headless
// with both options forms answered as a person would answer them, and a reference run written
// from the definitions (labels and cells shuffled with the program's draws, each group's index
// from plain loops over its own table), whose series give the expected summary lines.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "analysis/presence_absence/CoocRunSupport.h"
#include "analysis/presence_absence/GuildStructureMain.h"
#include "analysis/presence_absence/GuildStructureOptions.h"
#include "analysis/presence_absence/SpeciesOverlapMain.h"
#include "analysis/presence_absence/SpeciesOverlapOptions.h"

namespace group_test {

using cooc_test::GridRows;
using cooc_test::MemoLines;
using Lines = std::vector<String>;

// How an options form is answered.
struct Answer {
  int index = 0;
  int grouping = 0;       // guild structure: 0 by guild, 1 by region
  bool favored = false;   // guild structure: "Favored States Analysis"
  int randomization = 1;  // species overlap: "Fixed Species"
  String iterations = "30";
  String seed = "7";
  bool saveMatrices = false;
  bool cancel = false;
};

// Species rows with a label in column 1: {"A", "1100"} -> cells "A", "1", "1", "0", "0".
inline GridRows Labelled(const std::vector<std::pair<std::string, std::string>>& rows) {
  GridRows g(rows.size() + 1);
  g[0].push_back("species");
  g[0].push_back("guild");
  for (size_t c = 1; c <= rows[0].second.size(); ++c) g[0].push_back("s" + std::to_string(c));
  for (size_t r = 1; r <= rows.size(); ++r) {
    g[r].push_back("sp" + std::to_string(r));
    g[r].push_back(rows[r - 1].first);
    for (char ch : rows[r - 1].second) g[r].push_back(String(1, ch));
  }
  return g;
}

// Two guilds of three species over four sites (see test_group_sims.cpp): C-scores 2 and 0,
// group mean 1, variance 2, two favored sites.
inline GridRows GuildFixture() {
  return Labelled({{"A", "1100"}, {"A", "0011"}, {"A", "1010"}, {"B", "1110"}, {"B", "0110"}, {"B", "0100"}});
}

// ---- the reference run

struct Table {
  std::vector<std::string> labels;        // per unit
  std::vector<std::vector<int>> cells;    // [species][site], 0/1
};

// The grid read in the layout of the axis (species rows by guild, site columns by region).
inline Table ReadTable(const GridRows& g, bool regions) {
  Table t;
  const size_t R = g.size(), C = g[0].size();
  if (!regions) {
    for (size_t r = 1; r < R; ++r) {
      t.labels.push_back(g[r][1]);
      std::vector<int> row;
      for (size_t c = 2; c < C; ++c) row.push_back(LeadingInt(g[r][c]) > 0 ? 1 : 0);
      t.cells.push_back(row);
    }
  } else {
    for (size_t c = 1; c < C; ++c) t.labels.push_back(g[1][c]);
    for (size_t r = 2; r < R; ++r) {
      std::vector<int> row;
      for (size_t c = 1; c < C; ++c) row.push_back(LeadingInt(g[r][c]) > 0 ? 1 : 0);
      t.cells.push_back(row);
    }
  }
  return t;
}

inline std::vector<std::string> GroupNames(const std::vector<std::string>& labels) {
  std::vector<std::string> names;
  for (const std::string& l : labels)
    if (std::find(names.begin(), names.end(), l) == names.end()) names.push_back(l);
  return names;
}

// The index of every group (in the order of Names): its own table (species x sites of the
// group), occupied species and sites only, by the definitions; a group without presence gives 0.
inline std::vector<double> GroupIndices(const Table& t, const std::vector<std::string>& Names, bool regions,
                                        PairIndexKind kind) {
  std::vector<double> out;
  const size_t n = t.cells.size(), S = n ? t.cells[0].size() : 0;
  for (const std::string& name : Names) {
    std::vector<std::string> species;
    for (size_t r = 0; r < n; ++r) {
      if (!regions && t.labels[r] != name) continue;
      std::string row;
      for (size_t c = 0; c < S; ++c)
        if (!regions || t.labels[c] == name) row += static_cast<char>('0' + t.cells[r][c]);
      species.push_back(row);
    }
    const Matrix M = pa_test::MakeMatrix(species);
    if (M[0][0] == 0) {
      out.push_back(0);
      continue;
    }
    const size_t occupied = cooc_test::Compact(M, true).rows.size();
    out.push_back(cooc_test::ReferenceIndex(M, kind, true, static_cast<int>(occupied * (occupied - 1) / 2)));
  }
  return out;
}

// Favored sites of a table whose labels are on the species, from the definition: the
// smallest spread for m species dealt in turn to groups of the table's sizes.
inline double FavoredStates(const Table& t) {
  const std::vector<std::string> names = GroupNames(t.labels);
  const int S = static_cast<int>(t.cells.size());
  std::vector<int> sizes(names.size(), 0);
  for (const std::string& l : t.labels) ++sizes[std::find(names.begin(), names.end(), l) - names.begin()];
  auto smallestSpread = [&](int m) {
    std::vector<int> d(sizes.size(), 0);
    size_t g = 0;
    for (int k = 0; k < m; ++k) {
      while (d[g % d.size()] >= sizes[g % d.size()]) ++g;
      ++d[g % d.size()];
      ++g;
    }
    return *std::max_element(d.begin(), d.end()) - *std::min_element(d.begin(), d.end());
  };
  int count = 0;
  for (size_t c = 0; c < t.cells[0].size(); ++c) {
    std::vector<int> per(names.size(), 0);
    int m = 0;
    for (int r = 0; r < S; ++r)
      if (t.cells[r][c]) {
        ++m;
        ++per[std::find(names.begin(), names.end(), t.labels[r]) - names.begin()];
      }
    const int spread = *std::max_element(per.begin(), per.end()) - *std::min_element(per.begin(), per.end());
    if (m > 1 && m < S - 1 && spread == smallestSpread(m)) ++count;
  }
  return count;
}

// Randomisations with the program's draws.
inline void ShuffleLabels(Table& t) {
  const int U = static_cast<int>(t.labels.size());
  for (int u = 0; u < U; ++u) std::swap(t.labels[u], t.labels[Random(U)]);
}
inline void ShuffleWithinSites(Table& t) {
  const int n = static_cast<int>(t.cells.size()), S = static_cast<int>(t.cells[0].size());
  for (int c = 0; c < S; ++c)
    for (int r = 0; r < n; ++r) std::swap(t.cells[r][c], t.cells[Random(n)][c]);
}
inline void ShuffleWithinSpecies(Table& t) {
  const int n = static_cast<int>(t.cells.size()), S = static_cast<int>(t.cells[0].size());
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < S; ++c) std::swap(t.cells[r][c], t.cells[r][Random(S)]);
}

struct Series {
  double observedMean = 0, observedVariance = 0, observedFavored = 0;
  std::vector<double> means, variances, favored;
  std::vector<std::vector<double>> groups;  // [group][iteration]
  std::vector<double> observedGroups;
  Table last;
};

inline void MeanVariance(const std::vector<double>& v, double& mean, double& variance) {
  mean = 0;
  for (double x : v) mean += x;
  mean /= static_cast<double>(v.size());
  variance = cooc_test::SampleVariance(v);
}

// The whole reference run. Shuffle: 0 equiprobable, 1 fixed species, 2 fixed sites, 3 labels.
inline Series Reference(const GridRows& grid, bool regions, PairIndexKind kind, int shuffle, bool favored,
                        Cardinal seed, int iterations) {
  Series s;
  Table t = ReadTable(grid, regions);
  // Groups keep the names and order of the observed labels.
  const std::vector<std::string> names = GroupNames(t.labels);
  s.observedGroups = GroupIndices(t, names, regions, kind);
  MeanVariance(s.observedGroups, s.observedMean, s.observedVariance);
  s.observedFavored = favored ? FavoredStates(t) : 0;
  s.groups.resize(s.observedGroups.size());
  RandSeed = seed;
  for (int i = 0; i < iterations; ++i) {
    if (shuffle == 0 || shuffle == 1) ShuffleWithinSites(t);
    if (shuffle == 0 || shuffle == 2) ShuffleWithinSpecies(t);
    if (shuffle == 3) ShuffleLabels(t);
    s.favored.push_back(favored ? FavoredStates(t) : 0);
    const std::vector<double> g = GroupIndices(t, names, regions, kind);
    for (size_t k = 0; k < g.size(); ++k) s.groups[k].push_back(g[k]);
    double mean = 0, variance = 0;
    MeanVariance(g, mean, variance);
    s.means.push_back(mean);
    s.variances.push_back(variance);
  }
  s.last = t;
  return s;
}

// A summary block: title, the 27 lines of a series, the rule and an empty line. A series
// without a histogram (favored states not counted) shows only the blanks of its lines.
inline Lines Block(const char* title, double observed, const std::vector<double>& values, bool histogram) {
  Lines out{title};
  Lines set = cooc_test::SetLines(observed, values, false);
  if (!histogram)
    for (size_t k = set.size() - 14; k < set.size(); ++k) set[k] = "  ";
  out.insert(out.end(), set.begin(), set.end());
  out.push_back(String(46, '_'));
  out.push_back("");
  return out;
}

// Line by line, so that a failure names the line.
inline void ExpectLines(const Lines& actual, const Lines& expected) {
  EXPECT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) EXPECT_EQ(actual[i], expected[i]) << "line " << i;
}

// The program started headless with both analyses reachable from its menu.
class GroupRunTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Application->Hooks.ModalForm = [this](TCustomForm* form) { OnModal(form); };
    Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  }

  void OnModal(TCustomForm* form) {
    if (form == GuildStructureOpts) {
      ++optionsShown;
      if (onOptions) onOptions();
      if (answer.cancel) return GuildStructureOpts->Cancel1->Click();
      GuildStructureOpts->Grouping->SetItemIndex(answer.grouping);
      GuildStructureOpts->FavoredStatesCheckBox->SetChecked(answer.favored);
      AnswerGeneral(GuildStructureOpts);
    } else if (form == SpeciesOverlapOpts) {
      ++optionsShown;
      if (onOptions) onOptions();
      if (answer.cancel) return SpeciesOverlapOpts->Cancel1->Click();
      SpeciesOverlapOpts->RandomizationGroup->SetItemIndex(answer.randomization);
      AnswerGeneral(SpeciesOverlapOpts);
    } else if (form == GuildStructure || form == SpeciesOverlap) {
      ++resultsShown;
      if (onResults) onResults();
      static_cast<TGroupResults*>(form)->Close1->Click();
    } else {
      ADD_FAILURE() << "unexpected modal form " << form->Name();
    }
  }

  void AnswerGeneral(TGroupOptions* o) {
    o->IndexList->SetItemIndex(answer.index);
    o->IterationsEdit->SetText(answer.iterations);
    o->RandomSeedEdit->SetText(answer.seed);
    o->SaveMatrixCheckBox->SetChecked(answer.saveMatrices);
    o->Run1->Click();
  }

  static Lines Summary(const TGroupResults* f) { return MemoLines(f->Memo1); }

  Answer answer;
  int optionsShown = 0;
  int resultsShown = 0;
  std::function<void()> onOptions;
  std::function<void()> onResults;
};

}  // namespace group_test
