#include "analysis/common/WeightsFile.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

TWeightsFileCells ReadWeightsFileCells(const String& Bytes, size_t MaxLines) {
  TWeightsFileCells cells;
  const size_t n = Bytes.size();
  // Only complete lines count, and no more than one beyond MaxLines is ever read.
  size_t lines = 0;
  for (size_t k = 0; k < n; ++k)
    lines += Bytes[k] == '\n' || (Bytes[k] == '\r' && (k + 1 == n || Bytes[k + 1] != '\n'));
  cells.Lines.reserve(std::min(lines, MaxLines) + 1);
  // The first line's blanks give the column count (all blanks when no line is complete).
  const size_t firstEnd = std::min(Bytes.find_first_of("\r\n"), n);
  cells.FirstLineBlanks = static_cast<int>(std::count(Bytes.begin(), Bytes.begin() + static_cast<std::ptrdiff_t>(firstEnd), ' '));
  size_t start = 0;
  while (start < n && cells.Lines.size() <= MaxLines) {
    size_t end = start;
    while (end < n && Bytes[end] != '\r' && Bytes[end] != '\n') ++end;
    if (end == n) break;  // no line end: not a complete line
    const std::string_view line(Bytes.data() + start, end - start);
    std::vector<TCellText>& texts = cells.Lines.emplace_back().Texts;
    const auto blanks = static_cast<size_t>(std::count(line.begin(), line.end(), ' '));
    texts.reserve(blanks + 1);
    size_t cell = 0;
    for (size_t k = 0; k <= line.size(); ++k) {
      if (k < line.size() && line[k] != ' ') continue;
      texts.emplace_back(line.data() + cell, k - cell);
      cell = k + 1;
    }
    start = end + (Bytes[end] == '\r' && end + 1 < n && Bytes[end + 1] == '\n' ? 2 : 1);
  }
  return cells;
}

void PutWeightsFileCells(TStringGrid* Grid, TWeightsFileCells&& Cells, int Columns) {
  Grid->SetRowCount(static_cast<int>(Cells.Lines.size()));
  Grid->SetColCount(Columns < 1 ? 1 : Columns);
  Grid->TakeRows(std::move(Cells.Lines));
}

bool CheckWeightsPositive(const TStringGrid* Grid, const char* LineBreak) {
  for (int r = 1; r < Grid->RowCount(); ++r) {
    const double weight = LeadingReal(Grid->Cells(1, r));
    // An infinite weight would turn every selection probability into NaN.
    if (!(weight > 0) || !std::isfinite(weight)) {
      ShowMessage(String("Weights must be > 0 ") + LineBreak + "error row: " + IntToStr(r));
      return false;
    }
  }
  return true;
}
