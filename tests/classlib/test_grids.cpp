// The platform string grid: its cell store, counts, sizes, navigation, selection and the
// inplace editor, driven through key and mouse messages as a person would.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"
#include "classlib/WinApi.h"

namespace {

std::unique_ptr<TStringGrid> MakeGrid() { return std::unique_ptr<TStringGrid>(New<TStringGrid>(nullptr)); }

template <typename F>
String ErrorOf(F&& f) {
  try {
    f();
  } catch (const EInvalidGridOperation& e) {
    return e.Message;
  }
  return "(none)";
}

void Key(TWinControl* target, Word key, TShiftState shift = {}) {
  if (shift.Contains(ssShift)) SetKeyDown(VK_SHIFT, true);
  if (shift.Contains(ssCtrl)) SetKeyDown(VK_CONTROL, true);
  KeyInput(target, WM_KEYDOWN, key);
  SetKeyDown(VK_SHIFT, false);
  SetKeyDown(VK_CONTROL, false);
}

void Type(TWinControl* target, const String& text) {
  for (char c : text) KeyInput(target, WM_CHAR, static_cast<unsigned char>(c));
}

void Click(TControl* target, int x, int y, WPARAM keys = MK_LBUTTON) {
  target->Perform(WM_LBUTTONDOWN, keys, MakeLParam(x, y));
  target->Perform(WM_LBUTTONUP, keys & ~MK_LBUTTON, MakeLParam(x, y));
}

TEST(StringGrid, CellsOutsideTheCountsAreKeptUntilTheGridShrinks) {
  auto grid = MakeGrid();
  grid->SetColCount(3);
  grid->SetCells(1, 1, "in");
  grid->SetCells(3, 1, "beyond");  // a fourth column of a three-column grid
  TObject marker;
  grid->SetObjects(2, 9, &marker);
  EXPECT_EQ(grid->Cells(3, 1), "beyond");
  EXPECT_EQ(grid->Objects(2, 9), &marker);
  EXPECT_EQ(grid->Cells(40, 70), "");
  EXPECT_EQ(grid->Cells(-1, 0), "");
  EXPECT_EQ(grid->Objects(5, 5), nullptr);

  grid->SetColCount(2);
  grid->SetRowCount(2);
  grid->SetColCount(4);
  grid->SetRowCount(10);
  EXPECT_EQ(grid->Cells(1, 1), "in");
  EXPECT_EQ(grid->Cells(3, 1), "");
  EXPECT_EQ(grid->Cells(2, 1), "");
  EXPECT_EQ(grid->Objects(2, 9), nullptr);
}

TEST(StringGrid, CellTextsKeepEveryByteInPlaceAndOnTheHeap) {
  // 11 bytes fit in place, 12 go to the heap; a NUL byte is text like any other.
  const String texts[] = {"", "1", "0.123456789", "0.1234567890", String("a\0b", 3), String(70000, 'x')};
  for (const String& text : texts) {
    SCOPED_TRACE(text.size());
    TCellText cell(text);
    EXPECT_EQ(cell.Str(), text);
    EXPECT_EQ(cell.empty(), text.empty());
    TCellText copy(cell);
    TCellText moved(std::move(cell));
    EXPECT_EQ(copy.Str(), text);
    EXPECT_EQ(moved.Str(), text);
    EXPECT_TRUE(cell.empty());
    // Assigning a part of its own text (short or long) to a cell.
    moved = String(moved.data() + moved.size() / 2, moved.size() - moved.size() / 2);
    EXPECT_EQ(moved.Str(), text.substr(text.size() / 2));
    copy = TCellText("short");
    EXPECT_EQ(copy.Str(), "short");
  }
}

TEST(StringGrid, TakesADetachedStoreWhole) {
  auto grid = MakeGrid();
  grid->SetColCount(2);
  grid->SetRowCount(2);
  grid->SetCells(1, 1, "old");
  TObject marker;
  TStringGridRows rows(3);
  rows[0].Texts = {TCellText("a"), TCellText("b"), TCellText("beyond the columns")};
  rows[1].SetObject(1, &marker);
  rows[2].Texts = {TCellText("beyond the rows")};
  grid->TakeRows(std::move(rows));
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(grid->RowTexts(0), (std::vector<String>{"a", "b"}));
  EXPECT_EQ(grid->RowTexts(1), (std::vector<String>{"", ""}));
  EXPECT_EQ(grid->Objects(1, 1), &marker);
  // Cells beyond the counts were dropped, as when the grid shrinks.
  grid->SetColCount(3);
  grid->SetRowCount(3);
  EXPECT_EQ(grid->Cells(2, 0), "");
  EXPECT_EQ(grid->Cells(0, 2), "");
}

TEST(StringGrid, CountsAndFixedCounts) {
  auto grid = MakeGrid();
  EXPECT_EQ(grid->ColCount(), 5);
  EXPECT_EQ(grid->FixedRows(), 1);
  grid->SetRowCount(0);
  EXPECT_EQ(grid->RowCount(), 1);
  EXPECT_EQ(grid->FixedRows(), 0);
  grid->SetColCount(-3);
  EXPECT_EQ(grid->ColCount(), 1);
  EXPECT_EQ(grid->FixedCols(), 0);

  grid->SetRowCount(6);
  grid->SetFixedRows(3);
  grid->SetRowCount(3);  // not above the fixed count: it drops first
  EXPECT_EQ(grid->FixedRows(), 2);
  EXPECT_EQ(grid->Row(), 2);

  EXPECT_EQ(ErrorOf([&] { grid->SetFixedRows(3); }), "Fixed row count must be less than row count");
  EXPECT_EQ(ErrorOf([&] { grid->SetFixedCols(1); }), "Fixed column count must be less than column count");
  EXPECT_EQ(ErrorOf([&] { grid->SetFixedRows(-1); }), "Grid index out of range");
  EXPECT_EQ(ErrorOf([&] { grid->SetFixedCols(-1); }), "Grid index out of range");
  EXPECT_EQ(grid->FixedRows(), 2);
}

TEST(StringGrid, DefaultSizesDiscardIndividualOnes) {
  auto grid = MakeGrid();
  grid->SetColWidths(2, 100);
  grid->SetRowHeights(3, 40);
  EXPECT_EQ(grid->ColWidths(2), 100);
  grid->SetDefaultColWidth(30);
  grid->SetDefaultRowHeight(18);
  EXPECT_EQ(grid->ColWidths(2), 30);
  EXPECT_EQ(grid->RowHeights(3), 18);
  grid->SetColCount(8);
  EXPECT_EQ(grid->ColWidths(7), 30);
  // Cells follow each other with a line of GridLineWidth between them.
  EXPECT_EQ(grid->CellRect(2, 1), Bounds(62, 19, 30, 18));
  int c = 0, r = 0;
  grid->MouseToCell(62 + 29, 19, c, r);
  EXPECT_EQ(c, 2);
  EXPECT_EQ(r, 1);
  grid->MouseToCell(2000, 5, c, r);
  EXPECT_EQ(c, -1);
}

TEST(StringGrid, KeysMoveTheCurrentCellAndScroll) {
  auto grid = MakeGrid();
  grid->SetColCount(6);
  grid->SetRowCount(40);
  int page = grid->VisibleRowCount();
  ASSERT_GT(page, 1);
  struct Step { Word key; TShiftState shift; int col, row; };
  for (const Step& s : std::vector<Step>{{VK_RIGHT, {}, 2, 1}, {VK_DOWN, {}, 2, 2}, {VK_LEFT, {}, 1, 2},
                                         {VK_LEFT, {}, 1, 2}, {VK_UP, {}, 1, 1}, {VK_UP, {}, 1, 1},
                                         {VK_END, {}, 5, 1}, {VK_HOME, {}, 1, 1},
                                         {VK_NEXT, {}, 1, 1 + page}, {VK_PRIOR, {}, 1, 1},
                                         {VK_END, {ssCtrl}, 5, 39}, {VK_HOME, {ssCtrl}, 1, 1},
                                         {VK_TAB, {}, 1, 1}}) {
    Key(grid.get(), s.key, s.shift);
    EXPECT_EQ(grid->Col(), s.col) << s.key;
    EXPECT_EQ(grid->Row(), s.row) << s.key;
  }
  Key(grid.get(), VK_END, {ssCtrl});
  EXPECT_EQ(grid->TopRow() + grid->VisibleRowCount() - 1, 39);
  EXPECT_EQ(grid->CellRect(1, 1), TRect{});  // scrolled out of view
  EXPECT_NE(grid->CellRect(0, 0), TRect{});  // fixed cells stay

  grid->SetOptions(grid->Options() + goTabs);
  grid->SetCol(4);
  Key(grid.get(), VK_TAB);
  Key(grid.get(), VK_TAB);
  EXPECT_EQ(grid->Col(), 5);  // the last cell stays
  Key(grid.get(), VK_HOME, {ssCtrl});
  Key(grid.get(), VK_TAB, {ssShift});
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTTAB);
}

