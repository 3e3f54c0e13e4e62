// The standard scroll bars of a custom-drawn windowed control: Qt scroll bars along the right
// and bottom edges of its view, outside the control's client rectangle. They only show what the
// control tells them; a person's use of them reaches the control as WM_VSCROLL / WM_HSCROLL with
// an SB_* request in the low word of WParam, the thumb's position above it, and LParam 0 (the
// control's own bars).
#pragma once

class TWinControl;

namespace Views {

struct ScrollBarState {
  bool Visible = false;
  int Max = 0;   // positions run 0..Max
  int Page = 1;  // what one screen shows, in the same units
  int Position = 0;
};

// Shows, hides and sets the control's bars, each Thickness pixels across; nothing happens while
// the control has no view.
void ApplyScrollBars(TWinControl* Control, const ScrollBarState& Horizontal, const ScrollBarState& Vertical,
                     int Thickness);

}  // namespace Views
