// TRivCustomDropDown: the base of every drop-down editor control. A single-line masked edit
// with a drop-down button at its right edge that opens a borderless pop-up window
// (TDropDownForm) holding an optional header, the content control a variant supplies and an
// optional footer with buttons and a size grip.
//
// The base owns the edit, the button, the pop-up and the header, footer and button settings,
// opens and closes the pop-up (placement, sizing, the keys F4, Alt+Up, Alt+Down, Enter and
// Escape), routes keys between the edit and the pop-up, applies looks, and filters typing,
// pasting and formatting by edit type (numbers, money, hexadecimal, ranges, letter case).
//
// The variants customise it only through the virtual operations below. The value (Text) is
// the edit text without Prefix and Suffix; EditText() is what the edit shows.
#pragma once

#include <memory>

#include "classlib/Colors.h"
#include "classlib/Mask.h"
#include "grid/base/EditorMetrics.h"
#include "grid/base/RivStyleIF.h"
#include "grid/dropdowns/RivDropDownTypes.h"

class TBitmap;
class TCanvas;
class TCustomImageList;
class TDropDownEditButton;
class TDropDownForm;
class TFooterAppearance;
class THeaderAppearance;
class TItemAppearance;
class TRivButtonAppearance;

class TRivCustomDropDown : public TCustomMaskEdit, public IComponentStyle {
 public:
  explicit TRivCustomDropDown(TComponent* AOwner);
  ~TRivCustomDropDown() override;
  void AfterConstruction() override;
  void Loaded() override;

  // ---- Public operations ----
  void ShowDropDown() { OpenDropDown(); }
  void HideDropDown(bool CancelChanges) { CloseDropDown(CancelChanges); }
  TVAVStyle GetComponentStyle() const { return FVAVStyle; }
  // Selects exactly the value (the caret after the prefix).
  void SelectAll();
  void SelectBeforeDecimal();
  void SelectAfterDecimal();
  TRect EditRect() const { return FEditRect; }
  String Version() const;
  void SetVersion(const String&) {}

  // ---- The value ----
  // The edit text without the prefix and, when the text ends with it, the suffix.
  String Text() const;
  void SetText(const String& Value) { ApplyText(Value); }
  // Sets the edit text as it stands, with no rule, prefix or suffix.
  void AssignText(const String& Value);
  double FloatValue() const;
  void SetFloatValue(double X);
  void SetIntValue(int N);
  bool IsModified() const { return FIsModified; }
  void SetModifiedFlag(bool Value);

  // ---- Virtual operations, in the order the variants know them ----
  virtual int VersionNumber() const { return 0x01010104; }
  virtual void CreateDropDownForm();
  virtual void CreateDropDownButton();
  virtual void UpdateDropDownButton();
  virtual void DoBeforeDropDown();
  virtual void FocusPopupControl();
  virtual void OpenDropDown();
  virtual void PlaceDropDownControl();
  virtual void SizeDropDownForm();
  virtual void CloseDropDown(bool Cancel);
  virtual void PopupHidden();
  virtual void PopupDestroyed() {}
  virtual void HandlePopupWheelDown(TShiftState Shift, TPoint MousePos, bool& Handled);
  virtual void HandlePopupWheelUp(TShiftState Shift, TPoint MousePos, bool& Handled);
  virtual void PopupKeyPress(char& Key);
  virtual void PopupKeyDown(Word& Key, TShiftState Shift);
  virtual void PopupKeyUp(Word& Key, TShiftState Shift);
  virtual void ControlKeyDown(Word& Key, TShiftState Shift);
  virtual void ControlKeyUp(Word& Key, TShiftState Shift);
  virtual void ControlKeyPress(char& Key);
  virtual void PopupSizing() {}
  virtual void PopupWheelDown() {}
  virtual void PopupWheelUp() {}
  // Paints the focus mark of a drop-down whose editor is disabled (on ACanvas, the control's).
  virtual void PaintFocusRect(TCanvas* ACanvas);
  virtual void UpdateEditRect();
  virtual void PositionButton();
  // The Text setter: the typed-text rules, then FOldText.
  virtual void ApplyText(const String& Value);
  virtual void SetSelectionColorStyle(TSelectionColorStyle Value);
  // The background of a selected item (Segment 0 whole, 1 left end, 2 right end, 3 middle).
  virtual void DrawSelectionBackground(TCanvas* Canvas, TRect R, TColor Background, int Segment);
  virtual void DrawGradientBackground(TCanvas* Canvas, TColor Color, TColor ColorTo, int Steps, TRect R,
                                      TGradientDirection Direction);
  void SetComponentStyle(TVAVStyle AStyle) override;

