#include "classlib/qt/Views.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <functional>
#include <unordered_map>

#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Menus.h"
#include "classlib/WinApi.h"
#include "classlib/qt/KeyMap.h"

namespace Views {
namespace {
void ActivateTopWindow(QWidget* Except);
}  // namespace
}  // namespace Views

namespace {

std::unordered_map<const QWidget*, TControl*>& Bindings() {
  static std::unordered_map<const QWidget*, TControl*> bindings;
  return bindings;
}

Views::PaintFunction& Painter() {
  static Views::PaintFunction painter = nullptr;
  return painter;
}

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
  WPARAM k = 0;
  if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
  if (buttons & Qt::RightButton) k |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
  if (mods & Qt::ShiftModifier) k |= MK_SHIFT;
  if (mods & Qt::ControlModifier) k |= MK_CONTROL;
  return k;
}

void SendMouse(TControl* control, UINT msg, QMouseEvent* e) {
  Views::SyncModifierKeys(e->modifiers().toInt());
  QPoint p = e->position().toPoint();
  TMessage m{msg, MouseKeys(e->buttons(), e->modifiers()), MakeLParam(p.x(), p.y()), 0};
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    win->MainWndProc(m);
  } else {
    try {
      control->WndProc(m);
    } catch (const std::exception& ex) {
      Application->HandleException(control, ex);
    }
  }
}

UINT ButtonMessage(Qt::MouseButton b, bool down, bool dbl) {
  switch (b) {
    case Qt::LeftButton: return dbl ? WM_LBUTTONDBLCLK : down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case Qt::RightButton: return dbl ? WM_RBUTTONDBLCLK : down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case Qt::MiddleButton: return dbl ? WM_MBUTTONDBLCLK : down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default: return 0;
  }
}

// A custom-drawn control's view: paints through the control and passes input on as messages.
class PaintedView : public QWidget {
 public:
  PaintedView(TControl* control, QWidget* parent) : QWidget(parent), control_(control) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    if (dynamic_cast<TWinControl*>(control) != nullptr) setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (Painter() != nullptr) Painter()(control_, painter);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (auto* win = dynamic_cast<TWinControl*>(control_); win && win->CanFocus() && !win->Focused()) win->SetFocus();
    if (UINT m = ButtonMessage(e->button(), true, false)) SendMouse(control_, m, e);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (UINT m = ButtonMessage(e->button(), true, true)) SendMouse(control_, m, e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (UINT m = ButtonMessage(e->button(), false, false)) SendMouse(control_, m, e);
  }
  void mouseMoveEvent(QMouseEvent* e) override { SendMouse(control_, WM_MOUSEMOVE, e); }
  // The mouse coming over the control and leaving it (hot tracking of flat buttons).
  void enterEvent(QEnterEvent* e) override {
    QWidget::enterEvent(e);
    control_->Perform(CM_MOUSEENTER, 0, 0);
  }
  void leaveEvent(QEvent* e) override {
    QWidget::leaveEvent(e);
    control_->Perform(CM_MOUSELEAVE, 0, 0);
  }
  // WM_MOUSEWHEEL: the delta (120 a notch, positive away from the user) above the key states,
  // the screen point in LParam. A control that leaves it unhandled (Result 0) lets it go on to
  // the view below, as the desktop passes the wheel on to the parent window.
  void wheelEvent(QWheelEvent* e) override {
    auto* win = dynamic_cast<TWinControl*>(control_);
    if (win == nullptr || !win->Enabled()) {
      e->ignore();
      return;
    }
    Views::SyncModifierKeys(e->modifiers().toInt());
    WPARAM keys = MouseKeys(e->buttons(), e->modifiers());
    QPoint p = e->position().toPoint();
    TPoint screen = control_->ClientToScreen(TPoint{p.x(), p.y()});
    LPARAM where = MakeLParam(screen.X, screen.Y);
    QPoint delta = e->angleDelta();
    bool handled = false;
    // Qt counts a horizontal wheel positive to the left; the message, to the right.
    if (delta.y() != 0) handled |= SendWheel(win, WM_MOUSEWHEEL, delta.y(), keys, where);
    if (delta.x() != 0) handled |= SendWheel(win, WM_MOUSEHWHEEL, -delta.x(), keys, where);
    e->setAccepted(handled);
  }
  void keyPressEvent(QKeyEvent* e) override { DeliverKeyEvent(e, true); }
  void keyReleaseEvent(QKeyEvent* e) override { DeliverKeyEvent(e, false); }
  void focusInEvent(QFocusEvent* e) override {
    QWidget::focusInEvent(e);
    auto* win = dynamic_cast<TWinControl*>(control_);
    // A control that never takes the focus (the strips of a pop-up) leaves the keys to its
    // window.
    if (win != nullptr && !win->CanFocus()) {
      clearFocus();
      return;
    }
    if (win && !win->Focused()) win->SetFocus();
  }
  bool focusNextPrevChild(bool next) override {
    // Tab is a key for controls that want it (the grid moves between cells with it).
    if (auto* win = dynamic_cast<TWinControl*>(control_)) {
      LRESULT code = win->Perform(WM_GETDLGCODE, 0, 0);
      if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
      // A Tab that a child (a grid's inplace editor) passes up goes through the dialog-key
      // stage as the child's key: an edit still open there ends before the focus moves on.
      TWinControl* focused = FindControl(GetFocus());
      if (focused != nullptr && focused != win && win->ContainsControl(focused)) {
        Views::SyncModifierKeys(QGuiApplication::keyboardModifiers().toInt());
        SetKeyDown(VK_SHIFT, !next);
        KeyInput(focused, WM_KEYDOWN, VK_TAB);
        return true;
      }
    }
    return QWidget::focusNextPrevChild(next);
  }

