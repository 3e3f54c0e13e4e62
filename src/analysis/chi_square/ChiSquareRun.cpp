// The chi-square run through the shared run frame: checks of the expected counts, the observed
// statistic, one random table per iteration, the statistics and what the window shows.
#include "analysis/chi_square/ChiSquareMain.h"
#include "analysis/chi_square/ChiSquareOptions.h"
#include "analysis/common/ZorvanHelpersGrid.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/standard_tests/StandardChecks.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"

namespace {

class TChiSquareRun : public TAnalysisRun {
 public:
  explicit TChiSquareRun(TChiSquareShell& Form) : S(Form) {}

 protected:
  bool Validate() override { return CheckStandardRun([this] { return S.Init(); }); }
  String SeedText() override { return ChiSquareOpts->RandomSeedEdit->Text(); }
  String ModelName() override { return "Chi-square"; }
  TMemo* TimeMemo() override { return S.TimeMemo; }

  void ComputeObserved() override {
    S.CurrentSeed = SeedInUse;
    S.InitMatrices();
    S.CalculateChiSquare_Observed();
    S.Observed_F = S.RVar;
    S.Observed_F_s = StatText(S.Observed_F);
    // The proportion lines: rows, then columns.
    S.Model.SetUp(static_cast<TChiSquareRandomization>(ChiSquareOpts->RandomizationGroup->ItemIndex()),
                  ChiSquareOpts->IntegerRowTotal, ChiSquareOpts->IntegerColTotal, ChiSquareOpts->IntegerMatrixTotal);
    S.Simulated.assign(static_cast<size_t>(Zorvan->Iterations), 0.0);
  }

  bool SimulateIteration(Integer Iteration) override {
    if (!S.SimulationOptions()) return false;
    S.CalculateChiSquare_Simulated();
    S.Simulated[static_cast<size_t>(Iteration - 1)] = S.RVar;
    return true;
  }
  bool SavesSimulations() override { return ChiSquareOpts->SaveMatrixCheckBox->Checked(); }
  void SaveSimulated(Integer Iteration) override { Zorvan->SaveSimulation_4(Iteration, 0, S.S_Mat); }

  void ComputeStatistics() override {
    FillStatistic(Zorvan->Iterations, S.Simulated, S.Observed_F, S.ChiSquareStat);
    S.StatsToStrings();
    S.MeanDisplay();
    S.InputGridDisplay();
    S.ExpectedGridDisplay();
    S.SimulationDisplay();
    S.SummaryDisplay();
    S.PageControl1->SetActivePage(S.InputSheet);
  }
  String SesText() override { return S.Ses_string; }
  String P1Text() override { return S.fP1; }
  String P2Text() override { return S.fP2; }
  TForm* ResultsForm() override { return &S; }
  TMemo* SummaryMemo() override { return S.Memo1; }

 private:
  TChiSquareShell& S;
};

}  // namespace

void TChiSquareShell::Run() {
  TChiSquareRun run(*this);
  run.Execute();
}

bool TChiSquareShell::Init() {
  TStringGrid* expected = ChiSquareOpts->ExpectedGrid;
  if (!CheckPositiveReals(expected)) {
    ShowMessage("Expected Grid 0 error: ");
    Zorvan->BringToFront();
    return false;
  }
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  // The totals the randomisations spread must be those of this table, too.
  const bool totalsFit = ChiSquareOpts->IntegerRowTotal.size() == static_cast<size_t>(grid->RowCount() - 1) &&
                         ChiSquareOpts->IntegerColTotal.size() == static_cast<size_t>(grid->ColCount() - 1);
  if (grid->RowCount() != expected->RowCount() || grid->ColCount() != expected->ColCount() || !totalsFit) {
    ShowMessage("Expected Row/Col counts <> Input Row/Col counts.");
    return false;
  }
  if (!CheckDataRows(grid)) return false;
  return true;
}

bool TChiSquareShell::SimulationOptions() {
  // Messages run at the start of every draw, and within a long one on a time budget.
  RunFrame::PollSoon();
  return Model.Draw(S_Mat, RunFrame::PollOnBudget, [](const std::string& text) { ShowMessage(text); });
}
