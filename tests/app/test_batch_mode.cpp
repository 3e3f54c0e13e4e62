// Batch mode: the switch, the file list and the folder picker, the strict batch reader and
// the loop that runs an analysis over every file of the list.
#include <sys/stat.h>

#include "app/ChangeDirectoryDialog.h"
#include "app/RunFrameTestSupport.h"

namespace {

using BatchMode = RunFrameTest;

const char* const kGood = "species s1 s2\r\na 1 0\r\nb 0 1\r\n";

std::vector<String> MemoLines(TMemo* memo) {
  std::vector<String> lines;
  for (int i = 0; i < memo->Lines()->Count(); ++i) lines.push_back(memo->Lines()->Strings(i));
  return lines;
}

TEST_F(BatchMode, RunsEveryListedFileUntilOneFailsItsCheck) {
  EnterScratchFolder();
  WriteFile(folder_ / "a.txt", kGood);
  WriteFile(folder_ / "B.TXT", "t x y z\nr 1 1 0\nq 0 1 1\n");
  WriteFile(folder_ / "c.txt", kGood);
  WriteFile(folder_ / "d.txt", "one line without a break");
  WriteFile(folder_ / "e.txt", kGood);
  WriteFile(folder_ / "notes.dat", kGood);
  Zorvan->Batch1->Click();
  ASSERT_EQ(MemoLines(Zorvan->Memo1), (std::vector<String>{"a.txt", "B.TXT", "c.txt", "d.txt", "e.txt"}));

  Launch();
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Row and Column counts incorrect."}));
  EXPECT_FALSE(Zorvan->Flag);
  EXPECT_EQ(Zorvan->BatchFileCount, 4);
  EXPECT_EQ(resultsShown_, 0);
  // The last good file's run left the progress window open.
  EXPECT_TRUE(Progress->Visible());

  TStringGrid* b = Zorvan->BatchGrid;
  ASSERT_EQ(b->RowCount(), 4);
  EXPECT_EQ(b->Cells(0, 1), "a.txt");
  EXPECT_EQ(b->Cells(0, 2), "B.TXT");
  EXPECT_EQ(b->Cells(0, 3), "c.txt");
  EXPECT_EQ(ReadFile(folder_ / "BatchSummary.txt"),
            "FileName Standard-Effect LowerTailP UpperTailP\r\n"
            "a.txt 1.50000 0.25000 0.75000\r\n"
            "B.TXT 1.50000 0.25000 0.75000\r\n"
            "c.txt 1.50000 0.25000 0.75000\r\n");
  EXPECT_EQ(ReadFile(folder_ / "SummaryB.TXT"), "Toy summary\r\nRandom seed = 17\r\nValues = 5\r\n");
  EXPECT_TRUE(std::filesystem::exists(folder_ / "Summarya.txt"));
  EXPECT_TRUE(std::filesystem::exists(folder_ / "Summaryc.txt"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Summaryd.txt"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Summarye.txt"));

  // Launching again starts over from the first line and empties the batch grid.
  Application->Hooks.Messages.clear();
  Launch();
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 4);
  EXPECT_EQ(Zorvan->BatchFileCount, 4);
}

