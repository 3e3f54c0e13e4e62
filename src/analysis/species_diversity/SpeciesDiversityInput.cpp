// The species-diversity run's input: the column or sample columns read from the data grid
// into counts and onto the "Input" and "Simulation" tabs, the check of the counts, and the
// user levels.
#include <algorithm>
#include <limits>

#include "analysis/species_diversity/AbundancelevelsOptions.h"
#include "analysis/species_diversity/SpeciesDiversityLevels.h"
#include "analysis/species_diversity/SpeciesDiversityMain.h"
#include "analysis/species_diversity/SpeciesDiversityOptions.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

namespace {
constexpr int64_t kLargest = std::numeric_limits<Integer>::max();
}  // namespace

Integer TSpeciesDiversity::AnalysedColumn() const {
  // The list holds the titles of the matrix shown when the options closed; a batch file may be
  // narrower, and then its first column is analysed.
  const Integer column = SpeciesDiversityOpts->ColumnList->ItemIndex() + 1;
  return column >= 1 && column < Zorvan->MainGrid->ColCount() ? column : 1;
}

std::vector<Integer> TSpeciesDiversity::getAbundanceLevels() {
  TStrings* lines = AbundanceLevelsOpts->Memo1->Lines();
  std::vector<std::string> text;
  for (int i = 0; i < lines->Count(); ++i) text.push_back(lines->Strings(i));
  return LevelsFromLines(text);
}

bool TSpeciesDiversity::CountsAreValid(Integer FirstColumn, Integer LastColumn) {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  // The draws walk counts of 0 or more; a negative one is refused before anything is drawn,
  // and so is one whose digits run past a 32-bit count (read, it would be cut short).
  for (int r = 1; r < grid->RowCount(); ++r)
    for (int c = FirstColumn; c <= LastColumn; ++c) {
      Integer count = 0;
      const bool fits = TryLeadingInt(grid->Cells(c, r), count);
      if (fits && count >= 0) continue;
      const String cell = "@ Row " + IntToStr(r) + " Col " + IntToStr(c);
      return Refuse(fits ? "Negative count " + cell : "Count out of range " + cell);
    }
  return true;
}

void TSpeciesDiversity::ColumnToList(Integer k, std::vector<Integer>& Counts) {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int R = grid->RowCount();
  Counts.assign(static_cast<size_t>(R - 1), 0);
  ResetGrid(InputColumnStringGrid, 2, R);
  ResetGrid(SimulationStringGrid, 2, R);
  for (int r = 0; r < R; ++r) {
    InputColumnStringGrid->SetCells(0, r, grid->Cells(0, r));
    InputColumnStringGrid->SetCells(1, r, grid->Cells(k, r));
    SimulationStringGrid->SetCells(0, r, grid->Cells(0, r));
    if (r > 0) Counts[static_cast<size_t>(r - 1)] = LeadingInt(grid->Cells(k, r));
  }
  SimulationStringGrid->SetCells(1, 0, grid->Cells(k, 0));
}

void TSpeciesDiversity::SampleColumnsToMatrix(Matrix& Samples, std::vector<Integer>& Totals) {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int R = grid->RowCount();
  const int C = grid->ColCount();
  Samples.SetLength(C - 1, R - 1);
  Totals.assign(static_cast<size_t>(R - 1), 0);
  std::vector<int64_t> wide(Totals.size(), 0);
  ResetGrid(InputColumnStringGrid, C, R);
  ResetGrid(SimulationStringGrid, 2, R);
  for (int r = 0; r < R; ++r) {
    for (int c = 0; c < C; ++c) InputColumnStringGrid->SetCells(c, r, grid->Cells(c, r));
    SimulationStringGrid->SetCells(0, r, grid->Cells(0, r));
  }
  SimulationStringGrid->SetCells(1, 0, grid->Cells(1, 0));
  for (int c = 1; c < C; ++c)
    for (int r = 1; r < R; ++r) {
      const Integer count = LeadingInt(grid->Cells(c, r));
      Samples[c - 1][r - 1] = count;
      wide[static_cast<size_t>(r - 1)] += count;
    }
  // A total beyond 32 bits is refused before it is used; it only has to stay non-zero here.
  for (size_t s = 0; s < wide.size(); ++s)
    Totals[s] = static_cast<Integer>(std::clamp<int64_t>(wide[s], -kLargest, kLargest));
}
