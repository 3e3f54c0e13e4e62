#include "grid/dropdowns/RivDropDown.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/ScreenMetrics.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/base/EditorMetrics.h"
#include "grid/dropdowns/RivDropDownButtons.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivDropDownStrips.h"

namespace {

// The classic combo-box arrow: a small black triangle on the button face.
void PaintComboArrow(TBitmap* Bitmap) {
  Bitmap->SetSize(9, 6);
  TCanvas* c = Bitmap->Canvas();
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(Rect(0, 0, 9, 6));
  c->Brush()->SetColor(clBlack);
  for (int row = 0; row < 4; ++row) c->FillRect(Rect(1 + row, 1 + row, 8 - row, 2 + row));
}

}  // namespace

TRivCustomDropDown::TRivCustomDropDown(TComponent* AOwner)
    : TCustomMaskEdit(AOwner), FButtonGlyph(std::make_unique<TBitmap>()) {
  FDropDownBorderColor = 0;
  FDropDownGradient = gdHorizontal;
  FDropDownColor = 0xFFFFFF;
  FDropDownColorTo = clNone;
  TCustomMaskEdit::SetBounds(Left(), Top(), 200, 21);
  FButtonGlyph->OnChange = [this](TObject*) {
    if (FButton == nullptr) return;
    if (FButtonGlyph->Empty())
      UpdateDropDownButton();
    else
      FButton->SetGlyph(FButtonGlyph.get());
  };
  ControlStyle.Exclude(csSetCaption);
  ControlStyle.Include(csDoubleClicks);
  SetReadOnly(false);
  FDropDownHeader = std::make_unique<THeaderAppearance>(this);
  FDropDownFooter = std::make_unique<TFooterAppearance>(this);
  auto changed = [this](TObject*) { HeaderOrFooterChanged(); };
  FDropDownHeader->OnChange = changed;
  FDropDownHeader->OnButtonsChanged = changed;
  FDropDownFooter->OnChange = changed;
  FDropDownFooter->OnButtonsChanged = changed;
  FButtonAppearance = std::make_unique<TRivButtonAppearance>();
}

void TRivCustomDropDown::AfterConstruction() {
  TCustomMaskEdit::AfterConstruction();
  if (!ComponentState().Contains(csDesigning)) CreateDropDownForm();
  CreateDropDownButton();
  ApplyText("");
  FOldText.clear();
  SetSelectionColorStyle(scOffice2007);
  SetComponentStyle(tsOffice2007Luna);
}

TRivCustomDropDown::~TRivCustomDropDown() {
  FComponentState.Include(csDestroying);
  delete FButton;
  FButton = nullptr;
  if (!ComponentState().Contains(csDesigning)) {
    delete FDropDownForm;
    FDropDownForm = nullptr;
  }
}

void TRivCustomDropDown::Loaded() {
  TCustomMaskEdit::Loaded();
  UpdateEditRect();
  PositionButton();
  if (FButton != nullptr) FButton->SetEnabled(Enabled());
}

String TRivCustomDropDown::Version() const { return VersionNumberText(static_cast<uint32_t>(VersionNumber())); }

void TRivCustomDropDown::HeaderOrFooterChanged() {
  if (FDropDownForm != nullptr && FDroppedDown) FDropDownForm->InitializeAndUpdate();
}

void TRivCustomDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomMaskEdit::Notification(AComponent, Operation);
  if (Operation != opRemove || ComponentState().Contains(csDestroying)) return;
  if (AComponent == FImages) {
    FImages = nullptr;
    Invalidate();
  }
  if (AComponent == FControl) SetDropDownControl(nullptr);
  if (AComponent == FFocusControl) FFocusControl = nullptr;
  if (AComponent == FDropDownForm) FDropDownForm = nullptr;
  if (AComponent == FButton) FButton = nullptr;
}

// ---- Properties -------------------------------------------------------------------------------

void TRivCustomDropDown::SetDropDownWidth(int Value) {
  if (FDropDownWidth == Value) return;
  FDropDownWidth = Value;
  FUserDropDownWidth = -1;
}

void TRivCustomDropDown::SetDropDownHeight(int Value) {
  if (FDropDownHeight == Value) return;
  FDropDownHeight = Value;
  FUserDropDownHeight = -1;
}

void TRivCustomDropDown::SetEditorEnabled(bool Value) {
  FEditorEnabled = Value;
  if (Value)
    ControlStyle.Include(csDoubleClicks);
  else
    ControlStyle.Exclude(csDoubleClicks);
}

