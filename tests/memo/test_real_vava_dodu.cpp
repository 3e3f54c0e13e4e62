// The memo control under the real window system, used as a person uses it: click into the
// text and type, move with the keys, collapse and expand a section with Ctrl+M, scroll with
// the wheel and the bar; highlighting, collapsing and the caret are checked on screen. Closing
// its window leaves the window below usable.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Caret.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "memo/DoduSupportNavigator.h"
#include "memo/VavaDoduControl.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

constexpr TColor kCommentColor = 0x008000;  // green
constexpr TColor kKeywordColor = 0x0000FF;  // red
constexpr TColor kSection = 0x80FFFF;  // light yellow

const char* const kText =
    "/* greeting */\r\n"
    "int x;\r\n"
    "{ section\r\n"
    "  while one\r\n"
    "  inside two\r\n"
    "}\r\n"
    "end";

class RealVavaDodu : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_ = std::make_unique<Scope>();
    below_.reset(New<TForm>(nullptr));
    below_->SetBounds(60, 60, 300, 120);
    button_ = New<TButton>(below_.get());
    button_->SetCaption("Below");
    button_->SetBounds(10, 10, 100, 30);
    button_->SetParent(below_.get());
    button_->OnClick = [this](TObject*) { ++belowClicks_; };
    below_->Show();

    form_.reset(New<TForm>(nullptr));
    form_->SetBounds(100, 100, 420, 260);
    memo_ = New<TVavaDoduControl>(form_.get());
    memo_->SetBounds(10, 10, 380, 200);
    memo_->SetParent(form_.get());
    TVavaDodu& m = *memo_->Memo();
    TStartStopKey comment;
    comment.StartKey = u"/*";
    comment.StopKey = u"*/";
    comment.Foregnd = kCommentColor;
    m.AddStartStopKey(comment);
    TKeyword loop;
    loop.Text = u"while";
    loop.Options = kKeyMatchCase | kKeyWholeWord;
    loop.Foregnd = kKeywordColor;
    m.AddKeyword(loop);
    memo_->SetText(kText);
    m.MarkSection(m.Store.ParInfoAt(2).StartOffset, m.Store.ParInfoAt(5).StartOffset + 1, 1, kSection);
    form_->Show();
    Settle();
  }
  void TearDown() override {
    form_.reset();
    below_.reset();
    scope_.reset();
  }

  TVavaDodu& M() { return *memo_->Memo(); }
  int LineY(int Line) { return Line * M().LineHeight + M().LineHeight / 2 - M().VOffset; }

  std::unique_ptr<Scope> scope_;
  std::unique_ptr<TForm> below_;
  std::unique_ptr<TForm> form_;
  TButton* button_ = nullptr;
  TVavaDoduControl* memo_ = nullptr;
  int belowClicks_ = 0;
};

TEST_F(RealVavaDodu, TypingMovingAndHighlightingShowOnScreen) {
  EXPECT_GT(PixelsOfColor(memo_, kCommentColor), 0);
  const int keywords = PixelsOfColor(memo_, kKeywordColor);  // the "while" inside the section
  EXPECT_GT(keywords, 0);

  // A click after "int x;" puts the caret there; typing adds a highlighted keyword.
  ClickAt(memo_, 300, LineY(1));
  ASSERT_TRUE(HasFocus(memo_));
  EXPECT_EQ(M().CaretPos(), M().Store.ParInfoAt(1).StartOffset + 6);
  Type(memo_, " while");
  EXPECT_EQ(M().ParText(1), u"int x; while");
  const int more = PixelsOfColor(memo_, kKeywordColor);
  EXPECT_GT(more, keywords);
  Type(memo_, "s");  // "whiles" is no keyword
  EXPECT_EQ(PixelsOfColor(memo_, kKeywordColor), keywords);
  Key(memo_, VK_BACK);
  EXPECT_EQ(PixelsOfColor(memo_, kKeywordColor), more);

  // The caret on screen is where the memo says; the keys move it by line, word and edge.
  TRect caret = CaretRect(memo_);
  EXPECT_EQ(caret.Left, M().CaretX);
  EXPECT_EQ(caret.Top, M().CaretY);
  EXPECT_GT(caret.Height(), 0);
  Key(memo_, VK_HOME);
  EXPECT_EQ(M().CaretNav->ParOffset(), 0);
  Key(memo_, VK_RIGHT, TShiftState{ssCtrl});
  EXPECT_EQ(M().CaretNav->ParOffset(), 4);
  Key(memo_, VK_DOWN);
  EXPECT_EQ(M().CaretNav->ParNumber(), 2);
  Key(memo_, VK_END, TShiftState{ssCtrl});
  EXPECT_EQ(M().CaretPos(), M().TextLength());
  EXPECT_EQ(CaretRect(memo_).Top, 6 * M().LineHeight);

  // A new paragraph and a comment typed over two lines colour the line between.
  Key(memo_, VK_RETURN);
  Type(memo_, "/* open");
  Key(memo_, VK_RETURN);
  Type(memo_, "still */ done");
  EXPECT_EQ(M().ParCount(), 9);
  EXPECT_EQ(ScopeLevel(*GetStartAttrib(M().Store.ParInfoAt(8))), 0);
  EXPECT_EQ(WideToUtf8(M().ParText(8)), "still */ done");
  Key(memo_, VK_BACK);
  String expected = kText;
  expected.replace(expected.find("int x;"), 6, "int x; while");
  EXPECT_EQ(memo_->Text(), expected + "\r\n/* open\r\nstill */ don");
}

