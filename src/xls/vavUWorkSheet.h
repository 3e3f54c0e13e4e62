// A worksheet section: records before WINDOW2, the page breaks, column settings, the cell
// area, the drawing, the notes, WINDOW2 and the records after it, merged cells and conditional
// formats, hyperlinks. Loaded record by record into those structures and written back in that
// order; the editing operations live beside it (vavUWorkSheetOperations.cpp).
#pragma once

#include "xls/vavUBiffCarriedRecords.h"
#include "xls/vavUBiffCells.h"
#include "xls/vavUBiffCondFmt.h"
#include "xls/vavUBiffHyperLink.h"
#include "xls/vavUBiffPageBreaks.h"
#include "xls/vavUSheet.h"

class TWorkSheet : public TSheet {
 public:
  explicit TWorkSheet(TWorkbookGlobals* aWorkbookGlobals);
  // An empty worksheet as a new workbook has it.
  static std::unique_ptr<TWorkSheet> CreateFromData(TWorkbookGlobals* aWorkbookGlobals, TSST* SST);

  void Clear() override;
  // Resets the sheet to an empty worksheet.
  void ClearValues();
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBOFRecord> First,
                      TSST* SST) override;
  void SaveToStream(TOle2File& DataStream) override;
  void SaveRangeToStream(TOle2File& DataStream, Integer SheetIndex, const TXlsCellRange& CellRange) override;
  Int64 FixTotalSize(bool NeedsRecalc) const override;
  Int64 TotalRangeSize(Integer SheetIndex, const TXlsCellRange& CellRange) const override;
  void RelinkRecords() override;
  void FixRows() override { FCells.FixRows(); }

  TCells& Cells() { return FCells; }
  TNoteList& Notes() { return FNotes; }
  THLinkList& HLinks() { return FHLinks; }
  TDrawing& Drawing() { return FDrawing; }

  // Pictures and comments (pictures by their position in the drawing, cells 0-based).
  Integer DrawingCount() const { return FDrawing.DrawingCount(); }
  void AddImage(const ByteArray& Data, TXlsImgTypes DataType, const TImageProperties& Properties,
                TWbkAnchorType AnchorType) {
    FDrawing.AddImage(Data, DataType, Properties, AnchorType, this);
  }
  void DeleteImage(Integer Index) { FDrawing.DeleteImage(Index); }
  void ClearImage(Integer Index) { FDrawing.ClearImage(Index); }
  void AssignDrawing(Integer Index, const ByteArray& Data, TXlsImgTypes DataType) {
    FDrawing.AssignDrawing(Index, Data, DataType);
  }
  void GetDrawingFromStream(Integer Index, TStream& Data, TXlsImgTypes& DataType) const {
    FDrawing.GetDrawingFromStream(Index, Data, DataType);
  }
  TClientAnchor GetAnchor(Integer Index) const { return FDrawing.GetAnchor(Index); }
  void SetAnchor(Integer Index, const TClientAnchor& aAnchor) { FDrawing.SetAnchor(Index, aAnchor, this); }
  Integer PictureRow(Integer Index) const { return FDrawing.PictureRow(Index); }
  WideString PictureName(Integer Index) const { return FDrawing.PictureName(Index); }
  TNoteRecord* AddNewComment(Integer Row, Integer Col, const WideString& Txt, const TImageProperties& Properties) {
    return FNotes.AddNewComment(Row, Col, Txt, Properties, &FDrawing, this);
  }
  void RestoreObjectCoords() override { FDrawing.RestoreObjectCoords(this); }
  TRangeList& Ranges() { return FRanges; }
  TColInfoList& Columns() { return FColumns; }
  THPageBreakList& HPageBreaks() { return FHPageBreaks; }
  TVPageBreakList& VPageBreaks() { return FVPageBreaks; }
  const TBaseRecordList& MiscRecords1() const { return FMiscRecords1; }
  const TBaseRecordList& MiscRecords2() const { return FMiscRecords2; }
  Integer DefRowHeight() const { return FDefRowHeight; }
  Integer DefColWidth() const { return FDefColWidth; }

  // Print settings; writes are ignored when the record is missing.
  bool PrintToFit() const { return FWSBool && FWSBool->FitToPage(); }
  void SetPrintToFit(bool Value) { if (FWSBool) FWSBool->SetFitToPage(Value); }
  bool PrintHCentered() const { return FHCenter && FHCenter->Centered(); }
  void SetPrintHCentered(bool Value) { if (FHCenter) FHCenter->SetCentered(Value); }
  bool PrintVCentered() const { return FVCenter && FVCenter->Centered(); }
  void SetPrintVCentered(bool Value) { if (FVCenter) FVCenter->SetCentered(Value); }
  Integer PrintScale() const { return FSetup ? FSetup->Scale() : 100; }
  void SetPrintScale(Integer Value);
  Integer PrintNumberOfHorizontalPages() const { return FSetup ? FSetup->FitWidth() : 1; }
  void SetPrintNumberOfHorizontalPages(Word Value) { if (FSetup) FSetup->SetFitWidth(Value); }
  Integer PrintNumberOfVerticalPages() const { return FSetup ? FSetup->FitHeight() : 1; }
  void SetPrintNumberOfVerticalPages(Word Value) { if (FSetup) FSetup->SetFitHeight(Value); }
  Integer PrintOptions() const { return FSetup ? FSetup->PrintOptions() : 0; }
  void SetPrintOptions(Word Value) { if (FSetup) FSetup->SetPrintOptions(Value); }
  Integer PrintPaperSize() const { return FSetup ? FSetup->PrintPaperSize() : 1; }
  void SetPrintPaperSize(Integer Value);
  Integer PrintCopies() const { return FSetup ? FSetup->PrintCopies() : 1; }
  void SetPrintCopies(Integer Value);
  Integer PrintXResolution() const { return FSetup ? FSetup->PrintXResolution() : 600; }
  void SetPrintXResolution(Integer Value);
  Integer PrintYResolution() const { return FSetup ? FSetup->PrintYResolution() : 600; }
  void SetPrintYResolution(Integer Value);
  TPrinterDriverSettings PrinterDriverSettings() const;
  void SetPrinterDriverSettings(const TPrinterDriverSettings& Value);
  bool OutlineSummaryRowsBelowDetail() const { return !FWSBool || FWSBool->OutlineSummaryRowsBelowDetail(); }
  bool OutlineSummaryColsRightOfDetail() const { return !FWSBool || FWSBool->OutlineSummaryColsRightOfDetail(); }
  bool OutlineAutomaticStyles() const { return FWSBool && FWSBool->OutlineAutomaticStyles(); }
  void SetOutlineSummaryRowsBelowDetail(bool Value) { if (FWSBool) FWSBool->SetOutlineSummaryRowsBelowDetail(Value); }
  void SetOutlineSummaryColsRightOfDetail(bool Value) { if (FWSBool) FWSBool->SetOutlineSummaryColsRightOfDetail(Value); }
  void SetOutlineAutomaticStyles(bool Value) { if (FWSBool) FWSBool->SetOutlineAutomaticStyles(Value); }

  // Editing (rows and columns 0-based).
  void InsertAndCopyRowsAndCols(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aRowCount, Integer FirstCol,
                                Integer LastCol, Integer DestCol, Integer aColCount, const TSheetInfo& SheetInfo,
                                bool OnlyFormulas) override;
  void DeleteRowsAndCols(Word aRow, Word aRowCount, Word aCol, Word aColCount, const TSheetInfo& SheetInfo) override;
  void ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, Integer InsColPos, Integer InsColCount,
                                const TSheetInfo& SheetInfo) override;
  // Manual page breaks above model row aRow (left of column aCol).
  void InsertHPageBreak(Integer aRow) { FHPageBreaks.AddBreak(aRow); }
  void DeleteHPageBreak(Integer aRow) { FHPageBreaks.DeleteBreak(aRow); }
  bool HasHPageBreak(Integer Row) { return FHPageBreaks.HasPageBreak(Row); }
  void InsertVPageBreak(Integer aCol) { FVPageBreaks.AddBreak(aCol); }
  void DeleteVPageBreak(Integer aCol) { FVPageBreaks.DeleteBreak(aCol); }
  bool HasVPageBreak(Integer Col) { return FVPageBreaks.HasPageBreak(Col); }
  // The automatic filter on model row Row over columns Col1..Col2 (SheetIndex: this sheet's
  // 0-based index); Col2 < Col1 removes it. Removing leaves the filter's defined name.
  void SetAutoFilter(Integer SheetIndex, Integer Row, Integer Col1, Integer Col2);
  void RemoveAutoFilter();
  bool HasAutoFilter() const { return FAutoFilterInfo != nullptr; }
  bool HasAutoFilter(Integer Sheet, Integer Row, Integer Col) const;
  // The filter's cells, or all -1 without a filter.
  TXlsCellRange GetAutoFilterRange(Integer Sheet) const;
  // The 3-D references of the formulas of a sheet made as a copy.
  void ArrangeCopySheet(const TSheetInfo& SheetInfo) override;

  Integer GetColWidth(Integer aCol, bool HiddenIsZero = false);
  void SetColWidth(Integer aCol, Word Value);
  Integer GetRowHeight(Integer aRow, bool HiddenIsZero = false) const;
  void SetRowHeight(Integer aRow, Word Value);
  bool GetColHidden(Integer aCol);
  void SetColHidden(Integer aCol, bool Value);
  bool GetRowHidden(Integer aRow) const;
  void SetRowHidden(Integer aRow, bool Value);
  Integer GetColFormat(Integer aCol);
  void SetColFormat(Integer aCol, Integer Value);
  Integer GetRowFormat(Integer aRow) const;
  void SetRowFormat(Integer aRow, Integer Value);

  TXlsCellRange CellMergedBounds(Integer aRow, Integer aCol) const;
  Integer CellMergedListCount() const;
  TXlsCellRange CellMergedList(Integer Index) const;
  void MergeCells(Integer aRow1, Integer aCol1, Integer aRow2, Integer aCol2);
  void UnMergeCells(Integer aRow1, Integer aCol1, Integer aRow2, Integer aCol2);

  Integer GetColOutlineLevel(Integer aCol);
  void SetColOutlineLevel(Integer aCol, Integer Level);
  Integer GetRowOutlineLevel(Integer aRow) const;
  void SetRowOutlineLevel(Integer aRow, Integer Level);

  // Autofit of rows: without a measure of the cell fonts no estimate is possible, so heights
  // stay as they are.
  void RecalcRowHeights(Integer Row1, Integer Row2, bool Forced, bool KeepAutoFit, long double Adjustment);
  // Autofit of columns: the estimator gives no width, so no width changes.
  void RecalcColWidths(Integer Col1, Integer Col2, bool IgnoreStrings, long double Adjustment);

 protected:
  std::unique_ptr<TSheet> DoCopyTo() const override;
  void AddZoomRecord() override;
  void SetPaneRecord(bool Value) override;

 private:
  void RemovePrinterDriverSettings();
  struct TLoadState;
  // Places one record read from a stream (or made for an empty sheet).
  void PlaceRecord(std::unique_ptr<TBaseRecord> aRecord, TLoadState& State, TOle2File* DataStream,
                   TRecordHeader* RecordHeader, TSST* SST);
  // SHRFMLA, ARRAY, TABLE and STRING belong to the FORMULA read last.
  void PlaceFormulaCompanion(std::unique_ptr<TBaseRecord> aRecord, TLoadState& State);
  void FinishLoad(TLoadState& State);
  TColInfo* EnsureColumn(Integer aCol, Word aWidth, Word aXF, Word aOptions);
  void EnsureGuts();
  TMergedCells* LastMergedCells();

  TBaseRecordList FMiscRecords1;
  TBaseRecordList FMiscRecords2;
  mutable THPageBreakList FHPageBreaks;  // sorted on demand, also while counting
  mutable TVPageBreakList FVPageBreaks;
  TDrawing FDrawing;
  mutable TColInfoList FColumns;  // sorted on demand, also while counting
  TCells FCells;
  TRangeList FRanges;
  TNoteList FNotes;
  mutable THLinkList FHLinks;
  Integer FDefRowHeight = 255;
  Integer FDefColWidth = 2930;
};
