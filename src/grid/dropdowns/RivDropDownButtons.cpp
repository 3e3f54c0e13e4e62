#include "grid/dropdowns/RivDropDownButtons.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/PlatformInfo.h"
#include "classlib/SysUtils.h"
#include "grid/base/RivStyleIF.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivDropDownDraw.h"
#include "grid/dropdowns/RivDropDownDraw.h"

// ---------------------------------------------------------------------------------------------
// TRivButtonAppearance

TRivButtonAppearance::TRivButtonAppearance()
    : FColorCheckedTo(ScaleColorChannels(0xF9D2B2, -10, -10, 0)),
      FColorChecked(ScaleColorChannels(0xF5F0E1, -10, -10, 0)),
      FFont(std::make_unique<TFont>()) {
  FFont->SetName("Tahoma");
}

TRivButtonAppearance::~TRivButtonAppearance() = default;

void TRivButtonAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TRivButtonAppearance::SetColor(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TRivButtonAppearance::SetGradient(TGradientDirection Value) {
  if (FGradient == Value) return;
  FGradient = Value;
  Changed();
}

void TRivButtonAppearance::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TRivButtonAppearance*>(Source);
  if (src == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  SetBorderColor(src->FBorderColor);
  SetBorderColorHot(src->FBorderColorHot);
  SetBorderColorDown(src->FBorderColorDown);
  SetBorderColorDisabled(src->FBorderColorDisabled);
  SetBorderColorChecked(src->FBorderColorChecked);
  SetColor(src->FColor);
  SetColorTo(src->FColorTo);
  SetColorDown(src->FColorDown);
  SetColorDownTo(src->FColorDownTo);
  SetColorHot(src->FColorHot);
  SetColorHotTo(src->FColorHotTo);
  SetColorCheckedTo(src->FColorCheckedTo);
  SetColorDisabled(src->FColorDisabled);
  SetColorDisabledTo(src->FColorDisabledTo);
  SetColorChecked(src->FColorChecked);
  SetGradient(src->FGradient);
}

// ---------------------------------------------------------------------------------------------
// TRivButton

TRivButton::TRivButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 23, 22);
  ControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks};
  ParentFont = true;
  Font()->SetName("Tahoma");
  ShowHint = false;
}

TRivButton::~TRivButton() = default;

void TRivButton::SetAppearance(TRivButtonAppearance* Value) {
  FAppearance = Value;
  Invalidate();
}

void TRivButton::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages != nullptr) FImages->FreeNotification(this);
  Invalidate();
}

void TRivButton::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Invalidate();
}

void TRivButton::SetRivDropDown(TRivCustomDropDown* Value) {
  if (FRivDropDown == Value) return;
  if (FRivDropDown != nullptr) FRivDropDown->RemoveFreeNotification(this);
  FRivDropDown = Value;
  if (FRivDropDown != nullptr) FRivDropDown->FreeNotification(this);
}

void TRivButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FRivDropDown) FRivDropDown = nullptr;
}

bool TRivButton::Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < ClientWidth() && Y <= ClientHeight(); }

void TRivButton::Loaded() {
  TCustomControl::Loaded();
  if (FInitialDown != FDown) SetDown(FInitialDown);
}

void TRivButton::SetDown(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    FInitialDown = Value;
    return;
  }
  if (FStyle == TRivButtonStyle::tasButton && FGroupIndex == 0) Value = false;
  if (FStyle == TRivButtonStyle::tasCheck) {
    FDown = Value;
    FState = Value ? absDown : absUp;
    Repaint();
    return;
  }
  if (Value == FDown || (FDown && !FAllowAllUp)) return;
  FDown = Value;
  if (Value) {
    if (FState == absUp) Invalidate();
    FState = absExclusive;
    if (Parent() != nullptr) {
      TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
      Parent()->Broadcast(m);
    }
  } else {
    FState = absUp;
    Repaint();
  }
}

void TRivButton::Click() { ClickFrom(false); }

void TRivButton::ClickFrom(bool Keyboard) {
  if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
  const bool cancel = FModalResult == 2 || FModalResult == 3 || FModalResult == 5 || FModalResult == 7 || FModalResult == 9;
  const bool closes = FModalResult >= 1 && FModalResult <= 10 && FModalResult != 4;
  if (FRivDropDown != nullptr && closes) FRivDropDown->CloseDropDown(cancel);
  if (!Keyboard) TCustomControl::Click();
}

