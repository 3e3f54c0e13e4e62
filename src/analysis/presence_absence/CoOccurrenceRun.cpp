// The co-occurrence and range-overlap run: checks, the observed index, the simulated matrices
// from the null-model engine with their index values filed into the normal or the degenerate
// set, the statistics of both sets and the end of the run through the run frame.
#include <algorithm>

#include "analysis/common/ZorvanHelpersMatrix.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "analysis/presence_absence/CoOccurrenceUDefined.h"
#include "analysis/presence_absence/CoOccurrenceUserWeights.h"
#include "app/ProgressSims.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

namespace {

// Limits of the data and of the options.
constexpr int64_t kCoOccurrenceMinCells = 4;
constexpr int64_t kCoOccurrenceMaxCells = 440000;
constexpr int kMaxGridRows = 1401;  // 1,400 species
constexpr int kCoOccurrenceMinGridRows = 3;     // 2 species
constexpr Integer kCoOccurrenceMaxIterations = 100000;

constexpr const char* kCellLimit = "4 < Cell limit < 440,001, e.g. 200x2200.";
constexpr const char* kRowLimit = "Row limit = 1400 for this analysis. ";
constexpr const char* kTooFewRows = "At least 2 rows of data required for co-occurrence.";
constexpr const char* kTooFewIterations = "Iterations must be > 0.";
constexpr const char* kTooManyIterations = "Iterations must be <= 100,000.";
constexpr const char* kEmptyData = "Row and Column Totals = 0.";

PairIndexKind SelectedIndex() {
  if (Zorvan->RangeCoOccurrence == 1) {
    switch (CoOccurrenceOpts->RangeList->ItemIndex()) {
      case 1: return PairIndexKind::Union;
      case 2: return PairIndexKind::Overlap;
      default: return PairIndexKind::RelativeOverlap;
    }
  }
  // A typed text that matches no item selects nothing; the run then computes (and its summary
  // names) the first index rather than reporting zeros.
  switch (CoOccurrenceOpts->IndexList->ItemIndex()) {
    case 1: return PairIndexKind::Checkerboards;
    case 2: return PairIndexKind::Combinations;
    case 3: return PairIndexKind::VRatio;
    default: return PairIndexKind::CScore;
  }
}

TCoOccurrenceChoices ReadChoices() {
  TCoOccurrenceChoices c;
  c.Model = NullModelOptionsFromItems(CoOccurrenceOpts->RowGroup->ItemIndex(),
                                      CoOccurrenceOpts->ColumnGroup->ItemIndex(),
                                      CoOccurrenceOpts->FixedFixedGroup->ItemIndex(),
                                      CoOccurrenceOpts->DegenerateGroup->ItemIndex());
  c.Index = SelectedIndex();
  c.ExcludeEmptySites = CoOccurrenceOpts->PatternGroup->ItemIndex() == 1;
  c.SaveMatrices = CoOccurrenceOpts->SaveMatrixCheckBox->Checked();
  return c;
}

// What the engine may do with the program: let messages run and see the abort, show its
// messages, and drive the progress window.
NullModelServices EngineServices() {
  NullModelServices s;
  // Polled before every attempt: messages run on a time budget, and after each burn-in step,
  // which a person sees.
  s.Poll = &RunFrame::PollOnBudget;
  s.Message = [](const std::string& text) { ShowMessage(text); };
  s.SetProgressCaption = [](const std::string& caption) { Progress->SetCaption(caption); };
  s.BeginBurnIn = [](int32_t swaps) { Progress->ProgressBar1->SetMax(swaps); };
  s.StepProgress = [] {
    Progress->ProgressBar1->StepIt();
    RunFrame::PollSoon();
  };
  s.EndBurnIn = [] {
    Progress->ProgressBar1->SetMax(Zorvan->Iterations);
    Progress->ProgressBar1->SetPosition(0);
  };
  // The abort button has closed the window already; closing it once is enough.
  s.CloseProgress = [] {
    if (Progress->Visible()) Progress->Close();
  };
  return s;
}

// ---- the indices: one function per kind, each returning the index of M (sites and species
// in info_Mat). With W.Pairs set they leave the pair values, if any, in A (the observed
// matrix: the pairwise tabs show them); otherwise A is not needed, and indices that are the
// mean of integer pair values take the total of those values directly (exactly the sum the
// pair values give, see CoOccurrenceIndices.h).

double PairMean(const std::vector<double>& A, Integer P) {
  // The mean of CalculateMeanVariance over the P slots, without its variance pass.
  double sum = 0;
  for (Integer p = 0; p < P; ++p) sum += A[p];
  return P > 0 ? sum / static_cast<double>(P) : 0.0;
}

double TotalMean(int64_t Total, Integer P) { return P > 0 ? static_cast<double>(Total) / static_cast<double>(P) : 0.0; }

using IndexFunction = double (*)(TIndexWork& W, std::vector<double>& A, const Matrix& M, const InfoMat& Info);

double CScoreIndex(TIndexWork& W, std::vector<double>& A, const Matrix& M, const InfoMat& Info) {
  if (!W.Pairs) return TotalMean(CheckerboardUnitsTotal(M, Info, W.Scratch), W.P);
  PairCheckerboardUnits(M, Info, A, W.Scratch);
  return PairMean(A, W.P);
}
double CheckerboardsIndex(TIndexWork& W, std::vector<double>& A, const Matrix& M, const InfoMat& Info) {
  CheckerboardPairs(M, Info, A, W.Scratch);
  return A[0];
}
double CombinationsIndex(TIndexWork& W, std::vector<double>& A, const Matrix& M, const InfoMat& Info) {
  SpeciesCombinations(M, Info, A, W.Scratch);
  return A[0];
}
double VRatioIndex(TIndexWork& W, std::vector<double>& A, const Matrix& M, const InfoMat& Info) {
  VarianceRatio(M, Info, A, W.Scratch);
  return A[0];
}
// The ratios are not integers: their mean is summed pair by pair, in pair order.
double RelativeOverlapIndex(TIndexWork& W, std::vector<double>& A, const Matrix& M, const InfoMat& Info) {
  std::fill(W.Overlap.begin(), W.Overlap.end(), 0.0);
  std::fill(W.Union.begin(), W.Union.end(), 0.0);
  PairOverlap(M, Info, W.Overlap, W.Scratch);
  PairUnion(M, Info, W.Union, W.Scratch);
  for (Integer p = 0; p < W.P; ++p) A[p] = W.Union[p] > 0 ? W.Overlap[p] / W.Union[p] : 0.0;
  return PairMean(A, W.P);
}
double UnionIndex(TIndexWork& W, std::vector<double>& A, const Matrix& M, const InfoMat& Info) {
  if (!W.Pairs) return TotalMean(UnionTotal(M, Info, W.Scratch), W.P);
  PairUnion(M, Info, A, W.Scratch);
  return PairMean(A, W.P);
}
double OverlapIndex(TIndexWork& W, std::vector<double>& A, const Matrix& M, const InfoMat& Info) {
  if (!W.Pairs) return TotalMean(OverlapTotal(M, Info, W.Scratch), W.P);
  PairOverlap(M, Info, A, W.Scratch);
  return PairMean(A, W.P);
}

// In the order of PairIndexKind.
constexpr IndexFunction kIndexFunctions[] = {CScoreIndex,          CheckerboardsIndex, CombinationsIndex, VRatioIndex,
                                             RelativeOverlapIndex, UnionIndex,         OverlapIndex};

// Mean, variance, tail counts and histogram texts of the first n values (sorted on return).
// A set without values keeps zeros and no histogram.
void SetStatistics(Integer n, std::vector<double>& Values, double Observed, double& MeanOut, double& Variance,
                   double& P1, double& P2, Integer& Less, Integer& Equal, Integer& Greater,
                   THistogramTexts& Histogram, String& Lower, String& Upper) {
  MeanOut = Variance = P1 = P2 = 0;
  Less = Equal = Greater = 0;
  Histogram = THistogramTexts{};
  Lower.clear();
  Upper.clear();
  if (n <= 0) return;
  CalculateMeanVariance(n, Values, MeanOut, Variance);
  CalculateTailCounts(n, Values, Observed, P1, P2, Greater, Equal, Less);
  QuickSortReals(Values, 0, n - 1);
  BuildHistogram_LastIndex(n - 1, Values, Observed, Histogram.Marker);
  HistogramToText(Histogram.Edges, Histogram.Counts);
  String counts;
  HistogramToColumns(Lower, Upper, counts);
}

}  // namespace

