// Panels, radio groups, bevels and timers.
#pragma once

#include <memory>
#include <vector>

#include "classlib/StdCtrls.h"

class TPicture;

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A container with bevelled edges and a caption in its middle.
class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);

  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  int BevelWidth = 1;
  int BorderWidth = 0;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  void UpdateView() override;

 protected:
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  TPanelBevel FBevelOuter = bvRaised;
  TPanelBevel FBevelInner = bvNone;
  TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

class TCustomRadioGroup;

// One button of a radio group: a press selects its item in the group.
class TGroupButton : public TRadioButton {
 public:
  TGroupButton(TCustomRadioGroup* Group, int Index);
  int Index() const { return FIndex; }

 protected:
  void ButtonPressed() override;

 private:
  TCustomRadioGroup* FGroup;
  int FIndex;
  friend class TCustomRadioGroup;
};

// A group box of radio buttons, one per item. Selecting a different item, by a person or by
// setting ItemIndex from code, runs OnClick; selecting the item already selected runs
// nothing. OnClick may show modal forms and set ItemIndex again: the group's state is
// complete before the handler runs.
class TCustomRadioGroup : public TCustomGroupBox {
 public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;

  TStringList* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  // -1 selects nothing; larger values than the last item select the last item.
  void SetItemIndex(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TGroupButton* Buttons(int Index) const { return FButtons.at(static_cast<size_t>(Index)); }

 protected:
  void EnabledChanged() override;
  void Resize() override;
  void ButtonPressed(TGroupButton* Button);

 private:
  void ItemsChanged();
  void ArrangeButtons();
  std::unique_ptr<TStringList> FItems;
  std::vector<TGroupButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  friend class TGroupButton;
};

class TRadioGroup : public TCustomRadioGroup {
 public:
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};

// A bevelled line or box, drawn for looks.
class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle Value);
  void UpdateView() override;

 protected:
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// Runs OnTimer every Interval milliseconds of the program's clock while Enabled, from the
// message loop (ProcessMessages included).
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Cardinal Interval() const { return FInterval; }
  void SetInterval(Cardinal Value);
  TNotifyEvent OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  class TimerWindow;
  std::unique_ptr<TimerWindow> FWindow;
  bool FEnabled = true;
  Cardinal FInterval = 1000;
  TNotifyEvent FOnTimer;
};

// Shows a picture: at its own size from the top-left corner, centred (Center), scaled to the
// control (Stretch), and with Proportional keeping its shape (only ever shrinking it).
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value);
  bool Transparent = false;
  // Where the picture is drawn, in the control's coordinates.
  TRect DestRect() const;

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
};
