// The encryption interface of the workbook stream: an engine that encodes what is written
// (record headers stay plain) and the state a compound file keeps for it. No engine ships with
// the program; reading an encrypted workbook is refused ("File is password protected").
#pragma once

#include <memory>

#include "xls/vavXlsMessages.h"

class TEncryptionEngine {
 public:
  virtual ~TEncryptionEngine() = default;
  virtual bool CheckHash(const WideString& Password) = 0;
  virtual ArrayOfByte Decode(const ArrayOfByte& Data, Int64 StreamPosition, Integer StartPos, Integer Count,
                             Integer RecordLen) = 0;
  virtual ArrayOfByte Encode(const ArrayOfByte& Data, Int64 StreamPosition, Integer StartPos, Integer Count,
                             Integer RecordLen) = 0;
  virtual Word Encode(Word Data, Int64 StreamPosition, Integer RecordLen) = 0;
  virtual Cardinal Encode(Cardinal Data, Int64 StreamPosition, Integer RecordLen) = 0;
  virtual ArrayOfByte GetFilePassRecord() = 0;
  virtual Integer GetFilePassRecordLen() = 0;
};

class TEncryptionData {
 public:
  WideString ReadPassword;
  std::unique_ptr<TEncryptionEngine> Engine;  // none unless installed
  Integer ActualRecordLen = 0;                // length of the record being written
  // The FILEPASS record's length, 0 without an engine.
  Integer TotalSize() const { return Engine ? Engine->GetFilePassRecordLen() : 0; }
};
