// Internals of the window-message layer shared by its units: the handle registry, the focus
// owner, the posted-message queue and the timers. Not for code above the class library.
#pragma once

#include <deque>

#include "classlib/Messages.h"

class TWinControl;

namespace WindowRegistry {
HWND Register(TWinControl* Control);
void Unregister(HWND Wnd);
TWinControl* Find(HWND Wnd);
}  // namespace WindowRegistry

namespace WindowFocus {
// Forgets the focus owner without messages (its window is going away or being hidden).
void Drop();
}

namespace MessageQueue {
struct Posted {
  HWND Wnd;
  TMessage Message;
};
void Post(HWND Wnd, const TMessage& Message);
bool Empty();
// Delivers every message queued before the call; returns whether any was delivered.
bool DeliverPosted();
// Fires the timers that are due on the program's clock; returns whether any fired.
bool FireDueTimers();
// Removes everything (tests start from a clean queue).
void Reset();
}  // namespace MessageQueue
