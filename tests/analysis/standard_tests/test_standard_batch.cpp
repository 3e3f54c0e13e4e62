// Batch mode over a folder runs the regression and ANOVA tests on every listed file: one
// summary file and one batch row per file; a file that is no matrix stops the batch there.
#include "analysis/standard_tests/StandardRunSupport.h"

using namespace standard_test;

namespace {

using StandardBatch = StandardFilesTest;

const GridRows kA = Columns({"group", "x", "y"}, {{"A", "A", "B", "B", "B"}, {"1", "2", "3", "4", "5"},
                                                   {"2", "4", "5", "4", "5"}});
const GridRows kB = Columns({"group", "x", "y"}, {{"p", "q", "p", "q"}, {"3", "1", "4", "1"}, {"5", "9", "2", "6"}});

TEST_F(StandardBatch, BothTestsRunOverEveryFile) {
  WriteDataFile("a.txt", kA);
  WriteDataFile("b.txt", kB);
  Zorvan->Batch1->Click();
  Zorvan->Memo1->Lines()->SetText("a.txt\r\nb.txt\r\n");
  struct Case {
    TMenuItem* item;
    int first, second;
    TStandardResults* results;
    size_t sesLine, p1Line;  // summary lines of the batch row's statistic
    TComboBox* list;         // its title of the first column stands in the summary
    String columnsLabel;
    size_t columnsAt;
  };
  for (const Case& k : {Case{Zorvan->Regression1, 1, 2, RegressionShell, 34 + 10, 34 + 11, RegressionOpts->XvariableCList,
                             "XVariable = ", 1},
                        Case{Zorvan->Anova1, 0, 2, AnovaShell, 18, 12, AnovaOpts->LabelsList,
                             "Analyzed labels column = ", 4}}) {
    SCOPED_TRACE(k.results->Name());
    answer.first = k.first;
    answer.second = k.second;
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
      // The column as the options form listed it when it was shown (the data grid's titles then).
      EXPECT_EQ(summary[k.columnsAt], k.columnsLabel + k.list->Items()->Strings(k.first));
      EXPECT_EQ(summary[k.sesLine], "Standardized Effect Size = " + grid[1]);
      EXPECT_EQ(summary[k.p1Line], "p(observed <= expected) = " + grid[2]);
      EXPECT_EQ(summary[k.p1Line + 1], "p(observed >= expected) = " + grid[3]);
    }
    EXPECT_EQ(FileLines("Summaryb.txt"), MemoLines(k.results->Memo1));
  }
}

TEST_F(StandardBatch, AFileWithoutDataRowsEndsTheBatch) {
  WriteDataFile("a.txt", kA);
  WriteDataFile("c.txt", {{"species", "x", "y"}});
  WriteDataFile("d.txt", kB);
  Zorvan->Batch1->Click();
  Zorvan->Memo1->Lines()->SetText("a.txt\r\nc.txt\r\nd.txt\r\n");
  answer.first = 1;
  answer.second = 2;
  Zorvan->Regression1->Click();
  EXPECT_EQ(Application->Hooks.Messages, (Lines{"Row and Column counts incorrect."}));
  EXPECT_FALSE(Zorvan->Flag);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 2);
  EXPECT_EQ(FileLines("BatchSummary.txt").size(), 2u);
  EXPECT_FALSE(FileExists("Summaryd.txt"));
}

// A summary that cannot be written stops the batch with its messages; no later file runs.
TEST_F(StandardBatch, AFailedSummarySaveStopsTheBatch) {
  WriteDataFile("a.txt", kA);
  WriteDataFile("b.txt", kB);
  std::filesystem::create_directory("Summarya.txt");  // in the way of the summary file
  Zorvan->Batch1->Click();
  Zorvan->Memo1->Lines()->SetText("a.txt\r\nb.txt\r\n");
  Zorvan->Anova1->Click();
  EXPECT_EQ(Application->Hooks.Messages,
            (Lines{"Error saving batch summary...Aborting.", "Batch processing error."}));
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_FALSE(Progress->Visible());
  EXPECT_FALSE(FileExists("Summaryb.txt"));
}

}  // namespace
