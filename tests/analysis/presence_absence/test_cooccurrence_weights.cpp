// The weights editor of the user-defined constraints: default weights and when they are
// rebuilt, the weight check, and reading and writing weights files.
#include "support/ProgramFixture.h"

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "analysis/presence_absence/CoOccurrenceUDefined.h"
#include "classlib/SysUtils.h"

namespace {

namespace fs = std::filesystem;

class WeightsEditor : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    dir_ = fs::temp_directory_path() / ("zorvan-weights-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::remove_all(dir_);
    ProgramTest::TearDown();
  }

  TCoOccurrenceUserDefined* e() { return CoOccurrenceUserDefined; }

  // Shows the editor for species (0) or site (1) weights, as the options form does.
  void ShowFor(int DefineWeights) {
    CoOccurrenceOpts->DefineWeights = DefineWeights;
    e()->Hide();
    e()->Show();
  }

  String Write(const String& Name, const String& Bytes) {
    String path = (dir_ / Name).string();
    std::ofstream(path, std::ios::binary) << Bytes;
    return path;
  }
  static String Read(const String& Path) { return ReadFileBytes(Path); }

  // Answers the next file dialog with Path (or Cancel when empty) and records its settings.
  void AnswerDialog(const String& Path) {
    Application->Hooks.FileDialog = [this, Path](TCommonDialog* d) {
      auto* od = dynamic_cast<TOpenDialog*>(d);
      dialogTitle_ = od->Title;
      dialogName_ = od->FileName;
      if (Path.empty()) return false;
      od->FileName = Path;
      return true;
    };
  }

  static std::vector<String> Column(TStringGrid* g, int Col) { return g->ColTexts(Col); }

  fs::path dir_;
  String dialogTitle_;
  String dialogName_;
};

// The species weights file of the start-up matrix with every weight 1.0.
const String kSpeciesFile =
    "Species Weights\r\nspecies1 1.0\r\nspecies2 1.0\r\nspecies3 1.0\r\nspecies4 1.0\r\nspecies5 1.0\r\n";

TEST_F(WeightsEditor, FirstShowingGivesEverySpeciesAndSiteWeightOne) {
  ShowFor(0);
  TStringGrid* sp = e()->SpeciesWeightsGrid;
  EXPECT_EQ(e()->Caption(), "Edit species weights");
  EXPECT_TRUE(sp->Visible());
  EXPECT_FALSE(e()->SitesWeightsGrid->Visible());
  ASSERT_EQ(sp->ColCount(), 2);
  EXPECT_EQ(Column(sp, 0), (std::vector<String>{"Species", "species1", "species2", "species3", "species4", "species5"}));
  EXPECT_EQ(Column(sp, 1), (std::vector<String>{"Weights", "1.0", "1.0", "1.0", "1.0", "1.0"}));
  EXPECT_EQ(sp->FixedRows(), 1);
  EXPECT_EQ(sp->FixedCols(), 0);

  Zorvan->MainGrid->SetColCount(4);
  ShowFor(1);  // same file: the site grid keeps the six rows it was built with
  TStringGrid* st = e()->SitesWeightsGrid;
  EXPECT_EQ(e()->Caption(), "Edit sites weights");
  EXPECT_TRUE(st->Visible());
  EXPECT_FALSE(sp->Visible());
  EXPECT_EQ(Column(st, 0), (std::vector<String>{"Sites", "site1", "site2", "site3", "site4", "site5"}));
  EXPECT_EQ(st->Cells(1, 5), "1.0");
}

TEST_F(WeightsEditor, WeightsSurviveUntilTheDataFileChanges) {
  ShowFor(0);
  e()->SpeciesWeightsGrid->SetCells(1, 2, "7");
  ShowFor(1);
  ShowFor(0);
  EXPECT_EQ(e()->SpeciesWeightsGrid->Cells(1, 2), "7");

  Zorvan->MainGrid->SetRowCount(4);
  Zorvan->FileName = "/elsewhere/birds.txt";
  ShowFor(0);
  EXPECT_EQ(e()->SpeciesWeightsGrid->RowCount(), 4);
  EXPECT_EQ(e()->SpeciesWeightsGrid->Cells(1, 2), "1.0");
  EXPECT_EQ(e()->CurrentFile, "/elsewhere/birds.txt");
}

