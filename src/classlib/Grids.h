// The platform grids: TCustomGrid (rows and columns of cells, fixed title rows and columns,
// sizes, current cell, selection, scrolling, keyboard and mouse navigation, the inplace-editor
// protocol, painting), TDrawGrid (the same with events for drawing and editing) and
// TStringGrid (a text and an object per cell).
//
// Cells are laid out from the top-left corner: the fixed columns (rows) first, then the
// scrolling ones from LeftCol (TopRow). Every cell is followed by a grid line of
// GridLineWidth pixels to its right and below it.
//
// Paint visits the visible cells row by row, top to bottom, and within a row left to right,
// fixed cells included, calling DrawCell once for each; descendants rely on that order.
//
// Moving the current cell from code (Col, Row, FocusCell) runs the same SelectCell check as
// keys and mouse do: when SelectCell refuses, nothing changes.
//
// Scroll bars take their room from the client area: a vertical one shows while the rows do not
// fit the height, a horizontal one while the columns do not fit the width, as ScrollBars allows.
// The grid holds the scrolling state (TopRow, LeftCol); the bars only show it, and their use
// comes back as WM_VSCROLL / WM_HSCROLL. The mouse wheel scrolls three rows a notch (columns
// with Shift or a horizontal wheel) and leaves the current cell where it is.
//
// The inplace editor writes its text back through SetEditText when it is committed (Enter,
// moving to another cell, hiding it), not on every keystroke; Escape discards the typing.
#pragma once

#include <memory>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/StdCtrls.h"

enum TGridOption { goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
                   goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving,
                   goEditing, goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking };
using TGridOptions = Set<TGridOption>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = Set<TGridDrawStateItem>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

// A cell: X is the column, Y the row.
struct TGridCoord {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// What one of the grid's scroll bars shows, in rows (columns): positions 0..Max stand for the
// first scrolling row from FixedRows to the last TopRow that still fills the view; Page is the
// number of scrolling rows in view.
struct TGridScrollInfo {
  bool Visible = false;
  int Position = 0;
  int Max = 0;
  int Page = 1;
  friend bool operator==(const TGridScrollInfo&, const TGridScrollInfo&) = default;
};

// A block of cells, both corners included.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  TGridCoord TopLeft() const { return {Left, Top}; }
  TGridCoord BottomRight() const { return {Right, Bottom}; }
  bool Contains(int ACol, int ARow) const { return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom; }
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

class TCustomGrid;
class TCanvas;
class TFont;

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// The editor a grid places over its current cell. It is a child of the grid, made once by
// the grid's CreateEditor and reused for every cell.
class TInplaceEdit : public TCustomEdit {
 public:
  explicit TInplaceEdit(TComponent* AOwner);
  TCustomGrid* Grid() const { return FGrid; }
  // Shows the editor over the rectangle (grid client coordinates).
  void Move(const TRect& Loc);
  // Takes the text, length limit (and mask) of the grid's current cell.
  virtual void UpdateContents();
  String EditMask;

 protected:
  friend class TCustomGrid;
  virtual void BoundsChanged() {}
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void WndProc(TMessage& Message) override;
  void SetGrid(TCustomGrid* AGrid);

