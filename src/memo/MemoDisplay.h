// TMemoDisplay: everything the text memo asks of the window it is shown in: measuring and
// drawing text in its font, the client area and focus, invalidating and scrolling pixels, the
// system caret, the two scroll bars and the clock. The memo control answers it from the class
// library; tests answer it with a fixed-width fake that records what the memo asked.
#pragma once

#include "classlib/Types.h"

class TMemoDisplay {
 public:
  virtual ~TMemoDisplay() = default;

  // ---- Text in the memo's font ----
  // Style bits as the memo keeps them: 0 bold, 1 italic, 2 underline, 3 strike-out (the
  // higher bits carry no font style).
  virtual void SelectFont(Byte Style) = 0;
  // Width in pixels of Count characters in the selected font.
  virtual int TextWidth(const char16_t* Text, int Count) = 0;
  // Height of a line of text in the memo's font.
  virtual int FontHeight() = 0;
  // Draws Count characters with their top-left corner at (X, Y) in the selected font;
  // Background clNone leaves the background as it is.
  virtual void DrawText(int X, int Y, const char16_t* Text, int Count, TColor Foreground, TColor Background) = 0;
  virtual void FillRect(const TRect& R, TColor Color) = 0;

  // ---- The window ----
  virtual int ClientWidth() = 0;
  virtual int ClientHeight() = 0;
  virtual bool Focused() = 0;
  virtual void InvalidateRect(const TRect& R) = 0;
  virtual void Invalidate() = 0;
  // Moves the pixels of R by (Dx, Dy) and invalidates what the move uncovers.
  virtual void ScrollWindow(int Dx, int Dy, const TRect& R) = 0;
  // Repaints what is invalid now, before returning.
  virtual void UpdateWindow() = 0;

  // ---- The system caret ----
  virtual void CreateCaret(int Width, int Height) = 0;
  virtual void DestroyCaret() = 0;
  virtual void ShowCaret() = 0;
  virtual void SetCaretPos(int X, int Y) = 0;

  // ---- Scroll bars (SB_HORZ, SB_VERT): positions 0..Max, Page of them on screen ----
  virtual void SetScrollRange(int Bar, int Max, int Page) = 0;
  virtual void SetScrollPos(int Bar, int Pos) = 0;
  virtual void ShowScrollBar(int Bar, bool Show) = 0;

  // ---- The clock: milliseconds, as GetTickCount ----
  virtual Cardinal TickCount() = 0;
};
