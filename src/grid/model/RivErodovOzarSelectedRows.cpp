// Removing and hiding rows and columns by the selection. The selected set is taken once,
// before anything moves, so that rows sliding into the selected rectangle are not taken too.
#include <algorithm>

#include "grid/model/RivErodovOzar.h"

namespace {
bool ListHas(const TIntList* List, int Index) {
  return Index >= 0 && Index < List->Count() && List->Items(Index) != 0;
}
}  // namespace

// The display rows of the data part, from the last one up, that are (Selected) or are not
// selected.
static std::vector<int> RowsBySelection(TRivErodovOzar& Grid, const TIntList* RowSelect, bool Selected) {
  std::vector<int> rows;
  const TGridRect sel = Grid.Selection();
  const bool disjunct = Grid.MouseActions()->DisjunctRowSelect();
  const bool persistent = Grid.MouseActions()->RowSelectPersistent;
  for (int r = Grid.RowCount() - Grid.FixedFooters() - 1; r >= Grid.FixedRows(); --r) {
    const bool on = disjunct ? ListHas(RowSelect, persistent ? Grid.RealRowIndex(r) : r) : r >= sel.Top && r <= sel.Bottom;
    if (on == Selected) rows.push_back(r);
  }
  return rows;
}

void TRivErodovOzar::RemoveSelectedRows() {
  TUpdateBlock block(this);
  for (int r : RowsBySelection(*this, FRowSelect.get(), true)) DeleteRowRun(r, 1);
  if (FMouseActions->DisjunctRowSelect()) {
    FRowSelect->Clear();
    FSelectedRows->Clear();
  }
}

void TRivErodovOzar::RemoveUnSelectedRows() {
  TUpdateBlock block(this);
  for (int r : RowsBySelection(*this, FRowSelect.get(), false)) DeleteRowRun(r, 1);
  FRowSelect->Clear();
  FSelectedRows->Clear();
  if (FMouseActions->RowSelectPersistent)
    for (int r = 0; r < RowCount(); ++r) FRowSelect->Add(r >= FixedRows() ? 1 : 0);
}

void TRivErodovOzar::HideSelectedRows() {
  std::vector<int> real;
  for (int r : RowsBySelection(*this, FRowSelect.get(), true)) real.push_back(RealRowIndex(r));
  for (int r : real) HideRow(r);
}

void TRivErodovOzar::HideUnSelectedRows() {
  std::vector<int> real;
  for (int r : RowsBySelection(*this, FRowSelect.get(), false)) real.push_back(RealRowIndex(r));
  for (int r : real) HideRow(r);
}

void TRivErodovOzar::RemoveSelectedCols() {
  if (FMouseActions->DisjunctColSelect()) {
    for (int c = ColCount() - 1; c >= FixedCols(); --c) {
      if (!ListHas(FColSelect.get(), c)) continue;
      RemoveCols(RealColIndex(c), 1);
      FColSelect->Delete(c);
    }
    return;
  }
  const TGridRect sel = Selection();
  RemoveCols(RealColIndex(sel.Left), RealColIndex(sel.Right) - RealColIndex(sel.Left) + 1);
}

void TRivErodovOzar::RemoveUnSelectedCols() {
  if (FMouseActions->DisjunctColSelect()) {
    for (int c = ColCount() - 1; c >= FixedCols(); --c) {
      if (ListHas(FColSelect.get(), c)) continue;
      RemoveCols(RealColIndex(c), 1);
      if (c < FColSelect->Count()) FColSelect->Delete(c);
    }
  } else {
    const TGridRect sel = Selection();
    if (sel.Right + 1 < ColCount()) RemoveCols(RealColIndex(sel.Right + 1), AllColCount() - RealColIndex(sel.Right + 1));
    if (sel.Left > FixedCols()) RemoveCols(RealColIndex(FixedCols()), RealColIndex(sel.Left) - RealColIndex(FixedCols()));
  }
  FColSelect->Clear();
}
