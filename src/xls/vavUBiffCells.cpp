#include "xls/vavUBiffCells.h"

#include <algorithm>

namespace {

std::unique_ptr<TCellRecord> CopyCell(const TCellRecord& r) {
  return std::unique_ptr<TCellRecord>(static_cast<TCellRecord*>(r.DoCopyTo().release()));
}

bool IsString(Word kind) { return kind == varOleStr || kind == 0x48 || kind == varString || kind == varUString; }
bool IsNumber(Word kind) { return (kind >= 2 && kind <= 7) || (kind >= 16 && kind <= 20) || (kind >= 0x10F && kind <= 0xFFF); }
}  // namespace

// ---------------------------------------------------------------------------------------------
// TBaseRowColList

void TBaseRowColList::AddRecord(std::unique_ptr<TCellRecord> aRecord, Integer aRow) {
  while (Count() <= aRow) Add(std::make_unique<TCellRecordList>());
  (*this)[aRow]->Add(std::move(aRecord));
}

void TBaseRowColList::CopyFrom(const TBaseRowColList& aList) {
  for (Integer r = 0; r < aList.Count(); ++r) {
    auto row = std::make_unique<TCellRecordList>();
    if (aList[r]) row->CopyFrom(aList[r]);
    Add(std::move(row));
  }
}

Int64 TBaseRowColList::TotalSize() const {
  Int64 size = 0;
  for (const auto& row : FItems)
    if (row) size += row->TotalSize();
  return size;
}

Int64 TBaseRowColList::TotalRangeSize(const TXlsCellRange& CellRange) const {
  Int64 size = 0;
  for (Integer r = std::max(0, CellRange.Top); r <= CellRange.Bottom && r < Count(); ++r)
    if ((*this)[r]) size += (*this)[r]->TotalRangeSize(CellRange, false);
  return size;
}

void TBaseRowColList::SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const {
  for (Integer r = std::max(0, CellRange.Top); r <= CellRange.Bottom && r < Count(); ++r)
    if ((*this)[r]) (*this)[r]->SaveRangeToStream(DataStream, CellRange);
}

// ---------------------------------------------------------------------------------------------
// TCellList: single cells

void TCellList::CheckRowCol(Integer Row, Integer Col) {
  if (Row < 0 || Row > TBaseRowColRecord::MaxRow) RaiseXls(XlsMsg::InvalidRow, {Int64{Row}});
  if (Col < 0 || Col > TBaseRowColRecord::MaxCol) RaiseXls(XlsMsg::InvalidColumn, {Int64{Col}});
}

void TCellList::GetValueX2(Integer Row, Integer Col, TXlsCellValue& V, TRTFRunList& RTFRuns) const {
  CheckRowCol(Row, Col);
  RTFRuns.clear();
  V = TXlsCellValue{};
  TCellRecordList* row = RowList(Row);
  Integer index = 0;
  if (!row || !row->Find(Col, index)) return;
  const TCellRecord* cell = (*row)[index];
  V.XF = cell->XF();
  V.IsFormula = cell->Id == 0x0006;
  if (auto* label = dynamic_cast<const TLabelSSTRecord*>(cell)) {
    TRichString rich = label->AsRichString();
    V.Value = Variant(rich.Value);
    RTFRuns = rich.RTFRuns;
  } else if (auto* rstring = dynamic_cast<const TRStringRecord*>(cell)) {
    TRichString rich = rstring->AsRichString();
    V.Value = Variant(rich.Value);
    RTFRuns = rich.RTFRuns;
  } else {
    V.Value = cell->GetValue();
  }
}

TXlsCellValue TCellList::GetValue(Integer Row, Integer Col) const {
  TXlsCellValue v;
  TRTFRunList runs;
  GetValueX2(Row, Col, v, runs);
  return v;
}

Integer TCellList::DefaultFormat(Integer Row, Integer Col) const {
  if (FRowRecordList && FRowRecordList->HasRow(Row) && FRowRecordList->Row(Row)->IsFormatted())
    return FRowRecordList->Row(Row)->XF();
  Integer index = 0;
  if (FColInfoList && FColInfoList->Find(Col, index)) return (*FColInfoList)[index]->XF;
  return 15;
}

