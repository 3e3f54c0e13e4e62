// THTMLHintWindow: the hint window that shows HTML-formatted hints and "|\"-coded wide hints.
#pragma once

#include "classlib/HintWindow.h"

class THTMLHintWindow : public THintWindow {
 public:
  explicit THTMLHintWindow(TComponent* AOwner);
  void ActivateHint(TRect Rect, const String& AHint) override;
  TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
  // The font a wide hint is measured and drawn in (the grid records its own font's name).
  String HintFontName;
  int TextWidth() const { return FTextWidth; }
  int TextHeight() const { return FTextHeight; }

 protected:
  void Paint() override;

 private:
  // Measures AHint (wide hints on one line, others by the HTML renderer) within MaxWidth;
  // true for a wide hint.
  bool Measure(const String& AHint, int MaxWidth, int& Width, int& Height);
  int FTextWidth = 0;
  int FTextHeight = 0;
  WideString FWideCaption;
};
