// TXLSFile: the Excel 97-2003 workbook file behind the format-neutral TExcelFile interface.
// It owns one TWorkbook and the bytes of every other stream of the compound file the workbook
// came from, so a save rewrites only the "Workbook" stream. Numbers of the interface (sheets,
// rows, columns) count from 1 and address the active sheet; the model counts from 0.
//
// The operations are split by concern:
//   vavUXlsFileOpenSave.cpp  life cycle, opening, new files from the template, saving
//   vavUXlsFileCells.cpp     cell values, formulas, formats, fonts and palette
//   vavUXlsFileTypedText.cpp the typed text conversion of SetCellString
//   vavUXlsFileSheets.cpp    sheets, row and column sizes, outline, merged cells
//   vavUXlsFileComments.cpp  cell comments
//   vavUXlsFileOther.cpp     pictures, names, hyperlinks, page setup, view, options
#pragma once

#include <map>
#include <memory>
#include <set>

#include "xls/vavUExcelAdapter.h"
#include "xls/vavUExcelRecords.h"
#include "xls/vavUWbkRowComments.h"

class TBiffAdapter;

// Supplies file bytes by name instead of the disk (no concrete store is part of the engine).
class TXlsBaseTemplateStore : public TComponent {
 public:
  explicit TXlsBaseTemplateStore(TComponent* AOwner) : TComponent(AOwner) {}
  virtual void StoredFileBytes(const String& FileName, ByteArray& Bytes) = 0;
  virtual bool IsUpToDate() = 0;
  virtual void Refresh() = 0;
};

// The file formats a save may write; only snXLS writes anything, the text formats are hooks.
enum class TExcelSaveFormatNative { snXLS, snCSVComma, snCSVSemiColon, snTabDelimited };

class TXLSFile : public TExcelFile {
 public:
  TXLSFile(TBiffAdapter* aAdapter, bool aAllowOverwritingFiles);
  explicit TXLSFile(TBiffAdapter* aAdapter) : TXLSFile(aAdapter, false) {}
  ~TXLSFile() override;
  TXLSFile(const TXLSFile&) = delete;
  TXLSFile& operator=(const TXLSFile&) = delete;

  // The name of the template resource new workbooks are made from.
  static constexpr const char* TemplateResourceName = "ROVADORIVIZAVORE";

  TWorkbook* GetTWorkbook() const { return FWorkbook.get(); }
  void OpenFileAndOrSearch(const String& FileName, bool Search);

  bool AllowOverwritingFiles = false;
  bool IsFileModified = false;

  // ---- Life cycle (vavUXlsFileOpenSave.cpp) ----
  void Connect() override;
  void Disconnect() override;
  void OpenFile(const String& FileName) override;
  void OpenFileAndSearch(const String& FileName) override;
  void NewFile(Integer SheetCount) override;
  void LoadFromStream(TStream* Stream) override;
  void CloseFile() override;
  void Save(bool AutoClose, const String& FileName, TOnGetFileNameEvent OnGetFileName,
            TOnGetOutStreamEvent OnGetOutStream, TStream* DataStream) override;
  bool GetInvalidateFormulas() override { return IsFileModified; }
  void SetInvalidateFormulas(bool Value) override { IsFileModified = Value; }

