// TXLSFile: pictures, comments, defined names, hyperlinks, page breaks, the automatic filter,
// page setup and view settings, workbook options and pasting workbook data.
//
// Pictures live in the sheet drawing, their bytes in the workbook's blip store. Hyperlinks and
// page breaks are the sheet's own lists.
#include <algorithm>
#include <sstream>

#include "classlib/Clipbrd.h"
#include "xls/vavUXlsFile.h"

// ---------------------------------------------------------------------------------------------
// Pictures of the active worksheet

namespace {

TClientAnchor StoredAnchor(const TImageProperties& Props, TWbkAnchorType Anchor) {
  const Word flag = Anchor == TWbkAnchorType::at_MoveAndResize           ? 0
                    : Anchor == TWbkAnchorType::at_DontMoveAndDontResize ? 3
                                                                         : 2;
  auto w = [](Integer v) { return static_cast<Word>(v); };
  return TClientAnchor{flag,           w(Props.Col1 - 1), w(Props.dx1), w(Props.Row1 - 1), w(Props.dy1),
                       w(Props.Col2 - 1), w(Props.dx2),  w(Props.Row2 - 1), w(Props.dy2)};
}

TImageProperties ModelProperties(const TImageProperties& Props) {
  TImageProperties p = Props;
  --p.Col1;
  --p.Row1;
  --p.Col2;
  --p.Row2;
  return p;
}

void CheckImageIndex(const TWorkSheet& Sheet, Integer Index) {
  if (Index < 0 || Index >= Sheet.DrawingCount())
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{Index}, String("ImageIndex"), Int64{0}, Int64{Sheet.DrawingCount() - 1}});
}

}  // namespace

void TXLSFile::BeginSheet() {
  RowPictures = std::make_unique<TRowComments>();
  if (TWorkSheet* sheet = ActiveWorkSheet())
    for (Integer i = 0; i < sheet->DrawingCount(); ++i) RowPictures->Add(sheet->PictureRow(i) + 1, i);
}

Integer TXLSFile::PictureIndex(Integer Row, Integer aPos) {
  if (Row <= 0) return aPos;
  // Row addressing needs the index; it is built on first use when BeginSheet was not called.
  if (!RowPictures) BeginSheet();
  const TCommentRowPos& row = RowPictures->RowPositions(Row);
  if (aPos < 0 || aPos >= static_cast<Integer>(row.size()))
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{aPos}, String("Index"), Int64{0}, Int64{static_cast<Integer>(row.size()) - 1}});
  return row[static_cast<size_t>(aPos)];
}

Integer TXLSFile::GetPicturesCount(Integer Row) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return 0;
  if (Row <= 0) return sheet->DrawingCount();
  if (!RowPictures) BeginSheet();
  return static_cast<Integer>(RowPictures->RowPositions(Row).size());
}

String TXLSFile::GetPictureName(Integer Row, Integer Index) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? WideToUtf8(sheet->PictureName(PictureIndex(Row, Index))) : String();
}

void TXLSFile::GetPicture(Integer Row, Integer aPos, TStream* Pic, TXlsImgTypes& PicType, TClientAnchor& Anchor) {
  Anchor = TClientAnchor{};
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  const Integer index = PictureIndex(Row, aPos);
  if (Pic) sheet->GetDrawingFromStream(index, *Pic, PicType);
  Anchor = sheet->GetAnchor(index);
  ++Anchor.Col1;
  ++Anchor.Col2;
  ++Anchor.Row1;
  ++Anchor.Row2;
}

void TXLSFile::AssignPicture(Integer Row, Integer aPos, const ByteArray& Pic, TXlsImgTypes PicType) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  sheet->AssignDrawing(PictureIndex(Row, aPos), Pic, PicType);
  IsFileModified = true;
}

void TXLSFile::AssignPicture(Integer Row, Integer aPos, const ByteArray& Pic, TXlsImgTypes PicType,
                             const TImageProperties& Props, TWbkAnchorType Anchor) {
  AssignPicture(Row, aPos, Pic, PicType);
  AssignPictureProperties(Row, aPos, Props, Anchor);
}

void TXLSFile::AssignPictureProperties(Integer Row, Integer aPos, const TImageProperties& Props,
                                       TWbkAnchorType Anchor) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  sheet->SetAnchor(PictureIndex(Row, aPos), StoredAnchor(Props, Anchor));
  IsFileModified = true;
}

