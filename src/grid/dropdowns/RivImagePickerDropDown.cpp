// The image picker drop-down: its items, the selector in the pop-up, keys with type-ahead, and
// the edit painted with the chosen picture.
#include "grid/dropdowns/RivImagePickerDropDown.h"

#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "classlib/Canvas.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Graphic.h"
#include "classlib/ImgList.h"
#include "classlib/Picture.h"
#include "classlib/ScreenMetrics.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"

// ---- Items ---------------------------------------------------------------------------------------

TImageItem::TImageItem(TCollection* Collection) : TCollectionItem(Collection), FImage(std::make_unique<TPicture>()) {}
TImageItem::~TImageItem() = default;

void TImageItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed(false);
}

void TImageItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed(false);
}

void TImageItem::SetImage(TPicture* Value) { FImage->Assign(Value); }

void TImageItem::Assign(TPersistent* Source) {
  if (auto* o = dynamic_cast<TImageItem*>(Source)) {
    FCaption = o->FCaption;
    FImageIndex = o->FImageIndex;
    FImage->Assign(o->FImage.get());
    Enabled = o->Enabled;
    Hint = o->Hint;
    return;
  }
  TCollectionItem::Assign(Source);
}

// ---- Construction and the choice -----------------------------------------------------------------

TRivImagePickerDropDown::TRivImagePickerDropDown(TComponent* AOwner)
    : TRivCustomDropDown(AOwner),
      FItems(std::make_unique<TImageItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
  FItems->OnChange = [](TObject*) {};
}

TRivImagePickerDropDown::~TRivImagePickerDropDown() {
  if (FKeyTimer != nullptr) FKeyTimer->SetEnabled(false);
}

void TRivImagePickerDropDown::AfterConstruction() {
  TRivCustomDropDown::AfterConstruction();
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  FKeyTimer = New<TTimer>(this);
  FKeyTimer->SetEnabled(false);
  FKeyTimer->SetInterval(500);
  FKeyTimer->SetOnTimer([this](TObject*) {
    FKeyTimer->SetEnabled(false);
    FCurSearch.clear();
  });
  Cursor = crArrow;
}

void TRivImagePickerDropDown::SetItemIndex(int Value) {
  if (Value == FItemIndex || Value >= FItems->Count()) return;
  FItemIndex = Value;
  Invalidate();
  if (OnChange) OnChange(this);
  if (OnSelect) OnSelect(this);
}

int TRivImagePickerDropDown::ImageIndex() const {
  return FItemIndex >= 0 && FItemIndex < FItems->Count() ? FItems->Items(FItemIndex)->ImageIndex() : -1;
}

void TRivImagePickerDropDown::SetImageIndex(int Value) {
  int found = -1;
  for (int i = 0; i < FItems->Count() && found < 0; ++i)
    if (FItems->Items(i)->ImageIndex() == Value) found = i;
  SetItemIndex(found);
}

void TRivImagePickerDropDown::SelectFirst() {
  if (FItems->Count() > 0) SetItemIndex(0);
}
void TRivImagePickerDropDown::SelectLast() {
  if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}
void TRivImagePickerDropDown::SelectNext() {
  if (FItemIndex < 0) SelectFirst(); else if (FItemIndex + 1 < FItems->Count()) SetItemIndex(FItemIndex + 1);
}
void TRivImagePickerDropDown::SelectPrevious() {
  if (FItemIndex < 0) SelectFirst(); else if (FItemIndex >= 1) SetItemIndex(FItemIndex - 1);
}

void TRivImagePickerDropDown::AddImagesFromImageList() {
  if (Images() == nullptr) return;
  for (int i = 0; i < Images()->Count(); ++i) FItems->Add()->SetImageIndex(i);
}