 private:
  void DeliverKeyEvent(QKeyEvent* e, bool down) {
    auto* win = dynamic_cast<TWinControl*>(control_);
    if (win == nullptr) return;
    Views::SyncModifierKeys(e->modifiers().toInt());
    Word vk = KeyMap::ToVirtualKey(e->key());
    if (vk != 0) {
      SetKeyDown(vk, down);
      KeyInput(win, down ? WM_KEYDOWN : WM_KEYUP, vk, Views::KeyDataOf(e->modifiers().toInt()));
    }
    if (down && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      QByteArray text = e->text().toUtf8();
      for (char c : text)
        if (static_cast<unsigned char>(c) >= 32 || c == '\r' || c == '\b' || c == 27 || c == '\t')
          KeyInput(win, WM_CHAR, static_cast<unsigned char>(c), Views::KeyDataOf(e->modifiers().toInt()));
    }
  }

  static bool SendWheel(TWinControl* win, UINT msg, int delta, WPARAM keys, LPARAM where) {
    WPARAM wp = (keys & 0xFFFF) | (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16);
    TMessage m{msg, wp, where, 0};
    win->MainWndProc(m);
    return m.Result != 0;
  }

  TControl* control_;
};

// A form's top-level window: the menu bar above a client area that holds the controls. The
// window system has the last word on the window's geometry and state: whatever it gives (a
// person's drag, maximise, restore) becomes the form's, which lays the controls out again.
class FormView : public QWidget {
 public:
  FormView(TCustomForm* form, QWidget* parent) : QWidget(parent, Qt::Window), form_(form) {
    menuBar_ = new QMenuBar(this);
    // The bar always takes its room inside the window, as the form's ClientRect counts it.
    menuBar_->setNativeMenuBar(false);
    menuBar_->setVisible(false);
    client_ = new QWidget(this);
    PlaceClient();
  }
  QWidget* Client() const { return client_; }
  QMenuBar* Bar() const { return menuBar_; }
  std::unordered_map<TMenuItem*, QAction*> actions;
  bool rebuildPending = false;

  // The bar on top when the form has a menu, the client area below it: the form's ClientRect.
  void PlaceClient() {
    int top = form_->Menu() != nullptr ? Views::kMenuBarHeight : 0;
    menuBar_->setGeometry(0, 0, width(), Views::kMenuBarHeight);
    client_->setGeometry(0, top, width(), std::max(0, height() - top));
  }

