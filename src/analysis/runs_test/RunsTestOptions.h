// The runs test options form: the X (continuous) and Y (discrete) columns, the null model's
// constraints and sampling, the data type, and the general page.
#pragma once

#include "analysis/standard_tests/StandardOptions.h"
#include "classlib/ExtCtrls.h"

class TRunsTestOpts : public TColumnPairOpts {
 public:
  explicit TRunsTestOpts(TComponent* AOwner);

  TComboBox*& XvariableList = FirstList;  // "&X variable (continuous) :"
  TComboBox*& YvariableList = SecondList;  // "&Y variable (discrete) :"
  Integer& CurrentX_Column = CurrentFirst;
  Integer& CurrentY_Column = CurrentSecond;

  TRadioGroup* SimulationGroup;         // 0 "Equiprobable", 1 "Proportional"
  TRadioGroup* SamplingAlgorithmGroup;  // 0 "Without replacement", 1 "With replacement"
  TRadioGroup* DataTypeGroup;           // 0 "Linear", 1 "Angular"

  // The shared defaults, then "Equiprobable"; sampling and data type keep their choice.
  void ResetDefaults();

 private:
  TRadioGroup* NewGroup(const String& Name, const String& Caption, const char* First, const char* Second, int Top);
};

extern TRunsTestOpts* RunsTestOpts;
