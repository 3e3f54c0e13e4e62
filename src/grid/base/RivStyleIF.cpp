#include "grid/base/RivStyleIF.h"

#include "classlib/PlatformInfo.h"
#include "classlib/WinApi.h"
#include "grid/base/RivXPVS.h"

namespace {

const String kOffice2010Key = "Software\\Microsoft\\Office\\14.0\\Common";
const String kOffice2007Key = "Software\\Microsoft\\Office\\12.0\\Common";
constexpr int kFilterValueChanges = 4;
constexpr int kFilterEverything = 15;

TThemeNotifier*& ProcessNotifier() {
  static TThemeNotifier* notifier = nullptr;
  return notifier;
}

bool HasKey(const String& Key) {
  TRegistry reg;
  reg.RootKey = HKEY_CURRENT_USER;
  return reg.KeyExists(Key);
}

}  // namespace

bool IsComCtl6() {
  const Cardinal major = PlatformInfo().ComCtlMajorVersion;
  return major != 0xFFFFFFFFu && major > 5;
}

bool IsVistaOrLater() { return PlatformInfo().HasGetLocaleInfoEx; }

bool IsWinXPOrLater() {
  const TPlatformInfo& info = PlatformInfo();
  return info.WindowsMajor > 5 || (info.WindowsMajor == 5 && info.WindowsMinor >= 1);
}

int InstalledOfficeVersion() {
  if (HasKey("Software\\Microsoft\\Office\\14.0\\Common\\General")) return 2;
  if (HasKey("Software\\Microsoft\\Office\\12.0\\Common\\General")) return 1;
  return 0;
}

int ReadOfficeThemeValue(const String& Key) {
  TRegistry reg;
  reg.RootKey = HKEY_CURRENT_USER;
  if (!reg.OpenKeyReadOnly(Key) || !reg.ValueExists("Theme")) return -1;
  try {
    return reg.ReadInteger("Theme");
  } catch (const ERegistryException&) {
    // A value of another type says nothing about the theme.
    return -1;
  }
}

int DetectXPColorScheme() {
  if (!IsWinXPOrLater()) return 0;
  TXPVSBinding uxtheme;
  BindThemeLibrary(uxtheme);
  int scheme = 0;
  if (uxtheme.IsThemeActive && uxtheme.IsThemeActive() && IsComCtl6() && uxtheme.GetCurrentThemeName) {
    String fileName, colorName, sizeName;
    uxtheme.GetCurrentThemeName(fileName, colorName, sizeName);
    if (colorName.find("NormalColor") != String::npos) scheme = 1;
    else if (colorName.find("HomeStead") != String::npos) scheme = 2;
    else if (colorName.find("Metallic") != String::npos) scheme = 3;
  }
  UnbindThemeLibrary(uxtheme);
  return scheme;
}

TOfficeTheme CurrentOfficeTheme() {
  int theme = ReadOfficeThemeValue(kOffice2010Key);
  switch (theme) {
    case 1: return ot2010Blue;
    case 2: return ot2010Silver;
    case 3: return ot2010Black;
  }
  if (theme == -1) {
    theme = ReadOfficeThemeValue(kOffice2007Key);
    switch (theme) {
      case 1: return ot2007Blue;
      case 2: return ot2007Silver;
      case 3: return ot2007Black;
    }
    if (theme == -1) {
      switch (DetectXPColorScheme()) {
        case 0: return ot2003Classic;
        case 2: return ot2003Olive;
        case 3: return ot2003Silver;
      }
    }
  }
  return ot2003Blue;
}

// ---- THandleList --------------------------------------------------------------------------

void THandleList::DeleteValue(HWND Value) {
  const int index = IndexOf(Value);
  if (index >= 0) Delete(index);
}

// ---- TRegMonitorThread --------------------------------------------------------------------

TRegMonitorThread::TRegMonitorThread()
    : FReg(std::make_unique<TRegistry>()), FWinList(std::make_unique<THandleList>()) {}

