#include "grid/dropdowns/RivDropDownForm.h"

#include "classlib/Canvas.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivDropDownDraw.h"
#include "grid/dropdowns/RivDropDownStrips.h"

TDropDownForm::TDropDownForm(TComponent* AOwner) : TPopupForm(AOwner) {}

TDropDownForm::~TDropDownForm() = default;

void TDropDownForm::SetRivDropDown(TRivCustomDropDown* Value) { FRivDropDown = Value; }

void TDropDownForm::Notification(TComponent* AComponent, TOperation Operation) {
  TPopupForm::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FHeader) FHeader = nullptr;
  if (AComponent == FFooter) FFooter = nullptr;
}

void TDropDownForm::AdjustClientRect(TRect& Rect) {
  if (FRivDropDown == nullptr) return;
  const int bw = FRivDropDown->DropDownBorderWidth();
  Rect = ::Rect(Rect.Left + bw, Rect.Top + bw, Rect.Right - bw, Rect.Bottom - bw);
}

void TDropDownForm::AlignControls(TControl* AControl, TRect& ARect) {
  if (Visible()) TPopupForm::AlignControls(AControl, ARect);
}

void TDropDownForm::InitializeAndUpdate() {
  if (FRivDropDown == nullptr) return;
  THeaderAppearance* header = FRivDropDown->DropDownHeader();
  if (FHeader != nullptr) {
    FHeader->AttachDropDown(FRivDropDown);
    FHeader->RebuildButtons();
    FHeader->SetVisible(header->Visible());
  } else if (header->Visible()) {
    FHeader = new TRivHeader(this);
    FHeader->SetParent(this);
    FHeader->SetHeight(header->Height());
    FHeader->AttachDropDown(FRivDropDown);
    FHeader->RebuildButtons();
    FHeader->SetAlign(alTop);
  }
  if (FHeader != nullptr) {
    // The height follows the settings at every update, not only when Visible changes.
    FHeader->SetHeight(header->Height());
    FHeader->OnDrawBackGround = FRivDropDown->OnDrawHeader;
    FHeader->OnGetText = FRivDropDown->OnGetHeaderText;
  }
  TFooterAppearance* footer = FRivDropDown->DropDownFooter();
  if (FFooter != nullptr) {
    FFooter->AttachDropDown(FRivDropDown);
    FFooter->RebuildButtons();
    FFooter->SetVisible(footer->Visible());
  } else if (footer->Visible()) {
    FFooter = new TRivFooter(this);
    FFooter->SetParent(this);
    FFooter->SetHeight(footer->Height());
    FFooter->AttachDropDown(FRivDropDown);
    FFooter->RebuildButtons();
    FFooter->SetAlign(alBottom);
  }
  if (FFooter != nullptr) {
    FFooter->SetHeight(footer->Height());
    FFooter->OnDrawBackGround = FRivDropDown->OnDrawFooter;
    FFooter->OnGetText = FRivDropDown->OnGetFooterText;
  }
  Realign();
}

void TDropDownForm::Paint() {
  if (FRivDropDown == nullptr) return;
  TCanvas* c = Canvas();
  const int bw = FRivDropDown->DropDownBorderWidth();
  const TRect client = ClientRect();
  const TRect inner = Rect(client.Left + bw, client.Top + bw, client.Right - bw, client.Bottom - bw);
  const TColor color = FRivDropDown->DropDownColor();
  const TColor colorTo = FRivDropDown->DropDownColorTo();
  if (color != clNone && colorTo != clNone) {
    FillGradientRect(c, color, colorTo, 80, inner, FRivDropDown->DropDownGradient() == gdHorizontal);
  } else if (color != clNone) {
    c->Brush()->SetColor(color);
    c->FillRect(inner);
  }
  if (bw > 0) {
    c->Pen()->SetWidth(bw);
    c->Pen()->SetColor(FRivDropDown->DropDownBorderColor());
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(client.Left + bw / 2, client.Top + bw / 2, client.Right, client.Bottom);
    c->Pen()->SetWidth(1);
  }
}

void TDropDownForm::Resize() {
  TPopupForm::Resize();
  Invalidate();
}

bool TDropDownForm::OwnsWindow(HWND Wnd) const {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr) return false;
  // Start with the parent (or, for a window of its own, the owner), not the window itself.
  auto up = [](TWinControl* w) -> TWinControl* {
    if (w->Parent() != nullptr) return w->Parent();
    return dynamic_cast<TWinControl*>(w->Owner());
  };
  for (TWinControl* w = up(c); w != nullptr; w = up(w))
    if (w == this) return true;
  return false;
}

void TDropDownForm::HandleActivate(TMessage& Message) {
  TPopupForm::WndProc(Message);
  if (FBlockActivate) return;
  if (LoWord(Message.WParam) != WA_INACTIVE) {
    // Keeps the title bar of the window below active while the pop-up has the keyboard.
    if (FRivDropDown != nullptr) {
      TWinControl* top = FRivDropDown->Parent();
      while (top != nullptr && top->Parent() != nullptr) top = top->Parent();
      if (top != nullptr) top->Perform(WM_NCACTIVATE, 1, 0);
    }
    return;
  }
  if (!Visible()) return;
  FDeActivate = GetTickCount();
  if (OwnsWindow(reinterpret_cast<HWND>(Message.LParam))) return;
  if (FRivDropDown != nullptr)
    FRivDropDown->CloseDropDown(FCancelOnDeActivate);
  else
    Hide();
}

void TDropDownForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE:
      HandleActivate(Message);
      return;
    case WM_SIZING:
      TPopupForm::WndProc(Message);
      if (OnSizing) OnSizing(this);
      return;
    case WM_NCHITTEST: {
      Message.Result = HTNOWHERE;
      if (FSizeable) {
        TPoint p = ScreenToClient(TPoint{SmallIntLo(Message.LParam), SmallIntHi(Message.LParam)});
        if (p.X > Width() - 10 && p.Y > Height() - 10) Message.Result = HTBOTTOMRIGHT;
      }
      return;
    }
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
      return;
    default:
      TPopupForm::WndProc(Message);
  }
}
