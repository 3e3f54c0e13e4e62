// Looks and office themes: the look enumerations, the system queries the looks depend on, the
// detection of the office suite's colour theme from the registry and of the visual style's
// colour scheme, and a notifier that tells registered windows when the office theme changes.
#pragma once

#include <memory>

#include "classlib/Component.h"
#include "classlib/Controls.h"
#include "classlib/Lists.h"
#include "classlib/Registry.h"

enum TVAVStyle { tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
                 tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista,
                 tsWindows7, tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black };

// The component-style interface: a control that takes a look through it (the grid and the
// drop-down edits) answers SetComponentStyle with its own virtual operation of that name.
class IComponentStyle {
 public:
  virtual ~IComponentStyle() = default;
  virtual void SetComponentStyle(TVAVStyle AStyle) = 0;
};

enum TOfficeTheme { ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black,
                    ot2010Blue, ot2010Silver, ot2010Black, otUnknown };

// Sent to registered windows when the office theme changes: WParam the monitored root key,
// LParam a pointer to the monitored key's path (a String).
constexpr UINT WM_OFFICETHEMECHANGE = 0x0BB1;

bool IsComCtl6();
bool IsVistaOrLater();
bool IsWinXPOrLater();
// 2 for the 2010 office suite, 1 for 2007, 0 for none of them.
int InstalledOfficeVersion();
// The integer "Theme" value of the key under HKEY_CURRENT_USER; -1 when the key or the value
// is missing or the value is not an integer.
int ReadOfficeThemeValue(const String& Key);
// 1 "NormalColor", 2 "HomeStead", 3 "Metallic"; 0 for the classic look or another scheme.
int DetectXPColorScheme();
TOfficeTheme CurrentOfficeTheme();

// Window handles.
class THandleList : public TList {
 public:
  HWND Items(int Index) const { return static_cast<HWND>(TList::Get(Index)); }
  int Add(HWND Value) { return TList::Add(Value); }
  void Insert(int Index, HWND Value) { TList::Insert(Index, Value); }
  void Delete(int Index) { TList::Delete(Index); }
  // Removes the first occurrence, if any.
  void DeleteValue(HWND Value);
  bool HasValue(HWND Value) const { return IndexOf(Value) >= 0; }
};

// Watches a registry key and sends WM_OFFICETHEMECHANGE to Wnd and then to every window of
// WinList, in list order, when a value under the key changes. The registry stand-in reports
// changes on the thread that makes them, so the sends run there and the window list needs no
// lock; a key that cannot be opened ends the monitoring before it starts.
class TRegMonitorThread : public TObject {
 public:
  TRegMonitorThread();
  ~TRegMonitorThread() override;
  TRegMonitorThread(const TRegMonitorThread&) = delete;
  TRegMonitorThread& operator=(const TRegMonitorThread&) = delete;

  const String& Key() const { return FKey; }
  void SetKey(const String& Value) { FKey = Value; }
  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value) { FRootKey = Value; }
  bool WatchSub() const { return FWatchSub; }
  void SetWatchSub(bool Value) { FWatchSub = Value; }
  // A filter never set reads as 15 (every kind of change).
  int Filter();
  void SetFilter(int Value) { FFilter = Value; }
  HWND Wnd() const { return FWnd; }
  void SetWnd(HWND Value) { FWnd = Value; }
  THandleList* WinList() const { return FWinList.get(); }

  void Start();
  void Stop();
  // Watching (started, the key opened, not stopped).
  bool Running() const { return FWatch != 0; }

 private:
  void KeyChanged();

  std::unique_ptr<TRegistry> FReg;
  String FKey;
  HKEY FRootKey = HKEY_CURRENT_USER;
  bool FWatchSub = false;
  int FFilter = 0;
  HWND FWnd = nullptr;
  std::unique_ptr<THandleList> FWinList;
  int FWatch = 0;
  bool FTerminated = false;
};

// The hidden window the monitor sends its message to.
class TThemeNotifierWindow : public TWinControl {
 public:
  using TWinControl::TWinControl;
  void WndProc(TMessage& Message) override;
  TNotifyEvent OnOfficeThemeChange;
};

class TThemeNotifier : public TComponent {
 public:
  explicit TThemeNotifier(TComponent* AOwner);
  ~TThemeNotifier() override;

  void RegisterWindow(HWND Hwnd);
  void UnRegisterWindow(HWND Hwnd);
  TRegMonitorThread* RegMonitorThread() const { return FRegMonitorThread.get(); }
  TThemeNotifierWindow* NotifierWindow() const { return FNotifier; }

  TNotifyEvent OnOfficeThemeChange;

 private:
  TThemeNotifierWindow* FNotifier = nullptr;  // owned as a component
  std::unique_ptr<TRegMonitorThread> FRegMonitorThread;
};

// The process-wide notifier, created with AOwner (the asking grid) as its owner on the first
// call, and again after the one before was freed with its owner.
TThemeNotifier* GetThemeNotifier(TComponent* AOwner);
