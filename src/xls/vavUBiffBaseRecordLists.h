// Typed record lists that know the byte size of what they hold: plain record lists, lists of
// row/column records kept in column order, one row's cells (written with neighbouring blank
// and RK cells joined), the ROW records of a sheet by row number, the BOUNDSHEET records, the
// defined names and the shared formulas of a sheet being loaded.
#pragma once

#include <algorithm>
#include <functional>

#include "xls/vavUBiffBaseList.h"
#include "xls/vavUBiffBaseRecords.h"
#include "xls/vavUBiffFormula.h"
#include "xls/vavUBiffOtherRecords.h"
#include "xls/vavUWbkMessages.h"

// A record list whose total byte size follows every add, delete and replace.
template <class T>
class TRecordListOf : public TBaseList<T> {
 public:
  virtual Int64 TotalSize() const { return FTotalSize; }
  virtual void SaveToStream(TOle2File& DataStream) const {
    for (const auto& r : this->FItems)
      if (r) r->SaveToStream(DataStream);
  }
  // For callers that change a record's size in place.
  void AdaptSize(Int64 Delta) { FTotalSize += Delta; }
  // Appends a copy of every item of the other list.
  void CopyFrom(const TRecordListOf* aList) {
    if (!aList) return;
    for (const auto& r : aList->FItems) {
      std::unique_ptr<TBaseRecord> copy = TBaseRecord::CopyTo(r.get());
      this->Add(std::unique_ptr<T>(static_cast<T*>(copy.release())));
    }
  }

 protected:
  void Notify(T* Item, bool Added) override {
    if (Item) FTotalSize += Added ? Item->TotalSize() : -static_cast<Int64>(Item->TotalSize());
  }
  Int64 FTotalSize = 0;
};

using TBaseRecordList = TRecordListOf<TBaseRecord>;

// Row/column records kept in column order on demand.
template <class T>
class TRowColRecordListOf : public TRecordListOf<T> {
 public:
  bool Sorted = true;

  Integer Add(std::unique_ptr<T> Item) override {
    Sorted = false;
    return TRecordListOf<T>::Add(std::move(Item));
  }
  void Sort() {
    const auto byColumn = [](const auto& a, const auto& b) { return ColumnOf(a.get()) < ColumnOf(b.get()); };
    // A row read from a file is in order already; the stable sort would take a buffer for it.
    if (!std::is_sorted(this->FItems.begin(), this->FItems.end(), byColumn))
      std::stable_sort(this->FItems.begin(), this->FItems.end(), byColumn);
    Sorted = true;
  }
  // Sorts when needed, then bisects by column; Index is the match or where it belongs.
  bool Find(Integer aColumn, Integer& Index) {
    if (!Sorted) Sort();
    Integer lo = 0, hi = this->Count() - 1;
    while (lo <= hi) {
      Integer mid = lo + (hi - lo) / 2;
      Integer c = ColumnOf(this->FItems[static_cast<size_t>(mid)].get());
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
  void ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset) {
    for (auto& r : this->FItems)
      if (r) r->ArrangeCopyRowsAndCols(RowOffset, ColOffset);
  }
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo) {
    for (auto& r : this->FItems)
      if (r) r->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, SheetInfo);
  }
  virtual void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const {
    for (const auto& r : this->FItems)
      if (r && InRange(*r, CellRange)) r->SaveToStream(DataStream);
  }
  virtual Int64 TotalRangeSize(const TXlsCellRange& CellRange, bool NeedsRecalc) const {
    Int64 size = 0;
    for (const auto& r : this->FItems)
      if (r && InRange(*r, CellRange)) size += r->FixTotalSize(NeedsRecalc);
    return size;
  }

 protected:
  // Null items sort first.
  static Integer ColumnOf(const T* r) { return r ? r->Column() : -1; }
  static bool InRange(const T& r, const TXlsCellRange& R) {
    return r.Row() >= R.Top && r.Row() <= R.Bottom && r.Column() >= R.Left && r.Column() <= R.Right;
  }
};

// The cells of one row, in column order. Neighbouring cells that can join (blank or RK runs)
// are written as one MULBLANK or MULRK record; the size counted is what is written.
class TCellRecordList : public TRowColRecordListOf<TCellRecord> {
 public:
  static constexpr TXlsCellRange WholeSheet{0, 0, TBaseRowColRecord::MaxCol, TBaseRowColRecord::MaxRow};

  void SaveToStream(TOle2File& DataStream) const override { SaveRangeToStream(DataStream, WholeSheet); }
  Int64 TotalSize() const override { return FixTotalSize(false); }
  Int64 FixTotalSize(bool NeedsRecalc) const { return TotalRangeSize(WholeSheet, NeedsRecalc); }
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const override {
    Walk(&DataStream, CellRange, false);
  }
  Int64 TotalRangeSize(const TXlsCellRange& CellRange, bool NeedsRecalc) const override {
    return Walk(nullptr, CellRange, NeedsRecalc);
  }

