#include "xls/vavUExcelRecords.h"

#include <algorithm>
#include <set>

#include "xls/vavUBiffRecordFactory.h"

TWorkbook::~TWorkbook() { FSheets.Clear(); }

void TWorkbook::SetActiveSheet(Integer Value) {
  for (Integer i = 0; i < FSheets.Count(); ++i) FSheets[i]->SetSelected(false);
  FGlobals.SetActiveSheet(Value);
  if (Value >= 0 && Value < FSheets.Count()) FSheets[Value]->SetSelected(true);
}

// ---------------------------------------------------------------------------------------------
// Loading

void TWorkbook::LoadFromStream(TOle2File& DataStream) {
  FSheets.Clear();
  FGlobals.Clear();
  TRecordHeader header;
  if (DataStream.NextEof(3)) RaiseXls(XlsMsg::ExcelInvalid);
  ReadRecordHeader(DataStream, header);
  while (!header.PastEnd && !DataStream.NextEof(3) && header.Id != 0) {
    std::unique_ptr<TBaseRecord> r = ReadSectionRecord(DataStream, header);
    if (r->Id == BiffId::BOF) {
      std::unique_ptr<TBOFRecord> bof(static_cast<TBOFRecord*>(r.release()));
      switch (bof->BOFType()) {
        case TBOFRecord::Globals: FGlobals.LoadFromStream(DataStream, header, std::move(bof), &FGlobals.SST()); break;
        case TBOFRecord::Worksheet:
          FSheets.Add(std::make_unique<TWorkSheet>(&FGlobals));
          FSheets[FSheets.Count() - 1]->LoadFromStream(DataStream, header, std::move(bof), &FGlobals.SST());
          break;
        case TBOFRecord::Chart:
          FSheets.Add(std::make_unique<TWbkChart>(&FGlobals));
          FSheets[FSheets.Count() - 1]->LoadFromStream(DataStream, header, std::move(bof), &FGlobals.SST());
          break;
        default:
          FSheets.Add(std::make_unique<TWbkUnsupportedSheet>(&FGlobals));
          FSheets[FSheets.Count() - 1]->LoadFromStream(DataStream, header, std::move(bof), &FGlobals.SST());
          break;
      }
    } else if (r->Id != BiffId::EOF_) {
      RaiseXls(XlsMsg::ExcelInvalid);
    }
    if (FGlobals.SheetCount() > 0 && FSheets.Count() >= FGlobals.SheetCount()) break;
  }
  // A workbook must hold its globals and one section per sheet it lists.
  if (!FGlobals.Loaded() || FSheets.Count() != FGlobals.SheetCount()) RaiseXls(XlsMsg::ExcelInvalid);
  FGlobals.SST().Sort();
  // Identical pictures are found by binary search; the shapes keep pointing at their entries.
  if (TEscherBStoreRecord* store = FGlobals.DrawingGroup().FRecordCache.BStore) store->FContainedRecords.Sort();
}

// ---------------------------------------------------------------------------------------------
// Saving

void TWorkbook::EnsureSheetCodeNames() {
  if (!FGlobals.HasMacro()) return;
  std::set<WideString> used;
  if (!FGlobals.CodeName().empty()) used.insert(UpperCaseText(FGlobals.CodeName()));
  for (Integer i = 0; i < FSheets.Count(); ++i)
    if (!FSheets[i]->CodeName().empty()) used.insert(UpperCaseText(FSheets[i]->CodeName()));
  for (Integer i = 0; i < FSheets.Count() && i < FGlobals.SheetCount(); ++i) {
    TSheet* sheet = FSheets[i];
    if (!sheet->CodeName().empty()) continue;
    const WideString name = FGlobals.GetSheetName(i);
    size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= u'0' && name[digits - 1] <= u'9') --digits;
    const WideString base = name.substr(0, digits);
    WideString number;
    Int64 n = 0;
    if (digits < name.size()) {
      number = name.substr(digits);
      for (char16_t c : number) n = std::min<Int64>(n * 10 + (c - u'0'), Int64{1} << 40);
    }
    while (used.count(UpperCaseText(base + number))) {
      ++n;
      const std::string text = std::to_string(n);
      number.assign(text.begin(), text.end());
    }
    sheet->SetCodeName(base + number);
    used.insert(UpperCaseText(base + number));
  }
}

void TWorkbook::FixSheetOffsets(bool NeedsRecalc) {
  FGlobals.SST().FixRefs();
  Int64 offset = FGlobals.TotalSize();
  if (FGlobals.SheetCount() != FSheets.Count()) RaiseXls(XlsMsg::ExcelInvalid);
  for (Integer i = 0; i < FSheets.Count(); ++i) {
    FGlobals.SheetSetOffset(i, static_cast<Cardinal>(offset));
    offset += FSheets[i]->FixTotalSize(NeedsRecalc);
  }
}

