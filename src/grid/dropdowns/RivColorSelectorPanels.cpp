// The colour selector panels: the colour box grid with its built-in palette, the colour cube
// of hexagonal cells and the spectrum picture with its two swatches.
#include <algorithm>
#include <cmath>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/ExtCtrls.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Picture.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivColorPickerDropDown.h"

namespace {

// The spectrum: hue from red at the left through yellow, green, cyan, blue and magenta back to
// red at the right; each column from white at the top through the full colour in the middle
// row to black at the bottom.
void PaintSpectrum(TBitmap* B) {
  B->SetSize(128, 128);
  TCanvas* c = B->Canvas();
  for (int x = 0; x < 128; ++x) {
    const double h = x * 6.0 / 128;
    const int sector = static_cast<int>(h);
    const double f = h - sector;
    double r = 0, g = 0, b = 0;
    switch (sector) {
      case 0: r = 1; g = f; break;
      case 1: r = 1 - f; g = 1; break;
      case 2: g = 1; b = f; break;
      case 3: g = 1 - f; b = 1; break;
      case 4: r = f; b = 1; break;
      default: r = 1; b = 1 - f; break;
    }
    for (int y = 0; y < 128; ++y) {
      auto channel = [y](double v) {
        const double out = y <= 64 ? v + (1 - v) * (64 - y) / 64.0 : v * (127 - y) / 63.0;
        return static_cast<int>(std::lround(std::clamp(out, 0.0, 1.0) * 255));
      };
      c->SetPixel(x, y, RGB(channel(r), channel(g), channel(b)));
    }
  }
}

// The eyedropper: a monochrome 32 x 32 image, black on white, its tip (the hot spot) at (1, 30).
void PaintPointer(TBitmap* B) {
  B->SetSize(32, 32);
  TCanvas* c = B->Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 32, 32));
  c->Pen()->SetColor(clBlack);
  c->Pen()->SetWidth(2);
  c->MoveTo(1, 30);
  c->LineTo(18, 13);
  c->Pen()->SetWidth(1);
  c->Brush()->SetColor(clBlack);
  c->Ellipse(Rect(17, 6, 27, 16));
  c->Rectangle(Rect(15, 12, 21, 18));
}

const bool kSpectrumRegistered = (TBitmap::RegisterResource("VAV_SPECTRUM", PaintSpectrum),
                                  TBitmap::RegisterResource("VAV_POINTER", PaintPointer), true);

const TColor kPalette[6][10] = {
    {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7},
    {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD},
    {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB},
    {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA},
    {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3},
    {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897}};

const std::vector<std::vector<TColor>> kCube = {
    {0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000},
    {0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333},
    {0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666},
    {0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066},
    {0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xFF0099},
    {0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF00CC,
     0xCC0099},
    {0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF00FF,
     0xCC00CC, 0x660066},
    {0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF, 0x9900CC,
     0x800080},
    {0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC, 0x990099},
    {0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399},
    {0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066},
    {0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099},
    {0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5}};

void Outline(TCanvas* C, const TRect& R, TColor Color) {
  C->Pen()->SetColor(Color);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(R);
  C->Brush()->SetStyle(bsSolid);
}

}  // namespace

// ---- Colour boxes --------------------------------------------------------------------------------

void TColorBoxItem::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed(false);
}

void TColorBoxItem::Assign(TPersistent* Source) {
  if (auto* o = dynamic_cast<TColorBoxItem*>(Source)) {
    FColor = o->FColor;
    Enabled = o->Enabled;
    return;
  }
  TCollectionItem::Assign(Source);
}

