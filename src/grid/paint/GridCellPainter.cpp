// The cell painter: everything drawn on one cell over the background the base grid laid, in a
// fixed order: the header fills of the gradient looks, the row indicator, the modified-row
// mark, the always-visible editor buttons, the text, the borders, the header edges of the other
// looks, tree lines, the cell's graphic, the draw events and the focus rectangle.
#include <algorithm>

#include "classlib/Graphics.h"
#include "grid/base/ZudAzudDraw.h"
#include "grid/model/GridCellDrawer.h"
#include "grid/model/RivErodovOzar.h"

namespace {

void PainterLine(TCanvas* C, int X1, int Y1, int X2, int Y2) {
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
}

// Each RGB component halved: the dark line under the headers.
TColor Darker(TColor Color) {
  const TColor c = ColorToRGB(Color);
  return ((c & 0xFF) >> 1) | ((((c >> 8) & 0xFF) >> 1) << 8) | ((((c >> 16) & 0xFF) >> 1) << 16);
}

IGridCellDrawer* CellDrawer(const TCellGraphic* G) {
  return G != nullptr && G->CellType == ctInterface ? dynamic_cast<IGridCellDrawer*>(G->CellBitmap) : nullptr;
}

// Restores the canvas pointer the painter draws through, also when an event throws.
class TPaintCanvasScope {
 public:
  TPaintCanvasScope(TCanvas*& Slot, TCanvas* Canvas) : FSlot(Slot), FPrevious(Slot) { FSlot = Canvas; }
  ~TPaintCanvasScope() { FSlot = FPrevious; }

 private:
  TCanvas*& FSlot;
  TCanvas* FPrevious;
};

}  // namespace

bool TRivErodovOzar::IsGradientLook() const {
  return FLook == glVAV || FLook == glXP || FLook == glVista || FLook == glWin7 || FLook == glOffice2007;
}

void TRivErodovOzar::SetRowIndicator(TBitmap* Value) {
  if (Value == nullptr) FRowIndicator = std::make_unique<TBitmap>();
  else FRowIndicator->Assign(Value);
  Invalidate();
}

void TRivErodovOzar::SetHideLastRow(bool Value) {
  if (FHideLastRow == Value) return;
  FHideLastRow = Value;
  Invalidate();
}

