// The buttons of the drop-down family: the colour settings of the pop-up's header and footer
// buttons (TRivButtonAppearance), those hot-tracking buttons themselves (TRivButton), the
// drop-down button inside every drop-down edit (TDropDownEditButton around its
// TRivDropDownSpeedButton), and two small helpers (TDbgList, TWinCtrl).
#pragma once

#include <memory>

#include "classlib/Buttons.h"
#include "classlib/Colors.h"
#include "classlib/Controls.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Lists.h"
#include "grid/dropdowns/RivDropDownTypes.h"

class TCustomImageList;
class TRivCustomDropDown;

// The colours of the header and footer buttons per state. Every colour setter notifies
// OnChange only when the value changes.
class TRivButtonAppearance : public TPersistent {
 public:
  TRivButtonAppearance();
  ~TRivButtonAppearance() override;
  // From another button appearance: every colour and Gradient, not the font.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { SetColor(FBorderColor, Value); }
  TColor BorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor Value) { SetColor(FBorderColorHot, Value); }
  TColor BorderColorDown() const { return FBorderColorDown; }
  void SetBorderColorDown(TColor Value) { SetColor(FBorderColorDown, Value); }
  TColor BorderColorDisabled() const { return FBorderColorDisabled; }
  void SetBorderColorDisabled(TColor Value) { SetColor(FBorderColorDisabled, Value); }
  TColor BorderColorChecked() const { return FBorderColorChecked; }
  void SetBorderColorChecked(TColor Value) { SetColor(FBorderColorChecked, Value); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { SetColor(FColor, Value); }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { SetColor(FColorTo, Value); }
  TColor ColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { SetColor(FColorDown, Value); }
  TColor ColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { SetColor(FColorDownTo, Value); }
  TColor ColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { SetColor(FColorHot, Value); }
  TColor ColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { SetColor(FColorHotTo, Value); }
  TColor ColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value) { SetColor(FColorCheckedTo, Value); }
  TColor ColorDisabled() const { return FColorDisabled; }
  void SetColorDisabled(TColor Value) { SetColor(FColorDisabled, Value); }
  TColor ColorDisabledTo() const { return FColorDisabledTo; }
  void SetColorDisabledTo(TColor Value) { SetColor(FColorDisabledTo, Value); }
  TColor ColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value) { SetColor(FColorChecked, Value); }
  TGradientDirection Gradient() const { return FGradient; }
  void SetGradient(TGradientDirection Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }

 private:
  void SetColor(TColor& Field, TColor Value);
  void Changed();

  TColor FBorderColor = clNone;
  TColor FBorderColorHot = 0x808080;
  TColor FBorderColorDown = 0x800000;
  TColor FBorderColorDisabled = 0x808080;
  TColor FBorderColorChecked = 0xFF0000;
  TColor FColor = clNone;
  TColor FColorTo = clNone;
  TColor FColorDown = 0xF5D8CA;
  TColor FColorDownTo = 0xF9BDA0;
  TColor FColorHot = 0xF5F0E1;
  TColor FColorHotTo = 0xF9D2B2;
  TColor FColorCheckedTo;
  TColor FColorDisabled = 0xF2F2F2;
  TColor FColorDisabledTo = clNone;
  TColor FColorChecked;
  TGradientDirection FGradient = gdVertical;
  std::unique_ptr<TFont> FFont;
};

enum class TRivButtonStyle { tasButton, tasCheck };
enum TRivButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };

// Paints a strip's background under one of its buttons (the strips are not windows of their
// own here, so a button cannot ask its parent's window to paint under it).
class TButtonBackdrop {
 public:
  virtual ~TButtonBackdrop() = default;
  // Paints the background of the strip's Area (the strip's client rectangle as it lies in the
  // canvas's coordinates).
  virtual void PaintBackdrop(TCanvas* ACanvas, TRect Area) = 0;
};

// The hot-tracking button of the pop-up's header and footer. A footer button with a modal
// result closes its drop-down when clicked.
class TRivButton : public TCustomControl {
 public:
  explicit TRivButton(TComponent* AOwner);
  ~TRivButton() override;

