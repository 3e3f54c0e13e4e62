// The calculator drop-down: the edit is the display of a pocket calculator whose keypad opens
// in the pop-up. Input is evaluated strictly from left to right, without operator precedence;
// the display holds a number with Precision decimals, or "Error".
//
// The keypad (TCustomButtonPanel) is a custom-drawn control holding TButtonItem buttons in a
// fixed six-column layout; it reports clicks by index and the calculator turns each click into
// an operation by the button's Tag.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Controls.h"
#include "classlib/Persistent.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivItemSelector.h"

class TFont;
class TPicture;

class TButtonItem : public TCollectionItem {
 public:
  explicit TButtonItem(TCollection* Collection);
  ~TButtonItem() override;
  // Copies caption, caption colour, tag, image index, picture, enabled flag and name.
  void Assign(TPersistent* Source) override;

  String Caption;
  TColor CaptionColor = 0xFFFFFF;
  int ImageIndex = -1;
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value);
  int Tag = 0;
  bool Enabled = true;
  String Name;
  bool Special = false;
  // Set by the layout; -1 while unset.
  int Left = -1, Top = -1, Width = 0, Height = 0;
  TRect ButtonRect() const { return Rect(Left, Top, Left + Width, Top + Height); }

 private:
  std::unique_ptr<TPicture> FImage;
};

class TButtonItems : public TCollection {
 public:
  explicit TButtonItems(TPersistent* AOwner) : TCollection(FactoryOf<TButtonItem>()), FOwner(AOwner) {}
  TButtonItem* Add() { return static_cast<TButtonItem*>(TCollection::Add()); }
  TButtonItem* Insert(int Index) { return static_cast<TButtonItem*>(TCollection::Insert(Index)); }
  TButtonItem* Items(int Index) const { return static_cast<TButtonItem*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override { return FOwner; }

 private:
  TPersistent* FOwner;
};

class TButtonAppearance : public TPersistent {
 public:
  TButtonAppearance();
  ~TButtonAppearance() override;
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { Set(FColor, Value); }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { Set(FColorTo, Value); }
  TColor ColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { Set(FColorHot, Value); }
  TColor ColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { Set(FColorHotTo, Value); }
  TColor ColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { Set(FColorDown, Value); }
  TColor ColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { Set(FColorDownTo, Value); }
  TColor GlowColorHot = 0xD5C244;
  TColor GlowColorDown = 0xD5C244;
  TColor ShineColor() const { return FShineColor; }
  void SetShineColor(TColor Value) { FShineColor = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Set(FBorderColor, Value); }
  TColor BorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor Value) { Set(FBorderColorHot, Value); }
  TColor BorderColorDown() const { return FBorderColorDown; }
  void SetBorderColorDown(TColor Value) { Set(FBorderColorDown, Value); }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value) { Set(FTextColor, Value); }
  TColor SpecialTextColor() const { return FSpecialTextColor; }
  void SetSpecialTextColor(TColor Value) { Set(FSpecialTextColor, Value); }

  TNotifyEvent OnChange;

 private:
  void Set(TColor& Field, TColor Value);
  TColor FColor = 0x9A915F, FColorTo = 0xB0A170;
  TColor FColorHot = 0x9F6F1C, FColorHotTo = 0xD5C244;
  TColor FColorDown = 0x4B2F08, FColorDownTo = 0xADB514;
  TColor FShineColor = 0xFFFFFF;
  TColor FBorderColor = 0, FBorderColorHot = 0, FBorderColorDown = 0;
  std::unique_ptr<TFont> FFont;
  TColor FTextColor = 0;
  TColor FSpecialTextColor = 0x000080;
};

enum TButtonPanelType { plCalculator, plCustom };

using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, int Index)>;

class TCustomButtonPanel : public TCustomControl {
 public:
  explicit TCustomButtonPanel(TComponent* AOwner);
  ~TCustomButtonPanel() override;
  void Loaded() override;
  void WndProc(TMessage& Message) override;