TEST_F(BatchMode, TheListEndsAtAnEmptyLineAMissingFileOrAFailedFileCheck) {
  EnterScratchFolder();
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteFile(folder_ / name, kGood);
  // 101 data columns: more than species diversity takes.
  std::string wide = "t";
  for (int c = 1; c <= 101; ++c) wide += " s" + std::to_string(c);
  wide += "\r\na";
  for (int c = 1; c <= 101; ++c) wide += " 1";
  WriteFile(folder_ / "wide.txt", wide + "\r\n");
  Zorvan->Batch1->Click();
  const String missing = (folder_ / "missing.txt").string();

  struct Case {
    const char* list;
    std::vector<String> analysed;
    std::vector<String> messages;
    bool checksDiversity;  // the launcher applies species diversity's per-file check
  };
  const Case cases[] = {
      {"a.txt\r\nb.txt\r\n\r\nc.txt\r\n", {"a.txt", "b.txt"}, {}, false},
      {"a.txt\r\nmissing.txt\r\nc.txt\r\n", {"a.txt"}, {missing + ": Error opening file."}, false},
      {"a.txt\r\nwide.txt\r\nc.txt\r\n",
       {"a.txt"},
       {"Species Diversity Column Count Maximum = 100", "File error: " + (folder_ / "wide.txt").string()},
       true},
      {"", {}, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    Application->Hooks.Messages.clear();
    Zorvan->Memo1->Lines()->SetText(c.list);
    Launch(c.checksDiversity);
    std::vector<String> analysed;
    for (int r = 1; r < Zorvan->BatchGrid->RowCount(); ++r) analysed.push_back(Zorvan->BatchGrid->Cells(0, r));
    EXPECT_EQ(analysed, c.analysed);
    EXPECT_EQ(Application->Hooks.Messages, c.messages);
    EXPECT_FALSE(Zorvan->Flag);
  }
}

TEST_F(BatchMode, ReaderTakesAnyLineEndAndRefusesWhatIsNoMatrix) {
  EnterScratchFolder();
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::vector<String>> grid;  // rows of cells; empty when refused
  };
  const std::vector<std::vector<String>> matrix = {{"species", "s1", "s2"}, {"a", "1", "0"}, {"b", "0", "1"}};
  const Case cases[] = {
      {"CR LF", kGood, matrix},
      {"LF only", "species s1 s2\na 1 0\nb 0 1\n", matrix},
      {"lone CR", "species s1 s2\ra 1 0\rb 0 1\r", matrix},
      {"commas", "species,s1,s2\r\na,1,0\r\nb,0,1\r\n", matrix},
      {"no final break", "species s1 s2\r\na 1 0\r\nb 0 1", {{"species", "s1", "s2"}, {"a", "1", "0"}}},
      // Short lines leave their cells empty, long ones lose what lies beyond the first line's
      // width, and two separators in a row make an empty cell.
      {"ragged", "t a b\r\nx 1\r\ny 1 2 3\r\nz,,5\r\n",
       {{"t", "a", "b"}, {"x", "1", ""}, {"y", "1", "2"}, {"z", "", "5"}}},
      {"single line without break", "species s1 s2", {}},
      {"single line with break", "species s1 s2\r\n", {}},
      {"one column", "species\r\na\r\nb\r\n", {}},
      {"empty file", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Application->Hooks.Messages.clear();
    WriteFile(folder_ / "m.txt", c.bytes);
    Zorvan->FileName = (folder_ / "m.txt").string();
    Zorvan->SetCaption("before");
    Zorvan->OpenBatchFile();
    TRivErodovOzar* g = Zorvan->MainGrid;
    if (c.grid.empty()) {
      EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Row and Column counts incorrect."}));
      EXPECT_FALSE(Zorvan->Flag);
      EXPECT_EQ(Zorvan->Caption(), "before");
      continue;
    }
    EXPECT_TRUE(Application->Hooks.Messages.empty());
    EXPECT_TRUE(Zorvan->Flag);
    ASSERT_EQ(g->RowCount(), static_cast<int>(c.grid.size()));
    ASSERT_EQ(g->ColCount(), static_cast<int>(c.grid[0].size()));
    for (int r = 0; r < g->RowCount(); ++r)
      for (int col = 0; col < g->ColCount(); ++col)
        EXPECT_EQ(g->Cells(col, r), c.grid[static_cast<size_t>(r)][static_cast<size_t>(col)]) << col << "," << r;
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->FixedCols(), 1);
    EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + Zorvan->FileName);
  }
}

// A remembered column beyond a narrower file must not find the previous file's cells there.
TEST_F(BatchMode, ReaderLeavesNothingOfTheWiderFileBefore) {
  EnterScratchFolder();
  WriteFile(folder_ / "wide.txt", "t a b c\r\nx 7 8 9\r\ny 6 5 4\r\n");
  WriteFile(folder_ / "narrow.txt", "t a\r\nx 1\r\ny 2\r\n");
  Zorvan->FileName = (folder_ / "wide.txt").string();
  Zorvan->OpenBatchFile();
  Zorvan->FileName = (folder_ / "narrow.txt").string();
  Zorvan->OpenBatchFile();
  TRivErodovOzar* g = Zorvan->MainGrid;
  EXPECT_EQ(g->ColCount(), 2);
  for (int r = 0; r < 3; ++r)
    for (int c = 2; c < 4; ++c) EXPECT_EQ(g->Cells(c, r), "") << c << "," << r;
}

// A generated matrix file: Rows lines of Cols fields, CR LF after each.
std::string BatchMatrixText(int Rows, int Cols) {
  std::string text;
  for (int r = 0; r < Rows; ++r) {
    for (int c = 0; c < Cols; ++c) text += c > 0 ? " 1" : "t";
    text += "\r\n";
  }
  return text;
}

