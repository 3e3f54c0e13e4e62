#include "grid/dropdowns/RivItemSelector.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/ImgList.h"
#include "classlib/Picture.h"
#include "classlib/SysUtils.h"
#include "grid/base/HTMLTextOperations.h"
#include "grid/base/ZudAzudDraw.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivDropDownDraw.h"

namespace {

bool HasPicture(const TPicture* Picture) { return Picture != nullptr && Picture->Graphic() != nullptr && !Picture->Graphic()->Empty(); }

}  // namespace

// ---- Items ----------------------------------------------------------------------------------------

TSelectorItem::TSelectorItem(TCollection* Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<TPicture>()) {}

TSelectorItem::~TSelectorItem() = default;

void TSelectorItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed(false);
}

void TSelectorItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed(false);
}

void TSelectorItem::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed(false);
}

void TSelectorItem::SetImage(TPicture* Value) { FImage->Assign(Value); }

void TSelectorItem::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TSelectorItem*>(Source);
  if (src == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(src->FCaption);
  SetColor(src->FColor);
  SetImageIndex(src->FImageIndex);
  FImage->Assign(src->FImage.get());
  Enabled = src->Enabled;
  Hint = src->Hint;
}

// ---- Item appearance ----------------------------------------------------------------------------------

TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->SetName("Tahoma");
  SetColorStyle(scOffice2007);
  ColorSelectedText = 0;
  ColorHotText = 0;
}

TItemAppearance::~TItemAppearance() = default;

void TItemAppearance::SetFont(TFont* Value) { FFont->Assign(Value); }

void TItemAppearance::SetColorStyle(TSelectionColorStyle Value) {
  if (Value == FColorStyle) return;
  FColorStyle = Value;
  struct Palette {
    TColor Hot, HotTo, MirrorHot, MirrorHotTo, Top, Bottom, Border, Edge, Selected, SelectedTo, MirrorSelected,
        MirrorSelectedTo;
  };
  static const Palette office{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF,
                              0x8DD7D3, 0xC3D9DF, 0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9};
  static const Palette vista{0xFDF8F1, 0xFCEFD5, clNone,   clNone,   0xFDFBF6, 0xFDF5E7,
                             0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4, clNone,   clNone};
  static const Palette seven{0xFCEBDC, 0xFCDBC1, clNone,   clNone,   0xFDF4EB, 0xFDEADB,
                             0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2, clNone,   clNone};
  const Palette* p = Value == scOffice2007 ? &office : Value == scWindowsVista ? &vista : Value == scWindows7 ? &seven : nullptr;
  if (p == nullptr) return;
  ColorHot = p->Hot;
  ColorHotTo = p->HotTo;
  ColorMirrorHot = p->MirrorHot;
  ColorMirrorHotTo = p->MirrorHotTo;
  BorderColorTop = p->Top;
  BorderColorBottom = p->Bottom;
  BorderColor = p->Border;
  EdgeColor = p->Edge;
  ColorSelected = p->Selected;
  ColorSelectedTo = p->SelectedTo;
  ColorMirrorSelected = p->MirrorSelected;
  ColorMirrorSelectedTo = p->MirrorSelectedTo;
}

void TItemAppearance::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TItemAppearance*>(Source);
  if (src == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  ColorMirrorHotTo = src->ColorMirrorHotTo;
  BorderColor = src->BorderColor;
  ColorMirrorHot = src->ColorMirrorHot;
  ColorSelectedTo = src->ColorSelectedTo;
  ColorSelected = src->ColorSelected;
  EdgeColor = src->EdgeColor;
  ColorHotTo = src->ColorHotTo;
  BorderColorBottom = src->BorderColorBottom;
  ColorHot = src->ColorHot;
  BorderColorTop = src->BorderColorTop;
  ColorMirrorSelectedTo = src->ColorMirrorSelectedTo;
  ColorMirrorSelected = src->ColorMirrorSelected;
  FFont->Assign(src->FFont.get());
  SetColorStyle(src->FColorStyle);
  ColorSelectedText = src->ColorSelectedText;
}

