// THintWindow: the small borderless window that shows a hint over other windows without
// taking the activation. ActivateHint places it (screen coordinates) and shows it; ReleaseHandle
// hides it. Descendants measure and paint their own kind of text (CalcHintRect, Paint).
// The application makes its hint windows through one class-wide factory (HintWindowClass), so
// that changing it changes the hint window of every control.
#pragma once

#include <functional>

#include "classlib/Controls.h"

class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* AOwner);
  ~THintWindow() override;

  // The caption becomes AHint; the window takes Rect and is shown on top, not activated.
  virtual void ActivateHint(TRect Rect, const String& AHint);
  // The rectangle (0, 0, width, height) the hint needs within MaxWidth.
  virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
  // Hides the window.
  void ReleaseHandle();
  // Whether the window is shown now.
  bool Active() const { return Visible(); }
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
  QWidget* MakeView(QWidget* ParentView) override;
};

// Makes the application's hint windows; the default makes a THintWindow.
using THintWindowClass = std::function<THintWindow*(TComponent* AOwner)>;
void SetHintWindowClass(THintWindowClass Value);
THintWindow* NewHintWindow(TComponent* AOwner);
