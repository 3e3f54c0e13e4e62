// The hidden export form that writes result grids to workbooks, with its status window.
#include "support/ProgramFixture.h"

#include <filesystem>

#include "app/ExcelExport.h"
#include "app/progressexcel.h"
#include "classlib/SysUtils.h"

namespace {

using ExcelExport = ProgramTest;

TEST_F(ExcelExport, ExportFormStartsBoundToItsGridWithoutOpeningExcel) {
  EXPECT_EQ(ExportExcel->RivGridExcelIO1->Grid(), ExportExcel->ExcelExportGrid);
  EXPECT_FALSE(ExportExcel->RivGridExcelIO1->ShowInExcel);
  EXPECT_EQ(ExportExcel->RivGridExcelIO1->OverwriteMode, omWarn);
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

}  // namespace
