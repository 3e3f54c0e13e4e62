// Grouping a column into an outline: a header row (a tree node) before each run of equal values,
// optionally a summary row after it, and the grouped column taken out; ungrouping puts the
// column back and drops the headers and summaries.
//
// Both directions rearrange the data rows in one pass over the cell store instead of inserting
// and deleting a row per group, so the cost stays linear in the rows however many groups there
// are. The grouped column is removed before the nodes are made and put back after they are
// gone, which keeps the node graphics of column 0 intact when column 0 itself is grouped.
#include <algorithm>

#include "grid/model/RivErodovOzar.h"

namespace {
// Where a header's text stands once the grouped column is out: the first column after the
// node column, or column 0 itself when column 0 was grouped.
int HeaderTextColumn(int GroupedColumn) { return GroupedColumn == 0 ? 0 : 1; }
}  // namespace

void TRivErodovOzar::SetGroupColumn(int Value) {
  if (Value == -1)
    UnGroup();
  else if (Value >= 0)
    Group(Value);
}

void TRivErodovOzar::SetHeaderColors(int ARow) {
  if (FGrouping->HeaderColor() != clNone) SetRowBackColor(ARow, ColorToRGB(FGrouping->HeaderColor()));
  if (FGrouping->HeaderColorTo() != clNone) SetRowBackColorTo(ARow, ColorToRGB(FGrouping->HeaderColorTo()));
  if (FGrouping->HeaderTextColor() != clNone) SetRowFontColor(ARow, ColorToRGB(FGrouping->HeaderTextColor()));
}

void TRivErodovOzar::SetHeaderCellColors(int ACol, int ARow) {
  if (FGrouping->HeaderColor() != clNone) SetCellBackColor(ACol, ARow, ColorToRGB(FGrouping->HeaderColor()));
  if (FGrouping->HeaderColorTo() != clNone) SetCellBackColorTo(ACol, ARow, ColorToRGB(FGrouping->HeaderColorTo()));
  if (FGrouping->HeaderTextColor() != clNone) SetCellFontColor(ACol, ARow, ColorToRGB(FGrouping->HeaderTextColor()));
}

void TRivErodovOzar::SetSummaryColors(int ARow) {
  if (FGrouping->SummaryColor() != clNone) SetRowBackColor(ARow, ColorToRGB(FGrouping->SummaryColor()));
  if (FGrouping->SummaryColorTo() != clNone) SetRowBackColorTo(ARow, ColorToRGB(FGrouping->SummaryColorTo()));
  if (FGrouping->SummaryTextColor() != clNone) SetRowFontColor(ARow, ColorToRGB(FGrouping->SummaryTextColor()));
}

void TRivErodovOzar::ResetRowColors(int ARow, bool Summary) {
  const TColor back = Summary ? FGrouping->SummaryColor() : FGrouping->HeaderColor();
  const TColor backTo = Summary ? FGrouping->SummaryColorTo() : FGrouping->HeaderColorTo();
  const TColor text = Summary ? FGrouping->SummaryTextColor() : FGrouping->HeaderTextColor();
  if (back != clNone) SetRowBackColor(ARow, clNone);
  if (backTo != clNone) SetRowBackColorTo(ARow, clNone);
  if (text != clNone) SetRowFontColor(ARow, clNone);
}

