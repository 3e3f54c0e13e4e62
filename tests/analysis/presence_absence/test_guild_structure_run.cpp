// The guild-structure analysis run through the program: the options form, the summary text
// line by line against a reference run, the results pages, every refusal with its message,
// the abort, grouping by region, the simulated grids and the batch over a folder.
#include <unistd.h>

#include <filesystem>

#include "analysis/presence_absence/GroupRunSupport.h"
#include "app/ProgressSims.h"

using namespace group_test;
using cooc_test::SetData;

namespace {

namespace fs = std::filesystem;
using GuildRun = GroupRunTest;

// The whole summary of a run by guild with favored states, against the reference run.
TEST_F(GuildRun, SummaryTextLineByLine) {
  SetData(GuildFixture());
  answer.favored = true;
  Zorvan->GuildStructure1->Click();
  ASSERT_EQ(resultsShown, 1);
  ASSERT_FALSE(Zorvan->InterruptFlag);
  const Series ref = Reference(GuildFixture(), false, PairIndexKind::CScore, 3, true, 7, 30);
  ASSERT_EQ(ref.observedMean, 1.0);
  ASSERT_EQ(ref.observedVariance, 2.0);
  ASSERT_EQ(ref.observedFavored, 2.0);

  Lines expected{"Input file = " + Zorvan->FileName,
                 "Rows = 6; Columns = 5",
                 "Iterations = 30",
                 "Random seed = 7",
                 "Grouping by guild (rows).",
                 "Guild number = 2",
                 "Index = C-score",
                 "Favored States Analysis = True",
                 String(46, '_'),
                 ""};
  for (const Lines& block : {Block("INDEX", ref.observedMean, ref.means, true),
                             Block("VARIANCE", ref.observedVariance, ref.variances, true),
                             Block("FAVORED STATES", ref.observedFavored, ref.favored, true)})
    expected.insert(expected.end(), block.begin(), block.end());
  double m0 = 0, v0 = 0, m1 = 0, v1 = 0;
  CalculateMeanVariance(30, ref.groups[0], m0, v0);
  CalculateMeanVariance(30, ref.groups[1], m1, v1);
  for (const String& line :
       Lines{"GUILDS / REGIONS:", "",
        "Guild Number of Observations Observed Index Mean/Simulated indices Var/Simulated indices ",
        "A 3 2.00000 " + StatText(m0) + " " + StatText(v0) + " ", "B 3 0.00000 " + StatText(m1) + " " + StatText(v1) + " ",
        String(46, '_'), "", "INPUT MATRIX:", ""})
    expected.push_back(line);
  for (const auto& row : GuildFixture()) {
    String line;
    for (const String& cell : row) line += cell + " ";
    expected.push_back(line);
  }
  expected.push_back("");
  ExpectLines(Summary(GuildStructure), expected);

  // The pages show the same run.
  EXPECT_TRUE(GuildStructure->FavoredStatesSheet->TabVisible());
  EXPECT_EQ(MemoLines(GuildStructure->MeanMemo)[0], "Observed index = 1.00000");
  EXPECT_EQ(MemoLines(GuildStructure->VarianceMemo)[0], "Observed index = 2.00000");
  EXPECT_EQ(MemoLines(GuildStructure->FavoredStatesMemo)[0], "Observed index = 2.00000");
  EXPECT_EQ(MemoLines(GuildStructure->MeanMemo)[6], expected[10 + 5]);
  EXPECT_EQ(GuildStructure->GuildsRegionsGrid->RowTexts(1)[2], "2.00000");
  EXPECT_EQ(GuildStructure->InputGrid->RowTexts(4), GuildFixture()[4]);
  EXPECT_EQ(GuildStructure->PageControl1->ActivePage(), GuildStructure->InputSheet);
  // The last shuffled labels stand in the simulation grid; the cells stay.
  for (int r = 1; r <= 6; ++r) {
    EXPECT_EQ(GuildStructure->SimulationGrid->Cells(1, r), ref.last.labels[r - 1]) << r;
    for (int c = 2; c <= 5; ++c) EXPECT_EQ(GuildStructure->SimulationGrid->Cells(c, r), GuildFixture()[r][c]);
  }
  EXPECT_EQ(GuildStructure->TimeMemo->Lines()->Strings(0).rfind("Stop time = ", 0), 0u);
  EXPECT_EQ(GuildStructure->TimeMemo->Lines()->Strings(1).rfind("Start time = ", 0), 0u);
  // The batch row: effect size and tail probabilities of the group means.
  EXPECT_EQ(Zorvan->BatchGrid->RowTexts(1)[1], expected[10 + 10].substr(27));
  EXPECT_EQ(Zorvan->BatchGrid->RowTexts(1)[2], expected[10 + 4].substr(26));
}

// Each index item names itself in the summary, and each index is the one of the reference.
TEST_F(GuildRun, EveryIndexOfTheList) {
  const GridRows data = Labelled({{"A", "11001"}, {"A", "00110"}, {"A", "10100"}, {"B", "11100"},
                                  {"B", "01101"}, {"B", "01000"}, {"B", "10011"}});
  SetData(data);
  const char* names[] = {"Index = C-score", "Index = Number of pairs of checkerboard species",
                         "Index = Number of combinations", "Index = Variance ratio"};
  for (int index = 0; index < 4; ++index) {
    SCOPED_TRACE(names[index]);
    answer.index = index;
    answer.iterations = "20";
    Zorvan->GuildStructure1->Click();
    ASSERT_FALSE(Zorvan->InterruptFlag);
    const Lines s = Summary(GuildStructure);
    EXPECT_EQ(s[6], names[index]);
    EXPECT_EQ(s[7], "Favored States Analysis = False");
    const Series ref = Reference(data, false, static_cast<PairIndexKind>(index), 3, false, 7, 20);
    const Lines block = Block("INDEX", ref.observedMean, ref.means, true);
    EXPECT_EQ(cooc_test::Slice(s, 10, block.size()), block);
    const Lines variance = Block("VARIANCE", ref.observedVariance, ref.variances, true);
    EXPECT_EQ(cooc_test::Slice(s, 10 + block.size(), variance.size()), variance);
  }
  EXPECT_EQ(GuildStructureOpts->CurrentIndex, 3);
}

// Grouping by region: the favored-states box is disabled (its tick stays), its page hidden,
// its block the all-zero series, and the group table's header "Region".
TEST_F(GuildRun, GroupingByRegionHasNoFavoredStates) {
  const GridRows data = {{"species", "r1", "r2", "r3", "r4"},
                         {"region", "X", "X", "Y", "Y"},
                         {"a", "1", "1", "0", "0"},
                         {"b", "0", "0", "1", "1"},
                         {"c", "1", "0", "1", "0"},
                         {"d", "1", "1", "1", "0"}};
  SetData(data);
  GuildStructureOpts->FavoredStatesCheckBox->SetChecked(true);
  onOptions = [] {
    GuildStructureOpts->Grouping->SetItemIndex(1);
    EXPECT_FALSE(GuildStructureOpts->FavoredStatesCheckBox->Enabled());
    EXPECT_TRUE(GuildStructureOpts->FavoredStatesCheckBox->Checked());
  };
  answer.grouping = 1;
  answer.favored = true;
  Zorvan->GuildStructure1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_FALSE(GuildStructure->FavoredStatesSheet->TabVisible());
  const Lines s = Summary(GuildStructure);
  EXPECT_EQ(s[4], "Grouping by region (columns).");
  EXPECT_EQ(s[5], "Region number = 2");
  EXPECT_EQ(s[7], "Favored States Analysis = True");
  const Series ref = Reference(data, true, PairIndexKind::CScore, 3, false, 7, 30);
  EXPECT_EQ(cooc_test::Slice(s, 10, 30), Block("INDEX", ref.observedMean, ref.means, true));
  const Lines zero = Block("FAVORED STATES", 0, std::vector<double>(30, 0.0), false);
  EXPECT_EQ(cooc_test::Slice(s, 70, 30), zero);
  EXPECT_EQ(s[71], "Observed index = 0.00000");
  EXPECT_EQ(s[74], "p(observed <= expected) = 1.00000");
  EXPECT_EQ(s[78], "Number of times observed index = simulated indices = 30");
  EXPECT_EQ(GuildStructure->GuildsRegionsGrid->Cells(0, 0), "Region");
  EXPECT_EQ(GuildStructure->GuildsRegionsGrid->RowTexts(2)[1], "2");
  // Back to guilds: the box is enabled again.
  GuildStructureOpts->Grouping->SetItemIndex(0);
  EXPECT_TRUE(GuildStructureOpts->FavoredStatesCheckBox->Enabled());
}

// Labels are compared exactly: "a" and "A" are two guilds, the sizes add up to the species.
TEST_F(GuildRun, LabelsDifferingInCaseAreTwoGuilds) {
  SetData(Labelled({{"A", "1100"}, {"a", "0011"}, {"A", "1010"}, {"a", "1110"}, {"A", "0111"}}));
  answer.favored = true;
  Zorvan->GuildStructure1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(GuildStructure->GuildsRegionsGrid->RowTexts(1)[0], "A");
  EXPECT_EQ(GuildStructure->GuildsRegionsGrid->RowTexts(1)[1], "3");
  EXPECT_EQ(GuildStructure->GuildsRegionsGrid->RowTexts(2)[0], "a");
  EXPECT_EQ(GuildStructure->GuildsRegionsGrid->RowTexts(2)[1], "2");
}

struct GuildStopCase {
  const char* name;
  GridRows data;
  std::function<void(Answer&)> setUp;
  String message;
};

GridRows Filled(int rows, int cols) {
  GridRows g(static_cast<size_t>(rows), std::vector<String>(static_cast<size_t>(cols), "1"));
  for (int r = 1; r < rows; ++r) g[static_cast<size_t>(r)][1] = r % 2 ? "A" : "B";
  for (int c = 1; c < cols && rows > 1; ++c) g[1][static_cast<size_t>(c)] = c % 2 ? "X" : "Y";
  return g;
}

GridRows OneSiteRegion() {
  GridRows g = Filled(6, 6);
  g[1] = {"species", "X", "X", "Y", "Y", "Z"};
  return g;
}

TEST_F(GuildRun, EveryRefusalShowsItsMessageAndSetsTheInterruptFlag) {
  const GuildStopCase cases[] = {
      {"3 cells", Filled(1, 3), [](Answer&) {}, "4 < Cell limit < 241101, e.g. 301x801."},
      {"241,102 cells", Filled(2, 120551), [](Answer&) {}, "4 < Cell limit < 241101, e.g. 301x801."},
      {"three species by guild", Filled(4, 5), [](Answer&) {}, "At least 4 rows of data required for guild grouping."},
      {"three sites by region", Filled(6, 4), [](Answer& a) { a.grouping = 1; },
       "At least 4 columns required for region grouping."},
      {"no iterations", GuildFixture(), [](Answer& a) { a.iterations = "0"; }, "Iterations must be > 0."},
      {"iterations not a number", GuildFixture(), [](Answer& a) { a.iterations = "many"; }, "Iterations must be > 0."},
      {"50,001 iterations", GuildFixture(), [](Answer& a) { a.iterations = "50001"; }, "Iterations must be < 50000."},
      {"a guild of one species", Labelled({{"A", "10"}, {"A", "01"}, {"B", "11"}, {"C", "10"}, {"C", "01"}}),
       [](Answer&) {}, "Each guild must contain at least 2 species."},
      {"a region of one site", OneSiteRegion(), [](Answer& a) { a.grouping = 1; },
       "Each region must contain at least 2 sites."},
      {"a guild without presence", Labelled({{"A", "10"}, {"A", "01"}, {"B", "00"}, {"B", "0x"}}), [](Answer&) {},
       "Row and Column Totals = 0."},
  };
  for (const GuildStopCase& k : cases) {
    SCOPED_TRACE(k.name);
    SetData(k.data);
    answer = Answer{};
    k.setUp(answer);
    Application->Hooks.Messages.clear();
    Zorvan->GuildStructure1->Click();
    EXPECT_EQ(Application->Hooks.Messages, Lines{k.message});
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_FALSE(Progress->Visible());
  }
}

// 50,000 iterations pass the check (the run is stopped at its first message step).
TEST_F(GuildRun, TheLargestIterationCountIsAccepted) {
  SetData(GuildFixture());
  answer.iterations = "50000";
  int calls = 0;
  Application->Hooks.ProcessMessages = [&] {
    if (++calls == 1) Progress->InterruptButton->Click();
  };
  Zorvan->GuildStructure1->Click();
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 0);
  Application->Hooks.ProcessMessages = nullptr;
}

