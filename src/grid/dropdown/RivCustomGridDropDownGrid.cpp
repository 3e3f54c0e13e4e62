// TRivColGrid of the grid drop-down: the data grid in the pop-up, its column and row sizing
// from the drop-down's columns and items, and the mouse and keys that choose a row.
#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/ImgList.h"
#include "classlib/ScreenMetrics.h"
#include "classlib/WinApi.h"
#include "grid/dropdown/RivCustomGridDropDown.h"
#include "grid/dropdowns/RivDropDownForm.h"

namespace RivCustomGridDropDown {

namespace {
TCanvas* MeasuringCanvas() {
  static TBitmap bitmap(1, 1);
  return bitmap.Canvas();
}
}  // namespace

TRivColGrid::TRivColGrid(TComponent* AOwner)
    : TRivErodovOzar(AOwner), FColumns(std::make_unique<TDropDownColumns>(this)), FHeaderFont(std::make_unique<TFont>()) {
  SetFixedRowAlways(true);
  SetFixedRows(1);
  SetFixedCols(0);
  TGridOptions options = Options();
  options.Include(goHorzLine);
  options.Include(goRowSelect);
  options.Exclude(goRangeSelect);
  SetOptions(options);
  BorderStyle = bsNone;
  FOldRow = Row();
}

TRivColGrid::~TRivColGrid() = default;

void TRivColGrid::SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }

void TRivColGrid::SetGridLineWidth(int Value) {
  FColGridLineWidth = Value;
  TRivErodovOzar::SetGridLineWidth(0);
  Invalidate();
}

void TRivColGrid::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages != nullptr) FImages->FreeNotification(this);
}

void TRivColGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TRivErodovOzar::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages && !ComponentState().Contains(csDestroying)) FImages = nullptr;
}

void TRivColGrid::DoSelect() {
  if (OnSelect) OnSelect(this);
}

void TRivColGrid::ConfigureFromDropDown(TCustomRivGridDropDown* DropDown) {
  if (DropDown == nullptr) return;
  FRivDropDown = DropDown;
  FColumns->Assign(DropDown->Columns());
  if (ColCount() < FColumns->Count()) SetColCount(FColumns->Count());
  if (DropDown->UseItems) SetRowCount(DropDown->Items()->Count() + 1);
  for (int i = 0; i < DropDown->Columns()->Count(); ++i) SetColWidths(i, DropDown->Columns()->Items(i)->Width);
  LineColor = DropDown->LineColor;
  FixedLineColor = DropDown->FixedLineColor;
  HeaderColor = DropDown->HeaderColor;
  HeaderColorTo = DropDown->HeaderColorTo;
  HeaderHeight = DropDown->HeaderHeight;
  FHeaderFont->Assign(DropDown->HeaderFont());
  SetHoverRow(DropDown->HoverRow);
  SetHoverRowColor(DropDown->HoverRowColor);
  SetHoverRowColorTo(DropDown->HoverRowColorTo);
  SetImages(DropDown->Images());
  SetDefaultRowHeight(DropDown->DropDownRowHeight);
  SetRowHeights(0, HeaderHeight);
  TGridOptions options = Options();
  auto set = [&](TGridOption Option, bool On) {
    if (On)
      options.Include(Option);
    else
      options.Exclude(Option);
  };
  set(goColSizing, DropDown->ColumnSizing);
  set(goColMoving, DropDown->ColumnMoving);
  set(goRowSizing, DropDown->RowSizing);
  set(goRowMoving, DropDown->RowMoving);
  SetOptions(options);
  AutoSizeColumns();
  WordWrapRows();
}

void TRivColGrid::FillGrid() {
  if (FRivDropDown == nullptr) return;
  if (ColCount() != FColumns->Count() && FColumns->Count() > 0) SetColCount(FColumns->Count());
  for (int i = 0; i < FColumns->Count(); ++i) {
    SetCells(i, 0, FColumns->Items(i)->Header);
    SetCellObject(i, 0, -1);
  }
  TDropDownItems* items = FRivDropDown->Items();
  for (int r = 0; r < items->Count() && r + 1 < RowCount(); ++r) {
    TDropDownItem* item = items->Items(r);
    for (int i = 0; i < FColumns->Count(); ++i) SetCells(i, r + 1, item->ColumnText(i));
    SetCellObject(0, r + 1, r);
  }
}

// Grid mode measures the grid's own cells: its items need not match its rows.
void TRivColGrid::MeasuredItem(int ARow, int ACol, String& Text, int& ImageIndex) const {
  Text.clear();
  ImageIndex = -1;
  const bool image = ACol < FColumns->Count() && FColumns->Items(ACol)->ColumnType == ctImage;
  if (!FRivDropDown->UseItems) {
    Text = const_cast<TRivColGrid*>(this)->GetRawCellText(ACol, ARow);
    return;
  }
  TDropDownItems* items = FRivDropDown->Items();
  if (ARow - 1 < 0 || ARow - 1 >= items->Count()) return;
  TDropDownItem* item = items->Items(ARow - 1);
  if (ACol >= item->Text()->Count()) return;
  Text = item->Text()->Strings(ACol);
  if (image) ImageIndex = item->ImageIndex;
}

