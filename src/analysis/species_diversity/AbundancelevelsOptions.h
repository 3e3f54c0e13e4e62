// The levels editor: one sampling level per line, serving both the abundance levels (numbers
// of individuals) and the sample levels (numbers of samples). "&OK" checks the lines and
// closes; "&Cancel" undoes the edits of this showing and closes.
#pragma once

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class TAbundanceLevelsOpts : public TForm {
 public:
  explicit TAbundanceLevelsOpts(TComponent* AOwner);

  TMemo* Memo1;
  TButton* OKButton;      // "&OK"
  TButton* CancelButton;  // "&Cancel"

  // The memo's text when the editor was last shown.
  String SavedText;

  void FormShow(TObject* Sender);
  void OKButtonClick(TObject* Sender);
  void CancelButtonClick(TObject* Sender);
  // At the first line whose whole number is not above 0, shows "Abundance levels must be > 0 "
  // and "error line: " with its 1-based number (two lines) and stops; true when no line failed.
  bool TestUserDefined();
};

extern TAbundanceLevelsOpts* AbundanceLevelsOpts;
