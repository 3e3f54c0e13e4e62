// Clearing cells, and merging and splitting cells by content.
#include <algorithm>

#include "grid/model/RivErodovOzar.h"

// ---- Clearing ----

void TRivErodovOzar::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) {
  const bool destroying = IsDestroying();
  const bool mapped = SaveHiddenCells && FNumHidden > 0;
  if (!ClearTextOnly && FHasCellProps) {
    for (int r = ARow1; r <= ARow2; ++r) {
      for (int c = ACol1; c <= ACol2; ++c) {
        const int col = mapped ? RealColIndex(c) : c;
        if (GetRawCellObject(col, r) == nullptr) continue;
        if (FNilObjects)
          SetRawCellObject(col, r, nullptr);
        else
          FreeCellPropertiesRect(col, r, col, r);
      }
    }
  }
  if (!destroying) {
    if (mapped) {
      for (int r = ARow1; r <= ARow2; ++r) {
        for (int c = ACol1; c <= ACol2; ++c) {
          const int col = RealColIndex(c);
          if (GetRawCellText(col, r).empty()) continue;
          SetRawCellText(col, r, "");
          if (col != c) RepaintCell(c, r);
        }
      }
    } else {
      StoreClearTexts(ACol1, ARow1, ACol2, ARow2);
    }
  }
  if (!ClearTextOnly && ACol1 == 0 && ARow1 == 0 && ACol2 >= ColCount() - 1 && ARow2 >= RowCount() - 1) {
    // Only when no properties can be left anywhere: cells beyond the counts and hidden rows
    // may still hold some, and their removal must still free them.
    int cols = 0, rows = 0;
    StoredExtent(cols, rows);
    bool hiddenProps = false;
    for (int i = 0; i < FGridItems.Count() && !hiddenProps; ++i) hiddenProps = !FGridItems.Items(i)->Cells().Objects.empty();
    if (ACol2 >= cols - 1 && ARow2 >= rows - 1 && !hiddenProps) FHasCellProps = false;
  }
  Invalidate();
  if (!destroying && !FBlockCellsChanged) DoCellsChanged(Rect(ACol1, ARow1, ACol2, ARow2));
}

void TRivErodovOzar::ClearRows(int RowIndex, int RCount) {
  if (RowCount() <= 0 || ColCount() <= 0 || RCount <= 0) return;
  ClearRect(0, RowIndex, AllColCount() - 1, RowIndex + RCount - 1);
}

void TRivErodovOzar::ClearCols(int ColIndex, int CCount) {
  if (RowCount() <= 0 || ColCount() <= 0 || CCount <= 0) return;
  ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TRivErodovOzar::ClearNormalRows(int RowIndex, int RCount) {
  if (RowCount() <= 0 || ColCount() <= 0 || RCount <= 0) return;
  ClearRect(FixedCols(), RowIndex, AllColCount() - FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TRivErodovOzar::ClearNormalCols(int ColIndex, int CCount) {
  if (RowCount() <= 0 || ColCount() <= 0 || CCount <= 0) return;
  ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1);
}

void TRivErodovOzar::ClearNormalCells() {
  ClearRect(FixedCols(), FixedRows(), AllColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1);
}

void TRivErodovOzar::Clear() {
  if (FNumNodes > 0) RemoveAllNodes();
  if (RowCount() > 0 && ColCount() > 0) ClearRect(0, 0, AllColCount() - 1, RowCount() - 1);
  // Texts kept beyond the counts must not come back when the grid grows again.
  ClearAllTexts();
  FSearchText.clear();
  if (FNumHidden > 0) Invalidate();
}

void TRivErodovOzar::ClearAll() {
  Clear();
  for (int i = 0; i < FGridItems.Count(); ++i)
    for (TCellText& text : FGridItems.Items(i)->Cells().Texts) text.clear();
}

// ---- Merging and splitting by content ----

void TRivErodovOzar::MergeColumnCells(int ColIndex, bool MainMerge) {
  const int last = RowCount() - FFixedFooters - 1;
  int start = FixedRows();
  for (int r = FixedRows() + 1; r <= last + 1; ++r) {
    const bool continues = r <= last && Cells(ColIndex, r) == Cells(ColIndex, r - 1) &&
                           (MainMerge || RowSpanIdentical(r - 1, r));
    if (continues) continue;
    if (r - start >= 2) MergeCells(ColIndex, start, 1, r - start);
    start = r;
  }
}

void TRivErodovOzar::MergeRowCells(int RowIndex, bool MainMerge) {
  const int last = ColCount() - FFixedRightCols - 1;
  int start = FixedCols();
  for (int c = FixedCols() + 1; c <= last + 1; ++c) {
    const bool continues = c <= last && Cells(c, RowIndex) == Cells(c - 1, RowIndex) &&
                           (MainMerge || ColSpanIdentical(c - 1, c));
    if (continues) continue;
    if (c - start >= 2) MergeCells(start, RowIndex, c - start, 1);
    start = c;
  }
}

void TRivErodovOzar::SplitColumnCells(int ColIndex) {
  int r = 0;
  while (r < RowCount() - FFixedFooters - 1) {
    const TPoint span = CellSpan(ColIndex, r);
    if (span.Y > 0) {
      const TPoint base = BaseCell(ColIndex, r);
      SplitCells(ColIndex, r);
      r = base.Y + span.Y + 1;
    } else {
      ++r;
    }
  }
}

void TRivErodovOzar::SplitRowCells(int RowIndex) {
  int c = 0;
  while (c < ColCount() - FFixedRightCols - 1) {
    const TPoint span = CellSpan(c, RowIndex);
    if (span.X > 0) {
      const TPoint base = BaseCell(c, RowIndex);
      SplitCells(c, RowIndex);
      c = base.X + span.X + 1;
    } else {
      ++c;
    }
  }
}

void TRivErodovOzar::SplitAllCells() {
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (IsMergedCell(c, r) && IsBaseCell(c, r)) SplitCells(c, r);
}

// ---- Clearing the selection ----

void TRivErodovOzar::ClearSelection() {
  if (FMouseActions->DisjunctRowSelect()) {
    for (int r = 0; r < RowCount(); ++r) {
      const int row = FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r;
      if (row < FRowSelect->Count() && FRowSelect->Items(row) != 0) ClearRows(r, 1);
    }
  } else if (FMouseActions->DisjunctColSelect()) {
    for (int c = 0; c < ColCount(); ++c)
      if (IsColSelected(c)) ClearCols(c, 1);
  } else {
    const TGridRect s = Selection();
    ClearRect(std::min(s.Left, s.Right), std::min(s.Top, s.Bottom), std::max(s.Left, s.Right),
              std::max(s.Top, s.Bottom));
  }
}
