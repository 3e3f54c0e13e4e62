// The niche-overlap run: checks and preparation, the observed pair overlaps, the iterations of
// the chosen algorithm, the statistics of the pair overlaps' mean and variance, and the
// summary text.
#include <cmath>

#include "analysis/common/ZorvanHelpersGrid.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/niche_overlap/NicheOverlapMain.h"
#include "analysis/niche_overlap/NicheOverlapOptions.h"
#include "analysis/niche_overlap/NicheOverlapUDefined.h"
#include "app/ResultsFormParts.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"

namespace {

constexpr Integer kNicheMaxIterations = 1000000;

// The histogram block of the summary: line k of the edges text, two blanks, line k of the
// counts text, for the empty first line and the 12 bins.
void AddHistogramLines(TStrings* Lines, const String& Edges, const String& Counts) {
  TStringList edges, counts;
  edges.SetText(Edges);
  counts.SetText(Counts);
  for (int k = 0; k <= 12; ++k) {
    const String e = k < edges.Count() ? edges.Strings(k) : String();
    const String c = k < counts.Count() ? counts.Strings(k) : String();
    Lines->Add(e + "  " + c);
  }
}

}  // namespace

void TNicheOverlap::Run() {
  RunFrame::TRunScope scope;
  // Cleared here rather than just before the loop, so that an abort pressed while the progress
  // window comes up is not lost.
  Zorvan->InterruptFlag = false;
  RunFrame::WriteStartTime(TimeMemo);
  if (!Init()) {
    RunFrame::Fail("Initialization failed.");
    return;
  }

  // Observed: proportions of the (weighted) observed matrix and their pair overlaps.
  FSims.ObservedPairs(FRunPairs);
  const Integer pairs = static_cast<Integer>(FRunPairs.size());
  CalculateMeanVariance(pairs, FRunPairs, FRunMean, FRunVariance);

  RunFrame::StartProgress("Niche Overlap");

  // Sized once; an iteration allocates nothing.
  const Integer iterations = FIn.Iterations;
  FIterationPairs.assign(FRunPairs.size(), 0.0);
  FMeans.assign(static_cast<size_t>(iterations), 0.0);
  FVariances.assign(FMeans.size(), 0.0);
  for (Integer n = 1; n <= iterations; ++n) {
    if (RunFrame::Interrupted()) return;
    FSims.Randomize();
    if (FIn.SaveMatrices) {
      CopySimulated();
      Zorvan->SaveSimulation_3(n, 0, SimulatedMatrix);
    }
    FSims.SimulatedPairs(FIterationPairs);
    const size_t i = static_cast<size_t>(n - 1);
    CalculateMeanVariance(pairs, FIterationPairs, FMeans[i], FVariances[i]);
    RunFrame::StepProgress();
  }

  CopySimulated();
  FObservedPairs = FRunPairs;
  Statistics();
  StatsToStrings();
  DisplayResults();
  RunFrame::WriteStopTime(TimeMemo);
  PageControl1->SetActivePage(InputSheet);
  RunFrame::Finish(this, Memo1, ses_string, mP1, mP2);
}

bool TNicheOverlap::Init() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  if (grid->RowCount() < 3) {
    RunFrame::Fail("Must have at least 2 rows of data for niche overlap.");
    return false;
  }
  const TNicheOverlapOpts* o = NicheOverlapOpts;
  CurrentSeed = RunFrame::SeedRandomSource(o->RandomSeedEdit->Text());
  if (Zorvan->Iterations < 1 || Zorvan->Iterations > kNicheMaxIterations) {
    RunFrame::Fail("Iterations must be between 1 and 1,000,000.");
    return false;
  }

  // Everything the run reads is taken now, once.
  FIn = TRunInputs{};
  FIn.Iterations = Zorvan->Iterations;
  FIn.RelaxedBreadth = o->NicheBreadthGroup->ItemIndex() == TNicheOverlapOpts::kBreadthRelaxed;
  FIn.RetainedZeros = o->ZeroStatesGroup->ItemIndex() == TNicheOverlapOpts::kZerosRetained;
  FIn.Algorithm = ChooseNicheAlgorithm(FIn.RelaxedBreadth, FIn.RetainedZeros);
  FIn.Index = o->IndexGroup->ItemIndex() == TNicheOverlapOpts::kCzekanowski ? NicheIndex::Czekanowski
                                                                            : NicheIndex::Pianka;
  FIn.UserDefined = o->ResourceStatesGroup->ItemIndex() == TNicheOverlapOpts::kUserDefined;
  FIn.SaveMatrices = o->SaveMatrixCheckBox->Checked();
  const int R = grid->RowCount(), C = grid->ColCount();
  FIn.Cells.assign(static_cast<size_t>(R), std::vector<String>(static_cast<size_t>(C)));
  for (int r = 0; r < R; ++r)
    for (int c = 0; c < C; ++c) FIn.Cells[static_cast<size_t>(r)][static_cast<size_t>(c)] = grid->Cells(c, r);
  if (FIn.UserDefined && !CheckWeights()) return false;

  Algorithm = static_cast<Integer>(FIn.Algorithm);
  return SetUpMatrices();
}

