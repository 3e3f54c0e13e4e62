// The recorded column order: entry i is the column that stood at display position i when the
// order was recorded, so moved columns can be found and put back.
#include <algorithm>
#include <vector>

#include "grid/model/RivErodovOzar.h"

namespace {
// Moves item From of Items to position To, the items between shifting by one.
template <class T>
void RotateOne(T* Items, int From, int To) {
  if (From < To)
    std::rotate(Items + From, Items + From + 1, Items + To + 1);
  else
    std::rotate(Items + To, Items + From, Items + From + 1);
}
}  // namespace

void TRivErodovOzar::SetColumnOrder() {
  FColumnOrder->Clear();
  for (int i = 0; i < ColCount(); ++i) FColumnOrder->Add(i);
}

void TRivErodovOzar::ResetColumnOrder() {
  UnHideColumnsAll();
  if (FColumnOrder->Count() == 0) {
    SetColumnOrder();
    return;
  }
  // Each pass moves every column that stands right of its recorded place back to it; a pass
  // that moves nothing ends it (a move the grid refuses changes no entry). Pass k settles
  // position k - 1 for good, so a list that is no permutation cannot keep it going either.
  bool moved = true;
  for (int pass = 0; moved && pass <= FColumnOrder->Count(); ++pass) {
    moved = false;
    for (int i = 0; i < FColumnOrder->Count(); ++i) {
      const int recorded = FColumnOrder->Items(i);
      if (recorded < 0 || recorded >= i) continue;
      MoveColumn(i, recorded);
      moved = moved || FColumnOrder->Items(recorded) == recorded;
    }
  }
}

int TRivErodovOzar::ColumnPosition(int ACol) {
  int position = ACol;
  const int count = std::min(AllColCount(), FColumnOrder->Count());
  for (int i = 0; i < count; ++i) {
    if (FColumnOrder->Items(i) == ACol) {
      position = i;
      break;
    }
  }
  if (FGroupColumn >= 0 && ACol >= FGroupColumn) --position;
  return position;
}

int TRivErodovOzar::ColumnAtPosition(int ACol) {
  int column = ACol >= 0 && ACol < FColumnOrder->Count() ? FColumnOrder->Items(ACol) : ACol;
  if (FGroupColumn >= 0 && column >= FGroupColumn) ++column;
  return column;
}

int TRivErodovOzar::ColumnByHeader(const String& AValue) {
  for (int c = 0; c < AllColCount(); ++c)
    if (GetAllCell(c, 0) == AValue) return c;
  return -1;
}

void TRivErodovOzar::MoveColumn(int FromIndex, int ToIndex) {
  if (FColumnOrder->Count() == 0) SetColumnOrder();
  TCustomGrid::MoveColumn(FromIndex, ToIndex);
}

// The platform has moved the width; the recorded order entry, the hidden-column flags and
// stored widths and the sort column move with the column, and the cells move in the store.
void TRivErodovOzar::ColumnMoved(int FromIndex, int ToIndex) {
  if (FromIndex < FColumnOrder->Count() && ToIndex < FColumnOrder->Count()) {
    std::vector<int> order(static_cast<size_t>(FColumnOrder->Count()));
    for (int i = 0; i < FColumnOrder->Count(); ++i) order[static_cast<size_t>(i)] = FColumnOrder->Items(i);
    RotateOne(order.data(), FromIndex, ToIndex);
    for (int i = 0; i < FColumnOrder->Count(); ++i) FColumnOrder->PutItem(i, order[static_cast<size_t>(i)]);
  }
  if (FromIndex < static_cast<int>(FVisibleCol.size()) && ToIndex < static_cast<int>(FVisibleCol.size())) {
    RotateOne(FVisibleCol.data(), FromIndex, ToIndex);
    RotateOne(FAllColWidths.data(), FromIndex, ToIndex);
  }
  TBaseGrid::ColumnMoved(FromIndex, ToIndex);
  if (FSortColumn == FromIndex)
    FSortColumn = ToIndex;
  else if (FromIndex < ToIndex && FSortColumn > FromIndex && FSortColumn <= ToIndex)
    --FSortColumn;
  else if (ToIndex < FromIndex && FSortColumn >= ToIndex && FSortColumn < FromIndex)
    ++FSortColumn;
}
