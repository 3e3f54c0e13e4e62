// The steps of the grid's own keyboard handling that editing relies on: Tab with goTabs runs
// the Tab navigation, Enter and F2 on a cell that may not be edited are swallowed, and the cell
// an Enter or F2 opens for editing is remembered for validation; a character typed on the
// grid is remembered as the one that opens the editor.
#include "grid/model/RivErodovOzar.h"

void TRivErodovOzar::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_TAB && Options().Contains(goTabs) && !Shift.Contains(ssAlt)) {
    TabToNextCell(Shift.Contains(ssShift));
    Key = 0;
    return;
  }
  const bool enterOrF2 = Key == VK_RETURN || Key == VK_F2;
  if (enterOrF2 && Options().Contains(goEditing) && !IsEditable(RealColIndex(Col()), Row())) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    Key = 0;
    return;
  }
  HandleKeyDown(Key, Shift);
  if (enterOrF2) StoreOldCell(Col(), Row());
}

void TRivErodovOzar::HandleCharMessage(TMessage& Message) {
  const auto ch = static_cast<unsigned char>(Message.WParam);
  // A character on a check box, radio or button cell opens no editor: Space has toggled it.
  if (Options().Contains(goEditing) && (ch == '\b' || ch >= 32) && HasControlGraphic(RealColIndex(Col()), Row())) {
    char key = static_cast<char>(ch);
    if (OnKeyPress) OnKeyPress(this, key);
    FStartEditChar = key;
    return;
  }
  if (Options().Contains(goEditing) && (ch == '\b' || ch >= 32)) FStartEditChar = static_cast<char>(ch);
  TBaseGrid::WndProc(Message);
}
