// Typing into the main window's grid under the real window system: a value and Enter, Escape,
// Tab and Shift+Tab, a validation handler that refuses, a saved matrix read back, and a
// thousand characters typed into one cell.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;
namespace fs = std::filesystem;

class MainGridEditing : public RealWindowTest {
 protected:
  void SetUp() override {
    RealWindowTest::SetUp();
    grid = Zorvan->MainGrid;
  }
  // A click in the middle of a cell.
  void ClickCell(int ACol, int ARow) {
    const TRect r = grid->CellRect(ACol, ARow);
    ClickAt(grid, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  bool EditorOnScreen() { return grid->InplaceEditor() != nullptr && ControlOnScreen(grid->InplaceEditor()); }
  TRivErodovOzar* grid = nullptr;
};

TEST_F(MainGridEditing, ATypedValueAndEnterStayInTheCellOrAdvanceAsTheOptionsSay) {
  ClickCell(2, 2);
  ASSERT_EQ(grid->Col(), 2);
  ASSERT_EQ(grid->Row(), 2);
  Type(grid, "7");
  ASSERT_TRUE(EditorOnScreen());
  EXPECT_EQ(ShownText(grid->InplaceEditor()), "7");
  Key(grid, VK_RETURN);
  EXPECT_EQ(grid->Cells(2, 2), "7");
  EXPECT_FALSE(EditorOnScreen());
  EXPECT_EQ(grid->Col(), 2);  // the program's grid does not advance on Enter
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_TRUE(HasFocus(grid));

  grid->Navigation()->AdvanceOnEnter = true;
  Type(grid, "8");
  Key(grid, VK_RETURN);
  EXPECT_EQ(grid->Cells(2, 2), "8");
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_TRUE(EditorOnScreen());  // the editor opens on the next cell
  EXPECT_TRUE(HasFocus(grid->InplaceEditor()));
  Key(grid, VK_ESCAPE);
  ExpectMainWindowUsable();
}

TEST_F(MainGridEditing, EscapeRestoresTheOldTextAndArrowsLeaveTheCellWithTheValue) {
  const String old = grid->Cells(1, 1);
  ClickCell(1, 1);
  Type(grid, "99");
  Key(grid, VK_ESCAPE);
  EXPECT_EQ(grid->Cells(1, 1), old);
  EXPECT_FALSE(EditorOnScreen());
  // Typing over a cell, then Down: the value goes in and the cell below becomes current.
  Type(grid, "5");
  Key(grid, VK_DOWN);
  EXPECT_EQ(grid->Cells(1, 1), "5");
  EXPECT_EQ(grid->Row(), 2);
  Type(grid, "6");
  Key(grid, VK_RIGHT);  // the arrow works on the text
  Key(grid, VK_LEFT);
  Type(grid, "0");
  Key(grid, VK_RETURN);
  EXPECT_EQ(grid->Cells(1, 2), "06");
  ExpectMainWindowUsable();
}

TEST_F(MainGridEditing, TabAndShiftTabWalkTheCellsAndLeaveTheGridAtTheEnd) {
  TEdit* next = New<TEdit>(Zorvan);  // the control after the grid
  next->SetParent(Zorvan);
  next->SetAlign(alBottom);
  Settle();
  grid->SetOptions(grid->Options() + goTabs);
  grid->Navigation()->TabToNextAtEnd = true;
  ClickCell(5, 5);
  Type(grid, "1");
  Key(grid, VK_TAB);  // the last data cell: the value goes in, the grid wraps, the focus leaves
  EXPECT_EQ(grid->Cells(5, 5), "1");
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 1);
  ASSERT_TRUE(WaitFor([&] { return HasFocus(next); }));

  ClickCell(2, 3);
  Type(grid, "2");
  Key(grid, VK_TAB);
  EXPECT_EQ(grid->Cells(2, 3), "2");
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_TRUE(HasFocus(grid->InplaceEditor()));  // Tab opened the next cell's editor
  Key(grid, VK_TAB, TShiftState{ssShift});
  Key(grid, VK_TAB, TShiftState{ssShift});
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 3);
  Key(grid, VK_TAB, TShiftState{ssShift});
  EXPECT_EQ(grid->Col(), 5);
  EXPECT_EQ(grid->Row(), 2);
  Key(grid, VK_ESCAPE);
  ExpectMainWindowUsable();
}

// The program's grid does not take Tab: Tab ends the edit with its value in the cell, and with
// no other control to go to the focus stays on the grid, so the next key types over the cell.
TEST_F(MainGridEditing, TabInTheProgramsGridEndsTheEditAndTheNextKeyTypesOver) {
  ASSERT_FALSE(grid->Options().Contains(goTabs));
  ClickCell(4, 2);
  Type(grid, "7");
  Key(grid, VK_TAB);
  EXPECT_EQ(grid->Cells(4, 2), "7");
  EXPECT_FALSE(EditorOnScreen());
  ASSERT_TRUE(HasFocus(grid));
  Type(grid, "3");
  Key(grid, VK_RETURN);
  EXPECT_EQ(grid->Cells(4, 2), "3");
  EXPECT_EQ(grid->Col(), 4);
  ExpectMainWindowUsable();
}

