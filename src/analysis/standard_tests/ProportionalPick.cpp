#include "analysis/standard_tests/ProportionalPick.h"

void TProportionalPick::Build(const NumberLine& Proportions) {
  FLine.assign(1, 0.0);
  FLine.insert(FLine.end(), Proportions.begin(), Proportions.end());
  FLastPositive = -1;
  FNegative = false;
  for (size_t i = 0; i < Proportions.size(); ++i) {
    if (Proportions[i] > 0) FLastPositive = static_cast<Integer>(i);
    if (Proportions[i] < 0) FNegative = true;
  }
  // The search needs a line of at least one position.
  if (FLine.size() < 2) FLine.push_back(0.0);
  FSearch.Build(FLine);
}
