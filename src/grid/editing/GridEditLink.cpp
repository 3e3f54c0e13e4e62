// The editor link's base behaviour and the grid's side of it: showing the linked editor over
// the current cell or on the link's pop-up form, and taking its value back when it closes.
#include "grid/editing/GridEditLink.h"

#include "classlib/PopupForms.h"
#include "classlib/WinApi.h"
#include "grid/model/RivErodovOzar.h"

namespace {

// The link's pop-up form: losing the activation (a press outside, another window coming up)
// ends the edit as leaving the editor does.
class TEditLinkForm : public TPopupForm {
 public:
  TEditLinkForm(TComponent* AOwner, TEditLink* ALink) : TPopupForm(AOwner), FLink(ALink) {}
  void WndProc(TMessage& Message) override {
    TPopupForm::WndProc(Message);
    if (Message.Msg == WM_ACTIVATE && LoWord(Message.WParam) == WA_INACTIVE && Visible()) FLink->FormExit(this);
  }

 private:
  TEditLink* FLink;
};

bool IsEndingKey(const TEditLink& Link, Word Key) {
  switch (Key) {
    case VK_TAB: return true;
    case VK_RETURN: return !Link.WantKeyReturn;
    case VK_ESCAPE: return !Link.WantKeyEscape;
    case VK_PRIOR: case VK_NEXT: return !Link.WantKeyPriorNext;
    case VK_HOME: case VK_END: return !Link.WantKeyHomeEnd;
    case VK_LEFT: case VK_RIGHT: return !Link.WantKeyLeftRight;
    case VK_UP: case VK_DOWN: return !Link.WantKeyUpDown;
    default: return false;
  }
}

}  // namespace

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == FOwner) FOwner = nullptr;
  TComponent::Notification(AComponent, Operation);
}

void TEditLink::EditKeyDown(TObject*, Word& Key, TShiftState Shift) {
  TRivErodovOzar* grid = FOwner;
  if (grid == nullptr || !IsEndingKey(*this, Key)) return;
  if (Key == VK_ESCAPE) SetEditorValue(grid->FCellCache);
  // The grid takes the focus first: the control's exit then only writes its value.
  FForcedExit = true;
  if (grid->CanFocus()) grid->SetFocus();
  FForcedExit = false;
  grid->HideInplaceEdit();
  if (Key == VK_RETURN && grid->FLastValidation && grid->Navigation()->AdvanceOnEnter) {
    grid->AdvanceEdit(grid->Col(), grid->Row(), false, false, !Shift.Contains(ssShift), true, false);
    Key = 0;
    return;
  }
  if (!grid->FLastValidation) {
    grid->FLastValidation = true;
    grid->ShowInplaceEdit();
    return;
  }
  if (Key == VK_ESCAPE) {
    Key = 0;
    return;
  }
  if (Key == VK_TAB || (Key >= VK_LEFT && Key <= VK_DOWN)) {
    Word key = Key;
    grid->KeyDown(key, Shift);
  }
  if (TWinControl* control = GetEditControl()) control->SetEnabled(false);
  FForcedExit = true;
  if (grid->CanFocus()) grid->SetFocus();
  FForcedExit = false;
  if (Key == VK_TAB && grid->Options().Contains(goTabs)) PostMessage(grid->Handle(), WM_KEYDOWN, VK_F2, 0);
}

void TEditLink::SetFocus(bool Value) {
  TWinControl* control = GetEditControl();
  if (control != nullptr) {
    control->SetVisible(true);
    control->SetEnabled(true);
    if (EditStyle == esInplace && !FSubClassed) FSubClassed = true;
  }
  if (Value) {
    if (control != nullptr && control->CanFocus()) control->SetFocus();
  } else if (FOwner != nullptr && FOwner->CanFocus()) {
    FOwner->SetFocus();
  }
}

void TEditLink::SetRect(TRect R) {
  TWinControl* control = GetEditControl();
  if (control == nullptr) return;
  const int line = FOwner != nullptr ? FOwner->GridLineWidth() : 0;
  control->SetBounds(R.Left, R.Top, R.Width() - line, R.Height() - line);
}

void TEditLink::SetVisible(bool Value) {
  if (TWinControl* control = GetEditControl()) control->SetVisible(Value);
}

void TEditLink::EditExit(TObject*) {
  HideEditor();
  ClosePopupForm();
}

