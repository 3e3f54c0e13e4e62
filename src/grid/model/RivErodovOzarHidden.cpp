// Hidden columns and rows and the mapping between real and display indexes.
//
// A hidden column keeps its cells in place; only a flag per real column leaves it out of the
// display. A hidden row is taken out of the cell store, with its texts, object slots and
// height, into the hidden-row store. Runs of rows are moved in one step each way, so hiding
// and showing n rows costs time linear in n, not n squared.
#include <algorithm>

#include "grid/model/RivErodovOzar.h"

namespace {
constexpr int kHideableCols = 512;
}

// ---- Columns ----

bool TRivErodovOzar::IsHiddenColumn(int ColIndex) const {
  if (ColIndex < 0 || ColIndex >= kHideableCols) return false;
  return !FVisibleCol[static_cast<size_t>(ColIndex)];
}

int TRivErodovOzar::RealColIndex(int ACol) const {
  if (FNumHidden == 0 || ACol >= kHideableCols) return ACol;
  int visible = 0;
  for (int c = 0; c < kHideableCols; ++c) {
    if (!FVisibleCol[static_cast<size_t>(c)]) continue;
    if (visible == ACol) return c;
    ++visible;
  }
  return 0;
}

int TRivErodovOzar::DisplColFromReal(int ACol) const {
  if (FNumHidden == 0 || ACol >= kHideableCols) return ACol;
  int hidden = 0;
  for (int c = 0; c < ACol; ++c)
    if (!FVisibleCol[static_cast<size_t>(c)]) ++hidden;
  return ACol - hidden;
}

int TRivErodovOzar::DisplColIndex(int ACol) { return DisplColFromReal(ACol); }

bool TRivErodovOzar::IsIgnoredColumn(int ACol) const { return FIgnoreColumns->HasValue(ACol); }

void TRivErodovOzar::HideColumns(int FromCol, int ToCol) {
  HideEditor();
  for (int c = std::max(FromCol, 0); c <= ToCol && c < kHideableCols; ++c) {
    if (IsHiddenColumn(c) || c >= AllColCount() || ColCount() <= 1) continue;
    const int d = DisplColFromReal(c);
    FAllColWidths[static_cast<size_t>(c)] = static_cast<uint16_t>(ColWidths(d));
    for (int i = d; i < ColCount() - 1; ++i) SetColWidths(i, ColWidths(i + 1));
    ++FNumHidden;
    FVisibleCol[static_cast<size_t>(c)] = false;
    if (Col() == ColCount() - 1 && Col() > TCustomGrid::FixedCols()) TCustomGrid::SetCol(Col() - 1);
    TBaseGrid::SetColCount(ColCount() - 1);
  }
  Invalidate();
}

void TRivErodovOzar::UnHideColumns(int FromCol, int ToCol) {
  HideEditor();
  for (int c = std::max(FromCol, 0); c <= ToCol && c < kHideableCols; ++c) {
    if (!IsHiddenColumn(c)) continue;
    --FNumHidden;
    FVisibleCol[static_cast<size_t>(c)] = true;
    TBaseGrid::SetColCount(ColCount() + 1);
    const int d = DisplColFromReal(c);
    for (int i = ColCount() - 1; i > d; --i) SetColWidths(i, ColWidths(i - 1));
    SetColWidths(d, FAllColWidths[static_cast<size_t>(c)]);
  }
  Invalidate();
}

void TRivErodovOzar::UnHideColumnsAll() { UnHideColumns(0, ColCount() + FNumHidden); }

// ---- Index mapping of rows ----

bool TRivErodovOzar::IsHiddenRow(int RowIndex) const { return FGridItems.HasIdx(RowIndex); }

int TRivErodovOzar::RealRowIndex(int ARow) const {
  if (FGridItems.Count() == 0 || ARow < 0) return ARow;
  return FGridItems.RealFromDisplay(ARow);
}

