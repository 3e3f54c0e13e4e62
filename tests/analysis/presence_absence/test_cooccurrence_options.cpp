// The co-occurrence options form: its design state, the rules that tie its controls together,
// what it remembers per analysis, and the weights editor it opens.
#include "support/ProgramFixture.h"

#include <QWidget>

#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "analysis/presence_absence/CoOccurrenceUDefined.h"
#include "classlib/WinApi.h"

namespace {

// Item positions, as the lists show them.
enum { Equiprobable = 0, FixedSum = 1, Proportional = 2, UserDefined = 3 };
enum { Retain = 0, Discard = 1, Split = 2, Fix = 3 };
enum { Include = 0, Exclude = 1 };
enum { CScore = 0, Checkerboards = 1, Combinations = 2, VRatio = 3 };
enum { SequentialSwap = 0, IndependentSwap = 1, KnightsTour = 2 };

class CoOccurrenceOptions : public ProgramTest {
 protected:
  TCoOccurrenceOpts* f() { return CoOccurrenceOpts; }

  // A person picks an item of an index list (the list's change rule runs).
  static void Choose(TComboBox* List, int Item) {
    List->SetItemIndex(Item - 1);
    SendMessage(List->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_EQ(List->ItemIndex(), Item);
  }

  // Lets the weights editor open (closing it again at once) and counts how often it did.
  void AcceptEditor() {
    Application->Hooks.ModalForm = [this](TCustomForm* form) {
      ASSERT_EQ(form, CoOccurrenceUserDefined);
      editorShown_.push_back(f()->DefineWeights);
      editorCaptions_.push_back(form->Caption());
      form->Close();
    };
  }

  struct EmptySites {
    bool Visible;
    int Item;
  };
  EmptySites Pattern() { return {f()->PatternGroup->Visible(), f()->PatternGroup->ItemIndex()}; }

  std::vector<int> editorShown_;
  std::vector<String> editorCaptions_;
};

TEST_F(CoOccurrenceOptions, StartsWithItsDesignedControlsAndSettings) {
  EXPECT_EQ(f()->PageControl1->PageCount(), 2);
  EXPECT_EQ(f()->PreferencesSheet->Caption(), "Preferences");
  EXPECT_EQ(f()->GeneralSheet->Caption(), "General");

  EXPECT_EQ(f()->IndexGroup->Caption(), "Co-occurrence &Index");
  EXPECT_EQ(f()->IndexList->Items()->Strings(1), "Number of checkerboards ");
  EXPECT_EQ(f()->IndexList->Items()->Count(), 4);
  EXPECT_EQ(f()->IndexList->Text(), "C-score");
  EXPECT_EQ(f()->RangeGroup->Caption(), "Range &Overlap Index");
  EXPECT_EQ(f()->RangeList->Items()->Strings(2), "Overlap");
  EXPECT_EQ(f()->RangeList->ItemIndex(), 0);

  EXPECT_EQ(f()->RowGroup->Caption(), "Ro&w Constraints");
  EXPECT_EQ(f()->ColumnGroup->Caption(), "Co&Lumn Constraints");
  EXPECT_EQ(f()->ColumnGroup->Items()->Strings(UserDefined), "User-Defined");
  EXPECT_EQ(f()->RowGroup->ItemIndex(), FixedSum);
  EXPECT_EQ(f()->ColumnGroup->ItemIndex(), FixedSum);
  EXPECT_FALSE(f()->DefineButtonRows->Visible());
  EXPECT_FALSE(f()->DefineButtonCols->Visible());
  EXPECT_EQ(f()->DefineButtonCols->Caption(), "Edit");
  EXPECT_EQ(f()->DegenerateGroup->Items()->Strings(Fix), "Fix");
  EXPECT_EQ(f()->DegenerateGroup->ItemIndex(), Retain);
  EXPECT_EQ(f()->PatternGroup->Caption(), "&Empty Sites");
  EXPECT_FALSE(Pattern().Visible);
  EXPECT_EQ(Pattern().Item, Exclude);
  EXPECT_EQ(f()->FixedFixedGroup->Items()->Strings(KnightsTour), "Random Knight's Tour");
  EXPECT_TRUE(f()->FixedFixedGroup->Visible());

  EXPECT_TRUE(f()->FileEdit->ReadOnly());
  EXPECT_EQ(f()->FileEdit->Text(), "Untitled.txt");
  EXPECT_EQ(f()->IterationsEdit->Text(), "5000  ");
  EXPECT_EQ(f()->IterationsEdit->Hint, "Iterations must be >0 and < = 1,000,000");
  EXPECT_EQ(f()->RandomSeedEdit->Text(), "0");
  EXPECT_EQ(f()->RandomSeedEdit->Hint, "0 = system clock. Enter a positive integer to set a random seed. ");
  EXPECT_EQ(f()->SaveMatrixCheckBox->Caption(), "&Save simulated matrices");
  EXPECT_FALSE(f()->SaveMatrixCheckBox->Checked());

  TMenuItem* menu = f()->MainMenu1->Items();
  ASSERT_EQ(menu->Count(), 4);
  EXPECT_EQ(menu->Items(3)->Caption(), "Reset &Defaults");
  EXPECT_EQ(f()->CoOccurrenceIndex, 0);
  EXPECT_EQ(f()->RangeIndex, 0);
}

// The index lists show their chosen item whole, the longest one included.
TEST_F(CoOccurrenceOptions, IndexListsAreWideEnoughForEveryItem) {
  Application->SetViewsEnabled(true);
  f()->Show();
  for (TComboBox* list : {f()->IndexList, f()->RangeList}) {
    SCOPED_TRACE(list->Name());
    const QWidget* view = list->View();
    ASSERT_NE(view, nullptr);
    EXPECT_LE(view->sizeHint().width(), view->width());
    const TWinControl* group = list->Parent();
    EXPECT_LE(list->Left() + list->Width(), group->Width());
    // Empty Sites stands beside the list's group.
    EXPECT_LE(group->Left() + group->Width(), f()->PatternGroup->Left());
  }
}

TEST_F(CoOccurrenceOptions, IndexChoiceDecidesWhetherEmptySitesAreOffered) {
  f()->DegenerateGroup->SetItemIndex(Discard);
  ASSERT_FALSE(Pattern().Visible);

  // V-ratio with "Fixed Sum" columns: Empty Sites shown, degenerate matrices retained.
  Choose(f()->IndexList, VRatio);
  EXPECT_TRUE(Pattern().Visible);
  EXPECT_EQ(f()->DegenerateGroup->ItemIndex(), Retain);

  Choose(f()->IndexList, Checkerboards);
  EXPECT_FALSE(Pattern().Visible);
  EXPECT_EQ(Pattern().Item, Include);

  // A typed text that names no item counts like the species-combination count.
  f()->DegenerateGroup->SetItemIndex(Fix);
  SendMessage(f()->IndexList->Handle(), WM_CHAR, 'x', 0);
  EXPECT_EQ(f()->IndexList->ItemIndex(), -1);
  EXPECT_TRUE(Pattern().Visible);
  EXPECT_EQ(f()->DegenerateGroup->ItemIndex(), Retain);

  // With user-defined columns the index choice changes nothing.
  AcceptEditor();
  Choose(f()->IndexList, CScore);
  f()->ColumnGroup->SetItemIndex(UserDefined);
  f()->DegenerateGroup->SetItemIndex(Discard);
  Choose(f()->IndexList, Combinations);
  EXPECT_FALSE(Pattern().Visible);
  EXPECT_EQ(f()->DegenerateGroup->ItemIndex(), Discard);

  // Setting the list from code runs no rule.
  f()->ColumnGroup->SetItemIndex(FixedSum);
  f()->IndexList->SetItemIndex(VRatio);
  EXPECT_FALSE(Pattern().Visible);
  EXPECT_EQ(f()->DegenerateGroup->ItemIndex(), Discard);
}

TEST_F(CoOccurrenceOptions, DegeneratePolicyRuleFollowsIndexAnalysisAndColumns) {
  struct Case {
    int Range;        // RangeCoOccurrence
    int Index;        // co-occurrence index item
    bool UserColumns;
    int Policy;
    EmptySites Expected;
  };
  // Every case starts from Empty Sites hidden with "Exclude", so any change shows.
  const Case cases[] = {
      {0, CScore, false, Split, {false, Include}},
      {0, Checkerboards, false, Discard, {false, Include}},
      {0, Combinations, false, Split, {true, Exclude}},
      {0, VRatio, false, Fix, {false, Include}},
      {0, VRatio, true, Split, {false, Exclude}},
      {1, CScore, false, Split, {true, Exclude}},
      {1, CScore, false, Discard, {false, Include}},
      {1, CScore, true, Split, {false, Exclude}},
  };
  AcceptEditor();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "range " << c.Range << " index " << c.Index << " user "
                                      << c.UserColumns << " policy " << c.Policy);
    Zorvan->RangeCoOccurrence = c.Range;
    f()->IndexList->SetItemIndex(c.Index);
    f()->ColumnGroup->SetItemIndex(c.UserColumns ? UserDefined : FixedSum);
    f()->DegenerateGroup->SetItemIndex(c.Policy == Retain ? Discard : Retain);
    f()->PatternGroup->SetVisible(false);
    f()->PatternGroup->SetItemIndex(Exclude);
    f()->DegenerateGroup->SetItemIndex(c.Policy);
    EXPECT_EQ(Pattern().Visible, c.Expected.Visible);
    EXPECT_EQ(Pattern().Item, c.Expected.Item);
  }