void TRivErodovOzar::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  TPaintCanvasScope scope(FPaintCanvas, ACanvas);
  TRect R = ARect;
  const int RCol = RealColIndex(ACol);
  const bool fixedByHook = IsFixed(ACol, ARow);
  const bool fixedCell = fixedByHook || ACol < FixedCols() || ARow < FixedRows();

  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = FGridWordWrap;
  TCellGradientDirection gd = GradientVertical;
  TGridDrawState state = AState;
  GetVisualProperties(ACol, ARow, state, false, true, true, ACanvas->Brush(), colorTo, mirror, mirrorTo,
                      ACanvas->Font(), ha, va, ww, gd);
  if (AState.Contains(gdFixed)) state += gdFixed;
  TCellVAlign cva = vaTop;
  TCellHAlign cha = haLeft;
  bool textDrawn = true;
  int gh = 0, gw = 0;
  TCellGraphic* graphic = GetCellGraphicLayout(RCol, ARow, cva, cha, textDrawn, gh, gw);

  if (state.Contains(gdSelected) && !state.Contains(gdFocused) && SelectionColor == clNone) {
    // Nothing else gives such a cell a selection colour.
    ACanvas->Brush()->SetColor(clHighlight);
    ACanvas->FillRect(R);
  }
  ACanvas->Font()->SetSize(ACanvas->Font()->Size() + FZoomFactor);
  const TColor savedBrush = ACanvas->Brush()->Color();
  const TColor savedFont = ACanvas->Font()->Color();

  if (fixedCell && IsGradientLook())
    DrawFixedCellFill(ACanvas, ACol, ARow, R, savedBrush, colorTo, mirror, mirrorTo);

  // The row indicator, and the room it takes.
  int indicatorWidth = 0;
  if (RCol == 0 && ARow == Row() && FixedCols() > 0 && !FRowIndicator->Empty()) {
    const int h = FRowIndicator->Height();
    const int y = VAlignment == vtaTop ? R.Top : VAlignment == vtaCenter ? R.Top + (R.Height() - h) / 2 : R.Bottom - h;
    DrawBitmapTransparent(ACanvas, FRowIndicator.get(), ACanvas->Brush()->Color(),
                          Rect(R.Left + 2, y, R.Left + 2 + FRowIndicator->Width(), y + h));
    indicatorWidth = FRowIndicator->Width() + 2;
    R.Left += indicatorWidth;
  }

  if (FLook == glListView && fixedCell && !FFlat) {
    ACanvas->Brush()->SetColor(clBtnFace);
    ACanvas->Pen()->SetColor(0xFFFFFF);
    ACanvas->Rectangle(R);
    ACanvas->Brush()->SetColor(savedBrush);
  }

  if (ACol == 0 && ShowModified()->Enabled && IsRowModified(RealRowIndex(ARow))) {
    ACanvas->Pen()->SetColor(ShowModified()->Color());
    ACanvas->Brush()->SetColor(ShowModified()->Color());
    ACanvas->Rectangle(R.Right - 4, R.Top, R.Right, R.Bottom);
    ACanvas->Brush()->SetColor(savedBrush);
  }

  if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, ACanvas, RCol, ARow, state, R, false);
  const int savedRight = R.Right;
  if (!fixedByHook) {
    bool editable = true;
    if (ControlLook()->DropDownAlwaysVisible() && HasComboBox(RCol, ARow)) {
      CheckCellEditable(RCol, ARow, editable);
      DrawComboButton(ACanvas, Rect(R.Left - 2, R.Top - 1, R.Right + 1, R.Bottom), editable, IsWinXP());
      R.Right -= 16;
    }
    if (ControlLook()->SpinButtonsAlwaysVisible() && HasSpinEdit(RCol, ARow)) {
      editable = true;
      CheckCellEditable(RCol, ARow, editable);
      DrawSpinButtons(ACanvas, R, editable ? 1 : 0, IsWinXP());
      R.Right -= 16;
    }
  }

  IGridCellDrawer* drawer = CellDrawer(graphic);
  if (drawer != nullptr && drawer->IsBackground())
    drawer->Draw(ACanvas, Rect(R.Left - 2, R.Top - 2, R.Right + 1, R.Bottom + 1), this,
                 state.Contains(gdSelected), ARow, RCol);
  const bool drawEvent = static_cast<bool>(OnDrawCell) || static_cast<bool>(OnCustomCellDraw);
  FLastTextWidth = 0;
  if (!(drawEvent && FNoDefaultDraw) && !(graphic != nullptr && FNoImageAndText))
    DrawCellText(ACanvas, ACol, ARow, R, state, ha, va, ww);
  R.Right = savedRight;
  ACanvas->Brush()->SetColor(savedBrush);
  ACanvas->Font()->SetColor(savedFont);
  R = Rect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
  DrawCellBorders(ACanvas, RCol, ARow, R);
  R.Left -= indicatorWidth;

  if (fixedCell) DrawFixedCellEdges(ACanvas, RCol, R);
  if (RCol == 0 && HasNodes() && ARow >= FixedRows() && CellNode()->ShowTree()) DrawTreeLines(ACanvas, ARow, R);

  if (graphic != nullptr) {
    if (drawer != nullptr) {
      if (!drawer->IsBackground()) DrawCellGraphic(ACanvas, ACol, ARow, R, graphic, va, ha, state);
    } else {
      TRect G = R;
      if (fixedCell) ++G.Top;
      DrawCellGraphic(ACanvas, ACol, ARow, G, graphic, va, ha, state);
      R = G;
    }
  }

  if (OnDrawCell) {
    OnDrawCell(this, ACol, ARow,
               Rect(R.Left + 1, R.Top + 1, R.Right - GridLineWidth(), R.Bottom - GridLineWidth()), state);
  }
  if (OnCustomCellDraw) OnCustomCellDraw(this, ACanvas, RCol, ARow, state, R, false);
  if (!HideFocusRect) DrawFocusRectangle(ACanvas, ACol, ARow, R);
}

