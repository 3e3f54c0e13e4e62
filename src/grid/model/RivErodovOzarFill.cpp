// Filling a range of cells with generated text, and running the attached cell checker over a
// range.
#include "classlib/Random.h"
#include "grid/model/RivErodovOzar.h"

TRect TRivErodovOzar::FillRange(bool DoFixed) const {
  if (DoFixed) return Rect(0, 0, ColCount() - 1, RowCount() - 1);
  return Rect(FixedCols(), FixedRows(), ColCount() - FixedRightCols() - 1, RowCount() - FixedFooters() - 1);
}

void TRivErodovOzar::FillCells(bool DoFixed, const std::function<String(int, int)>& Text) {
  const TRect range = FillRange(DoFixed);
  for (int r = range.Top; r <= range.Bottom; ++r)
    for (int c = range.Left; c <= range.Right; ++c) SetCells(c, r, Text(c, r));
  RecalcFooters();
}

void TRivErodovOzar::TextFill(bool DoFixed, const String& Txt) {
  FillCells(DoFixed, [&Txt](int, int) { return Txt; });
}

void TRivErodovOzar::FormatFill(bool DoFixed, const String& Fmt) {
  FillCells(DoFixed, [&Fmt](int c, int r) { return Format(Fmt, {c, r}); });
}

void TRivErodovOzar::RandomFill(bool DoFixed, int Rnd) {
  const TRect range = FillRange(DoFixed);
  for (int r = range.Top; r <= range.Bottom; ++r)
    for (int c = range.Left; c <= range.Right; ++c) SetCellInteger(c, r, Random(Rnd));
  RecalcFooters();
}

void TRivErodovOzar::LinearFill(bool DoFixed) {
  FillCells(DoFixed, [](int c, int r) { return IntToStr(c) + ":" + IntToStr(r); });
}

bool TRivErodovOzar::CheckCell(int ACol, int ARow) {
  if (CellChecker == nullptr) return true;
  const String before = Cells(ACol, ARow);
  if (CellChecker->GotoCell) GotoCell(ACol, ARow);
  String text = before;
  if (CellChecker->UseCorrect) text = CellChecker->Correct(ACol, ARow, text);
  if (CellChecker->UseMarkError) text = CellChecker->MarkError(ACol, ARow, text);
  SetCells(ACol, ARow, text);
  return text == before;
}

bool TRivErodovOzar::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow) {
  if (CellChecker == nullptr) return true;
  const int oldCol = Col(), oldRow = Row();
  CellChecker->StartCheck();
  bool all = true;
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c) all = CheckCell(c, r) && all;
  CellChecker->StopCheck();
  if (CellChecker->GotoCell) {
    SetRow(oldRow);
    SetCol(oldCol);
  }
  return all;
}

bool TRivErodovOzar::CheckCol(bool DoFixed, int ACol) {
  const TRect range = FillRange(DoFixed);
  return CheckCells(ACol, range.Top, ACol, range.Bottom);
}

bool TRivErodovOzar::CheckRow(bool DoFixed, int ARow) {
  const TRect range = FillRange(DoFixed);
  return CheckCells(range.Left, ARow, range.Right, ARow);
}

bool TRivErodovOzar::CheckGrid(bool DoFixed) {
  const TRect range = FillRange(DoFixed);
  return CheckCells(range.Left, range.Top, range.Right, range.Bottom);
}
