// The ANOVA run through the shared run frame: checks, the observed statistic, the reshuffles
// of the labels, the statistics and what the window shows.
#include "analysis/anova/AnovaMain.h"
#include "analysis/anova/AnovaOptions.h"
#include "analysis/common/ZorvanHelpersGrid.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/standard_tests/StandardChecks.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"

namespace {

class TAnovaRun : public TAnalysisRun {
 public:
  explicit TAnovaRun(TAnovaShell& Form) : S(Form) {}

 protected:
  bool Validate() override { return CheckStandardRun([this] { return S.Init(); }); }
  String SeedText() override { return AnovaOpts->RandomSeedEdit->Text(); }
  String ModelName() override { return "ANOVA"; }
  TMemo* TimeMemo() override { return S.TimeMemo; }

  void ComputeObserved() override {
    S.CurrentSeed = SeedInUse;
    S.InitMatrices();
    S.Observed_F = S.Sims.Statistic();
    S.Observed_F_s = StatText(S.Observed_F);
    S.DisplayObserved();
    S.FRatios.assign(static_cast<size_t>(Zorvan->Iterations), 0.0);
  }

  bool SimulateIteration(Integer Iteration) override {
    S.Sims.ReShuffle();
    S.F = S.Sims.Statistic();
    S.FRatios[static_cast<size_t>(Iteration - 1)] = S.F;
    return true;
  }
  bool SavesSimulations() override { return AnovaOpts->SaveMatrixCheckBox->Checked(); }
  void SaveSimulated(Integer Iteration) override {
    S.LabelsToList();
    Zorvan->SaveTwoColumnsToFile_Labels(Iteration, S.Sims.Rows(), &S.LabelsList, S.Sims.Values(),
                                        AnovaOpts->FirstTitle(), AnovaOpts->SecondTitle());
  }

  void ComputeStatistics() override {
    FillStatistic(Zorvan->Iterations, S.FRatios, S.Observed_F, S.FRatioStat);
    S.StatsToStrings();
    S.LabelsToList();
    CopyGridColumns(S.InputGrid, S.SimulationGrid, S.LabelColumn(), S.ValueColumn());
    S.SimulationDisplay();
    S.DisplayRowTitles();
    S.DisplaySimulated();
    S.FRatioDisplay();
    S.SummaryDisplay();
    S.PageControl1->SetActivePage(S.InputSheet);
  }
  String SesText() override { return S.Ses_string; }
  String P1Text() override { return S.fP1; }
  String P2Text() override { return S.fP2; }
  TForm* ResultsForm() override { return &S; }
  TMemo* SummaryMemo() override { return S.Memo1; }

 private:
  TAnovaShell& S;
};

}  // namespace

void TAnovaShell::Run() {
  TAnovaRun run(*this);
  run.Execute();
}

bool TAnovaShell::Init() {
  if (AnovaOpts->LabelsList->ItemIndex() == AnovaOpts->YvariableList->ItemIndex()) {
    ShowMessage("Labels cannot equal YVariable.");
    return false;
  }
  if (!CheckDataRows(Zorvan->MainGrid)) return false;
  return true;
}
