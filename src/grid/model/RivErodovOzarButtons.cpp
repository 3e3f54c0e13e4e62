// The cell attribute operations for buttons and radio groups, and the event hooks of the
// cell controls and row appending.
#include <cmath>

#include "classlib/Bitmap.h"
#include "classlib/StringList.h"
#include "grid/model/RivErodovOzar.h"

// ---- Buttons ----

void TRivErodovOzar::AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                               TCellVAlign val) {
  CreateCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TRivErodovOzar::AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph,
                                  TCellHAlign hal, TCellVAlign val) {
  bool owned = false;
  TCellGraphic* graphic = FreshGraphic(ACol, ARow, Glyph, owned);
  graphic->SetBitButton(bw, bh, Caption, Glyph, hal, val);
  graphic->CellCreated = owned;
}

TBitmap* TRivErodovOzar::CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption,
                                         TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
  graphic->SetBitButton(bw, bh, Caption, nullptr, hal, val);
  auto* glyph = new TBitmap();
  graphic->OwnObject(glyph);
  return glyph;
}

void TRivErodovOzar::SetButtonText(int ACol, int ARow, const String& Caption) {
  TCellGraphic* graphic = GetCellGraphic(RealColIndex(ACol), ARow);
  if (graphic == nullptr) return;
  graphic->CellText = Caption;
  RepaintCell(ACol, ARow);
}

String TRivErodovOzar::GetButtonText(int ACol, int ARow) {
  TCellGraphic* graphic = GetCellGraphic(RealColIndex(ACol), ARow);
  return graphic != nullptr ? graphic->CellText : String();
}

void TRivErodovOzar::PushButton(int ACol, int ARow, bool push) {
  TCellGraphic* graphic = GetCellGraphic(RealColIndex(ACol), ARow);
  if (graphic == nullptr || graphic->CellType == ctNode) return;
  graphic->CellBoolean = push;
  RepaintCell(ACol, ARow);
}

bool TRivErodovOzar::HasButton(int ACol, int ARow) {
  const TCellType type = BaseCellType(ACol, ARow);
  return type == ctButton || type == ctBitButton;
}

void TRivErodovOzar::RemoveButton(int ACol, int ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctButton);
  RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TRivErodovOzar::RemoveAllButtons() {
  for (int c = 0; c < ColCount(); ++c)
    for (int r = 0; r < RowCount(); ++r)
      if (HasButton(c, r)) RemoveButton(c, r);
}

// The painter keeps the button's offset in the cell in CellValue (X in the low, Y in the high
// 16 bits); the size is in CellIndex the same way.
TRect TRivErodovOzar::GetCellButtonRect(int ACol, int ARow) {
  TCellGraphic* graphic = GetCellGraphic(RealColIndex(ACol), ARow);
  if (graphic == nullptr) return TRect(0, 0, 0, 0);
  const TRect cell = CellRect(ACol, ARow);
  const auto offset = static_cast<uint32_t>(static_cast<int64_t>(std::lround(graphic->CellValue)));
  const auto size = static_cast<uint32_t>(graphic->CellIndex);
  TRect r;
  r.Left = cell.Left + static_cast<int>(offset & 0xFFFF);
  r.Top = cell.Top + static_cast<int>(offset >> 16);
  r.Right = r.Left + static_cast<int>(size & 0xFFFF);
  r.Bottom = r.Top + static_cast<int>(size >> 16);
  if (graphic->CellVAlign == vaFull) {
    r.Top = cell.Top;
    r.Bottom = cell.Bottom;
  }
  if (graphic->CellHAlign == haFull) {
    r.Left = cell.Left;
    r.Right = cell.Right;
  }
  return r;
}

// ---- Radio groups ----

void TRivErodovOzar::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl) {
  bool owned = false;
  TCellGraphic* graphic = FreshGraphic(ACol, ARow, sl, owned);
  graphic->CellType = ctRadio;
  graphic->CellAngle = sl != nullptr ? sl->Count() : 0;
  graphic->CellBoolean = DirRadio != 0;
  graphic->CellIndex = IdxRadio;
  graphic->CellBitmap = sl;
  graphic->CellCreated = owned;
}

TStrings* TRivErodovOzar::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio) {
  TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
  graphic->CellType = ctRadio;
  graphic->CellAngle = 0;
  graphic->CellBoolean = DirRadio != 0;
  graphic->CellIndex = IdxRadio;
  auto* items = new TStringList();
  graphic->OwnObject(items);
  return items;
}

bool TRivErodovOzar::GetRadioIdx(int ACol, int ARow, int& IdxRadio) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic == nullptr) return false;
  IdxRadio = graphic->CellIndex;
  return graphic->CellType == ctRadio;
}

bool TRivErodovOzar::SetRadioIdx(int ACol, int ARow, int IdxRadio) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctRadio);
  if (graphic == nullptr) return false;
  graphic->CellIndex = IdxRadio;
  if (IdxRadio == -1) SetCells(ACol, ARow, "");
  RepaintCell(DisplColFromReal(ACol), ARow);
  return true;
}

TStrings* TRivErodovOzar::GetRadioStrings(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return nullptr;
  const TPoint base = BaseCell(ACol, ARow);
  TCellGraphic* graphic = CellGraphicOfType(base.X, base.Y, ctRadio);
  return graphic != nullptr ? dynamic_cast<TStrings*>(graphic->CellBitmap) : nullptr;
}

bool TRivErodovOzar::IsRadio(int ACol, int ARow) { return BaseCellType(ACol, ARow) == ctRadio; }

void TRivErodovOzar::RemoveRadio(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadio); }

bool TRivErodovOzar::CycleRadioGroup(int ACol, int ARow, bool CheckEdit) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctRadio);
  if (graphic == nullptr) return false;
  if (CheckEdit && !ControlLook()->RadioAlwaysActive()) {
    bool canEdit = true;
    CheckCellEditable(ACol, ARow, canEdit);
    if (!canEdit) return false;
  }
  const auto* items = dynamic_cast<const TStrings*>(graphic->CellBitmap);
  const int count = items != nullptr ? items->Count() : 0;
  // A group without options has nothing to choose.
  if (count == 0) return false;
  // Below 0 the group keeps its choice in the cell text.
  int next = graphic->CellIndex >= 0 ? graphic->CellIndex + 1 : items->IndexOf(Cells(ACol, ARow)) + 1;
  if (next >= count) next = 0;
  if (graphic->CellIndex >= -1) graphic->CellIndex = next;
  graphic->CellVar = next;
  SetCells(ACol, ARow, items->Strings(next));
  return false;
}

// ---- Event hooks ----

bool TRivErodovOzar::DoRatingChange(int ACol, int ARow, double& NewRate) {
  bool allow = true;
  if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, allow);
  return allow;
}

void TRivErodovOzar::DoColorSelect(int ACol, int ARow, TColor Color, const String& Value) {
  if (OnColorSelect) OnColorSelect(this, ACol, ARow, Color, Value);
}

void TRivErodovOzar::DoImageSelect(int ACol, int ARow, int Index) {
  if (OnImageSelect) OnImageSelect(this, ACol, ARow, Index);
}

void TRivErodovOzar::DoCanAddRow(bool& CanAdd) {
  if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}

void TRivErodovOzar::DoCanInsertRow(int ARow, bool& CanInsert) {
  if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert);
}
