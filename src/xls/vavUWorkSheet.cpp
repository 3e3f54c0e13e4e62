#include "xls/vavUWorkSheet.h"

#include "xls/vavUBiffCellRecords.h"
#include "xls/vavUBiffFormula.h"
#include "xls/vavUBiffRecordFactory.h"
#include "xls/vavUBiffSST.h"

namespace {
constexpr Word IdWINDOW2 = 0x023E, IdDEFCOLWIDTH = 0x0055, IdDEFAULTROWHEIGHT = 0x0225,
               IdCOLINFO = 0x007D, IdROW = 0x0208, IdMERGEDCELLS = 0x00E5, IdLABEL = 0x0204, IdRSTRING = 0x00D6;

ArrayOfByte Bytes(std::initializer_list<Word> words) {
  ArrayOfByte data;
  for (Word w : words) {
    data.push_back(static_cast<Byte>(w));
    data.push_back(static_cast<Byte>(w >> 8));
  }
  return data;
}
}  // namespace

struct TWorkSheet::TLoadState {
  TBaseRecordList* Current = nullptr;
  TFormulaRecord* LastFormula = nullptr;
  // The shared formulas, expanded into their cells once the sheet is read.
  TShrFmlaRecordList ShrFmlas;
  Integer LastDefColWidth = 8;
  bool StandardWidthSeen = false;
};

TWorkSheet::TWorkSheet(TWorkbookGlobals* aWorkbookGlobals)
    : TSheet(aWorkbookGlobals),
      FDrawing(aWorkbookGlobals ? &aWorkbookGlobals->DrawingGroup() : nullptr),
      FCells(&aWorkbookGlobals->SST(), &FColumns, aWorkbookGlobals) {
  FPrintRecords = &FMiscRecords1;
}

