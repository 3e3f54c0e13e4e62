// The base grid's painting.
#include "grid/base/BaseGrid.h"

namespace {
constexpr TColor kNone = 0x1FFFFFFF;
}  // namespace

void TBaseGrid::Paint() {
  TObjStringGrid::Paint();
  ++FPaintID;
}

void TBaseGrid::DrawCellContent(TCanvas*, int, int, TRect, TGridDrawState) {}

void TBaseGrid::GetCellLook(int, int, TFont*, TBrush*, TColor& AColorTo, TColor& AMirrorColor,
                            TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                            TCellGradientDirection& GD) {
  AColorTo = kNone;
  AMirrorColor = kNone;
  AMirrorColorTo = kNone;
  HA = taLeftJustify;
  VA = vtaTop;
  WW = FWordWrap;
  GD = GradientVertical;
}
