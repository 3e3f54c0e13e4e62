// The track-bar drop-down: the position kept in its range and shown in the edit, the pop-up's
// track bar, the keys and dragging on the edit.
#include "grid/dropdowns/RivTrackBarDropDown.h"

#include <algorithm>

#include "classlib/ComCtrls.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivDropDownStrips.h"

TRivTrackBarDropDown::TRivTrackBarDropDown(TComponent* AOwner) : TRivCustomDropDown(AOwner) {}

void TRivTrackBarDropDown::AfterConstruction() {
  TRivCustomDropDown::AfterConstruction();
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  SetEditType(etNumeric);
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
  SetDropDownShadow(true);
  ShowPosition();
}

void TRivTrackBarDropDown::ShowPosition() {
  FInternal = true;
  AssignText(IntToStr(FPosition));
  FInternal = false;
}

void TRivTrackBarDropDown::SetMin(int Value) {
  FMin = Value;
  if (FTrackBar != nullptr) FTrackBar->SetMin(Value);
  if (FPosition < FMin) SetPosition(FMin);
}

void TRivTrackBarDropDown::SetMax(int Value) {
  FMax = Value;
  if (FTrackBar != nullptr) FTrackBar->SetMax(Value);
  if (FPosition > FMax) SetPosition(FMax);
}

void TRivTrackBarDropDown::SetPosition(int Value) {
  const int clamped = FMax >= FMin ? std::clamp(Value, FMin, FMax) : FMin;
  FPosition = clamped;
  if (FTrackBar != nullptr) {
    FTrackBar->SetPosition(clamped);
    FPosition = FTrackBar->Position();
  }
  if (Text() != IntToStr(FPosition)) ShowPosition();
}

void TRivTrackBarDropDown::SetPageSize(int Value) {
  FPageSize = Value;
  if (FTrackBar != nullptr) FTrackBar->PageSize = Value;
}

void TRivTrackBarDropDown::SetFrequency(int Value) {
  FFrequency = Value;
  if (FTrackBar != nullptr) FTrackBar->Frequency = Value;
}

void TRivTrackBarDropDown::Change() {
  TRivCustomDropDown::Change();
  if (FInternal) return;
  // A text that is no whole number leaves the position as it was.
  int value = 0;
  if (TryStrToInt(Trim(Text()), value)) SetPosition(value);
}

void TRivTrackBarDropDown::CreateDropDownForm() {
  TRivCustomDropDown::CreateDropDownForm();
  if (DropDownForm() == nullptr) return;
  if (FTrackBar == nullptr) {
    FTrackBar = New<TTrackBar>(this);
    FTrackBar->SetParent(DropDownForm());
    FTrackBar->SetBounds(0, 0, FTrackBar->Width(), 40);
  }
  FTrackBar->OnChange = [this](TObject*) { TrackChanged(); };
}

void TRivTrackBarDropDown::DoBeforeDropDown() {
  TRivCustomDropDown::DoBeforeDropDown();
  if (DropDownForm() != nullptr) DropDownForm()->SetCancelOnDeActivate(false);
  FOpenPosition = FPosition;
  if (FTrackBar == nullptr) return;
  FTrackBar->OnChange = nullptr;
  FTrackBar->SetMin(FMin);
  FTrackBar->SetMax(FMax);
  FTrackBar->SetPosition(FPosition);
  FTrackBar->PageSize = FPageSize;
  FTrackBar->Frequency = FFrequency;
  FTrackBar->SetBounds(FTrackBar->Left(), FTrackBar->Top(), Width(), FTrackBar->Height());
  FTrackBar->OnChange = [this](TObject*) { TrackChanged(); };
  SetDropDownControl(FTrackBar);
}

void TRivTrackBarDropDown::TrackChanged() {
  FPosition = FTrackBar->Position();
  ShowPosition();
  if (OnTrackChange) OnTrackChange(this);
}

void TRivTrackBarDropDown::CloseDropDown(bool Cancel) {
  const bool wasOpen = DropDownForm() != nullptr && DropDownForm()->Visible();
  FInternal = true;
  TRivCustomDropDown::CloseDropDown(Cancel);
  FInternal = false;
  // A cancelled pop-up leaves the position from its opening.
  if (wasOpen && Cancel) SetPosition(FOpenPosition);
  if (Text() != IntToStr(FPosition)) ShowPosition();
}

void TRivTrackBarDropDown::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN: {
      const Word key = static_cast<Word>(Message.WParam);
      TRivCustomDropDown::WndProc(Message);
      if (EditorEnabled() || GetKeyState(VK_MENU) < 0) return;
      if (key == VK_UP && FPosition - FFrequency >= FMin) SetPosition(FPosition - FFrequency);
      if (key == VK_DOWN && FPosition + FFrequency <= FMax) SetPosition(FPosition + FFrequency);
      return;
    }
    case WM_LBUTTONDOWN:
      if (DropDownEnabled() && !EditorEnabled()) {
        FMouseDraging = true;
        FMouseX = SmallIntLo(Message.LParam);
        FDragRest = 0;
      }
      TRivCustomDropDown::WndProc(Message);
      return;
    case WM_MOUSEMOVE:
      if (FMouseDraging) {
        const int x = SmallIntLo(Message.LParam);
        // A page size of 0 counts as 1; slow drags add up until they make a step.
        const int step = std::max(1, FPageSize);
        FDragRest += x - FMouseX;
        FMouseX = x;
        const int steps = FDragRest / step;
        FDragRest -= steps * step;
        if (steps != 0) SetPosition(FPosition + steps);
      }
      TRivCustomDropDown::WndProc(Message);
      return;
    case WM_LBUTTONUP:
      FMouseDraging = false;
      TRivCustomDropDown::WndProc(Message);
      return;
    default:
      TRivCustomDropDown::WndProc(Message);
  }
}