int TRivErodovOzar::DisplRowIndex(int ARow) const { return ARow - FGridItems.CountBelow(ARow); }

String TRivErodovOzar::GetAllCell(int ACol, int ARow) {
  if (FGridItems.HasIdx(ARow)) {
    for (int i = 0; i < FGridItems.Count(); ++i) {
      TGridItem* item = FGridItems.Items(i);
      if (item->Idx() != ARow) continue;
      String value = item->Items()->Strings(ACol);
      DoGetDisplText(ACol, ARow, value);
      return value;
    }
  }
  return Cells(ACol, DisplRowIndex(ARow));
}

// ---- Hiding rows ----

void TRivErodovOzar::HideRows(int FromRow, int ToRow) {
  if (FromRow < 0 || ToRow < FromRow) return;
  // The rows of the run still shown, with their display positions before anything moves.
  const int dispFrom = FromRow - FGridItems.CountBelow(FromRow);
  std::vector<int> newRows;
  for (int r = FromRow; r <= ToRow; ++r)
    if (!FGridItems.HasIdx(r)) newRows.push_back(r);
  if (newRows.empty()) return;
  // Rows that do not exist are not hidden, and one row always stays on screen.
  const int available = std::max(0, std::min(RowCount() - dispFrom, RowCount() - 1));
  if (static_cast<int>(newRows.size()) > available) newRows.resize(static_cast<size_t>(available));
  if (newRows.empty()) return;
  const bool wholeRun = static_cast<int>(newRows.size()) == ToRow - FromRow + 1;
  std::vector<std::unique_ptr<TGridItem>> run;
  run.reserve(newRows.size());
  for (size_t k = 0; k < newRows.size(); ++k) {
    const int d = dispFrom + static_cast<int>(k);
    run.push_back(FGridItems.MakeItem(newRows[k], RowHeights(d), StoreTakeRow(d)));
  }
  if (wholeRun) {
    FGridItems.InsertRun(FGridItems.LowerBound(FromRow), std::move(run));
  } else {
    // Already hidden rows inside the run: each new item goes to its own place.
    for (auto& item : run) {
      const int at = FGridItems.LowerBound(item->Idx());
      std::vector<std::unique_ptr<TGridItem>> one;
      one.push_back(std::move(item));
      FGridItems.InsertRun(at, std::move(one));
    }
  }
  RemoveRowsCore(dispFrom, static_cast<int>(newRows.size()), false);
}

void TRivErodovOzar::HideRowsEx(int FromRow, int ToRow) {
  if (FromRow < 0 || ToRow < FromRow || IsHiddenRow(FromRow)) return;
  const int dispFrom = DisplRowIndex(FromRow);
  const int count = std::min(ToRow - FromRow + 1, std::max(0, std::min(RowCount() - dispFrom, RowCount() - 1)));
  if (count <= 0) return;
  for (int k = 0; k < count; ++k) FGridItems.Add(FromRow + k, 0, StoreTakeRow(dispFrom + k));
  // The run goes by copying, as RemoveRowsEx does; hiding changes no other hidden row's index.
  RemoveRowsExCore(dispFrom, count, false);
}

void TRivErodovOzar::HideRowList(const std::vector<int>& RowList) {
  if (RowList.empty()) return;
  std::vector<int> heights = AllRowHeights();
  const int rows = RowCount();
  std::vector<bool> listed(static_cast<size_t>(rows), false);
  int count = 0;
  for (int r : RowList) {
    if (r < 0 || r >= rows || listed[static_cast<size_t>(r)]) continue;
    listed[static_cast<size_t>(r)] = true;
    FGridItems.Add(r, heights[static_cast<size_t>(r)], StoreTakeRow(r), FFilterLevel);
    ++count;
  }
  ++FFilterLevel;
  // Compact from the top: every row not listed moves up to the next free position.
  int w = 0;
  for (int r = 0; r < rows; ++r) {
    if (listed[static_cast<size_t>(r)]) continue;
    if (w != r) {
      StorePutRow(w, StoreTakeRow(r));
      heights[static_cast<size_t>(w)] = heights[static_cast<size_t>(r)];
    }
    ++w;
  }
  SetRowCount(std::max(1, rows - count));
  heights.resize(static_cast<size_t>(RowCount()));
  SetAllRowHeights(heights);
}

