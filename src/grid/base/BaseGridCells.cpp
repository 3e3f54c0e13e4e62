// The base grid's cell model: properties objects in the object slots, merged blocks and the
// rectangles of cells and blocks.
#include <unordered_set>

#include "classlib/GraphicsObjects.h"
#include "grid/base/BaseGrid.h"

// ---- Cell properties and objects ----

TCellProperties* TBaseGrid::GetCellProperties(int ACol, int ARow) {
  if (TCellProperties* existing = Props(ACol, ARow)) return existing;
  auto* props = new TCellProperties(this, ACol, ARow);
  SetRawCellObject(ACol, ARow, props);
  TFont font;
  TBrush brush;
  TColor colorTo = clNone, mirrorColor = clNone, mirrorColorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = FWordWrap;
  TCellGradientDirection gd = GradientVertical;
  GetCellLook(ACol, ARow, &font, &brush, colorTo, mirrorColor, mirrorColorTo, ha, va, ww, gd);
  // Straight into the fields: a new object repaints nothing.
  props->SetCalcType(acNONE);
  props->SetAlignment(ha);
  props->FVAlignment = va;
  props->FWordWrap = ww;
  props->SetFontName(font.Name());
  props->SetFontSize(font.Size());
  props->SetFontStyle(font.Style());
  props->SetFontColor(font.Color());
  props->FBrushColor = brush.Color();
  props->FBrushColorTo = colorTo;
  props->SetGradientDirection(gd);
  return props;
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellProperties* Value) {
  TCellProperties* old = Props(ACol, ARow);
  if (old == Value) return;
  delete old;
  SetRawCellObject(ACol, ARow, Value);
}

void TBaseGrid::FreeCellProperties(int ACol, int ARow) {
  delete Props(ACol, ARow);
  SetRawCellObject(ACol, ARow, nullptr);
}

void TBaseGrid::FreeCellPropertiesRect(int Col1, int Row1, int Col2, int Row2) {
  if (!FHasCellProps) return;
  // A properties object or graphic reached from two slots (a move half done) goes once.
  std::unordered_set<TObject*> freed;
  for (int c = Col1; c <= Col2; ++c) {
    for (int r = Row1; r <= Row2; ++r) {
      // The slot is looked up as a plain object first: it may point to one freed already.
      TObject* slot = GetRawCellObject(c, r);
      if (slot == nullptr) continue;
      SetRawCellObject(c, r, nullptr);
      if (!freed.insert(slot).second) continue;
      auto* props = static_cast<TCellProperties*>(slot);
      TObject* graphic = props->GraphicObject();
      // A graphic met before may be gone already: look it up before asking its class.
      if (graphic != nullptr && freed.count(graphic) == 0 && graphic->ClassName() == "TCellGraphic") {
        freed.insert(graphic);
        delete graphic;
      }
      delete props;
    }
  }
}

void TBaseGrid::FreeAllCellProperties() { FreeCellPropertiesRect(0, 0, ColCount() - 1, RowCount() - 1); }

void TBaseGrid::ClearCellAndObject(int ACol, int ARow) {
  SetCells(ACol, ARow, "");
  SetRawCellObject(ACol, ARow, nullptr);
}

void TBaseGrid::ClearColumnCells(int ACol) {
  for (int r = 0; r < RowCount(); ++r) {
    SetRawCellObject(ACol, r, nullptr);
    SetCells(ACol, r, "");
  }
}

void TBaseGrid::ClearRowCells(int ARow) {
  for (int c = 0; c < ColCount(); ++c) {
    SetRawCellObject(c, ARow, nullptr);
    SetCells(c, ARow, "");
  }
}

int TBaseGrid::GetCellObject(int ACol, int ARow) const {
  const TCellProperties* props = Props(ACol, ARow);
  return props != nullptr ? props->CellObject() : 0;
}

// Making properties must not leave a blank in an empty cell: a blank stands in the cell while
// they are set, and the empty text is written back afterwards.
template <class F>
void TBaseGrid::WithBlankIfEmpty(int ACol, int ARow, F SetProps) {
  const bool empty = Cells(ACol, ARow).empty();
  if (empty) SetCells(ACol, ARow, " ");
  SetProps();
  if (empty) SetCells(ACol, ARow, "");
}

