// Support types shared by the grid foundation: cell alignment and gradient kinds, and
// TObjStringGrid, the step between the platform string grid and the base grid.
#pragma once

#include "classlib/Grids.h"
#include "grid/base/ZudAzud.h"

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TCellGradientDirection { GradientVertical, GradientHorizontal };

class TObjStringGrid : public TStringGrid {
 public:
  explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};
