// Client anchors: where a shape lies on its sheet and how it follows row and column edits.
#include "xls/vavUEscherRecords.h"

#include <algorithm>
#include <cmath>

#include "xls/vavUEscherRecordsBuild.h"
#include "xls/vavUWorkSheet.h"

using namespace EscherBuild;

namespace {

Word ClampedShift(Integer v, Integer Delta, Integer Min, Integer Max) {
  const Integer r = v + Delta;
  if (r > Max) return static_cast<Word>(Max);
  if (r < Min) return static_cast<Word>(Min);
  return static_cast<Word>(r);
}

Integer RoundHalfEvenInt(double v) { return static_cast<Integer>(std::nearbyint(v)); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Client anchor

TEscherClientAnchorRecord::TEscherClientAnchorRecord(const TEscherRecordHeader& aEscherHeader,
                                                     TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache,
                                                     TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {
  auto* shape = dynamic_cast<TEscherSpContainerRecord*>(aParent);
  if (!shape) RaiseXls(XlsMsg::EscherLoading);
  if (DwgCache && DwgCache->Anchor) DwgCache->Anchor->Add(this);
  shape->ClientAnchor = this;
}

TEscherClientAnchorRecord::~TEscherClientAnchorRecord() {
  if (DwgCache && !DwgCache->Destroying && DwgCache->Anchor) DwgCache->Anchor->Remove(this);
  auto* shape = static_cast<TEscherSpContainerRecord*>(FParent);
  if (shape && shape->ClientAnchor == this) shape->ClientAnchor = nullptr;
}

std::unique_ptr<TEscherClientAnchorRecord> TEscherClientAnchorRecord::CreateFromData(
    const TClientAnchor& aAnchor, TWorkSheet* sSheet, TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache,
    TEscherContainerRecord* aParent) {
  auto r = std::make_unique<TEscherClientAnchorRecord>(Header(0x0000, EscherId::ClientAnchor, 18), aDwgGroupCache,
                                                       aDwgCache, aParent);
  r->SetBuiltData(ArrayOfByte(18, 0));
  r->PutAnchor(aAnchor);
  r->SaveObjectCoords(sSheet);
  return r;
}

TClientAnchor TEscherClientAnchorRecord::GetAnchor() const {
  TClientAnchor a;
  if (Data.size() < 18) return a;
  Word* fields[9] = {&a.Flag, &a.Col1, &a.Dx1, &a.Row1, &a.Dy1, &a.Col2, &a.Dx2, &a.Row2, &a.Dy2};
  for (size_t i = 0; i < 9; ++i) *fields[i] = GetWord(Data, 2 * i);
  return a;
}

void TEscherClientAnchorRecord::PutAnchor(const TClientAnchor& a) {
  if (Data.size() < 18) return;
  const Word fields[9] = {a.Flag, a.Col1, a.Dx1, a.Row1, a.Dy1, a.Col2, a.Dx2, a.Row2, a.Dy2};
  for (size_t i = 0; i < 9; ++i) SetWord(Data, 2 * i, fields[i]);
}

void TEscherClientAnchorRecord::SetAnchor(const TClientAnchor& aAnchor, TWorkSheet* sSheet) {
  PutAnchor(aAnchor);
  SaveObjectCoords(sSheet);
}

Integer ColToAbsolute(TWorkSheet& Sheet, Integer Col, Integer Dx) {
  Integer x = 0;
  for (Integer c = 0; c < Col; ++c) x += Sheet.GetColWidth(c, true);
  return x + RoundHalfEvenInt(Sheet.GetColWidth(Col, true) * static_cast<double>(Dx) / 1024.0);
}

Integer RowToAbsolute(TWorkSheet& Sheet, Integer Row, Integer Dy) {
  Integer y = 0;
  for (Integer r = 0; r < Row; ++r) y += Sheet.GetRowHeight(r, true);
  return y + RoundHalfEvenInt(Sheet.GetRowHeight(Row, true) * static_cast<double>(Dy) / 255.0);
}

namespace {

// The cell and offset of an absolute position along one axis.
template <class TSize>
void AbsoluteToCell(Integer v, Integer Last, Integer Scale, TSize Size, Word& Cell, Word& Offset) {
  if (v < 0) {
    Cell = 0;
    Offset = 0;
    return;
  }
  Integer start = 0, cell = 0, cellStart = 0;
  for (Integer c = 0; c <= Last && start <= v; ++c) {
    cell = c;
    cellStart = start;
    start += Size(c);
  }
  const Integer size = Size(cell);
  Integer offset = size <= 0 ? 0 : RoundHalfEvenInt(static_cast<double>(v - cellStart) / size * Scale);
  Cell = static_cast<Word>(cell);
  Offset = static_cast<Word>(std::clamp(offset, 0, Scale));
}

}  // namespace

void AbsoluteToCol(TWorkSheet& Sheet, Integer x, Word& Col, Word& Dx) {
  AbsoluteToCell(x, TBaseRowColRecord::MaxCol, 1024, [&](Integer c) { return Sheet.GetColWidth(c, true); }, Col, Dx);
}

void AbsoluteToRow(TWorkSheet& Sheet, Integer y, Word& Row, Word& Dy) {
  AbsoluteToCell(y, TBaseRowColRecord::MaxRow, 255, [&](Integer r) { return Sheet.GetRowHeight(r, true); }, Row, Dy);
}

void TEscherClientAnchorRecord::SaveObjectCoords(TWorkSheet* sSheet) {
  if (!sSheet) return;
  const TClientAnchor a = GetAnchor();
  if ((a.Flag & 3) == 0) return;
  SaveRect.x1 = ColToAbsolute(*sSheet, a.Col1, a.Dx1);
  SaveRect.x2 = ColToAbsolute(*sSheet, a.Col2, a.Dx2);
  SaveRect.y1 = RowToAbsolute(*sSheet, a.Row1, a.Dy1);
  SaveRect.y2 = RowToAbsolute(*sSheet, a.Row2, a.Dy2);
}

void TEscherClientAnchorRecord::RestoreObjectCoords(TWorkSheet* dSheet) {
  if (!dSheet) return;
  TClientAnchor a = GetAnchor();
  switch (a.Flag & 3) {
    case 0: return;
    case 1:
    case 2: {
      const Integer x1 = ColToAbsolute(*dSheet, a.Col1, a.Dx1);
      const Integer y1 = RowToAbsolute(*dSheet, a.Row1, a.Dy1);
      AbsoluteToCol(*dSheet, x1 + SaveRect.x2 - SaveRect.x1, a.Col2, a.Dx2);
      AbsoluteToRow(*dSheet, y1 + SaveRect.y2 - SaveRect.y1, a.Row2, a.Dy2);
      break;
    }
    default:
      AbsoluteToCol(*dSheet, SaveRect.x1, a.Col1, a.Dx1);
      AbsoluteToCol(*dSheet, SaveRect.x2, a.Col2, a.Dx2);
      AbsoluteToRow(*dSheet, SaveRect.y1, a.Row1, a.Dy1);
      AbsoluteToRow(*dSheet, SaveRect.y2, a.Row2, a.Dy2);
      break;
  }
  PutAnchor(a);
}

bool TEscherClientAnchorRecord::AllowCopy(Integer FirstRow, Integer LastRow, Integer FirstCol, Integer LastCol) const {
  const TClientAnchor a = GetAnchor();
  const Integer kind = a.Flag & 3;
  return (kind == 0 || kind == 2) && a.Row1 >= FirstRow && a.Row2 <= LastRow && a.Col1 >= FirstCol && a.Col2 <= LastCol;
}

bool TEscherClientAnchorRecord::AllowDelete(Integer FirstRow, Integer LastRow, Integer FirstCol, Integer LastCol) const {
  const TClientAnchor a = GetAnchor();
  return (a.Flag & 3) == 0 && a.Row1 >= FirstRow && a.Row2 <= LastRow && a.Col1 >= FirstCol && a.Col2 <= LastCol;
}

void TEscherClientAnchorRecord::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos,
                                                         Integer aColCount, TWorkSheet* dSheet, bool Forced,
                                                         const TSheetInfo& SheetInfo) {
  if (SheetInfo.FormulaSheet != SheetInfo.InsSheet || Data.size() < 18) return;
  TClientAnchor a = GetAnchor();
  const Integer kind = Forced ? 2 : (a.Flag & 3);
  // One corner along one axis, moved when it lies at or past the insertion point.
  auto corner = [](Word& v, Word& offset, Integer pos, Integer count, Integer max) {
    if (v < pos) return;
    if (v + count < pos) offset = 0;
    v = ClampedShift(v, count, pos, max);
  };
  if (kind == 0) {
    corner(a.Row1, a.Dy1, aRowPos, aRowCount, TBaseRowColRecord::MaxRow);
    corner(a.Row2, a.Dy2, aRowPos, aRowCount, TBaseRowColRecord::MaxRow);
    corner(a.Col1, a.Dx1, aColPos, aColCount, TBaseRowColRecord::MaxCol);
    corner(a.Col2, a.Dx2, aColPos, aColCount, TBaseRowColRecord::MaxCol);
    PutAnchor(a);
    return;
  }
  if (kind == 1 || kind == 2) {
    auto keepSize = [](Word& v1, Word& v2, Integer pos, Integer count, Integer max) {
      if (v1 < pos) return;
      const Integer before = v1;
      v1 = ClampedShift(v1, count, pos, max);
      v2 = ClampedShift(v2, v1 - before, v1, max);
    };
    keepSize(a.Row1, a.Row2, aRowPos, aRowCount, TBaseRowColRecord::MaxRow);
    keepSize(a.Col1, a.Col2, aColPos, aColCount, TBaseRowColRecord::MaxCol);
    PutAnchor(a);
  }
  RestoreObjectCoords(dSheet);
}

std::unique_ptr<TEscherRecord> TEscherClientAnchorRecord::DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs,
                                                                   Integer ColOfs, TWorkSheet* dSheet) {
  std::unique_ptr<TEscherRecord> copy = TEscherDataRecord::DoCopyTo(NewDwgCache, RowOfs, ColOfs, dSheet);
  auto& anchor = static_cast<TEscherClientAnchorRecord&>(*copy);
  anchor.SaveRect = SaveRect;
  if (anchor.Data.size() >= 18) {
    TClientAnchor a = anchor.GetAnchor();
    a.Row1 = static_cast<Word>(a.Row1 + RowOfs);
    a.Row2 = static_cast<Word>(a.Row2 + RowOfs);
    a.Col1 = static_cast<Word>(a.Col1 + ColOfs);
    a.Col2 = static_cast<Word>(a.Col2 + ColOfs);
    anchor.PutAnchor(a);
    anchor.RestoreObjectCoords(dSheet);
  }
  return copy;
}
