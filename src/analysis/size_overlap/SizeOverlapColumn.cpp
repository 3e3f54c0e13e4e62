#include "analysis/size_overlap/SizeOverlapColumn.h"

#include <cmath>

#include "analysis/size_overlap/SizeOverlapSims.h"
#include "classlib/SysUtils.h"

double CellSize(const String& Text) {
  const double value = LeadingReal(Text);
  return std::isfinite(value) ? value : 0.0;
}

int32_t CountNonZeroRows(const TStringGrid* Grid, int Column) {
  int32_t n = 0;
  for (int r = 1; r < Grid->RowCount(); ++r)
    if (CellSize(Grid->Cells(Column, r)) > 0) ++n;
  return n;
}

void ColumnToSizes(const TStringGrid* Grid, int Column, std::vector<double>& Sizes) {
  Sizes.clear();
  for (int r = 1; r < Grid->RowCount(); ++r) {
    const double size = CellSize(Grid->Cells(Column, r));
    if (size > 0) Sizes.push_back(size);
  }
}

void HistogramRows(const TStringGrid* Histogram, std::vector<double>& Sizes, std::vector<double>& Weights) {
  Sizes.clear();
  Weights.clear();
  for (int r = 1; r < Histogram->RowCount(); ++r) {
    Sizes.push_back(CellSize(Histogram->Cells(1, r)));
    Weights.push_back(CellSize(Histogram->Cells(2, r)));
  }
}

int32_t CountHistogramNonZeroRows(const TStringGrid* Histogram) {
  std::vector<double> sizes, weights;
  HistogramRows(Histogram, sizes, weights);
  return CountDrawableRows(sizes, weights);
}