TEST(StringGrid, SelectCellCanRefuseAMove) {
  auto grid = MakeGrid();
  grid->OnSelectCell = [](TObject*, int col, int, bool& can) { can = col != 3; };
  grid->SetCol(3);
  EXPECT_EQ(grid->Col(), 1);
  Key(grid.get(), VK_RIGHT);
  Key(grid.get(), VK_RIGHT);
  EXPECT_EQ(grid->Col(), 2);
}

TEST(StringGrid, RangeSelectionWithShiftAndTheMouse) {
  auto grid = MakeGrid();
  Key(grid.get(), VK_RIGHT, {ssShift});
  Key(grid.get(), VK_DOWN, {ssShift});
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 2}));
  Key(grid.get(), VK_DOWN);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 2, 3}));

  TRect a = grid->CellRect(1, 1), b = grid->CellRect(3, 2);
  grid->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(a.Left + 3, a.Top + 3));
  grid->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(b.Left + 3, b.Top + 3));
  grid->Perform(WM_LBUTTONUP, 0, MakeLParam(b.Left + 3, b.Top + 3));
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 2}));
  EXPECT_EQ(grid->Col(), 3);
  grid->Perform(WM_MOUSEMOVE, 0, MakeLParam(a.Left + 3, a.Top + 3));  // button up: nothing more
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 2}));

  grid->SetOptions(grid->Options() + goRowSelect);
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 4, 2}));  // whole rows
}