 protected:
  void closeEvent(QCloseEvent* e) override {
    // The close box asks the form, which decides (close query, modal result).
    e->ignore();
    SendMessage(form_->Handle(), WM_CLOSE, 0, 0);
  }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    PlaceClient();
    AdoptGeometry();
  }
  void moveEvent(QMoveEvent* e) override {
    QWidget::moveEvent(e);
    AdoptGeometry();
  }
  void changeEvent(QEvent* e) override {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange) {
      // An activation the window system delivers after the window has gone again (a progress
      // window shown and hidden by a run quicker than the round trip) goes on to the window a
      // person expects on top.
      if (isActiveWindow() && !isVisible()) Views::ActivateTopWindow(this);
      return;
    }
    if (e->type() != QEvent::WindowStateChange) return;
    Qt::WindowStates state = windowState();
    TWindowState value = state.testFlag(Qt::WindowMinimized)   ? wsMinimized
                         : state.testFlag(Qt::WindowMaximized) ? wsMaximized
                                                               : wsNormal;
    try {
      form_->SetWindowState(value);
    } catch (const std::exception& ex) {
      Application->HandleException(form_, ex);
    }
  }

 private:
  // The form takes the window's geometry as a whole (a maximised window has moved and grown at
  // once). ApplyGeometry pushes nothing back to a window that already has it, so this does not
  // echo, while the controls inside still get their new geometry. The position is pos(), as
  // ApplyGeometry compares it (x() leaves out a frame the window system has not placed yet).
  void AdoptGeometry() {
    try {
      form_->SetBounds(pos().x(), pos().y(), width(), height());
    } catch (const std::exception& ex) {
      Application->HandleException(form_, ex);
    }
  }

  TCustomForm* form_;
  QMenuBar* menuBar_;
  QWidget* client_;
};

QString MenuText(const TMenuItem* item) {
  return QString::fromStdString(item->Caption());  // '&' marks the access key in Qt too
}

void ApplyAction(QAction* a, TMenuItem* item) {
  a->setText(MenuText(item));
  a->setEnabled(item->Enabled());
  a->setVisible(item->Visible());
  a->setCheckable(item->Checked() || item->AutoCheck || item->RadioItem);
  a->setChecked(item->Checked());
  if (item->ShortCut() != scNone)
    a->setShortcut(QKeySequence(QString::fromStdString(ShortCutToText(item->ShortCut()))));
  else
    a->setShortcut(QKeySequence());
  if (!item->Hint.empty()) a->setStatusTip(QString::fromStdString(item->Hint));
}

void AddMenuItems(FormView* view, QMenu* menu, TMenuItem* parent) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (item->IsLine()) {
      QAction* sep = menu->addSeparator();
      view->actions[item] = sep;
      sep->setVisible(item->Visible());
      continue;
    }
    if (item->Count() > 0) {
      QMenu* sub = menu->addMenu(MenuText(item));
      view->actions[item] = sub->menuAction();
      ApplyAction(sub->menuAction(), item);
      AddMenuItems(view, sub, item);
      continue;
    }
    QAction* a = menu->addAction(MenuText(item));
    view->actions[item] = a;
    ApplyAction(a, item);
    TCustomForm* form = item->GetParentMenu() ? dynamic_cast<TCustomForm*>(item->GetParentMenu()->Owner()) : nullptr;
    QObject::connect(a, &QAction::triggered, a, [item, form]() {
      // The action's own check toggle is undone: the item's command decides the mark.
      try {
        if (form != nullptr)
          SendMessage(form->Handle(), WM_COMMAND, item->Command(), 0);
        else
          item->Click();
      } catch (const std::exception& e) {
        Application->HandleException(item, e);
      }
    });
  }
}