void TColorBoxAppearance::Assign(TPersistent* Source) {
  auto* o = dynamic_cast<TColorBoxAppearance*>(Source);
  if (o == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  BorderColor = o->BorderColor;
  OuterBorderColorHot = o->OuterBorderColorHot;
  InnerBorderColorHot = o->InnerBorderColorHot;
  OuterBorderColorSelected = o->OuterBorderColorSelected;
  InnerBorderColorSelected = o->InnerBorderColorSelected;
  if (OnChange) OnChange(this);
}

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TRivCustomColorSelectorPanel(AOwner),
      FItems(std::make_unique<TColorBoxItems>(this)),
      FColorBoxAppearance(std::make_unique<TColorBoxAppearance>()) {
  FColorBoxAppearance->OnChange = [this](TObject*) { Invalidate(); };
  FItems->OnChange = [this](TObject*) { Invalidate(); };
}

TCustomColorSelector::~TCustomColorSelector() = default;

void TCustomColorSelector::WndProc(TMessage& Message) {
  TRivCustomColorSelectorPanel::WndProc(Message);
  if (Message.Msg == CM_MOUSELEAVE) SetItemHot(-1);
}

void TCustomColorSelector::SetColumns(int Value) {
  if (FColumns == Value) return;
  FColumns = Value;
  SetItemsPosition();
}

void TCustomColorSelector::SetColumnGap(int Value) {
  if (FColumnGap == Value) return;
  FColumnGap = Value;
  SetItemsPosition();
}

void TCustomColorSelector::SetColorBoxWidth(int Value) {
  if (FColorBoxWidth == Value) return;
  FColorBoxWidth = Value;
  SetItemsPosition();
}

void TCustomColorSelector::SetColorBoxHeight(int Value) {
  if (FColorBoxHeight == Value) return;
  FColorBoxHeight = Value;
  SetItemsPosition();
}

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle Value) {
  if (FItemColorStyle == Value) return;
  FItemColorStyle = Value;
  if (Value == scCustom) return;
  TColorBoxAppearance defaults;
  FColorBoxAppearance->Assign(&defaults);
}

void TCustomColorSelector::GetItemsArea(TRect& R) {
  R = ClientRect();
  R = Rect(R.Left + FOffSetX, R.Top + FOffSetY, R.Right - FOffSetX, R.Bottom - FOffSetY);
}

TSize TCustomColorSelector::GetColorBoxSize() { return TSize{FColorBoxWidth, FColorBoxHeight}; }

void TCustomColorSelector::SetItemsPosition() {
  if (FItems->Count() == 0) {
    SetBounds(Left(), Top(), 100, 50);
    return;
  }
  FItemHot = -1;
  const TSize box = GetColorBoxSize();
  const int w = box.cx, h = box.cy;
  TRect area;
  GetItemsArea(area);
  int x = area.Left, y = area.Top, column = 0, widest = 0;
  bool gapRow = false;
  const int last = FItems->Count() - 1;
  for (int k = 0; k <= last; ++k) {
    TColorBoxItem* item = FItems->Items(k);
    item->ItemRect = Rect(x, y, x + w, y + h);
    item->Placed = true;
    ++column;
    if (k == last) break;
    if (item->ColorBoxPos == ipStandAlone) gapRow = true;
    if (column < FColumns) {
      x += w + FColumnGap;
    } else {
      widest = std::max(widest, x);
      x = area.Left;
      y += h + (gapRow ? FColumnGap : 0);
      column = 0;
      gapRow = false;
    }
  }
  widest = std::max(widest, x);
  SetBounds(Left(), Top(), widest + w + area.Left + 1, y + h + area.Top);
  Invalidate();
}

void TCustomColorSelector::InvalidateItem(int Index) {
  if (Index < 0 || Index >= FItems->Count()) return;
  InvalidateArea(FItems->Items(Index)->ItemRect);
}

void TCustomColorSelector::DrawItem(int Index, TCanvas* ACanvas) {
  if (ACanvas == nullptr || Index < 0 || Index >= FItems->Count()) return;
  TColorBoxItem* item = FItems->Items(Index);
  if (!item->Placed) return;
  TRect r = item->ItemRect;
  TColor outer = FColorBoxAppearance->BorderColor, inner = clNone;
  bool marked = false;
  if (Index == FItemHot) {
    outer = FColorBoxAppearance->OuterBorderColorHot;
    inner = FColorBoxAppearance->InnerBorderColorHot;
    marked = true;
  }
  if (Index == FItemIndex) {
    outer = FColorBoxAppearance->OuterBorderColorSelected;
    inner = FColorBoxAppearance->InnerBorderColorSelected;
    marked = true;
  }
  if (item->Color() != clNone) {
    ACanvas->Pen()->SetColor(item->Color());
    ACanvas->Brush()->SetColor(item->Color());
    ACanvas->Rectangle(r);
  }
  if (marked) {
    if (outer != clNone) {
      Outline(ACanvas, r, outer);
      r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    if (inner != clNone) Outline(ACanvas, r, inner);
    return;
  }
  const int l = r.Left, t = r.Top, rr = r.Right, b = r.Bottom;
  ACanvas->Pen()->SetColor(FColorBoxAppearance->BorderColor);
  switch (item->ColorBoxPos) {
    case ipStandAlone:
      ACanvas->MoveTo(l, b);
      ACanvas->LineTo(l, t);
      ACanvas->LineTo(rr, t);
      ACanvas->LineTo(rr, b);
      ACanvas->LineTo(l, b);
      break;
    case ipTop:
      ACanvas->MoveTo(l, b);
      ACanvas->LineTo(l, t);
      ACanvas->LineTo(rr, t);
      ACanvas->LineTo(rr, b);
      break;
    case ipMiddle:
      ACanvas->MoveTo(l, t);
      ACanvas->LineTo(l, b);
      ACanvas->MoveTo(rr, t);
      ACanvas->LineTo(rr, b);
      break;
    case ipBottom:
      ACanvas->MoveTo(l, t);
      ACanvas->LineTo(l, b);
      ACanvas->LineTo(rr, b);
      ACanvas->MoveTo(rr, t);
      ACanvas->LineTo(rr, b + 1);
      break;
  }
}

void TCustomColorSelector::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  for (int i = 0; i < FItems->Count(); ++i) DrawItem(i, c);
}

