// The colour picker drop-down and the colour selector panels of its pop-up.
//
// The edit paints a box in the selected colour and a text for it. The pop-up offers one of four
// ways to choose: a list of named colours (the item selector), a grid of colour boxes with a
// built-in palette (TCustomColorSelector), a honeycomb of hexagonal colour cells
// (TRivColorCubePanel) or a spectrum picture any pixel of which can be picked
// (TRivColorSpectrumPanel).
#pragma once

#include <memory>

#include "classlib/Controls.h"
#include "classlib/Persistent.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivItemSelector.h"

class TBitmap;
class TImage;
class TTimer;

// ---- The panels ----------------------------------------------------------------------------------

class TRivCustomColorSelectorPanel : public TCustomControl {
 public:
  explicit TRivCustomColorSelectorPanel(TComponent* AOwner) : TCustomControl(AOwner) {}
  // The should-hide notification: the cube and spectrum fire it when a button is released.
  TNotifyEvent FOnShouldHide;
};

enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };

class TColorBoxItem : public TCollectionItem {
 public:
  explicit TColorBoxItem(TCollection* Collection) : TCollectionItem(Collection) {}
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TItemPos ColorBoxPos = ipStandAlone;
  bool Enabled = true;
  // Set by the layout; empty until then.
  TRect ItemRect;
  bool Placed = false;

 private:
  TColor FColor = clNone;
};

class TColorBoxItems : public TCollection {
 public:
  explicit TColorBoxItems(TPersistent* AOwner) : TCollection(FactoryOf<TColorBoxItem>()), FOwner(AOwner) {}
  TColorBoxItem* Add() { return static_cast<TColorBoxItem*>(TCollection::Add()); }
  TColorBoxItem* Insert(int Index) { return static_cast<TColorBoxItem*>(TCollection::Insert(Index)); }
  TColorBoxItem* Items(int Index) const { return static_cast<TColorBoxItem*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override { return FOwner; }
  TNotifyEvent OnChange;
  void Update(TCollectionItem*) override {
    if (OnChange) OnChange(this);
  }

 private:
  TPersistent* FOwner;
};

class TColorBoxAppearance : public TPersistent {
 public:
  void Assign(TPersistent* Source) override;
  TColor BorderColor = 0xC5C5C5;
  TColor OuterBorderColorHot = 0x3694F2;
  TColor InnerBorderColorHot = 0x94E2FF;
  TColor OuterBorderColorSelected = 0x0000FF;
  TColor InnerBorderColorSelected = 0x94E2FF;
  TNotifyEvent OnChange;
};

class TCustomColorSelector : public TRivCustomColorSelectorPanel {
 public:
  explicit TCustomColorSelector(TComponent* AOwner);
  ~TCustomColorSelector() override;
  void WndProc(TMessage& Message) override;

  TColorBoxItems* Items() const { return FItems.get(); }
  void SetItems(TColorBoxItems* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int ItemHot() const { return FItemHot; }
  void SetItemHot(int Value);
  TColor SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  int ColumnGap() const { return FColumnGap; }
  void SetColumnGap(int Value);
  int ColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(int Value);
  int ColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(int Value);
  TColorBoxAppearance* ColorBoxAppearance() const { return FColorBoxAppearance.get(); }
  void SetColorBoxAppearance(TColorBoxAppearance* Value) { FColorBoxAppearance->Assign(Value); }
  TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
  void SetItemColorStyle(TSelectionColorStyle Value);
  TNotifyEvent OnItemSelect;

  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void HotNext();
  void HotPrevious();
  void HandleKey(Word Key, bool EditorEnabled, bool DroppedDown);
  void FillDefaultPalette();
  int ItemAtPos(int X, int Y) const;

  // ---- Virtual operations, in slot order ----
  virtual void DrawItem(int Index, TCanvas* ACanvas);
  virtual void GetItemsArea(TRect& R);
  virtual TSize GetColorBoxSize();
  virtual void SetItemsPosition();
  virtual void InvalidateItem(int Index);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  bool Selectable(int Index) const;
  std::unique_ptr<TColorBoxItems> FItems;
  int FItemIndex = -1;
  TColor FSelectedColor = clNone;
  int FColumns = 10;
  int FColumnGap = 4;
  int FColorBoxWidth = 12;
  int FColorBoxHeight = 12;
  std::unique_ptr<TColorBoxAppearance> FColorBoxAppearance;
  TSelectionColorStyle FItemColorStyle = scOffice2007;
  int FItemHot = -1;
  int FOffSetX = 4;
  int FOffSetY = 4;
};

struct TCubeCell {
  int X = 0, Y = 0;
  TColor Color = clNone;
};

class TRivColorCubePanel : public TRivCustomColorSelectorPanel {
 public:
  explicit TRivColorCubePanel(TComponent* AOwner);
  void WndProc(TMessage& Message) override;

  TColor SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor Value);
  bool ShowRGBHint() const { return FShowRGBHint; }
  void SetShowRGBHint(bool Value);
  TNotifyEvent OnSelect;

