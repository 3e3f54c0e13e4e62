// The regression options form: the X and Y columns, and the general page.
#pragma once

#include "analysis/standard_tests/StandardOptions.h"

class TRegressionOpts : public TColumnPairOpts {
 public:
  explicit TRegressionOpts(TComponent* AOwner);

  TComboBox*& XvariableCList = FirstList;  // "&X variable:"
  TComboBox*& YvariableCList = SecondList;  // "&Y variable:"
  Integer& CurrentX_Column = CurrentFirst;
  Integer& CurrentY_Column = CurrentSecond;

  void resetDefaults() { ResetDefaults(); }
};

extern TRegressionOpts* RegressionOpts;
