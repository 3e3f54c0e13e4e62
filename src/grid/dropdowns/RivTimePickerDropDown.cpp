// The time picker drop-down: the masked time text and its parse, field changes with Up and
// Down, and the pop-up with the watch (and a time picker) that the edit follows.
#include "grid/dropdowns/RivTimePickerDropDown.h"

#include <cmath>

#include "classlib/DateTimePicker.h"
#include "classlib/ExtCtrls.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivDropDownStrips.h"

namespace {

String TwoDigits(int N) { return N < 10 ? "0" + IntToStr(N) : IntToStr(N); }

bool FieldPasses(const String& F) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (F.empty()) return true;
  if (!digit(F[0])) return false;
  return F.size() < 2 || digit(F[1]);
}

int FieldValue(const String& F) { return F.empty() ? 0 : StrToIntDef(F, 0); }

TDateTime TimeOfDay(TDateTime T) { return T - std::floor(T); }

}  // namespace

TRivTimePickerDropDown::TRivTimePickerDropDown(TComponent* AOwner)
    : TRivCustomDropDown(AOwner),
      FWatchAppearance(std::make_unique<TWatchAppearance>()),
      FWatchSettings(std::make_unique<TWatchSettings>()) {}

TRivTimePickerDropDown::~TRivTimePickerDropDown() = default;

void TRivTimePickerDropDown::AfterConstruction() {
  TRivCustomDropDown::AfterConstruction();
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
  InstallMask();
  FInternalCall = true;
  const String s(1, FormatSettings.TimeSeparator);
  AssignText("00" + s + "00" + s + "00");
  FInternalCall = false;
}

void TRivTimePickerDropDown::InstallMask() {
  const String s(1, FormatSettings.TimeSeparator);
  SetEditMask(FShowSeconds ? "!90" + s + "00" + s + "00;1; " : "!90" + s + "00;1; ");
}

String TRivTimePickerDropDown::TimeText(TDateTime Value) const {
  Word h = 0, m = 0, sec = 0, ms = 0;
  DecodeTime(TimeOfDay(Value), h, m, sec, ms);
  const String s(1, FormatSettings.TimeSeparator);
  String text = TwoDigits(h) + s + TwoDigits(m);
  if (FShowSeconds) text += s + TwoDigits(sec);
  return text;
}

void TRivTimePickerDropDown::SetTime(TDateTime Value) {
  if (FTime == Value) return;
  FTime = Value;
  AssignText(TimeText(Value));
}

void TRivTimePickerDropDown::SetShowSeconds(bool Value) {
  if (FShowSeconds == Value) return;
  FShowSeconds = Value;
  FInternalCall = true;
  SetEditMask("");
  AssignText("");
  InstallMask();
  FInternalCall = false;
  AssignText(TimeText(FTime));
}

void TRivTimePickerDropDown::SetWatchAppearance(TWatchAppearance* Value) { FWatchAppearance->Assign(Value); }
void TRivTimePickerDropDown::SetWatchSettings(TWatchSettings* Value) { FWatchSettings->Assign(Value); }

// ---- The text ------------------------------------------------------------------------------------

void TRivTimePickerDropDown::Change() {
  TRivCustomDropDown::Change();
  if (!FInternalCall) ParseText();
}

void TRivTimePickerDropDown::ParseText() {
  const char sep = FormatSettings.TimeSeparator;
  String text = EditText();
  if (static_cast<int>(Trim(text).size()) != (FShowSeconds ? 8 : 5)) return;
  const size_t first = text.find(sep);
  if (first == String::npos) return;
  const String afterFirst = Trim(text.substr(first + 1));
  const size_t second = afterFirst.find(sep);
  if (FShowSeconds) {
    if (second == String::npos || afterFirst.find(sep, second + 1) != String::npos) return;
  } else if (second != String::npos) {
    return;
  }
  for (char& c : text)
    if (c == ' ') c = '0';
  const size_t sepAt = text.find(sep);
  const String hourField = Trim(text.substr(0, sepAt));
  const String rest = text.substr(sepAt + 1);
  const size_t nextSep = rest.find(sep);
  const String minuteField = Trim(FShowSeconds ? rest.substr(0, nextSep) : rest);
  const String secondField = FShowSeconds ? Trim(rest.substr(nextSep + 1)) : String();
  for (const String* f : {&hourField, &minuteField, &secondField})
    if (!FieldPasses(*f)) return;
  const int h = FieldValue(hourField), m = FieldValue(minuteField), sec = FieldValue(secondField);
  // A time the day does not have leaves the value as it was.
  TDateTime t = 0;
  if (!TryEncodeTime(static_cast<Word>(h), static_cast<Word>(m), static_cast<Word>(sec), 0, t)) return;
  FTime = t;
  const String s(1, sep);
  String canonical = TwoDigits(h) + s + TwoDigits(m);
  if (FShowSeconds) canonical += s + TwoDigits(sec);
  if (canonical != EditText() && m == 0 && sec == 0) {
    FInternalCall = true;
    AssignText(canonical);
    FInternalCall = false;
  }
}