void TCoOccurrence::Run() {
  RunFrame::TRunScope scope;
  // Cleared here rather than just before the loop, so that an abort pressed while the progress
  // window comes up is not lost.
  Zorvan->InterruptFlag = false;
  if (!CheckUserWeights()) {
    RunFrame::Fail("");
    return;
  }
  InitGlobalVariables();
  RunFrame::WriteStartTime(TimeMemo);
  if (!Init()) return;
  FChoices = ReadChoices();
  RunFrame::StartProgress(Zorvan->RangeCoOccurrence == 1 ? "Range Overlap" : "Co-occurrence");

  InfoMat& info = Zorvan->info_Mat;
  CalculateMargins(O_Mat, info);
  if (O_Mat[0][0] < 1) {
    RunFrame::Fail(kEmptyData);
    return;
  }
  const int32_t C = info[2];
  const int32_t R = info[3];

  // The observed index, on the matrix without its empty species.
  CopyNonEmptyRows(O_Mat, F_Mat, info);
  CalculateMargins(F_Mat, info);
  Calculate_Row_Pairs();
  FWork.P = Row_Pairs;
  FWork.Overlap.assign(static_cast<size_t>(Row_Pairs), 0.0);
  FWork.Union.assign(static_cast<size_t>(Row_Pairs), 0.0);
  std::vector<double> A(static_cast<size_t>(Row_Pairs), 0.0);
  Do_Observed(Row_Pairs, A, F_Mat);

  FNormal.assign(static_cast<size_t>(Iterations), 0.0);
  FDegenerate.assign(static_cast<size_t>(Iterations), 0.0);
  Integer k = 0;  // normal set
  Integer j = 0;  // degenerate set
  FSims.BeginRun(O_Mat, info, FChoices.Model, WeightsFromGrid(CoOccurrenceUserDefined->SitesWeightsGrid),
                 WeightsFromGrid(CoOccurrenceUserDefined->SpeciesWeightsGrid), EngineServices());
  FFollowChain = FollowsChain(FChoices);

  for (Integer i = 1; i <= Iterations; ++i) {
    info[2] = C;
    info[3] = R;
    FSims.SimulateMatrix(O_Mat, S_Mat, info);
    if (FSims.Interrupted()) Zorvan->InterruptFlag = true;
    if (RunFrame::Interrupted()) return;
    // SimulateMatrix leaves S's totals current.
    // A write failure reaches the error box; the run scope then ends the run (and a batch).
    if (FChoices.SaveMatrices) Zorvan->SaveSimulation_2(i, 0, S_Mat);
    const double value = SimulatedIndex(A);
    if (FSims.DegenerateSample())
      FDegenerate[j++] = value;
    else
      FNormal[k++] = value;
    RunFrame::StepProgress();
  }
  info[2] = C;
  info[3] = R;

  FNormalCount = k;
  FDegenerateCount = j;
  Statistics(k, j);
  StatsToStrings();
  DisplayResults();
  RunFrame::WriteStopTime(TimeMemo);
  PageControl1->SetActivePage(InputSheet);
  RunFrame::Finish(this, Memo1, ses_string, mp1, mp2);
}

