#include "xls/vavUBiffReferences.h"

#include "xls/vavUBiffRecordFactory.h"
#include "xls/vavUBiffStrings.h"
#include "xls/vavUWorkbookGlobals.h"

namespace {
constexpr Integer MaxSheets = 65000;
constexpr Word DeletedSheet = 0xFFFF;

[[noreturn]] void OutOfRange(Integer Index, const char* Property, Integer Count) {
  RaiseXls(XlsMsg::IndexOutOfRange, {Int64{Index}, String(Property), Int64{0}, Int64{Count - 1}});
}

// A sheet number moved by Count, refused beyond the sheets a workbook can hold.
Word MovedSheet(Integer Sheet, Integer Count) {
  const Integer moved = Sheet + Count;
  if (moved < 0 || moved > MaxSheets) RaiseXls(XlsMsg::TooManyEntries, {Int64{moved}, Int64{MaxSheets}});
  return static_cast<Word>(moved);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TExternNameRecord

Integer TExternNameRecord::NameLength() const { return DataSize() > 6 ? Data[6] : 0; }

WideString TExternNameRecord::Name() const {
  // The length at offset 6 and the option byte at 7 lay out as a string with a 1-byte count.
  Int64 length = 0;
  WideString text;
  DecodeStringAt(false, Data, 6, length, text);
  return text;
}

// ---------------------------------------------------------------------------------------------
// TSupBookRecord

TSupBookRecord::TSupBookRecord(Word aId, ArrayOfByte aData) : TBaseRecord(aId, std::move(aData)) {}

TSupBookRecord::TSupBookRecord(const TSupBookRecord& Other) : TBaseRecord(Other) {
  FExternNameList.CopyFrom(&Other.FExternNameList);
}

std::unique_ptr<TSupBookRecord> TSupBookRecord::CreateEmpty(Integer SheetCount) {
  ArrayOfByte data(4);
  SetWord(data, 0, static_cast<Word>(SheetCount));
  SetWord(data, 2, 0x0401);
  return std::make_unique<TSupBookRecord>(BiffReferenceId::SUPBOOK, std::move(data));
}

std::unique_ptr<TBaseRecord> TSupBookRecord::DoCopyTo() const { return std::make_unique<TSupBookRecord>(*this); }

void TSupBookRecord::SaveToStream(TOle2File& Workbook) const {
  TBaseRecord::SaveToStream(Workbook);
  FExternNameList.SaveToStream(Workbook);
}

Integer TSupBookRecord::TotalSize() const {
  return TBaseRecord::TotalSize() + static_cast<Integer>(FExternNameList.TotalSize());
}

Integer TSupBookRecord::TotalSizeNoHeaders() const {
  Integer size = TBaseRecord::TotalSizeNoHeaders();
  for (Integer i = 0; i < FExternNameList.Count(); ++i) size += FExternNameList[i]->TotalSizeNoHeaders();
  return size;
}

bool TSupBookRecord::IsLocal() const { return DataSize() == 4 && GetWord(Data, 2) == 0x0401; }

bool TSupBookRecord::IsAddIn() const { return DataSize() == 4 && GetWord(Data, 2) == 0x3A01; }

Integer TSupBookRecord::SheetCount() const { return DataSize() >= 2 ? GetWord(Data, 0) : 0; }

WideString TSupBookRecord::BookName() const {
  if (IsLocal() || IsAddIn() || DataSize() < 2) return WideString();
  const TBaseRecord* at = this;
  Integer ofs = 2;
  const WideString encoded = TExcelString(2, at, ofs).Value();
  if (encoded.empty() || encoded[0] == 0x00 || encoded[0] == 0x02) return WideString();
  if (encoded[0] != 0x01) return encoded;
  // An encoded path: control characters stand for the path's separators.
  WideString out;
  for (size_t i = 1; i < encoded.size(); ++i) {
    const char16_t c = encoded[i];
    if (c == 0x01 && i + 1 < encoded.size()) {
      const char16_t next = encoded[++i];
      if (next == u'@') out += u"\\\\";
      else out += WideString(1, next) + u":\\";
    } else if (c == 0x02 || c == 0x03) {
      out += u'\\';
    } else if (c == 0x04) {
      out += u"..\\";
    } else {
      out += c;
    }
  }
  return out;
}

WideString TSupBookRecord::SheetName(Integer Index, const TWorkbookGlobals& Globals) const {
  if (Index < 0 || Index >= SheetCount()) return WideString();
  if (IsLocal()) return Index < Globals.SheetCount() ? Globals.GetSheetName(Index) : WideString();
  if (IsAddIn()) return WideString();
  const TBaseRecord* at = this;
  Integer ofs = 2;
  TExcelString(2, at, ofs);  // the file name
  for (Integer i = 0; i < Index; ++i) TExcelString(2, at, ofs);
  return TExcelString(2, at, ofs).Value();
}

void TSupBookRecord::InsertSheets(Integer Count) { SetWord(Data, 0, MovedSheet(SheetCount(), Count)); }

void TSupBookRecord::AddExternName(std::unique_ptr<TExternNameRecord> aRecord) {
  FExternNameList.Add(std::move(aRecord));
}

Int64 TSupBookRecordList::TotalSize() const {
  Int64 size = 0;
  for (const auto& r : FItems)
    if (r) size += r->TotalSize();
  return size;
}

void TExternRef::SaveToStream(TOle2File& DataStream) const {
  DataStream.Write16(SupBookRecord);
  DataStream.Write16(FirstSheet);
  DataStream.Write16(LastSheet);
}

// ---------------------------------------------------------------------------------------------
// TReferences: loading

void TReferences::Clear() {
  FSupBooks.Clear();
  FExternRefs.Clear();
  LocalSupBook = -1;
}

void TReferences::AddSupBook(std::unique_ptr<TSupBookRecord> aRecord) {
  const bool local = aRecord->IsLocal();
  const Integer index = FSupBooks.Add(std::move(aRecord));
  if (local) LocalSupBook = index;
}

void TReferences::AddExternName(std::unique_ptr<TExternNameRecord> aRecord) {
  if (FSupBooks.Count() == 0) RaiseXls(XlsMsg::ExcelInvalid);
  FSupBooks[FSupBooks.Count() - 1]->AddExternName(std::move(aRecord));
}

void TReferences::AddExternRef(const TBaseRecord& aRecord) {
  const TBaseRecord* at = &aRecord;
  Integer ofs = 0;
  Byte count[2];
  ReadContinuedMem(at, ofs, 2, count);
  const Integer n = count[0] | (count[1] << 8);
  for (Integer i = 0; i < n; ++i) {
    Byte entry[6];
    ReadContinuedMem(at, ofs, 6, entry);
    auto ref = std::make_unique<TExternRef>();
    ref->SupBookRecord = GetWord(entry, 0);
    ref->FirstSheet = GetWord(entry, 2);
    ref->LastSheet = GetWord(entry, 4);
    FExternRefs.Add(std::move(ref));
  }
}

// ---------------------------------------------------------------------------------------------
// TReferences: entries

const TExternRef& TReferences::Entry(Integer Index) const {
  if (Index < 0 || Index >= FExternRefs.Count()) OutOfRange(Index, "Sheet Reference", FExternRefs.Count());
  return *FExternRefs[Index];
}

const TSupBookRecord& TReferences::SupBookOf(const TExternRef& Ref) const {
  if (Ref.SupBookRecord >= FSupBooks.Count()) OutOfRange(Ref.SupBookRecord, "idx", FSupBooks.Count());
  return *FSupBooks[Ref.SupBookRecord];
}

Integer TReferences::AddSheet(Integer SheetCount, Integer FirstSheet, Integer LastSheet) {
  if (LocalSupBook < 0) AddSupBook(TSupBookRecord::CreateEmpty(SheetCount));
  for (Integer i = 0; i < FExternRefs.Count(); ++i) {
    const TExternRef& r = *FExternRefs[i];
    if (r.SupBookRecord == LocalSupBook && r.FirstSheet == FirstSheet && r.LastSheet == LastSheet) return i;
  }
  if (FExternRefs.Count() >= 0xFFFF) RaiseXls(XlsMsg::TooManyEntries, {Int64{FExternRefs.Count() + 1}, Int64{0xFFFF}});
  auto ref = std::make_unique<TExternRef>();
  ref->SupBookRecord = static_cast<Word>(LocalSupBook);
  ref->FirstSheet = static_cast<Word>(FirstSheet);
  ref->LastSheet = static_cast<Word>(LastSheet);
  return FExternRefs.Add(std::move(ref));
}

Integer TReferences::SetSheet(Integer Sheet) {
  // Only a formula that already points into this workbook asks, so its SUPBOOK exists.
  if (LocalSupBook < 0) RaiseXls(XlsMsg::ExcelInvalid);
  return AddSheet(FSupBooks[LocalSupBook]->SheetCount(), Sheet, Sheet);
}

Integer TReferences::GetSheet(Integer Index) const {
  const TExternRef& r = Entry(Index);
  if (r.SupBookRecord != LocalSupBook || LocalSupBook < 0 || r.FirstSheet != r.LastSheet) return -1;
  return r.FirstSheet;
}

bool TReferences::IsDeletedSheet(Integer Index) const {
  const TExternRef& r = Entry(Index);
  return r.SupBookRecord == LocalSupBook && LocalSupBook >= 0 &&
         (r.FirstSheet == DeletedSheet || r.LastSheet == DeletedSheet);
}

WideString TReferences::GetSheetName(Integer Index, const TWorkbookGlobals& Globals) const {
  const TExternRef& r = Entry(Index);
  const TSupBookRecord& book = SupBookOf(r);
  WideString sheet = book.SheetName(r.FirstSheet, Globals);
  if (r.LastSheet != r.FirstSheet) sheet += u":" + book.SheetName(r.LastSheet, Globals);
  WideString result = sheet;
  if (!book.IsLocal()) {
    WideString path = book.BookName();
    if (!path.empty() && !sheet.empty()) {
      const size_t slash = path.find_last_of(u"\\:");
      path.insert(slash == WideString::npos ? 0 : slash + 1, u"[");
      path += u"]";
    }
    result = path + sheet;
  }
  if (result.empty()) return result;
  WideString quoted;
  for (char16_t c : result) quoted += c == u'\'' ? u"''" : WideString(1, c);
  return u"'" + quoted + u"'!";
}

WideString TReferences::GetName(Integer Index, Integer NameIndex, const TWorkbookGlobals& Globals) const {
  if (Index >= 0) {
    const TExternRef& r = Entry(Index);
    const TSupBookRecord& book = SupBookOf(r);
    if (!book.IsLocal()) {
      const TExternNameRecordList& names = book.ExternNames();
      if (NameIndex < 0 || NameIndex >= names.Count()) OutOfRange(NameIndex, "Name Index", names.Count());
      return names[NameIndex]->Name();
    }
  }
  const TNameRecordList& names = Globals.Names();
  if (NameIndex < 0 || NameIndex >= names.Count()) OutOfRange(NameIndex, "Name Index", names.Count());
  return names[NameIndex]->Name();
}

void TReferences::InsertSheets(Integer BeforeSheet, Integer Count) {
  if (LocalSupBook < 0) return;
  if (!FSupBooks[LocalSupBook]->IsLocal()) RaiseXls(XlsMsg::ExcelInvalid);
  for (Integer i = 0; i < FExternRefs.Count(); ++i) {
    TExternRef& r = *FExternRefs[i];
    if (r.SupBookRecord != LocalSupBook) continue;
    for (Word* sheet : {&r.FirstSheet, &r.LastSheet})
      if (Count < 0 && *sheet >= BeforeSheet && *sheet < BeforeSheet - Count) *sheet = DeletedSheet;
    for (Word* sheet : {&r.FirstSheet, &r.LastSheet})
      if (*sheet < 0xFFFE && *sheet >= BeforeSheet) *sheet = MovedSheet(*sheet, Count);
  }
  FSupBooks[LocalSupBook]->InsertSheets(Count);
}

// ---------------------------------------------------------------------------------------------
// TReferences: saving

void TReferences::SaveToStream(TOle2File& DataStream) const {
  FSupBooks.SaveToStream(DataStream);
  const Integer n = FExternRefs.Count();
  if (n == 0) return;
  for (Integer first = 0; first < n; first += MaxEntriesPerRecord) {
    const Integer k = std::min(MaxEntriesPerRecord, n - first);
    if (first == 0) {
      DataStream.WriteHeader(BiffReferenceId::EXTERNSHEET, static_cast<Word>(2 + 6 * k));
      DataStream.Write16(static_cast<Word>(n));
    } else {
      DataStream.WriteHeader(BiffId::CONTINUE, static_cast<Word>(6 * k));
    }
    for (Integer i = first; i < first + k; ++i) FExternRefs[i]->SaveToStream(DataStream);
  }
}

Int64 TReferences::TotalSize() const {
  const Int64 n = FExternRefs.Count();
  Int64 size = FSupBooks.TotalSize();
  if (n == 0) return size;
  const Int64 continues = (n - 1) / MaxEntriesPerRecord;
  return size + 6 * n + 6 + 4 * continues;
}
