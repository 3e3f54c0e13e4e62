// Common controls: the page control with its tab sheets, the progress bar and the track bar.
#pragma once

#include <vector>

#include "classlib/Controls.h"

class TPageControl;

// One page of a page control: a child of it that holds the page's controls. Setting its
// PageControl (or placing it on a page control as Parent) adds it as the last page.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  void SetParent(TWinControl* AParent) override;

  // The position among the pages, tabs hidden or not.
  int PageIndex() const;
  void SetPageIndex(int Value);
  // A hidden tab is not shown and its page cannot be the active one.
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  // The position among the shown tabs, -1 when hidden.
  int TabIndex() const;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

 protected:
  void TextChanged() override;
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  friend class TPageControl;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Pages with a row of tabs above them. Changing the page from code runs no event; a person's
// change (a click on a tab, Ctrl+Tab) asks OnChanging and then runs OnChange.
class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int Index) const { return FPages.at(static_cast<size_t>(Index)); }
  TTabSheet* ActivePage() const { return FActivePage; }
  // A page of this control whose tab is shown, or nullptr for none; other pages are ignored.
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const { return FActivePage != nullptr ? FActivePage->PageIndex() : -1; }
  void SetActivePageIndex(int Value);
  // The active page's position among the shown tabs, -1 when none.
  int TabIndex() const { return FActivePage != nullptr ? FActivePage->TabIndex() : -1; }
  void SetTabIndex(int Value);
  // The next (or previous) page with a shown tab after CurPage, wrapping around.
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
  // Moves to the next page as a person does (the events run).
  void SelectNextPage(bool GoForward);

  // Where the tabs are (in the control) and where the pages go.
  TRect TabRect(int TabIndex) const;
  TRect DisplayRect() const;
  // The shown tab at a point, -1 when none.
  int IndexOfTabAt(int X, int Y) const;

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

  void WndProc(TMessage& Message) override;
  void UpdateView() override;
  // The pages fill the display area, the active one and the hidden ones alike.
  void AdjustClientRect(TRect& Rect) override { Rect = DisplayRect(); }
  void AlignControls(TControl* AControl, TRect& ARect) override;

 protected:
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  QWidget* MakeView(QWidget* ParentView) override;
  // A person chose the page: asks OnChanging, changes, runs OnChange.
  void UserSelect(TTabSheet* Page);

 private:
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void PageTabChanged(TTabSheet* Page);
  void ShowActive();
  std::vector<TTabSheet*> VisibleTabs() const;

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  friend class TTabSheet;
  friend class PageControlView;
};

enum TProgressBarOrientation { pbHorizontal, pbVertical };

// A progress bar. Position is kept inside [Min, Max]; StepIt adds Step and starts over
// from Min once the position would pass Max. A range of 0..0 shows an empty, still bar.
// Position is current at once; the bar on screen follows its changes at most every
// kViewInterval ms (a change that comes sooner is shown by a timer), so that a caller may
// step it thousands of times a second.
class TProgressBar : public TWinControl {
 public:
  static constexpr Cardinal kViewInterval = 50;

  explicit TProgressBar(TComponent* AOwner);
  ~TProgressBar() override;

  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Step() const { return FStep; }
  void SetStep(int Value) { FStep = Value; }
  void StepIt();
  void StepBy(int Delta);
  TProgressBarOrientation Orientation = pbHorizontal;
  bool Smooth = false;

  void UpdateView() override;
  void WndProc(TMessage& Message) override;

 protected:
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  void PositionChanged();
  void ShowPosition();

  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FStep = 10;
  Cardinal FShownAt = 0;       // when the view last took the position
  bool FShowPending = false;   // the timer will show the position
};

enum TTrackBarOrientation { trHorizontal, trVertical };

// A slider. Position is kept inside [Min, Max]; OnChange runs on every change of Position,
// from code (a range change that moves it included) or by a person.
class TTrackBar : public TWinControl {
 public:
  explicit TTrackBar(TComponent* AOwner);

  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Frequency = 1;
  int LineSize = 1;
  int PageSize = 2;
  TTrackBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation Value);

  TNotifyEvent OnChange;

  void WndProc(TMessage& Message) override;
  void UpdateView() override;

 protected:
  virtual void Changed();
  void KeyDown(Word& Key, TShiftState Shift) override;
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  int FMin = 0;
  int FMax = 10;
  int FPosition = 0;
  TTrackBarOrientation FOrientation = trHorizontal;
};
