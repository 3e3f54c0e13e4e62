// The form, message and menu behaviours the program's commands rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "classlib/WinApi.h"

namespace {

struct Recorder : TForm {
  explicit Recorder(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) { log += "create;"; };
    OnShow = [this](TObject*) { log += "show;"; };
    OnClose = [this](TObject*, TCloseAction&) { log += "close;"; };
  }
  String log;
};

struct Probe;
Probe* ProbeForm = nullptr;
struct Probe : TForm {
  explicit Probe(TComponent* o) : TForm(o) { OnCreate = [this](TObject*) { seen = ProbeForm; }; }
  Probe* seen = nullptr;
};

TEST(Forms, CreateFormSetsTheReferenceBeforeOnCreateRuns) {
  Application->CreateForm(ProbeForm);
  EXPECT_EQ(ProbeForm->seen, ProbeForm);
  delete ProbeForm;
}

TEST(Forms, ModalFormsNestAndRunTheirEventsInOrder) {
  auto outer = std::unique_ptr<Recorder>(New<Recorder>(nullptr));
  auto inner = std::unique_ptr<Recorder>(New<Recorder>(nullptr));
  std::vector<String> order;
  Application->Hooks.ModalForm = [&](TCustomForm* f) {
    order.push_back(f == outer.get() ? "outer" : "inner");
    if (f == outer.get()) {
      EXPECT_EQ(inner->ShowModal(), mrOk);
      outer->Close();
    } else {
      f->SetModalResult(mrOk);
    }
  };
  EXPECT_EQ(outer->ShowModal(), mrCancel);
  EXPECT_EQ(order, (std::vector<String>{"outer", "inner"}));
  EXPECT_EQ(outer->log, "create;show;close;");
  EXPECT_EQ(inner->log, "create;show;close;");
  EXPECT_FALSE(outer->Visible());
}

TEST(Forms, AFormClosedInOnShowReturnsAtOnceWithoutTheHook) {
  auto form = std::unique_ptr<Recorder>(New<Recorder>(nullptr));
  form->OnShow = [&](TObject*) { form->Close(); };
  bool hookRan = false;
  Application->Hooks.ModalForm = [&](TCustomForm*) { hookRan = true; };
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_FALSE(hookRan);
  EXPECT_EQ(form->log, "create;close;");
}

TEST(Forms, CloseQueryCanRefuseANonModalClose) {
  auto form = std::unique_ptr<Recorder>(New<Recorder>(nullptr));
  form->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
  form->Show();
  form->Close();
  EXPECT_TRUE(form->Visible());
  form->OnCloseQuery = nullptr;
  SendMessage(form->Handle(), WM_CLOSE, 0, 0);  // the close box
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->log, "create;show;close;");
}

TForm* FirstForm = nullptr;
TForm* SecondForm = nullptr;
TForm* ThirdForm = nullptr;

TEST(Forms, FinalizeFreesTheFormsLastCreatedFirstWhileTheMainFormIsStillThere) {
  Application->CreateForm(FirstForm);
  Application->CreateForm(SecondForm);
  Application->CreateForm(ThirdForm);
  ASSERT_EQ(Application->MainForm(), FirstForm);
  std::vector<String> order;
  const std::pair<TForm*, String> named[] = {{FirstForm, "first"}, {SecondForm, "second"}, {ThirdForm, "third"}};
  for (const auto& [form, name] : named)
    form->OnDestroy = [&order, name](TObject*) {
      order.push_back(Application->MainForm() == FirstForm ? name : name + " after the main form");
    };
  Application->Finalize();
  EXPECT_EQ(order, (std::vector<String>{"third", "second", "first"}));
  EXPECT_EQ(Application->ComponentCount(), 0);
  EXPECT_TRUE(Application->Forms().empty());
  EXPECT_EQ(Application->MainForm(), nullptr);
  EXPECT_EQ(FirstForm, nullptr);
  EXPECT_EQ(ThirdForm, nullptr);
}

TEST(Messages, PostedMessagesWaitForProcessMessages) {
  struct Counter : TWinControl {
    using TWinControl::TWinControl;
    void WndProc(TMessage& m) override {
      if (m.Msg == WM_USER + 1) received.push_back(m.WParam);
      TWinControl::WndProc(m);
    }
    std::vector<WPARAM> received;
  } target(nullptr);
  ASSERT_TRUE(PostMessage(target.Handle(), WM_USER + 1, 7, 0));
  ASSERT_TRUE(PostMessage(target.Handle(), WM_USER + 1, 8, 0));
  EXPECT_TRUE(target.received.empty());
  Application->ProcessMessages();
  EXPECT_EQ(target.received, (std::vector<WPARAM>{7, 8}));
  EXPECT_FALSE(PostMessage(reinterpret_cast<HWND>(0x3), WM_USER, 0, 0));
}

TEST(Messages, AnErrorEscapingACommandIsShownAndTheProgramGoesOn) {
  auto form = std::unique_ptr<TForm>(New<TForm>(nullptr));
  auto* menu = New<TMainMenu>(form.get());
  form->SetMenu(menu);
  TMenuItem* file = menu->Items()->AddItem("&File");
  int ran = 0;
  TMenuItem* bad = file->AddItem("&Bad", ShortCut('B', {ssCtrl}), [](TObject*) { throw EConvertError("File is empty"); });
  TMenuItem* good = file->AddItem("&Good", scNone, [&](TObject*) { ++ran; });
  SendMessage(form->Handle(), WM_COMMAND, bad->Command(), 0);
  SendMessage(form->Handle(), WM_COMMAND, good->Command(), 0);
  EXPECT_EQ(Application->Hooks.Errors, (std::vector<String>{"File is empty."}));
  EXPECT_EQ(ran, 1);
}