void TCellList::TrimRows(Integer Row, bool Made) {
  for (Integer r = FRowRecordList->Count() - 1; r >= 0; --r) {
    if (!(r > Row || !Made)) break;
    if (FRowRecordList->HasRow(r) && FRowRecordList->Row(r)->IsModified()) break;
    if (RowList(r) && RowList(r)->Count() > 0) break;
    FRowRecordList->Delete(r);
    if (r < Count()) Delete(r);
  }
}

void TCellList::SetValueX2(Integer Row, Integer Col, const TXlsCellValue& Value, const TRTFRunList& RTFRuns,
                           bool Options1904) {
  CheckRowCol(Row, Col);
  FRowRecordList->AddRow(Row);
  const Integer defaultXF = DefaultFormat(Row, Col);
  TCellRecordList* row = RowList(Row);
  Integer index = 0;
  const bool exists = row && row->Find(Col, index);
  Integer xf = exists ? (*row)[index]->XF() : defaultXF;
  if (Value.XF >= 0) xf = Value.XF;

  Word kind = Value.Value.VType();
  const Word r = static_cast<Word>(Row), c = static_cast<Word>(Col), x = static_cast<Word>(xf);
  std::unique_ptr<TCellRecord> made;
  Variant stored = Value.Value;
  if (IsString(kind) && Value.Value.AsString().empty()) kind = varEmpty;
  if (kind == varEmpty || kind == varNull) {
    if (xf != defaultXF) made = TBlankRecord::CreateFromData(r, c, x);
  } else if (IsNumber(kind)) {
    double v = Value.Value.AsDouble();
    if (kind == varDate && Options1904) v -= 1462;
    stored = Variant(v);
    if (IsRKEncodable(v)) made = TRKRecord::CreateFromData(r, c, x);
    else made = TNumberRecord::CreateFromData(r, c, x);
  } else if (IsString(kind)) {
    made = TLabelSSTRecord::CreateFromData(r, c, x, FSST);
  } else if (kind == varBoolean) {
    made = TBoolErrRecord::CreateFromData(r, c, x);
  }
  // The new record takes its value before the old cell goes, so a refused value changes nothing.
  if (made) {
    auto* label = dynamic_cast<TLabelSSTRecord*>(made.get());
    if (label && !RTFRuns.empty()) label->SetAsRichString(TRichString{Value.Value.AsWideString(), RTFRuns});
    else made->SetValue(stored);
  }

  ReplaceCell(Row, Col, std::move(made));
}

void TCellList::ReplaceCell(Integer Row, Integer Col, std::unique_ptr<TCellRecord> made) {
  TCellRecordList* row = RowList(Row);
  Integer index = 0;
  const bool exists = row && row->Find(Col, index);
  TRowRecord* rowRecord = FRowRecordList->Row(Row);
  if (exists) {
    row->Delete(index);
    if (!made) {
      if (row->Count() > 0) {
        row->Sort();
        rowRecord->SetMinCol((*row)[0]->Column());
        rowRecord->SetMaxCol(static_cast<Word>((*row)[row->Count() - 1]->Column() + 1));
      } else if (rowRecord->IsModified()) {
        rowRecord->SetMinCol(0);
        rowRecord->SetMaxCol(0);
      } else {
        FRowRecordList->SetItem(Row, nullptr);
      }
    }
  }
  TrimRows(Row, made != nullptr);
  if (!made) return;
  rowRecord = FRowRecordList->Row(Row);
  rowRecord->SetMaxCol(static_cast<Word>(std::max<Integer>(rowRecord->MaxCol(), Col + 1)));
  rowRecord->SetMinCol(static_cast<Word>(std::min<Integer>(rowRecord->MinCol(), Col)));
  row = RowList(Row);
  if (row) {
    row->Find(Col, index);
    row->Insert(index, std::move(made));
  } else {
    AddRecord(std::move(made), Row);
  }
}

void TCellList::SetFormat(Integer Row, Integer Col, Integer XF) {
  CheckRowCol(Row, Col);
  TCellRecordList* row = RowList(Row);
  Integer index = 0;
  if (FRowRecordList->HasRow(Row) && row && row->Find(Col, index)) {
    (*row)[index]->SetXF(static_cast<Word>(XF));
    return;
  }
  TXlsCellValue v;
  v.XF = XF;
  SetValueX2(Row, Col, v, {}, false);
}

