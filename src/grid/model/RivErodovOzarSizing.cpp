// Automatic sizing of columns and rows to their contents, and of the control to its cells.
#include <algorithm>
#include <cmath>

#include "classlib/Canvas.h"
#include "grid/model/RivErodovOzar.h"

namespace {

// The foundation's limit rule: equal limits clamp nothing; a positive minimum and maximum
// bound the value.
int Clamp(int Value, int Min, int Max) {
  if (Min == Max) return Value;
  if (Min > 0 && Value < Min) return Min;
  if (Max > 0 && Value > Max) return Max;
  return Value;
}

// The lines of a cell text (CR LF, CR or LF each end one).
std::vector<String> TextLines(const String& Text) {
  std::vector<String> lines;
  GridCSV::ForEachLine(Text, [&](size_t Begin, size_t End) {
    lines.emplace_back(Text, Begin, End - Begin);
    return true;
  });
  if (lines.empty()) lines.emplace_back();
  return lines;
}

}  // namespace

int TRivErodovOzar::ClampColWidth(int Value) const { return Clamp(Value, MinColWidth, MaxColWidth); }

int TRivErodovOzar::ClampRowHeight(int Value) const { return Clamp(Value, MinRowHeight, MaxRowHeight); }

TCanvas* TRivErodovOzar::MeasureCanvas() {
  if (!FMeasureBitmap) FMeasureBitmap = std::make_unique<TBitmap>(1, 1);
  TCanvas* canvas = FMeasureBitmap->Canvas();
  canvas->Font()->Assign(Font());
  return canvas;
}

TSize TRivErodovOzar::MeasureText(int ACol, int ARow) {
  TCanvas* canvas = MeasureCanvas();
  // Fixed cells are drawn in the fixed font.
  if (ARow < FixedRows() || DisplColFromReal(ACol) < FixedCols()) canvas->Font()->Assign(FixedFont());
  TSize size{0, 0};
  const std::vector<String> lines = TextLines(Cells(ACol, ARow));
  for (const String& line : lines) size.cx = std::max(size.cx, canvas->TextWidth(line));
  size.cy = static_cast<int>(lines.size()) * canvas->TextHeight("gh");
  return size;
}

int TRivErodovOzar::MarginX() const { return XYOffsetTopLeftOnly ? XYOffset.X : 2 * XYOffset.X; }

int TRivErodovOzar::MarginY() const { return XYOffsetTopLeftOnly ? XYOffset.Y : 2 * XYOffset.Y; }

void TRivErodovOzar::DoAutoSizeCol(int ACol, bool GrowOnly) {
  int from = 0, to = RowCount() - 1;
  if (FColumnSize->Rows == arNormal) {
    from = FixedRows();
    to = RowCount() - FixedFooters() - 1;
  } else if (FColumnSize->Rows == arFixed) {
    to = FixedRows() - 1;
  }
  const int real = RealColIndex(ACol);
  int largest = 0;
  for (int r = from; r <= to; ++r) {
    if (IsXMergedCell(real, r)) continue;
    // A graphic beside the text adds its width; one that fills the cell counts on its own.
    const TCellGraphic* graphic = GetCellGraphic(real, r);
    const int graphicWidth = graphic != nullptr ? GetCellGraphicSize(real, r).X : 0;
    if (graphic != nullptr && graphic->CellHAlign == haFull)
      largest = std::max(largest, graphicWidth - 2 * GridLineWidth() - XYOffset.X - 2);
    else
      largest = std::max(largest, graphicWidth + MeasureText(real, r).cx);
  }
  const int needed = MarginX() + largest + 2 * GridLineWidth() + 2;
  if (GrowOnly && ColWidths(ACol) >= needed) return;
  SetColWidths(ACol, ClampColWidth(needed));
}

void TRivErodovOzar::DoAutoSizeRow(int ARow, bool GrowOnly) {
  int largest = 0;
  for (int c = 0; c < ColCount(); ++c) {
    if ((IsYMergedCell(c, ARow) && !IsBaseCell(c, ARow)) || IsIgnoredColumn(c)) continue;
    const int real = RealColIndex(c);
    const int textHeight = MeasureText(real, ARow).cy;
    const TCellGraphic* graphic = GetCellGraphic(real, ARow);
    if (graphic == nullptr) {
      largest = std::max(largest, textHeight);
      continue;
    }
    const TCellType type = graphic->CellType;
    // Check boxes and radio buttons keep the default row height.
    if (type == ctCheckBox || type == ctDataCheckBox || type == ctVirtCheckBox || type == ctRadioButton) {
      largest = std::max(largest, DefaultRowHeight());
      continue;
    }
    int graphicHeight = GetCellGraphicSize(real, ARow).Y;
    if (graphic->CellVAlign == vaFull) graphicHeight = Cells(real, ARow).empty() ? DefaultRowHeight() : 0;
    largest = std::max(largest, textHeight + graphicHeight);
  }
  int needed = MarginY() + largest + 2 * GridLineWidth();
  if (XYOffsetTopLeftOnly) needed += 2;
  if (GrowOnly && RowHeights(ARow) >= needed) return;
  SetRowHeights(ARow, ClampRowHeight(needed));
}

void TRivErodovOzar::AutoSizeCol(int ACol, int Padding) {
  DoAutoSizeCol(ACol, SizeGrowOnly);
  if (Padding != 0) SetColWidths(ACol, ClampColWidth(ColWidths(ACol) + Padding));
}

