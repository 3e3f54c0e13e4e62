// Cursors over a control: the platform's standard ones (TCursor values) and numbered cursor
// resources, which on this platform are our own drawn pictures: a subsystem registers a
// painter for a number, and the picture's clFuchsia pixels stay see-through.
#pragma once

#include <functional>

#include "classlib/Controls.h"

class TBitmap;

using TCursorPainter = std::function<void(TBitmap* Bitmap)>;
// Pictures are 32 x 32 pixels; (HotX, HotY) is the point that aims.
void RegisterCursorResource(int Id, TCursorPainter Painter, int HotX, int HotY);
bool CursorResourceExists(int Id);
// Shows the cursor over the control's view: Id is a TCursor value (0 and below) or a
// registered resource number; an unknown number shows the default cursor.
void ShowControlCursor(TControl* Control, int Id);