  void InitCubeCells();
  // A new opening: no hot cell, the panel's own size.
  void Reset();
  // The cell (1 to 127) whose centre lies within reach of the point; 0 when none.
  int CellAt(int X, int Y) const;
  const TCubeCell& Cell(int Index) const { return FCubeCells[Index]; }
  int SelectedIndex() const { return FSelectedIndex; }
  int HotIndex() const { return FHotIndex; }
  void DrawHexagon(TCanvas* ACanvas, int Index);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  void Frame(TCanvas* ACanvas, const TCubeCell& C, int B, int A, TColor Color);
  TCubeCell FCubeCells[128];
  TPoint FCubeSize{6, 3};
  TColor FSelectedColor = clNone;
  int FSelectedIndex = -1;
  int FHotIndex = -1;
  bool FShowRGBHint = true;
};

class TRivColorSpectrumPanel : public TRivCustomColorSelectorPanel {
 public:
  explicit TRivColorSpectrumPanel(TComponent* AOwner);
  TColor SelectedColor = clWhite;
  TColor HotColor() const { return FHotColor; }
  TNotifyEvent OnSelect;
  void LayoutSpectrum();
  TImage* SpectrumImage() const { return FSpectrumImage; }
  TRect SelectedRect() const { return FSelectedRect; }
  TRect HotRect() const { return FHotRect; }

 protected:
  void Paint() override;

 private:
  void ImageMouseMove(int X, int Y);
  void ImageMouseDown();
  TImage* FSpectrumImage = nullptr;
  TColor FHotColor = clNone;
  TRect FHotRect;
  TRect FSelectedRect;
};

// ---- The drop-down -------------------------------------------------------------------------------

enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };
enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R)>;

class TColorItem : public TCollectionItem {
 public:
  explicit TColorItem(TCollection* Collection) : TCollectionItem(Collection) {}
  void Assign(TPersistent* Source) override;
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool Enabled = true;
  TRect ItemRect;
  String Hint;

 private:
  String FCaption;
  TColor FColor = clNone;
};

class TColorItems : public TCollection {
 public:
  explicit TColorItems(TPersistent* AOwner) : TCollection(FactoryOf<TColorItem>()), FOwner(AOwner) {}
  TColorItem* Add() { return static_cast<TColorItem*>(TCollection::Add()); }
  TColorItem* Insert(int Index) { return static_cast<TColorItem*>(TCollection::Insert(Index)); }
  TColorItem* Items(int Index) const { return static_cast<TColorItem*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override { return FOwner; }
  TNotifyEvent OnChange;
  void Update(TCollectionItem*) override {
    if (OnChange) OnChange(this);
  }

 private:
  TPersistent* FOwner;
};

class TRivColorPickerDropDown : public TRivCustomDropDown {
 public:
  explicit TRivColorPickerDropDown(TComponent* AOwner);
  ~TRivColorPickerDropDown() override;
  void AfterConstruction() override;

  TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
  void SetColorSelectionStyle(TColorSelectionStyle Value);
  TColorItems* Colors() const { return FColors.get(); }
  void SetColors(TColorItems* Value) { FColors->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int Columns = 1;
  TItemLayout Layout = ilCaptionRight;
  int ColorBoxWidth = 14;
  int ColorBoxHeight = 14;
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  bool ShowText() const { return FShowText; }
  void SetShowText(bool Value);
  TColorValueText ColorValueText = cvtNone;
  TNotifyEvent OnSelect;
  TOnDrawSelectedItem OnDrawSelectedColor;
  TDrawItemEvent OnDrawColor;

  TColor SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor Value);
  String SelectedColorText() { return SelectedColorDisplayText(); }
  void AddDefaultColors();
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();

  TRivCustomItemSelector* ListSelector() const { return FItemSelector; }
  TCustomColorSelector* ColorSelector() const { return FColorSelector; }
  TRivColorCubePanel* ColorCubePanel() const { return FColorCubePanel; }
  TRivColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }
  TTimer* KeyTimer() const { return FKeyTimer; }

  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void PlaceDropDownControl() override;
  void SizeDropDownForm() override;
  void CloseDropDown(bool Cancel) override;
  void PopupDestroyed() override;
  void PopupWheelDown() override;
  void PopupWheelUp() override;
  void PaintFocusRect(TCanvas* ACanvas) override;
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  void SetComponentStyle(TVAVStyle AStyle) override;
  void WndProc(TMessage& Message) override;

 protected:
  virtual String SelectedColorDisplayText();

 private:
  // The content control of the current style, created when missing and placed.
  TControl* PrepareContent();
  void ConfigureItemSelector();
  void HideOthers(TControl* Keep);
  void ListSelect();
  void DiscreteSelect();
  void PanelSelect(TColor Color);
  void DrawSelectedColor(TCanvas* ACanvas);
  void HandleKeyDown(TMessage& Message);
  void PanelSizes();

  TColorSelectionStyle FColorSelectionStyle = csList;
  std::unique_ptr<TColorItems> FColors;
  int FItemIndex = -1;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FShowText = true;
  TColor FSelectedColor = clNone;
  TRivCustomItemSelector* FItemSelector = nullptr;
  TCustomColorSelector* FColorSelector = nullptr;
  TRivColorCubePanel* FColorCubePanel = nullptr;
  TRivColorSpectrumPanel* FSpectrumPanel = nullptr;
  bool FInternalCall = false;
  TTimer* FKeyTimer = nullptr;
  String FCurSearch;
  int FOldItemIndex = -1;
  TColor FOldSelectedColor = clNone;
};
