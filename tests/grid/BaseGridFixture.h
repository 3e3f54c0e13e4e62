// A base grid for tests: records the rectangles it invalidates and the hooks it runs, gives new
// cell properties a recognisable look, and counts the graphic objects that are freed.
#pragma once

#include <memory>
#include <vector>

#include "classlib/ExtCtrls.h"
#include "classlib/GraphicsObjects.h"
#include "grid/base/BaseGrid.h"

namespace testgrid {

// Stands for the grid component's per-cell graphic, which the base grid frees by class name.
class TCellGraphic : public TObject {
 public:
  static inline int Freed = 0;
  ~TCellGraphic() override { ++Freed; }
};

// Another graphic class, which the base grid must leave alone.
class TOtherGraphic : public TObject {};

class TTestGrid : public TBaseGrid {
 public:
  using TBaseGrid::TBaseGrid;
  using TBaseGrid::FHasCellProps;
  using TBaseGrid::FHideLastRow;
  using TBaseGrid::FMergeCount;
  using TBaseGrid::FNormalRowCount;

  std::vector<TRect> Invalidated;
  std::vector<TPoint> TextChanged;
  int HiddenLastRowUpdates = 0;

  void CellTextChanged(int ACol, int ARow) override { TextChanged.push_back(Point(ACol, ARow)); }
  void UpdateHiddenLastRow() override { ++HiddenLastRowUpdates; }
  void GetCellLook(int, int, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                   TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                   TCellGradientDirection& GD) override {
    AFont->SetName("DejaVu Serif");
    AFont->SetSize(13);
    AFont->SetColor(clMaroon);
    AFont->SetStyle(TFontStyles{fsItalic});
    ABrush->SetColor(clYellow);
    AColorTo = clAqua;
    AMirrorColor = clRed;
    AMirrorColorTo = clRed;
    HA = taCenter;
    VA = vtaBottom;
    WW = false;
    GD = GradientHorizontal;
  }

 protected:
  void InvalidateRect(const TRect& ARect, bool) override { Invalidated.push_back(ARect); }
};

// A grid of 6 columns by 8 rows, 40 x 20 pixel cells, one fixed row and column, in a window.
struct GridInWindow {
  std::unique_ptr<TPanel> parent{New<TPanel>(nullptr)};
  TTestGrid* grid = nullptr;
  GridInWindow() {
    parent->SetBounds(0, 0, 400, 300);
    grid = New<TTestGrid>(parent.get());
    grid->SetParent(parent.get());
    grid->SetBounds(0, 0, 300, 200);
    grid->SetColCount(6);
    grid->SetRowCount(8);
    grid->SetDefaultColWidth(40);
    grid->SetDefaultRowHeight(20);
    grid->HandleNeeded();
    grid->Invalidated.clear();
  }
};

}  // namespace testgrid