void TRivErodovOzar::Group(int Colindex) {
  if (Colindex < FixedCols() || Colindex >= AllColCount()) return;
  if (FGroupColumn >= 0) UnGroup();
  const int first = FixedRows();
  const int last = RowCount() - FFixedFooters - 1;
  if (RowCount() - FixedRows() <= 0 || last < first) return;

  TUpdateBlock block(this);
  FIsGrouping = true;
  struct TGroupingFlag {
    bool& Flag;
    ~TGroupingFlag() { Flag = false; }
  } flag{FIsGrouping};
  FGroupColumn = Colindex;
  FGroupWidth = ColWidths(DisplColFromReal(Colindex));
  FGroupCaption = FixedRows() > 0 ? GetRawCellText(Colindex, 0) : String();
  FGroupFooter = FFixedFooters > 0 ? GetRawCellText(Colindex, RowCount() - 1) : String();
  if (SortSettings()->AutoSortForGrouping) {
    SortSettings()->Column = Colindex;
    QSort();
  }

  // The runs of equal values, read raw (without display hooks).
  std::vector<int> runStart;
  std::vector<String> runValue;
  for (int r = first; r <= last; ++r) {
    String v = GetRawCellText(Colindex, r);
    if (runStart.empty() || v != runValue.back()) {
      runStart.push_back(r);
      runValue.push_back(std::move(v));
    }
  }
  const int groups = static_cast<int>(runStart.size());
  const bool summary = FGrouping->Summary();
  const int perGroup = summary ? 2 : 1;
  const int dataRows = last - first + 1;

  // Lay out header, data rows and summary of every group in one pass over the store.
  std::vector<int> heights = AllRowHeights();
  std::vector<TStringGridRow> taken;
  taken.reserve(static_cast<size_t>(dataRows));
  for (int r = first; r <= last; ++r) taken.push_back(StoreTakeRow(r));
  InsertRows(last + 1, groups * perGroup);
  std::vector<int> newHeights = AllRowHeights();
  std::vector<int> headers(static_cast<size_t>(groups));
  std::vector<int> summaries;
  int w = first;
  for (int k = 0; k < groups; ++k) {
    const int from = runStart[static_cast<size_t>(k)];
    const int to = k + 1 < groups ? runStart[static_cast<size_t>(k + 1)] - 1 : last;
    headers[static_cast<size_t>(k)] = w;
    StorePutRow(w, TStringGridRow());
    newHeights[static_cast<size_t>(w)] = DefaultRowHeight();
    ++w;
    for (int r = from; r <= to; ++r, ++w) {
      StorePutRow(w, std::move(taken[static_cast<size_t>(r - first)]));
      newHeights[static_cast<size_t>(w)] = heights[static_cast<size_t>(r)];
    }
    if (summary) {
      summaries.push_back(w);
      StorePutRow(w, TStringGridRow());
      newHeights[static_cast<size_t>(w)] = DefaultRowHeight();
      ++w;
    }
  }
  SetAllRowHeights(newHeights);

  const int textCol = Colindex == 1 ? 2 : 1;
  for (int k = 0; k < groups; ++k) {
    const int h = headers[static_cast<size_t>(k)];
    if (textCol < AllColCount()) SetCells(textCol, h, runValue[static_cast<size_t>(k)]);
  }
  RemoveCols(Colindex, 1);

  for (int k = 0; k < groups; ++k) {
    const int h = headers[static_cast<size_t>(k)];
    const int to = k + 1 < groups ? runStart[static_cast<size_t>(k + 1)] - 1 : last;
    AddNode(RealRowIndex(h), to - runStart[static_cast<size_t>(k)] + 2);
    if (!FGrouping->MergeHeader()) SetHeaderColors(h);
  }
  const bool mergeSummary = FGrouping->MergeSummary() && summary;
  for (int s : summaries) {
    SetSummaryRow(RealRowIndex(s));
    if (!mergeSummary) SetSummaryColors(s);
  }

  if (FGrouping->MergeHeader() || mergeSummary) {
    const int span = ColCount() - 1;
    for (int c = FixedRows(); c < RowCount() && span > 0; ++c) {
      if (FGrouping->MergeHeader() && IsNode(c)) {
        MergeCells(1, c, span, 1);
        SetHeaderCellColors(1, c);
      } else if (mergeSummary && IsSummary(c)) {
        MergeCells(1, c, span, 1);
        if (FGrouping->SummaryColor() != clNone) SetCellBackColor(1, c, FGrouping->SummaryColor());
        if (FGrouping->SummaryColorTo() != clNone) SetCellBackColorTo(1, c, FGrouping->SummaryColorTo());
        if (FGrouping->SummaryTextColor() != clNone) SetCellFontColor(1, c, FGrouping->SummaryTextColor());
      }
    }
  }

  if (Col() >= ColCount()) SetCol(FixedCols());
  if (FixedRows() < RowCount()) SetRow(FixedRows());
  RecalcFooters();
}