TEST_F(BatchMode, ReaderRefusesMoreDataCellsThanAnAnalysisTakesAndWhatIsNoFile) {
  EnterScratchFolder();
  ASSERT_EQ(::mkfifo((folder_ / "pipe.txt").c_str(), 0600), 0);
  WriteFile(folder_ / "wide.txt", BatchMatrixText(442, 1001));  // 441 x 1000 data cells
  WriteFile(folder_ / "long.txt", BatchMatrixText(2, 440002));  // 1 x 440001
  WriteFile(folder_ / "fits.txt", BatchMatrixText(441, 1001));  // 440 x 1000
  for (const String& name : {(folder_ / "pipe.txt").string(), String("/dev/null"), (folder_ / "wide.txt").string(),
                             (folder_ / "long.txt").string()}) {
    SCOPED_TRACE(name);
    Application->Hooks.Messages.clear();
    Zorvan->Flag = true;
    Zorvan->FileName = name;
    Zorvan->OpenBatchFile();
    EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{name + ": Error opening file."}));
    EXPECT_FALSE(Zorvan->Flag);
  }
  Application->Hooks.Messages.clear();
  Zorvan->FileName = (folder_ / "fits.txt").string();
  Zorvan->OpenBatchFile();
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_TRUE(Zorvan->Flag);
  EXPECT_EQ(Zorvan->MainGrid->RowCount(), 441);
  EXPECT_EQ(Zorvan->MainGrid->ColCount(), 1001);

  // A smaller file afterwards shows none of the larger one.
  WriteFile(folder_ / "small.txt", "t a b\r\nx 1\r\n");
  Zorvan->FileName = (folder_ / "small.txt").string();
  Zorvan->OpenBatchFile();
  EXPECT_EQ(Zorvan->MainGrid->RowCount(), 2);
  EXPECT_EQ(Zorvan->MainGrid->ColCount(), 3);
  EXPECT_EQ(Zorvan->MainGrid->Cells(2, 1), "");
}

TEST_F(BatchMode, TheListLeavesOutTheFilesRunsWriteIntoTheFolder) {
  EnterScratchFolder();
  for (const char* name : {"a.txt", "BatchSummary.txt", "Summarya.txt", "Sim1.txt", "Sim12_3.txt", "Sim.txt",
                           "Sim1x.txt", "SummaryNotes.txt", "batchsummary.txt", "SummarySummarya.txt"})
    WriteFile(folder_ / name, kGood);
  Zorvan->Batch1->Click();
  // "Summary" + a listed data file's name is its run's summary; "SummarySummarya.txt" names a
  // summary of a summary, which is left out too.
  EXPECT_EQ(MemoLines(Zorvan->Memo1),
            (std::vector<String>{"a.txt", "batchsummary.txt", "Sim.txt", "Sim1x.txt", "SummaryNotes.txt"}));

  // A batch run in the folder and a second launch analyse the same files, not the results.
  Launch();
  EXPECT_TRUE(std::filesystem::exists(folder_ / "Summarya.txt"));
  Zorvan->Batch1->Click();
  Zorvan->Batch1->Click();
  EXPECT_EQ(MemoLines(Zorvan->Memo1),
            (std::vector<String>{"a.txt", "batchsummary.txt", "Sim.txt", "Sim1x.txt", "SummaryNotes.txt"}));
}

