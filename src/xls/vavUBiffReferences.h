// The workbook's link table: SUPBOOK records (one per workbook that formulas refer to, this
// workbook included, and one for add-in functions), the EXTERNNAME records that follow them,
// and the EXTERNSHEET entries that 3-D references and external names index. Formulas hold an
// EXTERNSHEET index; this table turns it into a sheet number and into the sheet prefix of
// formula text, finds or adds entries for the formula encoder, and follows inserted and
// deleted sheets.
#pragma once

#include "xls/vavUBiffBaseRecordLists.h"

class TWorkbookGlobals;

namespace BiffReferenceId {
inline constexpr Word SUPBOOK = 0x01AE, EXTERNNAME = 0x0023, EXTERNSHEET = 0x0017;
}

// EXTERNNAME (0x0023): a name defined in another workbook or an add-in function.
class TExternNameRecord : public TRecordOf<TExternNameRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  // Characters from offset 8 (8-bit ones widened to the code units 0 to 255).
  WideString Name() const;
  Integer NameLength() const;
};

using TExternNameRecordList = TRecordListOf<TExternNameRecord>;

// SUPBOOK (0x01AE) with the EXTERNNAME records that followed it in the file; it writes, counts
// and copies them with itself.
class TSupBookRecord : public TBaseRecord {
 public:
  TSupBookRecord(Word aId, ArrayOfByte aData);
  TSupBookRecord(const TSupBookRecord& Other);
  // The own-workbook kind: the sheet count, then 0x01 0x04.
  static std::unique_ptr<TSupBookRecord> CreateEmpty(Integer SheetCount);

  std::unique_ptr<TBaseRecord> DoCopyTo() const override;
  void SaveToStream(TOle2File& Workbook) const override;
  Integer TotalSize() const override;
  Integer TotalSizeNoHeaders() const override;

  bool IsLocal() const;
  bool IsAddIn() const;
  Integer SheetCount() const;
  // The referenced file as a path: empty for this workbook and add-ins.
  WideString BookName() const;
  // The name of sheet Index of the referenced workbook; empty outside its sheets.
  WideString SheetName(Integer Index, const TWorkbookGlobals& Globals) const;
  // The own kind's sheet count follows inserted (negative: deleted) sheets.
  void InsertSheets(Integer Count);
  void AddExternName(std::unique_ptr<TExternNameRecord> aRecord);
  const TExternNameRecordList& ExternNames() const { return FExternNameList; }

 private:
  TExternNameRecordList FExternNameList;
};

// The SUPBOOK records; their sizes change while names are added, so the total is summed.
class TSupBookRecordList : public TRecordListOf<TSupBookRecord> {
 public:
  Int64 TotalSize() const override;
};

// One EXTERNSHEET entry: a SUPBOOK index and a span of its sheets (0xFFFF: a deleted sheet,
// 0xFFFE: no sheet, as for workbook-level external names).
struct TExternRef {
  Word SupBookRecord = 0;
  Word FirstSheet = 0;
  Word LastSheet = 0;
  void SaveToStream(TOle2File& DataStream) const;
};

class TExternRefList : public TBaseList<TExternRef> {};

class TReferences {
 public:
  TReferences() = default;
  TReferences(const TReferences&) = delete;
  TReferences& operator=(const TReferences&) = delete;

  void Clear();
  void AddSupBook(std::unique_ptr<TSupBookRecord> aRecord);
  // Names belong to the SUPBOOK before them; one without a SUPBOOK is a file error.
  void AddExternName(std::unique_ptr<TExternNameRecord> aRecord);
  // Appends the entries of an EXTERNSHEET record, which may run on into CONTINUE records.
  void AddExternRef(const TBaseRecord& aRecord);

  // The entry for sheets FirstSheet..LastSheet of this workbook (of SheetCount sheets); the
  // own SUPBOOK and the entry are added when missing.
  Integer AddSheet(Integer SheetCount, Integer FirstSheet, Integer LastSheet);
  // The entry for one sheet of this workbook, appended when missing.
  Integer SetSheet(Integer Sheet);
  // The sheet of an entry of this workbook that covers one sheet, else -1.
  Integer GetSheet(Integer Index) const;
  // Whether an entry of this workbook points at a deleted sheet.
  bool IsDeletedSheet(Integer Index) const;
  // The sheet prefix of formula text: 'Sheet2'!, 'Sheet1:Sheet3'!, 'C:\dir\[Book.xls]Sheet1'!
  // (quotes inside doubled, so the text reads back); empty when there is no sheet.
  WideString GetSheetName(Integer Index, const TWorkbookGlobals& Globals) const;
  // The text of a name: Index -1 or an entry of this workbook gives the workbook's NAME of
  // NameIndex (0-based), another entry the EXTERNNAME of its SUPBOOK.
  WideString GetName(Integer Index, Integer NameIndex, const TWorkbookGlobals& Globals) const;
  // Count sheets were inserted before BeforeSheet (negative: deleted from it on).
  void InsertSheets(Integer BeforeSheet, Integer Count);

  void SaveToStream(TOle2File& DataStream) const;
  Int64 TotalSize() const;

  Integer LocalSupBook = -1;
  const TSupBookRecordList& SupBooks() const { return FSupBooks; }
  const TExternRefList& ExternRefs() const { return FExternRefs; }

  // Entries written to one EXTERNSHEET or CONTINUE record at most.
  static constexpr Integer MaxEntriesPerRecord = 1370;

 private:
  const TExternRef& Entry(Integer Index) const;
  const TSupBookRecord& SupBookOf(const TExternRef& Ref) const;

  TSupBookRecordList FSupBooks;
  TExternRefList FExternRefs;
};