  void Click() override;
  // A click does not take the focus from the edit or the pop-up.
  bool CanFocus() const override { return false; }
  // Width and height from the caption (and image) in the appearance's font.
  void AutoSizeToText();

  TRivButtonAppearance* Appearance() const { return FAppearance; }
  void SetAppearance(TRivButtonAppearance* Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TRivCustomDropDown* RivDropDown() const { return FRivDropDown; }
  void SetRivDropDown(TRivCustomDropDown* Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  TRivButtonStyle Style() const { return FStyle; }
  void SetStyle(TRivButtonStyle Value) { FStyle = Value; }
  TRivButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }
  // The text shown; '&' marks the access key.
  String Caption() const { return Text(); }
  void SetCaption(const String& Value) { SetText(Value); }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void WndProc(TMessage& Message) override;
  void Loaded() override;

 protected:
  void Paint() override;
  virtual void DrawButton();
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void ClickFrom(bool Keyboard);
  void MouseEnter();
  void MouseLeave();
  bool Inside(int X, int Y) const;

  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  int FOffSet = 4;
  bool FMouseInControl = false;
  bool FHot = false;
  TRivButtonStyle FStyle = TRivButtonStyle::tasButton;
  TRivButtonState FState = absUp;
  bool FMouseDownInControl = false;
  bool FGrouped = true;
  bool FDragging = false;
  bool FInitialDown = false;
  bool FInternalClick = false;
  TCustomImageList* FImages = nullptr;
  int FImageIndex = -1;
  TModalResult FModalResult = mrNone;
  TRivButtonAppearance* FAppearance = nullptr;
  TRivCustomDropDown* FRivDropDown = nullptr;
};

enum TButtonStyle { bsButton, bsDropDown };

// The speed button inside the drop-down button: a combo-box arrow button (bsDropDown) or a
// push button with a glyph and caption (bsButton).
class TRivDropDownSpeedButton : public TSpeedButton {
 public:
  explicit TRivDropDownSpeedButton(TComponent* AOwner);

  TButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TButtonStyle Value);
  bool Etched() const { return FEtched; }
  void SetEtched(bool Value);
  bool Focused() const { return FFocused; }
  void SetFocused(bool Value);
  bool Hot() const { return FHot; }
  void SetUp(bool Value) { FUp = Value; }
  String ButtonCaption;

 protected:
  void Paint() override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  // The drop-down this button belongs to (the owner of its owner), or nullptr.
  TRivCustomDropDown* DropDown() const;
  void PaintDropDownArrow();
  void PaintPushButton();

  bool FEtched = false;
  bool FFocused = false;
  bool FHot = false;
  bool FUp = false;
  bool FIsWinXP = false;
  TButtonStyle FButtonStyle = bsButton;
};

// The drop-down button at the right edge of a drop-down edit: always FBWidth wide, its speed
// button filling it. Releasing the left button after a press on it runs OnClick.
class TDropDownEditButton : public TWinControl {
 public:
  explicit TDropDownEditButton(TComponent* AOwner);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;

  TRivDropDownSpeedButton* Button() const { return FButton; }
  TBitmap* Glyph() const;
  void SetGlyph(TBitmap* Value);
  int NumGlyphs() const;
  void SetNumGlyphs(int Value);
  String ButtonCaption() const;
  void SetButtonCaption(const String& Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  int ButtonWidth() const { return FBWidth; }
  void SetButtonWidth(int Value);

  TNotifyEvent OnClick;

  void WndProc(TMessage& Message) override;

 protected:
  void Resize() override;
  void EnabledChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void ApplySizeRule();
  void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  TRivDropDownSpeedButton* FButton = nullptr;
  TWinControl* FFocusControl = nullptr;
  int FBWidth = 16;
};

// A list whose read beyond its end raises "Index out of bounds in list read access".
class TDbgList : public TList {
 public:
  void AssignList(const TList* ListA);
  void* Items(Integer Index) const;
};

// A windowed control that paints its windowless children on a given canvas.
class TWinCtrl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  void PaintCtrls(TCanvas* DC, TControl* First);
};