std::unique_ptr<TWorkSheet> TWorkSheet::CreateFromData(TWorkbookGlobals* aWorkbookGlobals, TSST* SST) {
  auto sheet = std::make_unique<TWorkSheet>(aWorkbookGlobals);
  TLoadState state;
  state.Current = &sheet->FMiscRecords1;
  // The records of an empty worksheet: options, default sizes, an unselected window.
  const std::pair<Word, ArrayOfByte> records[] = {
      {0x0809, Bytes({0x0600, 0x0010, 0x0DBB, 0x07CC, 0x0000, 0x0000, 0x0006, 0x0000})},
      {0x000D, Bytes({1})},                              // CALCMODE
      {0x000C, Bytes({100})},                            // CALCCOUNT
      {0x000F, Bytes({1})},                              // REFMODE
      {0x0011, Bytes({0})},                              // ITERATION
      {0x0010, Bytes({0xA9FC, 0xD2F1, 0x624D, 0x3F50})},  // DELTA 0.001
      {0x005F, Bytes({1})},                              // SAVERECALC
      {0x002A, Bytes({0})},                              // PRINTHEADERS
      {0x002B, Bytes({0})},                              // PRINTGRIDLINES
      {0x0082, Bytes({1})},                              // GRIDSET
      {0x0080, Bytes({0, 0, 0, 0})},                     // GUTS
      {IdDEFAULTROWHEIGHT, Bytes({0, 255})},
      {0x0081, Bytes({0x04C1})},                         // WSBOOL
      {IdDEFCOLWIDTH, Bytes({8})},
      {IdWINDOW2, Bytes({0x00B6, 0, 0, 64, 0, 0, 0, 0, 0})},
      {0x001D, {3, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},  // SELECTION of A1
      {BiffId::EOF_, {}},
  };
  sheet->FBOF.reset(static_cast<TBOFRecord*>(CreateRecord(records[0].first, records[0].second).release()));
  for (size_t i = 1; i < std::size(records); ++i)
    sheet->PlaceRecord(CreateRecord(records[i].first, records[i].second), state, nullptr, nullptr, SST);
  sheet->FinishLoad(state);
  return sheet;
}

void TWorkSheet::Clear() {
  TSheet::Clear();
  FRanges.Clear();
  FCells.Clear();
  FNotes.Clear();
  FColumns.Clear();
  FHLinks.Clear();
  FDrawing.Clear();
  FHPageBreaks.Clear();
  FVPageBreaks.Clear();
  FMiscRecords1.Clear();
  FMiscRecords2.Clear();
  FDefRowHeight = 255;
  FDefColWidth = 2930;
}

void TWorkSheet::ClearValues() {
  Clear();
  std::unique_ptr<TWorkSheet> empty = CreateFromData(FWorkbookGlobals, &FWorkbookGlobals->SST());
  FBOF = std::move(empty->FBOF);
  FEOF = std::move(empty->FEOF);
  FMiscRecords1.CopyFrom(&empty->FMiscRecords1);
  FMiscRecords2.CopyFrom(&empty->FMiscRecords2);
  FDefRowHeight = empty->FDefRowHeight;
  FDefColWidth = empty->FDefColWidth;
  RelinkRecords();
}

void TWorkSheet::PlaceRecord(std::unique_ptr<TBaseRecord> aRecord, TLoadState& State, TOle2File* DataStream,
                             TRecordHeader* RecordHeader, TSST* SST) {
  const Word id = aRecord->Id;
  // Value cells and ROW records, nearly every record of a big sheet, go straight to the cell
  // store: the record factory gives each of these ids its own class, which no step below wants.
  switch (id) {
    case TLabelSSTRecord::Id_:
      static_cast<TLabelSSTRecord*>(aRecord.get())->AttachToSST(SST);
      [[fallthrough]];
    case BiffCellId::BLANK:
    case BiffCellId::BOOLERR:
    case BiffCellId::NUMBER:
    case BiffCellId::RK:
    case IdLABEL:
    case IdRSTRING: {
      auto* cell = static_cast<TCellRecord*>(aRecord.release());
      FCells.AddCell(std::unique_ptr<TCellRecord>(cell), cell->Row());
      return;
    }
    case BiffCellId::MULBLANK:
    case BiffCellId::MULRK: FCells.AddMultipleCells(static_cast<TMultipleValueRecord&>(*aRecord)); return;
    case IdROW: FCells.AddRow(std::unique_ptr<TRowRecord>(static_cast<TRowRecord*>(aRecord.release()))); return;
    default: break;
  }
  if (id == IdWINDOW2) State.Current = &FMiscRecords2;
  LinkRecord(aRecord.get());
  if (auto* f = dynamic_cast<TFormulaRecord*>(aRecord.get())) State.LastFormula = f;
  if (auto* d = dynamic_cast<TDefColWidthRecord*>(aRecord.get())) {
    if (!State.StandardWidthSeen || d->Width() != 8) {
      State.LastDefColWidth = d->Width();
      FDefColWidth = 293 * d->Width();
    }
  } else if (auto* s = dynamic_cast<TStandardWidthRecord*>(aRecord.get())) {
    if (State.LastDefColWidth == 8) {
      State.StandardWidthSeen = true;
      FDefColWidth = s->Width();
    }
  } else if (auto* h = dynamic_cast<TDefRowHeightRecord*>(aRecord.get())) {
    FDefRowHeight = h->Height();
  }
  if (PlaceBaseRecord(aRecord, SST)) return;

  switch (id) {
    case BiffCarriedId::MSODRAWING:
      if (!DataStream || !RecordHeader) RaiseXls(XlsMsg::ExcelInvalid);
      FDrawing.LoadFromStream(*DataStream, *RecordHeader, SST, std::move(aRecord));
      return;
    case BiffCarriedId::NOTE: FNotes.AddRecord(std::move(aRecord)); return;
    case IdCOLINFO:
      FColumns.AddRecord(std::unique_ptr<TColInfoRecord>(static_cast<TColInfoRecord*>(aRecord.release())));
      return;
    case BiffCarriedId::CONDFMT: {
      auto entry = std::make_unique<TCondFmt>();
      if (DataStream && RecordHeader) entry->LoadFromStream(*DataStream, *RecordHeader, std::move(aRecord));
      else entry->LoadFromStream(std::move(aRecord));
      FRanges.Add(std::move(entry));
      return;
    }
    case IdMERGEDCELLS: {
      auto entry = std::make_unique<TMergedCells>();
      entry->LoadFromStream(std::move(aRecord));
      FRanges.Add(std::move(entry));
      return;
    }
    case BiffId::HLINK:
      FHLinks.Add(std::unique_ptr<THLinkRecord>(static_cast<THLinkRecord*>(aRecord.release())));
      return;
    case BiffId::SCREENTIP:
      // The reader lets a tip stand only right after its link.
      if (FHLinks.Count() > 0)
        FHLinks[FHLinks.Count() - 1]->AddHint(
            std::unique_ptr<TScreenTipRecord>(static_cast<TScreenTipRecord*>(aRecord.release())));
      return;
    case BiffId::SHRFMLA:
    case BiffId::ARRAY:
    case BiffId::TABLE:
    case BiffId::STRING: PlaceFormulaCompanion(std::move(aRecord), State); return;
    case BiffCarriedId::HPAGEBREAKS:
      FHPageBreaks.AddRecord(std::unique_ptr<THPageBreakRecord>(static_cast<THPageBreakRecord*>(aRecord.release())));
      return;
    case BiffCarriedId::VPAGEBREAKS:
      FVPageBreaks.AddRecord(std::unique_ptr<TVPageBreakRecord>(static_cast<TVPageBreakRecord*>(aRecord.release())));
      return;
    default: break;
  }
  if (auto* mul = dynamic_cast<TMultipleValueRecord*>(aRecord.get())) {
    FCells.AddMultipleCells(*mul);
    return;
  }
  if (auto* cell = dynamic_cast<TCellRecord*>(aRecord.get())) {
    const Integer row = cell->Row();
    aRecord.release();
    FCells.AddCell(std::unique_ptr<TCellRecord>(cell), row);
    return;
  }
  State.Current->Add(std::move(aRecord));
}

void TWorkSheet::PlaceFormulaCompanion(std::unique_ptr<TBaseRecord> aRecord, TLoadState& State) {
  TFormulaRecord* formula = State.LastFormula;
  if (!formula) RaiseXls(XlsMsg::ExcelInvalid);
  switch (aRecord->Id) {
    case BiffId::SHRFMLA: {
      std::unique_ptr<TShrFmlaRecord> shared(static_cast<TShrFmlaRecord*>(aRecord.release()));
      shared->Key = formula->Row() + (static_cast<Cardinal>(formula->Column()) << 16);
      State.ShrFmlas.Add(std::move(shared));
      return;
    }
    case BiffId::ARRAY:
      formula->SetArrayRecord(std::unique_ptr<TArrayRecord>(static_cast<TArrayRecord*>(aRecord.release())));
      return;
    case BiffId::TABLE:
      formula->SetTableRecord(std::unique_ptr<TTableRecord>(static_cast<TTableRecord*>(aRecord.release())));
      return;
    default: formula->SetFormulaValue(Variant(static_cast<TStringRecord*>(aRecord.get())->Value())); return;
  }
}

void TWorkSheet::FinishLoad(TLoadState& State) {
  FNotes.FixDwgIds(&FDrawing);
  FCells.CellList().FixFormulas(State.ShrFmlas);
  FDrawing.SaveObjectCoords(this);
  State.ShrFmlas.Clear();
  FCells.FixRows();
}

void TWorkSheet::ArrangeCopySheet(const TSheetInfo& SheetInfo) {
  FCells.CellList().ArrangeInsertSheet(SheetInfo);
  FDrawing.ArrangeCopySheet(SheetInfo);
}

void TWorkSheet::LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBOFRecord> First,
                                TSST* SST) {
  Clear();
  TLoadState state;
  state.Current = &FMiscRecords1;
  while (!FEOF) PlaceRecord(ReadSectionRecord(DataStream, RecordHeader), state, &DataStream, &RecordHeader, SST);
  FinishLoad(state);
  FBOF = std::move(First);
}

