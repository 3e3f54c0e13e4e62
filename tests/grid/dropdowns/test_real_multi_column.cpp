// The multi-column drop-down under the real window system: the list opens under the edit with
// the keyboard in it, the arrows move the choice and the edit follows, Enter keeps it and
// Escape takes it back, a click on a row chooses it, characters typed into the list jump to
// the first matching row, and typing into the edit completes the text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <memory>

#include "classlib/Forms.h"
#include "grid/dropdowns/RivDropDownButtons.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivMultiColumnDropDown.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;
using namespace RivMultiColumnDropDown;

class RealMultiColumn : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_ = std::make_unique<Scope>();
    form_.reset(New<TForm>(nullptr));
    form_->SetBounds(100, 100, 400, 120);
    dd_ = New<TRivMultiColumnDropDown>(form_.get());
    dd_->SetParent(form_.get());
    dd_->SetBounds(10, 10, 200, 24);
    dd_->Columns()->Add()->Header = "Fruit";
    dd_->Columns()->Add()->Header = "Code";
    for (const char* name : {"apple", "apricot", "banana", "cherry", "xenon", "xylophone"}) {
      TDropDownItem* item = dd_->Items()->Add();
      item->Text()->Add(name);
      item->Text()->Add(String(1, static_cast<char>(std::toupper(name[0]))));
    }
    dd_->EndUpdate();
    dd_->SetItemIndex(0);
    form_->Show();
    Settle();
    Click(dd_);
  }
  void TearDown() override {
    form_.reset();
    scope_.reset();
  }
  TDropDownForm* Popup() const { return dd_->DropDownForm(); }
  void WaitOpen(bool Open) {
    EXPECT_TRUE(WaitFor([&] { return (Popup()->View() != nullptr && Popup()->View()->isVisible()) == Open; }))
        << (Open ? "open" : "closed");
  }

  std::unique_ptr<Scope> scope_;
  std::unique_ptr<TForm> form_;
  TRivMultiColumnDropDown* dd_ = nullptr;
};

TEST_F(RealMultiColumn, ArrowsMoveTheChoiceEnterKeepsItEscapeTakesItBack) {
  Key(dd_, VK_F4);
  WaitOpen(true);
  EXPECT_TRUE(ControlOnScreen(dd_->ColGrid()));
  EXPECT_TRUE(HasFocus(dd_->ColGrid())) << "the list takes the keys";
  Key(dd_, VK_DOWN);
  Key(dd_, VK_DOWN);
  EXPECT_EQ(dd_->ColGrid()->Row(), 3);
  EXPECT_EQ(dd_->Text(), "banana");
  Key(dd_, VK_RETURN);
  WaitOpen(false);
  EXPECT_EQ(dd_->ItemIndex(), 2);
  EXPECT_EQ(ShownText(dd_), "banana");
  EXPECT_TRUE(WaitFor([&] { return HasFocus(dd_); }));
  Key(dd_, VK_F4);
  WaitOpen(true);
  Key(dd_, VK_DOWN);
  EXPECT_EQ(dd_->Text(), "cherry");
  Key(dd_, VK_ESCAPE);
  WaitOpen(false);
  EXPECT_EQ(dd_->ItemIndex(), 2);
  EXPECT_EQ(ShownText(dd_), "banana");
}

TEST_F(RealMultiColumn, AClickOnARowChoosesItAndTypingInTheListJumps) {
  Key(dd_, VK_F4);
  WaitOpen(true);
  Type(dd_, "xy");
  EXPECT_EQ(dd_->ColGrid()->Row(), 6);
  EXPECT_EQ(dd_->Text(), "xylophone");
  const TRect cell = dd_->ColGrid()->CellRect(0, 4);
  ClickAt(dd_->ColGrid(), cell.Left + 10, cell.Top + 5);
  WaitOpen(false);
  EXPECT_EQ(dd_->ItemIndex(), 3);
  EXPECT_EQ(ShownText(dd_), "cherry");
}

TEST_F(RealMultiColumn, TypingIntoTheEditCompletesTheText) {
  Key(dd_, VK_END);
  for (int i = 0; i < 5; ++i) Key(dd_, VK_BACK);
  EXPECT_EQ(ShownText(dd_), "");
  Type(dd_, "ap");
  EXPECT_EQ(ShownText(dd_), "apple");
  EXPECT_EQ(dd_->SelText(), "ple");
  Type(dd_, "r");
  EXPECT_EQ(ShownText(dd_), "apricot");
  EXPECT_EQ(dd_->ItemIndex(), 1);
}

}  // namespace
