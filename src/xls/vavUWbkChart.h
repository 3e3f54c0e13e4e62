// Sheets other than worksheets: a chart sheet (its records kept in file order, BEGIN/END
// nesting included) and any other kind of sheet (a flat record list). Both are written back
// as read; the series references of a chart follow row, column and sheet changes elsewhere.
#pragma once

#include "xls/vavUBiffChart.h"
#include "xls/vavUSheet.h"

class TSheetRecordsBase : public TSheet {
 public:
  // aRecords is the derived sheet's own list.
  TSheetRecordsBase(TWorkbookGlobals* aWorkbookGlobals, TBaseRecordList& aRecords)
      : TSheet(aWorkbookGlobals), FRecords(aRecords) {
    FPrintRecords = &FRecords;
  }
  void Clear() override;
  void SaveToStream(TOle2File& DataStream) override;
  void SaveRangeToStream(TOle2File& DataStream, Integer, const TXlsCellRange&) override { SaveToStream(DataStream); }
  Int64 FixTotalSize(bool) const override { return FRecords.TotalSize() + SheetBaseSize(); }
  Int64 TotalRangeSize(Integer, const TXlsCellRange&) const override { return FixTotalSize(false); }
  void RelinkRecords() override;
  const TBaseRecordList& Records() const { return FRecords; }

  void InsertAndCopyRowsAndCols(Integer, Integer, Integer, Integer, Integer, Integer, Integer, Integer, const TSheetInfo&,
                                bool) override {}
  void DeleteRowsAndCols(Word, Word, Word, Word, const TSheetInfo&) override {}
  void ArrangeInsertRowsAndCols(Integer, Integer, Integer, Integer, const TSheetInfo&) override {}

 protected:
  void CopyRecordsTo(TSheetRecordsBase& Dest) const;
  TBaseRecordList& FRecords;
};

class TWbkChart : public TSheetRecordsBase {
 public:
  explicit TWbkChart(TWorkbookGlobals* aWorkbookGlobals) : TSheetRecordsBase(aWorkbookGlobals, FChartRecords) {}
  void Clear() override;
  const TChartRecordList& ChartRecords() const { return FChartRecords; }
  void ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, Integer InsColPos, Integer InsColCount,
                                const TSheetInfo& SheetInfo) override {
    FChartRecords.ArrangeInsertRowsAndCols(InsRowPos, InsRowCount, InsColPos, InsColCount, SheetInfo);
  }
  void ArrangeCopySheet(const TSheetInfo& SheetInfo) override { FChartRecords.ArrangeCopySheet(SheetInfo); }
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBOFRecord> First,
                      TSST* SST) override;

 protected:
  std::unique_ptr<TSheet> DoCopyTo() const override;
  void AddZoomRecord() override;

 private:
  // Made after the base, which only keeps a reference to it until then.
  TChartRecordList FChartRecords;
  // Data some writers chain to the chart's EOF; never written.
  std::unique_ptr<TContinueRecord> RemainingData;
};

class TWbkUnsupportedSheet : public TSheetRecordsBase {
 public:
  explicit TWbkUnsupportedSheet(TWorkbookGlobals* aWorkbookGlobals)
      : TSheetRecordsBase(aWorkbookGlobals, FSheetRecords) {}
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBOFRecord> First,
                      TSST* SST) override;

 protected:
  std::unique_ptr<TSheet> DoCopyTo() const override;

 private:
  TBaseRecordList FSheetRecords;
};
