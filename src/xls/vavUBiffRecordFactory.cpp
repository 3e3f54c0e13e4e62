#include "xls/vavUBiffRecordFactory.h"

#include "xls/vavUBiffCellRecords.h"
#include "xls/vavUBiffChart.h"
#include "xls/vavUBiffColInfo.h"
#include "xls/vavUBiffCondFmt.h"
#include "xls/vavUBiffFormatRecords.h"
#include "xls/vavUBiffFormula.h"
#include "xls/vavUBiffHyperLink.h"
#include "xls/vavUBiffNotes.h"
#include "xls/vavUBiffPageBreaks.h"
#include "xls/vavUBiffPalette.h"
#include "xls/vavUBiffOptionRecords.h"
#include "xls/vavUBiffOtherRecords.h"
#include "xls/vavUBiffReferences.h"
#include "xls/vavUBiffSST.h"

namespace {
template <class T>
std::unique_ptr<TBaseRecord> Make(Word aId, ArrayOfByte&& aData) {
  return std::make_unique<T>(aId, std::move(aData));
}

bool IsIgnoredId(Word aId) {
  switch (aId) {
    case 0x0059: case 0x005A:  // XCT, CRN: external cell caches
    case 0x00D7:               // DBCELL
    case 0x00ED:               // MSODRAWINGSELECTION
    case 0x00FF:               // EXTSST: rebuilt after the string table
    case 0x013D:               // TABID
    case 0x01C1:               // RECALCID
    case 0x020B:               // INDEX
    case 0x1060:               // chart FBI
      return true;
    default:
      return false;
  }
}

void PeekHeader(TOle2File& DataStream, TRecordHeader& RecordHeader) {
  if (DataStream.NextEof(3)) {
    RecordHeader = TRecordHeader{BiffId::EOF_, 0, true};
    return;
  }
  ReadRecordHeader(DataStream, RecordHeader);
}

ArrayOfByte ReadData(TOle2File& DataStream, Word Size) {
  ArrayOfByte data(Size);
  if (Size > 0) DataStream.ReadMem(data.data(), Size);
  return data;
}
}  // namespace

std::unique_ptr<TBaseRecord> CreateRecord(Word aId, ArrayOfByte aData) {
  if (IsIgnoredId(aId)) return Make<TIgnoreRecord>(aId, std::move(aData));
  switch (aId) {
    case 0x0006: return Make<TFormulaRecord>(aId, std::move(aData));
    case 0x000A: return Make<TEOFRecord>(aId, std::move(aData));
    case 0x000E: return Make<TPrecisionRecord>(aId, std::move(aData));
    case 0x000F: return Make<TRefModeRecord>(aId, std::move(aData));
    case 0x0014: return Make<TPageHeaderRecord>(aId, std::move(aData));
    case 0x0018: return Make<TNameRecord>(aId, std::move(aData));
    case 0x0023: return Make<TExternNameRecord>(aId, std::move(aData));
    case 0x01AE: return Make<TSupBookRecord>(aId, std::move(aData));
    case 0x0221: return Make<TArrayRecord>(aId, std::move(aData));
    case 0x0236: return Make<TTableRecord>(aId, std::move(aData));
    case 0x04BC: return Make<TShrFmlaRecord>(aId, std::move(aData));
    case 0x0015: return Make<TPageFooterRecord>(aId, std::move(aData));
    case 0x001C: return Make<TNoteRecord>(aId, std::move(aData));  // NOTE
    case 0x00EB: return Make<TDrawingGroupRecord>(aId, std::move(aData));
    case 0x00EC: return Make<TDrawingRecord>(aId, std::move(aData));
    case 0x0022: return Make<T1904Record>(aId, std::move(aData));
    case 0x0026: case 0x0027: case 0x0028: case 0x0029: return Make<TMarginRecord>(aId, std::move(aData));
    case 0x002B: return Make<TPrintGridLinesRecord>(aId, std::move(aData));
    case 0x002F: RaiseXls(XlsMsg::PasswordProtected);
    case 0x003C: return Make<TContinueRecord>(aId, std::move(aData));
    case 0x003D: return Make<TWindow1Record>(aId, std::move(aData));
    case 0x0041: return Make<TPaneRecord>(aId, std::move(aData));
    case 0x004D: return Make<TPlsRecord>(aId, std::move(aData));
    case 0x0055: return Make<TDefColWidthRecord>(aId, std::move(aData));
    case 0x005D: return Make<TObjRecord>(aId, std::move(aData));
    case 0x0060: return Make<TTemplateRecord>(aId, std::move(aData));
    case 0x0080: return Make<TGutsRecord>(aId, std::move(aData));
    case 0x0081: return Make<TWsBoolRecord>(aId, std::move(aData));
    case 0x0083: case 0x0084: return Make<TPrintCenteredRecord>(aId, std::move(aData));
    case 0x0085: return Make<TBoundSheetRecord>(aId, std::move(aData));
    case 0x0099: return Make<TStandardWidthRecord>(aId, std::move(aData));
    case 0x009D: return Make<TAutoFilterInfoRecord>(aId, std::move(aData));
    case 0x00A0: return Make<TSCLRecord>(aId, std::move(aData));
    case 0x00A1: return Make<TSetupRecord>(aId, std::move(aData));
    case 0x00D3: return Make<TObProjRecord>(aId, std::move(aData));
    case 0x00DA: return Make<TBookBoolRecord>(aId, std::move(aData));
    case 0x00E5: return Make<TCellMergingRecord>(aId, std::move(aData));
    case 0x00FC: return Make<TSSTRecord>(aId, std::move(aData));
    case 0x01B2: return Make<TDValRecord>(aId, std::move(aData));
    case 0x01B6: return Make<TTXORecord>(aId, std::move(aData));
    case 0x01BA: return Make<TCodeNameRecord>(aId, std::move(aData));
    case 0x0200: return Make<TDimensionsRecord>(aId, std::move(aData));
    case 0x0207: return Make<TStringRecord>(aId, std::move(aData));
    case 0x0208: return Make<TRowRecord>(aId, std::move(aData));
    case 0x0225: return Make<TDefRowHeightRecord>(aId, std::move(aData));
    case 0x023E: return Make<TWindow2Record>(aId, std::move(aData));
    case 0x0809: return Make<TBOFRecord>(aId, std::move(aData));
    case 0x00BD: return Make<TMulRKRecord>(aId, std::move(aData));
    case 0x00BE: return Make<TMulBlankRecord>(aId, std::move(aData));
    case 0x00D6: return Make<TRStringRecord>(aId, std::move(aData));
    case 0x00FD: return Make<TLabelSSTRecord>(aId, std::move(aData));
    case 0x0201: return Make<TBlankRecord>(aId, std::move(aData));
    case 0x0203: return Make<TNumberRecord>(aId, std::move(aData));
    case 0x0204: return Make<TLabelRecord>(aId, std::move(aData));
    case 0x0205: return Make<TBoolErrRecord>(aId, std::move(aData));
    case 0x027E: return Make<TRKRecord>(aId, std::move(aData));
    case 0x0031: return Make<TFontRecord>(aId, std::move(aData));
    case 0x007D: return Make<TColInfoRecord>(aId, std::move(aData));
    case 0x0092: return Make<TPaletteRecord>(aId, std::move(aData));
    case 0x00E0: return Make<TXFRecord>(aId, std::move(aData));
    case 0x0293: return Make<TStyleRecord>(aId, std::move(aData));
    case 0x041E: return Make<TFormatRecord>(aId, std::move(aData));
    case 0x001A: return Make<TVPageBreakRecord>(aId, std::move(aData));
    case 0x001B: return Make<THPageBreakRecord>(aId, std::move(aData));
    case 0x01B1: return Make<TCFRecord>(aId, std::move(aData));
    case 0x01B8: return Make<THLinkRecord>(aId, std::move(aData));
    case 0x0800: return Make<TScreenTipRecord>(aId, std::move(aData));
    case 0x1033: return Make<TBeginRecord>(aId, std::move(aData));
    case 0x1034: return Make<TEndRecord>(aId, std::move(aData));
    case 0x1051: return Make<TChartAIRecord>(aId, std::move(aData));
    default: return Make<TBaseRecord>(aId, std::move(aData));
  }
}

