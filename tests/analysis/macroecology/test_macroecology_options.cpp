// The macroecology options form and its two constraint dialogs: their design, the dialogs'
// defaults from the chosen columns (recomputed only when the file or a column changed), the
// "&Edit" button, "Reset &Defaults", the remembered choices and the dialogs' checks in order.
#include "analysis/macroecology/MacroRunSupport.h"

using namespace macro_test;

namespace {

using MacroecologyOptions = MacroRunTest;

const GridRows kData = Columns({"a", "b", "c"}, {{"1", "4", "2.5"}, {"10", "30", "20"}, {"7", "8", "9"}});

Lines EditTexts(const TMacroEcologyDialog* d) {
  Lines out;
  for (TEdit* e : d->Edits) out.push_back(e->Text());
  return out;
}

TEST_F(MacroecologyOptions, DesignAndDefaults) {
  TMacroecologyOpts* o = MacroecologyOpts;
  EXPECT_EQ(o->Caption(), "Zorvan Professional: Macroecology Options");
  EXPECT_EQ(o->SymmetryGroup->Caption(), "Da&ta distribution");
  EXPECT_EQ(o->ConstraintsGroup->Items()->Strings(2), "user-defined (normal)");
  EXPECT_EQ(o->PatternGroup->Items()->Strings(3), "inverted pyramid");
  EXPECT_EQ(o->BoundaryGroup->Items()->Strings(3), "lower left");
  EXPECT_FALSE(o->EditButton->Visible());
  for (const char* name : {"LeftTriangleImage", "RightTriangleImage", "PyramidImage", "InvertedPyramidImage",
                           "UpperRightImage", "UpperLeftImage", "LowerRightImage", "LowerLeftImage"})
    EXPECT_NE(o->FindComponent(name), nullptr) << name;
  EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
  EXPECT_EQ(o->IterationsEdit->EditMask(), "!99999;1; ");
  EXPECT_EQ(MacroEcologyUD1->Caption(), "Zorvan Professional:  User-defined end points");
  EXPECT_EQ(EditTexts(MacroEcologyUD1), (Lines{"0", "1", "0", "1"}));
  EXPECT_EQ(MacroEcologyUD1->OkButton->Caption(), "&Use new end points");
  EXPECT_EQ(MacroEcologyUD2->Caption(), "Zorvan Professional: User-defined normal destribution");
  EXPECT_EQ(EditTexts(MacroEcologyUD2), (Lines{"5", "1", "5", "1"}));
  EXPECT_EQ(MacroEcologyUD2->ResetButton->Caption(), "reset &Defaults");
  // The first showing after start-up offers the first two columns.
  SetData(kData);
  onOptions = [o] {
    EXPECT_EQ(o->XvariableList->ItemIndex(), 0);
    EXPECT_EQ(o->YvariableList->ItemIndex(), 1);
  };
  macro.cancel = true;
  Zorvan->Macroecology1->Click();
  EXPECT_EQ(optionsShown, 1);
}

// The end points come from the chosen columns; typed values survive a reopening with the same
// file and columns; another Y column refills them through "&Edit".
TEST_F(MacroecologyOptions, EndPointsDialogDefaultsFollowTheColumns) {
  SetData(kData);
  std::vector<Lines> seen;
  onDialog = [&](TMacroEcologyDialog* d) {
    seen.push_back(EditTexts(d));
    d->Edits[1]->SetText("12");
    d->UseButton->Click();
  };
  TMacroecologyOpts* o = MacroecologyOpts;
  onOptions = [&] {
    o->ConstraintsGroup->SetItemIndex(1);
    EXPECT_TRUE(o->EditButton->Visible());
    o->ConstraintsGroup->SetItemIndex(1);  // the selected item: no dialog
    o->EditButton->Click();                // the same columns: the typed value stays
    o->YvariableList->SetItemIndex(2);
    o->EditButton->Click();
  };
  macro.cancel = true;
  Zorvan->Macroecology1->Click();
  EXPECT_EQ(seen, (std::vector<Lines>{{"1.00000", "4.00000", "10.00000", "30.00000"},
                                      {"1.00000", "12", "10.00000", "30.00000"},
                                      {"1.00000", "4.00000", "7.00000", "9.00000"}}));
  // A new file refills them too.
  Zorvan->FileName = "/tmp/other.txt";
  seen.clear();
  onOptions = [&] { o->EditButton->Click(); };
  Zorvan->Macroecology1->Click();
  EXPECT_EQ(seen, (std::vector<Lines>{{"1.00000", "4.00000", "7.00000", "9.00000"}}));
}

// The normal dialog: means and standard deviations (n - 1) of the columns; another Y column
// alone refills all four.
TEST_F(MacroecologyOptions, NormalDialogDefaultsFollowTheColumns) {
  SetData(kData);
  std::vector<Lines> seen;
  onDialog = [&](TMacroEcologyDialog* d) {
    seen.push_back(EditTexts(d));
    d->Edits[0]->SetText("3");
    d->UseButton->Click();
  };
  TMacroecologyOpts* o = MacroecologyOpts;
  onOptions = [&] {
    o->ConstraintsGroup->SetItemIndex(2);
    o->YvariableList->SetItemIndex(2);
    o->EditButton->Click();
  };
  macro.cancel = true;
  Zorvan->Macroecology1->Click();
  // a: 1, 4, 2.5: mean 2.5, variance 2.25; b: 10, 30, 20: mean 20, sd 10; c: 7, 8, 9: sd 1.
  EXPECT_EQ(seen, (std::vector<Lines>{{"2.50000", "1.50000", "20.00000", "10.00000"},
                                      {"2.50000", "1.50000", "8.00000", "1.00000"}}));
}

// "Reset &Defaults" puts every choice back and hides "&Edit", leaving the dialogs' values.
TEST_F(MacroecologyOptions, ResetDefaultsAndRememberedChoices) {
  SetData(kData);
  macro = MacroAnswer{};
  macro.x = 2;
  macro.y = 0;
  macro.symmetry = 1;
  macro.constraint = 1;
  macro.shape = 2;
  macro.boundary = 3;
  macro.dialog = {"0", "50", "0", "50"};
  Zorvan->Macroecology1->Click();
  ASSERT_EQ(resultsShown, 1);
  TMacroecologyOpts* o = MacroecologyOpts;
  EXPECT_EQ((std::vector<Integer>{o->CurrentX_Column, o->CurrentY_Column, o->Current_Symmetry, o->Current_Constraint,
                                  o->Current_Pattern, o->Current_Boundary}),
            (std::vector<Integer>{2, 0, 1, 1, 2, 3}));
  const Lines s = MemoLines(MacroEcology->Memo1);
  EXPECT_EQ(Slice(s, 1, 8), (Lines{"XVariable = c", "YVariable = a", "Iterations = 3", "Random seed = 7",
                                   "Data distribution = Asymmetric", "Constraint = User-defined (uniform)",
                                   "Shape = Pyramid", "Boundary test = Lower Left"}));
  onOptions = [o] {
    EXPECT_EQ(o->XvariableList->ItemIndex(), 2);
    EXPECT_EQ(o->BoundaryGroup->ItemIndex(), 3);
    EXPECT_TRUE(o->EditButton->Visible());
    o->ResetDefaults1->Click();
    EXPECT_FALSE(o->EditButton->Visible());
    for (TRadioGroup* g : {o->SymmetryGroup, o->ConstraintsGroup, o->PatternGroup, o->BoundaryGroup})
      EXPECT_EQ(g->ItemIndex(), 0) << g->Name();
    EXPECT_EQ(o->XvariableList->ItemIndex(), 0);
    EXPECT_EQ(o->YvariableList->ItemIndex(), 1);
    EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
  };
  macro.cancel = true;
  Zorvan->Macroecology1->Click();
  EXPECT_EQ(dialogsShown, 1);
  EXPECT_EQ(EditTexts(MacroEcologyUD1), (Lines{"0", "50", "0", "50"}));
  EXPECT_EQ(o->Current_Constraint, 0);
  // A remembered column beyond a narrower matrix falls back to the first two.
  o->CurrentX_Column = 2;
  SetData(Columns({"a", "b"}, {{"1", "2"}, {"3", "4"}}));
  onOptions = [o] {
    EXPECT_EQ(o->XvariableList->ItemIndex(), 0);
    EXPECT_EQ(o->YvariableList->ItemIndex(), 1);
  };
  Zorvan->Macroecology1->Click();
}

// The dialogs' rules in their order; the button closes a dialog only when they pass.
TEST_F(MacroecologyOptions, DialogChecksInOrder) {
  struct Case {
    Lines texts;
    const char* message;  // nullptr: passes
  };
  const Case endPoints[] = {
      {{"-1", "-1", "-1", "-1"}, "Minimum X must be >= 0."},
      {{"0", "-1", "-1", "-1"}, "Minimum Y must be >= 0."},
      {{"0", "0", "0", "0"}, "Maximum X must be > 0 "},
      {{"0", "1", "0", "0"}, "Maximum Y must be > 0 "},
      {{"2", "1", "0", "1"}, "Maximum X must be > Minimum X"},
      {{"0", "1", "1", "1"}, "Maximum Y must be > Minimum Y"},
      {{"0", "1", "abc", "1"}, nullptr},  // text that is no number reads as 0
  };
  const Case normal[] = {
      {{"-1", "0", "-1", "0"}, "Mean X must be >= 0 "},
      {{"0", "0", "-1", "0"}, "Standard deviation X must be > 0 "},
      {{"0", "1", "-0.5", "0"}, "Mean Y must be >= 0 "},
      {{"0", "1", "0", "0"}, "Standard deviation Y must be > 0 "},
      {{"0", "1", "0", "0.1"}, nullptr},
  };
  auto check = [](TMacroEcologyDialog* d, const Case& k) {
    SCOPED_TRACE(d->Name() + ": " + (k.message ? k.message : "passes"));
    for (int i = 0; i < 4; ++i) d->Edits[i]->SetText(k.texts[static_cast<size_t>(i)]);
    Application->Hooks.Messages.clear();
    d->SetModalResult(mrNone);
    d->UseButton->Click();
    EXPECT_EQ(Application->Hooks.Messages, k.message ? Lines{k.message} : Lines{});
    EXPECT_EQ(d->ModalResult() != mrNone, k.message == nullptr);
  };
  SetData(kData);
  TMacroecologyOpts* o = MacroecologyOpts;
  onDialog = [&](TMacroEcologyDialog* d) {
    if (d == MacroEcologyUD1)
      for (const Case& k : endPoints) check(d, k);
    else
      for (const Case& k : normal) check(d, k);
  };
  onOptions = [&] {
    o->ConstraintsGroup->SetItemIndex(1);
    o->ConstraintsGroup->SetItemIndex(2);
  };
  macro.cancel = true;
  Zorvan->Macroecology1->Click();
  EXPECT_EQ(dialogsShown, 2);
}

}  // namespace
