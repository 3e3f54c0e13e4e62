// Cell graphics: the settings objects' neighbours on the grid (link display), detaching and
// freeing a cell's graphic, and the lookups the attribute operations share.
#include "classlib/ImgList.h"
#include "grid/model/RivErodovOzar.h"

// ---- Link display ----

void TRivErodovOzar::SetURLShow(bool Value) {
  if (Value == FURLShow) return;
  FURLShow = Value;
  Invalidate();
}

void TRivErodovOzar::SetURLShowInText(bool Value) {
  if (Value == FURLShowInText) return;
  FURLShowInText = Value;
  Invalidate();
}

void TRivErodovOzar::SetURLColor(TColor Value) {
  if (Value == FURLColor) return;
  FURLColor = Value;
  if (FURLShow) Invalidate();
}

void TRivErodovOzar::SetURLFull(bool Value) {
  FURLFull = Value;
  if (FURLShow) Invalidate();
}

void TRivErodovOzar::SetGridImages(TCustomImageList* Value) {
  if (Value == FGridImages) return;
  if (FGridImages != nullptr) RemoveFreeNotification(FGridImages);
  FGridImages = Value;
  if (Value != nullptr) FreeNotification(Value);
}

// ---- Detaching and freeing ----

bool TRivErodovOzar::RemoveCellGraphic(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0 || !HasCellProperties(ACol, ARow)) return false;
  TCellProperties* props = GetCellProperties(ACol, ARow);
  TObject* object = props->GraphicObject();
  if (object == nullptr) return false;
  // Detached first: the properties must not point at a freed object meanwhile.
  props->SetGraphicObject(nullptr);
  // The grid owns the graphics it frees in bulk, TCellGraphic objects; the shared graphics of
  // virtual and row check boxes belong to whoever shares them.
  auto* graphic = dynamic_cast<TCellGraphic*>(object);
  const bool shared = graphic == nullptr || graphic == FRowCheckGraphic.get() ||
                      graphic->CellType == ctVirtCheckBox || graphic->CellType == ctRowCheckBox;
  if (!shared) delete graphic;
  RepaintCell(DisplColFromReal(ACol), ARow);
  return true;
}

bool TRivErodovOzar::RemoveCellGraphicOfType(int ACol, int ARow, TCellType ACellType) {
  if (ACol < 0 || ARow < 0) return false;
  const auto* graphic = dynamic_cast<const TCellGraphic*>(GetCellGraphicObject(ACol, ARow));
  if (graphic == nullptr || graphic->CellType != ACellType) return false;
  return RemoveCellGraphic(ACol, ARow);
}

void TRivErodovOzar::ImageIndexesChanged(TObject*, int ACol, int ARow) { RepaintCell(DisplColFromReal(ACol), ARow); }

// ---- Shared lookups ----

TCellGraphic* TRivErodovOzar::FreshGraphic(int ACol, int ARow, const TObject* AObject, bool& Owned) {
  auto* old = dynamic_cast<TCellGraphic*>(GetCellGraphicObject(ACol, ARow));
  // An object the old graphic owns and the caller hands in again must outlive the old graphic.
  Owned = old != nullptr && old != FRowCheckGraphic.get() && old->Disown(AObject);
  return CreateCellGraphic(ACol, ARow);
}

TCellGraphic* TRivErodovOzar::CellGraphicOfType(int ACol, int ARow, TCellType AType) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  return graphic != nullptr && graphic->CellType == AType ? graphic : nullptr;
}

TCellType TRivErodovOzar::BaseCellType(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return ctEmpty;
  const TPoint base = BaseCell(ACol, ARow);
  return GetCellType(base.X, base.Y);
}

TCellVAlign TRivErodovOzar::ControlVAlign() const {
  switch (VAlignment) {
    case vtaCenter: return vaCenter;
    case vtaBottom: return vaBottom;
    default: return vaTop;
  }
}

void TRivErodovOzar::CheckCellRange(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= AllColCount() || ARow >= AllRowCount()) throw ERivGridError("Invalid cell");
}
