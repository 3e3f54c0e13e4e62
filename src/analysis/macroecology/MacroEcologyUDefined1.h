// The dialog of user-defined end points, used by the constraint "user-defined (uniform)": the
// box in which the random points are drawn, by default the chosen columns' extremes.
#pragma once

#include "analysis/macroecology/MacroEcologyDialog.h"
#include "analysis/macroecology/MacroecologySims.h"

class TMacroEcologyUD1 : public TMacroEcologyDialog {
 public:
  explicit TMacroEcologyUD1(TComponent* AOwner);

  TEdit*& MinimumXEdit = Edits[0];  // "Minimum X:"
  TEdit*& MaximumXEdit = Edits[1];  // "Maximum X:"
  TEdit*& MinimumYEdit = Edits[2];  // "Minimum Y:"
  TEdit*& MaximumYEdit = Edits[3];  // "Maximum Y:"
  TButton*& OkButton = UseButton;    // "&Use new end points"
  Integer& Current_c = StoredX;
  Integer& Current_c2 = StoredY;

  // Smallest and largest X and Y of the chosen columns.
  void Init() override;
  bool Check() override { return TestUserInput(); }
  bool TestUserInput();
  // The four end points as typed.
  TUniformBox EndPoints() const;
};

// The end points' rules in order, showing the first failure's message: minimum X and Y >= 0,
// maximum X and Y > 0, maximum above minimum.
bool TestEndPoints(const TUniformBox& Box);

extern TMacroEcologyUD1* MacroEcologyUD1;
