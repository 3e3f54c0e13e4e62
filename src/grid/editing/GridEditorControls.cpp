// The spin, combo, edit-button, unit, check-box and button editors of the grid: how each ends
// an edit and what it reports to the grid.
#include "grid/editing/GridEditorControls.h"

#include "classlib/WinApi.h"
#include "grid/model/RivErodovOzar.h"

namespace {

TRivErodovOzar* GridOf(TComponent* AOwner) { return dynamic_cast<TRivErodovOzar*>(AOwner); }

// Enter, Escape and Tab by the rule given (CM_WANTSPECIALKEY).
void KeepEditKeys(TMessage& Message, bool KeepTab) {
  const auto key = static_cast<Word>(Message.WParam);
  if (key == VK_RETURN || key == VK_ESCAPE || (key == VK_TAB && KeepTab)) Message.Result = 1;
}

}  // namespace

// ---- TGridSpin --------------------------------------------------------------------------------

TGridSpin::TGridSpin(TComponent* AOwner) : TZirSpinEdit(AOwner), FGrid(GridOf(AOwner)) {
  MaxValue = 100;
  MinValue = 0;
  Increment = 1;
}

void TGridSpin::ReportStep(bool Up) {
  if (FGrid == nullptr) return;
  const int c = FGrid->RealColIndex(FGrid->Col());
  const int r = FGrid->Row();
  switch (SpinType()) {
    case sptNormal:
      if (FGrid->OnSpinClick) FGrid->OnSpinClick(FGrid, c, r, Value(), Up);
      break;
    case sptFloat:
      if (FGrid->OnFloatSpinClick) FGrid->OnFloatSpinClick(FGrid, c, r, FloatValue(), Up);
      break;
    case sptDate:
      if (FGrid->OnDateSpinClick) FGrid->OnDateSpinClick(FGrid, c, r, DateValue(), Up);
      break;
    case sptTime:
      if (FGrid->OnTimeSpinClick) FGrid->OnTimeSpinClick(FGrid, c, r, TimeValue(), Up);
      break;
  }
}

void TGridSpin::UpClick(bool Page) {
  TZirSpinEdit::UpClick(Page);
  ReportStep(true);
}

void TGridSpin::DownClick(bool Page) {
  TZirSpinEdit::DownClick(Page);
  ReportStep(false);
}

void TGridSpin::KeyDown(Word& Key, TShiftState Shift) {
  if (FGrid == nullptr) {
    TZirSpinEdit::KeyDown(Key, Shift);
    return;
  }
  const bool isFloat = SpinType() == sptFloat;
  const bool dated = SpinType() == sptDate || SpinType() == sptTime;
  if (!dated && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END)) {
    if (isFloat) {
      if (Key == VK_PRIOR && FloatValue() + IncrementFloat <= MaxFloatValue) SetFloatValue(FloatValue() + IncrementFloat);
      if (Key == VK_NEXT && FloatValue() - IncrementFloat >= MinFloatValue) SetFloatValue(FloatValue() - IncrementFloat);
      if (Key == VK_HOME) SetFloatValue(MaxFloatValue);
      if (Key == VK_END) SetFloatValue(MinFloatValue);
    } else {
      if (Key == VK_PRIOR && Value() + Increment <= MaxValue) SetValue(Value() + Increment);
      if (Key == VK_NEXT && Value() - Increment >= MinValue) SetValue(Value() - Increment);
      if (Key == VK_HOME) SetValue(MaxValue);
      if (Key == VK_END) SetValue(MinValue);
    }
    if (FGrid->OnSpinClick)
      FGrid->OnSpinClick(FGrid, FGrid->RealColIndex(FGrid->Col()), FGrid->Row(), Value(), Key == VK_PRIOR || Key == VK_HOME);
    Key = 0;
    return;
  }
  if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE && Key != VK_UP && Key != VK_DOWN) {
    TZirSpinEdit::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    FGrid->CancelSpecialEdit();
    SetText(FGrid->FCellCache);
  } else {
    if (!FGrid->ValidateSpecialEdit(Text())) {
      SetText(FGrid->CurrentCell());
      SetSelStart(static_cast<int>(Text().size()));
      Key = 0;
      FGrid->FNoAutoAdvance = true;
      Invalidate();
      return;
    }
    SetText(FGrid->CurrentCell());
  }
  const Word key = Key;
  Key = 0;
  if (key == VK_TAB && FGrid->Options().Contains(goTabs)) {
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->TabMove(Shift.Contains(ssShift));
  } else if (key == VK_RETURN && FGrid->Navigation()->AdvanceOnEnter) {
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->AdvanceEdit(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
  } else {
    FGrid->DoneInplaceEdit(key, Shift);
  }
}

