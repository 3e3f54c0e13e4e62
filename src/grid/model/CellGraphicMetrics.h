// Sizes of the objects cell graphics hold, shared by the graphic sizing and the cell layout.
#pragma once

#include "classlib/Canvas.h"
#include "grid/model/CellGraphic.h"

class TCustomImageList;
class TStrings;

namespace CellGraphicMetrics {
int ButtonWidth(const TCellGraphic& G);
int ButtonHeight(const TCellGraphic& G);
// The bitmap's, picture's or icon's own size.
TPoint GraphicObjectSize(const TCellGraphic& G);
// The size an interfaced cell object reports.
TPoint DrawerSize(const TCellGraphic& G);
TPoint RadioGroupSize(TCanvas* Canvas, const TStrings& Items, bool Horizontal, int MinRow);
// Side by side when CellBoolean, else stacked.
TPoint ImageRowSize(const TCellGraphic& G, const TCustomImageList* Images);
}  // namespace CellGraphicMetrics
