#include "classlib/Forms.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <QStyleFactory>
#include <memory>
#include <chrono>
#include <ctime>

#include "classlib/Menus.h"
#include "classlib/MessageLayer.h"
#include "classlib/Random.h"
#include "classlib/WinApi.h"
#include "classlib/qt/PaintGlue.h"
#include "classlib/qt/Views.h"

namespace {
TApplication& TheApplication() {
  static TApplication* app = new TApplication(nullptr);  // lives until the process ends
  return *app;
}
TScreen TheScreen;

// A clock of a few milliseconds' grain that costs a fraction of the precise one: the abort
// check inside the null models' inner loops asks it on every draw, only to learn whether the
// window system is due for its next look (every 5 ms).
int64_t CoarseMillis() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// Calls every component's Loaded, children first, as a form loader does after reading.
void LoadAll(TComponent* c) {
  for (int i = 0; i < c->ComponentCount(); ++i) LoadAll(c->Components(i));
  c->Loaded();
}
// Offers a message to every control on the form, depth first, until one answers.
bool BroadcastDeep(TWinControl* parent, TMessage& m) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->Visible()) continue;
    c->WndProc(m);
    if (m.Result != 0) return true;
    if (auto* w = dynamic_cast<TWinControl*>(c); w != nullptr && BroadcastDeep(w, m)) return true;
  }
  return false;
}
}  // namespace

TApplication* Application = &TheApplication();
TScreen* Screen = &TheScreen;

// ---------------------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  TControl::SetVisible(false);
  SetBounds(0, 0, 400, 300);
  Application->RegisterForm(this);
}

TCustomForm::~TCustomForm() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
    }
  }
  DestroyView();
  Application->UnregisterForm(this);
}

