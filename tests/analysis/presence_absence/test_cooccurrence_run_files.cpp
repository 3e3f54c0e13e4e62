// What a co-occurrence run writes: the simulated matrices, the files of the results window's
// save commands, and the summaries and batch summary of a batch over a folder.
#include <unistd.h>

#include <filesystem>

#include "analysis/presence_absence/CoocRunSupport.h"
#include "app/ExcelExport.h"
#include "classlib/WinApi.h"

using namespace cooc_test;

namespace {

using Lines = std::vector<String>;
namespace fs = std::filesystem;

class CoOccurrenceFiles : public CoocRunTest {
 protected:
  void SetUp() override {
    CoocRunTest::SetUp();
    const fs::path dir = fs::temp_directory_path() /
                         ("zorvan-cooc-" + std::to_string(::getpid()) + "-" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::current_path(dir);
    dir_ = fs::current_path();
  }
  void TearDown() override {
    CoocRunTest::TearDown();
    fs::remove_all(dir_);
  }
  static Lines FileLines(const String& name) {
    Lines lines = cooc_test::Split(ReadFileBytes(name), '\n');
    EXPECT_EQ(lines.back(), "") << name << " ends with a line break";
    lines.pop_back();
    for (String& l : lines) {
      EXPECT_FALSE(l.empty() || l.back() != '\r') << name << ": CR LF after every line";
      if (!l.empty() && l.back() == '\r') l.pop_back();
    }
    return lines;
  }
  fs::path dir_;
};

// A "Sim" file read back: species rows of 0/1 under the title line.
Matrix ReadSimFile(const String& name, int species, int sites) {
  const Lines lines = cooc_test::Split(ReadFileBytes(name), '\n');
  Matrix m(sites + 1, species + 1);
  for (int r = 1; r <= species; ++r) {
    String line = lines[r];
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const Lines cells = cooc_test::Split(line, ' ');
    EXPECT_EQ(static_cast<int>(cells.size()), sites + 1) << name;
    for (int c = 1; c <= sites && c < static_cast<int>(cells.size()); ++c) m[c][r] = StrToInt(cells[c]);
  }
  CalculateMargins_Size(m, sites, species);
  return m;
}

// The simulated matrices written for every iteration keep the constrained totals, and their
// C-scores, recomputed, are the values the summary's statistics and histogram were made from.
TEST_F(CoOccurrenceFiles, SavedSimulatedMatricesObeyTheConstraintsAndGiveTheReportedValues) {
  SetData(FixtureGrid());
  const Matrix O = Observed();
  struct Case {
    int rows, columns, fixedFixed;
  };
  for (const Case k : {Case{1, 0, 0}, Case{0, 1, 0}, Case{1, 1, 2}, Case{2, 2, 0}}) {
    SCOPED_TRACE(std::to_string(k.rows) + " x " + std::to_string(k.columns));
    answer = Answer{};
    answer.rows = k.rows;
    answer.columns = k.columns;
    answer.fixedFixed = k.fixedFixed;
    answer.iterations = "25";
    answer.saveMatrices = true;
    Zorvan->CoOccurrence1->Click();
    ASSERT_FALSE(Zorvan->InterruptFlag);
    EXPECT_FALSE(FileExists("Sim26.txt"));
    EXPECT_EQ(FileLines("Sim1.txt")[0], "species s1 s2 s3 s4 s5 s6");
    std::vector<double> values;
    for (int i = 1; i <= 25; ++i) {
      const String name = "Sim" + IntToStr(i) + ".txt";
      ASSERT_TRUE(FileExists(name)) << name;
      const Matrix S = ReadSimFile(name, 5, 6);
      for (int r = 1; r <= 5 && k.rows == 1; ++r) EXPECT_EQ(S[0][r], O[0][r]) << name << " row " << r;
      for (int c = 1; c <= 6 && k.columns == 1; ++c) EXPECT_EQ(S[c][0], O[c][0]) << name << " column " << c;
      EXPECT_EQ(S[0][0], O[0][0]) << name;
      values.push_back(ReferenceIndex(S, PairIndexKind::CScore, false, 10));
    }
    const double observed = ReferenceIndex(O, PairIndexKind::CScore, false, 10);
    EXPECT_EQ(Slice(Summary(), kSetStart, kSetLines), SetLines(observed, values, false));
    for (int i = 1; i <= 25; ++i) DeleteFile("Sim" + IntToStr(i) + ".txt");
  }
}

// A "Sim" file that cannot be written ends the run: the error box shows why, and there are no
// results and no batch row.
TEST_F(CoOccurrenceFiles, AFailedSimulationFileEndsTheRun) {
  SetData(FixtureGrid());
  fs::create_directory("Sim3.txt");
  answer.saveMatrices = true;
  // Chosen from the menu as a person does, so that an error reaches the error box.
  SendMessage(Zorvan->Handle(), WM_COMMAND, Zorvan->CoOccurrence1->Command(), 0);
  EXPECT_EQ(Application->Hooks.Errors, Lines{"Cannot create file \"Sim3.txt\"."});
  EXPECT_TRUE(FileExists("Sim2.txt"));
  EXPECT_FALSE(FileExists("Sim4.txt"));
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 0);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
  EXPECT_FALSE(Progress->Visible());
}

TEST_F(CoOccurrenceFiles, SaveCommandsWriteTheSummaryAndBothPairwiseTables) {
  SetData(Titled({"1111", "1100", "1000"}));
  answer.index = 0;
  std::vector<std::pair<String, String>> asked;  // title, proposed name
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    auto* dialog = static_cast<TOpenDialog*>(d);
    asked.emplace_back(dialog->Title, dialog->FileName);
    dialog->FileName = (dir_ / ("out" + std::to_string(asked.size()) + ".txt")).string();
    return true;
  };
  onResults = [] {
    CoOccurrence->Memo1->Lines()->Add("my note");
    CoOccurrence->Summary1->Click();
    CoOccurrence->PairwiseSpace1->Click();
    CoOccurrence->PairwiseComma1->Click();
    CoOccurrence->ColumnSpace1->Click();
    CoOccurrence->ColumnComma1->Click();
  };
  Zorvan->RangeOverlap1->Click();  // "Relative Overlap": 2/4, 1/4, 1/2
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(asked, (std::vector<std::pair<String, String>>{{"Select a file name.", "summary.txt"},
                                                           {"Select a file name.", "pairwise.txt"},
                                                           {"Select a file name.", "pairwise.txt"},
                                                           {"Select a file name.", "pairwise.txt"},
                                                           {"Select a file name.", "pairwise.txt"}}));
  const Lines summary = FileLines("out1.txt");
  EXPECT_EQ(summary, Summary());
  EXPECT_EQ(summary.back(), "my note");
  EXPECT_EQ(FileLines("out2.txt"),
            (Lines{"species sp1 sp2 sp3", "sp1  0.50000 0.25000", "sp2   0.50000"}));
  EXPECT_EQ(FileLines("out3.txt"), (Lines{"species,sp1,sp2,sp3", "sp1,,0.50000,0.25000", "sp2,,,0.50000"}));
  EXPECT_EQ(FileLines("out4.txt"), (Lines{"sp1 sp2 0.50000", "sp1 sp3 0.25000", "sp2 sp3 0.50000"}));
  EXPECT_EQ(FileLines("out5.txt"), (Lines{"sp1,sp2,0.50000", "sp1,sp3,0.25000", "sp2,sp3,0.50000"}));
}