struct EditLog {
  std::vector<String> writes;
};

std::unique_ptr<TStringGrid> EditingGrid(EditLog& log) {
  auto grid = MakeGrid();
  grid->SetOptions(grid->Options() + goEditing);
  grid->SetCells(1, 1, "old");
  grid->OnSetEditText = [&log](TObject*, int c, int r, const String& v) {
    log.writes.push_back(std::to_string(c) + "," + std::to_string(r) + "=" + v);
  };
  return grid;
}

TEST(StringGrid, TypingIntoACellAndCommittingWithEnter) {
  EditLog log;
  auto grid = EditingGrid(log);
  EXPECT_EQ(grid->Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
  Type(grid.get(), "n");  // a character opens the editor over the cell, replacing the text
  ASSERT_TRUE(grid->EditorMode());
  TInplaceEdit* edit = grid->InplaceEditor();
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->BoundsRect(), grid->CellRect(1, 1));
  Type(edit, "ew");
  EXPECT_EQ(grid->Cells(1, 1), "old");  // not written while typing
  Type(edit, "\r");
  EXPECT_EQ(grid->Cells(1, 1), "new");
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_FALSE(edit->Visible());
  EXPECT_EQ(grid->Col(), 1);  // Enter moves nothing
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(log.writes, (std::vector<String>{"1,1=new"}));

  // F2 opens the editor on the cell's text; moving away commits it.
  Key(grid.get(), VK_F2);
  ASSERT_TRUE(grid->EditorMode());
  EXPECT_EQ(edit->Text(), "new");
  Key(edit, VK_END);
  Type(edit, "er");
  Key(edit, VK_DOWN);
  EXPECT_EQ(grid->Cells(1, 1), "newer");
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_FALSE(grid->EditorMode());

  // Enter opens it too.
  Type(grid.get(), "\r");
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(edit->Text(), "");
}

