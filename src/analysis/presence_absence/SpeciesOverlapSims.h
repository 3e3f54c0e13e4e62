// The species-overlap null model over the shared group body (GroupSims): the species rows are
// grouped by the labels of column 1, and an iteration shuffles the cells within their sites,
// within their species, both, or only the labels.
#pragma once

#include <string>
#include <vector>

#include "analysis/presence_absence/GroupSims.h"
#include "classlib/Grids.h"

// The grid's species rows, labels from column 1, sites from column 2 on.
void OverlapCopyMainGrid(const TStringGrid* Grid, Matrix& Presence, std::vector<std::string>& Labels);

// Each site's cells among the species rows (every site keeps its species count).
void OverlapShuffleWithinColumns(GroupSims& Sims);
// Each species' cells among the sites (every species keeps its site count).
void OverlapShuffleWithinRows(GroupSims& Sims);
// The labels among the species rows (the cells stay).
void OverlapShuffleLabels(GroupSims& Sims);

// The "&Randomization Constraints" item: 0 "Equiprobable" (within columns, then within rows),
// 1 "Fixed Species", 2 "Fixed Sites", 3 "Fixed Species and Sites". Other items: Fixed Species,
// the design default.
GroupShuffle OverlapRandomization(int Item);

// One iteration's randomisation of that kind through the shuffles above: Both is within
// columns, then within rows.
void OverlapRandomize(GroupSims& Sims, GroupShuffle Kind);
