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

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringList.h"

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
  // Inserts Count rows before ARow (heights from Heights when given, else the default) and
  // deletes Count rows from ARow, in one step each: the row count changes by Count, the
  // current cell keeps its indexes (clamped to the counts), and the rows' data follow through
  // GridRowsInserted / GridRowsDeleted.
  void InsertGridRows(int ARow, int Count, const std::vector<int>* Heights = nullptr);
  void DeleteGridRows(int ARow, int Count);
  virtual void GridRowsInserted(int ARow, int Count);
  virtual void GridRowsDeleted(int ARow, int Count);
  // Every row height at once (missing entries keep theirs).
  std::vector<int> AllRowHeights() const { return FRowHeights; }
  void SetAllRowHeights(const std::vector<int>& Heights);

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

// A cell's text in 12 bytes: up to 11 bytes are kept in place (matrix values and most names),
// a longer text on the heap behind its length. A loaded matrix has hundreds of thousands of
// cells, so the size of this record is most of what the grid costs per cell.
class TCellText {
 public:
  TCellText() { FBuf[kTag] = 0; }
  TCellText(const String& S) { Set(S.data(), S.size()); }
  TCellText(const char* Data, size_t Size) { Set(Data, Size); }
  TCellText(const TCellText& Other) { Set(Other.data(), Other.size()); }
  TCellText(TCellText&& Other) noexcept {
    std::memcpy(FBuf, Other.FBuf, sizeof FBuf);
    Other.FBuf[kTag] = 0;
  }
  TCellText& operator=(const TCellText& Other) {
    if (this != &Other) Assign(Other.data(), Other.size());
    return *this;
  }
  TCellText& operator=(TCellText&& Other) noexcept {
    if (this != &Other) {
      Free();
      std::memcpy(FBuf, Other.FBuf, sizeof FBuf);
      Other.FBuf[kTag] = 0;
    }
    return *this;
  }
  TCellText& operator=(const String& S) {
    Assign(S.data(), S.size());
    return *this;
  }
  ~TCellText() { Free(); }

  bool empty() const { return FBuf[kTag] == 0; }
  size_t size() const {
    if (!OnHeap()) return static_cast<unsigned char>(FBuf[kTag]);
    uint32_t n;
    std::memcpy(&n, Block(), sizeof n);
    return n;
  }
  const char* data() const { return OnHeap() ? Block() + sizeof(uint32_t) : FBuf; }
  String Str() const { return String(data(), size()); }
  void clear() {
    Free();
    FBuf[kTag] = 0;
  }

 private:
  static constexpr size_t kTag = 11;
  static constexpr unsigned char kHeap = 0xFF;
  bool OnHeap() const { return static_cast<unsigned char>(FBuf[kTag]) == kHeap; }
  // The heap block: the length (4 bytes), then the text.
  char* Block() const {
    char* p;
    std::memcpy(&p, FBuf, sizeof p);
    return p;
  }
  void Free() {
    if (OnHeap()) delete[] Block();
  }
  void Assign(const char* Data, size_t Size) {
    TCellText copy(Data, Size);  // Data may point into this text
    *this = std::move(copy);
  }
  void Set(const char* Data, size_t Size) {
    if (Size <= kTag) {
      std::memcpy(FBuf, Data, Size);
      FBuf[kTag] = static_cast<char>(Size);
      return;
    }
    const auto n = static_cast<uint32_t>(Size);
    if (n != Size) throw EOutOfMemory("Cell text too long");
    char* p = new char[sizeof n + Size];
    std::memcpy(p, &n, sizeof n);
    std::memcpy(p + sizeof n, Data, Size);
    std::memcpy(FBuf, &p, sizeof p);
    FBuf[kTag] = static_cast<char>(kHeap);
  }
  char FBuf[12];
};
static_assert(sizeof(TCellText) == 12);

// The object slots of a row: nothing but a null pointer until an object is stored, since
// most grids hold text only. Indexing and iterating work as on a vector of the slots.
class TObjectSlots {
 public:
  TObjectSlots() = default;
  TObjectSlots(const TObjectSlots& Other)
      : FSlots(Other.FSlots ? std::make_unique<std::vector<TObject*>>(*Other.FSlots) : nullptr) {}
  TObjectSlots(TObjectSlots&&) noexcept = default;
  TObjectSlots& operator=(const TObjectSlots& Other) {
    if (this != &Other) *this = TObjectSlots(Other);
    return *this;
  }
  TObjectSlots& operator=(TObjectSlots&&) noexcept = default;

  size_t size() const { return FSlots ? FSlots->size() : 0; }
  bool empty() const { return size() == 0; }
  TObject** begin() { return FSlots ? FSlots->data() : nullptr; }
  TObject** end() { return begin() + size(); }
  TObject* const* begin() const { return FSlots ? FSlots->data() : nullptr; }
  TObject* const* end() const { return begin() + size(); }
  TObject*& operator[](size_t Index) { return (*FSlots)[Index]; }
  TObject* operator[](size_t Index) const { return (*FSlots)[Index]; }
  void resize(size_t Count, TObject* Value = nullptr) {
    if (Count == 0) {
      FSlots.reset();
      return;
    }
    Slots().resize(Count, Value);
  }
  void clear() { FSlots.reset(); }
  void insert(TObject** At, size_t Count, TObject* Value) {
    const size_t at = Index(At);
    Slots().insert(Slots().begin() + static_cast<std::ptrdiff_t>(at), Count, Value);
  }
  void insert(TObject** At, TObject* Value) { insert(At, 1, Value); }
  void erase(TObject** First, TObject** Last) {
    if (First == Last) return;
    Slots().erase(Slots().begin() + static_cast<std::ptrdiff_t>(Index(First)),
                  Slots().begin() + static_cast<std::ptrdiff_t>(Index(Last)));
    if (FSlots->empty()) FSlots.reset();
  }
  void erase(TObject** At) { erase(At, At + 1); }