void TRivColGrid::AutoSizeColumns() {
  for (int i = 0; i < FColumns->Count(); ++i)
    if (FColumns->Items(i)->AutoSize) AutoSizeColumn(i);
}

void TRivColGrid::AutoSizeColumn(int ACol) {
  if (FRivDropDown == nullptr || Parent() != FRivDropDown->DropDownForm() || ACol >= FColumns->Count()) return;
  TDropDownColumn* column = FColumns->Items(ACol);
  TCanvas* canvas = MeasuringCanvas();
  canvas->Font()->Assign(column->Font());
  int widest = 0;
  for (int r = 1; r < RowCount(); ++r) {
    String text;
    int image = -1;
    MeasuredItem(r, ACol, text, image);
    int width = 0;
    if (image >= 0 && FImages != nullptr) width += FImages->Width() + 4;
    if (!text.empty()) {
      TRect box = Rect(0, 0, 1000, 500);
      canvas->DrawText(text, box, DT_CALCRECT | DT_SINGLELINE);
      width += box.Width() + 6;
    }
    widest = std::max(widest, width);
  }
  column->Width = widest;
  if (FRivDropDown != nullptr && ACol < FRivDropDown->Columns()->Count())
    FRivDropDown->Columns()->Items(ACol)->Width = widest;
  SetColWidths(ACol, widest);
}

void TRivColGrid::WordWrapRows() {
  if (FRivDropDown == nullptr || Parent() != FRivDropDown->DropDownForm()) return;
  bool any = false;
  for (int c = 0; c < FColumns->Count(); ++c) any = any || FColumns->Items(c)->Wordwrap;
  if (!any) return;
  TCanvas* canvas = MeasuringCanvas();
  const int columns = std::min(ColCount(), FColumns->Count());
  for (int r = FixedRows(); r < RowCount(); ++r) {
    int height = 24;
    for (int c = 0; c < columns; ++c) {
      TDropDownColumn* column = FColumns->Items(c);
      if (!column->Wordwrap) continue;
      String text;
      int image = -1;
      MeasuredItem(r, c, text, image);
      int cell = 0;
      if (image >= 0 && FImages != nullptr) cell = FImages->Height() + 6;
      if (!text.empty()) {
        canvas->Font()->Assign(column->Font());
        TRect box = Rect(0, 0, ColWidths(c), 500);
        canvas->DrawText(text, box, DT_CALCRECT | DT_WORDBREAK);
        cell = std::max(cell, box.Height() + 6);
      }
      height = std::max(height, cell);
    }
    SetRowHeights(r, height);
  }
}

int TRivColGrid::GetPreferredWidth() {
  int width = 0;
  for (int i = 0; i < ColCount(); ++i) width += ColWidths(i);
  if (VisibleRowCount() + FixedRows() != RowCount()) width += GetSystemMetrics(SM_CXVSCROLL);
  return width;
}

void TRivColGrid::KeyDown(Word& Key, TShiftState Shift) {
  FConfirmSelection = true;
  TRivErodovOzar::KeyDown(Key, Shift);
}

void TRivColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FConfirmSelection = true;
  FOldRow = Row();
  TRivErodovOzar::MouseDown(Button, Shift, X, Y);
}

void TRivColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TRivErodovOzar::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.Y >= FixedRows() && cell.Y < RowCount() && cell.X >= 0 && !HasCheckBox(cell.X, cell.Y)) DoSelect();
}

// A wheel turn moves the current row without choosing it.
bool TRivColGrid::Wheel(bool Down, TShiftState Shift, TPoint MousePos) {
  FMouseWheelSelection = true;
  FConfirmSelection = false;
  const bool handled = Down ? TRivErodovOzar::DoMouseWheelDown(Shift, MousePos)
                            : TRivErodovOzar::DoMouseWheelUp(Shift, MousePos);
  FMouseWheelSelection = false;
  return handled;
}

bool TRivColGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) { return Wheel(true, Shift, MousePos); }
bool TRivColGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) { return Wheel(false, Shift, MousePos); }

void TRivColGrid::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
      return;
    case WM_KEYDOWN:
      // Taken before the grid's key handling, which tells the drop-down of every key first.
      FConfirmSelection = true;
      if (Message.WParam == VK_TAB) return;
      if (GetKeyState(VK_MENU) < 0 && (Message.WParam == VK_UP || Message.WParam == VK_DOWN)) {
        if (FRivDropDown != nullptr) FRivDropDown->Perform(WM_KEYDOWN, Message.WParam, 0);
        return;
      }
      if (Message.WParam == VK_RETURN) {
        Message.WParam = 0;
        TRivErodovOzar::WndProc(Message);
        DoSelect();
        return;
      }
      break;
    case WM_CHAR:
      if (Message.WParam == VK_RETURN) {
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TRivErodovOzar::WndProc(Message);
}

}  // namespace RivCustomGridDropDown
