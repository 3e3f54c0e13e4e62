// Group calculations: a value per expanded group, over its data rows, into its header row or,
// with summary rows, into the summary row after it.
#include "grid/model/RivErodovOzar.h"

void TRivErodovOzar::GroupCalc(int Colindex, int method) {
  if (method < 1 || method > 6) return;
  int r = FixedRows();
  while (r < RowCount()) {
    TCellGraphic* node = NodeGraphic(r);
    if (node == nullptr || node->CellBoolean) {
      ++r;
      continue;
    }
    const int span = node->CellIndex;
    if (span < 1) {
      ++r;
      continue;
    }
    const int from = r + 1;
    const int to = r + span - 1;
    // Only a summary row takes the value: a group without one (summaries switched on after
    // grouping) keeps it in its header rather than overwriting the next group's header.
    const int target = FGrouping->Summary() && IsSummary(r + span) ? r + span : r;
    switch (method) {
      case 1: SetCellFloat(Colindex, target, ColumnSum(Colindex, from, to)); break;
      case 2: SetCellFloat(Colindex, target, ColumnAvg(Colindex, from, to)); break;
      case 3: if (to >= from) SetCellFloat(Colindex, target, ColumnMin(Colindex, from, to)); break;
      case 4: if (to >= from) SetCellFloat(Colindex, target, ColumnMax(Colindex, from, to)); break;
      case 5: SetCellInteger(Colindex, target, span - 1); break;
      case 6: SetCellFloat(Colindex, target, ColumnCustomCalc(Colindex, from, to)); break;
    }
    r += span;
  }
}
