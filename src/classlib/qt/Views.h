// The Qt side of the controls: views that show our controls' state and turn real input into
// our window messages. Only the class library includes this header.
#pragma once

#include <functional>

#include "classlib/Messages.h"
#include "classlib/Types.h"

class QWidget;
class QPainter;
class TControl;
class TWinControl;
class TCustomForm;
class TMenuItem;

namespace Views {

constexpr int kMenuBarHeight = 22;

// The number of views that exist (none in headless tests).
int Count();

QWidget* MakePaintedView(TControl* Control, QWidget* ParentView);
QWidget* MakeFormView(TCustomForm* Form, QWidget* ParentView);

// Links a view and its control both ways; Unbind cuts the link before the view goes.
void Bind(TControl* Control, QWidget* View);
void Unbind(QWidget* View);
TControl* ControlOf(const QWidget* View);

// The widget inside which the control's children are placed.
QWidget* ClientView(TWinControl* Control);
// Where a top-level control's client area begins on the screen; false when its view is not a
// window.
bool ClientScreenOrigin(const TControl* Control, TPoint& Origin);

// A window gets only the geometry it does not have yet: what the window system changes itself
// comes back as the form's bounds and is not pushed again.
void ApplyGeometry(TControl* Control);
void ApplyVisibility(TControl* Control);
// Maximises, minimises or restores the form's window as its WindowState says.
void ApplyWindowState(TCustomForm* Form);
void ApplyCommon(TControl* Control);
void ApplyFormCaption(TCustomForm* Form);
void Invalidate(TControl* Control);
void InvalidateArea(TControl* Control, const TRect& R);
void Flush(TControl* Control);
void Raise(TControl* Control);
void Lower(TControl* Control);
void GiveFocus(TWinControl* Control);

void RebuildMenu(TCustomForm* Form);
// Shows the items as a pop-up menu at the screen point and waits for a choice or its closing;
// a chosen item is clicked after the menu has gone.
void PopupMenu(TMenuItem* Items, int X, int Y);

// Makes the form's (hidden) window modal before it is shown; EndModal hides it, drops the
// modality and gives the activation back to the window that had it.
void BeginModal(TCustomForm* Form);
void EndModal(TCustomForm* Form);
// Whether the form's window is the active one.
bool IsActive(TCustomForm* Form);
// After an active form's window was hidden: the activation goes where a person expects it,
// to the modal form on top, else to the main form.
void ActivateNext(TCustomForm* Hidden);
// Waits for window-system events (at most Millis ms) and handles them.
void WaitForEvents(int Millis);

int MessageBox(const String& Text, const String& Caption, UINT Flags);
// Runs a toolkit dialog's modal loop (a file or folder dialog), then gives the activation back
// to the window that had it, as MessageBox does: without a window manager nothing else would,
// and keys typed next would reach no window.
void RunKeepingActivation(const std::function<void()>& Run);

// Brings the key-state table's Shift, Ctrl and Alt in line with a real key or mouse event.
void SyncModifierKeys(int QtModifiers);
// The key data (LParam) of a key message made from a real key event: bit 22 marks a key of
// the numeric keypad, so that its decimal key can be told from the main keyboard's.
LPARAM KeyDataOf(int QtModifiers);

// Paints a custom-drawn control's view (set by the graphics layer).
using PaintFunction = void (*)(TControl* Control, QPainter& Painter);
void SetPaintFunction(PaintFunction Function);

}  // namespace Views