// ---------------------------------------------------------------------------------------------
// TCellList: rows and columns

void TCellList::ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, Integer InsColPos, Integer InsColCount,
                                         const TSheetInfo& SheetInfo) {
  for (auto& row : FItems)
    if (row) row->ArrangeInsertRowsAndCols(InsRowPos, InsRowCount, InsColPos, InsColCount, SheetInfo);
  if (InsColCount > 0 && FColInfoList) FColInfoList->ArrangeInsertCols(InsColPos, InsColCount, SheetInfo);
}

void TCellList::InsertAndCopyRows(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aCount,
                                  const TSheetInfo& SheetInfo, bool OnlyFormulas) {
  const Integer n = LastRow - FirstRow + 1;
  for (auto& row : FItems)
    if (row) row->ArrangeInsertRowsAndCols(DestRow, n * aCount, 0, 0, SheetInfo);
  Integer dest = DestRow, inserted = 0;
  for (Integer k = 0; k < aCount; ++k)
    for (Integer r = FirstRow; r <= LastRow; ++r, ++dest, ++inserted) {
      const Integer source = FirstRow >= DestRow ? r + inserted : r;
      auto copy = std::make_unique<TCellRecordList>();
      if (TCellRecordList* src = RowList(source)) {
        for (Integer i = 0; i < src->Count(); ++i) {
          const TCellRecord* cell = (*src)[i];
          if (!cell || (OnlyFormulas && cell->Id != 0x0006)) continue;
          auto c = CopyCell(*cell);
          c->ArrangeCopyRowsAndCols(dest - c->Row(), 0);
          copy->Add(std::move(c));
        }
      }
      while (Count() < dest) Add(std::make_unique<TCellRecordList>());
      Insert(dest, std::move(copy));
    }
}

void TCellList::InsertAndCopyCols(Integer FirstCol, Integer LastCol, Integer DestCol, Integer aCount,
                                  const TSheetInfo& SheetInfo, bool OnlyFormulas) {
  const Integer n = LastCol - FirstCol + 1;
  for (auto& row : FItems)
    if (row) row->ArrangeInsertRowsAndCols(0, 0, DestCol, n * aCount, SheetInfo);
  const Integer offset = FirstCol < DestCol ? 0 : n * aCount;
  Integer dest = DestCol;
  for (Integer k = 0; k < aCount; ++k)
    for (Integer c = FirstCol; c <= LastCol; ++c, ++dest)
      for (auto& row : FItems) {
        Integer index = 0;
        if (!row || !row->Find(c + offset, index)) continue;
        const TCellRecord* cell = (*row)[index];
        if (OnlyFormulas && cell->Id != 0x0006) continue;
        auto copy = CopyCell(*cell);
        copy->ArrangeCopyRowsAndCols(0, dest - copy->Column());
        Integer at = 0;
        if (row->Find(dest, at)) row->Delete(at);
        row->Insert(at, std::move(copy));
      }
  if (FColInfoList) {
    const Integer first = FirstCol < DestCol ? FirstCol : FirstCol + n * aCount;
    FColInfoList->CopyCols(first, first + n - 1, DestCol, aCount, SheetInfo);
  }
}

void TCellList::DeleteRows(Integer aRow, Word aCount, const TSheetInfo& SheetInfo) {
  for (Integer r = std::min<Integer>(aRow + aCount, Count()) - 1; r >= aRow; --r) Delete(r);
  for (auto& row : FItems)
    if (row) row->ArrangeInsertRowsAndCols(aRow, -aCount, 0, 0, SheetInfo);
}

void TCellList::DeleteCols(Integer aCol, Word aCount, const TSheetInfo& SheetInfo) {
  for (auto& row : FItems) {
    if (!row) continue;
    for (Integer i = row->Count() - 1; i >= 0; --i) {
      const TCellRecord* cell = (*row)[i];
      if (cell && cell->Column() >= aCol && cell->Column() < aCol + aCount) row->Delete(i);
    }
    row->ArrangeInsertRowsAndCols(0, 0, aCol, -aCount, SheetInfo);
  }
}