void TRivImagePickerDropDown::AddImagesFromFolder(const String& AFolder, bool SetImageCaption) {
  namespace fs = std::filesystem;
  const String folder = ExtractFilePath(AFolder);
  const String mask = AFolder.substr(folder.size());
  std::vector<String> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec), end; !ec && it != end;
       it.increment(ec)) {
    // Folders match a mask too, but hold no picture.
    if (it->is_directory(ec)) continue;
    const String name = it->path().filename().string();
    if (fnmatch(mask.c_str(), name.c_str(), 0) == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  for (const String& name : names) {
    TImageItem* item = FItems->Add();
    try {
      item->Image()->LoadFromFile(folder + name);
      if (SetImageCaption) item->StoreCaption(name);
    } catch (const std::exception&) {
      item->Image()->Assign(nullptr);
    }
  }
}

// ---- The pop-up ----------------------------------------------------------------------------------

void TRivImagePickerDropDown::CreateDropDownForm() {
  TRivCustomDropDown::CreateDropDownForm();
  if (DropDownForm() == nullptr) return;
  if (FItemSelector == nullptr) {
    FItemSelector = New<TRivCustomItemSelector>(this);
    FItemSelector->SetParent(DropDownForm());
    FItemSelector->SetSelectorType(stImage);
    FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
  }
  FItemSelector->SetColor(DropDownColor());
  FItemSelector->UpdateSelectorPanel();
  SetDropDownControl(FItemSelector);
}

void TRivImagePickerDropDown::ConfigureItemSelector() {
  if (FItemSelector == nullptr) return;
  FItemSelector->OnItemSelect = nullptr;
  FItemSelector->SetColumns(Columns);
  FItemSelector->SetImages(Images());
  FItemSelector->SetItemLayout(Layout);
  FItemSelector->SetColor(DropDownColor());
  FItemSelector->SetItemAppearance(FItemAppearance.get());
  FItemSelector->Items()->Clear();
  for (int i = 0; i < FItems->Count(); ++i) {
    TImageItem* source = FItems->Items(i);
    TSelectorItem* item = FItemSelector->Items()->Add();
    item->SetCaption(source->Caption());
    item->SetImage(source->Image());
    item->SetImageIndex(source->ImageIndex());
    item->Hint = source->Hint;
  }
  FItemSelector->UpdateSelectorPanel();
  FItemSelector->SetItemIndex(FItemIndex);
  FItemSelector->OnItemSelect = [this](TObject*) { ListSelect(); };
  FItemSelector->ShowHint = ShowHint;
}

void TRivImagePickerDropDown::DoBeforeDropDown() {
  TRivCustomDropDown::DoBeforeDropDown();
  ConfigureItemSelector();
  if (FItemSelector != nullptr)
    FItemSelector->OnDrawItem = OnDrawItem ? TDrawItemEvent([this](TObject*, TCanvas* C, TRect R, int Index) {
      OnDrawItem(this, C, R, Index);
    })
                                           : TDrawItemEvent();
  FOldItemIndex = FItemIndex;
  // A click in the pop-up gives its control the keyboard; that control's keys are the pop-up's.
  auto hookKeys = [this](TWinControl* C) {
    if (C == nullptr) return;
    C->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    C->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    C->OnKeyPress = [this](TObject*, char& Key) { ControlKeyPress(Key); };
  };
  if (FItemSelector != nullptr) hookKeys(FItemSelector->Panel());
}

void TRivImagePickerDropDown::SizeDropDownForm() {
  if (FItemSelector == nullptr) {
    TRivCustomDropDown::SizeDropDownForm();
    return;
  }
  FItemSelector->SetAlign(alNone);
  const TSize size = FItemSelector->GetPanelSize();
  if (DropDownWidth() < 1) FItemSelector->SetBounds(FItemSelector->Left(), FItemSelector->Top(), size.cx, FItemSelector->Height());
  if (DropDownHeight() < 1) FItemSelector->SetBounds(FItemSelector->Left(), FItemSelector->Top(), FItemSelector->Width(), size.cy);
  TRivCustomDropDown::SizeDropDownForm();
  if (FItemSelector->VertScrollBar()->Visible() && DropDownForm() != nullptr) {
    TDropDownForm* f = DropDownForm();
    f->SetBounds(f->Left(), f->Top(), f->Width() + GetSystemMetrics(SM_CXVSCROLL), f->Height());
  }
}

void TRivImagePickerDropDown::CloseDropDown(bool Cancel) {
  const bool wasOpen = DropDownForm() != nullptr && DropDownForm()->Visible();
  TRivCustomDropDown::CloseDropDown(Cancel);
  if (wasOpen && Cancel && FItemSelector != nullptr) SetItemIndex(FOldItemIndex);
}

void TRivImagePickerDropDown::ListSelect() {
  SetItemIndex(FItemSelector->ItemIndex());
  if (!FInternalCall) CloseDropDown(false);
}

// ---- Keys and wheel ------------------------------------------------------------------------------

void TRivImagePickerDropDown::PopupWheelDown() {
  if (!Enabled() || ReadOnly()) return;
  if (DroppedDown() && FItemSelector != nullptr)
    FItemSelector->HotNext();
  else
    SelectNext();
}

void TRivImagePickerDropDown::PopupWheelUp() {
  if (!Enabled() || ReadOnly()) return;
  if (DroppedDown() && FItemSelector != nullptr)
    FItemSelector->HotPrevious();
  else
    SelectPrevious();
}

void TRivImagePickerDropDown::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN) {
    HandleKeyDown(Message);
    return;
  }
  TRivCustomDropDown::WndProc(Message);
}

