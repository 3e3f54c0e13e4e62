#include "classlib/WindowScrollBars.h"

#include <algorithm>

#include "classlib/Controls.h"
#include "classlib/qt/ScrollBars.h"

void TWindowScrollBars::SetRange(int Bar, int Max, int Page) {
  TBar& bar = State(Bar);
  if (bar.Max == Max && bar.Page == Page) return;
  bar.Max = Max;
  bar.Page = std::max(Page, 1);
  bar.Position = std::clamp(bar.Position, 0, std::max(0, Max));
  Apply();
}

void TWindowScrollBars::SetPosition(int Bar, int Pos) {
  TBar& bar = State(Bar);
  Pos = std::clamp(Pos, 0, std::max(0, bar.Max));
  if (bar.Position == Pos) return;
  bar.Position = Pos;
  Apply();
}

void TWindowScrollBars::SetVisible(int Bar, bool Show) {
  TBar& bar = State(Bar);
  if (bar.Visible == Show) return;
  bar.Visible = Show;
  Apply();
}

TRect TWindowScrollBars::ClientArea(int Width, int Height) const {
  return Rect(0, 0, std::max(0, Width - (FBars[1].Visible ? Thickness : 0)),
              std::max(0, Height - (FBars[0].Visible ? Thickness : 0)));
}

void TWindowScrollBars::Apply() const {
  auto view = [](const TBar& b) { return Views::ScrollBarState{b.Visible, b.Max, b.Page, b.Position}; };
  Views::ApplyScrollBars(FOwner, view(FBars[0]), view(FBars[1]), Thickness);
}
