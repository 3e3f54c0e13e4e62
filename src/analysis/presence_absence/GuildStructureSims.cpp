#include "analysis/presence_absence/GuildStructureSims.h"

#include "classlib/SysUtils.h"

namespace {

// Grid column and row of the kernel's site c and species r.
void GridCell(GroupAxis Axis, int32_t c, int32_t r, int& col, int& row) {
  if (Axis == GroupAxis::Species) {
    col = c + 1;
    row = r;
  } else {
    col = c;
    row = r + 1;
  }
}

}  // namespace

GroupAxis GroupingAxis(int Grouping) { return Grouping == 1 ? GroupAxis::Sites : GroupAxis::Species; }

void GuildCopyMainGrid(const TStringGrid* Grid, GroupAxis Axis, Matrix& Presence, std::vector<std::string>& Labels) {
  const int R = Grid->RowCount();
  const int C = Grid->ColCount();
  const bool species = Axis == GroupAxis::Species;
  const int32_t S = std::max(species ? C - 2 : C - 1, 0);
  const int32_t n = std::max(species ? R - 1 : R - 2, 0);
  Presence.SetLength(S + 1, n + 1);
  for (int32_t c = 1; c <= S; ++c)
    for (int32_t r = 1; r <= n; ++r) {
      int col = 0, row = 0;
      GridCell(Axis, c, r, col, row);
      Presence[c][r] = LeadingInt(Grid->Cells(col, row)) > 0 ? 1 : 0;
    }
  Labels.clear();
  if (species)
    for (int r = 1; r < R; ++r) Labels.push_back(Grid->Cells(1, r));
  else
    for (int c = 1; c < C; ++c) Labels.push_back(Grid->Cells(c, 1));
}

void GuildWorkingToGrid(const GroupSims& Sims, const TStringGrid* Data, TStringGrid* Target) {
  const int R = Data->RowCount();
  const int C = Data->ColCount();
  Target->SetColCount(C);
  Target->SetRowCount(R);
  for (int c = 0; c < C; ++c) Target->SetCells(c, 0, Data->Cells(c, 0));
  for (int r = 1; r < R; ++r) Target->SetCells(0, r, Data->Cells(0, r));
  const GroupAxis axis = Sims.Axis();
  const std::vector<std::string>& names = Sims.GroupNames();
  for (int32_t u = 0; u < Sims.Units(); ++u) {
    const String& label = names[static_cast<size_t>(Sims.LabelOf(u))];
    if (axis == GroupAxis::Species)
      Target->SetCells(1, u + 1, label);
    else
      Target->SetCells(u + 1, 1, label);
  }
  for (int32_t c = 1; c <= Sims.Sites(); ++c)
    for (int32_t r = 1; r <= Sims.Species(); ++r) {
      int32_t fc = 0, fr = 0;
      Sims.Source(c, r, fc, fr);
      int col = 0, row = 0, fromCol = 0, fromRow = 0;
      GridCell(axis, c, r, col, row);
      GridCell(axis, fc, fr, fromCol, fromRow);
      Target->SetCells(col, row, Data->Cells(fromCol, fromRow));
    }
}

void GuildShuffleLabels(GroupSims& Sims, int Grouping) {
  if (Grouping == 0 || Grouping == 1) Sims.ShuffleLabels();
}

int32_t GuildFavoredStates(const GroupSims& Sims) { return Sims.FavoredStates(); }