// Shuffled labels that leave a guild without presence give it index 0 in that iteration; the
// run goes on. Here guild B holds two empty species of four, so some shuffles empty it.
TEST_F(GuildRun, AnIterationWithAnEmptyGuildCountsZero) {
  const GridRows data = Labelled({{"A", "1100"}, {"A", "0000"}, {"B", "0011"}, {"B", "0000"}});
  SetData(data);
  answer.iterations = "200";
  answer.index = 1;  // checkerboard pairs: an empty guild would otherwise have none either
  Zorvan->GuildStructure1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  const Series ref = Reference(data, false, PairIndexKind::Checkerboards, 3, false, 7, 200);
  EXPECT_EQ(cooc_test::Slice(Summary(GuildStructure), 10, 30), Block("INDEX", ref.observedMean, ref.means, true));
}

// An abort leaves the results of the run before it and adds no batch row.
TEST_F(GuildRun, AbortLeavesThePreviousResults) {
  SetData(GuildFixture());
  Zorvan->GuildStructure1->Click();
  ASSERT_EQ(resultsShown, 1);
  const Lines summary = Summary(GuildStructure);
  const Lines groups = GuildStructure->GuildsRegionsGrid->RowTexts(1);
  const Lines simulated = GuildStructure->SimulationGrid->RowTexts(1);
  SetData(Labelled({{"P", "1100"}, {"P", "0110"}, {"Q", "0011"}, {"Q", "1001"}, {"Q", "1111"}}));
  answer.iterations = "100";
  for (int at : {1, 40}) {
    SCOPED_TRACE(at);
    int calls = 0;
    Application->Hooks.ProcessMessages = [&] {
      if (++calls == at) Progress->InterruptButton->Click();
    };
    Zorvan->GuildStructure1->Click();
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_EQ(resultsShown, 1);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_EQ(Summary(GuildStructure), summary);
    EXPECT_EQ(GuildStructure->GuildsRegionsGrid->RowTexts(1), groups);
    EXPECT_EQ(GuildStructure->SimulationGrid->RowTexts(1), simulated);
  }
  Application->Hooks.ProcessMessages = nullptr;
}

