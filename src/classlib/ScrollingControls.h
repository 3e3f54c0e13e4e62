// TScrollingWinControl: a windowed control whose children may reach beyond its client area,
// with scroll bars that move them into view. With AutoScroll the ranges follow the children
// (their right and bottom edges as they lie unscrolled); a bar shows while its range exceeds
// the client area, and the client area then leaves the bar's room.
//
// Scrolling moves the children; a person's use of the bars arrives as WM_VSCROLL / WM_HSCROLL.
// While the thumb is dragged (SB_THUMBTRACK) the position follows it only with Tracking.
#pragma once

#include "classlib/Controls.h"

class TScrollingWinControl;

class TControlScrollBar {
 public:
  TControlScrollBar(TScrollingWinControl* Control, bool Vertical) : FControl(Control), FVertical(Vertical) {}

  // Shown: the range is larger than the client area.
  bool Visible() const { return FShown; }
  int Position() const { return FPosition; }
  // Clamped to 0 .. Range less the client extent; the children move by the difference.
  void SetPosition(int Value);
  int Range() const { return FRange; }
  void SetRange(int Value);
  // The pixels kept clear around a control scrolled into view.
  int Margin = 0;
  // The position follows a dragged thumb at once.
  bool Tracking = false;
  // The pixels one arrow of the bar scrolls.
  int Increment = 8;

 private:
  friend class TScrollingWinControl;
  int ClientExtent() const;
  TScrollingWinControl* FControl;
  bool FVertical;
  bool FShown = false;
  int FPosition = 0;
  int FRange = 0;
};

class TScrollingWinControl : public TWinControl {
 public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;

  TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
  TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);

  // The area left by the scroll bars that show.
  TRect ClientRect() const override;
  // Ranges from the children (with AutoScroll), which bars show, and what they show.
  void UpdateScrollBars();
  // Scrolls until the control lies inside the client area (with the bars' margins).
  void ScrollInView(TControl* AControl);
  // The bars' thickness: the desktop's 17 pixels.
  static constexpr int ScrollBarSize = 17;

  void WndProc(TMessage& Message) override;
  void UpdateView() override;

 protected:
  void Resize() override;
  // Moves every child by (DeltaX, DeltaY).
  void ScrollBy(int DeltaX, int DeltaY);

 private:
  friend class TControlScrollBar;
  void Scroll(TControlScrollBar* Bar, Word Code, int ThumbPosition);
  void ApplyBars();

  std::unique_ptr<TControlScrollBar> FVertScrollBar;
  std::unique_ptr<TControlScrollBar> FHorzScrollBar;
  bool FAutoScroll = true;
  bool FUpdating = false;
};