void TRivButton::MouseEnter() {
  FMouseInControl = true;
  if (Enabled()) Invalidate();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TRivButton::MouseLeave() {
  FMouseInControl = false;
  FHot = false;
  if (Enabled()) Invalidate();
  if (OnMouseLeave) OnMouseLeave(this);
}

void TRivButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  FMouseDownInControl = true;
  if (!FDown) {
    FState = absDown;
    Invalidate();
  }
  if (FStyle == TRivButtonStyle::tasCheck) {
    FState = absDown;
    Repaint();
  }
  FDragging = true;
}

void TRivButton::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (FDragging) {
    TRivButtonState next = FDown ? absExclusive : absUp;
    if (Inside(X, Y)) next = FDown ? absExclusive : absDown;
    if (FStyle == TRivButtonStyle::tasCheck && FDown) next = absDown;
    if (next != FState) {
      FState = next;
      Invalidate();
    }
  } else if (!FMouseInControl && Inside(X, Y)) {
    Perform(CM_MOUSEENTER, 0, 0);
  }
}

void TRivButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FMouseDownInControl = false;
  Invalidate();
  if (!FDragging) return;
  FDragging = false;
  const bool inside = Inside(X, Y);
  if (FGroupIndex != 0) {
    if (inside) {
      SetDown(!FDown);
      if (FDown) Invalidate();
    } else if (FDown) {
      FState = absExclusive;
      Invalidate();
    }
  } else {
    FState = absUp;
    FMouseInControl = false;
    FHot = false;
    if (FStyle == TRivButtonStyle::tasCheck) {
      SetDown(!FDown);
      FState = absUp;
    }
    if (inside && FState != absDown && FState != absExclusive) Invalidate();
  }
}

void TRivButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      MouseEnter();
      return;
    case CM_MOUSELEAVE:
      MouseLeave();
      return;
    case WM_KEYDOWN:
      if (Message.WParam == VK_RETURN || Message.WParam == VK_SPACE) {
        if (!FDown) {
          FState = absDown;
          Invalidate();
        }
        if (FStyle == TRivButtonStyle::tasCheck) {
          FState = absDown;
          Repaint();
        }
        ClickFrom(true);
      }
      break;
    case CM_DIALOGCHAR: {
      const String caption = Caption();
      size_t amp = caption.find('&');
      if (Enabled() && amp != String::npos && amp + 1 < caption.size() &&
          std::toupper(static_cast<unsigned char>(caption[amp + 1])) ==
              std::toupper(static_cast<unsigned char>(Message.WParam))) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    }
    case WM_ERASEBKGND:
      Message.Result = 1;
      break;
    case CM_BUTTONPRESSED: {
      auto* sender = reinterpret_cast<TRivButton*>(Message.LParam);
      if (static_cast<int>(Message.WParam) == FGroupIndex && sender != this && sender != nullptr) {
        if (sender->Down() && FDown) {
          FDown = false;
          FState = absUp;
          Invalidate();
        }
        FAllowAllUp = sender->AllowAllUp();
      }
      return;
    }
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED:
      TCustomControl::WndProc(Message);
      Invalidate();
      return;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

void TRivButton::Paint() {
  if (!Enabled()) {
    FState = absDisabled;
    FDragging = false;
  } else if (FState == absDisabled) {
    FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
  }
  if (FStyle == TRivButtonStyle::tasCheck && FDown) FState = absDown;
  // The strip's background shows where the face leaves it.
  if (auto* backdrop = dynamic_cast<TButtonBackdrop*>(Parent())) {
    TRect area = Parent()->ClientRect();
    backdrop->PaintBackdrop(Canvas(), Rect(area.Left - Left(), area.Top - Top(), area.Right - Left(), area.Bottom - Top()));
  } else if (Parent() != nullptr) {
    Canvas()->Brush()->SetColor(Parent()->Color());
    Canvas()->FillRect(ClientRect());
  }
  DrawButton();
}

