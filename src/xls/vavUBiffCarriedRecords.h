// The record groups a workbook carries byte for byte until the engine interprets them: sheet
// drawings (with embedded chart streams), the drawing group, notes, hyperlinks, page breaks and
// conditional formats. Each keeps its records in file order and writes them back unchanged; the
// row bookkeeping they need to follow row edits is done on the bytes.
#pragma once

#include "xls/vavUBiffBaseRecordLists.h"
#include "xls/vavUBiffRangeRecords.h"

namespace BiffCarriedId {
inline constexpr Word NOTE = 0x001C, EXTERNSHEET = 0x0017, NAME = 0x0018, EXTERNNAME = 0x0023,
                      OBJ = 0x005D, TXO = 0x01B6, MSODRAWINGGROUP = 0x00EB, MSODRAWING = 0x00EC,
                      SUPBOOK = 0x01AE, CONDFMT = 0x01B0, CF = 0x01B1, HPAGEBREAKS = 0x001B,
                      VPAGEBREAKS = 0x001A, COUNTRY = 0x008C;
}

// A sheet's drawing: MSODRAWING records and the OBJ and TXO records between them, with the
// BOF..EOF stream of every embedded chart.
class TDrawing : public TBaseRecordList {
 public:
  // Takes the first MSODRAWING and reads every drawing record that follows it.
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBaseRecord> First);
  void CopyFrom(const TDrawing& aDrawing) { TBaseRecordList::CopyFrom(&aDrawing); }
};

// The workbook's MSODRAWINGGROUP records.
class TDrawingGroup : public TBaseRecordList {};

// NOTE records; written in row order.
class TNoteList : public TBaseRecordList {
 public:
  void AddRecord(std::unique_ptr<TBaseRecord> aRecord);
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo);
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const;
  Int64 TotalRangeSize(const TXlsCellRange& CellRange) const;
};

// HLINK records with their screen tips.
class THLinkList : public TBaseRecordList {
 public:
  // Moves the links below or right of the position; links wholly inside a deleted block go.
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount);
};

// HORIZONTALPAGEBREAKS and VERTICALPAGEBREAKS.
class THPageBreakList : public TBaseRecordList {};
class TVPageBreakList : public TBaseRecordList {};

// A CONDFMT record and the CF records that follow it, as one range entry of the sheet.
class TCondFmtCarrier : public TRangeEntry {
 public:
  TCondFmtCarrier() : TRangeEntry(std::make_unique<TRangeValuesList>(1, 0)) {}
  std::unique_ptr<TRangeEntry> DoCopyTo() const override;
  void LoadFromStream(std::unique_ptr<TBaseRecord> First) override { FRecords.Add(std::move(First)); }
  void AddCF(std::unique_ptr<TBaseRecord> aRecord) { FRecords.Add(std::move(aRecord)); }
  void SaveToStream(TOle2File& DataStream) const override { FRecords.SaveToStream(DataStream); }
  void SaveRangeToStream(TOle2File&, const TXlsCellRange&) const override {}
  Int64 TotalSize() const override { return FRecords.TotalSize(); }
  Int64 TotalRangeSize(const TXlsCellRange&) const override { return 0; }
  void ArrangeInsertRowsAndCols(Integer, Integer, const TSheetInfo&, Integer, Integer) override {}
  void InsertAndCopyRowsOrCols(Integer, Integer, bool, const TSheetInfo&, Integer, Integer) override {}
  void DeleteRowsOrCols(Integer, Integer, bool, const TSheetInfo&) override {}

 private:
  TBaseRecordList FRecords;
};