void TRivCustomDropDown::SetItemAppearanceStyle(TItemAppearance* Appearance, TVAVStyle Style) {
  if (Appearance == nullptr) return;
  Appearance->ColorSelectedText = 0;
  Appearance->ColorHotText = 0;
  struct Row {
    TColor Hot, HotTo, MirrorHot, MirrorHotTo, Selected, SelectedTo, MirrorSelected, MirrorSelectedTo, Border, Top,
        Bottom, Edge, SelectedText;
  };
  static const Row office2003{0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
                              0x7AE1FE, 0x42AEFE, clNone,   clNone,   clNone,   0};
  static const Row office2007{0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
                              0x7AE1FE, 0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0};
  static const Row classic{0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone,
                           clNone,   0x808080, clNone, clNone, clNone,   0};
  static const Row xp{0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone,
                      clNone,   clHighlight, clNone, clNone, clNone, clHighlightText};
  static const Row vista{0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone,
                         clNone,   0xFEDF9A, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, 0};
  static const Row seven{0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone,
                         clNone,   0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, 0};
  static const Row terminal{0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone,
                            clNone,   0x808080, clNone, clNone, clNone, clHighlightText};
  static const Row office2010{0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF,
                              0x7BEEFF, 0x308AC2, clNone,   clNone,   clNone,   0};
  const Row* row = nullptr;
  switch (Style) {
    case tsOffice2003Blue: case tsOffice2003Silver: case tsOffice2003Olive: case tsWhidbey: row = &office2003; break;
    case tsOffice2007Luna: case tsOffice2007Obsidian: case tsOffice2007Silver: row = &office2007; break;
    case tsOffice2003Classic: row = &classic; break;
    case tsWindowsXP: row = &xp; break;
    case tsWindowsVista: row = &vista; break;
    case tsWindows7: row = &seven; break;
    case tsTerminal: row = &terminal; break;
    case tsOffice2010Blue: case tsOffice2010Silver: case tsOffice2010Black: row = &office2010; break;
    case tsCustom: return;
  }
  Appearance->ColorHot = row->Hot;
  Appearance->ColorHotTo = row->HotTo;
  Appearance->ColorMirrorHot = row->MirrorHot;
  Appearance->ColorMirrorHotTo = row->MirrorHotTo;
  Appearance->ColorSelected = row->Selected;
  Appearance->ColorSelectedTo = row->SelectedTo;
  Appearance->ColorMirrorSelected = row->MirrorSelected;
  Appearance->ColorMirrorSelectedTo = row->MirrorSelectedTo;
  Appearance->BorderColor = row->Border;
  Appearance->BorderColorTop = row->Top;
  Appearance->BorderColorBottom = row->Bottom;
  Appearance->EdgeColor = row->Edge;
  Appearance->ColorSelectedText = row->SelectedText;
}

// ---- The panel ------------------------------------------------------------------------------------

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner) : TCustomControl(AOwner) {
  FRivItemSelector = dynamic_cast<TRivCustomItemSelector*>(AOwner);
  if (FRivItemSelector == nullptr) throw Exception("Invalid parent");
  FColor = FRivItemSelector->Color();
}

bool TCustomItemSelector::ValidIndex(int Index) const {
  return Index >= 0 && Index < FRivItemSelector->Items()->Count();
}

TRect TCustomItemSelector::ItemRect(int Index) const {
  return ValidIndex(Index) ? FRivItemSelector->Items()->Items(Index)->FRect : Rect(-1, -1, -1, -1);
}

int TCustomItemSelector::ItemAtPos(int X, int Y) const {
  for (int i = 0; i < FRivItemSelector->Items()->Count(); ++i)
    if (FRivItemSelector->Items()->Items(i)->FRect.Contains(TPoint{X, Y})) return i;
  return -1;
}

TSize TCustomItemSelector::BoxSize(int Index) const {
  TRivCustomItemSelector* s = FRivItemSelector;
  if (s->SelectorType() == stColor) return TSize{s->ColorBoxWidth(), s->ColorBoxHeight()};
  TSelectorItem* item = s->Items()->Items(Index);
  if (HasPicture(item->Image())) return TSize{item->Image()->Width(), item->Image()->Height()};
  if (s->Images() != nullptr && item->ImageIndex() >= 0) return TSize{s->Images()->Width(), s->Images()->Height()};
  return TSize{};
}

void TCustomItemSelector::GetItemArea(TRect& R) {
  R = ClientRect();
  R = Rect(R.Left + FOffSetX, R.Top + FOffSetY, R.Right - FOffSetX, R.Bottom - FOffSetY);
}