  // ---- Cells (vavUXlsFileCells.cpp) ----
  Variant GetCellValue(Integer Row, Integer Col) override;
  void SetCellValue(Integer Row, Integer Col, const Variant& Value) override;
  TXlsCellValue GetCellValueX(Integer Row, Integer Col) override;
  void SetCellValueX(Integer Row, Integer Col, const TXlsCellValue& Value) override;
  WideString GetCellFormula(Integer Row, Integer Col) override;
  void SetCellFormula(Integer Row, Integer Col, const WideString& Value) override;
  Integer CellCount(Integer aRow) override;
  Variant GetCellData(Integer aRow, Integer aColOffset) override;
  TXlsCellValue GetCellDataX(Integer aRow, Integer aColOffset) override;
  void GetCellDataX2(Integer aRow, Integer aColOffset, TXlsCellValue& v, TRTFRunList& RTFRuns) override;
  void AssignCellData(Integer aRow, Integer aColOffset, const Variant& Value) override;
  void AssignCellDataX(Integer aRow, Integer aColOffset, const TXlsCellValue& Value) override;
  void AssignCellDataX2(Integer aRow, Integer aColOffset, const TXlsCellValue& Value,
                        const TRTFRunList& RTFRuns) override;
  void GetCellValueX2(Integer aRow, Integer aCol, TXlsCellValue& v, TRTFRunList& RTFRuns) override;
  void AssignCellValueX2(Integer aRow, Integer aCol, const TXlsCellValue& Value, const TRTFRunList& RTFRuns) override;
  void SetCellString(Integer aRow, Integer aCol, const WideString& Text, const String& DateFormat,
                     const String& TimeFormat) override;
  void SetCellString(Integer aRow, Integer aCol, const WideString& Text, const TWbkFormat& Fm,
                     const String& DateFormat, const String& TimeFormat) override;
  Integer MaxRow() override;
  Integer MaxCol() override;
  bool IsEmptyRow(Integer aRow) override;
  void SetCellFormulaX(Integer aRow, Integer aCol, const WideString& Formula, const Variant& Value) override;
  Integer ColByIndex(Integer Row, Integer ColIndex) override;
  Integer ColIndexCount(Integer Row) override;
  Integer ColIndex(Integer Row, Integer Col) override;
  void SetBounds(Integer aRangePos) override;
  Integer GetFirstColumn() override { return FirstColumn + 1; }
  void PrepareBlockData(Integer, Integer, Integer, Integer) override {}
  void AssignBlockData(Integer Row, Integer Col, const Variant& v) override { AssignCellData(Row, Col, v); }
  void PasteBlockData() override {}
  bool CanOptimizeRead() override { return true; }

  // ---- Formats, fonts and palette (vavUXlsFileCells.cpp) ----
  Integer GetCellFormat(Integer Row, Integer Col) override;
  void SetCellFormat(Integer Row, Integer Col, Integer Value) override;
  Integer GetColumnFormat(Integer Col) override;
  Integer GetRowFormat(Integer Row) override;
  void SetColumnFormat(Integer Col, Integer Value) override;
  void SetRowFormat(Integer Row, Integer Value) override;
  Cardinal GetColorPalette(Integer Index) override;
  void SetColorPalette(Integer Index, Cardinal Value) override;
  TWbkFont GetFontList(Integer Index) override;
  void SetFontList(Integer Index, const TWbkFont& Value) override;
  TWbkFormat GetFormatList(Integer Index) override;
  void SetFormatList(Integer Index, const TWbkFormat& Value) override;
  BooleanArray GetUsedPaletteColors() override;
  Integer FontListCount() override;
  Integer FormatListCount() override;
  Integer AddFormat(const TWbkFormat& Fmt) override;
  Integer AddFont(const TWbkFont& Fmt) override;

  // ---- Sheets (vavUXlsFileSheets.cpp) ----
  Integer GetActiveSheet() override { return FActiveSheet; }
  void SetActiveSheet(Integer Value) override { FActiveSheet = Value; }
  WideString GetActiveSheetName() override;
  void SetActiveSheetName(const WideString& Value) override;
  WideString GetActiveSheetCodeName() override;
  void SetActiveSheetCodeName(const WideString& Value) override;
  TXlsSheetVisible GetActiveSheetVisible() override;
  void SetActiveSheetVisible(TXlsSheetVisible Value) override;
  Integer SheetCount() override;
  bool IsWorksheet(Integer index) override;
  void SelectSheet(Integer SheetNo) override;
  void InsertAndCopySheets(Integer CopyFrom, Integer InsertBefore, Integer SheetCount) override;
  void DeleteSheet(Integer aSheetCount) override;
  void ClearSheet() override;

