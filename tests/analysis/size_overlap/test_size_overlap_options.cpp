// The size-overlap options form and its dialogs: defaults and their reset, the rules of the
// distribution groups, the column list, the parameter dialogs' defaults, checks and reset
// rules, the pool-size dialog and the histogram editor with its files.
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "analysis/size_overlap/SizeRunSupport.h"

using namespace size_test;

namespace {

namespace fs = std::filesystem;
using SizeOptions = SizeRunTest;

TEST_F(SizeOptions, DesignDefaultsAndTheirReset) {
  TSizeOverlapOpts* o = SizeOverlapOpts;
  EXPECT_EQ(o->Caption(), "Zorvan Professional: Size Overlap Options");
  EXPECT_EQ(o->MetricGroup->ItemIndex(), 1);
  EXPECT_EQ(o->TransformationGroup->ItemIndex(), 1);
  EXPECT_EQ(o->RoundingGroup->Caption(), "Roundin&G");
  EXPECT_EQ(o->ColumnGroup->Caption(), "Co&Lumn to analyze");
  EXPECT_FALSE(o->EditUserDefinedButton->Enabled());
  EXPECT_FALSE(o->UserHistogramGroup->Enabled());
  EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
  EXPECT_EQ(o->IterationsEdit->Hint, "Iterations must be >0 and < 1,000,000");

  SetData(SizesGrid({"mass", "length"}, {{"2", "3"}, {"4", "9"}}));
  answer.cancel = true;
  onOptions = [] {
    EXPECT_EQ(SizeOverlapOpts->ColumnList->Items()->Count(), 2);
    EXPECT_EQ(SizeOverlapOpts->ColumnList->Items()->Strings(1), "length");
    EXPECT_EQ(Zorvan->SpeciesPool, "2");
    EXPECT_FALSE(Zorvan->RunSim);
  };
  Zorvan->SizeOverlap1->Click();
  EXPECT_EQ(optionsShown, 1);
  EXPECT_EQ(resultsShown, 0);
  EXPECT_EQ(o->FileEdit->Text(), Zorvan->FileName);

  o->RandomSeedEdit->SetText("9");
  o->SaveMatrixCheckBox->SetChecked(true);
  o->IterationsEdit->SetText("77");
  o->MetricGroup->SetItemIndex(0);
  o->TransformationGroup->SetItemIndex(0);
  o->RoundingGroup->SetItemIndex(1);
  o->BodySizeDistributionGroupMain->SetItemIndex(2);
  o->ColumnList->SetItemIndex(1);
  o->ResetDefaults1->Click();
  EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
  EXPECT_FALSE(o->SaveMatrixCheckBox->Checked());
  EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
  EXPECT_EQ(o->MetricGroup->ItemIndex(), 1);
  EXPECT_EQ(o->TransformationGroup->ItemIndex(), 1);
  EXPECT_EQ(o->RoundingGroup->ItemIndex(), 0);
  EXPECT_EQ(o->BodySizeDistributionGroupMain->ItemIndex(), 0);
  EXPECT_TRUE(o->RoundingGroup->Visible());  // back to "Uniform"
  EXPECT_EQ(o->ColumnList->ItemIndex(), 0);
  EXPECT_TRUE(shownDialogs.empty());
}

TEST_F(SizeOptions, DistributionRules) {
  TSizeOverlapOpts* o = SizeOverlapOpts;
  SetData(Column({"2", "5", "10"}));
  // The log laws hide the rounding; "User defined" opens the law's dialog at once.
  o->BodySizeDistributionGroupMain->SetItemIndex(3);
  EXPECT_FALSE(o->RoundingGroup->Visible());
  EXPECT_FALSE(o->EditUserDefinedButton->Enabled());
  o->BodySizeDistributionGroupC->SetItemIndex(1);
  EXPECT_EQ(shownDialogs, Lines{"SizeOverLapUD6"});
  EXPECT_TRUE(o->EditUserDefinedButton->Enabled());
  o->BodySizeDistributionGroupMain->SetItemIndex(1);
  EXPECT_TRUE(o->RoundingGroup->Visible());
  o->EditUserDefinedButton->Click();
  EXPECT_EQ(shownDialogs, (Lines{"SizeOverLapUD6", "SizeOverLapUD2", "SizeOverLapUD2"}));
  o->BodySizeDistributionGroupMain->SetItemIndex(2);
  o->BodySizeDistributionGroupMain->SetItemIndex(0);
  EXPECT_EQ(shownDialogs.back(), "SizeOverLapUD1");
  EXPECT_EQ(shownDialogs[shownDialogs.size() - 2], "SizeOverLapUD5");

  // "Histogram" disables the laws, opens the editor and lets "&Edit" open it again.
  shownDialogs.clear();
  o->BodySizeDistributionGroup->SetItemIndex(1);
  EXPECT_FALSE(o->BodySizeDistributionGroupMain->Enabled());
  EXPECT_FALSE(o->BodySizeDistributionGroupC->Enabled());
  EXPECT_TRUE(o->UserHistogramGroup->Enabled());
  EXPECT_TRUE(o->EditUserDefinedButton->Enabled());
  o->EditUserDefinedButton->Click();
  EXPECT_EQ(shownDialogs, (Lines{"SizeOverLapUD3", "SizeOverLapUD3"}));
  o->BodySizeDistributionGroup->SetItemIndex(0);
  EXPECT_TRUE(o->BodySizeDistributionGroupMain->Enabled());
  EXPECT_FALSE(o->UserHistogramGroup->Enabled());
  EXPECT_TRUE(o->EditUserDefinedButton->Enabled());  // "User defined" is still selected

  // A column without sizes: the message, and no dialog.
  SetData(Column({"0", "x", "-2"}));
  shownDialogs.clear();
  o->BodySizeDistributionGroupMain->SetItemIndex(3);
  EXPECT_EQ(Messages(), Lines{"Non-Zero Rows Must be > 0"});
  EXPECT_TRUE(shownDialogs.empty());
}

// A stored column beyond a narrower matrix: the first data column is shown and analysed.
TEST_F(SizeOptions, ColumnBeyondANarrowerMatrix) {
  SetData(SizesGrid({"a", "b", "c"}, {{"1", "1", "2"}, {"1", "1", "5"}, {"1", "1", "9"}}));
  answer.column = 2;
  answer.iterations = "5";
  Zorvan->SizeOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(SizeOverlapOpts->CurrentColumn, 2);
  EXPECT_EQ(Summary()[3], "Column analyzed:  c");

  SetData(SizesGrid({"length"}, {{"2"}, {"3"}, {"8"}}));
  onOptions = [this] {
    EXPECT_EQ(SizeOverlapOpts->ColumnList->ItemIndex(), 0);
    answer.column = SizeOverlapOpts->ColumnList->ItemIndex();
  };
  Zorvan->SizeOverlap1->Click();
  ASSERT_EQ(resultsShown, 2);
  EXPECT_EQ(Summary()[3], "Column analyzed:  length");
  EXPECT_EQ(Summary()[13], "Observed index = " + StatText(std::pow(std::log10(8.0 / 3) - std::log10(1.5), 2) / 2));
}

// Defaults a tenth outside the data: 0.9 x 2 and 1.1 x 10; on the log scale log10(2) and 1;
// below 1 the log sizes are negative and the margin still widens the range.
TEST_F(SizeOptions, EndPointDefaults) {
  SetData(Column({"5", "2", "0", "10"}));
  SizeOverLapUD1->ShowModal();
  EXPECT_EQ(SizeOverLapUD1->MinimumEdit->Text(), "1.80000");
  EXPECT_EQ(SizeOverLapUD1->MaximumEdit->Text(), "11.00000");
  SizeOverLapUD5->ShowModal();
  EXPECT_EQ(SizeOverLapUD5->MinimumEdit->Text(), StatText(0.9 * std::log10(2.0)));
  EXPECT_EQ(SizeOverLapUD5->MaximumEdit->Text(), "1.10000");
  SizeOverLapUD2->ShowModal();
  // 5, 2 and 10: mean 17 / 3, squared deviations 4 / 9 + 121 / 9 + 169 / 9 over 2.
  EXPECT_EQ(SizeOverLapUD2->MeanEdit->Text(), StatText(17.0 / 3));
  EXPECT_EQ(SizeOverLapUD2->SDEdit->Text(), StatText(std::sqrt(294.0 / 9 / 2)));
  // A new file: the end points follow it.
  Zorvan->FileName = "/tmp/other.txt";
  SetData(Column({"0.5", "0.8"}));
  SizeOverLapUD5->ShowModal();
  const double lo = std::log10(0.5), hi = std::log10(0.8);
  EXPECT_EQ(SizeOverLapUD5->MinimumEdit->Text(), StatText(lo - 0.1 * std::fabs(lo)));
  EXPECT_EQ(SizeOverLapUD5->MaximumEdit->Text(), StatText(hi + 0.1 * std::fabs(hi)));
  EXPECT_LT(LeadingReal(SizeOverLapUD5->MinimumEdit->Text()), lo);
  EXPECT_GT(LeadingReal(SizeOverLapUD5->MaximumEdit->Text()), hi);
  EXPECT_TRUE(Messages().empty());
}

// Typed values are checked by the use button and again however the dialog closes.
TEST_F(SizeOptions, ParameterChecks) {
  SetData(Column({"2", "5", "10"}));
  struct Case {
    TSizeOverlapParameterDialog* dialog;
    TEdit* first;
    TEdit* second;
    String a, b, message;
  };
  const Case cases[] = {
      {SizeOverLapUD1, SizeOverLapUD1->MinimumEdit, SizeOverLapUD1->MaximumEdit, "0", "4", "Minimum must be > 0."},
      {SizeOverLapUD1, SizeOverLapUD1->MinimumEdit, SizeOverLapUD1->MaximumEdit, "3", "x", "Maximum must be > 0 "},
      {SizeOverLapUD1, SizeOverLapUD1->MinimumEdit, SizeOverLapUD1->MaximumEdit, "3", "3",
       "Maximum must be > Minimum "},
      {SizeOverLapUD5, SizeOverLapUD5->MinimumEdit, SizeOverLapUD5->MaximumEdit, "-1", "-2",
       "Maximum must be > Minimum "},
      {SizeOverLapUD2, SizeOverLapUD2->MeanEdit, SizeOverLapUD2->SDEdit, "-1", "1", "Mean must be >= 0 "},
      {SizeOverLapUD2, SizeOverLapUD2->MeanEdit, SizeOverLapUD2->SDEdit, "3", "0", "Standard deviation must be > 0 "},
      {SizeOverLapUD6, SizeOverLapUD6->MeanEdit, SizeOverLapUD6->SDEdit, "-3", "-1", "Standard deviation must be > 0 "},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.dialog->Name() + " " + k.message);
    k.dialog->ShowModal();  // the defaults
    const String first = k.first->Text(), second = k.second->Text();
    Application->Hooks.Messages.clear();
    leaveDialogOpen = true;
    bool stayed = false;
    onDialog = [&](TSizeOverlapParameterDialog* d) {
      k.first->SetText(k.a);
      k.second->SetText(k.b);
      d->UseButtonClick(nullptr);
      stayed = d->ModalResult() == mrNone;
    };
    k.dialog->ShowModal();  // refused, then closed by its close box
    onDialog = nullptr;
    leaveDialogOpen = false;
    EXPECT_TRUE(stayed);
    EXPECT_EQ(Messages(), (Lines{k.message, k.message, "Resetting defaults!"}));
    EXPECT_EQ(k.first->Text(), first);
    EXPECT_EQ(k.second->Text(), second);
  }
  // Values that pass are kept, on the log scale negative ones too.
  onDialog = [](TSizeOverlapParameterDialog*) {
    SizeOverLapUD5->MinimumEdit->SetText("-1.5");
    SizeOverLapUD5->MaximumEdit->SetText("-0.5");
  };
  Application->Hooks.Messages.clear();
  SizeOverLapUD5->ShowModal();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(SizeOverLapUD5->MinimumEdit->Text(), "-1.5");
  SizeOverlapOptions o = SizeOverlapOpts->NullModelOptions();
  EXPECT_EQ(o.Minimum, 1.8);  // "Uniform" selected: UD1's values
  SizeOverlapOpts->BodySizeDistributionGroupMain->SetItemIndex(2);
  o = SizeOverlapOpts->NullModelOptions();
  EXPECT_EQ(o.Distribution, SizeDistribution::LogUniform);
  EXPECT_EQ(o.Minimum, -1.5);
  EXPECT_EQ(o.Maximum, -0.5);
}

