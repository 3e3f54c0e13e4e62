// Input goes through the window system (QWindow events), not straight to a widget, so that a
// window blocked by a modal one refuses it as it would refuse a person.
#define QTEST_QPA_MOUSE_HANDLING
#include "support/RealWindows.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImage>
#include <QPixmap>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>
#include <memory>
#include <vector>

#include "classlib/qt/KeyMap.h"
#include "classlib/qt/Views.h"

namespace RealWindows {

namespace {

constexpr int kComeUpMillis = 10000;

QWidget* VisibleView(TControl* Control) {
  QWidget* v = Control != nullptr ? Control->View() : nullptr;
  if (v == nullptr || !v->isVisible()) {
    ADD_FAILURE() << "no visible window for " << (Control != nullptr ? Control->Name() : String("(null)"));
    return nullptr;
  }
  return v;
}

// The widget that shows the control's client area (a form's sits below its menu bar).
QWidget* ClientWidget(TControl* Control) {
  QWidget* v = VisibleView(Control);
  if (v == nullptr) return nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(Control)) return Views::ClientView(w);
  return v;
}

// Maps a point of widget W to its top-level window, with that window's QWindow.
QWindow* WindowPoint(QWidget* W, QPoint& P) {
  QWidget* top = W->window();
  P = W->mapTo(top, P);
  QWindow* win = top->windowHandle();
  if (win == nullptr) ADD_FAILURE() << "the window has no window-system handle";
  return win;
}

Qt::KeyboardModifiers Modifiers(TShiftState Shift) {
  Qt::KeyboardModifiers m;
  if (Shift.Contains(ssShift)) m |= Qt::ShiftModifier;
  if (Shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
  if (Shift.Contains(ssAlt)) m |= Qt::AltModifier;
  return m;
}

Qt::Key QtKeyOf(Word VirtualKey) {
  static const int ranges[][2] = {{Qt::Key_Space, Qt::Key_ydiaeresis}, {Qt::Key_Escape, Qt::Key_F12}};
  for (auto& r : ranges)
    for (int k = r[0]; k <= r[1]; ++k)
      if (KeyMap::ToVirtualKey(k) == VirtualKey) return static_cast<Qt::Key>(k);
  ADD_FAILURE() << "no key for virtual key " << VirtualKey;
  return Qt::Key_unknown;
}

QString Plain(const QString& Text) {
  QString t = Text;
  return t.remove('&');
}

// Runs Step every few milliseconds from the event loop until it returns true, or fails the
// test after Millis.
// The waits not yet satisfied: the scope cancels them, so that none outlives its test and
// acts on forms that are gone.
std::vector<QPointer<QTimer>>& PendingWaits() {
  static std::vector<QPointer<QTimer>> waits;
  return waits;
}

void Poll(std::function<bool()> Step, int Millis, const String& What) {
  auto* timer = new QTimer();
  PendingWaits().emplace_back(timer);
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, Step, Millis, What]() {
    bool done = false;
    if (clock->elapsed() > Millis) {
      ADD_FAILURE() << What << " did not come up";
      done = true;
    } else {
      timer->stop();
      done = Step();
      if (!done) timer->start();
    }
    if (done) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start(5);
}

}  // namespace

Scope::Scope() {
  Application->SetViewsEnabled(true);
  Application->Hooks.ModalForm = nullptr;
  Application->Hooks.MessageBox = nullptr;
}

Scope::~Scope() {
  for (QPointer<QTimer>& wait : PendingWaits()) delete wait.data();
  PendingWaits().clear();
  // A modal window left up by a failed test would block the next one.
  while (QWidget* modal = QApplication::activeModalWidget()) modal->hide();
  Settle();
  Application->SetViewsEnabled(false);
}

void Click(TControl* Control) {
  QWidget* w = ClientWidget(Control);
  if (w == nullptr) return;
  QPoint p = w->rect().center();
  if (QWindow* win = WindowPoint(w, p)) QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, p);
  Settle();
}

void ClickAt(TControl* Control, int X, int Y) {
  QWidget* w = ClientWidget(Control);
  if (w == nullptr) return;
  QPoint p(X, Y);
  if (QWindow* win = WindowPoint(w, p)) QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, p);
  Settle();
}

