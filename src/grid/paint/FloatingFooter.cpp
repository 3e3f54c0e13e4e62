// The floating footer: its settings, showing and hiding it, and painting the strip.
#include "grid/paint/FloatingFooter.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/Graphics.h"
#include "classlib/Messages.h"
#include "grid/base/HTMLEngine.h"
#include "grid/base/ZudAzudDraw.h"
#include "grid/model/RivErodovOzar.h"

// ---- TFloatingFooter ----

TFloatingFooter::TFloatingFooter(TRivErodovOzar* AOwner) : FGrid(AOwner) {}

void TFloatingFooter::Invalidate() {
  if (TFooterPanel* panel = FGrid->FooterPanel()) panel->Invalidate();
}

void TFloatingFooter::SetVisible(bool Value) {
  FVisible = Value;
  FGrid->FloatingFooterVisible = Value;
  if (TFooterPanel* panel = FGrid->FooterPanel()) {
    // Docked in the grid only while shown: a hidden strip leaves the grid's window as it was.
    if (Value) panel->SetParent(FGrid);
    panel->SetHeight(Value ? std::max(0, FHeight - 1) : 0);
    panel->SetVisible(Value);
    if (!Value) panel->SetParent(nullptr);
  }
  FGrid->SetFixedFooters(Value && FFooterStyle == fsFixedLastRow ? 1 : 0);
  FGrid->SetHideLastRow(Value && FFooterStyle == fsFixedLastRow);
  FGrid->Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value) {
  FFooterStyle = Value;
  FGrid->SetHideLastRow(Value == fsFixedLastRow && FVisible);
  FGrid->Invalidate();
  Invalidate();
}

void TFloatingFooter::SetColor(TColor Value) {
  FColor = Value;
  Invalidate();
}

void TFloatingFooter::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  Invalidate();
}

void TFloatingFooter::SetColumn(int Value) {
  FColumn = Value;
  Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const String& Value) {
  FCustomTemplate = Value;
  Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value) {
  FShowHint = Value;
  if (TFooterPanel* panel = FGrid->FooterPanel()) panel->ShowHint = Value;
}

void TFloatingFooter::SetHeight(int Value) {
  FHeight = Value;
  if (TFooterPanel* panel = FGrid->FooterPanel(); panel != nullptr && Value > 0) panel->SetHeight(Value - 1);
}

void TFloatingFooter::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TFloatingFooter*>(Source);
  if (source == nullptr) return;
  CalculateHiddenRows = source->CalculateHiddenRows;
  FColor = source->FColor;
  FColumn = source->FColumn;
  FCustomTemplate = source->FCustomTemplate;
  FFooterStyle = source->FFooterStyle;
  SetVisible(source->FVisible);
  FShowHint = source->FShowHint;
}

// ---- TFooterPanel ----

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomControl(AOwner), FGrid(dynamic_cast<TRivErodovOzar*>(AOwner)) {
  if (FGrid == nullptr) throw EInvalidCast("Invalid class typecast");
}

void TFooterPanel::CreateWnd() {
  TCustomControl::CreateWnd();
  const TFloatingFooter& footer = *FGrid->FloatingFooter();
  SetHeight(footer.Visible() ? footer.Height() : 0);
  if (FGrid->OnCreatedFloatingFooter) FGrid->OnCreatedFloatingFooter(FGrid);
}

int TFooterPanel::VisibleWidth() const {
  int w = 0;
  for (int c = 0; c < FGrid->FixedCols(); ++c) w += FGrid->ColWidths(c);
  for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c) w += FGrid->ColWidths(c);
  return w;
}