// The weights the run divides by: one per resource state, each a finite number above 0.
bool TNicheOverlap::CheckWeights() {
  const TStringGrid* weights = NicheOverlapUserDefined->SitesWeightsGrid;
  if (weights->RowCount() != Zorvan->MainGrid->ColCount()) {
    RunFrame::Fail("Weights row count must = MainGrid col count.");
    return false;
  }
  // A grid without its weights column reads every weight as 0 and fails here.
  if (!NicheOverlapUserDefined->TestUserDefined()) {
    RunFrame::Fail("");
    return false;
  }
  for (int r = 1; r < weights->RowCount(); ++r) FIn.Weights.push_back(LeadingReal(weights->Cells(1, r)));
  return true;
}

// Reads the observed matrix; every species needs a positive total, also after the division
// by the weights (which may turn a mixed-sign row's total).
bool TNicheOverlap::SetUpMatrices() {
  const int R = static_cast<int>(FIn.Cells.size());
  const int C = static_cast<int>(FIn.Cells[0].size());
  NicheInput input = ReadNicheInput(R - 1, C - 1, [this](int c, int s) {
    return FIn.Cells[static_cast<size_t>(s + 1)][static_cast<size_t>(c + 1)];
  });
  auto observedToMatrix = [&] {
    ObservedMatrix.SetLength(C, R);
    for (int s = 0; s < input.Species; ++s)
      for (int c = 0; c < input.States; ++c)
        ObservedMatrix[c + 1][s + 1] = input.Observed[static_cast<size_t>(s) * input.States + c];
    CalculateMargins_Real(ObservedMatrix);
  };
  observedToMatrix();
  if (!CheckRowTotals_Real(ObservedMatrix)) {
    Zorvan->InterruptFlag = true;
    return false;
  }
  if (FIn.UserDefined) {
    DivideByWeights(input, FIn.Weights);
    observedToMatrix();
    if (!CheckRowTotals_Real(ObservedMatrix)) {
      Zorvan->InterruptFlag = true;
      return false;
    }
  }
  SimulatedMatrix.SetLength(C, R);
  FSims.Begin(input, FIn.Algorithm, FIn.Index);
  return true;
}

void TNicheOverlap::CopySimulated() {
  const std::vector<double>& sim = FSims.Simulated();
  const int S = FSims.Species(), N = FSims.States();
  for (int s = 0; s < S; ++s)
    for (int c = 0; c < N; ++c) SimulatedMatrix[c + 1][s + 1] = sim[static_cast<size_t>(s) * N + c];
}

void TNicheOverlap::Statistics() {
  const Integer n = FIn.Iterations;
  Mean = FRunMean;
  Variance = FRunVariance;
  CalculateMeanVariance(n, FMeans, mmeans, vmeans);
  CalculateMeanVariance(n, FVariances, mvariances, vvariances);
  CalculateTailCounts(n, FMeans, Mean, meanP1, meanP2, gmean, emean, lmean);
  CalculateTailCounts(n, FVariances, Variance, varianceP1, varianceP2, gvariance, evariance, lvariance);
  String counts;
  QuickSortReals(FMeans, 0, n - 1);
  BuildHistogram_LastIndex(n - 1, FMeans, Mean, FMeanMarker);
  HistogramToText(FMeanEdges, FMeanCounts);
  HistogramToColumns(FMeanLower, FMeanUpper, counts);
  QuickSortReals(FVariances, 0, n - 1);
  BuildHistogram_LastIndex(n - 1, FVariances, Variance, FVarianceMarker);
  HistogramToText(FVarianceEdges, FVarianceCounts);
  HistogramToColumns(FVarianceLower, FVarianceUpper, counts);
  ses = StandardizedEffectSize(Mean, mmeans, vmeans);
}

