// TExcelFile: the format-neutral interface through which a client reads and changes a workbook
// file: open, create, save, cells, formats, sheets, sizes, pictures, comments, names,
// hyperlinks, outline, page setup and view settings. Sheets, rows and columns are numbered
// from 1 and address the active sheet. TXLSFile implements it for Excel 97-2003 files.
//
// Calling order: Connect; then OpenFile, OpenFileAndSearch, LoadFromStream or NewFile; any mix
// of the other operations; Save as often as needed; CloseFile; Disconnect.
//
// Every operation is virtual and, here, fails with the abstract-call error: a file object that
// does not implement an operation says so instead of doing something else.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/Streams.h"
#include "classlib/Types.h"
#include "classlib/Variants.h"
#include "xls/vavUBiffBaseRecordLists.h"
#include "xls/vavUBiffOptionRecords.h"
#include "xls/vavUWbkFormats.h"
#include "xls/vavUWbkMessages.h"

// ---------------------------------------------------------------------------------------------
// Types the interface passes.

using ByteArray = std::vector<Byte>;
using BooleanArray = std::vector<bool>;

enum class TXlsImgTypes { xli_Emf, xli_Wmf, xli_Jpeg, xli_Png, xli_Bmp, xli_Unknown };
enum class TWbkAnchorType { at_MoveAndResize, at_MoveAndDontResize, at_DontMoveAndDontResize };
enum class THyperLinkType { hl_URL, hl_LocalFile, hl_UNC, hl_CurrentWorkbook };

struct THyperLink {
  THyperLinkType LinkType = THyperLinkType::hl_URL;
  WideString Description;
  WideString TargetFrame;
  WideString TextMark;
  WideString Text;
  WideString Hint;
};

// Placement of a picture or comment box: 1-based corner cells; dx in 1/1024 of the column's
// width, dy in 1/255 of the row's height.
struct TImageProperties {
  Integer Col1 = 0, dx1 = 0, Row1 = 0, dy1 = 0, Col2 = 0, dx2 = 0, Row2 = 0, dy2 = 0;
  String FileName;
};

// The stored anchor of a drawing; Flag 0 moves and resizes with the cells, 2 moves only,
// 3 neither.
struct TClientAnchor {
  Word Flag = 0, Col1 = 0, Dx1 = 0, Row1 = 0, Dy1 = 0, Col2 = 0, Dx2 = 0, Row2 = 0, Dy2 = 0;
};

// The two callbacks of Save: the file name to write a format to, or a stream to write it into.
using TOnGetFileNameEvent = std::function<void(TObject* Sender, Integer FileFormat, String& Filename)>;
using TOnGetOutStreamEvent = std::function<void(TObject* Sender, Integer FileFormat, TStream*& OutStream)>;

// The class library's error for an operation a class declares but does not implement.
class EAbstractError : public Exception { public: using Exception::Exception; };

// ---------------------------------------------------------------------------------------------

class TExcelFile : public TObject {
 public:
  ~TExcelFile() override = default;

  // ---- Cells ----
  virtual Variant GetCellValue(Integer Row, Integer Col);
  virtual void SetCellValue(Integer Row, Integer Col, const Variant& Value);
  virtual TXlsCellValue GetCellValueX(Integer Row, Integer Col);
  virtual void SetCellValueX(Integer Row, Integer Col, const TXlsCellValue& Value);
  virtual WideString GetCellFormula(Integer Row, Integer Col);
  virtual void SetCellFormula(Integer Row, Integer Col, const WideString& Value);

  // ---- Comments and pictures by row ----
  virtual Integer GetCommentsCount(Integer Row);
  virtual WideString GetCommentText(Integer Row, Integer Index);
  virtual Integer GetCommentColumn(Integer Row, Integer Index);
  virtual String GetPictureName(Integer Row, Integer Index);
  virtual Integer GetPicturesCount(Integer Row);

  // ---- Defined names ----
  virtual Integer GetRangeCount();
  virtual WideString GetRangeName(Integer Index);
  virtual Integer GetRangeR1(Integer Index);
  virtual Integer GetRangeR2(Integer Index);
  virtual Integer GetRangeC1(Integer Index);
  virtual Integer GetRangeC2(Integer Index);
  virtual void SetRangeR1(Integer Index, Integer Value);
  virtual void SetRangeR2(Integer Index, Integer Value);
  virtual void SetRangeC1(Integer Index, Integer Value);
  virtual void SetRangeC2(Integer Index, Integer Value);
  virtual Integer GetRangeSheet(Integer Index);