  TButtonItems* Buttons() const { return FButtons.get(); }
  void SetButtons(TButtonItems* Value) { FButtons->Assign(Value); }
  TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
  void SetButtonAppearance(TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
  TItemLayout ButtonLayout = ilCaptionRight;
  TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
  void SetButtonPanelType(TButtonPanelType Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TSelectionColorStyle ItemColorStyle = scCustom;
  TCustomEdit* Edit() const { return FEdit; }
  void SetEdit(TCustomEdit* Value);
  TCalculatorButtonClickEvent OnButtonClick;

  int HotIndex() const { return FHotIndex; }
  int PressedIndex() const { return FPressedIndex; }
  TRivCustomDropDown* OwningDropDown() const { return FDropDown; }
  void SetOwningDropDown(TRivCustomDropDown* Value) { FDropDown = Value; }
  // The first button whose rectangle holds the point, -1 when none.
  int ButtonAt(int X, int Y) const;

  // ---- Virtual operations, in slot order ----
  virtual void DrawButton(int Index, TCanvas* ACanvas);
  virtual void GetPanelRect(TRect& R) const;
  virtual void GetButtonSize(int& W, int& H);
  virtual void ClearButtons();
  virtual void RebuildButtons();
  virtual void BuildButtons();
  virtual void ArrangeButtons();
  virtual void InvalidateButton(int Index);
  virtual void ButtonClick(int Index);

 protected:
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  void SetHotIndex(int Value);
  void SetPressedIndex(int Value);
  void AppearanceChanged();
  std::unique_ptr<TButtonItems> FButtons;
  std::unique_ptr<TButtonAppearance> FButtonAppearance;
  TButtonPanelType FButtonPanelType = plCalculator;
  TCustomImageList* FImages = nullptr;
  TCustomEdit* FEdit = nullptr;
  int FHotIndex = -1;
  int FPressedIndex = -1;
  int FPanelMarginX = 8, FPanelMarginY = 8;
  int FButtonMarginX = 4, FButtonMarginY = 4;
  int FCaptionGap = 0;
  TRivCustomDropDown* FDropDown = nullptr;
};

class TRivCalculatorDropdown : public TRivCustomDropDown {
 public:
  explicit TRivCalculatorDropdown(TComponent* AOwner);
  ~TRivCalculatorDropdown() override;
  void AfterConstruction() override;

  // The display read as a number (0 when it does not read as one), or written with "%g".
  long double Value();
  void SetValue(long double Value);
  // The "=" operation.
  void CalcResult();
  bool ShowThousandSeparator() const { return FShowThousandSeparator; }
  void SetShowThousandSeparator(bool Value);
  TButtonAppearance* CalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
  void SetCalcButtonAppearance(TButtonAppearance* Value) { FCalcButtonAppearance->Assign(Value); }
  TCustomButtonPanel* ButtonPanel() const { return FRivButtonPanel; }
  void SetComponentStyle(TVAVStyle AStyle) override;

  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void PopupKeyPress(char& Key) override;
  void PopupKeyDown(Word& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;

 protected:
  // Called before every keypad click and every key typed in the pop-up.
  virtual void BeforeCalcInput() {}

 private:
  void ButtonClicked(TObject* Sender, int Index);
  void Operation(int Tag);
  void ApplyPendingOperation();
  void PercentOperation();
  // The edit's typed-character handling; false when the character was consumed.
  bool HandleKeyPress(char Key);
  // The display parsed with the thousand separators removed; Ok false when it does not parse.
  long double ParseDisplay(bool& Ok) const;
  long double ParseDisplay() const;
  bool PopupClosed() const;
  bool DisplayFull() const;
  bool IsDigit(char C) const { return C >= '0' && C <= '9'; }

  TCustomButtonPanel* FRivButtonPanel = nullptr;
  long double FDecim = 0;
  bool FNewval = true;
  long double FPrevval = 0;
  int FPrevop = -1;
  bool FCalcClosed = true;
  std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
  long double FMVal = 0;
  bool FShowThousandSeparator = false;
  // Set while a character typed in the pop-up is handed to the edit.
  bool FPopupKey = false;
};
