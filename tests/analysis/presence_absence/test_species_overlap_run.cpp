// The species-overlap analysis run through the program: the summary text against a reference
// run for every index and randomisation, the group table and its saves, the refusals and the
// options form.
#include <unistd.h>

#include <filesystem>

#include "analysis/presence_absence/GroupRunSupport.h"
#include "app/ExcelExport.h"
#include "app/ProgressSims.h"

using namespace group_test;
using cooc_test::SetData;

namespace {

namespace fs = std::filesystem;
using OverlapRun = GroupRunTest;

const char* const kIndexLines[] = {"Index = Relative Overlap", "Index = Union", "Index = Raw Overlap"};
const char* const kRandomizationLines[] = {
    "Randomization Algorithm = Equiprobable", "Randomization Algorithm = Fixed Species",
    "Randomization Algorithm = Fixed Sites", "Randomization Algorithm = Fixed Species and Sites"};

// The guild fixture's groups by hand: relative overlap 2/9 and 1/2, union 10/3 and 8/3, raw
// overlap 2/3 and 4/3.
TEST_F(OverlapRun, ObservedGroupIndicesWorkedByHand) {
  SetData(GuildFixture());
  const char* observed[][2] = {{"0.22222", "0.50000"}, {"3.33333", "2.66667"}, {"0.66667", "1.33333"}};
  const char* means[] = {"0.36111", "3.00000", "1.00000"};
  for (int index = 0; index < 3; ++index) {
    SCOPED_TRACE(kIndexLines[index]);
    answer.index = index;
    Zorvan->SpeciesOverlap1->Click();
    ASSERT_FALSE(Zorvan->InterruptFlag);
    EXPECT_EQ(SpeciesOverlap->GuildsRegionsGrid->RowTexts(1)[2], observed[index][0]);
    EXPECT_EQ(SpeciesOverlap->GuildsRegionsGrid->RowTexts(2)[2], observed[index][1]);
    EXPECT_EQ(Summary(SpeciesOverlap)[6], kIndexLines[index]);
    EXPECT_EQ(Summary(SpeciesOverlap)[11], String("Observed index = ") + means[index]);
  }
}

// Every index under every randomisation against the reference run; the whole summary of one.
TEST_F(OverlapRun, SummaryTextForEveryIndexAndRandomization) {
  GridRows data = Labelled({{"A", "110010"}, {"A", "001100"}, {"A", "101000"}, {"B", "111001"},
                            {"B", "011010"}, {"C", "010011"}, {"C", "100101"}, {"C", "000000"}});
  data[3][4] = "2";  // present, and moves with its cell
  SetData(data);
  for (int randomization = 0; randomization < 4; ++randomization)
    for (int index = 0; index < 3; ++index) {
      SCOPED_TRACE(String(kRandomizationLines[randomization]) + ", " + kIndexLines[index]);
      answer.index = index;
      answer.randomization = randomization;
      answer.iterations = "25";
      Zorvan->SpeciesOverlap1->Click();
      ASSERT_FALSE(Zorvan->InterruptFlag);
      const Series ref = Reference(data, false, static_cast<PairIndexKind>(4 + index), randomization, false, 7, 25);
      Lines expected{"Input file = " + Zorvan->FileName,
                     "Rows = 8; Columns = 7",
                     "Iterations = 25",
                     "Random seed = 7",
                     "Grouping by species (rows).",
                     "Number of groups = 3",
                     kIndexLines[index],
                     kRandomizationLines[randomization],
                     String(46, '_'),
                     ""};
      for (const Lines& block : {Block("INDEX", ref.observedMean, ref.means, true),
                                 Block("VARIANCE", ref.observedVariance, ref.variances, true)})
        expected.insert(expected.end(), block.begin(), block.end());
      expected.push_back("SPECIES OVERLAP/UNION:");
      expected.push_back("");
      expected.push_back("Groups Number of Observations Observed Index Mean/Simulated indices Var/Simulated indices ");
      const char* names[] = {"A", "B", "C"};
      const char* sizes[] = {"3", "2", "3"};
      for (int g = 0; g < 3; ++g) {
        double mean = 0, variance = 0;
        CalculateMeanVariance(25, ref.groups[g], mean, variance);
        expected.push_back(String(names[g]) + " " + sizes[g] + " " + StatText(ref.observedGroups[g]) + " " +
                           StatText(mean) + " " + StatText(variance) + " ");
      }
      for (const char* line : {"", "INPUT MATRIX:", ""}) expected.push_back(line);
      expected.insert(expected.end() - 3, String(46, '_'));
      for (const auto& row : data) {
        String line;
        for (const String& cell : row) line += cell + " ";
        expected.push_back(line);
      }
      expected.push_back("");
      ExpectLines(Summary(SpeciesOverlap), expected);
      EXPECT_FALSE(SpeciesOverlap->FavoredStatesSheet->TabVisible());
      EXPECT_EQ(SpeciesOverlap->GroupsSheet->Caption(), "Group Averages");
      // The simulation grid: the last state, each cell with its own text.
      for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(SpeciesOverlap->SimulationGrid->Cells(1, r), ref.last.labels[r - 1]);
        for (int c = 2; c <= 7; ++c)
          EXPECT_EQ(LeadingInt(SpeciesOverlap->SimulationGrid->Cells(c, r)) > 0, ref.last.cells[r - 1][c - 2] == 1);
      }
    }
}

