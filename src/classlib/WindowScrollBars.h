// The standard scroll bars of a custom-drawn windowed control (outside the grids, which keep
// their own): the control holds one TWindowScrollBars, sets each bar's range, page, position
// and whether it shows, and takes the room of the bars that show out of its client area. A
// person's use of a bar reaches the control as WM_VSCROLL / WM_HSCROLL (SB_* in the low word of
// WParam, the thumb's position above it).
#pragma once

#include "classlib/Types.h"

class TWinControl;

class TWindowScrollBars {
 public:
  // A bar's thickness: the desktop's 17 pixels at 96 dots per inch.
  static constexpr int Thickness = 17;

  explicit TWindowScrollBars(TWinControl* Owner) : FOwner(Owner) {}

  // Bar is SB_HORZ or SB_VERT; positions run 0..Max, Page of them on screen.
  void SetRange(int Bar, int Max, int Page);
  void SetPosition(int Bar, int Pos);
  // The owner's client area changes with it: the owner lays itself out again.
  void SetVisible(int Bar, bool Show);
  bool Visible(int Bar) const { return State(Bar).Visible; }
  int Position(int Bar) const { return State(Bar).Position; }
  int Max(int Bar) const { return State(Bar).Max; }
  int Page(int Bar) const { return State(Bar).Page; }

  // The part of a Width x Height control the bars leave.
  TRect ClientArea(int Width, int Height) const;
  // Puts the bars on the owner's view (nothing while it has none).
  void Apply() const;

 private:
  struct TBar {
    bool Visible = false;
    int Max = 0;
    int Page = 1;
    int Position = 0;
  };
  const TBar& State(int Bar) const { return FBars[Bar == 1 ? 1 : 0]; }
  TBar& State(int Bar) { return FBars[Bar == 1 ? 1 : 0]; }

  TWinControl* FOwner;
  TBar FBars[2];
};
