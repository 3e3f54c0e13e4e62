// The system caret, as the desktop keeps it: one caret at a time, owned by the window that made
// it. The window makes it (CreateCaret, hidden), places it in its client coordinates
// (SetCaretPos), shows and hides it (counted: it is on screen while shown more often than
// hidden) and destroys it, or the window's destruction does. The caret does not blink: it is
// drawn solid in the text colour after the owner's Paint, so tests and screenshots see it as
// it stands.
#pragma once

#include "classlib/Messages.h"
#include "classlib/Types.h"

class TControl;
class TCanvas;

bool CreateCaret(HWND Wnd, int Width, int Height);
bool DestroyCaret();
bool ShowCaret(HWND Wnd);
bool HideCaret(HWND Wnd);
bool SetCaretPos(int X, int Y);
TPoint GetCaretPos();

// The rectangle the caret covers in Control's client area while it is on screen there, else
// an empty one.
TRect CaretRect(const TControl* Control);
// Draws the caret over what Control painted, when it is on screen in Control.
void DrawCaret(const TControl* Control, TCanvas* Canvas);