void TRivErodovOzar::UnGroup() {
  if (FGroupColumn < 0) return;
  ExpandAll();
  // Sub-groups go first: their headers are nodes inside the groups.
  std::vector<int> subColumns;
  for (int r = FixedRows(); r < RowCount(); ++r) {
    TCellGraphic* node = NodeGraphic(r);
    if (node == nullptr || !node->CellVar.IsNumeric() || node->CellVar.AsInt64() < 0) continue;
    const int c = static_cast<int>(node->CellVar.AsInt64());
    if (std::find(subColumns.begin(), subColumns.end(), c) == subColumns.end()) subColumns.push_back(c);
  }
  for (int c : subColumns) SubUnGroup(c);
  TUpdateBlock block(this);
  FIsGrouping = true;
  struct TGroupingFlag {
    bool& Flag;
    ~TGroupingFlag() { Flag = false; }
  } flag{FIsGrouping};
  // Columns removed while grouped may have left the old place beyond the last column.
  const int col = std::min(FGroupColumn, AllColCount());
  const int textCol = HeaderTextColumn(col);
  const int first = FixedRows();
  const int last = RowCount() - FFixedFooters - 1;

  // Which rows stay and which group value each of them gets back.
  std::vector<bool> drop(static_cast<size_t>(std::max(0, last - first + 1)), false);
  std::vector<String> value(drop.size());
  String header;
  for (int r = first; r <= last; ++r) {
    const size_t i = static_cast<size_t>(r - first);
    if (IsNode(r)) {
      // Raw text: the display text may carry the group count.
      header = GetRawCellText(textCol, r);
      if (FGrouping->MergeHeader() && IsMergedCell(1, r)) SplitCells(1, r);
      RemoveNode(RealRowIndex(r));
      drop[i] = true;
    } else if (IsSummary(r)) {
      if (FGrouping->MergeSummary() && IsMergedCell(1, r)) SplitCells(1, r);
      drop[i] = true;
    } else {
      value[i] = header;
    }
  }

  // Close up the kept rows, then cut the emptied rows off the end of the data block.
  std::vector<int> heights = AllRowHeights();
  int storedCols = 0, storedRows = 0;
  StoredExtent(storedCols, storedRows);
  int w = first;
  for (int r = first; r <= last; ++r) {
    const size_t i = static_cast<size_t>(r - first);
    if (drop[i]) {
      FreeCellPropertiesRect(0, r, storedCols - 1, r);
      StoreClearRow(r);
      continue;
    }
    if (w != r) {
      StorePutRow(w, StoreTakeRow(r));
      heights[static_cast<size_t>(w)] = heights[static_cast<size_t>(r)];
      value[static_cast<size_t>(w - first)] = std::move(value[i]);
    }
    ++w;
  }
  const int kept = w - first;
  SetAllRowHeights(heights);
  if (last + 1 - w > 0) RemoveRows(w, last + 1 - w);

  InsertCols(col, 1);
  SetColWidths(DisplColFromReal(col), FGroupWidth);
  if (FixedRows() > 0) SetCells(col, 0, FGroupCaption);
  if (FFixedFooters > 0) SetCells(col, RowCount() - 1, FGroupFooter);
  for (int k = 0; k < kept; ++k) SetCells(col, first + k, value[static_cast<size_t>(k)]);
  FGroupColumn = -1;
  Invalidate();
  RecalcFooters();
}
