#include "grid/base/BaseGrid.h"

#include "grid/base/BaseGridUndoRedo.h"

namespace {
constexpr TColor kInfoBk = static_cast<TColor>(0xFF000018u);
constexpr TColor kNone = 0x1FFFFFFF;
}  // namespace

TBaseGrid::TBaseGrid(TComponent* AOwner)
    : TObjStringGrid(AOwner), FActiveRowColor(kInfoBk), FHoverRowColor(kInfoBk), FHoverRowColorTo(kNone) {
  FKeepCellsBeyondCounts = true;
  TStringGrid::SetDefaultDrawing(false);
  TStringGrid::SetGridLineWidth(0);
}

TBaseGrid::~TBaseGrid() {
  FDestroying = true;
  if (FUndoRedo != nullptr) FUndoRedo->SetGrid(nullptr);
  // Every stored properties object goes, also those of cells beyond the counts.
  int cols = 0, rows = 0;
  StoredExtent(cols, rows);
  FHasCellProps = true;
  FreeCellPropertiesRect(0, 0, cols - 1, rows - 1);
}

void TBaseGrid::SetUndoRedo(TRivGridUndoRedo* Value) {
  if (Value == FUndoRedo) return;
  if (FUndoRedo != nullptr) {
    FUndoRedo->SetGrid(nullptr);
    RemoveFreeNotification(FUndoRedo);
  }
  FUndoRedo = Value;
  if (Value != nullptr) {
    Value->SetGrid(this);
    FreeNotification(Value);
  }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == FUndoRedo) FUndoRedo = nullptr;
  TObjStringGrid::Notification(AComponent, Operation);
}

String TBaseGrid::Cells(int ACol, int ARow) const {
  TPoint base = BaseCell(ACol, ARow);
  String value = TStringGrid::Cells(base.X, base.Y);
  if (base.Y < FNormalRowCount) {
    // The hooks belong to the grid's descendants; reading a cell does not change the grid.
    auto* self = const_cast<TBaseGrid*>(this);
    self->DoGetDisplText(base.X, base.Y, value);
    if (OnGetDisplWideText) {
      WideString wide = DecodeWideText(value);
      self->DoGetDisplWideText(base.X, base.Y, wide);
      value = EncodeWideText(wide);
    }
  }
  return value;
}

void TBaseGrid::SetCells(int ACol, int ARow, const String& Value) {
  if (HasCellProperties(ACol, ARow)) {
    // A cell of a merged block writes the block's base cell.
    TPoint base = BaseCell(ACol, ARow);
    TStringGrid::SetCells(base.X, base.Y, Value);
    CellTextChanged(base.X, base.Y);
    if (Parent() != nullptr) RepaintCell(ACol, ARow);
  } else {
    TStringGrid::SetCells(ACol, ARow, Value);
  }
  if (FHideLastRow && ARow == RowCount() - 1) UpdateHiddenLastRow();
}

void TBaseGrid::SetRawCellText(int ACol, int ARow, const String& Value) { TStringGrid::SetCells(ACol, ARow, Value); }

void TBaseGrid::SetDefaultDrawing(bool Value) {
  FDefaultDrawing = Value;
  TStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int Value) {
  FGridLineWidth = Value;
  TStringGrid::SetGridLineWidth(0);
  Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value) {
  FGridLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value) {
  FGridFixedLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value) {
  if (Value == FSelectionStyle) return;
  FSelectionStyle = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowShow(bool Value) {
  if (Value == FActiveRowShow) return;
  FActiveRowShow = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowColor(TColor Value) {
  if (Value == FActiveRowColor) return;
  FActiveRowColor = Value;
  Invalidate();
}

int TBaseGrid::FixedColsWidth() const {
  int sum = 0;
  for (int c = 0; c < FixedCols(); ++c) sum += ColWidths(c);
  return sum;
}

int TBaseGrid::FixedRowsHeight() const {
  int sum = 0;
  for (int r = 0; r < FixedRows(); ++r) sum += RowHeights(r);
  return sum;
}

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::NodeIndentOfRow(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::UpdateHiddenLastRow() {}

void TBaseGrid::DoGetDisplText(int ACol, int ARow, String& Value) {
  if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::DoGetDisplWideText(int ACol, int ARow, WideString& Value) {
  if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::CellTextChanged(int, int) {}

void TBaseGrid::SetUndoneCellText(int ACol, int ARow, const String& Value, bool) { SetCells(ACol, ARow, Value); }
bool TBaseGrid::HasCellBorders() { return false; }

int TBaseGrid::DisplColIndex(int ACol) { return ACol; }
