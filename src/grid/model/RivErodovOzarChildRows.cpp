// Rows inserted and removed inside and between tree nodes: a child row makes its parent node
// and every enclosing node one row longer (or shorter), a normal row leaves them alone. Real
// indexes stay valid while nodes expand, so display rows are taken again after expanding.
#include <algorithm>

#include "grid/model/RivErodovOzar.h"

void TRivErodovOzar::InsertChildRow(int ARow, int InsertAt) {
  if (ARow < 0) return;
  int level = 1;
  // A row put under a node row goes into that node, nested or not; GetParentRow of a nested
  // node row would answer the node around it, which would leave this node's last row outside.
  const int d0 = DisplRowIndex(ARow);
  const int parent = IsNode(d0) && InsertAt == 0 ? d0 : GetParentRow(d0);
  if (parent >= 0) {
    const int parentReal = RealRowIndex(parent);
    UpdateNodeSpan(parent, 1);
    UpdateSubNodeCount(parent, 1);
    DoExpandNode(parentReal);
    level = GetNodeLevel(parent);
    int current = parent;
    int currentLevel = level;
    while (currentLevel > 1) {
      const int ancestor = GetParentRow(current);
      // A node without an enclosing node answers itself.
      if (ancestor < 0 || ancestor == current) break;
      const int ancestorLevel = GetNodeLevel(ancestor);
      if (ancestorLevel < currentLevel) {
        UpdateNodeSpan(ancestor, 1);
        UpdateSubNodeCount(ancestor, 1);
        DoExpandNode(RealRowIndex(ancestor));
      }
      current = ancestor;
      currentLevel = ancestorLevel;
    }
  }
  const int d = DisplRowIndex(ARow);
  bool moveContents = false;
  if (IsNode(d) && InsertAt == 0) {
    InsertAt = 1;
    moveContents = true;
  }
  const int at = std::min(d + InsertAt, RowCount());
  // Stored rows from the new row's real position on move down with the rows below it.
  const int atReal = at < RowCount() ? RealRowIndex(at) : AllRowCount();
  InsertRows(at, 1);
  if (moveContents) {
    // The node row keeps its node graphic in column 0; everything else moves to the new row.
    for (int c = 0; c < AllColCount(); ++c) {
      SetRawCellText(c, d + 1, GetRawCellText(c, d));
      SetRawCellText(c, d, "");
      if (c == 0) continue;
      SetRawCellObject(c, d + 1, GetRawCellObject(c, d));
      SetRawCellObject(c, d, nullptr);
    }
  }
  if (parent >= 0) GetCellProperties(0, at)->SetNodeLevel(level);
  if (NumHiddenRows() > 0) ShiftHiddenRowIndexes(atReal - 1, 1);
  Invalidate();
}

void TRivErodovOzar::RemoveChildRow(int ARow) {
  if (ARow < 0) return;
  // Controls in the rows below move up with their rows.
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* item = FControlList->ControlAt(i);
    if (item->Y() < ARow) continue;
    FControlList->Put(i, new TControlItem(item->X(), item->Y() - 1, item->Control()));
    delete item;
  }
  int parent = GetParentRow(DisplRowIndex(ARow));
  if (parent >= 0) {
    const int level = GetNodeLevel(parent);
    if (GetNodeSpan(parent) > 1) {
      UpdateNodeSpan(parent, -1);
      UpdateSubNodeCount(parent, -1);
    }
    for (;;) {
      DoExpandNode(RealRowIndex(parent));
      if (GetNodeLevel(parent) <= 1) break;
      const int ancestor = GetParentRow(parent);
      if (ancestor < 0 || ancestor == parent || GetNodeLevel(ancestor) >= level) break;
      parent = ancestor;
      if (GetNodeSpan(parent) > 1) {
        UpdateNodeSpan(parent, -1);
        UpdateSubNodeCount(parent, -1);
      }
    }
  }
  const int d = DisplRowIndex(ARow);
  if (IsNode(d)) FNumNodes = std::max(0, FNumNodes - 1);
  DeleteRowRun(d, 1);
  FMaxRowCount = std::max(RowCount(), FMaxRowCount - 1);
}

void TRivErodovOzar::InsertNormalRow(int ARow) {
  if (ARow < 0) return;
  InsertRows(DisplRowIndex(ARow), 1);
  if (NumHiddenRows() > 0) ShiftHiddenRowIndexes(ARow, 1);
}

void TRivErodovOzar::RemoveNormalRow(int ARow) {
  if (IsNode(ARow)) FNumNodes = std::max(0, FNumNodes - 1);
  RemoveRows(ARow, 1);
  FMaxRowCount = std::max(RowCount(), FMaxRowCount - 1);
}