// The header fill of the gradient looks: hovered and pressed headers, the headers of the
// current cell, the sorted column's header, else the look's own gradient.
void TRivErodovOzar::DrawFixedCellFill(TCanvas* ACanvas, int ACol, int ARow, TRect& R, TColor AColor,
                                       TColor AColorTo, TColor AMirrorColor, TColor AMirrorColorTo) {
  auto fill = [ACanvas](const TRect& Box, TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo,
                        TColor Border) {
    FillCellBackground(ACanvas, Box, From, true, false, Border, true, MirrorFrom, MirrorTo, To);
  };
  const int RCol = RealColIndex(ACol);
  if (IsHoverFixedCell(ACol, ARow) && FHoverFixedX == ACol && FHoverFixedY == ARow && !IsDesigning()) {
    ++R.Bottom;
    const bool dropButton = ControlLook()->FixedDropDownButton() && CanShowFixedDropDown(RCol);
    auto hover = [&](const TRect& Box) {
      fill(Box, FVAVGradHoverFrom, FVAVGradHoverTo, FVAVGradHoverMirrorFrom, FVAVGradHoverMirrorTo,
           FVAVGradHoverBorder);
    };
    auto down = [&](const TRect& Box) {
      fill(Box, FVAVGradDownFrom, FVAVGradDownTo, FVAVGradDownMirrorFrom, FVAVGradDownMirrorTo, FVAVGradDownBorder);
    };
    if (!FMouseDownMove) {
      hover(R);
    } else if (dropButton) {
      const TRect button = Rect(R.Right - 16, R.Top, R.Right, R.Bottom);
      const TRect rest = Rect(R.Left, R.Top, R.Right - 16, R.Bottom);
      if (FDropDownDown) down(button), hover(rest);
      else down(rest), hover(button);
    } else {
      down(R);
    }
    if (dropButton) {
      ACanvas->Pen()->SetColor(FMouseDownMove ? FVAVGradDownBorder : FVAVGradHoverBorder);
      PainterLine(ACanvas, R.Right - 16, R.Top, R.Right - 16, R.Bottom);
      DrawDownTriangle(ACanvas, R.Right - 8, R.Top + 8, 0x000000);
      R.Right -= 16;
    }
    return;
  }
  const bool rowHeader = FixedCols() > 0 && ACol == FixedCols() - 1 && ARow == Row();
  const bool colHeader = FixedRows() > 0 && ARow == FixedRows() - 1 && ACol == Col();
  if (ActiveCellShow && (rowHeader || colHeader)) {
    DrawGradient(ACanvas, ActiveCellColor, ActiveCellColorTo, false, R, 128);
    return;
  }
  const TSortSettings& sort = *FSortSettings;
  if (sort.Column != -1 && sort.Column == RCol && sort.HeaderColor() != clNone && ARow == FixedRows() - 1 &&
      (ACol >= FixedCols() || sort.FixedCols)) {
    fill(R, sort.HeaderColor(), sort.HeaderColorTo(), sort.HeaderMirrorColor(), sort.HeaderMirrorColorTo(), clNone);
    return;
  }
  if (FFlat) return;
  fill(R, AColor, AColorTo, AMirrorColor, AMirrorColorTo, clNone);
  if (FLook == glVista) {
    ACanvas->Pen()->SetColor(0xFFFFFF);
    PainterLine(ACanvas, R.Left, R.Top, R.Left, R.Bottom);
    PainterLine(ACanvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
  }
}

// The header edges of the looks without a gradient of their own, and the grey frame of the
// right fixed columns of a flat grid. R is the cell grown by 1 on every side.
void TRivErodovOzar::DrawFixedCellEdges(TCanvas* ACanvas, int ACol, TRect R) {
  const TGridOptions options = Options();
  const bool horz = options.Contains(goFixedHorzLine), vert = options.Contains(goFixedVertLine);
  TPen* pen = ACanvas->Pen();
  pen->SetWidth(1);
  pen->SetStyle(psSolid);
  if (!FFlat) {
    const TColor dark = Darker(FixedColor());
    switch (FLook) {
      case glClassic: {
        ++R.Top, ++R.Bottom, ++R.Left;
        // Raised inner edges left and top, a raised edge right and bottom.
        pen->SetColor(0xFFFFFF);
        PainterLine(ACanvas, R.Left, R.Bottom - 2, R.Left, R.Top);
        PainterLine(ACanvas, R.Left, R.Top, R.Right - 1, R.Top);
        pen->SetColor(0x808080);
        PainterLine(ACanvas, R.Right - 2, R.Top, R.Right - 2, R.Bottom - 2);
        PainterLine(ACanvas, R.Left, R.Bottom - 2, R.Right - 1, R.Bottom - 2);
        pen->SetColor(0x000000);
        PainterLine(ACanvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
        ACanvas->LineTo(R.Left - 1, R.Bottom - 1);
        break;
      }
      case glVAV:
      case glXP:
        ++R.Bottom;
        if (horz) {
          pen->SetColor(dark);
          PainterLine(ACanvas, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
          pen->SetColor(0xFFFFFF);
          PainterLine(ACanvas, R.Right - 2, R.Top + 1, R.Left + 1, R.Top + 1);
          ACanvas->LineTo(R.Left + 1, R.Bottom - 1);
        }
        break;
      case glSoft:
        ++R.Right, ++R.Bottom;
        if (horz) {
          pen->SetColor(dark);
          PainterLine(ACanvas, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
          pen->SetColor(0xFFFFFF);
          PainterLine(ACanvas, R.Right, R.Top + 1, R.Left + 1, R.Top + 1);
          ACanvas->LineTo(R.Left + 1, R.Bottom - 1);
        }
        if (vert) {
          pen->SetColor(dark);
          PainterLine(ACanvas, R.Right - 2, R.Top, R.Right - 2, R.Bottom - 1);
          pen->SetColor(0xFFFFFF);
          PainterLine(ACanvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
        }
        break;
      default: break;
    }
    return;
  }
  if (FLook == glClassic || FFixedRightCols <= 0 || ACol < AllColCount() - FFixedRightCols) return;
  pen->SetColor(0x808080);
  if (horz) {
    PainterLine(ACanvas, R.Left - 1, R.Top - 1, R.Right + 1, R.Top - 1);
    PainterLine(ACanvas, R.Left - 1, R.Bottom + 1, R.Right + 1, R.Bottom + 1);
  }
  if (vert) {
    PainterLine(ACanvas, R.Left - 1, R.Top - 1, R.Left - 1, R.Bottom + 1);
    PainterLine(ACanvas, R.Right + 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
  }
}

void TRivErodovOzar::DrawCellBorders(TCanvas* ACanvas, int ACol, int ARow, TRect R) {
  TPen saved;
  saved.Assign(ACanvas->Pen());
  TCellBorders borders;
  GetCellBorder(ACol, ARow, ACanvas->Pen(), borders);
  if (borders.Empty()) {
    ACanvas->Pen()->Assign(&saved);
    return;
  }
  TPen left, top, right, bottom;
  for (TPen* p : {&left, &top, &right, &bottom}) p->Assign(ACanvas->Pen());
  if (OnGetCellBorderProp) OnGetCellBorderProp(this, ARow, ACol, &left, &top, &right, &bottom);
  const TGridOptions options = Options();
  const int hx = options.Contains(goVertLine) ? (ACanvas->Pen()->Width() + 1) / 2 : 0;
  const int hy = options.Contains(goHorzLine) ? (ACanvas->Pen()->Width() + 1) / 2 : 0;
  R = Rect(R.Left + hx, R.Top + hy, R.Right - hx, R.Bottom - hy);
  if (borders.Contains(cbLeft)) {
    ACanvas->Pen()->Assign(&left);
    PainterLine(ACanvas, std::max(0, R.Left - hx), R.Top - hy, std::max(0, R.Left - hx), R.Bottom);
  }
  if (borders.Contains(cbRight)) {
    ACanvas->Pen()->Assign(&right);
    PainterLine(ACanvas, R.Right - 1, R.Top - hy, R.Right - 1, R.Bottom);
  }
  if (borders.Contains(cbTop)) {
    ACanvas->Pen()->Assign(&top);
    const int y = GridLineWidth() == 0 ? R.Top + 1 : std::max(0, R.Top - GridLineWidth());
    PainterLine(ACanvas, R.Left, y, R.Right, y);
  }
  if (borders.Contains(cbBottom)) {
    ACanvas->Pen()->Assign(&bottom);
    PainterLine(ACanvas, R.Left - GridLineWidth() - 1, R.Bottom - 1, R.Right, R.Bottom - 1);
  }
  ACanvas->Pen()->Assign(&saved);
}

// Tree lines of column 0 for the rows of a grid with nodes.
void TRivErodovOzar::DrawTreeLines(TCanvas* ACanvas, int ARow, TRect R) {
  const TCellNode& node = *CellNode();
  const int indent = node.NodeIndent();
  auto levelOf = [this](int Row) {
    const TCellProperties* p = Row >= 0 && Row < RowCount() ? Props(0, Row) : nullptr;
    return p != nullptr ? p->NodeLevel() : 0;
  };
  auto isNodeRow = [this](int Row) { return Row >= 0 && Row < RowCount() && GetCellType(0, Row) == ctNode; };
  ACanvas->Pen()->SetColor(node.TreeColor());
  ACanvas->Pen()->SetWidth(1);
  R.Left = NodeIndentOfRow(ARow);
  const int x = R.Left + indent / 2 - indent + 2;
  const int middle = R.Top + (R.Bottom - R.Top) / 2;
  const int level = levelOf(ARow);
  if (level > 0) PainterLine(ACanvas, x, middle, node.ShowTreeFull() ? R.Right : R.Left + 4, middle);
  // The row's span: 0 a node row, 1 the last data row or one followed by a shallower row, 2 a
  // row followed by one of the same or a deeper level.
  const bool last = ARow >= RowCount() - 1;
  const int span = isNodeRow(ARow) ? 0 : (last || levelOf(ARow + 1) < level) ? 1 : 2;
  if (span == 1) PainterLine(ACanvas, x, R.Top, x, middle);
  if (span == 2) PainterLine(ACanvas, x, R.Top, x, R.Bottom + 4);
  if (Props(0, ARow) != nullptr && level > 0) {
    const bool nextHasLevel = !last && levelOf(ARow + 1) > 0;
    for (int i = 1; i <= level; ++i) {
      const int xi = x - indent * i;
      if (nextHasLevel) {
        PainterLine(ACanvas, xi, R.Top, xi, R.Bottom + 4);
      } else {
        PainterLine(ACanvas, xi, R.Top, xi, middle);
        if (i < level) PainterLine(ACanvas, xi, middle, x - indent * (i - 1), middle);
      }
    }
  }
  ACanvas->Pen()->SetStyle(psSolid);
}

void TRivErodovOzar::DrawFocusRectangle(TCanvas* ACanvas, int ACol, int ARow, TRect R) {
  if (Options().Contains(goRowSelect) || Row() < FixedRows() || Col() < FixedCols() || !Focused()) return;
  const TPoint base = BaseCell(ACol, ARow);
  if (base.X != Col() || base.Y != Row()) return;
  const int grow = GridLineWidth() - 1;
  R = Rect(R.Left - grow, R.Top - grow, R.Right + grow - 1, R.Bottom + grow - 1);
  ACanvas->DrawFocusRect(R);
}
