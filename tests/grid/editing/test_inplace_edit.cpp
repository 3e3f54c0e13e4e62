// The data grid's inplace text editor: typing opens it over the cell, Enter writes the value
// back, Escape restores the cell, the arrows leave the cell, the character filters of the
// editor types, the length limit, type-ahead completion and paste.
#include "classlib/Clipbrd.h"
#include "grid/editing/RivInplaceEdit.h"
#include "EditingFixture.h"

namespace {

using InplaceEdit = EditingGridTest;

TEST_F(InplaceEdit, TypingOpensTheGridsOwnEditorOverTheCellAndEnterWritesTheValueBack) {
  GoTo(2, 3);
  Type("7");
  ASSERT_TRUE(EditorShown());
  EXPECT_NE(dynamic_cast<TRivInplaceEdit*>(grid->InplaceEditor()), nullptr);
  EXPECT_EQ(Focus(), Editor());
  EXPECT_EQ(Editor()->Text(), "7");  // typed over the old text
  const TRect cell = grid->CellRect(2, 3);
  EXPECT_EQ(Editor()->BoundsRect(), Rect(cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1));
  EXPECT_EQ(Editor()->FormattingRect(), Rect(3, 3, Editor()->Width() - 2, Editor()->Height()));
  EXPECT_EQ(grid->Cells(2, 3), "2:3");  // nothing written while typing
  Type("5");
  Press(VK_RETURN);
  EXPECT_EQ(grid->Cells(2, 3), "75");
  EXPECT_FALSE(EditorShown());
  EXPECT_FALSE(grid->EditMode);
  EXPECT_EQ(Focus(), grid);
  EXPECT_EQ(grid->Col(), 2);  // AdvanceOnEnter is off: the cell stays
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_TRUE(grid->GridModified());
  EXPECT_TRUE(grid->IsRowModified(3));

  // Enter again opens the editor on the value; F2 too.
  Press(VK_RETURN);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "75");
  Press(VK_ESCAPE);
  EXPECT_FALSE(EditorShown());
  Press(VK_F2);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "75");
}

TEST_F(InplaceEdit, EscapePutsBackTheTextTheCellHadWhenEditingBegan) {
  GoTo(1, 1);
  Type("abc");
  ASSERT_TRUE(EditorShown());
  Press(VK_ESCAPE);
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(grid->Cells(1, 1), "1:1");
  EXPECT_FALSE(grid->GridModified());
  // A paste writes the cell at once; Escape still brings back the text from before the edit.
  Clipboard()->SetAsText("pasted");
  Type("x");
  Press('V', TShiftState{ssCtrl});
  EXPECT_EQ(grid->Cells(1, 1), "xpasted");
  Press(VK_ESCAPE);
  EXPECT_EQ(grid->Cells(1, 1), "1:1");
}

TEST_F(InplaceEdit, UpAndDownLeaveTheCellWithTheValueWrittenAndTheGridMoves) {
  GoTo(1, 2);
  Type("up");
  Press(VK_UP);
  EXPECT_EQ(grid->Cells(1, 2), "up");
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_FALSE(EditorShown());
  Type("down");
  Press(VK_DOWN);
  EXPECT_EQ(grid->Cells(1, 1), "down");
  EXPECT_EQ(grid->Row(), 2);
  // Left and Right work on the text.
  Type("ab");
  Press(VK_LEFT);
  Type("X");
  EXPECT_EQ(Editor()->Text(), "aXb");
  EXPECT_EQ(grid->Col(), 1);
}

TEST_F(InplaceEdit, AnArrowMoveAndThenTypingWritesTheCellTypedIn) {
  GoTo(1, 1);
  Press(VK_RIGHT);
  Press(VK_DOWN);
  Type("9");
  Press(VK_RETURN);
  EXPECT_EQ(grid->Cells(2, 2), "9");
  EXPECT_EQ(grid->Cells(1, 1), "1:1");
}

