// The choice controls' contract: which changes run handlers, and what out-of-range values read.
#include <gtest/gtest.h>

#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/WinApi.h"

namespace {

void ClickAt(TControl* c, int x = 2, int y = 2) {
  c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
  c->Perform(WM_LBUTTONUP, 0, MakeLParam(x, y));
}

struct Dialog : TForm {
  explicit Dialog(TComponent* owner) : TForm(owner) {}
};

TEST(RadioGroup, SettingADifferentItemFromCodeRunsOnClickLikeAPersonsClick) {
  std::unique_ptr<TForm> form(New<Dialog>(nullptr));
  auto* group = New<TRadioGroup>(form.get());
  group->SetParent(form.get());
  group->Items()->SetText("Equiprobable\r\nProportional\r\nUser-defined\r\n");
  std::vector<int> clicks;
  group->OnClick = [&](TObject*) { clicks.push_back(group->ItemIndex()); };

  group->SetItemIndex(1);
  group->SetItemIndex(1);  // the item already selected: nothing
  ClickAt(group->Buttons(2));
  ClickAt(group->Buttons(2));  // a click on the selected item: nothing
  group->SetItemIndex(-1);     // no item: nothing runs
  group->SetItemIndex(7);      // past the end selects the last item
  EXPECT_EQ(clicks, (std::vector<int>{1, 2, 2}));
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_TRUE(group->Buttons(2)->Checked());
  EXPECT_FALSE(group->Buttons(1)->Checked());
}

TEST(RadioGroup, AHandlerMayShowAModalFormAndResetTheGroup) {
  std::unique_ptr<TForm> form(New<Dialog>(nullptr));
  std::unique_ptr<TForm> editor(New<Dialog>(nullptr));
  auto* group = New<TRadioGroup>(form.get());
  group->SetParent(form.get());
  group->Items()->SetText("Equiprobable\r\nUser-defined");
  auto* edit = New<TButton>(form.get());
  edit->SetParent(form.get());
  group->OnClick = [&](TObject*) {
    edit->SetVisible(group->ItemIndex() == 1);
    if (group->ItemIndex() == 1 && editor->ShowModal() != mrOk) {
      ShowMessage("Resetting defaults!");
      group->SetItemIndex(0);  // re-entrant: runs this handler again
    }
  };
  Application->Hooks.ModalForm = [](TCustomForm* f) { f->Close(); };
  group->SetItemIndex(1);
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_FALSE(edit->Visible());
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Resetting defaults!"}));
}

TEST(RadioGroup, EnabledAppliesToEveryButtonAndColumnsArrangeThem) {
  std::unique_ptr<TForm> form(New<Dialog>(nullptr));
  auto* group = New<TRadioGroup>(form.get());
  group->SetParent(form.get());
  group->SetBounds(0, 0, 210, 100);
  group->SetColumns(2);
  group->Items()->SetText("a\nb\nc\nd");
  group->OnClick = [](TObject*) { FAIL() << "a disabled group takes no clicks"; };
  group->SetEnabled(false);
  for (int i = 0; i < group->ButtonCount(); ++i) EXPECT_FALSE(group->Buttons(i)->Enabled());
  ClickAt(group->Buttons(1));
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(group->Buttons(0)->Left(), group->Buttons(1)->Left());
  EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(1)->Left());
}

TEST(ComboBox, SettingFromCodeRunsNothingAndAnIndexPastTheItemsSelectsNothing) {
  std::unique_ptr<TForm> form(New<Dialog>(nullptr));
  auto* combo = New<TComboBox>(form.get());
  combo->SetParent(form.get());
  combo->SetStyle(csDropDownList);
  combo->Items()->SetText("C-score\r\nChecker\r\nV-ratio");
  int events = 0;
  combo->OnChange = combo->OnSelect = combo->OnClick = [&](TObject*) { ++events; };
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->Text(), "V-ratio");
  combo->SetItemIndex(3);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  combo->SetItemIndex(1);
  combo->Items()->Clear();
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(events, 0);
}

TEST(ComboBox, APersonsChoiceAndTypingRunTheEvents) {
  std::unique_ptr<TForm> form(New<Dialog>(nullptr));
  auto* combo = New<TComboBox>(form.get());
  combo->SetParent(form.get());
  combo->Items()->SetText("10\r\n20");
  String log;
  combo->OnChange = [&](TObject*) { log += "change(" + combo->Text() + ");"; };
  combo->OnClick = [&](TObject*) { log += "click;"; };
  SendMessage(combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);  // chooses item 0
  SendMessage(combo->Handle(), WM_CHAR, '5', 0);         // types into the edit part
  EXPECT_EQ(log, "click;change(10);change(105);");
  EXPECT_EQ(combo->ItemIndex(), -1);  // a typed text that matches no item
  combo->SetText("20");
  EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST(ListBox, ClicksSelectAndRunOnClickCodeDoesNot) {
  std::unique_ptr<TForm> form(New<Dialog>(nullptr));
  auto* list = New<TListBox>(form.get());
  list->SetParent(form.get());
  list->Items()->SetText("a\nb\nc");
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  list->SetItemIndex(1);
  EXPECT_EQ(clicks, 0);
  ClickAt(list, 5, 2 * list->ItemHeight + 1);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_TRUE(list->Selected(2));
  EXPECT_FALSE(list->Selected(1));
  EXPECT_EQ(clicks, 1);
  list->SetItemIndex(5);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_THROW(list->Selected(3), EListError);
}

TEST(CheckBox, OnClickRunsOnEveryChangeFromCodeClickOrSpace) {
  std::unique_ptr<TForm> form(New<Dialog>(nullptr));
  auto* box = New<TCheckBox>(form.get());
  box->SetParent(form.get());
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->SetChecked(true);
  box->SetChecked(true);  // no change
  ClickAt(box);
  EXPECT_FALSE(box->Checked());
  SendMessage(box->Handle(), WM_CHAR, ' ', 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 3);
  box->SetAllowGrayed(true);
  box->SetChecked(false);
  box->Toggle();
  EXPECT_EQ(box->State(), cbGrayed);
  box->SetEnabled(false);
  ClickAt(box);
  EXPECT_EQ(box->State(), cbGrayed);
}

TEST(Button, ModalResultClosesTheModalFormAndEnterEscapeReachDefaultAndCancel) {
  std::unique_ptr<TForm> form(New<Dialog>(nullptr));
  auto* run = New<TButton>(form.get());
  run->SetParent(form.get());
  run->ModalResult = mrOk;
  run->Default = true;
  auto* cancel = New<TButton>(form.get());
  cancel->SetParent(form.get());
  cancel->ModalResult = mrCancel;
  cancel->Cancel = true;
  auto* edit = New<TEdit>(form.get());
  edit->SetParent(form.get());
  int runs = 0;
  run->OnClick = [&](TObject*) { ++runs; };

  std::function<void(TCustomForm*)> press;
  Application->Hooks.ModalForm = [&](TCustomForm* f) { press(f); };
  press = [&](TCustomForm*) { ClickAt(run); };
  EXPECT_EQ(form->ShowModal(), mrOk);
  press = [&](TCustomForm* f) {
    f->FocusControl(edit);
    KeyInput(edit, WM_KEYDOWN, VK_RETURN);
  };
  EXPECT_EQ(form->ShowModal(), mrOk);
  press = [&](TCustomForm* f) {
    f->FocusControl(edit);
    KeyInput(edit, WM_KEYDOWN, VK_ESCAPE);
  };
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(runs, 2);
}

}  // namespace
