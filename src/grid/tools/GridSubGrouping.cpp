// Sub-grouping: inside every group, a sub-header child row before each run of equal values of a
// second column, made a node whose CellVar names that column; the column's values move into
// the sub-headers and come back with SubUnGroup.
#include "grid/model/RivErodovOzar.h"

namespace {
bool IsSubHeaderOf(TCellGraphic* Node, int Colindex) {
  return Node != nullptr && Node->CellVar.IsNumeric() && Node->CellVar.AsInt64() == Colindex;
}
}  // namespace

void TRivErodovOzar::SubGroup(int Colindex) {
  if (FNumNodes == 0 || Colindex < FixedCols() || Colindex + 1 >= AllColCount()) return;
  TUpdateBlock block(this);
  const auto closeSubHeader = [&](int S, int End) {
    AddNode(RealRowIndex(S), End - S);
    NodeGraphic(S)->CellVar = Variant(Colindex);
  };
  const auto headerLooks = [&](int R) {
    if (FGrouping->MergeHeader()) {
      MergeCells(Colindex + 1, R, ColCount() - Colindex - 1, 1);
      SetHeaderCellColors(Colindex + 1, R);
    } else {
      SetHeaderColors(R);
    }
  };
  const auto isPlain = [&](int R) { return R >= 0 && !IsNode(R) && !IsSummary(R); };
  bool havePrevious = false;
  String previous;
  int subHeader = -1;
  int r = FixedRows() + 1;
  while (r < RowCount() - FFixedFooters) {
    const String v = GetRawCellText(Colindex, r);
    if (!isPlain(r) || !havePrevious || v != previous) {
      // A run ends: the open sub-header becomes a node over it, and a plain row opens the next.
      if (isPlain(subHeader)) closeSubHeader(subHeader, r);
      if (isPlain(r)) {
        InsertChildRow(RealRowIndex(r), 0);
        SetCells(Colindex + 1, r, v);
        headerLooks(r);
      }
      subHeader = r;
      ++r;
    }
    if (!isPlain(r - 1)) {
      // Just past a group header or summary row: the next row starts a run of its own.
      havePrevious = false;
      continue;
    }
    if (r >= RowCount() - FFixedFooters) break;
    previous = GetRawCellText(Colindex, r);
    havePrevious = true;
    SetCells(Colindex, r, "");
    ++r;
  }
  if (isPlain(subHeader)) closeSubHeader(subHeader, r);
  if (FixedRows() < RowCount()) SetRow(FixedRows());
}

void TRivErodovOzar::SubUnGroup(int Colindex) {
  ExpandAll();
  TUpdateBlock block(this);
  String text;
  int r = FixedRows();
  while (r <= RowCount() - FFixedFooters - 1) {
    TCellGraphic* node = NodeGraphic(r);
    if (IsSubHeaderOf(node, Colindex)) {
      text = GetRawCellText(Colindex + 1, r);
      RemoveNode(RealRowIndex(r));
      if (!FGrouping->MergeHeader()) ResetRowColors(r, false);
      RemoveChildRow(RealRowIndex(r));
    } else if (node != nullptr || IsSummary(r)) {
      ++r;
    } else {
      SetCells(Colindex, r, text);
      ++r;
    }
  }
}
