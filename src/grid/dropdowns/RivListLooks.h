// The header, line and selection-text colours that the looks give the lists in the drop-downs
// with a header row (the multi-column drop-down and the grid drop-down).
#pragma once

#include "grid/base/RivStyleIF.h"
#include "grid/dropdowns/RivDropDownTypes.h"

struct TListLook {
  TVAVStyle Style;
  TColor Header, HeaderTo, Font;  // Font clNone: unchanged
  TSelectionColorStyle Selection;
  TColor Line, FixedLine, SelectionText;
};

// The look's colours; nullptr for the looks that leave the list as it is.
const TListLook* FindListLook(TVAVStyle Style);
