// The chi-square files: the expected grid saved and opened again (spaces, commas, LF line ends,
// an unfinished last line, a missing file), the "Sim" files of a run, and batch mode over a
// folder with its per-file checks.
#include "analysis/chi_square/ChiSquareRunSupport.h"
#include "classlib/WinApi.h"

using namespace chi_square_test;

namespace {

using ChiSquareFiles = ChiSquareFixture<StandardFilesTest>;

const GridRows kFileData = Table({{"10", "20"}, {"30", "40"}});

TEST_F(ChiSquareFiles, ExpectedGridSavedAndOpenedAgain) {
  SetData(kFileData);
  std::vector<std::pair<String, String>> asked;
  String answerName;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    auto* dialog = static_cast<TOpenDialog*>(d);
    asked.emplace_back(dialog->Title, dialog->FileName);
    dialog->FileName = answerName;
    return !answerName.empty();
  };
  TStringGrid* grid = ChiSquareOpts->ExpectedGrid;
  auto open = [&](const String& name, const String& text) {
    WriteFileAtomically(name, text);
    answerName = (dir_ / name).string();
    ChiSquareOpts->Open1->Click();
  };
  onChiOptions = [&] {
    answerName = (dir_ / "saved.txt").string();
    ChiSquareOpts->SaveAs1->Click();
    EXPECT_EQ(FileLines("saved.txt"), (Lines{"species s1 s2", "a 12.0000000 18.0000000", "b 28.0000000 42.0000000"}));

    // Commas and LF line ends fill the same cells.
    open("commas.txt", "t,x,y\na,1.5,2.5\nb,3.5,4.5\n");
    EXPECT_EQ(grid->RowTexts(0), (Lines{"t", "x", "y"}));
    EXPECT_EQ(grid->RowTexts(2), (Lines{"b", "3.5", "4.5"}));
    // The saved file restores the calculated cells; an unfinished last line leaves its last
    // cell unread; a larger file fills only the grid's cells.
    open("saved2.txt", ReadFileBytes("saved.txt"));
    EXPECT_EQ(grid->RowTexts(1), (Lines{"a", "12.0000000", "18.0000000"}));
    open("short.txt", "u v w\r\nc 7 8\r\nd 9 10");
    EXPECT_EQ(grid->RowTexts(1), (Lines{"c", "7", "8"}));
    EXPECT_EQ(grid->RowTexts(2), (Lines{"d", "9", "42.0000000"}));
    open("wide.txt", "p q r s\r\ne 1 2 3\r\nf 4 5 6\r\ng 7 8 9\r\n");
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->RowTexts(2), (Lines{"f", "4", "5"}));
    // Cancel does nothing; a missing file says so.
    answerName = "";
    ChiSquareOpts->Open1->Click();
    EXPECT_EQ(grid->RowTexts(2), (Lines{"f", "4", "5"}));
    answerName = (dir_ / "none.txt").string();
    ChiSquareOpts->Open1->Click();
    EXPECT_EQ(Application->Hooks.Messages, Lines{"Error opening file."});
    // Opened counts change what is expected, not the totals that are randomised.
    EXPECT_EQ(ChiSquareOpts->IntegerRowTotal, (std::vector<Integer>{30, 70}));
  };
  chi.cancel = true;
  Zorvan->ChiSquare1->Click();
  ASSERT_GE(asked.size(), 2u);
  EXPECT_EQ(asked[0], (std::pair<String, String>{"Select a file name.", "expected.txt"}));
  EXPECT_EQ(asked[1], (std::pair<String, String>{"Select an ASCII file to open.", ""}));
}

// Under a comma decimal separator the saved file keeps "12,0000000" as one cell.
TEST_F(ChiSquareFiles, CommaDecimalsSurviveSaveAndOpen) {
  FormatSettings.DecimalSeparator = ',';
  SetData(Table({{"1", "2"}, {"3", "4"}}));
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    static_cast<TOpenDialog*>(d)->FileName = (dir_ / "e.txt").string();
    return true;
  };
  onChiOptions = [] {
    ChiSquareOpts->SaveAs1->Click();
    ChiSquareOpts->ExpectedGrid->SetCells(1, 1, "");
    ChiSquareOpts->Open1->Click();
    EXPECT_EQ(ChiSquareOpts->ExpectedGrid->RowTexts(1), (Lines{"a", "1,2000000", "1,8000000"}));
  };
  Zorvan->ChiSquare1->Click();
  ResetFormatSettings();
  EXPECT_EQ(resultsShown, 1);
  EXPECT_NEAR(ChiSquareShell->Observed_F, 0.04 / 1.2 + 0.04 / 1.8 + 0.04 / 2.8 + 0.04 / 4.2, 1e-12);
}

