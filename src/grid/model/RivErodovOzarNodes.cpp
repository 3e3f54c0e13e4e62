// Tree nodes: a node row carries a ctNode graphic in column 0 and owns the rows of its span.
// Contracting a node moves its child rows into the hidden-row store, expanding brings them
// back, so child rows keep their cells while they are out of sight.
//
// The node graphic's fields: CellBoolean contracted, CellIndex span (counting the node row),
// CellErrFrom sub-node count, CellAngle the display row it was made at. The node level of a
// row lives in the properties of its column-0 cell.
#include <algorithm>

#include "grid/model/RivErodovOzar.h"

TCellGraphic* TRivErodovOzar::NodeGraphic(int ARow) {
  if (ARow < 0 || ARow >= RowCount()) return nullptr;
  TCellGraphic* g = GetCellGraphic(0, ARow);
  return g != nullptr && g->CellType == ctNode ? g : nullptr;
}

bool TRivErodovOzar::IsNode(int ARow) { return NodeGraphic(ARow) != nullptr; }

bool TRivErodovOzar::IsSummary(int ARow) {
  return ARow >= 0 && ARow < RowCount() && GetCellType(0, ARow) == ctSummary;
}

void TRivErodovOzar::ShiftNodeLevels(int From, int To, int Delta) {
  for (int r = std::max(From, 0); r <= To && r < RowCount(); ++r) {
    TCellProperties* p = GetCellProperties(0, r);
    p->SetNodeLevel(std::max(0, p->NodeLevel() + Delta));
  }
}

int TRivErodovOzar::NextNodeRow(int ARow) {
  for (int r = ARow + 1; r < RowCount(); ++r)
    if (IsNode(r)) return r;
  return RowCount();
}

void TRivErodovOzar::AddNode(int ARow, int Span) {
  const int d = DisplRowIndex(ARow);
  if (d < 0 || d >= RowCount()) return;
  TCellGraphic* g = CreateCellGraphic(0, d);
  g->CellType = ctNode;
  g->CellBoolean = false;
  g->CellIndex = Span;
  g->CellErrFrom = 0;
  g->CellAngle = d;
  g->CellHAlign = haBeforeText;
  g->CellVAlign = vaCenter;
  g->CellVar = Variant(-1);
  ShiftNodeLevels(d, d + Span - 1, 1);
  if (FNumNodes == 0) Invalidate();
  ++FNumNodes;
  if (Col() == 0 && ColCount() > 1) SetCol(1);
}

void TRivErodovOzar::SetSummaryRow(int ARow) {
  const int d = DisplRowIndex(ARow);
  if (d < 0 || d >= RowCount()) return;
  CreateCellGraphic(0, d)->CellType = ctSummary;
}

void TRivErodovOzar::RemoveNode(int ARow) {
  const int d = DisplRowIndex(ARow);
  if (!IsNode(d)) return;
  DoExpandNode(ARow);
  ShiftNodeLevels(d, d + GetNodeSpan(d) - 1, -1);
  RemoveCellGraphic(0, d);
  FNumNodes = std::max(0, FNumNodes - 1);
}

void TRivErodovOzar::RemoveAllNodes() {
  if (FNumNodes > 0) ExpandAll();
  for (int r = 0; r < RowCount(); ++r) {
    if (!IsNode(r)) continue;
    ShiftNodeLevels(r, r + GetNodeSpan(r) - 1, -1);
    RemoveCellGraphic(0, r);
    FNumNodes = std::max(0, FNumNodes - 1);
  }
  Invalidate();
}

// ---- Queries and small updates ----

bool TRivErodovOzar::GetNodeState(int ARow) {
  TCellGraphic* g = NodeGraphic(ARow);
  return g != nullptr && g->CellBoolean;
}

void TRivErodovOzar::SetNodeState(int ARow, bool Value) {
  TCellGraphic* g = NodeGraphic(ARow);
  if (g == nullptr || g->CellBoolean == Value) return;
  if (Value)
    ContractNode(RealRowIndex(ARow));
  else
    ExpandNode(RealRowIndex(ARow));
}

int TRivErodovOzar::GetNodeLevel(int ARow) { return IsNode(ARow) ? GetCellProperties(0, ARow)->NodeLevel() : -1; }

int TRivErodovOzar::GetNodeSpan(int ARow) {
  TCellGraphic* g = NodeGraphic(ARow);
  return g != nullptr ? g->CellIndex : -1;
}

