// TRivErodovOzar: the program's data grid, on the base grid. The core (counts, fixed counts,
// sizes, life cycle) is in RivErodovOzar.cpp; typed cell access in RivErodovOzarCells.cpp;
// hidden rows and columns in RivErodovOzarHidden.cpp; structure edits in
// RivErodovOzarStructure.cpp and RivErodovOzarClear.cpp; the cell query hooks and small
// services in RivErodovOzarHooks.cpp; cell graphics, check boxes, radio buttons and the column
// order in the files named in their section below.
//
// Indexes: the platform counts (RowCount, ColCount) count visible rows and columns only. A
// hidden column keeps its cells where they are, under its real index, beyond the display
// columns; a hidden row is taken out of the grid into the hidden-row store. Cells are
// addressed by real column and display row.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "classlib/Forms.h"
#include "grid/base/BaseGrid.h"
#include "grid/model/GridTypes.h"
#include "grid/model/GridItems.h"
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "grid/model/RivErodovOzarCalcTypes.h"
#include "grid/model/CellGraphic.h"
#include "grid/model/CellNode.h"
#include "grid/model/ColumnSize.h"
#include "grid/paint/ProgressAppearance.h"
#include "grid/paint/ControlLook.h"
#include "grid/model/SortSettings.h"
#include "grid/tools/Grouping.h"
#include "grid/base/RivStyleIF.h"
#include "grid/base/ZudAzudDraw.h"
#include "grid/base/RivObjLists.h"
#include "grid/base/RivObjSettings.h"
#include "grid/base/rozcheck.h"
#include "grid/exchange/GridCSV.h"
#include "grid/exchange/GridExchangeTypes.h"
#include "grid/exchange/HTMLSettings.h"
#include "grid/editing/GridEditingTypes.h"
#include "grid/editing/RivInplaceEdit.h"
#include "grid/interaction/GridInteractionTypes.h"
#include "grid/paint/FloatingFooter.h"
#include "grid/paint/GridBackground.h"
#include "grid/paint/GridPaintTypes.h"
#include "grid/paint/HTMLHintWindow.h"
#include "grid/print/GridPrintTypes.h"
#include "grid/tools/GridFilter.h"
#include "grid/tools/GridToolTypes.h"

class TStringList;
class TCustomImageList;
class TIcon;
class TPicture;
class TFilePicture;
class TInterfacedPersistent;
class TFont;
class TRivInplaceEdit;
class TBrush;
class TPen;
class TTimer;
class TGridTransEdit;
class TGridSpin;
class TGridCombo;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridCheckBox;
class TGridButton;
class TGridDatePicker;
class TGridDateTimePicker;
class TGridTrackbarDropDown;
class TGridMemoDropDown;
class TGridCalculatorDropDown;
class TGridTimepickerDropDown;
class TGridDetailPickerDropDown;
class TGridGridDropDown;
class TGridColorDropDown;
class TGridImageDropDown;
class TGridRivGridDropDown;
class TEditLink;
class TControlEdit;
class TControlCombo;
struct THTMLRenderResult;
class THTMLPictureWriter;
class ROzuRiriRavi;
class TSearchPanel;

using TRowUpdateEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& HintStr)>;
using TGridWideHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, WideString& HintStr)>;
using TGridColorEvent = std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGridBorderEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGridAlignEvent = std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TGridFormatEvent = std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsPassword)>;
using TWordWrapEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& WordWrap)>;
using THasComboBoxEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasComboBox)>;
using THasSpinEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasSpinEdit)>;
using TCheckTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, int Column, TStrings* Filter)>;
using TSearchFooterActionEvent = std::function<void(TObject* Sender, const String& Value, int ACol, int ARow, int SearchAction)>;
using TSelectionChangedEvent = std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;
using TAutoDeleteRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TRect& R)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TDateTime ADateTime)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
// Events of cell controls: the column comes before the row.
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TRatingChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, double& NewRate, bool& Allow)>;
using TColorSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor Color, const String& Value)>;
using TImageSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, int Index)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanInsert)>;
using TFloatFormatEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, String& FloatFormat)>;
using TGridGradientEvent = std::function<void(TObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo,
                                              TColor& ColorMirror, TColor& ColorMirrorTo, TCellGradientDirection& GD)>;
class TRichEdit;

// Registered change notifiers of a grid hear of every change of a block of cells.
class TGridChangeNotifier : public TObject {
 public:
  virtual void CellsChanged(const TRect&) {}
};

class TRivErodovOzar : public TBaseGrid, public IComponentStyle {
 public:
  explicit TRivErodovOzar(TComponent* AOwner);
  ~TRivErodovOzar() override;