// The mean and SD stay when only the data file changes; the end points follow the file. Both
// follow a change of the analysed column.
TEST_F(SizeOptions, ResetRulesOnShowing) {
  SetData(SizesGrid({"a", "b"}, {{"2", "20"}, {"5", "50"}, {"10", "100"}}));
  onDialog = [](TSizeOverlapParameterDialog* d) {
    if (d == SizeOverLapUD2) SizeOverLapUD2->MeanEdit->SetText("7");
    if (d == SizeOverLapUD1) SizeOverLapUD1->MinimumEdit->SetText("1");
  };
  SizeOverLapUD1->ShowModal();
  SizeOverLapUD2->ShowModal();
  onDialog = nullptr;
  Zorvan->FileName = "/tmp/another.txt";
  SizeOverLapUD1->ShowModal();
  SizeOverLapUD2->ShowModal();
  EXPECT_EQ(SizeOverLapUD1->MinimumEdit->Text(), "1.80000");
  EXPECT_EQ(SizeOverLapUD2->MeanEdit->Text(), "7");
  SizeOverlapOpts->ColumnTitlesToList();
  SizeOverlapOpts->ColumnList->SetItemIndex(1);
  SizeOverLapUD2->ShowModal();
  EXPECT_EQ(SizeOverLapUD2->MeanEdit->Text(), StatText(170.0 / 3));

  // "reset &Defaults" brings the column's values back and leaves the dialog open.
  bool open = false;
  onDialog = [&](TSizeOverlapParameterDialog*) {
    SizeOverLapUD1->MaximumEdit->SetText("500");
    SizeOverLapUD1->ResetButton->Click();
    open = SizeOverLapUD1->ModalResult() == mrNone;
  };
  SizeOverLapUD1->ShowModal();
  EXPECT_TRUE(open);
  EXPECT_EQ(SizeOverLapUD1->MinimumEdit->Text(), "18.00000");
  EXPECT_EQ(SizeOverLapUD1->MaximumEdit->Text(), "110.00000");
  // Without a size in the column it closes the dialog after its message.
  onDialog = [&](TSizeOverlapParameterDialog*) {
    SetData(SizesGrid({"a", "b"}, {{"2", "0"}, {"5", "x"}, {"10", "0"}}));
    SizeOverLapUD1->ResetButton->Click();
    open = SizeOverLapUD1->ModalResult() == mrNone;
  };
  SizeOverLapUD1->ShowModal();
  EXPECT_FALSE(open);
  EXPECT_EQ(Messages(), Lines{"Non-Zero Rows Must be > 0"});
}

