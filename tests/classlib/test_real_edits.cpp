// Plain and masked edits under the real window system. A person selects text (double-click,
// Shift with the arrow and Home/End keys, Ctrl+A) and types over it, deletes it, cuts, pastes
// and undoes; after every step the text the program reads is the text on screen, and the
// caret the program knows is where the next key lands.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "classlib/Forms.h"
#include "classlib/Mask.h"
#include "classlib/StdCtrls.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

const TShiftState kShift{ssShift};
const TShiftState kCtrl{ssCtrl};

class RealEdits : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_ = std::make_unique<Scope>();
    form_.reset(New<TForm>(nullptr));
    form_->SetBounds(100, 100, 320, 120);
    edit_ = New<TEdit>(form_.get());
    edit_->SetBounds(10, 10, 200, 24);
    edit_->SetParent(form_.get());
    mask_ = New<TMaskEdit>(form_.get());
    mask_->SetBounds(10, 50, 120, 24);
    mask_->SetParent(form_.get());
    form_->Show();
    Settle();
  }
  void TearDown() override {
    form_.reset();
    scope_.reset();
  }

  // Double-clicks the first word of the edit.
  static void DoubleClickFirstWord(TCustomEdit* Edit) { DoubleClickAt(Edit, 12, Edit->Height() / 2); }
  static void Keys(TCustomEdit* Edit, Word VirtualKey, int Times, TShiftState Shift = TShiftState()) {
    for (int i = 0; i < Times; ++i) Key(Edit, VirtualKey, Shift);
  }

  // What the program reads is what is shown: a masked edit shows its EditText.
  static void ExpectShown(TCustomEdit* Edit, const String& Shown) {
    EXPECT_EQ(ShownText(Edit), Shown);
    auto* masked = dynamic_cast<TCustomMaskEdit*>(Edit);
    EXPECT_EQ(masked != nullptr ? masked->EditText() : Edit->Text(), Shown);
  }

  std::unique_ptr<Scope> scope_;
  std::unique_ptr<TForm> form_;
  TEdit* edit_ = nullptr;
  TMaskEdit* mask_ = nullptr;
};

struct EditCase {
  const char* name;
  const char* mask;  // nullptr: the plain edit
  const char* text;
  std::function<void(TCustomEdit*)> act;
  const char* shown;
  int selStart;
  int selLength;
};