void TRivImagePickerDropDown::HandleKeyDown(TMessage& Message) {
  const Word key = static_cast<Word>(Message.WParam);
  bool handled = false;
  if (Enabled() && DroppedDown() && key == VK_RETURN && FItemSelector != nullptr && FItemSelector->ItemHot() >= 0) {
    FItemSelector->SetItemIndex(FItemSelector->ItemHot());
    handled = true;
  }
  TRivCustomDropDown::WndProc(Message);
  if (!Enabled() || GetKeyState(VK_MENU) < 0) return;
  const bool dropped = DroppedDown() && FItemSelector != nullptr;
  int target = -2;
  switch (key) {
    case VK_RETURN:
      if (!handled && OnSelect) OnSelect(this);
      return;
    case VK_PRIOR: case VK_NEXT: {
      if (FItemSelector == nullptr) return;
      if (FItemSelector->Items()->Count() != FItems->Count()) ConfigureItemSelector();
      const int n = FItemSelector->GetVisibleItemCount();
      if (n < 1) return;
      const int current = FItemSelector->ItemIndex();
      target = key == VK_PRIOR ? std::max(0, current - n) : std::min(current + n, FItems->Count() - 1);
      break;
    }
    case VK_END: case VK_HOME:
      if (dropped) {
        FInternalCall = true;
        if (key == VK_END) FItemSelector->SelectLast(); else FItemSelector->SelectFirst();
        FInternalCall = false;
      } else if (key == VK_END) {
        SelectLast();
      } else {
        SelectFirst();
      }
      return;
    case VK_LEFT: case VK_RIGHT:
      if (dropped && !EditorEnabled()) {
        FInternalCall = true;
        if (key == VK_LEFT) FItemSelector->SelectPrevious(); else FItemSelector->SelectNext();
        FInternalCall = false;
      }
      return;
    case VK_UP: case VK_DOWN:
      if (dropped) {
        const int current = FItemSelector->ItemIndex();
        target = current < 0 ? 0 : key == VK_UP ? current - Columns : current + Columns;
      } else if (key == VK_UP) {
        SelectPrevious();
        return;
      } else {
        SelectNext();
        return;
      }
      break;
    default:
      if (GetKeyState(VK_CONTROL) < 0 || FItemSelector == nullptr || key == 0) return;
      FCurSearch += static_cast<char>(key);
      FInternalCall = true;
      FItemSelector->LookupItem(FCurSearch);
      FInternalCall = false;
      if (!FKeyTimer->Enabled()) FKeyTimer->SetEnabled(true);
      return;
  }
  if (target < 0 || target >= FItemSelector->Items()->Count()) return;
  FInternalCall = true;
  FItemSelector->SetItemIndex(target);
  FItemSelector->ScrollItemInView(target);
  FInternalCall = false;
}

// ---- Looks and painting --------------------------------------------------------------------------

void TRivImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  TRivCustomDropDown::SetSelectionColorStyle(Value);
  if (FItemSelector != nullptr) FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

void TRivImagePickerDropDown::SetComponentStyle(TVAVStyle AStyle) {
  TRivCustomDropDown::SetComponentStyle(AStyle);
  if (FItemAppearance != nullptr) SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TRivImagePickerDropDown::PaintFocusRect(TCanvas* ACanvas) {
  TRivCustomDropDown::PaintFocusRect(ACanvas);
  DrawSelectedImage(ACanvas);
}

void TRivImagePickerDropDown::DrawSelectedImage(TCanvas* ACanvas) {
  if (ACanvas == nullptr) return;
  const TRect area = EditRect();
  if (OnDrawSelectedImage) {
    OnDrawSelectedImage(this, ACanvas, area);
    return;
  }
  if (FItemIndex < 0 || FItemIndex >= FItems->Count()) return;
  TImageItem* item = FItems->Items(FItemIndex);
  TGraphic* picture = item->Image()->Graphic();
  if (picture != nullptr && !picture->Empty()) {
    ACanvas->Draw(area.Left + (area.Width() - picture->Width()) / 2, area.Top + (area.Height() - picture->Height()) / 2,
                  picture);
  } else if (Images() != nullptr && item->ImageIndex() >= 0) {
    Images()->Draw(ACanvas, area.Left + (area.Width() - Images()->Width()) / 2,
                   area.Top + (area.Height() - Images()->Height()) / 2, item->ImageIndex(), true);
  }
}
