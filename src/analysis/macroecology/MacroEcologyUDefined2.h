// The dialog of a user-defined normal distribution, used by the constraint "user-defined
// (normal)": the means and standard deviations of X and Y, by default those of the chosen
// columns.
#pragma once

#include "analysis/macroecology/MacroEcologyDialog.h"
#include "analysis/macroecology/MacroecologySims.h"

class TMacroEcologyUD2 : public TMacroEcologyDialog {
 public:
  explicit TMacroEcologyUD2(TComponent* AOwner);

  TEdit*& MeanXEdit = Edits[0];  // "Mean X:"
  TEdit*& SDXEdit = Edits[1];    // "Std. Deviation X:"
  TEdit*& MeanYEdit = Edits[2];  // "Mean Y:"
  TEdit*& SDYEdit = Edits[3];    // "Std. Deviation Y:"
  TButton*& OKButton = UseButton;  // "&Use new weights"
  Integer& current_x = StoredX;
  Integer& current_y = StoredY;

  void FormCreate(TObject* Sender);
  // Mean and standard deviation (n - 1) of the chosen X and Y columns.
  void Init() override;
  bool Check() override { return TestInput(); }
  bool TestInput();
  // The four values as typed.
  TNormalParameters Parameters() const;
};

// The normal parameters' rules in order, showing the first failure's message: each mean >= 0,
// each standard deviation > 0.
bool TestNormalParameters(const TNormalParameters& Normal);

extern TMacroEcologyUD2* MacroEcologyUD2;