void TNicheOverlap::StatsToStrings() {
  its = IntToStr(FIn.Iterations);
  m = StatText(Mean);
  v = StatText(Variance);
  mm = StatText(mmeans);
  vm = StatText(vmeans);
  mv = StatText(mvariances);
  vv = StatText(vvariances);
  lm = IntToStr(lmean);
  em = IntToStr(emean);
  gm = IntToStr(gmean);
  lv = IntToStr(lvariance);
  ev = IntToStr(evariance);
  gv = IntToStr(gvariance);
  mP1 = StatText(meanP1);
  mP2 = StatText(meanP2);
  vP1 = StatText(varianceP1);
  vP2 = StatText(varianceP2);
  ses_string = StatText(ses);
}

void TNicheOverlap::SummaryDisplay() {
  const std::vector<std::vector<String>>& cells = FIn.Cells;
  // Built apart and set at once: a memo re-splits its whole text on every line added.
  TStringList summary;
  TStrings* lines = &summary;
  lines->Add("Input file = " + Zorvan->FileName);
  lines->Add("Rows = " + IntToStr(static_cast<Integer>(cells.size()) - 1) +
             "; Columns = " + IntToStr(static_cast<Integer>(cells[0].size()) - 1));
  lines->Add("Iterations = " + its);
  lines->Add("Random seed = " + IntToStr(CurrentSeed));
  lines->Add(FIn.UserDefined ? "Resource State = User-defined" : "Resource State = Equiprobable");
  lines->Add("Randomization Algorithm " + IntToStr(Algorithm));
  lines->Add(FIn.RelaxedBreadth ? "Niche Breadth = Relaxed" : "Niche Breadth = Retained");
  lines->Add(FIn.RetainedZeros ? "Zero States = Retained" : "Zero States = Reshuffled");
  lines->Add(FIn.Index == NicheIndex::Czekanowski ? "Czekanowski Index" : "Pianka Index");
  lines->Add(kRule);
  lines->Add("");
  lines->Add("Observed mean = " + m);
  lines->Add("Mean of simulated indices = " + mm);
  lines->Add("Variance of simulated indices = " + vm);
  lines->Add("");
  lines->Add("Number of times Observed index < simulated indices = " + lm);
  lines->Add("Number of times Observed index = simulated indices = " + em);
  lines->Add("Number of times Observed index > simulated indices = " + gm);
  lines->Add("Standardized Effect Size = " + ses_string);
  lines->Add("p(observed <= expected) = " + mP1);
  lines->Add("p(observed >= expected) = " + mP2);
  lines->Add("");
  lines->Add("Simulation frequencies");
  lines->Add("Histogram          # Simulations");
  AddHistogramLines(lines, FMeanEdges, FMeanCounts);
  lines->Add(kRule);
  lines->Add("");
  lines->Add("Observed variance = " + v);
  lines->Add("");
  lines->Add("Mean of simulated variances = " + mv);
  lines->Add("Variance of simulated variances = " + vv);
  lines->Add("");
  lines->Add("Number of times Observed variance < simulated variances = " + lv);
  lines->Add("Number of times Observed variance = simulated variances = " + ev);
  lines->Add("Number of times Observed variance > simulated variances = " + gv);
  lines->Add("");
  lines->Add("p(observed <= expected) = " + vP1);
  lines->Add("p(observed >= expected) = " + vP2);
  lines->Add("");
  lines->Add("Simulation frequencies:");
  lines->Add("Histogram          # Simulations");
  AddHistogramLines(lines, FVarianceEdges, FVarianceCounts);
  lines->Add(kRule);
  lines->Add("");
  lines->Add("INPUT MATRIX:");
  lines->Add("");
  // The input page holds the matrix the run read.
  AddGridLines(lines, InputGrid);
  Memo1->Lines()->SetText(summary.Text());
}