void TWorkSheet::SaveToStream(TOle2File& DataStream) {
  SaveBaseHead(DataStream);
  if (FGuts && FGuts->RecalcNeeded) {
    FCells.RowList().CalcGuts(*FGuts);
    FColumns.CalcGuts(*FGuts);
    FGuts->RecalcNeeded = false;
  }
  FMiscRecords1.SaveToStream(DataStream);
  FHPageBreaks.SaveToStream(DataStream);
  FVPageBreaks.SaveToStream(DataStream);
  FColumns.SaveToStream(DataStream);
  FCells.SaveToStream(DataStream);
  FDrawing.SaveToStream(DataStream);
  FNotes.SaveToStream(DataStream);
  FMiscRecords2.SaveToStream(DataStream);
  FRanges.SaveToStream(DataStream);
  FHLinks.SaveToStream(DataStream);
  SaveBaseTail(DataStream);
}

void TWorkSheet::SaveRangeToStream(TOle2File& DataStream, Integer, const TXlsCellRange& CellRange) {
  SaveBaseHead(DataStream);
  FMiscRecords1.SaveToStream(DataStream);
  FHPageBreaks.SaveRangeToStream(DataStream, CellRange);
  FVPageBreaks.SaveRangeToStream(DataStream, CellRange);
  FColumns.SaveRangeToStream(DataStream, CellRange);
  FCells.SaveRangeToStream(DataStream, CellRange);
  FNotes.SaveRangeToStream(DataStream, CellRange);
  FMiscRecords2.SaveToStream(DataStream);
  FRanges.SaveRangeToStream(DataStream, CellRange);
  FHLinks.SaveRangeToStream(DataStream, CellRange);
  SaveBaseTail(DataStream);
}

