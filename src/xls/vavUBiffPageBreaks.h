// Manual page breaks: HORIZONTALPAGEBREAKS (breaks above rows) and VERTICALPAGEBREAKS (breaks
// left of columns). Each kind is a sorted list with at most one break per row (column); breaks
// move with inserted and deleted rows (columns) and are written as one record per kind.
#pragma once

#include <algorithm>
#include <array>

#include "xls/vavUBiffBaseList.h"
#include "xls/vavUBiffBaseRecords.h"
#include "xls/vavUWbkMessages.h"

struct THBreakData {
  Word Row = 0;   // the break lies above this row
  Word Col1 = 0;  // columns the break spans
  Word Col2 = 0;
  std::array<Word, 3> Words() const { return {Row, Col1, Col2}; }
};

struct TVBreakData {
  Word Col = 0;   // the break lies left of this column
  Word Row1 = 0;  // rows the break spans
  Word Row2 = 0;
  std::array<Word, 3> Words() const { return {Col, Row1, Row2}; }
};

class THPageBreak : public TObject {
 public:
  explicit THPageBreak(const THBreakData& aData) : BreakData(aData) {}
  THBreakData BreakData;
  std::unique_ptr<THPageBreak> CopyTo() const { return std::make_unique<THPageBreak>(BreakData); }
  Integer Key() const { return BreakData.Row; }
  Word& KeyRef() { return BreakData.Row; }
  static THBreakData NewBreak(Word aRow) { return {aRow, 0, 255}; }
};

class TVPageBreak : public TObject {
 public:
  explicit TVPageBreak(const TVBreakData& aData) : BreakData(aData) {}
  TVBreakData BreakData;
  std::unique_ptr<TVPageBreak> CopyTo() const { return std::make_unique<TVPageBreak>(BreakData); }
  Integer Key() const { return BreakData.Col; }
  Word& KeyRef() { return BreakData.Col; }
  static TVBreakData NewBreak(Word aCol) { return {aCol, 0, 65535}; }
};

// HORIZONTALPAGEBREAKS (0x001B) as read. A count past the data raises "Error reading record".
class THPageBreakRecord : public TRecordOf<THPageBreakRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  static constexpr Word Id_ = 0x001B;
  Word Count() const { return GetWord(Data, 0); }
  THBreakData BreakData(Integer Index) const;
};

// VERTICALPAGEBREAKS (0x001A) as read.
class TVPageBreakRecord : public TRecordOf<TVPageBreakRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  static constexpr Word Id_ = 0x001A;
  Word Count() const { return GetWord(Data, 0); }
  TVBreakData BreakData(Integer Index) const;
};

// The shared workings of the two lists; the key is the break's row (column).
template <class TBreak, class TRecord>
class TPageBreakListOf : public TBaseList<TBreak> {
 public:
  bool Sorted = true;

  Integer Add(std::unique_ptr<TBreak> Item) override {
    Sorted = false;
    return TBaseList<TBreak>::Add(std::move(Item));
  }
  void Sort() {
    std::stable_sort(this->FItems.begin(), this->FItems.end(),
                     [](const auto& a, const auto& b) { return a->Key() < b->Key(); });
    Sorted = true;
  }
  // Sorts when needed, then bisects; Index is the match or where the key belongs.
  bool Find(Integer aItem, Integer& Index) {
    if (!Sorted) Sort();
    Integer lo = 0, hi = this->Count() - 1;
    while (lo <= hi) {
      const Integer mid = lo + (hi - lo) / 2;
      const Integer k = this->FItems[static_cast<size_t>(mid)]->Key();
      if (k == aItem) {
        Index = mid;
        return true;
      }
      if (k < aItem)
        lo = mid + 1;
      else
        hi = mid - 1;
    }
    Index = lo;
    return false;
  }
  // A list already holding 1026 breaks refuses another with "Too many manual Page breaks for
  // this sheet"; a break that exists stays as it is.
  void AddBreak(Integer aKey) {
    if (this->Count() > 1025) RaiseXls(XlsMsg::TooManyPageBreaks);
    CheckKey(aKey);
    Integer index = 0;
    if (Find(aKey, index)) return;
    this->Insert(index, std::make_unique<TBreak>(TBreak::NewBreak(static_cast<Word>(aKey))));
  }
  void DeleteBreak(Integer aKey) {
    Integer index = 0;
    if (Find(aKey, index)) this->Delete(index);
  }
  bool HasPageBreak(Integer aKey) {
    Integer index = 0;
    return Find(aKey, index);
  }
  // Adds the record's breaks (the first of equal keys wins), then frees the record.
  void AddRecord(std::unique_ptr<TRecord> aRecord) {
    const Integer n = aRecord->Count();
    for (Integer i = 0; i < n; ++i) {
      auto entry = std::make_unique<TBreak>(aRecord->BreakData(i));
      Integer index = 0;
      if (!Find(entry->Key(), index)) this->Insert(index, std::move(entry));
    }
  }
  void CopyFrom(const TPageBreakListOf* aBreakList) {
    if (!aBreakList) return;
    for (const auto& b : aBreakList->FItems) this->Add(b->CopyTo());
  }

