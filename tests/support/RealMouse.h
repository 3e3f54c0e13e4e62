// More of a person's mouse for real-window tests: presses with keys held, drags, the right
// and middle buttons, and moving the pointer without a button. Client coordinates of the
// control; every routine fails the test (and does nothing) when the control has no visible view.
#pragma once

#include "classlib/Controls.h"

namespace RealWindows {

void ClickAt(TControl* Control, int X, int Y, TShiftState Shift);
void RightClickAt(TControl* Control, int X, int Y);
void MiddleClickAt(TControl* Control, int X, int Y);
void MoveMouse(TControl* Control, int X, int Y);
// Presses the left button at (FromX, FromY), moves in a few steps to (ToX, ToY), lets go.
void Drag(TControl* Control, int FromX, int FromY, int ToX, int ToY);
// Whether the control's view shows a cursor picture of the program's own (not a standard one).
bool ShowsPictureCursor(TControl* Control);

}  // namespace RealWindows
