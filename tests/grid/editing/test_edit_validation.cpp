// Validation of an edit and the change notification: what OnCellValidate sees and decides,
// what a refused value leaves in the cell and the editor, the change notifiers, the modified
// flags, the balloon, and the end-of-edit notification.
#include "EditingFixture.h"

namespace {

using EditValidation = EditingGridTest;

class TRecordingNotifier : public TGridChangeNotifier {
 public:
  explicit TRecordingNotifier(std::vector<String>& Log) : log_(Log) {}
  void CellsChanged(const TRect& R) override {
    log_.push_back("notifier " + IntToStr(R.Left) + "," + IntToStr(R.Top) + "-" + IntToStr(R.Right) + "," +
                   IntToStr(R.Bottom));
  }

 private:
  std::vector<String>& log_;
};

TEST_F(EditValidation, AnUnchangedTextIsNotValidatedAndChangesNothing) {
  int validations = 0;
  int changes = 0;
  grid->OnCellValidate = [&](TObject*, int, int, String&, bool&) { ++validations; };
  grid->OnCellsChanged = [&](TObject*, const TRect&) { ++changes; };
  GoTo(1, 1);
  Press(VK_F2);
  Press(VK_RETURN);
  EXPECT_EQ(validations, 0);
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(grid->GridModified());
  EXPECT_EQ(grid->Cells(1, 1), "1:1");
  grid->AlwaysValidate = true;
  Press(VK_F2);
  Press(VK_RETURN);
  EXPECT_EQ(validations, 1);
  EXPECT_EQ(changes, 0);
}

TEST_F(EditValidation, AnAcceptedValueIsWrittenAndAnnouncedToEventsThenNotifiersInOrder) {
  std::vector<String> log;
  TRecordingNotifier notifier(log);
  grid->RegisterNotifier(&notifier);
  grid->RegisterNotifier(&notifier);  // once only
  grid->OnCellValidate = [&](TObject*, int ACol, int ARow, String& Value, bool&) {
    log.push_back("validate " + IntToStr(ACol) + "," + IntToStr(ARow) + " " + Value);
    Value += "!";
  };
  grid->OnCellsChanged = [&](TObject*, const TRect& R) {
    log.push_back("changed " + IntToStr(R.Left) + "," + IntToStr(R.Top));
  };
  GoTo(3, 2);
  Type("new");
  Press(VK_RETURN);
  EXPECT_EQ(grid->Cells(3, 2), "new!");
  EXPECT_EQ(log, (std::vector<String>{"validate 3,2 new", "changed 3,2", "notifier 3,2-3,2"}));
  grid->UnRegisterNotifier(&notifier);
  grid->UnRegisterNotifier(&notifier);
}

TEST_F(EditValidation, ARefusedValueKeepsTheEditorOpenWithTheTextAndTheCellsOldValue) {
  grid->OnCellValidate = [](TObject*, int, int, String& Value, bool& Valid) { Valid = Value != "bad"; };
  grid->InvalidEntryTitle = "Input";
  grid->InvalidEntryText = "Not allowed";
  GoTo(2, 2);
  Type("bad");
  Press(VK_RETURN);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Focus(), Editor());
  EXPECT_EQ(Editor()->Text(), "bad");
  EXPECT_EQ(grid->Cells(2, 2), "2:2");
  EXPECT_FALSE(grid->GridModified());
  EXPECT_FALSE(grid->LastValidation());
  EXPECT_EQ(Editor()->BalloonTitle(), "Input");
  EXPECT_EQ(Editor()->BalloonText(), "Not allowed");
  EXPECT_EQ(Editor()->BalloonIcon(), TTI_WARNING);
  // Moving away is refused too.
  Press(VK_DOWN);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_TRUE(EditorShown());
  // Corrected, the value goes in.
  Press(VK_BACK);
  Press(VK_BACK);
  Press(VK_BACK);
  Type("ok");
  Press(VK_RETURN);
  EXPECT_EQ(grid->Cells(2, 2), "ok");
  EXPECT_FALSE(EditorShown());
  EXPECT_TRUE(grid->GridModified());
}

TEST_F(EditValidation, ARefusedValueReplacedByTheHandlerShowsTheReplacementInTheCell) {
  grid->OnCellValidate = [](TObject*, int, int, String& Value, bool& Valid) {
    if (Value == "x") {
      Value = "fixed";
      Valid = false;
    }
  };
  GoTo(1, 3);
  Type("x");
  Press(VK_RETURN);
  EXPECT_EQ(grid->Cells(1, 3), "fixed");
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "fixed");
}

TEST_F(EditValidation, AValidationStartedInsideAnotherAnswersAtOnce) {
  bool inner = false;
  grid->OnCellValidate = [&](TObject*, int, int, String&, bool&) { inner = grid->ValidateCell("other"); };
  GoTo(1, 1);
  Type("v");
  Press(VK_RETURN);
  EXPECT_TRUE(inner);
  EXPECT_EQ(grid->Cells(1, 1), "v");
}

TEST_F(EditValidation, LeavingTheGridValidatesAndEndsTheEditFocusBackToTheGridOnlyNotifies) {
  TEdit* other = New<TEdit>(form_.get());
  other->SetParent(form_.get());
  other->SetBounds(0, 380, 100, 20);
  std::vector<String> done;
  grid->OnEditingDone = [&](TObject*) { done.push_back("done"); };
  grid->OnEditCellDone = [&](TObject*, int ACol, int ARow) {
    done.push_back("cell " + IntToStr(ACol) + "," + IntToStr(ARow));
  };
  GoTo(2, 1);
  Type("left");
  other->SetFocus();
  EXPECT_EQ(grid->Cells(2, 1), "left");
  EXPECT_FALSE(EditorShown());
  EXPECT_FALSE(grid->EditMode);
  EXPECT_EQ(done, (std::vector<String>{"done"}));
  Flush();  // the cell notification is posted
  EXPECT_EQ(done, (std::vector<String>{"done", "cell 2,1"}));

  // A refused value leaves the cell's old text when the focus leaves.
  grid->OnCellValidate = [](TObject*, int, int, String&, bool& Valid) { Valid = false; };
  grid->SetFocus();
  Type("no");
  other->SetFocus();
  EXPECT_EQ(grid->Cells(2, 1), "left");
  EXPECT_FALSE(EditorShown());
}

TEST_F(EditValidation, EditOnDblClickOnlySwitchesEditingOffAfterAnEdit) {
  grid->MouseActions()->SetEditOnDblClickOnly(true);
  grid->SetOptions(grid->Options() + goEditing);
  GoTo(1, 1);
  Press(VK_F2);
  Type("d");
  Press(VK_RETURN);
  Flush();
  EXPECT_FALSE(grid->Options().Contains(goEditing));
}

TEST_F(EditValidation, WideTextCellsAreValidatedWithTheirWideText) {
  WideString seen;
  grid->OnCellValidateWide = [&](TObject*, int, int, WideString& Value, bool&) { seen = Value; };
  grid->SetCells(1, 1, "|\\wide");
  GoTo(1, 1);
  Press(VK_F2);
  Press(VK_END);
  Type("r");
  // The click on another cell closes the editor; the move validates the edit.
  grid->SetFocus();
  GoTo(2, 2);
  EXPECT_EQ(grid->Cells(1, 1), "|\\wider");
  EXPECT_FALSE(seen.empty());
}

}  // namespace