void TXLSFile::AddImage(const ByteArray& Data, TXlsImgTypes DataType, const TImageProperties& Properties,
                        TWbkAnchorType Anchor) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  Workbook().Globals().DrawingGroup().EnsureDwgGroup();
  sheet->AddImage(Data, DataType, ModelProperties(Properties), Anchor);
  IsFileModified = true;
}

void TXLSFile::DeleteImage(Integer Index) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  CheckImageIndex(*sheet, Index);
  sheet->DeleteImage(Index);
  IsFileModified = true;
}

void TXLSFile::ClearImage(Integer Index) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  CheckImageIndex(*sheet, Index);
  sheet->ClearImage(Index);
  IsFileModified = true;
}

// ---------------------------------------------------------------------------------------------
// Defined names

namespace {
TNameRecord& NameRecord(TWorkbookGlobals& Globals, Integer Index) {
  TNameRecordList& names = Globals.Names();
  if (Index < 1 || Index > names.Count())
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{Index}, String("Index"), Int64{1}, Int64{names.Count()}});
  return *names[Index - 1];
}
}  // namespace

Integer TXLSFile::GetRangeCount() { return Workbook().Globals().Names().Count(); }

WideString TXLSFile::GetRangeName(Integer Index) { return NameRecord(Workbook().Globals(), Index).Name(); }

Integer TXLSFile::GetRangeR1(Integer Index) { return NameRecord(Workbook().Globals(), Index).GetR1() + 1; }
Integer TXLSFile::GetRangeR2(Integer Index) { return NameRecord(Workbook().Globals(), Index).GetR2() + 1; }
Integer TXLSFile::GetRangeC1(Integer Index) { return NameRecord(Workbook().Globals(), Index).GetC1() + 1; }
Integer TXLSFile::GetRangeC2(Integer Index) { return NameRecord(Workbook().Globals(), Index).GetC2() + 1; }
void TXLSFile::SetRangeR1(Integer Index, Integer Value) { NameRecord(Workbook().Globals(), Index).SetR1(Value - 1); }
void TXLSFile::SetRangeR2(Integer Index, Integer Value) { NameRecord(Workbook().Globals(), Index).SetR2(Value - 1); }
void TXLSFile::SetRangeC1(Integer Index, Integer Value) { NameRecord(Workbook().Globals(), Index).SetC1(Value - 1); }
void TXLSFile::SetRangeC2(Integer Index, Integer Value) { NameRecord(Workbook().Globals(), Index).SetC2(Value - 1); }

Integer TXLSFile::GetRangeSheet(Integer Index) {
  TWorkbookGlobals& globals = Workbook().Globals();
  return NameRecord(globals, Index).RefersToSheet(globals.GetSheetLookup()) + 1;
}

// The interface counts the name's sheet from 1 (0: the workbook); plain references of a
// workbook-level name point at the active sheet.
void TXLSFile::AddRange(TXlsNamedRange& NamedRange) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  --NamedRange.NameSheetIndex;
  try {
    Workbook().Globals().AddName(NamedRange, &sheet->Cells().CellList(), FActiveSheet - 1);
  } catch (...) {
    ++NamedRange.NameSheetIndex;
    throw;
  }
  ++NamedRange.NameSheetIndex;
}

// ---------------------------------------------------------------------------------------------
// Hyperlinks: 1-based over the active worksheet's list, cell ranges 1-based.

THLinkRecord& TXLSFile::HyperLinkAt(Integer HyperLinkIndex) {
  const Integer count = HyperLinkCount();
  if (HyperLinkIndex < 1 || HyperLinkIndex > count)
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{HyperLinkIndex}, String("HyperLinkIndex"), Int64{1}, Int64{count}});
  return *ActiveWorkSheet()->HLinks()[HyperLinkIndex - 1];
}

Integer TXLSFile::HyperLinkCount() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->HLinks().Count() : 0;
}

THyperLink TXLSFile::GetHyperLink(Integer HyperLinkIndex) { return HyperLinkAt(HyperLinkIndex).GetProperties(); }

void TXLSFile::SetHyperLink(Integer HyperLinkIndex, const THyperLink& value) {
  HyperLinkAt(HyperLinkIndex).SetProperties(value);
}

TXlsCellRange TXLSFile::GetHyperLinkCellRange(Integer HyperLinkIndex) {
  return OffsetRange(HyperLinkAt(HyperLinkIndex).GetCellRange(), 1, 1);
}

