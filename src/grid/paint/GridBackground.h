// TBackGround: the grid's background picture or gradient, shown where no cell covers the
// client area (and, tiled, behind the cells that ask for it).
#pragma once

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Persistent.h"
#include "grid/model/GridTypes.h"

class TRivErodovOzar;

enum TBackGroundCells { bcNormal, bcFixed, bcAll };

class TBackGround : public TPersistent {
 public:
  explicit TBackGround(TRivErodovOzar* AGrid);
  ~TBackGround() override;
  // Copies from another background only.
  void Assign(TPersistent* Source) override;
  // Owned; writing copies the bitmap.
  TBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(TBitmap* Value);
  int Left() const { return FLeft; }
  void SetLeft(int Value);
  int Top() const { return FTop; }
  void SetTop(int Value);
  TBackgroundDisplay Display() const { return FDisplay; }
  void SetDisplay(TBackgroundDisplay Value);
  TBackGroundCells Cells() const { return FCells; }
  void SetCells(TBackGroundCells Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);

 private:
  void Changed();
  TRivErodovOzar* FGrid;
  std::unique_ptr<TBitmap> FBitmap = std::make_unique<TBitmap>();
  int FLeft = 0;
  int FTop = 0;
  TBackgroundDisplay FDisplay = bdTile;
  TBackGroundCells FCells = bcNormal;
  TColor FColor;
  TColor FColorTo;
};