TEST_F(GuildRun, OptionsFormRulesAndDefaults) {
  TGuildStructureOpts* o = GuildStructureOpts;
  EXPECT_EQ(o->Caption(), "Zorvan Professional: Guild Structure Options");
  EXPECT_EQ(o->IndexGroup->Caption(), "Co-occurrence &Index");
  EXPECT_EQ(o->IndexList->Items()->Strings(1), "Number of checkerboards ");
  EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
  EXPECT_EQ(o->IterationsEdit->Hint, "Iterations must be >0 and < 1,000,000");
  // Cancel: no run; the form showed the data file's name.
  answer.cancel = true;
  Zorvan->GuildStructure1->Click();
  EXPECT_EQ(optionsShown, 1);
  EXPECT_EQ(resultsShown, 0);
  EXPECT_FALSE(Zorvan->RunSim);
  EXPECT_EQ(o->FileEdit->Text(), Zorvan->FileName);
  // Reset Defaults brings back every design value.
  o->RandomSeedEdit->SetText("9");
  o->SaveMatrixCheckBox->SetChecked(true);
  o->IterationsEdit->SetText("77");
  o->IndexList->SetItemIndex(2);
  o->Grouping->SetItemIndex(1);
  o->FavoredStatesCheckBox->SetChecked(true);
  o->ResetDefaults1->Click();
  EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
  EXPECT_FALSE(o->SaveMatrixCheckBox->Checked());
  EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
  EXPECT_EQ(o->IndexList->ItemIndex(), 0);
  EXPECT_EQ(o->Grouping->ItemIndex(), 0);
  EXPECT_TRUE(o->FavoredStatesCheckBox->Enabled());
  EXPECT_FALSE(o->FavoredStatesCheckBox->Checked());
}