void TCustomItemSelector::GetItemSize(TSize& Size) {
  TRivCustomItemSelector* s = FRivItemSelector;
  Size = TSize{};
  if (s->OnItemSize) {
    s->OnItemSize(s, Size);
    return;
  }
  TSize box;
  if (s->SelectorType() == stColor) {
    box = TSize{s->ColorBoxWidth(), s->ColorBoxHeight()};
  } else {
    for (int i = 0; i < s->Items()->Count(); ++i) {
      const TSize b = BoxSize(i);
      box.cx = std::max(box.cx, b.cx);
      box.cy = std::max(box.cy, b.cy);
    }
  }
  TSize caption;
  TCanvas* canvas = MeasuringCanvas();
  canvas->Font()->Assign(s->ItemAppearance()->Font());
  for (int i = 0; i < s->Items()->Count(); ++i) {
    TSize one;
    DrawHTMLText(canvas, s->Items()->Items(i)->Caption(), Rect(0, 0, 1000, 500), s->Images(), false, nullptr, one);
    caption.cx = std::max(caption.cx, one.cx);
    caption.cy = std::max(caption.cy, one.cy);
  }
  if (caption.cx > 0) caption.cx += 4;
  const bool sideways = s->ItemLayout() == ilCaptionLeft || s->ItemLayout() == ilCaptionRight;
  const int gap = box.cx > 0 && caption.cx > 0 ? FCaptionGap : 0;
  if (sideways) {
    Size.cx = 2 * FItemOffSetX + std::max(0, box.cx) + gap + std::max(0, caption.cx);
    Size.cy = std::max(caption.cy, box.cy) + 2 * FItemOffSetY;
  } else {
    Size.cx = std::max(caption.cx, box.cx) + 2 * FItemOffSetX;
    Size.cy = 2 * FItemOffSetY + std::max(0, box.cy) + (box.cy > 0 && caption.cy > 0 ? FCaptionGap : 0) +
              std::max(0, caption.cy);
  }
}

void TCustomItemSelector::LayoutItems() {
  TSelectorItems* items = FRivItemSelector->Items();
  if (items->Count() == 0) {
    SetBounds(Left(), Top(), 100, 50);
    return;
  }
  FItemHot = -1;
  TSize size;
  GetItemSize(size);
  TRect area;
  GetItemArea(area);
  int x = area.Left, y = area.Top, inRow = 0, widest = area.Left;
  const int columns = std::max(1, FRivItemSelector->Columns());
  for (int i = 0; i < items->Count(); ++i) {
    items->Items(i)->FRect = Rect(x, y, x + size.cx, y + size.cy);
    widest = std::max(widest, x);
    if (i == items->Count() - 1) break;
    if (++inRow < columns) {
      x += size.cx;
    } else {
      inRow = 0;
      y += size.cy;
      x = area.Left;
    }
  }
  SetBounds(Left(), Top(), widest + size.cx + area.Left, y + size.cy + area.Top);
  Invalidate();
}

void TCustomItemSelector::InvalidateItem(int Index) {
  if (!ValidIndex(Index)) return;
  InvalidateArea(ItemRect(Index));
}

void TCustomItemSelector::SetItemIndex(int Value) {
  if (ValidIndex(Value) && !FRivItemSelector->Items()->Items(Value)->Enabled) return;
  if (ValidIndex(FItemIndex) && FItemIndex != Value) {
    const int old = FItemIndex;
    FItemIndex = -1;
    InvalidateItem(old);
  }
  FItemIndex = Value;
  if (Value >= 0) {
    InvalidateItem(Value);
    if (OnItemSelect) OnItemSelect(this);
  }
}

void TCustomItemSelector::SetItemHot(int Value) {
  if (Value == FItemHot) return;
  if (ValidIndex(Value) && !FRivItemSelector->Items()->Items(Value)->Enabled) return;
  if (ValidIndex(FItemHot)) {
    const int old = FItemHot;
    FItemHot = -1;
    InvalidateItem(old);
  }
  FItemHot = Value;
  if (Value >= 0) InvalidateItem(Value);
}

void TCustomItemSelector::SelectFirst() {
  if (FRivItemSelector->Items()->Count() > 0) SetItemIndex(0);
}

void TCustomItemSelector::SelectLast() {
  if (FRivItemSelector->Items()->Count() > 0) SetItemIndex(FRivItemSelector->Items()->Count() - 1);
}

void TCustomItemSelector::SelectNext() {
  if (FItemIndex < 0)
    SetItemIndex(0);
  else if (FItemIndex < FRivItemSelector->Items()->Count() - 1)
    SetItemIndex(FItemIndex + 1);
}

