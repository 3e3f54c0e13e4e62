#include "xls/vavUWorkbookGlobals.h"

#include "xls/vavUBiffRecordFactory.h"

namespace {
constexpr Word IdPALETTE = 0x0092, IdSTYLE = 0x0293, IdXF = 0x00E0, IdFONT = 0x0031, IdFORMAT = 0x041E,
               IdOBPROJ = 0x00D3, IdCODENAME = 0x01BA, IdSST = 0x00FC;

template <class T>
std::unique_ptr<T> As(std::unique_ptr<TBaseRecord>& r) {
  return std::unique_ptr<T>(static_cast<T*>(r.release()));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TBoundSheetList

void TBoundSheetList::Clear() {
  FSheetNames.Clear();
  FBoundSheets.Clear();
}

void TBoundSheetList::Add(std::unique_ptr<TBoundSheetRecord> aRecord) {
  FSheetNames.Add(aRecord->SheetName());
  FBoundSheets.Add(std::move(aRecord));
}

WideString TBoundSheetList::InsertSheet(Integer BeforeSheet, Word OptionFlags, const WideString& SheetName) {
  const WideString name = FSheetNames.AddUniqueName(SheetName);
  FBoundSheets.Insert(BeforeSheet, TBoundSheetRecord::CreateNew(OptionFlags, name));
  return name;
}

void TBoundSheetList::DeleteSheet(Integer SheetIndex) {
  FSheetNames.DeleteSheet(FBoundSheets.SheetName(SheetIndex));
  FBoundSheets.Delete(SheetIndex);
}

void TBoundSheetList::CheckIndex(Integer SheetIndex) const {
  if (SheetIndex < 0 || SheetIndex >= FBoundSheets.Count())
    RaiseXls(XlsMsg::InvalidSheetNumber, {Int64{SheetIndex}, Int64{0}, Int64{FBoundSheets.Count() - 1}});
}

void TBoundSheetList::SaveRangeToStream(TOle2File& DataStream, Integer SheetIndex) const {
  CheckIndex(SheetIndex);
  FBoundSheets[SheetIndex]->SaveToStream(DataStream);
}

Int64 TBoundSheetList::TotalRangeSize(Integer SheetIndex) const {
  CheckIndex(SheetIndex);
  return FBoundSheets[SheetIndex]->TotalSize();
}

// ---------------------------------------------------------------------------------------------
// Loading and saving

void TWorkbookGlobals::Clear() {
  TBaseSection::Clear();
  FSST = TSST();
  FReferences.Clear();
  FBoundSheets.Clear();
  FMiscRecords.Clear();
  FNames.Clear();
  FDrawingGroup.Clear();
  FXF.Clear();
  FFonts.Clear();
  FFormats.Clear();
  FWindow1 = nullptr;
  F1904 = nullptr;
  FBookBool = nullptr;
  FPrecision = nullptr;
  FPaletteCache = nullptr;
  FPaletteIndex = 0;
  FHasMacro = false;
  FIsXltTemplate = false;
  FCodeName.clear();
}

void TWorkbookGlobals::AddMisc(std::unique_ptr<TBaseRecord> aRecord) {
  if (auto* r = dynamic_cast<TWindow1Record*>(aRecord.get())) FWindow1 = r;
  else if (auto* r = dynamic_cast<T1904Record*>(aRecord.get())) F1904 = r;
  else if (auto* r = dynamic_cast<TBookBoolRecord*>(aRecord.get())) FBookBool = r;
  else if (auto* r = dynamic_cast<TPrecisionRecord*>(aRecord.get())) FPrecision = r;
  FMiscRecords.Add(std::move(aRecord));
}

void TWorkbookGlobals::LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBOFRecord> First,
                                      TSST*) {
  Clear();
  while (true) {
    std::unique_ptr<TBaseRecord> r = ReadSectionRecord(DataStream, RecordHeader);
    const Word id = r->Id;
    if (id == IdXF && FXF.Count() == 0) FMiscRecords.Add(TSubListRecord::CreateAndAssign(&FXF));
    if (id == IdFONT && FFonts.Count() == 0)
      FMiscRecords.Add(TSubListRecord::CreateAndAssign(&FFonts));
    if (id == IdFORMAT && FFormats.Count() == 0)
      FMiscRecords.Add(TSubListRecord::CreateAndAssign(&FFormats));
    if (id == IdPALETTE) FPaletteCache = static_cast<TPaletteRecord*>(r.get());
    if (id == IdXF || id == IdSTYLE) FPaletteIndex = FMiscRecords.Count();
    if (id == IdOBPROJ) FHasMacro = true;
    if (id == IdCODENAME) FCodeName = static_cast<TCodeNameRecord*>(r.get())->SheetName();
    if (id == BiffId::BOF) RaiseXls(XlsMsg::ExcelInvalid);

    if (dynamic_cast<TIgnoreRecord*>(r.get())) continue;
    switch (id) {
      case 0x0085: FBoundSheets.Add(As<TBoundSheetRecord>(r)); break;
      case BiffCarriedId::NAME: FNames.Add(As<TNameRecord>(r)); break;
      case IdXF: FXF.Add(As<TXFRecord>(r)); break;
      case IdFONT: FFonts.Add(As<TFontRecord>(r)); break;
      case IdFORMAT: FFormats.Add(As<TFormatRecord>(r)); break;
      case BiffId::EOF_: FEOF = As<TEOFRecord>(r); break;
      case IdSST: FSST.Load(*static_cast<TSSTRecord*>(r.get())); break;
      case BiffCarriedId::SUPBOOK: FReferences.AddSupBook(As<TSupBookRecord>(r)); break;
      case BiffCarriedId::EXTERNNAME: FReferences.AddExternName(As<TExternNameRecord>(r)); break;
      case BiffCarriedId::EXTERNSHEET: FReferences.AddExternRef(*r); break;
      case BiffCarriedId::MSODRAWINGGROUP: FDrawingGroup.LoadFromStream(DataStream, RecordHeader, std::move(r)); break;
      case 0x0060: FIsXltTemplate = true; break;
      default: AddMisc(std::move(r)); break;
    }
    if (id == BiffId::EOF_) break;
  }
  FBOF = std::move(First);
}

Int64 TWorkbookGlobals::CommonSize() const {
  return TBaseSection::TotalSize() + TTemplateRecord::GetSize(FIsXltTemplate) + FSST.TotalSize() +
         FReferences.TotalSize() + FMiscRecords.TotalSize() + FNames.TotalSize() + FXF.TotalSize() +
         FFonts.TotalSize() + FFormats.TotalSize();
}

Int64 TWorkbookGlobals::TotalSize() const {
  return CommonSize() + FBoundSheets.TotalSize() + FDrawingGroup.TotalSize();
}

Int64 TWorkbookGlobals::TotalRangeSize(Integer SheetIndex, const TXlsCellRange&) const {
  return CommonSize() + FBoundSheets.TotalRangeSize(SheetIndex);
}

void TWorkbookGlobals::SaveToStream(TOle2File& DataStream) {
  if (!FBOF || !FEOF) RaiseXls(XlsMsg::SectionNotLoaded);
  FBOF->SaveToStream(DataStream);
  if (FIsXltTemplate) TTemplateRecord::SaveNewRecord(DataStream);
  FMiscRecords.SaveToStream(DataStream);
  FBoundSheets.SaveToStream(DataStream);
  FReferences.SaveToStream(DataStream);
  FNames.SaveToStream(DataStream);
  FDrawingGroup.SaveToStream(DataStream);
  FSST.SaveToStream(DataStream);
  FEOF->SaveToStream(DataStream);
}

void TWorkbookGlobals::SaveRangeToStream(TOle2File& DataStream, Integer SheetIndex, const TXlsCellRange&) {
  if (!FBOF || !FEOF) RaiseXls(XlsMsg::SectionNotLoaded);
  FBOF->SaveToStream(DataStream);
  if (FIsXltTemplate) TTemplateRecord::SaveNewRecord(DataStream);
  FMiscRecords.SaveToStream(DataStream);
  FBoundSheets.SaveRangeToStream(DataStream, SheetIndex);
  FReferences.SaveToStream(DataStream);
  FNames.SaveToStream(DataStream);
  FSST.SaveToStream(DataStream);
  FEOF->SaveToStream(DataStream);
}

// ---------------------------------------------------------------------------------------------
// Workbook settings and the sheet list

void TWorkbookGlobals::SetActiveSheet(Integer Value) {
  if (FWindow1) FWindow1->SetActiveSheet(static_cast<Word>(Value));
}

void TWorkbookGlobals::SetFirstSheetVisible(Integer Index) {
  if (FWindow1) FWindow1->SetFirstSheetVisible(static_cast<Word>(Index));
}

void TWorkbookGlobals::SetSheetName(Integer Index, const WideString& Name) {
  const WideString valid = TSheetNameList::MakeValidSheetName(Name);
  FBoundSheets.SheetNames().Rename(GetSheetName(Index), valid);
  FBoundSheets.BoundSheets().SetSheetName(Index, valid);
}

void TWorkbookGlobals::InsertSheets(Integer CopyFrom, Integer BeforeSheet, Word OptionFlags, const WideString& Name,
                                   Integer SheetCount) {
  for (Integer i = 0; i < SheetCount; ++i) FBoundSheets.InsertSheet(BeforeSheet, OptionFlags, Name);
  FReferences.InsertSheets(BeforeSheet, SheetCount);
  TSheetInfo info;
  info.FormulaSheet = CopyFrom < 0 ? -1 : CopyFrom < BeforeSheet ? CopyFrom : CopyFrom + SheetCount;
  info.GetSheet = GetSheetLookup();
  info.SetSheet = SetSheetLookup();
  FNames.InsertSheets(CopyFrom, BeforeSheet, SheetCount, info);
}

TGetSheet TWorkbookGlobals::GetSheetLookup() const {
  return [this](Word aSheetRef) { return FReferences.GetSheet(aSheetRef); };
}

TGetSheet TWorkbookGlobals::SetSheetLookup() {
  return [this](Word aSheet) { return FReferences.SetSheet(aSheet); };
}

void TWorkbookGlobals::InsertAndCopyRowsAndCols(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aRowCount,
                                                Integer FirstCol, Integer LastCol, Integer DestCol, Integer aColCount,
                                                const TSheetInfo& SheetInfo) {
  FNames.ArrangeInsertRowsAndCols(DestRow, (LastRow - FirstRow + 1) * aRowCount, DestCol,
                                  (LastCol - FirstCol + 1) * aColCount, SheetInfo);
}

void TWorkbookGlobals::DeleteRowsAndCols(Integer aRow, Integer aRowCount, Integer aCol, Integer aColCount,
                                         const TSheetInfo& SheetInfo) {
  FNames.ArrangeInsertRowsAndCols(aRow, -aRowCount, aCol, -aColCount, SheetInfo);
}

void TWorkbookGlobals::DeleteSheets(Integer SheetIndex, Integer SheetCount) {
  if (FHasMacro) RaiseXls(XlsMsg::CantDeleteSheetWithMacros);
  const Integer n = std::min(SheetCount, this->SheetCount() - SheetIndex);
  for (Integer i = 0; i < n; ++i) FBoundSheets.DeleteSheet(SheetIndex);
  FReferences.InsertSheets(SheetIndex, -n);
  FNames.DeleteSheets(SheetIndex, n);
}

// ---------------------------------------------------------------------------------------------
// Palette

Cardinal TWorkbookGlobals::GetColorPalette(Integer Index) const {
  if (FPaletteCache && Index >= 0 && Index < FPaletteCache->Count()) return FPaletteCache->GetColor(Index);
  return StandardPaletteColor(Index);
}

void TWorkbookGlobals::SetColorPalette(Integer Index, Cardinal Color) {
  if (!FPaletteCache) {
    std::unique_ptr<TPaletteRecord> palette = TPaletteRecord::CreateStandard();
    FPaletteCache = palette.get();
    FMiscRecords.Insert(std::min(FPaletteIndex, FMiscRecords.Count()), std::move(palette));
  }
  const Integer before = FPaletteCache->TotalSize();
  FPaletteCache->SetColor(Index, Color);
  FMiscRecords.AdaptSize(FPaletteCache->TotalSize() - before);
}

// ---------------------------------------------------------------------------------------------
// Names

bool TWorkbookGlobals::IsValidRangeName(const WideString& Name, Integer& OptionFlags) {
  if (Name.empty() || Name.size() > 254) return false;
  if (Name == u"R" || Name == u"r") return false;
  if (Name.size() == 1 && Name[0] <= 13) {
    OptionFlags |= 0x20;
    return true;
  }
  for (char16_t c : Name) {
    if (c <= 0x2F || (c >= 0x3A && c <= 0x3E) || c == 0x40 || c == u'[' || c == u']' || c == u'{' || c == u'}' ||
        c == u'~' || (c >= 0x7F && c <= 0xBF && c != 0xB5))
      return false;
  }
  if (Name[0] < 0x41) return false;
  auto isLetter = [](char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
  auto allDigits = [&](size_t from) {
    for (size_t i = from; i < Name.size(); ++i)
      if (Name[i] < u'0' || Name[i] > u'9') return false;
    return true;
  };
  if (!isLetter(Name[0])) return true;
  // Names that read as cell references (A1, AB12) are refused.
  if (Name.size() >= 2 && isLetter(Name[1])) return !(Name.size() >= 3 && allDigits(2));
  return !(Name.size() >= 2 && allDigits(1));
}

TNameRecord* TWorkbookGlobals::GetName(Integer Sheet, const WideString& aName) const {
  const WideString wanted = UpperCaseText(aName);
  for (Integer i = FNames.Count() - 1; i >= 0; --i) {
    TNameRecord* name = FNames[i];
    if (name && name->RangeSheet() == Sheet && UpperCaseText(name->Name()) == wanted) return name;
  }
  return nullptr;
}

void TWorkbookGlobals::AddName(TXlsNamedRange& Range, TCellList* CellList, Integer DefaultSheet) {
  Integer flags = Range.OptionFlags;
  const bool valid = IsValidRangeName(Range.Name, flags);
  Range.OptionFlags = flags;
  const TNameRecord* existing = GetName(Range.NameSheetIndex, Range.Name);
  if (!existing && !valid) RaiseXls(XlsMsg::InvalidNamedRange, {WideToUtf8(Range.Name)});
  std::unique_ptr<TNameRecord> record = TNameRecord::CreateFromData(Range, CellList, *this, DefaultSheet);
  for (Integer i = 0; i < FNames.Count(); ++i)
    if (FNames[i] == existing) {
      FNames.SetItem(i, std::move(record));
      return;
    }
  FNames.Add(std::move(record));
  CheckInternalNames(Range.OptionFlags);
}

void TWorkbookGlobals::CheckInternalNames(Integer OptionFlags) {
  if (OptionFlags & 0x20) DeleteCountry();
}

void TWorkbookGlobals::DeleteCountry() {
  for (Integer i = FMiscRecords.Count() - 1; i >= 0; --i)
    if (FMiscRecords[i] && FMiscRecords[i]->Id == BiffCarriedId::COUNTRY) {
      FMiscRecords.Delete(i);
      return;
    }
}
