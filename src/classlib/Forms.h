// Forms, the application object and the screen.
//
// Every form is created once and lives until its owner frees it. ShowModal runs a nested
// message loop until ModalResult is set; headless, a test hook acts on the form instead of a
// person (see TApplicationHooks), so nothing waits.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/Controls.h"

class TMainMenu;
class TMenuItem;
class QApplication;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  void AfterConstruction() override;

  void Show();
  void Hide();
  // Shows the form modally and returns its ModalResult once it is closed.
  virtual int ShowModal();
  // Asks OnCloseQuery, then runs OnClose and hides (or ends the modal loop with mrCancel).
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the messages being handled now are done.
  void Release();

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool IsModal() const { return FModal; }

  void SetVisible(bool Value) override;

  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Value);
  // Gives the focus to Control (a control of this form), as a click on it would.
  void FocusControl(TWinControl* Control);
  // Called when a control of this form receives the focus: moves ActiveControl, runs
  // OnExit of the controls left and OnEnter of the controls entered.
  void ControlGotFocus(TWinControl* Control);

  // Keys: a shortcut of the form's menu runs its item; then KeyPreview lets the form see the
  // key before the focused control does.
  bool IsShortCut(Word Key, TShiftState Shift);
  bool KeyPreview = false;

  TPosition Position = poDesigned;
  TFormBorderStyle BorderStyle = bsSizeable;
  TFormStyle FormStyle = fsNormal;
  // Maximised or minimised from code: the window follows (when shown, or once it is);
  // a change by the window manager comes back here.
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);

  TRect ClientRect() const override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  void WndProc(TMessage& Message) override;

  // Real windows: makes the top-level view and the views of every control.
  void CreateView(QWidget* ParentView) override;
  void UpdateView() override;

 protected:
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  QWidget* MakeView(QWidget* ParentView) override;
  // Places the form by its Position before it is first shown.
  void ApplyPosition();

 private:
  void CloseModal();

  TModalResult FModalResult = mrNone;
  TWindowState FWindowState = wsNormal;
  bool FModal = false;
  bool FShowing = false;
  TMainMenu* FMenu = nullptr;
  TWinControl* FActiveControl = nullptr;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// What a test installs so that nothing waits for a person or leaves the process.
struct TShellRequest {
  String Verb;
  String File;
  String Parameters;
  String Directory;
  int ShowCmd = 0;
};

class TCommonDialog;

struct TApplicationHooks {
  // Acts on a form shown modally in place of a person (sets controls, runs its command,
  // closes it). Without it the real modal loop runs.
  std::function<void(TCustomForm* Form)> ModalForm;
  // Answers a message box (the IDxxx of the button pressed). Without it the real box runs.
  std::function<int(const String& Text, const String& Caption, UINT Flags)> MessageBox;
  // Answers a file or folder dialog: fill in its file name (or folder) and return true, or
  // return false for Cancel. Without it the real dialog runs.
  std::function<bool(TCommonDialog* Dialog)> FileDialog;
  // Answers a shell request (returns the shell's result; 32 or more is success).
  std::function<int(const TShellRequest& Request)> Shell;
  // Runs inside every ProcessMessages call (a test presses "Abort" at call k here).
  std::function<void()> ProcessMessages;

  // Records.
  std::vector<String> Messages;        // texts of every message box, in order
  std::vector<String> Errors;          // texts shown by the application's error box
  std::vector<TShellRequest> ShellRequests;
  int Beeps = 0;
};

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Starts the window system for a program with real windows: the application object of the
  // toolkit, the fixed look (Fusion style, DejaVu Sans 9), real views for every form, and the
  // random source seeded from the clock as the runtime does at start-up. Call once, first.
  void Initialize(int& argc, char** argv);
  // Ends what Initialize started, before the program's main returns: frees every component
  // the application owns, the last created first (the main form last, as the other forms
  // may read it while they go), then the toolkit's application object, so that nothing of
  // the window system is left for the static destructors.
  void Finalize();
  // Creates a form owned by the application: the reference is set before OnCreate runs, and
  // the first form created becomes the main form.
  template <typename T>
  void CreateForm(T*& Reference) {
    T* form = new T(this);
    Reference = form;
    FFormReferences.push_back([&Reference] { Reference = nullptr; });
    if (FMainForm == nullptr) FMainForm = form;
    form->AfterConstruction();
  }
  // Sets every form variable that CreateForm filled back to nullptr, for a caller that has
  // freed the forms (a test that starts the program afresh).
  void ForgetFormReferences() {
    for (auto& forget : FFormReferences) forget();
    FFormReferences.clear();
  }
  // Shows the main form and runs the message loop until the main form closes.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }

  // Lets pending messages run: posted messages, due timers, the test hook and, every few
  // milliseconds, the window system's events. Cheap when nothing is pending.
  void ProcessMessages();
  // Waits for and handles the next message (the modal and main loops).
  void HandleMessage();

  // Shows an error that escaped a command in the error box; the program goes on.
  void HandleException(TObject* Sender, const std::exception& E);
  void ShowException(const std::exception& E);
  std::function<void(TObject* Sender, const std::exception& E)> OnException;

  // A message box with the given MB_xxx flags; returns the IDxxx of the button pressed.
  int MessageBox(const String& Text, const String& Caption, UINT Flags);

  // Sends a posted message that has no window to the application.
  void HandleThreadMessage(TMessage& Message);

  void DoBeep();
  void BringToFront();

  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Form) { FMainForm = Form; }
  String Title;
  String ExeName;
  String HelpFile;

  // Whether forms get real windows when shown. Off in tests unless a test turns it on.
  bool ViewsEnabled() const { return FViewsEnabled; }
  void SetViewsEnabled(bool Value) { FViewsEnabled = Value; }

  TApplicationHooks Hooks;
  // Forgets hooks, records, posted messages and timers (tests start clean).
  void ResetHooks();

  // The forms that exist, in creation order.
  const std::vector<TCustomForm*>& Forms() const { return FForms; }
  void RegisterForm(TCustomForm* Form);
  void UnregisterForm(TCustomForm* Form);
  int ModalLevel() const { return FModalLevel; }
  void EnterModal() { ++FModalLevel; }
  void LeaveModal() { --FModalLevel; }

 private:
  bool PumpWindowSystem(bool Wait);

  std::unique_ptr<QApplication> FToolkit;  // made by Initialize when no test made one
  TCustomForm* FMainForm = nullptr;
  std::vector<std::function<void()>> FFormReferences;
  bool FTerminated = false;
  bool FViewsEnabled = false;
  int FModalLevel = 0;
  int64_t FLastPump = 0;
  std::vector<TCustomForm*> FForms;
};

extern TApplication* Application;

class TScreen {
 public:
  int Width() const;
  int Height() const;
  TCustomForm* ActiveForm() const;
  TCursor Cursor = crDefault;
  int PixelsPerInch() const { return 96; }
};

extern TScreen* Screen;

// Delivers a key message as real input does: on a key press the form's menu shortcuts come
// first, then the form itself when it previews keys, then the dialog-key stage (Tab moves
// between controls unless the control wants it), and finally the target control.
// Errors that escape reach the application's error box. Returns the key as the target's
// handlers left it: 0 when a stage or a handler consumed it. KeyData is the message's LParam
// (bit 22 marks a key of the numeric keypad).
WPARAM KeyInput(TWinControl* Target, UINT Msg, WPARAM Key, LPARAM KeyData = 0);

// Message-box flags.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_DEFBUTTON2 = 0x100;