class GuildFiles : public GuildRun {
 protected:
  void SetUp() override {
    GuildRun::SetUp();
    dir_ = fs::temp_directory_path() / ("zorvan-guild-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  void TearDown() override {
    GuildRun::TearDown();
    fs::remove_all(dir_);
  }
  static Lines FileLines(const String& name) {
    Lines lines = cooc_test::Split(ReadFileBytes(name), '\n');
    EXPECT_EQ(lines.back(), "");
    lines.pop_back();
    for (String& l : lines) {
      EXPECT_TRUE(!l.empty() && l.back() == '\r') << name << ": CR LF after every line";
      if (!l.empty() && l.back() == '\r') l.pop_back();
    }
    return lines;
  }
  fs::path dir_;
};

// Every iteration's grid, titles and shuffled labels included, goes to "Sim" + i + ".txt".
TEST_F(GuildFiles, SimulatedGridsCarryTheShuffledLabels) {
  GridRows data = GuildFixture();
  data[2][3] = "2";  // moves with nothing: labels alone are shuffled
  SetData(data);
  answer.saveMatrices = true;
  answer.iterations = "5";
  Zorvan->GuildStructure1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_FALSE(FileExists("Sim6.txt"));
  Table t = ReadTable(data, false);
  RandSeed = 7;
  for (int i = 1; i <= 5; ++i) {
    ShuffleLabels(t);
    const Lines file = FileLines("Sim" + IntToStr(i) + ".txt");
    ASSERT_EQ(file.size(), 7u);
    EXPECT_EQ(file[0], "species guild s1 s2 s3 s4");
    for (int r = 1; r <= 6; ++r) {
      String expected = data[r][0] + " " + t.labels[r - 1];
      for (int c = 2; c <= 5; ++c) expected += " " + data[r][c];
      EXPECT_EQ(file[r], expected) << "Sim" << i;
    }
  }
}

TEST_F(GuildFiles, SummaryIsSavedAsShown) {
  SetData(GuildFixture());
  std::vector<std::pair<String, String>> asked;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    auto* dialog = static_cast<TOpenDialog*>(d);
    asked.emplace_back(dialog->Title, dialog->FileName);
    dialog->FileName = (dir_ / "out.txt").string();
    return true;
  };
  onResults = [] {
    GuildStructure->Memo1->Lines()->Add("my note");
    GuildStructure->SuMmary1->Click();
  };
  Zorvan->GuildStructure1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(asked, (std::vector<std::pair<String, String>>{{"Select a file name.", "summary.txt"}}));
  const Lines saved = FileLines("out.txt");
  EXPECT_EQ(saved, Summary(GuildStructure));
  EXPECT_EQ(saved.back(), "my note");
}

