// The data grid's core: construction and its starting values, the counts and fixed counts
// with their bookkeeping, sizes, the save range, bounds and assignment.
#include "grid/model/RivErodovOzar.h"
#include "classlib/Streams.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

#include "classlib/Colors.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/StringList.h"
#include "grid/editing/GridEditLink.h"

namespace {
std::unique_ptr<TIntList> NewIntList() { return std::make_unique<TIntList>(0, 0); }
}  // namespace

TRivErodovOzar::TRivErodovOzar(TComponent* AOwner)
    : TBaseGrid(AOwner),
      HintColor(clInfoBk),
      HighlightColor(clHighlight),
      HighlightTextColor(clHighlightText),
      FModifiedRows(NewIntList()),
      FEnabledRows(NewIntList()),
      FRowSelect(NewIntList()),
      FColSelect(NewIntList()),
      FSelectedRows(NewIntList()),
      FSortRowXRef(NewIntList()),
      FUnSortRowXRef(NewIntList()),
      FMergedColumns(NewIntList()),
      FSelectedCells(NewIntList()),
      FIgnoreColumns(NewIntList()),
      FColumnHeaders(std::make_unique<TStringList>()),
      FRowHeaders(std::make_unique<TStringList>()),
      FLookupItems(std::make_unique<TStringList>()),
      FFilterList(std::make_unique<TStringList>()),
      FSortList(std::make_unique<TStringList>()),
      FFixedFont(std::make_unique<TFont>()),
      FActiveCellFont(std::make_unique<TFont>()),
      FMouseActions(std::make_unique<TMouseActions>(this)),
      FNavigation(std::make_unique<TNavigation>()),
      FBands(std::make_unique<TBands>()),
      FSearchFooter(std::make_unique<TSearchFooter>(this, false)),
      FSyncGrid(std::make_unique<TSyncGrid>(this)),
      FRowCheckGraphic(std::make_unique<TCellGraphic>()) {
  FFilterList->SetSorted(true);
  FFilterList->SetDuplicates(dupIgnore);
  FVAVGradTo = ColorToRGB(clBtnFace);
  FControlLook = std::make_unique<TControlLook>(this);
  FColumnHeaders->OnChange = [this](TObject*) {
    BeforeShowColumnHeaders();
    ShowColumnHeaders();
  };
  FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
  FMergedColumns->OnChange = [this](TObject*, int, int) {
    for (int c = 0; c < ColCount(); ++c) SplitColumnCells(c);
    for (int i = 0; i < FMergedColumns->Count(); ++i) MergeColumnCells(FMergedColumns->Items(i), i == 0);
  };
  FFixedFont->SetName("Tahoma");
  FFixedFont->SetStyle(TFontStyles{fsBold});
  FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
  FActiveCellFont->SetStyle(TFontStyles{fsBold});
  if (IsDesigning()) FActiveCellFont->SetName("Tahoma");
  FActiveCellFont->OnChange = [this](TObject*) { Invalidate(); };
  FMouseActions->OnChange = [this](TObject* Sender) { MouseActionsChanged(Sender); };
  FNavigation->OnChange = [this](TObject* Sender) { NavigationChanged(Sender); };
  FBands->OnChange = [this](TObject*) { Invalidate(); };
  FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
  FShowModified->OnChange = [this](TObject*) { RepaintCol(0); };

  TBaseGrid::SetWordWrap(true);
  TCustomGrid::SetDefaultRowHeight(22);
  SetRowCount(10);
  TCustomGrid::SetBounds(Left(), Top(), 400, 250);
  FVisibleCol.fill(true);
  FNumHidden = 0;
  FFixedRowsMin = TCustomGrid::FixedRows();
  FFixedColsMin = TCustomGrid::FixedCols();
  FMaxColCount = ColCount();
  EditingCreated();
  InteractionCreated();
  ToolsCreated();
  PaintCreated();
}

TRivErodovOzar::~TRivErodovOzar() {
  FDestroyingGrid = true;
  if (FColumnSize->Save) {
    // A store that cannot be written costs the widths, not the program.
    try {
      SaveColSizes();
    } catch (const Exception&) {
    }
  }
  EditingDestroyed();
  InteractionDestroyed();
  ClearTextOnly = false;
  // Hidden rows hold their cells outside the grid; their properties go with the grid too.
  FreeHiddenRowProperties(0, std::numeric_limits<int>::max() - 1);
  FGridItems.Clear();
  // The base grid frees every properties object left in the cell store.
}

