// The grids' model: counts, sizes, current cell, selection, scrolling, geometry, and the
// string grid's cell store. Input and the inplace editor are in GridInput.cpp, painting in
// GridPaint.cpp.
#include "classlib/Grids.h"

#include <algorithm>

#include "classlib/Colors.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Math.h"
#include "classlib/qt/PaintGlue.h"
#include "classlib/qt/ScrollBars.h"

namespace {

int Clamp(int Value, int Low, int High) { return std::max(Low, std::min(Value, High)); }

}  // namespace

// ---------------------------------------------------------------------------------------
// TCustomGrid: counts and sizes

TCustomGrid::TCustomGrid(TComponent* AOwner)
    : TCustomControl(AOwner),
      FColWidths(5, 64),
      FRowHeights(5, 24),
      FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect},
      FFixedColor(clBtnFace) {
  InstallPaintGlue();
  FColor = clWindow;
  TabStop = true;
  ControlStyle += TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csClickEvents};
  SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::SetColCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == FColCount) return;
  if (Value <= FFixedCols) SetFixedCols(Value - 1);
  int oldCols = FColCount;
  FColCount = Value;
  FColWidths.resize(static_cast<size_t>(Value), FDefaultColWidth);
  ClampToCounts();
  UpdateScrollRange();
  SizeChanged(oldCols, FRowCount);
  Invalidate();
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == FRowCount) return;
  if (Value <= FFixedRows) SetFixedRows(Value - 1);
  int oldRows = FRowCount;
  FRowCount = Value;
  FRowHeights.resize(static_cast<size_t>(Value), FDefaultRowHeight);
  ClampToCounts();
  UpdateScrollRange();
  SizeChanged(FColCount, oldRows);
  Invalidate();
}

// Changing a fixed count starts over at the first scrolling cell, as the platform grid does.
void TCustomGrid::SetFixedCols(int Value) {
  if (Value < 0) throw EInvalidGridOperation("Grid index out of range");
  if (Value >= FColCount) throw EInvalidGridOperation("Fixed column count must be less than column count");
  FFixedCols = Value;
  if (FEditorMode) HideEdit(true);
  FTopLeft.X = FFixedCols;
  FCurrent.X = FAnchor.X = FFixedCols;
  UpdateScrollRange();
  if (FEditorMode) UpdateEdit();
  Invalidate();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value < 0) throw EInvalidGridOperation("Grid index out of range");
  if (Value >= FRowCount) throw EInvalidGridOperation("Fixed row count must be less than row count");
  FFixedRows = Value;
  if (FEditorMode) HideEdit(true);
  FTopLeft.Y = FFixedRows;
  FCurrent.Y = FAnchor.Y = FFixedRows;
  UpdateScrollRange();
  if (FEditorMode) UpdateEdit();
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  FDefaultColWidth = Value;
  std::fill(FColWidths.begin(), FColWidths.end(), Value);
  UpdateScrollRange();
  ColWidthsChanged();
  Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  FDefaultRowHeight = Value;
  std::fill(FRowHeights.begin(), FRowHeights.end(), Value);
  UpdateScrollRange();
  RowHeightsChanged();
  Invalidate();
}