// "Fixed Species and Sites" never moves a cell; the others keep their totals.
TEST_F(OverlapRun, FixedSpeciesAndSitesMovesOnlyLabels) {
  const GridRows data = Labelled({{"A", "1100"}, {"A", "0011"}, {"B", "1010"}, {"B", "0111"}});
  SetData(data);
  answer.randomization = 3;
  Zorvan->SpeciesOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  for (int r = 1; r <= 4; ++r)
    for (int c = 2; c <= 5; ++c) EXPECT_EQ(SpeciesOverlap->SimulationGrid->Cells(c, r), data[r][c]);
}

// A group whose species are all empty does not stop the run: its index is 0.
TEST_F(OverlapRun, AnEmptyGroupHasIndexZero) {
  SetData(Labelled({{"A", "1100"}, {"A", "0110"}, {"E", "0000"}, {"E", "0x00"}}));
  answer.randomization = 3;
  Zorvan->SpeciesOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_EQ(SpeciesOverlap->GuildsRegionsGrid->RowTexts(2)[2], "0.00000");
}

TEST_F(OverlapRun, EveryRefusalShowsItsMessageAndSetsTheInterruptFlag) {
  struct Case {
    const char* name;
    GridRows data;
    String iterations;
    String message;
  };
  const Case cases[] = {
      {"3 cells", {{"species", "g", "s1"}}, "30", "4 < Cell limit < 241101, e.g. 301x801."},
      {"one species", Labelled({{"A", "1100"}}), "30", "At least 2 rows of data required for grouping."},
      {"no iterations", GuildFixture(), "0", "Iterations must be > 0."},
      {"an empty iteration field", GuildFixture(), "", "Iterations must be > 0."},
      // The five-digit field cannot hold more than 99999; the check guards a field without it.
      {"100,001 iterations", GuildFixture(), "100001", "Iterations must be < 100,000."},
      {"a group of one species", Labelled({{"A", "10"}, {"A", "01"}, {"B", "11"}}), "30",
       "Each group must contain at least 2 samples."},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    SetData(k.data);
    answer.iterations = k.iterations;
    onOptions = [&k] {
      if (k.iterations.size() > 5) SpeciesOverlapOpts->IterationsEdit->SetEditMask("");
    };
    Application->Hooks.Messages.clear();
    Zorvan->SpeciesOverlap1->Click();
    EXPECT_EQ(Application->Hooks.Messages, Lines{k.message});
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_FALSE(Progress->Visible());
  }
}

TEST_F(OverlapRun, TheLargestIterationCountIsAcceptedAndAnAbortLeavesNoResults) {
  SetData(GuildFixture());
  answer.iterations = "100000";
  int calls = 0;
  Application->Hooks.ProcessMessages = [&] {
    if (++calls == 3) Progress->InterruptButton->Click();
  };
  Zorvan->SpeciesOverlap1->Click();
  Application->Hooks.ProcessMessages = nullptr;
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 0);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
  EXPECT_FALSE(Progress->Visible());
  EXPECT_EQ(SpeciesOverlap->Memo1->Lines()->Count(), 0);
}

TEST_F(OverlapRun, OptionsFormRulesAndDefaults) {
  TSpeciesOverlapOpts* o = SpeciesOverlapOpts;
  EXPECT_EQ(o->Caption(), "Zorvan Professional: Species Overlap Options");
  EXPECT_EQ(o->IndexGroup->Caption(), "Species Overlap &Index");
  EXPECT_EQ(o->RandomizationGroup->Caption(), "&Randomization Constraints");
  EXPECT_EQ(o->RandomizationGroup->ItemIndex(), 1);
  EXPECT_EQ(o->IterationsEdit->Hint, "Iterations must be >0 and < 100,000");
  o->IndexList->SetItemIndex(2);
  o->RandomizationGroup->SetItemIndex(3);
  o->RandomSeedEdit->SetText("5");
  o->SaveMatrixCheckBox->SetChecked(true);
  o->IterationsEdit->SetText("12");
  o->ResetDefaults1->Click();
  EXPECT_EQ(o->IndexList->ItemIndex(), 0);
  EXPECT_EQ(o->RandomizationGroup->ItemIndex(), 1);
  EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
  EXPECT_FALSE(o->SaveMatrixCheckBox->Checked());
  EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
  // The index chosen last is shown again next time, also after Cancel.
  onOptions = [o] { o->IndexList->SetItemIndex(2); };
  answer.cancel = true;
  Zorvan->SpeciesOverlap1->Click();
  onOptions = [o] { EXPECT_EQ(o->IndexList->ItemIndex(), 2); };
  Zorvan->SpeciesOverlap1->Click();
  EXPECT_EQ(optionsShown, 2);
  EXPECT_EQ(resultsShown, 0);
}