TEST(StringGrid, EscapeDropsTheTyping) {
  EditLog log;
  auto grid = EditingGrid(log);
  Type(grid.get(), "xyz");
  Key(grid->InplaceEditor(), VK_ESCAPE);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_FALSE(grid->InplaceEditor()->Visible());
  EXPECT_EQ(grid->Cells(1, 1), "old");
  EXPECT_TRUE(log.writes.empty());
  // A click on the current cell opens the editor on it.
  TRect r = grid->CellRect(1, 1);
  Click(grid.get(), r.Left + 2, r.Top + 2);
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->InplaceEditor()->Text(), "old");
}

// A menu command runs on the data as the user sees it: a value still being typed reaches its
// cell first, and the editor closes with the focus back on the grid.
TEST(StringGrid, AMenuCommandFindsTheValueStillBeingTypedInItsCell) {
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  form->SetBounds(0, 0, 400, 300);
  auto* grid = New<TStringGrid>(form.get());
  grid->SetParent(form.get());
  grid->SetOptions(grid->Options() + goEditing);
  grid->SetCells(1, 1, "old");
  auto* menu = New<TMainMenu>(form.get());
  String seen;
  TMenuItem* save = menu->Items()->AddItem("&Save", scNone, [&](TObject*) { seen = grid->Cells(1, 1); });
  form->SetMenu(menu);
  form->Show();
  grid->SetFocus();
  Type(grid, "7");
  ASSERT_TRUE(grid->InplaceEditor()->Focused());
  Type(grid->InplaceEditor(), "3");
  SendMessage(form->Handle(), WM_COMMAND, save->Command(), 0);
  EXPECT_EQ(seen, "73");
  EXPECT_EQ(grid->Cells(1, 1), "73");
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_TRUE(grid->Focused());
  save->Click();  // nothing open: the command just runs
  EXPECT_EQ(seen, "73");
}

TEST(StringGrid, AlwaysShownEditorFollowsTheCurrentCell) {
  EditLog log;
  auto grid = EditingGrid(log);
  grid->SetCells(2, 1, "right");
  grid->SetOptions(grid->Options() + goAlwaysShowEditor);
  ASSERT_TRUE(grid->EditorMode());
  TInplaceEdit* edit = grid->InplaceEditor();
  EXPECT_EQ(edit->Text(), "old");
  Type(edit, "A");
  Type(edit, "\r");  // commits and stays
  EXPECT_EQ(grid->Cells(1, 1), "A");
  EXPECT_TRUE(edit->Visible());
  Key(edit, VK_RIGHT);  // at the text's end the arrow leaves the cell
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(edit->Text(), "right");
  EXPECT_EQ(edit->BoundsRect(), grid->CellRect(2, 1));
}

