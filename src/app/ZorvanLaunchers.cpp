// The "&Analyze" menu's launchers: each hands the common launcher its options form, its own
// settings and its run.
#include "analysis/anova/AnovaMain.h"
#include "analysis/anova/AnovaOptions.h"
#include "analysis/niche_overlap/NicheOverlapMain.h"
#include "analysis/niche_overlap/NicheOverlapOptions.h"
#include "analysis/macroecology/MacroecologyMain.h"
#include "analysis/macroecology/MacroecologyOptions.h"
#include "analysis/chi_square/ChiSquareMain.h"
#include "analysis/chi_square/ChiSquareOptions.h"
#include "analysis/common/ZorvanHelpersGrid.h"
#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "analysis/presence_absence/GuildStructureMain.h"
#include "analysis/presence_absence/GuildStructureOptions.h"
#include "analysis/presence_absence/SpeciesOverlapMain.h"
#include "analysis/presence_absence/SpeciesOverlapOptions.h"
#include "analysis/regression/RegressionMain.h"
#include "analysis/regression/RegressionOptions.h"
#include "analysis/size_overlap/SizeOverlapMain.h"
#include "analysis/size_overlap/SizeOverlapOptions.h"
#include "analysis/species_diversity/SpeciesDiversityMain.h"
#include "analysis/species_diversity/SpeciesDiversityOptions.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"
#include "analysis/runs_test/RunsTestMain.h"
#include "analysis/runs_test/RunsTestOptions.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"

namespace {

// Co-occurrence and range overlap share the options form and the run; the main window's
// RangeCoOccurrence tells them apart. Neither brings the main window to the front afterwards.
TZorvan::TAnalysisLauncher PresenceAbsenceLauncher(Integer RangeCoOccurrence, const String& OptionsCaption) {
  TZorvan::TAnalysisLauncher launcher;
  launcher.OptionsForm = CoOccurrenceOpts;
  launcher.IterationsEdit = CoOccurrenceOpts->IterationsEdit;
  launcher.Particulars = [RangeCoOccurrence, OptionsCaption] {
    Zorvan->RangeCoOccurrence = RangeCoOccurrence;
    CoOccurrenceOpts->SetCaption(OptionsCaption);
  };
  launcher.Run = [] { CoOccurrence->Run(); };
  launcher.BringsMainWindowToFront = false;
  return launcher;
}

// The chi-square expected counts from the data grid, each greater than 0; otherwise
// "Expected Grid 0 error: " and false.
bool ExpectedMatrixReady() {
  if (ChiSquareOpts->CalculateExpectedMatrix() && CheckPositiveReals(ChiSquareOpts->ExpectedGrid)) return true;
  ShowMessage("Expected Grid 0 error: ");
  return false;
}

// The expected counts greater than 0 as they stand (typed or opened), else the same refusal.
bool ExpectedMatrixPositive() {
  if (CheckPositiveReals(ChiSquareOpts->ExpectedGrid)) return true;
  ShowMessage("Expected Grid 0 error: ");
  return false;
}

}  // namespace

void TZorvan::CoOccurrence1Click(TObject*) {
  LaunchAnalysis(PresenceAbsenceLauncher(0, "Zorvan Professional: Co-occurrence Options"));
}

void TZorvan::N5RangeOverlap1Click(TObject*) {
  LaunchAnalysis(PresenceAbsenceLauncher(1, "Zorvan Professional: Range Overlap Options"));
}

void TZorvan::N7GuildStructure1Click(TObject*) {
  TAnalysisLauncher launcher;
  launcher.OptionsForm = GuildStructureOpts;
  launcher.IterationsEdit = GuildStructureOpts->IterationsEdit;
  launcher.Run = [] { GuildStructure->Run(); };
  LaunchAnalysis(launcher);
}

void TZorvan::SpeciesOverlap1Click(TObject*) {
  TAnalysisLauncher launcher;
  launcher.OptionsForm = SpeciesOverlapOpts;
  launcher.IterationsEdit = SpeciesOverlapOpts->IterationsEdit;
  launcher.Run = [] { SpeciesOverlap->Run(); };
  LaunchAnalysis(launcher);
}

void TZorvan::regression1Click(TObject*) {
  TAnalysisLauncher launcher;
  launcher.OptionsForm = RegressionOpts;
  launcher.IterationsEdit = RegressionOpts->IterationsEdit;
  launcher.Run = [] { RegressionShell->Run(); };
  LaunchAnalysis(launcher);
}

