#include "xls/vavUSheet.h"

#include "xls/vavUBiffRecordFactory.h"
#include "xls/vavUBiffSST.h"

void TSheet::UnlinkRecords() {
  FWindow2 = nullptr;
  FPageHeader = nullptr;
  FPageFooter = nullptr;
  FPrintGridLines = nullptr;
  FLeftMargin = FRightMargin = FTopMargin = FBottomMargin = nullptr;
  FSetup = nullptr;
  FPrinterDriverSettings = nullptr;
  FWSBool = nullptr;
  FHCenter = FVCenter = nullptr;
  FZoom = nullptr;
  FGuts = nullptr;
  FPane = nullptr;
  FAutoFilterInfo = nullptr;
  FRefMode = nullptr;
}

void TSheet::Clear() {
  TBaseSection::Clear();
  UnlinkRecords();
  FCodeName.reset();
  OriginalDimensions = TDimensionsRec();
}

Int64 TSheet::SheetBaseSize() const { return TBaseSection::TotalSize() + (FCodeName ? FCodeName->TotalSize() : 0); }

Int64 TSheet::TotalSize() const { return FixTotalSize(false); }

void TSheet::SetCodeName(const WideString& Name) {
  if (FCodeName) FCodeName->SetSheetName(Name);
  else FCodeName = TCodeNameRecord::CreateNew(Name);
}

void TSheet::LinkRecord(TBaseRecord* aRecord) {
  switch (aRecord->Id) {
    case 0x023E: FWindow2 = static_cast<TWindow2Record*>(aRecord); break;
    case 0x0014: FPageHeader = static_cast<TPageHeaderRecord*>(aRecord); break;
    case 0x0015: FPageFooter = static_cast<TPageFooterRecord*>(aRecord); break;
    case 0x002B: FPrintGridLines = static_cast<TPrintGridLinesRecord*>(aRecord); break;
    case 0x0026: FLeftMargin = static_cast<TMarginRecord*>(aRecord); break;
    case 0x0027: FRightMargin = static_cast<TMarginRecord*>(aRecord); break;
    case 0x0028: FTopMargin = static_cast<TMarginRecord*>(aRecord); break;
    case 0x0029: FBottomMargin = static_cast<TMarginRecord*>(aRecord); break;
    case 0x00A1: FSetup = static_cast<TSetupRecord*>(aRecord); break;
    case 0x004D: FPrinterDriverSettings = static_cast<TPlsRecord*>(aRecord); break;
    case 0x0081: FWSBool = static_cast<TWsBoolRecord*>(aRecord); break;
    case 0x0083: FHCenter = static_cast<TPrintCenteredRecord*>(aRecord); break;
    case 0x0084: FVCenter = static_cast<TPrintCenteredRecord*>(aRecord); break;
    case 0x00A0: FZoom = static_cast<TSCLRecord*>(aRecord); break;
    case 0x0080: FGuts = static_cast<TGutsRecord*>(aRecord); break;
    case 0x0041: FPane = static_cast<TPaneRecord*>(aRecord); break;
    case 0x009D: FAutoFilterInfo = static_cast<TAutoFilterInfoRecord*>(aRecord); break;
    case 0x000F: FRefMode = static_cast<TRefModeRecord*>(aRecord); break;
    default: break;
  }
}

void TSheet::CopyBaseTo(TSheet& Dest) const {
  if (FBOF) Dest.FBOF.reset(static_cast<TBOFRecord*>(FBOF->DoCopyTo().release()));
  if (FEOF) Dest.FEOF.reset(static_cast<TEOFRecord*>(FEOF->DoCopyTo().release()));
  Dest.OriginalDimensions = OriginalDimensions;
}

bool TSheet::PlaceBaseRecord(std::unique_ptr<TBaseRecord>& aRecord, TSST* SST) {
  const Word id = aRecord->Id;
  if (id == BiffId::BOF) RaiseXls(XlsMsg::ExcelInvalid);
  if (auto* label = dynamic_cast<TLabelSSTRecord*>(aRecord.get())) label->AttachToSST(SST);
  if (dynamic_cast<TIgnoreRecord*>(aRecord.get())) {
    aRecord.reset();
    return true;
  }
  if (auto* dim = dynamic_cast<TDimensionsRecord*>(aRecord.get())) {
    OriginalDimensions = dim->Dim();
    aRecord.reset();
    return true;
  }
  if (id == BiffId::EOF_) {
    FEOF.reset(static_cast<TEOFRecord*>(aRecord.release()));
    return true;
  }
  if (id == 0x01BA) {
    FCodeName.reset(static_cast<TCodeNameRecord*>(aRecord.release()));
    return true;
  }
  return false;
}

void TSheet::SaveBaseHead(TOle2File& DataStream) const {
  if (!FBOF || !FEOF) RaiseXls(XlsMsg::SectionNotLoaded);
  FBOF->SaveToStream(DataStream);
}

void TSheet::SaveBaseTail(TOle2File& DataStream) const {
  if (FCodeName) FCodeName->SaveToStream(DataStream);
  FEOF->SaveToStream(DataStream);
}