TEST(StringGrid, PaintsFixedCellsLinesSelectionAndText) {
  auto grid = MakeGrid();
  grid->SetBounds(0, 0, 200, 100);
  grid->SetDefaultColWidth(40);
  grid->SetDefaultRowHeight(20);
  grid->SetOptions(grid->Options() + goDrawFocusSelected);
  grid->SetCells(2, 2, "WWW");
  Key(grid.get(), VK_RIGHT, {ssShift});  // selects (1,1)-(2,1)
  TBitmap bitmap(200, 100);
  grid->PaintTo(bitmap.Canvas());
  TCanvas* c = bitmap.Canvas();
  EXPECT_EQ(c->Pixel(10, 10), ColorToRGB(clBtnFace));            // fixed corner cell
  EXPECT_EQ(c->Pixel(40, 10), clBlack);                           // line right of a fixed cell
  EXPECT_EQ(c->Pixel(50, 21), ColorToRGB(clHighlight));          // selected cell (1,1)
  EXPECT_EQ(c->Pixel(90, 30), ColorToRGB(clHighlight));          // selected cell (2,1)
  EXPECT_EQ(c->Pixel(60, 70), ColorToRGB(clWindow));             // plain cell (1,3)
  EXPECT_EQ(c->Pixel(60, 62), clSilver);                          // the line above it (row 2's)
  // The text of (2,2) is drawn inside its cell, 2 pixels in.
  int ink = 0;
  for (int x = 82; x < 122; ++x)
    for (int y = 42; y < 62; ++y)
      if (c->Pixel(x, y) != ColorToRGB(clWindow)) ++ink;
  EXPECT_GT(ink, 10);
  EXPECT_EQ(c->Pixel(83, 43), ColorToRGB(clWindow));  // the margin stays clear
}

TEST(StringGrid, PaintVisitsVisibleCellsRowByRow) {
  auto grid = MakeGrid();
  grid->SetBounds(0, 0, 140, 60);
  grid->SetDefaultColWidth(40);
  grid->SetDefaultRowHeight(20);
  std::vector<std::pair<int, int>> seen;
  grid->OnDrawCell = [&](TObject*, int col, int row, TRect, TGridDrawState) { seen.push_back({col, row}); };
  TBitmap bitmap(140, 60);
  grid->PaintTo(bitmap.Canvas());
  // Rows 0-2 and columns 0-2: the scroll bars take the room of the rest.
  std::vector<std::pair<int, int>> expected;
  for (int r = 0; r < 3; ++r)
    for (int col = 0; col < 3; ++col) expected.push_back({col, r});
  EXPECT_EQ(seen, expected);
}

// ---------------------------------------------------------------------------------------
// Scroll bars and the mouse wheel, through the messages the bars and the wheel send

void ScrollBy(TControl* grid, UINT msg, Word code, int pos = 0) {
  grid->Perform(msg, code | (static_cast<WPARAM>(pos) << 16), 0);
}

LRESULT TurnWheel(TControl* grid, int delta, WPARAM keys = 0, UINT msg = WM_MOUSEWHEEL) {
  return grid->Perform(msg, (keys & 0xFFFF) | (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16),
                       MakeLParam(20, 20));
}

std::unique_ptr<TStringGrid> SizedGrid(int width, int height, int cols, int rows) {
  auto grid = MakeGrid();
  grid->SetBounds(0, 0, width, height);
  grid->SetColCount(cols);
  grid->SetRowCount(rows);
  return grid;
}

// A fixed cell (0,0) in the corner, the fixed row along the top and the fixed column down the
// left whatever the scrolling.
void ExpectFixedCellsInView(TStringGrid* grid) {
  EXPECT_EQ(grid->CellRect(0, 0), Bounds(0, 0, 64, 24));
  EXPECT_EQ(grid->CellRect(grid->LeftCol(), 0).Top, 0);
  EXPECT_EQ(grid->CellRect(0, grid->TopRow()).Left, 0);
}

