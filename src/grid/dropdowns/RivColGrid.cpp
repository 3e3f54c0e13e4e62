// TRivColGrid: the list of the multi-column drop-down, painted cell by cell from the
// drop-down's columns and items (its own cells hold no text).
#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/ImgList.h"
#include "classlib/Math.h"
#include "classlib/ScreenMetrics.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivMultiColumnDropDown.h"

namespace RivMultiColumnDropDown {

namespace {

// The list's own vertical gradient when it has no drop-down to ask.
void DrawListGradient(TCanvas* Canvas, TColor From, TColor To, int Steps, TRect R) {
  R.Bottom -= 1;
  const TColor a = ColorToRGB(From);
  const TColor b = ColorToRGB(To);
  const double height = R.Height();
  for (int k = 0; k < Steps; ++k) {
    auto channel = [&](int ca, int cb) { return ca + static_cast<int>(Round(k * ((cb - ca) / static_cast<double>(Steps)))); };
    const TColor c = RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
                         channel(GetBValue(a), GetBValue(b)));
    Canvas->Brush()->SetColor(c);
    Canvas->Pen()->SetColor(c);
    const int top = R.Top + static_cast<int>(Round(k * height / Steps));
    const int band = static_cast<int>(Round(height / Steps)) + 1;
    Canvas->Rectangle(R.Left, top, R.Right, top + band);
  }
}

}  // namespace

TRivColGrid::TRivColGrid(TComponent* AOwner)
    : TStringGrid(AOwner), FColumns(std::make_unique<TDropDownColumns>(this)), FHeaderFont(std::make_unique<TFont>()) {
  SetFixedRows(1);
  SetFixedCols(0);
  TGridOptions options = Options();
  options.Include(goHorzLine);
  options.Include(goRowSelect);
  options.Exclude(goRangeSelect);
  options.Exclude(goDrawFocusSelected);
  SetOptions(options);
  SetDefaultDrawing(false);
  SetGridLineWidth(0);
  FGridLineWidth = 1;
  TabStop = true;
  FOldRow = Row();
}

TRivColGrid::~TRivColGrid() = default;

void TRivColGrid::SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }

void TRivColGrid::SetGridLineWidth(int Value) {
  FGridLineWidth = Value;
  TStringGrid::SetGridLineWidth(0);
  Invalidate();
}

void TRivColGrid::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages != nullptr) FImages->FreeNotification(this);
}

void TRivColGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TStringGrid::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages && !ComponentState().Contains(csDestroying)) FImages = nullptr;
}

void TRivColGrid::DoSelect() {
  if (OnSelect) OnSelect(this);
}

TCanvas* TRivColGrid::MeasuringCanvas() {
  static TBitmap bitmap(1, 1);
  return bitmap.Canvas();
}

void TRivColGrid::ConfigureFromDropDown(TRivMultiColumnDropDown* DropDown) {
  if (DropDown == nullptr) return;
  FRivDropDown = DropDown;
  FColumns->Assign(DropDown->Columns());
  SetColCount(std::max(1, FColumns->Count()));
  const int items = DropDown->Items()->Count();
  SetRowCount(items + 1);
  if (items + 1 > 1) {
    SetRow(1);
    SetFixedRows(1);
    SetRowCount(items + 1);
  }
  for (int i = 0; i < FColumns->Count(); ++i) SetColWidths(i, FColumns->Items(i)->Width);
  LineColor = DropDown->LineColor();
  FixedLineColor = DropDown->FixedLineColor;
  HeaderColor = DropDown->HeaderColor;
  HeaderColorTo = DropDown->HeaderColorTo;
  HeaderHeight = DropDown->HeaderHeight();
  FHeaderFont->Assign(DropDown->HeaderFont());
  SetImages(DropDown->Images());
  SetDefaultRowHeight(DropDown->DropDownRowHeight);
  SetRowHeights(0, HeaderHeight);
  TGridOptions options = Options();
  if (DropDown->ColumnSizing)
    options.Include(goColSizing);
  else
    options.Exclude(goColSizing);
  SetOptions(options);
  AutoSizeColumns();
  WordWrapRows();
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
    if (r - 1 >= FRivDropDown->Items()->Count()) break;
    TDropDownItem* item = FRivDropDown->Items()->Items(r - 1);
    const bool has = ACol < item->Text()->Count();
    const String text = has ? item->Text()->Strings(ACol) : String();
    const int image = has && column->ColumnType == ctImage ? item->ImageIndex : -1;
    int width = 0;
    if (image >= 0 && FImages != nullptr) width += FImages->Width() + 4;
    if (!text.empty()) {
      TRect r0 = Rect(0, 0, 1000, 500);
      canvas->DrawText(text, r0, DT_CALCRECT | DT_SINGLELINE);
      width += r0.Width() + 6;
    }
    widest = std::max(widest, width);
  }
  column->Width = widest;
  SetColWidths(ACol, widest);
}

