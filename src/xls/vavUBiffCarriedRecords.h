// The record groups a workbook carries byte for byte until the engine interprets them: sheet
// drawings (with embedded chart streams), the drawing group and notes. Each keeps its records
// in file order and writes them back unchanged; the row bookkeeping they need to follow row
// edits is done on the bytes.
#pragma once

#include "xls/vavUBiffBaseRecordLists.h"

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
