// A position drawn in proportion to a line of proportions (0-based), as the chi-square and
// runs-test null models draw rows, columns and positions: the first position whose running sum
// reaches (AtLeast) or exceeds (Strict) the drawn real, never one of proportion 0; the last
// positive one when rounding leaves the sum short. The search is the shared number-line
// search, so a draw costs about one table look-up however long the line.
#pragma once

#include <cstdint>

#include "analysis/common/MatrixTypes.h"
#include "analysis/presence_absence/NumberLineSearch.h"
#include "classlib/Types.h"

class TProportionalPick {
 public:
  void Build(const NumberLine& Proportions);
  // Whether any proportion is positive.
  bool Any() const { return FLastPositive >= 0; }
  // Whether any proportion is negative (such a line gives no proportional draw).
  bool Negative() const { return FNegative; }
  // The position for the real RandomReal returned when it left the random source in State.
  Integer AtLeast(uint32_t State) const { return Settle(FSearch.FindAtLeastForState(State)); }
  Integer Strict(uint32_t State) const { return Settle(FSearch.FindStrictForState(State)); }

 private:
  Integer Settle(uint32_t Found) const {
    size_t i = Found - 1;
    while (i < FLine.size() - 1 && !(FLine[i + 1] > 0)) ++i;
    return i < FLine.size() - 1 ? static_cast<Integer>(i) : FLastPositive;
  }

  NumberLineSearch FSearch;
  NumberLine FLine{0.0};  // element 0 unused, element i + 1 the proportion of position i
  Integer FLastPositive = -1;
  bool FNegative = false;
};