void TGridSpin::KeyPress(char& Key) {
  if (Key == 27) {
    Key = 0;
    return;
  }
  if (Key == '\r') return;
  TZirSpinEdit::KeyPress(Key);
}

void TGridSpin::WndProc(TMessage& Message) {
  if (Message.Msg == WM_CHAR && (Message.WParam == VK_TAB || Message.WParam == VK_RETURN)) {
    Message.Result = 0;
    return;
  }
  if (Message.Msg == CM_WANTSPECIALKEY && FGrid != nullptr) {
    TZirSpinEdit::WndProc(Message);
    KeepEditKeys(Message, FGrid->Options().Contains(goTabs));
    return;
  }
  TZirSpinEdit::WndProc(Message);
}

void TGridSpin::DoExit() {
  if (FGrid != nullptr && FGrid->FSpecialEditor) FGrid->HideInplaceEdit();
  TZirSpinEdit::DoExit();
}

void TGridSpin::Change() {
  TZirSpinEdit::Change();
  if (FGrid != nullptr && FGrid->OnEditChange)
    FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

// ---- TGridCombo -------------------------------------------------------------------------------

TGridCombo::TGridCombo(TComponent* AOwner) : TROZComboBox(AOwner), FGrid(GridOf(AOwner)) {
  WorkMode = true;
  SetButtonWidth(16);
  ItemChange = false;
}

void TGridCombo::SelectItemOf(const String& Value) {
  const int i = Items()->IndexOf(Value);
  if (i >= 0) SetItemIndex(i);
}

void TGridCombo::FireComboChange() {
  if (FGrid == nullptr) return;
  const int c = FGrid->RealColIndex(FGrid->Col());
  const int r = FGrid->Row();
  const int i = ItemIndex();
  const String s = i >= 0 ? Items()->Strings(i) : Text();
  if (FGrid->OnComboChange) FGrid->OnComboChange(FGrid, c, r, i, s);
  if (FGrid->OnComboObjectChange) FGrid->OnComboObjectChange(FGrid, c, r, i, s, i >= 0 ? Items()->Objects(i) : nullptr);
}

void TGridCombo::KeyDown(Word& Key, TShiftState Shift) {
  if (FGrid == nullptr) {
    TROZComboBox::KeyDown(Key, Shift);
    return;
  }
  const bool list = Style() == csDropDownList || DroppedDown;
  bool leaving = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE;
  if (list)
    leaving = leaving || Key == VK_LEFT || Key == VK_RIGHT;
  else
    leaving = leaving || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_UP || Key == VK_DOWN;
  if (Shift.Contains(ssAlt) && Key == VK_DOWN) leaving = false;
  WorkMode = Key != VK_BACK && Key != VK_DELETE;
  if (!leaving) {
    TROZComboBox::KeyDown(Key, Shift);
    return;
  }
  if ((Key == VK_UP || Key == VK_DOWN) && !DroppedDown && !FGrid->Navigation()->ComboGetUpDown) {
    FGrid->HideInplaceEdit();
    const bool alwaysEdit = FGrid->Navigation()->AlwaysEdit;
    FGrid->Navigation()->AlwaysEdit = false;
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->KeyDown(Key, Shift);
    FGrid->Navigation()->AlwaysEdit = alwaysEdit;
    Key = 0;
    return;
  }
  if (Key == VK_ESCAPE) {
    FGrid->CancelSpecialEdit();
    SetText(FGrid->CurrentCell());
    SelectItemOf(FGrid->CurrentCell());
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    Key = 0;
    return;
  }
  const bool validates = Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN || (Key == VK_TAB && FGrid->EditorWantsTab());
  if (validates) {
    if (!FGrid->ValidateSpecialEdit(Text())) {
      SetText(FGrid->FNewCellText);
      Invalidate();
      Key = 0;
      FGrid->FNoAutoAdvance = true;
      return;
    }
    if (Style() == csDropDownList)
      SelectItemOf(FGrid->CurrentCell());
    else
      SetText(FGrid->CurrentCell());
  }
  if (Key == VK_TAB && FGrid->EditorWantsTab()) {
    if (FGrid->Options().Contains(goTabs)) {
      FGrid->HideInplaceEdit();
      if (FGrid->CanFocus()) FGrid->SetFocus();
      FGrid->TabMove(Shift.Contains(ssShift));
      Key = 0;
      return;
    }
    PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  Word key = Key;
  if (list) {
    const bool directClose = FGrid->MouseActions()->DirectComboClose;
    FGrid->MouseActions()->DirectComboClose = false;
    FGrid->HideInplaceEdit();
    FGrid->MouseActions()->DirectComboClose = directClose;
    DroppedDown = false;
  } else if (Key == VK_END) {
    TROZComboBox::KeyDown(Key, Shift);
    return;
  }
  Key = 0;
  FGrid->DoneInplaceEdit(key, Shift);
  if (FGrid->Navigation()->AdvanceOnEnter && FGrid->Navigation()->AdvanceAutoEdit) FGrid->ShowInplaceEdit();
}

void TGridCombo::KeyPress(char& Key) {
  const int before = ItemIndex();
  if (FGrid != nullptr && FGrid->OnKeyPress) FGrid->OnKeyPress(this, Key);
  if (Key == 27) {
    Key = 0;
    return;
  }
  if (Key == '\r' && OnReturnKey) OnReturnKey(this);
  if (Key == '\r' || Key == '\t') {
    Key = 0;
    return;
  }
  TROZComboBox::KeyPress(Key);
  if (ItemIndex() != before) FireComboChange();
}

void TGridCombo::KeyUp(Word& Key, TShiftState Shift) {
  if (FGrid != nullptr) FGrid->FNoAutoAdvance = false;
  if (Key != VK_RETURN) TROZComboBox::KeyUp(Key, Shift);
}

void TGridCombo::Change() {
  TROZComboBox::Change();
  DoChange();
  if (FGrid != nullptr && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

// Our combo reports typing with the whole text typed so far: the typed part is the text.
void TGridCombo::DoChange() {
  if (!WorkMode || FGrid == nullptr || !FGrid->Lookup || Style() != csDropDown) return;
  const String typed = Text();
  if (typed.empty()) return;
  auto key = [&](const String& S) { return FGrid->LookupCaseSensitive ? S : AnsiUpperCase(S); };
  const String p = key(typed);
  auto complete = [&](TStrings* List, bool SelectIt) {
    for (int i = 0; i < List->Count(); ++i) {
      const String item = List->Strings(i);
      if (key(item).compare(0, p.size(), p) != 0 || item.size() < p.size()) continue;
      if (item.size() == typed.size()) return true;
      WorkMode = false;
      SetText(typed + item.substr(typed.size(), 255));
      if (SelectIt) SetItemIndex(i);
      WorkMode = true;
      ItemIdx = i;
      ItemChange = true;
      return true;
    }
    return false;
  };
  if (!complete(Items(), true)) complete(FGrid->LookupItems(), false);
}

void TGridCombo::SizeDropDownWidth() {
  if (FGrid == nullptr) return;
  int w = Width();
  TCanvas* canvas = FGrid->Canvas();
  const bool scrolls = Items()->Count() > DropDownCount;
  for (int i = 0; i < Items()->Count(); ++i) {
    const int tw = canvas->TextWidth(Items()->Strings(i));
    if (scrolls && w - 25 < tw) w = tw + 25;
    if (!scrolls && w - 5 < tw) w = tw + 8;
  }
  SetDropWidth(w);
}

void TGridCombo::WndProc(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY && FGrid != nullptr) {
    TROZComboBox::WndProc(Message);
    KeepEditKeys(Message, FGrid->EditorWantsTab());
    return;
  }
  if (Message.Msg == WM_MOUSEWHEEL && FGrid != nullptr && Items()->Count() > 0) {
    const auto delta = static_cast<int16_t>(HiWord(static_cast<uint32_t>(Message.WParam)));
    const int i = delta < 0 ? std::min(ItemIndex() + 1, Items()->Count() - 1) : std::max(ItemIndex() - 1, 0);
    SetItemIndex(i);
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
    FireComboChange();
    Message.Result = 0;
    return;
  }
  TROZComboBox::WndProc(Message);
}

void TGridCombo::DoEnter() {
  TROZComboBox::DoEnter();
  if (FGrid != nullptr) FGrid->LButFlg = false;
}

void TGridCombo::DoExit() {
  if (FGrid != nullptr && FGrid->FSpecialEditor) FGrid->HideInplaceEdit();
  TROZComboBox::DoExit();
}

// ---- TGridEditBtn -----------------------------------------------------------------------------

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TZirEditBtn(AOwner), FGrid(GridOf(AOwner)) {
  OnClickBtn = [this](TObject*) { ButtonClicked(); };
  WorkMode = true;
}

void TGridEditBtn::ButtonClicked() {
  if (FGrid == nullptr) return;
  String result;
  FGrid->DoEllipsClick(Text(), result);
  SetText(result);
  SelectAll();
  Invalidate();
  if (StopEditAfterClick) {
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
  }
}

void TGridEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  if (FGrid == nullptr) {
    TZirEditBtn::KeyDown(Key, Shift);
    return;
  }
  const bool leaving = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                       Key == VK_UP || Key == VK_DOWN;
  if (!leaving && FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
  WorkMode = Key != VK_BACK && Key != VK_DELETE;
  FSelKeyDown = SelStart();
  if (Shift.Contains(ssCtrl) || !leaving) {
    TZirEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
  if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    const bool valid = FGrid->ValidateSpecialEdit(Text());
    SetText(FGrid->FNewCellText);
    if (!valid) {
      SelectAll();
      Invalidate();
      Key = 0;
      FGrid->FNoAutoAdvance = true;
      return;
    }
  }
  const Word key = Key;
  Key = 0;
  if (key == VK_RETURN && FGrid->Navigation()->AdvanceOnEnter) {
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->AdvanceEdit(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
    return;
  }
  if (key == VK_TAB && FGrid->EditorWantsTab()) {
    if (FGrid->Options().Contains(goTabs)) {
      FGrid->HideInplaceEdit();
      if (FGrid->CanFocus()) FGrid->SetFocus();
      FGrid->TabMove(Shift.Contains(ssShift));
      return;
    }
    PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (key == VK_ESCAPE) {
    FGrid->CancelSpecialEdit();
    SetText(FGrid->FCellCache);
  }
  FGrid->DoneInplaceEdit(key, Shift);
}

void TGridEditBtn::KeyPress(char& Key) {
  if (FGrid != nullptr && FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
  if (Key != '\t') TZirEditBtn::KeyPress(Key);
}

void TGridEditBtn::WndProc(TMessage& Message) {
  if (Message.Msg == WM_CHAR && (Message.WParam == VK_TAB || Message.WParam == VK_RETURN)) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg == CM_WANTSPECIALKEY && FGrid != nullptr) {
    TZirEditBtn::WndProc(Message);
    KeepEditKeys(Message, FGrid->EditorWantsTab());
    return;
  }
  TZirEditBtn::WndProc(Message);
}

void TGridEditBtn::DblClick() {
  TZirEditBtn::DblClick();
  if (FGrid != nullptr && FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridEditBtn::DoExit() {
  if (FGrid != nullptr && FGrid->FSpecialEditor) FGrid->HideInplaceEdit();
  TZirEditBtn::DoExit();
}

void TGridEditBtn::Change() {
  TZirEditBtn::Change();
  if (FGrid != nullptr && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

// ---- TGridUnitEditBtn -------------------------------------------------------------------------

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TZirUnitEditBtn(AOwner), FGrid(GridOf(AOwner)) {
  OnClickBtn = [this](TObject*) {
    if (FGrid == nullptr) return;
    String result;
    FGrid->DoEllipsClick(Text(), result);
    SetText(result);
    SelectAll();
    Invalidate();
  };
}

void TGridUnitEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  const bool leaving = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                       Key == VK_UP || Key == VK_DOWN;
  if (FGrid == nullptr || !leaving) {
    TZirUnitEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    if (!FGrid->ValidateSpecialEdit(TextAndUnit())) {
      SetText(FGrid->CurrentCell());
      Key = 0;
      return;
    }
    SetTextAndUnit(FGrid->CurrentCell());
  }
  const Word key = Key;
  Key = 0;
  if (key == VK_RETURN && FGrid->Navigation()->AdvanceOnEnter) {
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->AdvanceEdit(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
    return;
  }
  if (key == VK_TAB && FGrid->Options().Contains(goTabs)) {
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->TabMove(Shift.Contains(ssShift));
    return;
  }
  if (key == VK_ESCAPE) {
    FGrid->CancelSpecialEdit();
    SetUnitID("");
    SetText(FGrid->CurrentCell());
  }
  FGrid->DoneInplaceEdit(key, Shift);
}

void TGridUnitEditBtn::WndProc(TMessage& Message) {
  if (Message.Msg == WM_CHAR && Message.WParam == VK_RETURN) {
    Message.Result = 0;
    return;
  }
  if (Message.Msg == CM_WANTSPECIALKEY && FGrid != nullptr) {
    TZirUnitEditBtn::WndProc(Message);
    KeepEditKeys(Message, FGrid->Options().Contains(goTabs));
    return;
  }
  TZirUnitEditBtn::WndProc(Message);
}

void TGridUnitEditBtn::DoExit() {
  if (FGrid != nullptr && FGrid->FSpecialEditor) FGrid->HideInplaceEdit();
  TZirUnitEditBtn::DoExit();
}

// ---- TGridCheckBox ----------------------------------------------------------------------------

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner), FGrid(GridOf(AOwner)) {}

void TGridCheckBox::KeyDown(Word& Key, TShiftState Shift) {
  const bool leaving = Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END ||
                       (Key >= VK_LEFT && Key <= VK_DOWN);
  if (FGrid == nullptr || !leaving) {
    if (Key == VK_SPACE) {
      SetChecked(!Checked());
      Key = 0;
      return;
    }
    TCheckBox::KeyDown(Key, Shift);
    return;
  }
  const Word key = Key;
  Key = 0;
  if (key == VK_ESCAPE) {
    FGrid->CancelSpecialEdit();
    SetCaption(FGrid->CurrentCell());
  }
  FGrid->HideInplaceEdit();
  if (FGrid->CanFocus()) FGrid->SetFocus();
  if (key == VK_RETURN) FGrid->AdvanceEdit(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
  if (key == VK_UP || key == VK_DOWN) {
    Word k = key;
    FGrid->KeyDown(k, Shift);
  }
}

void TGridCheckBox::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONDOWN) SetChecked(!Checked());
  TCheckBox::WndProc(Message);
}

void TGridCheckBox::DoExit() {
  if (FGrid != nullptr && FGrid->FSpecialEditor) FGrid->HideInplaceEdit();
  TCheckBox::DoExit();
}

// ---- TGridButton ------------------------------------------------------------------------------

TGridButton::TGridButton(TComponent* AOwner) : TButton(AOwner), FGrid(GridOf(AOwner)) {}

void TGridButton::Pressed() {
  if (FGrid == nullptr) return;
  String result;
  FGrid->DoEllipsClick(Caption(), result);
  SetCaption(result);
  FGrid->SetCurrentCell(result);
}

void TGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) Pressed();
  TButton::MouseUp(Button, Shift, X, Y);
}

void TGridButton::KeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_SPACE) {
    Pressed();
    TButton::KeyUp(Key, Shift);
    if (CanFocus()) SetFocus();
    Invalidate();
    return;
  }
  TButton::KeyUp(Key, Shift);
}

void TGridButton::KeyDown(Word& Key, TShiftState Shift) {
  const bool arrow = Key >= VK_LEFT && Key <= VK_DOWN;
  if (FGrid == nullptr || (!arrow && Key != VK_ESCAPE)) {
    TButton::KeyDown(Key, Shift);
    return;
  }
  const Word key = Key;
  Key = 0;
  if (arrow) SendMessage(FGrid->Handle(), WM_KEYDOWN, key, 0);
  Hide();
  SetEnabled(false);
  FGrid->EditMode = false;
  if (FGrid->CanFocus()) FGrid->SetFocus();
  if (arrow) {
    SendMessage(FGrid->Handle(), WM_KEYUP, key, 0);
  } else {
    FGrid->RestoreCellCache();
    SendMessage(FGrid->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  }
}

void TGridButton::WndProc(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY) {
    const auto key = static_cast<Word>(Message.WParam);
    if (key == VK_ESCAPE || (key >= VK_LEFT && key <= VK_DOWN)) {
      Message.Result = 1;
      return;
    }
  }
  TButton::WndProc(Message);
}

void TGridButton::DoExit() {
  if (FGrid != nullptr && FGrid->FSpecialEditor) FGrid->HideInplaceEdit();
  TButton::DoExit();
}