// ---- Showing rows ----

namespace {
// The display rows the stored rows go back to, one row each: ascending targets, kept apart
// and inside the grid of NewRows rows, so that every stored row finds a place even when the
// indexes it kept have come to collide or lie beyond the grid.
std::vector<int> PlaceableTargets(std::vector<int> Targets, int NewRows) {
  const int n = static_cast<int>(Targets.size());
  for (int k = 0; k < n; ++k) {
    int& t = Targets[static_cast<size_t>(k)];
    t = std::max(t, k == 0 ? 0 : Targets[static_cast<size_t>(k - 1)] + 1);
  }
  for (int k = n - 1; k >= 0; --k) {
    int& t = Targets[static_cast<size_t>(k)];
    t = std::min(t, NewRows - (n - k));
  }
  return Targets;
}
}  // namespace

// Puts stored rows back: each item goes to the display row its real index gives once the
// rows still hidden above it are counted. Items must come in ascending Idx order and must
// already be out of the store. One pass from the bottom places old rows and stored ones.
void TRivErodovOzar::RestoreHiddenItems(std::vector<std::unique_ptr<TGridItem>> Items) {
  if (Items.empty()) return;
  std::vector<int> target(Items.size());
  for (size_t k = 0; k < Items.size(); ++k) target[k] = Items[k]->Idx() - FGridItems.CountBelow(Items[k]->Idx());
  const int oldRows = RowCount();
  const int newRows = oldRows + static_cast<int>(Items.size());
  target = PlaceableTargets(std::move(target), newRows);
  std::vector<int> heights = AllRowHeights();
  heights.resize(static_cast<size_t>(newRows), DefaultRowHeight());
  // Rows beyond the count are stale: the rows coming down take their place, and the
  // properties left there go.
  FreeRowProperties(oldRows, newRows - 1);
  for (int r = oldRows; r < newRows; ++r) StoreClearRow(r);
  int r = oldRows - 1;
  int k = static_cast<int>(Items.size()) - 1;
  for (int w = newRows - 1; w >= 0; --w) {
    if (k >= 0 && target[static_cast<size_t>(k)] >= w) {
      TGridItem* item = Items[static_cast<size_t>(k)].get();
      heights[static_cast<size_t>(w)] = item->Height() > 0 ? item->Height() : DefaultRowHeight();
      if (!item->Cells().Objects.empty()) FHasCellProps = true;
      StorePutRow(w, std::move(item->Cells()));
      --k;
    } else if (r >= 0) {
      if (r != w) {
        StorePutRow(w, StoreTakeRow(r));
        heights[static_cast<size_t>(w)] = heights[static_cast<size_t>(r)];
      }
      --r;
    }
  }
  const int first = target.front();
  const bool wasModified = FShowModified->Enabled;
  FShowModified->Enabled = false;  // rows shown again are not modified rows
  const int current = Row();
  SetRowCount(newRows);
  SetAllRowHeights(heights);
  FShowModified->Enabled = wasModified;
  if (current >= first && current < RowCount()) SetRow(current);
  DoCellsChanged(Rect(0, first, ColCount() - 1, newRows - 1));
}

void TRivErodovOzar::UnHideRow(int RowIndex) {
  for (int i = 0; i < FGridItems.Count(); ++i) {
    if (FGridItems.Items(i)->Idx() != RowIndex) continue;
    std::vector<std::unique_ptr<TGridItem>> one;
    one.push_back(FGridItems.Extract(i));
    RestoreHiddenItems(std::move(one));
    return;
  }
}