void TRivButton::DrawButton() {
  if (FAppearance == nullptr) return;
  TRivButtonAppearance* a = FAppearance;
  TColor color = a->Color(), colorTo = a->ColorTo(), border = a->BorderColor();
  if (!Enabled()) {
    color = a->ColorDisabled();
    colorTo = a->ColorDisabledTo();
    border = a->BorderColorDisabled();
  } else if (FMouseDownInControl && FMouseInControl) {
    color = a->ColorDown();
    colorTo = clNone;
    border = a->BorderColorDown();
  } else if (FDown) {
    color = a->ColorChecked();
    colorTo = clNone;
    border = a->BorderColorChecked();
  } else if (FMouseInControl || Focused()) {
    color = a->ColorHot();
    colorTo = clNone;
    border = a->BorderColorHot();
  }
  const TRect r = ClientRect();
  DrawButtonFace(Canvas(), r, color, colorTo, border, 1, a->Gradient());
  Canvas()->Brush()->SetStyle(bsClear);
  Canvas()->Font()->Assign(a->Font());
  Canvas()->SetBkMode(TRANSPARENT);
  DrawImageAndText(Canvas(), r, Caption(), FImages, FImageIndex);
}

void TRivButton::AutoSizeToText() {
  if (FAppearance == nullptr) return;
  TCanvas* canvas = MeasuringCanvas();
  canvas->Font()->Assign(FAppearance->Font());
  TSize size = TextExtent(canvas, Caption());
  if (FImages != nullptr && FImageIndex >= 0) {
    size.cx = std::max(size.cx, FImages->Width());
    size.cy = std::max(size.cy, FImages->Height());
  }
  SetBounds(Left(), Top(), size.cx + 8, size.cy + 4);
}

// ---------------------------------------------------------------------------------------------
// TRivDropDownSpeedButton

TRivDropDownSpeedButton::TRivDropDownSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {
  FIsWinXP = PlatformInfo().ComCtlMajorVersion > 5 && PlatformInfo().ComCtlMajorVersion != 0xFFFFFFFF;
}

void TRivDropDownSpeedButton::SetButtonStyle(TButtonStyle Value) {
  FButtonStyle = Value;
  Invalidate();
}

void TRivDropDownSpeedButton::SetEtched(bool Value) {
  if (Value == FEtched) return;
  FEtched = Value;
  Invalidate();
}

void TRivDropDownSpeedButton::SetFocused(bool Value) {
  if (Value == FFocused) return;
  FFocused = Value;
  Invalidate();
}

void TRivDropDownSpeedButton::MouseEnter() {
  TSpeedButton::MouseEnter();
  FHot = true;
  Invalidate();
}

void TRivDropDownSpeedButton::MouseLeave() {
  TSpeedButton::MouseLeave();
  FHot = false;
  Invalidate();
}

TRivCustomDropDown* TRivDropDownSpeedButton::DropDown() const {
  return Owner() != nullptr ? dynamic_cast<TRivCustomDropDown*>(Owner()->Owner()) : nullptr;
}

void TRivDropDownSpeedButton::Paint() {
  if (FButtonStyle == bsDropDown)
    PaintDropDownArrow();
  else
    PaintPushButton();
}

void TRivDropDownSpeedButton::PaintDropDownArrow() {
  if (TRivCustomDropDown* dd = DropDown()) {
    const bool enabled = dd->Enabled() && !dd->ReadOnly();
    if (enabled != Enabled()) SetEnabled(enabled);
  }
  // No visual styles on this platform: the classic button with its arrow glyph, and the light
  // edges that join it to the edit.
  TSpeedButton::Paint();
  TCanvas* c = Canvas();
  c->Pen()->SetColor(clBtnFace);
  c->MoveTo(Width() - 2, 0);
  c->LineTo(0, 0);
  c->LineTo(0, Height() - 1);
  c->Pen()->SetColor(clWhite);
  c->MoveTo(Width() - 3, 1);
  c->LineTo(1, 1);
  c->LineTo(1, Height() - 2);
}