  // ---- The active sheet ----
  virtual Integer GetActiveSheet();
  virtual void SetActiveSheet(Integer Value);
  virtual WideString GetActiveSheetName();
  virtual void SetActiveSheetName(const WideString& Value);
  virtual WideString GetActiveSheetCodeName();
  virtual void SetActiveSheetCodeName(const WideString& Value);
  virtual TXlsSheetVisible GetActiveSheetVisible();
  virtual void SetActiveSheetVisible(TXlsSheetVisible Value);

  // ---- Sizes (widths in 1/256 of a character, heights in twips) ----
  virtual Integer GetColumnWidth(Integer Col);
  virtual Integer GetColumnWidthHiddenIsZero(Integer Col);
  virtual Integer GetRowHeight(Integer Row);
  virtual Integer GetRowHeightHiddenIsZero(Integer Row);
  virtual void SetColumnWidth(Integer Col, Integer Value);
  virtual void SetRowHeight(Integer Row, Integer Value);
  virtual bool GetRowHidden(Integer Row);
  virtual bool GetColumnHidden(Integer Col);
  virtual void SetRowHidden(Integer Row, bool Value);
  virtual void SetColumnHidden(Integer Col, bool Value);
  virtual Integer GetDefaultColWidth();
  virtual Integer GetDefaultRowHeight();
  virtual bool GetAutoRowHeight(Integer Row);
  virtual void SetAutoRowHeight(Integer Row, bool Value);

  // ---- Formats ----
  virtual Integer GetColumnFormat(Integer Col);
  virtual Integer GetRowFormat(Integer Row);
  virtual void SetColumnFormat(Integer Col, Integer Value);
  virtual void SetRowFormat(Integer Row, Integer Value);
  virtual Integer GetCellFormat(Integer Row, Integer Col);
  virtual void SetCellFormat(Integer Row, Integer Col, Integer Value);
  virtual Cardinal GetColorPalette(Integer Index);
  virtual void SetColorPalette(Integer Index, Cardinal Value);
  virtual TWbkFont GetFontList(Integer Index);
  virtual void SetFontList(Integer Index, const TWbkFont& Value);
  virtual TWbkFormat GetFormatList(Integer Index);
  virtual void SetFormatList(Integer Index, const TWbkFormat& Value);

  // ---- Page setup and view ----
  virtual WideString GetPageFooter();
  virtual WideString GetPageHeader();
  virtual void SetPageFooter(const WideString& Value);
  virtual void SetPageHeader(const WideString& Value);
  virtual bool GetShowGridLines();
  virtual void SetShowGridLines(bool Value);
  virtual bool GetShowGridHeaders();
  virtual void SetShowGridHeaders(bool Value);
  virtual bool GetPrintGridLines();
  virtual void SetPrintGridLines(bool Value);
  virtual Integer GetSheetZoom();
  virtual void SetSheetZoom(Integer Value);
  virtual TXlsMargins GetMargins();
  virtual void SetMargins(const TXlsMargins& Value);
  virtual Word GetPrintNumberOfHorizontalPages();
  virtual Word GetPrintNumberOfVerticalPages();
  virtual Integer GetPrintScale();
  virtual Byte GetPrintOptions();
  virtual bool GetPrintToFit();
  virtual void SetPrintNumberOfHorizontalPages(Word Value);
  virtual void SetPrintNumberOfVerticalPages(Word Value);
  virtual void SetPrintScale(Integer Value);
  virtual void SetPrintOptions(Byte Value);
  virtual void SetPrintToFit(bool Value);
  virtual bool GetPrintHCentered();
  virtual bool GetPrintVCentered();
  virtual void SetPrintHCentered(bool Value);
  virtual void SetPrintVCentered(bool Value);
  virtual Integer GetPrintCopies();
  virtual TPrinterDriverSettings GetPrinterDriverSettings();
  virtual Integer GetPrintPaperSize();
  virtual Integer GetPrintXResolution();
  virtual Integer GetPrintYResolution();
  virtual void SetPrintCopies(Integer Value);
  virtual void SetPrinterDriverSettings(const TPrinterDriverSettings& Value);
  virtual void SetPrintPaperSize(Integer Value);
  virtual void SetPrintXResolution(Integer Value);
  virtual void SetPrintYResolution(Integer Value);