void TRivErodovOzar::SetNodeSpan(int ARow, int Span) {
  if (TCellGraphic* g = NodeGraphic(ARow)) g->CellIndex = Span;
}

void TRivErodovOzar::UpdateNodeSpan(int ARow, int Delta) {
  if (TCellGraphic* g = NodeGraphic(ARow)) g->CellIndex += Delta;
}

int TRivErodovOzar::GetSubNodeCount(int ARow) {
  TCellGraphic* g = NodeGraphic(ARow);
  return g != nullptr ? g->CellErrFrom : 0;
}

void TRivErodovOzar::UpdateSubNodeCount(int ARow, int Delta) {
  if (TCellGraphic* g = NodeGraphic(ARow)) g->CellErrFrom += Delta;
}

int TRivErodovOzar::GetParentRow(int ARow) {
  if (FNumNodes == 0) return -1;
  int result = -1;
  int level = 65535;
  if (IsNode(ARow)) {
    level = GetNodeLevel(ARow);
    result = ARow;
  }
  int hidden = 0;
  for (int p = std::min(ARow, RowCount() - 1); p >= FixedRows(); --p) {
    if (!IsNode(p) || GetNodeLevel(p) >= level) continue;
    const int span = GetNodeSpan(p);
    if (GetNodeState(p)) hidden += span - 1;
    if (ARow < p + span - hidden) return p;
  }
  return result;
}

int TRivErodovOzar::GetNodeSpanType(int ARow) {
  if (IsNode(ARow)) return 0;
  if (ARow < 0 || ARow >= RowCount() - FFixedFooters - 1) return 1;
  const int level = HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel() : 0;
  if (HasCellProperties(0, ARow + 1) && GetCellProperties(0, ARow + 1)->NodeLevel() >= level) return 2;
  return 1;
}

bool TRivErodovOzar::IsInNodeGlyph(int ARow, int X) {
  if (!FMouseActions->PreciseNodeClick) return true;
  const int level = GetNodeLevel(ARow);
  const int indent = FCellNode->NodeIndent();
  int right = 4;
  int left = 4;
  switch (FCellNode->NodeType()) {
    case cnFlat: break;
    case cn3D: right = 6; left = 0; break;
    case cnGlyph: {
      const bool glyph = !FCellNode->ExpandGlyph()->Empty();
      right = glyph ? FCellNode->ExpandGlyph()->Width() / 2 : 0;
      left = glyph ? 2 : 0;
      break;
    }
    case cnLeaf: right = 8; left = 2; break;
    case cnXP: break;
  }
  return left + (level - 1) * indent < X && X < right + level * indent;
}

// ---- Expanding and contracting ----

void TRivErodovOzar::DoExpandNode(int ARow) {
  const int d = DisplRowIndex(ARow);
  TCellGraphic* g = NodeGraphic(d);
  if (g == nullptr || !g->CellBoolean) return;
  g->CellBoolean = false;
  const int end = g->CellIndex != 0 ? d + 1 : NextNodeRow(d);
  const int lastReal = end < RowCount() ? RealRowIndex(end) - 1 : AllRowCount() - 1;
  const int topRow = TopRow();
  const int row = Row();
  const bool disjunct = FMouseActions->DisjunctRowSelect();
  const bool rowSelect = Options().Contains(goRowSelect);
  const bool update = FNumCellControls == 0;
  if (disjunct) FMouseActions->SetDisjunctRowSelect(false);
  if (rowSelect) SetOptions(Options() - goRowSelect);
  if (update) BeginUpdate();
  try {
    UnHideRows(ARow + 1, lastReal);
  } catch (...) {
    if (rowSelect) SetOptions(Options() + goRowSelect);
    if (disjunct) FMouseActions->SetDisjunctRowSelect(true);
    if (update) EndUpdate();
    throw;
  }
  if (rowSelect) {
    SetOptions(Options() + goRowSelect);
    SetRow(std::min(row, RowCount() - 1));
    SetTopRow(topRow);
  }
  if (disjunct) FMouseActions->SetDisjunctRowSelect(true);
  if (update) EndUpdate();
  RecalcFooters();
}

void TRivErodovOzar::ExpandNode(int ARow) {
  if (FCellNode->ExpandOne()) {
    const int rows = RowCount();
    for (int r = FixedRows(); r < rows; ++r)
      if (IsNode(r) && !GetNodeState(r)) ContractNode(RealRowIndex(r));
  }
  DoExpandNode(ARow);
}

