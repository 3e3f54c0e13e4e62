// The pop-up's header and footer: their settings (THeaderAppearance, TFooterAppearance) with
// their button definitions, and the strips that show them (TRivHeader, TRivFooter): a caption
// in formatted text, an optional image, a row of buttons and, in the footer, the size grip.
#pragma once

#include <memory>

#include "classlib/Controls.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Persistent.h"
#include "grid/dropdowns/RivDropDownButtons.h"
#include "grid/dropdowns/RivDropDownTypes.h"

class TComponent;
class TCustomImageList;
class TRivCustomDropDown;

// One button of the header. Caption, Enabled and Width changes tell the collection; a Width
// or Height of 0 sizes the button to its caption.
class THeaderButton : public TCollectionItem {
 public:
  explicit THeaderButton(TCollection* Collection) : TCollectionItem(Collection) {}
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value);

 private:
  String FCaption;
  int FImageIndex = -1;
  bool FEnabled = true;
  int FHeight = 0;
  int FWidth = 0;
};

// One button of the footer: a modal result of 1 to 3 or 5 to 10 closes the pop-up (2, 3, 5, 7
// and 9 as cancelled).
class TFooterButton : public THeaderButton {
 public:
  explicit TFooterButton(TCollection* Collection) : THeaderButton(Collection) {}
  void Assign(TPersistent* Source) override;
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

 private:
  TModalResult FModalResult = mrNone;
};

class THeaderButtons : public TOwnedCollection {
 public:
  explicit THeaderButtons(TPersistent* AOwner) : TOwnedCollection(AOwner, FactoryOf<THeaderButton>()) {}
  THeaderButton* Add() { return static_cast<THeaderButton*>(TCollection::Add()); }
  THeaderButton* Insert(int Index) { return static_cast<THeaderButton*>(TCollection::Insert(Index)); }
  THeaderButton* Items(int Index) const { return static_cast<THeaderButton*>(TCollection::Items(Index)); }
  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem*) override {
    if (OnChange) OnChange(this);
  }
};

class TFooterButtons : public TCollection {
 public:
  explicit TFooterButtons(TPersistent* AOwner) : TCollection(FactoryOf<TFooterButton>()), FMyOwner(AOwner) {}
  TFooterButton* Add() { return static_cast<TFooterButton*>(TCollection::Add()); }
  TFooterButton* Insert(int Index) { return static_cast<TFooterButton*>(TCollection::Insert(Index)); }
  TFooterButton* Items(int Index) const { return static_cast<TFooterButton*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override { return FMyOwner; }
  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem*) override {
    if (OnChange) OnChange(this);
  }

 private:
  TPersistent* FMyOwner;
};

// What the header and footer settings share. Only Visible notifies OnChange (when it
// changes); a change of the buttons notifies OnButtonsChanged; the other setters store.
class TDropDownStripAppearance : public TPersistent {
 public:
  explicit TDropDownStripAppearance(TComponent* AOwner);
  ~TDropDownStripAppearance() override;

  // ColorTo, Color, BorderColor, the font and GradientDirection of another strip's settings.
  void AssignColors(TDropDownStripAppearance* Source);
  TPersistent* GetOwner() const override;

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { FColorTo = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
  TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
  void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }
  // The button definitions (header or footer buttons).
  virtual TCollection* ButtonItems() const = 0;

  TNotifyEvent OnChange;
  TNotifyEvent OnButtonsChanged;

 protected:
  void CopyFrom(TDropDownStripAppearance* Source);
  void ButtonsChanged();

  TComponent* FOwner;
  bool FVisible = true;
  int FHeight = 22;
  int FBorderWidth = 1;
  int FImageIndex = -1;
  String FCaption;
  TColor FColorTo = 0xFFFFFF;
  TColor FColor = 0xC0C0C0;
  TColor FBorderColor = 0;
  std::unique_ptr<TFont> FFont;
  TGradientDirection FGradientDirection = gdVertical;
  TButtonAlignment FButtonAlignment = baRight;
};

class THeaderAppearance : public TDropDownStripAppearance {
 public:
  explicit THeaderAppearance(TComponent* AOwner);
  ~THeaderAppearance() override;
  // Every setting, from another header appearance only.
  void Assign(TPersistent* Source) override;
  THeaderButtons* Buttons() const { return FButtons.get(); }
  void SetButtons(THeaderButtons* Value) { FButtons->Assign(Value); }
  TCollection* ButtonItems() const override { return FButtons.get(); }

 private:
  std::unique_ptr<THeaderButtons> FButtons;
};

