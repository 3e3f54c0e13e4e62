// TVavaDoduControl: the text memo as a control of the class library. It shows a TVavaDodu and
// answers the memo's display requests with its canvas, the system caret, its own scroll bars
// and the class library's clock; keys, typed characters, clicks, the wheel and the scroll bars
// become the memo's operations:
//   arrows move by character and line (Ctrl: by word), Home and End to the line's edges (Ctrl:
//   the text's), Page Up and Page Down by a screen, Delete and Backspace delete, Enter starts a
//   paragraph, Tab types a tab, Ctrl+M collapses the section at the caret or expands the
//   collapsed one whose first line holds the caret; a click places the caret.
#pragma once

#include <memory>

#include "classlib/Controls.h"
#include "classlib/WindowScrollBars.h"
#include "memo/VavaDodu.h"

class TCanvas;

class TVavaDoduControl : public TCustomControl {
 public:
  explicit TVavaDoduControl(TComponent* AOwner);
  ~TVavaDoduControl() override;

  TVavaDodu* Memo() const { return FMemo.get(); }

  // The area the scroll bars leave.
  TRect ClientRect() const override;
  void WndProc(TMessage& Message) override;
  void UpdateView() override;

  const TWindowScrollBars& ScrollBars() const { return FBars; }

 protected:
  void Paint() override;
  void Resize() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The control's text is the memo's: UTF-8, CR LF between paragraphs.
  String GetText() const override;
  void TextChanged() override;

 private:
  class TDisplay;
  friend class TDisplay;

  // The client area changed (a resize, a bar shown or hidden): the memo lays itself out again.
  void Relayout();
  void Scroll(bool Vertical, Word Code, int Thumb);

  std::unique_ptr<TCanvas> FMeasure;  // measures text outside painting
  std::unique_ptr<TDisplay> FDisplay;
  std::unique_ptr<TVavaDodu> FMemo;
  TWindowScrollBars FBars;
  String FPartialChar;  // the first bytes of a character typed as UTF-8
  int FLayoutDepth = 0;
  bool FLayoutAgain = false;
};