TEST(Menus, ShortcutsRunEnabledItemsThroughTheFormsKeyStage) {
  auto form = std::unique_ptr<TForm>(New<TForm>(nullptr));
  auto* edit = New<TEdit>(form.get());
  edit->SetParent(form.get());
  auto* menu = New<TMainMenu>(form.get());
  form->SetMenu(menu);
  int runs = 0;
  TMenuItem* item = menu->Items()->AddItem("&Edit")->AddItem("&New", ShortCut('N', {ssCtrl}), [&](TObject*) { ++runs; });
  form->Show();
  SetKeyDown(VK_CONTROL, true);
  KeyInput(edit, WM_KEYDOWN, 'N');
  item->SetEnabled(false);
  KeyInput(edit, WM_KEYDOWN, 'N');
  SetKeyDown(VK_CONTROL, false);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(ShortCutToText(item->ShortCut()), "Ctrl+N");
  EXPECT_EQ(TextToShortCut("F1"), VK_F1);
  EXPECT_EQ(StripHotkey("lock &Row && titles"), "lock Row & titles");
}

TEST(Focus, MovingTheFocusRunsExitAndEnterAndTabFollowsTabOrder) {
  auto form = std::unique_ptr<TForm>(New<TForm>(nullptr));
  auto* a = New<TEdit>(form.get());
  auto* b = New<TEdit>(form.get());
  a->SetParent(form.get());
  b->SetParent(form.get());
  a->TabOrder = 0;
  b->TabOrder = 1;
  String log;
  a->OnExit = [&](TObject*) { log += "exit a;"; };
  b->OnEnter = [&](TObject*) { log += "enter b;"; };
  form->Show();
  a->SetFocus();
  EXPECT_TRUE(a->Focused());
  KeyInput(a, WM_KEYDOWN, VK_TAB);
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(form->ActiveControl(), b);
  EXPECT_EQ(log, "exit a;enter b;");
}

TEST(Edit, TypingHeadlessEditsTheTextAndRunsOnChange) {
  auto form = std::unique_ptr<TForm>(New<TForm>(nullptr));
  auto* edit = New<TEdit>(form.get());
  edit->SetParent(form.get());
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetText("12");
  edit->SetSelStart(2);
  for (char c : String("3x")) KeyInput(edit, WM_CHAR, static_cast<unsigned char>(c));
  KeyInput(edit, WM_CHAR, '\b');
  EXPECT_EQ(edit->Text(), "123");
  EXPECT_EQ(changes, 4);
}

// A painted control that records the messages it receives, and can refuse to paint.
class TRecordingControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<UINT> Seen;
  TPoint LastSize;
  bool Painted = false;
  bool RefusePaint = false;
  void WndProc(TMessage& Message) override {
    Seen.push_back(Message.Msg);
    if (Message.Msg == WM_SIZE) LastSize = Point(SmallIntLo(Message.LParam), SmallIntHi(Message.LParam));
    if (Message.Msg == WM_PAINT && RefusePaint) return;
    TCustomControl::WndProc(Message);
  }

 protected:
  void Paint() override { Painted = true; }
};

TEST(Messages, SizePaintAndRedrawReachTheControlAsMessages) {
  std::unique_ptr<TRecordingControl> c(New<TRecordingControl>(nullptr));
  c->SetBounds(0, 0, 50, 30);
  EXPECT_EQ(c->LastSize, Point(50, 30));
  c->SetBounds(5, 5, 50, 30);  // moved only: no WM_SIZE
  EXPECT_EQ(std::count(c->Seen.begin(), c->Seen.end(), WM_SIZE), 1);

  TBitmap bitmap(50, 30);
  c->RefusePaint = true;
  c->PaintTo(bitmap.Canvas());
  EXPECT_FALSE(c->Painted);  // a control that takes WM_PAINT itself decides
  c->RefusePaint = false;
  c->PaintTo(bitmap.Canvas());
  EXPECT_TRUE(c->Painted);

  c->Perform(WM_SETREDRAW, 0, 0);
  c->Invalidate();  // no view here: it is enough that switching redraw off and on is harmless
  c->Perform(WM_SETREDRAW, 1, 0);
  c->Invalidate();
}

TEST(Edit, ABalloonTipIsKeptUntilHidden) {
  std::unique_ptr<TEdit> edit(New<TEdit>(nullptr));
  EDITBALLOONTIP tip;
  tip.pszTitle = "Title";
  tip.pszText = "Text";
  tip.ttiIcon = TTI_ERROR;
  EXPECT_EQ(edit->Perform(EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)), 1);
  EXPECT_EQ(edit->BalloonTitle(), "Title");
  EXPECT_EQ(edit->BalloonText(), "Text");
  EXPECT_EQ(edit->BalloonIcon(), TTI_ERROR);
  edit->Perform(EM_HIDEBALLOONTIP, 0, 0);
  EXPECT_EQ(edit->BalloonText(), "");
}

}  // namespace