TEST_F(CoOccurrenceFiles, ExcelSavesCopyTheTableIntoTheExportGrid) {
  SetData(Titled({"1111", "1100", "1000"}));
  int dialogs = 0;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    auto* dialog = static_cast<TOpenDialog*>(d);
    EXPECT_EQ(dialog->Title, "Specify a file name.");
    dialog->FileName = (dir_ / ("book" + std::to_string(++dialogs) + ".xls")).string();
    return true;
  };
  Lines triangle, list;
  int fixedAfterTriangle = -1, fixedAfterList = -1;
  onResults = [&] {
    TRivErodovOzar* g = ExportExcel->ExcelExportGrid;
    CoOccurrence->PairwiseExcel1->Click();
    fixedAfterTriangle = g->FixedCols() * 10 + g->FixedRows();
    for (int r = 0; r < g->RowCount(); ++r) {
      const Lines row = g->RowTexts(r);
      triangle.insert(triangle.end(), row.begin(), row.end());
    }
    CoOccurrence->ColumnExcel1->Click();
    fixedAfterList = g->FixedCols() * 10 + g->FixedRows();
    for (int r = 0; r < g->RowCount(); ++r) {
      const Lines row = g->RowTexts(r);
      list.insert(list.end(), row.begin(), row.end());
    }
  };
  Zorvan->CoOccurrence1->Click();  // C-score: units 0 for every pair of a nested matrix
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(fixedAfterTriangle, 11);
  EXPECT_EQ(fixedAfterList, 0);
  EXPECT_EQ(triangle, (Lines{"species", "sp1", "sp2", "sp3", "sp1", "", "0.00000", "0.00000", "sp2", "", "", "0.00000"}));
  EXPECT_EQ(list, (Lines{"sp1", "sp2", "0.00000", "sp1", "sp3", "0.00000", "sp2", "sp3", "0.00000"}));
  EXPECT_EQ(dialogs, 2);  // each export asked for its workbook
}

