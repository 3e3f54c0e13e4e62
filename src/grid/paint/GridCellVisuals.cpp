// What a cell looks like before anything is drawn: its colours, font, alignment, word wrap and
// gradient, its display text and the layout of the graphic it holds.
#include <algorithm>

#include "classlib/GraphicsObjects.h"
#include "classlib/ImgList.h"
#include "grid/base/ZudAzud.h"
#include "grid/model/CellGraphicMetrics.h"
#include "grid/model/RivErodovOzar.h"

namespace {
bool IsNumberText(const String& S) {
  const int kind = NumericKind(Trim(S));
  return kind == 0 || kind == 1 || kind == 5;
}
}  // namespace

void TRivErodovOzar::ApplySelectionColors(TColor Brush, TColor ColorTo, TColor Mirror, TColor MirrorTo, TBrush* ABrush,
                                          TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                                          TFont* AFont) {
  if (ABrush != nullptr) ABrush->SetColor(Brush);
  AColorTo = ColorTo;
  AMirrorColor = Mirror;
  AMirrorColorTo = MirrorTo;
  if (AFont != nullptr && SelectionTextColor != clNone) AFont->SetColor(SelectionTextColor);
}

void TRivErodovOzar::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                         bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                         TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                         bool& WW, TCellGradientDirection& GD) {
  TBrush scratchBrush;
  TFont scratchFont;
  if (ABrush == nullptr) ABrush = &scratchBrush;
  if (AFont == nullptr) AFont = &scratchFont;
  const int fixedCols = FixedCols(), fixedRows = FixedRows();
  const bool beforeFixed = ACol < fixedCols || ARow < fixedRows;
  AFont->Assign(beforeFixed ? FixedFont() : Font());
  const int RCol = Remap ? RealColIndex(ACol) : ACol;
  const bool realRows =
      (MouseActions()->DisjunctRowSelect() && MouseActions()->RowSelectPersistent) || EnabledRowsInUse;
  const int stateRow = realRows ? RealRowIndex(ARow) : ARow;

  ABrush->SetStyle(bsSolid);
  ABrush->SetColor(clNone);
  AColorTo = AMirrorColor = AMirrorColorTo = clNone;
  bool ownColor = false;
  if (TCellProperties* p = Props(RCol, ARow)) {
    ABrush->SetColor(p->BrushColor());
    const TCellType type = GetCellType(RCol, ARow);
    ownColor = (type == ctNone || type == ctRotated || type == ctEmpty) && p->BrushColor() != clNone;
    if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
    if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
    if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
    if (!p->FontName().empty()) AFont->SetName(p->FontName());
    WW = p->WordWrap();
    AColorTo = p->BrushColorTo();
    GD = p->GradientDirection();
  }
  if (AState.Contains(gdSelected)) GD = GradientVertical;

  const bool rightFixed = ACol >= ColCount() - FFixedRightCols;
  const bool footer = ARow >= RowCount() - FFixedFooters;
  if (ABrush->Color() == clNone) {
    ABrush->SetColor(Color());
    if (FBands->Active() && (!Print || Print == FBands->Print) && !beforeFixed && !rightFixed && !footer &&
        FBands->TotalLength() > 0)
      ABrush->SetColor((ARow - fixedRows) % FBands->TotalLength() < FBands->PrimaryLength() ? FBands->PrimaryColor()
                                                                                           : FBands->SecondaryColor());
    if (beforeFixed || rightFixed || footer) ABrush->SetColor(FixedColor());
  }

  const bool fixed = IsFixed(ACol, ARow) || beforeFixed;
  if (fixed && !ownColor) {
    if (!Print) {
      ABrush->SetColor(FixedColor());
      AFont->Assign(FixedFont());
      AState += gdFixed;
    }
    if (FLook > glClassic) {
      ABrush->SetColor(FVAVGradFrom);
      AColorTo = FVAVGradTo;
      AMirrorColor = FVAVGradMirrorFrom;
      AMirrorColorTo = FVAVGradMirrorTo;
    }
  }

  if (Print) GetCellPrintColor(RCol, ARow, AState, ABrush, AFont);
  else GetCellColor(RCol, ARow, AState, ABrush, AFont);
  if (OnGetCellGradient) {
    TColor color = ABrush->Color();
    OnGetCellGradient(this, ARow, ACol, color, AColorTo, AMirrorColor, AMirrorColorTo, GD);
    ABrush->SetColor(color);
  }
  FUnselectedBrushColor = ABrush->Color();
  FUnselectedFontColor = AFont->Color();

  auto selectionColors = [&]() {
    ApplySelectionColors(SelectionColor, SelectionColorTo, SelectionMirrorColor, SelectionMirrorColorTo, ABrush,
                         AColorTo, AMirrorColor, AMirrorColorTo, AFont);
  };
  const bool showSel = ShowSelection;
  const bool disjunctRow = MouseActions()->DisjunctRowSelect();
  const bool disjunctCol = MouseActions()->DisjunctColSelect();
  if (disjunctRow && !Print && Select && showSel && !fixed) {
    const bool rowSelected = stateRow >= 0 && stateRow < AllRowCount() && IsRowSelected(stateRow);
    if (((FMouseDown && ARow == Row()) || !rowSelected) &&
        (!FMouseDown || rowSelected || !AState.Contains(gdSelected))) {
      AState -= gdSelected;
    } else {
      AState = TGridDrawState{gdSelected};
      selectionColors();
    }
  }
  if (disjunctCol && !Print && Select && showSel && !fixed && ACol < ColCount()) {
    const bool colSelected = IsColSelected(ACol);
    if ((colSelected && !(ACol == Col() && FMouseDown)) || (FMouseDown && !colSelected && AState.Contains(gdSelected))) {
      AState = TGridDrawState{gdSelected};
      selectionColors();
    }
  }
  if (Select && !Print && !fixed && !disjunctRow && !disjunctCol) {
    // A merged block counts as selected when the selection reaches any of its cells.
    const TRect block = FullCell(ACol, ARow);
    const TGridRect sel = Selection();
    const bool inside = block.Left <= std::max(sel.Left, sel.Right) && block.Right >= std::min(sel.Left, sel.Right) &&
                        block.Top <= std::max(sel.Top, sel.Bottom) && block.Bottom >= std::min(sel.Top, sel.Bottom);
    if (inside && showSel) {
      selectionColors();
      AState += gdSelected;
    } else {
      AState -= gdSelected;
    }
  } else if (AState.Contains(gdSelected) && FMouseDown && showSel && !fixed) {
    selectionColors();
  }
  if (MouseActions()->DisjunctCellSelect() && showSel) {
    if (FSelectedCells->HasValue(ARow * 65536 + (ACol & 0xFFFF))) {
      selectionColors();
      AState += gdSelected;
    } else if (ACol == Col() && ARow == Row()) {
      AState -= gdSelected;
      ABrush->SetColor(FUnselectedBrushColor);
      AFont->SetColor(FUnselectedFontColor);
    }
  }
  if (EnabledRowsInUse && ARow >= 0 && ARow < RowCount() && !IsRowEnabled(ARow)) AFont->SetColor(DisabledFontColor);
  GetCellWordWrap(RCol, ARow, WW);
  ResolveCellAlignment(RCol, ARow, HA, VA);
}

