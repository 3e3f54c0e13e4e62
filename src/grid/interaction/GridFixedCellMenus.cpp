// The drop-down menus of fixed cells: with the control look's fixed drop-down button, a press
// on the 16 pixels at the right edge of a hovered fixed cell pops up FixedDropDownMenu (or the
// menu OnFixedDropDownClick hands over) below the button.
#include "classlib/Menus.h"
#include "grid/model/RivErodovOzar.h"

bool TRivErodovOzar::FixedDropDownPress(int ACol, int ARow, int X, int Y) {
  if (ACol < 0 || ARow < 0 || !ControlLook()->FixedDropDownButton() || !IsHoverFixedCell(ACol, ARow)) return false;
  const TRect r = CellRect(ACol, ARow);
  const int right = Options().Contains(goColSizing) ? r.Right - 2 : r.Right;
  if (X < r.Right - 16 || X >= right || Y < r.Top || Y >= r.Bottom) return false;
  FDropDownDown = true;
  if (FixedDropDownMenu == nullptr && !OnFixedDropDownClick) return true;
  FNoMouseLeave = true;
  TPopupMenu* menu = FixedDropDownMenu;
  bool keepHighlighted = false;
  if (menu != nullptr) menu->Tag = ACol;
  if (OnFixedDropDownClick) OnFixedDropDownClick(this, ACol, ARow, menu, keepHighlighted);
  if (menu != nullptr) {
    FMouseDownMove = false;
    FHoverFixedX = ACol;
    FHoverFixedY = ARow;
    RepaintCell(ACol, ARow);
    const TPoint at = ClientToScreen(TPoint{r.Right - 16, r.Bottom});
    menu->Popup(at.X, at.Y);
    FHoverFixedX = -1;
    FHoverFixedY = -1;
    RepaintCell(ACol, ARow);
  }
  FNoMouseLeave = keepHighlighted;
  return true;
}