class TFooterAppearance : public TDropDownStripAppearance {
 public:
  explicit TFooterAppearance(TComponent* AOwner);
  ~TFooterAppearance() override;
  // Every setting, from another footer appearance only.
  void Assign(TPersistent* Source) override;
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value) { FSizeGrip = Value; }
  TFooterButtons* Buttons() const { return FButtons.get(); }
  void SetButtons(TFooterButtons* Value) { FButtons->Assign(Value); }
  TCollection* ButtonItems() const override { return FButtons.get(); }

 private:
  bool FSizeGrip = true;
  std::unique_ptr<TFooterButtons> FButtons;
};

// What the header and footer strips share: their own copy of the settings, the buttons they
// show, painting and the button row.
class TDropDownStrip : public TCustomControl, public TButtonBackdrop {
 public:
  ~TDropDownStrip() override;

  // Takes the drop-down's images and a copy of its header (footer) settings.
  void AttachDropDown(TRivCustomDropDown* DropDown);
  // Builds the buttons again from the drop-down's definitions (nothing without a drop-down).
  void RebuildButtons();

  TDropDownStripAppearance* Appearance() const { return FAppearance.get(); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TRivCustomDropDown* RivDropDown() const { return FRivDropDown; }
  // The buttons shown, in collection order.
  TDbgList* ButtonList() const { return FButtonList.get(); }
  // The drop-down's button definitions; nullptr without a drop-down.
  TCollection* Buttons() const;

  TDrawBackGroundEvent OnDrawBackGround;
  TGetTextEvent OnGetText;

  void PaintBackdrop(TCanvas* ACanvas, TRect Area) override;
  // The strips never take the focus: keys stay with the pop-up.
  bool CanFocus() const override { return false; }

  virtual void CreateButtons();
  virtual void ClearButtons();
  virtual void LayoutButtons();
  virtual void UpdateButtons();

 protected:
  TDropDownStrip(TComponent* AOwner, std::unique_ptr<TDropDownStripAppearance> Appearance);
  // The drop-down's header or footer settings.
  virtual TDropDownStripAppearance* DropDownSettings() const = 0;
  // The rectangle the buttons share.
  virtual TRect ButtonArea() const = 0;
  // The border lines and the highlight frame inside them.
  virtual void PaintBorder(TCanvas* ACanvas, TRect R) = 0;
  // Whether the drop-down has a frame of its own (the strip then leaves its outer edges).
  bool DropDownFramed() const;
  // A new button for definition Index (the footer also passes its modal result).
  virtual void SetUpButton(TRivButton* Button, TCollectionItem* Item);
  virtual void ReportClick(int ButtonIndex) = 0;

  void Paint() override;
  void Resize() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Paints the caption (and image) in Content; Content.Right may be cut at the buttons.
  void PaintCaption(TCanvas* ACanvas, TRect Content);
  void AppearanceChanged();

  std::unique_ptr<TDropDownStripAppearance> FAppearance;
  TCustomImageList* FImages = nullptr;
  TRivCustomDropDown* FRivDropDown = nullptr;
  std::unique_ptr<TDbgList> FButtonList;

 private:
  void ButtonClick(TObject* Sender);
};

class TRivHeader : public TDropDownStrip {
 public:
  explicit TRivHeader(TComponent* AOwner);
  THeaderAppearance* HeaderAppearance() const { return static_cast<THeaderAppearance*>(FAppearance.get()); }

 protected:
  TDropDownStripAppearance* DropDownSettings() const override;
  TRect ButtonArea() const override;
  void PaintBorder(TCanvas* ACanvas, TRect R) override;
  void ReportClick(int ButtonIndex) override;
};

class TRivFooter : public TDropDownStrip {
 public:
  explicit TRivFooter(TComponent* AOwner);
  TFooterAppearance* FooterAppearance() const { return static_cast<TFooterAppearance*>(FAppearance.get()); }
  // The grip is shown (and sizes the pop-up) when the settings ask for it and the drop-down
  // is sizeable.
  bool SizeGripShown() const;
  void WndProc(TMessage& Message) override;

 protected:
  TDropDownStripAppearance* DropDownSettings() const override;
  TRect ButtonArea() const override;
  void PaintBorder(TCanvas* ACanvas, TRect R) override;
  void ReportClick(int ButtonIndex) override;
  void SetUpButton(TRivButton* Button, TCollectionItem* Item) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool InGripZone(int X, int Y) const;
  void RestoreCursor();
  TCursor FOldCursor = crDefault;
};