void TCoOccurrence::InitGlobalVariables() {
  Mean = mmeans = vmeans = meanP1 = meanP2 = ses = 0;
  lmean = emean = gmean = 0;
  split_mmeans = split_vmeans = split_meanP1 = split_meanP2 = split_ses = 0;
  split_lmean = split_emean = split_gmean = 0;
  FNormalCount = FDegenerateCount = 0;
}

bool TCoOccurrence::Init() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int64_t cells = static_cast<int64_t>(grid->RowCount() - 1) * (grid->ColCount() - 1);
  const char* failure = nullptr;
  if (cells > kCoOccurrenceMaxCells || cells < kCoOccurrenceMinCells)
    failure = kCellLimit;
  else if (grid->RowCount() > kMaxGridRows)
    failure = kRowLimit;
  else if (grid->RowCount() < kCoOccurrenceMinGridRows)
    failure = kTooFewRows;
  if (failure == nullptr) {
    Iterations = LeadingInt(CoOccurrenceOpts->IterationsEdit->Text());
    if (Iterations < 1)
      failure = kTooFewIterations;
    else if (Iterations > kCoOccurrenceMaxIterations)
      failure = kTooManyIterations;
  }
  if (failure != nullptr) {
    RunFrame::Fail(failure);
    return false;
  }
  Seed = LeadingInt(CoOccurrenceOpts->RandomSeedEdit->Text());
  CurrentSeed = RunFrame::SeedRandomSource(CoOccurrenceOpts->RandomSeedEdit->Text());
  Mean = mmeans = vmeans = meanP1 = meanP2 = 0;
  lmean = emean = gmean = 0;
  InitMatrices();
  return true;
}

void TCoOccurrence::InitMatrices() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int cols = grid->ColCount();
  const int rows = grid->RowCount();
  Zorvan->info_Mat = {cols, rows, cols - 1, rows - 1};
  O_Mat.SetLength(cols, rows);
  S_Mat.SetLength(cols, rows);
  F_Mat.SetLength(cols, rows);
  for (int c = 1; c < cols; ++c)
    for (int r = 1; r < rows; ++r) O_Mat[c][r] = LeadingReal(grid->Cells(c, r)) > 0 ? 1 : 0;
  Calculate_Row_Pairs();
}

void TCoOccurrence::Calculate_Row_Pairs() {
  // The species of the data grid, empty ones included.
  const int64_t species = Zorvan->info_Mat[1] - 1;
  Row_Pairs = static_cast<Integer>(species * (species - 1) / 2);
}

