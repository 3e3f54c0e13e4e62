// The hidden export form that writes result grids to workbooks, with its status window.
#include "support/ProgramFixture.h"

#include <filesystem>
#include <fstream>

#include "app/ExcelExport.h"
#include "app/progressexcel.h"
#include "classlib/SysUtils.h"

namespace {

using ExcelExport = ProgramTest;

TEST_F(ExcelExport, ExportFormStartsBoundToItsGridWithoutOpeningExcel) {
  EXPECT_EQ(ExportExcel->RivGridExcelIO1->RivErodovOzar(), ExportExcel->ExcelExportGrid);
  EXPECT_FALSE(ExportExcel->RivGridExcelIO1->Options()->ExportShowInExcel);
  EXPECT_EQ(ExportExcel->RivGridExcelIO1->Options()->ExportOverwrite, omWarn);
  EXPECT_EQ(Excelstatus->Caption(), "Zorvan Professional: Excel Import-Export Status");
  EXPECT_FALSE(Excelstatus->Visible());
}

TEST_F(ExcelExport, AFailedExportIsReportedWithTheStatusWindowShowing) {
  TRivErodovOzar* g = ExportExcel->ExcelExportGrid;
  g->SetColCount(3);
  g->SetRowCount(3);
  String fileBefore = Zorvan->FileName;
  String path = (std::filesystem::temp_directory_path() / "zorvan-export" / "result.xls").string();

  TSaveDialog* seen = nullptr;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    seen = dynamic_cast<TSaveDialog*>(d);
    seen->FileName = path;
    return true;
  };
  String statusCaption;
  bool statusShowing = false;
  Application->Hooks.MessageBox = [&](const String&, const String&, UINT) {
    statusCaption = Excelstatus->Caption();
    statusShowing = Excelstatus->Visible();
    return IDOK;
  };
  ExportExcel->Run(1, 1);

  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(seen->Title, "Specify a file name.");
  EXPECT_EQ(seen->Filter, "Excel files(*.xls)|*.xls");
  EXPECT_EQ(seen->DefaultExt, "xls");
  EXPECT_EQ(g->FixedCols(), 1);
  EXPECT_EQ(g->FixedRows(), 1);
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Error saving file."}));
  EXPECT_TRUE(statusShowing);
  EXPECT_EQ(statusCaption, "Exporting to Excel file: result.xls");
  EXPECT_FALSE(Excelstatus->Visible());
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(Zorvan->FileName, fileBefore);
}

TEST_F(ExcelExport, CancellingTheNameEndsQuietly) {
  String dialogName;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    dialogName = dynamic_cast<TSaveDialog*>(d)->FileName;
    return false;
  };
  ExportExcel->Run(0, 0);
  EXPECT_EQ(dialogName, "data");
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_FALSE(Excelstatus->Visible());
}

// ---- The main window's workbook commands ----

TEST_F(ExcelExport, TheOpenOnSaveSwitchTurnsBothBridgesTogether) {
  EXPECT_FALSE(Zorvan->E1->Checked());
  EXPECT_TRUE(Zorvan->RivGridExcelIO1->Options()->ExportShowInExcel);
  EXPECT_FALSE(ExportExcel->RivGridExcelIO1->Options()->ExportShowInExcel);
  EXPECT_EQ(Zorvan->RivGridExcelIO1->RivErodovOzar(), Zorvan->MainGrid);
  EXPECT_EQ(Zorvan->RivGridExcelIO1->Options()->ExportOverwrite, omWarn);
  EXPECT_FALSE(Zorvan->RivGridExcelIO1->UseUnicode);
  for (bool expected : {true, false, true}) {
    Zorvan->E1->Click();
    EXPECT_EQ(Zorvan->E1->Checked(), expected);
    EXPECT_EQ(Zorvan->RivGridExcelIO1->Options()->ExportShowInExcel, expected);
    EXPECT_EQ(ExportExcel->RivGridExcelIO1->Options()->ExportShowInExcel, expected);
  }
}

// A failed open, whether the file is missing or is no workbook, leaves the matrix, its file name
// and the caption as they were; the status window shows only while a file is read.
TEST_F(ExcelExport, AFailedWorkbookOpenChangesNothing) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "zorvan-excel-open";
  fs::create_directories(dir);
  const String notAWorkbook = (dir / "matrix.xls").string();
  std::ofstream(dir / "matrix.xls", std::ios::binary) << "0 1\n1 0\n";
  const String missing = (dir / "missing.xls").string();

  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetCells(1, 1, "kept");
  const int rows = g->RowCount(), cols = g->ColCount();
  const String name = Zorvan->FileName, caption = Zorvan->Caption();

  struct Case { String file; bool statusShown; };
  for (const Case& c : {Case{missing, false}, Case{notAWorkbook, true}}) {
    TOpenDialog* seen = nullptr;
    Application->Hooks.FileDialog = [&](TCommonDialog* d) {
      seen = dynamic_cast<TOpenDialog*>(d);
      EXPECT_EQ(seen->FileName, "");
      seen->FileName = c.file;
      return true;
    };
    String status;
    Application->Hooks.MessageBox = [&](const String&, const String&, UINT) {
      status = Excelstatus->Visible() ? Excelstatus->Caption() : "";
      return IDOK;
    };
    Application->Hooks.Messages.clear();
    Zorvan->Excelxls1->Click();

    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->Title, "Select an Excel file to open.");
    EXPECT_EQ(seen->Filter, "Excel files(*.xls)|*.xls|All files(*.*)|*.*");
    EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Error opening file."}));
    // A file that is there is reported while its status window is still up.
    EXPECT_EQ(status, c.statusShown ? "Importing Excel file: matrix.xls" : "");
    EXPECT_FALSE(Excelstatus->Visible());
    EXPECT_EQ(g->Cells(1, 1), "kept");
    EXPECT_EQ(g->RowCount(), rows);
    EXPECT_EQ(g->ColCount(), cols);
    EXPECT_EQ(Zorvan->FileName, name);
    EXPECT_EQ(Zorvan->Caption(), caption);
  }
  fs::remove_all(dir);
}

TEST_F(ExcelExport, AFailedWorkbookSaveIsReportedUnderTheStatusWindow) {
  const String path =
      (std::filesystem::temp_directory_path() / "zorvan-excel-save" / "matrix.xls").string();
  TSaveDialog* seen = nullptr;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    seen = dynamic_cast<TSaveDialog*>(d);
    EXPECT_EQ(seen->FileName, "data");
    seen->FileName = path;
    return true;
  };
  String status;
  Application->Hooks.MessageBox = [&](const String&, const String&, UINT) {
    status = Excelstatus->Visible() ? Excelstatus->Caption() : "";
    return IDOK;
  };
  Zorvan->Excelxls2->Click();

  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(seen->Title, "Specify a file name.");
  EXPECT_EQ(seen->Filter, "Excel files(*.xls)|*.xls");
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Error saving file."}));
  EXPECT_EQ(status, "Exporting to Excel file: matrix.xls");
  EXPECT_FALSE(Excelstatus->Visible());
  EXPECT_FALSE(FileExists(path));
  // The name is taken all the same, as by the text saves, and the caption shows it.
  EXPECT_EQ(Zorvan->FileName, path);
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + path);

  // Cancelling the name ends quietly.
  const String caption = Zorvan->Caption();
  Application->Hooks.Messages.clear();
  Application->Hooks.FileDialog = [](TCommonDialog*) { return false; };
  Zorvan->Excelxls2->Click();
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_FALSE(Excelstatus->Visible());
  EXPECT_EQ(Zorvan->Caption(), caption);
}

}  // namespace
