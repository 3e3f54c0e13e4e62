#include "classlib/PopupForms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "classlib/Canvas.h"
#include "classlib/WinApi.h"
#include "classlib/qt/KeyMap.h"
#include "classlib/qt/Views.h"

namespace {

WPARAM MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
  WPARAM k = 0;
  if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
  if (buttons & Qt::RightButton) k |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
  if (mods & Qt::ShiftModifier) k |= MK_SHIFT;
  if (mods & Qt::ControlModifier) k |= MK_CONTROL;
  return k;
}

// The program's window under a screen point: the control of the nearest view that has one.
HWND WindowAt(QPoint global) {
  for (QWidget* w = QApplication::widgetAt(global); w != nullptr; w = w->parentWidget()) {
    if (auto* c = dynamic_cast<TWinControl*>(Views::ControlOf(w))) return c->Handle();
  }
  return nullptr;
}

// The pop-up's window: a toolkit pop-up (frameless, on top, closed by a press outside it).
class PopupView : public QWidget {
 public:
  explicit PopupView(TPopupForm* form) : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint), form_(form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    TCanvas canvas(&painter);
    try {
      form_->PaintTo(&canvas);
    } catch (const std::exception& e) {
      Application->HandleException(form_, e);
    }
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (!rect().contains(e->position().toPoint())) {
      // A press outside: the toolkit closes the pop-up from here (closeEvent).
      outsidePress_ = e->globalPosition().toPoint();
      pressedOutside_ = true;
      QPointer<PopupView> alive(this);
      QWidget::mousePressEvent(e);
      if (!alive) return;
      pressedOutside_ = false;
      if (!isVisible() && !ToolkitReplaysPress()) ReplayPress(e);
      return;
    }
    Send(e->button() == Qt::LeftButton ? WM_LBUTTONDOWN : e->button() == Qt::RightButton ? WM_RBUTTONDOWN : WM_MBUTTONDOWN, e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    Send(e->button() == Qt::LeftButton ? WM_LBUTTONUP : e->button() == Qt::RightButton ? WM_RBUTTONUP : WM_MBUTTONUP, e);
  }
  void mouseMoveEvent(QMouseEvent* e) override { Send(WM_MOUSEMOVE, e); }
  void wheelEvent(QWheelEvent* e) override {
    Views::SyncModifierKeys(e->modifiers().toInt());
    int delta = e->angleDelta().y();
    if (delta == 0) return;
    QPoint g = e->globalPosition().toPoint();
    WPARAM wp = (MouseKeyFlags(e->buttons(), e->modifiers()) & 0xFFFF) |
                (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16);
    TMessage m{WM_MOUSEWHEEL, wp, MakeLParam(g.x(), g.y()), 0};
    form_->MainWndProc(m);
    e->accept();
  }
  // Every key is the pop-up's: none reaches the toolkit's own handling (which would close the
  // pop-up on Escape).
  void keyPressEvent(QKeyEvent* e) override { Key(e, true); }
  void keyReleaseEvent(QKeyEvent* e) override { Key(e, false); }
  void closeEvent(QCloseEvent* e) override {
    // The toolkit takes the pop-up away (a press outside it): the form decides.
    HWND target = pressedOutside_ ? WindowAt(outsidePress_) : nullptr;
    QPointer<PopupView> alive(this);
    try {
      form_->Deactivate(target);
    } catch (const std::exception& ex) {
      Application->HandleException(form_, ex);
    }
    if (alive && form_->Visible()) e->ignore(); else e->accept();
  }

 private:
  void Send(UINT msg, QMouseEvent* e) {
    Views::SyncModifierKeys(e->modifiers().toInt());
    QPoint p = e->position().toPoint();
    TMessage m{msg, MouseKeyFlags(e->buttons(), e->modifiers()), MakeLParam(p.x(), p.y()), 0};
    form_->MainWndProc(m);
  }
  void Key(QKeyEvent* e, bool down) {
    e->accept();
    QPointer<PopupView> alive(this);
    Views::SyncModifierKeys(e->modifiers().toInt());
    Word vk = KeyMap::ToVirtualKey(e->key());
    if (vk != 0) {
      SetKeyDown(vk, down);
      KeyInput(form_, down ? WM_KEYDOWN : WM_KEYUP, vk, Views::KeyDataOf(e->modifiers().toInt()));
      if (!alive) return;
    }
    if (down && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      for (char c : e->text().toUtf8()) {
        if (static_cast<unsigned char>(c) >= 32 || c == '\r' || c == '\b' || c == 27 || c == '\t')
          KeyInput(form_, WM_CHAR, static_cast<unsigned char>(c), Views::KeyDataOf(e->modifiers().toInt()));
        if (!alive) return;
      }
    }
  }

  // The toolkit hands the press that closed a pop-up on to the window under it only on the
  // desktop systems that do so themselves; on X11 and without a window system (offscreen) the
  // press would be lost.
  static bool ToolkitReplaysPress() {
    const QString platform = QGuiApplication::platformName();
    return platform == "windows" || platform == "cocoa";
  }
  // The press outside goes on to the window under it, which becomes the active one, as a
  // person expects of a click on another window.
  void ReplayPress(QMouseEvent* e) {
    QWidget* w = QApplication::widgetAt(outsidePress_);
    if (w == nullptr) return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && w->window() != modal) return;
    if (!w->isActiveWindow()) {
      w->activateWindow();
      w->window()->raise();
    }
    QWindow* win = w->window()->windowHandle();
    if (win == nullptr) return;
    const QPointF local = win->mapFromGlobal(outsidePress_);
    QCoreApplication::postEvent(win, new QMouseEvent(QEvent::MouseButtonPress, local, local, QPointF(outsidePress_),
                                                     e->button(), e->buttons(), e->modifiers()));
  }

  TPopupForm* form_;
  QPoint outsidePress_;
  bool pressedOutside_ = false;
};

}  // namespace