void TFooterPanel::Paint() {
  TCanvas* C = Canvas();
  if (C == nullptr) return;
  const TRect client = ClientRect();
  const TRect strip = Rect(0, 0, std::min(client.Right, VisibleWidth()), client.Bottom);
  const TFloatingFooter& footer = *FGrid->FloatingFooter();
  if (footer.FooterStyle() == fsFixedLastRow) PaintLastRow(C, strip);
  else PaintPreview(C, strip);
  // The rest of the panel takes the grid's colour.
  FillRectColor(C, Rect(strip.Right, 0, client.Right, client.Bottom), FGrid->Color());
  if (footer.BorderColor() != clNone) {
    C->Pen()->SetColor(footer.BorderColor());
    C->MoveTo(0, 0);
    C->LineTo(strip.Right, 0);
  }
}

void TFooterPanel::PaintLastRow(TCanvas* C, const TRect& Strip) {
  TRivErodovOzar& g = *FGrid;
  const TFloatingFooter& footer = *g.FloatingFooter();
  C->Pen()->SetColor(footer.Color());
  C->Brush()->SetColor(footer.Color());
  C->Rectangle(Strip);
  const TGridOptions options = g.Options();
  const bool vert = options.Contains(goFixedVertLine), horz = options.Contains(goFixedHorzLine);
  const int lastRow = g.RowCount() - 1;
  std::vector<int> columns;
  for (int c = 0; c < g.FixedCols(); ++c) columns.push_back(c);
  for (int c = g.LeftCol(); c < g.ColCount(); ++c) columns.push_back(c);

  // Separators along the grid's lines.
  int x = 0;
  for (int c : columns) {
    const int right = x + g.ColWidths(c);
    const bool scrolled = c >= g.FixedCols();
    if (vert) {
      C->Pen()->SetColor(0xFFFFFF);
      C->MoveTo(x, Strip.Bottom);
      C->LineTo(x, 0);
    }
    if (horz) {
      C->Pen()->SetColor(g.GridLineColor());
      C->MoveTo(x, 0);
      C->LineTo(right - 1, 0);
    }
    if (vert) {
      C->Pen()->SetColor(scrolled && g.Look() != glVista ? 0x808080 : g.GridLineColor());
      C->MoveTo(right - 1, 0);
      C->LineTo(right - 1, Strip.Bottom);
    }
    x = right;
  }

  // The last row's cells, each in its column.
  x = 0;
  const bool shiftLeft = horz && !g.Flat() &&
                         (g.Look() == glSoft || g.Look() == glVAV || g.Look() == glXP || g.Look() == glVista);
  for (int c : columns) {
    const int left = x;
    x += g.ColWidths(c);
    if (lastRow < 0 || !g.IsBaseCell(c, lastRow)) continue;
    TRect R = Rect(left, 0, left + g.ColWidths(c) - 1, Strip.Bottom);
    if (g.IsMergedCell(c, lastRow)) {
      const TRect block = g.FullCell(c, lastRow);
      int blockRight = left;
      for (int k = c; k <= block.Right && k < g.ColCount(); ++k) blockRight += g.ColWidths(k);
      R.Right = blockRight - 1;
    }
    if (horz) ++R.Top;
    if (shiftLeft) ++R.Left;
    if (c < g.FixedCols()) {
      g.DrawCellContent(C, c, lastRow, R, TGridDrawState{gdFixed});
      continue;
    }
    const int rcol = g.RealColIndex(c);
    TBrush brush;
    brush.SetColor(clNone);
    TFont font;
    font.Assign(g.Font());
    if (g.OnGetCellColor) g.OnGetCellColor(this, lastRow, rcol, TGridDrawState{gdFixed}, &brush, &font);
    if (brush.Color() != clNone) FillRectColor(C, R, brush.Color());
    const TColor own = g.GetCellBackColor(rcol, lastRow);
    if (own != clNone) FillRectColor(C, R, own);
    if (g.OnFooterPaint) g.OnFooterPaint(this, c, C, R);
    else g.DrawCellContent(C, c, lastRow, R, TGridDrawState{gdFixed});
  }
}