// ---- Counts ----

void TRivErodovOzar::SetRowCount(int Value) {
  TBaseGrid::SetRowCount(Value);
  if (FFixedRowAlways && FFixedRowsMin < RowCount() && TCustomGrid::FixedRows() != FFixedRowsMin)
    SetFixedRows(FFixedRowsMin);
  FMaxRowCount = std::max(FMaxRowCount, Value);
  FNormalRowCount = RowCount();
  ApplyScrollBarAlways(false);
}

void TRivErodovOzar::SetColCount(int Value) {
  TBaseGrid::SetColCount(Value);
  if (FFixedColAlways && FFixedColsMin < ColCount() && TCustomGrid::FixedCols() != FFixedColsMin)
    SetFixedCols(FFixedColsMin);
  FMaxColCount = std::max(FMaxColCount, Value);
  // A horizontal scroll bar that comes or goes changes what IntegralHeight keeps.
  SetBounds(Left(), Top(), Width(), Height());
  ApplyScrollBarAlways(false);
}

int TRivErodovOzar::FixedRows() const {
  int n = TCustomGrid::FixedRows();
  return n == 0 && FFixedRowAlways ? 1 : n;
}

int TRivErodovOzar::FixedCols() const {
  int n = TCustomGrid::FixedCols();
  return n == 0 && FFixedColAlways ? 1 : n;
}

void TRivErodovOzar::SetFixedRows(int Value) {
  if (FFixedRowAlways && Value >= RowCount())
    TCustomGrid::SetFixedRows(RowCount() - 1);
  else
    TCustomGrid::SetFixedRows(Value);
  if (!IsStreaming()) FFixedRowsMin = Value;
}

void TRivErodovOzar::SetFixedCols(int Value) {
  if (FFixedColAlways && Value >= ColCount())
    TCustomGrid::SetFixedCols(ColCount() - 1);
  else
    TCustomGrid::SetFixedCols(Value);
  if (!IsStreaming()) FFixedColsMin = Value;
}

void TRivErodovOzar::SetFixedFooters(int Value) {
  FFixedFooters = Value;
  Invalidate();
}

void TRivErodovOzar::SetFixedRightCols(int Value) {
  FFixedRightCols = Value;
  Invalidate();
}

// ---- Sizes ----

void TRivErodovOzar::SetDefaultRowHeight(int Value) {
  TCustomGrid::SetDefaultRowHeight(Value);
  if (IsDesigning()) FFixedRowHeight = Value;
}

void TRivErodovOzar::SetFixedRowHeight(int Value) {
  FFixedRowHeight = Value;
  if (IsStreaming()) return;
  if (Value == DefaultRowHeight()) {
    SetDefaultRowHeight(Value);
  } else {
    for (int r = 0; r < TCustomGrid::FixedRows(); ++r) SetRowHeights(r, Value);
  }
}

void TRivErodovOzar::SetFixedColWidth(int Value) {
  if (IsStreaming() || Value == DefaultColWidth()) return;
  for (int c = 0; c < TCustomGrid::FixedCols(); ++c) SetColWidths(c, Value);
}

void TRivErodovOzar::SetDefaultAlignment(TAlignment Value) {
  if (Value == FDefaultAlignment) return;
  FDefaultAlignment = Value;
  Invalidate();
}

void TRivErodovOzar::SetWordWrap(bool Value) {
  TBaseGrid::SetWordWrap(Value);
  FGridWordWrap = Value;
  if (FUpdateCount == 0) Invalidate();
}

void TRivErodovOzar::SetFixedFont(TFont* Value) {
  if (Value != nullptr) FFixedFont->Assign(*Value);
  Invalidate();
}

// ---- Position ----

void TRivErodovOzar::SetCol(int Value) {
  TCustomGrid::SetCol(Value);
  auto* sync = dynamic_cast<TRivErodovOzar*>(FSyncGrid->Grid());
  if (sync != nullptr && FSyncGrid->SelectionColumn) sync->SetCol(Value);
}

void TRivErodovOzar::SetTopRow(int Value) {
  if (Value < FixedRows() || Value > RowCount() - 1) return;
  TCustomGrid::SetTopRow(Value);
}

void TRivErodovOzar::SetRowEx(int ARow) {
  if (Col() >= ColCount() || Col() < FixedCols()) TCustomGrid::SetCol(FixedCols());
  SetRow(ARow);
}

