// The calculator's keypad: its buttons, their appearance, layout, mouse handling and drawing.
#include <algorithm>

#include "classlib/Buttons.h"
#include "classlib/Canvas.h"
#include "classlib/Graphic.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/ImgList.h"
#include "classlib/Picture.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivCalculatorDropdown.h"

// ---- TButtonItem ----------------------------------------------------------------------------------

TButtonItem::TButtonItem(TCollection* Collection) : TCollectionItem(Collection), FImage(std::make_unique<TPicture>()) {}
TButtonItem::~TButtonItem() = default;

void TButtonItem::SetImage(TPicture* Value) { FImage->Assign(Value); }

void TButtonItem::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TButtonItem*>(Source);
  if (other == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  Caption = other->Caption;
  CaptionColor = other->CaptionColor;
  Tag = other->Tag;
  ImageIndex = other->ImageIndex;
  FImage->Assign(other->FImage.get());
  Enabled = other->Enabled;
  Name = other->Name;
}

// ---- TButtonAppearance ----------------------------------------------------------------------------

TButtonAppearance::TButtonAppearance() : FFont(std::make_unique<TFont>()) {
  FFont->SetSize(10);
  FFont->SetStyle(TFontStyles{fsBold});
}
TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::Set(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  if (OnChange) OnChange(this);
}

void TButtonAppearance::SetFont(TFont* Value) {
  FFont->Assign(Value);
  if (OnChange) OnChange(this);
}

void TButtonAppearance::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TButtonAppearance*>(Source);
  if (other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FColor = other->FColor;
  FColorTo = other->FColorTo;
  FColorHot = other->FColorHot;
  FColorHotTo = other->FColorHotTo;
  FColorDown = other->FColorDown;
  FColorDownTo = other->FColorDownTo;
  GlowColorHot = other->GlowColorHot;
  GlowColorDown = other->GlowColorDown;
  FShineColor = other->FShineColor;
  FBorderColor = other->FBorderColor;
  FBorderColorHot = other->FBorderColorHot;
  FBorderColorDown = other->FBorderColorDown;
  FFont->Assign(other->FFont.get());
  FTextColor = other->FTextColor;
  FSpecialTextColor = other->FSpecialTextColor;
  if (OnChange) OnChange(this);
}

// ---- TCustomButtonPanel ---------------------------------------------------------------------------

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner),
      FButtons(std::make_unique<TButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>()) {
  FButtonAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
  SetBounds(Left(), Top(), 200, 150);
}

TCustomButtonPanel::~TCustomButtonPanel() = default;

void TCustomButtonPanel::Loaded() {
  TCustomControl::Loaded();
  if (FDropDown == nullptr) BuildButtons();
}

void TCustomButtonPanel::AppearanceChanged() {
  if (FDropDown == nullptr) Invalidate();
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value) {
  if (FButtonPanelType == Value) return;
  FButtonPanelType = Value;
  ArrangeButtons();
}

void TCustomButtonPanel::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages != nullptr) FImages->FreeNotification(this);
  ArrangeButtons();
}

void TCustomButtonPanel::SetEdit(TCustomEdit* Value) {
  if (FEdit != nullptr) FEdit->RemoveFreeNotification(this);
  FEdit = Value;
  if (FEdit != nullptr) FEdit->FreeNotification(this);
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FEdit) FEdit = nullptr;
}

void TCustomButtonPanel::WndProc(TMessage& Message) {
  TCustomControl::WndProc(Message);
  if (Message.Msg == WM_SIZE) ArrangeButtons();
  if (Message.Msg == CM_MOUSELEAVE) SetHotIndex(-1);
}

int TCustomButtonPanel::ButtonAt(int X, int Y) const {
  for (int i = 0; i < FButtons->Count(); ++i) {
    const TButtonItem* b = FButtons->Items(i);
    if (b->Left < 0) continue;
    if (X >= b->Left && X < b->Left + b->Width && Y >= b->Top && Y < b->Top + b->Height) return i;
  }
  return -1;
}

void TCustomButtonPanel::GetPanelRect(TRect& R) const {
  R = ClientRect();
  R = Rect(R.Left + FPanelMarginX, R.Top + FPanelMarginY, R.Right - FPanelMarginX, R.Bottom - FPanelMarginY);
}

void TCustomButtonPanel::GetButtonSize(int& W, int& H) {
  int imageW = 0, imageH = 0, textW = 0, textH = 0;
  TCanvas* c = Canvas();
  if (c != nullptr) c->Font()->Assign(FButtonAppearance->Font());
  for (int i = 0; i < FButtons->Count(); ++i) {
    TButtonItem* b = FButtons->Items(i);
    if (b->Image()->Graphic() != nullptr && !b->Image()->Graphic()->Empty()) {
      imageW = std::max(imageW, b->Image()->Width());
      imageH = std::max(imageH, b->Image()->Height());
    } else if (FImages != nullptr && b->ImageIndex >= 0) {
      imageW = std::max(imageW, FImages->Width());
      imageH = std::max(imageH, FImages->Height());
    }
    if (c != nullptr && !b->Caption.empty()) {
      textW = std::max(textW, c->TextWidth(b->Caption));
      textH = std::max(textH, c->TextHeight(b->Caption));
    }
  }
  const int gap = imageW > 0 && textW > 0 ? FCaptionGap : 0;
  if (ButtonLayout == ilCaptionLeft || ButtonLayout == ilCaptionRight) {
    W = 2 * FButtonMarginX + imageW + gap + textW;
    H = std::max(imageH, textH) + 2 * FButtonMarginY;
  } else {
    H = 2 * FButtonMarginY + imageH + gap + textH;
    W = std::max(imageW, textW) + 2 * FButtonMarginX;
  }
}

