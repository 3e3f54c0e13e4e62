// The filter drop-down of a header cell: a release on the glyph zone at the right edge of a
// filter-row cell opens the column's entries in the drop list under it; a pick applies the
// entry (ApplyFilterChoice), any other release closes the list.
#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "grid/model/RivErodovOzar.h"

namespace {
constexpr int kListEdge = 2;
}  // namespace

bool TRivErodovOzar::FilterDropDownRelease(int X, int Y) {
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (row == FFilterDropDownRow && row >= 0 && row < FixedRows() && col >= 0 && col < ColCount()) {
    const TRect cell = CellRect(col, row);
    const int realCol = RealColIndex(col);
    const bool inZone = X >= cell.Right - 16 && X <= cell.Right - 3 && Y - cell.Top < 19;
    if (inZone && realCol != FFilterCol && BuildColumnFilterList(realCol)) {
      ShowFilterDropDown(col);
      return true;
    }
  }
  if (FFilterCol != -1 || FDropList->Visible()) {
    FFilterCol = -1;
    FDropList->Hide();
  }
  return false;
}

void TRivErodovOzar::ShowFilterDropDown(int ACol) {
  const TFilterDropDown& look = *FFilterDropDown;
  const TRect cell = CellRect(ACol, FFilterDropDownRow);
  FFilterCol = RealColIndex(ACol);
  TDropList& list = *FDropList;
  list.SetColor(look.Color);
  list.Font()->Assign(look.Font());
  list.Items()->Clear();
  for (int i = 0; i < FFilterList->Count(); ++i) {
    const String entry = FFilterList->Strings(i);
    list.Items()->Add(entry.substr(0, entry.find('=')));
  }
  list.SetItemIndex(list.Items()->Count() > 0 ? 0 : -1);
  int width = look.Width;
  int height = look.Height;
  if (look.AutoSize) {
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(look.Font());
    int widest = 0;
    for (int i = 0; i < list.Items()->Count(); ++i) widest = std::max(widest, measure.Canvas()->TextWidth(list.Items()->Strings(i)));
    width = widest + 8 + 2 * kListEdge;
    height = list.Items()->Count() * list.ItemHeight + 2 * kListEdge;
  }
  int left = cell.Right - 16;
  if (look.ColumnWidth) {
    left = cell.Left;
    width = cell.Right - cell.Left;
  }
  if (left + width > ClientWidth()) left = std::max(0, cell.Right - width);
  list.SetParent(this);
  list.SetBounds(left, cell.Top + 16, width, height);
  list.Show();
  if (list.CanFocus()) list.SetFocus();
}
