// The pop-up window of a drop-down edit: borderless, on top, painted with the drop-down's
// background gradient and frame, holding the header strip, the content control and the footer
// strip. It closes its drop-down when the activation moves to a window that is not its own
// (with Cancel as FCancelOnDeActivate says) and records when that happened, so that the press
// on the drop-down button that took the activation does not open it again at once.
#pragma once

#include "classlib/PopupForms.h"

class TRivCustomDropDown;
class TRivHeader;
class TRivFooter;

class TDropDownForm : public TPopupForm {
 public:
  explicit TDropDownForm(TComponent* AOwner);
  ~TDropDownForm() override;

  // Brings the header and footer strips in line with the drop-down's settings (creating a
  // strip the first time it is visible) and rebuilds their buttons.
  void InitializeAndUpdate();
  virtual void UpdateSize() {}

  TRivCustomDropDown* RivDropDown() const { return FRivDropDown; }
  void SetRivDropDown(TRivCustomDropDown* Value);
  TRivHeader* Header() const { return FHeader; }
  TRivFooter* Footer() const { return FFooter; }
  Cardinal DeActivateTime() const { return FDeActivate; }
  bool Shadow() const { return FShadow; }
  void SetShadow(bool Value) { FShadow = Value; }
  bool Sizeable() const { return FSizeable; }
  void SetSizeable(bool Value) { FSizeable = Value; }
  bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
  void SetCancelOnDeActivate(bool Value) { FCancelOnDeActivate = Value; }
  bool BlockActivate() const { return FBlockActivate; }
  void SetBlockActivate(bool Value) { FBlockActivate = Value; }

  TNotifyEvent OnSizing;

  void WndProc(TMessage& Message) override;
  void AdjustClientRect(TRect& Rect) override;
  // The strips and the content are laid out only while the pop-up shows: hidden, the content
  // keeps the size the drop-down measures the pop-up by.
  void AlignControls(TControl* AControl, TRect& ARect) override;

 protected:
  void Paint() override;
  void Resize() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void HandleActivate(TMessage& Message);
  // Whether Wnd is this window or lies inside it (walking up parents and owners).
  bool OwnsWindow(HWND Wnd) const;

  Cardinal FDeActivate = 0;
  bool FShadow = true;
  TRivFooter* FFooter = nullptr;
  TRivHeader* FHeader = nullptr;
  TRivCustomDropDown* FRivDropDown = nullptr;
  bool FSizeable = false;
  bool FCancelOnDeActivate = true;
  bool FBlockActivate = false;
};