void DoubleClickAt(TControl* Control, int X, int Y) {
  QWidget* w = ClientWidget(Control);
  if (w == nullptr) return;
  QPoint p(X, Y);
  if (QWindow* win = WindowPoint(w, p)) {
    QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseDClick(win, Qt::LeftButton, Qt::NoModifier, p);
  }
  Settle();
}

void ClickTab(TControl* PageControl, const String& Caption) {
  QWidget* v = VisibleView(PageControl);
  auto* bar = v != nullptr ? v->findChild<QTabBar*>() : nullptr;
  if (bar == nullptr) {
    if (v != nullptr) ADD_FAILURE() << PageControl->Name() << " has no tabs on screen";
    return;
  }
  for (int i = 0; i < bar->count(); ++i) {
    if (Plain(bar->tabText(i)) != Plain(QString::fromStdString(Caption))) continue;
    QPoint p = bar->tabRect(i).center();
    if (QWindow* win = WindowPoint(bar, p)) QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, p);
    Settle();
    return;
  }
  ADD_FAILURE() << "no tab \"" << Caption << "\" on " << PageControl->Name();
}

namespace {

// The centre of a list item on screen, in the list's viewport; false when it is not shown.
bool ItemPoint(TControl* ListBox, int Index, QWidget*& Viewport, QPoint& P) {
  auto* list = qobject_cast<QListWidget*>(VisibleView(ListBox));
  if (list == nullptr) return false;
  QListWidgetItem* item = list->item(Index);
  if (item == nullptr) {
    ADD_FAILURE() << ListBox->Name() << " shows no item " << Index;
    return false;
  }
  list->scrollToItem(item);
  Viewport = list->viewport();
  P = list->visualItemRect(item).center();
  return true;
}

}  // namespace

void ClickItem(TControl* ListBox, int Index) {
  QWidget* viewport = nullptr;
  QPoint p;
  if (!ItemPoint(ListBox, Index, viewport, p)) return;
  if (QWindow* win = WindowPoint(viewport, p)) QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, p);
  Settle();
}

bool ComboListShown(TControl* ComboBox) {
  auto* combo = qobject_cast<QComboBox*>(VisibleView(ComboBox));
  return combo != nullptr && combo->view() != nullptr && combo->view()->isVisible();
}