void BuildMenuBar(TCustomForm* form, FormView* view) {
  view->Bar()->clear();
  view->actions.clear();
  TMainMenu* menu = form->Menu();
  view->Bar()->setVisible(menu != nullptr);
  view->PlaceClient();
  if (menu == nullptr) return;
  TMenuItem* root = menu->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* top = root->Items(i);
    if (top->Count() > 0) {
      QMenu* sub = view->Bar()->addMenu(MenuText(top));
      view->actions[top] = sub->menuAction();
      ApplyAction(sub->menuAction(), top);
      AddMenuItems(view, sub, top);
    } else {
      QAction* a = view->Bar()->addAction(MenuText(top));
      view->actions[top] = a;
      ApplyAction(a, top);
      QObject::connect(a, &QAction::triggered, a, [top, form]() {
        SendMessage(form->Handle(), WM_COMMAND, top->Command(), 0);
      });
    }
  }
  // The view may go before the menu (a form frees its view first, then its menu items, whose
  // removal reports changes): a gone view has nothing to update.
  menu->OnItemChanged = [form, guard = QPointer<FormView>(view)](TMenuItem* item) {
    FormView* view = guard.data();
    if (view == nullptr) return;
    auto it = view->actions.find(item);
    if (it != view->actions.end() && item->Count() == 0) {
      ApplyAction(it->second, item);
      return;
    }
    // Structure changed: rebuild once the current command is done (its action may be live).
    if (view->rebuildPending) return;
    view->rebuildPending = true;
    QTimer::singleShot(0, view, [form, view]() {
      view->rebuildPending = false;
      BuildMenuBar(form, view);
    });
  };
}

}  // namespace

namespace Views {

int Count() { return static_cast<int>(Bindings().size()); }

void PopupMenu(TMenuItem* Items, int X, int Y) {
  QMenu menu;
  std::function<void(QMenu*, TMenuItem*)> add = [&add](QMenu* m, TMenuItem* parent) {
    for (int i = 0; i < parent->Count(); ++i) {
      TMenuItem* item = parent->Items(i);
      if (!item->Visible()) continue;
      if (item->IsLine()) {
        m->addSeparator();
        continue;
      }
      if (item->Count() > 0) {
        add(m->addMenu(MenuText(item)), item);
        continue;
      }
      QAction* a = m->addAction(MenuText(item));
      a->setEnabled(item->Enabled());
      a->setCheckable(item->Checked());
      a->setChecked(item->Checked());
      a->setData(QVariant::fromValue(reinterpret_cast<quintptr>(item)));
    }
  };
  add(&menu, Items);
  QAction* chosen = menu.exec(QPoint(X, Y));
  if (chosen == nullptr || !chosen->data().isValid()) return;
  auto* item = reinterpret_cast<TMenuItem*>(chosen->data().value<quintptr>());
  try {
    item->Click();
  } catch (const std::exception& e) {
    Application->HandleException(item, e);
  }
}

QWidget* MakePaintedView(TControl* Control, QWidget* ParentView) { return new PaintedView(Control, ParentView); }

QWidget* MakeFormView(TCustomForm* Form, QWidget* ParentView) {
  auto* v = new FormView(Form, ParentView);
  return v;
}

void Bind(TControl* Control, QWidget* View) {
  Bindings()[View] = Control;
  if (auto* form = dynamic_cast<TCustomForm*>(Control)) {
    if (auto* fv = dynamic_cast<FormView*>(View)) BuildMenuBar(form, fv);
  }
}

void Unbind(QWidget* View) {
  Bindings().erase(View);
  // Children of this view go with it; forget them too.
  for (auto it = Bindings().begin(); it != Bindings().end();) {
    if (View->isAncestorOf(it->first)) it = Bindings().erase(it); else ++it;
  }
}

TControl* ControlOf(const QWidget* View) {
  auto it = Bindings().find(View);
  return it == Bindings().end() ? nullptr : it->second;
}

QWidget* ClientView(TWinControl* Control) {
  if (auto* fv = dynamic_cast<FormView*>(Control->View())) return fv->Client();
  return Control->View();
}

bool ClientScreenOrigin(const TControl* Control, TPoint& Origin) {
  QWidget* v = Control->View();
  if (v == nullptr || !v->isWindow()) return false;
  QWidget* client = v;
  if (auto* fv = dynamic_cast<FormView*>(v)) client = fv->Client();
  const QPoint p = client->mapToGlobal(QPoint(0, 0));
  Origin = TPoint{p.x(), p.y()};
  return true;
}

void ApplyGeometry(TControl* Control) {
  QWidget* v = Control->View();
  if (v == nullptr) return;
  if (v->isWindow()) {
    QPoint pos(Control->Left(), Control->Top());
    QSize size(std::max(1, Control->Width()), std::max(1, Control->Height()));
    if (v->pos() != pos) v->move(pos);
    if (v->size() != size) v->resize(size);
  } else {
    v->setGeometry(Control->Left(), Control->Top(), Control->Width(), Control->Height());
  }
}

void ApplyWindowState(TCustomForm* Form) {
  QWidget* v = Form->View();
  if (v == nullptr) return;
  constexpr Qt::WindowStates kSized = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
  Qt::WindowStates want = Form->WindowState() == wsMaximized   ? Qt::WindowMaximized
                          : Form->WindowState() == wsMinimized ? Qt::WindowMinimized
                                                               : Qt::WindowNoState;
  // A hidden window keeps the state until it is shown.
  if ((v->windowState() & kSized) != want) v->setWindowState((v->windowState() & ~kSized) | want);
}

void ApplyVisibility(TControl* Control) {
  QWidget* v = Control->View();
  if (v == nullptr) return;
  if (auto* form = dynamic_cast<TCustomForm*>(Control); form != nullptr && v->isWindow()) ApplyWindowState(form);
  v->setVisible(Control->Visible());
  if (Control->Visible() && v->isWindow()) {
    v->raise();
    v->activateWindow();
  }
}

namespace {

// A control keeps the application's font (DejaVu Sans 9) unless its own font was changed: a
// large bold title, a fixed-pitch memo.
bool IsDefaultFont(const TFont& font) {
  static const TFont defaults;
  return font.Name() == defaults.Name() && font.Height() == defaults.Height() &&
         font.Style() == defaults.Style();
}

QFont NativeFont(const TFont& font) {
  QFont f(QString::fromStdString(TFont::SubstituteFamily(font.Name())));
  f.setPointSize(std::max(1, font.Size()));
  TFontStyles style = font.Style();
  f.setBold(style.Contains(fsBold));
  f.setItalic(style.Contains(fsItalic));
  f.setUnderline(style.Contains(fsUnderline));
  f.setStrikeOut(style.Contains(fsStrikeOut));
  return f;
}

}  // namespace

void ApplyCommon(TControl* Control) {
  QWidget* v = Control->View();
  if (v == nullptr) return;
  if (!IsDefaultFont(*Control->Font())) v->setFont(NativeFont(*Control->Font()));
  v->setEnabled(Control->Enabled());
  v->setToolTip(Control->ShowHint || !Control->Hint.empty() ? QString::fromStdString(Control->Hint) : QString());
  v->update();
}

void ApplyFormCaption(TCustomForm* Form) {
  if (QWidget* v = Form->View()) v->setWindowTitle(QString::fromStdString(Form->Caption()));
}

void Invalidate(TControl* Control) {
  if (QWidget* v = Control->View()) v->update();
}

void InvalidateArea(TControl* Control, const TRect& R) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  if (QWidget* v = Control->View()) v->update(QRect(R.Left, R.Top, R.Width(), R.Height()));
}

