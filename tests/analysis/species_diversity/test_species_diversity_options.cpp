// The species-diversity options form and the levels editor, driven headless as a person
// would: the sample unit swapping the column box and the level groups, the "User-defined"
// choice opening the editor, the remembered column and index, "reset &Defaults", and the
// editor's check and its Cancel.
#include "analysis/species_diversity/DiversityRunSupport.h"

using namespace diversity_test;

namespace {

class DiversityOptions : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    o = SpeciesDiversityOpts;
    Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
    Application->Hooks.ModalForm = [this](TCustomForm* form) {
      if (form == SpeciesDiversityOpts && onOptions) return onOptions();
      if (form == AbundanceLevelsOpts && onEditor) {
        ++editorShown;
        return onEditor();
      }
      ADD_FAILURE() << "unexpected modal form " << form->Name();
    };
    SetData({{"species", "c1", "c2", "c3"}, {"a", "1", "2", "3"}, {"b", "3", "2", "1"}});
  }
  std::function<void()> onOptions, onEditor;
  int editorShown = 0;
  TSpeciesDiversityOpts* o = nullptr;
};

TEST_F(DiversityOptions, DesignDefaults) {
  EXPECT_EQ(o->Caption(), "Zorvan Professional: Species Diversity Options");
  EXPECT_EQ(o->resetDefaults1->Caption(), "reset &Defaults");
  EXPECT_EQ(o->SpeciesGroup->ItemIndex(), 0);
  EXPECT_EQ(o->RandomizationGroup->ItemIndex(), 1);
  EXPECT_EQ(o->AbundanceLevelsGroup->ItemIndex(), 0);
  EXPECT_EQ(o->IndexList->Items()->Count(), 4);
  EXPECT_EQ(o->IndexList->Items()->Strings(1), "Hurlbert's PIE");
  EXPECT_EQ(LeadingInt(o->IterationsEdit->Text()), 1000);
  EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
  EXPECT_FALSE(o->SampleLevelsGroup->Visible());
  EXPECT_FALSE(o->DefineButton->Visible());
  EXPECT_FALSE(o->DefineButton2->Visible());
  EXPECT_EQ(AbundanceLevelsOpts->Memo1->Lines()->Text(), "10\r\n20\r\n");
}

// Switching to "Samples" and back restores the column box and the abundance levels with their
// "&Edit" state; each "User-defined" opens the editor once.
TEST_F(DiversityOptions, SampleUnitSwapsTheGroups) {
  onEditor = [] { AbundanceLevelsOpts->OKButton->Click(); };
  o->AbundanceLevelsGroup->SetItemIndex(1);
  EXPECT_EQ(editorShown, 1);
  EXPECT_TRUE(o->DefineButton->Visible());
  o->SpeciesGroup->SetItemIndex(1);
  EXPECT_FALSE(o->ColumnToAnalyzeBox->Visible());
  EXPECT_FALSE(o->AbundanceLevelsGroup->Visible());
  EXPECT_FALSE(o->DefineButton->Visible());
  EXPECT_TRUE(o->SampleLevelsGroup->Visible());
  EXPECT_FALSE(o->DefineButton2->Visible());
  o->SampleLevelsGroup->SetItemIndex(1);
  EXPECT_EQ(editorShown, 2);
  EXPECT_TRUE(o->DefineButton2->Visible());
  o->DefineButton2->Click();
  EXPECT_EQ(editorShown, 3);
  o->SpeciesGroup->SetItemIndex(0);
  EXPECT_TRUE(o->ColumnToAnalyzeBox->Visible());
  EXPECT_TRUE(o->AbundanceLevelsGroup->Visible());
  EXPECT_TRUE(o->DefineButton->Visible());
  EXPECT_FALSE(o->SampleLevelsGroup->Visible());
  EXPECT_FALSE(o->DefineButton2->Visible());
  o->DefineButton->Click();
  EXPECT_EQ(editorShown, 4);
  o->AbundanceLevelsGroup->SetItemIndex(0);
  EXPECT_FALSE(o->DefineButton->Visible());
  EXPECT_EQ(editorShown, 4);
}