void TCustomItemSelector::SelectPrevious() {
  if (FItemIndex < 0)
    SetItemIndex(0);
  else if (FItemIndex > 0)
    SetItemIndex(FItemIndex - 1);
}

void TCustomItemSelector::HotNext() {
  if (FItemHot < 0)
    SetItemHot(0);
  else if (FItemHot < FRivItemSelector->Items()->Count() - 1)
    SetItemHot(FItemHot + 1);
}

void TCustomItemSelector::HotPrevious() {
  if (FItemHot < 0)
    SetItemHot(0);
  else if (FItemHot > 0)
    SetItemHot(FItemHot - 1);
}

bool TCustomItemSelector::LookupItem(const String& S) {
  TSelectorItems* items = FRivItemSelector->Items();
  for (int i = 0; i < items->Count(); ++i) {
    const String text = AnsiUpperCase(Trim(HTMLToPlainText(items->Items(i)->Caption())));
    if (text.compare(0, S.size(), S) == 0 && text.size() >= S.size()) {
      SetItemIndex(i);
      return true;
    }
  }
  return false;
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  const int i = ItemAtPos(X, Y);
  if (i >= 0 && FRivItemSelector->Items()->Items(i)->Enabled) SetItemIndex(i);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const int i = ItemAtPos(X, Y);
  if (i < 0) {
    SetItemHot(-1);
    return;
  }
  if (i == FItemHot) return;
  TSelectorItem* item = FRivItemSelector->Items()->Items(i);
  if (item->Enabled)
    SetItemHot(i);
  else
    SetItemHot(-1);
  Hint = item->Hint;
  UpdateView();
}

void TCustomItemSelector::WndProc(TMessage& Message) {
  if (Message.Msg == CM_MOUSELEAVE) SetItemHot(-1);
  TCustomControl::WndProc(Message);
}

void TCustomItemSelector::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  for (int i = 0; i < FRivItemSelector->Items()->Count(); ++i) DrawItem(i, c);
}