Int64 TCellList::FixTotalSize(bool NeedsRecalc) const {
  Int64 size = 0;
  for (const auto& row : FItems)
    if (row) size += row->FixTotalSize(NeedsRecalc);
  return size;
}

// ---------------------------------------------------------------------------------------------
// TCells

void TCells::Clear() {
  FRowList.Clear();
  FCellList.Clear();
}

void TCells::CopyFrom(const TCells& aCells) {
  FRowList.CopyFrom(&aCells.FRowList);
  FCellList.CopyFrom(aCells.FCellList);
}

void TCells::AddCell(std::unique_ptr<TCellRecord> aRecord, Integer aRow) {
  if (aRecord->Column() > TBaseRowColRecord::MaxCol) return;
  FCellList.AddRecord(std::move(aRecord), aRow);
}

void TCells::AddMultipleCells(TMultipleValueRecord& aRecord) {
  bool reserved = false;
  while (!aRecord.Eof()) {
    auto cell = aRecord.ExtractOneRecord();
    if (cell) {
      const Integer row = cell->Row();
      AddCell(std::move(cell), row);
      // Once the row stands, room for the rest of the record's cells in one step.
      if (!reserved)
        if (TCellRecordList* list = FCellList.RowList(row)) {
          list->ReserveMore(aRecord.CellCount() - aRecord.CurrentCol);
          reserved = true;
        }
    }
  }
}

void TCells::FixRows() {
  // Every row that holds cells has a ROW record whose bounds cover them; checked row by row,
  // so a loaded file whose ROW records disagree with its cells is written as it is counted.
  for (Integer r = 0; r < FCellList.Count(); ++r) {
    TCellRecordList* row = FCellList[r];
    if (!row || row->Count() == 0) continue;
    FRowList.AddRow(r);
    row->Sort();
    TRowRecord* rec = FRowList.Row(r);
    Integer first = TBaseRowColRecord::MaxCol, last = 0;
    for (Integer i = 0; i < row->Count(); ++i)
      if (const TCellRecord* c = (*row)[i]) {
        first = std::min<Integer>(first, c->Column());
        last = std::max<Integer>(last, c->Column());
      }
    if (rec->MinCol() > first) rec->SetMinCol(static_cast<Word>(first));
    if (rec->MaxCol() < last + 1) rec->SetMaxCol(static_cast<Word>(last + 1));
  }
}

void TCells::FixMinMaxCols() {
  for (Integer r = 0; r < FRowList.Count(); ++r) {
    if (!FRowList.HasRow(r)) continue;
    TRowRecord* rec = FRowList.Row(r);
    TCellRecordList* row = FCellList.RowList(r);
    if (row && row->Count() > 0) {
      row->Sort();
      rec->SetMinCol((*row)[0]->Column());
      rec->SetMaxCol(static_cast<Word>((*row)[row->Count() - 1]->Column() + 1));
    } else {
      rec->SetMinCol(0);
      rec->SetMaxCol(0);
    }
  }
}

void TCells::InsertAndCopyRows(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aCount,
                               const TSheetInfo& SheetInfo, bool OnlyFormulas) {
  FRowList.InsertAndCopyRows(FirstRow, LastRow, DestRow, aCount, SheetInfo);
  FCellList.InsertAndCopyRows(FirstRow, LastRow, DestRow, aCount, SheetInfo, OnlyFormulas);
}

void TCells::InsertAndCopyCols(Integer FirstCol, Integer LastCol, Integer DestCol, Integer aCount,
                               const TSheetInfo& SheetInfo, bool OnlyFormulas) {
  FCellList.InsertAndCopyCols(FirstCol, LastCol, DestCol, aCount, SheetInfo, OnlyFormulas);
  FixMinMaxCols();
}

void TCells::DeleteRows(Integer aRow, Word aCount, const TSheetInfo& SheetInfo) {
  FRowList.DeleteRows(aRow, aCount, SheetInfo);
  FCellList.DeleteRows(aRow, aCount, SheetInfo);
}

void TCells::DeleteCols(Integer aCol, Word aCount, const TSheetInfo& SheetInfo) {
  FCellList.DeleteCols(aCol, aCount, SheetInfo);
  FixMinMaxCols();
}

