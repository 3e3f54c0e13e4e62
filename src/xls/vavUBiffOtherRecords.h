// Sheet-structure records: BOF, EOF, TEMPLATE, BOUNDSHEET, CODENAME, the SST head, GUTS, PANE,
// and the bases of OBJ, TXO, OBPROJ and the range records. Each reads and writes its fields
// in the record's data block and writes back every byte it does not touch.
#pragma once

#include "xls/vavUBiffBaseRecords.h"

// BOF (0x0809): the start of a section. Only BIFF8 (version 0x0600) is read.
class TBOFRecord : public TRecordOf<TBOFRecord, TBaseRecord> {
 public:
  TBOFRecord(Word aId, ArrayOfByte aData);
  static constexpr Word Globals = 0x0005, Worksheet = 0x0010, Chart = 0x0020;
  Word Version() const { return GetWord(Data, 0); }
  Word BOFType() const { return GetWord(Data, 2); }
};

// EOF (0x000A): the end of a section.
class TEOFRecord : public TRecordOf<TEOFRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
};

// TEMPLATE (0x0060): marks a workbook template.
class TTemplateRecord : public TRecordOf<TTemplateRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  static Integer GetSize(bool HasTemplate) { return HasTemplate ? 4 : 0; }
  static void SaveNewRecord(TOle2File& Workbook) { Workbook.WriteHeader(0x0060, 0); }
};

// BOUNDSHEET (0x0085): a sheet's stream position, visibility and type, and name.
class TBoundSheetRecord : public TRecordOf<TBoundSheetRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  static std::unique_ptr<TBoundSheetRecord> CreateNew(Word aOptionFlags, const WideString& aName);

  Cardinal Offset() const { return GetCardinal(Data, 0); }
  void SetOffset(Cardinal Value) { SetCardinal(Data, 0, Value); }
  Word OptionFlags() const { return GetWord(Data, 4); }
  void SetOptionFlags(Word Value) { SetWord(Data, 4, Value); }
  WideString SheetName() const;
  // Rebuilds the data at the new name's length.
  void SetSheetName(const WideString& Value);
};

// CODENAME (0x01BA): the sheet's macro code name.
class TCodeNameRecord : public TRecordOf<TCodeNameRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  static std::unique_ptr<TCodeNameRecord> CreateNew(const WideString& aName);
  WideString SheetName() const;
  void SetSheetName(const WideString& Value);
};

// SST (0x00FC): head of the shared string table; the strings themselves are read elsewhere.
class TSSTRecord : public TRecordOf<TSSTRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  Cardinal Count() const { return GetCardinal(Data, 4); }
};

// GUTS (0x0080): outline gutter widths and levels.
class TGutsRecord : public TRecordOf<TGutsRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  bool RecalcNeeded = false;
  Word RowLevel() const { return GetWord(Data, 4); }
  Word ColLevel() const { return GetWord(Data, 6); }
  void SetRowLevel(Integer Level) { SetLevel(0, 4, Level); }
  void SetColLevel(Integer Level) { SetLevel(2, 6, Level); }

 private:
  void SetLevel(size_t WidthPos, size_t LevelPos, Integer Level);
};

// PANE (0x0041): split or frozen panes and the active one.
class TPaneRecord : public TRecordOf<TPaneRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  Word ColSplit() const { return GetWord(Data, 0); }
  Word RowSplit() const { return GetWord(Data, 2); }
  Word FirstVisibleRow() const { return GetWord(Data, 4); }
  Word FirstVisibleCol() const { return GetWord(Data, 6); }
  Word ActivePane() const { return GetWord(Data, 8); }
  void SetColSplit(Word Value) { SetWord(Data, 0, Value); }
  void SetRowSplit(Word Value) { SetWord(Data, 2, Value); }
  void SetFirstVisibleRow(Word Value) { SetWord(Data, 4, Value); }
  void SetFirstVisibleCol(Word Value) { SetWord(Data, 6, Value); }
  void SetActivePane(Word Value) { SetWord(Data, 8, Value); }
  // Moves the active pane to one that exists with the current splits.
  void EnsureSelectedVisible();
};

// OBJ (0x005D): a drawing object's data; the drawing layer reads the rest.
class TObjRecord : public TRecordOf<TObjRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  Word ObjId() const { return GetWord(Data, 0); }
  // The object id of the common-object-data sub-record, or 0 when the first is another kind.
  Word CmoId() const { return ObjId() == 21 ? GetWord(Data, 4) : 0; }
};

// TXO (0x01B6): a text box's options; the text follows in CONTINUE records.
class TTXORecord : public TRecordOf<TTXORecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  static std::unique_ptr<TTXORecord> CreateFromData();
};

class TObProjRecord : public TRecordOf<TObProjRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
};

// Records that hold lists of cell ranges.
class TRangeRecord : public TRecordOf<TRangeRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
};
class TCellMergingRecord : public TRecordOf<TCellMergingRecord, TRangeRecord> {
 public:
  using TRecordOf::TRecordOf;
};
class TDValRecord : public TRecordOf<TDValRecord, TRangeRecord> {
 public:
  using TRecordOf::TRecordOf;
};