void TCustomItemSelector::DrawItem(int Index, TCanvas* ACanvas) {
  if (!ValidIndex(Index) || ACanvas == nullptr) return;
  TRivCustomItemSelector* s = FRivItemSelector;
  TSelectorItem* item = s->Items()->Items(Index);
  const TRect r = item->FRect;
  if (r.Left < 0 && r.Right < 0) return;
  TItemAppearance* a = s->ItemAppearance();
  const bool hot = Index == FItemHot;
  const bool selected = Index == FItemIndex;
  TColor color = clNone, colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  if (selected) {
    color = a->ColorSelected, colorTo = a->ColorSelectedTo, mirror = a->ColorMirrorSelected, mirrorTo = a->ColorMirrorSelectedTo;
  } else if (hot) {
    color = a->ColorHot, colorTo = a->ColorHotTo, mirror = a->ColorMirrorHot, mirrorTo = a->ColorMirrorHotTo;
  }
  if (!selected && !hot) {
    ACanvas->Brush()->SetColor(Color());
    ACanvas->FillRect(r);
  } else if (a->BorderColorTop == clNone) {
    DrawButtonFace(ACanvas, r, color, colorTo, a->BorderColor, 1, gdVertical);
  } else {
    DrawStyledSelection(ACanvas, color, colorTo, mirror, mirrorTo, a->BorderColorTop, a->BorderColorBottom, a->BorderColor,
                        a->EdgeColor, Color(), r, 0);
  }
  if (s->OnDrawItem) {
    s->OnDrawItem(this, ACanvas, r, Index);
    return;
  }
  const TSize box = BoxSize(Index);
  TRect content = Rect(r.Left + FItemOffSetX, r.Top + FItemOffSetY, r.Right - FItemOffSetX, r.Bottom - FItemOffSetY);
  ACanvas->Font()->Assign(a->Font());
  if (hot) ACanvas->Font()->SetColor(a->ColorHotText);
  if (selected) ACanvas->Font()->SetColor(a->ColorSelectedText);
  ACanvas->Brush()->SetStyle(bsClear);
  // The box at (x, y): a colour box, a picture, or an image of the list.
  auto drawBox = [&](int x, int y, bool centreVertically, int height) {
    if (s->SelectorType() == stColor) {
      ACanvas->Pen()->SetColor(clBlack);
      ACanvas->Brush()->SetStyle(bsSolid);
      ACanvas->Brush()->SetColor(item->Color());
      ACanvas->Rectangle(x, y, x + s->ColorBoxWidth(), y + s->ColorBoxHeight());
      ACanvas->Brush()->SetStyle(bsClear);
      return false;
    }
    if (HasPicture(item->Image())) {
      const int py = centreVertically ? y + (height - item->Image()->Height()) / 2 : y;
      ACanvas->Draw(x, py, item->Image()->Graphic());
      return true;
    }
    if (s->Images() != nullptr && item->ImageIndex() >= 0) {
      const int iy = centreVertically ? y + (height - s->Images()->Height()) / 2 : y;
      s->Images()->Draw(ACanvas, x, iy, item->ImageIndex(), item->Enabled);
    }
    return false;
  };
  auto drawCaption = [&](TRect cr) {
    if (item->Caption().empty()) return;
    TSize size;
    DrawHTMLText(ACanvas, item->Caption(), cr, s->Images(), false, nullptr, size);
    if (size.cy < cr.Height()) cr.Top += (cr.Height() - size.cy) / 2;
    DrawHTMLText(ACanvas, item->Caption(), cr, s->Images(), true, nullptr, size);
  };
  switch (s->ItemLayout()) {
    case ilCaptionLeft: {
      int boxLeft = content.Left;
      if (!item->Caption().empty()) {
        TRect cr = content;
        cr.Right -= box.cx;
        TSize size;
        DrawHTMLText(ACanvas, item->Caption(), cr, s->Images(), false, nullptr, size);
        drawCaption(cr);
        boxLeft = cr.Left + size.cx + FCaptionGap;
      }
      drawBox(boxLeft, content.Top, true, content.Height());
      break;
    }
    case ilCaptionRight: {
      drawBox(content.Left, content.Top, true, content.Height());
      int width = box.cx;
      drawCaption(Rect(content.Left + width + (width > 0 ? FCaptionGap : 0), content.Top, content.Right, content.Bottom));
      break;
    }
    case ilCaptionTop: {
      int boxTop = content.Top + (content.Height() - box.cy) / 2;
      if (!item->Caption().empty()) {
        TRect cr = Rect(content.Left, content.Top, content.Right, content.Bottom - box.cy);
        TSize size;
        DrawHTMLText(ACanvas, item->Caption(), cr, s->Images(), false, nullptr, size);
        DrawHTMLText(ACanvas, item->Caption(), cr, s->Images(), true, nullptr, size);
        boxTop = content.Top + size.cy + FCaptionGap;
      }
      drawBox(content.Left + (content.Width() - box.cx) / 2, boxTop, false, box.cy);
      break;
    }
    case ilCaptionBottom: {
      const int boxTop = item->Caption().empty() ? content.Top + (content.Height() - box.cy) / 2 : content.Top;
      const int boxLeft = content.Left + (content.Width() - box.cx) / 2;
      drawBox(boxLeft, boxTop, false, box.cy);
      if (!item->Caption().empty()) {
        TSize size;
        TRect cr = Rect(content.Left, boxTop + box.cy + FCaptionGap, content.Right, content.Bottom);
        DrawHTMLText(ACanvas, item->Caption(), cr, s->Images(), true, nullptr, size);
      }
      break;
    }
  }
}

// ---- The selector ------------------------------------------------------------------------------------

TRivCustomItemSelector::TRivCustomItemSelector(TComponent* AOwner)
    : TScrollingWinControl(AOwner),
      FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
  FItems->OnChange = [this](TObject*) { UpdateSelectorPanel(); };
  FItemAppearance->OnChange = [](TObject*) {};
  FItemAppearance->SetColorStyle(scOffice2007);
  SetAutoScroll(true);
  VertScrollBar()->Tracking = true;
  FColor = clWhite;
  TabStop = true;
  FItemSelectorPanel = new TCustomItemSelector(this);
  FItemSelectorPanel->SetParent(this);
  FItemSelectorPanel->OnItemSelect = [this](TObject*) {
    if (OnItemSelect) OnItemSelect(this);
  };
  UpdateSelectorPanel();
}

TRivCustomItemSelector::~TRivCustomItemSelector() {
  FComponentState.Include(csDestroying);
  delete FItemSelectorPanel;
  FItemSelectorPanel = nullptr;
}

void TRivCustomItemSelector::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollingWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FItemSelectorPanel) FItemSelectorPanel = nullptr;
}

void TRivCustomItemSelector::SetSelectorType(TSelectorType Value) {
  if (Value == FSelectorType) return;
  FSelectorType = Value;
  UpdateSelectorPanel();
}