void TRivErodovOzar::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont,
                                       TBrush* ABrush, bool) {
  const bool fixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
  AFont->Assign(fixed ? FixedFont() : Font());
  if (const TCellProperties* p = Props(RCol, ARow)) {
    if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
    if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
    if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
    if (!p->FontName().empty()) AFont->SetName(p->FontName());
  }
  GetCellColor(RCol, ARow, AState, ABrush, AFont);
}

void TRivErodovOzar::ResolveCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA) {
  HA = FDefaultAlignment;
  VA = VAlignment;
  if (AutoNumAlign) {
    String text = Cells(ACol, ARow);
    const bool formula = (!text.empty() && text[0] == '=') ||
                         (text.size() > 3 && text.compare(0, 2, "|\\") == 0 && [&] {
                           const WideString w = DecodeWideText(text);
                           return !w.empty() && w[0] == u'=';
                         }());
    if (formula) text = GetCalculatedCellText(ACol, ARow);
    if (IsNumberText(text)) HA = taRightJustify;
  } else if (const TCellProperties* p = Props(ACol, ARow)) {
    HA = p->Alignment();
  }
  GetCellAlignment(ACol, ARow, HA, VA);
}

String TRivErodovOzar::GetFormattedCellText(int ACol, int ARow) {
  String text = Cells(ACol, ARow);
  if (!OnGetFloatFormat || !IsNumberText(text)) return text;
  bool isFloat = true;
  String format = FloatFormat;
  OnGetFloatFormat(this, ACol, ARow, isFloat, format);
  if (!isFloat) return text;
  // A format that does not fit the value leaves the stored text.
  try {
    if (format.find('d') != String::npos) return Format(format, {GetCellInteger(ACol, ARow)});
    return Format(format, {static_cast<Extended>(GetCellFloat(ACol, ARow))});
  } catch (const std::exception&) {
    return text;
  }
}