void ClickComboListItem(TControl* ComboBox, int Index) {
  auto* combo = qobject_cast<QComboBox*>(VisibleView(ComboBox));
  if (combo == nullptr || !ComboListShown(ComboBox)) {
    ADD_FAILURE() << ComboBox->Name() << " shows no open list";
    return;
  }
  QAbstractItemView* list = combo->view();
  const QModelIndex index = list->model()->index(Index, combo->modelColumn(), list->rootIndex());
  if (!index.isValid()) {
    ADD_FAILURE() << ComboBox->Name() << " lists no item " << Index;
    return;
  }
  list->scrollTo(index);
  const QRect item = list->visualRect(index);
  QPoint p(item.left() + std::min(8, item.width() / 2), item.center().y());
  if (QWindow* win = WindowPoint(list->viewport(), p)) {
    QTest::mousePress(win, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseRelease(win, Qt::LeftButton, Qt::NoModifier, p);
  }
  Settle();
}

void ComboListKey(TControl* ComboBox, Word VirtualKey) {
  auto* combo = qobject_cast<QComboBox*>(VisibleView(ComboBox));
  if (combo == nullptr || !ComboListShown(ComboBox)) {
    ADD_FAILURE() << ComboBox->Name() << " shows no open list";
    return;
  }
  QWindow* win = combo->view()->window()->windowHandle();
  if (win == nullptr) return;
  QTest::keyClick(win, QtKeyOf(VirtualKey));
  Settle();
}

void DoubleClickItem(TControl* ListBox, int Index) {
  QWidget* viewport = nullptr;
  QPoint p;
  if (!ItemPoint(ListBox, Index, viewport, p)) return;
  if (QWindow* win = WindowPoint(viewport, p)) {
    QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseDClick(win, Qt::LeftButton, Qt::NoModifier, p);
  }
  Settle();
}

namespace {
// Turns the wheel by Angle (eighths of a degree, 120 a notch) over the control's point.
void SendWheel(TControl* Control, int X, int Y, QPoint Angle, Qt::KeyboardModifiers Mods) {
  QWidget* w = ClientWidget(Control);
  if (w == nullptr) return;
  QPoint p(X, Y);
  QWindow* win = WindowPoint(w, p);
  if (win == nullptr) return;
  QWindowSystemInterface::handleWheelEvent(win, QPointF(p), QPointF(win->mapToGlobal(p)), QPoint(), Angle, Mods);
  Settle();
}
}  // namespace

void Wheel(TControl* Control, int X, int Y, int Notches) {
  SendWheel(Control, X, Y, QPoint(0, 120 * Notches), Qt::NoModifier);
}

void Wheel(TControl* Control, int X, int Y, int Notches, TShiftState Shift) {
  SendWheel(Control, X, Y, QPoint(0, 120 * Notches), Modifiers(Shift));
}

void TiltWheel(TControl* Control, int X, int Y, int Notches) {
  // The window system counts a tilt to the left positive.
  SendWheel(Control, X, Y, QPoint(-120 * Notches, 0), Qt::NoModifier);
}

namespace {

// The control's own bar of that direction on screen: a direct child of its view.
QScrollBar* OwnScrollBar(TControl* Control, bool Vertical) {
  QWidget* v = Control != nullptr ? Control->View() : nullptr;
  if (v == nullptr || !v->isVisible()) return nullptr;
  for (QScrollBar* bar : v->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly))
    if (bar->isVisible() && (bar->orientation() == Qt::Vertical) == Vertical) return bar;
  return nullptr;
}

QScrollBar* ShownScrollBar(TControl* Control, bool Vertical) {
  QScrollBar* bar = OwnScrollBar(Control, Vertical);
  if (bar == nullptr)
    ADD_FAILURE() << "no " << (Vertical ? "vertical" : "horizontal") << " scroll bar on screen for "
                  << (Control != nullptr ? Control->Name() : String("(null)"));
  return bar;
}

// Where the style draws a part of the bar, in the bar's coordinates.
QRect ScrollBarPartRect(QScrollBar* Bar, QStyle::SubControl Part) {
  QStyleOptionSlider opt;
  opt.initFrom(Bar);
  opt.subControls = QStyle::SC_All;
  opt.activeSubControls = QStyle::SC_None;
  opt.orientation = Bar->orientation();
  if (Bar->orientation() == Qt::Horizontal) opt.state |= QStyle::State_Horizontal;
  opt.minimum = Bar->minimum();
  opt.maximum = Bar->maximum();
  opt.sliderPosition = Bar->sliderPosition();
  opt.sliderValue = Bar->value();
  opt.singleStep = Bar->singleStep();
  opt.pageStep = Bar->pageStep();
  opt.upsideDown = Bar->invertedAppearance();
  return Bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, Part, Bar);
}

}  // namespace

bool ScrollBarShown(TControl* Control, bool Vertical) { return OwnScrollBar(Control, Vertical) != nullptr; }

int ScrollBarPosition(TControl* Control, bool Vertical) {
  QScrollBar* bar = OwnScrollBar(Control, Vertical);
  return bar != nullptr ? bar->value() : -1;
}

void ClickScrollBar(TControl* Control, bool Vertical, ScrollBarPart Part) {
  QScrollBar* bar = ShownScrollBar(Control, Vertical);
  if (bar == nullptr) return;
  QStyle::SubControl sc = QStyle::SC_ScrollBarSubLine;
  switch (Part) {
    case ScrollBarPart::LineUp: sc = QStyle::SC_ScrollBarSubLine; break;
    case ScrollBarPart::LineDown: sc = QStyle::SC_ScrollBarAddLine; break;
    case ScrollBarPart::PageUp: sc = QStyle::SC_ScrollBarSubPage; break;
    case ScrollBarPart::PageDown: sc = QStyle::SC_ScrollBarAddPage; break;
  }
  QRect r = ScrollBarPartRect(bar, sc);
  if (r.isEmpty()) {
    ADD_FAILURE() << "the scroll bar has no room for that part";
    return;
  }
  QPoint p = r.center();
  if (QWindow* win = WindowPoint(bar, p)) QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, p);
  Settle();
}

