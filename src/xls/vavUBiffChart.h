// Chart records: a chart is kept as its records in file order. BEGIN and END mark the nesting
// of its blocks; AI records (linked data) hold the formulas through which a series refers to
// worksheet cells, and are the only chart records that change when rows, columns or sheets do.
#pragma once

#include <vector>

#include "xls/vavUBiffBaseRecordLists.h"

class TChartRecord : public TRecordOf<TChartRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
};

class TBeginRecord : public TRecordOf<TBeginRecord, TChartRecord> {
 public:
  using TRecordOf::TRecordOf;
  static constexpr Word Id_ = 0x1033;
};

class TEndRecord : public TRecordOf<TEndRecord, TChartRecord> {
 public:
  using TRecordOf::TRecordOf;
  static constexpr Word Id_ = 0x1034;
};

// AI (0x1051): flags, 4 bytes, the formula length FLen and the formula's tokens at offset 8.
class TChartAIRecord : public TRecordOf<TChartAIRecord, TChartRecord> {
 public:
  static constexpr Word Id_ = 0x1051;
  // A body too short for its formula raises "Error reading record".
  TChartAIRecord(Word aId, ArrayOfByte aData);
  Word Flags = 0;
  Word FLen = 0;

  // In all three a token the arranging does not know raises "Error in Chart formula. Token
  // Id: 0x%2x".
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo);
  // Every reference, absolute ones included, moves by the offset.
  void ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset);
  void ArrangeCopySheet(const TSheetInfo& SheetInfo);
};

// The AI records of one chart record list, not owned, in the order they were added.
class TChartAIRecordCache {
 public:
  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  TChartAIRecord* operator[](Integer Index) const { return FItems.at(static_cast<size_t>(Index)); }
  void Add(TChartAIRecord* aRecord) { FItems.push_back(aRecord); }
  void Insert(Integer Index, TChartAIRecord* aRecord) { FItems.insert(FItems.begin() + Index, aRecord); }
  void Remove(const TChartAIRecord* aRecord);
  void ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset);
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo);
  void ArrangeCopySheet(const TSheetInfo& SheetInfo);

 private:
  std::vector<TChartAIRecord*> FItems;
};

// The records of one chart, with its AI records kept in AICache as they come and go.
class TChartRecordList : public TBaseRecordList {
 public:
  TChartAIRecordCache AICache;
  void ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset) {
    AICache.ArrangeCopyRowsAndCols(RowOffset, ColOffset);
  }
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo) {
    AICache.ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, SheetInfo);
  }
  void ArrangeCopySheet(const TSheetInfo& SheetInfo) { AICache.ArrangeCopySheet(SheetInfo); }

 protected:
  void Notify(TBaseRecord* Item, bool Added) override;
};
