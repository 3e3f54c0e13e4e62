// Highlighting (<hi>) and marking (<e>) every occurrence of a text inside cell texts, and
// taking those tags out again, in one cell, a column, a row or the whole grid.
#include "grid/base/HTMLTextOperations.h"
#include "grid/model/RivErodovOzar.h"

namespace {
const String kHilightTag = "hi";
const String kMarkTag = "e";
}  // namespace

String TRivErodovOzar::HilightText(bool DoCase, const String& S, const String& Text) {
  return HilightInHTML(S, Text, kHilightTag, DoCase);
}

String TRivErodovOzar::UnHilightText(const String& S) { return UnHilightInHTML(S, kHilightTag); }

String TRivErodovOzar::MarkText(bool DoCase, const String& S, const String& Text) {
  return HilightInHTML(S, Text, kMarkTag, DoCase);
}

String TRivErodovOzar::UnMarkText(const String& S) { return UnHilightInHTML(S, kMarkTag); }

// ---- Ranges ----

TGridRect TRivErodovOzar::TagColRange(bool DoFixed, int Col) {
  if (DoFixed) return TGridRect{Col, 0, Col, RowCount() - 1};
  return TGridRect{Col, FixedRows(), Col, RowCount() - FFixedFooters - 1};
}

TGridRect TRivErodovOzar::TagRowRange(bool DoFixed, int Row, bool WithHidden) {
  const int hidden = WithHidden ? NumHiddenColumns() : 0;
  if (DoFixed) return TGridRect{0, Row, ColCount() + hidden - 1, Row};
  return TGridRect{FixedCols(), Row, ColCount() + hidden - FFixedRightCols - 1, Row};
}

TGridRect TRivErodovOzar::TagGridRange(bool DoFixed, bool WithHidden) {
  const int hidden = WithHidden ? NumHiddenColumns() : 0;
  if (DoFixed) return TGridRect{0, 0, ColCount() + hidden - 1, RowCount() - 1};
  return TGridRect{FixedCols(), FixedRows(), ColCount() + hidden - FFixedRightCols - 1,
                   RowCount() - FFixedFooters - 1};
}

// ---- Highlighting ----

void TRivErodovOzar::HilightInCell(bool DoCase, int Col, int Row, const String& HiText) {
  TagTextInRange(HiText, kHilightTag, TGridRect{Col, Row, Col, Row}, DoCase);
}

void TRivErodovOzar::HilightInCol(bool DoFixed, bool DoCase, int Col, const String& HiText) {
  TagTextInRange(HiText, kHilightTag, TagColRange(DoFixed, Col), DoCase);
}

void TRivErodovOzar::HilightInRow(bool DoFixed, bool DoCase, int Row, const String& HiText) {
  TagTextInRange(HiText, kHilightTag, TagRowRange(DoFixed, Row, false), DoCase);
}

void TRivErodovOzar::HilightInGrid(bool DoFixed, bool DoCase, const String& HiText) {
  TagTextInRange(HiText, kHilightTag, TagGridRange(DoFixed, !DoFixed), DoCase);
}

void TRivErodovOzar::UnHilightInCell(int Col, int Row) {
  UnTagTextInRange(kHilightTag, TGridRect{Col, Row, Col, Row});
}

void TRivErodovOzar::UnHilightInCol(bool DoFixed, int Col) { UnTagTextInRange(kHilightTag, TagColRange(DoFixed, Col)); }

void TRivErodovOzar::UnHilightInRow(bool DoFixed, int Row) {
  UnTagTextInRange(kHilightTag, TagRowRange(DoFixed, Row, true));
}

void TRivErodovOzar::UnHilightInGrid(bool DoFixed) { UnTagTextInRange(kHilightTag, TagGridRange(DoFixed, true)); }

// ---- Marking ----

void TRivErodovOzar::MarkInCell(bool DoCase, int Col, int Row, const String& HiText) {
  TagTextInRange(HiText, kMarkTag, TGridRect{Col, Row, Col, Row}, DoCase);
}

void TRivErodovOzar::MarkInCol(bool DoFixed, bool DoCase, int Col, const String& HiText) {
  TagTextInRange(HiText, kMarkTag, TagColRange(DoFixed, Col), DoCase);
}

void TRivErodovOzar::MarkInRow(bool DoFixed, bool DoCase, int Row, const String& HiText) {
  TagTextInRange(HiText, kMarkTag, TagRowRange(DoFixed, Row, false), DoCase);
}

void TRivErodovOzar::MarkInGrid(bool DoFixed, bool DoCase, const String& HiText) {
  TagTextInRange(HiText, kMarkTag, TagGridRange(DoFixed, false), DoCase);
}

void TRivErodovOzar::UnMarkInCell(int Col, int Row) { UnTagTextInRange(kMarkTag, TGridRect{Col, Row, Col, Row}); }

void TRivErodovOzar::UnMarkInCol(bool DoFixed, int Col) { UnTagTextInRange(kMarkTag, TagColRange(DoFixed, Col)); }

void TRivErodovOzar::UnMarkInRow(bool DoFixed, int Row) { UnTagTextInRange(kMarkTag, TagRowRange(DoFixed, Row, true)); }

void TRivErodovOzar::UnMarkInGrid(bool DoFixed) { UnTagTextInRange(kMarkTag, TagGridRange(DoFixed, true)); }
