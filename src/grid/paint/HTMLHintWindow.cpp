#include "grid/paint/HTMLHintWindow.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Gdi.h"
#include "classlib/Graphics.h"
#include "classlib/ScreenMetrics.h"
#include "classlib/WideText.h"
#include "grid/base/HTMLEngine.h"
#include "grid/base/ZudAzud.h"

namespace {

constexpr int kMaxHintWidth = 1008;

THTMLRenderParams HintParams(bool MeasureOnly) {
  THTMLRenderParams params;
  params.MeasureOnly = MeasureOnly;
  params.LinkColor = 0xFF0000;
  params.ShadowColor = 0x808080;
  return params;
}

bool IsWideHint(const String& S) { return CellTextKind(S, false) == 5; }

}  // namespace

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

bool THTMLHintWindow::Measure(const String& AHint, int MaxWidth, int& Width, int& Height) {
  TBitmap measure(1, 1);
  TCanvas* c = measure.Canvas();
  c->Font()->Assign(Font());
  if (IsWideHint(AHint)) {
    if (!HintFontName.empty()) c->Font()->SetName(HintFontName);
    FWideCaption = DecodeWideText(AHint);
    const TSize size = c->TextExtent(WideToUtf8(FWideCaption));
    Width = size.cx;
    Height = size.cy;
    return true;
  }
  THTMLRenderResult result;
  RenderHTMLText(c, AHint, Rect(0, 0, MaxWidth, 4096), HintParams(true), result);
  Width = result.Width;
  Height = result.Height;
  return false;
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*) {
  int w = 0, h = 0;
  Measure(AHint, MaxWidth, w, h);
  return Rect(0, 0, w, h);
}

void THTMLHintWindow::ActivateHint(TRect R, const String& AHint) {
  SetCaption(AHint);
  const int limit = std::min(R.Width() > 0 ? R.Width() : kMaxHintWidth, kMaxHintWidth);
  const bool wide = Measure(AHint, limit, FTextWidth, FTextHeight);
  // A word longer than the limit is cut rather than making a window wider than any screen.
  FTextWidth = std::min(FTextWidth, kMaxHintWidth);
  const int width = FTextWidth + (wide ? 8 : 16);
  const int height = FTextHeight + 4;
  // Kept 2 pixels inside the monitor the window starts on.
  const TRect area = MonitorWorkAreaFromPoint(Point(R.Left, R.Top));
  int left = R.Left, top = R.Top;
  if (left + width > area.Right) left = area.Right - 2 - width;
  if (top + height > area.Bottom) top = area.Bottom - 2 - height;
  THintWindow::ActivateHint(Rect(left, top, left + width, top + height), AHint);
}

void THTMLHintWindow::Paint() {
  TCanvas* c = Canvas();
  if (c == nullptr) return;
  const TRect client = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(client);
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(cl3DLight);
  c->MoveTo(client.Left, client.Bottom - 2);
  c->LineTo(client.Left, client.Top);
  c->LineTo(client.Right - 1, client.Top);
  c->Pen()->SetColor(cl3DDkShadow);
  c->MoveTo(client.Left, client.Bottom - 1);
  c->LineTo(client.Right - 1, client.Bottom - 1);
  c->LineTo(client.Right - 1, client.Top - 1);
  const int top = client.Top + (client.Height() - FTextHeight) / 2;
  TRect text = Rect(client.Left + 4, top, client.Right - 4, top + FTextHeight + 8);
  c->Font()->Assign(Font());
  c->SetBkMode(TRANSPARENT);
  if (IsWideHint(Caption())) {
    if (!HintFontName.empty()) c->Font()->SetName(HintFontName);
    c->DrawText(WideToUtf8(FWideCaption), text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    return;
  }
  THTMLRenderResult result;
  RenderHTMLText(c, Caption(), text, HintParams(false), result);
}
