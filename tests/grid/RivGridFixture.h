// A data grid for tests: protected state made readable, a grid filled with texts that name
// their cell, and a cell graphic that counts how often one is freed.
#pragma once

#include <memory>

#include "classlib/SysUtils.h"
#include "grid/model/RivErodovOzar.h"

namespace rivgrid {

class TGrid : public TRivErodovOzar {
 public:
  using TRivErodovOzar::TRivErodovOzar;
  using TRivErodovOzar::FFixedRowsMin;
  using TRivErodovOzar::FMaxRowCount;
  using TRivErodovOzar::FNormalRowCount;
  using TRivErodovOzar::FHasCellProps;
  using TRivErodovOzar::StoreRowCount;
};

inline std::unique_ptr<TGrid> MakeGrid(int Cols = 5, int Rows = 10) {
  std::unique_ptr<TGrid> grid(New<TGrid>(nullptr));
  grid->SetColCount(Cols);
  grid->SetRowCount(Rows);
  return grid;
}

// Every cell of the first column holds "r<row>", every other cell "<col>:<row>".
inline void FillNamed(TRivErodovOzar& Grid) {
  for (int r = 0; r < Grid.RowCount(); ++r)
    for (int c = 0; c < Grid.AllColCount(); ++c)
      Grid.SetCells(c, r, c == 0 ? "r" + IntToStr(r) : IntToStr(c) + ":" + IntToStr(r));
}

// A cell graphic whose freeing is counted (the grid frees graphics by class name).
class TCountedGraphic : public TCellGraphic {
 public:
  static inline int Freed = 0;
  ~TCountedGraphic() override { ++Freed; }
};

inline TCountedGraphic* AttachCounted(TRivErodovOzar& Grid, int ACol, int ARow) {
  auto* g = new TCountedGraphic();
  Grid.SetCellGraphicObject(ACol, ARow, g);
  return g;
}

}  // namespace rivgrid