TCellGraphic* TRivErodovOzar::GetCellGraphicLayout(int ACol, int ARow, TCellVAlign& CellVAlign,
                                                   TCellHAlign& CellHAlign, bool& TextDrawn, int& Height,
                                                   int& Width) {
  using namespace CellGraphicMetrics;
  CellVAlign = vaTop;
  CellHAlign = haLeft;
  TextDrawn = true;
  Width = Height = 0;
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic != nullptr) {
    const TCellGraphic& g = *graphic;
    CellVAlign = g.CellVAlign;
    CellHAlign = g.CellHAlign;
    TCustomImageList* images = GetGridImages();
    TPoint size = Point(0, 0);
    switch (g.CellType) {
      case ctBitmap:
      case ctIcon: size = GraphicObjectSize(g); break;
      case ctImageList:
      case ctDataImage:
        if (images != nullptr) size = Point(images->Width(), images->Height());
        TextDrawn = g.CellType == ctImageList;
        break;
      case ctCheckBox:
      case ctDataCheckBox:
      case ctVirtCheckBox:
      case ctRowCheckBox:
        size = Point(ControlLook()->CheckSize(), ControlLook()->CheckSize());
        TextDrawn = g.CellType == ctCheckBox;
        break;
      case ctRotated:
      case ctRadio:
      case ctProgress:
      case ctRangeIndicator:
      case ctXPProgress: TextDrawn = false; break;
      case ctImages: size = ImageRowSize(g, images); break;
      case ctPicture:
      case ctFilePicture: {
        const int cw = ColWidths(DisplColFromReal(ACol));
        const int ch = ARow < RowCount() ? RowHeights(ARow) : DefaultRowHeight();
        size = g.GetPictureSize(cw, ch, !Cells(ACol, ARow).empty());
        break;
      }
      case ctButton:
      case ctBitButton: size = Point(ButtonWidth(g), ButtonHeight(g)); break;
      case ctProgressPie: size = Point(20, 20); break;
      case ctInterface: size = DrawerSize(g); break;
      case ctRadioButton: size = Point(ControlLook()->RadioSize() + 4, ControlLook()->RadioSize() + 4); break;
      case ctShape: {
        const int side = (ARow < RowCount() ? RowHeights(ARow) : DefaultRowHeight()) - 2 * XYOffset.Y;
        size = Point(side, side);
        break;
      }
      case ctRating:
        size = Point(g.CellAngle * 18, 16);
        TextDrawn = false;
        break;
      default: break;
    }
    Width = size.X;
    Height = size.Y;
    if (ACol == 0 && g.CellType == ctNode) {
      const TCellProperties* p = Props(ACol, ARow);
      Width = (p != nullptr ? p->NodeLevel() : 0) * 12 + 4;
    }
  }
  return graphic;
}