void DragScrollThumb(TControl* Control, bool Vertical, double Fraction) {
  QScrollBar* bar = ShownScrollBar(Control, Vertical);
  if (bar == nullptr) return;
  QRect thumb = ScrollBarPartRect(bar, QStyle::SC_ScrollBarSlider);
  QRect groove = ScrollBarPartRect(bar, QStyle::SC_ScrollBarGroove);
  QPoint from = thumb.center();
  int travel = Vertical ? groove.height() - thumb.height() : groove.width() - thumb.width();
  int along = (Vertical ? groove.top() + thumb.height() / 2 : groove.left() + thumb.width() / 2) +
              static_cast<int>(Fraction * travel + 0.5);
  QPoint to = Vertical ? QPoint(from.x(), along) : QPoint(along, from.y());
  QWindow* win = WindowPoint(bar, from);
  QPoint target = bar->mapTo(bar->window(), to);
  if (win == nullptr) return;
  QTest::mousePress(win, Qt::LeftButton, Qt::NoModifier, from);
  for (int step = 1; step <= 4; ++step) {
    QTest::mouseMove(win, from + (target - from) * step / 4);
    Settle();
  }
  QTest::mouseRelease(win, Qt::LeftButton, Qt::NoModifier, target);
  Settle();
}

void Key(TControl* Control, Word VirtualKey, TShiftState Shift) {
  QWidget* w = VisibleView(Control);
  if (w == nullptr) return;
  QWindow* win = w->window()->windowHandle();
  if (win == nullptr) return;
  QTest::keyClick(win, QtKeyOf(VirtualKey), Modifiers(Shift));
  Settle();
}

void Type(TControl* Control, const String& Text) {
  QWidget* w = VisibleView(Control);
  if (w == nullptr) return;
  QWindow* win = w->window()->windowHandle();
  if (win == nullptr) return;
  for (char c : Text) QTest::keyClick(win, c);
  Settle();
}

void TypeOnKeypad(TControl* Control, const String& Text) {
  QWidget* w = VisibleView(Control);
  if (w == nullptr) return;
  QWindow* win = w->window()->windowHandle();
  if (win == nullptr) return;
  for (char c : Text) QTest::keyClick(win, c, Qt::KeypadModifier);
  Settle();
}

void CloseBox(TCustomForm* Form) {
  QWidget* w = VisibleView(Form);
  if (w == nullptr) return;
  QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(w->windowHandle());
  Settle();
}

void Maximize(TCustomForm* Form) {
  if (QWidget* w = VisibleView(Form)) w->showMaximized();
  Settle();
}

void ResizeWindow(TCustomForm* Form, int Width, int Height) {
  if (QWidget* w = VisibleView(Form)) w->windowHandle()->resize(Width, Height);
  Settle();
}

void Restore(TCustomForm* Form) {
  if (QWidget* w = VisibleView(Form)) w->showNormal();
  Settle();
}

bool IsMaximized(TCustomForm* Form) {
  QWidget* v = Form->View();
  return v != nullptr && v->windowHandle() != nullptr && (v->windowHandle()->windowStates() & Qt::WindowMaximized);
}

TRect ViewBounds(TControl* Control) {
  QWidget* v = Control->View();
  if (v == nullptr) return TRect{};
  QRect r = v->isWindow() ? QRect(v->pos(), v->size()) : v->geometry();
  return Bounds(r.x(), r.y(), r.width(), r.height());
}

TRect ShownClientArea(TCustomForm* Form) {
  QWidget* v = Form->View();
  if (v == nullptr) return TRect{};
  QRect r = Views::ClientView(Form)->geometry();
  return Bounds(r.x(), r.y(), r.width(), r.height());
}

