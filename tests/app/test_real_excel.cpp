// The workbook commands under the real window system: a matrix saved and opened through the
// File menu, an analysis run on it, its results exported, the overwrite question answered in
// its own box, and the main window in charge again after each step.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "app/progressexcel.h"
#include "classlib/SysUtils.h"
#include "support/TestCache.h"
#include "support/RealWindowFixture.h"
#include "xls/vavRivGridExcel.h"

namespace {

using namespace RealWindows;
namespace fs = std::filesystem;


class ExcelWindows : public RealWindowTest {
 protected:
  void SetUp() override {
    RealWindowTest::SetUp();
    Dir = fs::temp_directory_path() / ("zorvan_real_excel_" + std::to_string(getpid()));
    fs::create_directories(Dir);
    // The platform's file dialogs and the shell are not windows of ours.
    Application->Hooks.FileDialog = [this](TCommonDialog* d) {
      static_cast<TOpenDialog*>(d)->FileName = Answer;
      return true;
    };
    Application->Hooks.Shell = [](const TShellRequest&) { return 42; };
  }
  void TearDown() override {
    fs::remove_all(Dir);
    RealWindowTest::TearDown();
  }
  fs::path Dir;
  String Answer;
};

TEST_F(ExcelWindows, AWorkbookOpensAnAnalysisRunsAndItsResultsGoToAWorkbook) {
  TRivErodovOzar* grid = Zorvan->MainGrid;
  std::vector<std::vector<String>> matrix;
  for (int r = 0; r < grid->RowCount(); ++r) {
    matrix.emplace_back();
    for (int c = 0; c < grid->ColCount(); ++c) matrix.back().push_back(grid->Cells(c, r));
  }
  // File > Save > Excel (.xls): the matrix as a workbook, handed to the spreadsheet program.
  Answer = (Dir / "matrix.xls").string();
  ChooseMenu(Zorvan->Excelxls2);
  ASSERT_TRUE(fs::exists(Dir / "matrix.xls"));
  ASSERT_EQ(Application->Hooks.ShellRequests.size(), 1u);
  EXPECT_FALSE(IsOnScreen(Excelstatus));

  // File > Open > Excel (.xls) of another matrix, then of the one saved: the status window is
  // on screen while the sheet is read.
  for (int r = 0; r < grid->RowCount(); ++r)
    for (int c = 0; c < grid->ColCount(); ++c) grid->SetCells(c, r, "");
  bool statusOnScreen = false;
  Zorvan->RivGridExcelIO1->OnProgress = [&](TObject*, Integer, Integer, Integer, Integer) {
    statusOnScreen = IsOnScreen(Excelstatus);
  };
  Answer = std::string(ZORVAN_TEST_DATA) + "/xls/bridge_matrix.xls";
  ChooseMenu(Zorvan->Excelxls1);
  EXPECT_TRUE(statusOnScreen);
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(grid->Cells(2, 3), "1");
  Answer = (Dir / "matrix.xls").string();
  ChooseMenu(Zorvan->Excelxls1);
  EXPECT_FALSE(IsOnScreen(Excelstatus));
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional: matrix.xls");
  for (int r = 0; r < grid->RowCount(); ++r)
    for (int c = 0; c < grid->ColCount(); ++c) EXPECT_EQ(grid->Cells(c, r), matrix[r][c]) << c << "," << r;

  // Co-occurrence on it; the pairwise table goes to a workbook, the second time over the
  // first after a "No" and then a "Yes" in the overwrite box.
  bool resultsShown = false;
  WhenModal(CoOccurrenceOpts, [] {
    CoOccurrenceOpts->IterationsEdit->SetText("40");
    CoOccurrenceOpts->RandomSeedEdit->SetText("11");
    ChooseMenu(CoOccurrenceOpts->Run1);
  });
  WhenModal(CoOccurrence, [&] {
    resultsShown = true;
    Answer = (Dir / "pairwise.xls").string();
    ChooseMenu(CoOccurrence->PairwiseExcel1);
    ASSERT_TRUE(fs::exists(Dir / "pairwise.xls"));
    const std::string first = ReadFileBytes(Dir / "pairwise.xls");
    String asked;
    AnswerMessageBox("No", [&](const String& text) { asked = text; });
    ChooseMenu(CoOccurrence->PairwiseExcel1);
    EXPECT_EQ(asked, "File " + Answer + " already exists\rOk to overwrite ?");
    EXPECT_EQ(ReadFileBytes(Dir / "pairwise.xls"), first);
    AnswerMessageBox("Yes");
    ChooseMenu(CoOccurrence->PairwiseExcel1);
    EXPECT_FALSE(MessageBoxUp());
    EXPECT_FALSE(IsOnScreen(Excelstatus));
    EXPECT_EQ(ActiveForm(), CoOccurrence);
    ChooseMenu(CoOccurrence->Close1);
  });
  ChooseMenu(Zorvan->CoOccurrence1);
  ASSERT_TRUE(resultsShown);

  // The exported table reads back cell for cell, numbers in the data grid's notation.
  std::unique_ptr<TRivErodovOzar> back(New<TRivErodovOzar>(nullptr));
  std::unique_ptr<TRivGridExcelIO> bridge(New<TRivGridExcelIO>(nullptr));
  bridge->SetRivErodovOzar(back.get());
  bridge->SetGridStartRow(0);
  bridge->SetGridStartCol(0);
  bridge->XLSImport((Dir / "pairwise.xls").string());
  TStringGrid* table = CoOccurrence->ResponseGrid;
  ASSERT_EQ(back->RowCount(), table->RowCount());
  ASSERT_EQ(back->ColCount(), table->ColCount());
  for (int r = 0; r < table->RowCount(); ++r)
    for (int c = 0; c < table->ColCount(); ++c) {
      const String shown = table->Cells(c, r);
      Extended value = 0;
      if (TryStrToFloat(shown, value))
        EXPECT_DOUBLE_EQ(StrToFloat(back->Cells(c, r), TFormatSettings::Invariant()), value) << c << "," << r;
      else
        EXPECT_EQ(back->Cells(c, r), shown) << c << "," << r;
    }
  ExpectMainWindowUsable();
}

}  // namespace
