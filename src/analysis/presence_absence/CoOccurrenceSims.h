// The presence-absence null-model engine: random matrices under row and column constraints,
// the degenerate-matrix policies around them, and the per-run state they need.
//
// Contract
// - Matrices are [column][row] (columns = sites 1..C, rows = species 1..R, totals in row and
//   column 0), C = info_Mat[0] - 1 and R = info_Mat[1] - 1 as given to BeginRun. Data cells
//   of the observed matrix hold 0 or 1; the observed matrix is never written.
// - Every draw goes through the program's one random source (Random, RandomReal) in the order
//   documented at each generator, so a seed, data and options fix the simulated matrices.
// - The engine knows nothing of forms. The run hands it the options (mapped once from the
//   option positions), the weights, and its services: a poll that lets window messages run
//   and reports an abort, a message sink and the progress window's hooks.
// - The poll runs before every weighted-fill attempt, every swap attempt, every draw and pass
//   of the fixing policy and every discarded matrix, and after every cell the knight's tour
//   places. An abort seen there, or a failure (which shows its message first), sets the
//   engine's interrupt flag and the generator returns at once, leaving the simulated matrix
//   incomplete; the run then ends without results. Interrupted() is the flag the run copies
//   into the main window's InterruptFlag.
// - Buffers are sized once per run in BeginRun; generating a matrix allocates nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "analysis/common/RunServices.h"
#include "analysis/presence_absence/NumberLineSearch.h"

// Row or column constraint ("Ro&w Constraints", "Co&Lumn Constraints").
enum class Constraint : int8_t { Equiprobable, FixedSum, Proportional, UserDefined };

// Algorithm for fixed row and column sums ("Fixed-Fixed Randomization Algorithm"); None is a
// selection outside the list, which generates nothing.
enum class FixedFixedAlgorithm : int8_t { SequentialSwap, IndependentSwap, KnightsTour, None };

// Treatment of matrices with an empty species row or site column ("Degenerate &Matrices").
enum class DegeneratePolicy : int8_t { Retain, Discard, Split, Fix };

struct NullModelOptions {
  Constraint Rows = Constraint::FixedSum;        // constraint on the species (row) totals
  Constraint Columns = Constraint::FixedSum;     // constraint on the site (column) totals
  FixedFixedAlgorithm FixedFixed = FixedFixedAlgorithm::SequentialSwap;  // both Fixed Sum
  DegeneratePolicy Degenerate = DegeneratePolicy::Retain;
  // Steps after which the knight's tour gives up; 0 for the default bound (below).
  int64_t KnightsTourStepLimit = 0;
};

// Maps the option forms' item positions (0-based, as listed in the radio groups). A row,
// column or policy position outside its list gives the design default (Fixed Sum, Retain);
// a fixed-fixed position outside its list gives None.
NullModelOptions NullModelOptionsFromItems(int rowItem, int columnItem, int fixedFixedItem,
                                           int degenerateItem);

// What the run lends the engine. Every member may be empty (then it does nothing; an empty
// Poll never interrupts).
struct NullModelServices {
  PollFn Poll;                 // lets window messages run; true when an abort was requested
  MessageSink Message;         // a message box for the user
  std::function<void(const std::string&)> SetProgressCaption;
  std::function<void(int32_t)> BeginBurnIn;  // progress bar maximum := the burn-in's swap count
  std::function<void()> StepProgress;        // one burn-in swap done
  std::function<void()> EndBurnIn;           // maximum := Iterations, position := 0
  std::function<void()> CloseProgress;       // a swap or the knight's tour saw an abort
};

// Messages shown by the engine.
inline constexpr const char* kUnableToSatisfy = kRestraintsMessage;
inline constexpr const char* kColumnLineError = "Column Number Line error.";
inline constexpr const char* kRowLineError = "Row Number Line error.";
inline constexpr const char* kDiscardedMatrices =
    "3000 consecutive matrices were discarded...aborting simulation.";

// The four cells of a checkerboard swap: [c1][r1], [c2][r2], [c2][r1], [c1][r2]; r1 = 0 for
// none.
struct SwapCells {
  int32_t r1 = 0, c1 = 0, r2 = 0, c2 = 0;
};

