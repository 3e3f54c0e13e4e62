#include "app/RunFrame.h"

#include <exception>

#include "app/ProgressSims.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"

namespace RunFrame {

namespace {
// Seeds typed into the options are positive 32-bit integers, so a clock seed is mapped into
// the same range; typed back, it repeats the run.
constexpr Cardinal kLargestSeed = 2147483647u;

int RunDepth = 0;

void CloseProgressIfShowing() {
  if (Progress != nullptr && Progress->Visible()) Progress->Close();
}

// Lets pending window messages run. A program that is ending (its main window closed) runs
// no further: that stops the run as the abort button does, even when the run cleared the
// interrupt flag after the main window closed.
void RunMessages() {
  Application->ProcessMessages();
  if (Application->Terminated()) Zorvan->InterruptFlag = true;
}
}  // namespace

Integer SeedRandomSource(const String& SeedText) {
  const Integer typed = LeadingInt(SeedText);
  if (typed >= 1) {
    RandSeed = static_cast<Cardinal>(typed);
    return typed;
  }
  Randomize();
  RandSeed = RandSeed % kLargestSeed + 1u;
  return static_cast<Integer>(RandSeed);
}

void StartProgress(const String& ModelName) {
  SetUpProgress(ModelName);
  Progress->SetCaption("Simulating..." + ExtractFileName(Zorvan->FileName));
  Application->ProcessMessages();
}

void WriteStartTime(TMemo* TimeMemo) { TimeMemo->Lines()->Put(1, "Start time = " + TimeToStr(Time())); }

void WriteStopTime(TMemo* TimeMemo) { TimeMemo->Lines()->Put(0, "Stop time = " + TimeToStr(Time())); }

bool Interrupted() {
  RunMessages();
  if (!Zorvan->InterruptFlag) return false;
  CloseProgressIfShowing();
  return true;
}

void StepProgress() { Progress->StepIteration(); }

namespace {
bool PollDue = true;
Cardinal LastPollAt = 0;
int PollsUntilClock = 0;
constexpr int kPollsPerClockRead = 16;
}  // namespace

bool PollOnBudget() {
  if (!PollDue && --PollsUntilClock > 0) return Zorvan->InterruptFlag;
  PollsUntilClock = kPollsPerClockRead;
  const Cardinal now = GetTickCount();
  if (PollDue || now - LastPollAt >= kPollInterval) {
    PollDue = false;
    LastPollAt = now;
    RunMessages();
  }
  return Zorvan->InterruptFlag;
}

void PollSoon() { PollDue = true; }

void Fail(const String& Message) {
  CloseProgressIfShowing();
  if (!Message.empty()) ShowMessage(Message);
  Zorvan->InterruptFlag = true;
}

void Abandon() {
  CloseProgressIfShowing();
  Zorvan->InterruptFlag = true;
}

void Finish(TForm* ResultsForm, TMemo* Summary, const String& Ses, const String& P1, const String& P2) {
  Zorvan->BuildBatchSummaryFirstRow();
  Zorvan->BuildBatchSummaryFile(Zorvan->FileName, Ses, P1, P2);
  if (Zorvan->BatchSwitch && Zorvan->Flag) {
    // The window stays open for the next file, which shows it again.
    if (!Zorvan->SaveBatchSummary(Summary)) {
      Progress->Close();
      ShowMessage("Batch processing error.");
      Zorvan->InterruptFlag = true;
    }
    return;
  }
  Progress->Close();
  ResultsForm->ShowModal();
}

TRunScope::TRunScope() : FUncaught(std::uncaught_exceptions()) {
  if (RunDepth++ == 0 && Zorvan != nullptr) Zorvan->EnableCommands(false);
}

TRunScope::~TRunScope() {
  if (std::uncaught_exceptions() > FUncaught) {
    CloseProgressIfShowing();
    if (Zorvan != nullptr) Zorvan->InterruptFlag = true;
  }
  if (--RunDepth == 0 && Zorvan != nullptr) Zorvan->EnableCommands(true);
}

bool RunInProgress() { return RunDepth > 0; }

}  // namespace RunFrame

bool TAnalysisRun::Execute() {
  RunFrame::TRunScope scope;
  if (!Validate()) {
    RunFrame::Fail("");
    return false;
  }
  SeedInUse = RunFrame::SeedRandomSource(SeedText());
  // Cleared before the progress window lets messages run, so that an abort pressed while it
  // comes up is not lost.
  Zorvan->InterruptFlag = false;
  RunFrame::StartProgress(ModelName());
  RunFrame::WriteStartTime(TimeMemo());
  ComputeObserved();
  const Integer iterations = Zorvan->Iterations;
  for (Integer i = 1; i <= iterations; ++i) {
    if (RunFrame::Interrupted()) return false;
    if (!SimulateIteration(i)) {
      RunFrame::Abandon();
      return false;
    }
    if (SavesSimulations()) SaveSimulated(i);
    RunFrame::StepProgress();
  }
  ComputeStatistics();
  RunFrame::WriteStopTime(TimeMemo());
  RunFrame::Finish(ResultsForm(), SummaryMemo(), SesText(), P1Text(), P2Text());
  return !Zorvan->InterruptFlag;
}