bool TCustomColorSelector::Selectable(int Index) const {
  return !(Index >= 0 && Index < FItems->Count() && !FItems->Items(Index)->Enabled);
}

void TCustomColorSelector::SetItemIndex(int Value) {
  if (!Selectable(Value)) return;
  if (FItemIndex >= 0) {
    const int old = FItemIndex;
    FItemIndex = -1;
    InvalidateItem(old);
  }
  // An index beyond the boxes selects nothing.
  if (Value >= FItems->Count()) return;
  FItemIndex = Value;
  if (Value >= 0) {
    FSelectedColor = FItems->Items(Value)->Color();
    InvalidateItem(Value);
    if (OnItemSelect) OnItemSelect(this);
  }
}

void TCustomColorSelector::SetItemHot(int Value) {
  if (!Selectable(Value) || Value == FItemHot) return;
  const int old = FItemHot;
  FItemHot = Value < FItems->Count() ? Value : -1;
  InvalidateItem(old);
  InvalidateItem(FItemHot);
}

void TCustomColorSelector::SetSelectedColor(TColor Value) {
  if (FSelectedColor == Value) return;
  FSelectedColor = Value;
  int found = -1;
  if (Value != clNone)
    for (int i = 0; i < FItems->Count() && found < 0; ++i)
      if (FItems->Items(i)->Color() == Value) found = i;
  SetItemIndex(found);
}

int TCustomColorSelector::ItemAtPos(int X, int Y) const {
  for (int i = 0; i < FItems->Count(); ++i) {
    const TRect& r = FItems->Items(i)->ItemRect;
    if (FItems->Items(i)->Placed && X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom) return i;
  }
  return -1;
}

void TCustomColorSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TRivCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
  const int i = ItemAtPos(X, Y);
  if (i >= 0 && FItems->Items(i)->Enabled) SetItemIndex(i);
}

void TCustomColorSelector::MouseMove(TShiftState Shift, int X, int Y) {
  TRivCustomColorSelectorPanel::MouseMove(Shift, X, Y);
  const int i = ItemAtPos(X, Y);
  SetItemHot(i >= 0 && FItems->Items(i)->Enabled ? i : -1);
}

void TCustomColorSelector::SelectFirst() {
  if (FItems->Count() > 0) SetItemIndex(0);
}
void TCustomColorSelector::SelectLast() {
  if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}
void TCustomColorSelector::SelectNext() {
  if (FItemIndex + 1 < FItems->Count()) SetItemIndex(FItemIndex + 1);
}
void TCustomColorSelector::SelectPrevious() {
  if (FItemIndex >= 1) SetItemIndex(FItemIndex - 1);
}
void TCustomColorSelector::HotNext() {
  if (FItemHot + 1 < FItems->Count()) SetItemHot(FItemHot + 1);
}
void TCustomColorSelector::HotPrevious() {
  if (FItemHot >= 1) SetItemHot(FItemHot - 1);
}

void TCustomColorSelector::HandleKey(Word Key, bool EditorEnabled, bool DroppedDown) {
  if (!Enabled() || Key < VK_PRIOR || Key > VK_DOWN) return;
  auto select = [this](int Index) {
    if (Index >= 0 && Index < FItems->Count()) SetItemIndex(Index);
  };
  switch (Key) {
    case VK_NEXT: case VK_END: SelectLast(); break;
    case VK_PRIOR: case VK_HOME: SelectFirst(); break;
    case VK_LEFT:
      if (DroppedDown || !EditorEnabled) SelectPrevious();
      break;
    case VK_RIGHT:
      if (DroppedDown || !EditorEnabled) SelectNext();
      break;
    case VK_UP:
      if (!DroppedDown) SelectPrevious(); else select(FItemIndex < 0 ? 0 : FItemIndex - FColumns);
      break;
    case VK_DOWN:
      if (!DroppedDown) SelectNext(); else select(FItemIndex < 0 ? 0 : FItemIndex + FColumns);
      break;
    default: break;
  }
}