// Fixed sums: the swap count of both swap algorithms is R x C, but at least this.
inline constexpr int32_t kMinimumSwaps = 30000;
// A weighted fill gives up on an occurrence whose 199,999th attempt hits an occupied cell.
inline constexpr int32_t kMaxFillAttempts = 199999;
// A weighted fill marks S's own cells up to this size of S in bytes (the first-level data
// cache), a byte per cell beyond it.
inline constexpr size_t kFillCellsInCache = 32 * 1024;
// A shuffle exchanges S's own cells up to this size of S in bytes (the second-level cache, as
// its exchanges hit cells all over S), a byte per cell beyond it.
inline constexpr size_t kShuffleCellsInCache = 256 * 1024;
// The discard policy gives up after this many degenerate matrices in a row, the fixing
// policy when its pass counter reaches it.
inline constexpr int32_t kMaxDegenerateTries = 3000;
// The knight's tour gives up ("Unable to satisfy restraints...") after this many steps
// (candidates drawn plus cells cleared) per data cell, and never before kKnightsTourMinSteps.
// Measured (mean steps per data cell): 35 at a third filled and 60 at 70 % on 30 x 30, about
// 270 at a third filled on 200 x 2200 and 1400 x 300; dense matrices are far slower (90 %
// filled 30 x 30: about 10^9 steps, seconds per matrix), so the bound stops only tours that
// would make a run last for hours.
inline constexpr int64_t kKnightsTourStepsPerCell = 10000;
inline constexpr int64_t kKnightsTourMinSteps = 1000000000;

// True when rows 1..rows and columns 1..columns of the 0/1 matrix M hold a 2 x 2 submatrix
// with exactly one diagonal filled, i.e. when a checkerboard swap exists. Without one, the
// species rows are nested and M is the only matrix with its row and column sums.
bool HasCheckerboard(const Matrix& M, int32_t columns, int32_t rows);

class CoOccurrenceSims {
 public:
  CoOccurrenceSims() = default;

  // Starts a run: sizes from info_Mat[0] and [1] (the data grid's counts), the sequential-swap
  // chain restarts from the observed data (burn-in not done), the user-defined number lines
  // are built from the weights (column 1 of the weights grids, rows 1.., as numbers; a line
  // keeps the first C (R) weights, its element 0 the sum of all), and the interrupt flag is
  // cleared. Whether a matrix with fixed sums has any other matrix with the same sums is
  // decided here, once.
  void BeginRun(const Matrix& observed, const InfoMat& info_Mat, const NullModelOptions& options,
                const std::vector<double>& siteWeights, const std::vector<double>& speciesWeights,
                NullModelServices services);

  // One simulated matrix S under the degenerate-matrix policy; S's totals are current on
  // return (over info_Mat[2] sites and info_Mat[3] species). DegenerateSample() tells the
  // Split policy's verdict.
  void SimulateMatrix(const Matrix& observed, Matrix& simulated, const InfoMat& info_Mat);

  // One simulated matrix under the row and column constraints, without the policy. The data
  // cells of S are complete; its totals are the caller's to recompute.
  void ConstrainedRandomMatrix(const Matrix& observed, Matrix& simulated);

  // True when a species row (1..info_Mat[1]-1) or site column (1..info_Mat[0]-1) of M has
  // total 0; the totals must be current.
  bool IsDegenerate(const Matrix& M, const InfoMat& info_Mat) const;

  // Moves occurrences until no species row and no site column of M is empty (totals must be
  // current and stay current).
  void FixDegenerate(Matrix& M, const InfoMat& info_Mat);

  // The generators, callable on their own (the dispatcher picks one per run).
  void ShuffleCells(const Matrix& observed, Matrix& simulated);
  void ShuffleWithinRows(const Matrix& observed, Matrix& simulated);
  void ShuffleWithinColumns(const Matrix& observed, Matrix& simulated);
  void FillRowsBySiteWeights(const Matrix& observed, Matrix& simulated);
  void FillColumnsBySpeciesWeights(const Matrix& observed, Matrix& simulated);
  void FillRandomRowsWeightedSites(const Matrix& observed, Matrix& simulated);
  void FillRandomSitesWeightedRows(const Matrix& observed, Matrix& simulated);
  void FillWeightedRowsWeightedSites(const Matrix& observed, Matrix& simulated);
  // After its first call the sequential swap makes its swap on S as well, instead of copying
  // the chain, when S is the matrix it filled on the call before and nothing has changed it
  // since (the run keeps it so; FixDegenerate's changes are noticed).
  void SequentialSwap(const Matrix& observed, Matrix& simulated);
  void IndependentSwap(const Matrix& observed, Matrix& simulated);
  void KnightsTour(const Matrix& observed, Matrix& simulated);

  // One checkerboard swap in M (data cells 0/1; totals unchanged and not touched). Returns
  // false when an abort stopped it before a swap was found.
  bool SwapCheckerboard(Matrix& M);

  // Proportional number lines from the observed totals (asked on every dispatch; rebuilt only
  // when the totals differ from those the line was last built from).
  void SitesNumberLineFromTotals(const Matrix& observed);
  void SpeciesNumberLineFromTotals(const Matrix& observed);

