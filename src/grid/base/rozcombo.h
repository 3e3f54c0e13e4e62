// The flat combo box of the grid's editors: a one-pixel border in the parent's colour that
// lights up (a sunken edge) while the mouse is over the box or it has the focus, and a drop
// button of its own width.
#pragma once

#include "classlib/StdCtrls.h"
#include "grid/base/EditorMetrics.h"

class TCanvas;

class TROZCustomCombo : public TCustomComboBox {
 public:
  explicit TROZCustomCombo(TComponent* AOwner);

  bool AutoFocus = false;
  int ButtonWidth() const { return FButtonWidth; }
  // 14 to 32 only.
  void SetButtonWidth(int Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Etched() const { return FEtched; }
  void SetEtched(bool Value);
  bool FocusBorder = false;
  int DropWidth() const { return FDropWidth; }
  void SetDropWidth(int Value);
  // The drop-down list's width (the control's width until DropWidth sets another).
  int DroppedWidth() const { return FDroppedWidth > 0 ? FDroppedWidth : Width(); }
  bool IsWinXP = false;
  bool IsVista = false;
  bool Ctl3D = false;
  bool ParentColor = false;
  // Whether the mouse is over the control (it is "hot").
  bool MouseInControl() const { return FMouseInControl; }

  virtual uint32_t GetVersionNr() const { return 0x01020001; }
  String Version() const { return VersionNumberText(GetVersionNr()); }
  void SetVersion(const String&) {}

  // The drop button: the rightmost ButtonWidth pixels of the client area.
  TRect ButtonRect() const;
  // The flat look: the client area, the drop button and the border.
  void PaintFlat(TCanvas* Canvas);
  // The border alone, as it is redrawn on entering, leaving and hot changes.
  void DrawFlatBorder(TCanvas* Canvas);
  // How often the border was redrawn and the button area repainted (the view draws natively).
  int BorderRedraws = 0;
  int ButtonRepaints = 0;

  void WndProc(TMessage& Message) override;

 private:
  bool Highlighted() const;
  void RedrawBorder();
  TColor ParentBrushColor() const;

  bool FFlat = true;
  bool FEtched = false;
  TColor FOldColor;
  bool FOldParentColor = false;
  int FButtonWidth;
  bool FMouseInControl = false;
  int FDropWidth = 0;
  int FDroppedWidth = 0;
};

class TROZComboBox : public TROZCustomCombo {
 public:
  explicit TROZComboBox(TComponent* AOwner) : TROZCustomCombo(AOwner) {}
};