TEST(GridScrollBars, ShowWhenCellsDoNotFitAndTakeTheirRoomFromTheClientArea) {
  // Cells 64 x 24 with 1-pixel lines: 5 columns need 324 pixels, 5 rows 124; a bar is 17.
  struct Case {
    const char* name;
    int width, height, cols, rows;
    TScrollStyle style;
    bool horz, vert;
  };
  const Case cases[] = {
      {"everything fits", 400, 200, 5, 5, ssBoth, false, false},
      {"too many columns", 400, 200, 10, 5, ssBoth, true, false},
      {"too many rows", 400, 200, 5, 20, ssBoth, false, true},
      {"the vertical bar squeezes the columns", 330, 200, 5, 20, ssBoth, true, true},
      {"the horizontal bar squeezes the rows", 400, 130, 10, 5, ssBoth, true, true},
      {"no bars allowed", 330, 200, 10, 20, ssNone, false, false},
      {"vertical only", 330, 200, 10, 20, ssVertical, false, true},
      {"horizontal only", 330, 200, 10, 20, ssHorizontal, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto grid = SizedGrid(c.width, c.height, c.cols, c.rows);
    grid->SetScrollBars(c.style);
    EXPECT_EQ(grid->ScrollInfo(SB_HORZ).Visible, c.horz);
    EXPECT_EQ(grid->ScrollInfo(SB_VERT).Visible, c.vert);
    EXPECT_EQ(grid->ClientWidth(), c.width - (c.vert ? TCustomGrid::ScrollBarSize : 0));
    EXPECT_EQ(grid->ClientHeight(), c.height - (c.horz ? TCustomGrid::ScrollBarSize : 0));
    // Scrolled to the end, the last row and column show whole, not under a bar.
    ScrollBy(grid.get(), WM_VSCROLL, SB_BOTTOM);
    ScrollBy(grid.get(), WM_HSCROLL, SB_RIGHT);
    TRect last = grid->CellRect(c.cols - 1, c.rows - 1);
    EXPECT_NE(last, TRect{});
    EXPECT_LE(last.Bottom, grid->ClientHeight());
    EXPECT_LE(last.Right, grid->ClientWidth());
    ExpectFixedCellsInView(grid.get());
  }
}

TEST(GridScrollBars, RequestsMoveTheFirstScrollingRowOrColumnWithinTheEnds) {
  auto grid = SizedGrid(300, 200, 12, 20);
  for (UINT msg : {WM_VSCROLL, WM_HSCROLL}) {
    bool vert = msg == WM_VSCROLL;
    SCOPED_TRACE(vert ? "vertical" : "horizontal");
    auto first = [&] { return vert ? grid->TopRow() : grid->LeftCol(); };
    TGridScrollInfo info = grid->ScrollInfo(vert ? SB_VERT : SB_HORZ);
    ASSERT_TRUE(info.Visible);
    EXPECT_EQ(info.Page, vert ? grid->VisibleRowCount() : grid->VisibleColCount());
    int page = info.Page;
    int last = 1 + info.Max;  // one fixed row (column)
    ASSERT_GT(last, 2 + page);
    // The last first row (column) leaves no room for one more.
    EXPECT_EQ(last + page, vert ? grid->RowCount() : grid->ColCount());
    struct Step {
      Word code;
      int pos;
      int first;
    };
    const Step steps[] = {
        {SB_LINEDOWN, 0, 2},    {SB_LINEDOWN, 0, 3},       {SB_LINEUP, 0, 2},      {SB_PAGEDOWN, 0, 2 + page},
        {SB_PAGEUP, 0, 2},      {SB_PAGEUP, 0, 1},         {SB_LINEUP, 0, 1},      {SB_THUMBPOSITION, 5, 6},
        {SB_THUMBTRACK, 2, 6},  // no thumb tracking: the grid waits for the thumb to be let go
        {SB_BOTTOM, 0, last},   {SB_LINEDOWN, 0, last},    {SB_PAGEDOWN, 0, last}, {SB_THUMBPOSITION, 999, last},
        {SB_TOP, 0, 1},         {SB_ENDSCROLL, 0, 1},
    };
    for (const Step& s : steps) {
      ScrollBy(grid.get(), msg, s.code, s.pos);
      EXPECT_EQ(first(), s.first) << "request " << s.code << " " << s.pos;
      EXPECT_EQ(grid->ScrollInfo(vert ? SB_VERT : SB_HORZ).Position, s.first - 1);
      EXPECT_EQ(grid->Col(), 1);  // the current cell stays
      EXPECT_EQ(grid->Row(), 1);
      ExpectFixedCellsInView(grid.get());
    }
    grid->SetOptions(grid->Options() + goThumbTracking);
    ScrollBy(grid.get(), msg, SB_THUMBTRACK, 2);
    EXPECT_EQ(first(), 3);
    grid->SetOptions(grid->Options() - goThumbTracking);
    ScrollBy(grid.get(), msg, SB_TOP);
  }
  // A request from a scroll-bar control (LParam names it) is not the grid's.
  grid->Perform(WM_VSCROLL, SB_LINEDOWN, 1234);
  EXPECT_EQ(grid->TopRow(), 1);
  // The keyboard's scrolling shows on the bar too.
  Key(grid.get(), VK_END, {ssCtrl});
  EXPECT_EQ(grid->ScrollInfo(SB_VERT).Position, grid->TopRow() - 1);
  EXPECT_EQ(grid->ScrollInfo(SB_VERT).Position, grid->ScrollInfo(SB_VERT).Max);
}

TEST(GridScrollBars, TheWheelScrollsThreeRowsANotchAndColumnsWithShift) {
  auto grid = SizedGrid(300, 200, 20, 40);
  int lastRow = 1 + grid->ScrollInfo(SB_VERT).Max;
  int lastCol = 1 + grid->ScrollInfo(SB_HORZ).Max;
  struct Turn {
    const char* name;
    UINT msg;
    WPARAM keys;
    int delta;
    int top, left;
  };
  const Turn turns[] = {
      {"a notch towards the user", WM_MOUSEWHEEL, 0, -120, 4, 1},
      {"two notches at once", WM_MOUSEWHEEL, 0, -240, 10, 1},
      {"a notch away", WM_MOUSEWHEEL, 0, 120, 7, 1},
      {"a third of a notch", WM_MOUSEWHEEL, 0, -40, 7, 1},
      {"two thirds", WM_MOUSEWHEEL, 0, -40, 7, 1},
      {"the turns make a notch", WM_MOUSEWHEEL, 0, -40, 10, 1},
      {"with Shift: columns", WM_MOUSEWHEEL, MK_SHIFT, -120, 10, 4},
      {"a horizontal wheel to the left", WM_MOUSEHWHEEL, 0, -120, 10, 1},
      {"a horizontal wheel to the right", WM_MOUSEHWHEEL, 0, 120, 10, 4},
      {"far away: the top", WM_MOUSEWHEEL, 0, 1200, 1, 4},
      {"far towards: the end", WM_MOUSEWHEEL, 0, -12000, lastRow, 4},
      {"far right: the end", WM_MOUSEHWHEEL, 0, 12000, lastRow, lastCol},
  };
  for (const Turn& t : turns) {
    SCOPED_TRACE(t.name);
    EXPECT_EQ(TurnWheel(grid.get(), t.delta, t.keys, t.msg), 1);
    EXPECT_EQ(grid->TopRow(), t.top);
    EXPECT_EQ(grid->LeftCol(), t.left);
    EXPECT_EQ(grid->Row(), 1);  // the wheel moves the view, not the current cell
    EXPECT_EQ(grid->Col(), 1);
    ExpectFixedCellsInView(grid.get());
  }
  // A view of two rows scrolls two a notch: no row goes by unseen.
  auto small = SizedGrid(300, 24 + 1 + 2 * 25 + TCustomGrid::ScrollBarSize, 20, 40);
  ASSERT_EQ(small->VisibleRowCount(), 2);
  TurnWheel(small.get(), -120);
  EXPECT_EQ(small->TopRow(), 3);
}

TEST(GridScrollBars, TheOpenEditorFollowsItsCellAndHidesWhileItIsOutOfView) {
  EditLog log;
  auto grid = EditingGrid(log);
  grid->SetBounds(0, 0, 320, 300);
  grid->SetRowCount(30);
  grid->SetRow(5);
  ASSERT_EQ(grid->TopRow(), 1);
  Type(grid.get(), "ab");
  TInplaceEdit* edit = grid->InplaceEditor();
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(edit->Visible());

  ScrollBy(grid.get(), WM_VSCROLL, SB_LINEDOWN);
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->BoundsRect(), grid->CellRect(1, 5));
  TurnWheel(grid.get(), -120);
  ASSERT_EQ(grid->TopRow(), 5);
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->BoundsRect(), grid->CellRect(1, 5));

  ScrollBy(grid.get(), WM_VSCROLL, SB_LINEDOWN);  // row 5 goes out of view
  EXPECT_FALSE(edit->Visible());
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->Cells(1, 5), "");  // nothing written yet
  EXPECT_TRUE(log.writes.empty());

  ScrollBy(grid.get(), WM_VSCROLL, SB_TOP);  // back: the typing is still there
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->BoundsRect(), grid->CellRect(1, 5));
  EXPECT_EQ(edit->Text(), "ab");

  // Typing while the cell is out of view brings it back.
  ScrollBy(grid.get(), WM_VSCROLL, SB_BOTTOM);
  EXPECT_FALSE(edit->Visible());
  Type(grid.get(), "c");
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->BoundsRect(), grid->CellRect(1, 5));
  EXPECT_EQ(edit->Text(), "abc");
  Type(edit, "\r");
  EXPECT_EQ(grid->Cells(1, 5), "abc");
  EXPECT_EQ(log.writes, (std::vector<String>{"1,5=abc"}));
}

