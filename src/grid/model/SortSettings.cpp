#include "grid/model/SortSettings.h"

#include "classlib/SysUtils.h"
#include "grid/model/RivErodovOzar.h"

TSortSettings::TSortSettings(std::function<void()> Repaint) : FRepaint(std::move(Repaint)) {}

TSortSettings::TSortSettings(TRivErodovOzar* AGrid) : FGrid(AGrid) {}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Repaint() {
  if (FGrid != nullptr)
    FGrid->Invalidate();
  else if (FRepaint)
    FRepaint();
}

void TSortSettings::RepaintHeaderRow() {
  if (FGrid != nullptr && FGrid->FixedRows() > 0)
    FGrid->RepaintRow(FGrid->FixedRows() - 1);
  else
    Repaint();
}

void TSortSettings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TSortSettings*>(Source);
  if (src == nullptr) return;
  AutoSortForGrouping = src->AutoSortForGrouping;
  AutoColumnMerge = src->AutoColumnMerge;
  Column = src->Column;
  FShow = src->FShow;
  IndexShow = src->IndexShow;
  IndexColor = src->IndexColor;
  Full = src->Full;
  SingleColumn = src->SingleColumn;
  IgnoreBlanks = src->IgnoreBlanks;
  BlankPos = src->BlankPos;
  AutoFormat = src->AutoFormat;
  Direction = src->Direction;
  FUpGlyph->Assign(src->FUpGlyph.get());
  FDownGlyph->Assign(src->FDownGlyph.get());
  FIndexUpGlyph->Assign(src->FIndexUpGlyph.get());
  FIndexDownGlyph->Assign(src->FIndexDownGlyph.get());
  IndexSortKey = src->IndexSortKey;
  InitSortDirection = src->InitSortDirection;
  FixedCols = src->FixedCols;
  NormalCellsOnly = src->NormalCellsOnly;
  FRow = src->FRow;
  UndoSort = src->UndoSort;
  FHeaderColor = src->FHeaderColor;
  FHeaderColorTo = src->FHeaderColorTo;
  FHeaderMirrorColor = src->FHeaderMirrorColor;
  FHeaderMirrorColorTo = src->FHeaderMirrorColorTo;
  // Every published setting travels: a copied grid compares as its source does.
  SortOnVirtualCells = src->SortOnVirtualCells;
  IgnoreCase = src->IgnoreCase;
  Repaint();
}

void TSortSettings::SetShow(bool Value) {
  if (Value == FShow) return;
  FShow = Value;
  Repaint();
}

void TSortSettings::SetRow(int Value) {
  if (FGrid != nullptr && Value >= FGrid->FixedRows())
    throw Exception("Sort row should be smaller than number of fixed rows");
  FRow = Value;
}

void TSortSettings::SetHeaderColor(TColor Value) {
  if (Value == FHeaderColor) return;
  FHeaderColor = Value;
  RepaintHeaderRow();
}

void TSortSettings::SetHeaderColorTo(TColor Value) {
  if (Value == FHeaderColorTo) return;
  FHeaderColorTo = Value;
  RepaintHeaderRow();
}

void TSortSettings::SetHeaderMirrorColor(TColor Value) {
  if (Value == FHeaderMirrorColor) return;
  FHeaderMirrorColor = Value;
  RepaintHeaderRow();
}

void TSortSettings::SetHeaderMirrorColorTo(TColor Value) {
  if (Value == FHeaderMirrorColorTo) return;
  FHeaderMirrorColorTo = Value;
  RepaintHeaderRow();
}

String TSortSettings::SaveToString() const {
  if (IndexShow) return "i;" + (FGrid != nullptr ? FGrid->SortIndexes()->SaveToString() : String());
  return (Direction == sdDescending ? "d" : "u") + IntToStr(Column);
}

void TSortSettings::LoadFromString(const String& Value) {
  if (Value.empty()) return;
  SetShow(true);
  if (Value.size() < 2) throw Exception("Invalid sort settings specifier");
  if (Value.find("i;") != String::npos) {
    IndexShow = true;
    if (FGrid == nullptr) return;
    FGrid->SortIndexes()->LoadFromString(Value.substr(2));
    FGrid->QSortIndexed();
    return;
  }
  IndexShow = false;
  Direction = Value.find('u') != String::npos ? sdAscending : sdDescending;
  int col = 0;
  if (!TryStrToInt(Value.substr(1), col)) return;
  Column = col;
  if (FGrid != nullptr) FGrid->QSort();
}

void TSortSettings::Remove() {
  Column = -1;
  if (FGrid == nullptr) return;
  FGrid->SortIndexes()->Clear();
  RepaintHeaderRow();
}