TEST_F(SizeOptions, PoolSizeDialog) {
  SetData(Column({"2", "5", "10"}));
  SizeOverLapUD3->ShowModal();  // the default histogram: three drawable rows
  struct Case {
    String typed;
    Lines messages;
    String pool;  // "" : the dialog stays open
  };
  const Case cases[] = {
      {"241101", {}, "241101"},
      {"241102", {"Histogram row count must be < 241101."}, ""},
      {"2", {"Histogram row count must be >= Non-zero rows."}, ""},
      {"3", {}, "3"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.typed);
    Application->Hooks.Messages.clear();
    Zorvan->SpeciesPool = "3";
    onPool = [&] {
      EXPECT_EQ(SizeOverLapUD4->SpeciesEdit->Text(), "3");
      SizeOverLapUD4->SpeciesEdit->SetText(k.typed);
      SizeOverLapUD4->OKButton->Click();
      EXPECT_EQ(SizeOverLapUD4->ModalResult() != mrNone, !k.pool.empty());
    };
    SizeOverLapUD4->ShowModal();
    EXPECT_EQ(Messages(), k.messages);
    EXPECT_EQ(Zorvan->SpeciesPool, k.pool.empty() ? "3" : k.pool);
    EXPECT_EQ(Zorvan->NonZeroRows, 3);
  }
  // Rows without a size or a weight cannot be drawn.
  SizeOverLapUD3->SpeciesHistogramGrid->SetCells(2, 1, "0");
  SizeOverLapUD3->SpeciesHistogramGrid->SetCells(1, 2, "0");
  SizeOverLapUD3->SpeciesHistogramGrid->SetCells(2, 3, "x");
  Application->Hooks.Messages.clear();
  Zorvan->InterruptFlag = false;
  onPool = [] { SizeOverLapUD4->OKButton->Click(); };
  SizeOverLapUD4->ShowModal();
  EXPECT_EQ(Messages(), Lines{"Non-Zero Rows Must be > 0"});
  EXPECT_TRUE(Zorvan->InterruptFlag);
}

