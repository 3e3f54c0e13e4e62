// The image picker drop-down: the edit shows the chosen item's picture (or image-list image),
// centred; the pop-up holds the item selector in its image mode. Keys move the choice with the
// pop-up closed or open, and typed letters look an item up by caption, the letters of one run
// being collected for half a second.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Persistent.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivItemSelector.h"

class TPicture;
class TTimer;

using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R)>;

class TImageItem : public TCollectionItem {
 public:
  explicit TImageItem(TCollection* Collection);
  ~TImageItem() override;
  void Assign(TPersistent* Source) override;
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // Sets the caption without a change notification.
  void StoreCaption(const String& Value) { FCaption = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Enabled = true;
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value);
  TRect ItemRect;
  String Hint;

 private:
  String FCaption;
  int FImageIndex = -1;
  std::unique_ptr<TPicture> FImage;
};

class TImageItems : public TCollection {
 public:
  explicit TImageItems(TPersistent* AOwner) : TCollection(FactoryOf<TImageItem>()), FOwner(AOwner) {}
  TImageItem* Add() { return static_cast<TImageItem*>(TCollection::Add()); }
  TImageItem* Insert(int Index) { return static_cast<TImageItem*>(TCollection::Insert(Index)); }
  TImageItem* Items(int Index) const { return static_cast<TImageItem*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() const override { return FOwner; }
  TNotifyEvent OnChange;
  void Update(TCollectionItem*) override {
    if (OnChange) OnChange(this);
  }

 private:
  TPersistent* FOwner;
};

class TRivImagePickerDropDown : public TRivCustomDropDown {
 public:
  explicit TRivImagePickerDropDown(TComponent* AOwner);
  ~TRivImagePickerDropDown() override;
  void AfterConstruction() override;

  TImageItems* Items() const { return FItems.get(); }
  void SetItems(TImageItems* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int Columns = 1;
  TItemLayout Layout = ilCaptionRight;
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  TNotifyEvent OnSelect;
  TOnDrawSelectedItem OnDrawSelectedImage;
  TDrawItemEvent OnDrawItem;

  // The chosen item's image index (-1 without a choice); writing chooses the first item with it.
  int ImageIndex() const;
  void SetImageIndex(int Value);
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  // One item per file matching the folder's mask ("/path/*.png"); folders are skipped. A file
  // that does not load leaves an item without picture and caption.
  void AddImagesFromFolder(const String& AFolder, bool SetImageCaption);
  void AddImagesFromImageList();

  TRivCustomItemSelector* ItemSelector() const { return FItemSelector; }

  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void SizeDropDownForm() override;
  void CloseDropDown(bool Cancel) override;
  void PopupWheelDown() override;
  void PopupWheelUp() override;
  void PaintFocusRect(TCanvas* ACanvas) override;
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  void SetComponentStyle(TVAVStyle AStyle) override;
  void WndProc(TMessage& Message) override;

 private:
  void ConfigureItemSelector();
  void ListSelect();
  void DrawSelectedImage(TCanvas* ACanvas);
  void HandleKeyDown(TMessage& Message);

  std::unique_ptr<TImageItems> FItems;
  int FItemIndex = -1;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  TRivCustomItemSelector* FItemSelector = nullptr;
  bool FInternalCall = false;
  TTimer* FKeyTimer = nullptr;
  String FCurSearch;
  int FOldItemIndex = -1;
};
