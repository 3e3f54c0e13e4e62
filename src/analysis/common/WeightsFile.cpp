#include "analysis/common/WeightsFile.h"

#include <cmath>

#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

TWeightsFileCells ReadWeightsFileCells(const String& Bytes, size_t MaxLines) {
  TWeightsFileCells cells;
  std::vector<String> line;
  String pending;
  for (size_t k = 0; k < Bytes.size(); ++k) {
    const char ch = Bytes[k];
    if (ch == '\r' || ch == '\n') {
      line.push_back(std::move(pending));
      pending.clear();
      if (ch == '\r' && k + 1 < Bytes.size() && Bytes[k + 1] == '\n') ++k;
      cells.Lines.push_back(std::move(line));
      line.clear();
      if (cells.Lines.size() > MaxLines) break;
    } else if (ch == ' ') {
      line.push_back(std::move(pending));
      pending.clear();
      if (cells.Lines.empty()) ++cells.FirstLineBlanks;
    } else {
      pending += ch;
    }
  }
  return cells;
}

void PutWeightsFileCells(TStringGrid* Grid, const TWeightsFileCells& Cells, int Columns) {
  Grid->SetRowCount(static_cast<int>(Cells.Lines.size()));
  Grid->SetColCount(Columns < 1 ? 1 : Columns);
  for (size_t r = 0; r < Cells.Lines.size(); ++r)
    for (size_t c = 0; c < Cells.Lines[r].size() && static_cast<int>(c) < Grid->ColCount(); ++c)
      Grid->SetCells(static_cast<int>(c), static_cast<int>(r), Cells.Lines[r][c]);
}

bool CheckWeightsPositive(const TStringGrid* Grid) {
  for (int r = 1; r < Grid->RowCount(); ++r) {
    const double weight = LeadingReal(Grid->Cells(1, r));
    // An infinite weight would turn every selection probability into NaN.
    if (!(weight > 0) || !std::isfinite(weight)) {
      ShowMessage("Weights must be > 0 \nerror row: " + IntToStr(r));
      return false;
    }
  }
  return true;
}