  void SaveToStream(TOle2File& DataStream) { SaveSlice(DataStream, 0, this->Count() - 1); }
  void SaveRangeToStream(TOle2File& DataStream, Integer First, Integer Last) {
    Integer from = 0, to = -1;
    Slice(First, Last, from, to);
    SaveSlice(DataStream, from, to);
  }
  Int64 TotalSize() const { return SliceSize(this->Count()); }
  Int64 TotalRangeSize(Integer First, Integer Last) {
    Integer from = 0, to = -1;
    Slice(First, Last, from, to);
    return SliceSize(to - from + 1);
  }

 protected:
  // Moves the breaks at or after Pos by aCount; a key pushed past Max raises "Too many
  // entries for this kind of record" (breaks before it have moved already).
  void InsertKeys(Integer Pos, Integer aCount, Integer Max) {
    Integer index = 0;
    Find(Pos, index);
    for (Integer i = index; i < this->Count(); ++i)
      IncWordVarMax(this->FItems[static_cast<size_t>(i)]->KeyRef(), aCount, Max);
  }
  // Breaks inside the deleted block go, the ones after it move back.
  void DeleteKeys(Integer Pos, Integer aCount) {
    Integer index = 0;
    Find(Pos, index);
    for (Integer i = this->Count() - 1; i >= index; --i) {
      TBreak* b = this->FItems[static_cast<size_t>(i)].get();
      if (b->Key() < Pos + aCount)
        this->Delete(i);
      else
        b->KeyRef() = static_cast<Word>(b->Key() - aCount);
    }
  }
  virtual void CheckKey(Integer aKey) const = 0;

 private:
  static Int64 SliceSize(Integer n) { return n <= 0 ? 0 : 6 * static_cast<Int64>(n) + 6; }
  void Slice(Integer First, Integer Last, Integer& From, Integer& To) {
    Find(First, From);
    Integer after = 0;
    To = Find(Last, after) ? after : after - 1;
  }
  void SaveSlice(TOle2File& DataStream, Integer From, Integer To) {
    if (To < From) return;
    if (!Sorted) Sort();
    const Integer n = To - From + 1;
    DataStream.WriteHeader(TRecord::Id_, static_cast<Word>(2 + 6 * n));
    DataStream.Write16(static_cast<Word>(n));
    for (Integer i = From; i <= To; ++i) {
      for (Word w : this->FItems[static_cast<size_t>(i)]->BreakData.Words()) DataStream.Write16(w);
    }
  }
};

class THPageBreakList : public TPageBreakListOf<THPageBreak, THPageBreakRecord> {
 public:
  void InsertRows(Integer DestRow, Integer aCount) { InsertKeys(DestRow, aCount, 65535); }
  void DeleteRows(Integer DestRow, Integer aCount) { DeleteKeys(DestRow, aCount); }
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) {
    TPageBreakListOf::SaveRangeToStream(DataStream, CellRange.Top, CellRange.Bottom);
  }
  Int64 TotalRangeSize(const TXlsCellRange& CellRange) {
    return TPageBreakListOf::TotalRangeSize(CellRange.Top, CellRange.Bottom);
  }

 protected:
  void CheckKey(Integer aKey) const override {
    if (aKey < 0 || aKey > 65535) RaiseXls(XlsMsg::InvalidRow, {Int64{aKey}});
  }
};

class TVPageBreakList : public TPageBreakListOf<TVPageBreak, TVPageBreakRecord> {
 public:
  void InsertCols(Integer DestCol, Integer aCount) { InsertKeys(DestCol, aCount, 255); }
  void DeleteCols(Integer DestCol, Integer aCount) { DeleteKeys(DestCol, aCount); }
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) {
    TPageBreakListOf::SaveRangeToStream(DataStream, CellRange.Left, CellRange.Right);
  }
  Int64 TotalRangeSize(const TXlsCellRange& CellRange) {
    return TPageBreakListOf::TotalRangeSize(CellRange.Left, CellRange.Right);
  }

 protected:
  void CheckKey(Integer aKey) const override {
    if (aKey < 0 || aKey > 255) RaiseXls(XlsMsg::InvalidColumn, {Int64{aKey}});
  }
};
