// Helpers of the chi-square run tests: the options form answered as a person answers it (the
// randomisation, the general page, optionally an edit of the expected grid), tables built from
// rows, and the run of three iterations walked by hand in the program's draw order.
#pragma once

#include "analysis/chi_square/ChiSquareMain.h"
#include "analysis/chi_square/ChiSquareOptions.h"
#include "analysis/standard_tests/StandardRunSupport.h"
#include "classlib/Random.h"

namespace chi_square_test {

using namespace standard_test;

// A table with the corner "species", site titles "s1".. and species titles "a", "b", ...
inline GridRows Table(const std::vector<std::vector<String>>& rows) {
  GridRows g(rows.size() + 1);
  g[0].push_back("species");
  for (size_t c = 0; c < rows[0].size(); ++c) g[0].push_back("s" + std::to_string(c + 1));
  for (size_t r = 0; r < rows.size(); ++r) {
    g[r + 1].push_back(String(1, static_cast<char>('a' + r)));
    for (const String& cell : rows[r]) g[r + 1].push_back(cell);
  }
  return g;
}

struct ChiAnswer {
  int randomization = 0;
  String iterations = "3";
  String seed = "7";
  bool saveMatrices = false;
  bool cancel = false;
};

template <class Base>
class ChiSquareFixture : public Base {
 protected:
  bool OnOtherModal(TCustomForm* form) override {
    if (form == ChiSquareOpts) {
      ++chiOptionsShown;
      if (onChiOptions) onChiOptions();
      if (chi.cancel) {
        ChiSquareOpts->Cancel1->Click();
        return true;
      }
      ChiSquareOpts->RandomizationGroup->SetItemIndex(chi.randomization);
      ChiSquareOpts->IterationsEdit->SetText(chi.iterations);
      ChiSquareOpts->RandomSeedEdit->SetText(chi.seed);
      ChiSquareOpts->SaveMatrixCheckBox->SetChecked(chi.saveMatrices);
      ChiSquareOpts->Run1->Click();
      return true;
    }
    if (form == ChiSquareShell) {
      ++this->resultsShown;
      if (this->onResults) this->onResults();
      ChiSquareShell->Close1->Click();
      return true;
    }
    return false;
  }

  ChiAnswer chi;
  int chiOptionsShown = 0;
  std::function<void()> onChiOptions;
};

// The random tables of a run by hand: per iteration, the table starts empty; "randomize matrix"
// draws u1 (column) then u2 (row) per individual against the running proportions; "randomize
// columns" draws a row for each individual of each column in turn; "randomize rows" a column
// for each individual of each row.
inline std::vector<std::vector<std::vector<int>>> WalkTables(const std::vector<std::vector<int>>& data, int choice,
                                                             Cardinal seed, int iterations) {
  const size_t R = data.size(), C = data[0].size();
  std::vector<double> rowT(R, 0), colT(C, 0);
  double total = 0;
  for (size_t r = 0; r < R; ++r)
    for (size_t c = 0; c < C; ++c) rowT[r] += data[r][c], colT[c] += data[r][c], total += data[r][c];
  auto pick = [](const std::vector<double>& t, double sum, double u) {
    double run = 0;
    for (size_t i = 0; i < t.size(); ++i) {
      run += t[i] / sum;
      if (t[i] > 0 && run >= u) return i;
    }
    size_t last = 0;
    for (size_t i = 0; i < t.size(); ++i)
      if (t[i] > 0) last = i;
    return last;
  };
  RandSeed = seed;
  std::vector<std::vector<std::vector<int>>> tables;
  for (int i = 0; i < iterations; ++i) {
    std::vector<std::vector<int>> s(R, std::vector<int>(C, 0));
    if (choice == 0) {
      for (int k = 0; k < static_cast<int>(total); ++k) {
        const double u1 = RandomReal(), u2 = RandomReal();
        ++s[pick(rowT, total, u2)][pick(colT, total, u1)];
      }
    } else if (choice == 1) {
      for (size_t c = 0; c < C; ++c)
        for (int k = 0; k < static_cast<int>(colT[c]); ++k) ++s[static_cast<size_t>(Random(static_cast<Integer>(R)))][c];
    } else {
      for (size_t r = 0; r < R; ++r)
        for (int k = 0; k < static_cast<int>(rowT[r]); ++k) ++s[r][static_cast<size_t>(Random(static_cast<Integer>(C)))];
    }
    tables.push_back(s);
  }
  return tables;
}

}  // namespace chi_square_test