void TRivCustomDropDown::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages != nullptr) FImages->FreeNotification(this);
}

void TRivCustomDropDown::SetDropDownButtonHint(const String& Value) {
  if (FButtonHint == Value) return;
  FButtonHint = Value;
  if (FButton == nullptr) return;
  FButton->Hint = Value;
  FButton->ShowHint = !Value.empty();
  FButton->UpdateView();
}

void TRivCustomDropDown::SetDropDownButtonWidth(int Value) {
  if (FButton == nullptr || FButtonWidth == Value) return;
  FButtonWidth = Value;
  FButton->SetButtonWidth(Value);
  if (FButton->HandleAllocated()) PositionButton();
}

void TRivCustomDropDown::SetDropDownButtonGlyph(TBitmap* Value) {
  if (Value == nullptr)
    FButtonGlyph->Assign(nullptr);
  else
    FButtonGlyph->Assign(Value);
  if (FButton == nullptr) return;
  if (FButtonGlyph->Empty())
    UpdateDropDownButton();
  else
    FButton->SetGlyph(FButtonGlyph.get());
}

void TRivCustomDropDown::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  if (FFocusControl != nullptr) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (FFocusControl != nullptr) FFocusControl->FreeNotification(this);
}

void TRivCustomDropDown::SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
void TRivCustomDropDown::SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
void TRivCustomDropDown::SetButtonAppearance(TRivButtonAppearance* Value) { FButtonAppearance->Assign(Value); }

void TRivCustomDropDown::SetDropDownControl(TControl* Value) {
  if (FControl == Value) return;
  if (FControl != nullptr) FControl->RemoveFreeNotification(this);
  FControl = Value;
  if (FControl != nullptr) FControl->FreeNotification(this);
  if (!ComponentState().Contains(csDesigning)) PlaceDropDownControl();
}

// ---- Creation of the pop-up and the button ------------------------------------------------------

void TRivCustomDropDown::CreateDropDownForm() {
  if (FDropDownForm != nullptr) return;
  FDropDownForm = new TDropDownForm(this);
  FDropDownForm->SetRivDropDown(this);
  FDropDownForm->BorderStyle = bsNone;
  FDropDownForm->SetVisible(false);
  FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), FDropDownWidth, FDropDownHeight);
  FDropDownForm->OnClose = [](TObject*, TCloseAction&) {};
  FDropDownForm->OnHide = [this](TObject*) { PopupHidden(); };
  FDropDownForm->OnKeyPress = [this](TObject*, char& Key) { PopupKeyPress(Key); };
  FDropDownForm->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { PopupKeyDown(Key, Shift); };
  FDropDownForm->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { PopupKeyUp(Key, Shift); };
  FDropDownForm->OnMouseWheelDown = [this](TObject*, TShiftState Shift, TPoint MousePos, bool& Handled) {
    HandlePopupWheelDown(Shift, MousePos, Handled);
  };
  FDropDownForm->OnMouseWheelUp = [this](TObject*, TShiftState Shift, TPoint MousePos, bool& Handled) {
    HandlePopupWheelUp(Shift, MousePos, Handled);
  };
  FDropDownForm->OnDestroy = [this](TObject*) { PopupDestroyed(); };
  FDropDownForm->OnSizing = [this](TObject*) { PopupSizing(); };
}

void TRivCustomDropDown::CreateDropDownButton() {
  if (FButton == nullptr) {
    FButton = new TDropDownEditButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [this](TObject*) { ButtonPressed(); };
    if (ComponentState().Contains(csDesigning)) FButton->SetColor(clBtnFace);
  }
  UpdateDropDownButton();
}

void TRivCustomDropDown::UpdateDropDownButton() {
  if (FButton == nullptr) return;
  FButton->SetButtonWidth(FButtonWidth);
  FButton->SetBounds(FButton->Left(), FButton->Top(), FButtonWidth, 17);
  FButton->SetVisible(true);
  FButton->SetFocusControl(this);
  if (FButtonGlyph->Empty()) {
    TBitmap arrow;
    PaintComboArrow(&arrow);
    FButton->SetGlyph(&arrow);
  } else {
    FButton->SetGlyph(FButtonGlyph.get());
  }
  PositionButton();
}

void TRivCustomDropDown::ButtonPressed() {
  if (ComponentState().Contains(csDesigning) || FDropDownForm == nullptr || FDropDownForm->Visible()) return;
  if (GetTickCount() - FDropDownForm->DeActivateTime() <= 250) return;
  OpenDropDown();
}