// An opened expected count that is no number, or no count at all, is refused by name before
// the run starts, as a count of 0 is; nothing reaches the error box.
TEST_F(ChiSquareFiles, AnOpenedExpectedCellThatIsNoNumberIsRefusedByName) {
  SetData(kFileData);
  String opened;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    static_cast<TOpenDialog*>(d)->FileName = (dir_ / opened).string();
    return true;
  };
  struct Case {
    const char* name;
    const char* text;
  };
  for (const Case& k : {Case{"x.txt", "e c1\r\nr1 x\r\n"}, Case{"empty.txt", "e c1\r\nr1 \r\n"},
                        Case{"comma.txt", "e,c1\r\nr1,\r\n"}}) {
    SCOPED_TRACE(k.name);
    WriteFileAtomically(k.name, k.text);
    opened = k.name;
    onChiOptions = [] { ChiSquareOpts->Open1->Click(); };
    Application->Hooks.Messages.clear();
    SendMessage(Zorvan->Handle(), WM_COMMAND, Zorvan->ChiSquare1->Command(), 0);
    EXPECT_EQ(Application->Hooks.Messages, (Lines{"Not a real number @ Row 1 Col 1", "Expected Grid 0 error: "}));
    EXPECT_TRUE(Application->Hooks.Errors.empty());
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_FALSE(Progress->Visible());
  }
  // The counts made again from the data run as usual.
  onChiOptions = [] { ChiSquareOpts->Calculateexpectedmatrix2->Click(); };
  Application->Hooks.Messages.clear();
  Zorvan->ChiSquare1->Click();
  EXPECT_EQ(resultsShown, 1);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
}

TEST_F(ChiSquareFiles, EveryRandomTableGoesToASimFile) {
  SetData(kFileData);
  chi.saveMatrices = true;
  chi.randomization = 1;
  Zorvan->ChiSquare1->Click();
  ASSERT_EQ(resultsShown, 1);
  const auto tables = WalkTables({{10, 20}, {30, 40}}, 1, 7, 3);
  for (int i = 1; i <= 3; ++i) {
    const auto& t = tables[static_cast<size_t>(i - 1)];
    EXPECT_EQ(FileLines("Sim" + std::to_string(i) + ".txt"),
              (Lines{"species s1 s2", "a " + std::to_string(t[0][0]) + " " + std::to_string(t[0][1]),
                     "b " + std::to_string(t[1][0]) + " " + std::to_string(t[1][1])}))
        << i;
  }
  EXPECT_FALSE(FileExists("Sim4.txt"));
}

TEST_F(ChiSquareFiles, BatchRunsEveryFileAndStopsAtOneWithoutPositiveCounts) {
  WriteDataFile("a.txt", kFileData);
  WriteDataFile("b.txt", Table({{"5", "8", "1"}, {"2", "6", "3"}}));
  WriteDataFile("c.txt", Table({{"5", "0"}, {"2", "6"}}));
  WriteDataFile("d.txt", kFileData);
  Zorvan->Batch1->Click();
  Zorvan->Memo1->Lines()->SetText("a.txt\r\nb.txt\r\nc.txt\r\nd.txt\r\n");
  Zorvan->ChiSquare1->Click();
  EXPECT_EQ(resultsShown, 0);
  EXPECT_EQ(Application->Hooks.Messages,
            (Lines{"Non-positive integer @ Row 1 Col 2", "File 0 error: " + (dir_ / "c.txt").string()}));
  EXPECT_FALSE(Zorvan->Flag);
  const Lines batch = FileLines("BatchSummary.txt");
  ASSERT_EQ(batch.size(), 3u);
  EXPECT_EQ(batch[0], "FileName Standard-Effect LowerTailP UpperTailP");
  for (const char* name : {"a.txt", "b.txt"}) {
    const Lines summary = FileLines(String("Summary") + name);
    EXPECT_EQ(summary[0], "Input file = " + (dir_ / name).string());
    EXPECT_EQ(summary.size(), 48u);
  }
  EXPECT_EQ(FileLines("Summaryb.txt")[7], "Observed index = 2.24374");
  // The expected counts were made again for each file.
  EXPECT_EQ(FileLines("Summaryb.txt").back(), "b 3.0800000 6.1600000 1.7600000 ");
  EXPECT_FALSE(FileExists("Summaryd.txt"));
}

TEST_F(ChiSquareFiles, SummaryIsSavedAsShown) {
  SetData(kFileData);
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    static_cast<TOpenDialog*>(d)->FileName = (dir_ / "out.txt").string();
    return true;
  };
  onResults = [] {
    ChiSquareShell->Memo1->Lines()->Add("my note");
    ChiSquareShell->SuMmary1->Click();
  };
  Zorvan->ChiSquare1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(FileLines("out.txt"), MemoLines(ChiSquareShell->Memo1));
  EXPECT_EQ(FileLines("out.txt").back(), "my note");
}

}  // namespace