TEST(GridScrollBars, FollowCountsSizesAndBounds) {
  auto grid = SizedGrid(300, 200, 4, 100);
  EXPECT_TRUE(grid->ScrollInfo(SB_VERT).Visible);
  EXPECT_FALSE(grid->ScrollInfo(SB_HORZ).Visible);
  int max = grid->ScrollInfo(SB_VERT).Max;
  EXPECT_EQ(max, 100 - 1 - grid->VisibleRowCount());

  // Smaller rows: more to a page, a shorter range.
  grid->SetDefaultRowHeight(10);
  EXPECT_LT(grid->ScrollInfo(SB_VERT).Max, max);
  EXPECT_EQ(grid->ScrollInfo(SB_VERT).Max + grid->VisibleRowCount(), 99);

  // Scrolled to the end, a taller grid shows more rows above rather than space below.
  ScrollBy(grid.get(), WM_VSCROLL, SB_BOTTOM);
  int top = grid->TopRow();
  grid->SetBounds(0, 0, 300, 500);
  EXPECT_LT(grid->TopRow(), top);
  EXPECT_EQ(grid->TopRow(), 1 + grid->ScrollInfo(SB_VERT).Max);
  EXPECT_NE(grid->CellRect(1, 99), TRect{});
  EXPECT_LT(grid->ClientHeight() - grid->CellRect(1, 99).Bottom, 11);  // no room for one more

  // Fewer rows than fit: no bar, and every row in view from the top.
  grid->SetRowCount(5);
  EXPECT_FALSE(grid->ScrollInfo(SB_VERT).Visible);
  EXPECT_EQ(grid->TopRow(), 1);
  EXPECT_EQ(grid->ClientWidth(), 300);

  // A wide column brings the horizontal bar.
  grid->SetColWidths(2, 400);
  EXPECT_TRUE(grid->ScrollInfo(SB_HORZ).Visible);
  EXPECT_EQ(grid->ClientHeight(), 500 - TCustomGrid::ScrollBarSize);
  grid->SetScrollBars(ssNone);
  EXPECT_FALSE(grid->ScrollInfo(SB_HORZ).Visible);
  EXPECT_EQ(grid->ClientHeight(), 500);
}

}  // namespace
