// Edits with an embedded button: the button control (TZirEditButton over a TRivSpeedButton),
// the edit that carries one at its right edge (TZirEditBtn; F4 or a click on the button runs
// ClickButton) and its unit-choosing variant (TZirUnitEditBtn), which shows a unit after the
// text and offers the units in a pop-up menu from the button.
#pragma once

#include <memory>

#include "classlib/Buttons.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/StringList.h"
#include "grid/base/EditorMetrics.h"

class TRivSpeedButton : public TSpeedButton {
 public:
  explicit TRivSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}
  bool IsWinXP = false;
  bool Flat() const { return FFlatLook; }
  void SetFlat(bool Value);
  bool Hot() const { return FHot; }

 protected:
  void Paint() override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  bool FFlatLook = false;
  bool FHot = false;
};

class TZirEditButton : public TCustomControl {
 public:
  explicit TZirEditButton(TComponent* AOwner);

  TRivSpeedButton* Button() const { return FButton; }
  TBitmap* Glyph() const { return FButton->Glyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  String ButtonCaption() const { return FButton->Caption(); }
  void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }
  int NumGlyphs() const { return FButton->NumGlyphs(); }
  void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TNotifyEvent OnClick;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;

 private:
  void BtnMouseUp(TMouseButton Button, int X, int Y);
  void AdjustButton();

  TRivSpeedButton* FButton;
  TWinControl* FFocusControl = nullptr;
  bool FFlat = false;
};

class TZirEditBtn : public TCustomEdit {
 public:
  explicit TZirEditBtn(TComponent* AOwner);

  TZirEditButton* Button() const { return FButton; }
  int ButtonWidth() const { return FButton->Width(); }
  void SetButtonWidth(int Value);
  String ButtonCaption() const { return FButton->ButtonCaption(); }
  void SetButtonCaption(const String& Value) { FButton->SetButtonCaption(Value); }
  TBitmap* Glyph() const { return FButton->Glyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  bool EditorEnabled = true;
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  bool RightAlign() const { return FRightAlign; }
  void SetRightAlign(bool Value);
  TNotifyEvent OnClickBtn;
  bool Ctl3D = true;
  TBorderStyle BorderStyle = bsSingle;

  // The text area left of the button (and of the unit).
  TRect EditRect() const { return FEditRect; }
  // Fires OnClickBtn.
  virtual void ClickButton();

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(TMessage& Message) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void SetEditRect();
  int FUnitSize = 0;

 private:
  bool FRightAlign = false;
  TZirEditButton* FButton;
  bool FIsWinXP = false;
  TRect FEditRect;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

class TZirUnitEditBtn : public TZirEditBtn {
 public:
  explicit TZirUnitEditBtn(TComponent* AOwner);

  String TextAndUnit() const { return Text() + FUnitID; }
  void SetTextAndUnit(const String& Value);
  TStringList* Units() const { return FUnits.get(); }
  void SetUnits(TStrings* Value) { FUnits->Assign(Value); }
  const String& UnitID() const { return FUnitID; }
  void SetUnitID(const String& Value);
  int UnitSpace() const { return FUnitSize; }
  void SetUnitSpace(int Value);
  TUnitChangeEvent OnUnitChanged;

  // Fires OnClickBtn, then offers the units in the pop-up menu.
  void ClickButton() override;
  // The menu shown by the last ClickButton (nullptr before).
  TPopupMenu* UnitMenu() const { return FMenu; }
  // A unit chosen from the menu: identifiers 1 to the unit count, others are ignored.
  void UnitChosen(int ID);
  // Draws UnitID in its place right of the text; the canvas's origin lies at (OriginX,
  // OriginY) of the edit.
  void PaintUnit(TCanvas* Canvas, int OriginX = 0, int OriginY = 0);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 private:
  class TUnitLabel;
  TUnitLabel* FUnitLabel = nullptr;
  String FUnitID;
  std::unique_ptr<TStringList> FUnits;
  TPopupMenu* FMenu = nullptr;
};