  // Leaving user-defined columns runs the same rule.
  Zorvan->RangeCoOccurrence = 0;
  f()->IndexList->SetItemIndex(Combinations);
  f()->ColumnGroup->SetItemIndex(UserDefined);
  f()->DegenerateGroup->SetItemIndex(Split);
  ASSERT_FALSE(Pattern().Visible);
  f()->ColumnGroup->SetItemIndex(Proportional);
  EXPECT_TRUE(Pattern().Visible);
}

TEST_F(CoOccurrenceOptions, KnightsTourExcludesEmptySitesEvenWhileTheyAreHidden) {
  f()->PatternGroup->SetItemIndex(Include);
  f()->FixedFixedGroup->SetItemIndex(IndependentSwap);
  EXPECT_EQ(Pattern().Item, Include);
  f()->FixedFixedGroup->SetItemIndex(KnightsTour);
  EXPECT_EQ(Pattern().Item, Exclude);
  EXPECT_FALSE(Pattern().Visible);
}

TEST_F(CoOccurrenceOptions, FixedFixedAlgorithmsAreOfferedOnlyForTwoFixedSums) {
  f()->RowGroup->SetItemIndex(Proportional);
  EXPECT_FALSE(f()->FixedFixedGroup->Visible());
  f()->RowGroup->SetItemIndex(FixedSum);
  EXPECT_TRUE(f()->FixedFixedGroup->Visible());
  f()->ColumnGroup->SetItemIndex(Equiprobable);
  EXPECT_FALSE(f()->FixedFixedGroup->Visible());
}