void TWorkbook::CheckVisibleSheets() {
  Integer firstVisible = -1;
  for (Integer i = FSheets.Count() - 1; i >= 0; --i) {
    if (FGlobals.GetSheetVisible(i) == TXlsSheetVisible::sv_Visible) firstVisible = i;
    else if (FSheets[i]->Selected()) RaiseXls(XlsMsg::SelectVisibleSheet);
  }
  if (firstVisible < 0) RaiseXls(XlsMsg::NoVisibleSheets);
  FGlobals.SetFirstSheetVisible(firstVisible);
}

void TWorkbook::SaveToStream(TOle2File& DataStream, bool NeedsRecalc) {
  EnsureSheetCodeNames();
  for (Integer i = 0; i < FGlobals.SheetCount() && i < FSheets.Count(); ++i) FSheets[i]->FixRows();
  FixSheetOffsets(NeedsRecalc);
  CheckVisibleSheets();
  FGlobals.SaveToStream(DataStream);
  for (Integer i = 0; i < FSheets.Count(); ++i) FSheets[i]->SaveToStream(DataStream);
}

void TWorkbook::SaveRangeToStream(TOle2File& DataStream, Integer SheetIndex, const TXlsCellRange& CellRange,
                                  bool NeedsRecalc) {
  CheckSheetNumber(SheetIndex);
  EnsureSheetCodeNames();
  for (Integer i = 0; i < FGlobals.SheetCount() && i < FSheets.Count(); ++i) FSheets[i]->FixRows();
  FGlobals.SST().FixRefs();
  if (FGlobals.SheetCount() != FSheets.Count()) RaiseXls(XlsMsg::ExcelInvalid);
  const Int64 offset = FGlobals.TotalRangeSize(SheetIndex, CellRange);
  FSheets[SheetIndex]->FixTotalSize(NeedsRecalc);
  FGlobals.SheetSetOffset(SheetIndex, static_cast<Cardinal>(offset));
  FGlobals.SaveRangeToStream(DataStream, SheetIndex, CellRange);
  FSheets[SheetIndex]->SaveRangeToStream(DataStream, SheetIndex, CellRange);
}

// ---------------------------------------------------------------------------------------------
// Sheets

TSheetInfo TWorkbook::SheetInfo(Integer InsSheet, Integer FormulaSheet) {
  TSheetInfo info;
  info.InsSheet = InsSheet;
  info.FormulaSheet = FormulaSheet;
  info.GetSheet = FGlobals.GetSheetLookup();
  info.SetSheet = FGlobals.SetSheetLookup();
  return info;
}

void TWorkbook::CheckSheetNumber(Integer SheetNo) const {
  if (SheetNo < 0 || SheetNo >= FSheets.Count())
    RaiseXls(XlsMsg::InvalidSheetNumber, {Int64{SheetNo}, Int64{0}, Int64{FSheets.Count() - 1}});
}

void TWorkbook::InsertSheets(Integer CopyFrom, Integer InsertBefore, Integer SheetCount) {
  const Integer count = FSheets.Count();
  if (CopyFrom >= count || CopyFrom < -1)
    RaiseXls(XlsMsg::InvalidSheetNumber, {Int64{CopyFrom}, Int64{-1}, Int64{count - 1}});
  if (InsertBefore > count || InsertBefore < 0)
    RaiseXls(XlsMsg::InvalidSheetNumber, {Int64{InsertBefore}, Int64{0}, Int64{count}});
  if (SheetCount <= 0) return;
  const Word flags = CopyFrom < 0 ? 0 : FGlobals.GetSheetOptionFlags(CopyFrom);
  // Build the sheets first: a failure leaves the workbook as it was.
  std::vector<std::unique_ptr<TSheet>> made;
  for (Integer k = 0; k < SheetCount; ++k)
    made.push_back(CopyFrom < 0 ? TWorkSheet::CreateFromData(&FGlobals, &FGlobals.SST())
                                : TSheet::CopyTo(FSheets[CopyFrom]));
  FGlobals.InsertSheets(CopyFrom, InsertBefore, flags, u"Sheet", SheetCount);
  // The active tab stays on the sheet it showed.
  if (FGlobals.ActiveSheet() >= InsertBefore) FGlobals.SetActiveSheet(FGlobals.ActiveSheet() + SheetCount);
  for (Integer k = 0; k < SheetCount; ++k) {
    FSheets.Insert(InsertBefore, std::move(made[static_cast<size_t>(k)]));
    if (CopyFrom >= 0) {
      // The source has moved right when the copies went in before it.
      TSheetInfo info = SheetInfo(InsertBefore + SheetCount - 1 - k, CopyFrom < InsertBefore ? CopyFrom : CopyFrom + SheetCount);
      info.Names = &FGlobals.Names();
      FSheets[InsertBefore]->ArrangeCopySheet(info);
    }
  }
}

