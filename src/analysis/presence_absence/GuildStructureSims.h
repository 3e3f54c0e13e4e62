// The guild-structure null model over the shared group body (GroupSims): reading the data
// grid in the layout of the chosen grouping, writing the working table back as a grid, the
// label shuffle and the favored-states count.
//
// Layouts (R rows and C columns of the grid, titles included):
//   by guild  (Species axis): labels in column 1 of rows 1..R-1, sites in columns 2..C-1;
//   by region (Sites axis):   labels in row 1 of columns 1..C-1, species in rows 2..R-1.
// A cell is present when its text, read as an integer (leading blanks and sign, then digits;
// no digits give 0), is above 0.
#pragma once

#include <string>
#include <vector>

#include "analysis/presence_absence/GroupSims.h"
#include "classlib/Grids.h"

// The options form's "Grouping" item: 1 groups the site columns by region, anything else the
// species rows by guild.
GroupAxis GroupingAxis(int Grouping);

// The presence table [site][species] and the labels of the grid in the axis's layout.
void GuildCopyMainGrid(const TStringGrid* Grid, GroupAxis Axis, Matrix& Presence, std::vector<std::string>& Labels);

// Target := the working state as a grid of the data grid's size: the data grid's titles, the
// labels where they now stand and every cell's own text where the cell now stands.
void GuildWorkingToGrid(const GroupSims& Sims, const TStringGrid* Data, TStringGrid* Target);

// The label shuffle of grouping 0 (guilds) or 1 (regions); any other value does nothing.
void GuildShuffleLabels(GroupSims& Sims, int Grouping);

// Favored sites under the labels as they stand, against the table of minimal spreads that
// GroupSims::Begin builds from the guild sizes.
int32_t GuildFavoredStates(const GroupSims& Sims);