// "&Change ": the pool size grows or shrinks the histogram; rows kept keep their cells, new
// rows start empty.
TEST_F(SizeOptions, PoolSizeChangesTheHistogramRows) {
  SetData(Column({"2", "5", "10"}));
  TStringGrid* g = SizeOverLapUD3->SpeciesHistogramGrid;
  onHistogram = [g] {
    EXPECT_EQ(SizeOverLapUD3->SpeciesPoolLabel->Caption(), "3");
    g->SetCells(1, 3, "0");  // two drawable rows are left
    SizeOverLapUD3->Button1->Click();
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(SizeOverLapUD3->SpeciesPoolLabel->Caption(), "2");
    Zorvan->SpeciesPool = "5";
    SizeOverLapUD3->SetNew();
  };
  onPool = [] {
    SizeOverLapUD4->SpeciesEdit->SetText("2");
    SizeOverLapUD4->OKButton->Click();
  };
  SizeOverLapUD3->ShowModal();
  EXPECT_EQ(g->RowCount(), 6);
  EXPECT_EQ(g->RowTexts(2), (Lines{"sp2", "5", "1.0"}));
  EXPECT_EQ(g->RowTexts(3), (Lines{"", "", ""}));
  // Shown again for the same file: the launcher's pool size decides the rows.
  onHistogram = nullptr;
  Zorvan->SpeciesPool = "3";
  SizeOverLapUD3->ShowModal();
  EXPECT_EQ(g->RowCount(), 4);
}