void TCustomColorSelector::FillDefaultPalette() {
  FItems->Clear();
  for (int row = 0; row < 6; ++row) {
    const TItemPos pos = row == 0 ? ipStandAlone : row == 1 ? ipTop : row == 5 ? ipBottom : ipMiddle;
    for (TColor c : kPalette[row]) {
      TColorBoxItem* item = FItems->Add();
      item->SetColor(c);
      item->ColorBoxPos = pos;
    }
  }
}

// ---- Colour cube ---------------------------------------------------------------------------------

TRivColorCubePanel::TRivColorCubePanel(TComponent* AOwner) : TRivCustomColorSelectorPanel(AOwner) {
  SetBounds(Left(), Top(), 182, 160);
  ShowHint = true;
  InitCubeCells();
}

void TRivColorCubePanel::WndProc(TMessage& Message) {
  TRivCustomColorSelectorPanel::WndProc(Message);
  if (Message.Msg == CM_MOUSELEAVE && FHotIndex > 0) {
    FHotIndex = -1;
    Invalidate();
  }
}

void TRivColorCubePanel::SetShowRGBHint(bool Value) {
  FShowRGBHint = Value;
  ShowHint = Value;
}

void TRivColorCubePanel::InitCubeCells() {
  FCubeSize = TPoint{6, 3};
  int index = 1;
  for (int n = 1; n <= 13; ++n) {
    const int count = 13 - std::abs(n - 7);
    for (int j = 0; j < count; ++j) {
      TCubeCell& c = FCubeCells[index];
      c.X = 19 + 6 * std::abs(n - 7) + 12 * j;
      c.Y = 20 + 10 * (n - 1);
      c.Color = kCube[static_cast<size_t>(n - 1)][static_cast<size_t>(j)];
      ++index;
    }
  }
}

void TRivColorCubePanel::Reset() {
  FHotIndex = -1;
  SetBounds(Left(), Top(), 182, 160);
}

int TRivColorCubePanel::CellAt(int X, int Y) const {
  const int reach = FCubeSize.X * FCubeSize.X;
  for (int i = 1; i <= 127; ++i) {
    const int dx = X - FCubeCells[i].X, dy = Y - FCubeCells[i].Y;
    if (dx * dx + dy * dy <= reach) return i;
  }
  return 0;
}

void TRivColorCubePanel::SetSelectedColor(TColor Value) {
  FSelectedColor = Value;
  FSelectedIndex = -1;
  for (int i = 1; i <= 127 && FSelectedIndex < 0; ++i)
    if (FCubeCells[i].Color == Value) FSelectedIndex = i;
  Invalidate();
}

void TRivColorCubePanel::Frame(TCanvas* ACanvas, const TCubeCell& C, int B, int A, TColor Color) {
  ACanvas->Pen()->SetColor(Color);
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Polygon({TPoint{C.X - B, C.Y - A}, TPoint{C.X, C.Y - 2 * A}, TPoint{C.X + B, C.Y - A},
                    TPoint{C.X + B, C.Y + A}, TPoint{C.X, C.Y + 2 * A}, TPoint{C.X - B, C.Y + A}});
  ACanvas->Brush()->SetStyle(bsSolid);
}

void TRivColorCubePanel::DrawHexagon(TCanvas* ACanvas, int Index) {
  if (ACanvas == nullptr || Index < 1 || Index > 127) return;
  const TCubeCell& c = FCubeCells[Index];
  const int b = FCubeSize.X, a = FCubeSize.Y;
  ACanvas->Pen()->SetColor(c.Color);
  ACanvas->Brush()->SetColor(c.Color);
  ACanvas->Polygon({TPoint{c.X - b, c.Y - a}, TPoint{c.X, c.Y - 2 * a}, TPoint{c.X + b, c.Y - a},
                    TPoint{c.X + b, c.Y + a}, TPoint{c.X, c.Y + 2 * a}, TPoint{c.X - b, c.Y + a}});
  if (Index == FHotIndex) {
    Frame(ACanvas, c, 5, 3, 0x0000FF);
    Frame(ACanvas, c, 4, 2, 0xFFFFFF);
  }
  if (Index == FSelectedIndex) {
    Frame(ACanvas, c, 5, 3, 0x000000);
    Frame(ACanvas, c, 4, 2, 0xFFFFFF);
  }
}

