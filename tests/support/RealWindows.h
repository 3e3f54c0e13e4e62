// Real windows for tests: the program's forms get their views under the offscreen platform and
// take input through the window system's own event path, where a modal window blocks the
// windows below it exactly as it does for a person. Modal forms and message boxes are driven
// from inside their own event loops; no headless hook answers them.
//
// Every input routine fails the test (and does nothing) when its target has no visible view.
#pragma once

#include <functional>

#include "classlib/Forms.h"
#include "classlib/Menus.h"

namespace RealWindows {

// Real views for the lifetime of the object: views on, the modal-form and message-box hooks
// off. The forms already created get their views when they are shown.
class Scope {
 public:
  Scope();
  ~Scope();
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;
};

// Mouse, in the control's client coordinates (the centre when none are given).
void Click(TControl* Control);
void ClickAt(TControl* Control, int X, int Y);
void DoubleClickAt(TControl* Control, int X, int Y);
// Turns the mouse wheel over the point: Notches > 0 away from the user (scrolls up).
void Wheel(TControl* Control, int X, int Y, int Notches);
// The same with keys held (Shift turns a grid's rows into columns).
void Wheel(TControl* Control, int X, int Y, int Notches, TShiftState Shift);
// Tilts a horizontal wheel over the point: Notches > 0 to the right.
void TiltWheel(TControl* Control, int X, int Y, int Notches);

// Clicks the tab of a page control whose caption (without '&') is Caption.
void ClickTab(TControl* PageControl, const String& Caption);
// Clicks (or double-clicks) the item at Index of a list box, as it is shown on screen.
void ClickItem(TControl* ListBox, int Index);
void DoubleClickItem(TControl* ListBox, int Index);
// Whether a combo box's list is open on screen, and a click on item Index of that open list.
bool ComboListShown(TControl* ComboBox);
void ClickComboListItem(TControl* ComboBox, int Index);
// A key pressed in a combo box's open list (the list has the keyboard while it is open).
void ComboListKey(TControl* ComboBox, Word VirtualKey);

// The control's own scroll bars (a grid's). Up and down stand for left and right on a
// horizontal bar.
enum class ScrollBarPart { LineUp, LineDown, PageUp, PageDown };
// Whether the control's vertical (horizontal) bar is on screen, and the position it shows
// (-1 when it is not on screen).
bool ScrollBarShown(TControl* Control, bool Vertical);
int ScrollBarPosition(TControl* Control, bool Vertical);
// Clicks a part of the bar: an arrow, or the trough beside the thumb.
void ClickScrollBar(TControl* Control, bool Vertical, ScrollBarPart Part);
// Drags the bar's thumb along its track to Fraction (0 the start, 1 the end) and lets it go.
void DragScrollThumb(TControl* Control, bool Vertical, double Fraction);

// Keys go to the window that holds Control, to whatever has the focus there.
void Key(TControl* Control, Word VirtualKey, TShiftState Shift = TShiftState());
void Type(TControl* Control, const String& Text);
// Types the characters with the keys of the numeric keypad (its digits and decimal key).
void TypeOnKeypad(TControl* Control, const String& Text);

// The window manager's close box of the form's window.
void CloseBox(TCustomForm* Form);
// Maximises the form's window, or gives it a new size, as the window manager does.
void Maximize(TCustomForm* Form);
void ResizeWindow(TCustomForm* Form, int Width, int Height);
// Gives a maximised (or minimised) window its normal size back, as the window manager does.
void Restore(TCustomForm* Form);
// Whether the window system shows the form's window maximised.
bool IsMaximized(TCustomForm* Form);
// Where the control's view is: in its parent's view, or for a form its window on the screen.
// An empty rectangle when it has no view.
TRect ViewBounds(TControl* Control);
// The part of the form's window that holds its controls (below the menu bar), in the window.
TRect ShownClientArea(TCustomForm* Form);

// Clicks the item's menu in the form's menu bar, then the item (through sub-menus).
void ChooseMenu(TMenuItem* Item);

// Runs Action from inside Form's modal loop once the form is up, modal and active. The test
// fails when the form does not come up within a few seconds.
void WhenModal(TCustomForm* Form, std::function<void()> Action);
// Runs Action from the event loop once Form (not modal: the progress window) is on screen.
void WhenShown(TCustomForm* Form, std::function<void()> Action);
// Runs Action from the event loop once Condition holds (checked every few milliseconds, also
// from inside a run's message step); the test fails when it does not within Millis.
void When(std::function<bool()> Condition, std::function<void()> Action, int Millis = 10000);
// Answers the next message box with the button whose text (without '&') is Button, and hands
// its text to Seen when given.
void AnswerMessageBox(const String& Button, std::function<void(const String& Text)> Seen = nullptr);

// Answers the next file dialog as a person does at the keyboard: types FileName over the
// name it offers and presses Enter, or presses Escape when FileName is empty. Seen gets the
// dialog's title when given.
void AnswerFileDialog(const String& FileName, std::function<void(const String& Title)> Seen = nullptr);

// Chooses the item whose caption (without '&') is Caption from the next pop-up menu that
// comes up.
void ChoosePopupItem(const String& Caption);

// For a child process that runs the program's own start-up (ChildProcess.h): runs Action as
// soon as that start-up has made the window system's application object, so that Action can
// set up the waits (When, WhenModal, ...) that then act from inside the program's message loop.
void WhenStarted(void (*Action)());

// Handles window-system events until Condition holds; false when Millis pass first.
bool WaitFor(const std::function<bool()>& Condition, int Millis = 5000);
// Handles the events that are pending now.
void Settle();

// Paint events the control's view has received so far (counting starts at the first call).
int PaintCount(TControl* Control);
// The window system asks the form's whole window to be drawn again, as after it was covered.
void Expose(TCustomForm* Form);

// What the window system says.
bool AnyModalWindow();
bool MessageBoxUp();
bool IsOnScreen(TCustomForm* Form);
// Whether the control's own view is visible (on a visible parent); false without a view.
bool ControlOnScreen(TControl* Control);
// The form whose window is active, or nullptr.
TCustomForm* ActiveForm();
// Whether the control's view has the keyboard focus.
bool HasFocus(TControl* Control);
// The text a native edit shows (what a person sees), "" when it has no native edit view.
String ShownText(TControl* Control);
// How many pixels of the control's view, as the window system draws it now, have exactly the
// colour Color ($00BBGGRR); -1 when it has no visible view.
int PixelsOfColor(TControl* Control, TColor Color);
// The same over Area (control coordinates) as the control's window draws it: the whole window
// is painted and the control's part read, so a view is painted where it stands in the window.
int PixelsOfColorInWindow(TControl* Control, TColor Color, const TRect& Area);

}  // namespace RealWindows
