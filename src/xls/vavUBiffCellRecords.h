// Constant cells: BLANK, BOOLERR, NUMBER and RK, and the multi-cell records MULBLANK and
// MULRK that pack neighbouring blank or RK cells of one row. Multi-cell records are expanded
// into single cells when a sheet is loaded; runs of single cells are joined back on save.
#pragma once

#include "xls/vavUBiffBaseRecords.h"

namespace BiffCellId {
inline constexpr Word BLANK = 0x0201, BOOLERR = 0x0205, NUMBER = 0x0203, RK = 0x027E, MULBLANK = 0x00BE,
                      MULRK = 0x00BD;
}

// RK values: bit 0 divides by 100, bit 1 marks a 30-bit integer, else bits 2-31 are the top of
// a double whose other bits are 0.
// Encodes x, trying the floating-point form before the integer form, first as it is and then
// times 100. A value is encodable only when decoding gives back exactly the same double.
bool EncodeRK(double x, Cardinal& RK);
double DecodeRK(Cardinal RK);
inline bool IsRKEncodable(double x) {
  Cardinal rk;
  return EncodeRK(x, rk);
}

// Refuses record data shorter than its fixed size with "Record with ID 0x%x is invalid".
ArrayOfByte RequireDataSize(Word aId, ArrayOfByte aData, size_t aSize);

// The error texts of BOOLERR cells, by code; codes outside the table give "#NULL!".
String ErrorCodeText(Byte Code);
// The code of an error text, false when the text is none of the seven.
bool ErrorTextCode(const String& Text, Byte& Code);

// BLANK: a formatted empty cell; neighbours join into MULBLANK.
class TBlankRecord : public TRecordOf<TBlankRecord, TCellRecord> {
 public:
  TBlankRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 6)) {}
  static std::unique_ptr<TBlankRecord> CreateFromData(Word aRow, Word aCol, Word aXF) {
    return TCellRecord::CreateFromData<TBlankRecord>(BiffCellId::BLANK, 6, aRow, aCol, aXF);
  }
  bool CanJoinNext(const TCellRecord* NextRecord, Integer MaxCol) const override;
  void SaveFirstMul(TOle2File& Workbook, Word JoinedRecordSize) const override;
  void SaveMidMul(TOle2File& Workbook) const override;
  void SaveLastMul(TOle2File& Workbook) const override;
  Integer TotalSizeFirst() const override { return 10; }
  Integer TotalSizeMid() const override { return 2; }
  Integer TotalSizeLast() const override { return 4; }
};

// BOOLERR: a Boolean (byte 7 = 0) or an error code (byte 7 = 1) in byte 6.
class TBoolErrRecord : public TRecordOf<TBoolErrRecord, TCellRecord> {
 public:
  TBoolErrRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 8)) {}
  static std::unique_ptr<TBoolErrRecord> CreateFromData(Word aRow, Word aCol, Word aXF) {
    return TCellRecord::CreateFromData<TBoolErrRecord>(BiffCellId::BOOLERR, 8, aRow, aCol, aXF);
  }
  // A Boolean, or the error's text.
  Variant GetValue() const override;
  // Booleans and the seven error texts; anything else raises and keeps the old value.
  void SetValue(const Variant& Value) override;
};

// NUMBER: an IEEE double at byte 6.
class TNumberRecord : public TRecordOf<TNumberRecord, TCellRecord> {
 public:
  TNumberRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 14)) {}
  static std::unique_ptr<TNumberRecord> CreateFromData(Word aRow, Word aCol, Word aXF) {
    return TCellRecord::CreateFromData<TNumberRecord>(BiffCellId::NUMBER, 14, aRow, aCol, aXF);
  }
  Variant GetValue() const override { return Variant(GetDouble(Data, 6)); }
  void SetValue(const Variant& Value) override { SetDouble(Data, 6, Value.AsDouble()); }
};

// RK: a compressed number at byte 6; neighbours join into MULRK.
class TRKRecord : public TRecordOf<TRKRecord, TCellRecord> {
 public:
  TRKRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 10)) {}
  static std::unique_ptr<TRKRecord> CreateFromData(Word aRow, Word aCol, Word aXF) {
    return TCellRecord::CreateFromData<TRKRecord>(BiffCellId::RK, 10, aRow, aCol, aXF);
  }
  Cardinal RK() const { return GetCardinal(Data, 6); }
  Variant GetValue() const override { return Variant(DecodeRK(RK())); }
  // Raises "Invalid cell value" for a number that is not RK-encodable.
  void SetValue(const Variant& Value) override;
  bool CanJoinNext(const TCellRecord* NextRecord, Integer MaxCol) const override;
  void SaveFirstMul(TOle2File& Workbook, Word JoinedRecordSize) const override;
  void SaveMidMul(TOle2File& Workbook) const override;
  void SaveLastMul(TOle2File& Workbook) const override;
  Integer TotalSizeFirst() const override { return 14; }
  Integer TotalSizeMid() const override { return 6; }
  Integer TotalSizeLast() const override { return 8; }
};

// A record that packs several cells of one row; ExtractOneRecord gives them one by one.
class TMultipleValueRecord : public TRecordOf<TMultipleValueRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  virtual bool Eof() const { return true; }
  virtual std::unique_ptr<TCellRecord> ExtractOneRecord() { return nullptr; }
  Word Row() const { return GetWord(Data, 0); }
  Word FirstColumn() const { return GetWord(Data, 2); }
  // The cells the record packs.
  virtual Integer CellCount() const { return 0; }

  Integer CurrentCol = 0;
};

// MULBLANK: row, first column, one XF per cell, last column.
class TMulBlankRecord : public TRecordOf<TMulBlankRecord, TMultipleValueRecord> {
 public:
  using TRecordOf::TRecordOf;
  bool Eof() const override { return 6 + 2 * static_cast<size_t>(CurrentCol) >= Data.size(); }
  Integer CellCount() const override { return Data.size() >= 6 ? static_cast<Integer>((Data.size() - 6) / 2) : 0; }
  std::unique_ptr<TCellRecord> ExtractOneRecord() override;
};

// MULRK: row, first column, XF and RK per cell, last column.
class TMulRKRecord : public TRecordOf<TMulRKRecord, TMultipleValueRecord> {
 public:
  using TRecordOf::TRecordOf;
  bool Eof() const override { return 10 + 6 * static_cast<size_t>(CurrentCol) >= Data.size(); }
  Integer CellCount() const override { return Data.size() >= 6 ? static_cast<Integer>((Data.size() - 6) / 6) : 0; }
  std::unique_ptr<TCellRecord> ExtractOneRecord() override;
};
