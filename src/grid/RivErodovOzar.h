// TRivErodovOzar: the program's data grid, on the base grid. This is its first shape: counts
// with their bookkeeping, the current row, clearing and the delimited-text reader.
#pragma once

#include "grid/base/BaseGrid.h"
#include "grid/base/RivObjLists.h"
#include "grid/base/RivObjSettings.h"
#include "grid/base/rozcheck.h"
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "grid/RivErodovOzarCalcTypes.h"
#include "grid/exchange/GridCSV.h"
#include "grid/exchange/GridExchangeTypes.h"

class TRivErodovOzar : public TBaseGrid {
 public:
  explicit TRivErodovOzar(TComponent* AOwner);

  // The counts. Every row count given is also the row below which the display hooks apply.
  void SetRowCount(int Value) override;
  void SetColCount(int Value) override;

  // Makes ARow the current row; first moves to the first scrolling column when the current
  // column lies outside the grid.
  void SetRowEx(int ARow);
  // Empties the text of every cell, fixed cells and cells beyond the counts included; the
  // counts stay.
  void Clear();

  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char Value) { FDelimiter = Value; }

  // Fills the grid from a delimited text file: line k to row k, fields to columns 0, 1, ...
  // (fixed cells too). The row count becomes the number of lines read (at most MaxRows when it
  // is above 0); the column count grows to the widest line and never shrinks. Cells the file
  // does not reach keep their text. Raises Exception "File is empty" for a file without lines
  // (the grid unchanged) and EFOpenError for a file that cannot be opened.
  void LoadFromCSV(const String& FileName, int MaxRows = 0);

  // The field separator of the delimited-text reader; 0 makes the reader guess it from the
  // file's first two lines (the guess is not kept).
  char FDelimiter = '\0';

  // Selection, navigation, fills, checks, row flags, calculations and delimited text

  // ---- Moving, showing and repainting (RivErodovOzarSelection.cpp) ----
  // The platform's move of the current cell, showing it.
  void GotoCell(int ACol, int ARow);
  // The selection becomes the single cell.
  void FocusCell(int ACol, int ARow);
  void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
  // Row := ToRow, Col := ToCol, then the selection (FromCol, FromRow)-(ToCol, ToRow).
  void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
  void ScrollInView(int ColIndex, int RowIndex);
  // Parks the selection just outside the grid, remembering it.
  void HideSelection();
  void UnHideSelection();
  bool SelectionHidden() const { return FSelHidden; }
  bool LastRowClearOfSearchFooter();
  void ScrollClearOfSearchFooter();
  void RepaintRow(int ARow);
  void RepaintCol(int ACol);
  void RepaintRect(const TRect& R);

  // ---- Disjunct selections (RivErodovOzarSelection.cpp) ----
  // Raise ERivGridError "Invalid row accessed" / "Invalid column accessed".
  bool IsRowSelected(int ARow);
  void SetRowSelected(int ARow, bool Select);
  bool IsColSelected(int ACol);
  void SetColSelected(int ACol, bool Select);
  void SelectRows(int RowIndex, int RCount);
  void UnSelectRows(int RowIndex, int RCount);
  void SelectCols(int ColIndex, int CCount);
  void UnSelectCols(int ColIndex, int CCount);
  void ClearRowSelect();
  void ClearColSelect();
  void SelectionToRowSelect(bool AllRows);
  void SelectionToColSelect(bool AllCols);
  bool IsSelected(int ACol, int ARow);
  void ClearSelectedCells();
  // Disjunct cells are stored as row * 65536 + column.
  TIntList* SelectedCells() const { return FSelectedCells.get(); }
  TIntList* SelectedRows() const { return FSelectedRows.get(); }
  int RowSelectCount();
  int ColSelectCount();
  int SelectedRowCount();
  // With a disjunct column selection, the number of selected columns.
  int SelectedColCount();
  int SelectedCellsCount();
  // The selected cells as tab-separated text, rows joined by CR LF.
  String SelectedText();
  TRowDisjunctSelectEvent OnRowDisjunctSelect;
  TRowDisjunctSelectedEvent OnRowDisjunctSelected;
  bool ExcelClipboardFormat = false;

  // ---- Row flags (RivErodovOzarSelection.cpp) ----
  void SetRowModified(int ARow, bool Modified);
  bool IsRowModified(int ARow);
  int ModifiedRowCount();
  void ClearModifiedRows();
  bool IsRowEnabled(int ARow);
  // Marks a row disabled (any value but 0) or enabled.
  void SetRowEnabled(int ARow, bool Enabled);

  // ---- Fills and checks (RivErodovOzarFill.cpp) ----
  // DoFixed: every cell; otherwise the normal cells. Each ends with RecalcFooters.
  void TextFill(bool DoFixed, const String& Txt);
  // Fmt takes two integers: the column, then the row.
  void FormatFill(bool DoFixed, const String& Fmt);
  void RandomFill(bool DoFixed, int Rnd);
  void LinearFill(bool DoFixed);
  // True when every cell came back from the checker unchanged (or no checker is attached).
  bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
  bool CheckCell(int ACol, int ARow);
  bool CheckCol(bool DoFixed, int ACol);
  bool CheckRow(bool DoFixed, int ARow);
  bool CheckGrid(bool DoFixed);
  TRivErodovOzarCheck* CellChecker = nullptr;

  // ---- Delimited text files (exchange/GridDelimited*.cpp) ----
  // Appends the file's rows below the current last row (a floating footer row stays last).
  void InsertFromCSV(const String& FileName, int MaxRows = 0);
  // Writes the save range as a new file (replacing any old one whole): CR LF after every line;
  // Unicode: UTF-16 little endian with a byte-order mark, else the bytes of the texts.
  void SaveToCSV(const String& FileName, bool Unicode = false);
  // Adds the save range's rows after the lines of an existing file.
  void AppendToCSV(const String& FileName, bool Unicode = false);
  bool OemConvert = false;
  bool Multilinecells = false;
  bool SaveWithRTF = false;
  TCellSaveLoadEvent OnLoadCell;
  TCellSaveLoadEvent OnSaveCell;
  TGridProgressEvent OnFileProgress;

  // ---- Calculations over a column or a row (RivErodovOzarCalc.cpp) ----
  // Numbers of the column's counted rows; cells that hold no number are skipped.
  double ColumnSum(int ACol, int fromRow, int toRow);
  // The sum over every row of the range, also those skipped; 0 for an empty range.
  double ColumnAvg(int ACol, int fromRow, int toRow);
  // Start from cell (ACol, fromRow), which must hold a number ("Cell does not contain a float
  // value" otherwise).
  double ColumnMin(int ACol, int fromRow, int toRow);
  double ColumnMax(int ACol, int fromRow, int toRow);
  double ColumnCustomCalc(int ACol, int fromRow, int toRow);
  double RowSum(int ARow, int fromCol, int toCol);
  // 0 for an empty or reversed range, as ColumnAvg.
  double RowAvg(int ARow, int fromCol, int toCol);
  double RowMin(int ARow, int fromCol, int toCol);
  double RowMax(int ARow, int fromCol, int toCol);
  // Numbers the data rows of a column (the data columns of a row) from 1 + AutoNumberOffset.
  void AutoNumberCol(int ACol);
  void AutoNumberRow(int ARow);
  int AutoNumberStart = 0;
  int AutoNumberOffset = 0;
  TSortDirection AutoNumberDirection = sdAscending;
  TGroupCalcEvent OnGroupCalc;

  // ---- Automatic sizing (RivErodovOzarSizing.cpp) ----
  void AutoSizeCol(int ACol, int Padding = 0);
  void AutoSizeColumns(bool DoFixedCols, int Padding = 0);
  void AutoSizeRow(int ARow, int Padding = 0);
  void AutoSizeRows(bool DoFixedRows, int Padding = 0);
  void SizeRowToLines(int ARow, int Lines, int Padding);
  void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
  // Makes the columns fill the control's width.
  void AutoFitColumns(bool DoFixedCells);
  void SizeToCols();
  void SizeToRows();
  void SizeToCells();
  // Sets the first and the last print page.
  void SetPreviewPage(int Value) { PrintPageFrom = PrintPageTo = Value; }
  bool SizeGrowOnly = false;
  bool XYOffsetTopLeftOnly = false;
  // The rows a column is sized over.
  TAutoSizeRows ColumnSizeRows = arAll;

  // ---- Core members used here until the core's own land ----
  long double GetCellFloat(int ACol, int ARow);
  long double GetAllCellFloat(int ACol, int ARow) { return GetCellFloat(ACol, ARow); }
  void SetCellInteger(int ACol, int ARow, int Value) { SetCells(ACol, ARow, IntToStr(Value)); }
  int GroupColumn = -1;
  TPoint XYOffset{2, 2};
  int MinRowHeight = 0;
  int MaxRowHeight = 0;
  int MinColWidth = 0;
  int MaxColWidth = 0;
  int PrintPageFrom = 1;
  int PrintPageTo = 1;
  int ScrollWidth = 17;
  int RealRowIndex(int ARow) const { return ARow; }
  TMouseActions* MouseActions() const { return FMouseActions.get(); }
  std::unique_ptr<TMouseActions> FMouseActions = std::make_unique<TMouseActions>(nullptr);
  std::unique_ptr<TIntList> FModifiedRows = std::make_unique<TIntList>(0, 0);
  std::unique_ptr<TIntList> FEnabledRows = std::make_unique<TIntList>(0, 0);
  std::unique_ptr<TIntList> FRowSelect = std::make_unique<TIntList>(0, 0);
  std::unique_ptr<TIntList> FColSelect = std::make_unique<TIntList>(0, 0);
  std::unique_ptr<TIntList> FSelectedRows = std::make_unique<TIntList>(0, 0);
  std::unique_ptr<TIntList> FSelectedCells = std::make_unique<TIntList>(0, 0);
  int FixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int Value) { FFixedFooters = Value; }
  int FixedRightCols() const { return FFixedRightCols; }
  void SetFixedRightCols(int Value) { FFixedRightCols = Value; }
  int AllRowCount() const { return RowCount(); }
  int AllColCount() const { return ColCount(); }
  int NumHiddenColumns() const { return 0; }
  int RealColIndex(int ACol) const { return ACol; }
  int DisplRowIndex(int ARow) const { return ARow; }
  int SaveStartCol() const;
  int SaveStartRow() const;
  int SaveEndCol() const;
  int SaveEndRow() const;
  int SaveColCount() const { return SaveEndCol() - SaveStartCol() + 1; }
  int SaveRowCount() const { return SaveEndRow() - SaveStartRow() + 1; }
  virtual void DoCellsChanged(const TRect&) {}
  virtual void RecalcFooters() {}
  virtual void ExportNotification(TGridExportState, int) {}
  virtual void ImportNotification(TGridImportState, int) {}
  virtual void GetCheckTrue(int, int, String& Value) { Value = CheckTrue; }
  virtual void GetCheckFalse(int, int, String& Value) { Value = CheckFalse; }
  String CheckTrue = "Y";
  String CheckFalse = "N";
  bool JavaCSV = false;
  bool SaveFixedCells = true;
  bool SaveHiddenCells = false;
  bool SaveVirtCells = true;
  bool SaveWithHTML = true;
  bool LoadFirstRow = true;
  bool QuoteEmptyCells = true;
  bool AlwaysQuotes = false;
  bool FloatingFooterVisible = false;
  int FFixedFooters = 0;
  int FFixedRightCols = 0;

 protected:
  virtual void DoAutoSizeCol(int ACol, bool GrowOnly);
  virtual void DoAutoSizeRow(int ARow, bool GrowOnly);
  // Whether row ARow of column ACol takes part in the column statistics.
  bool IsCalcCell(int ACol, int ARow);
  // The cell's number when it holds one.
  bool CellNumber(int ACol, int ARow, bool AllRows, double& Value);
  double ColumnStat(int ACol, int fromRow, int toRow, int Stat);
  double RowStat(int ARow, int fromCol, int toCol, int Stat);
  int ClampColWidth(int Value) const;
  int ClampRowHeight(int Value) const;
  // The width of the widest line and the height of all lines of a cell's text as drawn.
  TSize MeasureText(int ACol, int ARow);
  // The text margins of a cell that sizing allows for.
  int MarginX() const;
  int MarginY() const;
  // Measures texts when the grid is not painting.
  TCanvas* MeasureCanvas();
  std::unique_ptr<TBitmap> FMeasureBitmap;
  // The normal cells (DoFixed false) or all cells, for fills and checks.
  TRect FillRange(bool DoFixed) const;
  void FillCells(bool DoFixed, const std::function<String(int, int)>& Text);
  TGridRect FOldSelection;
  bool FSelHidden = false;
  // The reader behind both loaders, and the save range as delimited lines.
  void LoadDelimited(const String& FileName, int MaxRows, bool Append);
  String DelimitedText();

 protected:
  // Stores a text read by a loader into exactly that cell.
  virtual void SetLoadedCellText(int ACol, int ARow, const String& Value);
  virtual String GetSavedCellText(int ACol, int ARow);

  // The largest row count the grid has had.
  int FMaxRowCount = 0;
};