// What each editor type lets through, typed into an empty cell.
TEST_F(InplaceEdit, EditorTypesFilterTypedCharacters) {
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  struct Case {
    TEditorType type;
    String typed;
    String shown;
    int beeps;
  };
  const Case cases[] = {
      {edNormal, "a-1,.", "a-1,.", 0},
      {edNumeric, "-1-2a", "-12", 2},
      {edPositiveNumeric, "-12", "12", 1},
      {edFloat, "1,2,3.4-", "1,234", 1},
      {edPositiveFloat, "-1,5x", "1,5", 0},
      {edUpperCase, "ab1", "AB1", 0},
      {edCapital, "xY", "XY", 0},
      {edLowerCase, "AbC", "abc", 0},
      {edMixedCase, "john mc", "John Mc", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    grid->OnGetEditorType = [&](TObject*, int, int, TEditorType& editor) { editor = c.type; };
    GoTo(1, 1);
    grid->SetCells(1, 1, "");
    Press(VK_F2);
    ASSERT_TRUE(EditorShown());
    Application->Hooks.Beeps = 0;
    Type(c.typed);
    EXPECT_EQ(Editor()->Text(), c.shown);
    EXPECT_EQ(Application->Hooks.Beeps, c.beeps);
    Press(VK_ESCAPE);
  }
  grid->ValidChars = "01";
  grid->OnGetEditorType = [](TObject*, int, int, TEditorType& editor) { editor = edValidChars; };
  Press(VK_F2);
  Type("1021");
  EXPECT_EQ(Editor()->Text(), "101");
}

TEST_F(InplaceEdit, AFullEditorTakesOnlyBackspaceEnterAndEscapeAndCanAdvanceByItself) {
  grid->MaxEditLength = 3;
  GoTo(1, 1);
  Type("abcd");
  EXPECT_EQ(Editor()->Text(), "abc");
  Press(VK_BACK);
  EXPECT_EQ(Editor()->Text(), "ab");
  Press(VK_RETURN);
  EXPECT_EQ(grid->Cells(1, 1), "ab");

  grid->Navigation()->SetAdvanceAuto(true);  // also AdvanceOnEnter
  Type("xyz");
  EXPECT_EQ(grid->Cells(1, 1), "xyz");
  EXPECT_EQ(grid->Col(), 2);
}

TEST_F(InplaceEdit, TypeAheadCompletesFromTheLookupItemsUntilBackspace) {
  grid->Lookup = true;
  grid->LookupItems()->Add("Apple");
  grid->LookupItems()->Add("apricot");
  GoTo(1, 1);
  Type("ap");
  EXPECT_EQ(Editor()->Text(), "apple");
  EXPECT_EQ(Editor()->SelStart(), 2);
  EXPECT_EQ(Editor()->SelLength(), 3);
  Press(VK_BACK);  // takes the completed part away and stops completion
  EXPECT_EQ(Editor()->Text(), "ap");
  Press(VK_BACK);
  EXPECT_EQ(Editor()->Text(), "a");
  Type("pr");
  EXPECT_EQ(Editor()->Text(), "apricot");
}

TEST_F(InplaceEdit, PasteFollowsTheEditorTypeAndItsEvents) {
  grid->OnGetEditorType = [](TObject*, int, int, TEditorType& editor) { editor = edNumeric; };
  std::vector<String> after;
  grid->OnClipboardAfterPasteCell = [&](TObject*, int, int, const String& Value) { after.push_back(Value); };
  GoTo(1, 1);
  Press(VK_F2);
  Editor()->SetText("12");
  Editor()->SetSelStart(2);
  Clipboard()->SetAsText("x3");
  Press('V', TShiftState{ssCtrl});
  EXPECT_EQ(Editor()->Text(), "12");  // not a number: not taken
  Clipboard()->SetAsText("34\r\n");
  Press('V', TShiftState{ssCtrl});
  EXPECT_EQ(Editor()->Text(), "1234");
  EXPECT_EQ(grid->Cells(1, 1), "1234");  // written at once
  EXPECT_EQ(after, (std::vector<String>{"12", "1234"}));
  bool allow = false;
  grid->OnClipboardPaste = [&](TObject*, bool& Allow) { Allow = allow; };
  Press('V', TShiftState{ssCtrl});
  EXPECT_EQ(Editor()->Text(), "1234");
  EXPECT_EQ(after.size(), 2u);
}

TEST_F(InplaceEdit, EditChangeFiresForTypingNotForFilling) {
  std::vector<String> changes;
  grid->OnEditChange = [&](TObject*, int ACol, int ARow, const String& Value) {
    changes.push_back(IntToStr(ACol) + "," + IntToStr(ARow) + "=" + Value);
  };
  GoTo(2, 1);
  Press(VK_F2);
  EXPECT_TRUE(changes.empty());
  Press(VK_END);
  Type("x");
  EXPECT_EQ(changes, (std::vector<String>{"2,1=2:1x"}));
}

TEST_F(InplaceEdit, RightAlignedCellsGetARightAlignedEditorAndPasswordCellsHideTheirText) {
  grid->OnGetAlignment = [](TObject*, int, int ACol, TAlignment& HA, TVAlignment&) {
    if (ACol == 2) HA = taRightJustify;
  };
  GoTo(2, 1);
  Press(VK_F2);
  EXPECT_TRUE(Editor()->VAlign());
  EXPECT_EQ(Editor()->Alignment, taRightJustify);
  Press(VK_ESCAPE);
  GoTo(1, 1);
  grid->OnGetEditorType = [](TObject*, int, int, TEditorType& editor) { editor = edPassword; };
  Press(VK_F2);
  EXPECT_FALSE(Editor()->VAlign());
  EXPECT_EQ(Editor()->PasswordChar, grid->PasswordChar);
}

}  // namespace
