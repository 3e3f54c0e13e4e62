// The ANOVA options form: the labels column and the values column, and the general page.
#pragma once

#include "analysis/standard_tests/StandardOptions.h"

class TAnovaOpts : public TColumnPairOpts {
 public:
  explicit TAnovaOpts(TComponent* AOwner);

  TComboBox*& LabelsList = FirstList;     // "&Labels:"
  TComboBox*& YvariableList = SecondList;  // "&Y variable:"
  Integer& CurrentLabel_Column = CurrentFirst;
  Integer& CurrentY_Column = CurrentSecond;
};

extern TAnovaOpts* AnovaOpts;