// ---- Version ----

int TRivErodovOzar::GetVersionNr() const { return (5 << 24) | (7 << 16) | (0 << 8) | 1; }

String TRivErodovOzar::Version() const {
  const int nr = GetVersionNr();
  return IntToStr((nr >> 24) & 0xFF) + "." + IntToStr((nr >> 16) & 0xFF) + "." + IntToStr((nr >> 8) & 0xFF) + "." +
         IntToStr(nr & 0xFF);
}

String TRivErodovOzar::VersionString() const { return Version() + " Jan, 2011"; }

// ---- The save range ----

int TRivErodovOzar::SaveStartCol() const { return SaveFixedCells ? 0 : FixedCols(); }
int TRivErodovOzar::SaveStartRow() const { return SaveFixedCells ? 0 : FixedRows(); }
int TRivErodovOzar::SaveEndCol() const { return SaveFixedCells ? ColCount() - 1 : ColCount() - FFixedRightCols - 1; }
int TRivErodovOzar::SaveEndRow() const { return SaveFixedCells ? RowCount() - 1 : RowCount() - FFixedFooters - 1; }
int TRivErodovOzar::SaveColCount() const {
  return SaveFixedCells ? ColCount() : ColCount() - FixedCols() - FFixedRightCols;
}
int TRivErodovOzar::SaveRowCount() const {
  return SaveFixedCells ? RowCount() : RowCount() - FixedRows() - FFixedFooters;
}

TGridRect TRivErodovOzar::UsedCells() {
  TGridRect r{ColCount(), RowCount(), -1, -1};
  for (int row = 0; row < RowCount(); ++row) {
    for (int col = 0; col < ColCount(); ++col) {
      if (Cells(col, row).empty()) continue;
      r.Left = std::min(r.Left, col);
      r.Top = std::min(r.Top, row);
      r.Right = std::max(r.Right, col);
      r.Bottom = std::max(r.Bottom, row);
    }
  }
  if (r.Right < 0) return TGridRect{0, 0, 0, 0};
  return r;
}

// ---- Bounds, repaint ----

void TRivErodovOzar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (IntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
    int fitCols = FixedCols() + VisibleColCount();
    int s = fitCols < ColCount() ? ScrollBarSize : 0;
    int b = BorderStyle == bsSingle ? 2 : 0;
    AHeight = AHeight + b - ((AHeight - s - b) % DefaultRowHeight());
  }
  TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TRivErodovOzar::Invalidate() {
  if (FEditChangeFlag) {
    FEditChangeFlag = false;
    return;
  }
  if (FUpdateCount > 0) return;
  TBaseGrid::Invalidate();
}

void TRivErodovOzar::Resize() {
  TBaseGrid::Resize();
  if (OnResize) OnResize(this);
  if (BackgroundDisplay == bdGradientHorz || BackgroundDisplay == bdGradientVert) {
    if (BackgroundColorTo != clNone) Invalidate();
  }
  ApplyScrollBarAlways(false);
  if (IsDesigning()) Invalidate();
}

// The platform grid shows a bar whenever its rows (columns) do not fit and hides it when they
// do; what this setting adds is a bar kept on screen while everything fits.
void TRivErodovOzar::ApplyScrollBarAlways(bool HideUnneeded) {
  (void)HideUnneeded;
  if (ScrollBarAlways == saNone) return;
  Invalidate();
}

void TRivErodovOzar::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == FGridImages) FGridImages = nullptr;
  if (Operation == opRemove && AComponent == FEditLink) FEditLink = nullptr;
  TBaseGrid::Notification(AComponent, Operation);
}

// ---- Life cycle ----

void TRivErodovOzar::Loaded() {
  TBaseGrid::Loaded();
  FOldCursor = Cursor;
  ShowColumnHeaders();
  ShowRowHeaders();
  // The VAV look's colours were skipped while loading.
  if (FLook == glVAV) ApplyLookPreset(glVAV);
  FFixedRowsMin = TCustomGrid::FixedRows();
  FFixedColsMin = TCustomGrid::FixedCols();
  MinRowHeight = DefaultRowHeight();
  MinColWidth = 10;
  FMaxRowCount = RowCount();
  FLoaded = true;
  if (FColumnSize->Save) LoadColSizes();
  UpdateSearchFooter();
  TGridOptions options = Options();
  if (options.Contains(goAlwaysShowEditor)) {
    options -= goAlwaysShowEditor;
    SetOptions(options);
    FNavigation->AlwaysEdit = true;
  }
  ApplyScrollBarAlways(false);
  if (AutoThemeAdapt && !IsDesigning()) FollowOfficeTheme();
}

