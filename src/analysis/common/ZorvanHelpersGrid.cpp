#include "analysis/common/ZorvanHelpersGrid.h"

#include <algorithm>

#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/Math.h"
#include "classlib/SysUtils.h"

namespace {

String CellName(int r, int c) { return "@ Row " + IntToStr(r) + " Col " + IntToStr(c); }

}  // namespace

void CalculateMargins_Real(Real_Matrix& M) {
  const int columns = Zorvan->MainGrid->ColCount() - 1;
  const int rows = Zorvan->MainGrid->RowCount() - 1;
  if (columns <= 0 || rows <= 0) return;
  M.RequireIndex(columns, rows);
  // Each total is summed in the order of its cells, as a double, and must stay finite.
  for (int r = 1; r <= rows; ++r) {
    double total = 0;
    for (int c = 1; c <= columns; ++c) total += M[c][r];
    M[0][r] = static_cast<double>(CheckFinite(total));
  }
  double grand = 0;
  for (int c = 1; c <= columns; ++c) {
    const double* column = M[c];
    double total = 0;
    for (int r = 1; r <= rows; ++r) total += column[r];
    M[c][0] = static_cast<double>(CheckFinite(total));
    grand += M[c][0];
  }
  M[0][0] = static_cast<double>(CheckFinite(grand));
}

bool CheckRowTotals_Real(const Real_Matrix& M) {
  const int rows = Zorvan->MainGrid->RowCount() - 1;
  if (rows > 0) M.RequireIndex(0, rows);
  Zorvan->NonZeroRows = 0;
  for (int r = 1; r <= rows; ++r) {
    if (M[0][r] > 0) {
      ++Zorvan->NonZeroRows;
      continue;
    }
    ShowMessage("Non Zero Row = " + IntToStr(r) + " ; aborting simulation.");
    Zorvan->NonZeroRows = -1;
    Zorvan->RowError = r;
    return false;
  }
  Zorvan->RowError = 0;
  return true;
}

bool CheckPositiveIntegers(TStringGrid* Grid) {
  for (int r = 1; r < Grid->RowCount(); ++r) {
    for (int c = 1; c < Grid->ColCount(); ++c) {
      Integer value = 0;
      if (!TryStrToInt(Grid->Cells(c, r), value)) return false;
      if (value <= 0) {
        ShowMessage("Non-positive integer " + CellName(r, c));
        return false;
      }
    }
  }
  return true;
}

bool CheckPositiveReals(TStringGrid* Grid) {
  for (int r = 1; r < Grid->RowCount(); ++r) {
    for (int c = 1; c < Grid->ColCount(); ++c) {
      double value = 0;
      if (!TryStrToFloat(Grid->Cells(c, r), value)) {
        ShowMessage("Not a real number " + CellName(r, c));
        return false;
      }
      if (value <= 0) {
        ShowMessage("Non-positive real " + CellName(r, c));
        return false;
      }
    }
  }
  return true;
}

bool CheckDiversityLimits() {
  if (Zorvan->MainGrid->RowCount() - 1 > kDiversityMaxRows) {
    ShowMessage("Species Diversity Row Count Maximum = " + IntToStr(kDiversityMaxRows));
    return false;
  }
  if (Zorvan->MainGrid->ColCount() - 1 > kDiversityMaxColumns) {
    ShowMessage("Species Diversity Column Count Maximum = " + IntToStr(kDiversityMaxColumns));
    return false;
  }
  return true;
}

void IntegersToGridColumn(const std::vector<Integer>& Values, TStringGrid* Grid) {
  for (size_t i = 0; i < Values.size(); ++i) Grid->SetCells(1, static_cast<int>(i) + 1, IntToStr(Values[i]));
}

void CopyGridColumns(TStringGrid* G1, TStringGrid* G2, Integer a, Integer b) {
  TStringGrid* main = Zorvan->MainGrid;
  const int rows = main->RowCount();
  for (TStringGrid* g : {G1, G2}) {
    g->SetRowCount(rows);
    for (int r = 0; r < rows; ++r) {
      g->SetCells(0, r, main->Cells(0, r));
      g->SetCells(1, r, main->Cells(a, r));
      g->SetCells(2, r, main->Cells(b, r));
    }
  }
}

void CopyRowTitles(TStringGrid* G) {
  TStringGrid* main = Zorvan->MainGrid;
  for (int r = 0; r < main->RowCount(); ++r) G->SetCells(0, r, main->Cells(0, r));
}

void CopyIntegers(const std::vector<Integer>& Source, std::vector<Integer>& Target) {
  if (Target.size() < Source.size()) RaiseRangeError();
  std::copy(Source.begin(), Source.end(), Target.begin());
}