class HistogramFiles : public SizeOptions {
 protected:
  void SetUp() override {
    SizeOptions::SetUp();
    dir_ = fs::temp_directory_path() / ("zorvan-histogram-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    Application->Hooks.FileDialog = [this](TCommonDialog* d) {
      auto* dialog = static_cast<TOpenDialog*>(d);
      asked.emplace_back(dialog->Title, dialog->FileName);
      if (chosen.empty()) return false;
      dialog->FileName = chosen;
      return true;
    };
  }
  void TearDown() override {
    SizeOptions::TearDown();
    fs::remove_all(dir_);
  }
  fs::path dir_;
  String chosen;
  std::vector<std::pair<String, String>> asked;
};

TEST_F(HistogramFiles, SavedAndOpenedAgain) {
  SetData(Column({"2", "5"}));
  SizeOverLapUD3->ShowModal();
  TStringGrid* g = SizeOverLapUD3->SpeciesHistogramGrid;
  g->SetCells(2, 2, "0.5");
  chosen = (dir_ / "h.txt").string();
  SizeOverLapUD3->Save1->Click();
  EXPECT_EQ(asked.back(), (std::pair<String, String>{"Select a file name.", "histogram.txt"}));
  EXPECT_EQ(ReadFileBytes("h.txt"), "Species Size Colonization Weight \r\nsp1 2 1.0 \r\nsp2 5 0.5 \r\n");

  SizeOverLapUD3->ResetDefaults1->Click();
  EXPECT_EQ(g->Cells(2, 2), "1.0");
  SizeOverLapUD3->Open1->Click();
  EXPECT_EQ(asked.back(), (std::pair<String, String>{"Select an ASCII file to open.", ""}));
  EXPECT_EQ(g->RowCount(), 3);
  EXPECT_EQ(g->RowTexts(0), (Lines{"Species", "Size", "Colonization"}));
  EXPECT_EQ(g->RowTexts(2), (Lines{"sp2", "5", "0.5"}));
  EXPECT_EQ(Zorvan->SpeciesPool, "2");
  EXPECT_TRUE(Messages().empty());

  // A longer file sets the pool; lines may end in LF alone.
  WriteFileAtomically("long.txt", "Species Size Weight\nx 1 1\ny 2 1\nz 3 2\n");
  chosen = (dir_ / "long.txt").string();
  SizeOverLapUD3->Open1->Click();
  EXPECT_EQ(g->RowCount(), 4);
  EXPECT_EQ(SizeOverLapUD3->SpeciesPoolLabel->Caption(), "3");
  EXPECT_EQ(g->RowTexts(3), (Lines{"z", "3", "2"}));
}