TEST_F(WeightsEditor, UseNewWeightsClosesOnlyWhenEveryWeightIsPositive) {
  struct Case {
    String Weight;
    bool Passes;
  };
  const Case cases[] = {{"0", false}, {"-1", false}, {"abc", false}, {"", false}, {"0.0001", true},
                        {"2.5", true}, {"12abc", true}, {" 3", true}};
  ShowFor(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Weight);
    Application->Hooks.Messages.clear();
    e()->SitesWeightsGrid->SetCells(1, 3, c.Weight);
    EXPECT_EQ(e()->TestUserDefined(), c.Passes);
    if (c.Passes)
      EXPECT_TRUE(Application->Hooks.Messages.empty());
    else
      EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Weights must be > 0 \nerror row: 3"}));
  }

  // Only the first failing row is reported, and the editor stays open until all pass.
  e()->SitesWeightsGrid->SetCells(1, 2, "0");
  e()->SitesWeightsGrid->SetCells(1, 4, "0");
  Application->Hooks.Messages.clear();
  e()->Hide();
  Application->Hooks.ModalForm = [this](TCustomForm*) {
    e()->Usenewweights1->Click();
    EXPECT_EQ(e()->ModalResult(), mrNone);
    e()->SitesWeightsGrid->SetCells(1, 2, "1");
    e()->SitesWeightsGrid->SetCells(1, 4, "1");
    e()->Usenewweights1->Click();
    EXPECT_NE(e()->ModalResult(), mrNone);
  };
  e()->ShowModal();
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Weights must be > 0 \nerror row: 2"}));
}

TEST_F(WeightsEditor, SavedFileHasOneBlankBetweenCellsAndReadsBackTheSame) {
  ShowFor(0);
  e()->SpeciesWeightsGrid->SetCells(1, 4, "2.5");
  String path = (dir_ / "weights.txt").string();
  AnswerDialog(path);
  e()->Saveweights1->Click();
  EXPECT_EQ(dialogTitle_, "Select a file name.");
  EXPECT_EQ(dialogName_, "weights.txt");
  String expected = kSpeciesFile;
  expected.replace(expected.find("species4 1.0"), 12, "species4 2.5");
  EXPECT_EQ(Read(path), expected);

  e()->SpeciesWeightsGrid->SetCells(1, 4, "9");
  e()->SpeciesWeightsGrid->SetCells(0, 1, "changed");
  AnswerDialog(path);
  e()->Openweights1->Click();
  EXPECT_EQ(dialogTitle_, "Select an ASCII file to open.");
  EXPECT_EQ(dialogName_, "");
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_EQ(e()->SpeciesWeightsGrid->Cells(1, 4), "2.5");
  EXPECT_EQ(e()->SpeciesWeightsGrid->Cells(0, 1), "species1");
  EXPECT_EQ(e()->SpeciesWeightsGrid->ColCount(), 2);
  EXPECT_EQ(e()->SpeciesWeightsGrid->FixedRows(), 1);
  EXPECT_EQ(e()->SpeciesWeightsGrid->FixedCols(), 0);
}

TEST_F(WeightsEditor, EveryKindOfLineEndReadsTheSame) {
  ShowFor(0);
  for (const String& eol : {String("\r\n"), String("\n"), String("\r")}) {
    String text = kSpeciesFile;
    for (size_t at = text.find("\r\n"); at != String::npos; at = text.find("\r\n", at + eol.size()))
      text.replace(at, 2, eol);
    text.replace(text.find("species3 1.0"), 12, "species3 4");
    e()->SetDefaults();
    e()->OpenWeightsFile(e()->SpeciesWeightsGrid, Write("w.txt", text));
    SCOPED_TRACE(eol == "\n" ? "LF" : eol == "\r" ? "CR" : "CR LF");
    EXPECT_TRUE(Application->Hooks.Messages.empty());
    EXPECT_EQ(Column(e()->SpeciesWeightsGrid, 1), (std::vector<String>{"Weights", "1.0", "1.0", "4", "1.0", "1.0"}));
    EXPECT_EQ(Column(e()->SpeciesWeightsGrid, 0)[5], "species5");
  }
}