void TCustomButtonPanel::ClearButtons() { FButtons->Clear(); }

void TCustomButtonPanel::RebuildButtons() {
  ClearButtons();
  BuildButtons();
}

void TCustomButtonPanel::BuildButtons() {
  if (FButtons->Count() > 0 || FButtonPanelType != plCalculator) return;
  struct Key {
    const char* caption;
    const char* name;
    int tag;
    bool special;
  };
  static const Key keys[] = {
      {"", "BTN_ON", 30, false},     {"Back", "BTN_BACK", 31, true}, {"CE", "BTN_CE", 32, true},
      {"C", "BTN_C", 16, true},      {"MC", "BTN_MC", 33, true},     {"MR", "BTN_MR", 34, true},
      {"MS", "BTN_MS", 35, true},    {"M+", "BTN_M+", 36, true},     {"0", "BTN_0", 0, false},
      {"1", "BTN_1", 1, false},      {"4", "BTN_4", 4, false},       {"7", "BTN_7", 7, false},
      {"8", "BTN_8", 8, false},      {"5", "BTN_5", 5, false},       {"2", "BTN_2", 2, false},
      {"+/-", "BTN_+/-", 14, false}, {".", "BTN_.", 15, false},      {"3", "BTN_3", 3, false},
      {"6", "BTN_6", 6, false},      {"9", "BTN_9", 9, false},       {"/", "BTN_/", 13, true},
      {"*", "BTN_*", 12, true},      {"-", "BTN_-", 11, true},       {"+", "BTN_+", 10, true},
      {"=", "BTN_=", 17, true},      {"1/x", "BTN_1/x", 38, false},  {"%", "BTN_%", 18, false},
      {"sqrt", "BTN_sqrt", 37, true}};
  for (const Key& k : keys) {
    TButtonItem* b = FButtons->Add();
    b->Caption = k.caption;
    b->Name = k.name;
    b->Tag = k.tag;
    b->Special = k.special;
    if (k.special) b->CaptionColor = 0x000080;
  }
  ArrangeButtons();
}

void TCustomButtonPanel::ArrangeButtons() {
  if (FButtonPanelType != plCalculator || FButtons->Count() == 0) return;
  TRect area;
  GetPanelRect(area);
  const int L = area.Left, T = area.Top;
  const int W = (area.Right - L - 8) / 6;
  const int H = (area.Bottom - T - 4) / 5;
  const int c[6] = {L, L + W + 4, L + 2 * W + 3, L + 3 * W + 2, L + 4 * W + 6, L + 5 * W + 5};
  const int E = c[5] + W;
  const int r[5] = {T, T + H + 4, T + 2 * H + 3, T + 3 * H + 2, T + 4 * H + 1};
  // Row and column of each key in building order; column -1 marks the wide keys of row 0.
  static const int place[28][2] = {{0, 0},  {0, -1}, {0, -2}, {0, -3}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}, {3, 1},
                                   {2, 1},  {1, 1},  {1, 2},  {2, 2},  {3, 2}, {4, 2}, {4, 3}, {3, 3}, {2, 3}, {1, 3},
                                   {1, 4},  {2, 4},  {3, 4},  {4, 4},  {4, 5}, {3, 5}, {2, 5}, {1, 5}};
  const int X = c[0] + W + 4;
  const int W2 = (E - X - 8) / 3;
  for (int i = 0; i < FButtons->Count() && i < 28; ++i) {
    TButtonItem* b = FButtons->Items(i);
    const int row = place[i][0];
    const int col = place[i][1];
    b->Top = r[row];
    b->Height = H;
    if (col >= 0) {
      b->Left = c[col];
      b->Width = W;
    } else {
      const int k = -col - 1;
      b->Left = X + k * (W2 + 4);
      b->Width = k == 2 ? E - b->Left : W2;
    }
  }
  Invalidate();
}

void TCustomButtonPanel::InvalidateButton(int Index) {
  if (Index < 0 || Index >= FButtons->Count()) return;
  TRect r = FButtons->Items(Index)->ButtonRect();
  r = Rect(r.Left - 8, r.Top - 8, r.Right + 8, r.Bottom + 8);
  InvalidateArea(r);
}

void TCustomButtonPanel::ButtonClick(int Index) {
  if (OnButtonClick) OnButtonClick(this, Index);
}