TEST_F(HistogramFiles, ShortMissingOrCancelled) {
  SetData(Column({"2", "5", "7"}));
  SizeOverLapUD3->ShowModal();
  TStringGrid* g = SizeOverLapUD3->SpeciesHistogramGrid;
  g->SetCells(1, 1, "99");
  // Cancelled: nothing read, nothing changed.
  SizeOverLapUD3->Open1->Click();
  EXPECT_EQ(g->Cells(1, 1), "99");
  EXPECT_TRUE(Messages().empty());
  chosen = (dir_ / "none.txt").string();
  SizeOverLapUD3->Open1->Click();
  EXPECT_EQ(Messages(), Lines{"Error opening file."});
  EXPECT_EQ(g->Cells(1, 1), "99");
  // Fewer lines than the data grid's rows: the default histogram.
  WriteFileAtomically("short.txt", "Species Size Colonization Weight \r\nsp1 2 1.0 \r\n");
  chosen = (dir_ / "short.txt").string();
  Application->Hooks.Messages.clear();
  SizeOverLapUD3->Open1->Click();
  EXPECT_EQ(Messages(), (Lines{"Histogram row count must be >= MainGrid row count.", "Resetting Defaults"}));
  EXPECT_EQ(g->RowCount(), 4);
  EXPECT_EQ(g->RowTexts(1), (Lines{"sp1", "2", "1.0"}));
  // Saving where no file can be written.
  chosen = (dir_ / "no-such-folder" / "h.txt").string();
  Application->Hooks.Messages.clear();
  SizeOverLapUD3->Save1->Click();
  EXPECT_EQ(Messages(), Lines{"Error writing file."});
}

}  // namespace
