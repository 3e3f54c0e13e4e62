// The cell attribute operations for progress bars and pies, range indicators, shapes,
// ratings and in-cell scroll bars. Their colours go in the graphic's colour fields.
#include "grid/model/RivErodovOzar.h"

namespace {
// A fresh graphic's kind and place.
TCellGraphic* Place(TCellGraphic* Graphic, TCellType AType, TCellHAlign hal, TCellVAlign val) {
  Graphic->CellType = AType;
  Graphic->CellHAlign = hal;
  Graphic->CellVAlign = val;
  return Graphic;
}
}  // namespace

// ---- Progress bars and pies ----

void TRivErodovOzar::AddProgressPie(int ACol, int ARow, TColor Color, int Value) {
  TCellGraphic* graphic = Place(CreateCellGraphic(ACol, ARow), ctProgressPie, haBeforeText, vaTop);
  graphic->CellBitmapColor = Color;
  graphic->CellAngle = Value;
}

void TRivErodovOzar::SetProgressPie(int ACol, int ARow, int Value) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctProgressPie);
  if (graphic == nullptr) return;
  graphic->CellAngle = Value;
  RepaintCell(DisplColFromReal(ACol), ARow);
}

void TRivErodovOzar::RemoveProgressPie(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }

void TRivErodovOzar::AddRivProgress(int ACol, int ARow, int Min, int Max) {
  TCellGraphic* graphic = Place(CreateCellGraphic(ACol, ARow), ctXPProgress, haLeft, vaTop);
  graphic->CellErrFrom = Min;
  graphic->CellErrLen = Max;
  graphic->CellBoolean = false;
  graphic->CellText.clear();
}

void TRivErodovOzar::RemoveRivProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }

void TRivErodovOzar::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor) {
  TCellGraphic* graphic = Place(CreateCellGraphic(ACol, ARow), ctProgress, haLeft, vaTop);
  graphic->CellBitmapColor = FGColor;
  graphic->CellIconColor = BKColor;
  graphic->CellErrFrom = 0;
  graphic->CellErrLen = 100;
  graphic->CellBoolean = false;  // the text colours are the bar colours inverted
  graphic->CellText.clear();
  if (AutoNumAlign) GetCellProperties(ACol, ARow)->SetAlignment(taRightJustify);
}

void TRivErodovOzar::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                   TColor BKTextColor) {
  AddProgress(ACol, ARow, FGColor, BKColor);
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  graphic->CellIndex = FGTextColor;
  graphic->CellAngle = BKTextColor;
  graphic->CellBoolean = true;
}

void TRivErodovOzar::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                          TColor BKTextColor, const String& Fmt, int Min, int Max) {
  AddProgressEx(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor);
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  graphic->CellText = Fmt;
  graphic->CellErrFrom = Min;
  graphic->CellErrLen = Max;
}

void TRivErodovOzar::RemoveProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgress); }

// ---- Range indicators ----

void TRivErodovOzar::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                       bool ShowValue) {
  TCellGraphic* graphic = Place(CreateCellGraphic(ACol, ARow), ctRangeIndicator, haLeft, vaTop);
  graphic->CellIndex = Range;
  graphic->CellBitmapColor = NegColor;
  graphic->CellIconColor = PosColor;
  graphic->CellBoolean = ShowValue;
}

void TRivErodovOzar::RemoveRangeIndicator(int ACol, int ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
}

// ---- Shapes ----

void TRivErodovOzar::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                              TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* graphic = Place(CreateCellGraphic(ACol, ARow), ctShape, hal, val);
  graphic->CellAngle = Shape;
  graphic->CellIndex = FillColor;
  graphic->CellBitmapColor = LineColor;
}

void TRivErodovOzar::SetShapeColor(int ACol, int ARow, TColor FillColor) {
  if (TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctShape)) graphic->CellIndex = FillColor;
}

TColor TRivErodovOzar::GetShapeColor(int ACol, int ARow) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctShape);
  return graphic != nullptr ? graphic->CellIndex : clNone;
}

void TRivErodovOzar::RemoveShape(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctShape); }

// ---- Ratings ----

void TRivErodovOzar::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor) {
  TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
  graphic->CellType = ctRating;
  graphic->CellAngle = Scale;
  graphic->CellHAlign = haFull;
  graphic->CellIndex = FillColor;
  graphic->CellBitmapColor = EmptyColor;
}

bool TRivErodovOzar::HasRating(int ACol, int ARow) { return BaseCellType(ACol, ARow) == ctRating; }

void TRivErodovOzar::RemoveRating(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRating); }

// ---- In-cell scroll bars ----

void TRivErodovOzar::AddScrollBar(int ACol, int ARow, bool AutoRange) {
  TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
  graphic->CellType = ctScrollbar;
  graphic->CellAngle = 0;      // page size
  graphic->CellErrFrom = 100;  // range
  graphic->CellBoolean = AutoRange;
  if (AutoRange) UpdateAutoRangeScrollBar(ACol, ARow, graphic);
}

bool TRivErodovOzar::HasScrollBar(int ACol, int ARow) { return GetCellType(ACol, ARow) == ctScrollbar; }

bool TRivErodovOzar::HasAutoRangeScrollBar(int ACol, int ARow) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctScrollbar);
  return graphic != nullptr && graphic->CellBoolean;
}

void TRivErodovOzar::SetScrollPosition(int ACol, int ARow, int Pos) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctScrollbar);
  if (graphic == nullptr) return;
  graphic->CellIndex = Pos;
  RepaintCell(DisplColFromReal(ACol), ARow);
}

int TRivErodovOzar::GetScrollPosition(int ACol, int ARow) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctScrollbar);
  return graphic != nullptr ? graphic->CellIndex : -1;
}

void TRivErodovOzar::SetScrollProp(int ACol, int ARow, TScrollProp Prop) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctScrollbar);
  if (graphic == nullptr) return;
  graphic->CellAngle = Prop.PageSize;
  graphic->CellErrFrom = Prop.Range;
}

TScrollProp TRivErodovOzar::GetScrollProp(int ACol, int ARow) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctScrollbar);
  if (graphic == nullptr) return TScrollProp{-1, -1};
  return TScrollProp{graphic->CellAngle, graphic->CellErrFrom};
}

void TRivErodovOzar::RemoveScrollBar(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }

// An auto-range scroll bar scrolls a text taller than its row: the page is the row, the range
// the text's height.
void TRivErodovOzar::UpdateAutoRangeScrollBar(int ACol, int ARow, TCellGraphic* Graphic) {
  if (ARow < 0 || ARow >= RowCount()) return;
  Graphic->CellAngle = RowHeights(ARow);
  // The height the text takes wrapped in the cell, beside the bar.
  Graphic->CellErrFrom = GetCellTextSize(ACol, ARow, true, true).cy;
}

void TRivErodovOzar::CellTextChanged(int ACol, int ARow) {
  TBaseGrid::CellTextChanged(ACol, ARow);
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctScrollbar);
  if (graphic != nullptr && graphic->CellBoolean) UpdateAutoRangeScrollBar(ACol, ARow, graphic);
}