int TCustomGrid::ColWidths(int Index) const {
  if (Index < 0 || Index >= FColCount) return FDefaultColWidth;
  return FColWidths[static_cast<size_t>(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (Index < 0 || Index >= FColCount) return;
  if (FColWidths[static_cast<size_t>(Index)] == Value) return;
  FColWidths[static_cast<size_t>(Index)] = Value;
  UpdateScrollRange();
  ColWidthsChanged();
  Invalidate();
}

void TCustomGrid::ChangeScale(int M, int D) {
  if (M == D || D == 0) return;
  TCustomControl::ChangeScale(M, D);
  FDefaultColWidth = MulDiv(FDefaultColWidth, M, D);
  FDefaultRowHeight = MulDiv(FDefaultRowHeight, M, D);
  for (int& w : FColWidths) w = MulDiv(w, M, D);
  for (int& h : FRowHeights) h = MulDiv(h, M, D);
  UpdateScrollRange();
  ColWidthsChanged();
  RowHeightsChanged();
  Invalidate();
}

int TCustomGrid::RowHeights(int Index) const {
  if (Index < 0 || Index >= FRowCount) return FDefaultRowHeight;
  return FRowHeights[static_cast<size_t>(Index)];
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (Index < 0 || Index >= FRowCount) return;
  if (FRowHeights[static_cast<size_t>(Index)] == Value) return;
  FRowHeights[static_cast<size_t>(Index)] = Value;
  UpdateScrollRange();
  RowHeightsChanged();
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  FGridLineWidth = std::max(Value, 0);
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  if (!FOptions.Contains(goEditing)) {
    HideEditor();
  } else if (FOptions.Contains(goAlwaysShowEditor)) {
    ShowEditor();
  }
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  FDefaultDrawing = Value;
  Invalidate();
}

// ---------------------------------------------------------------------------------------
// Current cell, selection, scrolling

void TCustomGrid::SetCol(int Value) {
  if (Value != FCurrent.X) FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value) {
  if (Value != FCurrent.Y) FocusCell(FCurrent.X, Value, true);
}

TGridRect TCustomGrid::Selection() const {
  TGridRect r{std::min(FCurrent.X, FAnchor.X), std::min(FCurrent.Y, FAnchor.Y),
              std::max(FCurrent.X, FAnchor.X), std::max(FCurrent.Y, FAnchor.Y)};
  if (FOptions.Contains(goRowSelect)) {
    r.Left = FFixedCols;
    r.Right = FColCount - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  TGridCoord anchor{Clamp(Value.Left, FFixedCols, FColCount - 1), Clamp(Value.Top, FFixedRows, FRowCount - 1)};
  MoveColRow(Value.Right, Value.Bottom, true, true);
  if (FCurrent == TGridCoord{Clamp(Value.Right, FFixedCols, FColCount - 1), Clamp(Value.Bottom, FFixedRows, FRowCount - 1)}) {
    FAnchor = anchor;
    Invalidate();
  }
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
  MoveColRow(ACol, ARow, MoveAnchor, true);
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
  ACol = Clamp(ACol, FFixedCols, FColCount - 1);
  ARow = Clamp(ARow, FFixedRows, FRowCount - 1);
  bool moves = ACol != FCurrent.X || ARow != FCurrent.Y;
  if (moves) {
    if (!SelectCell(ACol, ARow)) return;
    // The editor's text belongs to the cell being left.
    if (FEditorMode) HideEdit(true);
  }
  FCurrent = {ACol, ARow};
  if (MoveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
  if (Show) ScrollIntoView(ACol, ARow);
  Invalidate();
  if (moves && FEditorMode) {
    if (FOptions.Contains(goAlwaysShowEditor))
      UpdateEdit();
    else
      FEditorMode = false;
  }
}

void TCustomGrid::ClampToCounts() {
  if (FEditorMode && (FEditCol >= FColCount || FEditRow >= FRowCount)) CancelEditor();
  FCurrent = {Clamp(FCurrent.X, FFixedCols, FColCount - 1), Clamp(FCurrent.Y, FFixedRows, FRowCount - 1)};
  FAnchor = {Clamp(FAnchor.X, FFixedCols, FColCount - 1), Clamp(FAnchor.Y, FFixedRows, FRowCount - 1)};
  TGridCoord topLeft{Clamp(FTopLeft.X, FFixedCols, FColCount - 1), Clamp(FTopLeft.Y, FFixedRows, FRowCount - 1)};
  if (!(topLeft == FTopLeft)) {
    FTopLeft = topLeft;
    TopLeftChanged();
  }
}

int TCustomGrid::VisibleRowsFrom(int ATop) const {
  int y = 0;
  for (int r = 0; r < FFixedRows; ++r) y += RowHeights(r) + FGridLineWidth;
  int count = 0;
  for (int r = ATop; r < FRowCount; ++r) {
    if (y + RowHeights(r) > ClientHeight()) break;
    y += RowHeights(r) + FGridLineWidth;
    ++count;
  }
  return count;
}

int TCustomGrid::VisibleColsFrom(int ALeft) const {
  int x = 0;
  for (int c = 0; c < FFixedCols; ++c) x += ColWidths(c) + FGridLineWidth;
  int count = 0;
  for (int c = ALeft; c < FColCount; ++c) {
    if (x + ColWidths(c) > ClientWidth()) break;
    x += ColWidths(c) + FGridLineWidth;
    ++count;
  }
  return count;
}

int TCustomGrid::VisibleRowCount() const { return VisibleRowsFrom(FTopLeft.Y); }
int TCustomGrid::VisibleColCount() const { return VisibleColsFrom(FTopLeft.X); }

int TCustomGrid::LastTopRow() const {
  int top = FRowCount - 1;
  while (top > FFixedRows && VisibleRowsFrom(top - 1) >= FRowCount - (top - 1)) --top;
  return std::max(top, FFixedRows);
}

int TCustomGrid::LastLeftCol() const {
  int left = FColCount - 1;
  while (left > FFixedCols && VisibleColsFrom(left - 1) >= FColCount - (left - 1)) --left;
  return std::max(left, FFixedCols);
}

void TCustomGrid::ScrollIntoView(int ACol, int ARow) {
  TGridCoord topLeft = FTopLeft;
  if (ARow >= FFixedRows) {
    if (ARow < topLeft.Y) topLeft.Y = ARow;
    while (topLeft.Y < ARow && ARow >= topLeft.Y + VisibleRowsFrom(topLeft.Y)) ++topLeft.Y;
  }
  if (ACol >= FFixedCols && !FOptions.Contains(goRowSelect)) {
    if (ACol < topLeft.X) topLeft.X = ACol;
    while (topLeft.X < ACol && ACol >= topLeft.X + VisibleColsFrom(topLeft.X)) ++topLeft.X;
  }
  SetTopLeft(topLeft.X, topLeft.Y);
}

void TCustomGrid::SetTopLeft(int ALeft, int ATop) {
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  FTopLeft = {ALeft, ATop};
  PlaceEditor();
  Invalidate();
  UpdateScrollPos();
  TopLeftChanged();
}

void TCustomGrid::SetTopRow(int Value) {
  if (Value < FFixedRows || Value >= FRowCount) return;
  SetTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::SetLeftCol(int Value) {
  if (Value < FFixedCols || Value >= FColCount) return;
  SetTopLeft(Value, FTopLeft.Y);
}

// ---------------------------------------------------------------------------------------
// Scroll bars

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  UpdateScrollRange();
}

TRect TCustomGrid::ClientRect() const {
  return Rect(0, 0, std::max(0, Width() - (FVertBar ? ScrollBarSize : 0)),
              std::max(0, Height() - (FHorzBar ? ScrollBarSize : 0)));
}

// Whether every row (column) fits into Extent pixels, by the rule VisibleRowsFrom counts by: a
// cell fits when it does without the line after it.
bool TCustomGrid::AllFit(bool Rows, int Extent) const {
  int count = Rows ? FRowCount : FColCount;
  int pos = 0;
  for (int i = 0; i < count; ++i) {
    int size = Rows ? RowHeights(i) : ColWidths(i);
    if (pos + size > Extent) return false;
    pos += size + FGridLineWidth;
  }
  return true;
}

void TCustomGrid::UpdateScrollRange() {
  bool allowHorz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  bool allowVert = FScrollBars == ssVertical || FScrollBars == ssBoth;
  // Each bar narrows the room the other direction has, so the answer may take another round.
  bool horz = false, vert = false;
  for (int round = 0; round < 3; ++round) {
    bool h = allowHorz && !AllFit(false, Width() - (vert ? ScrollBarSize : 0));
    bool v = allowVert && !AllFit(true, Height() - (horz ? ScrollBarSize : 0));
    if (h == horz && v == vert) break;
    horz = h;
    vert = v;
  }
  if (horz != FHorzBar || vert != FVertBar) {
    FHorzBar = horz;
    FVertBar = vert;
    Invalidate();
  }
  // More room leaves no empty space past the last row or column.
  TGridCoord topLeft{std::min(FTopLeft.X, LastLeftCol()), std::min(FTopLeft.Y, LastTopRow())};
  if (!(topLeft == FTopLeft))
    SetTopLeft(topLeft.X, topLeft.Y);
  PlaceEditor();
  UpdateScrollPos();
}

TGridScrollInfo TCustomGrid::ScrollInfo(int Bar) const {
  TGridScrollInfo info;
  if (Bar == SB_VERT) {
    info.Visible = FVertBar;
    info.Position = FTopLeft.Y - FFixedRows;
    info.Max = LastTopRow() - FFixedRows;
    info.Page = std::max(1, VisibleRowCount());
  } else {
    info.Visible = FHorzBar;
    info.Position = FTopLeft.X - FFixedCols;
    info.Max = LastLeftCol() - FFixedCols;
    info.Page = std::max(1, VisibleColCount());
  }
  return info;
}

void TCustomGrid::UpdateScrollPos() {
  if (View() == nullptr) return;
  auto state = [this](int Bar) {
    TGridScrollInfo info = ScrollInfo(Bar);
    return Views::ScrollBarState{info.Visible, info.Max, info.Page, info.Position};
  };
  Views::ApplyScrollBars(this, state(SB_HORZ), state(SB_VERT), ScrollBarSize);
}

void TCustomGrid::UpdateView() {
  TCustomControl::UpdateView();
  UpdateScrollPos();
}

void TCustomGrid::Resize() {
  UpdateScrollRange();
  TCustomControl::Resize();
}

void TCustomGrid::ScrollTo(bool Columns, int Target) {
  int fixed = Columns ? FFixedCols : FFixedRows;
  int last = Columns ? LastLeftCol() : LastTopRow();
  Target = Clamp(Target, fixed, std::max(fixed, last));
  if (Columns)
    SetTopLeft(Target, FTopLeft.Y);
  else
    SetTopLeft(FTopLeft.X, Target);
}

// A request from a scroll bar; the thumb's position counts from the first scrolling row (column).
void TCustomGrid::ScrollRequest(int Bar, Word Code, int Pos) {
  bool columns = Bar == SB_HORZ;
  int first = columns ? FTopLeft.X : FTopLeft.Y;
  int fixed = columns ? FFixedCols : FFixedRows;
  int page = std::max(1, columns ? VisibleColCount() : VisibleRowCount());
  switch (Code) {
    case SB_LINEUP: ScrollTo(columns, first - 1); break;
    case SB_LINEDOWN: ScrollTo(columns, first + 1); break;
    case SB_PAGEUP: ScrollTo(columns, first - page); break;
    case SB_PAGEDOWN: ScrollTo(columns, first + page); break;
    case SB_THUMBTRACK:
      // Without thumb tracking the grid moves when the thumb is let go.
      if (FOptions.Contains(goThumbTracking)) ScrollTo(columns, fixed + Pos);
      break;
    case SB_THUMBPOSITION: ScrollTo(columns, fixed + Pos); break;
    case SB_TOP: ScrollTo(columns, fixed); break;
    case SB_BOTTOM: ScrollTo(columns, columns ? LastLeftCol() : LastTopRow()); break;
    default: break;
  }
  // The bar shows the grid's position again, also when nothing moved.
  UpdateScrollPos();
}

// ---------------------------------------------------------------------------------------
// Geometry

int TCustomGrid::ColumnStart(int ACol) const {
  if (ACol < 0 || ACol >= FColCount || (ACol >= FFixedCols && ACol < FTopLeft.X)) return -1;
  int x = 0;
  for (int c = 0; c < std::min(ACol, FFixedCols); ++c) x += ColWidths(c) + FGridLineWidth;
  for (int c = FTopLeft.X; c < ACol; ++c) {
    x += ColWidths(c) + FGridLineWidth;
    if (x >= ClientWidth()) return -1;
  }
  return x < ClientWidth() ? x : -1;
}

int TCustomGrid::RowStart(int ARow) const {
  if (ARow < 0 || ARow >= FRowCount || (ARow >= FFixedRows && ARow < FTopLeft.Y)) return -1;
  int y = 0;
  for (int r = 0; r < std::min(ARow, FFixedRows); ++r) y += RowHeights(r) + FGridLineWidth;
  for (int r = FTopLeft.Y; r < ARow; ++r) {
    y += RowHeights(r) + FGridLineWidth;
    if (y >= ClientHeight()) return -1;
  }
  return y < ClientHeight() ? y : -1;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
  int x = ColumnStart(ACol);
  int y = RowStart(ARow);
  if (x < 0 || y < 0) return TRect{};
  return Bounds(x, y, ColWidths(ACol), RowHeights(ARow));
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

// A cell owns the grid line to its right and below it.
TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
  auto find = [this](int P, int Fixed, int First, int Count, int Extent, auto Size) {
    if (P < 0 || P >= Extent) return -1;
    int pos = 0;
    for (int i = 0; i < Fixed; ++i) {
      pos += Size(i) + FGridLineWidth;
      if (P < pos) return i;
    }
    for (int i = First; i < Count && pos < Extent; ++i) {
      pos += Size(i) + FGridLineWidth;
      if (P < pos) return i;
    }
    return -1;
  };
  int col = find(X, FFixedCols, FTopLeft.X, FColCount, ClientWidth(), [this](int i) { return ColWidths(i); });
  int row = find(Y, FFixedRows, FTopLeft.Y, FRowCount, ClientHeight(), [this](int i) { return RowHeights(i); });
  if (col < 0 || row < 0) return {-1, -1};
  return {col, row};
}

void TCustomGrid::InvalidateCell(int, int) { Invalidate(); }
void TCustomGrid::InvalidateRow(int) { Invalidate(); }
void TCustomGrid::InvalidateCol(int) { Invalidate(); }

// ---------------------------------------------------------------------------------------
// Moving and deleting rows and columns

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount) return;
  if (FEditorMode) HideEdit(true);
  auto first = FColWidths.begin();
  if (FromIndex < ToIndex)
    std::rotate(first + FromIndex, first + FromIndex + 1, first + ToIndex + 1);
  else
    std::rotate(first + ToIndex, first + FromIndex, first + FromIndex + 1);
  ColumnMoved(FromIndex, ToIndex);
  UpdateScrollRange();  // the moved width changes which columns fill the view
  Invalidate();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount) return;
  if (FEditorMode) HideEdit(true);
  auto first = FRowHeights.begin();
  if (FromIndex < ToIndex)
    std::rotate(first + FromIndex, first + FromIndex + 1, first + ToIndex + 1);
  else
    std::rotate(first + ToIndex, first + FromIndex, first + FromIndex + 1);
  RowMoved(FromIndex, ToIndex);
  UpdateScrollRange();  // the moved height changes which rows fill the view
  Invalidate();
}

void TCustomGrid::DeleteColumn(int ACol) {
  MoveColumn(ACol, FColCount - 1);
  SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(int ARow) {
  MoveRow(ARow, FRowCount - 1);
  SetRowCount(FRowCount - 1);
}

// ---------------------------------------------------------------------------------------
// Hooks with empty defaults

void TCustomGrid::DrawCell(int, int, const TRect&, TGridDrawState) {}
bool TCustomGrid::SelectCell(int, int) { return true; }
String TCustomGrid::GetEditText(int, int) { return ""; }
void TCustomGrid::SetEditText(int, int, const String&) {}
String TCustomGrid::GetEditMask(int, int) { return ""; }
int TCustomGrid::GetEditLimit() { return 0; }
void TCustomGrid::SizeChanged(int, int) {}
void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}
void TCustomGrid::TopLeftChanged() {}
void TCustomGrid::ColWidthsChanged() { PlaceEditor(); }
void TCustomGrid::RowHeightsChanged() { PlaceEditor(); }

// ---------------------------------------------------------------------------------------
// TDrawGrid

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  return can;
}