void TRivTimePickerDropDown::ChangeField(int Field, int Value) {
  Word h = 0, m = 0, sec = 0, ms = 0;
  DecodeTime(TimeOfDay(FTime), h, m, sec, ms);
  Word* fields[3] = {&h, &m, &sec};
  const int limit = Field == 0 ? 23 : 59;
  if (Value < 0 || Value > limit || *fields[Field] == Value) return;
  *fields[Field] = static_cast<Word>(Value);
  SetTime(EncodeTime(h, m, sec, ms));
  if (OnTimeChange) OnTimeChange(this);
}

void TRivTimePickerDropDown::KeyDown(Word& Key, TShiftState Shift) {
  TRivCustomDropDown::KeyDown(Key, Shift);
  if ((Key != VK_UP && Key != VK_DOWN) || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
  const int caret = SelStart();
  const String text = EditText();
  const char sep = FormatSettings.TimeSeparator;
  const size_t first = text.find(sep);
  int field = 1;
  if (first == String::npos || caret < static_cast<int>(first)) {
    field = 0;
  } else if (FShowSeconds) {
    const size_t second = text.find(sep, first + 1);
    if (second != String::npos && caret - static_cast<int>(first) >= static_cast<int>(second - first)) field = 2;
  }
  Word h = 0, m = 0, sec = 0, ms = 0;
  DecodeTime(TimeOfDay(FTime), h, m, sec, ms);
  const int values[3] = {h, m, sec};
  const int top = field == 0 ? 23 : 59;
  int v = values[field];
  if (Key == VK_UP)
    v = v == 0 ? top : v - 1;
  else
    v = v == top ? 0 : v + 1;
  ChangeField(field, v);
  SetSelStart(caret);
}

// ---- The pop-up ----------------------------------------------------------------------------------

void TRivTimePickerDropDown::CreateDropDownForm() {
  TRivCustomDropDown::CreateDropDownForm();
  if (DropDownForm() == nullptr) return;
  if (FPanelCtrl == nullptr) {
    FPanelCtrl = New<TPanel>(this);
    FPanelCtrl->SetParent(DropDownForm());
    FPanelCtrl->SetBevelInner(bvNone);
    FPanelCtrl->SetBevelOuter(bvNone);
  }
  FPanelCtrl->SetBounds(0, 0, FPanelCtrl->Width(), 180);
  if (FRivWatch == nullptr) {
    FRivWatch = New<TRivWatch>(this);
    FRivWatch->SetParent(FPanelCtrl);
  }
  FRivWatch->SetAlign(alClient);
  SetDropDownControl(FPanelCtrl);
}

void TRivTimePickerDropDown::DoBeforeDropDown() {
  TRivCustomDropDown::DoBeforeDropDown();
  FOpenTime = FTime;
  FOpenText = EditText();
  if (FPanelCtrl == nullptr || FRivWatch == nullptr) return;
  FPanelCtrl->SetBounds(FPanelCtrl->Left(), FPanelCtrl->Top(), 170, 170);
  if (DropDownForm() != nullptr) {
    TDropDownForm* f = DropDownForm();
    f->SetBounds(f->Left(), f->Top(), f->Width() + 1, f->Height());
    f->SetBounds(f->Left(), f->Top(), f->Width() - 1, f->Height());
    f->SetCancelOnDeActivate(false);
  }
  FPanelCtrl->SetColor(DropDownColor());
  FRivWatch->SetAppearance(FWatchAppearance.get());
  FRivWatch->SetSettings(FWatchSettings.get());
  FRivWatch->SetShowAMPM(ShowWatchAMPM);
  FRivWatch->SetShowNumbers(ShowWatchNumbers);
  FRivWatch->Animation = Animation;
  FRivWatch->AnimationFactor = AnimationFactor;
  if (!FWatchSettings->Auto()) {
    FRivWatch->OnChange = nullptr;
    FRivWatch->SetTime(FTime);
  }
  FRivWatch->OnChange = [this](TObject*) { WatchChanged(); };
  // A click on the face gives it the keyboard; its keys are the pop-up's.
  FRivWatch->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { PopupKeyDown(Key, Shift); };
  FRivWatch->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { PopupKeyUp(Key, Shift); };
  FRivWatch->OnKeyPress = [this](TObject*, char& Key) { TRivCustomDropDown::PopupKeyPress(Key); };
  if (ShowTimePicker) {
    if (FDateTimePicker == nullptr) {
      FDateTimePicker = New<TDateTimePicker>(this);
      FDateTimePicker->SetParent(FPanelCtrl);
      FDateTimePicker->SetKind(dtkTime);
    }
    FDateTimePicker->OnChange = nullptr;
    FDateTimePicker->SetAlign(alBottom);
    FDateTimePicker->Show();
    FDateTimePicker->SetTime(FTime);
    FDateTimePicker->BringToFront();
    FDateTimePicker->OnChange = [this](TObject*) { PickerChanged(); };
    FDateTimePicker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    FDateTimePicker->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    FDateTimePicker->OnKeyPress = [this](TObject*, char& Key) { ControlKeyPress(Key); };
    FDateTimePicker->SetFormat(FShowSeconds ? "HH:mm:ss" : "HH:mm");
    FPanelCtrl->SetBounds(FPanelCtrl->Left(), FPanelCtrl->Top(), FPanelCtrl->Width(), FDateTimePicker->Height() + 170);
  } else if (FDateTimePicker != nullptr) {
    FDateTimePicker->Hide();
  }
}

void TRivTimePickerDropDown::WatchChanged() {
  if (FDateTimePicker != nullptr && FDateTimePicker->Visible() &&
      TimeOfDay(FDateTimePicker->Time()) != TimeOfDay(FRivWatch->Time())) {
    FDateTimePicker->SetTime(FRivWatch->Time());
    if (OnTimeChange) OnTimeChange(this);
  }
  SetTime(FRivWatch->Time());
}

void TRivTimePickerDropDown::PickerChanged() {
  if (!FWatchSettings->Auto() && FRivWatch != nullptr) FRivWatch->SetTime(FDateTimePicker->Time());
}

void TRivTimePickerDropDown::CloseDropDown(bool Cancel) {
  const bool wasOpen = DropDownForm() != nullptr && DropDownForm()->Visible();
  TRivCustomDropDown::CloseDropDown(Cancel);
  if (!wasOpen || FRivWatch == nullptr) return;
  if (Cancel) {
    // A cancelled pop-up leaves the time and its text as they were when it opened.
    FInternalCall = true;
    FTime = FOpenTime;
    AssignText(FOpenText);
    FInternalCall = false;
    FRivWatch->SetTime(FTime);
  } else {
    SetTime(FRivWatch->Time());
  }
}

void TRivTimePickerDropDown::PopupHidden() {
  TRivCustomDropDown::PopupHidden();
  if (FRivWatch != nullptr) SetTime(FRivWatch->Time());
}

bool TRivTimePickerDropDown::PassKeyToEdit(Word Key) const {
  const bool paging = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
  return !paging || GetKeyState(VK_MENU) < 0;
}

void TRivTimePickerDropDown::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN && !FPopupKey && DroppedDown()) {
    // The edit keeps the keyboard while the watch is up: its keys are the pop-up's.
    Word key = static_cast<Word>(Message.WParam);
    PopupKeyDown(key, KeyboardStateToShiftState());
    Message.WParam = key;
    return;
  }
  TRivCustomDropDown::WndProc(Message);
}