void ChooseMenu(TMenuItem* Item) {
  std::vector<TMenuItem*> path;
  for (TMenuItem* i = Item; i != nullptr && i->Parent() != nullptr; i = i->Parent()) path.insert(path.begin(), i);
  TMenu* menu = Item->GetParentMenu();
  auto* form = menu != nullptr ? dynamic_cast<TCustomForm*>(menu->Owner()) : nullptr;
  QWidget* view = form != nullptr ? VisibleView(form) : nullptr;
  if (view == nullptr || path.empty()) return;
  auto* bar = view->findChild<QMenuBar*>();
  if (bar == nullptr) {
    ADD_FAILURE() << "the form has no menu bar";
    return;
  }
  QWidget* holder = bar;
  QList<QAction*> actions = bar->actions();
  for (size_t level = 0; level < path.size(); ++level) {
    QString caption = Plain(QString::fromStdString(path[level]->Caption()));
    QAction* action = nullptr;
    for (QAction* a : actions)
      if (Plain(a->text()) == caption) action = a;
    if (action == nullptr) {
      ADD_FAILURE() << "no menu item \"" << path[level]->Caption() << "\" on screen";
      return;
    }
    QRect r = level == 0 ? bar->actionGeometry(action) : static_cast<QMenu*>(holder)->actionGeometry(action);
    QPoint p = r.center();
    QWindow* win = WindowPoint(holder, p);
    if (win == nullptr) return;
    if (level > 0) QTest::mouseMove(win, p);
    QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, p);
    Settle();
    if (level + 1 < path.size()) {
      QMenu* sub = action->menu();
      if (sub == nullptr || !WaitFor([sub] { return sub->isVisible(); })) {
        ADD_FAILURE() << "menu \"" << path[level]->Caption() << "\" did not open";
        return;
      }
      holder = sub;
      actions = sub->actions();
    }
  }
  Settle();
}

void WhenModal(TCustomForm* Form, std::function<void()> Action) {
  String name = Form->Name();
  Poll(
      [Form, Action]() {
        QWidget* v = Form->View();
        if (v == nullptr || !v->isVisible() || QGuiApplication::modalWindow() != v->windowHandle() ||
            QApplication::activeWindow() != v)
          return false;
        Action();
        return true;
      },
      kComeUpMillis, "modal form " + name);
}

void WhenShown(TCustomForm* Form, std::function<void()> Action) {
  String name = Form->Name();
  Poll(
      [Form, Action]() {
        QWidget* v = Form->View();
        if (v == nullptr || !v->isVisible()) return false;
        Action();
        return true;
      },
      kComeUpMillis, "form " + name);
}

void When(std::function<bool()> Condition, std::function<void()> Action, int Millis) {
  Poll(
      [Condition, Action]() {
        if (!Condition()) return false;
        Action();
        return true;
      },
      Millis, "the awaited condition");
}

void AnswerMessageBox(const String& Button, std::function<void(const String& Text)> Seen) {
  Poll(
      [Button, Seen]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return false;
        if (Seen) Seen(box->text().toStdString());
        for (QAbstractButton* b : box->buttons()) {
          if (Plain(b->text()) != QString::fromStdString(Button)) continue;
          QPoint p = b->rect().center();
          if (QWindow* win = WindowPoint(b, p)) QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, p);
          return true;
        }
        ADD_FAILURE() << "message box has no button \"" << Button << "\"";
        box->reject();
        return true;
      },
      kComeUpMillis, "message box");
}

void AnswerFileDialog(const String& FileName, std::function<void(const String& Title)> Seen) {
  Poll(
      [FileName, Seen]() {
        // Keys go to the active window: wait until the dialog is it.
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() || QApplication::activeWindow() != dialog) return false;
        if (Seen) Seen(dialog->windowTitle().toStdString());
        QWindow* win = dialog->windowHandle();
        if (FileName.empty()) {
          QTest::keyClick(win, Qt::Key_Escape);
          return true;
        }
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        if (name == nullptr || !name->hasFocus()) {
          ADD_FAILURE() << "the file dialog's name field does not have the focus";
          dialog->reject();
          return true;
        }
        QTest::keyClick(win, Qt::Key_A, Qt::ControlModifier);
        for (char c : FileName) QTest::keyClick(win, c);
        QTest::keyClick(win, Qt::Key_Return);
        // A completion list may have taken the first Enter.
        if (dialog->isVisible() && QApplication::activeModalWidget() == dialog) QTest::keyClick(win, Qt::Key_Return);
        return true;
      },
      kComeUpMillis, "file dialog");
}