double TCoOccurrence::ComputeIndex(std::vector<double>& A, Matrix& M) {
  InfoMat& info = Zorvan->info_Mat;
  if (FChoices.ExcludeEmptySites) {
    RemoveEmptyColumns(M, info);
    CalculateMargins(M, info);
  }
  return kIndexFunctions[static_cast<int>(FChoices.Index)](FWork, A, M, info);
}

void TCoOccurrence::Do_Observed(Integer P, std::vector<double>& A, Matrix& M) {
  FWork.P = P;
  Mean = ComputeIndex(A, M);
  FObservedPairs.assign(A.begin(), A.begin() + P);
  FOccupiedRows.clear();
  for (int r = 1; r < O_Mat.Rows(); ++r)
    if (O_Mat[0][r] > 0) FOccupiedRows.push_back(r);
}

void TCoOccurrence::Do_Sim(Integer P, std::vector<double>& A, Matrix& M, double& Value) {
  FWork.P = P;
  FWork.Pairs = false;
  Value = ComputeIndex(A, M);
  FWork.Pairs = true;
}

// The sequential swap's matrices are one chain, each one swap from the one before: with
// nothing else changing S (the fixing policy does), its C-score follows the chain swap by
// swap instead of being recomputed.
bool TCoOccurrence::FollowsChain(const TCoOccurrenceChoices& Choices) {
  const NullModelOptions& m = Choices.Model;
  return Choices.Index == PairIndexKind::CScore && m.Rows == Constraint::FixedSum && m.Columns == Constraint::FixedSum &&
         m.FixedFixed == FixedFixedAlgorithm::SequentialSwap && m.Degenerate != DegeneratePolicy::Fix;
}

// The index of the iteration's matrix S_Mat (its totals current, info_Mat holding the data's
// sizes). Empty species and empty sites hold no checkerboard unit, so the C-score is taken on
// S itself; the other indices are computed, as defined, on S without its empty species.
double TCoOccurrence::SimulatedIndex(std::vector<double>& A) {
  InfoMat& info = Zorvan->info_Mat;
  if (FFollowChain) {
    FChainUnits.Follow(FSims);
    return TotalMean(FChainUnits.Total(), Row_Pairs);
  }
  if (FChoices.Index == PairIndexKind::CScore) return TotalMean(CheckerboardUnitsTotal(S_Mat, info, FWork.Scratch), Row_Pairs);
  CopyNonEmptyRows(S_Mat, F_Mat, info);
  CalculateMargins(F_Mat, info);
  Calculate_Row_Pairs();
  double value = 0;
  Do_Sim(Row_Pairs, A, F_Mat, value);
  return value;
}

void TCoOccurrence::Statistics(Integer k, Integer j) {
  SetStatistics(k, FNormal, Mean, mmeans, vmeans, meanP1, meanP2, lmean, emean, gmean, FHistogram, hstMeanL,
                hstMeanH);
  SetStatistics(j, FDegenerate, Mean, split_mmeans, split_vmeans, split_meanP1, split_meanP2, split_lmean,
                split_emean, split_gmean, FSplitHistogram, split_hstMeanL, split_hstMeanH);
}

void TCoOccurrence::StatsToStrings() {
  ses = StandardizedEffectSize(Mean, mmeans, vmeans);
  split_ses = StandardizedEffectSize(Mean, split_mmeans, split_vmeans);
  m = StatText(Mean);
  its = IntToStr(Iterations);
  mm = StatText(mmeans);
  vm = StatText(vmeans);
  lm = IntToStr(lmean);
  em = IntToStr(emean);
  gm = IntToStr(gmean);
  split_mm = StatText(split_mmeans);
  split_vm = StatText(split_vmeans);
  s_lm = IntToStr(split_lmean);
  s_em = IntToStr(split_emean);
  s_gm = IntToStr(split_gmean);
  // Under Split a set may get no values at all; its probabilities and effect size do not
  // exist then, and a 0 would read as a result.
  const bool split = FChoices.Model.Degenerate == DegeneratePolicy::Split;
  const bool normalEmpty = split && FNormalCount == 0;
  const bool degenerateEmpty = split && FDegenerateCount == 0;
  static const String kNotAvailable = "n/a";
  mp1 = normalEmpty ? kNotAvailable : StatText(meanP1);
  mp2 = normalEmpty ? kNotAvailable : StatText(meanP2);
  ses_string = normalEmpty ? kNotAvailable : StatText(ses);
  split_mp1 = degenerateEmpty ? kNotAvailable : StatText(split_meanP1);
  split_mp2 = degenerateEmpty ? kNotAvailable : StatText(split_meanP2);
  split_ses_string = degenerateEmpty ? kNotAvailable : StatText(split_ses);
}