void TRivTimePickerDropDown::PopupKeyDown(Word& Key, TShiftState Shift) {
  const Word key = Key;
  FPopupKey = true;
  if (PassKeyToEdit(Key)) TRivCustomDropDown::PopupKeyDown(Key, Shift);
  FPopupKey = false;
  if (FRivWatch != nullptr && DropDownForm() != nullptr && DropDownForm()->Visible()) FRivWatch->WatchKeyDown(key);
}

void TRivTimePickerDropDown::PopupKeyUp(Word& Key, TShiftState Shift) {
  if (PassKeyToEdit(Key)) TRivCustomDropDown::PopupKeyUp(Key, Shift);
}

void TRivTimePickerDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  if (PassKeyToEdit(Key)) TRivCustomDropDown::ControlKeyDown(Key, Shift);
}

void TRivTimePickerDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (PassKeyToEdit(Key)) TRivCustomDropDown::ControlKeyUp(Key, Shift);
}

void TRivTimePickerDropDown::SetComponentStyle(TVAVStyle AStyle) {
  TRivCustomDropDown::SetComponentStyle(AStyle);
  // The watch's looks go onto the appearance the pop-up's watch copies at each opening.
  if (FRivWatch != nullptr) {
    FRivWatch->SetComponentStyle(AStyle);
    FWatchAppearance->Assign(FRivWatch->Appearance());
  }
}