void TXLSFile::SetHyperLinkCellRange(Integer HyperLinkIndex, const TXlsCellRange& CellRange) {
  THLinkRecord& link = HyperLinkAt(HyperLinkIndex);
  const TXlsCellRange range = OffsetRange(CellRange, -1, -1);
  CheckLinkRange(range);
  link.SetCellRange(range);
  ActiveWorkSheet()->HLinks().Sorted = false;
}

void TXLSFile::AddHyperLink(const TXlsCellRange& CellRange, const THyperLink& value) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  const TXlsCellRange range = OffsetRange(CellRange, -1, -1);
  CheckLinkRange(range);
  sheet->HLinks().Add(THLinkRecord::CreateNew(range, value));
}

void TXLSFile::DeleteHyperLink(Integer HyperLinkIndex) {
  HyperLinkAt(HyperLinkIndex);
  ActiveWorkSheet()->HLinks().Delete(HyperLinkIndex - 1);
}

// A link's rectangle must lie on the sheet: 16-bit fields would wrap a bound outside it.
void TXLSFile::CheckLinkRange(const TXlsCellRange& Range) {
  for (Integer row : {Range.Top, Range.Bottom})
    if (row < 0 || row > 65535) RaiseXls(XlsMsg::InvalidRow, {Int64{row + 1}});
  for (Integer col : {Range.Left, Range.Right})
    if (col < 0 || col > 255) RaiseXls(XlsMsg::InvalidColumn, {Int64{col + 1}});
}

// ---------------------------------------------------------------------------------------------
// Page breaks (worksheet only). The number is passed on as it is: InsertHPageBreak(r) puts the
// break between rows r and r + 1 of the interface, above model row r.

void TXLSFile::InsertHPageBreak(Integer Row) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->InsertHPageBreak(Row);
}

void TXLSFile::InsertVPageBreak(Integer Col) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->InsertVPageBreak(Col);
}

void TXLSFile::DeleteHPageBreak(Integer Row) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->DeleteHPageBreak(Row);
}

void TXLSFile::DeleteVPageBreak(Integer Col) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->DeleteVPageBreak(Col);
}

bool TXLSFile::HasHPageBreak(Integer Row) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet && sheet->HasHPageBreak(Row);
}

bool TXLSFile::HasVPageBreak(Integer Col) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet && sheet->HasVPageBreak(Col);
}

// ---------------------------------------------------------------------------------------------
// The automatic filter (not modelled yet: no sheet has one)

void TXLSFile::SetAutoFilter(Integer row, Integer col1, Integer col2) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  sheet->SetAutoFilter(FActiveSheet - 1, row - 1, col1 - 1, col2 - 1);
  IsFileModified = true;
}

void TXLSFile::RemoveAutoFilter() {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  sheet->RemoveAutoFilter();
  IsFileModified = true;
}

bool TXLSFile::HasAutoFilter() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet && sheet->HasAutoFilter();
}

bool TXLSFile::HasAutoFilter(Integer row, Integer col) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet && sheet->HasAutoFilter(FActiveSheet - 1, row - 1, col - 1);
}

TXlsCellRange TXLSFile::GetAutoFilterRange() {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return TXlsCellRange{-1, -1, -1, -1};
  return OffsetRange(sheet->GetAutoFilterRange(FActiveSheet - 1), 1, 1);
}

// ---------------------------------------------------------------------------------------------
// Page setup and view

WideString TXLSFile::GetPageFooter() { return ActiveSheetRef().PageFooter(); }
WideString TXLSFile::GetPageHeader() { return ActiveSheetRef().PageHeader(); }
void TXLSFile::SetPageFooter(const WideString& Value) { ActiveSheetRef().SetPageFooter(Value); }
void TXLSFile::SetPageHeader(const WideString& Value) { ActiveSheetRef().SetPageHeader(Value); }
TXlsMargins TXLSFile::GetMargins() { return ActiveSheetRef().Margins(); }
void TXLSFile::SetMargins(const TXlsMargins& Value) { ActiveSheetRef().SetMargins(Value); }
Integer TXLSFile::GetSheetZoom() { return ActiveSheetRef().SheetZoom(); }

void TXLSFile::SetSheetZoom(Integer Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetSheetZoom(Value);
}

void TXLSFile::FreezePanes(Integer Row, Integer Col) { ActiveSheetRef().FreezePanes(Row - 1, Col - 1); }