void TFooterPanel::PaintPreview(TCanvas* C, const TRect& Strip) {
  TRivErodovOzar& g = *FGrid;
  const TFloatingFooter& footer = *g.FloatingFooter();
  FillRectColor(C, Strip, footer.Color());
  C->Pen()->SetColor(0x808080);
  C->MoveTo(Strip.Left, Strip.Bottom - 1);
  C->LineTo(Strip.Right - 1, Strip.Bottom - 1);
  C->LineTo(Strip.Right - 1, Strip.Top - 1);
  C->Pen()->SetColor(0xFFFFFF);
  C->MoveTo(Strip.Left, Strip.Bottom - 1);
  C->LineTo(Strip.Left, Strip.Top);
  C->LineTo(Strip.Right - 1, Strip.Top);
  if (footer.FooterStyle() == fsColumnPreview) {
    const TColor selectionText = g.SelectionTextColor;
    g.SelectionTextColor = 0x000000;
    if (g.OnFooterPaint) g.OnFooterPaint(this, footer.Column(), C, Strip);
    else g.DrawCellContent(C, footer.Column(), g.Row(), Strip, TGridDrawState{});
    g.SelectionTextColor = selectionText;
    return;
  }
  const TRect R = Rect(Strip.Left, Strip.Top + 2, Strip.Right, Strip.Bottom + 2);
  if (g.ComponentState().Contains(csDesigning)) {
    C->SetBkMode(TRANSPARENT);
    C->TextOut(R.Left + 2, R.Top, footer.CustomTemplate());
    return;
  }
  THTMLRenderParams params;
  params.LinkColor = g.URLColor();
  params.ShadowColor = 0x808080;
  THTMLRenderResult result;
  C->Font()->Assign(g.Font());
  RenderHTMLText(C, FillFooterTemplate(&g, footer.CustomTemplate(), g.Row()), R, params, result);
}

String FillFooterTemplate(TRivErodovOzar* Grid, const String& Template, int ARow) {
  String out;
  size_t pos = 0;
  while (pos < Template.size()) {
    const size_t open = Template.find("<#", pos);
    const size_t close = open == String::npos ? String::npos : Template.find('>', open + 2);
    if (close == String::npos) {
      out += Template.substr(pos);
      break;
    }
    out += Template.substr(pos, open - pos);
    const String number = Template.substr(open + 2, close - open - 2);
    const bool digits = !number.empty() && std::all_of(number.begin(), number.end(), [](char ch) {
      return ch >= '0' && ch <= '9';
    });
    if (digits && number.size() < 9) {
      const int col = std::stoi(number);
      if (col < Grid->AllColCount() && ARow >= 0 && ARow < Grid->RowCount()) out += Grid->Cells(col, ARow);
    }
    pos = close + 1;
  }
  return out;
}

int TFooterPanel::ColumnWalk(int X) const {
  int sum = 0;
  for (int c = 0; c < FGrid->FixedCols() && sum < X; ++c) sum += FGrid->ColWidths(c);
  int j = FGrid->LeftCol();
  while (sum < X && j < FGrid->ColCount()) sum += FGrid->ColWidths(j++);
  if (j == FGrid->ColCount() && sum < X) j = -1;
  return j;
}

int TFooterPanel::ColumnAt(int X) const {
  const int j = ColumnWalk(X);
  return j < 0 ? -1 : j - 1;
}

String TFooterPanel::HintAt(int X) {
  const int j = ColumnWalk(X);
  String hint;
  if (FGrid->OnGridHint && j > 0) FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, j - 1, hint);
  FLastHintX = ShowHint && j > 0 ? j - 1 : -1;
  return ShowHint ? hint : String();
}

void TFooterPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!ShowHint || FLastHintX < 0) return;
  const int column = ColumnAt(X);
  if (column != FLastHintX) FLastHintX = column;
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FGrid->OnClick) FGrid->OnClick(FGrid);
  const int j = ColumnWalk(X);
  if (j > 0 && FGrid->OnClickCell) FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, j - 1);
}

void TFooterPanel::WndProc(TMessage& Message) {
  if (Message.Msg == CM_MOUSELEAVE) FLastHintX = -1;
  TCustomControl::WndProc(Message);
}
