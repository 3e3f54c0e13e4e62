// The progress window every analysis run shows: the model, the data size, the iteration
// count, a bar, a beep switch and the abort button. It is not modal, so the abort button
// reaches a run through the run's periodic message step.
#pragma once

#include "classlib/ComCtrls.h"
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
};

extern TProgress* Progress;

// Prepares the progress window for a run of Model over the main window's grid and shows it.
void SetUpProgress(const String& Model);