class OverlapFiles : public OverlapRun {
 protected:
  void SetUp() override {
    OverlapRun::SetUp();
    dir_ = fs::temp_directory_path() / ("zorvan-overlap-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  void TearDown() override {
    OverlapRun::TearDown();
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

TEST_F(OverlapFiles, GroupAveragesAreSavedAsTextAndWorkbook) {
  SetData(GuildFixture());
  std::vector<std::pair<String, String>> asked;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    auto* dialog = static_cast<TOpenDialog*>(d);
    asked.emplace_back(dialog->Title, dialog->FileName);
    dialog->FileName = (dir_ / ("out" + std::to_string(asked.size()) + (asked.size() == 3 ? ".xls" : ".txt"))).string();
    return true;
  };
  Lines exported;
  int fixed = -1;
  onResults = [&] {
    SpeciesOverlap->Comma1->Click();
    SpeciesOverlap->CommaDelimitedtxt1->Click();
    SpeciesOverlap->Excelxls1->Click();
    TRivErodovOzar* g = ExportExcel->ExcelExportGrid;
    fixed = g->FixedCols() * 10 + g->FixedRows();
    for (int r = 0; r < g->RowCount(); ++r) {
      const Lines row = g->RowTexts(r);
      exported.insert(exported.end(), row.begin(), row.end());
    }
  };
  Zorvan->SpeciesOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0], (std::pair<String, String>{"Select a file name.", "groups.txt"}));
  EXPECT_EQ(asked[1], (std::pair<String, String>{"Select a file name.", "groups.txt"}));
  TStringGrid* g = SpeciesOverlap->GuildsRegionsGrid;
  const Lines a = g->RowTexts(1), b = g->RowTexts(2);
  const String join = "\r\n";
  EXPECT_EQ(ReadFileBytes("out1.txt"),
            "Groups Number of Observations Observed Index Mean/Simulated indices Var/Simulated indices\r\n" + a[0] +
                " " + a[1] + " " + a[2] + " " + a[3] + " " + a[4] + join + b[0] + " " + b[1] + " " + b[2] + " " +
                b[3] + " " + b[4] + join);
  EXPECT_EQ(ReadFileBytes("out2.txt"),
            "Groups,Number of Observations,Observed Index,Mean/Simulated indices,Var/Simulated indices\r\n" + a[0] +
                "," + a[1] + "," + a[2] + "," + a[3] + "," + a[4] + join + b[0] + "," + b[1] + "," + b[2] + "," +
                b[3] + "," + b[4] + join);
  EXPECT_EQ(fixed, 11);
  ASSERT_EQ(exported.size(), 15u);
  EXPECT_EQ(exported[0], "Groups");
  EXPECT_EQ(exported[5], "A");
  EXPECT_EQ(exported[7], "0.22222");
}

// "Fixed Species": every "Sim" file keeps each site's species count and the labels.
TEST_F(OverlapFiles, SimulatedGridsKeepTheChosenTotals) {
  const GridRows data = GuildFixture();
  SetData(data);
  answer.saveMatrices = true;
  answer.iterations = "6";
  Zorvan->SpeciesOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_FALSE(FileExists("Sim7.txt"));
  for (int i = 1; i <= 6; ++i) {
    const Lines lines = cooc_test::Split(ReadFileBytes("Sim" + IntToStr(i) + ".txt"), '\n');
    ASSERT_EQ(lines.size(), 8u);
    std::vector<int> siteTotals(4, 0);
    for (int r = 1; r <= 6; ++r) {
      String line = lines[r];
      line.pop_back();  // CR
      const Lines cells = cooc_test::Split(line, ' ');
      ASSERT_EQ(cells.size(), 6u);
      EXPECT_EQ(cells[1], data[r][1]);
      for (int c = 0; c < 4; ++c) siteTotals[c] += StrToInt(cells[2 + c]);
    }
    EXPECT_EQ(siteTotals, (std::vector<int>{3, 4, 4, 1}));
  }
}

}  // namespace
