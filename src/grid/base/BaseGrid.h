// TBaseGrid: the foundation of the data grid. It keeps the string grid's cell store but owns
// the drawing (its own grid lines and cell painting; the string grid's own default drawing and
// lines are switched off), passes every cell read through display-text hooks, and declares
// the virtual operations through which the grid component supplies its cell painter and
// cell looks.
//
// Cells outside the counts stay stored when the grid shrinks: hidden columns and rows live
// beyond the counts, and the grid component clears such stale cells itself.
#pragma once

#include "grid/base/RivObj.h"

class TFont;
class TBrush;

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

  // The base cell of a merged block; the cell itself while no cell is merged.
  TPoint BaseCell(int ACol, int ARow) const { return Point(ACol, ARow); }

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

 protected:
  void Paint() override;
  // Paints one cell: background by state, content, the cell's own grid lines; then OnDrawCell.
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;

  bool FDefaultDrawing = false;
  int FGridLineWidth = 1;
  TColor FGridLineColor = 0xC0C0C0;
  TColor FGridFixedLineColor = 0x808080;
  int FPaintID = 1;
  bool FCustomSelect = true;
  bool FHideLastRow = false;
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
};
