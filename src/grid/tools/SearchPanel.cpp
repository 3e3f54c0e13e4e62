#include "grid/tools/SearchPanel.h"

#include "classlib/Canvas.h"
#include "classlib/Exceptions.h"
#include "classlib/Messages.h"
#include "classlib/WinApi.h"
#include "grid/base/RivObjControls.h"
#include "grid/dropdowns/RivDropDownDraw.h"
#include "grid/model/RivErodovOzar.h"

// ---- TRetEdit ----

void TRetEdit::WndProc(TMessage& Message) {
  // Enter is the edit's own, not the dialog's default button.
  if (Message.Msg == WM_GETDLGCODE) {
    TEdit::WndProc(Message);
    Message.Result |= DLGC_WANTALLKEYS;
    return;
  }
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_RETURN) {
    if (GetKeyState(VK_CONTROL) < 0) {
      if (OnCtrlReturn) OnCtrlReturn(this);
    } else if (OnReturn) {
      OnReturn(this);
    }
    Message.WParam = 0;  // handled: the view does not edit it
    Message.Result = 0;
    return;
  }
  if (Message.Msg == WM_CHAR && (Message.WParam == 13 || Message.WParam == 10)) {
    char key = static_cast<char>(Message.WParam);
    if (OnKeyPress) OnKeyPress(this, key);
    Message.WParam = 0;
    Message.Result = 0;
    return;
  }
  TEdit::WndProc(Message);
}

// ---- TSearchPanel ----

namespace {
TRivErodovOzar* GridOf(TComponent* AOwner) {
  auto* grid = dynamic_cast<TRivErodovOzar*>(AOwner);
  if (grid == nullptr) throw EInvalidCast("Invalid class typecast");
  return grid;
}
}  // namespace

TSearchPanel::TSearchPanel(TComponent* AOwner) : TPanel(AOwner), FGrid(GridOf(AOwner)) {
  SetBevelOuter(bvNone);
  FEdit = new TRetEdit(this);
  FExitButton = new TRivGridButton(this);
  FForwardButton = new TRivGridButton(this);
  FBackwardButton = new TRivGridButton(this);
  FHiliteButton = new TRivGridButton(this);
  FMatchCase = new TRivCheckBox(this);
  for (TControl* c : std::initializer_list<TControl*>{FExitButton, FEdit, FForwardButton, FBackwardButton, FHiliteButton,
                                                      FMatchCase})
    c->SetParent(this);
  FForwardButton->SetEnabled(false);
  FBackwardButton->SetEnabled(false);
  FHiliteButton->SetEnabled(false);
  FHiliteButton->SetStyle(tasCheck);
  FHiliteButton->SetAllowAllUp(true);
  FHiliteButton->SetGroupIndex(1);
  FExitButton->ParentFont = false;
  FExitButton->SetShowCaption(false);
  FMatchCase->SetTransparent(true);
  LayoutControls();

  FEdit->OnChange = [this](TObject*) { EditChanged(); };
  FEdit->OnReturn = [this](TObject*) {
    if (OnForwardClick) OnForwardClick(this);
  };
  FEdit->OnCtrlReturn = [this](TObject*) {
    if (OnBackwardClick) OnBackwardClick(this);
  };
  FForwardButton->OnClick = [this](TObject*) {
    if (OnForwardClick) OnForwardClick(this);
  };
  FBackwardButton->OnClick = [this](TObject*) {
    if (OnBackwardClick) OnBackwardClick(this);
  };
  FExitButton->OnClick = [this](TObject*) {
    if (OnExitClick) OnExitClick(this);
  };
  FHiliteButton->OnClick = [this](TObject*) {
    if (OnHighLightClick) OnHighLightClick(this);
  };
}

QWidget* TSearchPanel::MakeView(QWidget* ParentView) { return TControl::MakeView(ParentView); }

void TSearchPanel::LayoutControls(bool RightToLeft) {
  auto place = [&](TControl* C, int L, int T, int W, int H) {
    if (RightToLeft) L = Width() - W - L;
    C->SetBounds(L, T, W, H);
  };
  place(FExitButton, 5, 7, 14, 14);
  place(FEdit, 25, 6, 110, FEdit->Height() > 0 ? FEdit->Height() : 21);
  place(FForwardButton, 140, 5, 90, FForwardButton->Visible() ? 23 : 0);
  place(FBackwardButton, 235, 5, 90, FBackwardButton->Visible() ? 23 : 0);
  place(FHiliteButton, 330, 5, 90, FHiliteButton->Visible() ? 23 : 0);
  const int matchWidth = FMatchCase->Width() > 0 ? FMatchCase->Width() : 100;
  place(FMatchCase, FHiliteButton->Visible() ? 425 : 330, 8, matchWidth, FMatchCase->Visible() ? 18 : 0);
}

namespace {
// Posted: moving the focus from inside a focus change would start another.
constexpr UINT kFocusFindBox = WM_USER + 0x144;
}  // namespace

void TSearchPanel::WndProc(TMessage& Message) {
  if (Message.Msg == kFocusFindBox) {
    if (Focused() && FEdit->CanFocus()) FEdit->SetFocus();
    return;
  }
  TPanel::WndProc(Message);
  if (Message.Msg == WM_SETFOCUS) PostMessage(Handle(), kFocusFindBox, 0, 0);
}

void TSearchPanel::CreateWnd() {
  TPanel::CreateWnd();
  LayoutControls();
  if (FGrid->OnCreatedSearchFooter) FGrid->OnCreatedSearchFooter(FGrid);
}

void TSearchPanel::EditChanged() {
  const bool hasText = !FEdit->Text().empty();
  FForwardButton->SetEnabled(hasText);
  FBackwardButton->SetEnabled(hasText);
  FHiliteButton->SetEnabled(hasText);
  if (OnEditChange) OnEditChange(this);
}

void TSearchPanel::SetColorTo(TColor Value) {
  FColorTo = Value;
  Invalidate();
}

void TSearchPanel::Paint() {
  TCanvas* canvas = Canvas();
  const TRect r = ClientRect();
  if (FColorTo == clNone) {
    canvas->Brush()->SetColor(Color());
    canvas->Pen()->SetColor(Color());
    canvas->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
  } else {
    FillGradientRect(canvas, Color(), FColorTo, 32, r, false);
  }
  canvas->Pen()->SetColor(FGrid->GridLineColor());
  canvas->MoveTo(0, 0);
  canvas->LineTo(Width(), 0);
}