void TRivCustomItemSelector::SetColumns(int Value) {
  if (Value <= 0 || Value == FColumns) return;
  FColumns = Value;
  UpdateSelectorPanel();
}

void TRivCustomItemSelector::SetColorBoxWidth(int Value) {
  if (Value == FColorBoxWidth) return;
  FColorBoxWidth = Value;
  UpdateSelectorPanel();
}

void TRivCustomItemSelector::SetColorBoxHeight(int Value) {
  if (Value == FColorBoxHeight) return;
  FColorBoxHeight = Value;
  UpdateSelectorPanel();
}

void TRivCustomItemSelector::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages != nullptr) FImages->FreeNotification(this);
  UpdateSelectorPanel();
}

void TRivCustomItemSelector::UpdateSelectorPanel() {
  if (FItemSelectorPanel == nullptr) return;
  FItemSelectorPanel->LayoutItems();
  UpdateScrollBars();
}

TSize TRivCustomItemSelector::GetPanelSize() const {
  if (FItemSelectorPanel == nullptr) return TSize{100, 50};
  return TSize{FItemSelectorPanel->Width(), FItemSelectorPanel->Height()};
}

int TRivCustomItemSelector::ItemIndex() const { return FItemSelectorPanel != nullptr ? FItemSelectorPanel->ItemIndex() : -1; }

void TRivCustomItemSelector::SetItemIndex(int Value) {
  if (FItemSelectorPanel == nullptr) return;
  FItemSelectorPanel->SetItemIndex(Value);
  ScrollItemInView(Value);
}

int TRivCustomItemSelector::ItemHot() const { return FItemSelectorPanel != nullptr ? FItemSelectorPanel->ItemHot() : -1; }

void TRivCustomItemSelector::SelectFirst() {
  if (FItemSelectorPanel == nullptr) return;
  FItemSelectorPanel->SelectFirst();
  ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

void TRivCustomItemSelector::SelectLast() {
  if (FItemSelectorPanel == nullptr) return;
  FItemSelectorPanel->SelectLast();
  ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

void TRivCustomItemSelector::SelectNext() {
  if (FItemSelectorPanel == nullptr) return;
  FItemSelectorPanel->SelectNext();
  ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

void TRivCustomItemSelector::SelectPrevious() {
  if (FItemSelectorPanel == nullptr) return;
  FItemSelectorPanel->SelectPrevious();
  ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

void TRivCustomItemSelector::HotNext() {
  if (FItemSelectorPanel == nullptr) return;
  FItemSelectorPanel->HotNext();
  ScrollItemInView(FItemSelectorPanel->ItemHot());
}

void TRivCustomItemSelector::HotPrevious() {
  if (FItemSelectorPanel == nullptr) return;
  FItemSelectorPanel->HotPrevious();
  ScrollItemInView(FItemSelectorPanel->ItemHot());
}

bool TRivCustomItemSelector::LookupItem(const String& S) {
  if (FItemSelectorPanel == nullptr) return false;
  const bool found = FItemSelectorPanel->LookupItem(S);
  if (found) ScrollItemInView(FItemSelectorPanel->ItemIndex());
  return found;
}

void TRivCustomItemSelector::ScrollItemInView(int Index) {
  if (FItemSelectorPanel == nullptr || Index < 0 || Index >= FItems->Count() || !VertScrollBar()->Visible()) return;
  const TRect item = FItemSelectorPanel->ItemRect(Index);
  const int margin = VertScrollBar()->Margin;
  const int top = item.Top - margin + FItemSelectorPanel->Top();
  const int bottom = item.Bottom + margin + FItemSelectorPanel->Top();
  const int clientHeight = ClientHeight();
  TControlScrollBar* bar = VertScrollBar();
  if (top < 0)
    bar->SetPosition(bar->Position() + top);
  else if (bottom > clientHeight)
    bar->SetPosition(bar->Position() + std::min(bottom - clientHeight, top));
}

int TRivCustomItemSelector::GetVisibleItemCount() const {
  if (FItemSelectorPanel == nullptr || FItems->Count() == 0) return 0;
  const int itemHeight = FItemSelectorPanel->ItemRect(0).Height();
  if (itemHeight <= 0) return 0;
  const int height = Height() - (HorzScrollBar()->Visible() ? 20 : 0);
  return height / itemHeight * FColumns;
}

void TRivCustomItemSelector::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    return;
  }
  TScrollingWinControl::WndProc(Message);
}
