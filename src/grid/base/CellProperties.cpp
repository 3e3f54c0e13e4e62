#include "grid/base/CellProperties.h"

#include "grid/base/BaseGrid.h"

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow), FWordWrap(AOwner != nullptr ? AOwner->FWordWrap : true) {
  if (AOwner != nullptr) AOwner->FHasCellProps = true;
}

void TCellProperties::RepaintOwnerCell() {
  if (FOwnerGrid != nullptr) FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value) {
  FBrushColor = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
  FBrushColorTo = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool Value) {
  FWordWrap = Value;
  RepaintOwnerCell();
}

TPoint TCellProperties::GetBaseCell(int ACol, int ARow) const {
  if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1) return Point(ACol - FCellSpanX, ARow - FCellSpanY);
  return Point(ACol, ARow);
}

void TCellProperties::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCellProperties*>(Source);
  if (s == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FIsBaseCell = s->FIsBaseCell;
  FCellSpanX = s->FCellSpanX;
  FCellSpanY = s->FCellSpanY;
  FOwnerRow = s->FOwnerRow;
  FOwnerCol = s->FOwnerCol;
  FObject = s->FObject;
  FAlignment = s->FAlignment;
  FBorderColor = s->FBorderColor;
  FBorderWidth = s->FBorderWidth;
  FBrushColor = s->FBrushColor;
  FBrushStyle = s->FBrushStyle;
  FFontColor = s->FFontColor;
  FFontStyle = s->FFontStyle;
  FFontName = s->FFontName;
  FFontSize = s->FFontSize;
  FReadOnly = s->FReadOnly;
  FEditor = s->FEditor;
  FVAlignment = s->FVAlignment;
  FWordWrap = s->FWordWrap;
  FNodeLevel = s->FNodeLevel;
  FControl = s->FControl;
}
