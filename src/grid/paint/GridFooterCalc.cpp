// The footer calculation: the fixed footer row of a floating footer gets each column's sum,
// average, minimum, maximum, count or custom value, as its footer cell asks; and the set-up of
// the grid's painting parts.
#include "classlib/Graphics.h"
#include "grid/model/RivErodovOzar.h"
#include "grid/paint/FloatingFooter.h"

void TRivErodovOzar::PaintCreated() {
  RegisterGridPaintResources();
  FContentFiresDrawCell = true;
  FFloatingFooter = std::make_unique<TFloatingFooter>(this);
  FBackGround = std::make_unique<TBackGround>(this);
  BackgroundColorTo = FBackGround->ColorTo();
  FFooterPanel = new TFooterPanel(this);
  FFooterPanel->SetAlign(alBottom);
  FFooterPanel->SetHeight(0);
  FFooterPanel->SetVisible(false);
}

void TRivErodovOzar::SetFloatingFooter(TFloatingFooter* Value) { FFloatingFooter->Assign(Value); }

void TRivErodovOzar::DoCalcFooter(int ACol) {
  const TFloatingFooter& footer = *FFloatingFooter;
  if (!footer.Visible() || footer.FooterStyle() != fsFixedLastRow || !footer.EnableCalculation) return;
  const int footerRow = RowCount() - 1;
  if (footerRow < FixedRows()) return;
  const int hidden = footer.CalculateHiddenRows ? NumHiddenRows() : 0;
  const int first = FixedRows(), last = RowCount() - 2 + hidden;
  // With hidden rows counted the range is one of real rows, so that the footer row itself
  // (the last real row) is never part of its own sum.
  const bool realRows = hidden > 0;
  const int from = ACol < 0 ? 0 : ACol;
  const int to = ACol < 0 ? AllColCount() - 1 : ACol;
  TUpdateBlock update(this);
  for (int c = from; c <= to; ++c) {
    TCellProperties* p = Props(c, footerRow);
    if (p == nullptr) continue;
    switch (static_cast<TColumnCalcType>(p->CalcType() & 0x7F)) {
      case acSUM: SetCellFloat(c, footerRow, ColumnStat(c, first, last, 0, realRows)); break;
      case acAVG:
        SetCellFloat(c, footerRow, last < first ? 0 : ColumnStat(c, first, last, 0, realRows) / (last - first + 1));
        break;
      case acMIN: SetCellFloat(c, footerRow, ColumnStat(c, first, last, 1, realRows)); break;
      case acMAX: SetCellFloat(c, footerRow, ColumnStat(c, first, last, 2, realRows)); break;
      case acCOUNT: SetCellInteger(c, footerRow, RowCount() - FixedRows() - 1 + hidden); break;
      case acCUSTOM: {
        String value;
        if (OnCalcFooter) OnCalcFooter(this, c, RowCount() - 1 + hidden, value);
        else if (footer.OnCalcFooter) footer.OnCalcFooter(this, c, RowCount() - 1 + hidden, value);
        SetCells(c, footerRow, value);
        break;
      }
      default: break;
    }
  }
  if (FFooterPanel != nullptr) FFooterPanel->Invalidate();
}