void TRivErodovOzar::AutoSizeColumns(bool DoFixedCols, int Padding) {
  const int first = DoFixedCols ? 0 : FixedCols();
  const int last = DoFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
  for (int c = first; c <= last; ++c) AutoSizeCol(c, Padding);
}

void TRivErodovOzar::AutoSizeRow(int ARow, int Padding) {
  DoAutoSizeRow(ARow, SizeGrowOnly);
  if (Padding != 0) SetRowHeights(ARow, ClampRowHeight(RowHeights(ARow) + Padding));
}

void TRivErodovOzar::SizeRowToLines(int ARow, int Lines, int Padding) {
  TCanvas* canvas = MeasureCanvas();
  const int h = canvas->TextHeight("gh");
  SetRowHeights(ARow, ClampRowHeight(Padding + Lines * (h + h / 8)));
}

void TRivErodovOzar::AutoSizeRows(bool DoFixedRows, int Padding) {
  if (RowCount() <= 0) return;
  const int first = DoFixedRows ? 0 : FixedRows();
  ExportNotification(esExportStart, first);
  for (int r = first; r < RowCount(); ++r) {
    ExportNotification(esExportNextRow, r);
    if (WordWrap()) {
      AutoSizeRow(r, Padding);
    } else {
      int lines = 1;
      for (int c = 0; c < ColCount(); ++c) lines = std::max(lines, static_cast<int>(TextLines(Cells(RealColIndex(c), r)).size()));
      SizeRowToLines(r, Multilinecells ? lines : 1, Padding);
    }
  }
  ExportNotification(esExportDone, -1);
}

void TRivErodovOzar::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY) {
  const int firstCol = DoFixedCells ? 0 : FixedCols();
  const int firstRow = DoFixedCells ? 0 : FixedRows();
  for (int c = firstCol; c < ColCount(); ++c) {
    int running = SizeGrowOnly ? ColWidths(c) : 0;
    for (int r = firstRow; r < RowCount(); ++r) {
      const TSize text = MeasureText(RealColIndex(c), r);
      const int width = text.cx + PaddingX + XYOffset.X;
      const int height = text.cy + PaddingY + XYOffset.Y;
      if (!IsXMergedCell(c, r) && width > running) {
        const int clamped = ClampColWidth(width);
        if (clamped > running) {
          running = clamped;
          SetColWidths(c, clamped);
        }
      }
      if (!IsYMergedCell(c, r) && ClampRowHeight(height) > RowHeights(r)) SetRowHeights(r, ClampRowHeight(height));
    }
  }
}

void TRivErodovOzar::AutoFitColumns(bool DoFixedCells) {
  const bool rowsFit = [this] {
    int sum = 0;
    for (int r = 0; r < RowCount(); ++r) sum += RowHeights(r) + GridLineWidth();
    return sum <= ClientHeight();
  }();
  const int s = (ScrollBars() == ssVertical || ScrollBars() == ssBoth) && !rowsFit ? ScrollWidth : 0;
  const int b = 0;  // the grid draws no border of its own
  int first = 0, last = ColCount() - 1;
  int available = Width();
  if (!DoFixedCells) {
    first = FixedCols();
    last = ColCount() - FixedRightCols() - 1;
    for (int c = 0; c < first; ++c) available -= ColWidths(c);
    for (int c = last + 1; c < ColCount(); ++c) available -= ColWidths(c);
  }
  int allowance = 0;
  if (Options().Contains(goVertLine)) allowance = GridLineWidth() * (ColCount() - FixedCols() - FixedRightCols());
  if (Options().Contains(goFixedVertLine) && DoFixedCells) allowance += FixedCols() + FixedRightCols();

  if (ColCount() < 2) {
    SetColWidths(0, Width() - s - 5);
    return;
  }
  const int n = last - first + 1;
  if (n <= 0) return;
  int sum = 0;
  for (int c = first; c <= last; ++c) sum += ColWidths(c);
  const int target = available - s - b;
  if (sum == target || sum <= 0) return;
  const double f = static_cast<double>(target - allowance) / sum;
  double t = 0;
  for (int c = first; c <= last; ++c) t += std::nearbyint(f * ColWidths(c));
  int newSum = 0;
  for (int c = first; c <= last; ++c) {
    const int w = static_cast<int>(std::nearbyint(ColWidths(c) * t / sum));
    SetColWidths(c, w);
    newSum += w;
  }
  int rest = target - newSum;
  if (rest > n && n > 1) {
    const int each = rest / n;
    for (int c = first; c <= last; ++c) SetColWidths(c, ColWidths(c) + each);
    rest -= n * each;
  }
  // The last pixels go to the widest column of the range (the earliest on a tie).
  int widest = first;
  for (int c = first + 1; c <= last; ++c)
    if (ColWidths(c) > ColWidths(widest)) widest = c;
  SetColWidths(widest, ColWidths(widest) + rest);
}

void TRivErodovOzar::SizeToCols() {
  int sum = 0;
  for (int c = 0; c < ColCount(); ++c) sum += ColWidths(c) + GridLineWidth();
  SetWidth(Width() - ClientWidth() + sum);
}

void TRivErodovOzar::SizeToRows() {
  int sum = 0;
  for (int r = 0; r < RowCount(); ++r) sum += RowHeights(r) + GridLineWidth();
  SetHeight(Height() - ClientHeight() + sum);
}

void TRivErodovOzar::SizeToCells() {
  const TScrollStyle bars = ScrollBars();
  SetScrollBars(ssNone);
  SizeToCols();
  SizeToRows();
  SetScrollBars(bars);
}
