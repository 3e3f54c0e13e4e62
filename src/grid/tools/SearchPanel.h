// The search footer: a strip at the bottom of the grid with a find box, find-next,
// find-previous and highlight buttons, a match-case box and a close button. The panel only
// reports what the user does; the grid's handlers search.
#pragma once

#include "classlib/Colors.h"
#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"

class TRivErodovOzar;
class TRivGridButton;
class TRivCheckBox;

// The find box: Enter and Ctrl+Enter are reported, never inserted.
class TRetEdit : public TEdit {
 public:
  explicit TRetEdit(TComponent* AOwner) : TEdit(AOwner) {}
  TNotifyEvent OnReturn;
  TNotifyEvent OnCtrlReturn;
  void WndProc(TMessage& Message) override;
};

class TSearchPanel : public TPanel {
 public:
  // AOwner must be the grid (EInvalidCast otherwise).
  explicit TSearchPanel(TComponent* AOwner);

  TRetEdit* Edit() const { return FEdit; }
  TRivGridButton* ExitButton() const { return FExitButton; }
  TRivGridButton* ForwardButton() const { return FForwardButton; }
  TRivGridButton* BackwardButton() const { return FBackwardButton; }
  TRivGridButton* HiliteButton() const { return FHiliteButton; }
  TRivCheckBox* MatchCase() const { return FMatchCase; }
  TRivErodovOzar* Grid() const { return FGrid; }

  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);

  String FFindNextCaption;
  String FFindPrevCaption;
  String FMatchCaseCaption;
  String FHighLightCaption;
  String FHintFindPrev;
  String FHintClose;
  String FHintFindNext;
  String FHintHighlight;

  TNotifyEvent OnForwardClick;
  TNotifyEvent OnBackwardClick;
  TNotifyEvent OnEditChange;
  TNotifyEvent OnExitClick;
  TNotifyEvent OnHighLightClick;

  // A press on the strip or its buttons leaves the keyboard in the find box.
  void WndProc(TMessage& Message) override;

  // Places the controls: left to right, mirrored in right-to-left layout.
  void LayoutControls(bool RightToLeft = false);

 protected:
  void CreateWnd() override;
  void Paint() override;
  // Painted by Paint, not shown as the class library's plain panel.
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  void EditChanged();
  TRivErodovOzar* FGrid;
  TRetEdit* FEdit;
  TRivGridButton* FExitButton;
  TRivGridButton* FForwardButton;
  TRivGridButton* FBackwardButton;
  TRivGridButton* FHiliteButton;
  TRivCheckBox* FMatchCase;
  TColor FColorTo = clNone;
};