void TBaseGrid::SetCellObject(int ACol, int ARow, int Value) {
  WithBlankIfEmpty(ACol, ARow, [&] { GetCellProperties(ACol, ARow)->SetCellObject(Value); });
}

TObject* TBaseGrid::GetCellGraphicObject(int ACol, int ARow) const { return PropertiesGraphic(Props(ACol, ARow)); }

void TBaseGrid::SetCellGraphicObject(int ACol, int ARow, TObject* Graphic) {
  if (FDestroying) return;
  WithBlankIfEmpty(ACol, ARow, [&] { GetCellProperties(ACol, ARow)->SetGraphicObject(Graphic); });
}

// ---- Merged cells ----

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const {
  const TCellProperties* props = Props(ACol, ARow);
  return props != nullptr ? props->GetBaseCell(ACol, ARow) : Point(ACol, ARow);
}

TCellProperties* TBaseGrid::BaseProps(int ACol, int ARow) const {
  TPoint base = BaseCell(ACol, ARow);
  return Props(base.X, base.Y);
}

bool TBaseGrid::ResolveBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const {
  TPoint base = BaseCell(ACol, ARow);
  BaseCol = base.X;
  BaseRow = base.Y;
  return IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const {
  const TCellProperties* props = Props(ACol, ARow);
  return props == nullptr || props->IsBaseCell();
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const {
  const TCellProperties* props = Props(ACol, ARow);
  return props != nullptr && (props->CellSpanX() > 0 || props->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const {
  return IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const {
  const TCellProperties* base = Props(ACol, ARow) != nullptr ? BaseProps(ACol, ARow) : nullptr;
  return base != nullptr && base->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const {
  const TCellProperties* base = Props(ACol, ARow) != nullptr ? BaseProps(ACol, ARow) : nullptr;
  return base != nullptr && base->CellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const {
  const TCellProperties* props = Props(ACol, ARow);
  if (props == nullptr || props->CellSpanX() == -1 || props->CellSpanY() == -1) return Point(0, 0);
  const TCellProperties* base = BaseProps(ACol, ARow);
  return base != nullptr ? Point(base->CellSpanX(), base->CellSpanY()) : Point(0, 0);
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const {
  TPoint span = CellSpan(ACol, ARow);
  if (span.X == 0 && span.Y == 0) return span;
  TPoint base = BaseCell(ACol, ARow);
  return Point(base.X + span.X - ACol, base.Y + span.Y - ARow);
}

TRect TBaseGrid::FullCell(int ACol, int ARow) const {
  TPoint base = BaseCell(ACol, ARow);
  TPoint span = CellSpan(ACol, ARow);
  return Rect(base.X, base.Y, base.X + span.X, base.Y + span.Y);
}

int TBaseGrid::MinRowSpan(int ARow) const {
  int result = RowCount();
  for (int c = 0; c < ColCount(); ++c) {
    int y = CellSpan(c, ARow).Y;
    if (y > 0 && y < result) result = y;
  }
  return result;
}

int TBaseGrid::MaxRowSpan(int ARow) const {
  int result = 0;
  for (int c = 0; c < ColCount(); ++c) {
    int y = CellSpan(c, ARow).Y;
    if (y > 0 && y < RowCount() && y > result) result = y;
  }
  return result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const {
  bool counted = false;
  for (int c = 0; c < ColCount(); ++c) {
    if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
      counted = true;
      if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
    }
  }
  return counted;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const {
  bool counted = false;
  for (int r = 0; r < RowCount(); ++r) {
    int x1 = CellSpan(ACol1, r).X, x2 = CellSpan(ACol2, r).X;
    if (x1 > 0 && x2 > 0) {
      counted = true;
      if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X) return false;
    } else if (x1 != x2) {
      return false;
    }
  }
  return counted;
}

void TBaseGrid::MoveToBaseCell() {
  if (!HasCellProperties(Col(), Row())) return;
  TPoint base = BaseCell(Col(), Row());
  SetCol(base.X);
  SetRow(base.Y);
}

void TBaseGrid::MergeCells(int c, int r, int SpanX, int SpanY) {
  ++FMergeCount;
  for (int i = c; i < c + SpanX; ++i) {
    for (int j = r; j < r + SpanY; ++j) {
      TCellProperties* props = GetCellProperties(i, j);
      const bool base = i == c && j == r;
      props->SetIsBaseCell(base);
      props->SetCellSpanX(base ? SpanX - 1 : i - c);
      props->SetCellSpanY(base ? SpanY - 1 : j - r);
    }
  }
  for (int i = c; i < c + SpanX; ++i)
    for (int j = r; j < r + SpanY; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r) {
  TCellProperties* props = GetCellProperties(c, r);
  TPoint base = props->GetBaseCell(c, r);
  TCellProperties* baseProps = GetCellProperties(base.X, base.Y);
  const int sx = baseProps->CellSpanX(), sy = baseProps->CellSpanY();
  // A cell that is not merged splits nothing, and the count of merges stays.
  if (sx < 0 || sy < 0) return;
  for (int i = base.X; i <= base.X + sx; ++i) {
    for (int j = base.Y; j <= base.Y + sy; ++j) {
      TCellProperties* cell = GetCellProperties(i, j);
      cell->SetIsBaseCell(true);
      cell->SetCellSpanX(-1);
      cell->SetCellSpanY(-1);
    }
  }
  for (int i = base.X; i <= base.X + sx; ++i)
    for (int j = base.Y; j <= base.Y + sy; ++j) RepaintCell(i, j);
  --FMergeCount;
}

// ---- Geometry ----

TRect TBaseGrid::CalcCellRect(int ACol, int ARow) const {
  int x = 0, y = 0;
  for (int c = 0; c < ACol; ++c) x += ColWidths(c);
  for (int r = 0; r < ARow; ++r) y += RowHeights(r);
  TRect rect = Rect(x, y, x + ColWidths(ACol), y + RowHeights(ARow));
  // Scrolling cells start where the fixed ones end, LeftCol (TopRow) first. The string grid
  // draws no lines of its own, so that is the sum of the fixed sizes.
  int dx = 0, dy = 0;
  if (ACol >= FixedCols()) {
    for (int c = 0; c < LeftCol(); ++c) dx -= ColWidths(c);
    dx += FixedColsWidth();
  }
  if (ARow >= FixedRows()) {
    for (int r = 0; r < TopRow(); ++r) dy -= RowHeights(r);
    dy += FixedRowsHeight();
  }
  return Rect(rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy);
}

namespace {
TRect Union(const TRect& A, const TRect& B) {
  return Rect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right), std::max(A.Bottom, B.Bottom));
}
}  // namespace

TRect TBaseGrid::CellRect(int ACol, int ARow) const {
  const TCellProperties* props = Props(ACol, ARow);
  if (props != nullptr && (props->CellSpanX() != -1 || props->CellSpanY() != -1)) {
    TPoint base = BaseCell(ACol, ARow);
    const TCellProperties* baseProps = Props(base.X, base.Y);
    int sx = baseProps != nullptr ? std::max(baseProps->CellSpanX(), 0) : 0;
    int sy = baseProps != nullptr ? std::max(baseProps->CellSpanY(), 0) : 0;
    return Union(CalcCellRect(base.X, base.Y), CalcCellRect(base.X + sx, base.Y + sy));
  }
  if (props != nullptr && props->Control() != nullptr) return CalcCellRect(ACol, ARow);
  TRect platform = PlatformCellRect(ACol, ARow);
  // A plain cell out of view has no rectangle, as on the string grid.
  if (platform.Right <= platform.Left) return platform;
  return Bounds(platform.Left, platform.Top, ColWidths(ACol), RowHeights(ARow));
}

TPoint TBaseGrid::CellSize(int ACol, int ARow) const {
  const TCellProperties* props = Props(ACol, ARow);
  TRect r = props == nullptr || (props->CellSpanX() == -1 && props->CellSpanY() == -1) ? CalcCellRect(ACol, ARow)
                                                                                       : CellRect(ACol, ARow);
  return Point(r.Right - r.Left, r.Bottom - r.Top);
}

void TBaseGrid::RepaintCell(int ACol, int ARow) {
  if (HandleAllocated()) InvalidateRect(CellRect(ACol, ARow), true);
}

void TBaseGrid::InvalidateRect(const TRect& ARect, bool) { InvalidateArea(ARect); }