  // ---- Workbook options ----
  virtual bool GetInvalidateFormulas();
  virtual void SetInvalidateFormulas(bool Value);
  virtual bool GetIsXltTemplate();
  virtual void SetIsXltTemplate(bool Value);
  virtual TXlsCellRange GetCellMergedBounds(Integer Row, Integer Col);
  virtual TXlsCellRange GetCellMergedList(Integer Index);
  virtual bool GetOptions1904Dates();
  virtual bool GetOptionsR1C1();
  virtual bool GetOptionsSaveExternalLinkValues();
  virtual void SetOptions1904Dates(bool Value);
  virtual void SetOptionsR1C1(bool Value);
  virtual void SetOptionsSaveExternalLinkValues(bool Value);
  virtual bool GetOptionsPrecisionAsDisplayed();
  virtual void SetOptionsPrecisionAsDisplayed(bool Value);
  virtual bool GetOutlineSummaryColsRightOfDetail();
  virtual bool GetOutlineSummaryRowsBelowDetail();
  virtual bool GetOutlineAutomaticStyles();
  virtual void SetOutlineSummaryColsRightOfDetail(bool Value);
  virtual void SetOutlineSummaryRowsBelowDetail(bool Value);
  virtual void SetOutlineAutomaticStyles(bool Value);

  // ---- Life cycle and sheets ----
  virtual void Connect();
  virtual void Disconnect();
  virtual void OpenFile(const String& FileName);
  virtual void OpenFileAndSearch(const String& FileName);
  virtual void NewFile(Integer SheetCount);
  virtual void LoadFromStream(TStream* Stream);
  virtual void CloseFile();
  virtual void InsertAndCopySheets(Integer CopyFrom, Integer InsertBefore, Integer SheetCount);
  virtual void ClearSheet();
  virtual void DeleteSheet(Integer aSheetCount);
  virtual Integer SheetCount();
  virtual void SelectSheet(Integer SheetNo);
  virtual void DeleteMarkedRows(const WideString& Mark);
  virtual void MakePageBreaks(const WideString& Mark);
  virtual void InsertHPageBreak(Integer Row);
  virtual void InsertVPageBreak(Integer Col);
  virtual void DeleteHPageBreak(Integer Row);
  virtual void DeleteVPageBreak(Integer Col);
  virtual bool HasHPageBreak(Integer Row);
  virtual bool HasVPageBreak(Integer Col);
  virtual void RefreshPivotTables();
  virtual void RefreshChartRanges(const String& VarStr);
  virtual void Save(bool AutoClose, const String& FileName, TOnGetFileNameEvent OnGetFileName,
                    TOnGetOutStreamEvent OnGetOutStream, TStream* DataStream);

  // ---- Rows and columns ----
  virtual void InsertAndCopyRows(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aCount, bool OnlyFormulas);
  virtual void InsertAndCopyCols(Integer FirstCol, Integer LastCol, Integer DestCol, Integer aCount, bool OnlyFormulas);
  virtual void DeleteRows(Integer aRow, Integer aCount);
  virtual void DeleteCols(Integer aCol, Integer aCount);
  virtual void BeginSheet();
  virtual void EndSheet(Integer RowOffset);
  virtual bool CanOptimizeRead();
  virtual void AddRange(TXlsNamedRange& NamedRange);

  // ---- Pictures and comments ----
  virtual void AssignPicture(Integer Row, Integer aPos, const ByteArray& Pic, TXlsImgTypes PicType);
  virtual void AssignPicture(Integer Row, Integer aPos, const ByteArray& Pic, TXlsImgTypes PicType,
                             const TImageProperties& Props, TWbkAnchorType Anchor);
  virtual void AssignPictureProperties(Integer Row, Integer aPos, const TImageProperties& Props, TWbkAnchorType Anchor);
  virtual void GetPicture(Integer Row, Integer aPos, TStream* Pic, TXlsImgTypes& PicType, TClientAnchor& Anchor);
  virtual void DeleteImage(Integer Index);
  virtual void ClearImage(Integer Index);
  virtual void AddImage(const ByteArray& Data, TXlsImgTypes DataType, const TImageProperties& Properties,
                        TWbkAnchorType Anchor);
  virtual void AssignComment(Integer Row, Integer aPos, const WideString& Comment);
  virtual void SetCellComment(Integer Row, Integer Col, const WideString& Value, const TImageProperties& Properties);
  virtual WideString GetCellComment(Integer Row, Integer Col);