TEST_F(CoOccurrenceOptions, UserDefinedConstraintsOpenTheWeightsEditorAndShowItsEditButton) {
  AcceptEditor();
  f()->RowGroup->SetItemIndex(UserDefined);
  EXPECT_TRUE(f()->DefineButtonRows->Visible());
  EXPECT_FALSE(f()->FixedFixedGroup->Visible());

  f()->PatternGroup->SetItemIndex(Exclude);
  f()->PatternGroup->SetVisible(true);
  f()->ColumnGroup->SetItemIndex(UserDefined);
  EXPECT_TRUE(f()->DefineButtonCols->Visible());
  EXPECT_FALSE(Pattern().Visible);
  EXPECT_EQ(Pattern().Item, Include);

  f()->DefineButtonRows->Click();
  f()->DefineButtonCols->Click();
  EXPECT_EQ(editorShown_, (std::vector<int>{0, 1, 0, 1}));
  EXPECT_EQ(editorCaptions_, (std::vector<String>{"Edit species weights", "Edit sites weights",
                                                  "Edit species weights", "Edit sites weights"}));

  f()->RowGroup->SetItemIndex(FixedSum);
  f()->ColumnGroup->SetItemIndex(Proportional);
  EXPECT_FALSE(f()->DefineButtonRows->Visible());
  EXPECT_FALSE(f()->DefineButtonCols->Visible());
  EXPECT_EQ(editorShown_.size(), 4u);
}