TRegMonitorThread::~TRegMonitorThread() { Stop(); }

int TRegMonitorThread::Filter() {
  if (FFilter == 0) FFilter = kFilterEverything;
  return FFilter;
}

void TRegMonitorThread::Start() {
  if (FWatch != 0 || FTerminated) return;
  FReg->RootKey = FRootKey;
  // A key that cannot be opened ends the monitoring; nobody is told.
  if (!FReg->OpenKeyReadOnly(FKey)) return;
  if ((Filter() & kFilterValueChanges) == 0) return;  // the stand-in reports value changes only
  FWatch = TRegistry::AddChangeWatch(FRootKey, FKey, FWatchSub, [this] { KeyChanged(); });
}

void TRegMonitorThread::Stop() {
  FTerminated = true;
  if (FWatch != 0) TRegistry::RemoveChangeWatch(FWatch);
  FWatch = 0;
}

void TRegMonitorThread::KeyChanged() {
  if (FTerminated) return;
  const auto wParam = static_cast<WPARAM>(FRootKey);
  const auto lParam = reinterpret_cast<LPARAM>(&FKey);
  if (FWnd) SendMessage(FWnd, WM_OFFICETHEMECHANGE, wParam, lParam);
  // A window may unregister while it handles the message: walk a copy.
  std::vector<HWND> windows;
  for (int i = 0; i < FWinList->Count(); ++i) windows.push_back(FWinList->Items(i));
  for (HWND wnd : windows) SendMessage(wnd, WM_OFFICETHEMECHANGE, wParam, lParam);
}

// ---- Notifier -----------------------------------------------------------------------------

void TThemeNotifierWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_OFFICETHEMECHANGE && OnOfficeThemeChange) OnOfficeThemeChange(this);
  TWinControl::WndProc(Message);
}

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner) {
  if (AOwner && AOwner->ComponentState().Contains(csDesigning)) return;
  const int version = InstalledOfficeVersion();
  if (version != 1 && version != 2) return;
  auto* parent = dynamic_cast<TWinControl*>(AOwner);
  if (!parent) return;  // the window needs a windowed parent
  FNotifier = new TThemeNotifierWindow(this);
  FNotifier->SetVisible(false);
  FNotifier->SetParent(parent);
  FNotifier->OnOfficeThemeChange = [this](TObject*) {
    if (OnOfficeThemeChange) OnOfficeThemeChange(this);
  };
  FRegMonitorThread = std::make_unique<TRegMonitorThread>();
  FRegMonitorThread->SetWnd(FNotifier->Handle());
  FRegMonitorThread->SetFilter(kFilterValueChanges);
  FRegMonitorThread->SetKey(version == 2 ? kOffice2010Key : kOffice2007Key);
  FRegMonitorThread->SetRootKey(HKEY_CURRENT_USER);
  FRegMonitorThread->SetWatchSub(true);
  FRegMonitorThread->Start();
}

TThemeNotifier::~TThemeNotifier() {
  if (FRegMonitorThread) FRegMonitorThread->Stop();
  FRegMonitorThread.reset();
  // Later grids must get a new notifier, not this freed one.
  if (ProcessNotifier() == this) ProcessNotifier() = nullptr;
}

void TThemeNotifier::RegisterWindow(HWND Hwnd) {
  if (FRegMonitorThread && !FRegMonitorThread->WinList()->HasValue(Hwnd)) FRegMonitorThread->WinList()->Add(Hwnd);
}

void TThemeNotifier::UnRegisterWindow(HWND Hwnd) {
  if (FRegMonitorThread) FRegMonitorThread->WinList()->DeleteValue(Hwnd);
}

TThemeNotifier* GetThemeNotifier(TComponent* AOwner) {
  if (!ProcessNotifier()) ProcessNotifier() = New<TThemeNotifier>(AOwner);
  return ProcessNotifier();
}
