// IGridCellDrawer: what an object in an interfaced cell (ctInterface) implements to draw
// itself in the cell and to say how much room it needs.
#pragma once

#include "classlib/Types.h"

class TCanvas;
class TRivErodovOzar;

class IGridCellDrawer {
 public:
  virtual ~IGridCellDrawer() = default;
  virtual void Draw(TCanvas* Canvas, const TRect& R, TRivErodovOzar* Grid, bool Selected, int Row, int Col) = 0;
  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
  // Drawn as the cell's background, under its text.
  virtual bool IsBackground() = 0;
};