std::unique_ptr<TBaseRecord> ReadSectionRecord(TOle2File& DataStream, TRecordHeader& RecordHeader) {
  if (RecordHeader.PastEnd) RaiseXls(XlsMsg::ExcelInvalid);
  if (RecordHeader.Size > 0 && DataStream.NextEof(RecordHeader.Size - 1)) RaiseXls(XlsMsg::ExcelInvalid);
  return ReadRecord(DataStream, RecordHeader);
}

void ReadRecordHeader(TOle2File& DataStream, TRecordHeader& RecordHeader) {
  RecordHeader.PastEnd = false;
  Byte header[4];
  DataStream.ReadMem(header, 4);
  RecordHeader.Id = static_cast<Word>(header[0] | (header[1] << 8));
  RecordHeader.Size = static_cast<Word>(header[2] | (header[3] << 8));
}

std::unique_ptr<TBaseRecord> ReadRecord(TOle2File& DataStream, TRecordHeader& RecordHeader) {
  std::unique_ptr<TBaseRecord> record = CreateRecord(RecordHeader.Id, ReadData(DataStream, RecordHeader.Size));
  PeekHeader(DataStream, RecordHeader);

  if (RecordHeader.Id == BiffId::CONTINUE) {
    TBaseRecord* last = record.get();
    while (RecordHeader.Id == BiffId::CONTINUE) {
      if (RecordHeader.Size > 0 && DataStream.NextEof(RecordHeader.Size - 1)) RaiseXls(XlsMsg::ExcelInvalid);
      auto next = std::make_unique<TContinueRecord>(BiffId::CONTINUE, ReadData(DataStream, RecordHeader.Size));
      TBaseRecord* added = next.get();
      last->AddContinue(std::move(next));
      last = added;
      PeekHeader(DataStream, RecordHeader);
    }
    return record;
  }

  // Companion records must follow their owner; the sheet loader hands them to it.
  Word id = record->Id;
  switch (RecordHeader.Id) {
    case BiffId::TABLE:
    case BiffId::ARRAY:
      if (id != BiffId::FORMULA) RaiseXls(XlsMsg::ExcelInvalid);
      break;
    case BiffId::SCREENTIP:
      if (id != BiffId::HLINK) RaiseXls(XlsMsg::ExcelInvalid);
      break;
    case BiffId::STRING:
      if (id != BiffId::FORMULA && id != BiffId::SHRFMLA && id != BiffId::ARRAY && id != BiffId::TABLE)
        RaiseXls(XlsMsg::ExcelInvalid);
      break;
    default:
      break;
  }
  return record;
}
