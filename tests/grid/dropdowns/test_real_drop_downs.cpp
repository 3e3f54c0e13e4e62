// Drop-down edits under the real window system: the pop-up opens from the button, F4 and
// Alt+Down, appears below the edit (above it near the bottom of the screen), takes the keys
// while it is up, closes with Escape (value restored) and Enter (value kept), closes when
// another window is clicked, and the windows below take input again afterwards; an item
// selector inside it takes clicks and scrolls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <memory>

#include "classlib/Colors.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivDropDownButtons.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivItemSelector.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

class RealDropDown : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_ = std::make_unique<Scope>();
    form_.reset(New<TForm>(nullptr));
    form_->SetBounds(100, 100, 400, 200);
    dd_ = New<TRivCustomDropDown>(form_.get());
    dd_->SetParent(form_.get());
    dd_->SetBounds(10, 10, 200, 24);
    content_ = New<TPanel>(form_.get());
    content_->SetBounds(0, 0, 150, 100);
    dd_->SetDropDownControl(content_);
    dd_->SetText("start");
    below_ = New<TEdit>(form_.get());
    below_->SetParent(form_.get());
    below_->SetBounds(250, 10, 140, 24);
    other_.reset(New<TForm>(nullptr));
    other_->SetBounds(560, 100, 200, 100);
    otherEdit_ = New<TEdit>(other_.get());
    otherEdit_->SetParent(other_.get());
    otherEdit_->SetBounds(10, 10, 150, 24);
    other_->Show();
    form_->Show();
    Settle();
    Click(dd_);
    Settle();
  }
  void TearDown() override {
    other_.reset();
    form_.reset();
    scope_.reset();
  }

  TDropDownForm* Popup() const { return dd_->DropDownForm(); }
  bool PopupUp() const { return Popup()->View() != nullptr && Popup()->View()->isVisible(); }
  void WaitOpen(bool Open) {
    EXPECT_TRUE(WaitFor([&] { return PopupUp() == Open && dd_->DroppedDown() == Open; })) << (Open ? "open" : "closed");
  }
  // The edit's top-left corner on the screen, as the window system places it.
  TPoint EditOnScreen() const {
    QPoint p = dd_->View()->mapToGlobal(QPoint(0, 0));
    return TPoint{p.x(), p.y()};
  }

  std::unique_ptr<Scope> scope_;
  std::unique_ptr<TForm> form_;
  std::unique_ptr<TForm> other_;
  TRivCustomDropDown* dd_ = nullptr;
  TPanel* content_ = nullptr;
  TEdit* below_ = nullptr;
  TEdit* otherEdit_ = nullptr;
};

TEST_F(RealDropDown, TheButtonOpensThePopupBelowTheEditAndEscapeRestoresTheValue) {
  Click(dd_->Button()->Button());
  WaitOpen(true);
  EXPECT_EQ(QApplication::activePopupWidget(), Popup()->View());
  const TPoint edit = EditOnScreen();
  const TRect shown = ViewBounds(Popup());
  EXPECT_EQ(shown.Left, edit.X);
  EXPECT_EQ(shown.Top, edit.Y + dd_->Height() - 1);
  EXPECT_EQ(shown.Height(), 146);
  // Typing while the pop-up is up reaches the edit; Escape puts the value back.
  Type(dd_, "xy");
  EXPECT_EQ(dd_->Text(), "startxy");
  Key(dd_, VK_ESCAPE);
  WaitOpen(false);
  EXPECT_EQ(dd_->Text(), "start");
  EXPECT_EQ(ShownText(dd_), "start");
  EXPECT_TRUE(HasFocus(dd_));
  // The window takes keys again.
  Key(dd_, VK_END);
  Type(dd_, "!");
  EXPECT_EQ(dd_->Text(), "start!");
}

TEST_F(RealDropDown, F4AndAltDownOpenAndEnterKeepsTheValue) {
  Key(dd_, VK_F4);
  WaitOpen(true);
  Key(dd_, VK_F4);
  WaitOpen(false);
  Key(dd_, VK_DOWN, TShiftState{ssAlt});
  WaitOpen(true);
  Type(dd_, "ed");
  Key(dd_, VK_RETURN);
  WaitOpen(false);
  EXPECT_EQ(dd_->Text(), "started");
  Key(dd_, VK_DOWN, TShiftState{ssAlt});
  WaitOpen(true);
  Key(dd_, VK_UP, TShiftState{ssAlt});
  WaitOpen(false);
  EXPECT_EQ(dd_->Text(), "started");
}