void TRivDropDownSpeedButton::PaintPushButton() {
  if (TRivCustomDropDown* dd = DropDown()) Font()->Assign(dd->Font());
  if (!Flat()) {
    TSpeedButton::Paint();
    return;
  }
  const bool pressed = State() == bsDown || State() == bsExclusive;
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(r);
  TRect inner = r;
  TSpeedButton::DrawButtonFace(c, inner, pressed, true);
  if (!Glyph()->Empty()) {
    TRect g = Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3);
    int x = g.Left + (g.Width() - Glyph()->Width()) / 2;
    int y = g.Top + (g.Height() - Glyph()->Height()) / 2;
    DrawTransparentBitmap(c, Glyph(), clBtnFace, Bounds(x, y, Glyph()->Width(), Glyph()->Height()));
  }
  if (!ButtonCaption.empty()) {
    c->Font()->Assign(Font());
    c->SetBkMode(TRANSPARENT);
    TRect t = r;
    c->DrawText(ButtonCaption, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

// ---------------------------------------------------------------------------------------------
// TDropDownEditButton

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle.Exclude(csAcceptsControls);
  ControlStyle.Exclude(csSetCaption);
  ControlStyle.Include(csOpaque);
  FButton = new TRivDropDownSpeedButton(this);
  FButton->SetParent(this);
  FButton->SetVisible(true);
  FButton->SetEnabled(Enabled());
  FButton->SetCaption("");
  FButton->OnClick = [](TObject*) {};
  FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    ButtonMouseUp(Sender, Button, Shift, X, Y);
  };
  FButton->SetButtonStyle(bsDropDown);
  FButton->SetGlyph(nullptr);
  SetBounds(Left(), Top(), 16, 25);
}

void TDropDownEditButton::ApplySizeRule() {
  if (FButton == nullptr) return;
  if (ComponentState().Contains(csLoading) && !ComponentState().Contains(csDesigning)) return;
  FButton->SetBounds(0, 0, FBWidth, Height());
}

void TDropDownEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  (void)AWidth;
  TWinControl::SetBounds(ALeft, ATop, FBWidth, AHeight);
  ApplySizeRule();
}

void TDropDownEditButton::Resize() {
  if (Width() != FBWidth) SetBounds(Left(), Top(), FBWidth, Height());
  ApplySizeRule();
  TWinControl::Resize();
}

void TDropDownEditButton::Loaded() {
  TWinControl::Loaded();
  ApplySizeRule();
}

void TDropDownEditButton::SetButtonWidth(int Value) {
  FBWidth = Value;
  SetBounds(Left(), Top(), FBWidth, Height());
}

void TDropDownEditButton::EnabledChanged() {
  TWinControl::EnabledChanged();
  if (FButton != nullptr && !ComponentState().Contains(csDesigning)) FButton->SetEnabled(Enabled());
}

void TDropDownEditButton::WndProc(TMessage& Message) { TWinControl::WndProc(Message); }

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
  if (Operation == opRemove && AComponent == FButton) FButton = nullptr;
}

void TDropDownEditButton::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  if (FFocusControl != nullptr) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (FFocusControl != nullptr) FFocusControl->FreeNotification(this);
}

void TDropDownEditButton::ButtonMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  const bool inside = FButton != nullptr && X >= 0 && Y >= 0 && X < FButton->Width() && Y < FButton->Height();
  if (Button == mbLeft && inside && OnClick) OnClick(this);
}

TBitmap* TDropDownEditButton::Glyph() const { return FButton->Glyph(); }
void TDropDownEditButton::SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
int TDropDownEditButton::NumGlyphs() const { return FButton->NumGlyphs(); }
void TDropDownEditButton::SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
String TDropDownEditButton::ButtonCaption() const { return FButton->ButtonCaption; }
void TDropDownEditButton::SetButtonCaption(const String& Value) {
  FButton->ButtonCaption = Value;
  FButton->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TDbgList, TWinCtrl

void TDbgList::AssignList(const TList* ListA) {
  Clear();
  if (ListA == nullptr) return;
  for (Integer i = 0; i < ListA->Count(); ++i) Add(ListA->Get(i));
}

void* TDbgList::Items(Integer Index) const {
  if (Index >= Count()) throw Exception("Index out of bounds in list read access");
  return TList::Get(Index);
}

void TWinCtrl::PaintCtrls(TCanvas* DC, TControl* First) {
  bool started = First == nullptr;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c == First) started = true;
    if (!started || !c->Visible()) continue;
    if (auto* g = dynamic_cast<TGraphicControl*>(c)) g->PaintTo(DC);
  }
}
