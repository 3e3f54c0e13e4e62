// A menu command runs on the data as the user sees it: a value still being typed in the data
// grid is validated and reaches its cell before the command reads the grid; a value the
// validation refuses keeps its editor open and the command does not run.
#include "EditingFixture.h"
#include "classlib/Menus.h"

namespace {

class EditBeforeCommand : public EditingGridTest {
 protected:
  void SetUp() override {
    EditingGridTest::SetUp();
    auto* menu = New<TMainMenu>(form_.get());
    command = menu->Items()->AddItem("&Run", scNone, [this](TObject*) {
      ++runs;
      seen = grid->Cells(2, 2);
    });
    form_->SetMenu(menu);
  }
  void Choose() { SendMessage(form_->Handle(), WM_COMMAND, command->Command(), 0); }
  TMenuItem* command = nullptr;
  int runs = 0;
  String seen;
};

TEST_F(EditBeforeCommand, TheTypedValueReachesTheCellBeforeTheCommandUnlessValidationRefusesIt) {
  const struct {
    const char* typed;
    bool refuse;
    const char* seen;   // the cell when the command ran ("" when it did not)
    const char* cell;   // the cell afterwards
    bool editorOpen;
  } cases[] = {
      {"42", false, "42", "42", false},
      {"0", true, "", "2:2", true},
      {"", false, "2:2", "2:2", false},  // nothing typed: the command runs on the cell as it is
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    grid->OnCellValidate = [&](TObject*, int, int, String& Value, bool& Valid) { Valid = !(c.refuse && Value == "0"); };
    GoTo(2, 2);
    Type(c.typed);
    runs = 0;
    seen.clear();
    Choose();
    EXPECT_EQ(runs, c.seen[0] != '\0' ? 1 : 0);
    EXPECT_EQ(seen, c.seen);
    EXPECT_EQ(grid->Cells(2, 2), c.cell);
    EXPECT_EQ(EditorShown(), c.editorOpen);
    if (c.editorOpen) {
      EXPECT_EQ(Focus(), Editor());
      EXPECT_EQ(Editor()->Text(), c.typed);  // the refused text is still there to correct
      Press(VK_ESCAPE);
    } else {
      EXPECT_EQ(Focus(), grid);
    }
    grid->SetCells(2, 2, "2:2");
  }
}

TEST_F(EditBeforeCommand, AnEditorLeftOnScreenWhileTheGridHasTheFocusIsWrittenToo) {
  GoTo(1, 3);
  Type("9");
  ASSERT_TRUE(EditorShown());
  grid->SetFocus();  // the focus came back to the grid with the editor still up
  ASSERT_EQ(Focus(), grid);
  command->OnClick = [this](TObject*) { seen = grid->Cells(1, 3); };
  command->Click();
  EXPECT_EQ(seen, "9");
  EXPECT_FALSE(EditorShown());
}

}  // namespace