String TDrawGrid::GetEditText(int ACol, int ARow) {
  String value;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const String& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

String TDrawGrid::GetEditMask(int ACol, int ARow) {
  String value;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, value);
  return value;
}

void TDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex) {
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

// ---------------------------------------------------------------------------------------
// Inserting and deleting runs of rows

void TCustomGrid::InsertGridRows(int ARow, int Count, const std::vector<int>* Heights) {
  if (Count <= 0) return;
  ARow = Clamp(ARow, 0, FRowCount);
  if (FEditorMode) HideEdit(true);
  std::vector<int> sizes(static_cast<size_t>(Count), FDefaultRowHeight);
  if (Heights != nullptr)
    for (size_t i = 0; i < sizes.size() && i < Heights->size(); ++i) sizes[i] = (*Heights)[i];
  FRowHeights.insert(FRowHeights.begin() + ARow, sizes.begin(), sizes.end());
  FRowCount += Count;
  GridRowsInserted(ARow, Count);
  ClampToCounts();
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::DeleteGridRows(int ARow, int Count) {
  if (ARow < 0 || ARow >= FRowCount) return;
  Count = std::min(Count, FRowCount - ARow);
  if (Count <= 0) return;
  // At least one row stays, as with the row count; the fixed rows give way when needed.
  if (FRowCount - Count < 1) Count = FRowCount - 1;
  if (Count <= 0) return;
  if (FRowCount - Count <= FFixedRows) SetFixedRows(FRowCount - Count - 1);
  if (FEditorMode) HideEdit(true);
  FRowHeights.erase(FRowHeights.begin() + ARow, FRowHeights.begin() + ARow + Count);
  FRowCount -= Count;
  GridRowsDeleted(ARow, Count);
  ClampToCounts();
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetAllRowHeights(const std::vector<int>& Heights) {
  for (size_t i = 0; i < Heights.size() && i < FRowHeights.size(); ++i) FRowHeights[i] = Heights[i];
  UpdateScrollRange();
  RowHeightsChanged();
  Invalidate();
}

void TCustomGrid::GridRowsInserted(int, int) {}
void TCustomGrid::GridRowsDeleted(int, int) {}

// ---------------------------------------------------------------------------------------
// TStringGrid: the cell store

void TStringGridRow::SetObject(size_t ACol, TObject* Value) {
  if (ACol >= Objects.size()) {
    if (Value == nullptr) return;
    Objects.resize(ACol + 1, nullptr);
  }
  Objects[ACol] = Value;
}

bool TStringGridRow::Empty() const {
  for (const TCellText& text : Texts)
    if (!text.empty()) return false;
  for (TObject* obj : Objects)
      if (obj != nullptr) return false;
  return true;
}

TStringGrid::~TStringGrid() = default;

const TStringGridRow* TStringGrid::FindRow(int ARow) const {
  if (ARow < 0 || static_cast<size_t>(ARow) >= FData.size()) return nullptr;
  return &FData[static_cast<size_t>(ARow)];
}

String TStringGrid::Cells(int ACol, int ARow) const {
  const TStringGridRow* row = FindRow(ARow);
  if (row == nullptr || ACol < 0 || static_cast<size_t>(ACol) >= row->Texts.size()) return String();
  return row->Texts[static_cast<size_t>(ACol)].Str();
}

void TStringGrid::SetCells(int ACol, int ARow, const String& Value) {
  if (ACol < 0 || ARow < 0) return;
  if (static_cast<size_t>(ARow) >= FData.size()) {
    if (Value.empty()) return;
    FData.resize(static_cast<size_t>(ARow) + 1);
  }
  auto& texts = FData[static_cast<size_t>(ARow)].Texts;
  if (static_cast<size_t>(ACol) >= texts.size()) {
    if (Value.empty()) return;
    texts.resize(static_cast<size_t>(ACol) + 1);
  }
  texts[static_cast<size_t>(ACol)] = Value;
  if (ACol < ColCount() && ARow < RowCount()) InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
  const TStringGridRow* row = FindRow(ARow);
  return row != nullptr && ACol >= 0 ? row->Object(static_cast<size_t>(ACol)) : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) {
  if (ACol < 0 || ARow < 0) return;
  if (static_cast<size_t>(ARow) >= FData.size()) {
    if (Value == nullptr) return;
    FData.resize(static_cast<size_t>(ARow) + 1);
  }
  FData[static_cast<size_t>(ARow)].SetObject(static_cast<size_t>(ACol), Value);
}

TStrings* TStringGrid::Rows(int ARow) {
  if (ARow < 0) throw EInvalidGridOperation("Grid index out of range");
  if (static_cast<size_t>(ARow) >= FRowStrings.size()) FRowStrings.resize(static_cast<size_t>(ARow) + 1);
  auto& slot = FRowStrings[static_cast<size_t>(ARow)];
  if (!slot) slot = std::make_unique<TStringGridStrings>(this, true, ARow);
  return slot.get();
}

TStrings* TStringGrid::Cols(int ACol) {
  if (ACol < 0) throw EInvalidGridOperation("Grid index out of range");
  if (static_cast<size_t>(ACol) >= FColStrings.size()) FColStrings.resize(static_cast<size_t>(ACol) + 1);
  auto& slot = FColStrings[static_cast<size_t>(ACol)];
  if (!slot) slot = std::make_unique<TStringGridStrings>(this, false, ACol);
  return slot.get();
}

std::vector<String> TStringGrid::RowTexts(int ARow) const {
  std::vector<String> texts;
  for (int c = 0; c < ColCount(); ++c) texts.push_back(Cells(c, ARow));
  return texts;
}

void TStringGrid::SetRowTexts(int ARow, const std::vector<String>& Texts) {
  for (int c = 0; c < ColCount(); ++c)
    SetCells(c, ARow, static_cast<size_t>(c) < Texts.size() ? Texts[static_cast<size_t>(c)] : String());
}

std::vector<String> TStringGrid::ColTexts(int ACol) const {
  std::vector<String> texts;
  for (int r = 0; r < RowCount(); ++r) texts.push_back(Cells(ACol, r));
  return texts;
}

void TStringGrid::SetColTexts(int ACol, const std::vector<String>& Texts) {
  for (int r = 0; r < RowCount(); ++r)
    SetCells(ACol, r, static_cast<size_t>(r) < Texts.size() ? Texts[static_cast<size_t>(r)] : String());
}

void TStringGrid::ClearAllTexts() {
  for (auto& row : FData)
    for (auto& text : row.Texts) text.clear();
  Invalidate();
}

void TStringGrid::TakeRows(TStringGridRows&& Rows) {
  FData.swap(Rows);
  TStringGridRows().swap(Rows);
  if (!FKeepCellsBeyondCounts) DropCellsBeyondCounts();
  Invalidate();
}

void TStringGrid::DropCellsBeyondCounts() {
  if (FData.size() > static_cast<size_t>(RowCount())) FData.resize(static_cast<size_t>(RowCount()));
  const size_t cols = static_cast<size_t>(ColCount());
  for (auto& row : FData) {
    if (row.Texts.size() > cols) row.Texts.resize(cols);
    if (row.Objects.size() > cols) row.Objects.resize(cols);
  }
}

void TStringGrid::StoredExtent(int& Cols, int& Rows) const {
  Rows = static_cast<int>(FData.size());
  Cols = 0;
  for (const auto& row : FData) {
    Cols = std::max(Cols, static_cast<int>(row.Texts.size()));
    Cols = std::max(Cols, static_cast<int>(row.Objects.size()));
  }
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  TDrawGrid::SizeChanged(OldColCount, OldRowCount);
  if (!FKeepCellsBeyondCounts) DropCellsBeyondCounts();
}

namespace {
template <class V>
void RotateOne(V& Items, int FromIndex, int ToIndex) {
  size_t last = static_cast<size_t>(std::max(FromIndex, ToIndex));
  if (Items.size() <= last) Items.resize(last + 1);
  auto first = Items.begin();
  if (FromIndex < ToIndex)
    std::rotate(first + FromIndex, first + FromIndex + 1, first + ToIndex + 1);
  else
    std::rotate(first + ToIndex, first + FromIndex, first + FromIndex + 1);
}
}  // namespace

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
  for (auto& row : FData) {
    RotateOne(row.Texts, FromIndex, ToIndex);
    if (!row.Objects.empty()) RotateOne(row.Objects, FromIndex, ToIndex);
  }
  TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
  RotateOne(FData, FromIndex, ToIndex);
  TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::GridRowsInserted(int ARow, int Count) { StoreInsertRows(ARow, Count); }
void TStringGrid::GridRowsDeleted(int ARow, int Count) { StoreDeleteRows(ARow, Count); }

void TStringGrid::StoreInsertRows(int ARow, int Count) {
  if (ARow < 0 || Count <= 0 || static_cast<size_t>(ARow) >= FData.size()) return;
  FData.insert(FData.begin() + ARow, static_cast<size_t>(Count), TStringGridRow());
}

void TStringGrid::StoreDeleteRows(int ARow, int Count) {
  if (ARow < 0 || Count <= 0 || static_cast<size_t>(ARow) >= FData.size()) return;
  size_t end = std::min(FData.size(), static_cast<size_t>(ARow) + static_cast<size_t>(Count));
  FData.erase(FData.begin() + ARow, FData.begin() + static_cast<std::ptrdiff_t>(end));
}

TStringGridRow TStringGrid::StoreTakeRow(int ARow) {
  if (ARow < 0 || static_cast<size_t>(ARow) >= FData.size()) return {};
  TStringGridRow row = std::move(FData[static_cast<size_t>(ARow)]);
  FData[static_cast<size_t>(ARow)] = TStringGridRow();
  return row;
}

void TStringGrid::StorePutRow(int ARow, TStringGridRow&& Row) {
  if (ARow < 0) return;
  if (static_cast<size_t>(ARow) >= FData.size()) {
    if (Row.Empty()) return;
    FData.resize(static_cast<size_t>(ARow) + 1);
  }
  FData[static_cast<size_t>(ARow)] = std::move(Row);
}

void TStringGrid::StoreSwapRows(int ARow1, int ARow2) {
  if (ARow1 < 0 || ARow2 < 0 || ARow1 == ARow2) return;
  size_t last = static_cast<size_t>(std::max(ARow1, ARow2));
  if (FData.size() <= last) FData.resize(last + 1);
  std::swap(FData[static_cast<size_t>(ARow1)], FData[static_cast<size_t>(ARow2)]);
}

void TStringGrid::StoreInsertCols(int ACol, int Count) {
  if (ACol < 0 || Count <= 0) return;
  for (auto& row : FData) {
    if (static_cast<size_t>(ACol) < row.Texts.size())
      row.Texts.insert(row.Texts.begin() + ACol, static_cast<size_t>(Count), TCellText());
    if (static_cast<size_t>(ACol) < row.Objects.size())
      row.Objects.insert(row.Objects.begin() + ACol, static_cast<size_t>(Count), nullptr);
  }
}

void TStringGrid::StoreDeleteCols(int ACol, int Count) {
  if (ACol < 0 || Count <= 0) return;
  auto drop = [ACol, Count](auto& Items) {
    if (static_cast<size_t>(ACol) >= Items.size()) return;
    size_t end = std::min(Items.size(), static_cast<size_t>(ACol) + static_cast<size_t>(Count));
    Items.erase(Items.begin() + ACol, Items.begin() + static_cast<std::ptrdiff_t>(end));
  };
  for (auto& row : FData) {
    drop(row.Texts);
    drop(row.Objects);
  }
}

void TStringGrid::StoreReserveRow(int ARow, int Cols) {
  if (ARow < 0 || Cols <= 0) return;
  if (static_cast<size_t>(ARow) >= FData.size()) FData.resize(static_cast<size_t>(ARow) + 1);
  FData[static_cast<size_t>(ARow)].Texts.reserve(static_cast<size_t>(Cols));
}

void TStringGrid::StoreClearRow(int ARow) {
  if (ARow < 0 || static_cast<size_t>(ARow) >= FData.size()) return;
  FData[static_cast<size_t>(ARow)] = TStringGridRow();
}

void TStringGrid::StoreClearTexts(int Col1, int Row1, int Col2, int Row2) {
  if (Row1 < 0) Row1 = 0;
  if (Col1 < 0) Col1 = 0;
  for (int r = Row1; r <= Row2 && static_cast<size_t>(r) < FData.size(); ++r) {
    auto& texts = FData[static_cast<size_t>(r)].Texts;
    for (int c = Col1; c <= Col2 && static_cast<size_t>(c) < texts.size(); ++c) texts[static_cast<size_t>(c)].clear();
  }
}

// ---------------------------------------------------------------------------------------
// TStringGridStrings

String TStringGridStrings::Get(Integer Index) const {
  return FIsRow ? FGrid->Cells(Index, FIndex) : FGrid->Cells(FIndex, Index);
}

Integer TStringGridStrings::GetCount() const { return FIsRow ? FGrid->ColCount() : FGrid->RowCount(); }

void TStringGridStrings::Put(Integer Index, const String& S) {
  if (FIsRow)
    FGrid->SetCells(Index, FIndex, S);
  else
    FGrid->SetCells(FIndex, Index, S);
}

TObject* TStringGridStrings::GetObject(Integer Index) const {
  return FIsRow ? FGrid->Objects(Index, FIndex) : FGrid->Objects(FIndex, Index);
}

void TStringGridStrings::PutObject(Integer Index, TObject* AObject) {
  if (FIsRow)
    FGrid->SetObjects(Index, FIndex, AObject);
  else
    FGrid->SetObjects(FIndex, Index, AObject);
}

void TStringGridStrings::Insert(Integer, const String&) { throw EInvalidGridOperation("Grid index out of range"); }
void TStringGridStrings::Delete(Integer) { throw EInvalidGridOperation("Grid index out of range"); }

void TStringGridStrings::Clear() {
  for (Integer i = 0; i < GetCount(); ++i) {
    Put(i, String());
    PutObject(i, nullptr);
  }
}

void TStringGridStrings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TStrings*>(Source);
  if (source == nullptr) {
    TStrings::Assign(Source);
    return;
  }
  const Integer count = GetCount();
  for (Integer i = 0; i < count; ++i) {
    const bool inSource = i < source->Count();
    Put(i, inSource ? source->Strings(i) : String());
    PutObject(i, inSource ? source->Objects(i) : nullptr);
  }
}

String TStringGrid::GetEditText(int ACol, int ARow) {
  String value = TStringGrid::Cells(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const String& Value) {
  TStringGrid::SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}