TEST_F(RealEdits, TypingAndDeletingReplaceTheSelectionAndTheProgramReadsWhatIsShown) {
  using E = TCustomEdit*;
  const EditCase cases[] = {
      // Plain edits: the selection is replaced, as in every desktop edit.
      {"plain: double-click a word, type", nullptr, "hello world",
       [](E e) { DoubleClickFirstWord(e); Type(e, "bye"); }, "bye world", 3, 0},
      {"plain: Shift+Home from the end, type", nullptr, "hello world",
       [](E e) { Key(e, VK_END); Key(e, VK_HOME, kShift); Type(e, "x"); }, "x", 1, 0},
      {"plain: Shift+Left selects, type", nullptr, "hello world",
       [](E e) { Key(e, VK_END); Keys(e, VK_LEFT, 2, kShift); Type(e, "LD"); }, "hello worLD", 11, 0},
      {"plain: Shift+Right selection is known to the program", nullptr, "hello world",
       [](E e) { Key(e, VK_HOME); Key(e, VK_RIGHT); Keys(e, VK_RIGHT, 3, kShift); }, "hello world", 1, 3},
      {"plain: Ctrl+A, type", nullptr, "hello world", [](E e) { Key(e, 'A', kCtrl); Type(e, "z"); }, "z", 1, 0},
      {"plain: Backspace over a selection", nullptr, "hello world",
       [](E e) { DoubleClickFirstWord(e); Key(e, VK_BACK); }, " world", 0, 0},
      {"plain: Delete over a selection", nullptr, "hello world",
       [](E e) { Key(e, VK_HOME); Keys(e, VK_RIGHT, 3, kShift); Key(e, VK_DELETE); }, "lo world", 0, 0},
      {"plain: cut, then paste at the end", nullptr, "hello world",
       [](E e) {
         DoubleClickFirstWord(e);
         Key(e, 'X', kCtrl);
         ExpectShown(e, " world");
         Key(e, VK_END);
         Key(e, 'V', kCtrl);
       },
       " worldhello", 11, 0},
      {"plain: paste over a selection", nullptr, "hello world",
       [](E e) {
         Key(e, VK_END);
         Keys(e, VK_LEFT, 5, kShift);
         Key(e, 'C', kCtrl);
         DoubleClickFirstWord(e);
         Key(e, 'V', kCtrl);
       },
       "world world", 5, 0},
      {"plain: undo", nullptr, "hello world",
       [](E e) { Key(e, VK_END); Type(e, "!!"); ExpectShown(e, "hello world!!"); Key(e, 'Z', kCtrl); },
       "hello world", 11, 0},

      // The program's iterations mask: six optional digits, blanks shown as spaces.
      {"mask: double-click the number, type 500", "999999;1; ", "5000  ",
       [](E e) { DoubleClickFirstWord(e); Type(e, "500"); }, "500   ", 3, 0},
      {"mask: Ctrl+A, type", "999999;1; ", "5000  ", [](E e) { Key(e, 'A', kCtrl); Type(e, "12"); }, "12    ", 2, 0},
      {"mask: Shift+Home from the end, type", "999999;1; ", "5000  ",
       [](E e) { Key(e, VK_END); Key(e, VK_HOME, kShift); Type(e, "7"); }, "7     ", 1, 0},
      {"mask: Shift+Left selects, type", "999999;1; ", "5000  ",
       [](E e) { Key(e, VK_HOME); Keys(e, VK_RIGHT, 4); Keys(e, VK_LEFT, 2, kShift); Type(e, "9"); }, "509   ", 3, 0},
      {"mask: Shift+Right selection is known to the program", "999999;1; ", "5000  ",
       [](E e) { Key(e, VK_HOME); Key(e, VK_RIGHT); Keys(e, VK_RIGHT, 2, kShift); }, "5000  ", 1, 2},
      {"mask: Backspace over a selection leaves the caret at its start", "999999;1; ", "5000  ",
       [](E e) { DoubleClickFirstWord(e); Key(e, VK_BACK); ExpectShown(e, "      "); Type(e, "8"); }, "8     ", 1, 0},
      {"mask: Delete over a selection keeps the positions", "999999;1; ", "5000  ",
       [](E e) {
         Key(e, VK_HOME);
         Key(e, VK_RIGHT);
         Keys(e, VK_RIGHT, 2, kShift);
         Key(e, VK_DELETE);
         ExpectShown(e, "5  0  ");
         Type(e, "12");
       },
       "5120  ", 3, 0},
      {"mask: cut, then paste", "999999;1; ", "5000  ",
       [](E e) {
         DoubleClickFirstWord(e);
         Key(e, 'X', kCtrl);
         ExpectShown(e, "      ");
         Key(e, VK_HOME);
         Key(e, 'V', kCtrl);
       },
       "5000  ", 4, 0},
      {"mask: undo", "999999;1; ", "5000  ",
       [](E e) { DoubleClickFirstWord(e); Type(e, "75"); ExpectShown(e, "75    "); Key(e, 'Z', kCtrl); }, "5000  ", 0,
       0},
      {"mask: a character that does not fit still clears the selection", "999999;1; ", "5000  ",
       [](E e) { DoubleClickFirstWord(e); Type(e, "x"); }, "      ", 0, 0},

      // Literals stay where they are; the blank character shows unfilled positions.
      {"mask with literals: Ctrl+A, type", "00-00;1;_", "12-34", [](E e) { Key(e, 'A', kCtrl); Type(e, "5"); },
       "5_-__", 1, 0},
      {"mask with literals: a selection over a literal, type", "00-00;1;_", "12-34",
       [](E e) { Key(e, VK_HOME); Key(e, VK_RIGHT); Keys(e, VK_RIGHT, 3, kShift); Type(e, "9"); }, "19-_4", 3, 0},

      // An empty mask is a plain edit.
      {"empty mask: double-click a word, type", "", "hello world",
       [](E e) { DoubleClickFirstWord(e); Type(e, "bye"); }, "bye world", 3, 0},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCustomEdit* e = edit_;
    if (c.mask != nullptr) {
      mask_->SetEditMask(c.mask);
      e = mask_;
    }
    e->SetText(c.text);
    Click(e);
    ASSERT_TRUE(HasFocus(e));
    c.act(e);
    ExpectShown(e, c.shown);
    EXPECT_EQ(e->SelStart(), c.selStart);
    EXPECT_EQ(e->SelLength(), c.selLength);
  }
}

// The text the program reads after typing, and the caret it keeps, hold when the view is
// refreshed from code: the next key still lands where the person left the caret.
TEST_F(RealEdits, TypedTextAndCaretSurviveARefreshFromCode) {
  for (TCustomEdit* e : {static_cast<TCustomEdit*>(edit_), static_cast<TCustomEdit*>(mask_)}) {
    SCOPED_TRACE(e == edit_ ? "plain" : "mask");
    if (e == mask_) mask_->SetEditMask("999999;1; ");
    e->SetText("12");
    Click(e);
    Key(e, VK_HOME);
    Type(e, "34");
    e->SetReadOnly(false);  // refreshes the view
    Type(e, "5");
    const String shown = e == edit_ ? "34512" : "345   ";
    ExpectShown(e, shown);
    EXPECT_EQ(e->SelStart(), 3);
  }
}

// A change handler that rewrites the text (here: keeps at most five characters) is obeyed
// on screen too.
TEST_F(RealEdits, ATextRewrittenByTheChangeHandlerIsShown) {
  edit_->SetText("");
  edit_->OnChange = [this](TObject*) {
    if (edit_->Text().size() > 5) edit_->SetText(edit_->Text().substr(0, 5));
  };
  Click(edit_);
  Type(edit_, "abcdefg");
  ExpectShown(edit_, "abcde");
}

// The memo's selection is the program's too, also when the caret does not move (Ctrl+A with
// the caret at the end), and typing replaces it.
TEST_F(RealEdits, MemoSelectionIsKnownToTheProgramAndTypingReplacesIt) {
  auto* memo = New<TMemo>(form_.get());
  memo->SetBounds(140, 40, 160, 60);
  memo->SetParent(form_.get());
  memo->SetText("hello\r\nworld");
  Settle();
  Click(memo);
  Key(memo, VK_END, kCtrl);
  Key(memo, 'A', kCtrl);
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_EQ(memo->SelLength(), 12);
  Type(memo, "x");
  EXPECT_EQ(memo->Text(), "x");
  EXPECT_EQ(memo->SelStart(), 1);
}

}  // namespace
