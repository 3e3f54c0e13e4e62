// The run frame shared by every analysis: seeding, the progress window and its abort button,
// start and stop times, the batch row, the results window, and the main window's commands
// held off while a run is in progress.
#include "app/RunFrameTestSupport.h"

#include "classlib/WinApi.h"

namespace {

using RunFrame_ = RunFrameTest;

TEST_F(RunFrame_, CompletedRunShowsProgressTimesBatchRowAndResults) {
  TManualClock clock(45000.5);  // 12:00:00
  SetClockSource(&clock);
  String captionDuringRun, modelDuringRun, matrixDuringRun;
  bool visibleDuringRun = false;
  run_.OnIteration = [&](Integer i) {
    clock.Advance(1000);
    if (i != 1) return;
    captionDuringRun = Progress->Caption();
    modelDuringRun = Progress->ModelLabel->Caption();
    matrixDuringRun = Progress->MatrixLabel->Caption();
    visibleDuringRun = Progress->Visible();
  };
  Launch();

  EXPECT_EQ(resultsShown_, 1);
  EXPECT_EQ(Zorvan->Iterations, 5);
  EXPECT_EQ(run_.Values.size(), 5u);
  EXPECT_TRUE(visibleDuringRun);
  EXPECT_EQ(captionDuringRun, "Simulating...Untitled.txt");
  EXPECT_EQ(modelDuringRun, "Toy");
  EXPECT_EQ(matrixDuringRun, "5 rows; 5 columns; ");
  // The label shows the iterations completed before the last step.
  EXPECT_EQ(Progress->IterationsLabel->Caption(), "4");
  EXPECT_EQ(Progress->ProgressBar1->Position(), 5);
  EXPECT_EQ(Progress->ProgressBar1->Max(), 5);
  EXPECT_FALSE(Progress->Visible());
  EXPECT_EQ(Application->Hooks.Beeps, 3);
  EXPECT_FALSE(Zorvan->InterruptFlag);

  TStrings* time = results_->TimeMemo->Lines();
  EXPECT_EQ(time->Strings(0), "Stop time = 12:00:05");
  EXPECT_EQ(time->Strings(1), "Start time = 12:00:00");
  EXPECT_EQ(results_->SummaryMemo->Lines()->Strings(1), "Random seed = 17");

  TStringGrid* b = Zorvan->BatchGrid;
  ASSERT_EQ(b->RowCount(), 2);
  EXPECT_EQ(b->Cells(0, 0), "FileName");
  EXPECT_EQ(b->Cells(0, 1), "Untitled.txt");
  EXPECT_EQ(b->Cells(1, 1), "1.50000");
  EXPECT_EQ(b->Cells(2, 1), "0.25000");
  EXPECT_EQ(b->Cells(3, 1), "0.75000");
}

TEST_F(RunFrame_, TypedSeedRepeatsTheRunAndClockSeedsAreTypeableSeeds) {
  Launch();
  const std::vector<Integer> first = run_.Values;
  RandSeed = 99;  // whatever happened in between
  Launch();
  EXPECT_EQ(run_.Values, first);

  // A seed below 1 takes the clock, mapped into 1 .. 2^31 - 1; typed back it repeats the run.
  struct Case {
    uint64_t counter;
    Integer seed;
  };
  for (Case c : {Case{0, 1}, Case{0xFFFFFFFFull, 2}, Case{2147483646, 2147483647}, Case{2147483647, 1},
                 Case{0x1234567800000005ull, 6}}) {
    SCOPED_TRACE(c.counter);
    SetRandomizeCounter([counter = c.counter] { return counter; });
    opts_->RandomSeedEdit->SetText(c.counter % 2 == 0 ? "0" : "-3");
    Launch();
    EXPECT_EQ(run_.Seed(), c.seed);
    EXPECT_EQ(results_->SummaryMemo->Lines()->Strings(1), "Random seed = " + IntToStr(c.seed));
    const std::vector<Integer> clockRun = run_.Values;
    opts_->RandomSeedEdit->SetText(IntToStr(c.seed));
    Launch();
    EXPECT_EQ(run_.Values, clockRun);
  }
}

// Presses the abort button (or the close box) when ProcessMessages is called for the k-th
// time: call 1 is the progress set-up, call 1 + i the check before iteration i.
void PressAt(int k, std::function<void()> press) {
  auto calls = std::make_shared<int>(0);
  Application->Hooks.ProcessMessages = [calls, k, press] {
    if (++*calls == k) press();
  };
}

TEST_F(RunFrame_, AbortEndsTheRunWithoutResultsOrBatchRow) {
  for (bool beep : {true, false}) {
    SCOPED_TRACE(beep);
    Application->Hooks.Beeps = 0;
    Progress->SoundCheck->SetChecked(beep);
    PressAt(3, [] { Progress->InterruptButton->Click(); });
    Launch();
    EXPECT_EQ(run_.Values.size(), 1u);
    EXPECT_EQ(resultsShown_, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_EQ(Application->Hooks.Beeps, beep ? 3 : 0);
  }
}

// OK on "Close Zorvan Professional?" during a run stops the run as the abort button does and
// ends the program once the command returns; Cancel leaves the run alone. A run that clears
// the interrupt flag after the main window closed stops all the same.
TEST_F(RunFrame_, ClosingTheMainWindowStopsTheRun) {
  struct Case {
    const char* Name;
    int Answer;
    bool ClearsFlagAfterwards;
  };
  for (const Case& k : {Case{"OK", IDOK, false}, Case{"Cancel", IDCANCEL, false}, Case{"OK, flag cleared", IDOK, true}}) {
    SCOPED_TRACE(k.Name);
    Application->ResetHooks();
    Application->Hooks.ModalForm = [this](TCustomForm* form) { AnswerModal(form); };
    resultsShown_ = 0;
    Zorvan->Show();
    Application->Hooks.MessageBox = [&k](const String&, const String&, UINT) { return k.Answer; };
    PressAt(3, [&k] {
      Zorvan->Close();
      if (k.ClearsFlagAfterwards) Zorvan->InterruptFlag = false;
    });
    Launch();
    EXPECT_EQ(Application->Hooks.Messages, std::vector<String>{"Close Zorvan Professional?"});
    const bool closed = k.Answer == IDOK;
    EXPECT_EQ(Application->Terminated(), closed);
    EXPECT_EQ(Zorvan->Visible(), !closed);
    EXPECT_EQ(run_.Values.size(), closed ? 1u : 5u);
    EXPECT_EQ(resultsShown_, closed ? 0 : 1);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), closed ? 1 : 2);
    EXPECT_EQ(Zorvan->InterruptFlag, closed);
    EXPECT_FALSE(Progress->Visible());
  }
}

