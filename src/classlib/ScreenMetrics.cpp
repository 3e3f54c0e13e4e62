#include "classlib/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <climits>

namespace {

std::optional<TScreenMetrics>& Installed() {
  static std::optional<TScreenMetrics> metrics;
  return metrics;
}

QGuiApplication* GuiApp() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()); }

TRect ToRect(const QRect& r) { return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); }

TScreenMetrics CurrentMetrics() {
  if (Installed()) return *Installed();
  TScreenMetrics m;
  if (QGuiApplication* app = GuiApp(); app != nullptr && app->primaryScreen() != nullptr) {
    QScreen* s = app->primaryScreen();
    m.Width = s->geometry().width();
    m.Height = s->geometry().height();
    m.WorkArea = ToRect(s->availableGeometry());
  }
  return m;
}

}  // namespace

void SetScreenMetrics(std::optional<TScreenMetrics> Metrics) { Installed() = std::move(Metrics); }

int GetSystemMetrics(int Index) {
  switch (Index) {
    case SM_CXSCREEN: return CurrentMetrics().Width;
    case SM_CYSCREEN: return CurrentMetrics().Height;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 17;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    default: return 0;
  }
}

TRect MonitorWorkAreaFromPoint(TPoint P) {
  if (Installed()) return Installed()->WorkArea;
  QGuiApplication* app = GuiApp();
  if (app == nullptr || app->screens().isEmpty()) return CurrentMetrics().WorkArea;
  QScreen* best = nullptr;
  long long bestDistance = LLONG_MAX;
  for (QScreen* s : app->screens()) {
    QRect g = s->geometry();
    long long dx = P.X < g.left() ? g.left() - P.X : P.X > g.right() ? P.X - g.right() : 0;
    long long dy = P.Y < g.top() ? g.top() - P.Y : P.Y > g.bottom() ? P.Y - g.bottom() : 0;
    long long d = dx * dx + dy * dy;
    if (d < bestDistance) {
      bestDistance = d;
      best = s;
    }
  }
  return ToRect(best->availableGeometry());
}

bool SystemParametersInfo(int Action, int, void* PvParam, int) {
  if (Action != SPI_GETWORKAREA || PvParam == nullptr) return false;
  *static_cast<TRect*>(PvParam) = CurrentMetrics().WorkArea;
  return true;
}
