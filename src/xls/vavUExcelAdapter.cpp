// Every operation of the interface fails until a file class implements it.
#include "xls/vavUExcelAdapter.h"

namespace {

[[noreturn]] void AbstractCall() { throw EAbstractError("Abstract Error"); }

}  // namespace

Variant TExcelFile::GetCellValue(Integer, Integer) { AbstractCall(); }
void TExcelFile::SetCellValue(Integer, Integer, const Variant&) { AbstractCall(); }
TXlsCellValue TExcelFile::GetCellValueX(Integer, Integer) { AbstractCall(); }
void TExcelFile::SetCellValueX(Integer, Integer, const TXlsCellValue&) { AbstractCall(); }
WideString TExcelFile::GetCellFormula(Integer, Integer) { AbstractCall(); }
void TExcelFile::SetCellFormula(Integer, Integer, const WideString&) { AbstractCall(); }
Integer TExcelFile::GetCommentsCount(Integer) { AbstractCall(); }
WideString TExcelFile::GetCommentText(Integer, Integer) { AbstractCall(); }
Integer TExcelFile::GetCommentColumn(Integer, Integer) { AbstractCall(); }
String TExcelFile::GetPictureName(Integer, Integer) { AbstractCall(); }
Integer TExcelFile::GetPicturesCount(Integer) { AbstractCall(); }
Integer TExcelFile::GetRangeCount() { AbstractCall(); }
WideString TExcelFile::GetRangeName(Integer) { AbstractCall(); }
Integer TExcelFile::GetRangeR1(Integer) { AbstractCall(); }
Integer TExcelFile::GetRangeR2(Integer) { AbstractCall(); }
Integer TExcelFile::GetRangeC1(Integer) { AbstractCall(); }
Integer TExcelFile::GetRangeC2(Integer) { AbstractCall(); }
void TExcelFile::SetRangeR1(Integer, Integer) { AbstractCall(); }
void TExcelFile::SetRangeR2(Integer, Integer) { AbstractCall(); }
void TExcelFile::SetRangeC1(Integer, Integer) { AbstractCall(); }
void TExcelFile::SetRangeC2(Integer, Integer) { AbstractCall(); }
Integer TExcelFile::GetRangeSheet(Integer) { AbstractCall(); }
Integer TExcelFile::GetActiveSheet() { AbstractCall(); }
void TExcelFile::SetActiveSheet(Integer) { AbstractCall(); }
WideString TExcelFile::GetActiveSheetName() { AbstractCall(); }
void TExcelFile::SetActiveSheetName(const WideString&) { AbstractCall(); }
WideString TExcelFile::GetActiveSheetCodeName() { AbstractCall(); }
void TExcelFile::SetActiveSheetCodeName(const WideString&) { AbstractCall(); }
TXlsSheetVisible TExcelFile::GetActiveSheetVisible() { AbstractCall(); }
void TExcelFile::SetActiveSheetVisible(TXlsSheetVisible) { AbstractCall(); }
Integer TExcelFile::GetColumnWidth(Integer) { AbstractCall(); }
Integer TExcelFile::GetColumnWidthHiddenIsZero(Integer) { AbstractCall(); }
Integer TExcelFile::GetRowHeight(Integer) { AbstractCall(); }
Integer TExcelFile::GetRowHeightHiddenIsZero(Integer) { AbstractCall(); }
void TExcelFile::SetColumnWidth(Integer, Integer) { AbstractCall(); }
void TExcelFile::SetRowHeight(Integer, Integer) { AbstractCall(); }
bool TExcelFile::GetRowHidden(Integer) { AbstractCall(); }
bool TExcelFile::GetColumnHidden(Integer) { AbstractCall(); }
void TExcelFile::SetRowHidden(Integer, bool) { AbstractCall(); }
void TExcelFile::SetColumnHidden(Integer, bool) { AbstractCall(); }
Integer TExcelFile::GetDefaultColWidth() { AbstractCall(); }
Integer TExcelFile::GetDefaultRowHeight() { AbstractCall(); }
bool TExcelFile::GetAutoRowHeight(Integer) { AbstractCall(); }
void TExcelFile::SetAutoRowHeight(Integer, bool) { AbstractCall(); }
Integer TExcelFile::GetColumnFormat(Integer) { AbstractCall(); }
Integer TExcelFile::GetRowFormat(Integer) { AbstractCall(); }
void TExcelFile::SetColumnFormat(Integer, Integer) { AbstractCall(); }
void TExcelFile::SetRowFormat(Integer, Integer) { AbstractCall(); }
Integer TExcelFile::GetCellFormat(Integer, Integer) { AbstractCall(); }
void TExcelFile::SetCellFormat(Integer, Integer, Integer) { AbstractCall(); }
Cardinal TExcelFile::GetColorPalette(Integer) { AbstractCall(); }
void TExcelFile::SetColorPalette(Integer, Cardinal) { AbstractCall(); }
TWbkFont TExcelFile::GetFontList(Integer) { AbstractCall(); }
void TExcelFile::SetFontList(Integer, const TWbkFont&) { AbstractCall(); }
TWbkFormat TExcelFile::GetFormatList(Integer) { AbstractCall(); }
void TExcelFile::SetFormatList(Integer, const TWbkFormat&) { AbstractCall(); }
WideString TExcelFile::GetPageFooter() { AbstractCall(); }
WideString TExcelFile::GetPageHeader() { AbstractCall(); }
void TExcelFile::SetPageFooter(const WideString&) { AbstractCall(); }
void TExcelFile::SetPageHeader(const WideString&) { AbstractCall(); }
bool TExcelFile::GetShowGridLines() { AbstractCall(); }
void TExcelFile::SetShowGridLines(bool) { AbstractCall(); }
bool TExcelFile::GetShowGridHeaders() { AbstractCall(); }
void TExcelFile::SetShowGridHeaders(bool) { AbstractCall(); }
bool TExcelFile::GetPrintGridLines() { AbstractCall(); }
void TExcelFile::SetPrintGridLines(bool) { AbstractCall(); }
Integer TExcelFile::GetSheetZoom() { AbstractCall(); }
void TExcelFile::SetSheetZoom(Integer) { AbstractCall(); }
TXlsMargins TExcelFile::GetMargins() { AbstractCall(); }
void TExcelFile::SetMargins(const TXlsMargins&) { AbstractCall(); }
Word TExcelFile::GetPrintNumberOfHorizontalPages() { AbstractCall(); }
Word TExcelFile::GetPrintNumberOfVerticalPages() { AbstractCall(); }
Integer TExcelFile::GetPrintScale() { AbstractCall(); }
Byte TExcelFile::GetPrintOptions() { AbstractCall(); }
bool TExcelFile::GetPrintToFit() { AbstractCall(); }
void TExcelFile::SetPrintNumberOfHorizontalPages(Word) { AbstractCall(); }
void TExcelFile::SetPrintNumberOfVerticalPages(Word) { AbstractCall(); }
void TExcelFile::SetPrintScale(Integer) { AbstractCall(); }
void TExcelFile::SetPrintOptions(Byte) { AbstractCall(); }
void TExcelFile::SetPrintToFit(bool) { AbstractCall(); }
bool TExcelFile::GetPrintHCentered() { AbstractCall(); }
bool TExcelFile::GetPrintVCentered() { AbstractCall(); }
void TExcelFile::SetPrintHCentered(bool) { AbstractCall(); }
void TExcelFile::SetPrintVCentered(bool) { AbstractCall(); }
Integer TExcelFile::GetPrintCopies() { AbstractCall(); }
TPrinterDriverSettings TExcelFile::GetPrinterDriverSettings() { AbstractCall(); }
Integer TExcelFile::GetPrintPaperSize() { AbstractCall(); }
Integer TExcelFile::GetPrintXResolution() { AbstractCall(); }
Integer TExcelFile::GetPrintYResolution() { AbstractCall(); }
void TExcelFile::SetPrintCopies(Integer) { AbstractCall(); }
void TExcelFile::SetPrinterDriverSettings(const TPrinterDriverSettings&) { AbstractCall(); }
void TExcelFile::SetPrintPaperSize(Integer) { AbstractCall(); }
void TExcelFile::SetPrintXResolution(Integer) { AbstractCall(); }
void TExcelFile::SetPrintYResolution(Integer) { AbstractCall(); }
bool TExcelFile::GetInvalidateFormulas() { AbstractCall(); }
void TExcelFile::SetInvalidateFormulas(bool) { AbstractCall(); }
bool TExcelFile::GetIsXltTemplate() { AbstractCall(); }
void TExcelFile::SetIsXltTemplate(bool) { AbstractCall(); }
TXlsCellRange TExcelFile::GetCellMergedBounds(Integer, Integer) { AbstractCall(); }
TXlsCellRange TExcelFile::GetCellMergedList(Integer) { AbstractCall(); }
bool TExcelFile::GetOptions1904Dates() { AbstractCall(); }
bool TExcelFile::GetOptionsR1C1() { AbstractCall(); }
bool TExcelFile::GetOptionsSaveExternalLinkValues() { AbstractCall(); }
void TExcelFile::SetOptions1904Dates(bool) { AbstractCall(); }
void TExcelFile::SetOptionsR1C1(bool) { AbstractCall(); }
void TExcelFile::SetOptionsSaveExternalLinkValues(bool) { AbstractCall(); }
bool TExcelFile::GetOptionsPrecisionAsDisplayed() { AbstractCall(); }
void TExcelFile::SetOptionsPrecisionAsDisplayed(bool) { AbstractCall(); }
bool TExcelFile::GetOutlineSummaryColsRightOfDetail() { AbstractCall(); }
bool TExcelFile::GetOutlineSummaryRowsBelowDetail() { AbstractCall(); }
bool TExcelFile::GetOutlineAutomaticStyles() { AbstractCall(); }
void TExcelFile::SetOutlineSummaryColsRightOfDetail(bool) { AbstractCall(); }
void TExcelFile::SetOutlineSummaryRowsBelowDetail(bool) { AbstractCall(); }
void TExcelFile::SetOutlineAutomaticStyles(bool) { AbstractCall(); }
void TExcelFile::Connect() { AbstractCall(); }
void TExcelFile::Disconnect() { AbstractCall(); }
void TExcelFile::OpenFile(const String&) { AbstractCall(); }
void TExcelFile::OpenFileAndSearch(const String&) { AbstractCall(); }
void TExcelFile::NewFile(Integer) { AbstractCall(); }
void TExcelFile::LoadFromStream(TStream*) { AbstractCall(); }
void TExcelFile::CloseFile() { AbstractCall(); }
void TExcelFile::InsertAndCopySheets(Integer, Integer, Integer) { AbstractCall(); }
void TExcelFile::ClearSheet() { AbstractCall(); }
void TExcelFile::DeleteSheet(Integer) { AbstractCall(); }
Integer TExcelFile::SheetCount() { AbstractCall(); }
void TExcelFile::SelectSheet(Integer) { AbstractCall(); }
void TExcelFile::DeleteMarkedRows(const WideString&) { AbstractCall(); }
void TExcelFile::MakePageBreaks(const WideString&) { AbstractCall(); }
void TExcelFile::InsertHPageBreak(Integer) { AbstractCall(); }
void TExcelFile::InsertVPageBreak(Integer) { AbstractCall(); }
void TExcelFile::DeleteHPageBreak(Integer) { AbstractCall(); }
void TExcelFile::DeleteVPageBreak(Integer) { AbstractCall(); }
bool TExcelFile::HasHPageBreak(Integer) { AbstractCall(); }
bool TExcelFile::HasVPageBreak(Integer) { AbstractCall(); }
void TExcelFile::RefreshPivotTables() { AbstractCall(); }
void TExcelFile::RefreshChartRanges(const String&) { AbstractCall(); }
void TExcelFile::Save(bool, const String&, TOnGetFileNameEvent, TOnGetOutStreamEvent, TStream*) { AbstractCall(); }
void TExcelFile::InsertAndCopyRows(Integer, Integer, Integer, Integer, bool) { AbstractCall(); }
void TExcelFile::InsertAndCopyCols(Integer, Integer, Integer, Integer, bool) { AbstractCall(); }
void TExcelFile::DeleteRows(Integer, Integer) { AbstractCall(); }
void TExcelFile::DeleteCols(Integer, Integer) { AbstractCall(); }
void TExcelFile::BeginSheet() { AbstractCall(); }
void TExcelFile::EndSheet(Integer) { AbstractCall(); }
bool TExcelFile::CanOptimizeRead() { AbstractCall(); }
void TExcelFile::AddRange(TXlsNamedRange&) { AbstractCall(); }
void TExcelFile::AssignPicture(Integer, Integer, const ByteArray&, TXlsImgTypes) { AbstractCall(); }
void TExcelFile::AssignPicture(Integer, Integer, const ByteArray&, TXlsImgTypes, const TImageProperties&, TWbkAnchorType) { AbstractCall(); }
void TExcelFile::AssignPictureProperties(Integer, Integer, const TImageProperties&, TWbkAnchorType) { AbstractCall(); }
void TExcelFile::GetPicture(Integer, Integer, TStream*, TXlsImgTypes&, TClientAnchor&) { AbstractCall(); }
void TExcelFile::DeleteImage(Integer) { AbstractCall(); }
void TExcelFile::ClearImage(Integer) { AbstractCall(); }
void TExcelFile::AddImage(const ByteArray&, TXlsImgTypes, const TImageProperties&, TWbkAnchorType) { AbstractCall(); }
void TExcelFile::AssignComment(Integer, Integer, const WideString&) { AbstractCall(); }
void TExcelFile::SetCellComment(Integer, Integer, const WideString&, const TImageProperties&) { AbstractCall(); }
WideString TExcelFile::GetCellComment(Integer, Integer) { AbstractCall(); }
Integer TExcelFile::CellCount(Integer) { AbstractCall(); }
Variant TExcelFile::GetCellData(Integer, Integer) { AbstractCall(); }
TXlsCellValue TExcelFile::GetCellDataX(Integer, Integer) { AbstractCall(); }
void TExcelFile::GetCellDataX2(Integer, Integer, TXlsCellValue&, TRTFRunList&) { AbstractCall(); }
void TExcelFile::AssignCellData(Integer, Integer, const Variant&) { AbstractCall(); }
void TExcelFile::AssignCellDataX(Integer, Integer, const TXlsCellValue&) { AbstractCall(); }
void TExcelFile::AssignCellDataX2(Integer, Integer, const TXlsCellValue&, const TRTFRunList&) { AbstractCall(); }
void TExcelFile::GetCellValueX2(Integer, Integer, TXlsCellValue&, TRTFRunList&) { AbstractCall(); }
void TExcelFile::AssignCellValueX2(Integer, Integer, const TXlsCellValue&, const TRTFRunList&) { AbstractCall(); }
void TExcelFile::SetCellString(Integer, Integer, const WideString&, const String&, const String&) { AbstractCall(); }
void TExcelFile::SetCellString(Integer, Integer, const WideString&, const TWbkFormat&, const String&, const String&) { AbstractCall(); }
Integer TExcelFile::MaxRow() { AbstractCall(); }
Integer TExcelFile::MaxCol() { AbstractCall(); }
bool TExcelFile::IsEmptyRow(Integer) { AbstractCall(); }
void TExcelFile::SetCellFormulaX(Integer, Integer, const WideString&, const Variant&) { AbstractCall(); }
Integer TExcelFile::ColByIndex(Integer, Integer) { AbstractCall(); }
Integer TExcelFile::ColIndexCount(Integer) { AbstractCall(); }
Integer TExcelFile::ColIndex(Integer, Integer) { AbstractCall(); }
void TExcelFile::SetBounds(Integer) { AbstractCall(); }
Integer TExcelFile::GetFirstColumn() { AbstractCall(); }
void TExcelFile::PrepareBlockData(Integer, Integer, Integer, Integer) { AbstractCall(); }
void TExcelFile::AssignBlockData(Integer, Integer, const Variant&) { AbstractCall(); }
void TExcelFile::PasteBlockData() { AbstractCall(); }
bool TExcelFile::IsWorksheet(Integer) { AbstractCall(); }
BooleanArray TExcelFile::GetUsedPaletteColors() { AbstractCall(); }
Integer TExcelFile::FontListCount() { AbstractCall(); }
Integer TExcelFile::FormatListCount() { AbstractCall(); }
Integer TExcelFile::AddFormat(const TWbkFormat&) { AbstractCall(); }
Integer TExcelFile::AddFont(const TWbkFont&) { AbstractCall(); }
void TExcelFile::MergeCells(Integer, Integer, Integer, Integer) { AbstractCall(); }
void TExcelFile::UnMergeCells(Integer, Integer, Integer, Integer) { AbstractCall(); }
Integer TExcelFile::CellMergedListCount() { AbstractCall(); }
void TExcelFile::CopyToClipboard() { AbstractCall(); }
void TExcelFile::CopyToClipboard(const TXlsCellRange&) { AbstractCall(); }
void TExcelFile::PasteFromClipboard(Integer, Integer) { AbstractCall(); }
void TExcelFile::ParseComments() { AbstractCall(); }
Integer TExcelFile::HyperLinkCount() { AbstractCall(); }
THyperLink TExcelFile::GetHyperLink(Integer) { AbstractCall(); }
void TExcelFile::SetHyperLink(Integer, const THyperLink&) { AbstractCall(); }
TXlsCellRange TExcelFile::GetHyperLinkCellRange(Integer) { AbstractCall(); }
void TExcelFile::SetHyperLinkCellRange(Integer, const TXlsCellRange&) { AbstractCall(); }
void TExcelFile::AddHyperLink(const TXlsCellRange&, const THyperLink&) { AbstractCall(); }
void TExcelFile::DeleteHyperLink(Integer) { AbstractCall(); }
Integer TExcelFile::GetRowOutlineLevel(Integer) { AbstractCall(); }
void TExcelFile::SetRowOutlineLevel(Integer, Integer, Integer) { AbstractCall(); }
Integer TExcelFile::GetColOutlineLevel(Integer) { AbstractCall(); }
void TExcelFile::SetColOutlineLevel(Integer, Integer, Integer) { AbstractCall(); }
void TExcelFile::FreezePanes(Integer, Integer) { AbstractCall(); }
void TExcelFile::GetFrozenPanes(Integer&, Integer&) { AbstractCall(); }
void TExcelFile::SplitWindow(Integer, Integer) { AbstractCall(); }
void TExcelFile::GetSplitWindow(Integer&, Integer&) { AbstractCall(); }
void TExcelFile::AutofitRow(Integer, Integer, bool, bool, Extended) { AbstractCall(); }
void TExcelFile::AutofitCol(Integer, Integer, bool, Extended) { AbstractCall(); }
void TExcelFile::AutofitRowsOnWorkbook(bool, bool, Extended) { AbstractCall(); }
void TExcelFile::SetAutoFilter(Integer, Integer, Integer) { AbstractCall(); }
void TExcelFile::RemoveAutoFilter() { AbstractCall(); }
bool TExcelFile::HasAutoFilter() { AbstractCall(); }
bool TExcelFile::HasAutoFilter(Integer, Integer) { AbstractCall(); }
TXlsCellRange TExcelFile::GetAutoFilterRange() { AbstractCall(); }

std::unique_ptr<TExcelFile> TExcelAdapter::GetWorkbook() { AbstractCall(); }
