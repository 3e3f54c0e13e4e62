// The track-bar drop-down: an integer shown in the edit and set with a track bar that drops
// down under it, with Up and Down on the edit, or by dragging the mouse along the edit.
#pragma once

#include "grid/dropdowns/RivDropDown.h"

class TTrackBar;

class TRivTrackBarDropDown : public TRivCustomDropDown {
 public:
  explicit TRivTrackBarDropDown(TComponent* AOwner);
  void AfterConstruction() override;

  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  // Always within [Min, Max], with the edit text in step.
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  int Frequency() const { return FFrequency; }
  void SetFrequency(int Value);
  TNotifyEvent OnTrackChange;
  TTrackBar* TrackBar() const { return FTrackBar; }

  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void CloseDropDown(bool Cancel) override;
  void WndProc(TMessage& Message) override;

 protected:
  void Change() override;

 private:
  void TrackChanged();
  void ShowPosition();

  int FMin = 0;
  int FMax = 10;
  int FPosition = 0;
  int FPageSize = 2;
  int FFrequency = 1;
  TTrackBar* FTrackBar = nullptr;
  bool FMouseDraging = false;
  int FMouseX = 0;
  // Pixels dragged that did not make a whole step yet.
  int FDragRest = 0;
  bool FInternal = false;
  int FOpenPosition = 0;
};
