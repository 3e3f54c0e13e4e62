// The detail drop-down: picks one of a list of detail items, each with a caption, an image and
// a line of formatted notes, shown as a one-column list in the item selector whose rows this
// control draws. The edit holds the chosen item's caption; typing completes the caption from
// the first matching item.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Persistent.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivItemSelector.h"

class TFont;
class TPicture;
class TTimer;

using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R)>;

class TDetailItem : public TCollectionItem {
 public:
  explicit TDetailItem(TCollection* Collection);
  ~TDetailItem() override;
  void Assign(TPersistent* Source) override;
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value);
  String Notes;
  bool Enabled = true;

 private:
  String FCaption;
  int FImageIndex = -1;
  std::unique_ptr<TPicture> FImage;
};

class TDetailItems : public TCollection {
 public:
  explicit TDetailItems(TPersistent* AOwner) : TCollection(FactoryOf<TDetailItem>()), FOwner(AOwner) {}
  TDetailItem* Add() { return static_cast<TDetailItem*>(TCollection::Add()); }
  TDetailItem* Insert(int Index) { return static_cast<TDetailItem*>(TCollection::Insert(Index)); }
  TDetailItem* Items(int Index) const { return static_cast<TDetailItem*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override { return FOwner; }
  // The first item whose caption equals AValue exactly, -1 when none.
  int IndexOf(const String& AValue) const;
  TNotifyEvent OnChange;
  void Update(TCollectionItem*) override {
    if (OnChange) OnChange(this);
  }

 private:
  TPersistent* FOwner;
};

class TRivDetailDropDown : public TRivCustomDropDown {
 public:
  explicit TRivDetailDropDown(TComponent* AOwner);
  ~TRivDetailDropDown() override;
  void AfterConstruction() override;

  TDetailItems* Items() const { return FItems.get(); }
  void SetItems(TDetailItems* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  // -1 clears the choice; other negative values are ignored, as are values beyond the items.
  void SetItemIndex(int Value);
  int ItemHeight = 22;
  TItemLayout Layout = ilCaptionRight;
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  TFont* CaptionFont() const { return FCaptionFont.get(); }
  TFont* NotesFont() const { return FNotesFont.get(); }
  bool MatchCase = false;
  bool MatchStart = false;
  TNotifyEvent OnSelect;
  TOnDrawSelectedItem OnDrawSelectedImage;

  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  TRivCustomItemSelector* ItemSelector() const { return FItemSelector; }
  // Draws item Index's row (image, caption, notes) into R.
  void DrawItemRow(TCanvas* ACanvas, TRect R, int Index);

  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void OpenDropDown() override;
  void SizeDropDownForm() override;
  void CloseDropDown(bool Cancel) override;
  void PopupWheelDown() override;
  void PopupWheelUp() override;
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  void SetComponentStyle(TVAVStyle AStyle) override;
  void WndProc(TMessage& Message) override;

 protected:
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DoEnter() override;

 private:
  void LoadSelector();
  void ItemChosen();
  // Moves the selector's choice (internally: the pop-up stays) and scrolls it into view.
  void MoveSelector(int Index);
  bool NavigationKey(Word Key);

  std::unique_ptr<TDetailItems> FItems;
  int FItemIndex = -1;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  std::unique_ptr<TFont> FCaptionFont;
  std::unique_ptr<TFont> FNotesFont;
  TRivCustomItemSelector* FItemSelector = nullptr;
  TTimer* FKeyTimer = nullptr;
  String FCurSearch;
  bool FWorkMode = true;
  bool FItemChange = false;
  int FItemIdx = -1;
  int FItemSel = 0;
  int FOldItemIndex = -1;
  bool FInternalCall = false;
  // The text the modified flag compares with: the value at focus entry or applied last.
  String FOldValue;
};
