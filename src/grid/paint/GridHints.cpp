// The grid's hints: the application-wide choice of the HTML hint window, and the hint window
// the grid shows over a cell.
#include "classlib/Forms.h"
#include "grid/model/RivErodovOzar.h"

void TRivErodovOzar::SetUseHTMLHints(bool Value) {
  FUseHTMLHints = Value;
  if (Value) SetHintWindowClass([](TComponent* AOwner) { return New<THTMLHintWindow>(AOwner); });
  else SetHintWindowClass(nullptr);
}

void TRivErodovOzar::ShowCellHint(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) {
    HideCellHint();
    return;
  }
  const int RCol = RealColIndex(ACol);
  String hint;
  GetCellHint(RCol, ARow, hint);
  if (hint.empty()) IsComment(RCol, ARow, hint);
  if (hint.empty()) {
    HideCellHint();
    return;
  }
  if (FCellHintWindow == nullptr) {
    auto* window = New<THTMLHintWindow>(this);
    window->HintFontName = Font()->Name();
    FCellHintWindow = window;
  }
  const TRect cell = CellRect(ACol, ARow);
  const TPoint at = ClientToScreen(Point(cell.Left, cell.Bottom));
  TRect size = FCellHintWindow->CalcHintRect(1008, hint, nullptr);
  FCellHintWindow->ActivateHint(Rect(at.X, at.Y, at.X + size.Width() + 16, at.Y + size.Height() + 4), hint);
}

void TRivErodovOzar::HideCellHint() {
  if (FCellHintWindow != nullptr) FCellHintWindow->ReleaseHandle();
}
