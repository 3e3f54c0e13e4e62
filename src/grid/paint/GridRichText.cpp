// Rich-text cells: a cell text starting "{\" is RTF, moved into and out of a rich edit and
// rendered into the cell's rectangle through the grid's hidden rich edit.
#include "classlib/RichEdit.h"
#include "classlib/Streams.h"
#include "grid/model/RivErodovOzar.h"
#include "grid/tools/ROzuRiriRavi.h"

TRichEdit* TRivErodovOzar::RichEdit() {
  if (FRichEdit == nullptr) {
    FRichEdit = New<ROzuRiriRavi>(this);
    FRichEdit->SetBounds(0, 0, 0, 0);
  }
  return FRichEdit;
}

void TRivErodovOzar::CellToRich(int Col, int Row, TRichEdit* Richeditor) {
  const String text = Cells(Col, Row);
  if (text.empty()) {
    Richeditor->Lines()->Clear();
    return;
  }
  TMemoryStream stream;
  stream.WriteBuffer(text.data(), static_cast<Integer>(text.size()));
  stream.SetPosition(0);
  Richeditor->Lines()->LoadFromStream(stream);
}

String TRivErodovOzar::RichToString(TRichEdit* Richeditor) {
  TMemoryStream stream;
  Richeditor->Lines()->SaveToStream(stream);
  const std::vector<char>& bytes = stream.Bytes();
  return String(bytes.begin(), bytes.end());
}

void TRivErodovOzar::RichToCell(int Col, int Row, TRichEdit* Richeditor) { SetCells(Col, Row, RichToString(Richeditor)); }

void TRivErodovOzar::DrawRichCell(int Col, int Row, TRect Rect, TCanvas* Canvas) {
  if (IsDesigning()) return;
  TRichEdit* rich = RichEdit();
  CellToRich(Col, Row, rich);
  const int dcol = DisplColFromReal(Col);
  const TGridRect sel = Selection();
  const bool inSelection = dcol >= std::min(sel.Left, sel.Right) && dcol <= std::max(sel.Left, sel.Right) &&
                           Row >= std::min(sel.Top, sel.Bottom) && Row <= std::max(sel.Top, sel.Bottom);
  const bool focusedCurrent = dcol == this->Col() && Row == this->Row() && Focused() &&
                              !Options().Contains(goDrawFocusSelected);
  const bool disjunctRow = MouseActions()->DisjunctRowSelect();
  const int stateRow = MouseActions()->RowSelectPersistent ? RealRowIndex(Row) : Row;
  const bool selected = (inSelection && !focusedCurrent && !disjunctRow) ||
                        (disjunctRow && stateRow >= 0 && stateRow < AllRowCount() && IsRowSelected(stateRow)) ||
                        (MouseActions()->DisjunctColSelect() && dcol >= 0 && dcol < ColCount() && IsColSelected(dcol));
  if (selected && !SelectionRTFKeep && Canvas->MapMode() == MM_TEXT) {
    rich->SetSelStart(0);
    rich->SetSelLength(65535);
    if (SelectionTextColor != clNone) rich->SelAttributes()->SetColor(SelectionTextColor);
  }
  const int m = XYOffset.X;
  rich->Render(Canvas, ::Rect(Rect.Left + m, Rect.Top + m, Rect.Right - m, Rect.Bottom - m));
}