void TRivColorCubePanel::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  for (int i = 1; i <= 127; ++i) DrawHexagon(c, i);
}

void TRivColorCubePanel::MouseMove(TShiftState Shift, int X, int Y) {
  TRivCustomColorSelectorPanel::MouseMove(Shift, X, Y);
  const int cell = CellAt(X, Y);
  if (cell > 0 && cell != FHotIndex) {
    FHotIndex = cell;
    Invalidate();
    if (FShowRGBHint) {
      const TColor rgb = FCubeCells[cell].Color;
      Hint = ::Format("Red: %d,  Green: %d,  Blue: %d", {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)});
    }
  } else if (cell == 0 && FShowRGBHint) {
    Hint = "";
  }
}

void TRivColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TRivCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
  const int cell = CellAt(X, Y);
  if (cell == 0) return;
  FSelectedIndex = cell;
  FSelectedColor = FCubeCells[cell].Color;
  Invalidate();
  if (OnSelect) OnSelect(this);
}

void TRivColorCubePanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TRivCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
  if (FOnShouldHide) FOnShouldHide(this);
}

// ---- Spectrum ------------------------------------------------------------------------------------

TRivColorSpectrumPanel::TRivColorSpectrumPanel(TComponent* AOwner) : TRivCustomColorSelectorPanel(AOwner) {
  (void)kSpectrumRegistered;
  SetBounds(Left(), Top(), 150, 174);
  FSpectrumImage = New<TImage>(this);
  FSpectrumImage->SetParent(this);
  FSpectrumImage->SetBounds(11, 10, 128, 128);
  TBitmap spectrum;
  spectrum.LoadFromResourceName("VAV_SPECTRUM");
  FSpectrumImage->Picture()->SetGraphic(&spectrum);
  // Over the picture the pointer is a cross: the class library has no table of cursors drawn
  // from images, so the eyedropper image "VAV_POINTER" cannot be the pointer yet.
  FSpectrumImage->Cursor = crCross;
  FSpectrumImage->OnMouseMove = [this](TObject*, TShiftState, int X, int Y) { ImageMouseMove(X, Y); };
  FSpectrumImage->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ImageMouseDown(); };
  FSpectrumImage->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
    if (FOnShouldHide) FOnShouldHide(this);
  };
}

void TRivColorSpectrumPanel::LayoutSpectrum() {
  SetBounds(Left(), Top(), 150, 174);
  const int left = (Width() - 128) / 2;
  FSpectrumImage->SetBounds(left, 10, 128, 128);
  const int right = left + 128, bottom = 10 + 128;
  FSelectedRect = Rect(left - 1, bottom + 8, left + 64 - 2, bottom + 28);
  FHotRect = Rect(FSelectedRect.Right + 4, bottom + 8, right + 1, bottom + 28);
  FHotColor = clNone;
  Invalidate();
}

void TRivColorSpectrumPanel::ImageMouseMove(int X, int Y) {
  auto* bitmap = dynamic_cast<TBitmap*>(FSpectrumImage->Picture()->Graphic());
  if (bitmap == nullptr) return;
  FHotColor = bitmap->Canvas()->Pixel(X, Y);
  Invalidate();
}

void TRivColorSpectrumPanel::ImageMouseDown() {
  if (FHotColor == clNone) return;
  SelectedColor = FHotColor;
  Invalidate();
  if (OnSelect) OnSelect(this);
}

void TRivColorSpectrumPanel::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  const TRect img = FSpectrumImage->BoundsRect();
  Outline(c, Rect(img.Left - 1, img.Top - 1, img.Right + 1, img.Bottom + 1), 0xFFFFFF);
  Outline(c, Rect(img.Left - 2, img.Top - 2, img.Right + 2, img.Bottom + 2), 0x808080);
  for (const auto& [r, colour] : {std::pair{FSelectedRect, SelectedColor}, std::pair{FHotRect, FHotColor}}) {
    Outline(c, Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1), 0x808080);
    c->Pen()->SetColor(0xFFFFFF);
    if (colour != clNone) c->Brush()->SetColor(colour); else c->Brush()->SetStyle(bsClear);
    c->Rectangle(r);
    c->Brush()->SetStyle(bsSolid);
  }
}