TEST_F(RunFrame_, CloseBoxBeepsButTheRunGoesOn) {
  int beepsAtClose = -1;
  PressAt(3, [&] {
    SendMessage(Progress->Handle(), WM_CLOSE, 0, 0);
    beepsAtClose = Application->Hooks.Beeps;
  });
  Launch();
  EXPECT_EQ(beepsAtClose, 3);
  EXPECT_FALSE(Zorvan->InterruptFlag);
  EXPECT_EQ(run_.Values.size(), 5u);
  EXPECT_EQ(resultsShown_, 1);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 2);
  // The end of the run closes the window again, beeping that it is done.
  EXPECT_EQ(Application->Hooks.Beeps, 6);
}

TEST_F(RunFrame_, CancelInTheOptionsRunsNothing) {
  cancelOptions_ = true;
  for (bool batch : {false, true}) {
    SCOPED_TRACE(batch);
    if (batch) {
      EnterScratchFolder();
      WriteFile(folder_ / "a.txt", "t s1 s2\r\na 1 0\r\nb 0 1\r\n");
      Zorvan->Batch1->Click();
    }
    Launch();
    EXPECT_FALSE(Zorvan->Flag);
    EXPECT_TRUE(run_.Values.empty());
    EXPECT_EQ(resultsShown_, 0);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_EQ(Application->Hooks.Beeps, 0);
    EXPECT_EQ(Zorvan->BatchFileCount, 0);
  }
}

TEST_F(RunFrame_, FailedValidationAndNullModelFailureStopWithTheirMessages) {
  run_.FailAtIteration = 2;
  Launch();
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Null model failed."}));
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_FALSE(Progress->Visible());
  EXPECT_EQ(resultsShown_, 0);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);

  Application->Hooks.Messages.clear();
  Application->Hooks.Beeps = 0;
  Zorvan->MainGrid->SetRowCount(2);
  Launch();
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Too few rows."}));
  EXPECT_TRUE(Zorvan->InterruptFlag);
  // The progress window never showed, so nothing beeps.
  EXPECT_EQ(Application->Hooks.Beeps, 0);
  EXPECT_EQ(resultsShown_, 0);
}

TEST_F(RunFrame_, CommandsAreHeldOffDuringARunAndRestoredHoweverItEnds) {
  const std::vector<String> allOn = MenuStates();
  std::vector<String> during;
  bool gridEditableDuring = true;
  run_.OnIteration = [&](Integer) {
    during = MenuStates();
    gridEditableDuring = Zorvan->MainGrid->Options().Contains(goEditing);
  };
  Launch();
  EXPECT_FALSE(gridEditableDuring);
  EXPECT_TRUE(Zorvan->MainGrid->Options().Contains(goEditing));
  EXPECT_EQ(during, (std::vector<String>{"New off", "Open off", "Close off", "Save off", "About file on",
                                         "Edit off", "Analyze off", "Batch ... on/off off",
                                         "Change Directory off"}));
  EXPECT_EQ(MenuStates(), allOn);
  // A shortcut of a held-off command does nothing while the run goes on.
  String cell;
  run_.OnIteration = [&](Integer i) {
    if (i == 1) Zorvan->MainMenu1->IsShortCut('N', {ssCtrl});
    cell = Zorvan->MainGrid->Cells(1, 1);
  };
  Zorvan->MainGrid->SetCells(1, 1, "7");
  Launch();
  EXPECT_EQ(cell, "7");

  // A failed check, and an error that escapes the run to the error box.
  run_.OnIteration = nullptr;
  Zorvan->MainGrid->SetRowCount(2);
  Launch();
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(MenuStates(), allOn);
  Zorvan->MainGrid->SetRowCount(6);
  run_.OnIteration = [](Integer i) {
    if (i == 3) throw EInOutError("Disk full");
  };
  EXPECT_THROW(Launch(), EInOutError);
  EXPECT_EQ(MenuStates(), allOn);
  EXPECT_FALSE(Progress->Visible());
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_FALSE(RunFrame::RunInProgress());
}

