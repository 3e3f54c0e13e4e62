// TBaseGrid: the foundation of the data grid. It keeps the string grid's cell store but owns
// the drawing (its own grid lines and cell painting; the string grid's own default drawing and
// lines are switched off), passes every cell read through display-text hooks, keeps one
// properties object per cell that needs one (looks, merging), and declares the virtual
// operations through which the grid component supplies its cell painter and cell looks.
//
// Every object slot of the string grid holds a TCellProperties or nothing; the grid owns
// them and frees them all when it goes, also those of cells beyond the counts.
//
// Cells outside the counts stay stored when the grid shrinks: hidden columns and rows live
// beyond the counts, and the grid component clears such stale cells itself.
#pragma once

#include "grid/base/CellProperties.h"
#include "grid/base/RivObj.h"

class TFont;
class TBrush;
class TRivGridUndoRedo;

enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;

class TBaseGrid : public TObjStringGrid {
 public:
  explicit TBaseGrid(TComponent* AOwner);
  ~TBaseGrid() override;

  // The display text of a cell (display hooks apply to rows below FNormalRowCount), and its
  // write.
  String Cells(int ACol, int ARow) const override;
  void SetCells(int ACol, int ARow, const String& Value) override;
  // The string grid's own text and object slot of exactly that cell: no hooks, no repaint.
  String GetRawCellText(int ACol, int ARow) const { return TStringGrid::Cells(ACol, ARow); }
  void SetRawCellText(int ACol, int ARow, const String& Value);
  TObject* GetRawCellObject(int ACol, int ARow) const { return Objects(ACol, ARow); }
  void SetRawCellObject(int ACol, int ARow, TObject* Obj) { SetObjects(ACol, ARow, Obj); }

  // ---- Cell properties and objects ----

  // The cell's properties, made on first use with the look GetCellLook gives.
  TCellProperties* GetCellProperties(int ACol, int ARow);
  // Frees the slot's properties (storing the same object again changes nothing) and stores
  // Value, which the grid then owns.
  void SetCellProperties(int ACol, int ARow, TCellProperties* Value);
  bool HasCellProperties(int ACol, int ARow) const { return Props(ACol, ARow) != nullptr; }
  void FreeCellProperties(int ACol, int ARow);
  // Frees the properties of every cell in the rectangle, and their graphic objects of class
  // "TCellGraphic" (each once); nothing while no cell ever had properties.
  void FreeCellPropertiesRect(int Col1, int Row1, int Col2, int Row2);
  void FreeAllCellProperties();
  // Empty the text and the object slot without freeing the object: for row and column moves
  // that have copied the slot references elsewhere first.
  void ClearCellAndObject(int ACol, int ARow);
  void ClearColumnCells(int ACol);
  void ClearRowCells(int ARow);
  // The caller's own integer for a cell (0 without properties); setting it leaves the text
  // as it was.
  int GetCellObject(int ACol, int ARow) const;
  void SetCellObject(int ACol, int ARow, int Value);
  TObject* GetCellGraphicObject(int ACol, int ARow) const;
  static TObject* PropertiesGraphic(const TCellProperties* Props) {
    return Props != nullptr ? Props->GraphicObject() : nullptr;
  }
  void SetCellGraphicObject(int ACol, int ARow, TObject* Graphic);

  // ---- Merged cells ----

  // The top-left cell of the cell's block; the cell itself when not merged.
  TPoint BaseCell(int ACol, int ARow) const;
  // True with the cell itself for a plain or base cell; false with the base for other cells.
  bool ResolveBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
  bool IsBaseCell(int ACol, int ARow) const;
  bool IsMergedCell(int ACol, int ARow) const;
  bool IsMergedNonBaseCell(int ACol, int ARow) const;
  bool IsXMergedCell(int ACol, int ARow) const;
  bool IsYMergedCell(int ACol, int ARow) const;
  // The block's (columns - 1, rows - 1); (0, 0) when not merged.
  TPoint CellSpan(int ACol, int ARow) const;
  // The distance from the cell to the block's far corner.
  TPoint CellExt(int ACol, int ARow) const;
  // The block in cell coordinates: base cell and far corner.
  TRect FullCell(int ACol, int ARow) const;
  int MinRowSpan(int ARow) const;
  int MaxRowSpan(int ARow) const;
  bool RowSpanIdentical(int ARow1, int ARow2) const;
  bool ColSpanIdentical(int ACol1, int ACol2) const;
  // Moves the current cell to the base of its block.
  void MoveToBaseCell();

  // ---- Geometry ----

  // The cell's rectangle from the sizes, also for cells scrolled out of view.
  TRect CalcCellRect(int ACol, int ARow) const;
  // The cell's screen rectangle, empty for a plain cell out of view; a merged block's whole
  // rectangle (from the sizes, also where scrolled out) for any of its cells.
  TRect CellRect(int ACol, int ARow) const;
  TRect PlatformCellRect(int ACol, int ARow) const { return TObjStringGrid::CellRect(ACol, ARow); }
  TPoint CellSize(int ACol, int ARow) const;
  // Invalidates the cell's (block's) rectangle when the grid has a window.
  void RepaintCell(int ACol, int ARow);

