// The source pool's size, asked from the histogram editor: at least the histogram's drawable
// rows, at most the cell limit.
#pragma once

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class TSizeOverLapUD4 : public TForm {
 public:
  explicit TSizeOverLapUD4(TComponent* AOwner);

  TLabel* Label1;  // "Number of species in source pool:"
  TEdit* SpeciesEdit;
  TButton* OKButton;      // "&Use new histogram"
  TButton* CancelButton;  // "&Cancel"

  void FormShow(TObject* Sender);
  void OKButtonClick(TObject* Sender);
  void CancelButtonClick(TObject* Sender);
};

extern TSizeOverLapUD4* SizeOverLapUD4;
