// Sorting the grid's rows in place: by one column with ties broken on the columns to its
// right, by the sort-index list, and back to the order before sorting.
//
// The sorts run a quicksort over whole rows of the cell store. Three scratch rows are added
// below the data for the duration; the pivot is copied into one of them, so that comparisons
// against it never follow a row that moves. Display hooks do not reach the scratch rows, so
// the pivot copy carries display texts when the grid compares display texts.
#include <algorithm>
#include <vector>

#include "grid/model/RivErodovOzar.h"
#include "grid/tools/SearchPanel.h"
#include "classlib/WinApi.h"

namespace {
constexpr int kScratchRows = 3;
}  // namespace

// Everything a sort changes for its duration and puts back, also when a comparison raises.
class TRivErodovOzar::TSortFrame {
 public:
  TSortFrame(TRivErodovOzar* AGrid, bool HideFooter) : G(AGrid), FHideFooter(HideFooter) {
    const TSortSettings& s = *G->FSortSettings;
    if (s.NormalCellsOnly && G->FixedCols() > 0) {
      FKeepCol0 = true;
      for (int r = 0; r < G->RowCount(); ++r) FCol0.push_back(G->GetRawCellText(0, r));
    }
    FTopRow = G->TopRow();
    G->BeginUpdate();
    FFooterVisible = G->FloatingFooterVisible;
    if (FHideFooter) G->FloatingFooterVisible = false;
    FRowCount = G->RowCount();
    G->TBaseGrid::SetRowCount(FRowCount + kScratchRows);
    for (int r = FRowCount; r < FRowCount + kScratchRows; ++r) G->StoreClearRow(r);
    G->FNormalRowCount = FRowCount;
  }

  ~TSortFrame() {
    G->FNilObjects = true;
    // The scratch rows only borrow cell objects of the data rows: emptied, never freed.
    for (int r = FRowCount; r < FRowCount + kScratchRows; ++r) G->StoreClearRow(r);
    G->FNilObjects = false;
    G->TBaseGrid::SetRowCount(FRowCount);
    G->FNormalRowCount = G->RowCount();
    if (FKeepCol0)
      for (int r = 0; r < static_cast<int>(FCol0.size()) && r < G->RowCount(); ++r)
        G->SetRawCellText(0, r, FCol0[static_cast<size_t>(r)]);
    if (G->Navigation()->KeepScrollOnSort) G->SetTopRow(FTopRow);
    if (FHideFooter) G->FloatingFooterVisible = FFooterVisible;
    G->EndUpdate();
  }

  int PivotRow() const { return FRowCount + 1; }

 private:
  TRivErodovOzar* G;
  bool FHideFooter;
  bool FKeepCol0 = false;
  std::vector<String> FCol0;
  int FTopRow = 0;
  bool FFooterVisible = false;
  int FRowCount = 0;
};

void TRivErodovOzar::InitSortXRef() {
  FSortRowXRef->Clear();
  for (int r = 0; r < RowCount(); ++r) FSortRowXRef->Add(r);
}

void TRivErodovOzar::SortByColumn(int Col) {
  if (RowCount() <= 1) return;
  FSortSettings->Column = Col;
  QSort();
}

void TRivErodovOzar::Sort(int Column, TSortDirection Direction) {
  FSortSettings->Column = Column;
  FSortSettings->Direction = Direction;
  QSort();
}

void TRivErodovOzar::CopyToPivot(int ARow, int PivotRow) {
  TStringGridRow row = StoreTakeRow(ARow);
  TStringGridRow copy = row;
  StorePutRow(ARow, std::move(row));
  StorePutRow(PivotRow, std::move(copy));
  if (OnGetDisplText && FSortSettings->SortOnVirtualCells)
    for (int c = 0; c < AllColCount(); ++c) SetRawCellText(c, PivotRow, Cells(c, ARow));
}