void TCustomButtonPanel::SetHotIndex(int Value) {
  if (Value == FHotIndex) return;
  InvalidateButton(FHotIndex);
  FHotIndex = Value;
  InvalidateButton(FHotIndex);
}

void TCustomButtonPanel::SetPressedIndex(int Value) {
  if (Value == FPressedIndex) return;
  InvalidateButton(FPressedIndex);
  FPressedIndex = Value;
  InvalidateButton(FPressedIndex);
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  const int i = ButtonAt(X, Y);
  if (i >= 0 && FButtons->Items(i)->Enabled) SetPressedIndex(i);
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FPressedIndex < 0) return;
  const int pressed = FPressedIndex;
  SetPressedIndex(-1);
  if (ButtonAt(X, Y) == pressed) ButtonClick(pressed);
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const int i = ButtonAt(X, Y);
  SetHotIndex(i >= 0 && FButtons->Items(i)->Enabled ? i : -1);
}

void TCustomButtonPanel::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  if (FDropDown == nullptr) {
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clBlack);
    c->Rectangle(ClientRect());
    c->Brush()->SetStyle(bsSolid);
  }
  for (int i = 0; i < FButtons->Count(); ++i)
    if (i != FHotIndex) DrawButton(i, c);
  if (FHotIndex >= 0) DrawButton(FHotIndex, c);
}

void TCustomButtonPanel::DrawButton(int Index, TCanvas* ACanvas) {
  if (ACanvas == nullptr || Index < 0 || Index >= FButtons->Count()) return;
  TButtonItem* b = FButtons->Items(Index);
  if (b->Left < 0) return;
  TRect r = b->ButtonRect();
  ACanvas->Brush()->SetColor(Color());
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->FillRect(r);
  // No visual styles here: the classic push-button face, sunk while pressed, lighter while hot.
  const bool pressed = Index == FPressedIndex && Enabled();
  ACanvas->Brush()->SetColor(Index == FHotIndex && !pressed && Enabled() ? clBtnHighlight : clBtnFace);
  TRect face = r;
  TSpeedButton::DrawButtonFace(ACanvas, face, pressed, false);
  TRect content = Rect(r.Left + FButtonMarginX, r.Top + FButtonMarginY, r.Right - FButtonMarginX, r.Bottom - FButtonMarginY);
  if (pressed) content = Rect(content.Left + 1, content.Top + 1, content.Right + 1, content.Bottom + 1);
  ACanvas->Font()->Assign(FButtonAppearance->Font());
  ACanvas->Font()->SetColor(!Enabled() ? clGrayText : b->Special ? FButtonAppearance->SpecialTextColor() : FButtonAppearance->TextColor());
  ACanvas->SetBkMode(TRANSPARENT);
  ACanvas->Brush()->SetStyle(bsClear);
  TGraphic* picture = b->Image()->Graphic() != nullptr && !b->Image()->Graphic()->Empty() ? b->Image()->Graphic() : nullptr;
  const bool listImage = picture == nullptr && FImages != nullptr && b->ImageIndex >= 0;
  const int iw = picture != nullptr ? picture->Width() : listImage ? FImages->Width() : 0;
  const int ih = picture != nullptr ? picture->Height() : listImage ? FImages->Height() : 0;
  auto drawImage = [&](int x, int y) {
    if (picture != nullptr)
      ACanvas->Draw(x, y, picture);
    else if (listImage)
      FImages->Draw(ACanvas, x, y, b->ImageIndex, Enabled() && b->Enabled);
  };
  const bool hasImage = iw > 0;
  TRect textR = content;
  uint32_t format = DT_SINGLELINE | DT_VCENTER;
  switch (ButtonLayout) {
    case ilCaptionLeft:
      textR.Right -= iw;
      format |= hasImage ? DT_LEFT : DT_CENTER;
      if (hasImage) drawImage(content.Left + ACanvas->TextWidth(b->Caption) + FCaptionGap, content.Top + (content.Height() - ih) / 2);
      break;
    case ilCaptionRight:
      format |= hasImage ? DT_LEFT : DT_CENTER;
      if (hasImage) {
        drawImage(content.Left, content.Top + (content.Height() - ih) / 2);
        textR.Left += iw + FCaptionGap;
      }
      break;
    case ilCaptionTop:
      format |= DT_CENTER;
      textR.Bottom -= ih;
      if (hasImage) {
        const int y = b->Caption.empty() ? content.Top + (content.Height() - ih) / 2
                                         : content.Top + ACanvas->TextHeight(b->Caption) + FCaptionGap;
        drawImage(content.Left + (content.Width() - iw) / 2, y);
      }
      break;
    case ilCaptionBottom:
      format |= DT_CENTER;
      if (hasImage) {
        const int y = b->Caption.empty() ? content.Top + (content.Height() - ih) / 2 : content.Top;
        drawImage(content.Left + (content.Width() - iw) / 2, y);
        textR.Top += ih + FCaptionGap;
      }
      break;
  }
  if (!b->Caption.empty()) ACanvas->DrawText(b->Caption, textR, format);
  ACanvas->Brush()->SetStyle(bsSolid);
}