// ---- Opening and closing ------------------------------------------------------------------------

void TRivCustomDropDown::DoBeforeDropDown() {
  if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TRivCustomDropDown::FocusPopupControl() {
  if (FFocusControl != nullptr && FFocusControl->TabStop && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
}

void TRivCustomDropDown::PlaceDropDownControl() {
  if (FDropDownForm == nullptr || FControl == nullptr || FDropDownHeader == nullptr) return;
  FControl->SetParent(FDropDownForm);
  const int top = FDropDownHeader->Visible() ? FDropDownHeader->Height() + 2 : FDropDownBorderWidth;
  FControl->SetTop(top);
  FControl->SetAlign(alClient);
}

void TRivCustomDropDown::SizeDropDownForm() {
  if (FDropDownForm == nullptr) return;
  int width = Width();
  if (FDropDownWidth > 0)
    width = FDropDownWidth;
  else if (FControl != nullptr && FControl->Visible())
    width = FControl->Width();
  int height = FDropDownHeight;
  if (FDropDownHeight <= 0) {
    height = 2 * FDropDownBorderWidth;
    if (FDropDownHeader->Visible()) height += FDropDownHeader->Height();
    if (FDropDownFooter->Visible()) height += FDropDownFooter->Height();
    if (FControl != nullptr && FControl->Visible()) height += FControl->Height();
  }
  FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), width, height);
}

void TRivCustomDropDown::OpenDropDown() {
  if (ComponentState().Contains(csDesigning) || FDropDownForm == nullptr || FDropDownForm->Visible()) return;
  if (!Enabled() || ReadOnly()) return;
  DoBeforeDropDown();
  FDropDownForm->SetShadow(FDropDownShadow);
  FDropDownForm->InitializeAndUpdate();
  // The drop shadow is the window system's business on this platform; nothing to set.
  FDropDownForm->SetBounds(Left(), Top(), FDropDownForm->Width(), FDropDownForm->Height());
  SizeDropDownForm();
  PlaceDropDownControl();
  FDropDownForm->Constraints.MinWidth = 80;
  FDropDownForm->Constraints.MinHeight = 50;
  if (auto* content = dynamic_cast<TWinControl*>(FControl)) {
    content->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    content->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    content->OnKeyPress = [this](TObject*, char& Key) { ControlKeyPress(Key); };
  }
  const TPoint anchor = Parent() != nullptr ? Parent()->ClientToScreen(TPoint{Left(), Top()}) : ClientToScreen(TPoint{0, 0});
  // The work area of the monitor the edit is on: the pop-up opens below the edit when it fits
  // there, else above it, and never leaves the work area sideways.
  TRect work = MonitorWorkAreaFromPoint(anchor);
  int width = FUserDropDownWidth != -1 ? FUserDropDownWidth : FDropDownForm->Width();
  int height = FUserDropDownHeight != -1 ? FUserDropDownHeight : FDropDownForm->Height();
  width = std::max(width, FDropDownForm->Constraints.MinWidth);
  height = std::max(height, FDropDownForm->Constraints.MinHeight);
  const int below = anchor.Y + Height() - 1;
  const int above = anchor.Y - height;
  int top = below;
  switch (FDropPosition) {
    case dpDown: top = below; break;
    case dpUp: top = above; break;
    case dpAuto:
      if (below + height <= work.Bottom)
        top = below;
      else if (above >= work.Top)
        top = above;
      else if (work.Bottom - (anchor.Y + Height()) >= anchor.Y - work.Top)
        top = std::max(work.Top, work.Bottom - height);
      else
        top = work.Top;
      break;
  }
  FDropDownForm->SetBounds(anchor.X, top, FDropDownForm->Width(), FDropDownForm->Height());
  bool accept = true;
  if (OnDropDown) OnDropDown(this, accept);
  if (!accept) return;
  int left = FDropDownForm->Left();
  if (left + width > work.Right) left = work.Right - width;
  if (left < work.Left) left = work.Left;
  top = FDropDownForm->Top();
  FDropDownForm->SetBounds(left, top, width, height);
  FDropDownForm->Show();
  FDropDownForm->Realign();
  FDroppedDown = true;
  FocusPopupControl();
}

void TRivCustomDropDown::CloseDropDown(bool Cancel) {
  if (ComponentState().Contains(csDesigning) || FDropDownForm == nullptr || !FDropDownForm->Visible()) return;
  if (OnBeforeDropUp) OnBeforeDropUp(this);
  FUserDropDownWidth = FDropDownForm->Width();
  FUserDropDownHeight = FDropDownForm->Height();
  FDropDownForm->Hide();
  if (Cancel) ApplyText(FOldText);
  if (OnDropUp) OnDropUp(this, Cancel);
}

