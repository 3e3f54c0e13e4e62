// The item selector: the content control of the image, colour and detail pickers. A scrolling
// grid of items in a fixed number of columns, each an image, a picture or a colour box with a
// caption in formatted text, with a hot (hovered) item, a selected item, navigation operations,
// a type-ahead lookup and office-style selection colours.
//
// TRivCustomItemSelector is the scrolling control the pickers create; TCustomItemSelector is
// the panel inside it that lays the items out and paints them.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/Controls.h"
#include "classlib/Persistent.h"
#include "classlib/ScrollingControls.h"
#include "grid/dropdowns/RivDropDownTypes.h"

class TCanvas;
class TCustomImageList;
class TFont;
class TPicture;
class TRivCustomItemSelector;

enum TSelectorType { stImage, stColor };
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };

using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R, int Index)>;
using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;

class TSelectorItem : public TCollectionItem {
 public:
  explicit TSelectorItem(TCollection* Collection);
  ~TSelectorItem() override;
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Enabled = true;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value);
  // The item's place in the panel, set by the layout.
  TRect ItemRect() const { return FRect; }
  String Hint;

 private:
  friend class TCustomItemSelector;
  String FCaption;
  int FImageIndex = -1;
  TColor FColor = clNone;
  std::unique_ptr<TPicture> FImage;
  TRect FRect;
};

class TSelectorItems : public TCollection {
 public:
  explicit TSelectorItems(TPersistent* AOwner) : TCollection(FactoryOf<TSelectorItem>()), FMyOwner(AOwner) {}
  TSelectorItem* Add() { return static_cast<TSelectorItem*>(TCollection::Add()); }
  TSelectorItem* Insert(int Index) { return static_cast<TSelectorItem*>(TCollection::Insert(Index)); }
  TSelectorItem* Items(int Index) const { return static_cast<TSelectorItem*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override { return FMyOwner; }
  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem*) override {
    if (OnChange) OnChange(this);
  }

 private:
  TPersistent* FMyOwner;
};

// The colours of hot and selected items. The colour properties store; ColorStyle sets the
// palette of a selection style.
class TItemAppearance : public TPersistent {
 public:
  explicit TItemAppearance(TPersistent* AOwner);
  ~TItemAppearance() override;
  // The twelve colours, the font, the style (whose palette then wins) and ColorSelectedText.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }

  TNotifyEvent OnChange;
  TColor ColorMirrorHotTo = clNone;
  TColor BorderColor = clNone;
  TColor ColorMirrorHot = clNone;
  TColor ColorSelectedTo = clNone;
  TColor ColorSelected = clNone;
  TColor EdgeColor = clNone;
  TColor ColorHotTo = clNone;
  TColor BorderColorBottom = clNone;
  TColor ColorHot = clNone;
  TColor BorderColorTop = clNone;
  TColor ColorMirrorSelectedTo = clNone;
  TColor ColorMirrorSelected = clNone;
  TColor ColorSelectedText = 0;
  TColor ColorHotText = 0;
  TSelectionColorStyle ColorStyle() const { return FColorStyle; }
  void SetColorStyle(TSelectionColorStyle Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);

 private:
  TPersistent* FOwner;
  TSelectionColorStyle FColorStyle = scCustom;
  std::unique_ptr<TFont> FFont;
};

// The panel inside the selector: lays the items out in rows of Columns and paints them.
class TCustomItemSelector : public TCustomControl {
 public:
  // Raises "Invalid parent" unless AOwner is a TRivCustomItemSelector.
  explicit TCustomItemSelector(TComponent* AOwner);

  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int ItemHot() const { return FItemHot; }
  void SetItemHot(int Value);
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void HotNext();
  void HotPrevious();
  // Selects the first item whose plain caption, trimmed and upper-cased, starts with S.
  bool LookupItem(const String& S);
  // The item under a point of the panel, -1 when none.
  int ItemAtPos(int X, int Y) const;
  // The item's rectangle; (-1, -1, -1, -1) for an index out of range.
  TRect ItemRect(int Index) const;

  virtual void DrawItem(int Index, TCanvas* ACanvas);
  virtual void GetItemArea(TRect& R);
  virtual void GetItemSize(TSize& Size);
  virtual void InvalidateItem(int Index);
  virtual void LayoutItems();

  TNotifyEvent OnItemSelect;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void WndProc(TMessage& Message) override;

 private:
  bool ValidIndex(int Index) const;
  // The box an item shows (colour box, picture or image) and its size.
  TSize BoxSize(int Index) const;

  int FItemIndex = -1;
  int FItemHot = -1;
  int FOffSetX = 2;
  int FOffSetY = 2;
  int FItemOffSetX = 4;
  int FItemOffSetY = 4;
  int FCaptionGap = 4;
  TRivCustomItemSelector* FRivItemSelector = nullptr;
};

class TRivCustomItemSelector : public TScrollingWinControl {
 public:
  explicit TRivCustomItemSelector(TComponent* AOwner);
  ~TRivCustomItemSelector() override;

  TSelectorItems* Items() const { return FItems.get(); }
  void SetItems(TSelectorItems* Value) { FItems->Assign(Value); }
  TSelectorType SelectorType() const { return FSelectorType; }
  void SetSelectorType(TSelectorType Value);
  TItemLayout ItemLayout() const { return FItemLayout; }
  void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  int ColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(int Value);
  int ColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(int Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  TCustomItemSelector* Panel() const { return FItemSelectorPanel; }

  int ItemIndex() const;
  void SetItemIndex(int Value);
  int ItemHot() const;
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void HotNext();
  void HotPrevious();
  void ScrollItemInView(int Index);
  int GetVisibleItemCount() const;
  bool LookupItem(const String& S);
  void UpdateSelectorPanel();
  TSize GetPanelSize() const;

  TNotifyEvent OnItemSelect;
  TDrawItemEvent OnDrawItem;
  TItemSizeEvent OnItemSize;

  void WndProc(TMessage& Message) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::unique_ptr<TSelectorItems> FItems;
  TSelectorType FSelectorType = stImage;
  TItemLayout FItemLayout = ilCaptionRight;
  int FColumns = 1;
  int FColorBoxWidth = 14;
  int FColorBoxHeight = 14;
  TCustomImageList* FImages = nullptr;
  TCustomItemSelector* FItemSelectorPanel = nullptr;
  std::unique_ptr<TItemAppearance> FItemAppearance;
};
