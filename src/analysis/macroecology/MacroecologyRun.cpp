// The macroecology run through the shared run frame: the checks of the choices and of the
// constraint's values, the observed pass, a random point set per iteration, the statistics of
// six values and what the window shows.
#include "analysis/macroecology/MacroEcologyUDefined1.h"
#include "analysis/macroecology/MacroEcologyUDefined2.h"
#include "analysis/macroecology/MacroecologyMain.h"
#include "analysis/macroecology/MacroecologyOptions.h"
#include "analysis/standard_tests/StandardChecks.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"

namespace {

class TMacroEcologyRun : public TAnalysisRun {
 public:
  explicit TMacroEcologyRun(TMacroEcology& Form) : F(Form) {}

 protected:
  bool Validate() override { return CheckStandardRun([this] { return F.Init(); }); }
  String SeedText() override { return MacroecologyOpts->RandomSeedEdit->Text(); }
  String ModelName() override { return "Macro Ecology"; }
  TMemo* TimeMemo() override { return F.TimeMemo; }

  void ComputeObserved() override {
    F.CurrentSeed = SeedInUse;
    F.InitMatrices();
    F.InputGridDisplay();
    F.Observed = TPatternValues{};
    MeasurePoints(F.Points, F.RunChoice, F.Observed);
    F.ObservedChartDisplay();
    F.ObservedRegressionDisplay(F.Observed.Coefficient);
    const size_t iterations = static_cast<size_t>(Zorvan->Iterations);
    for (std::vector<double>* values : {&F.SimSpaces, &F.SimBoundarySpaces, &F.SimSumSquares,
                                        &F.SimBoundarySumSquares, &F.SimCOEfficients, &F.SimVariances})
      values->assign(iterations, 0.0);
    F.XTitle = MacroecologyOpts->XTitle();
    F.YTitle = MacroecologyOpts->YTitle();
  }

  bool SimulateIteration(Integer Iteration) override {
    F.Sims = TPatternValues{};
    if (!RandomizePoints(F.Points, F.RunConstraint)) {
      ShowMessage(kRestraintsMessage);
      return false;
    }
    MeasurePoints(F.Points, F.RunChoice, F.Sims);
    F.StoreSimulated(static_cast<size_t>(Iteration - 1));
    return true;
  }
  bool SavesSimulations() override { return MacroecologyOpts->SaveMatrixCheckBox->Checked(); }
  void SaveSimulated(Integer Iteration) override {
    Zorvan->SaveTwoColumnsToFile(Iteration, F.Points.Count(), F.Points.X, F.Points.Y, F.XTitle, F.YTitle);
  }

  void ComputeStatistics() override {
    const Integer n = Zorvan->Iterations;
    FillMacroStatistic(n, F.SimSpaces, F.Observed.WithinSpace, F.SpaceStat);
    FillMacroStatistic(n, F.SimBoundarySpaces, F.Observed.BoundaryWithinSpace, F.BoundarySpaceStat);
    FillMacroStatistic(n, F.SimSumSquares, F.Observed.SumSquares, F.SumSquaresStat);
    FillMacroStatistic(n, F.SimBoundarySumSquares, F.Observed.BoundarySumSquares, F.BoundarySumSquaresStat);
    FillMacroStatistic(n, F.SimCOEfficients, F.Observed.Coefficient, F.SlopeStat);
    FillMacroStatistic(n, F.SimVariances, F.Observed.Variance, F.DispersionStat);
    F.StatsToStrings();
    F.SimulationDisplay();
    F.MeanDisplay();
    F.SquaresDisplay();
    F.BoundaryDisplay();
    F.BoundarySquaresDisplay();
    F.SlopeDisplay();
    F.DispersionDisplay();
    F.SummaryDisplay();
    F.SimulatedChartDisplay();
    F.SimulatedRegressionDisplay(F.SlopeStat.Record.Mean);
    F.Points = TPointSet{};
    F.PageControl1->SetActivePage(F.InputSheet);
  }
  String SesText() override { return F.ses; }
  String P1Text() override { return F.fP1; }
  String P2Text() override { return F.fP2; }
  TForm* ResultsForm() override { return &F; }
  TMemo* SummaryMemo() override { return F.Memo1; }

 private:
  TMacroEcology& F;
};

}  // namespace

void TMacroEcology::Run() {
  TMacroEcologyRun run(*this);
  run.Execute();
}

bool TMacroEcology::Init() {
  if (!CheckColumnPair(MacroecologyOpts->XvariableList->ItemIndex(), MacroecologyOpts->YvariableList->ItemIndex())) return false;
  // A batch file may have fewer columns than the matrix the options form was shown on.
  if (Zorvan->MainGrid->ColCount() - 1 < 2) {
    ShowMessage("At least two columns required.");
    return false;
  }
  if (!CheckDataRows(Zorvan->MainGrid)) return false;
  RunChoice = MacroecologyOpts->Choice();
  RunConstraint = TConstraintParameters{};
  RunConstraint.Constraint = MacroecologyOpts->Constraint();
  if (RunConstraint.Constraint == TConstraint::UserNormal) {
    RunConstraint.Normal = MacroEcologyUD2->Parameters();
    if (RunConstraint.Normal.SDX == 0) {
      ShowMessage("SD x = 0 is not allowed.");
      return false;
    }
    if (RunConstraint.Normal.SDY == 0) {
      ShowMessage("SD y = 0 is not allowed.");
      return false;
    }
    // The dialog's own rules again: values kept by closing it with its close box are
    // unchecked, and a mean far below 0 would make the positive-deviate redraws endless.
    if (!TestNormalParameters(RunConstraint.Normal)) return false;
  } else if (RunConstraint.Constraint == TConstraint::UserUniform) {
    RunConstraint.Box = MacroEcologyUD1->EndPoints();
    if (!TestEndPoints(RunConstraint.Box)) return false;
  }
  return true;
}
