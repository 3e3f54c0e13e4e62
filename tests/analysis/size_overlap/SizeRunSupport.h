// Helpers of the size-overlap run tests: the program started headless, a data grid of body
// sizes, the options form and its dialogs answered as a person would answer them, and the
// program's generator written out for reference runs.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/size_overlap/SizeOverlapMain.h"
#include "analysis/size_overlap/SizeOverlapOptions.h"
#include "analysis/size_overlap/SizeOverlapUDefined.h"
#include "analysis/size_overlap/SizeOverlapUDefined3.h"
#include "analysis/size_overlap/SizeOverlapUDefined4.h"
#include "app/ProgressSims.h"
#include "classlib/SysUtils.h"
#include "support/ProgramFixture.h"

namespace size_test {

using Lines = std::vector<String>;
using Grid = std::vector<std::vector<String>>;

// Titles "species", then the column titles; one row per species "sp1".. with its cells.
inline Grid SizesGrid(const std::vector<String>& titles, const std::vector<std::vector<String>>& rows) {
  Grid g{{"species"}};
  for (const String& t : titles) g[0].push_back(t);
  for (size_t r = 0; r < rows.size(); ++r) {
    g.push_back({"sp" + std::to_string(r + 1)});
    for (const String& cell : rows[r]) g.back().push_back(cell);
  }
  return g;
}

// One column "length" of the given cells.
inline Grid Column(const std::vector<String>& cells) {
  std::vector<std::vector<String>> rows;
  for (const String& c : cells) rows.push_back({c});
  return SizesGrid({"length"}, rows);
}

inline void SetData(const Grid& rows) {
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

inline Lines FileLines(const String& name) {
  Lines lines;
  String cur;
  for (char ch : ReadFileBytes(name)) {
    if (ch == '\n') {
      EXPECT_TRUE(!cur.empty() && cur.back() == '\r') << name << ": CR LF after every line";
      if (!cur.empty() && cur.back() == '\r') cur.pop_back();
      lines.push_back(cur);
      cur.clear();
    } else {
      cur += ch;
    }
  }
  EXPECT_EQ(cur, "") << name << ": the last line ends with CR LF";
  return lines;
}

inline void ExpectLines(const Lines& actual, const Lines& expected) {
  EXPECT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
    EXPECT_EQ(actual[i], expected[i]) << "line " << i;
}

// The program's generator written out: seed := seed * 134775813 + 1, a real is seed / 2^32,
// an integer in [0, n) the high half of n * seed.
struct HandGenerator {
  uint32_t seed;
  double Real() {
    seed = seed * 134775813u + 1u;
    return seed / 4294967296.0;
  }
  int Below(int n) {
    seed = seed * 134775813u + 1u;
    return static_cast<int>((static_cast<uint64_t>(n) * seed) >> 32);
  }
};

// How the options form is answered (items of its radio groups and list).
struct Answer {
  int metric = 1;
  int column = 0;
  int body = 0;          // 0 parametric, 1 histogram
  int distribution = 0;  // Uniform, Normal, Log uniform, Log normal
  int userDefined = 0;
  int transformation = 1;
  int rounding = 0;
  String iterations = "30";
  String seed = "7";
  bool save = false;
  bool cancel = false;
};

class SizeRunTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Application->Hooks.ModalForm = [this](TCustomForm* form) { OnModal(form); };
    Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  }

  void OnModal(TCustomForm* form) {
    if (form == SizeOverlapOpts) {
      ++optionsShown;
      if (onOptions) onOptions();
      AnswerOptions();
    } else if (form == SizeOverLapUD1 || form == SizeOverLapUD2 || form == SizeOverLapUD5 || form == SizeOverLapUD6) {
      shownDialogs.push_back(form->Name());
      auto* dialog = static_cast<TSizeOverlapParameterDialog*>(form);
      if (onDialog) onDialog(dialog);
      // Otherwise the dialog closes as by its window's close box.
      if (!leaveDialogOpen && form->ModalResult() == mrNone) dialog->UseButtonClick(nullptr);
    } else if (form == SizeOverLapUD3) {
      shownDialogs.push_back(form->Name());
      if (onHistogram) onHistogram();
      if (form->ModalResult() == mrNone) SizeOverLapUD3->Usehistogram1->Click();
    } else if (form == SizeOverLapUD4) {
      shownDialogs.push_back(form->Name());
      if (onPool) onPool();
    } else if (form == SizeOverlap) {
      ++resultsShown;
      if (onResults) onResults();
      SizeOverlap->Close1->Click();
    } else {
      ADD_FAILURE() << "unexpected modal form " << form->Name();
    }
  }

  void AnswerOptions() {
    TSizeOverlapOpts* o = SizeOverlapOpts;
    if (answer.cancel) return o->Cancel1->Click();
    o->MetricGroup->SetItemIndex(answer.metric);
    o->ColumnList->SetItemIndex(answer.column);
    o->TransformationGroup->SetItemIndex(answer.transformation);
    o->RoundingGroup->SetItemIndex(answer.rounding);
    o->BodySizeDistributionGroup->SetItemIndex(answer.body);
    o->BodySizeDistributionGroupMain->SetItemIndex(answer.distribution);
    o->BodySizeDistributionGroupC->SetItemIndex(answer.userDefined);
    o->IterationsEdit->SetText(answer.iterations);
    o->RandomSeedEdit->SetText(answer.seed);
    o->SaveMatrixCheckBox->SetChecked(answer.save);
    o->Run1->Click();
  }

  static Lines Summary() { return MemoLines(SizeOverlap->Memo1); }
  static Lines BatchRow(int row) { return Zorvan->BatchGrid->RowTexts(row); }
  static Lines Messages() { return Application->Hooks.Messages; }

  Answer answer;
  int optionsShown = 0;
  int resultsShown = 0;
  Lines shownDialogs;
  bool leaveDialogOpen = false;
  std::function<void()> onOptions, onResults, onHistogram, onPool;
  std::function<void(TSizeOverlapParameterDialog*)> onDialog;
};

}  // namespace size_test