 private:
  std::vector<TObject*>& Slots() {
    if (!FSlots) FSlots = std::make_unique<std::vector<TObject*>>();
    return *FSlots;
  }
  size_t Index(TObject** At) { return FSlots ? static_cast<size_t>(At - FSlots->data()) : 0; }
  std::unique_ptr<std::vector<TObject*>> FSlots;
};

// One row of a string grid's cell store: the texts by column, and the object slots.
struct TStringGridRow {
  std::vector<TCellText> Texts;
  TObjectSlots Objects;
  TObject* Object(size_t ACol) const { return ACol < Objects.size() ? Objects[ACol] : nullptr; }
  void SetObject(size_t ACol, TObject* Value);
  bool Empty() const;
};
// A detached cell store: rows read apart from a grid, to be taken by one whole.
using TStringGridRows = std::vector<TStringGridRow>;

class TStringGrid;

// A row or a column of a string grid seen as a string list: item i is the cell's text and
// object, over the columns 0..ColCount-1 (rows 0..RowCount-1). Assigning another list writes
// its strings and objects and empties the cells it does not reach; items cannot be inserted
// or deleted.
class TStringGridStrings : public TStrings {
 public:
  TStringGridStrings(TStringGrid* AGrid, bool IsRow, int Index) : FGrid(AGrid), FIsRow(IsRow), FIndex(Index) {}
  String Get(Integer Index) const override;
  Integer GetCount() const override;
  void Put(Integer Index, const String& S) override;
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* AObject) override;
  void Insert(Integer Index, const String& S) override;
  void Delete(Integer Index) override;
  void Clear() override;
  void Assign(TPersistent* Source) override;

 private:
  TStringGrid* FGrid;
  bool FIsRow;
  int FIndex;
};

// A grid holding a text and an object per cell. Any cell with non-negative indexes can be
// written and read back, also outside the counts (such cells are not shown); cells never
// written read "". Making the grid smaller drops the cells beyond the new counts, unless a
// descendant keeps them (FKeepCellsBeyondCounts). The grid does not own the objects.
class TStringGrid : public TDrawGrid {
 public:
  explicit TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}
  ~TStringGrid() override;

  // Virtual so that helpers written for any string grid see a descendant's cell texts.
  virtual String Cells(int ACol, int ARow) const;
  virtual void SetCells(int ACol, int ARow, const String& Value);
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);

  // A row (column) as a string list; the list lives as long as the grid.
  TStrings* Rows(int ARow);
  TStrings* Cols(int ACol);

  // Texts of a row (column) over the columns 0..ColCount-1 (rows 0..RowCount-1).
  std::vector<String> RowTexts(int ARow) const;
  void SetRowTexts(int ARow, const std::vector<String>& Texts);
  std::vector<String> ColTexts(int ACol) const;
  void SetColTexts(int ACol, const std::vector<String>& Texts);
  // Makes Rows the whole cell store (row i becomes row i) without copying a cell: readers fill
  // a detached store and hand it over once the read succeeded. The counts stay; cells beyond
  // them are dropped unless the grid keeps such cells. Objects of the old rows are not freed.
  void TakeRows(TStringGridRows&& Rows);

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  void GridRowsInserted(int ARow, int Count) override;
  void GridRowsDeleted(int ARow, int Count) override;
  // Empties every stored text (inside and outside the counts); objects stay.
  void ClearAllTexts();
  // The size of the cell store: every cell ever written lies in columns 0..Cols-1 and rows
  // 0..Rows-1, inside the counts or not.
  void StoredExtent(int& Cols, int& Rows) const;

  // ---- Whole rows and columns of the store, for descendants that move many at once ----
  // These touch neither the counts nor the sizes, and free no object: a row (column) moves
  // with its texts and object slots.
  // Inserts Count empty rows before ARow; the stored rows from ARow on move down.
  void StoreInsertRows(int ARow, int Count);
  // Drops the rows ARow..ARow+Count-1; the stored rows below move up.
  void StoreDeleteRows(int ARow, int Count);
  // Takes a row out (the row is left empty) and puts one in (replacing what was there).
  TStringGridRow StoreTakeRow(int ARow);
  void StorePutRow(int ARow, TStringGridRow&& Row);
  void StoreSwapRows(int ARow1, int ARow2);
  // Inserts Count empty columns before ACol in every stored row, and drops columns.
  void StoreInsertCols(int ACol, int Count);
  void StoreDeleteCols(int ACol, int Count);
  // Empties the texts and object slots of a row without freeing the objects.
  void StoreClearRow(int ARow);
  // Empties the texts of a block of cells (objects stay).
  void StoreClearTexts(int Col1, int Row1, int Col2, int Row2);
  // Number of stored rows.
  int StoreRowCount() const { return static_cast<int>(FData.size()); }
  // Makes room for Cols texts in row ARow, so that a row written cell by cell is allocated once.
  void StoreReserveRow(int ARow, int Cols);

  bool FKeepCellsBeyondCounts = false;

 private:
  const TStringGridRow* FindRow(int ARow) const;
  void DropCellsBeyondCounts();
  std::vector<TStringGridRow> FData;  // by row
  std::vector<std::unique_ptr<TStringGridStrings>> FRowStrings;
  std::vector<std::unique_ptr<TStringGridStrings>> FColStrings;
};
