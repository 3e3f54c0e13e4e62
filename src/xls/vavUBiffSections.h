// The abstract section every part of a workbook stream derives from (the globals, each
// worksheet, chart and unsupported sheet): it owns its BOF and EOF records and counts their
// bytes; sections add their lists' sizes and implement loading and saving.
#pragma once

#include "xls/vavUBiffOtherRecords.h"
#include "xls/vavUWbkMessages.h"

class TSST;

class TBaseSection : public TObject {
 public:
  ~TBaseSection() override = default;

  virtual void Clear() {
    FBOF.reset();
    FEOF.reset();
  }
  virtual Int64 TotalSize() const { return (FBOF ? FBOF->TotalSize() : 0) + (FEOF ? FEOF->TotalSize() : 0); }
  virtual Int64 TotalRangeSize(Integer /*SheetIndex*/, const TXlsCellRange& /*CellRange*/) const {
    return TBaseSection::TotalSize();
  }
  virtual void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBOFRecord> First,
                              TSST* SST) = 0;
  virtual void SaveToStream(TOle2File& DataStream) = 0;
  virtual void SaveRangeToStream(TOle2File& DataStream, Integer SheetIndex, const TXlsCellRange& CellRange) = 0;

 protected:
  std::unique_ptr<TBOFRecord> FBOF;
  std::unique_ptr<TEOFRecord> FEOF;
};