void TCustomForm::AfterConstruction() {
  LoadAll(this);
  try {
    DoCreate();
  } catch (const std::exception& e) {
    Application->HandleException(this, e);
  }
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::SetVisible(bool Value) {
  if (Value == Visible()) return;
  if (Value) {
    if (View() == nullptr && Application->ViewsEnabled()) CreateView(nullptr);
    if (!FShowing) ApplyPosition();
    FShowing = true;
    TControl::SetVisible(true);
    DoShow();
  } else {
    DoHide();
    bool wasActive = View() != nullptr && Views::IsActive(this);
    TControl::SetVisible(false);
    if (wasActive) Views::ActivateNext(this);
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::ApplyPosition() {
  switch (Position) {
    case poScreenCenter:
    case poDesktopCenter:
      SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* main = Application->MainForm();
      if (main != nullptr && main != this)
        SetBounds(main->Left() + (main->Width() - Width()) / 2, main->Top() + (main->Height() - Height()) / 2,
                  Width(), Height());
      else
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
      break;
    }
    default:
      break;
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (this == Application->MainForm()) {
    Hide();
    Application->Terminate();
    return;
  }
  if (action == caFree) {
    Hide();
    Release();
  } else {
    Hide();
  }
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone) FModalResult = mrNone;
}

int TCustomForm::ShowModal() {
  const bool headless = static_cast<bool>(Application->Hooks.ModalForm);
  if (!headless && !Application->ViewsEnabled())
    throw EInvalidOperation("Cannot show the form \"" + Name() + "\" modally without a window system");
  FModal = true;
  FModalResult = mrNone;
  Application->EnterModal();
  struct Restore {
    TCustomForm* f;
    ~Restore() {
      f->FModal = false;
      Application->LeaveModal();
    }
  } restore{this};
  // The control that had the focus gets it back when the form ends.
  HWND focusBefore = GetFocus();
  if (!headless) {
    if (View() == nullptr) CreateView(nullptr);
    Views::BeginModal(this);
  }
  Show();
  if (headless) {
    if (FModalResult == mrNone) Application->Hooks.ModalForm(this);
    // A hook that leaves the form open closes it as the window's close box would.
    if (FModalResult == mrNone) FModalResult = mrCancel;
    CloseModal();
    if (FModalResult == mrNone) FModalResult = mrCancel;
  } else {
    while (true) {
      if (FModalResult != mrNone) CloseModal();
      if (FModalResult != mrNone) break;
      Application->HandleMessage();
      if (Application->Terminated()) FModalResult = mrCancel;
    }
    Views::EndModal(this);
  }
  Hide();
  if (TWinControl* back = FindControl(focusBefore); back != nullptr && back != this && back->Showing() &&
                                                    back->CanFocus() && !ContainsControl(back)) {
    if (TCustomForm* form = back->GetParentForm()) form->FocusControl(back); else back->SetFocus();
  }
  return FModalResult;
}

void TCustomForm::Release() { PostMessage(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::SetMenu(TMainMenu* Value) {
  FMenu = Value;
  if (View() != nullptr) Views::RebuildMenu(this);
  Realign();
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (Value == FWindowState) return;
  FWindowState = Value;
  if (View() != nullptr) Views::ApplyWindowState(this);
}

TRect TCustomForm::ClientRect() const {
  int menu = FMenu != nullptr ? Views::kMenuBarHeight : 0;
  return Rect(0, 0, Width(), std::max(0, Height() - menu));
}

void TCustomForm::SetActiveControl(TWinControl* Value) {
  if (Value == nullptr || Value == this) {
    FActiveControl = nullptr;
    return;
  }
  FocusControl(Value);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (Control == nullptr || !ContainsControl(Control)) return;
  if (!Visible()) {
    // The focus moves once the form is shown; remember the control.
    FActiveControl = Control;
    return;
  }
  ::SetFocus(Control->Handle());
  if (Control->View() != nullptr) Views::GiveFocus(Control);
}

void TCustomForm::ControlGotFocus(TWinControl* Control) {
  TWinControl* old = FActiveControl;
  if (old == Control) return;
  FActiveControl = Control;
  // Exit the controls left (innermost first) that do not also contain the new control.
  for (TWinControl* c = old; c != nullptr && c != this; c = c->Parent()) {
    if (c->ContainsControl(Control)) break;
    c->Perform(CM_EXIT, 0, 0);
  }
  std::vector<TWinControl*> entered;
  for (TWinControl* c = Control; c != nullptr && c != this; c = c->Parent()) {
    if (old != nullptr && c->ContainsControl(old)) break;
    entered.push_back(c);
  }
  for (auto it = entered.rbegin(); it != entered.rend(); ++it) (*it)->Perform(CM_ENTER, 0, 0);
}

bool TCustomForm::IsShortCut(Word Key, TShiftState Shift) {
  return FMenu != nullptr && FMenu->IsShortCut(Key, Shift);
}

void TCustomForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case CM_RELEASE:
      delete this;
      return;
    case WM_COMMAND:
      if (Message.LParam == 0 && FMenu != nullptr) {
        if (TMenuItem* item = FMenu->FindItem(static_cast<UINT>(LoWord(Message.WParam)))) {
          item->Click();
          return;
        }
      }
      break;
    case CM_DIALOGKEY:
      if (Message.WParam == VK_TAB) {
        // Tab leaves the focused control: an edit still open in it ends first, and a value it
        // refuses keeps the focus where it is.
        if (HWND focus = GetFocus(); focus != nullptr && SendMessage(focus, CM_ENDEDIT, 0, 0) != 0) {
          Message.Result = 1;
          return;
        }
        TWinControl* current = FindControl(GetFocus());
        SelectNext(current, GetKeyState(VK_SHIFT) >= 0, true);
        Message.Result = 1;
        return;
      }
      // Enter and Escape go to the controls (the default and cancel buttons answer).
      if (BroadcastDeep(this, Message)) return;
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

QWidget* TCustomForm::MakeView(QWidget* ParentView) { return Views::MakeFormView(this, ParentView); }

void TCustomForm::CreateView(QWidget* ParentView) { TWinControl::CreateView(ParentView); }

void TCustomForm::UpdateView() {
  TWinControl::UpdateView();
  if (View() != nullptr) Views::ApplyFormCaption(this);
}

// ---------------------------------------------------------------------------------------
// TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() = default;

void TApplication::Initialize(int& argc, char** argv) {
  if (QCoreApplication::instance() == nullptr) FToolkit = std::make_unique<QApplication>(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QApplication::setFont(QFont("DejaVu Sans", 9));
  ExeName = argc > 0 ? argv[0] : "";
  InstallPaintGlue();
  SetViewsEnabled(true);
  Randomize();
}

void TApplication::Finalize() {
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  ForgetFormReferences();
  SetViewsEnabled(false);
  FToolkit.reset();
}

void TApplication::RegisterForm(TCustomForm* Form) { FForms.push_back(Form); }

void TApplication::UnregisterForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
  if (FMainForm == Form) FMainForm = nullptr;
}

void TApplication::Run() {
  if (FMainForm == nullptr) return;
  FTerminated = false;
  FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

void TApplication::Terminate() { FTerminated = true; }

void TApplication::ProcessMessages() {
  if (Hooks.ProcessMessages) Hooks.ProcessMessages();
  if (!MessageQueue::Empty()) MessageQueue::DeliverPosted();
  MessageQueue::FireDueTimers();
  if (Views::Count() > 0) {
    int64_t now = CoarseMillis();
    if (now - FLastPump >= 5) {
      FLastPump = now;
      PumpWindowSystem(false);
    }
  }
}

void TApplication::HandleMessage() {
  bool any = MessageQueue::DeliverPosted();
  any = MessageQueue::FireDueTimers() || any;
  if (Views::Count() > 0 || QCoreApplication::instance() != nullptr) {
    PumpWindowSystem(!any);
    FLastPump = CoarseMillis();
  }
}

bool TApplication::PumpWindowSystem(bool Wait) {
  if (QCoreApplication::instance() == nullptr) return false;
  if (Wait)
    Views::WaitForEvents(10);
  else
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  return true;
}

void TApplication::HandleException(TObject* Sender, const std::exception& E) {
  if (dynamic_cast<const EAbort*>(&E) != nullptr) return;
  if (OnException) {
    OnException(Sender, E);
    return;
  }
  ShowException(E);
}

void TApplication::ShowException(const std::exception& E) {
  String text = E.what();
  if (!text.empty() && text.back() != '.') text += '.';
  Hooks.Errors.push_back(text);
  if (Hooks.MessageBox) {
    Hooks.MessageBox(text, Title, MB_OK | MB_ICONERROR);
    return;
  }
  if (FViewsEnabled) Views::MessageBox(text, Title, MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
  Hooks.Messages.push_back(Text);
  if (Hooks.MessageBox) return Hooks.MessageBox(Text, Caption, Flags);
  if (FViewsEnabled) return Views::MessageBox(Text, Caption, Flags);
  // No person and no hook: the default button answers.
  switch (Flags & 0xF) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return (Flags & MB_DEFBUTTON2) ? IDNO : IDYES;
    case MB_RETRYCANCEL:
      return IDRETRY;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    default:
      return IDOK;
  }
}

void TApplication::HandleThreadMessage(TMessage&) {}

void TApplication::DoBeep() {
  ++Hooks.Beeps;
  if (FViewsEnabled) QApplication::beep();
}

void TApplication::BringToFront() {
  if (FMainForm != nullptr && FMainForm->View() != nullptr) Views::Raise(FMainForm);
}

void TApplication::ResetHooks() {
  Hooks = TApplicationHooks{};
  MessageQueue::Reset();
  FTerminated = false;
}

// ---------------------------------------------------------------------------------------
// TScreen

int TScreen::Width() const {
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()); app && app->primaryScreen())
    return app->primaryScreen()->geometry().width();
  return 1280;
}

int TScreen::Height() const {
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()); app && app->primaryScreen())
    return app->primaryScreen()->geometry().height();
  return 1024;
}

TCustomForm* TScreen::ActiveForm() const {
  HWND focus = GetFocus();
  if (TWinControl* c = FindControl(focus)) return c->GetParentForm();
  return Application->MainForm();
}

// ---------------------------------------------------------------------------------------
// Key input

WPARAM KeyInput(TWinControl* Target, UINT Msg, WPARAM Key, LPARAM KeyData) {
  if (Target == nullptr) return 0;
  try {
    TCustomForm* form = Target->GetParentForm();
    if (Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN) {
      TShiftState shift = KeyboardStateToShiftState();
      if (form != nullptr && form->IsShortCut(static_cast<Word>(Key), shift)) return 0;
      if (form != nullptr && form != Target && form->KeyPreview) {
        Word k = static_cast<Word>(Key);
        TMessage m{Msg, k, KeyData, 0};
        form->WndProc(m);
        Key = m.WParam;
        if (Key == 0) return 0;
      }
      // A control that asks for the key (CM_WANTSPECIALKEY) keeps it from the dialog-key
      // stage: an open drop-down takes Escape before the form's Cancel button does.
      if ((Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE) && form != nullptr &&
          Target->Perform(CM_WANTSPECIALKEY, Key, 0) == 0) {
        LRESULT code = Target->Perform(WM_GETDLGCODE, 0, 0);
        LRESULT wants = Key == VK_TAB ? (DLGC_WANTTAB | DLGC_WANTALLKEYS) : DLGC_WANTALLKEYS;
        if ((code & wants) == 0 && form->Perform(CM_DIALOGKEY, Key, 0) != 0) return 0;
      }
    }
    if (Msg == WM_CHAR && form != nullptr && form != Target && form->KeyPreview) {
      TMessage m{Msg, Key, KeyData, 0};
      form->WndProc(m);
      Key = m.WParam;
      if (Key == 0) return 0;
    }
    Target->HandleNeeded();
    TMessage m{Msg, Key, KeyData, 0};
    Target->MainWndProc(m);
    return m.WParam;
  } catch (const std::exception& e) {
    Application->HandleException(Target, e);
    return 0;
  }
}