// Batch files in the reader's format: lines of blank-separated cells, each ending in CR LF.
void WriteBatchFile(const String& name, const GridRows& rows) {
  String text;
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) text += (c ? " " : "") + row[c];
    text += "\r\n";
  }
  WriteFileAtomically(name, text);
}

class CoOccurrenceBatch : public CoOccurrenceFiles {
 protected:
  void SetUp() override {
    CoOccurrenceFiles::SetUp();
    WriteBatchFile("a.txt", FixtureGrid());
    WriteBatchFile("b.txt", Titled({"1100", "0110", "1011"}));
    WriteBatchFile("c.txt", Titled({"10101", "01010", "11000"}));
    Zorvan->Batch1->Click();
    Zorvan->Memo1->Lines()->SetText("a.txt\r\nb.txt\r\nc.txt\r\n");
    answer.iterations = "30";
  }
};

TEST_F(CoOccurrenceBatch, RunsEveryFileAndKeepsASummaryOfEach) {
  Zorvan->CoOccurrence1->Click();
  EXPECT_EQ(resultsShown, 0);
  EXPECT_FALSE(Zorvan->InterruptFlag);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  ASSERT_EQ(Zorvan->BatchGrid->RowCount(), 4);
  const Lines batch = FileLines("BatchSummary.txt");
  ASSERT_EQ(batch.size(), 4u);
  EXPECT_EQ(batch[0], "FileName Standard-Effect LowerTailP UpperTailP");
  int row = 1;
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    SCOPED_TRACE(name);
    const Lines grid = BatchRow(row++);
    EXPECT_EQ(grid[0], name);
    const Lines summary = FileLines(String("Summary") + name);
    ASSERT_GT(summary.size(), kSetStart + 9);
    EXPECT_EQ(summary[0], "Input file = " + (dir_ / name).string());
    EXPECT_EQ(summary[kSetStart + 9], kSesLabel + grid[1]);
    EXPECT_EQ(summary[kSetStart + 3], kLowerTailLabel + grid[2]);
    EXPECT_EQ(summary[kSetStart + 4], kUpperTailLabel + grid[3]);
  }
  EXPECT_EQ(FileLines("Summaryb.txt")[1], "Rows = 3; Columns = 4");
  EXPECT_TRUE(Progress->Visible());
}

TEST_F(CoOccurrenceBatch, AFailedSummaryStopsTheBatch) {
  fs::create_directory("Summaryb.txt");  // the summary of b.txt cannot be written
  Zorvan->CoOccurrence1->Click();
  EXPECT_EQ(Application->Hooks.Messages,
            (Lines{"Error saving batch summary...Aborting.", "Batch processing error."}));
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 3);
  EXPECT_FALSE(FileExists("Summaryc.txt"));
  EXPECT_FALSE(Progress->Visible());
  EXPECT_EQ(resultsShown, 0);
}

}  // namespace
