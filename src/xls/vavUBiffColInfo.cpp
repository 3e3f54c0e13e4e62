#include "xls/vavUBiffColInfo.h"

#include <algorithm>

#include "xls/vavUBiffCellRecords.h"
#include "xls/vavUBiffOtherRecords.h"

TColInfoRecord::TColInfoRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 10)) {}

TColInfoDat TColInfoRecord::D() const {
  TColInfoDat d;
  d.FirstColumn = GetWord(Data, 0);
  d.LastColumn = GetWord(Data, 2);
  d.Width = GetWord(Data, 4);
  d.XF = GetWord(Data, 6);
  d.Options = GetWord(Data, 8);
  d.Reserved = Data.size() >= 12 ? GetWord(Data, 10) : 0;
  return d;
}

void TColInfoList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(), [](const auto& a, const auto& b) { return a->Column < b->Column; });
  Sorted = true;
}

bool TColInfoList::Find(Integer aColumn, Integer& Index) {
  if (!Sorted) Sort();
  Integer lo = 0, hi = Count() - 1;
  while (lo <= hi) {
    Integer mid = lo + (hi - lo) / 2;
    Integer c = FItems[static_cast<size_t>(mid)]->Column;
    if (c == aColumn) {
      Index = mid;
      return true;
    }
    if (c < aColumn) lo = mid + 1;
    else hi = mid - 1;
  }
  Index = lo;
  return false;
}

void TColInfoList::AddRecord(std::unique_ptr<TColInfoRecord> R) {
  const TColInfoDat d = R->D();
  // The run comes from the file: it is cut to the sheet's columns before entries are made.
  const Integer last = std::min<Integer>(d.LastColumn, TBaseRowColRecord::MaxCol);
  for (Integer c = d.FirstColumn; c <= last; ++c)
    Add(std::make_unique<TColInfo>(static_cast<Word>(c), d.Width, d.XF, d.Options));
}

void TColInfoList::CopyFrom(const TColInfoList& aColInfoList) {
  Clear();
  for (const auto& c : aColInfoList.FItems) Add(std::make_unique<TColInfo>(c->Column, c->Width, c->XF, c->Options));
}

Int64 TColInfoList::WriteRuns(TOle2File* DataStream, Integer First, Integer Last) const {
  Int64 size = 0;
  Integer i = First;
  while (i <= Last) {
    const TColInfo& head = *FItems[static_cast<size_t>(i)];
    if (head.Column > TBaseRowColRecord::MaxCol) break;  // every later entry lies beyond it
    Integer j = i + 1;
    while (j <= Last && FItems[static_cast<size_t>(j)]->IsEqual(head) &&
           FItems[static_cast<size_t>(j)]->Column == FItems[static_cast<size_t>(j - 1)]->Column + 1)
      ++j;
    const Integer lastColumn = std::min<Integer>(FItems[static_cast<size_t>(j - 1)]->Column, TBaseRowColRecord::MaxCol);
    if (DataStream) {
      DataStream->WriteHeader(TColInfoRecord::Id_, 12);
      for (Word v : {head.Column, static_cast<Word>(lastColumn), head.Width, head.XF, head.Options, Word{0}})
        DataStream->Write16(v);
    }
    size += 16;
    i = j;
  }
  return size;
}

void TColInfoList::SaveToStream(TOle2File& DataStream) {
  Sort();
  WriteRuns(&DataStream, 0, Count() - 1);
}

Int64 TColInfoList::TotalSize() {
  Sort();
  return WriteRuns(nullptr, 0, Count() - 1);
}

bool TColInfoList::Slice(const TXlsCellRange& CellRange, Integer& First, Integer& Last) {
  Sort();
  First = -1;
  Last = -1;
  for (Integer i = 0; i < Count(); ++i) {
    const Integer c = FItems[static_cast<size_t>(i)]->Column;
    if (First < 0 && c >= CellRange.Left) First = i;
    if (c <= CellRange.Right) Last = i;
  }
  return First >= 0 && Last >= 0 && Last >= First;
}

void TColInfoList::SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) {
  Integer first, last;
  if (Slice(CellRange, first, last)) WriteRuns(&DataStream, first, last);
}

Int64 TColInfoList::TotalRangeSize(const TXlsCellRange& CellRange) {
  Integer first, last;
  return Slice(CellRange, first, last) ? WriteRuns(nullptr, first, last) : 0;
}

void TColInfoList::ArrangeInsertCols(Integer DestCol, Integer aColCount, const TSheetInfo& SheetInfo) {
  if (SheetInfo.FormulaSheet != SheetInfo.InsSheet) return;
  Sort();
  for (Integer i = Count() - 1; i >= 0 && FItems[static_cast<size_t>(i)]->Column >= DestCol; --i)
    FItems[static_cast<size_t>(i)]->Column = static_cast<Word>(std::min(FItems[static_cast<size_t>(i)]->Column + aColCount, 0xFFFF));
}

void TColInfoList::CopyCols(Integer FirstCol, Integer LastCol, Integer DestCol, Integer aColCount, const TSheetInfo&) {
  Sort();
  for (Integer k = 0; k < aColCount; ++k) {
    for (Integer i = 0; i < Count(); ++i) {
      const TColInfo& src = *FItems[static_cast<size_t>(i)];
      if (src.Column < FirstCol) continue;
      if (src.Column > LastCol) break;
      const Integer n = src.Column + DestCol - FirstCol + k * (LastCol - FirstCol + 1);
      if (n < 0 || n > 256 || n == src.Column) continue;
      auto entry = std::make_unique<TColInfo>(static_cast<Word>(n), src.Width, src.XF, src.Options);
      Integer index = 0;
      if (Find(n, index)) {
        Delete(index);
        Insert(index, std::move(entry));
      } else {
        Insert(index, std::move(entry));
        if (index <= i) ++i;
      }
    }
  }
}

void TColInfoList::CalcGuts(TGutsRecord& Guts) const {
  Integer level = 0;
  for (const auto& c : FItems) level = std::max(level, c->GetColOutlineLevel());
  Guts.SetColLevel(level);
}