void WriteGuildBatchFile(const String& name, const GridRows& rows) {
  String text;
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) text += (c ? " " : "") + row[c];
    text += "\r\n";
  }
  WriteFileAtomically(name, text);
}

// Batch mode over a folder runs guild structure and species overlap on every listed file.
TEST_F(GuildFiles, BatchRunsBothAnalysesOverEveryFile) {
  WriteGuildBatchFile("a.txt", GuildFixture());
  WriteGuildBatchFile("b.txt", Labelled({{"P", "11001"}, {"P", "00110"}, {"Q", "10100"}, {"Q", "01011"}, {"Q", "11100"}}));
  Zorvan->Batch1->Click();
  Zorvan->Memo1->Lines()->SetText("a.txt\r\nb.txt\r\n");
  struct Case {
    TMenuItem* item;
    const char* indexLine;
  };
  for (const Case& k : {Case{Zorvan->GuildStructure1, "Index = C-score"},
                        Case{Zorvan->SpeciesOverlap1, "Index = Relative Overlap"}}) {
    SCOPED_TRACE(k.indexLine);
    k.item->Click();
    EXPECT_EQ(resultsShown, 0);
    EXPECT_FALSE(Zorvan->InterruptFlag);
    EXPECT_TRUE(Application->Hooks.Messages.empty());
    const Lines batch = FileLines("BatchSummary.txt");
    ASSERT_EQ(batch.size(), 3u);
    EXPECT_EQ(batch[0], "FileName Standard-Effect LowerTailP UpperTailP");
    int row = 1;
    for (const char* name : {"a.txt", "b.txt"}) {
      const Lines summary = FileLines(String("Summary") + name);
      const Lines grid = Zorvan->BatchGrid->RowTexts(row++);
      EXPECT_EQ(grid[0], name);
      EXPECT_EQ(summary[0], "Input file = " + (dir_ / name).string());
      EXPECT_EQ(summary[6], k.indexLine);
      EXPECT_EQ(summary[10 + 10], kSesLabel + grid[1]);
      EXPECT_EQ(summary[10 + 4], kLowerTailLabel + grid[2]);
      EXPECT_EQ(summary[10 + 5], kUpperTailLabel + grid[3]);
    }
    EXPECT_TRUE(Progress->Visible());
  }
}

}  // namespace