void TXLSFile::GetFrozenPanes(Integer& Row, Integer& Col) {
  ActiveSheetRef().GetFrozenPanes(Row, Col);
  ++Row;
  ++Col;
}

void TXLSFile::SplitWindow(Integer xOffset, Integer yOffset) { ActiveSheetRef().SplitWindow(xOffset, yOffset); }
void TXLSFile::GetSplitWindow(Integer& xOffset, Integer& yOffset) { ActiveSheetRef().GetSplitWindow(xOffset, yOffset); }

bool TXLSFile::GetShowGridLines() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return !sheet || sheet->ShowGridLines();
}

void TXLSFile::SetShowGridLines(bool Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetShowGridLines(Value);
}

bool TXLSFile::GetShowGridHeaders() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return !sheet || sheet->ShowGridHeaders();
}

void TXLSFile::SetShowGridHeaders(bool Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetShowGridHeaders(Value);
}

bool TXLSFile::GetPrintGridLines() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return !sheet || sheet->PrintGridLines();
}

void TXLSFile::SetPrintGridLines(bool Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintGridLines(Value);
}

Word TXLSFile::GetPrintNumberOfHorizontalPages() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return static_cast<Word>(sheet ? sheet->PrintNumberOfHorizontalPages() : 1);
}

Word TXLSFile::GetPrintNumberOfVerticalPages() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return static_cast<Word>(sheet ? sheet->PrintNumberOfVerticalPages() : 1);
}

Integer TXLSFile::GetPrintScale() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->PrintScale() : 100;
}

Byte TXLSFile::GetPrintOptions() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return static_cast<Byte>(sheet ? sheet->PrintOptions() : 0);
}

bool TXLSFile::GetPrintToFit() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet && sheet->PrintToFit();
}

void TXLSFile::SetPrintNumberOfHorizontalPages(Word Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintNumberOfHorizontalPages(Value);
}

void TXLSFile::SetPrintNumberOfVerticalPages(Word Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintNumberOfVerticalPages(Value);
}

void TXLSFile::SetPrintScale(Integer Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintScale(Value);
}

void TXLSFile::SetPrintOptions(Byte Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintOptions(Value);
}

void TXLSFile::SetPrintToFit(bool Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintToFit(Value);
}

bool TXLSFile::GetPrintHCentered() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet && sheet->PrintHCentered();
}

bool TXLSFile::GetPrintVCentered() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet && sheet->PrintVCentered();
}

void TXLSFile::SetPrintHCentered(bool Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintHCentered(Value);
}

void TXLSFile::SetPrintVCentered(bool Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintVCentered(Value);
}

Integer TXLSFile::GetPrintCopies() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->PrintCopies() : 1;
}

TPrinterDriverSettings TXLSFile::GetPrinterDriverSettings() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->PrinterDriverSettings() : TPrinterDriverSettings{};
}

Integer TXLSFile::GetPrintPaperSize() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->PrintPaperSize() : 0;
}

Integer TXLSFile::GetPrintXResolution() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->PrintXResolution() : 600;
}

Integer TXLSFile::GetPrintYResolution() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->PrintYResolution() : 600;
}

void TXLSFile::SetPrintCopies(Integer Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintCopies(Value);
}

void TXLSFile::SetPrinterDriverSettings(const TPrinterDriverSettings& Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrinterDriverSettings(Value);
}

void TXLSFile::SetPrintPaperSize(Integer Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintPaperSize(Value);
}

void TXLSFile::SetPrintXResolution(Integer Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintXResolution(Value);
}

void TXLSFile::SetPrintYResolution(Integer Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetPrintYResolution(Value);
}

bool TXLSFile::GetOutlineSummaryColsRightOfDetail() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return !sheet || sheet->OutlineSummaryColsRightOfDetail();
}

bool TXLSFile::GetOutlineSummaryRowsBelowDetail() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return !sheet || sheet->OutlineSummaryRowsBelowDetail();
}

bool TXLSFile::GetOutlineAutomaticStyles() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet && sheet->OutlineAutomaticStyles();
}

void TXLSFile::SetOutlineSummaryColsRightOfDetail(bool Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetOutlineSummaryColsRightOfDetail(Value);
}

void TXLSFile::SetOutlineSummaryRowsBelowDetail(bool Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetOutlineSummaryRowsBelowDetail(Value);
}

void TXLSFile::SetOutlineAutomaticStyles(bool Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetOutlineAutomaticStyles(Value);
}

// ---------------------------------------------------------------------------------------------
// Workbook options