void TZorvan::Anova1Click(TObject*) {
  TAnalysisLauncher launcher;
  launcher.OptionsForm = AnovaOpts;
  launcher.IterationsEdit = AnovaOpts->IterationsEdit;
  launcher.Run = [] { AnovaShell->Run(); };
  LaunchAnalysis(launcher);
}

void TZorvan::NicheOverlap1Click(TObject*) {
  TAnalysisLauncher launcher;
  launcher.OptionsForm = NicheOverlapOpts;
  launcher.IterationsEdit = NicheOverlapOpts->IterationsEdit;
  launcher.Run = [] { NicheOverlap->Run(); };
  LaunchAnalysis(launcher);
}

void TZorvan::SizeOverlap1Click(TObject*) {
  TAnalysisLauncher launcher;
  launcher.OptionsForm = SizeOverlapOpts;
  launcher.IterationsEdit = SizeOverlapOpts->IterationsEdit;
  // The histogram editor's pool starts at the data's species count.
  launcher.Particulars = [] { Zorvan->SpeciesPool = IntToStr(Zorvan->MainGrid->RowCount() - 1); };
  launcher.Run = [] { SizeOverlap->Run(); };
  LaunchAnalysis(launcher);
}

// Species diversity keeps the batch grid and checks each batch file's size first.
void TZorvan::SpeciesDiversity1Click(TObject*) {
  TAnalysisLauncher launcher;
  launcher.OptionsForm = SpeciesDiversityOpts;
  launcher.IterationsEdit = SpeciesDiversityOpts->IterationsEdit;
  launcher.Run = [] { SpeciesDiversity->Run(); };
  launcher.ClearsBatchGrid = false;
  launcher.ChecksDiversityLimits = true;
  LaunchAnalysis(launcher);
}

void TZorvan::Macroecology1Click(TObject*) {
  TAnalysisLauncher launcher;
  launcher.OptionsForm = MacroecologyOpts;
  launcher.IterationsEdit = MacroecologyOpts->IterationsEdit;
  launcher.Run = [] { MacroEcology->Run(); };
  LaunchAnalysis(launcher);
}

// Chi-square computes the expected counts before the form shows (in batch mode from the first
// listed file), and checks every batch file for positive integer counts.
void TZorvan::ChiSquare1Click(TObject*) {
  TAnalysisLauncher launcher;
  launcher.OptionsForm = ChiSquareOpts;
  launcher.IterationsEdit = ChiSquareOpts->IterationsEdit;
  launcher.Prepare = [this] {
    if (BatchSwitch) {
      FileName = Memo1->Lines()->Strings(0);
      if (FileName.empty()) return false;
      OpenBatchFile();
      if (!Flag) return false;
    }
    return ExpectedMatrixReady();
  };
  launcher.CheckBatchFile = [this] {
    if (!CheckPositiveIntegers(MainGrid)) {
      ShowMessage("File 0 error: " + FileName);
      return false;
    }
    return ExpectedMatrixReady();
  };
  launcher.Run = [this] {
    if (!ExpectedMatrixPositive()) {
      Flag = false;
      return;
    }
    ChiSquareShell->Run();
  };
  LaunchAnalysis(launcher);
}

void TZorvan::RunsTest1Click(TObject*) {
  TAnalysisLauncher launcher;
  launcher.OptionsForm = RunsTestOpts;
  launcher.IterationsEdit = RunsTestOpts->IterationsEdit;
  launcher.Run = [] { RunsTestShell->Run(); };
  LaunchAnalysis(launcher);
}

void TZorvan::WireAnalysisLaunchers() {
  CoOccurrence1->OnClick = [this](TObject* s) { CoOccurrence1Click(s); };
  RangeOverlap1->OnClick = [this](TObject* s) { N5RangeOverlap1Click(s); };
  GuildStructure1->OnClick = [this](TObject* s) { N7GuildStructure1Click(s); };
  SpeciesOverlap1->OnClick = [this](TObject* s) { SpeciesOverlap1Click(s); };
  Regression1->OnClick = [this](TObject* s) { regression1Click(s); };
  Anova1->OnClick = [this](TObject* s) { Anova1Click(s); };
  NicheOverlap1->OnClick = [this](TObject* s) { NicheOverlap1Click(s); };
  SizeOverlap1->OnClick = [this](TObject* s) { SizeOverlap1Click(s); };
  SpeciesDiversity1->OnClick = [this](TObject* s) { SpeciesDiversity1Click(s); };
  Macroecology1->OnClick = [this](TObject* s) { Macroecology1Click(s); };
  ChiSquare1->OnClick = [this](TObject* s) { ChiSquare1Click(s); };
  RunsTest1->OnClick = [this](TObject* s) { RunsTest1Click(s); };
}
