// The parameter dialogs of the user-defined distributions: end points of the uniform laws
// (UD1 on sizes, UD5 on the transformation's scale) and mean and standard deviation of the
// normal laws (UD2 on sizes, UD6 on the transformation's scale). Each starts from values
// computed on the analysed column and checks what the user types.
#pragma once

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class TSizeOverlapParameterDialog : public TForm {
 public:
  bool FirstTime = true;
  String CurrentFile;     // the data file the defaults were computed on
  Integer Current_c = 0;  // the column they were computed on

  // Computes the defaults from the analysed column into the edits; false (after "Non-Zero
  // Rows Must be > 0") when the column holds no size.
  bool Init();
  // The typed values in order; the first failing check shows its message and gives false.
  bool TestUserInput();
  // The two values as typed ('.' decimals; no number reads 0).
  void Values(double& First, double& Second) const;

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void UseButtonClick(TObject* Sender);
  void ResetButtonClick(TObject* Sender);

 protected:
  struct TLayout {
    const char* Name;
    const char* Caption;
    bool EndPoints;      // minimum and maximum, else mean and standard deviation
    bool Transformed;    // on the transformation's scale
    bool NewFileResets;  // a new data file brings back the defaults
    const char* FirstEdit;
    const char* SecondEdit;
    const char* UseButton;
    const char* UseCaption;
  };
  TSizeOverlapParameterDialog(TComponent* AOwner, const TLayout& Layout);

  TEdit* FFirst;
  TEdit* FSecond;
  TButton* FUse;
  TButton* FReset;

 private:
  TLayout FLayout;
  bool FInitFailed = false;
};

class TSizeOverLapUD1 : public TSizeOverlapParameterDialog {
 public:
  explicit TSizeOverLapUD1(TComponent* AOwner);
  TEdit* MinimumEdit;
  TEdit* MaximumEdit;
  TButton* OkButton;
  TButton* ResetButton;
};

class TSizeOverLapUD5 : public TSizeOverlapParameterDialog {
 public:
  explicit TSizeOverLapUD5(TComponent* AOwner);
  TEdit* MinimumEdit;
  TEdit* MaximumEdit;
  TButton* OkButton;
  TButton* ResetButton;
};

class TSizeOverLapUD2 : public TSizeOverlapParameterDialog {
 public:
  explicit TSizeOverLapUD2(TComponent* AOwner);
  TEdit* MeanEdit;
  TEdit* SDEdit;
  TButton* OKButton;
  TButton* ResetButton;
};

class TSizeOverLapUD6 : public TSizeOverlapParameterDialog {
 public:
  explicit TSizeOverLapUD6(TComponent* AOwner);
  TEdit* MeanEdit;
  TEdit* SDEdit;
  TButton* OKButton;
  TButton* ResetButton;
};

extern TSizeOverLapUD1* SizeOverLapUD1;
extern TSizeOverLapUD2* SizeOverLapUD2;
extern TSizeOverLapUD5* SizeOverLapUD5;
extern TSizeOverLapUD6* SizeOverLapUD6;
