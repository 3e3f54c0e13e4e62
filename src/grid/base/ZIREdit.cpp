#include "grid/base/ZIREdit.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/WinApi.h"

// ---- TRivSpeedButton ----

void TRivSpeedButton::SetFlat(bool Value) {
  FFlatLook = Value;
  TSpeedButton::SetFlat(Value);
}

void TRivSpeedButton::MouseEnter() {
  FHot = true;
  Invalidate();
}

void TRivSpeedButton::MouseLeave() {
  FHot = false;
  Invalidate();
}

void TRivSpeedButton::Paint() {
  // No themes on this platform: the classic look, or the flat one.
  TRect r = ClientRect();
  bool down = FState == bsDown || FState == bsExclusive;
  DrawButtonFace(Canvas(), r, down, FFlatLook);
  DrawGlyphAndCaption(Canvas(), r, down);
}

// ---- TZirEditButton ----

TZirEditButton::TZirEditButton(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle.Exclude(csAcceptsControls);
  ControlStyle.Exclude(csSetCaption);
  ControlStyle.Include(csOpaque);
  FButton = New<TRivSpeedButton>(this);
  FButton->SetParent(this);
  FButton->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) { BtnMouseUp(Button, X, Y); };
  SetBounds(0, 0, 20, 25);
}

void TZirEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!ComponentState().Contains(csLoading)) AdjustButton();
}

void TZirEditButton::Loaded() {
  TCustomControl::Loaded();
  AdjustButton();
}

void TZirEditButton::AdjustButton() {
  if (FButton != nullptr) FButton->SetBounds(0, 0, Width(), Height());
}

void TZirEditButton::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TZirEditButton::SetFlat(bool Value) {
  FFlat = Value;
  FButton->SetFlat(Value);
}

void TZirEditButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TZirEditButton::BtnMouseUp(TMouseButton Button, int X, int Y) {
  if (Button != mbLeft) return;
  if (X < 0 || Y < 0 || X >= FButton->Width() || Y >= FButton->Height()) return;
  if (OnClick) OnClick(this);
  if (FFocusControl != nullptr && FFocusControl->TabStop && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (TabStop && !Focused() && CanFocus())
    SetFocus();
}

void TZirEditButton::Paint() {
  Canvas()->Brush()->SetColor(clBtnFace);
  Canvas()->FillRect(ClientRect());
}

// ---- TZirEditBtn ----

TZirEditBtn::TZirEditBtn(TComponent* AOwner) : TCustomEdit(AOwner) {
  FButton = New<TZirEditButton>(this);
  FButton->SetBounds(0, 0, 18, 18);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  FButton->OnClick = [this](TObject*) { ClickButton(); };
  ControlStyle.Exclude(csSetCaption);
  SetText("0");
  SetEditRect();
}

void TZirEditBtn::SetButtonWidth(int Value) {
  FButton->SetWidth(Value);
  SetBounds(Left(), Top(), Width(), Height());
}

void TZirEditBtn::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FButton->Button()->IsWinXP = Value;
}

void TZirEditBtn::SetRightAlign(bool Value) {
  if (Value == FRightAlign) return;
  FRightAlign = Value;
  Alignment = Value ? taRightJustify : taLeftJustify;
  UpdateView();
  SetEditRect();
}

void TZirEditBtn::SetEditRect() {
  if (FButton == nullptr) return;
  int inset = BorderStyle == bsSingle ? 1 : 3;
  int right = ClientWidth() - FButton->Width() - FUnitSize - 5;
  if (FUnitSize > 0) right -= 3;
  FEditRect = Rect(inset, inset, right, ClientHeight() + 1);
  SetFormattingRect(FEditRect);
}

void TZirEditBtn::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // Never lower than the text needs.
  int minHeight = FontTextHeight(Font()) + ExtraEditHeight(Font());
  TCustomEdit::SetBounds(ALeft, ATop, AWidth, std::max(AHeight, minHeight));
  if (FButton == nullptr) return;
  TRect b = EmbeddedButtonBounds(Width(), Height(), FButton->Width(), Ctl3D, BorderStyle == bsSingle);
  FButton->SetBounds(b.Left, b.Top, b.Width(), b.Height());
  SetEditRect();
}

void TZirEditBtn::ClickButton() {
  if (OnClickBtn) OnClickBtn(this);
}

void TZirEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  const bool altDown = GetKeyState(VK_LMENU) < 0 || GetKeyState(VK_RMENU) < 0 || Shift.Contains(ssAlt);
  if (Key == VK_F4 && !Shift.Contains(ssCtrl) && !altDown) ClickButton();
  // Paste and cut by key only where the edit may change.
  const bool pasteOrCut = (Shift.Contains(ssCtrl) && (Key == 'V' || Key == 'X')) ||
                          (Shift.Contains(ssShift) && (Key == VK_INSERT || Key == VK_DELETE));
  if (pasteOrCut && (!EditorEnabled || ReadOnly())) {
    Key = 0;
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TZirEditBtn::KeyPress(char& Key) {
  if (!EditorEnabled) {
    Key = 0;
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TZirEditBtn::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PASTE:
    case WM_CUT:
      if (!EditorEnabled || ReadOnly()) return;
      break;
    case WM_SIZE:
      TCustomEdit::WndProc(Message);
      SetEditRect();
      return;
    case CM_ENTER:
      TCustomEdit::WndProc(Message);
      if (AutoSelect && !(GetKeyState(VK_LBUTTON) < 0)) SelectAll();
      return;
    default:
      break;
  }
  TCustomEdit::WndProc(Message);
}

// ---- TZirUnitEditBtn ----

// Shows the unit over the edit, between the text and the button.
class TZirUnitEditBtn::TUnitLabel : public TGraphicControl {
 public:
  TUnitLabel(TZirUnitEditBtn* AEdit) : TGraphicControl(AEdit), FEdit(AEdit) { ControlStyle.Include(csOpaque); }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(FEdit->Color());
    Canvas()->FillRect(ClientRect());
    FEdit->PaintUnit(Canvas(), Left(), Top());
  }

 private:
  TZirUnitEditBtn* FEdit;
};

TZirUnitEditBtn::TZirUnitEditBtn(TComponent* AOwner) : TZirEditBtn(AOwner), FUnits(std::make_unique<TStringList>()) {
  FUnitSize = 20;
  FUnitLabel = new TUnitLabel(this);
  FUnitLabel->SetParent(this);
  SetRightAlign(true);
  SetBounds(Left(), Top(), Width(), Height());
}

void TZirUnitEditBtn::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TZirEditBtn::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FUnitLabel == nullptr) return;
  int right = ClientWidth() - ButtonWidth() - 3;
  FUnitLabel->SetBounds(right - UnitSpace(), 2, UnitSpace(), std::max(0, ClientHeight() - 4));
  FUnitLabel->Invalidate();
}

void TZirUnitEditBtn::SetTextAndUnit(const String& Value) {
  for (int i = 0; i < FUnits->Count(); ++i) {
    const String u = FUnits->Strings(i);
    if (u.empty()) continue;
    size_t at = Value.find(u);
    if (at != String::npos && at + u.size() == Value.size()) {
      SetText(Value.substr(0, at));
      SetUnitID(u);
      return;
    }
  }
}

void TZirUnitEditBtn::SetUnitID(const String& Value) {
  FUnitID = Value;
  Invalidate();
  if (FUnitLabel != nullptr) FUnitLabel->Invalidate();
}

void TZirUnitEditBtn::SetUnitSpace(int Value) {
  FUnitSize = Value;
  SetBounds(Left(), Top(), Width(), Height());
  Invalidate();
}

void TZirUnitEditBtn::ClickButton() {
  TZirEditBtn::ClickButton();
  if (FMenu == nullptr) FMenu = New<TPopupMenu>(this);
  // The items of the last menu go: they are owned by the menu and would pile up.
  while (FMenu->Items()->Count() > 0) delete FMenu->Items()->Items(0);
  for (int i = 0; i < FUnits->Count(); ++i) {
    auto* item = New<TMenuItem>(FMenu);
    item->SetCaption(FUnits->Strings(i));
    item->Tag = i + 1;
    item->OnClick = [this](TObject* Sender) { UnitChosen(static_cast<int>(static_cast<TMenuItem*>(Sender)->Tag)); };
    FMenu->Items()->Add(item);
  }
  TPoint p = ClientToScreen(TPoint{ClientWidth() - 15, ClientHeight()});
  FMenu->Popup(p.X, p.Y);
}

void TZirUnitEditBtn::UnitChosen(int ID) {
  if (ID < 1 || ID > FUnits->Count()) return;
  const String unit = FUnits->Strings(ID - 1);
  const bool changed = unit != FUnitID;
  SetUnitID(unit);
  if (changed && OnUnitChanged) OnUnitChanged(this, unit);
}

void TZirUnitEditBtn::PaintUnit(TCanvas* Canvas, int OriginX, int OriginY) {
  int right = ClientWidth() - ButtonWidth() - 3 - OriginX;
  TRect r = Rect(right - UnitSpace(), 2 - OriginY, right, ClientHeight() - OriginY);
  Canvas->Font()->Assign(Font());
  Canvas->SetBkMode(TRANSPARENT);
  Canvas->DrawText(FUnitID, r, DT_EDITCONTROL);
}