 private:
  // The joining walk: writes when DataStream is given, and returns the bytes.
  Int64 Walk(TOle2File* DataStream, const TXlsCellRange& CellRange, bool NeedsRecalc) const;
};

// The ROW records of a sheet, at list index = row number; null where a row has none.
class TRowRecordList : public TRowColRecordListOf<TRowRecord> {
 public:
  // Puts the record at its row's slot, padding with empty slots; a filled slot raises
  // "Duplicated ROW record".
  Integer AddRecord(std::unique_ptr<TRowRecord> aRecord);
  // The row's record; none raises "Missing ROW Record for row %d".
  TRowRecord* Row(Integer Index) const;
  bool HasRow(Integer Index) const { return Index >= 0 && Index < Count() && FItems[static_cast<size_t>(Index)]; }
  // Adds a standard ROW record when the row has none; a row outside 0..65535 raises
  // "Invalid Row (%d)" before anything is stored.
  void AddRow(Integer Index);
  Integer RowHeight(Integer aRow) const { return HasRow(aRow) ? Row(aRow)->Height() : 0; }
  void SetRowHeight(Integer aRow, Word Height);
  void AutoRowHeight(Integer aRow, bool Value);
  bool IsAutoRowHeight(Integer aRow) const { return !HasRow(aRow) || Row(aRow)->IsAutoHeight(); }
  void DeleteRows(Integer aRow, Integer aRowCount, const TSheetInfo& SheetInfo);
  void InsertAndCopyRows(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aCount,
                         const TSheetInfo& SheetInfo);
  // The ROW records of rows Top..Bottom.
  Int64 TotalRangeSize(const TXlsCellRange& CellRange, bool NeedsRecalc) const override;
  // The deepest row outline level becomes the GUTS record's row level.
  void CalcGuts(TGutsRecord& Guts) const;
};

enum class TXlsSheetVisible { sv_Visible, sv_Hidden, sv_VeryHidden };

// The BOUNDSHEET records of the globals.
class TBoundSheetRecordList : public TRecordListOf<TBoundSheetRecord> {
 public:
  WideString SheetName(Integer Index) const { return (*this)[Index]->SheetName(); }
  // Replaces the name; the list's size follows the record's new size.
  void SetSheetName(Integer Index, const WideString& Name);
  TXlsSheetVisible SheetVisible(Integer Index) const;
  void SetSheetVisible(Integer Index, TXlsSheetVisible Value);
};

// A record that stands in a section's record list for a whole list kept elsewhere: saving it
// saves that list. It counts no bytes itself (the list counts its own) and cannot be copied.
class TSubListRecord : public TBaseRecord {
 public:
  template <class T>
  static std::unique_ptr<TSubListRecord> CreateAndAssign(const TRecordListOf<T>* aSubList) {
    return std::unique_ptr<TSubListRecord>(
        new TSubListRecord([aSubList](TOle2File& Workbook) { if (aSubList) aSubList->SaveToStream(Workbook); }));
  }
  std::unique_ptr<TBaseRecord> DoCopyTo() const override;
  void SaveToStream(TOle2File& Workbook) const override;
  Integer TotalSize() const override { return 0; }
  Integer TotalSizeNoHeaders() const override { return 0; }

 private:
  explicit TSubListRecord(std::function<void(TOle2File&)> aSave) : TBaseRecord(0, {}), FSave(std::move(aSave)) {}
  std::function<void(TOle2File&)> FSave;
};

// The NAME records of the workbook. Names change size when their reference grows from a cell
// to an area, so the total is summed.
class TNameRecordList : public TRecordListOf<TNameRecord> {
 public:
  Int64 TotalSize() const override;
  void ArrangeInsertRowsAndCols(Integer InsRow, Integer aRowCount, Integer InsCol, Integer aColCount,
                                const TSheetInfo& SheetInfo);
  // Names local to the deleted sheets go; the others follow the sheets that moved.
  void DeleteSheets(Integer SheetIndex, Integer SheetCount);
  // SheetCount sheets were inserted before BeforeSheet, copies of sheet CopyFrom (-1: new
  // sheets): the names of the copied sheet, and workbook names that point at it, get a copy
  // local to each new sheet; every name follows the sheets that moved.
  void InsertSheets(Integer CopyFrom, Integer BeforeSheet, Integer SheetCount, const TSheetInfo& SheetInfo);
};

// The SHRFMLA records of a sheet while it loads, found by key.
class TShrFmlaRecordList : public TRecordListOf<TShrFmlaRecord> {
 public:
  bool Sorted = true;
  Integer Add(std::unique_ptr<TShrFmlaRecord> Item) override {
    Sorted = false;
    return TRecordListOf::Add(std::move(Item));
  }
  void Sort();
  // Sorts when needed, then bisects; Index is the match or where it belongs.
  bool Find(Cardinal aKey, Integer& Index);
};
