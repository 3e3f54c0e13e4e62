#include "classlib/HintWindow.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/Gdi.h"
#include "classlib/Graphics.h"
#include "classlib/Messages.h"

namespace {

// A tool-tip window of the window system: on top, without a frame, never activated.
class HintView : public QWidget {
 public:
  explicit HintView(THintWindow* hint)
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), hint_(hint) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_ShowWithoutActivating);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    TCanvas canvas(&painter);
    try {
      hint_->PaintTo(&canvas);
    } catch (const std::exception& e) {
      Application->HandleException(hint_, e);
    }
  }

 private:
  THintWindow* hint_;
};

THintWindowClass& HintClass() {
  static THintWindowClass factory;
  return factory;
}

constexpr uint32_t kHintFormat = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

}  // namespace

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clInfoBk);
  Font()->SetColor(clInfoText);
  SetVisible(false);
}

THintWindow::~THintWindow() = default;

QWidget* THintWindow::MakeView(QWidget*) { return new HintView(this); }

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*) {
  TBitmap measure(1, 1);
  TCanvas* c = measure.Canvas();
  c->Font()->Assign(Font());
  TRect r = Rect(0, 0, MaxWidth, 0);
  c->DrawText(AHint, r, kHintFormat | DT_CALCRECT);
  // Room for the frame and a margin of 2 on every side.
  return Rect(0, 0, r.Right + 6, r.Bottom + 4);
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint) {
  SetCaption(AHint);
  SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  if (View() == nullptr && Application->ViewsEnabled()) CreateView(nullptr);
  SetVisible(true);
  Invalidate();
}

void THintWindow::ReleaseHandle() { SetVisible(false); }

void THintWindow::Paint() {
  TCanvas* c = Canvas();
  if (c == nullptr) return;
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  c->Brush()->SetColor(clBlack);
  c->FrameRect(r);
  c->Font()->Assign(Font());
  c->SetBkMode(TRANSPARENT);
  r = ::Rect(r.Left + 3, r.Top + 2, r.Right - 2, r.Bottom - 2);
  c->DrawText(Caption(), r, kHintFormat);
}

void THintWindow::WndProc(TMessage& Message) {
  TCustomControl::WndProc(Message);
  // A new text shows at once.
  if (Message.Msg == CM_TEXTCHANGED) Invalidate();
}

void SetHintWindowClass(THintWindowClass Value) { HintClass() = std::move(Value); }

THintWindow* NewHintWindow(TComponent* AOwner) {
  if (HintClass()) return HintClass()(AOwner);
  return New<THintWindow>(AOwner);
}
