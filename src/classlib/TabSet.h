// TTabSet: a row of tabs along the bottom of a window (sheet tabs). Painted by the control
// itself; a click on a tab selects it.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "classlib/Colors.h"
#include "classlib/Controls.h"
#include "classlib/StringList.h"

using TTabChangeEvent = std::function<void(TObject* Sender, int NewTab, bool& AllowChange)>;

class TTabSet : public TCustomControl {
 public:
  explicit TTabSet(TComponent* AOwner);
  ~TTabSet() override;

  // The tab captions; a change repaints the tabs and keeps TabIndex inside the list.
  TStringList* Tabs() const { return FTabs.get(); }
  void SetTabs(TStrings* Value) { FTabs->Assign(Value); }
  int TabIndex() const { return FTabIndex; }
  // A new index (-1 or a tab) first asks OnChange; a refusal keeps the old one.
  void SetTabIndex(int Value);

  bool SoftTop = false;
  TColor SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor Value);
  TColor UnselectedColor() const { return FUnselectedColor; }
  void SetUnselectedColor(TColor Value);
  bool DitherBackground() const { return FDitherBackground; }
  void SetDitherBackground(bool Value);
  TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value);

  // The tab under a point of the control; -1 when none.
  int ItemAtPos(TPoint Pos);
  // The tab's rectangle in the control (empty for an index outside the tabs).
  TRect ItemRect(int Index);

  TTabChangeEvent OnChange;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  std::vector<TRect> TabRects();
  void TabsChanged(TObject* Sender);

  std::unique_ptr<TStringList> FTabs;
  int FTabIndex = -1;
  TColor FSelectedColor = clBtnFace;
  TColor FUnselectedColor = clWindow;
  bool FDitherBackground = true;
  TColor FBackgroundColor = clBtnFace;
};