void TEditLink::ClosePopupForm() {
  if (EditStyle != esPopup || FPopupForm == nullptr || !FPopupForm->Visible()) return;
  DestroyEditor();
  FPopupForm->Hide();
}

void TEditLink::FormExit(TObject* Sender) {
  if (FOwner == nullptr) return;
  if (TRivInplaceEdit* edit = FOwner->NormalEdit()) edit->SetText(GetEditorValue());
  if (FForcedExit) {
    SetCellValue(GetEditorValue());
    return;
  }
  EditExit(Sender);
  FOwner->InvokedFocusChange = true;
}

TWinControl* TEditLink::GetParent() {
  if (EditStyle == esPopup) return FPopupForm;
  return FOwner;
}

String TEditLink::GetCellValue() {
  if (FOwner == nullptr) return String();
  return FOwner->Cells(FOwner->RealColIndex(FOwner->Col()), FOwner->Row());
}

void TEditLink::SetCellValue(const String& s) {
  if (FOwner != nullptr) FOwner->SetEditCellText(FOwner->Col(), FOwner->Row(), s);
}

void TEditLink::HideEditor() {
  SetCellValue(GetEditorValue());
  if (FOwner != nullptr) FOwner->HideInplaceEdit();
  RestoreWinProc();
}

void TEditLink::RestoreWinProc() {
  TWinControl* control = GetEditControl();
  if (EditStyle != esInplace || control == nullptr) return;
  FSubClassed = false;
  control->Hide();
}

// Each link keeps its own form: it is made once and shown again for every edit.
void TEditLink::ShowPopupForm(TPoint Pos) {
  if (FPopupForm == nullptr) {
    FPopupForm = New<TEditLinkForm>(this, this);
    FPopupForm->BorderStyle = bsNone;
    FPopupForm->FormStyle = fsStayOnTop;
  }
  FPopupForm->SetBounds(Pos.X, Pos.Y, 0, 0);
  FPopupForm->Show();
  FPopupForm->SetBounds(Pos.X, Pos.Y, PopupWidth, PopupHeight);
}

// ---- The grid's side ----

void TRivErodovOzar::SetEditLink(TEditLink* Value) {
  if (FEditLink == Value) return;
  if (FEditLink != nullptr) {
    FEditLink->RemoveFreeNotification(this);
    if (FEditLink->FOwner == this) FEditLink->FOwner = nullptr;
  }
  FEditLink = Value;
  if (FEditLink != nullptr) {
    FEditLink->FreeNotification(this);
    FEditLink->FOwner = this;
  }
}

void TRivErodovOzar::ShowEditLinkEditor(int ACol, int ARow) {
  TEditLink* link = FEditLink;
  if (link == nullptr) return;
  const int realCol = RealColIndex(ACol);
  const TRect r = CellRect(ACol, ARow);
  EditMode = true;
  FSpecialEditor = true;
  link->FOwner = this;
  link->FEditCell = TPoint{realCol, ARow};
  if (link->EditStyle == esPopup) {
    if (link->AutoPopupWidth) link->PopupWidth = r.Width();
    const bool atCell = link->PopupLeft == -1 || link->PopupTop == -1;
    link->ShowPopupForm(atCell ? ClientToScreen(TPoint{r.Left, r.Top}) : TPoint{link->PopupLeft, link->PopupTop});
    link->CreateEditor(link->FPopupForm);
    link->SetRect(TRect{0, 0, link->PopupWidth, link->PopupHeight});
  } else {
    link->CreateEditor(this);
    link->SetRect(r);
  }
  link->SetVisible(true);
  link->SetCellProps(Color(), Font());
  link->SetProperties();
  DoGetEditorProp(realCol, ARow, link);
  link->SetEditorValue(GetEditText(ACol, ARow));
  const char start = FStartEditChar;
  link->SetFocus(true);
  FStartEditChar = start;
  FEditActive = true;
  TWinControl* control = link->GetEditControl();
  if (start != '\0' && control != nullptr) PostMessage(control->Handle(), WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(start)), 0);
  FStartEditChar = '\0';
}

void TRivErodovOzar::HideEditLinkEditor() {
  TEditLink* link = FEditLink;
  if (link == nullptr || !EditMode) return;
  EditMode = false;
  SetEditCellText(Col(), Row(), link->GetEditorValue());
  if (link->EditStyle != esPopup) link->SetVisible(false);
  link->RestoreWinProc();
  // An edit ended by a key or by the grid closes the pop-up too: it would stay on screen
  // with nothing behind it.
  link->ClosePopupForm();
}