TEST_F(BatchMode, SwitchingOnShowsTheListAndOffBringsANewRandomMatrix) {
  const std::filesystem::path dir = EnterScratchFolder();
  WriteFile(dir / "x.txt", kGood);
  Zorvan->Batch1->Click();
  EXPECT_TRUE(Zorvan->BatchSwitch);
  EXPECT_TRUE(Zorvan->Batch1->Checked());
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional Batch file processing..." + dir.string());
  EXPECT_TRUE(Zorvan->BatchGroupBox->Visible());
  EXPECT_TRUE(Zorvan->BatchSummaryBox->Visible());
  EXPECT_TRUE(Zorvan->BatchGrid->Visible());
  EXPECT_FALSE(Zorvan->MainGrid->Visible());
  EXPECT_TRUE(Zorvan->ChangeDirectory1->Visible());
  EXPECT_EQ(MemoLines(Zorvan->Memo1), (std::vector<String>{"x.txt"}));
  EXPECT_EQ(MenuStates(), (std::vector<String>{"New off", "Open off", "Close off", "Save off", "About file off",
                                               "Edit off", "Analyze on", "Batch ... on/off on",
                                               "Change Directory on"}));

  Launch();
  ASSERT_EQ(Zorvan->BatchGrid->RowCount(), 2);
  EXPECT_EQ(Zorvan->MainGrid->RowCount(), 3);

  RandSeed = 5;
  Zorvan->Batch1->Click();
  EXPECT_FALSE(Zorvan->BatchSwitch);
  EXPECT_FALSE(Zorvan->Batch1->Checked());
  EXPECT_EQ(Zorvan->BatchFileCount, 0);
  EXPECT_TRUE(Zorvan->MainGrid->Visible());
  EXPECT_FALSE(Zorvan->BatchGroupBox->Visible());
  EXPECT_FALSE(Zorvan->BatchSummaryBox->Visible());
  EXPECT_FALSE(Zorvan->ChangeDirectory1->Visible());
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
  for (TMenuItem* item : {Zorvan->New1, Zorvan->Open1, Zorvan->Close1, Zorvan->Save1, Zorvan->About2,
                          Zorvan->Edit1, Zorvan->RestructMatrix})
    EXPECT_TRUE(item->Enabled()) << item->Caption();
  // The last batch file's matrix gave way to a new random 5 x 5 one.
  TRivErodovOzar* g = Zorvan->MainGrid;
  ASSERT_EQ(g->RowCount(), 6);
  ASSERT_EQ(g->ColCount(), 6);
  RandSeed = 5;
  for (int r = 1; r <= 5; ++r)
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(g->Cells(c, r), IntToStr(Random(2)));
  EXPECT_EQ(Zorvan->FileName, (dir / "Untitled.txt").string());
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + (dir / "Untitled.txt").string());
}

TEST_F(BatchMode, FolderPickerChangesTheWorkingDirectoryAndTheList) {
  const std::filesystem::path dir = EnterScratchFolder();
  std::filesystem::create_directory(dir / "data");
  std::filesystem::create_directory(dir / ".hidden");
  WriteFile(dir / "top.txt", kGood);
  WriteFile(dir / "data" / "one.txt", kGood);
  WriteFile(dir / "data" / "Two.TXT", kGood);
  WriteFile(dir / "data" / "three.csv", kGood);
  Zorvan->Batch1->Click();

  std::vector<String> filesAtShow, foldersAtShow, filesAfterOpen, memoAfterOK;
  String workingAfterOpen;
  Application->Hooks.ModalForm = [&](TCustomForm* form) {
    ASSERT_EQ(form, ChangeDirectory);
    TChangeDirectory* d = ChangeDirectory;
    EXPECT_EQ(d->Caption(), "Zorvan Professional: Change Directory");
    for (int i = 0; i < d->FileListBox1->Items()->Count(); ++i) filesAtShow.push_back(d->FileListBox1->Items()->Strings(i));
    for (int i = 0; i < d->DirectoryListBox1->Items()->Count(); ++i)
      foldersAtShow.push_back(d->DirectoryListBox1->Items()->Strings(i));
    // A click on the folder "data" (the last item) opens it once the click is handled.
    const int last = d->DirectoryListBox1->Items()->Count() - 1;
    d->DirectoryListBox1->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, last * d->DirectoryListBox1->ItemHeight + 2));
    d->DirectoryListBox1->Perform(WM_LBUTTONUP, 0, MakeLParam(5, last * d->DirectoryListBox1->ItemHeight + 2));
    Application->ProcessMessages();
    workingAfterOpen = GetCurrentDir();
    d->DriveComboBox1Change(d->DriveComboBox1);  // one root: the folder stays open
    for (int i = 0; i < d->FileListBox1->Items()->Count(); ++i)
      filesAfterOpen.push_back(d->FileListBox1->Items()->Strings(i));
    d->Button1->Click();
    memoAfterOK = MemoLines(Zorvan->Memo1);
  };
  Zorvan->ChangeDirectory1->Click();

  EXPECT_EQ(filesAtShow, (std::vector<String>{"top.txt"}));
  ASSERT_FALSE(foldersAtShow.empty());
  EXPECT_EQ(foldersAtShow.front(), "/");
  EXPECT_EQ(Trim(foldersAtShow.back()), "data");
  EXPECT_EQ(workingAfterOpen, (dir / "data").string());
  EXPECT_EQ(filesAfterOpen, (std::vector<String>{"one.txt", "Two.TXT"}));
  EXPECT_EQ(memoAfterOK, filesAfterOpen);
  EXPECT_EQ(GetCurrentDir(), (dir / "data").string());
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional Batch processing..." + (dir / "data").string());
  EXPECT_EQ(MemoLines(Zorvan->Memo1), (std::vector<String>{"one.txt", "Two.TXT"}));
}

}  // namespace
