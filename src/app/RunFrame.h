// The frame every analysis run shares: seeding, the progress window and the abort check, the
// start and stop times, the batch row and the end of a run (batch save or results window).
//
// The order of a run is written once, in TAnalysisRun::Execute. An analysis whose own order of
// the first steps differs (co-occurrence writes its start time before it validates) composes
// the same building blocks below in that order instead.
#pragma once

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

namespace RunFrame {

// Seeds the random-number source from the options' seed text (its leading integer): a value
// of 1 or more is used as it is; anything else seeds from the clock with a value in
// 1 .. 2^31 - 1, so that the printed seed typed back repeats the run. Returns the seed in use.
Integer SeedRandomSource(const String& SeedText);

// SetUpProgress(ModelName), the progress caption "Simulating..." + the data file's name
// without its folder, then lets pending window messages run once. The launchers (and
// TAnalysisRun::Execute) hold a TRunScope, so while the window shows the main window's matrix
// and analysis commands are disabled.
void StartProgress(const String& ModelName);

// "Start time = " + time of day as line 1 of the memo; "Stop time = " + time as line 0.
void WriteStartTime(TMemo* TimeMemo);
void WriteStopTime(TMemo* TimeMemo);

// The per-iteration abort check: lets pending window messages run once; when InterruptFlag is
// set, ends the run (closes the progress window when it is still showing; the abort button
// has closed it already) and returns true.
bool Interrupted();

// The poll handed to a null model that loops inside one iteration: lets pending window
// messages run and reports whether InterruptFlag is set (the run then ends as an abort).
bool AbortRequested();

// After an iteration: the iterations label shows the bar's position, then the bar steps once.
void StepProgress();

// A run that stops on a failed check: closes the progress window when it is showing, shows
// Message (when not empty) and sets InterruptFlag.
void Fail(const String& Message);

// Ends a run without results (abort or a generator's failure): closes the progress window
// when it is showing and sets InterruptFlag, so that a batch stops there too.
void Abandon();

// The end of a completed run: the batch header and row (FileName, Ses, P1, P2); then, for a
// batch file, SaveBatchSummary(Summary) (on failure: progress closed, "Batch processing
// error.", InterruptFlag) with the progress window left open; otherwise the progress window
// closes (beeping even when the user closed it during the run: the run has ended) and
// ResultsForm is shown modally.
void Finish(TForm* ResultsForm, TMemo* Summary, const String& Ses, const String& P1, const String& P2);

// Held for the length of a run: the main window's commands are disabled while it lives and
// restored when it goes, however the run ends (normally, on a failed check, or by an error
// that escapes to the error box). Scopes nest (a launcher's around the run's own); the
// outermost one restores. An error leaving a scope also closes the progress window and sets
// InterruptFlag, so no "simulating" window outlives the run and a batch stops.
class TRunScope {
 public:
  TRunScope();
  ~TRunScope();
  TRunScope(const TRunScope&) = delete;
  TRunScope& operator=(const TRunScope&) = delete;

 private:
  int FUncaught;
};

// Whether a run is in progress (some TRunScope is alive).
bool RunInProgress();

}  // namespace RunFrame

// The run skeleton in the order every analysis follows: validate; seed; progress; start time;
// observed index; the iterations (messages, abort test, one data set and its index, optional
// "Sim" file, progress step); statistics and results; stop time; batch row; batch save or
// results form. An analysis overrides the steps and calls Execute.
class TAnalysisRun {
 public:
  virtual ~TAnalysisRun() = default;
  // Runs the whole skeleton; true when the run completed (results shown or batch row saved).
  bool Execute();

 protected:
  // Step 1: checks data and options; shows its own message and returns false on failure.
  virtual bool Validate() = 0;
  virtual String SeedText() = 0;
  virtual String ModelName() = 0;
  virtual TMemo* TimeMemo() = 0;
  virtual void ComputeObserved() = 0;
  // One iteration (1-based): builds a data set, computes its index and stores it. Returns
  // false when the null model failed (it has shown its message); the run then ends.
  virtual bool SimulateIteration(Integer Iteration) = 0;
  virtual bool SavesSimulations() { return false; }
  virtual void SaveSimulated(Integer /*Iteration*/) {}
  // Statistics, the results form's displays and its summary memo.
  virtual void ComputeStatistics() = 0;
  virtual String SesText() = 0;
  virtual String P1Text() = 0;
  virtual String P2Text() = 0;
  virtual TForm* ResultsForm() = 0;
  virtual TMemo* SummaryMemo() = 0;

  Integer SeedInUse = 0;
};