void TWorkbook::DeleteSheets(Integer SheetPos, Integer SheetCount) {
  const Integer count = FSheets.Count();
  if (SheetPos > count || SheetPos < 0) RaiseXls(XlsMsg::InvalidSheetNumber, {Int64{SheetPos}, Int64{0}, Int64{count}});
  FGlobals.DeleteSheets(SheetPos, SheetCount);
  const Integer active = FGlobals.ActiveSheet();
  Integer deleted = 0;
  for (Integer i = 0; i < SheetCount && SheetPos < FSheets.Count(); ++i, ++deleted) {
    FSheets[SheetPos]->Clear();
    FSheets.Delete(SheetPos);
  }
  // The active tab follows its sheet; when that sheet went, the first visible sheet from its
  // place on (else the last visible one before it) becomes active, and selected if no sheet
  // left is, so the workbook can still be saved.
  if (active >= SheetPos + deleted) {
    FGlobals.SetActiveSheet(active - deleted);
  } else if (active >= SheetPos && FSheets.Count() > 0) {
    auto visible = [&](Integer i) { return FGlobals.GetSheetVisible(i) == TXlsSheetVisible::sv_Visible; };
    Integer next = -1;
    for (Integer i = SheetPos; i < FSheets.Count() && next < 0; ++i)
      if (visible(i)) next = i;
    for (Integer i = std::min(SheetPos, FSheets.Count()) - 1; i >= 0 && next < 0; --i)
      if (visible(i)) next = i;
    if (next < 0) next = std::min(SheetPos, FSheets.Count() - 1);
    bool anySelected = false;
    for (Integer i = 0; i < FSheets.Count(); ++i) anySelected |= FSheets[i]->Selected();
    if (anySelected) FGlobals.SetActiveSheet(next);
    else SetActiveSheet(next);
  }
}

void TWorkbook::InsertAndCopyRowsAndCols(Integer SheetNo, Integer FirstRow, Integer LastRow, Integer DestRow,
                                         Integer aRowCount, Integer FirstCol, Integer LastCol, Integer DestCol,
                                         Integer aColCount, bool OnlyFormulas) {
  const Int64 rows = Int64{aRowCount} * (LastRow - FirstRow + 1);
  const Int64 cols = Int64{aColCount} * (LastCol - FirstCol + 1);
  if (LastRow < FirstRow || FirstRow < 0 || LastRow > 65535 || (FirstRow < DestRow && DestRow <= LastRow) ||
      DestRow + rows > 65535 || DestRow < 0)
    RaiseXls(XlsMsg::InsertAndCopyRowsArgs);
  if (LastCol < FirstCol || FirstCol < 0 || LastCol >= 256 || (FirstCol < DestCol && DestCol <= LastCol) ||
      DestCol + cols >= 256 || DestCol < 0)
    RaiseXls(XlsMsg::InsertAndCopyRowsArgs);
  CheckSheetNumber(SheetNo);
  for (Integer i = 0; i < FSheets.Count(); ++i) {
    TSheetInfo info = SheetInfo(SheetNo, i);
    if (i == SheetNo)
      FSheets[i]->InsertAndCopyRowsAndCols(FirstRow, LastRow, DestRow, aRowCount, FirstCol, LastCol, DestCol, aColCount,
                                           info, OnlyFormulas);
    else
      FSheets[i]->ArrangeInsertRowsAndCols(DestRow, static_cast<Integer>(rows), DestCol, static_cast<Integer>(cols), info);
  }
  FGlobals.InsertAndCopyRowsAndCols(FirstRow, LastRow, DestRow, aRowCount, FirstCol, LastCol, DestCol, aColCount,
                                    SheetInfo(SheetNo, SheetNo));
}

void TWorkbook::DeleteRowsAndCols(Integer SheetNo, Word aRow, Word aRowCount, Word aCol, Word aColCount) {
  CheckSheetNumber(SheetNo);
  for (Integer i = 0; i < FSheets.Count(); ++i) {
    TSheetInfo info = SheetInfo(SheetNo, i);
    if (i == SheetNo) FSheets[i]->DeleteRowsAndCols(aRow, aRowCount, aCol, aColCount, info);
    else FSheets[i]->ArrangeInsertRowsAndCols(aRow, -aRowCount, aCol, -aColCount, info);
  }
  FGlobals.DeleteRowsAndCols(aRow, aRowCount, aCol, aColCount, SheetInfo(SheetNo, SheetNo));
}

bool TWorkbook::IsWorksheet(Integer Index) const { return dynamic_cast<TWorkSheet*>(FSheets[Index]) != nullptr; }

TWorkSheet& TWorkbook::WorkSheetAt(Integer Index) const {
  auto* sheet = dynamic_cast<TWorkSheet*>(FSheets[Index]);
  if (!sheet) throw EInvalidCast("Invalid class typecast");
  return *sheet;
}