  // The undo component that records this grid's cell changes (not owned).
  TRivGridUndoRedo* UndoRedo() const { return FUndoRedo; }
  void SetUndoRedo(TRivGridUndoRedo* Value);

  // Drawing settings kept here; the string grid itself always draws without default drawing
  // and without grid lines.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor Value);
  TColor GridFixedLineColor() const { return FGridFixedLineColor; }
  void SetGridFixedLineColor(TColor Value);
  TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
  void SetSelectionStyle(TGridSelectionStyle Value);
  bool ActiveRowShow() const { return FActiveRowShow; }
  void SetActiveRowShow(bool Value);
  TColor ActiveRowColor() const { return FActiveRowColor; }
  void SetActiveRowColor(TColor Value);
  bool HoverRow() const { return FHoverRow; }
  void SetHoverRow(bool Value) { FHoverRow = Value; }
  TColor HoverRowColor() const { return FHoverRowColor; }
  void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
  TColor HoverRowColorTo() const { return FHoverRowColorTo; }
  void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { FWordWrap = Value; }

  // The sums of the widths of the fixed columns and the heights of the fixed rows.
  int FixedColsWidth() const;
  int FixedRowsHeight() const;

  TGetDisplTextEvent OnGetDisplText;
  TGetDisplWideTextEvent OnGetDisplWideText;

  // Operations the grid component overrides, in this order.
  virtual bool IsFixed(int ACol, int ARow);
  virtual int NodeIndentOfRow(int ARow);
  virtual bool HasNodes();
  virtual void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
  virtual void UpdateHiddenLastRow();
  virtual void DoGetDisplText(int ACol, int ARow, String& Value);
  virtual void DoGetDisplWideText(int ACol, int ARow, WideString& Value);
  virtual void GetCellLook(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                           TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                           TVAlignment& VA, bool& WW, TCellGradientDirection& GD);
  virtual void CellTextChanged(int ACol, int ARow);
  virtual bool HasCellBorders();
  virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                   bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                   TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                   bool& WW, TCellGradientDirection& GD);
  virtual int DisplColIndex(int ACol);
  // Writes back a text that undo or redo restores; CheckBox marks the step of a toggled check
  // box, whose state the grid component sets instead.
  virtual void SetUndoneCellText(int ACol, int ARow, const String& Value, bool CheckBox);
  // Makes a block of SpanX columns by SpanY rows with its base at (c, r), and undoes it.
  virtual void MergeCells(int c, int r, int SpanX, int SpanY);
  virtual void SplitCells(int c, int r);

  // Scales as a plain windowed control (bounds and font): column widths and row heights keep
  // their pixels.
  void ChangeScale(int M, int D) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Invalidates a rectangle of the grid's client area; the next paint is clipped to it.
  virtual void InvalidateRect(const TRect& ARect, bool Erase);
  void Paint() override;
  // Paints one cell: background by state, content, the cell's own grid lines; then OnDrawCell.
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;

  // ---- Painting and navigation over merged blocks ----
  // Repaints the current cell and the cell asked for around the string grid's check.
  bool SelectCell(int ACol, int ARow) override;
  // Right and Down step past a block, Left and Up land before it; every key move and wheel
  // step ends on a block's base cell.
  void KeyDown(Word& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  // Scrolling repaints the merged cells of the fixed columns and rows that are in view.
  void TopLeftChanged() override;
  void RepaintMergedFixedCols();
  void RepaintMergedFixedRows();
  // ---- end of painting and navigation ----

  bool FDefaultDrawing = false;
  int FGridLineWidth = 1;
  TColor FGridLineColor = 0xC0C0C0;
  TColor FGridFixedLineColor = 0x808080;
  int FPaintID = 1;
  bool FCustomSelect = true;
  bool FHideLastRow = false;
  // Set by a grid whose DrawCellContent fires OnDrawCell itself.
  bool FContentFiresDrawCell = false;
  int FNormalRowCount = 0;
  bool FWordWrap = true;
  bool FActiveRowShow = false;
  TColor FActiveRowColor;
  TGridSelectionStyle FSelectionStyle = ssDefault;
  int FHoverRowIdx = -1;
  bool FHoverRow = false;
  TColor FHoverRowColor;
  TColor FHoverRowColorTo;
  bool FShowSel = true;
  bool FHasCellProps = false;
  int FMergeCount = 0;
  TRivGridUndoRedo* FUndoRedo = nullptr;
  // The cell's properties object, nullptr when it has none (nothing is created).
  TCellProperties* Props(int ACol, int ARow) const {
    return static_cast<TCellProperties*>(GetRawCellObject(ACol, ARow));
  }

 private:
  friend class TCellProperties;
  // The properties at the base of the cell's block, or nullptr.
  TCellProperties* BaseProps(int ACol, int ARow) const;
  // Runs SetProps with the cell holding a blank meanwhile when it is empty.
  template <class F>
  void WithBlankIfEmpty(int ACol, int ARow, F SetProps);
  bool FDestroying = false;
};
