// The progress window every analysis run shows: the model, the data size, the iteration
// count, a bar, a beep switch and the abort button. It is not modal, so the abort button
// reaches a run through the run's periodic message step.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class TProgress : public TForm {
 public:
  explicit TProgress(TComponent* AOwner);

  TLabel* ModelTitle;       // "Model:"
  TLabel* ModelLabel;
  TLabel* MatrixTitle;      // "Matrix:"
  TLabel* MatrixLabel;
  TLabel* IterationsTitle;  // "Iterations:"
  TLabel* IterationsLabel;
  TLabel* ProgressTitle;    // "Progress"
  TProgressBar* ProgressBar1;
  TCheckBox* SoundCheck;    // "Beep"
  TButton* InterruptButton; // "&Abort simulation"

  // Closes the window, then asks the run to stop.
  void InterruptButtonClick(TObject* Sender);
  // However the window closes (abort, a run, the close box): three beeps when "Beep" is ticked.
  void FormClose(TObject* Sender, TCloseAction& Action);

  // After an iteration: IterationsLabel := the bar's position (the iterations completed
  // before this one), then the bar steps once. The label takes a new count at most every
  // kLabelInterval ms (a count that comes sooner is shown by a timer), and at once on the
  // bar's last step, so that it is exact when a run ends.
  void StepIteration();
  // A new run: the label shows Iterations (the widest count of the run, measured once; the
  // counts that follow are not measured again) and no late count from the last run follows.
  void StartIterations(Integer Iterations);

  static constexpr Cardinal kLabelInterval = 50;

 private:
  void ShowPendingCount(TObject* Sender);

  TTimer* FLabelTimer;
  Cardinal FLabelShownAt = 0;
  Integer FPendingCount = 0;
};

extern TProgress* Progress;

// Prepares the progress window for a run of Model over the main window's grid and shows it.
void SetUpProgress(const String& Model);