  bool DegenerateSample() const { return degenerateSample_; }
  bool Interrupted() const { return interrupt_; }
  // The swap count K of the fixed-sum swap algorithms.
  int32_t SwapCount() const { return swapCount_; }
  // False when the observed matrix holds no 2 x 2 checkerboard, so that it is the only matrix
  // with its row and column sums.
  bool SwapsPossible() const { return swapsPossible_; }
  bool Done() const { return done_; }
  // The sequential swap's chain: cells [c * ChainStride() + r] over Sites() x Species().
  // ChainChanges() counts every change of it (a load at the start of a run, each swap) over
  // the engine's life; LastChainSwap() is the swap that made the latest change (r1 = 0 when
  // that change was not a swap).
  const uint8_t* Chain() const { return fixedChain_.data(); }
  int32_t ChainStride() const { return R_ + 1; }
  int32_t Sites() const { return C_; }
  int32_t Species() const { return R_; }
  int64_t ChainChanges() const { return chainChanges_; }
  const SwapCells& LastChainSwap() const { return lastChainSwap_; }
  const NumberLine& SitesNumberLine() const { return sitesLine_; }
  const NumberLine& SpeciesNumberLine() const { return speciesLine_; }
  // Steps the last knight's tour took (candidates drawn plus cells cleared).
  int64_t KnightsTourSteps() const { return knightsSteps_; }

 private:
  using Generator = void (CoOccurrenceSims::*)(const Matrix&, Matrix&);

  bool PollInterrupt() {
    if (services_.Poll && services_.Poll()) interrupt_ = true;
    return interrupt_;
  }
  void Fail(const char* message);
  void Caption(const std::string& text) {
    if (services_.SetProgressCaption) services_.SetProgressCaption(text);
  }
  void CloseProgress() {
    if (services_.CloseProgress) services_.CloseProgress();
  }

  void FixedFixed(const Matrix& observed, Matrix& simulated);
  bool CheckWalkedLine(const NumberLine& line);
  bool SmallFill() const;
  void StartFill(const Matrix& observed, Matrix& simulated);
  template <typename Place>
  void FillCells(const Matrix& observed, Matrix& simulated, Place place);
  void EmptyCells(Matrix& simulated) const;
  template <typename Exchange>
  void ShuffleCellsBy(const Matrix& observed, Matrix& simulated, Exchange exchange);
  void CellsFromBytesByRows(Matrix& simulated) const;
  void CopyTotals(const Matrix& observed, Matrix& simulated) const;
  template <typename NextGroup, typename Attempt>
  void PlaceOccurrences(NextGroup nextGroup, Attempt attempt);
  template <typename NextGroup, typename Attempt, typename Poll>
  void PlaceOccurrences(int32_t count, NextGroup& nextGroup, Attempt& attempt, const Poll& poll);
  template <typename Cell>
  bool SwapKernel(Cell* cells, int32_t stride, SwapCells& made);
  bool SwapChain();
  bool ShowsChainBeforeSwap(const Matrix& simulated) const;
  bool KeepsTotals() const;
  void CopyChainTo(const std::vector<uint8_t>& chain, const Matrix& observed, Matrix& simulated) const;
  void LoadChain(std::vector<uint8_t>& chain, const Matrix& observed);
  bool FixEmptyRow(Matrix& M, int32_t r, int32_t R, int32_t C);
  bool FixEmptyColumn(Matrix& M, int32_t c, int32_t R, int32_t C);

  NullModelOptions options_;
  NullModelServices services_;
  int32_t R_ = 0;  // species
  int32_t C_ = 0;  // sites
  Generator generator_ = nullptr;
  bool speciesLineFromTotals_ = false;  // the dispatch recomputes Q, then P, before its fill
  bool sitesLineFromTotals_ = false;

  NumberLine sitesLine_;
  NumberLine speciesLine_;
  // The totals the proportional lines were last built from (empty: not built this run).
  std::vector<int32_t> sitesLineTotals_;
  std::vector<int32_t> speciesLineTotals_;
  NumberLineSearch sitesSearch_;
  NumberLineSearch speciesSearch_;

  // Swap chains work on one byte per cell ([c * (R + 1) + r]): a quarter of the memory
  // traffic of the int32 matrix on the random accesses that dominate them.
  std::vector<uint8_t> fixedChain_;  // Fixed_Mat: the sequential swap's chain state
  std::vector<uint8_t> workChain_;   // the independent swap's matrix; the weighted fills' cells
  bool done_ = false;                // the sequential swap's burn-in is complete
  int64_t chainChanges_ = 0;
  SwapCells lastChainSwap_;
  SwapCells lastSwap_;               // the last swap on a matrix other than the chain
  // The matrix the sequential swap last filled with the chain, and the chain change it shows:
  // the next swap is made on it in place instead of copying the chain again. FixDegenerate
  // changes it, so it drops it.
  const Matrix* chainCopy_ = nullptr;
  int64_t chainCopyChanges_ = -1;
  int32_t swapCount_ = kMinimumSwaps;
  bool swapsPossible_ = true;

  int64_t knightsSteps_ = 0;
  bool degenerateSample_ = false;
  bool interrupt_ = false;
  // The fills' poll when services_.Poll is a plain function or empty (NeverInterrupted).
  bool (*fillPlainPoll_)() = nullptr;
};