TEST_F(RunFrame_, RestoringAfterARunKeepsBatchModesOwnDisabling) {
  EnterScratchFolder();
  WriteFile(folder_ / "a.txt", "t s1 s2\r\na 1 0\r\nb 0 1\r\n");
  Zorvan->Batch1->Click();
  const std::vector<String> batchMode = MenuStates();
  EXPECT_EQ(batchMode, (std::vector<String>{"New off", "Open off", "Close off", "Save off", "About file off",
                                            "Edit off", "Analyze on", "Batch ... on/off on",
                                            "Change Directory on"}));
  std::vector<String> during;
  bool gridEditableDuring = true;
  run_.OnIteration = [&](Integer) {
    during = MenuStates();
    gridEditableDuring = Zorvan->MainGrid->Options().Contains(goEditing);
  };
  Launch();
  EXPECT_FALSE(gridEditableDuring);
  EXPECT_TRUE(Zorvan->MainGrid->Options().Contains(goEditing));
  EXPECT_EQ(during[6], "Analyze off");
  EXPECT_EQ(during[7], "Batch ... on/off off");
  EXPECT_EQ(MenuStates(), batchMode);
  // The batch file's run left the progress window open and wrote no results window.
  EXPECT_TRUE(Progress->Visible());
  EXPECT_EQ(resultsShown_, 0);
}

TEST_F(RunFrame_, FailedBatchSummarySaveStopsTheBatch) {
  EnterScratchFolder();
  WriteFile(folder_ / "a.txt", "t s1 s2\r\na 1 0\r\nb 0 1\r\n");
  WriteFile(folder_ / "b.txt", "t s1 s2\r\na 1 0\r\nb 0 1\r\n");
  // A folder where the summary file should go: the summary cannot be written.
  std::filesystem::create_directory(folder_ / "Summarya.txt");
  Zorvan->Batch1->Click();
  Launch();
  EXPECT_EQ(Application->Hooks.Messages,
            (std::vector<String>{"Error saving batch summary...Aborting.", "Batch processing error."}));
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_FALSE(Progress->Visible());
  EXPECT_EQ(Zorvan->BatchFileCount, 1);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Summaryb.txt"));
}

}  // namespace

namespace {

// The iterations label takes a new count at most every 50 ms (a timer shows the one that came
// sooner), at once on the bar's last step, and a new run's set-up is not overwritten by a count
// left from the run before. The bar's position is exact at every step.
TEST_F(RunFrame_, IterationsLabelFollowsTheBarAtMostEvery50Milliseconds) {
  TManualClock clock;
  SetClockSource(&clock);
  const TLabel* label = Progress->IterationsLabel;
  const TProgressBar* bar = Progress->ProgressBar1;
  Zorvan->Iterations = 10;
  SetUpProgress("Toy");
  EXPECT_EQ(label->Caption(), "10");

  Progress->StepIteration();
  Progress->StepIteration();
  EXPECT_EQ(bar->Position(), 2);
  EXPECT_EQ(label->Caption(), "10");  // too soon after the set-up
  clock.Advance(49);
  Application->ProcessMessages();
  EXPECT_EQ(label->Caption(), "10");
  clock.Advance(1);
  Application->ProcessMessages();
  EXPECT_EQ(label->Caption(), "1");  // the count of the latest step

  Progress->StepIteration();
  clock.Advance(60);
  Progress->StepIteration();  // 50 ms since the label last changed: shown at once
  EXPECT_EQ(label->Caption(), "3");
  while (bar->Position() < 9) Progress->StepIteration();
  EXPECT_EQ(label->Caption(), "3");
  Progress->StepIteration();  // the last step
  EXPECT_EQ(label->Caption(), "9");
  EXPECT_EQ(bar->Position(), 10);
  clock.Advance(100);
  Application->ProcessMessages();
  EXPECT_EQ(label->Caption(), "9");

  // A count waiting for the timer when the next run sets the window up is dropped.
  Zorvan->Iterations = 4;
  SetUpProgress("Toy");
  clock.Advance(60);
  Progress->StepIteration();
  Progress->StepIteration();
  Zorvan->Iterations = 7;
  SetUpProgress("Toy");
  clock.Advance(100);
  Application->ProcessMessages();
  EXPECT_EQ(label->Caption(), "7");
  EXPECT_EQ(bar->Position(), 0);
  SetClockSource(nullptr);
}

}  // namespace
