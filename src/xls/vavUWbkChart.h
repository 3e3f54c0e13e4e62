// Sheets other than worksheets: a chart sheet (its records kept in file order, BEGIN/END
// nesting included) and any other kind of sheet (a flat record list). Both are written back
// as read; row and column edits elsewhere leave them as they are until chart records are
// interpreted.
#pragma once

#include "xls/vavUSheet.h"

class TSheetRecordsBase : public TSheet {
 public:
  using TSheet::TSheet;
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
  TBaseRecordList FRecords;
};

class TWbkChart : public TSheetRecordsBase {
 public:
  explicit TWbkChart(TWorkbookGlobals* aWorkbookGlobals) : TSheetRecordsBase(aWorkbookGlobals) { FPrintRecords = &FRecords; }
  void Clear() override;
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBOFRecord> First,
                      TSST* SST) override;

 protected:
  std::unique_ptr<TSheet> DoCopyTo() const override;
  void AddZoomRecord() override;

 private:
  // Data some writers chain to the chart's EOF; never written.
  std::unique_ptr<TContinueRecord> RemainingData;
};

class TWbkUnsupportedSheet : public TSheetRecordsBase {
 public:
  explicit TWbkUnsupportedSheet(TWorkbookGlobals* aWorkbookGlobals) : TSheetRecordsBase(aWorkbookGlobals) {
    FPrintRecords = &FRecords;
  }
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBOFRecord> First,
                      TSST* SST) override;

 protected:
  std::unique_ptr<TSheet> DoCopyTo() const override;
};
