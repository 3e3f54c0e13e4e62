// The editor link: a custom editor over the cell or on the link's own pop-up form, its ending
// keys, Escape, and the text hooks of the inplace editor.
#include "EditingFixture.h"

#include "classlib/PopupForms.h"
#include "classlib/StdCtrls.h"
#include "grid/editing/GridEditLink.h"

namespace {

// A link whose editor is a plain edit, hooked up as an application would.
class TTextLink : public TEditLink {
 public:
  using TEditLink::TEditLink;
  TWinControl* GetEditControl() override { return Edit; }
  void CreateEditor(TWinControl* AParent) override {
    if (Edit == nullptr) {
      Edit = New<TEdit>(this);
      Edit->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) { EditKeyDown(Sender, Key, Shift); };
      Edit->OnExit = [this](TObject* Sender) { FormExit(Sender); };
    }
    Edit->SetParent(AParent);
  }
  void DestroyEditor() override { ++Destroyed; }
  String GetEditorValue() override { return Edit != nullptr ? Edit->Text() : String(); }
  void SetEditorValue(const String& s) override {
    if (Edit != nullptr) Edit->SetText(s);
  }
  TEdit* Edit = nullptr;
  int Destroyed = 0;
};

class EditLinkTest : public EditingGridTest {
 protected:
  void SetUp() override {
    EditingGridTest::SetUp();
    link = New<TTextLink>(form_.get());
    grid->SetEditLink(link);
    grid->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& AEditor) {
      if (ACol == 2) AEditor = edCustom;
    };
    GoTo(2, 2);
  }
  void Open() {
    Press(VK_F2);
    ASSERT_NE(link->Edit, nullptr);
    ASSERT_TRUE(link->Edit->Visible());
  }
  TTextLink* link = nullptr;
};

TEST_F(EditLinkTest, InplaceEditorLiesOverTheCellAndAnArrowWritesBackAndMoves) {
  Open();
  EXPECT_EQ(Focus(), link->Edit);
  EXPECT_EQ(link->Edit->Parent(), grid);
  EXPECT_EQ(link->Edit->Text(), "2:2");
  const TRect r = grid->CellRect(2, 2);
  EXPECT_EQ(link->Edit->Left(), r.Left);
  EXPECT_EQ(link->Edit->Width(), r.Width() - grid->GridLineWidth());
  EXPECT_FALSE(EditorShown()) << "the platform's editor stays away";
  link->Edit->SetText("new");
  Press(VK_DOWN);
  EXPECT_EQ(grid->Cells(2, 2), "new");
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_FALSE(link->Edit->Visible());
  EXPECT_EQ(Focus(), grid);
  EXPECT_FALSE(grid->EditMode);
}

TEST_F(EditLinkTest, EscapePutsBackTheTextTheCellHadWhenEditingBegan) {
  Open();
  link->Edit->SetText("typed");
  Press(VK_ESCAPE);
  EXPECT_EQ(grid->Cells(2, 2), "2:2");
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(Focus(), grid);
}

TEST_F(EditLinkTest, WantedKeysStayWithTheEditorOthersEndIt) {
  struct Case {
    Word Key;
    bool WantHomeEnd, WantUpDown, Ends;
  } cases[] = {
      {VK_HOME, false, false, true}, {VK_HOME, true, false, false}, {VK_END, true, false, false},
      {VK_UP, false, true, false},   {VK_UP, false, false, true},   {'A', false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Key);
    GoTo(2, 2);
    link->WantKeyHomeEnd = c.WantHomeEnd;
    link->WantKeyUpDown = c.WantUpDown;
    Open();
    Press(c.Key);
    EXPECT_EQ(link->Edit->Visible(), !c.Ends);
    EXPECT_EQ(Focus() == grid, c.Ends);
    if (!c.Ends) {
      Press(VK_ESCAPE);
      link->WantKeyHomeEnd = link->WantKeyUpDown = false;
    }
  }
}

TEST_F(EditLinkTest, PopupFormIsTheLinksOwnAndComesBackForTheNextEdit) {
  link->EditStyle = esPopup;
  link->PopupWidth = 140;
  link->PopupHeight = 70;
  Open();
  TPopupForm* form = link->PopupForm();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Owner(), link);
  EXPECT_EQ(link->Edit->Parent(), form);
  EXPECT_EQ(link->GetParent(), form);
  EXPECT_TRUE(form->Visible());
  const TRect r = grid->CellRect(2, 2);
  const TPoint at = grid->ClientToScreen(TPoint{r.Left, r.Top});
  EXPECT_EQ(form->Left(), at.X);
  EXPECT_EQ(form->Top(), at.Y);
  EXPECT_EQ(form->Width(), 140);
  EXPECT_EQ(form->Height(), 70);
  link->Edit->SetText("picked");
  form->Deactivate(nullptr);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(link->Destroyed, 1);
  EXPECT_EQ(grid->Cells(2, 2), "picked");
  EXPECT_FALSE(grid->EditMode);

  // The next edit, at a set place and as wide as the cell, reuses the form.
  link->AutoPopupWidth = true;
  link->PopupLeft = 50;
  link->PopupTop = 60;
  grid->SetFocus();
  Open();
  EXPECT_EQ(link->PopupForm(), form);
  EXPECT_EQ(form->Left(), 50);
  EXPECT_EQ(form->Top(), 60);
  EXPECT_EQ(form->Width(), r.Width());
  EXPECT_EQ(link->Edit->Text(), "picked");
}

TEST_F(EditLinkTest, FreeingEitherSideLeavesNoDanglingLink) {
  delete link;
  EXPECT_EQ(grid->EditLink(), nullptr);
  GoTo(2, 3);
  Press(VK_F2) ;
  EXPECT_FALSE(grid->EditMode) << "edCustom without a link shows nothing";

  auto* other = New<TTextLink>(nullptr);
  grid->SetEditLink(other);
  EXPECT_EQ(other->Grid(), grid);
  form_.reset();
  EXPECT_EQ(other->Grid(), nullptr);
  delete other;
}

TEST_F(EditLinkTest, EditTextHooksTurnLineBreakTagsIntoLinesUnlessTagsAreEdited) {
  grid->SetCells(1, 1, "one<BR>two");
  EXPECT_EQ(grid->HandleGetEditText(1, 1), "one\r\ntwo");
  grid->EditWithTags = true;
  EXPECT_EQ(grid->HandleGetEditText(1, 1), "one<BR>two");
  grid->HandleSetEditText(1, 1, "plain");
  EXPECT_EQ(grid->Cells(1, 1), "plain");
}

}  // namespace