// The column chosen stays chosen from one showing to the next; a narrower matrix falls back to
// the first column; "reset &Defaults" selects the first column and the design values.
TEST_F(DiversityOptions, ColumnAndIndexAreRemembered) {
  onOptions = [this] {
    EXPECT_EQ(o->ColumnList->Items()->Count(), 3);
    EXPECT_EQ(o->ColumnList->Items()->Strings(2), "c3");
    o->ColumnList->SetItemIndex(2);
    o->IndexList->SetItemIndex(3);
    o->Run1->Click();
  };
  o->ShowModal();
  EXPECT_EQ(o->CurrentColumn, 2);
  EXPECT_EQ(o->CurrentIndex, 3);
  EXPECT_TRUE(Zorvan->RunSim);
  onOptions = [this] {
    EXPECT_EQ(o->ColumnList->ItemIndex(), 2);
    EXPECT_EQ(o->IndexList->ItemIndex(), 3);
    EXPECT_EQ(o->FileEdit->Text(), Zorvan->FileName);
    o->Cancel1->Click();
  };
  o->ShowModal();
  EXPECT_FALSE(Zorvan->RunSim);
  SetData({{"species", "only"}, {"a", "1"}, {"b", "2"}});
  onOptions = [this] {
    EXPECT_EQ(o->ColumnList->Items()->Count(), 1);
    EXPECT_EQ(o->ColumnList->ItemIndex(), 0);
    o->Cancel1->Click();
  };
  o->ShowModal();

  onEditor = [] { AbundanceLevelsOpts->OKButton->Click(); };
  o->SpeciesGroup->SetItemIndex(1);
  o->SampleLevelsGroup->SetItemIndex(1);
  o->SpeciesGroup->SetItemIndex(0);
  o->AbundanceLevelsGroup->SetItemIndex(1);
  o->RandomizationGroup->SetItemIndex(0);
  o->RandomSeedEdit->SetText("55");
  o->SaveMatrixCheckBox->SetChecked(true);
  o->IterationsEdit->SetText("20");
  o->IndexList->SetItemIndex(2);
  o->resetDefaults1->Click();
  EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
  EXPECT_EQ(o->RandomizationGroup->ItemIndex(), 1);
  EXPECT_EQ(o->IndexList->ItemIndex(), 0);
  EXPECT_EQ(o->ColumnList->ItemIndex(), 0);
  EXPECT_FALSE(o->SaveMatrixCheckBox->Checked());
  EXPECT_EQ(o->AbundanceLevelsGroup->ItemIndex(), 0);
  EXPECT_FALSE(o->DefineButton->Visible());
  EXPECT_EQ(LeadingInt(o->IterationsEdit->Text()), 1000);
  // The sample-levels choice stays.
  EXPECT_EQ(o->SampleLevelsGroup->ItemIndex(), 1);
}

// "&OK" checks the lines, names the first one not above 0 and closes anyway; "&Cancel" undoes
// the edits of that showing only.
TEST_F(DiversityOptions, LevelsEditorChecksAndCancels) {
  TAbundanceLevelsOpts* e = AbundanceLevelsOpts;
  onEditor = [e] {
    e->Memo1->Lines()->SetText("5\r\n0\r\n20");
    e->OKButton->Click();
  };
  e->ShowModal();
  EXPECT_EQ(Application->Hooks.Messages, (Lines{"Abundance levels must be > 0 \r\nerror line: 2"}));
  EXPECT_FALSE(e->Visible());
  EXPECT_EQ(e->Memo1->Lines()->Text(), "5\r\n0\r\n20\r\n");

  Application->Hooks.Messages.clear();
  onEditor = [e] {
    EXPECT_EQ(e->SavedText, "5\r\n0\r\n20\r\n");
    e->Memo1->Lines()->SetText("7\r\n8");
    e->CancelButton->Click();
  };
  e->ShowModal();
  EXPECT_EQ(e->Memo1->Lines()->Text(), "5\r\n0\r\n20\r\n");
  onEditor = [e] {
    e->Memo1->Lines()->SetText("7\r\n8");
    e->OKButton->Click();
  };
  e->ShowModal();
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_EQ(e->Memo1->Lines()->Text(), "7\r\n8\r\n");
}

}  // namespace