TEST_F(MainGridEditing, ARefusingValidationKeepsTheEditorOpenWithTheText) {
  grid->OnCellValidate = [](TObject*, int, int, String& Value, bool& Valid) { Valid = Value != "0"; };
  const String old = grid->Cells(3, 3);
  ClickCell(3, 3);
  Type(grid, "0");
  Key(grid, VK_RETURN);
  ASSERT_TRUE(EditorOnScreen());
  EXPECT_TRUE(HasFocus(grid->InplaceEditor()));
  EXPECT_EQ(ShownText(grid->InplaceEditor()), "0");
  EXPECT_EQ(grid->Cells(3, 3), old);
  Key(grid, VK_DOWN);  // leaving is refused as well
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_TRUE(EditorOnScreen());
  EXPECT_EQ(ShownText(grid->InplaceEditor()), "0");
  Type(grid, "5");  // the kept text is selected: typing replaces it
  Key(grid, VK_RETURN);
  EXPECT_EQ(grid->Cells(3, 3), "5");
  EXPECT_FALSE(EditorOnScreen());
  ExpectMainWindowUsable();
}

TEST_F(MainGridEditing, ASavedMatrixHoldsExactlyTheEditedValues) {
  const fs::path dir = fs::temp_directory_path() / ("zorvan_real_grid_editing_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const String path = (dir / "edited.txt").string();
  std::vector<std::vector<String>> expected(6, std::vector<String>(6));
  const struct {
    int col, row;
    String value;
  } edits[] = {{1, 1, "4"}, {3, 2, "12"}, {5, 5, "0"}, {2, 4, "7"}};
  for (const auto& e : edits) {
    ClickCell(e.col, e.row);
    Type(grid, e.value);
    Key(grid, VK_RETURN);
  }
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 6; ++c) expected[r][c] = grid->Cells(c, r);
  for (const auto& e : edits) EXPECT_EQ(expected[e.row][e.col], e.value);

  AnswerFileDialog(path);
  ChooseMenu(Zorvan->Spacedelimitedtxt1);
  ClickCell(1, 1);
  Type(grid, "x");  // changed after the save: the file does not have it
  Key(grid, VK_RETURN);
  AnswerFileDialog(path);
  ChooseMenu(Zorvan->Spacedelimitedtext1);
  ASSERT_EQ(grid->RowCount(), 6);
  ASSERT_EQ(grid->ColCount(), 6);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 6; ++c) EXPECT_EQ(grid->Cells(c, r), expected[r][c]) << c << "," << r;
  fs::remove_all(dir);
  ExpectMainWindowUsable();
}

// A value still being typed when a menu command runs reaches its cell first: a command that
// opens a window finds it there, and a save writes it.
TEST_F(MainGridEditing, AValueStillBeingTypedReachesTheCellBeforeAMenuCommand) {
  ClickCell(1, 1);
  Type(grid, "3");
  ASSERT_TRUE(EditorOnScreen());
  String seen;
  WhenModal(CoOccurrenceOpts, [&] {
    seen = grid->Cells(1, 1);
    ChooseMenu(CoOccurrenceOpts->Cancel1);
  });
  ChooseMenu(Zorvan->CoOccurrence1);
  EXPECT_EQ(seen, "3");
  EXPECT_EQ(grid->Cells(1, 1), "3");
  EXPECT_FALSE(EditorOnScreen());

  const fs::path dir = fs::temp_directory_path() / ("zorvan_real_edit_save_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const String path = (dir / "typed.txt").string();
  ClickCell(2, 1);
  Type(grid, "12");
  AnswerFileDialog(path);
  ChooseMenu(Zorvan->Spacedelimitedtxt1);
  std::ifstream in(path);
  String header, first, title, c1, c2;
  std::getline(in, header);
  std::getline(in, first);
  std::istringstream cells(first);
  cells >> title >> c1 >> c2;
  EXPECT_EQ(c1, "3");
  EXPECT_EQ(c2, "12");
  fs::remove_all(dir);
  ExpectMainWindowUsable();
}

TEST_F(MainGridEditing, AThousandTypedCharactersAreAllInTheCellInOrder) {
  String text;
  for (int i = 0; i < 1000; ++i) text += static_cast<char>('a' + (i * 7) % 26);
  ClickCell(2, 1);
  Type(grid, text);
  Key(grid, VK_RETURN);
  EXPECT_EQ(grid->Cells(2, 1), text);
}

}  // namespace
