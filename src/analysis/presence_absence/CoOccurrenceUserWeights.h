// The user weights of the "User-Defined" constraints as a run takes them from the weights
// editor: checked before the run starts, then read into the weight lists the null-model
// engine turns into its number lines.
#pragma once

#include <vector>

#include "classlib/Grids.h"

// Messages of the check.
inline constexpr const char* kSitesWeightsCountError =
    "Column Count <> SitesWeightsGrid Row Count. Aborting simulation.";
inline constexpr const char* kSpeciesWeightsCountError =
    "Row Count <> SpeciesWeightsGrid Row Count. Aborting simulation.";

// For each constraint set to "User-Defined" (columns first, then rows): its weights grid must
// have one row per site (species) of the data grid, title row included, and every weight must
// be a positive number; the first fault of a grid shows its message ("... Row Count. Aborting
// simulation." or "Weights must be > 0 " + line break + "error row: " + row). False when
// either grid failed.
bool CheckUserWeights();

// The weights in column 1 of Grid, rows 1.., read as numbers ('.' as decimal point; a text
// that is not a number gives 0).
std::vector<double> WeightsFromGrid(const TStringGrid* Grid);