TEST_F(CoOccurrenceOptions, ResetDefaultsRunsTheRulesInItsOrder) {
  AcceptEditor();
  // V-ratio with user-defined columns and discarded matrices: resetting the columns runs the
  // degenerate rule while the index is still V-ratio, and resetting the policy to "Retain"
  // shows Empty Sites again before the index goes back to C-score.
  Choose(f()->IndexList, VRatio);
  f()->ColumnGroup->SetItemIndex(UserDefined);
  f()->RowGroup->SetItemIndex(Equiprobable);
  f()->DegenerateGroup->SetItemIndex(Discard);
  f()->FixedFixedGroup->SetItemIndex(KnightsTour);
  f()->RandomSeedEdit->SetText("77");
  f()->SaveMatrixCheckBox->SetChecked(true);
  f()->IterationsEdit->SetText("123");
  f()->FileEdit->SetText("old.txt");

  f()->ResetDefaults1->Click();
  EXPECT_EQ(f()->RowGroup->ItemIndex(), FixedSum);
  EXPECT_EQ(f()->ColumnGroup->ItemIndex(), FixedSum);
  EXPECT_TRUE(f()->FixedFixedGroup->Visible());
  EXPECT_FALSE(f()->DefineButtonCols->Visible());
  EXPECT_EQ(f()->DegenerateGroup->ItemIndex(), Retain);
  EXPECT_TRUE(Pattern().Visible);
  EXPECT_EQ(Pattern().Item, Include);
  EXPECT_EQ(f()->IndexList->ItemIndex(), CScore);
  EXPECT_EQ(f()->FixedFixedGroup->ItemIndex(), SequentialSwap);
  EXPECT_EQ(f()->RandomSeedEdit->Text(), "0");
  EXPECT_FALSE(f()->SaveMatrixCheckBox->Checked());
  EXPECT_EQ(f()->IterationsEdit->Text(), "5000  ");
  EXPECT_EQ(f()->FileEdit->Text(), Zorvan->FileName);

  // From the start state no radio group changes, so Empty Sites stays hidden, now "Include".
  f()->ResetDefaults1->Click();
  EXPECT_FALSE(Pattern().Visible);
  EXPECT_EQ(Pattern().Item, Include);

  // Range overlap resets its own list and leaves the co-occurrence one alone.
  f()->IndexList->SetItemIndex(VRatio);
  f()->RangeList->SetItemIndex(2);
  Zorvan->RangeCoOccurrence = 1;
  f()->ResetDefaults1->Click();
  EXPECT_EQ(f()->RangeList->ItemIndex(), 0);
  EXPECT_EQ(f()->IndexList->ItemIndex(), VRatio);
  EXPECT_EQ(editorShown_.size(), 1u);
}

TEST_F(CoOccurrenceOptions, EachAnalysisRemembersItsIndexBetweenShowings) {
  auto show = [&](std::function<void()> act) {
    Application->Hooks.ModalForm = [&](TCustomForm* form) {
      ASSERT_EQ(form, f());
      act();
    };
    f()->ShowModal();
  };
  Zorvan->FileName = "/data/frogs.txt";
  show([&] {
    EXPECT_TRUE(f()->IndexGroup->Visible());
    EXPECT_FALSE(f()->RangeGroup->Visible());
    EXPECT_EQ(f()->FileEdit->Text(), "/data/frogs.txt");
    Choose(f()->IndexList, Combinations);
    f()->Run1->Click();
  });
  EXPECT_TRUE(Zorvan->RunSim);
  EXPECT_EQ(f()->CoOccurrenceIndex, Combinations);

  Zorvan->RangeCoOccurrence = 1;
  f()->DegenerateGroup->SetItemIndex(Fix);
  show([&] {
    EXPECT_TRUE(f()->RangeGroup->Visible());
    EXPECT_FALSE(f()->IndexGroup->Visible());
    EXPECT_FALSE(Pattern().Visible);
    f()->RangeList->SetItemIndex(1);
    f()->Cancel1->Click();
  });
  EXPECT_FALSE(Zorvan->RunSim);
  EXPECT_EQ(f()->RangeIndex, 1);
  EXPECT_EQ(f()->CoOccurrenceIndex, Combinations);

  f()->DegenerateGroup->SetItemIndex(Split);
  show([&] {
    EXPECT_EQ(f()->RangeList->ItemIndex(), 1);
    EXPECT_TRUE(Pattern().Visible);
  });

  Zorvan->RangeCoOccurrence = 0;
  f()->PatternGroup->SetVisible(false);
  f()->IndexList->SetItemIndex(CScore);
  show([&] {
    EXPECT_EQ(f()->IndexList->ItemIndex(), Combinations);
    EXPECT_TRUE(Pattern().Visible);
    Choose(f()->IndexList, Checkerboards);
  });
  show([&] { EXPECT_FALSE(Pattern().Visible); });
  EXPECT_EQ(f()->CoOccurrenceIndex, Checkerboards);
}

TEST_F(CoOccurrenceOptions, HelpOfTheOptionsAndTheWeightsEditorOpensTheHelpFile) {
  Application->Hooks.Shell = [](const TShellRequest&) { return 42; };
  f()->Help1->Click();
  CoOccurrenceUserDefined->Show();
  KeyInput(CoOccurrenceUserDefined->SpeciesWeightsGrid, WM_KEYDOWN, VK_F1);
  ASSERT_EQ(Application->Hooks.ShellRequests.size(), 2u);
  EXPECT_EQ(Application->Hooks.ShellRequests[1].File, "zvphelp.chm");
  EXPECT_TRUE(Application->Hooks.Messages.empty());
}

}  // namespace
