// The update lock of the data grid: bulk changes (loading, clearing, removing rows, the Excel
// bridge) run between BeginUpdate and EndUpdate, and the grid neither repaints nor paints
// while the lock is held.
#include "grid/model/RivErodovOzar.h"

// The count always follows the calls. A grid that is not visible has no redrawing to switch
// off; a grid hidden between the two calls still gets its count back to 0 and paints again.
void TRivErodovOzar::BeginUpdate() {
  ++FUpdateCount;
  if (Visible() && !FRedrawSwitchedOff) {
    Perform(WM_SETREDRAW, 0, 0);
    FRedrawSwitchedOff = true;
  }
}

void TRivErodovOzar::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount > 0 || IsDestroying()) return;
  if (FRedrawSwitchedOff) {
    Perform(WM_SETREDRAW, 1, 0);
    FRedrawSwitchedOff = false;
  }
  Invalidate();
}

void TRivErodovOzar::SetLockUpdate(bool Value) {
  if (Value)
    BeginUpdate();
  else
    EndUpdate();
}
