// The memo drop-down: the summary in the edit, the memo in the pop-up and its keys.
#include "grid/dropdowns/RivMemoDropDown.h"

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/StringList.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"

TRivMemoDropDown::TRivMemoDropDown(TComponent* AOwner)
    : TRivCustomDropDown(AOwner), FMemoText(std::make_unique<TStringList>()) {
  FMemoText->OnChange = [this](TObject*) { WriteSummary(); };
}

TRivMemoDropDown::~TRivMemoDropDown() { FMemoText->OnChange = nullptr; }

void TRivMemoDropDown::SetMemoText(TStrings* Value) { FMemoText->Assign(Value); }

void TRivMemoDropDown::SetMemoReadOnly(bool Value) {
  FMemoReadOnly = Value;
  if (FMemo != nullptr && DroppedDown()) FMemo->SetReadOnly(Value);
}

void TRivMemoDropDown::WriteSummary() {
  String s;
  if (FMemoText->Count() > 0) {
    s = FMemoText->Strings(0);
    TBitmap measure(1, 1);
    TCanvas* c = measure.Canvas();
    c->Font()->Assign(Font());
    const int w = EditRect().Width() > 0 ? EditRect().Width() : ClientWidth();
    if (c->TextWidth(s) < w) {
      if (FMemoText->Count() > 1) s += "...";
    } else {
      String cut = s;
      while (!cut.empty()) {
        cut.pop_back();
        if (c->TextWidth(cut + "...") < w) break;
      }
      s = cut + "...";
    }
  }
  FInternalUpdate = true;
  AssignText(s);
  FInternalUpdate = false;
}

void TRivMemoDropDown::Change() {
  TRivCustomDropDown::Change();
  if (FInternalUpdate) return;
  // The summary written back keeps the caret where the typing goes on.
  const int caret = SelStart();
  FMemoText->SetText(Text());
  SetSelStart(caret);
}

void TRivMemoDropDown::CreateDropDownForm() {
  TRivCustomDropDown::CreateDropDownForm();
  if (DropDownForm() == nullptr) return;
  if (FMemo == nullptr) {
    FMemo = New<TMemo>(this);
    FMemo->SetParent(DropDownForm());
    FMemo->SetBounds(0, 0, FMemo->Width(), 100);
    FMemo->OnChange = [this](TObject*) {
      if (OnMemoChange) OnMemoChange(this);
    };
  }
  SetDropDownControl(FMemo);
}

void TRivMemoDropDown::DoBeforeDropDown() {
  TRivCustomDropDown::DoBeforeDropDown();
  if (DropDownForm() != nullptr) DropDownForm()->SetCancelOnDeActivate(false);
  if (FMemo == nullptr) return;
  FMemo->Lines()->Assign(FMemoText.get());
  FMemo->PopupMenu = MemoPopup;
  FMemo->SetScrollBars(MemoScrollBars);
  FMemo->SetReadOnly(FMemoReadOnly);
}

void TRivMemoDropDown::CloseDropDown(bool Cancel) {
  if (Cancel && FMemo != nullptr) FMemo->Lines()->Assign(FMemoText.get());
  // What the edit gets back on a cancel is not a new text: the summary stays.
  FInternalUpdate = true;
  TRivCustomDropDown::CloseDropDown(Cancel);
  FInternalUpdate = false;
  if (Cancel) WriteSummary();
}

void TRivMemoDropDown::PopupHidden() {
  TRivCustomDropDown::PopupHidden();
  if (FMemo != nullptr) {
    const bool saved = FInternalUpdate;
    FInternalUpdate = false;
    FMemoText->Assign(FMemo->Lines());
    FInternalUpdate = saved;
  }
}

void TRivMemoDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  if (Shift.Contains(ssCtrl) && (Key == 'A' || Key == 'a') && FMemo != nullptr) {
    FMemo->SelectAll();
    return;
  }
  if (Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4) TRivCustomDropDown::ControlKeyDown(Key, Shift);
}

void TRivMemoDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4) TRivCustomDropDown::ControlKeyUp(Key, Shift);
}

void TRivMemoDropDown::ControlKeyPress(char& Key) {
  if (GetKeyState(VK_MENU) < 0 || Key == 27) TRivCustomDropDown::ControlKeyPress(Key);
}
