// Enter and Escape in a modal dialog under the real window system, whichever control has the
// focus: the focused button answers Enter, else the default button; the cancel button answers
// Escape. Buttons, check boxes, list and combo boxes are native views that take the focus
// themselves, so the keys must still pass the form's dialog-key stage.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

class RealDialogKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_ = std::make_unique<Scope>();
    // The window the dialog comes up over, and goes back to.
    below_.reset(New<TForm>(nullptr));
    below_->SetBounds(40, 40, 600, 400);
    below_->Show();
    Settle();
    form_.reset(New<TForm>(nullptr));
    form_->SetBounds(100, 100, 420, 240);
    check_ = New<TCheckBox>(form_.get());
    check_->SetCaption("Check");
    check_->SetBounds(10, 10, 120, 20);
    check_->SetParent(form_.get());
    list_ = New<TListBox>(form_.get());
    list_->SetBounds(10, 40, 120, 80);
    list_->SetParent(form_.get());
    list_->Items()->Add("one");
    list_->Items()->Add("two");
    pick_ = New<TComboBox>(form_.get());
    pick_->SetStyle(csDropDownList);
    pick_->SetBounds(150, 10, 120, 22);
    pick_->SetParent(form_.get());
    pick_->Items()->Add("a");
    pick_->SetItemIndex(0);
    typed_ = New<TComboBox>(form_.get());
    typed_->SetBounds(150, 40, 120, 22);
    typed_->SetParent(form_.get());
    ok_ = AddButton("&OK", mrOk, 10);
    ok_->Default = true;
    other_ = AddButton("&Ignore", mrIgnore, 110);
    cancel_ = AddButton("&Cancel", mrCancel, 210);
    cancel_->Cancel = true;
  }
  void TearDown() override {
    form_.reset();
    below_.reset();
    scope_.reset();
  }

  TButton* AddButton(const char* Caption, TModalResult Result, int Left) {
    auto* button = New<TButton>(form_.get());
    button->SetCaption(Caption);
    button->ModalResult = Result;
    button->SetBounds(Left, 180, 90, 28);
    button->SetParent(form_.get());
    return button;
  }

  std::unique_ptr<Scope> scope_;
  std::unique_ptr<TForm> below_;
  std::unique_ptr<TForm> form_;
  TCheckBox* check_ = nullptr;
  TListBox* list_ = nullptr;
  TComboBox* pick_ = nullptr;
  TComboBox* typed_ = nullptr;
  TButton* ok_ = nullptr;
  TButton* other_ = nullptr;
  TButton* cancel_ = nullptr;
};

TEST_F(RealDialogKeys, EnterAndEscapeReachTheButtonsFromEveryControl) {
  struct Case {
    const char* name;
    TWinControl* focus;
    Word key;
    TModalResult result;
  };
  const Case cases[] = {
      {"check box, Enter", check_, VK_RETURN, mrOk},
      {"check box, Escape", check_, VK_ESCAPE, mrCancel},
      {"list box, Enter", list_, VK_RETURN, mrOk},
      {"list box, Escape", list_, VK_ESCAPE, mrCancel},
      {"drop-down list, Enter", pick_, VK_RETURN, mrOk},
      {"drop-down list, Escape", pick_, VK_ESCAPE, mrCancel},
      {"editable combo box, Enter", typed_, VK_RETURN, mrOk},
      {"editable combo box, Escape", typed_, VK_ESCAPE, mrCancel},
      {"other button, Enter", other_, VK_RETURN, mrIgnore},
      {"other button, Escape", other_, VK_ESCAPE, mrCancel},
      {"cancel button, Enter", cancel_, VK_RETURN, mrCancel},
      {"default button, Escape", ok_, VK_ESCAPE, mrCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WhenModal(form_.get(), [&] {
      c.focus->SetFocus();
      Settle();
      Key(form_.get(), c.key);
      // A key that reached no button leaves the form open; end it so the next case runs.
      if (form_->ModalResult() == mrNone) form_->SetModalResult(mrAbort);
    });
    EXPECT_EQ(form_->ShowModal(), c.result);
    Settle();  // the window below takes the activation back
  }
}

TEST_F(RealDialogKeys, AClickOrTabMovesTheProgramsFocusWithTheScreens) {
  // The program's focus follows the screen's, so Enter presses the button tabbed to, not the
  // default one.
  WhenModal(form_.get(), [&] {
    Click(check_);
    EXPECT_TRUE(check_->Focused());
    ClickItem(list_, 1);
    EXPECT_TRUE(list_->Focused());
    Key(form_.get(), VK_TAB);  // the combo boxes come next, then the buttons
    Key(form_.get(), VK_TAB);
    Key(form_.get(), VK_TAB);
    Key(form_.get(), VK_TAB);
    EXPECT_TRUE(other_->Focused());
    Key(form_.get(), VK_RETURN);
    if (form_->ModalResult() == mrNone) form_->SetModalResult(mrAbort);
  });
  EXPECT_EQ(form_->ShowModal(), mrIgnore);
}

}  // namespace