// While the corner is dragged, every mouse move of the application sizes the pop-up, wherever
// the toolkit would deliver it, until the button is released.
class TPopupForm::SizingFilter : public QObject {
 public:
  explicit SizingFilter(TPopupForm* form) : form_(form) {}

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::MouseMove) {
      QPoint g = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
      form_->SizingMoveTo(TPoint{g.x(), g.y()});
      return true;
    }
    if (e->type() == QEvent::MouseButtonRelease) {
      form_->EndSizing();
      return true;
    }
    return false;
  }

 private:
  TPopupForm* form_;
};

TPopupForm::TPopupForm(TComponent* AOwner) : TForm(AOwner) { BorderStyle = bsNone; }

TPopupForm::~TPopupForm() { EndSizing(); }

void TPopupForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (Constraints.MinWidth > 0) AWidth = std::max(AWidth, Constraints.MinWidth);
  if (Constraints.MinHeight > 0) AHeight = std::max(AHeight, Constraints.MinHeight);
  if (Constraints.MaxWidth > 0) AWidth = std::min(AWidth, Constraints.MaxWidth);
  if (Constraints.MaxHeight > 0) AHeight = std::min(AHeight, Constraints.MaxHeight);
  TForm::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TPopupForm::PaintTo(TCanvas* ACanvas) {
  struct Restore {
    TCanvas*& slot;
    TCanvas* saved;
    ~Restore() { slot = saved; }
  } restore{FCanvas, FCanvas};
  FCanvas = ACanvas;
  Paint();
}

void TPopupForm::Deactivate(HWND NewActive) {
  TMessage m{WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(NewActive), 0};
  MainWndProc(m);
}

void TPopupForm::BeginSizing(TPoint ScreenPos) {
  FSizing = true;
  FSizingStart = ScreenPos;
  FSizingWidth = Width();
  FSizingHeight = Height();
  if (View() != nullptr && FSizingFilter == nullptr) {
    FSizingFilter = new SizingFilter(this);
    qApp->installEventFilter(FSizingFilter);
  }
}

void TPopupForm::SizingMoveTo(TPoint ScreenPos) {
  if (!FSizing) return;
  TRect r = Bounds(Left(), Top(), FSizingWidth + ScreenPos.X - FSizingStart.X, FSizingHeight + ScreenPos.Y - FSizingStart.Y);
  Perform(WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&r));
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPopupForm::EndSizing() {
  FSizing = false;
  if (FSizingFilter != nullptr) {
    qApp->removeEventFilter(FSizingFilter);
    FSizingFilter->deleteLater();
    FSizingFilter = nullptr;
  }
}

void TPopupForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCLBUTTONDOWN:
      if (static_cast<LRESULT>(Message.WParam) == HTBOTTOMRIGHT) {
        BeginSizing(TPoint{SmallIntLo(Message.LParam), SmallIntHi(Message.LParam)});
        return;
      }
      break;
    case WM_MOUSEWHEEL: {
      auto delta = static_cast<int16_t>(HiWord(Message.WParam));
      TPoint at{SmallIntLo(Message.LParam), SmallIntHi(Message.LParam)};
      bool handled = false;
      TMouseWheelUpDownEvent& event = delta < 0 ? OnMouseWheelDown : OnMouseWheelUp;
      if (event) event(this, KeysToShiftState(Message.WParam), at, handled);
      Message.Result = handled ? 1 : 0;
      return;
    }
    default:
      break;
  }
  TForm::WndProc(Message);
}

QWidget* TPopupForm::MakeView(QWidget*) { return new PopupView(this); }
