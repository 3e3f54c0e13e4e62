// The workbook's shared string table (SST with its CONTINUE records and the EXTSST index) and
// the text-cell records that use it (LABELSST) or carry their own text (LABEL, RSTRING).
//
// Every entry is packed once into one growing byte buffer: reference count (2), stream
// position (4) and record offset (2) of the last save, save index (4), then the string in
// BIFF8 layout with a 2-byte count. The list holds the entries' offsets in table order; equal
// strings (text, character width and runs) share one entry.
#pragma once

#include <vector>

#include "xls/vavUBiffBaseRecords.h"
#include "xls/vavUBiffCellRecords.h"
#include "xls/vavUBiffOtherRecords.h"
#include "xls/vavUWbkMessages.h"

struct TMemSST {
  Cardinal UsedSize = 0;
  std::vector<Byte> Buffer;
};

class TSST {
 public:
  static constexpr Cardinal BufferStep = 8290304;
  static constexpr Integer EntryHeader = 12;  // bookkeeping bytes before the string
  static constexpr Integer RecordBufferSize = 8228;  // 4-byte header and 8224 data bytes

  TSST();

  // The index of the entry holding s with these runs, added when missing; its reference count
  // goes up by one.
  Integer AddString(const WideString& s, const TRTFRunList& RTFRuns = {});
  // Binary search in entry order for the packed entry at aEntry; Index is the position of the
  // equal entry or where it belongs.
  bool Find(Cardinal aEntry, Integer& Index) const;
  // Appends the record's strings in file order with reference count 0.
  void Load(const TSSTRecord& aSSTRecord);
  // Drops every entry no cell uses any more.
  void FixRefs();
  void Sort();
  // Writes SST, its CONTINUE records and EXTSST; assigns every entry's save index.
  void SaveToStream(TOle2File& DataStream);
  void WriteExtSST(TOle2File& DataStream) const;
  // The bytes SaveToStream writes.
  Int64 TotalSize() const;

  Integer Count() const { return static_cast<Integer>(FList.size()); }
  Cardinal Entry(Integer Index) const { return FList.at(static_cast<size_t>(Index)); }

  // Fields of an entry at its buffer offset.
  Word RefCount(Cardinal aEntry) const { return GetWord(MemSST.Buffer, aEntry); }
  void AddRef(Cardinal aEntry, Integer Delta);
  Cardinal StreamPosition(Cardinal aEntry) const { return GetCardinal(MemSST.Buffer, aEntry + 2); }
  Word RecordOffset(Cardinal aEntry) const { return GetWord(MemSST.Buffer, aEntry + 6); }
  Cardinal SaveIndex(Cardinal aEntry) const { return GetCardinal(MemSST.Buffer, aEntry + 8); }
  WideString EntryText(Cardinal aEntry) const;
  TRTFRunList EntryRuns(Cardinal aEntry) const;
  // Whole entry size: bookkeeping, count, options, run count, far-east size, characters,
  // runs and far-east block.
  Cardinal EntrySize(Cardinal aEntry) const;

  TMemSST MemSST;

 private:
  struct TEntryLayout {
    Word Count;
    Byte Options;
    Word Runs;
    Cardinal FarEast;
    Cardinal CharsAt;  // buffer offset of the characters
  };
  TEntryLayout Layout(Cardinal aEntry) const;
  // Makes room for Size more bytes at UsedSize.
  void Reserve(Cardinal Size);
  int CompareEntries(Cardinal a, Cardinal b) const;
  // The save walk; with DataStream null it only counts the bytes.
  Int64 Walk(TOle2File* DataStream);
  Int64 ExtSSTSize() const;

  std::vector<Cardinal> FList;
};

// LABELSST (0x00FD): a text cell that holds an index into the shared string table.
class TLabelSSTRecord : public TRecordOf<TLabelSSTRecord, TCellRecord> {
 public:
  TLabelSSTRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 10)) {}
  TLabelSSTRecord(const TLabelSSTRecord& Other);
  ~TLabelSSTRecord() override;

  static constexpr Word Id_ = 0x00FD;
  // A new 10-byte record with no string yet; its text must be set before it is saved.
  static std::unique_ptr<TLabelSSTRecord> CreateFromData(Word aRow, Word aCol, Word aXF, TSST* aSST);

  // Links a loaded record to its string; an index past the table raises "Error reading Excel
  // records. File invalid".
  void AttachToSST(TSST* aSST);

  WideString AsString() const;
  void SetAsString(const WideString& Value);
  TRichString AsRichString() const;
  void SetAsRichString(const TRichString& Value);
  Variant GetValue() const override;
  void SetValue(const Variant& Value) override;
  void SaveToStream(TOle2File& Workbook) const override;

  Int64 pSSTEntry = -1;
  TSST* SST = nullptr;

 private:
  void Release();
};

// LABEL (0x0204): a text cell with its own string (2-byte count) at offset 6.
class TLabelRecord : public TRecordOf<TLabelRecord, TCellRecord> {
 public:
  using TRecordOf::TRecordOf;
  WideString AsString() const;
  Variant GetValue() const override { return Variant(AsString()); }
};

// RSTRING (0x00D6): a text cell with its own string and its rich-text runs after it.
class TRStringRecord : public TRecordOf<TRStringRecord, TCellRecord> {
 public:
  using TRecordOf::TRecordOf;
  TRichString AsRichString() const;
  Variant GetValue() const override { return Variant(AsRichString().Value); }
};