void TRivCustomDropDown::PopupHidden() {
  FDroppedDown = false;
  if (TabStop && CanFocus() && !Focused() && !ComponentState().Contains(csDestroying)) SetFocus();
}

void TRivCustomDropDown::HandlePopupWheelDown(TShiftState, TPoint, bool&) { PopupWheelDown(); }
void TRivCustomDropDown::HandlePopupWheelUp(TShiftState, TPoint, bool&) { PopupWheelUp(); }

void TRivCustomDropDown::PopupKeyPress(char& Key) { Perform(WM_CHAR, static_cast<unsigned char>(Key), 0); }
void TRivCustomDropDown::PopupKeyDown(Word& Key, TShiftState) { Perform(WM_KEYDOWN, Key, 0); }
void TRivCustomDropDown::PopupKeyUp(Word& Key, TShiftState) { Perform(WM_KEYUP, Key, 0); }
void TRivCustomDropDown::ControlKeyDown(Word& Key, TShiftState) { Perform(WM_KEYDOWN, Key, 0); }
void TRivCustomDropDown::ControlKeyUp(Word& Key, TShiftState) { Perform(WM_KEYUP, Key, 0); }
void TRivCustomDropDown::ControlKeyPress(char& Key) { Perform(WM_CHAR, static_cast<unsigned char>(Key), 0); }

// ---- Layout of the edit and its button ----------------------------------------------------------

void TRivCustomDropDown::PositionButton() {
  const int fontHeight = FontTextHeight(Font());
  const int minHeight = fontHeight + std::min(fontHeight, SystemFontTextHeight()) / 4;
  if (Height() < minHeight) {
    SetBounds(Left(), Top(), Width(), minHeight);
    Invalidate();
    return;
  }
  if (FButton != nullptr) {
    const int bw = FButton->ButtonWidth();
    if (Ctl3D && BorderStyle == bsSingle)
      FButton->SetBounds(Width() - bw - 4, 0, bw, Height() - 4);
    else
      FButton->SetBounds(Width() - bw - (Ctl3D ? 0 : 2), 1, bw, Height() - 2);
  }
  UpdateEditRect();
  Invalidate();
}

void TRivCustomDropDown::UpdateEditRect() {
  const int buttonWidth = FButton != nullptr ? FButton->Width() : 0;
  const bool borderless = BorderStyle == bsNone;
  FEditRect = Rect(borderless ? 2 : 1, borderless ? 3 : 1, ClientWidth() - buttonWidth - 3, ClientHeight() + 1);
  TRect sent = FEditRect;
  if (!Ctl3D) ++sent.Left;
  SetFormattingRect(sent);
}

void TRivCustomDropDown::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TRivCustomDropDown::Resize() {
  TCustomMaskEdit::Resize();
  PositionButton();
}

void TRivCustomDropDown::EnabledChanged() {
  TCustomMaskEdit::EnabledChanged();
  if (FButton != nullptr) FButton->SetEnabled(Enabled());
}

void TRivCustomDropDown::DoEnter() {
  TCustomMaskEdit::DoEnter();
  UpdateEditRect();
}

void TRivCustomDropDown::CreateWnd() {
  TCustomMaskEdit::CreateWnd();
  UpdateEditRect();
}

void TRivCustomDropDown::PaintFocusRect(TCanvas* ACanvas) {
  if (ACanvas == nullptr || FEditorEnabled || !Focused() || ComponentState().Contains(csDesigning) || !FFocusDraw)
    return;
  const int buttonWidth = FButton != nullptr ? FButton->Width() : 0;
  TRect r = Rect(2, 2, Width() - buttonWidth - 1, Height() - 2);
  ACanvas->Pen()->SetColor(clBlack);
  ACanvas->Brush()->SetColor(clHighlight);
  ACanvas->Rectangle(r);
  r.Left += 2;
  r.Right -= 3;
  ACanvas->Font()->Assign(Font());
  ACanvas->Font()->SetColor(clHighlightText);
  ACanvas->SetBkMode(TRANSPARENT);
  ACanvas->DrawText(Text(), r, DT_SINGLELINE | DT_VCENTER);
}

// ---- Keys that open and close the pop-up ----------------------------------------------------------