void TRivErodovOzar::UnHideRows(int FromRow, int ToRow) {
  if (!IsHiddenRow(FromRow)) return;
  std::vector<std::unique_ptr<TGridItem>> items;
  std::vector<std::unique_ptr<TGridItem>> keep;
  const int count = FGridItems.Count();
  auto all = FGridItems.ExtractRun(0, count);
  for (auto& item : all) {
    if (item->Idx() >= FromRow && item->Idx() <= ToRow)
      items.push_back(std::move(item));
    else
      keep.push_back(std::move(item));
  }
  FGridItems.InsertRun(0, std::move(keep));
  std::stable_sort(items.begin(), items.end(), [](const auto& A, const auto& B) { return A->Idx() < B->Idx(); });
  RestoreHiddenItems(std::move(items));
}

void TRivErodovOzar::UnHideRowsAll() {
  if (FGridItems.Count() == 0) return;
  auto items = FGridItems.ExtractRun(0, FGridItems.Count());
  std::stable_sort(items.begin(), items.end(), [](const auto& A, const auto& B) { return A->Idx() < B->Idx(); });
  RestoreHiddenItems(std::move(items));
}

void TRivErodovOzar::UnHideRowList() {
  const int level = FFilterLevel - 1;
  std::vector<int> ofLevel;
  for (int i = 0; i < FGridItems.Count(); ++i)
    if (FGridItems.Items(i)->Level() == level) ofLevel.push_back(i);
  const int n = static_cast<int>(ofLevel.size());
  if (n == 0) return;
  if (Row() >= RowCount()) TCustomGrid::SetRow(FixedRows());
  const int oldRows = RowCount();
  const int newRows = oldRows + n;
  std::vector<int> heights = AllRowHeights();
  heights.resize(static_cast<size_t>(newRows), DefaultRowHeight());
  FreeRowProperties(oldRows, newRows - 1);
  for (int r = oldRows; r < newRows; ++r) StoreClearRow(r);
  // Merge from the bottom: a stored row goes back to the display row it had.
  std::vector<int> target;
  for (int i : ofLevel) target.push_back(FGridItems.Items(i)->Idx());
  target = PlaceableTargets(std::move(target), newRows);
  int r = oldRows - 1;
  int k = n - 1;
  for (int w = newRows - 1; w >= 0; --w) {
    TGridItem* item = k >= 0 ? FGridItems.Items(ofLevel[static_cast<size_t>(k)]) : nullptr;
    if (item != nullptr && target[static_cast<size_t>(k)] == w) {
      heights[static_cast<size_t>(w)] = item->Height();
      if (!item->Cells().Objects.empty()) FHasCellProps = true;
      StorePutRow(w, std::move(item->Cells()));
      --k;
    } else if (r >= 0) {
      if (r != w) {
        StorePutRow(w, StoreTakeRow(r));
        heights[static_cast<size_t>(w)] = heights[static_cast<size_t>(r)];
      }
      --r;
    }
  }
  SetRowCount(newRows);
  SetAllRowHeights(heights);
  // Only this level's rows leave the store: rows hidden otherwise stay hidden.
  for (int i = n - 1; i >= 0; --i) FGridItems.Delete(ofLevel[static_cast<size_t>(i)]);
}

// ---- The current row ----

void TRivErodovOzar::SetRow(int Value) {
  if (Col() < 0 || Col() >= ColCount()) TCustomGrid::SetCol(FixedCols());
  const int oldRow = Row();
  TCustomGrid::SetRow(Value);
  if (Row() != FLastReportedRow && OnRowUpdate) {
    OnRowUpdate(this, oldRow, Row());
    FLastReportedRow = Row();
  }
  auto* sync = dynamic_cast<TRivErodovOzar*>(FSyncGrid->Grid());
  if (sync != nullptr && FSyncGrid->SelectionRow) sync->SetRow(Value);
}