  // ---- Rows and columns (vavUXlsFileSheets.cpp) ----
  Integer GetColumnWidth(Integer Col) override;
  Integer GetColumnWidthHiddenIsZero(Integer Col) override;
  Integer GetRowHeight(Integer Row) override;
  Integer GetRowHeightHiddenIsZero(Integer Row) override;
  void SetColumnWidth(Integer Col, Integer Value) override;
  void SetRowHeight(Integer Row, Integer Value) override;
  bool GetRowHidden(Integer Row) override;
  bool GetColumnHidden(Integer Col) override;
  void SetRowHidden(Integer Row, bool Value) override;
  void SetColumnHidden(Integer Col, bool Value) override;
  Integer GetDefaultColWidth() override;
  Integer GetDefaultRowHeight() override;
  bool GetAutoRowHeight(Integer Row) override;
  void SetAutoRowHeight(Integer Row, bool Value) override;
  void InsertAndCopyRows(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aCount, bool OnlyFormulas) override;
  void InsertAndCopyCols(Integer FirstCol, Integer LastCol, Integer DestCol, Integer aCount, bool OnlyFormulas) override;
  void DeleteRows(Integer aRow, Integer aCount) override;
  void DeleteCols(Integer aCol, Integer aCount) override;
  void DeleteMarkedRows(const WideString& Mark) override;
  void MakePageBreaks(const WideString& Mark) override;
  Integer GetRowOutlineLevel(Integer aRow) override;
  void SetRowOutlineLevel(Integer FirstRow, Integer LastRow, Integer Value) override;
  Integer GetColOutlineLevel(Integer aCol) override;
  void SetColOutlineLevel(Integer FirstCol, Integer LastCol, Integer Level) override;
  void MergeCells(Integer FirstRow, Integer FirstCol, Integer LastRow, Integer LastCol) override;
  void UnMergeCells(Integer FirstRow, Integer FirstCol, Integer LastRow, Integer LastCol) override;
  TXlsCellRange GetCellMergedBounds(Integer Row, Integer Col) override;
  TXlsCellRange GetCellMergedList(Integer Index) override;
  Integer CellMergedListCount() override;
  void AutofitRow(Integer row1, Integer row2, bool AutofitNotAutofittingRows, bool keepHeightAutomatic,
                  Extended adjustment) override;
  void AutofitCol(Integer Col1, Integer Col2, bool IgnoreStrings, Extended Adjustment) override;
  void AutofitRowsOnWorkbook(bool AutofitNotAutofittingRows, bool KeepSizesAutomatic, Extended Adjustment) override;

  // ---- Pictures and comments (vavUXlsFileOther.cpp) ----
  void BeginSheet() override;
  void EndSheet(Integer) override {}
  Integer GetPicturesCount(Integer Row) override;
  String GetPictureName(Integer Row, Integer Index) override;
  void GetPicture(Integer Row, Integer aPos, TStream* Pic, TXlsImgTypes& PicType, TClientAnchor& Anchor) override;
  void AssignPicture(Integer Row, Integer aPos, const ByteArray& Pic, TXlsImgTypes PicType) override;
  void AssignPicture(Integer Row, Integer aPos, const ByteArray& Pic, TXlsImgTypes PicType,
                     const TImageProperties& Props, TWbkAnchorType Anchor) override;
  void AssignPictureProperties(Integer Row, Integer aPos, const TImageProperties& Props,
                               TWbkAnchorType Anchor) override;
  void AddImage(const ByteArray& Data, TXlsImgTypes DataType, const TImageProperties& Properties,
                TWbkAnchorType Anchor) override;
  void DeleteImage(Integer Index) override;
  void ClearImage(Integer Index) override;
  Integer GetCommentsCount(Integer Row) override;
  WideString GetCommentText(Integer Row, Integer Index) override;
  Integer GetCommentColumn(Integer Row, Integer Index) override;
  void AssignComment(Integer Row, Integer aPos, const WideString& Comment) override;
  WideString GetCellComment(Integer Row, Integer Col) override;
  void SetCellComment(Integer Row, Integer Col, const WideString& Value, const TImageProperties& Properties) override;
  void ParseComments() override {}