TEST_F(RealVavaDodu, CollapsingHidesTheSectionOnScreen) {
  const int shown = PixelsOfColor(memo_, kSection);
  ASSERT_GT(shown, 0);
  ClickAt(memo_, 40, LineY(2));
  Key(memo_, 'M', TShiftState{ssCtrl});
  for (int p : {3, 4, 5}) EXPECT_TRUE(M().Store.ParInfoAt(p).ParState.Contains(ddpHidden)) << p;
  EXPECT_EQ(M().Store.VisibleLines, 4);
  const int collapsed = PixelsOfColor(memo_, kSection);
  EXPECT_GT(collapsed, 0);
  EXPECT_LT(collapsed, shown);
  // "end" is on the line below the collapsed one: a click there reaches it.
  ClickAt(memo_, 300, LineY(3));
  EXPECT_EQ(M().CaretNav->ParNumber(), 6);
  Key(memo_, VK_UP);
  EXPECT_EQ(M().CaretNav->ParNumber(), 2);
  Key(memo_, 'M', TShiftState{ssCtrl});
  EXPECT_EQ(M().Store.VisibleLines, 7);
  // All of it again, less what the caret covers now.
  TRect caret = CaretRect(memo_);
  EXPECT_NEAR(PixelsOfColor(memo_, kSection), shown, caret.Width() * caret.Height());
}

TEST_F(RealVavaDodu, ScrollingByWheelAndBarThenTheWindowBelowStillAnswers) {
  String many;
  for (int i = 0; i < 60; ++i) many += "line " + IntToStr(i) + "\r\n";
  memo_->SetText(many + "/* last */");
  Settle();
  ASSERT_TRUE(ScrollBarShown(memo_, true));
  EXPECT_FALSE(ScrollBarShown(memo_, false));
  Wheel(memo_, 50, 50, -2);  // two notches down: six lines
  EXPECT_EQ(M().VOffset, 6 * M().LineHeight);
  EXPECT_EQ(M().TopNav->ParNumber(), 6);
  EXPECT_EQ(ScrollBarPosition(memo_, true), M().VOffset / M().VScale);
  EXPECT_EQ(PixelsOfColor(memo_, kCommentColor), 0);
  ClickScrollBar(memo_, true, ScrollBarPart::PageDown);
  EXPECT_GT(M().VOffset, 6 * M().LineHeight);
  DragScrollThumb(memo_, true, 1.0);
  EXPECT_GT(PixelsOfColor(memo_, kCommentColor), 0);  // the last line is on screen

  // Typing at the end keeps the caret in view.
  ClickAt(memo_, 300, memo_->ClientHeight() - 4);
  Key(memo_, VK_END, TShiftState{ssCtrl});
  Type(memo_, " ok");
  EXPECT_GE(CaretRect(memo_).Top, 0);
  EXPECT_LE(CaretRect(memo_).Bottom, memo_->ClientHeight());

  CloseBox(form_.get());
  EXPECT_FALSE(IsOnScreen(form_.get()));
  Click(button_);
  EXPECT_EQ(belowClicks_, 1);
}

}  // namespace
