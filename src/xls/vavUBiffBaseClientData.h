// What a drawing's client data atom carries beside the record tree: the OBJ or TXO record
// that follows it in the BIFF stream.
#pragma once

#include <memory>

#include "xls/vavUBiffBaseRecords.h"

class TSST;

class TBaseClientData {
 public:
  virtual ~TBaseClientData() = default;

  virtual Word ObjectId() const { return 0; }
  virtual void SetObjectId(Word) {}
  // Gives the object the id above MaxId and raises MaxId to it.
  virtual void ArrangeId(Word&) {}
  virtual void Clear() = 0;
  virtual std::unique_ptr<TBaseClientData> CopyTo() const = 0;
  // First is the OBJ or TXO record just read; RecordHeader holds the next record's header.
  virtual void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, TSST* SST,
                              std::unique_ptr<TBaseRecord> First) = 0;
  virtual void SaveToStream(TOle2File& DataStream) const = 0;
  virtual Int64 TotalSize() const = 0;
  virtual void ArrangeCopyRowsAndCols(Integer, Integer) {}
  virtual void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                        const TSheetInfo& SheetInfo) = 0;
  virtual void ArrangeCopySheet(const TSheetInfo& SheetInfo) = 0;

  // CONTINUE records that followed the OBJ or TXO record but hold drawing bytes.
  std::unique_ptr<TContinueRecord> RemainingData;
};

// The kind of client data an atom waits for: the record that must follow it and a maker.
struct TClientDataClass {
  Word ObjRecord = 0;
  std::unique_ptr<TBaseClientData> (*Create)() = nullptr;
};