void Flush(TControl* Control) {
  if (QWidget* v = Control->View()) v->repaint();
}

void Raise(TControl* Control) {
  if (QWidget* v = Control->View()) {
    v->raise();
    if (v->isWindow()) v->activateWindow();
  }
}

void Lower(TControl* Control) {
  if (QWidget* v = Control->View()) v->lower();
}

void GiveFocus(TWinControl* Control) {
  if (QWidget* v = Control->View(); v != nullptr && !v->hasFocus()) v->setFocus(Qt::OtherFocusReason);
}

void RebuildMenu(TCustomForm* Form) {
  if (auto* fv = dynamic_cast<FormView*>(Form->View())) BuildMenuBar(Form, fv);
}

namespace {
// The window that was active when each modal form came up, innermost last: it gets the
// activation back when that form ends.
std::vector<QPointer<QWidget>>& ModalOpeners() {
  static std::vector<QPointer<QWidget>> openers;
  return openers;
}

// Gives the activation to the window a person expects on top: the modal window, else the main
// form; never to Except (a window going away).
void ActivateTopWindow(QWidget* Except) {
  QWidget* next = QApplication::activeModalWidget();
  if (next == nullptr && Application->MainForm() != nullptr) next = Application->MainForm()->View();
  if (next == nullptr || next == Except || !next->isVisible()) return;
  next->raise();
  next->activateWindow();
}

// After a toolkit dialog has gone: the window that was active when it came up gets the
// activation back.
void GiveActivationBack(QWidget* Before) {
  if (Before != nullptr && Before->isVisible()) {
    Before->raise();
    Before->activateWindow();
  } else {
    // The dialog came up before the activation of the window below had arrived (a run that
    // refuses its data right after its options form closed).
    ActivateTopWindow(nullptr);
  }
}
}  // namespace

