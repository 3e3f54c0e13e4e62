#include "classlib/qt/PaintGlue.h"

#include <QPainter>

#include "classlib/Canvas.h"
#include "classlib/Caret.h"
#include "classlib/Controls.h"
#include "classlib/qt/Views.h"

namespace {

void PaintControl(TControl* Control, QPainter& Painter) {
  TCanvas canvas(&Painter);
  if (auto* custom = dynamic_cast<TCustomControl*>(Control))
    custom->PaintTo(&canvas);
  else if (auto* graphic = dynamic_cast<TGraphicControl*>(Control))
    graphic->PaintTo(&canvas);
  // The system caret goes over whatever its window drew.
  DrawCaret(Control, &canvas);
}

const bool installed = (InstallPaintGlue(), true);

}  // namespace

void InstallPaintGlue() { Views::SetPaintFunction(&PaintControl); }