void TRivErodovOzar::ContractNode(int ARow) {
  HideEditor();
  FForceSel = true;
  const int n = DisplRowIndex(ARow);
  TCellGraphic* g = NodeGraphic(n);
  if (g == nullptr || g->CellBoolean) {
    FForceSel = false;
    return;
  }
  g->CellBoolean = true;
  const int first = n + 1;
  int end = std::min(g->CellIndex > 0 ? n + g->CellIndex : NextNodeRow(n), RowCount());
  int s = first;
  while (s < end) {
    TCellGraphic* sub = NodeGraphic(s);
    if (sub == nullptr || !sub->CellBoolean) {
      ++s;
      continue;
    }
    // A contracted sub-node: its children are hidden already; it goes with the rows above it
    // and is left marked expanded, since expanding this node shows the whole span at once.
    sub->CellBoolean = false;
    if (TControl* control = GetCellControl(1, s + 1)) control->Hide();
    const int subSpan = sub->CellIndex;
    HideRows(RealRowIndex(first), RealRowIndex(s));
    end -= subSpan + (s - first);
    s = first;
  }
  if (s - 1 >= first) HideRows(RealRowIndex(first), RealRowIndex(s - 1));
  FForceSel = false;
  RecalcFooters();
}

void TRivErodovOzar::ToggleNode(int ARow) {
  const int real = RealRowIndex(ARow);
  bool allow = true;
  if (GetNodeState(ARow)) {
    if (OnBeforeExpandNode) OnBeforeExpandNode(this, ARow, real, allow);
    if (!allow) return;
    ExpandNode(real);
    if (OnExpandNode) OnExpandNode(this, ARow, real);
  } else {
    if (OnBeforeContractNode) OnBeforeContractNode(this, ARow, real, allow);
    if (!allow) return;
    ContractNode(real);
    if (OnContractNode) OnContractNode(this, ARow, real);
  }
}

// Every contracted node shows its rows again, as DoExpandNode would one node after the other
// (not ExpandNode: with ExpandOne on, that would close the others again), but the rows of all
// nodes come back from the store in one step, so the cost does not grow with the node count.
void TRivErodovOzar::ExpandAll() {
  TUpdateBlock block(this);
  for (;;) {
    // Real-row ranges the contracted nodes own in the store, ascending.
    std::vector<std::pair<int, int>> ranges;
    for (int d = FixedRows(); d < RowCount(); ++d) {
      TCellGraphic* g = NodeGraphic(d);
      if (g == nullptr || !g->CellBoolean) continue;
      g->CellBoolean = false;
      const int end = g->CellIndex != 0 ? d + 1 : NextNodeRow(d);
      ranges.emplace_back(RealRowIndex(d) + 1, end < RowCount() ? RealRowIndex(end) - 1 : AllRowCount() - 1);
    }
    if (ranges.empty() || NumHiddenRows() == 0) break;
    const auto owned = [&](int Idx) {
      auto it = std::upper_bound(ranges.begin(), ranges.end(), Idx,
                                 [](int V, const std::pair<int, int>& R) { return V < R.first; });
      return it != ranges.begin() && Idx <= std::prev(it)->second;
    };
    std::vector<std::unique_ptr<TGridItem>> shown;
    std::vector<std::unique_ptr<TGridItem>> kept;
    for (auto& item : FGridItems.ExtractRun(0, FGridItems.Count()))
      (owned(item->Idx()) ? shown : kept).push_back(std::move(item));
    FGridItems.InsertRun(0, std::move(kept));
    if (shown.empty()) break;
    std::stable_sort(shown.begin(), shown.end(), [](const auto& A, const auto& B) { return A->Idx() < B->Idx(); });
    RestoreHiddenItems(std::move(shown));
  }
  RecalcFooters();
}

void TRivErodovOzar::ContractAll() {
  {
    TUpdateBlock block(this);
    ExpandAll();
    std::vector<int> rows;
    int r = FixedRows();
    while (r < RowCount()) {
      TCellGraphic* g = NodeGraphic(r);
      if (g == nullptr) {
        ++r;
        continue;
      }
      g->CellBoolean = true;
      const int span = g->CellIndex;
      for (int c = r + 1; c < r + span && c < RowCount(); ++c) rows.push_back(c);
      r += std::max(span, 1);
    }
    // Hidden as one list, but not as a filter level: the filter's own levels stay as they were.
    if (!rows.empty()) {
      HideRowList(rows);
      --FFilterLevel;
    }
  }
  RecalcFooters();
}
