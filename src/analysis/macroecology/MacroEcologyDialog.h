// What the two constraint dialogs of the macroecology options share: four edits whose
// defaults come from the chosen X and Y columns of the data grid, a button that closes the
// dialog once the typed values pass its check, and a button that puts the defaults back.
// Showing the dialog recomputes the defaults only when the data file or a chosen column
// changed since it last computed them, so typed values survive a reopening otherwise.
// Closing it with its close box keeps whatever the edits hold, unchecked (the run checks
// again).
#pragma once

#include <vector>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class TMacroEcologyDialog : public TForm {
 public:
  bool FirstTime = true;
  String CurrentFile;  // the data file the defaults were computed for
  TLabel* Labels[4];
  TEdit* Edits[4];
  TButton* UseButton;
  TButton* ResetButton;  // puts the defaults back and stays open

  void FormShow(TObject* Sender);
  // The defaults from the data (always succeeds).
  virtual void Init() = 0;
  // Checks the typed values; shows the first failure's message.
  virtual bool Check() = 0;
  void UseButtonClick(TObject* Sender);
  void ResetButtonClick(TObject* Sender);

 protected:
  struct TLayout {
    const char* Name;
    const char* Caption;
    const char* EditNames[4];
    const char* LabelCaptions[4];
    const char* Texts[4];
    const char* UseName;
    const char* UseCaption;
    const char* ResetCaption;
  };
  TMacroEcologyDialog(TComponent* AOwner, const TLayout& Layout);
  // The X and Y item indexes plus 1 the defaults were computed for.
  Integer StoredX = 0;
  Integer StoredY = 0;
  // The edit's number ('.' decimals; 0 when it does not begin with one).
  double Value(int Edit) const;
  // The chosen X and Y columns' data cells as numbers.
  void ReadColumns(std::vector<double>& X, std::vector<double>& Y) const;
};