Int64 TWorkSheet::FixTotalSize(bool NeedsRecalc) const {
  return FMiscRecords1.TotalSize() + SheetBaseSize() + FHPageBreaks.TotalSize() + FVPageBreaks.TotalSize() +
         FCells.FixTotalSize(NeedsRecalc) + FRanges.TotalSize() + FDrawing.TotalSize() + FMiscRecords2.TotalSize() +
         FNotes.TotalSize() + FColumns.TotalSize() + FHLinks.TotalSize();
}

Int64 TWorkSheet::TotalRangeSize(Integer, const TXlsCellRange& CellRange) const {
  return SheetBaseSize() + FMiscRecords1.TotalSize() + FMiscRecords2.TotalSize() +
         FCells.TotalRangeSize(CellRange) + FRanges.TotalRangeSize(CellRange) + FNotes.TotalRangeSize(CellRange) +
         FColumns.TotalRangeSize(CellRange) + FHPageBreaks.TotalRangeSize(CellRange) +
         FVPageBreaks.TotalRangeSize(CellRange) + FHLinks.TotalRangeSize(CellRange);
}

void TWorkSheet::RelinkRecords() {
  UnlinkRecords();
  for (const TBaseRecordList* list : {&FMiscRecords1, &FMiscRecords2})
    for (Integer i = 0; i < list->Count(); ++i)
      if ((*list)[i]) LinkRecord((*list)[i]);
}

std::unique_ptr<TSheet> TWorkSheet::DoCopyTo() const {
  auto copy = std::make_unique<TWorkSheet>(FWorkbookGlobals);
  CopyBaseTo(*copy);
  copy->FMiscRecords1.CopyFrom(&FMiscRecords1);
  copy->FMiscRecords2.CopyFrom(&FMiscRecords2);
  copy->FHPageBreaks.CopyFrom(&FHPageBreaks);
  copy->FVPageBreaks.CopyFrom(&FVPageBreaks);
  // The drawing first: the copied notes link to its shapes (new shape ids, same object ids).
  copy->FDrawing.CopyFrom(const_cast<TDrawing&>(FDrawing), copy.get());
  copy->FCells.CopyFrom(FCells);
  copy->FRanges.CopyFrom(FRanges);
  copy->FColumns.CopyFrom(FColumns);
  copy->FHLinks.CopyFrom(FHLinks);
  copy->FNotes.CopyFrom(&FNotes);
  copy->FNotes.FixDwgIds(&copy->FDrawing);
  copy->FDefColWidth = FDefColWidth;
  copy->FDefRowHeight = FDefRowHeight;
  copy->RelinkRecords();
  return copy;
}