void TRivCustomDropDown::KeyOpensOrCloses(Word Key) {
  if (Key == VK_RETURN) {
    CloseDropDown(false);
  } else if (Key == VK_ESCAPE) {
    CloseDropDown(true);
  } else if (Key == VK_F4) {
    if (FDropDownForm != nullptr && FDropDownForm->Visible())
      CloseDropDown(false);
    else
      OpenDropDown();
  }
}

void TRivCustomDropDown::KeyPress(char& Key) {
  // Only the key events here: the edit's own editing runs in InheritedChar, after the rules
  // (a masked edit lays the character into its mask itself).
  if (IsMasked())
    TCustomMaskEdit::KeyPress(Key);
  else
    TWinControl::KeyPress(Key);
  if (Key == '\r') Key = 0;
}

void TRivCustomDropDown::HandleKeyDown(TMessage& Message) {
  const Word key = static_cast<Word>(Message.WParam);
  if (ComponentState().Contains(csDesigning)) {
    TCustomMaskEdit::WndProc(Message);
    return;
  }
  if (GetKeyState(VK_MENU) < 0 && (key == VK_UP || key == VK_DOWN)) {
    if (FDroppedDown) CloseDropDown(false); else OpenDropDown();
    // Handled here: the key-down event must not toggle the pop-up a second time.
    Message.WParam = 0;
    Message.Result = 0;
    return;
  }
  if (!FEditorEnabled && Enabled()) {
    if (!ReadOnly()) KeyOpensOrCloses(key);
    if (key == VK_RETURN || key == VK_ESCAPE)
      TCustomMaskEdit::WndProc(Message);
    else
      Message.WParam = 0;
    return;
  }
  if (!TextKeyDown(Message)) return;
  KeyOpensOrCloses(static_cast<Word>(Message.WParam));
}

void TRivCustomDropDown::HandleWantSpecialKey(TMessage& Message) {
  TCustomForm* form = GetParentForm();
  if (form == nullptr) return;
  const Word key = static_cast<Word>(Message.WParam);
  if (!form->KeyPreview) {
    if (key == VK_ESCAPE && FCanUndo) {
      SelectAll();
      Modified = false;
      FIsModified = false;
      Message.WParam = 0;
      Message.Result = 0;
      if (Parent() != nullptr && FDefaultHandling) {
        PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessage(Parent()->Handle(), WM_KEYUP, VK_ESCAPE, 0);
      }
    } else if (key == VK_RETURN && FDefaultHandling && Parent() != nullptr && Parent()->Focused()) {
      PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
      PostMessage(Parent()->Handle(), WM_KEYUP, VK_RETURN, 0);
    }
  }
  TCustomMaskEdit::WndProc(Message);
  if (key == VK_ESCAPE && FDroppedDown) Message.Result = 1;
}

void TRivCustomDropDown::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
      HandleKeyDown(Message);
      return;
    case WM_CHAR:
      HandleChar(Message);
      return;
    case CM_WANTSPECIALKEY:
      HandleWantSpecialKey(Message);
      return;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      return;
    case WM_PASTE:
      HandlePaste(Message);
      return;
    case WM_CUT:
      HandleCut(Message);
      return;
    case WM_COPY:
      HandleCopy(Message);
      return;
    case WM_SETFOCUS:
      HandleSetFocus(Message);
      return;
    case WM_KILLFOCUS:
      HandleKillFocus(Message);
      return;
    case CM_ENTER:
      if (AutoSelect && !ControlState.Contains(csLButtonDown)) SelectAll();
      TCustomMaskEdit::WndProc(Message);
      return;
    case WM_LBUTTONDOWN:
      HandleLButtonDown(Message);
      return;
    case WM_LBUTTONUP:
      HandleLButtonUp(Message);
      return;
    case EM_SETREADONLY:
      SetReadOnly(Message.WParam != 0);
      if (FButton != nullptr) FButton->Invalidate();
      return;
    case CM_FONTCHANGED:
      TCustomMaskEdit::WndProc(Message);
      if (HandleAllocated()) UpdateEditRect();
      return;
    case WM_PAINT:
      TCustomMaskEdit::WndProc(Message);
      PaintFocusRect(reinterpret_cast<TCanvas*>(Message.WParam));
      return;
    case WM_MOUSEWHEEL:
      // The wheel over the edit moves the choice as it does over the pop-up.
      TCustomMaskEdit::WndProc(Message);
      if (static_cast<int16_t>(HiWord(Message.WParam)) < 0)
        PopupWheelDown();
      else
        PopupWheelUp();
      Message.Result = 1;
      return;
    default:
      TCustomMaskEdit::WndProc(Message);
  }
}
