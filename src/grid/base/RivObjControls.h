// The grid's small painted controls: the arrow markers and the floating button shown while a
// column is moved, the office-look button of the search footer and its painted check box, with
// the theme queries and the gradient filler they share.
//
// This platform has no visual styles: the theme queries answer "not themed" and the controls
// draw their classic looks.
#pragma once

#include <array>

#include "classlib/Buttons.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Graphics.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "grid/base/RivStyleIF.h"

bool IsThemedComCtl6();
// 1 "NormalColor", 2 "HomeStead", 3 "Metallic", 0 any other scheme or no theme.
int CurrentXPScheme();
// Strips from FromColor to ToColor across R (left to right when Horizontal); Steps 0 counts as
// 1. A BorderColor other than clNone frames R.
void DrawButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, TRect R, int Steps,
                        TColor BorderColor);

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

// A small lime arrow-shaped window; the grid shows one per direction while a column moves.
class TArrowWindow : public TPanel {
 public:
  using TPanel::TPanel;
  void Init(TWinControl* AOwner, TArrowDirection direction);
  TArrowDirection Dir = arrUp;
  // The window's outline.
  std::array<TPoint, 7> Arrow{};
  static std::array<TPoint, 7> ArrowPoints(TArrowDirection direction);
};

// The floating button shown while a column is moved.
class TPopupButton : public TCustomControl {
 public:
  explicit TPopupButton(TComponent* AOwner);
  String Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TObject* Images() const { return FImages; }
  void SetImages(TObject* Value) { FImages = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TColor GradFrom() const { return FGradFrom; }
  void SetGradFrom(TColor Value);
  TColor GradTo() const { return FGradTo; }
  void SetGradTo(TColor Value);
  TColor GradMirrorFrom() const { return FGradMirrorFrom; }
  void SetGradMirrorFrom(TColor Value);
  TColor GradMirrorTo() const { return FGradMirrorTo; }
  void SetGradMirrorTo(TColor Value);

 protected:
  void Paint() override;
  // Formatted (HTML) captions; drawn as plain text until the grid's HTML engine draws them.
  virtual void DrawHTMLCaption(TCanvas* ACanvas, const TRect& R);

  String FCaption;
  TObject* FImages = nullptr;
  bool FFlat = false;
  TColor FGradTo = clNone;
  TColor FGradFrom = clNone;
  TColor FGradMirrorTo = clNone;
  TColor FGradMirrorFrom = clNone;
};

enum TRivGridButtonStyle { tasButton, tasCheck };

// The office-look painted button of the grid's search footer.
class TRivGridButton : public TGraphicControl {
 public:
  explicit TRivGridButton(TComponent* AOwner);
  ~TRivGridButton() override;

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool Rounded() const { return FRounded; }
  void SetRounded(bool Value);
  bool DropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool Value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  TRivGridButtonStyle Style() const { return FStyle; }
  void SetStyle(TRivGridButtonStyle Value);
  bool Shaded() const { return FShaded; }
  void SetShaded(bool Value) { FShaded = Value; }
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  bool AutoXPStyle = false;

  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor ColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { FColorHot = Value; }
  TColor ColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
  TColor ColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { FColorDown = Value; }
  TColor ColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
  TColor ColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value);
  TColor ColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor BorderDownColor() const { return FBorderDownColor; }
  void SetBorderDownColor(TColor Value) { FBorderDownColor = Value; }
  TColor BorderHotColor() const { return FBorderHotColor; }
  void SetBorderHotColor(TColor Value) { FBorderHotColor = Value; }

  // The glyph is copied; an empty disabled glyph gets a grey copy of it.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
  TBitmap* GlyphShade() const { return FGlyphShade.get(); }

  // A colour set 0..6; other values change nothing.
  int Look() const { return FLook; }
  void SetLook(int Value);

  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }

  TNotifyEvent OnDropDown;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void Loaded() override;
  void WndProc(TMessage& Message) override;
  // The group's notification: Sender of group Group went down.
  void ButtonPressed(int Group, TRivGridButton* Sender);
  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void EnabledChanged() override;

 private:
  void UpdateExclusive();
  void ThemeAdapt();
  void BuildShade();
  void Repaint() { Invalidate(); }

  int FGroupIndex = 0;
  std::unique_ptr<TBitmap> FGlyph;
  bool FDown = false;
  bool FDragging = false;
  bool FAllowAllUp = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FSpacing = 4;
  int FMargin = -1;
  bool FFlat = true;
  bool FMouseInControl = false;
  TColor FColorTo = clNone;
  TColor FColorHot = 0xCAC7C7;
  TColor FColorHotTo = clNone;
  TColor FColorDown = 0xD8D3D2;
  TColor FColorDownTo = clNone;
  TColor FBorderColor = clNone;
  TColor FBorderDownColor = clNone;
  TColor FBorderHotColor = clNone;
  std::unique_ptr<TBitmap> FGlyphDisabled;
  std::unique_ptr<TBitmap> FGlyphHot;
  std::unique_ptr<TBitmap> FGlyphDown;
  std::unique_ptr<TBitmap> FGlyphShade;
  bool FShaded = true;
  TColor FColorChecked = 0x808080;
  TColor FColorCheckedTo = clNone;
  TRivGridButtonStyle FStyle = tasButton;
  int FLook = 0;
  bool FRounded = false;
  bool FDropDownButton = false;
  bool FAutoThemeAdapt = false;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FShowCaption = true;
  TButtonState FState = bsUp;
  bool FDropDownPress = false;
};

using TLeftRight = TAlignment;  // taLeftJustify or taRightJustify

// The painted check box of the grid's search footer.
class TRivCheckBox : public TCustomControl {
 public:
  explicit TRivCheckBox(TComponent* AOwner);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value);
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  String Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  TTextLayout ButtonVertAlign() const { return FBtnVAlign; }
  void SetButtonVertAlign(TTextLayout Value);
  bool RightAligned() const { return FAlignment == taRightJustify; }
  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool Down() const { return FDown; }

  // Flips Checked unless read-only.
  virtual void Toggle();

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void WndProc(TMessage& Message) override;

 private:
  // The box's part of the control: the 20 pixels at the aligned side.
  TRect BoxArea() const;
  bool FDown = false;
  TCheckBoxState FState = cbUnchecked;
  bool FFocused = false;
  bool FReturnIsTab = false;
  TTextLayout FBtnVAlign = tlTop;
  TLeftRight FAlignment = taLeftJustify;
  bool FEllipsis = false;
  String FCaption = "TRivCheckBox";
  bool FIsWinXP = true;
  bool FHot = false;
  bool FReadOnly = false;
  bool FMouseDown = false;
  bool FTransparent = false;
};