  // ---- Defined names and hyperlinks (vavUXlsFileOther.cpp) ----
  Integer GetRangeCount() override;
  WideString GetRangeName(Integer Index) override;
  Integer GetRangeR1(Integer Index) override;
  Integer GetRangeR2(Integer Index) override;
  Integer GetRangeC1(Integer Index) override;
  Integer GetRangeC2(Integer Index) override;
  void SetRangeR1(Integer Index, Integer Value) override;
  void SetRangeR2(Integer Index, Integer Value) override;
  void SetRangeC1(Integer Index, Integer Value) override;
  void SetRangeC2(Integer Index, Integer Value) override;
  Integer GetRangeSheet(Integer Index) override;
  void AddRange(TXlsNamedRange& NamedRange) override;
  Integer HyperLinkCount() override;
  THyperLink GetHyperLink(Integer HyperLinkIndex) override;
  void SetHyperLink(Integer HyperLinkIndex, const THyperLink& value) override;
  TXlsCellRange GetHyperLinkCellRange(Integer HyperLinkIndex) override;
  void SetHyperLinkCellRange(Integer HyperLinkIndex, const TXlsCellRange& CellRange) override;
  void AddHyperLink(const TXlsCellRange& CellRange, const THyperLink& value) override;
  void DeleteHyperLink(Integer HyperLinkIndex) override;

  // ---- Page breaks and the automatic filter (vavUXlsFileOther.cpp) ----
  void InsertHPageBreak(Integer Row) override;
  void InsertVPageBreak(Integer Col) override;
  void DeleteHPageBreak(Integer Row) override;
  void DeleteVPageBreak(Integer Col) override;
  bool HasHPageBreak(Integer Row) override;
  bool HasVPageBreak(Integer Col) override;
  void SetAutoFilter(Integer row, Integer col1, Integer col2) override;
  void RemoveAutoFilter() override;
  bool HasAutoFilter() override;
  bool HasAutoFilter(Integer row, Integer col) override;
  TXlsCellRange GetAutoFilterRange() override;

  // ---- Page setup and view (vavUXlsFileOther.cpp) ----
  WideString GetPageFooter() override;
  WideString GetPageHeader() override;
  void SetPageFooter(const WideString& Value) override;
  void SetPageHeader(const WideString& Value) override;
  TXlsMargins GetMargins() override;
  void SetMargins(const TXlsMargins& Value) override;
  Integer GetSheetZoom() override;
  void SetSheetZoom(Integer Value) override;
  void FreezePanes(Integer Row, Integer Col) override;
  void GetFrozenPanes(Integer& Row, Integer& Col) override;
  void SplitWindow(Integer xOffset, Integer yOffset) override;
  void GetSplitWindow(Integer& xOffset, Integer& yOffset) override;
  bool GetShowGridLines() override;
  void SetShowGridLines(bool Value) override;
  bool GetShowGridHeaders() override;
  void SetShowGridHeaders(bool Value) override;
  bool GetPrintGridLines() override;
  void SetPrintGridLines(bool Value) override;
  Word GetPrintNumberOfHorizontalPages() override;
  Word GetPrintNumberOfVerticalPages() override;
  Integer GetPrintScale() override;
  Byte GetPrintOptions() override;
  bool GetPrintToFit() override;
  void SetPrintNumberOfHorizontalPages(Word Value) override;
  void SetPrintNumberOfVerticalPages(Word Value) override;
  void SetPrintScale(Integer Value) override;
  void SetPrintOptions(Byte Value) override;
  void SetPrintToFit(bool Value) override;
  bool GetPrintHCentered() override;
  bool GetPrintVCentered() override;
  void SetPrintHCentered(bool Value) override;
  void SetPrintVCentered(bool Value) override;
  Integer GetPrintCopies() override;
  TPrinterDriverSettings GetPrinterDriverSettings() override;
  Integer GetPrintPaperSize() override;
  Integer GetPrintXResolution() override;
  Integer GetPrintYResolution() override;
  void SetPrintCopies(Integer Value) override;
  void SetPrinterDriverSettings(const TPrinterDriverSettings& Value) override;
  void SetPrintPaperSize(Integer Value) override;
  void SetPrintXResolution(Integer Value) override;
  void SetPrintYResolution(Integer Value) override;
  bool GetOutlineSummaryColsRightOfDetail() override;
  bool GetOutlineSummaryRowsBelowDetail() override;
  bool GetOutlineAutomaticStyles() override;
  void SetOutlineSummaryColsRightOfDetail(bool Value) override;
  void SetOutlineSummaryRowsBelowDetail(bool Value) override;
  void SetOutlineAutomaticStyles(bool Value) override;