void TRivColGrid::WordWrapRows() {
  if (FRivDropDown == nullptr || Parent() != FRivDropDown->DropDownForm()) return;
  bool any = false;
  for (int c = 0; c < FColumns->Count(); ++c) any = any || FColumns->Items(c)->Wordwrap;
  if (!any) return;
  TCanvas* canvas = MeasuringCanvas();
  for (int r = 1; r < RowCount() && r - 1 < FRivDropDown->Items()->Count(); ++r) {
    TDropDownItem* item = FRivDropDown->Items()->Items(r - 1);
    int height = 24;
    for (int c = 0; c < FColumns->Count(); ++c) {
      TDropDownColumn* column = FColumns->Items(c);
      if (!column->Wordwrap) continue;
      int cell = 0;
      if (column->ColumnType == ctImage && item->ImageIndex >= 0 && FImages != nullptr) cell = FImages->Height() + 6;
      const String text = item->ColumnText(c);
      if (!text.empty()) {
        canvas->Font()->Assign(column->Font());
        TRect r0 = Rect(0, 0, ColWidths(c), 500);
        canvas->DrawText(text, r0, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL);
        cell = std::max(cell, r0.Height() + 6);
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

void TRivColGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  TCanvas* canvas = Canvas();
  if (FRivDropDown != nullptr && FRivDropDown->OnDropDownDrawItem) {
    FRivDropDown->OnDropDownDrawItem(FRivDropDown, ACol, ARow, canvas, ARect);
    return;
  }
  const int last = ColCount() - 1;
  const int segment = ColCount() == 1 ? 0 : ACol == 0 ? 1 : ACol == last ? 2 : 3;
  TRect r = Bounds(ARect.Left, ARect.Top, ColWidths(ACol), RowHeights(ARow));
  int imageIndex = -1;
  String text = Cells(ACol, ARow);
  TColor color = Color();
  TAlignment alignment = taLeftJustify;
  bool wordwrap = false;
  bool ellipsis = false;
  if (ACol < FColumns->Count() && ACol >= FixedCols()) {
    TDropDownColumn* column = FColumns->Items(ACol);
    color = column->Color;
    alignment = column->Alignment;
    wordwrap = column->Wordwrap;
    ellipsis = column->Ellipsis;
    canvas->Font()->Assign(column->Font());
    if (FRivDropDown != nullptr && ARow > 0 && ARow - 1 < FRivDropDown->Items()->Count()) {
      TDropDownItem* item = FRivDropDown->Items()->Items(ARow - 1);
      if (column->ColumnType == ctImage) imageIndex = item->ImageIndex;
      if (ACol < item->Text()->Count()) text = item->Text()->Strings(ACol);
    }
  } else {
    canvas->Font()->Assign(FHeaderFont.get());
  }
  if (FRivDropDown != nullptr && FRivDropDown->OnDropDownGetItemText)
    FRivDropDown->OnDropDownGetItemText(FRivDropDown, ACol, ARow, text);
  const bool fixed = AState.Contains(gdFixed);
  if (fixed) canvas->Font()->Assign(FHeaderFont.get());
  // The owner may give a cell its own font and colours (a second colour makes a gradient).
  TColor colorTo = clNone;
  TColor headerColor = HeaderColor;
  TColor headerColorTo = HeaderColorTo;
  if (FRivDropDown != nullptr && FRivDropDown->OnDropDownGetItemProp) {
    if (fixed)
      FRivDropDown->OnDropDownGetItemProp(FRivDropDown, ACol, ARow, canvas->Font(), headerColor, headerColorTo);
    else
      FRivDropDown->OnDropDownGetItemProp(FRivDropDown, ACol, ARow, canvas->Font(), color, colorTo);
  }
  if (!fixed && !AState.Contains(gdSelected)) {
    canvas->Pen()->SetColor(color);
    canvas->Brush()->SetColor(color);
    canvas->Pen()->SetWidth(1);
    if (colorTo != clNone && colorTo != color && FRivDropDown != nullptr)
      FRivDropDown->DrawGradientBackground(canvas, color, colorTo, 80, r, gdVertical);
    else
      canvas->Rectangle(r);
  } else if (!fixed) {
    if (FRivDropDown != nullptr) {
      FRivDropDown->DrawSelectionBackground(canvas, r, color, segment);
    } else {
      canvas->Brush()->SetColor(clActiveCaption);
      canvas->FillRect(r);
    }
  } else {
    text = ACol < FColumns->Count() ? FColumns->Items(ACol)->Header : String();
    imageIndex = -1;
    if (headerColor == clNone || headerColorTo == clNone) {
      canvas->Brush()->SetColor(headerColor);
      canvas->FillRect(r);
    } else if (FRivDropDown != nullptr) {
      FRivDropDown->DrawGradientBackground(canvas, headerColor, headerColorTo, 80, r, gdVertical);
    } else {
      DrawListGradient(canvas, headerColor, headerColorTo, 80, r);
    }
  }
  // The lines under and beside the cell.
  int c = 1;
  bool horizontal = false, vertical = false;
  if (!fixed) {
    if (FGridLineWidth > 0) canvas->Pen()->SetColor(LineColor);
    canvas->Pen()->SetWidth(std::max(1, FGridLineWidth));
    c = (FGridLineWidth + 1) / 2;
    horizontal = Options().Contains(goHorzLine);
    vertical = Options().Contains(goVertLine);
  } else {
    canvas->Pen()->SetColor(FixedLineColor);
    canvas->Pen()->SetWidth(1);
    horizontal = Options().Contains(goFixedHorzLine);
    vertical = Options().Contains(goFixedVertLine);
  }
  if (fixed || FGridLineWidth > 0) {
    if (horizontal) {
      canvas->MoveTo(r.Left - c + 1, r.Bottom - c);
      canvas->LineTo(r.Right - c + 1, r.Bottom - c);
    }
    if (vertical) {
      canvas->MoveTo(r.Right - c, r.Bottom - c);
      canvas->LineTo(r.Right - c, r.Top - c);
    }
  }
  canvas->Pen()->SetWidth(1);
  r = Rect(r.Left + FGridLineWidth, r.Top + FGridLineWidth, r.Right - FGridLineWidth, r.Bottom - FGridLineWidth);
  int textLeft = r.Left + 2;
  if (FRivDropDown != nullptr && FRivDropDown->Images() != nullptr && imageIndex >= 0) {
    TCustomImageList* images = FRivDropDown->Images();
    const int top = images->Height() < r.Height() ? r.Top + (r.Height() - images->Height()) / 2 : r.Top;
    images->Draw(canvas, r.Left + 2, top, imageIndex, true);
    textLeft = r.Left + images->Width() + 4;
  }
  if (text.empty()) return;
  canvas->SetBkMode(TRANSPARENT);
  canvas->Brush()->SetStyle(bsClear);
  if (!fixed && AState.Contains(gdSelected) && FRivDropDown != nullptr)
    canvas->Font()->SetColor(FRivDropDown->SelectionTextColor);
  uint32_t format = DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER;
  format |= alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
  format |= wordwrap ? (DT_WORDBREAK | DT_EDITCONTROL) : DT_SINGLELINE;
  if (ellipsis) format |= DT_END_ELLIPSIS;
  TRect tr = Rect(textLeft, r.Top, r.Right, r.Bottom);
  canvas->DrawText(text, tr, format);
}

void TRivColGrid::KeyDown(Word& Key, TShiftState Shift) {
  FConfirmSelection = true;
  if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
    if (FRivDropDown != nullptr) FRivDropDown->Perform(WM_KEYDOWN, Key, 0);
    return;
  }
  TStringGrid::KeyDown(Key, Shift);
  if (Key == VK_RETURN) DoSelect();
}

void TRivColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FConfirmSelection = true;
  FOldRow = Row();
  TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TRivColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TStringGrid::MouseUp(Button, Shift, X, Y);
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.Y >= FixedRows() && cell.Y < RowCount()) DoSelect();
}

// One notch moves the current row one way, without choosing it.
bool TRivColGrid::Wheel(int Step) {
  FMouseWheelSelection = true;
  FConfirmSelection = false;
  const int row = std::clamp(Row() + Step, FixedRows(), RowCount() - 1);
  if (row != Row()) SetRow(row);
  FMouseWheelSelection = false;
  return true;
}

bool TRivColGrid::DoMouseWheelDown(TShiftState, TPoint) { return Wheel(1); }
bool TRivColGrid::DoMouseWheelUp(TShiftState, TPoint) { return Wheel(-1); }

void TRivColGrid::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
      return;
    case WM_KEYDOWN:
      if (Message.WParam == VK_TAB) {
        Message.WParam = 0;
        return;
      }
      break;
    default:
      break;
  }
  TStringGrid::WndProc(Message);
}

}  // namespace RivMultiColumnDropDown