  // The colours of an item appearance for a look (the image, colour and detail pickers).
  static void SetItemAppearanceStyle(TItemAppearance* Appearance, TVAVStyle Style);

  // ---- Properties ----
  int DropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int Value);
  int DropDownHeight() const { return FDropDownHeight; }
  void SetDropDownHeight(int Value);
  int UserDropDownWidth() const { return FUserDropDownWidth; }
  int UserDropDownHeight() const { return FUserDropDownHeight; }
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value);
  TDropPosition DropPosition() const { return FDropPosition; }
  void SetDropPosition(TDropPosition Value) { FDropPosition = Value; }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool DropDownShadow() const { return FDropDownShadow; }
  void SetDropDownShadow(bool Value) { FDropDownShadow = Value; }
  int DropDownBorderWidth() const { return FDropDownBorderWidth; }
  void SetDropDownBorderWidth(int Value) { FDropDownBorderWidth = Value; }
  const String& DropDownButtonHint() const { return FButtonHint; }
  void SetDropDownButtonHint(const String& Value);
  TColor DropDownColor() const { return FDropDownColor; }
  void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
  TColor DropDownColorTo() const { return FDropDownColorTo; }
  void SetDropDownColorTo(TColor Value) { FDropDownColorTo = Value; }
  TColor DropDownBorderColor() const { return FDropDownBorderColor; }
  void SetDropDownBorderColor(TColor Value) { FDropDownBorderColor = Value; }
  int DropDownButtonWidth() const { return FButtonWidth; }
  void SetDropDownButtonWidth(int Value);
  TBitmap* DropDownButtonGlyph() const { return FButtonGlyph.get(); }
  void SetDropDownButtonGlyph(TBitmap* Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
  void SetDropDownHeader(THeaderAppearance* Value);
  TRivButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
  void SetButtonAppearance(TRivButtonAppearance* Value);
  TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
  void SetDropDownFooter(TFooterAppearance* Value);
  TControl* DropDownControl() const { return FControl; }
  void SetDropDownControl(TControl* Value);
  TGradientDirection DropDownGradient() const { return FDropDownGradient; }
  void SetDropDownGradient(TGradientDirection Value) { FDropDownGradient = Value; }
  bool DropDownSizeable() const { return FDropDownSizeable; }
  void SetDropDownSizeable(bool Value) { FDropDownSizeable = Value; }
  TColor SelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
  TColor SelectionColorTo() const { return FSelectionColorTo; }
  void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }
  TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
  TDropDownEditType EditType() const { return FEditType; }
  void SetEditType(TDropDownEditType Value);
  int LengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(int Value) { FLengthLimit = static_cast<int16_t>(Value); }
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value);
  const String& Prefix() const { return FPrefix; }
  void SetPrefix(const String& Value);
  const String& Suffix() const { return FSuffix; }
  void SetSuffix(const String& Value);
  bool Signed() const { return FSigned; }
  void SetSigned(bool Value) { FSigned = Value; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
  void SetAllowNumericNullValue(bool Value) { FAllowNumericNullValue = Value; }
  bool DefaultHandling() const { return FDefaultHandling; }
  void SetDefaultHandling(bool Value) { FDefaultHandling = Value; }
  bool CanUndo() const { return FCanUndo; }
  void SetCanUndo(bool Value) { FCanUndo = Value; }
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  const String& ValidChars() const { return FValidChars; }
  void SetValidChars(const String& Value) { FValidChars = Value; }
  bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
  void SetAutoThousandSeparator(bool Value) { FAutoThousandSeparator = Value; }
  bool DropDownEnabled() const { return FDropDownEnabled; }
  void SetDropDownEnabled(bool Value) { FDropDownEnabled = Value; }
  bool DroppedDown() const { return FDroppedDown; }
  const String& OldText() const { return FOldText; }

  // The sunken look and the border, as the edit's button placement reads them.
  bool Ctl3D = true;
  TBorderStyle BorderStyle = bsSingle;

  TDropDownForm* DropDownForm() const { return FDropDownForm; }
  TDropDownEditButton* Button() const { return FButton; }

  TDropDown OnDropDown;
  TDropUp OnDropUp;
  RivDropDown::TClipboardEvent OnClipboardCopy;
  RivDropDown::TClipboardEvent OnClipboardPaste;
  RivDropDown::TClipboardEvent OnClipboardCut;
  TDropDownButtonItemClick OnDropDownFooterButtonClick;
  TDropDownButtonItemClick OnDropDownHeaderButtonClick;
  TDrawBackGroundEvent OnDrawHeader;
  TDrawBackGroundEvent OnDrawFooter;
  TGetTextEvent OnGetFooterText;
  TGetTextEvent OnGetHeaderText;
  TNotifyEvent OnBeforeDropDown;
  TNotifyEvent OnBeforeDropUp;

  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void Change() override;
  void Resize() override;
  void EnabledChanged() override;
  void DoEnter() override;
  void CreateWnd() override;
  // The edit's own handling of a character that passed the rules: Backspace deletes the
  // selection (or the character before the caret), a printable character replaces the
  // selection.
  void InheritedChar(TMessage& Message);
  // The edit's own handling of a key that passed the rules.
  void InheritedKeyDown(TMessage& Message);
  // The button was released after a press on it (or the edit was pressed while the editor is
  // disabled): opens the pop-up unless it has just closed.
  void ButtonPressed();
  // Text helpers of the typed-entry rules (1-based positions as the rules count them).
  int PrefixLength() const { return static_cast<int>(FPrefix.size()); }
  bool IsNumericType() const { return FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney; }
  double ValueFromText(String S) const;
  int DecimalPosition(const String& S) const;
  int DecimalCaretPosition() const;
  bool IsSignChar(char C) const;
  bool DecimalsFull(const String& Value, int Caret) const;
  bool ThousandSeparatorTooClose(const String& Value, int Caret) const;
  void FormatMoneyText();
  int CharFromPos(TPoint P) const;

  int FDropDownWidth = 0;
  int FDropDownHeight = 0;
  int FUserDropDownWidth = -1;
  int FUserDropDownHeight = -1;
  bool FEditorEnabled = true;
  TDropPosition FDropPosition = dpAuto;
  TCustomImageList* FImages = nullptr;
  bool FDropDownShadow = true;
  int FDropDownBorderWidth = 1;
  String FButtonHint;
  TColor FDropDownColorTo = 0xF0DED0;
  TColor FDropDownColor = 0xF3E5DA;
  TColor FDropDownBorderColor = clNone;
  int FButtonWidth = 17;
  TWinControl* FFocusControl = nullptr;
  std::unique_ptr<THeaderAppearance> FDropDownHeader;
  std::unique_ptr<TRivButtonAppearance> FButtonAppearance;
  std::unique_ptr<TFooterAppearance> FDropDownFooter;
  TControl* FControl = nullptr;
  TGradientDirection FDropDownGradient = gdHorizontal;
  bool FDropDownSizeable = true;
  TColor FSelectionColor = 0xD7FFFD;
  TColor FSelectionColorTo = 0x58D4FC;
  TSelectionColorStyle FSelectionColorStyle = scOffice2007;
  TDropDownEditType FEditType = etString;
  int16_t FLengthLimit = 0;
  int16_t FPrecision = 0;
  String FPrefix;
  String FSuffix;
  bool FSigned = false;
  bool FReturnIsTab = false;
  bool FBlockChange = false;
  bool FAllowNumericNullValue = false;
  bool FDefaultHandling = true;
  bool FCanUndo = true;
  bool FExcelStyleDecimalSeparator = false;
  String FValidChars;
  bool FBlockCopy = false;
  bool FButtonDown = false;
  bool FAutoThousandSeparator = true;
  bool FIsModified = false;
  TRect FEditRect;
  bool FDropDownEnabled = false;
  bool FDroppedDown = false;
  std::unique_ptr<TBitmap> FButtonGlyph;
  bool FFocusDraw = true;
  bool FForceShadow = false;
  TVAVStyle FVAVStyle = tsOffice2007Luna;
  TDropDownForm* FDropDownForm = nullptr;
  TDropDownEditButton* FButton = nullptr;
  String FOldText;

 private:
  void HeaderOrFooterChanged();
  void KeyOpensOrCloses(Word Key);
  void HandleKeyDown(TMessage& Message);
  void HandleChar(TMessage& Message);
  // The text keys of the editable edit; false when the key was refused.
  bool TextKeyDown(TMessage& Message);
  void HandleWantSpecialKey(TMessage& Message);
  void HandlePaste(TMessage& Message);
  void HandleCut(TMessage& Message);
  void HandleCopy(TMessage& Message);
  void HandleSetFocus(TMessage& Message);
  void HandleKillFocus(TMessage& Message);
  void HandleLButtonDown(TMessage& Message);
  void HandleLButtonUp(TMessage& Message);
  // The sign of the value toggled (the minus of the numeric types).
  void ToggleSign(bool WholeSelectedToMinus);
  bool FloatChar(char& Key, TMessage& Message);
  bool RangeCharAllowed(char Key) const;
  void SetEditTextKeepingPrefix(const String& Value);
  // The edit's own editing of a character (no rule): insert or Backspace.
  void EditTypeChar(char Key);
  // The selection replaced by Value, the caret after it.
  void ReplaceSelection(const String& Value);
  void EditDeleteKey();
};
