// Single-cell and row property accessors (colours, fonts, alignment, read-only flags) and
// access by real index. Columns are real columns, rows display rows unless said.
#include "classlib/StringList.h"
#include "grid/base/HTMLTextOperations.h"
#include "grid/model/RivErodovOzar.h"

namespace {
// Properties that carry more than looks (a graphic, a control, a merged block) must survive a
// reset of the looks.
bool CarriesMoreThanLooks(const TCellProperties& P) {
  return P.GraphicObject() != nullptr || P.Control() != nullptr || P.CellSpanX() != -1 || P.CellSpanY() != -1 ||
         !P.IsBaseCell();
}
}  // namespace

void TRivErodovOzar::RepaintAccessedCell(int ACol, int ARow) {
  if (FUpdateCount == 0) RepaintCell(DisplColFromReal(ACol), ARow);
}

TColor TRivErodovOzar::GetCellBackColor(int ACol, int ARow) {
  const TCellProperties* p = Props(ACol, ARow);
  return p != nullptr ? p->BrushColor() : clNone;
}

void TRivErodovOzar::SetCellBackColor(int ACol, int ARow, TColor Value) {
  GetCellProperties(ACol, ARow)->SetBrushColor(Value);
  RepaintAccessedCell(ACol, ARow);
}

void TRivErodovOzar::SetCellBackColorTo(int ACol, int ARow, TColor Value) {
  GetCellProperties(ACol, ARow)->SetBrushColorTo(Value);
  RepaintAccessedCell(ACol, ARow);
}

TColor TRivErodovOzar::GetCellFontColor(int ACol, int ARow) {
  const TCellProperties* p = Props(ACol, ARow);
  return p != nullptr ? p->FontColor() : clNone;
}

void TRivErodovOzar::SetCellFontColor(int ACol, int ARow, TColor Value) {
  GetCellProperties(ACol, ARow)->SetFontColor(Value);
  RepaintAccessedCell(ACol, ARow);
}

TFontStyles TRivErodovOzar::GetCellFontStyle(int ACol, int ARow) {
  const TCellProperties* p = Props(ACol, ARow);
  return p != nullptr ? p->FontStyle() : TFontStyles{};
}

void TRivErodovOzar::SetCellFontStyle(int ACol, int ARow, TFontStyles Value) {
  GetCellProperties(ACol, ARow)->SetFontStyle(Value);
  RepaintAccessedCell(ACol, ARow);
}

void TRivErodovOzar::SetCellFontName(int ACol, int ARow, const String& Value) {
  GetCellProperties(ACol, ARow)->SetFontName(Value);
  RepaintAccessedCell(ACol, ARow);
}

void TRivErodovOzar::SetCellFontSize(int ACol, int ARow, int Value) {
  GetCellProperties(ACol, ARow)->SetFontSize(Value);
  RepaintAccessedCell(ACol, ARow);
}

void TRivErodovOzar::SetCellAlignment(int ACol, int ARow, TAlignment Value) {
  GetCellProperties(ACol, ARow)->SetAlignment(Value);
  RepaintAccessedCell(ACol, ARow);
}

bool TRivErodovOzar::GetCellReadOnly(int ACol, int ARow) {
  const TCellProperties* p = Props(ACol, ARow);
  return p != nullptr && p->ReadOnly();
}

void TRivErodovOzar::SetCellReadOnly(int ACol, int ARow, bool Value) {
  GetCellProperties(ACol, ARow)->SetReadOnly(Value);
  RepaintAccessedCell(ACol, ARow);
}

TControl* TRivErodovOzar::GetCellControl(int ACol, int ARow) {
  const TCellProperties* p = Props(ACol, ARow);
  return p != nullptr ? p->Control() : nullptr;
}

// Freeing a cell's properties drops its looks; a cell whose properties also hold a graphic, a
// control or a merged block only has its looks reset.
void TRivErodovOzar::ClearCellLooks(int ACol, int ARow) {
  TCellProperties* p = Props(ACol, ARow);
  if (p == nullptr) return;
  if (!CarriesMoreThanLooks(*p)) {
    FreeCellProperties(ACol, ARow);
    return;
  }
  p->SetBrushColor(clNone);
  p->SetBrushColorTo(clNone);
  p->SetFontColor(clNone);
  p->SetFontStyle(TFontStyles{});
  p->SetFontSize(0);
  p->SetFontName("");
}

void TRivErodovOzar::SetRowBackColor(int ARow, TColor Color) {
  for (int c = FixedCols(); c < AllColCount(); ++c) {
    if (Color == clNone) ClearCellLooks(c, ARow);
    else GetCellProperties(c, ARow)->SetBrushColor(Color);
  }
  RepaintRow(ARow);
}

void TRivErodovOzar::SetRowBackColorTo(int ARow, TColor Color) {
  for (int c = FixedCols(); c < AllColCount(); ++c) {
    if (Color == clNone) ClearCellLooks(c, ARow);
    else GetCellProperties(c, ARow)->SetBrushColorTo(Color);
  }
  RepaintRow(ARow);
}

void TRivErodovOzar::SetRowFontColor(int ARow, TColor Color) {
  for (int c = FixedCols(); c < AllColCount(); ++c) {
    if (Color != clNone) GetCellProperties(c, ARow)->SetFontColor(Color);
    else if (GetCellBackColor(c, ARow) == clNone) ClearCellLooks(c, ARow);
  }
  RepaintRow(ARow);
}

String TRivErodovOzar::GetCellPlainText(int ACol, int ARow) { return HTMLToPlainText(Cells(ACol, ARow)); }

TObject* TRivErodovOzar::GetAllObject(int ACol, int ARow) {
  for (int i = 0; i < FGridItems.Count(); ++i) {
    TGridItem* item = FGridItems.Items(i);
    if (item->Idx() == ARow) return ACol < item->Items()->Count() ? item->Items()->Objects(ACol) : nullptr;
  }
  return GetRawCellObject(ACol, DisplRowIndex(ARow));
}

TStrings* TRivErodovOzar::HiddenRowItems(int ARow) {
  for (int i = 0; i < FGridItems.Count(); ++i)
    if (FGridItems.Items(i)->Idx() == ARow) return FGridItems.Items(i)->Items();
  return nullptr;
}

int TRivErodovOzar::GetAllColWidth(int ACol) {
  if (IsHiddenColumn(ACol)) return FAllColWidths[static_cast<size_t>(ACol)];
  return ColWidths(DisplColFromReal(ACol));
}

int TRivErodovOzar::SortedRowIndex(int ARow) {
  const int r = ARow < FSortRowXRef->Count() ? FSortRowXRef->GetItem(ARow) : ARow;
  return RealRowIndex(r);
}

int TRivErodovOzar::UnSortedRowIndex(int ARow) {
  if (FSortRowXRef->Count() == 0) return ARow;
  for (int i = 0; i < FSortRowXRef->Count(); ++i)
    if (FSortRowXRef->GetItem(i) == ARow) return i;
  return FSortRowXRef->Count();
}

void TRivErodovOzar::SetSpreadSheet(bool Value) {
  FSpreadSheet = Value;
  SelectionRectangle = true;
  SelectionResizer = true;
  Navigation()->AllowSmartClipboard = true;
  SetOptions(Options() + goRangeSelect + goEditing);
  MouseActions()->RangeSelectAndEdit = true;
}