void TRivErodovOzar::SortWorker(int Col, int L, int R, int PivotRow) {
  SortDir = FSortSettings->Direction == sdAscending ? 1 : -1;
  while (L < R) {
    int i = L;
    int j = R;
    CopyToPivot((L + R) / 2, PivotRow);
    do {
      while (CompareRowsFrom(Col, PivotRow, i) == SortDir && i < R) ++i;
      while (CompareRowsFrom(Col, j, PivotRow) == SortDir && j > L) --j;
      if (i <= j) {
        if (i != j && CompareRowsFrom(Col, i, j) != 0) SortSwapRows(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    // The smaller part recursively, the larger in this loop: the stack stays shallow.
    if (j - L < R - i) {
      if (L < j) SortWorker(Col, L, j, PivotRow);
      L = i;
    } else {
      if (i < R) SortWorker(Col, i, R, PivotRow);
      R = j;
    }
  }
}

void TRivErodovOzar::SortWorkerIndexed(int L, int R, int PivotRow) {
  while (L < R) {
    int i = L;
    int j = R;
    CopyToPivot((L + R) / 2, PivotRow);
    do {
      while (CompareRowsIndexed(0, PivotRow, i) == 1 && i < R) ++i;
      while (CompareRowsIndexed(0, j, PivotRow) == 1 && j > L) --j;
      if (i <= j) {
        if (i != j) SortSwapRows(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - L < R - i) {
      if (L < j) SortWorkerIndexed(L, j, PivotRow);
      L = i;
    } else {
      if (i < R) SortWorkerIndexed(i, R, PivotRow);
      R = j;
    }
  }
}

void TRivErodovOzar::RestoreRowAfterSort(int OldRow) {
  const bool entered = FEntered;
  FEntered = false;
  if (Navigation()->MoveRowOnSort) {
    if (SortRow >= 0 && SortRow < RowCount()) SetRow(SortRow);
    FOldRowSel = -1;
  } else if (OldRow < RowCount()) {
    SetRow(OldRow);
  }
  FEntered = entered;
}

void TRivErodovOzar::QSort() {
  if (FSortSettings->Column < 0) return;
  if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
  FSortIndexes->Clear();
  const int oldRow = Row();
  {
    TSortFrame frame(this, true);
    SortRow = oldRow;
    FBlockCellsChanged = true;
    try {
      SortWorker(FSortSettings->Column, FixedRows(), RowCount() - FFixedFooters - kScratchRows - 1, frame.PivotRow());
    } catch (...) {
      FBlockCellsChanged = false;
      throw;
    }
    FBlockCellsChanged = false;
  }
  if (!MouseActions()->DisjunctRowSelect()) RestoreRowAfterSort(oldRow);
  if (OnRowChanged && !Navigation()->MoveRowOnSort) OnRowChanged(this, oldRow, Row());
  if (FSearchPanel != nullptr && FSearchPanel->Visible()) FSearchPanel->Invalidate();
}

void TRivErodovOzar::QSortIndexed() {
  // Tested before anything changes: an indexed sort without indexes leaves the grid alone.
  if (FSortIndexes->Count() == 0) throw ERivGridError("No indexes specified for indexed sort");
  if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
  const int oldRow = Row();
  {
    TSortFrame frame(this, false);
    SortRow = oldRow;
    SortWorkerIndexed(FixedRows(), RowCount() - FFixedFooters - kScratchRows - 1, frame.PivotRow());
  }
  RestoreRowAfterSort(oldRow);
}

// The child rows of every expanded node of the deepest node level, sorted inside their node.
void TRivErodovOzar::SortGroups(bool Indexed) {
  if (!Indexed && FSortSettings->Column < 0) return;
  if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
  const int oldRow = Row();
  {
    TSortFrame frame(this, false);
    SortRow = oldRow;
    const int first = FixedRows();
    const int last = RowCount() - FFixedFooters - kScratchRows - 1;
    int deepest = -1;
    for (int r = first; r <= last; ++r)
      if (IsNode(r)) deepest = std::max(deepest, GetNodeLevel(r));
    for (int r = first; r <= last; ++r) {
      if (!IsNode(r) || GetNodeState(r) || GetNodeLevel(r) != deepest) continue;
      const int span = GetNodeSpan(r);
      if (span - 1 <= 1) continue;
      const int to = std::min(r + span - 1, last);
      if (Indexed)
        SortWorkerIndexed(r + 1, to, frame.PivotRow());
      else
        SortWorker(FSortSettings->Column, r + 1, to, frame.PivotRow());
    }
  }
  RestoreRowAfterSort(oldRow);
}

void TRivErodovOzar::QSortGroup() { SortGroups(false); }

void TRivErodovOzar::QSortGroupIndexed() { SortGroups(true); }

void TRivErodovOzar::QuickSort(int Col, int Left, int Right) {
  const int rows = RowCount();
  TBaseGrid::SetRowCount(rows + kScratchRows);
  struct TScratch {
    TRivErodovOzar* G;
    int Rows;
    ~TScratch() {
      for (int r = Rows; r < Rows + kScratchRows; ++r) G->StoreClearRow(r);
      G->TBaseGrid::SetRowCount(Rows);
    }
  } scratch{this, rows};
  SortWorker(Col, Left, Right, rows + 1);
}

void TRivErodovOzar::QuickSortIndexed(int Left, int Right) {
  const int rows = RowCount();
  TBaseGrid::SetRowCount(rows + kScratchRows);
  struct TScratch {
    TRivErodovOzar* G;
    int Rows;
    ~TScratch() {
      for (int r = Rows; r < Rows + kScratchRows; ++r) G->StoreClearRow(r);
      G->TBaseGrid::SetRowCount(Rows);
    }
  } scratch{this, rows};
  SortWorkerIndexed(Left, Right, rows + 1);
}

bool TRivErodovOzar::SortLine(int Col, int ARow1, int ARow2) {
  const int last = AllColCount() - 1;
  for (int c = Col;; ++c) {
    const int res = CompareCells(c, ARow1, FSortSettings->Direction, ARow2);
    if (res == SortDir) {
      SortSwapRows(ARow1, ARow2);
      return true;
    }
    if (res != 0 || c >= last) return false;
  }
}

void TRivErodovOzar::UnSortWorker(int L, int R) {
  while (L < R) {
    int i = L;
    int j = R;
    const int pivot = FUnSortRowXRef->Items((L + R) / 2);
    do {
      while (FUnSortRowXRef->Items(i) < pivot && i < R) ++i;
      while (FUnSortRowXRef->Items(j) > pivot && j > L) --j;
      if (i <= j) {
        const int a = FUnSortRowXRef->Items(i);
        const int b = FUnSortRowXRef->Items(j);
        if (i != j && a != b) {
          SortSwapRows(i, j);
          FUnSortRowXRef->PutItem(i, b);
          FUnSortRowXRef->PutItem(j, a);
        }
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - L < R - i) {
      if (L < j) UnSortWorker(L, j);
      L = i;
    } else {
      if (i < R) UnSortWorker(i, R);
      R = j;
    }
  }
}

void TRivErodovOzar::QUnSort() {
  FUnSortRowXRef->Clear();
  for (int i = 0; i < FSortRowXRef->Count(); ++i) FUnSortRowXRef->Add(FSortRowXRef->Items(i));
  std::vector<String> col0;
  const bool keepCol0 = FSortSettings->NormalCellsOnly && FixedCols() > 0;
  if (keepCol0)
    for (int r = 0; r < RowCount(); ++r) col0.push_back(GetRawCellText(0, r));
  TUpdateBlock block(this);
  UnSortWorker(0, std::min(RowCount(), FUnSortRowXRef->Count()) - 1);
  if (keepCol0)
    for (int r = 0; r < static_cast<int>(col0.size()); ++r) SetRawCellText(0, r, col0[static_cast<size_t>(r)]);
}

// ---- Click to sort ----

void TRivErodovOzar::ClickSortRelease(int ACol, int ARow) {
  TSortSettings& s = *FSortSettings;
  int pressCol = -1, pressRow = -1;
  MouseToCell(Clickposx, Clickposy, pressCol, pressRow);
  if (ACol < 0 || ARow != s.Row() || pressRow != s.Row() || FixedRows() == 0 || RowCount() <= 2 || !s.Show()) return;
  if (ACol < FixedCols() && !s.FixedCols) return;
  const int col = RealColIndex(ACol);
  bool checked = false;
  if (GetCheckBoxState(col, ARow, checked)) return;
  bool doSort = !IsIgnoredColumn(col);
  if (doSort && OnCanSort) OnCanSort(this, col, doSort);
  if (!doSort) {
    RepaintCell(ACol, ARow);
    return;
  }
  HideInplaceEdit();
  if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
  const Cardinal started = GetTickCount();
  if (s.IndexShow) {
    const bool adding = GetKeyState(s.IndexSortKey == ikCtrl ? VK_CONTROL : VK_SHIFT) < 0;
    const bool initAscending = s.InitSortDirection == sdAscending;
    const int at = FSortIndexes->FindIndex(col);
    if (adding) {
      if (at >= 0)
        FSortIndexes->ToggleIndex(col);
      else
        FSortIndexes->AddIndex(col, initAscending);
    } else if (at == 0 && FSortIndexes->Count() == 1) {
      FSortIndexes->ToggleIndex(col);
    } else {
      FSortIndexes->Clear();
      FSortIndexes->AddIndex(col, initAscending);
    }
    QSortIndexed();
    s.Column = FSortIndexes->Count() > 0 ? FSortIndexes->ColumnAt(0) : -1;
  } else if (col == s.Column) {
    if (s.UndoSort && s.Direction != s.InitSortDirection) {
      QUnSort();
      s.Column = -1;
      s.Direction = s.InitSortDirection;
    } else {
      s.Direction = s.Direction == sdAscending ? sdDescending : sdAscending;
      QSort();
    }
  } else {
    s.Column = col;
    s.Direction = s.InitSortDirection;
    QSort();
  }
  SortTime = static_cast<int>(GetTickCount() - started);
  Invalidate();
  if (OnClickSort) OnClickSort(this, s.Column);
}