TEST_F(WeightsEditor, ABlankInsideATitleShiftsTheWeightOutOfView) {
  ShowFor(0);
  String text = kSpeciesFile;
  text.replace(text.find("species2 1.0"), 12, "red fox 3");
  e()->OpenWeightsFile(e()->SpeciesWeightsGrid, Write("w.txt", text));
  TStringGrid* g = e()->SpeciesWeightsGrid;
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_EQ(g->ColCount(), 2);
  EXPECT_EQ(g->Cells(0, 2), "red");
  EXPECT_EQ(g->Cells(1, 2), "fox");
  // The weight stays outside the grid's columns, so the check reports the row.
  EXPECT_FALSE(e()->TestUserDefined());
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Weights must be > 0 \nerror row: 2"}));
}

TEST_F(WeightsEditor, AFileWithTheWrongRowCountLeavesTheDefaults) {
  struct Case {
    int DefineWeights;
    String Text;
    String Message;
  };
  // Far more lines than the data grid has rows or columns: reading stops early, same refusal.
  String manyLines;
  for (int i = 0; i < 100000; ++i) manyLines += "s" + std::to_string(i) + " 2\r\n";
  // The species file without its last line break loses its last line.
  const Case cases[] = {
      {0, manyLines, "Weights row count must = MainGrid row count."},
      {1, manyLines, "Weights row count must = MainGrid col count."},
      {0, kSpeciesFile.substr(0, kSpeciesFile.size() - 2), "Weights row count must = MainGrid row count."},
      {0, "Species Weights\r\n", "Weights row count must = MainGrid row count."},
      {0, "", "Weights row count must = MainGrid row count."},
      {1, "Sites Weights\r\nsite1 2\r\nsite2 2\r\n", "Weights row count must = MainGrid col count."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    ShowFor(c.DefineWeights);
    TStringGrid* g = c.DefineWeights == 1 ? e()->SitesWeightsGrid : e()->SpeciesWeightsGrid;
    g->SetCells(1, 1, "5");
    Application->Hooks.Messages.clear();
    AnswerDialog(Write("w.txt", c.Text));
    e()->Openweights1->Click();
    EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{c.Message}));
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->Cells(1, 1), "1.0");
    EXPECT_EQ(g->Cells(1, 0), "Weights");
    EXPECT_EQ(g->FixedRows(), 1);
  }
}

TEST_F(WeightsEditor, FileProblemsAreReported) {
  ShowFor(0);
  e()->SpeciesWeightsGrid->SetCells(1, 1, "5");
  AnswerDialog("");
  e()->Openweights1->Click();
  AnswerDialog((dir_ / "missing.txt").string());
  e()->Openweights1->Click();
  EXPECT_EQ(e()->SpeciesWeightsGrid->Cells(1, 1), "5");

  AnswerDialog((dir_ / "no-such-folder" / "weights.txt").string());
  e()->Saveweights1->Click();
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Error opening file.", "Error writing file."}));
}

TEST_F(WeightsEditor, ResetDefaultsRebuildsTheGridBeingEdited) {
  ShowFor(1);
  e()->SitesWeightsGrid->SetCells(1, 1, "3");
  e()->SpeciesWeightsGrid->SetCells(1, 1, "3");
  e()->ResetDefaults1->Click();
  EXPECT_EQ(e()->SitesWeightsGrid->Cells(1, 1), "1.0");
  EXPECT_EQ(e()->SpeciesWeightsGrid->Cells(1, 1), "3");
  EXPECT_EQ(e()->Caption(), "Edit site weights");
}

}  // namespace