  // ---- Workbook options and the clipboard (vavUXlsFileOther.cpp) ----
  bool GetIsXltTemplate() override;
  void SetIsXltTemplate(bool Value) override;
  bool GetOptions1904Dates() override;
  bool GetOptionsR1C1() override;
  bool GetOptionsSaveExternalLinkValues() override;
  void SetOptions1904Dates(bool Value) override;
  void SetOptionsR1C1(bool Value) override;
  void SetOptionsSaveExternalLinkValues(bool Value) override;
  bool GetOptionsPrecisionAsDisplayed() override;
  void SetOptionsPrecisionAsDisplayed(bool Value) override;
  void RefreshPivotTables() override {}
  void RefreshChartRanges(const String&) override {}
  void CopyToClipboard() override;
  void CopyToClipboard(const TXlsCellRange&) override {}
  void CopyToClipboardFormat(const TXlsCellRange&, String& textString, TStream*) { textString.clear(); }
  void PasteFromClipboard(Integer Row, Integer Col) override;
  void PasteFromXlsClipboardFormat(Integer Row, Integer Col, TStream* Stream);
  void PasteFromTextClipboardFormat(Integer, Integer, const String&) {}

 private:
  // The workbook model; raises "There is no open file" before Connect.
  TWorkbook& Workbook() const;
  // The active sheet as a worksheet, or none when it is of another kind.
  TWorkSheet* ActiveWorkSheet() const;
  // The active worksheet's link; an index outside 1..count raises the index message.
  THLinkRecord& HyperLinkAt(Integer HyperLinkIndex);
  static void CheckLinkRange(const TXlsCellRange& Range);
  TSheet& ActiveSheetRef() const;
  TCellList* ActiveCells() const;
  bool Dates1904() const;
  void LoadFromCompoundBytes(const std::string& Bytes, const String& FileName);
  void WriteXls(std::ostream& Out);
  void StoreTypedText(Integer aRow, Integer aCol, const WideString& Text, const TWbkFormat* Fm,
                      const String& DateFormat, const String& TimeFormat);

  TBiffAdapter* FAdapter = nullptr;
  Integer FActiveSheet = 0;
  std::unique_ptr<TWorkbook> FWorkbook;
  std::string FOtherStreams;
  Integer FirstColumn = 0;
  Integer LastColumn = 0;
  // The picture of the active worksheet at (Row, aPos): the sheet-wide position for a Row of 0
  // or less, else the aPos-th picture of the row.
  Integer PictureIndex(Integer Row, Integer aPos);
  // Pictures by 1-based row, in the order BeginSheet found them.
  std::unique_ptr<TRowComments> RowPictures;
};

// The adapter that hands out XLS file objects.
class TBiffAdapter : public TExcelAdapter {
 public:
  explicit TBiffAdapter(TComponent* AOwner) : TExcelAdapter(AOwner) {}
  std::set<TExcelSaveFormatNative> SaveFormat{TExcelSaveFormatNative::snXLS};
  TXlsBaseTemplateStore* TemplateStore = nullptr;
  bool AllowOverwritingFiles = false;
  std::unique_ptr<TExcelFile> GetWorkbook() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
};
