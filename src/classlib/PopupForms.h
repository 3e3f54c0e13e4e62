// Pop-up forms: borderless windows that stay on top of the window that opened them without
// taking the activation from it, as drop-down lists and pickers do. The window that opened the
// pop-up keeps its active title bar and the keyboard goes on reaching the pop-up (its own key
// events) while it is up.
//
// Under the window system a pop-up is a toolkit pop-up window: a press outside it, or another
// window becoming active, takes the activation away. The pop-up then receives WM_ACTIVATE with
// WA_INACTIVE in the low word of WParam and, in LParam, the handle of the control under the
// press (nullptr when it is not one of the program's); the form decides whether to hide. A test
// calls Deactivate to do what the window system does.
//
// The bottom-right corner can be dragged: WM_NCLBUTTONDOWN with HTBOTTOMRIGHT (LParam: the
// screen point) starts the sizing; every mouse move then sends WM_SIZING (WParam
// WMSZ_BOTTOMRIGHT, LParam a TRect* the handler may change) and sets the new bounds, kept
// within Constraints, until the button is released. Tests drive it with SizingMoveTo and
// EndSizing.
#pragma once

#include "classlib/Forms.h"

class TCanvas;

struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
  int MaxWidth = 0;   // 0: no limit
  int MaxHeight = 0;
};

using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

class TPopupForm : public TForm {
 public:
  explicit TPopupForm(TComponent* AOwner);
  ~TPopupForm() override;

  TSizeConstraints Constraints;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // Paints the form: Paint on the canvas lent for the call (the window's, or a bitmap's in
  // tests).
  TCanvas* Canvas() const { return FCanvas; }
  void PaintTo(TCanvas* ACanvas);

  // The window system takes the activation from the pop-up for NewActive.
  void Deactivate(HWND NewActive);

  bool Sizing() const { return FSizing; }
  void SizingMoveTo(TPoint ScreenPos);
  void EndSizing();

  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;

  void WndProc(TMessage& Message) override;

 protected:
  virtual void Paint() {}
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  void BeginSizing(TPoint ScreenPos);

  TCanvas* FCanvas = nullptr;
  bool FSizing = false;
  TPoint FSizingStart;
  int FSizingWidth = 0;
  int FSizingHeight = 0;
  class SizingFilter;
  SizingFilter* FSizingFilter = nullptr;
};
