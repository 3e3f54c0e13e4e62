// Helpers of the regression and ANOVA run tests: the program started headless with both
// options forms answered as a person would answer them, data grids built from columns, a
// working folder of its own for tests that write files, and reading those files back.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "analysis/anova/AnovaMain.h"
#include "analysis/anova/AnovaOptions.h"
#include "analysis/regression/RegressionMain.h"
#include "analysis/regression/RegressionOptions.h"
#include "app/ProgressSims.h"
#include "classlib/SysUtils.h"
#include "support/ProgramFixture.h"

namespace standard_test {

using Lines = std::vector<String>;
using GridRows = std::vector<std::vector<String>>;

// How an options form is answered: the two lists' items and the general page.
struct Answer {
  int first = 0;
  int second = 1;
  String iterations = "30";
  String seed = "7";
  bool saveMatrices = false;
  bool cancel = false;
};

// A data grid: the corner "species", the titles, row titles "sp1".. and the columns' cells.
inline GridRows Columns(const std::vector<String>& Titles, const std::vector<std::vector<String>>& Cells) {
  const size_t n = Cells.empty() ? 0 : Cells[0].size();
  GridRows g(n + 1);
  g[0].push_back("species");
  for (const String& t : Titles) g[0].push_back(t);
  for (size_t r = 1; r <= n; ++r) {
    g[r].push_back("sp" + std::to_string(r));
    for (const auto& column : Cells) g[r].push_back(column[r - 1]);
  }
  return g;
}

inline std::vector<String> Texts(const std::vector<double>& Values) {
  std::vector<String> out;
  for (double v : Values) out.push_back(FloatToStr(v));
  return out;
}

inline void SetData(const GridRows& rows) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(static_cast<int>(rows.size()));
  g->SetColCount(static_cast<int>(rows[0].size()));
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c) g->SetCells(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
}

inline Lines MemoLines(const TMemo* memo) {
  Lines out;
  for (int i = 0; i < memo->Lines()->Count(); ++i) out.push_back(memo->Lines()->Strings(i));
  return out;
}

inline Lines Slice(const Lines& lines, size_t from, size_t count) {
  if (from >= lines.size()) return {};
  return Lines(lines.begin() + static_cast<std::ptrdiff_t>(from),
               lines.begin() + static_cast<std::ptrdiff_t>(std::min(lines.size(), from + count)));
}

// Line by line, so that a failure names the line.
inline void ExpectLines(const Lines& actual, const Lines& expected) {
  EXPECT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) EXPECT_EQ(actual[i], expected[i]) << "line " << i;
}

// The program started headless with both tests reachable from its menu.
class StandardRunTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Application->Hooks.ModalForm = [this](TCustomForm* form) { OnModal(form); };
    Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  }

  void OnModal(TCustomForm* form) {
    if (form == RegressionOpts || form == AnovaOpts) {
      auto* o = static_cast<TColumnPairOpts*>(form);
      ++optionsShown;
      if (onOptions) onOptions();
      if (answer.cancel) return o->Cancel1->Click();
      o->FirstList->SetItemIndex(answer.first);
      o->SecondList->SetItemIndex(answer.second);
      o->IterationsEdit->SetText(answer.iterations);
      o->RandomSeedEdit->SetText(answer.seed);
      o->SaveMatrixCheckBox->SetChecked(answer.saveMatrices);
      o->Run1->Click();
    } else if (form == RegressionShell || form == AnovaShell) {
      ++resultsShown;
      if (onResults) onResults();
      static_cast<TStandardResults*>(form)->Close1->Click();
    } else if (!OnOtherModal(form)) {
      ADD_FAILURE() << "unexpected modal form " << form->Name();
    }
  }

  // The forms of the other standard tests, answered by their own fixtures.
  virtual bool OnOtherModal(TCustomForm*) { return false; }

  Answer answer;
  int optionsShown = 0;
  int resultsShown = 0;
  std::function<void()> onOptions;
  std::function<void()> onResults;
};

// The same in an empty working folder of its own, for runs that write files.
class StandardFilesTest : public StandardRunTest {
 protected:
  void SetUp() override {
    StandardRunTest::SetUp();
    dir_ = std::filesystem::temp_directory_path() /
           ("zorvan-standard-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    StandardRunTest::TearDown();
    std::filesystem::remove_all(dir_);
  }

  // A file's lines, each checked to end in CR LF.
  static Lines FileLines(const String& name) {
    const String text = ReadFileBytes(name);
    Lines lines;
    size_t from = 0;
    while (from < text.size()) {
      const size_t end = text.find("\r\n", from);
      EXPECT_NE(end, String::npos) << name << ": CR LF after every line";
      if (end == String::npos) break;
      lines.push_back(text.substr(from, end - from));
      from = end + 2;
    }
    return lines;
  }

  static void WriteDataFile(const String& name, const GridRows& rows) {
    String text;
    for (const auto& row : rows) {
      for (size_t c = 0; c < row.size(); ++c) text += (c ? " " : "") + row[c];
      text += "\r\n";
    }
    WriteFileAtomically(name, text);
  }

  std::filesystem::path dir_;
};

}  // namespace standard_test
