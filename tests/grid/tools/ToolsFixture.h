// Grids for the tool tests: a grid with a title row filled from a table of rows, and the
// texts of a column read back.
#pragma once

#include <memory>
#include <vector>

#include "../RivGridFixture.h"

namespace gridtools {

using rivgrid::MakeGrid;
using rivgrid::TGrid;

// Row 0 holds the titles "c0", "c1", ...; row r + 1 holds Rows[r].
inline std::unique_ptr<TGrid> GridOf(const std::vector<std::vector<String>>& Rows, int FixedRows = 1) {
  const int cols = Rows.empty() ? 1 : static_cast<int>(Rows.front().size());
  auto grid = MakeGrid(cols, static_cast<int>(Rows.size()) + 1);
  grid->SetFixedRows(FixedRows);
  grid->SetFixedCols(0);
  for (int c = 0; c < cols; ++c) grid->SetCells(c, 0, "c" + IntToStr(c));
  for (size_t r = 0; r < Rows.size(); ++r)
    for (int c = 0; c < cols; ++c) grid->SetCells(c, static_cast<int>(r) + 1, Rows[r][static_cast<size_t>(c)]);
  return grid;
}

inline std::vector<String> Column(TRivErodovOzar& Grid, int ACol, int FromRow = 1) {
  std::vector<String> texts;
  for (int r = FromRow; r < Grid.RowCount(); ++r) texts.push_back(Grid.Cells(ACol, r));
  return texts;
}

}  // namespace gridtools