TEST_F(RealDropDown, NearTheBottomOfTheScreenItOpensAbove) {
  const QRect screen = QApplication::primaryScreen()->availableGeometry();
  form_->SetBounds(100, screen.bottom() - 90, 400, 80);
  Settle();
  Key(dd_, VK_F4);
  WaitOpen(true);
  const TRect shown = ViewBounds(Popup());
  EXPECT_EQ(shown.Bottom, EditOnScreen().Y);
  EXPECT_GE(shown.Top, screen.top());
  Key(dd_, VK_ESCAPE);
  WaitOpen(false);
}

TEST_F(RealDropDown, ClickingAnotherWindowClosesItAndThatWindowTakesInput) {
  Key(dd_, VK_F4);
  WaitOpen(true);
  Type(dd_, "zz");
  Click(otherEdit_);
  WaitOpen(false);
  EXPECT_EQ(dd_->Text(), "start") << "closing by deactivation cancels";
  EXPECT_TRUE(WaitFor([&] { return HasFocus(otherEdit_); }));
  Type(otherEdit_, "ok");
  EXPECT_EQ(otherEdit_->Text(), "ok");
  // Back to the first window, once the guard against the closing press re-opening the pop-up
  // has passed: its button opens the pop-up, a click on the edit beside it closes it again
  // and that edit takes the typing.
  WaitFor([] { return false; }, 300);
  Click(dd_->Button()->Button());
  WaitOpen(true);
  Click(below_);
  WaitOpen(false);
  Type(below_, "below");
  EXPECT_EQ(below_->Text(), "below");
}

}  // namespace

namespace {

// An item selector as the content of a pop-up: a click selects an item, the scroll bar brings
// the rest of a long list into view.
TEST_F(RealDropDown, AnItemSelectorInThePopupTakesClicksAndScrolls) {
  auto* selector = New<TRivCustomItemSelector>(form_.get());
  selector->SetBounds(0, 0, 160, 120);
  for (int i = 0; i < 30; ++i) selector->Items()->Add()->SetCaption("Item <b>" + IntToStr(i) + "</b>");
  int chosen = -1;
  selector->OnItemSelect = [&chosen, selector](TObject*) { chosen = selector->ItemIndex(); };
  dd_->SetDropDownControl(selector);
  Key(dd_, VK_F4);
  WaitOpen(true);
  ASSERT_TRUE(ControlOnScreen(selector->Panel()));
  const TRect third = selector->Panel()->ItemRect(2);
  ClickAt(selector->Panel(), third.Left + 5, third.Top + 3);
  EXPECT_EQ(chosen, 2);
  ASSERT_TRUE(ScrollBarShown(selector, true));
  ClickScrollBar(selector, true, ScrollBarPart::PageDown);
  EXPECT_GT(selector->VertScrollBar()->Position(), 0);
  EXPECT_LT(selector->Panel()->Top(), 0);
  Key(dd_, VK_ESCAPE);
  WaitOpen(false);
}

}  // namespace

namespace {

// The keypad's decimal key types the regional separator where the drop-down asks for it, while
// the main keyboard's full stop stays a full stop.
TEST_F(RealDropDown, TheKeypadDecimalKeyTypesTheRegionalSeparator) {
  FormatSettings.DecimalSeparator = ',';
  dd_->SetExcelStyleDecimalSeparator(true);
  dd_->SetText("");
  Type(dd_, "1");
  TypeOnKeypad(dd_, ".");
  Type(dd_, "5.");
  EXPECT_EQ(dd_->Text(), "1,5.");
  EXPECT_EQ(ShownText(dd_), "1,5.");
  ResetFormatSettings();
}

// A drop-down whose editor is disabled marks its focus with a highlighted box over the value,
// gone once the focus moves on.
TEST_F(RealDropDown, ANonEditableDropDownDrawsItsFocusMark) {
  dd_->SetEditorEnabled(false);
  dd_->SetDropDownEnabled(true);
  const TColor highlight = ColorToRGB(clHighlight);
  form_->Invalidate();
  EXPECT_TRUE(WaitFor([&] { return PixelsOfColor(dd_, highlight) > 100; })) << PixelsOfColor(dd_, highlight);
  Click(below_);
  EXPECT_TRUE(WaitFor([&] { return HasFocus(below_); }));
  EXPECT_TRUE(WaitFor([&] { return PixelsOfColor(dd_, highlight) == 0; })) << PixelsOfColor(dd_, highlight);
}

}  // namespace