TControl* TRivErodovOzar::FindParentForm(TControl* AControl) {
  for (TControl* c = AControl; c != nullptr; c = c->Parent())
    if (dynamic_cast<TCustomForm*>(c) != nullptr) return c;
  return nullptr;
}

void TRivErodovOzar::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TRivErodovOzar*>(Source);
  if (src == nullptr) return;
  Font()->Assign(*src->Font());
  ActiveCellColor = src->ActiveCellColor;
  ActiveCellColorTo = src->ActiveCellColorTo;
  FActiveCellFont->Assign(*src->FActiveCellFont);
  ActiveCellShow = src->ActiveCellShow;
  SetActiveRowShow(src->ActiveRowShow());
  SetAlign(src->Align());
  AnchorHint = src->AnchorHint;
  AutoNumAlign = src->AutoNumAlign;
  AutoSize = src->AutoSize;
  AutoThemeAdapt = src->AutoThemeAdapt;
  AutoFilterUpdate = src->AutoFilterUpdate;
  FMouseActions->Assign(src->FMouseActions.get());
  FNavigation->Assign(src->FNavigation.get());
  FSearchFooter->Assign(src->FSearchFooter.get());
  FBands->Assign(src->FBands.get());
  FCellNode->Assign(src->FCellNode.get());
  FGrouping->Assign(src->FGrouping.get());
  FProgressAppearance->Assign(src->FProgressAppearance.get());
  FColumnSize->Assign(src->FColumnSize.get());
  FSyncGrid->Assign(src->FSyncGrid.get());
  // FixedColAlways is not copied.
  FFixedRowAlways = src->FFixedRowAlways;
  SetColCount(src->ColCount());
  SetRowCount(src->RowCount());
  SetFixedRows(src->FixedRows());
  SetFixedCols(src->FixedCols());
  SetDefaultColWidth(src->DefaultColWidth());
  SetDefaultRowHeight(src->DefaultRowHeight());
  SetFixedRowHeight(src->FixedRowHeight());
  SetFixedColWidth(src->FixedColWidth());
  InvalidEntryTitle = src->InvalidEntryTitle;
  InvalidEntryIcon = src->InvalidEntryIcon;
  InvalidEntryText = src->InvalidEntryText;
  SetOptions(src->Options());
  for (int c = 0; c < ColCount(); ++c) SetColWidths(c, src->ColWidths(c));
  FColumnHeaders->Assign(src->FColumnHeaders.get());
  for (int r = 0; r < RowCount(); ++r) SetRowHeights(r, src->RowHeights(r));
  ScrollProportional = src->ScrollProportional;
  ScrollSynch = src->ScrollSynch;
  ScrollHints = src->ScrollHints;
  ScrollBarAlways = src->ScrollBarAlways;
  SetScrollBars(src->ScrollBars());
  ScrollColor = src->ScrollColor;
  ScrollType = src->ScrollType;
  ScrollWidth = src->ScrollWidth;
  AssignCells(src);
}

// Copies the source's visible cells (texts, cell properties, graphics) and the sizes of its
// columns and rows; the counts grow to the source's.
void TRivErodovOzar::AssignCells(TPersistent* Source) {
  auto* src = dynamic_cast<TRivErodovOzar*>(Source);
  if (src == nullptr || src == this) return;
  if (ColCount() < src->ColCount()) SetColCount(src->ColCount());
  if (RowCount() < src->RowCount()) SetRowCount(src->RowCount());
  for (int c = 0; c < src->ColCount(); ++c) SetColWidths(c, src->ColWidths(c));
  for (int r = 0; r < src->RowCount(); ++r) SetRowHeights(r, src->RowHeights(r));
  if (src->ColCount() == 0 || src->RowCount() == 0) return;
  TMemoryStream cells;
  const bool fixed = src->SaveFixedCells;
  src->SaveRectToBinStream(Rect(0, 0, src->ColCount() - 1, src->RowCount() - 1), &cells);
  src->SaveFixedCells = fixed;
  cells.SetPosition(0);
  LoadAtPointFromBinStream(TPoint{0, 0}, &cells);
}