 private:
  TCustomGrid* FGrid = nullptr;
};

class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // Counts. A count below 1 becomes 1; a count not above the fixed count lowers the fixed
  // count to count - 1 first. The setters are virtual so that a grid that keeps its own
  // bookkeeping of the counts does so also when reached as a plain grid.
  int ColCount() const { return FColCount; }
  virtual void SetColCount(int Value);
  int RowCount() const { return FRowCount; }
  virtual void SetRowCount(int Value);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);

  // Sizes. Setting a default gives every column (row) that size.
  int DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int Value);
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  // Scales the column widths and row heights with the control.
  void ChangeScale(int M, int D) override;
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);

  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);

  // The current cell and the selection (which always contains it).
  int Col() const { return FCurrent.X; }
  void SetCol(int Value);
  int Row() const { return FCurrent.Y; }
  void SetRow(int Value);
  TGridRect Selection() const;
  void SetSelection(const TGridRect& Value);

  // The first scrolling column and row in view, and how many scrolling ones fit fully.
  int TopRow() const { return FTopLeft.Y; }
  void SetTopRow(int Value);
  int LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value);
  int VisibleRowCount() const;
  int VisibleColCount() const;

  // The rectangle of a cell in client coordinates; empty for a cell out of view.
  TRect CellRect(int ACol, int ARow) const;
  // The cell under a client point; -1 for both outside the cells.
  void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
  TGridCoord MouseCoord(int X, int Y) const;

  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  // The scroll bar SB_HORZ or SB_VERT.
  TGridScrollInfo ScrollInfo(int Bar) const;
  // A bar's thickness: the desktop's 17 pixels at 96 dots per inch.
  static constexpr int ScrollBarSize = 17;
  // The area the scroll bars leave.
  TRect ClientRect() const override;

  // The inplace editor.
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
  virtual void ShowEditor();
  virtual void HideEditor();
  void ShowEditorChar(char Ch);

  void InvalidateCell(int ACol, int ARow);
  void InvalidateRow(int ARow);
  void InvalidateCol(int ACol);
  void InvalidateGrid() { Invalidate(); }

  void WndProc(TMessage& Message) override;
  void UpdateView() override;

 protected:
  friend class TInplaceEdit;

  // Cell drawing and the checks and text exchange of editing.
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
  virtual bool SelectCell(int ACol, int ARow);
  virtual bool CanEditShow();
  virtual bool CanEditAcceptKey(char Key);
  virtual bool CanEditModify();
  virtual String GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const String& Value);
  virtual String GetEditMask(int ACol, int ARow);
  virtual int GetEditLimit();
  virtual TInplaceEdit* CreateEditor();
  // Writes the editor's text to its cell, and places or hides the editor for the current cell.
  virtual void UpdateEdit();
  virtual void InvalidateEditor();
  void UpdateText();

  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Resize() override;
  // One notch of the wheel: three rows, or columns with Shift.
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  void Paint() override;
  virtual void DrawFocusRect(const TRect& ARect);

  // Notifications after changes.
  virtual void SizeChanged(int OldColCount, int OldRowCount);
  virtual void ColumnMoved(int FromIndex, int ToIndex);
  virtual void RowMoved(int FromIndex, int ToIndex);
  virtual void TopLeftChanged();
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();

  // Moves the current cell (after SelectCell agrees), optionally extending the selection
  // from its anchor, and scrolls it into view.
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
  void ClampToCounts();
  void ScrollIntoView(int ACol, int ARow);
  // Moves a column (row) with its size; descendants move their data in ColumnMoved/RowMoved.
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  void DeleteColumn(int ACol);
  void DeleteRow(int ARow);

  TGridState FGridState = gsNormal;
  TInplaceEdit* FInplaceEdit = nullptr;

 private:
  int ColumnStart(int ACol) const;  // client x of a column in view, -1 when not in view
  int RowStart(int ARow) const;
  int LastTopRow() const;  // the largest TopRow that still fills the view
  int LastLeftCol() const;
  void SetTopLeft(int ALeft, int ATop);
  void CancelEditor();
  int VisibleRowsFrom(int ATop) const;
  int VisibleColsFrom(int ALeft) const;
  void HideEdit(bool Commit);
  // Scroll bars: which show (after counts, sizes, bounds or ScrollBars change), and what they
  // show (after scrolling).
  void UpdateScrollRange();
  void UpdateScrollPos();
  bool AllFit(bool Rows, int Extent) const;
  void ScrollRequest(int Bar, Word Code, int Pos);
  // Moves the first scrolling row (column) to Target, kept between the fixed ones and the last
  // that still fills the view.
  void ScrollTo(bool Columns, int Target);
  // Scrolls by whole wheel notches (positive: down or right).
  void WheelScroll(bool Columns, int Notches);
  // Keeps the open editor over its cell, hidden while the cell is out of view.
  void PlaceEditor();

  int FColCount = 5;
  int FRowCount = 5;
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  int FGridLineWidth = 1;
  std::vector<int> FColWidths;
  std::vector<int> FRowHeights;
  TGridOptions FOptions;
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridCoord FTopLeft{1, 1};
  TColor FFixedColor;
  bool FDefaultDrawing = true;
  TScrollStyle FScrollBars = ssBoth;
  bool FHorzBar = false;
  bool FVertBar = false;
  int FWheelRows = 0;  // wheel turns short of a notch
  int FWheelCols = 0;
  bool FEditorMode = false;
  int FEditCol = -1;
  int FEditRow = -1;
  bool FKeyFromEditor = false;
  bool FEditorScrolledOut = false;
};

// A grid with events for drawing cells, selecting cells and exchanging editor text.
class TDrawGrid : public TCustomGrid {
 public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TGetEditEvent OnGetEditMask;
  TNotifyEvent OnTopLeftChanged;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  String GetEditMask(int ACol, int ARow) override;
  void TopLeftChanged() override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
};

// A grid holding a text and an object per cell. Any cell with non-negative indexes can be
// written and read back, also outside the counts (such cells are not shown); cells never
// written read "". Making the grid smaller drops the cells beyond the new counts, unless a
// descendant keeps them (FKeepCellsBeyondCounts). The grid does not own the objects.
class TStringGrid : public TDrawGrid {
 public:
  explicit TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

  // Virtual so that helpers written for any string grid see a descendant's cell texts.
  virtual String Cells(int ACol, int ARow) const;
  virtual void SetCells(int ACol, int ARow, const String& Value);
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);

  // Texts of a row (column) over the columns 0..ColCount-1 (rows 0..RowCount-1).
  std::vector<String> RowTexts(int ARow) const;
  void SetRowTexts(int ARow, const std::vector<String>& Texts);
  std::vector<String> ColTexts(int ACol) const;
  void SetColTexts(int ACol, const std::vector<String>& Texts);

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  // Empties every stored text (inside and outside the counts); objects stay.
  void ClearAllTexts();
  // The size of the cell store: every cell ever written lies in columns 0..Cols-1 and rows
  // 0..Rows-1, inside the counts or not.
  void StoredExtent(int& Cols, int& Rows) const;

  bool FKeepCellsBeyondCounts = false;

 private:
  struct TCell {
    String Text;
    TObject* Object = nullptr;
  };
  TCell* CellAt(int ACol, int ARow);  // grows the store
  const TCell* FindCell(int ACol, int ARow) const;
  std::vector<std::vector<TCell>> FData;  // by row
};