bool TXLSFile::GetIsXltTemplate() { return Workbook().IsXltTemplate(); }
void TXLSFile::SetIsXltTemplate(bool Value) { Workbook().SetIsXltTemplate(Value); }
bool TXLSFile::GetOptions1904Dates() { return Workbook().Globals().Is1904(); }
void TXLSFile::SetOptions1904Dates(bool Value) { Workbook().Globals().SetIs1904(Value); }
bool TXLSFile::GetOptionsSaveExternalLinkValues() { return Workbook().Globals().SaveExternalLinkValues(); }
void TXLSFile::SetOptionsSaveExternalLinkValues(bool Value) { Workbook().Globals().SetSaveExternalLinkValues(Value); }
bool TXLSFile::GetOptionsPrecisionAsDisplayed() { return Workbook().Globals().PrecisionAsDisplayed(); }
void TXLSFile::SetOptionsPrecisionAsDisplayed(bool Value) { Workbook().Globals().SetPrecisionAsDisplayed(Value); }

bool TXLSFile::GetOptionsR1C1() {
  TWorkbook& workbook = Workbook();
  for (Integer i = 0; i < workbook.Sheets().Count(); ++i)
    if (workbook.IsWorksheet(i)) return workbook.Sheets()[i]->IsR1C1();
  return false;
}

void TXLSFile::SetOptionsR1C1(bool Value) {
  TWorkbook& workbook = Workbook();
  for (Integer i = 0; i < workbook.Sheets().Count(); ++i)
    if (workbook.IsWorksheet(i)) workbook.Sheets()[i]->SetIsR1C1(Value);
}

// ---------------------------------------------------------------------------------------------
// The clipboard

void TXLSFile::CopyToClipboard() { CopyToClipboard(TXlsCellRange{1, 1, MaxCol(), MaxRow()}); }

void TXLSFile::PasteFromClipboard(Integer Row, Integer Col) {
  static const String Biff8Format = "Biff8";
  TClipboard* clipboard = Clipboard();
  if (clipboard->HasFormatName(Biff8Format)) {
    TStringStream data(clipboard->AsFormat(Biff8Format));
    PasteFromXlsClipboardFormat(Row, Col, &data);
  } else if (clipboard->HasFormat(CF_TEXT)) {
    PasteFromTextClipboardFormat(Row, Col, clipboard->AsText());
  }
}

void TXLSFile::PasteFromXlsClipboardFormat(Integer Row, Integer Col, TStream* Stream) {
  TCellList* cells = ActiveCells();
  if (!cells) return;
  TXLSFile source(nullptr);
  source.Connect();
  source.LoadFromStream(Stream);
  TWorkbook& from = source.Workbook();
  if (from.Sheets().Count() < 1 || !from.IsWorksheet(0)) return;
  TWorkSheet& sheet = from.WorkSheetAt(0);
  const TDimensionsRec block = sheet.OriginalDimensions;
  IsFileModified = true;
  TWorkbookGlobals& globals = Workbook().Globals();
  TWorkbookGlobals& theirs = from.Globals();
  for (Integer sr = static_cast<Integer>(block.FirstRow); sr < static_cast<Integer>(block.LastRow); ++sr)
    for (Integer sc = block.FirstCol; sc < block.LastCol; ++sc) {
      TXlsCellValue v;
      TRTFRunList runs;
      sheet.Cells().CellList().GetValueX2(sr, sc, v, runs);
      // The cell's format becomes an equal format of this workbook.
      const Integer sourceXF = v.XF < 0 || v.XF >= theirs.XF().Count() ? 0 : v.XF;
      if (theirs.XF().Count() > 0) {
        const TWbkFormat format = theirs.XF()[sourceXF]->WbkFormat(theirs.Fonts(), theirs.Formats());
        v.XF = AddFormat(format);
      }
      for (TRTFRun& run : runs) {
        const Integer entry = run.FontIndex == 4 ? 0 : run.FontIndex > 4 ? run.FontIndex - 1 : run.FontIndex;
        const Integer n = theirs.Fonts().Count();
        if (n == 0) continue;
        run.FontIndex = static_cast<Word>(globals.Fonts().AddFont(theirs.Fonts()[entry < n ? entry : 0]->WbkFont()));
      }
      cells->SetValueX2(Row + sr - static_cast<Integer>(block.FirstRow) - 1, Col + sc - block.FirstCol - 1, v, runs,
                        Dates1904());
    }
}