  // ---- Cells relative to the column bounds, and by position ----
  virtual Integer CellCount(Integer aRow);
  virtual Variant GetCellData(Integer aRow, Integer aColOffset);
  virtual TXlsCellValue GetCellDataX(Integer aRow, Integer aColOffset);
  virtual void GetCellDataX2(Integer aRow, Integer aColOffset, TXlsCellValue& v, TRTFRunList& RTFRuns);
  virtual void AssignCellData(Integer aRow, Integer aColOffset, const Variant& Value);
  virtual void AssignCellDataX(Integer aRow, Integer aColOffset, const TXlsCellValue& Value);
  virtual void AssignCellDataX2(Integer aRow, Integer aColOffset, const TXlsCellValue& Value, const TRTFRunList& RTFRuns);
  virtual void GetCellValueX2(Integer aRow, Integer aCol, TXlsCellValue& v, TRTFRunList& RTFRuns);
  virtual void AssignCellValueX2(Integer aRow, Integer aCol, const TXlsCellValue& Value, const TRTFRunList& RTFRuns);
  virtual void SetCellString(Integer aRow, Integer aCol, const WideString& Text, const String& DateFormat,
                             const String& TimeFormat);
  virtual void SetCellString(Integer aRow, Integer aCol, const WideString& Text, const TWbkFormat& Fm,
                             const String& DateFormat, const String& TimeFormat);
  virtual Integer MaxRow();
  virtual Integer MaxCol();
  virtual bool IsEmptyRow(Integer aRow);
  virtual void SetCellFormulaX(Integer aRow, Integer aCol, const WideString& Formula, const Variant& Value);
  virtual Integer ColByIndex(Integer Row, Integer ColIndex);
  virtual Integer ColIndexCount(Integer Row);
  virtual Integer ColIndex(Integer Row, Integer Col);
  virtual void SetBounds(Integer aRangePos);
  virtual Integer GetFirstColumn();
  virtual void PrepareBlockData(Integer R1, Integer C1, Integer R2, Integer C2);
  virtual void AssignBlockData(Integer Row, Integer Col, const Variant& v);
  virtual void PasteBlockData();
  virtual bool IsWorksheet(Integer index);

  // ---- Format lists ----
  virtual BooleanArray GetUsedPaletteColors();
  virtual Integer FontListCount();
  virtual Integer FormatListCount();
  virtual Integer AddFormat(const TWbkFormat& Fmt);
  virtual Integer AddFont(const TWbkFont& Fmt);

  // ---- Merged cells and the clipboard ----
  virtual void MergeCells(Integer FirstRow, Integer FirstCol, Integer LastRow, Integer LastCol);
  virtual void UnMergeCells(Integer FirstRow, Integer FirstCol, Integer LastRow, Integer LastCol);
  virtual Integer CellMergedListCount();
  virtual void CopyToClipboard();
  virtual void CopyToClipboard(const TXlsCellRange& Range);
  virtual void PasteFromClipboard(Integer Row, Integer Col);
  virtual void ParseComments();

  // ---- Hyperlinks ----
  virtual Integer HyperLinkCount();
  virtual THyperLink GetHyperLink(Integer HyperLinkIndex);
  virtual void SetHyperLink(Integer HyperLinkIndex, const THyperLink& value);
  virtual TXlsCellRange GetHyperLinkCellRange(Integer HyperLinkIndex);
  virtual void SetHyperLinkCellRange(Integer HyperLinkIndex, const TXlsCellRange& CellRange);
  virtual void AddHyperLink(const TXlsCellRange& CellRange, const THyperLink& value);
  virtual void DeleteHyperLink(Integer HyperLinkIndex);

  // ---- Outline, panes, sizing and filters ----
  virtual Integer GetRowOutlineLevel(Integer aRow);
  virtual void SetRowOutlineLevel(Integer FirstRow, Integer LastRow, Integer Value);
  virtual Integer GetColOutlineLevel(Integer aCol);
  virtual void SetColOutlineLevel(Integer FirstCol, Integer LastCol, Integer Level);
  virtual void FreezePanes(Integer Row, Integer Col);
  virtual void GetFrozenPanes(Integer& Row, Integer& Col);
  virtual void SplitWindow(Integer xOffset, Integer yOffset);
  virtual void GetSplitWindow(Integer& xOffset, Integer& yOffset);
  virtual void AutofitRow(Integer row1, Integer row2, bool AutofitNotAutofittingRows, bool keepHeightAutomatic,
                          Extended adjustment);
  virtual void AutofitCol(Integer Col1, Integer Col2, bool IgnoreStrings, Extended Adjustment);
  virtual void AutofitRowsOnWorkbook(bool AutofitNotAutofittingRows, bool KeepSizesAutomatic, Extended Adjustment);
  virtual void SetAutoFilter(Integer row, Integer col1, Integer col2);
  virtual void RemoveAutoFilter();
  virtual bool HasAutoFilter();
  virtual bool HasAutoFilter(Integer row, Integer col);
  virtual TXlsCellRange GetAutoFilterRange();
};

// The component that hands out file objects of one format. BasePathToOpen is the folder
// OpenFileAndSearch looks in.
class TExcelAdapter : public TComponent {
 public:
  explicit TExcelAdapter(TComponent* AOwner) : TComponent(AOwner) {}
  String BasePathToOpen;
  // A new, not yet connected file object that the caller owns.
  virtual std::unique_ptr<TExcelFile> GetWorkbook();
};