  // ---- Counts (visible rows and columns) and their bookkeeping ----
  void SetRowCount(int Value) override;
  void SetColCount(int Value) override;
  int AllRowCount() const { return RowCount() + NumHiddenRows(); }
  int AllColCount() const { return ColCount() + FNumHidden; }
  int TotalRowCount() const { return AllRowCount(); }
  int TotalColCount() const { return AllColCount(); }
  // 1 when the platform count is 0 and the fixed row (column) is kept always.
  int FixedRows() const;
  void SetFixedRows(int Value);
  int FixedCols() const;
  void SetFixedCols(int Value);
  bool FixedRowAlways() const { return FFixedRowAlways; }
  void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
  bool FixedColAlways() const { return FFixedColAlways; }
  void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
  int FixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int Value);
  int FixedRightCols() const { return FFixedRightCols; }
  void SetFixedRightCols(int Value);
  void SetDefaultRowHeight(int Value);
  int FixedRowHeight() const { return FFixedRowHeight; }
  void SetFixedRowHeight(int Value);
  int FixedColWidth() const { return ColWidths(0); }
  void SetFixedColWidth(int Value);
  TAlignment DefaultAlignment() const { return FDefaultAlignment; }
  void SetDefaultAlignment(TAlignment Value);
  bool WordWrap() const { return FGridWordWrap; }
  void SetWordWrap(bool Value);
  void SetCol(int Value);
  // Accepted only from FixedRows to RowCount - 1.
  void SetTopRow(int Value);
  // The current row: see RivErodovOzarHidden.cpp.
  void SetRow(int Value);
  // Makes ARow the current row; first moves to the first scrolling column when the current
  // column lies outside the grid.
  void SetRowEx(int ARow);
  int RealRow() const { return RealRowIndex(Row()); }
  int RealCol() const { return RealColIndex(Col()); }

  String Version() const;
  String VersionString() const;
  virtual int GetVersionNr() const;
  String GetVersionString() const { return VersionString(); }

  // The block every saver and exporter covers.
  int SaveStartCol() const;
  int SaveStartRow() const;
  int SaveEndCol() const;
  int SaveEndRow() const;
  int SaveColCount() const;
  int SaveRowCount() const;
  // The smallest block holding every non-empty visible cell; (0, 0, 0, 0) when none.
  virtual TGridRect UsedCells();

  // Update blocks (BeginUpdate, EndUpdate: see the editing block below): while open, setters
  // skip repaints.
  int UpdateCount() const { return FUpdateCount; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Invalidate() override;
  void Loaded() override;
  void Assign(TPersistent* Source) override;
  virtual void AssignCells(TPersistent* Source);
  void UpdateEditMode() { SelectCell(Col(), Row()); }
  static TControl* FindParentForm(TControl* AControl);

  // ---- Cells: typed access, headers, lookup, graphics (RivErodovOzarCells.cpp) ----
  void SetCellInteger(int ACol, int ARow, int Value);
  int GetCellInteger(int ACol, int ARow);
  void SetCellFloat(int ACol, int ARow, double Value);
  long double GetCellFloat(int ACol, int ARow);
  long double GetAllCellFloat(int ACol, int ARow);
  void SetCellDate(int ACol, int ARow, TDateTime Value);
  void SetCellTime(int ACol, int ARow, TDateTime Value);
  WideString GetWideCell(int ACol, int ARow);
  void SetWideCell(int ACol, int ARow, const WideString& Value);
  bool IsWideCell(int ACol, int ARow);
  bool IsCell(const String& SubStr, int& ACol, int& ARow);
  TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
  void SetColumnHeaders(TStrings* Value);
  void ShowColumnHeaders();
  void ClearColumnHeaders();
  TStringList* RowHeaders() const { return FRowHeaders.get(); }
  void SetRowHeaders(TStrings* Value);
  void ShowRowHeaders();
  void ClearRowHeaders();
  TStringList* LookupItems() const { return FLookupItems.get(); }
  void SetLookupItems(TStrings* Value);
  TCellGraphic* CreateCellGraphic(int ACol, int ARow);
  virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
  virtual TCellType GetCellType(int ACol, int ARow);
  TObject* GetCellImageIndexes(int ACol, int ARow);
  intptr_t GetCellGraphicObjectValue(int ACol, int ARow);
  virtual TCustomImageList* GetGridImages() { return FGridImages; }
  bool HasNodes() override;
  int NodeIndentOfRow(int ARow) override;
  void TagTextInRange(const String& Text, const String& Tag, const TGridRect& R, bool DoCase);
  void UnTagTextInRange(const String& Tag, const TGridRect& R);
  void DoGetDisplText(int ACol, int ARow, String& Value) override;

  // ---- Hidden columns and rows, index mapping (RivErodovOzarHidden.cpp) ----
  void HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
  void HideColumns(int FromCol, int ToCol);
  void UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
  void UnHideColumns(int FromCol, int ToCol);
  void UnHideColumnsAll();
  bool IsHiddenColumn(int ColIndex) const;
  int NumHiddenColumns() const { return FNumHidden; }
  int RealColIndex(int ACol) const;
  int DisplColIndex(int ACol) override;
  int DisplColFromReal(int ACol) const;
  bool IsIgnoredColumn(int ACol) const;
  void HideRow(int RowIndex) { HideRows(RowIndex, RowIndex); }
  void HideRows(int FromRow, int ToRow);
  void HideRowsEx(int FromRow, int ToRow);
  void HideRowList(const std::vector<int>& RowList);
  void UnHideRow(int RowIndex);
  void UnHideRows(int FromRow, int ToRow);
  void UnHideRowsAll();
  void UnHideRowList();
  bool IsHiddenRow(int RowIndex) const;
  int NumHiddenRows() const { return FGridItems.Count(); }
  int RealRowIndex(int ARow) const;
  int DisplRowIndex(int ARow) const;
  String GetAllCell(int ACol, int ARow);
  const TGridItems& HiddenRowStore() const { return FGridItems; }
  int FilterLevel() const { return FFilterLevel; }
  void SetFilterLevel(int Value) { FFilterLevel = Value; }

  // ---- Structure edits (RivErodovOzarStructure.cpp, RivErodovOzarClear.cpp) ----
  virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
  void AddRow();
  virtual void RemoveRows(int RowIndex, int RCount);
  virtual void RemoveRowsEx(int RowIndex, int RCount);
  void RemoveDuplicates(int ACol, bool DoCase);
  // Removing and hiding by the selection: the disjunct row (column) selection when it is on,
  // else the selected rectangle (RivErodovOzarSelectedRows.cpp).
  void RemoveSelectedRows();
  void RemoveUnSelectedRows();
  void HideSelectedRows();
  void HideUnSelectedRows();
  void RemoveSelectedCols();
  void RemoveUnSelectedCols();
  virtual void InsertCols(int ColIndex, int CCount);
  void AddColumn() { InsertCols(ColCount(), 1); }
  virtual void RemoveCols(int ColIndex, int CCount);
  void MergeCols(int ColIndex1, int ColIndex2, const String& Separator);
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  void SwapColumns(int ACol1, int ACol2);
  void SwapRows(int ARow1, int ARow2);
  virtual void SortSwapRows(int ARow1, int ARow2);
  void SwapCells(const TGridCoord& FromCell, const TGridCoord& ToCell);
  virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
  void ClearRows(int RowIndex, int RCount);
  void ClearCols(int ColIndex, int CCount);
  void ClearNormalRows(int RowIndex, int RCount);
  void ClearNormalCols(int ColIndex, int CCount);
  void ClearNormalCells();
  // Empties every cell of the visible rows, hidden columns and fixed cells included; hidden
  // rows keep their texts; the counts stay.
  void Clear();
  void ClearAll();
  void MergeColumnCells(int ColIndex, bool MainMerge);
  void MergeRowCells(int RowIndex, bool MainMerge);
  void SplitColumnCells(int ColIndex);
  void SplitRowCells(int RowIndex);
  void SplitAllCells();
  bool ClearTextOnly = false;
  TIntList* MergedColumns() const { return FMergedColumns.get(); }
  TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }
  void AddChangeNotifier(TGridChangeNotifier* Notifier) { FNotifierList.push_back(Notifier); }
  void RemoveChangeNotifier(TGridChangeNotifier* Notifier);

  // ---- Cell query hooks (RivErodovOzarHooks.cpp) ----
  void GetCellLook(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                   TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                   TCellGradientDirection& GD) override;
  virtual void GetCellHint(int ACol, int ARow, String& AHint);
  virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
  virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
  virtual void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
  virtual void GetCellFormat(int ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix);
  virtual void GetCellEditorType(int ACol, int ARow, TEditorType& AEditor);
  virtual void GetEditorType(int ACol, int ARow, TEditorType& AEditor);
  virtual bool HasNoEditor(int ACol, int ARow);
  virtual void GetCellFixed(int ACol, int ARow, bool& IsFixedCell);
  virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit);
  virtual void CheckCellEditable(int ACol, int ARow, bool& CanEdit);
  virtual void GetPasswordCell(int ACol, int ARow, bool& IsPassword);
  virtual void GetCellWordWrap(int ACol, int ARow, bool& AWordWrap);
  virtual bool HasComboBox(int ACol, int ARow);
  virtual bool HasSpinEdit(int ACol, int ARow);
  virtual void GetCheckTrue(int ACol, int ARow, String& Value);
  virtual void GetCheckFalse(int ACol, int ARow, String& Value);
  virtual bool BuildColumnFilterList(int ACol);
  virtual void DoSearchFooterAction(const String& Value, int ACol, int ARow, int SearchAction);
  bool IsFixed(int ACol, int ARow) override;
  TStringList* FilterList() const { return FFilterList.get(); }

  // ---- Overridable hooks and small services (RivErodovOzarHooks.cpp) ----
  virtual void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
  virtual void EditorCaretMoved(const String&, int, int) {}
  virtual void InsertOneRow(int ARow);
  virtual void RemoveOneRow(int ARow);
  virtual void DoFilterDone();
  virtual String GetCalculatedCellText(int ACol, int ARow);
  virtual void CellSelectorClick(int, int) {}
  virtual void EditorFormulaMode(bool) {}
  virtual void BeforeKeySelection(TGridRect&) {}
  virtual void BeforeShowColumnHeaders() {}
  virtual void BeforePaste() {}
  virtual void AfterPaste() {}
  virtual void AfterWheelScroll(int, bool&) {}
  virtual void BeforeMouseSelection(TGridRect&) {}
  virtual void MouseActionsChanged(TObject*) {}
  virtual void NavigationChanged(TObject*) {}
  virtual void EditorKeyDown(Word&, TShiftState) {}
  virtual void EditorWMKeyDown(TMessage&) {}
  virtual void DoCellsChanged(const TRect& R);
  virtual void RecalcFooters() { CalcFooter(-1); }
  virtual void ExportNotification(TGridExportState, int) {}
  virtual void ImportNotification(TGridImportState, int) {}
  long double CellToReal(int ACol, int ARow);
  void ChangeScale(int M, int D) override;

  // ---- Settings of the core ----
  String FloatFormat = "%.2f";
  String CheckTrue = "Y";
  String CheckFalse = "N";
  String XMLEncoding = "ISO-8859-1";
  String FilterDropDownClear = "(All)";
  bool FilterDropDownAuto = false;
  bool FilterIncremental = false;
  bool JavaCSV = false;
  char PasswordChar = '*';
  bool SaveFixedCells = true;
  bool SaveHiddenCells = false;
  bool SaveVirtCells = true;
  bool SaveWithHTML = true;
  bool LoadFirstRow = true;
  bool QuoteEmptyCells = true;
  bool AlwaysQuotes = false;
  bool EnableHTML = true;
  bool EnableWheel = true;
  bool ShowNullDates = true;
  bool ShowSelection = true;
  bool ShowDesignHelper = true;
  bool EnhRowColMove = true;
  bool UseInternalHintClass = true;
  bool AutoFilterUpdate = true;
  bool FitCellsInGrid = true;
  bool IntelliZoom = true;
  bool IntegralHeight = false;
  TFormBorderStyle BorderStyle = bsSingle;
  bool ActiveCellShow = false;
  bool AutoNumAlign = false;
  bool AnchorHint = false;
  bool AutoSize = false;
  bool AutoThemeAdapt = false;
  bool ExcelStyleDecimalSeparator = false;
  TEditorType DefaultEditor = edNormal;
  TVAlignment VAlignment = vtaTop;
  TColor DisabledFontColor = 0xC0C0C0;
  TColor ActiveCellColor = 0x808080;
  TColor ActiveCellColorTo = clNone;
  TColor HintColor;
  TColor HighlightColor;
  TColor HighlightTextColor;
  TColor SelectionColor = 0xEACAB6;
  TColor SelectionColorTo = clNone;
  TColor SelectionMirrorColor = clNone;
  TColor SelectionMirrorColorTo = clNone;
  TColor SelectionTextColor = 0x000000;
  TColor ScrollColor = clNone;
  TScrollType ScrollType = ssNormal;
  TScrollBarAlways ScrollBarAlways = saNone;
  bool ScrollProportional = false;
  bool ScrollSynch = false;
  bool ScrollHints = false;
  int ScrollWidth = 17;
  TInvalidEntryIcon InvalidEntryIcon = ieWarning;
  String InvalidEntryTitle;
  String InvalidEntryText;
  THoverFixedCells HoverFixedCells = hfNone;
  TPoint XYOffset{2, 2};
  int MinRowHeight = 0;
  int MaxRowHeight = 0;
  int MinColWidth = 0;
  int MaxColWidth = 0;
  int PrintPageFrom = 1;
  int PrintPageTo = 1;
  TGridDrawingStyle DrawingStyle = gdsClassic;
  TBackgroundDisplay BackgroundDisplay = bdTile;
  TColor BackgroundColorTo = clNone;
  bool EnabledRowsInUse = false;
  bool FloatingFooterVisible = false;
  // The image list image-index cells draw from (not owned; dropped when it is freed).
  TCustomImageList* GridImages() const { return FGridImages; }
  void SetGridImages(TCustomImageList* Value);
  String EditMask;
  TFont* FixedFont() const { return FFixedFont.get(); }
  void SetFixedFont(TFont* Value);
  TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
  TMouseActions* MouseActions() const { return FMouseActions.get(); }
  TNavigation* Navigation() const { return FNavigation.get(); }
  TBands* Bands() const { return FBands.get(); }
  TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
  TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }

  // ---- Looks, styles and the control look (paint/GridLooks.cpp) ----
  TGridLook Look() const { return FLook; }
  // A new look resets the fixed-cell gradients and applies the look's colour preset.
  void SetLook(TGridLook Value);
  static void GetLookName(TGridLook Value, String& Name);
  static void GetLookDisplayName(TGridLook Value, String& Name);
  void SetStyle(TRivGridStyle AStyle);
  void SetComponentStyle(TVAVStyle AStyle) override;
  TRivGridStyle Style() const { return FStyle; }
  void SetTheme(TXPColorScheme Scheme);
  void FollowOfficeTheme();
  TControlLook* ControlLook() const { return FControlLook.get(); }
  TSortSettings* SortSettings() const { return FSortSettings.get(); }
  void SetSortSettings(TSortSettings* Value) { FSortSettings->Assign(Value); }
  // The sort columns of a multi-column sort (a column per entry, bit 31 for descending).
  TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
  void SetControlLook(TControlLook* Value) { FControlLook->Assign(Value); }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // The fixed-cell gradient: the RGB value of the colour (system colours resolved) is stored.
  TColor VAVGradientFrom() const { return FVAVGradFrom; }
  void SetVAVGradientFrom(TColor Value);
  TColor VAVGradientTo() const { return FVAVGradTo; }
  void SetVAVGradientTo(TColor Value);
  TColor VAVGradientMirrorFrom() const { return FVAVGradMirrorFrom; }
  void SetVAVGradientMirrorFrom(TColor Value);
  TColor VAVGradientMirrorTo() const { return FVAVGradMirrorTo; }
  void SetVAVGradientMirrorTo(TColor Value);
  // The outer border some looks draw around the grid.
  void DrawLookBorder();
  // The border as last drawn by DrawLookBorder: its colour and outlines (empty when none).
  struct TLookBorder {
    TColor Color = clNone;
    std::vector<TRect> Outlines;
  };
  const TLookBorder& LastLookBorder() const { return FLastLookBorder; }

  // ---- Cell colours, alignment and text (paint/GridCellVisuals.cpp, paint/GridCellText.cpp) ----
  void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                           TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                           TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                           TCellGradientDirection& GD) override;
  void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont, TBrush* ABrush,
                         bool Remap);
  void ResolveCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA);
  virtual String GetFormattedCellText(int ACol, int ARow);
  TCellGraphic* GetCellGraphicLayout(int ACol, int ARow, TCellVAlign& CellVAlign, TCellHAlign& CellHAlign,
                                     bool& TextDrawn, int& Height, int& Width);
  // Draws the cell's text into R with the look GetVisualProperties gave (HA, VA, WW).
  void DrawCellText(TCanvas* ACanvas, int ACol, int ARow, TRect R, TGridDrawState AState, TAlignment HA,
                    TVAlignment VA, bool WW);
  void DrawSortGlyph(TCanvas* ACanvas, int ACol, int Y, int X);
  // Width and height of a cell's text (ACol real): VS measures wrapped in the cell's width, SB
  // leaves room for a scroll bar.
  TSize GetCellTextSize(int ACol, int ARow, bool VS, bool SB);
  TSize MeasureCellText(TCanvas* ACanvas, int ACol, int ARow, bool VS, bool SB);
  TColor SelectionRectangleColor = 0x000000;
  bool EnhTextSize = false;
  TFloatFormatEvent OnGetFloatFormat;
  TGridGradientEvent OnGetCellGradient;
  // The colours a cell had before the selection coloured it (step 10 of its visual properties).
  TColor UnselectedBrushColor() const { return FUnselectedBrushColor; }
  TColor UnselectedFontColor() const { return FUnselectedFontColor; }

  // ---- Rich-text cells and cell property accessors (paint/GridRichText.cpp,
  //      model/RivErodovOzarCellAccess.cpp) ----
  void CellToRich(int Col, int Row, TRichEdit* Richeditor);
  String RichToString(TRichEdit* Richeditor);
  void RichToCell(int Col, int Row, TRichEdit* Richeditor);
  void DrawRichCell(int Col, int Row, TRect Rect, TCanvas* Canvas);
  // The hidden rich edit that renders, measures and converts rich-text cells.
  TRichEdit* RichEdit();
  TColor GetCellBackColor(int ACol, int ARow);
  void SetCellBackColor(int ACol, int ARow, TColor Value);
  void SetCellBackColorTo(int ACol, int ARow, TColor Value);
  TColor GetCellFontColor(int ACol, int ARow);
  void SetCellFontColor(int ACol, int ARow, TColor Value);
  TFontStyles GetCellFontStyle(int ACol, int ARow);
  void SetCellFontStyle(int ACol, int ARow, TFontStyles Value);
  void SetCellFontName(int ACol, int ARow, const String& Value);
  void SetCellFontSize(int ACol, int ARow, int Value);
  void SetCellAlignment(int ACol, int ARow, TAlignment Value);
  // False for a cell without properties, which then stays without them.
  bool GetCellReadOnly(int ACol, int ARow);
  void SetCellReadOnly(int ACol, int ARow, bool Value);
  TControl* GetCellControl(int ACol, int ARow);
  void SetRowBackColor(int ARow, TColor Color);
  void SetRowBackColorTo(int ARow, TColor Color);
  void SetRowFontColor(int ARow, TColor Color);
  String GetCellPlainText(int ACol, int ARow);
  // ARow is a real row for these.
  TObject* GetAllObject(int ACol, int ARow);
  TStrings* HiddenRowItems(int ARow);
  int GetAllColWidth(int ACol);
  // Display row to the real row it shows after sorting, and back.
  int SortedRowIndex(int ARow);
  int UnSortedRowIndex(int ARow);
  bool SelectionRTFKeep = false;
  bool SpreadSheet() const { return FSpreadSheet; }
  // Whatever the value, switches the spreadsheet behaviour on: the selection frame and resizer,
  // smart clipboard, range selection with editing.
  void SetSpreadSheet(bool Value);
  void SetSyncGrid(TSyncGrid* Value) { FSyncGrid->Assign(Value); }

  // ---- Events ----
  TRowUpdateEvent OnRowUpdate;
  TGridHintEvent OnGridHint;
  TGridWideHintEvent OnGridWideHint;
  TGridColorEvent OnGetCellColor;
  TGridColorEvent OnGetCellPrintColor;
  TGridBorderEvent OnGetCellBorder;
  TGridBorderEvent OnGetCellPrintBorder;
  TGridAlignEvent OnGetAlignment;
  TGridFormatEvent OnGetFormat;
  TGetEditorTypeEvent OnGetEditorType;
  TIsFixedCellEvent OnIsFixedCell;
  TCanEditCellEvent OnCanEditCell;
  TIsPasswordCellEvent OnIsPasswordCell;
  TWordWrapEvent OnGetWordWrap;
  THasComboBoxEvent OnHasComboBox;
  THasSpinEditEvent OnHasSpinEdit;
  TCheckTextEvent OnGetCheckTrue;
  TCheckTextEvent OnGetCheckFalse;
  TGetColumnFilterEvent OnGetColumnFilter;
  TSearchFooterActionEvent OnSearchFooterAction;
  TSelectionChangedEvent OnSelectionChanged;
  TAutoDeleteRowEvent OnAutoDeleteRow;
  TNotifyEvent OnFilterDone;
  TCellsChangedEvent OnCellsChanged;
  TGetEditEvent OnGetEditMaskEx;
  TDateTimeChangeEvent OnDateTimeChange;
  TEditChangeEvent OnEditChange;
  TClickCellEvent OnDatePickerCloseUp;
  TClickCellEvent OnDatePickerDropDown;
  TNotifyEvent OnRichEditSelectionChange;
  TNotifyEvent OnResize;

  // ======================================================================================
  // Tools (src/grid/tools): sorting, filtering, highlighting and marking, search and
  // replace, the search footer.

  // ---- Sorting (tools/GridSort.cpp, tools/GridSortCompare.cpp) ----
  void SortByColumn(int Col);
  void Sort(int Column, TSortDirection Direction);
  // Sorts the data rows between the fixed rows and the fixed footers by SortSettings.Column;
  // nothing when it is -1.
  virtual void QSort();
  // Sorts by SortIndexes; ERivGridError "No indexes specified for indexed sort" when empty.
  virtual void QSortIndexed();
  // Sort the child rows inside every expanded node of the deepest node level.
  virtual void QSortGroup();
  virtual void QSortGroupIndexed();
  void QuickSort(int Col, int Left, int Right);
  void QuickSortIndexed(int Left, int Right);
  // Every row back where it was when the cross-reference was last initialised.
  virtual void QUnSort();
  void InitSortXRef();
  bool SortLine(int Col, int ARow1, int ARow2);
  // -1, 0 or 1 for row 1 before, level with or after row 2 (Direction places blanks).
  int CompareCells(int ACol, int ARow1, TSortDirection Direction, int ARow2);
  int CompareRowsFrom(int ACol, int ARow1, int ARow2);
  int CompareRowsIndexed(int Depth, int ARow1, int ARow2);
  // For each row position, the position the row had before sorting.
  TIntList* SortRowXRef() const { return FSortRowXRef.get(); }
  int Swaps() const { return FSwapCount; }
  int SortDir = 1;
  int SortRow = 0;
  int Compares = 0;
  TCustomCompareEvent OnCustomCompare;
  TRawCompareEvent OnRawCompare;
  // A release on the sort row of a header sorts by that column (see ClickSortRelease).
  void ClickSortRelease(int ACol, int ARow);
  int SortTime = 0;  // milliseconds the last click-started sort took
  TCanSortEvent OnCanSort;
  TClickSortEvent OnClickSort;

  // ---- Filtering (tools/GridFiltering.cpp, tools/GridFilter.h) ----
  TFilter* Filter() const { return FFilter.get(); }
  TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
  void SetFilterDropDown(TFilterDropDown* Value) { FFilterDropDown->Assign(Value); }
  TDropList* DropList() const { return FDropList; }
  virtual bool MatchesFilter(int ARow);
  void FilterRow(int ARow);
  // Hides the failing data rows as one new level of hidden rows.
  void ApplyFilter();
  // Shows the last level again; true while levels remain.
  bool RemoveLastFilter();
  void RemoveAllFilters();
  void NarrowDown(const String& ACondition, int AColumn);
  bool FilterActive() const { return FFilterActive; }
  void SetFilterActive(bool Value);
  int FilterDropDownRow() const { return FFilterDropDownRow; }
  void SetFilterDropDownRow(int Value);
  virtual void ApplyFilterChoice(int ItemIndex);
  // Opens the column's filter entries under its filter-row cell (ACol a display column).
  void ShowFilterDropDown(int ACol);
  // A release on a filter-row cell's glyph zone opens its list (true); any other closes it.
  bool FilterDropDownRelease(int X, int Y);
  TCustomFilterEvent OnCustomFilter;
  TFilterProgressEvent OnFilterProgress;
  TFilterSelectEvent OnFilterSelect;
  int FFilterCol = -1;  // the column whose filter drop-down is open
  String FLastFilter;
  int FFilterFixedRows = 0;

  // ---- Highlighting and marking (tools/GridHighlight.cpp) ----
  String HilightText(bool DoCase, const String& S, const String& Text);
  String UnHilightText(const String& S);
  String MarkText(bool DoCase, const String& S, const String& Text);
  String UnMarkText(const String& S);
  void HilightInCell(bool DoCase, int Col, int Row, const String& HiText);
  void HilightInCol(bool DoFixed, bool DoCase, int Col, const String& HiText);
  void HilightInRow(bool DoFixed, bool DoCase, int Row, const String& HiText);
  void HilightInGrid(bool DoFixed, bool DoCase, const String& HiText);
  void UnHilightInCell(int Col, int Row);
  void UnHilightInCol(bool DoFixed, int Col);
  void UnHilightInRow(bool DoFixed, int Row);
  void UnHilightInGrid(bool DoFixed);
  void MarkInCell(bool DoCase, int Col, int Row, const String& HiText);
  void MarkInCol(bool DoFixed, bool DoCase, int Col, const String& HiText);
  void MarkInRow(bool DoFixed, bool DoCase, int Row, const String& HiText);
  void MarkInGrid(bool DoFixed, bool DoCase, const String& HiText);
  void UnMarkInCell(int Col, int Row);
  void UnMarkInCol(bool DoFixed, int Col);
  void UnMarkInRow(bool DoFixed, int Row);
  void UnMarkInGrid(bool DoFixed);

  // ---- Search and replace (tools/GridSearch.cpp) ----
  // The first row whose sort-column text, upper-cased, begins with s; -1 when none.
  int Search(const String& s);
  TPoint Find(TPoint StartCell, const String& s, TFindParams FindParams);
  TPoint FindWide(TPoint StartCell, const WideString& s, TFindParams FindParams);
  TPoint FindFirst(const String& s, TFindParams FindParams);
  TPoint FindNext();
  int Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams);
  TPoint SearchCell{0, 0};
  String SearchCache;
  WideString SearchCacheWide;
  TFindParams FFindParams;
  int FindCol = 0;
  int FindRow = 0;

  // ---- The search footer (tools/GridSearchFooter.cpp, tools/SearchPanel.h) ----
  TSearchPanel* SearchPanel() const { return FSearchPanel; }
  void UpdateSearchFooter();
  void SearchEditChange(TObject* Sender);
  void SearchForwardClick(TObject* Sender);
  void SearchBackwardClick(TObject* Sender);
  void SearchExitClick(TObject* Sender);
  void SearchHighlightClick(TObject* Sender);
  TSearchEditChangeEvent OnSearchEditChange;
  TNotifyEvent OnSearchFooterClose;
  TNotifyEvent OnCreatedSearchFooter;

 protected:
  class TSortFrame;
  TSortStyle DetectSortStyle(int ACol, int ARow1, const String& T1, const String& T2);
  int SortGraphicValue(int ACol, int ARow);
  void CopyToPivot(int ARow, int PivotRow);
  void SortWorker(int Col, int L, int R, int PivotRow);
  void SortWorkerIndexed(int L, int R, int PivotRow);
  void UnSortWorker(int L, int R);
  void SortGroups(bool Indexed);
  // The display row of the node that holds real row ARow.
  int NodeRowOfRealRow(int ARow);
  void RestoreRowAfterSort(int OldRow);
  String FilterValue(const TFilterData& Item, int ARow);
  void ShowLastFilterLevel();
  TPoint DoFind(TPoint StartCell, const String& S, TFindParams P, bool Wide, const WideString& W);
  bool CellMatchesSearch(int ACol, int ARow, bool Wide);
  TGridRect TagColRange(bool DoFixed, int Col);
  TGridRect TagRowRange(bool DoFixed, int Row, bool WithHidden);
  TGridRect TagGridRange(bool DoFixed, bool WithHidden);
  void ToolsCreated();
  TFindParams FooterFindParams(TFindParams Base);
  bool LastRowInView() const;
  int LastRowBottom() const;
  void SetSearchEditColor(TColor Value);
  void SearchFooterStep(bool Forward);
  std::unique_ptr<TFilter> FFilter;
  std::unique_ptr<TFilterDropDown> FFilterDropDown;
  TDropList* FDropList = nullptr;        // owned as a component
  TSearchPanel* FSearchPanel = nullptr;  // owned as a component
  bool FFilterActive = false;
  int FFilterDropDownRow = 0;

 public:
  // ---- Delimited text ----
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

  // ==== Data exchange: own text format, binary cell stream, clipboard, HTML, XML, fixed-width
  //      and aligned text, column states (exchange/GridTextFormat.cpp, GridBinaryStream.cpp,
  //      GridClipboard.cpp, GridSmartPaste.cpp, GridHTMLExport.cpp, GridXML.cpp,
  //      GridFixedText.cpp, GridColumnStates.cpp) ====
  // The grid's own line format: column widths and every non-empty cell. The file variant keeps
  // absolute positions; the stream variant (UTF-16) keeps positions relative to the save range
  // and stops at the first line that is not one of its own.
  void SaveToFile(const String& FileName, bool Unicode = false);
  void LoadFromFile(const String& FileName);
  void SaveToStream(TStream* Stream);
  void LoadFromStream(TStream* Stream);
  // The binary cell stream: texts, cell properties and cell graphics of a rectangle. A damaged
  // stream raises EReadError and leaves the grid as it was.
  void SaveRectToBinStream(const TRect& Rect, TStream* Stream);
  void SaveToBinStream(TStream* Stream);
  void LoadAtPointFromBinStream(const TPoint& Point, TStream* Stream);
  void LoadFromBinStream(TStream* Stream);
  void SaveToBinFile(const String& FileName);
  void LoadFromBinFile(const String& FileName);
  // The clipboard: tab-separated text always, the grid's own cells and rich text on request.
  void CopySelectionToClipboard();
  void CopyToClipBoard();
  void CutToClipboard();
  void CutSelectionToClipboard();
  void CopyToClipBoardAsHTML();
  void PasteFromClipboard();
  void PasteSelectionFromClipboard();
  virtual void PasteCellText(int ACol, int ARow, const String& Value);
  virtual void MarkPastedRowsModified(TPoint Origin, TRect Rect, TClipOperation LastOp);
  virtual bool UseFormattedClipboard();
  TPoint ClipTopLeft() const { return FClipTopLeft; }
  TClipOperation LastClipOperation() const { return FLastClipOp; }
  TBeforeCellPasteWideEvent OnClipboardBeforePasteWideCell;
  TAfterCellPasteWideEvent OnClipboardAfterPasteWideCell;
  // HTML export.
  THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
  void SetHTMLSettings(THTMLSettings* Value);
  String SaveToHTMLString(const String& dir);
  void SaveToHTML(const String& FileName, bool Show = false);
  void AppendToHTML(const String& FileName);
  // XML records, fixed-width text and the aligned text table.
  void SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr, TStrings* FieldDescr,
                 bool ExportEmptyCells = false);
  void LoadFromXML(const String& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);
  void SaveToFixed(const String& FileName, TIntList* positions);
  void LoadFromFixed(const String& FileName, TIntList* positions, bool DoTrim = true, int MaxRows = -1);
  void SaveToASCII(const String& FileName, bool Unicode = false);
  void AppendToASCII(const String& FileName, bool Unicode = false);
  // Settings kept outside the program (exchange/GridColumnStates.cpp): column widths and order
  // in the INI file or registry key ColumnSize names, and the column arrangement as one string.
  void SaveColSizes();
  void LoadColSizes();
  virtual void SaveColPositions();
  virtual void LoadColPositions();
  String ColumnStatesToString();
  void StringToColumnStates(const String& Value);

 private:
  // What a text paste did: the count of fields and the lines and fields of the last line.
  struct TPasteResult {
    int Count = 0;
    int Lines = 0;
    int Fields = 0;
  };
  TPasteResult PasteAt(int ACol, int ARow, TGridImportState RowState);
  TPasteResult PasteTextAt(const String& Text, int ACol, int ARow, TGridImportState RowState);
  void CopyRectToClipboard(int ALeft, int ATop, int ARight, int ABottom, bool Filter);
  String ClipboardCellText(int ACol, int ARow);
  void WidenSelectionToMerges();
  void SmartPaste(const TPasteResult& Pasted);
  bool SmartSeries(const TGridRect& Sel, int Count);
  void SmartRepeat(const TGridRect& Sel, int Count);
  void PasteSmartCell(int ACol, int ARow, const String& Value, bool Announce);
  String CellContentWithPictures(int ACol, int ARow, const String& Text, const String& Raw,
                                 THTMLPictureWriter& Pictures);
  void ASCIIText(const String& FileName, bool Append, String& Out);
  void WriteASCII(const String& FileName, bool Unicode, bool Append);
  TPoint FClipTopLeft{-1, -1};
  TClipOperation FLastClipOp = coCopy;
  std::unique_ptr<THTMLSettings> FHTMLSettings = std::make_unique<THTMLSettings>();

 public:
  // ==== end of data exchange ====

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

  // ---- Tree nodes and child rows (RivErodovOzarNodes.cpp, RivErodovOzarChildRows.cpp) ----
  // AddNode, RemoveNode, ExpandNode, ContractNode, InsertChildRow, RemoveChildRow and
  // InsertNormalRow take real rows; the others display rows.
  void AddNode(int ARow, int Span);
  void SetSummaryRow(int ARow);
  void RemoveNode(int ARow);
  void RemoveAllNodes();
  bool GetNodeState(int ARow);
  void SetNodeState(int ARow, bool Value);
  int GetNodeLevel(int ARow);
  int GetNodeSpan(int ARow);
  void SetNodeSpan(int ARow, int Span);
  void UpdateNodeSpan(int ARow, int Delta);
  int GetSubNodeCount(int ARow);
  void UpdateSubNodeCount(int ARow, int Delta);
  bool IsNode(int ARow);
  bool IsSummary(int ARow);
  void ExpandNode(int ARow);
  void ContractNode(int ARow);
  void ExpandAll();
  void ContractAll();
  int GetParentRow(int ARow);
  // Tree-line shape for the painter: 0 node row, 1 last row of a branch, 2 a row with more
  // below it on its level.
  int GetNodeSpanType(int ARow);
  bool IsInNodeGlyph(int ARow, int X);
  void InsertChildRow(int ARow, int InsertAt);
  void RemoveChildRow(int ARow);
  void InsertNormalRow(int ARow);
  void RemoveNormalRow(int ARow);
  int NumNodes() const { return FNumNodes; }
  TNodeClickEvent OnExpandNode;
  TNodeClickEvent OnContractNode;
  TNodeAllowEvent OnBeforeExpandNode;
  TNodeAllowEvent OnBeforeContractNode;

  // ---- Grouping (tools/GridGrouping.cpp, tools/GridSubGrouping.cpp, tools/GridGroupCalc.cpp) ----
  TGrouping* Grouping() const { return FGrouping.get(); }
  // The grouped column, -1 when the grid is not grouped.
  int GroupColumn() const { return FGroupColumn; }
  // -1 ungroups; any other value groups on that column.
  void SetGroupColumn(int Value);
  virtual void Group(int Colindex);
  virtual void UnGroup();
  virtual void SubGroup(int Colindex);
  virtual void SubUnGroup(int Colindex);
  // Method 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 custom (OnGroupCalc).
  void GroupCalc(int Colindex, int method);
  void GroupSum(int Colindex) { GroupCalc(Colindex, 1); }
  void GroupAvg(int Colindex) { GroupCalc(Colindex, 2); }
  void GroupMin(int Colindex) { GroupCalc(Colindex, 3); }
  void GroupMax(int Colindex) { GroupCalc(Colindex, 4); }
  void GroupCount(int Colindex) { GroupCalc(Colindex, 5); }
  void GroupCustomCalc(int Colindex) { GroupCalc(Colindex, 6); }
  bool IsGrouping() const { return FIsGrouping; }

 protected:
  // The ctNode graphic of display row ARow, nullptr for other rows.
  TCellGraphic* NodeGraphic(int ARow);
  void DoExpandNode(int ARow);
  // The user's toggle of the node at display row ARow, between the before and after events.
  void ToggleNode(int ARow);
  // Adds Delta to the node level of display rows From..To, making properties where needed.
  void ShiftNodeLevels(int From, int To, int Delta);
  // The display row of the first node row after ARow, RowCount when there is none.
  int NextNodeRow(int ARow);
  void SetHeaderColors(int ARow);
  // The header colours on one (merged) cell instead of the row.
  void SetHeaderCellColors(int ACol, int ARow);
  void SetSummaryColors(int ARow);
  void ResetRowColors(int ARow, bool Summary);
  int FNumNodes = 0;
  std::unique_ptr<TGrouping> FGrouping = std::make_unique<TGrouping>(this);
  int FGroupColumn = -1;
  int FGroupWidth = 0;
  String FGroupCaption;
  String FGroupFooter;
  bool FIsGrouping = false;

 public:
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

  // ==== Cell graphics and controls ====
  // A cell carries at most one TCellGraphic. Cells are addressed as the cell store holds them
  // (real column, display row) unless an operation says otherwise; operations that say "base"
  // first move to the base cell of a merged block. Add and Create operations give the cell a
  // fresh graphic and free the one it had; Create operations make the object (bitmap,
  // picture, icon, list) that the graphic then owns, Add operations keep the caller's.

  // ---- Settings objects and graphic bookkeeping (RivErodovOzarGraphics.cpp) ----
  TCellNode* CellNode() const { return FCellNode.get(); }
  TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
  TColumnSize* ColumnSize() const { return FColumnSize.get(); }
  TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
  TShowModified* ShowModified() const { return FShowModified.get(); }
  // Links in cells: shown as links, also inside text, in this colour, whole cell as link.
  bool URLShow() const { return FURLShow; }
  void SetURLShow(bool Value);
  bool URLShowInText() const { return FURLShowInText; }
  void SetURLShowInText(bool Value);
  TColor URLColor() const { return FURLColor; }
  void SetURLColor(TColor Value);
  bool URLFull() const { return FURLFull; }
  void SetURLFull(bool Value);
  // Detaches and frees the cell's graphic; false when it has none. The shared graphics of
  // virtual and row check boxes are only detached.
  bool RemoveCellGraphic(int ACol, int ARow);
  // RemoveCellGraphic when the cell's graphic is of that kind, else false.
  bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType ACellType);
  // The change event of image-index lists: repaints the cell the list is tagged with.
  void ImageIndexesChanged(TObject* Sender, int ACol, int ARow);

  // ---- Graphic sizes (RivErodovOzarGraphicSize.cpp) ----
  // The size a cell's graphic takes on screen; (0, 0) without one.
  virtual TPoint GetCellGraphicSize(int ACol, int ARow);
  // The same for printing and scaled output in a cell of CellWidth x CellHeight pixels.
  virtual TPoint GetCellGraphicSizeScaled(int ACol, int ARow, double Scale, int CellWidth, int CellHeight);

  // ---- Column order (RivErodovOzarColumnOrder.cpp) ----
  // Records the current order: entry i (display position i) becomes i.
  void SetColumnOrder();
  // Unhides every column and moves the columns back to their recorded positions.
  void ResetColumnOrder();
  // The display position of recorded column ACol, and the recorded column at position ACol.
  int ColumnPosition(int ACol);
  int ColumnAtPosition(int ACol);
  // The first real column whose header (row 0) reads AValue exactly; -1 when none.
  int ColumnByHeader(const String& AValue);
  // Empty until an order is recorded.
  TIntList* ColumnOrder() const { return FColumnOrder.get(); }

  // ---- Pictures, icons and images (RivErodovOzarPictures.cpp) ----
  void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap* CreateBitmap(int ACol, int ARow, bool transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap* GetBitmap(int ACol, int ARow);
  void RemoveBitmap(int ACol, int ARow);
  void AddPicture(int ACol, int ARow, TPicture* APicture, bool transparent, TStretchMode stretchmode, int padding,
                  TCellHAlign hal, TCellVAlign val);
  TPicture* CreatePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode, int padding,
                          TCellHAlign hal, TCellVAlign val);
  TPicture* GetPicture(int ACol, int ARow);
  void RemovePicture(int ACol, int ARow);
  void AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool transparent, TStretchMode stretchmode,
                      int padding, TCellHAlign hal, TCellVAlign val);
  TFilePicture* CreateFilePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode, int padding,
                                  TCellHAlign hal, TCellVAlign val);
  TFilePicture* GetFilePicture(int ACol, int ARow);
  void RemoveFilePicture(int ACol, int ARow);
  void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
  TIcon* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
  void RemoveIcon(int ACol, int ARow);
  // The image-index operations do nothing (answer false) while GridImages is not set.
  void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
  bool GetImageIdx(int ACol, int ARow, int& idx);
  void SetImageIdx(int ACol, int ARow, int Idx);
  void RemoveImageIdx(int ACol, int ARow);
  // The image shown is the one whose index is the cell's text.
  void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
  bool HasDataImage(int ACol, int ARow);
  void RemoveDataImage(int ACol, int ARow);
  // The caller adds the indexes through GetCellImageIndexes; Dir 0 lays them out horizontally.
  void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
  void RemoveMultiImage(int ACol, int ARow);
  void AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent* AObject);
  TInterfacedPersistent* GetInterfacedCell(int ACol, int ARow);
  void RemoveInterfacedCell(int ACol, int ARow);

  // ---- Progress bars, indicators, shapes, ratings and scroll bars (RivErodovOzarIndicators.cpp) ----
  void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
  void SetProgressPie(int ACol, int ARow, int Value);
  void RemoveProgressPie(int ACol, int ARow);
  // A multi-level bar in ProgressAppearance's colours over the range Min..Max.
  void AddRivProgress(int ACol, int ARow, int Min, int Max);
  void RemoveRivProgress(int ACol, int ARow);
  void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
  void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
  void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                            TColor BKTextColor, const String& Fmt, int Min, int Max);
  void RemoveProgress(int ACol, int ARow);
  void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
  void RemoveRangeIndicator(int ACol, int ARow);
  void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                TCellVAlign val);
  void SetShapeColor(int ACol, int ARow, TColor FillColor);
  // clNone for a cell without a shape.
  TColor GetShapeColor(int ACol, int ARow);
  void RemoveShape(int ACol, int ARow);
  // The rating value itself is the cell's text.
  void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
  bool HasRating(int ACol, int ARow);
  void RemoveRating(int ACol, int ARow);
  // With AutoRange the page size follows the row's height and the range the text's height.
  void AddScrollBar(int ACol, int ARow, bool AutoRange);
  bool HasScrollBar(int ACol, int ARow);
  bool HasAutoRangeScrollBar(int ACol, int ARow);
  void SetScrollPosition(int ACol, int ARow, int Pos);
  // -1 without a scroll bar.
  int GetScrollPosition(int ACol, int ARow);
  void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
  // Page size and range -1 without a scroll bar.
  TScrollProp GetScrollProp(int ACol, int ARow);
  void RemoveScrollBar(int ACol, int ARow);
  void CellTextChanged(int ACol, int ARow) override;

  // ---- Comments, balloons, error markers and rotated text (RivErodovOzarAnnotations.cpp) ----
  void AddComment(int ACol, int ARow, const String& Comment);
  void AddColorComment(int ACol, int ARow, const String& Comment, TColor Color);
  bool IsComment(int ACol, int ARow, String& comment);
  void RemoveComment(int ACol, int ARow);
  void RemoveAllComments();
  // A cell that holds a check box or radio button keeps it and carries the balloon with it;
  // a cell holding any other graphic is left unchanged.
  void AddBalloon(int ACol, int ARow, const String& Title, const String& Text, TBalloonIcon Icon);
  void RemoveBalloon(int ACol, int ARow);
  bool HasBalloon(int ACol, int ARow);
  bool IsBalloon(int ACol, int ARow, String& Title, String& Text, TBalloonIcon& Icon);
  // Marks ErrLen characters from ErrPos of the cell text; the cell keeps any graphic it has.
  void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
  void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
  void RemoveMarker(int ACol, int ARow);
  void RemoveAllMarkers();
  void AddRotated(int ACol, int ARow, int16_t AAngle, const String& s);
  void SetRotated(int ACol, int ARow, int16_t AAngle);
  bool IsRotated(int ACol, int ARow, int& aAngle);
  void RemoveRotated(int ACol, int ARow);

  // ---- Buttons and radio groups (RivErodovOzarButtons.cpp) ----
  void AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
  void AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                    TCellVAlign val);
  TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                           TCellVAlign val);
  // ACol is a display column for these three.
  void SetButtonText(int ACol, int ARow, const String& Caption);
  String GetButtonText(int ACol, int ARow);
  void PushButton(int ACol, int ARow, bool push);
  bool HasButton(int ACol, int ARow);
  void RemoveButton(int ACol, int ARow);
  void RemoveAllButtons();
  // Where the painter last put the button of the cell (display column ACol), in client pixels.
  TRect GetCellButtonRect(int ACol, int ARow);
  // DirRadio other than 0 lays the options out horizontally; IdxRadio is the chosen option,
  // -1 for none, below -1 to keep the choice in the cell text.
  void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl);
  TStrings* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
  bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
  bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
  TStrings* GetRadioStrings(int ACol, int ARow);
  bool IsRadio(int ACol, int ARow);
  void RemoveRadio(int ACol, int ARow);
  // Chooses the next option of a radio group (the key handling's space bar); always false.
  bool CycleRadioGroup(int ACol, int ARow, bool CheckEdit);
  virtual bool DoRatingChange(int ACol, int ARow, double& NewRate);
  virtual void DoColorSelect(int ACol, int ARow, TColor Color, const String& Value);
  virtual void DoImageSelect(int ACol, int ARow, int Index);
  virtual void DoCanAddRow(bool& CanAdd);
  virtual void DoCanInsertRow(int ARow, bool& CanInsert);
  TRatingChangeEvent OnRatingChange;
  TColorSelectEvent OnColorSelect;
  TImageSelectEvent OnImageSelect;
  TCanAddRowEvent OnCanAddRow;
  TCanInsertRowEvent OnCanInsertRow;

  // ---- Check boxes (RivErodovOzarCheckBoxes.cpp) ----
  // ERivGridError "Invalid cell" outside the columns and rows (hidden ones counted).
  void AddCheckBox(int ACol, int ARow, bool State, bool Data);
  void RemoveCheckBox(int ACol, int ARow);
  void AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox);
  void RemoveCheckBoxColumn(int ACol);
  bool HasCheckBox(int ACol, int ARow);
  bool HasDataCheckBox(int ACol, int ARow);
  bool HasDataGraphic(int ACol, int ARow);
  bool HasControlGraphic(int ACol, int ARow);
  // With hidden rows ARow counts real rows, and a hidden row's check box is read where the
  // row is kept.
  bool GetCheckBoxState(int ACol, int ARow, bool& state);
  bool IsChecked(int ACol, int ARow);
  // Sets the state without a change event.
  bool SetCheckBoxState(int ACol, int ARow, bool state);
  // Sets the state and fires the change event when it changed.
  bool SetCheckBoxStateNotify(int ACol, int ARow, bool state);
  bool ToggleCheckBox(int ACol, int ARow);
  void CheckAll(int ACol);
  void UnCheckAll(int ACol);
  // Whether a client point hits the box of a check box or radio button cell.
  bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
  // Toggles with undo and the change event; with CheckEdit the cell must be editable.
  virtual bool DoToggleCheckBox(int ACol, int ARow, bool CheckEdit);
  virtual bool DoToggleRadioButton(int ACol, int ARow, bool CheckEdit);
  virtual void DoCheckBoxChange(int ACol, int ARow, bool State);
  // Undo and redo of a toggled check box set its state back.
  void SetUndoneCellText(int ACol, int ARow, const String& Value, bool CheckBox) override;
  TCheckBoxClickEvent OnCheckBoxChange;

  // ---- Radio buttons (RivErodovOzarRadioButtons.cpp) ----
  void AddRadioButton(int ACol, int ARow, bool State);
  void RemoveRadioButton(int ACol, int ARow);
  bool HasRadioButton(int ACol, int ARow);
  bool IsRadioButtonChecked(int ACol, int ARow);
  bool SetRadioButtonState(int ACol, int ARow, bool State);
  void AddRadioButtonColumn(int ACol);
  void RemoveRadioButtonColumn(int ACol);
  void SetRadioButtonColumnIndex(int ACol, int Index);
  // The first data row with a checked radio button, -1 when none.
  int GetRadioButtonColumnIndex(int ACol);

  // ---- Removing and clearing by check box and selection ----
  // Removes, bottom up, every data row whose check box in CheckBoxColumn is RemoveChecked.
  void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
  // Empties the selected rows, columns or rectangle.
  void ClearSelection();

 protected:
  // ---- Cell graphics and controls: internals ----
  void ColumnMoved(int FromIndex, int ToIndex) override;
  // A fresh graphic for an Add operation; when the cell's graphic owned AObject, the new
  // graphic takes it over (Owned true) instead of the old one freeing it.
  TCellGraphic* FreshGraphic(int ACol, int ARow, const TObject* AObject, bool& Owned);
  // The graphic of a cell for the check-box operations: through the hidden-row store when
  // rows are hidden (ARow then real), with the cell's text and where to write it.
  struct TCheckCell {
    TCellGraphic* Graphic = nullptr;
    int Col = 0;
    int Row = 0;                  // the row as asked
    int RealRow = 0;
    int DisplayRow = -1;          // -1 for a hidden row
    TGridItem* Hidden = nullptr;  // the hidden row's store item
  };
  TCheckCell FindCheckCell(int ACol, int ARow);
  // The cell's graphic when it is of that kind, else nullptr; the "base" form first moves to
  // the base cell of a merged block.
  TCellGraphic* CellGraphicOfType(int ACol, int ARow, TCellType AType);
  TCellType BaseCellType(int ACol, int ARow);
  String CheckCellText(const TCheckCell& Cell);
  void SetCheckCellText(const TCheckCell& Cell, const String& Value);
  bool IsCheckCellChecked(const TCheckCell& Cell);
  // The placement a new check box or radio button takes from the grid's vertical alignment.
  TCellVAlign ControlVAlign() const;
  // ERivGridError "Invalid cell" for a cell outside the columns and rows.
  void CheckCellRange(int ACol, int ARow) const;
  void UpdateAutoRangeScrollBar(int ACol, int ARow, TCellGraphic* Graphic);
  std::unique_ptr<TCellNode> FCellNode = std::make_unique<TCellNode>(this);
  std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
  std::unique_ptr<TColumnSize> FColumnSize = std::make_unique<TColumnSize>(this);
  std::unique_ptr<TGridProgressAppearance> FProgressAppearance = std::make_unique<TGridProgressAppearance>();
  std::unique_ptr<TShowModified> FShowModified = std::make_unique<TShowModified>();
  std::unique_ptr<TIntList> FColumnOrder = std::make_unique<TIntList>(0, 0);
  TCustomImageList* FGridImages = nullptr;
  bool FURLShow = false;
  bool FURLShowInText = false;
  TColor FURLColor = 0xFF0000;
  bool FURLFull = false;

 public:

 protected:
  virtual void DoAutoSizeCol(int ACol, bool GrowOnly);
  virtual void DoAutoSizeRow(int ARow, bool GrowOnly);
  // Whether row ARow of column ACol takes part in the column statistics.
  bool IsCalcCell(int ACol, int ARow, bool Hidden);
  // The cell's number when it holds one.
  bool CellNumber(int ACol, int ARow, bool AllRows, double& Value);
  // RealRows reads the range by real row, as a range beyond the display rows always is.
  double ColumnStat(int ACol, int fromRow, int toRow, int Stat, bool RealRows = false);
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

 protected:
  // Stores a text read by a loader into exactly that cell.
  virtual void SetLoadedCellText(int ACol, int ARow, const String& Value);
  virtual String GetSavedCellText(int ACol, int ARow);

  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  String GetEditMask(int ACol, int ARow) override;
  void Resize() override;
  void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The row workers shared by hiding, removing and inserting.
  virtual void InsertRowsCore(int RowIndex, int RCount, bool UpdateCellControls);
  virtual void RemoveRowsCore(int RowIndex, int RCount, bool ShiftHidden);
  virtual void DeleteRowRun(int RowIndex, int RCount);
  // Removal by copying; ShiftHidden lowers the indexes of the hidden rows after the run.
  void RemoveRowsExCore(int RowIndex, int RCount, bool ShiftHidden);
  void RestoreHiddenItems(std::vector<std::unique_ptr<TGridItem>> Items);
  // Bookkeeping after the row count changed by an insertion or a removal.
  void RowCountChanged();
  // The current row and the change notice after a run of rows was removed.
  void AfterRowsRemoved(int RowIndex, int RCount, int OldRow, int OldTopRow);
  // Frees the properties (and their graphics) of the cells of rows Row1..Row2 over every
  // stored column.
  void FreeRowProperties(int Row1, int Row2);
  // Frees the properties (and their graphics) that the hidden rows keep in columns
  // FromCol..ToCol.
  void FreeHiddenRowProperties(int FromCol, int ToCol);
  // Keeps an update block open for the lifetime of the guard.
  class TUpdateBlock {
   public:
    explicit TUpdateBlock(TRivErodovOzar* AGrid) : FGrid(AGrid) { FGrid->BeginUpdate(); }
    ~TUpdateBlock() { FGrid->EndUpdate(); }
   private:
    TRivErodovOzar* FGrid;
  };
  void ShiftHiddenRowIndexes(int AboveReal, int Delta);
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
  bool IsStreaming() const { return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading); }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying) || FDestroyingGrid; }
  void ShiftSideListsInserted(int RowIndex, int RCount);
  void ShiftSideListsRemoved(int RowIndex, int RCount);

  int FFixedRowsMin = 1;
  int FFixedColsMin = 1;
  int FMaxRowCount = 0;
  int FMaxColCount = 0;
  int FFixedFooters = 0;
  int FFixedRightCols = 0;
  int FFixedRowHeight = 22;
  bool FFixedRowAlways = false;
  bool FFixedColAlways = false;
  std::array<bool, 513> FVisibleCol{};
  std::array<uint16_t, 513> FAllColWidths{};
  int FNumHidden = 0;
  TGridItems FGridItems;
  int FFilterLevel = 0;
  int FUpdateCount = 0;
  bool FLoaded = false;
  int FOldCursor = 0;
  TAlignment FDefaultAlignment = taLeftJustify;
  bool FGridWordWrap = true;
  bool FNilObjects = false;
  bool FBlockCellsChanged = false;
  bool FEditChangeFlag = false;
  bool FEditingTakenOut = false;  // goEditing taken out by the grid over a read-only cell
  bool FDestroyingGrid = false;
  bool FEntered = false;
  int FLastReportedRow = -1;
  String FSearchText;
  // Side lists per display row.
  std::unique_ptr<TIntList> FModifiedRows;
  std::unique_ptr<TIntList> FEnabledRows;
  std::unique_ptr<TIntList> FRowSelect;
  std::unique_ptr<TIntList> FColSelect;
  std::unique_ptr<TIntList> FSelectedRows;
  std::unique_ptr<TIntList> FSortRowXRef;
  std::unique_ptr<TIntList> FUnSortRowXRef;
  std::unique_ptr<TIntList> FMergedColumns;
  std::unique_ptr<TIntList> FSelectedCells;
  std::unique_ptr<TIntList> FIgnoreColumns;
  std::unique_ptr<TStringList> FColumnHeaders;
  std::unique_ptr<TStringList> FRowHeaders;
  std::unique_ptr<TStringList> FLookupItems;
  std::unique_ptr<TStringList> FFilterList;
  std::unique_ptr<TStringList> FSortList;
  friend class TControlLook;
  // Looks: the look, the last style, the fixed-cell, hover and pressed gradients.
  void ApplyLookPreset(TGridLook Value);
  void SetGridGradient(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo);
  void SetControlLookGradient(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo);
  void SetHoverColors(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo);
  void SetDownColors(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo, TColor Border);
  void ApplySelectionColors(TColor Brush, TColor ColorTo, TColor Mirror, TColor MirrorTo, TBrush* ABrush,
                            TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo, TFont* AFont);
  TGridLook FLook = glXP;
  TRivGridStyle FStyle = gsWindowsXP;
  TOfficeTheme FOldOfficeTheme = otUnknown;
  bool FFlat = false;
  TColor FVAVGradFrom = 0xFFFFFF;
  TColor FVAVGradTo = 0;
  TColor FVAVGradMirrorFrom = clNone;
  TColor FVAVGradMirrorTo = clNone;
  TColor FVAVGradHoverFrom = 0;
  TColor FVAVGradHoverTo = 0;
  TColor FVAVGradHoverMirrorFrom = 0;
  TColor FVAVGradHoverMirrorTo = 0;
  TColor FVAVGradHoverBorder = 0;
  TColor FVAVGradDownFrom = 0;
  TColor FVAVGradDownTo = 0;
  TColor FVAVGradDownMirrorFrom = 0;
  TColor FVAVGradDownMirrorTo = 0;
  TColor FVAVGradDownBorder = 0;
  TLookBorder FLastLookBorder;
  std::unique_ptr<TControlLook> FControlLook;
  std::unique_ptr<TSortSettings> FSortSettings = std::make_unique<TSortSettings>(this);
  std::unique_ptr<TSortIndexList> FSortIndexes = std::make_unique<TSortIndexList>();
  TColor FUnselectedBrushColor = clNone;
  TColor FUnselectedFontColor = clNone;
  TRichEdit* FRichEdit = nullptr;  // owned as a component
  void RepaintAccessedCell(int ACol, int ARow);
  bool FSpreadSheet = false;
  void ClearCellLooks(int ACol, int ARow);
  std::unique_ptr<TFont> FFixedFont;
  std::unique_ptr<TFont> FActiveCellFont;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TNavigation> FNavigation;
  std::unique_ptr<TBands> FBands;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  std::unique_ptr<TSyncGrid> FSyncGrid;
  std::unique_ptr<TCellGraphic> FRowCheckGraphic;
  std::vector<TGridChangeNotifier*> FNotifierList;
  int FSortColumn = -1;
  int FSwapCount = 0;


  // ======================================================================================
  // Editing (src/grid/editing): the inplace text editor, editor activation and cell
  // selection, cell advance and the key press, validation and change notification, Tab
  // navigation, the inplace editor's show, hide and done, focus, the grid timer, painting
  // messages, sizing and the update lock.
  // ======================================================================================
 public:
  // ---- Update lock (GridUpdateLock.cpp) ----
  // Every call counts; only the window's redraw switching depends on the grid being visible,
  // so a grid hidden between the two calls paints again after the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  // A short lock inside one message, without touching the redraw state; ResetUpdate ends it
  // and any lock around it, without redrawing.
  void StartUpdate() { ++FUpdateCount; }
  void ResetUpdate() { FUpdateCount = 0; }
  bool LockUpdate() const { return FUpdateCount > 0; }
  void SetLockUpdate(bool Value);

  // ---- Editor activation and cell selection (GridEditActivation.cpp) ----
  // The plain inplace editor, nullptr until the platform made it.
  TRivInplaceEdit* NormalEdit() const;
  bool IsEditable(int ACol, int ARow);
  // The inplace editor handles Tab itself (and validates) with goTabs or a validation handler.
  bool EditorWantsTab() const;
  void RegisterNotifier(TGridChangeNotifier* Item);
  void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
  bool IsPasswordCell(int ACol, int ARow);
  void RepaintActiveHeaders(int OldCol, int OldRow, int NewCol, int NewRow);
  // The current cell's stored text (real column), and its write.
  String CurrentCell();
  void SetCurrentCell(const String& Value);
  String GetCurrentCellText() { return CurrentCell(); }
  void SetCurrentCellText(const String& Value) { SetCurrentCell(Value); }
  virtual void SetEditCellText(int ACol, int ARow, const String& Value);
  // Escape during an edit: the text the current cell had when editing began goes back.
  virtual void RestoreCellCache();
  virtual void DoGetEditorProp(int ACol, int ARow, TObject* AEditLink);
  virtual void RefreshGrid() { Invalidate(); }
  virtual void StopEditing();
  virtual void DoCellChanging(int NewCol, int NewRow, bool& Allow);
  virtual bool CanShowFixedDropDown(int ACol);
  virtual void DoStartBlockFocus();
  virtual void DoEndBlockFocus();
  // DoCanAddRow(bool&) answered as a value, for the editing code.
  bool DoCanAddRow();

  // ---- Cell advance and the key press (GridCellAdvance.cpp) ----
  // Moves the current cell from (ACol, ARow) to the next (Forward) or previous cell and, with
  // ShowEditor, opens the editor there; Force works also without Navigation.AdvanceOnEnter.
  void AdvanceEdit(int ACol, int ARow, bool ShowEditor, bool Recursing, bool Forward, bool AutoEdit, bool Force);
  // The step after Enter: AdvanceEdit without an editor, forwards, auto-edit.
  void AdvanceOnEnterStep(int ACol, int ARow, bool Forced);
  void NextCellControl(int ACol, int ARow, const String& ID);
  int FirstDataCol();
  virtual void AppendRow();
  // Appends one data row as Down on the last row does (OnCanAddRow may refuse).
  void AutoAppendRow();
  bool IsLastDataRow();

  // ---- Validation and change notification (GridCellValidation.cpp) ----
  virtual bool ValidateCell(const String& NewValue);
  virtual bool ValidateCellWide(const WideString& NewValue);
  virtual void StoreOldCell(int ACol, int ARow);
  virtual void CellValidated(int ACol, int ARow);
  bool GridModified() const { return FGridModified; }
  void SetGridModified(bool Value) { FGridModified = Value; }
  bool LastValidation() const { return FLastValidation; }
  // The invalid-entry balloon last shown (title and text), for whoever checks it.
  const String& ShownBalloonText() const { return FShownBalloonText; }

  // ---- Tab navigation (GridTabNavigation.cpp) ----
  void TabToNextCell(bool Backward);
  // The inplace editor's Tab move.
  void TabMove(bool Backward) { TabToNextCell(Backward); }
  int FirstTabColumn();
  int VisibleFixedRightCols();
  virtual void GotoFirstRow();

  // ---- Inplace editor show, hide and done (GridInplaceShowHide.cpp) ----
  void ShowInplaceEdit();
  void HideInplaceEdit();
  void DoneInplaceEdit(Word Key, TShiftState Shift);
  // The end of an edit: OnEditingDone, then "GridEditDone" posted to the grid.
  void NotifyEditDone(int ACol, int ARow);
  void DoEditingDone(int ACol, int ARow) { NotifyEditDone(ACol, ARow); }
  void Select() { SelectCell(Col(), Row()); }
  void SimulateCellClick(int ACol, int ARow);
  void CellControlsUpdate(bool RebuildList);
  virtual void DoEllipsClick(const String& S, String& Result);
  bool EditActive() const { return FEditActive; }
  // The message id registered as "GridEditDone".
  static UINT GridEditDoneMessage();
  // The platform's hide also ends the edit mode of the plain editor.
  void HideEditor() override;

  // ---- Focus, timer, painting and sizing (GridWindowMessages.cpp) ----
  void WndProc(TMessage& Message) override;
  bool HasCellBorders() override;
  void OwnerFormResize(TObject* Sender);
  int TimerTicks() const { return FTimerTicks; }
  void SetTimerTicks(int Value) { FTimerTicks = Value; }
  static constexpr uintptr_t GridTimerID = 111;
  static constexpr UINT GridTimerInterval = 500;

  // ---- Settings and state of editing ----
  bool EditMode = false;
  TEditorType EditControl = edNormal;
  int MaxEditLength = 0;
  bool Lookup = false;
  bool LookupCaseSensitive = false;
  bool LookupHistory = false;
  String ValidChars;
  bool AlwaysValidate = false;
  bool EditWithTags = false;
  bool Hovering = false;
  bool EnableBlink = false;
  bool SizeWithForm = false;
  bool LButFlg = false;
  // The incremental search text and its age in timer ticks.
  String SearchInc;
  int SearchTics = 0;
  String IncrSearchText() const { return SearchInc; }

  TCellValidateEvent OnCellValidate;
  TCellValidateWideEvent OnCellValidateWide;
  TNotifyEvent OnEditingDone;
  TEditCellDoneEvent OnEditCellDone;
  TAutoAdvanceEvent OnAutoAdvance;
  TAutoAddRowEvent OnAutoAddRow;
  TAutoInsertColEvent OnAutoInsertCol;
  TRowChangingEvent OnRowChanging;
  TColChangingEvent OnColChanging;
  TCellChangingEvent OnCellChanging;
  TRowChangedEvent OnRowChanged;
  TGetEditorPropEvent OnGetEditorProp;
  TClickCellEvent OnGetEditorPropInt;
  TClickCellEvent OnDblClickCell;
  TClipboardEvent OnClipboardCopy;
  TClipboardEvent OnClipboardCut;
  TClipboardEvent OnClipboardPaste;
  TClipboardPasteCellEvent OnClipboardBeforePasteCell;
  TClipboardAfterPasteCellEvent OnClipboardAfterPasteCell;
  TEndRowSizeEvent OnEndRowSize;
  TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
  TNotifyEvent OnStartBlockFocus;
  TNotifyEvent OnEndBlockFocus;
  TEllipsClickEvent OnEllipsClick;

 protected:
  friend class TRivInplaceEdit;
  // Overrides of the platform grid.
  TInplaceEdit* CreateEditor() override;
  bool CanEditShow() override;
  bool SelectCell(int ACol, int ARow) override;
  int GetEditLimit() override { return MaxEditLength; }
  void KeyPress(char& Key) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void TopLeftChanged() override;
  void CreateWnd() override;
  void DoEnter() override;
  void DoExit() override;
  // Message handlers of the grid's window.
  void HandleSetFocus(TMessage& Message);
  void HandleKillFocus(TMessage& Message);
  void HandleEndEditMessage(TMessage& Message);
  void HandleTimerMessage(TMessage& Message);
  void HandlePaintMessage(TMessage& Message);
  void HandleEraseBackground(TMessage& Message);
  void HandleSizeMessage(TMessage& Message);
  void HandleColorChanged(TMessage& Message);
  void HandleFontChanged(TMessage& Message);
  void HandleEditDone(TMessage& Message);
  // One full pass of the advance from the start cell: how many cells the skipping of
  // non-editable cells may visit before it gives up.
  int AdvanceCellBudget();
  // A refused value goes back (the handler's replacement or the old text) and the editor opens
  // on the edited cell again.
  void RefuseValue(int C, int R, const String& NewValue, const String& Value);
  void ReturnToCell(int ACol, int ARow);
  void ShowInvalidEntryBalloon();
  int SortedRowStartingWith(const String& Text);
  // Tab stops and the steps of the Tab navigation.
  bool EditingGrid() const;
  bool CanTakeTabStop(int ACol, int ARow);
  int FirstTabStop(int ARow);
  int LastTabStop(int ARow);
  void TabFocus(int ACol, int ARow);
  void TabHandOff();
  bool TabStep(bool Backward);
  // A character typed on the grid is remembered as the one that opens the editor.
  void HandleCharMessage(TMessage& Message);
  // Repaints the visible cells whose text blinks.
  void RepaintBlinkingCells();

  String FCellCache;
  String FEditText;
  String FOldCellText;
  WideString FOldCellTextWide;
  WideString FEditWideText;
  String FNewCellText;
  int FOldCol = -1;
  int FOldRow = -1;
  bool FOldModifiedValue = false;
  bool FNoEditChange = false;
  char FStartEditChar = '\0';
  bool FEditing = false;
  bool FValidating = false;
  bool FLastValidation = true;
  bool FGridModified = false;
  bool FSpecialEditor = false;
  bool FEditActive = false;
  bool FShowEditProcess = false;
  bool FEditChange = false;
  bool FForceSel = false;
  bool FDisableChange = false;
  int FOldRowSel = -1;
  int FAECol = -1;
  int FAERow = -1;
  int FLastTabCol = -1;
  int FLastTabRow = -1;
  bool FBlockFocus = false;
  bool FBlockKill = false;
  bool InvokedFocusChange = false;
  bool FIsDBVersion = false;
  int FTimerTicks = 0;
  bool FGridBlink = false;
  int FPaintCount = 0;
  int FOldLeftCol = -1;
  int FOldTopRow = -1;
  int FNumCellControls = 0;
  std::unique_ptr<TControlList> FControlList = std::make_unique<TControlList>();
  bool FDisableSize = false;
  int PrevSizeX = 0;
  int PrevSizeY = 0;
  bool FRedrawSwitchedOff = false;
  String FShownBalloonText;
  // The mouse as the grid last saw it (hover-to-select).
  bool FMouseInside = false;
  TPoint FMousePos;
  // The owner form's resize handler chained in by the constructor; the link outlives the grid.
  struct TResizeLink {
    TRivErodovOzar* Grid = nullptr;
    TNotifyEvent Previous;
  };
  std::shared_ptr<TResizeLink> FResizeLink;
  void ChainOwnerFormResize();
  // Construction and destruction steps of editing: the resize chain, the timer.
  void EditingCreated();
  void EditingDestroyed();

  // ---- Special editor controls and their write-back (GridEditorCreation.cpp,
  // GridSpecialEditors.cpp) ----
 public:
  // Places the editor of EditControl over the cell, loads the cell's value and focuses it.
  void ShowSpecialEditor(int ACol, int ARow);
  // Writes the special editor's value into the cell (unless the edit was cancelled or left
  // the value as loaded) and hides the editor.
  void HideSpecialEditor(int ACol, int ARow);
  void HideCellEdit();
  void ShowCellEdit();
  // The edit of the special editor ends with Escape: its value is not written back.
  void CancelSpecialEdit() { FSpecialCancelled = true; }
  // The special editor's Enter, Tab and arrows: Value is stored as the current cell and
  // validated, unless the editor still holds the value it opened with (then the cell stays as
  // it was and nothing is written).
  bool ValidateSpecialEdit(const String& Value);
  TGridSpin* EditSpin = nullptr;
  TGridCombo* EditCombo = nullptr;
  TGridEditBtn* EditBtn = nullptr;
  TGridUnitEditBtn* UnitEditBtn = nullptr;
  TGridCheckBox* EditCheck = nullptr;
  TGridButton* GridButton = nullptr;
  TGridDatePicker* EditDate = nullptr;
  TGridDateTimePicker* EditDateTime = nullptr;
  TGridTrackbarDropDown* EditTrackBar = nullptr;
  TGridMemoDropDown* EditMemo = nullptr;
  TGridCalculatorDropDown* EditCalculator = nullptr;
  TGridTimepickerDropDown* EditTimePicker = nullptr;
  TGridDetailPickerDropDown* EditDetailPicker = nullptr;
  TGridGridDropDown* EditGridPicker = nullptr;
  TGridColorDropDown* EditColorPicker = nullptr;
  TGridImageDropDown* EditImagePicker = nullptr;
  TGridRivGridDropDown* EditRivGridPicker = nullptr;
  // The control currently used as editor, nullptr when none.
  TWinControl* EditCtrl = nullptr;
  int MaxComboLength = 0;
  // Whether the date editors are made (they are, unless a descendant says otherwise first).
  bool DateEditorsAvailable = true;
  TSpinClickEvent OnSpinClick;
  TFloatSpinClickEvent OnFloatSpinClick;
  TDateTimeSpinClickEvent OnDateSpinClick;
  TDateTimeSpinClickEvent OnTimeSpinClick;
  TComboChangeEvent OnComboChange;
  TComboObjectChangeEvent OnComboObjectChange;
  TCustomStrToDateEvent OnCustomStrToDate;
  TColorSelectedEvent OnColorSelected;
  TImageSelectedEvent OnImageSelected;
  TUnitChangedEvent OnUnitChanged;
  TDropDownButtonClickEvent OnDropDownHeaderButtonClick;
  TDropDownButtonClickEvent OnDropDownFooterButtonClick;
  // Set by a refused value in a special editor: the grid's key handling does not advance.
  bool FNoAutoAdvance = false;
  int FComboIdx = -1;
  bool FSpinUpClick = false;
  bool FSpinDnClick = false;
  TDateTime FDateTimeSaved = 0;

 protected:
  friend class TGridSpin;
  friend class TGridCombo;
  friend class TGridEditBtn;
  friend class TGridUnitEditBtn;
  friend class TGridCheckBox;
  friend class TGridButton;
  friend class TGridDatePicker;
  friend class TGridDateTimePicker;
  friend class TGridPickerKeys;
  void CreateEditorControls();
  // The value the open special editor would write (without side effects), and the value it
  // showed when it opened.
  String SpecialEditorValue();
  String FSpecialLoadedValue;
  bool FSpecialCancelled = false;
  int FSpecialCol = -1;
  int FSpecialRow = -1;
  // ======================== end of editing ========================

  // ======================================================================================
  // Interaction (src/grid/interaction): keyboard handling, mouse buttons, mouse move, hover,
  // cursors, the wheel, panning and zoom, column stretching and sizing by the mouse.
  // ======================================================================================
 public:
  // ---- Wheel, panning and zoom (GridWheelPanZoom.cpp) ----
  // Adds Delta to the zoom step and Delta pixels to every column width and row height; a step
  // outside -10..10 is refused.
  void Zoom(int Delta);
  int ZoomFactor() const { return FZoomFactor; }
  void SetZoomFactor(int Value) { FZoomFactor = Value; }
  TIntelliPan IntelliPan = ipVertical;
  bool WheelPanning() const { return wheelpan; }
  static constexpr uintptr_t PanTimerID = 999;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;

  // ---- Column stretching and sizing (GridColumnStretch.cpp) ----
  // Widens ACol (-1: the last column) to fill the client width with ColumnSize.Stretch on;
  // ERivGridError "Stretch column index out of range" for any other index outside the columns.
  void DoStretchColumn(int ACol);
  void StretchRightColumn() { DoStretchColumn(ColCount() - 1); }
  bool IsOnSizingBorder(int X, int Y);
  void ScreenToCell(TPoint pt, int& ACol, int& ARow);
  virtual void DoUpdateColumnSize(int ACol, int& AWidth);
  TUpdateColumnSizeEvent OnUpdateColumnSize;
  TEndColumnSizeEvent OnEndColumnSize;
  TColumnSizeEvent OnColumnSize;
  TColumnSizingEvent OnColumnSizing;
  TColumnSizingEvent OnRowSizing;

  // ---- Mouse buttons (GridMouseButtons.cpp), move, hover and cursors (GridMouseMove.cpp) ----
  TMouseSelectMode MouseSelectMode() const { return FMouseSelectMode; }
  bool IsHoverFixedCell(int ACol, int ARow);
  void ResetFixedCellHighlight();
  int HoverFixedX() const { return FHoverFixedX; }
  int HoverFixedY() const { return FHoverFixedY; }
  int HoverRowIndex() const { return FHoverRowIdx; }
  // The cursor the grid shows over its cells now (its own cursors are 8009..8014, the pan
  // cursors 8000..8008).
  int ShownCursor() const { return FShownCursor; }
  bool HintShowSizing = false;
  bool SelectionRectangle = false;
  bool CellSelectorMode = false;
  bool FixedAsButtons = false;
  bool URLEdit = false;
  TCanClickCellEvent OnCanClickCell;
  TClickCellEvent OnClickCell;
  TClickCellEvent OnRightClickCell;
  TButtonClickEvent OnButtonClick;
  TCheckBoxClickEvent OnCheckBoxClick;
  TCheckBoxClickEvent OnCheckBoxMouseUp;
  TRadioClickEvent OnRadioClick;
  TRadioClickEvent OnRadioMouseUp;
  TButtonClickEvent OnRadioButtonClick;
  TButtonClickEvent OnFixedCellClick;
  TAnchorClickEvent OnAnchorClick;
  TAnchorEvent OnAnchorEnter;
  TAnchorEvent OnAnchorExit;
  TCanDeleteRowEvent OnCanDeleteRow;
  TAutoInsertRowEvent OnAutoInsertRow;
  // The HTML hint window's last sizing text ("cw=<b>64</b>"), empty when none shows.
  const String& SizingHint() const { return FSizingHint; }

  // ---- Fixed-cell editor (GridTransEdit.cpp) ----
  // Lays the fixed-cell edit over (ACol, ARow) with the cell's text, once an open one ended and
  // OnCanEditCell allows it.
  void EditFixedCell(int ACol, int ARow);
  TGridTransEdit* EditTrans = nullptr;

  // ---- Selection resizer (GridSelectionResizer.cpp) ----
  // With SelectionRectangle, the 6 x 6 handle at the bottom-right corner of the selection
  // drags it larger; the cells it held are repeated over the new area.
  bool SelectionResizer = false;
  bool OverSelectionResizer(int X, int Y);
  TSelectionResizeEvent OnSelectionResize;
  TSelectionResizeEvent OnSelectionResized;

  // ---- Drag scrolling (GridDragScroll.cpp) ----
  TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions; }
  void SetDragScrollOptions(TDragScrollOptions* Value);
  // The drag-over hook: a drag at client (X, Y) inside a margin scrolls the grid towards that
  // edge after the initial delay, then at the repeat delay, until it leaves the margins.
  void DragScrollOver(TDragState State, int X, int Y);
  bool DragScrollTimerRunning() const;
  TDragScrollDirection DragScrollDirection() const { return FDragScrollDirection; }
  TDragScrollEvent OnDragScroll;

  // ---- Editor links (GridEditLink.cpp) and in-cell HTML control editors
  // (GridCellControlEditors.cpp) ----
  // The custom editor of edCustom cells; the grid forgets it when it is freed.
  TEditLink* EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink* Value);
  // The edCustom editor over the cell (or on the link's pop-up form), and its end.
  void ShowEditLinkEditor(int ACol, int ARow);
  void HideEditLinkEditor();
  // The text hooks of the inplace editor: HTML as plain text unless EditWithTags.
  String HandleGetEditText(int ACol, int ARow);
  void HandleSetEditText(int ACol, int ARow, const String& Value);
  void ShowCellControlEditor(const String& CellText, const String& CtrlType, int ARow, int RealCol, int ACol, TRect CtrlRect,
                             const String& CtrlValue, const String& CtrlID);
  void EndCellControlEdit(TObject* Sender);
  void CellControlComboSelect(TObject* Combo);
  // Opens the editor of the first edit-type control after AfterID (from the start when empty)
  // in the cell; the grid takes the focus when there is none.
  void ActivateHTMLControl(int ACol, int ARow, const String& AfterID);
  bool ControlEditing() const { return FCtrlEditing; }
  bool ControlButtonDown() const { return FCtrlDown; }
  TControlEdit* ControlEdit() const { return FEditControl; }
  TControlCombo* ControlCombo() const { return FComboControl; }
  TControlClickEvent OnControlClick;
  TControlComboListEvent OnControlComboList;
  TControlComboSelectEvent OnControlComboSelect;
  TControlClickEvent OnControlEditDone;
  // Enter and Tab typed in a control editor; false for any other key.
  bool ControlEditorKeyPress(char& Key);

  // ---- Fixed-cell menus (GridFixedCellMenus.cpp) ----
  TPopupMenu* FixedDropDownMenu = nullptr;
  TFixedDropDownClickEvent OnFixedDropDownClick;
  bool FixedDropDownDown() const { return FDropDownDown; }

 protected:
  // ---- Keyboard handling (GridKeyboardHandling.cpp) ----
  void HandleKeyDownMessage(TMessage& Message);
  void HandleKeyDown(Word& Key, TShiftState Shift);
  bool HomeEndStep(Word Key, TShiftState Shift, bool KeepLeft, int LeftAtEntry);
  bool SkipFixedCellsStep(Word Key);
  void InsertRowStep();
  bool DeleteRowStep();
  void SelectAllStep();
  void ClickableGraphicStep(Word Key);
  TGridRect FMoveSelection;

  // ---- Mouse buttons (GridMouseButtons.cpp) ----
  void HandleLeftButtonDown(TMessage& Message);
  void HandleLeftButtonUp(TMessage& Message);
  void HandleDoubleClickMessage(TMessage& Message);
  void HandleRightButtonDown(TMessage& Message);
  void HandleRightButtonUp(TMessage& Message);
  void Click() override;
  void HandleClick();
  // An anchor under the client point of the cell: a URL text whole, or an HTML anchor.
  String AnchorAt(int ACol, int ARow, int X, int Y);
  void FollowAnchor(int ACol, int ARow, const String& Anchor);
  int Colclicked = -1;
  int Rowclicked = -1;
  int Colclickedsize = 0;
  int Rowclickedsize = 0;
  int Clickposx = 0;
  int Clickposy = 0;
  int Clickposdx = 0;
  int Clickposdy = 0;
  bool ColSized = false;
  bool Rowsized = false;
  bool ColSizeFlg = false;
  bool FDblClk = false;
  bool FDoOnClick = false;
  bool FDoOnClickPress = false;
  bool FMouseDown = false;
  bool FMouseDownMove = false;
  TPoint FPushedCellButton{-1, -1};
  bool FSelectionClick = false;
  int FOldKeepLeftCol = -1;

  // ---- Mouse move, hover and cursors (GridMouseMove.cpp) ----
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void HandleMouseMove(TShiftState Shift, int X, int Y);
  void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  void HandleMouseLeave(TMessage& Message);
  void HandleSetCursor();
  void ShowGridCursor(int CursorId);
  // Sizing of a column or row by its border in the fixed area, which this grid does itself.
  bool StartBorderSizing(int X, int Y);
  void TrackBorderSizing(int X, int Y);
  void EndBorderSizing();
  TMouseSelectMode FMouseSelectMode = msNormal;
  int FSizingIndex = -1;
  int FSizingEdge = 0;
  bool FEditStart = false;
  int FMouseSelectStart = -1;
  int FHoverFixedX = -1;
  int FHoverFixedY = -1;
  bool FNoMouseLeave = false;
  String FAnchor;
  int FShownCursor = crDefault;
  String FSizingHint;

  // ---- Wheel, panning and zoom (GridWheelPanZoom.cpp) ----
  bool HandleWheelMessage(TMessage& Message);
  bool HandlePanMessage(TMessage& Message);
  void PanStep();
  void PaintPanMark();
  void InvalidatePanMark();
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  UINT wheelmsg = WM_MOUSEWHEEL;
  int wheelscrl = 3;
  bool wheelpan = false;
  TPoint wheelpanpos;
  int prevcurs = crDefault;
  int FZoomFactor = 0;
  bool FScrollLock = false;
  int FWheelDelta = 0;
  bool FPanHintsWere = false;
  TImage* FPanMark = nullptr;

  // ---- Column stretching and sizing (GridColumnStretch.cpp) ----
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  bool ColchgFlg = true;
  bool FIsColChanging = false;

  // A press that edits a fixed cell by the FixedRowsEdit / FixedColsEdit mode; false when the
  // press is not one.
  bool FixedCellEditPress(TGridFixedCellEdit Mode, int X, int Y);

  // ---- Disjunct cell selection (GridDisjunctCells.cpp) ----
  // Base cell B of a Space or a click joins the disjunct selection (with Ctrl it toggles, else
  // it becomes the only one), once OnSelectCell lets it; false when the event refused.
  bool PickDisjunctCell(TPoint B, bool Ctrl);
  // The cells of a selected rectangle of more than one cell join the list, B excepted; the
  // listed cells repaint.
  void AddSelectionToDisjunctCells(TPoint B);
  bool DisjunctCellRelease(TShiftState Shift, int X, int Y);

  // ---- Selection resizer (GridSelectionResizer.cpp) ----
  bool StartSelectionResize(int X, int Y);
  void EndSelectionResize();
  bool FMouseResize = false;
  TGridRect FDropSelection;
  // The cells of the selection when the resize began: the pattern the new area repeats (kept
  // here, not on the clipboard, which stays the user's).
  std::vector<std::vector<String>> FResizeCells;

  // ---- Drag scrolling (GridDragScroll.cpp) ----
  void DragScrollTimer(TObject* Sender);
  void StopDragScroll();
  TDragScrollOptions* FDragScrollOptions = nullptr;
  TTimer* FDragTmr = nullptr;
  TDragScrollDirection FDragScrollDirection;

  // ---- Editor links and in-cell HTML control editors ----
  friend class TEditLink;
  // Hit-tests the cell's HTML at client (X, Y), or finds the control ControlID when set.
  bool HitHTMLCell(int ACol, int ARow, int X, int Y, const String& ControlID, THTMLRenderResult& Result);
  // A press on an HTML control of the cell; false when the press is not one or editing is
  // not allowed there.
  bool CellControlPress(int ACol, int ARow, int X, int Y);
  void ReleaseCellControlButton();
  TEditLink* FEditLink = nullptr;
  TControlEdit* FEditControl = nullptr;
  TControlCombo* FComboControl = nullptr;
  bool FCtrlEditing = false;
  bool FCtrlDown = false;
  TPoint FCtrlXY{-1, -1};
  String FCtrlID;
  String FCtrlType;
  // A press on a fixed cell's drop-down button; true when it was one.
  bool FixedDropDownPress(int ACol, int ARow, int X, int Y);
  bool FDropDownDown = false;

  void InteractionCreated();
  void InteractionDestroyed();
  // ======================== end of interaction ========================

  // ======================================================================================
  // Painting (src/grid/paint): the cell painter, the cell graphics painter, the floating
  // footer and the footer calculation.
  // ======================================================================================
 public:
  // ---- Cell painter (GridCellPainter.cpp) ----
  // The per-cell borders of GetCellBorder and OnGetCellBorderProp (ACol real).
  void DrawCellBorders(TCanvas* ACanvas, int ACol, int ARow, TRect R);
  bool HideFocusRect = false;
  // Skip the default text when a draw event is assigned; skip the text of graphic cells.
  bool NoDefaultDraw() const { return FNoDefaultDraw; }
  void SetNoDefaultDraw(bool Value) { FNoDefaultDraw = Value; }
  bool NoImageAndText() const { return FNoImageAndText; }
  void SetNoImageAndText(bool Value) { FNoImageAndText = Value; }
  // Drawn in the first column of the current row; owned, writing copies.
  TBitmap* RowIndicator() const { return FRowIndicator.get(); }
  void SetRowIndicator(TBitmap* Value);
  // Platform themes: this platform has none, so themed parts draw their classic form.
  bool IsWinXP() const { return false; }
  TGridCustomDrawEvent OnCustomCellDraw;
  TGridCustomDrawEvent OnCustomCellBkgDraw;
  TGridBorderPropEvent OnGetCellBorderProp;

  // ---- Cell graphics painter (GridCellGraphics.cpp, GridCheckRadio.cpp) ----
  // Places and draws a cell's graphic in R (what the painter leaves of the cell) and leaves in
  // R what remains; HA is the text alignment, TextWidth the width the text took.
  void DrawCellGraphic(TCanvas* ACanvas, int ACol, int ARow, TRect& R, TCellGraphic* Graphic, TVAlignment VA,
                       TAlignment HA, TGridDrawState AState);
  // Draws on the canvas being painted (the grid's own canvas outside a paint).
  void DrawCheckBox(TRect R, bool Checked, RivGrid::TControlStyle Style, bool Grayed, bool Enabled);
  void DrawRadioGroup(TCanvas* ACanvas, TRect R, bool Upward, double Scale, RivGrid::TControlStyle Style, int Row,
                      int Col, bool Selected, TStrings* Items, bool Disabled, bool Horizontal, int Index,
                      int Count);

  // ---- Floating footer and the footer calculation (FloatingFooter.cpp, GridFooterCalc.cpp) ----
  TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
  void SetFloatingFooter(TFloatingFooter* Value);
  TFooterPanel* FooterPanel() const { return FFooterPanel; }
  // Fills the footer cells of column ACol (-1: every column) by their calculation type.
  virtual void CalcFooter(int ACol) { DoCalcFooter(ACol); }
  virtual void DoCalcFooter(int ACol);
  TCalcFooterEvent OnCalcFooter;
  TFooterPaintEvent OnFooterPaint;
  TNotifyEvent OnCreatedFloatingFooter;
  // The row HideLastRow blanks (the base grid's setter, reached by the footer).
  void SetHideLastRow(bool Value);

  // ---- Background, sizing lines and the design panel (GridBackground.cpp) ----
  TBackGround* BackGround() const { return FBackGround.get(); }
  void SetBackGround(TBackGround* Value) { FBackGround->Assign(Value); }
  // Drawn once to show, once more at the same place to erase.
  void DrawColSizingLine(int X);
  void DrawRowSizingLine(int Y);
  TNotifyEvent OnPainted;

  // ---- Hints (GridHints.cpp) ----
  // Makes THTMLHintWindow, or the plain hint window, the hint window of the whole application.
  bool UseHTMLHints() const { return FUseHTMLHints; }
  void SetUseHTMLHints(bool Value);
  // Shows the cell's hint (GetCellHint, else its comment) in the grid's hint window just below
  // the cell; hides the window when the cell has none. ACol is a display column.
  void ShowCellHint(int ACol, int ARow);
  void HideCellHint();
  THintWindow* CellHintWindow() const { return FCellHintWindow; }

 protected:
  friend class TFloatingFooter;
  friend class TFooterPanel;
  void DrawFixedCellFill(TCanvas* ACanvas, int ACol, int ARow, TRect& R, TColor AColor, TColor AColorTo,
                         TColor AMirrorColor, TColor AMirrorColorTo);
  void DrawFixedCellEdges(TCanvas* ACanvas, int ACol, TRect R);
  void DrawTreeLines(TCanvas* ACanvas, int ARow, TRect R);
  void DrawFocusRectangle(TCanvas* ACanvas, int ACol, int ARow, TRect R);
  void Paint() override;
  void PaintBackgroundOutsideCells();
  void DrawBackgroundFixed(TCanvas* ACanvas, const TRect& R);
  void DrawBackgroundTiled(TCanvas* ACanvas, const TRect& R);
  virtual void PaintDesignHelper();
  void DrawRotatedText(TCanvas* ACanvas, int ACol, int ARow, TRect R, int Angle, TVAlignment VA, TAlignment HA);
  void DrawNodeBox(TCanvas* ACanvas, int ACol, int ARow, TRect& R, const TCellGraphic& G, bool Selected);
  // The cell's number, 0 when it holds none.
  long double GetCellFloatOrZero(int ACol, int ARow);
  // The canvas the painter draws on now (nullptr outside a paint).
  TCanvas* PaintCanvas() { return FPaintCanvas != nullptr ? FPaintCanvas : Canvas(); }
  bool IsGradientLook() const;
  TCanvas* FPaintCanvas = nullptr;
  // The width the text of the cell being painted took, plus 2 (0 when none was measured).
  int FLastTextWidth = 0;
  bool FNoDefaultDraw = false;
  bool FNoImageAndText = false;
  std::unique_ptr<TBitmap> FRowIndicator = std::make_unique<TBitmap>();
  std::unique_ptr<TFloatingFooter> FFloatingFooter;
  TFooterPanel* FFooterPanel = nullptr;  // owned as a component
  THintWindow* FCellHintWindow = nullptr;  // owned as a component
  std::unique_ptr<TBackGround> FBackGround;
  bool FUseHTMLHints = false;
  void PaintCreated();
  // ======================== end of painting ========================

 public:
  // ============ printing and print preview (print/), the rich edits (tools/ROzuRiriRavi) ============
  TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
  void SetPrintSettings(TPrintSettings* Value) { FPrintSettings->Assign(Value); }
  // On the printer (or the PDF file the printer object names): every cell, a range, the
  // selected rectangle, or every cell filtered by the row and column selection.
  void Print();
  void PrintRect(const TGridRect& Gridrect);
  void PrintSelection();
  void PrintSelectedRows();
  void PrintSelectedCols();
  // Page PreviewPage of the job drawn into Displayrect (device pixels) of a canvas.
  void PrintPreview(TCanvas* Canvas, const TRect& Displayrect);
  void PrintPreviewRect(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect);
  void PrintPreviewSelection(TCanvas* Canvas, const TRect& Displayrect);
  void PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& Displayrect);
  void PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& Displayrect);
  // The first page drawn into DrawRect of a canvas.
  void PrintDraw(TCanvas* Canvas, const TRect& DrawRect);
  void PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect, const TGridRect& Gridrect);
  void RepaintPrintRange(const TGridRect& Gridrect);
  int PreviewPage() const { return PrintPageFrom; }
  TRect PrintPageRect() const { return FPrintPageRect; }
  int PrintPageWidth() const { return FPrintPageWidth; }
  int PrintColStart() const { return FPrintColStart; }
  int PrintColEnd() const { return FPrintColEnd; }
  int PrintNrOfPages() const { return FPrintPageNum; }
  bool FastPrint() const { return FFastPrint; }
  void SetFastPrint(bool Value) { FFastPrint = Value; }
  bool IsPrintPreview() const { return FIsPrintPreview; }
  bool PrinterDriverFix() const { return FPrinterdriverfix; }
  void SetPrinterDriverFix(bool Value) { FPrinterdriverfix = Value; }
  // Font height in 0.1 mm for a point size, and back.
  int MapFontHeight(int PointSize) const;
  static int MapFontSize(int Height);
  int GetVertTextOffset() const;
  int GetHorzTextOffset() const;
  int MaxColumnTextLength(int ACol);
  int RowLineCount(int ARow);
  // Printer pixels per inch over screen pixels per inch while cells are measured and printed.
  double Fontscalefactor = 1.0;
  TGridRect FPrintRect{};
  TRect PrevRect{};
  // The print width of each column (as many as the grid has columns).
  std::vector<int> MaxWidths;
  std::vector<int> Indents;
  TPrintStartEvent OnPrintStart;
  TPrintPageEvent OnPrintPage;
  TPrintPageDoneEvent OnPrintPageDone;
  TPrintCancelEvent OnPrintCancel;
  TPrintNewPageEvent OnPrintNewPage;
  TPrintColumnWidthEvent OnPrintSetColumnWidth;
  TPrintRowHeightEvent OnPrintSetRowHeight;
  TFitToPageEvent OnFitToPage;
  // The rich edit that edits rich-text cells in place (made on first use; RichEdit is the
  // hidden one that converts and measures).
  ROzuRiriRavi* InplaceRichEdit();

 protected:
  friend class TGridPrintEngine;
  friend class ROzuRiriRavi;
  ROzuRiriRavi* FInplaceRichEdit = nullptr;  // owned as a component
  void PrintJob(const TGridRect& Range, bool Filter);
  void PreviewJob(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Range, bool Filter);
  std::unique_ptr<TPrintSettings> FPrintSettings = std::make_unique<TPrintSettings>(this);
  TRect FPrintPageRect{};
  int FPrintPageWidth = 0;
  int FPrintColStart = 0;
  int FPrintColEnd = 0;
  int FPrintPageNum = 0;
  bool FFastPrint = false;
  bool FIsPrintPreview = false;
  bool FPrinterdriverfix = false;
  // ======================== end of printing ========================

 private:
  void ApplyScrollBarAlways(bool HideUnneeded);
};