// A window's modality only takes effect while the window is hidden: the toolkit keeps its list
// of modal windows when the window is shown and hidden, so the flag is set before showing and
// cleared after hiding, never while the window is on screen.
void BeginModal(TCustomForm* Form) {
  QWidget* v = Form->View();
  if (v == nullptr) return;
  ModalOpeners().emplace_back(QApplication::activeWindow());
  if (v->isVisible()) v->hide();
  v->setWindowModality(Qt::ApplicationModal);
}

void EndModal(TCustomForm* Form) {
  QPointer<QWidget> opener;
  if (!ModalOpeners().empty()) {
    opener = ModalOpeners().back();
    ModalOpeners().pop_back();
  }
  QWidget* v = Form->View();
  if (v == nullptr) return;
  v->hide();
  v->setWindowModality(Qt::NonModal);
  if (opener != nullptr && opener != v && opener->isVisible()) {
    opener->raise();
    opener->activateWindow();
  } else {
    // The opener has gone meanwhile (the progress window of the run that opened this form).
    ActivateNext(Form);
  }
}

bool IsActive(TCustomForm* Form) {
  QWidget* v = Form->View();
  return v != nullptr && v->isVisible() && QApplication::activeWindow() == v;
}

void ActivateNext(TCustomForm* Hidden) { ActivateTopWindow(Hidden->View()); }

void WaitForEvents(int Millis) {
  // A single-shot wake-up bounds the wait, so our own timers and posted messages run on time.
  static QTimer* wake = nullptr;
  if (wake == nullptr) {
    wake = new QTimer();
    wake->setSingleShot(true);
  }
  wake->start(Millis);
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

int MessageBox(const String& Text, const String& Caption, UINT Flags) {
  QMessageBox box;
  box.setText(QString::fromStdString(Text));
  box.setWindowTitle(QString::fromStdString(Caption));
  switch (Flags & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct B { QMessageBox::StandardButton Button; int Id; };
  std::vector<B> buttons;
  switch (Flags & 0xF) {
    case MB_OKCANCEL: buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
      buttons = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
      break;
    case MB_YESNOCANCEL:
      buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
      break;
    case MB_YESNO: buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: buttons = {{QMessageBox::Ok, IDOK}}; break;
  }
  QMessageBox::StandardButtons all;
  for (auto& b : buttons) all |= b.Button;
  box.setStandardButtons(all);
  size_t def = (Flags & MB_DEFBUTTON2) && buttons.size() > 1 ? 1 : 0;
  box.setDefaultButton(buttons[def].Button);
  int pressed = 0;
  RunKeepingActivation([&] {
    pressed = box.exec();
    box.hide();
  });
  for (auto& b : buttons)
    if (b.Button == pressed) return b.Id;
  // Dismissed with the close box or Escape: Cancel where there is one, else No, else OK.
  for (auto& b : buttons)
    if (b.Id == IDCANCEL) return IDCANCEL;
  for (auto& b : buttons)
    if (b.Id == IDNO) return IDNO;
  return buttons.size() == 1 ? IDOK : IDCANCEL;
}

void RunKeepingActivation(const std::function<void()>& Run) {
  QPointer<QWidget> before = QApplication::activeWindow();
  Run();
  GiveActivationBack(before);
}

void SetPaintFunction(PaintFunction Function) { Painter() = Function; }

void SyncModifierKeys(int QtModifiers) {
  SetKeyDown(VK_SHIFT, (QtModifiers & Qt::ShiftModifier) != 0);
  SetKeyDown(VK_CONTROL, (QtModifiers & Qt::ControlModifier) != 0);
  SetKeyDown(VK_MENU, (QtModifiers & Qt::AltModifier) != 0);
}

LPARAM KeyDataOf(int QtModifiers) {
  return (QtModifiers & Qt::KeypadModifier) != 0 ? LPARAM{1} << 22 : LPARAM{0};
}

}  // namespace Views
