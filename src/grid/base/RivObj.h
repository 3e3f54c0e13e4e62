// Unit RivObj: the grid's support lists and objects, its settings objects, the alignment and
// gradient kinds of the cell model, and TObjStringGrid, the step between the platform string
// grid and the base grid.
#pragma once

#include "classlib/Grids.h"
#include "grid/base/RivObjLists.h"
#include "grid/base/RivObjSettings.h"
#include "grid/base/ZudAzud.h"

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TCellGradientDirection { GradientVertical, GradientHorizontal };

class TObjStringGrid : public TStringGrid {
 public:
  explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};