void ChoosePopupItem(const String& Caption) {
  Poll(
      [Caption]() {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr || !menu->isVisible()) return false;
        for (QAction* a : menu->actions()) {
          if (Plain(a->text()) != Plain(QString::fromStdString(Caption))) continue;
          QPoint p = menu->actionGeometry(a).center();
          if (QWindow* win = WindowPoint(menu, p)) QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, p);
          return true;
        }
        ADD_FAILURE() << "pop-up menu has no item \"" << Caption << "\"";
        menu->close();
        return true;
      },
      kComeUpMillis, "pop-up menu");
}

void WhenStarted(void (*Action)()) { qAddPreRoutine(Action); }

bool WaitFor(const std::function<bool()>& Condition, int Millis) {
  QElapsedTimer clock;
  clock.start();
  while (!Condition()) {
    if (clock.elapsed() > Millis) return false;
    Application->ProcessMessages();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

void Settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    Application->ProcessMessages();
  }
}

namespace {
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QObject* parent) : QObject(parent) {}
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++count;
    return false;
  }
};
}  // namespace

int PaintCount(TControl* Control) {
  QWidget* v = Control->View();
  if (v == nullptr) return 0;
  auto* counter = v->findChild<PaintCounter*>(QString(), Qt::FindDirectChildrenOnly);
  if (counter == nullptr) {
    counter = new PaintCounter(v);
    v->installEventFilter(counter);
  }
  return counter->count;
}

void Expose(TCustomForm* Form) {
  QWidget* w = VisibleView(Form);
  if (w == nullptr || w->windowHandle() == nullptr) return;
  QWindowSystemInterface::handleExposeEvent(w->windowHandle(), QRegion(QRect(QPoint(0, 0), w->size())));
}

bool AnyModalWindow() { return QGuiApplication::modalWindow() != nullptr; }

bool MessageBoxUp() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  return box != nullptr && box->isVisible();
}

bool IsOnScreen(TCustomForm* Form) { return Form->View() != nullptr && Form->View()->isVisible(); }

int PixelsOfColor(TControl* Control, TColor Color) {
  QWidget* v = VisibleView(Control);
  if (v == nullptr) return -1;
  const QImage image = v->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb wanted = qRgb(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((line[x] & 0xFFFFFF) == (wanted & 0xFFFFFF)) ++count;
  }
  return count;
}

int PixelsOfColorInWindow(TControl* Control, TColor Color, const TRect& Area) {
  QWidget* v = VisibleView(Control);
  if (v == nullptr) return -1;
  QWidget* window = v->window();
  const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QPoint origin = v->mapTo(window, QPoint(0, 0));
  const QRect area = QRect(origin.x() + Area.Left, origin.y() + Area.Top, Area.Width(), Area.Height()) &
                     QRect(origin, v->size()) & image.rect();
  const QRgb wanted = qRgb(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = area.left(); x <= area.right(); ++x)
      if ((line[x] & 0xFFFFFF) == (wanted & 0xFFFFFF)) ++count;
  }
  return count;
}

bool ControlOnScreen(TControl* Control) { return Control->View() != nullptr && Control->View()->isVisible(); }

TCustomForm* ActiveForm() {
  QWidget* active = QApplication::activeWindow();
  return active != nullptr ? dynamic_cast<TCustomForm*>(Views::ControlOf(active)) : nullptr;
}

bool HasFocus(TControl* Control) {
  QWidget* v = Control->View();
  return v != nullptr && v->hasFocus();
}

String ShownText(TControl* Control) {
  if (auto* combo = qobject_cast<QComboBox*>(Control->View())) return combo->currentText().toStdString();
  auto* edit = qobject_cast<QLineEdit*>(Control->View());
  return edit != nullptr ? edit->text().toStdString() : String();
}

}  // namespace RealWindows