TXlsCellRange TCells::UsedRange() const {
  TXlsCellRange r;
  r.Top = -1;
  for (Integer i = 0; i < FRowList.Count(); ++i)
    if (FRowList.HasRow(i)) {
      r.Top = i;
      break;
    }
  // Without any row record (the row list may still hold empty slots after rows were deleted
  // or empty rows copied) the area is the empty one, written as DIMENSIONS 0, 0, 0, 1.
  if (r.Top < 0) return TXlsCellRange{0, 0, 0, -1};
  r.Bottom = FRowList.Count() - 1;
  r.Left = 0;
  Integer right = 0;
  for (Integer i = 0; i < FRowList.Count(); ++i)
    if (FRowList.HasRow(i)) right = std::max<Integer>(right, FRowList.Row(i)->MaxCol());
  r.Right = right > 0 ? right - 1 : 0;
  return r;
}

void TCells::WriteArea(TOle2File& DataStream, const TXlsCellRange& Range) {
  DataStream.WriteHeader(0x0200, 14);
  DataStream.Write32(static_cast<Cardinal>(Range.Top));
  DataStream.Write32(static_cast<Cardinal>(Range.Bottom + 1));
  DataStream.Write16(static_cast<Word>(Range.Left));
  DataStream.Write16(static_cast<Word>(Range.Right + 1));
  DataStream.Write16(0);
  for (Integer block = Range.Top; block <= Range.Bottom; block += 32) {
    const Integer end = std::min(block + 31, Range.Bottom);
    for (Integer r = block; r <= end; ++r)
      if (FRowList.HasRow(r))
        FRowList.Row(r)->SaveRangeToStream(DataStream, static_cast<Word>(Range.Left), static_cast<Word>(Range.Right));
    for (Integer r = block; r <= end; ++r)
      if (TCellRecordList* row = FCellList.RowList(r)) row->SaveRangeToStream(DataStream, Range);
  }
}

void TCells::SaveToStream(TOle2File& DataStream) { WriteArea(DataStream, UsedRange()); }

void TCells::SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) { WriteArea(DataStream, CellRange); }

Int64 TCells::TotalSize() const { return FixTotalSize(false); }

Int64 TCells::FixTotalSize(bool NeedsRecalc) const {
  return FRowList.TotalSize() + 18 + FCellList.FixTotalSize(NeedsRecalc);
}

Int64 TCells::TotalRangeSize(const TXlsCellRange& CellRange) const {
  return FRowList.TotalRangeSize(CellRange, false) + 18 + FCellList.TotalRangeSize(CellRange);
}

// ---------------------------------------------------------------------------------------------
// TRangeList

void TRangeList::CopyFrom(const TRangeList& aList) {
  for (const auto& e : aList.FItems) Add(TRangeEntry::CopyTo(e.get()));
}

void TRangeList::InsertAndCopyRowsOrCols(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aCount,
                                         const TSheetInfo& SheetInfo, bool UseCols) {
  for (auto& e : FItems)
    if (e) e->InsertAndCopyRowsOrCols(FirstRow, LastRow, UseCols, SheetInfo, aCount, DestRow);
}

void TRangeList::DeleteRowsOrCols(Integer aRow, Integer aCount, const TSheetInfo& SheetInfo, bool UseCols) {
  for (auto& e : FItems)
    if (e) e->DeleteRowsOrCols(aRow, aCount, UseCols, SheetInfo);
}

void TRangeList::SaveToStream(TOle2File& DataStream) const {
  for (const auto& e : FItems)
    if (e) e->SaveToStream(DataStream);
}

void TRangeList::SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const {
  for (const auto& e : FItems)
    if (e) e->SaveRangeToStream(DataStream, CellRange);
}

Int64 TRangeList::TotalSize() const {
  Int64 size = 0;
  for (const auto& e : FItems)
    if (e) size += e->TotalSize();
  return size;
}

Int64 TRangeList::TotalRangeSize(const TXlsCellRange& CellRange) const {
  Int64 size = 0;
  for (const auto& e : FItems)
    if (e) size += e->TotalRangeSize(CellRange);
  return size;
}
