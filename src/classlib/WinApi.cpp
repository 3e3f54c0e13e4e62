#include "classlib/WinApi.h"

#include <QApplication>
#include <array>
#include <map>
#include <unordered_map>

#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/MessageLayer.h"
#include "classlib/SysUtils.h"

// ---------------------------------------------------------------------------------------
// Handles

namespace {
std::unordered_map<HWND, TWinControl*>& Windows() {
  static std::unordered_map<HWND, TWinControl*> windows;
  return windows;
}
uintptr_t& NextHandle() {
  static uintptr_t next = 0x100;
  return next;
}
HWND& FocusWnd() {
  static HWND focus = nullptr;
  return focus;
}
HWND& CaptureWnd() {
  static HWND capture = nullptr;
  return capture;
}
}  // namespace

HWND WindowRegistry::Register(TWinControl* Control) {
  HWND h = reinterpret_cast<HWND>(NextHandle());
  NextHandle() += 4;
  Windows()[h] = Control;
  return h;
}

void WindowRegistry::Unregister(HWND Wnd) {
  Windows().erase(Wnd);
  if (FocusWnd() == Wnd) FocusWnd() = nullptr;
  if (CaptureWnd() == Wnd) CaptureWnd() = nullptr;
}

TWinControl* WindowRegistry::Find(HWND Wnd) {
  auto it = Windows().find(Wnd);
  return it == Windows().end() ? nullptr : it->second;
}

TWinControl* FindControl(HWND Wnd) { return WindowRegistry::Find(Wnd); }
bool IsWindow(HWND Wnd) { return WindowRegistry::Find(Wnd) != nullptr; }

bool IsWindowVisible(HWND Wnd) {
  TWinControl* c = FindControl(Wnd);
  return c != nullptr && c->Showing();
}

bool IsWindowEnabled(HWND Wnd) {
  TWinControl* c = FindControl(Wnd);
  return c != nullptr && c->Enabled();
}

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr) return 0;
  TMessage m{Msg, WParam, LParam, 0};
  c->MainWndProc(m);
  return m.Result;
}

bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Wnd != nullptr && FindControl(Wnd) == nullptr) return false;
  MessageQueue::Post(Wnd, TMessage{Msg, WParam, LParam, 0});
  return true;
}

// ---------------------------------------------------------------------------------------
// Focus and capture

HWND GetFocus() { return FocusWnd(); }

HWND SetFocus(HWND Wnd) {
  HWND old = FocusWnd();
  if (Wnd == old) return old;
  if (Wnd != nullptr && FindControl(Wnd) == nullptr) return old;
  FocusWnd() = Wnd;
  if (old != nullptr) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(Wnd), 0);
  // The new owner hears of it only if it still has the focus (a kill-focus handler may move it).
  if (Wnd != nullptr && FocusWnd() == Wnd) SendMessage(Wnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

void WindowFocus::Drop() { FocusWnd() = nullptr; }

HWND GetCapture() { return CaptureWnd(); }

HWND SetCapture(HWND Wnd) {
  HWND old = CaptureWnd();
  CaptureWnd() = Wnd;
  if (old != nullptr && old != Wnd) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(Wnd));
  return old;
}

bool ReleaseCapture() {
  HWND old = CaptureWnd();
  CaptureWnd() = nullptr;
  if (old != nullptr) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  return true;
}

// ---------------------------------------------------------------------------------------
// Key state

namespace {
std::array<uint8_t, 256>& KeyTable() {
  static std::array<uint8_t, 256> table{};
  return table;
}
}  // namespace

int16_t GetKeyState(int VirtKey) {
  uint8_t s = KeyTable()[static_cast<size_t>(VirtKey & 0xFF)];
  return static_cast<int16_t>(((s & 0x80) ? 0x8000 : 0) | (s & 1));
}

int16_t GetAsyncKeyState(int VirtKey) { return GetKeyState(VirtKey); }

void SetKeyDown(int VirtKey, bool Down) {
  uint8_t& s = KeyTable()[static_cast<size_t>(VirtKey & 0xFF)];
  if (Down) {
    if (!(s & 0x80)) s ^= 1;  // a fresh press toggles
    s |= 0x80;
  } else {
    s &= static_cast<uint8_t>(~0x80);
  }
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0) s.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0) s.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
  return s;
}

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState s;
  if (Keys & MK_SHIFT) s.Include(ssShift);
  if (Keys & MK_CONTROL) s.Include(ssCtrl);
  if (Keys & MK_LBUTTON) s.Include(ssLeft);
  if (Keys & MK_RBUTTON) s.Include(ssRight);
  if (Keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

// ---------------------------------------------------------------------------------------
// Posted messages and timers

namespace {
std::deque<MessageQueue::Posted>& Queue() {
  static std::deque<MessageQueue::Posted> queue;
  return queue;
}

struct Timer {
  UINT Elapse;
  Cardinal Due;
};
std::map<std::pair<HWND, uintptr_t>, Timer>& Timers() {
  static std::map<std::pair<HWND, uintptr_t>, Timer> timers;
  return timers;
}
}  // namespace

void MessageQueue::Post(HWND Wnd, const TMessage& Message) { Queue().push_back(Posted{Wnd, Message}); }

bool MessageQueue::Empty() { return Queue().empty(); }

bool MessageQueue::DeliverPosted() {
  size_t n = Queue().size();
  bool any = false;
  for (size_t i = 0; i < n && !Queue().empty(); ++i) {
    Posted p = Queue().front();
    Queue().pop_front();
    any = true;
    if (p.Wnd == nullptr) {
      Application->HandleThreadMessage(p.Message);
    } else {
      SendMessage(p.Wnd, p.Message.Msg, p.Message.WParam, p.Message.LParam);
    }
  }
  return any;
}

bool MessageQueue::FireDueTimers() {
  if (Timers().empty()) return false;
  Cardinal now = GetTickCount();
  bool any = false;
  // Copy the keys: a WM_TIMER handler may set or kill timers.
  std::vector<std::pair<HWND, uintptr_t>> due;
  for (auto& [key, t] : Timers())
    if (static_cast<int32_t>(now - t.Due) >= 0) due.push_back(key);
  for (auto& key : due) {
    auto it = Timers().find(key);
    if (it == Timers().end()) continue;
    it->second.Due = now + it->second.Elapse;
    any = true;
    SendMessage(key.first, WM_TIMER, key.second, 0);
  }
  return any;
}

void MessageQueue::Reset() {
  Queue().clear();
  Timers().clear();
}

uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, UINT Elapse) {
  if (Wnd == nullptr || FindControl(Wnd) == nullptr) return 0;
  if (Elapse < 1) Elapse = 1;
  Timers()[{Wnd, IDEvent}] = Timer{Elapse, GetTickCount() + Elapse};
  return IDEvent;
}

bool KillTimer(HWND Wnd, uintptr_t IDEvent) { return Timers().erase({Wnd, IDEvent}) > 0; }

UINT RegisterWindowMessage(const String& Name) {
  static std::map<String, UINT> names;
  auto it = names.find(Name);
  if (it != names.end()) return it->second;
  UINT id = 0xC000 + static_cast<UINT>(names.size());
  names[Name] = id;
  return id;
}

void MessageBeep(UINT) { Application->DoBeep(); }
void Beep() { Application->DoBeep(); }
