// The grid workbook under the real window system: typing into a sheet, switching sheets by
// their tabs, and the sheets added, renamed and removed showing on screen.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Forms.h"
#include "grid/model/RivErodovOzar.h"
#include "grid/workbook/RivGridWorkbook.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

void ClickTabOf(TRivGridWorkbook* Book, int Index) {
  const TRect r = Book->TabSet()->ItemRect(Index);
  ClickAt(Book->TabSet(), (r.Left + r.Right) / 2, Book->TabSet()->Height() / 2);
}

TEST(RealGridWorkbook, SheetsSwitchByTheirTabsAndKeepWhatWasTyped) {
  Scope scope;
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  form->SetBounds(100, 100, 520, 360);
  TRivGridWorkbook* book = New<TRivGridWorkbook>(form.get());
  book->SetParent(form.get());
  book->SetAlign(alClient);
  form->Show();
  Settle();
  TRivErodovOzar* grid = book->Grid();
  ASSERT_TRUE(ControlOnScreen(book->TabSet()));

  const TRect cell = grid->CellRect(1, 1);
  ClickAt(grid, (cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
  Type(grid, "abc");
  Key(grid, VK_RETURN);
  EXPECT_EQ(grid->Cells(1, 1), "abc");

  // A cell still being edited keeps its text in the sheet that is left.
  const TRect open = grid->CellRect(2, 2);
  ClickAt(grid, (open.Left + open.Right) / 2, (open.Top + open.Bottom) / 2);
  Type(grid, "xyz");
  ClickTabOf(book, 1);
  EXPECT_EQ(book->ActiveSheet(), 1);
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_EQ(grid->Cells(2, 2), "");
  ClickTabOf(book, 0);
  EXPECT_EQ(book->ActiveSheet(), 0);
  EXPECT_EQ(grid->Cells(1, 1), "abc");
  EXPECT_EQ(grid->Cells(2, 2), "xyz");

  book->AddSheet("Added");
  Settle();
  EXPECT_EQ(book->TabSet()->TabIndex(), 3);
  book->Sheets()->Items(3)->SetName("Renamed");
  ClickTabOf(book, 2);
  EXPECT_EQ(book->ActiveSheet(), 2);
  EXPECT_EQ(book->TabSet()->Tabs()->Strings(3), "Renamed");
  book->RemoveSheet(2);
  Settle();
  EXPECT_EQ(book->ActiveSheet(), 0);
  EXPECT_EQ(book->TabSet()->Tabs()->Count(), 3);
  ClickTabOf(book, 2);
  EXPECT_EQ(book->ActiveSheet(), 2);
  EXPECT_EQ(book->Sheets()->Items(2)->Name(), "Renamed");
  form->Close();
}

}  // namespace
