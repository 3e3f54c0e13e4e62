// The detail drop-down: its items, the rows it draws in the selector, completion of typed text,
// and the keys and wheel that move the choice.
#include "grid/dropdowns/RivDetailDropDown.h"

#include <algorithm>

#include "classlib/Canvas.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Graphic.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/ImgList.h"
#include "classlib/Picture.h"
#include "classlib/ScreenMetrics.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownDraw.h"
#include "grid/dropdowns/RivDropDownForm.h"

// ---- Items ---------------------------------------------------------------------------------------

TDetailItem::TDetailItem(TCollection* Collection) : TCollectionItem(Collection), FImage(std::make_unique<TPicture>()) {}
TDetailItem::~TDetailItem() = default;

void TDetailItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed(false);
}

void TDetailItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed(false);
}

void TDetailItem::SetImage(TPicture* Value) { FImage->Assign(Value); }

void TDetailItem::Assign(TPersistent* Source) {
  if (auto* o = dynamic_cast<TDetailItem*>(Source)) {
    FCaption = o->FCaption;
    FImageIndex = o->FImageIndex;
    FImage->Assign(o->FImage.get());
    Notes = o->Notes;
    Enabled = o->Enabled;
    return;
  }
  TCollectionItem::Assign(Source);
}

int TDetailItems::IndexOf(const String& AValue) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Caption() == AValue) return i;
  return -1;
}

// ---- Construction and the choice -----------------------------------------------------------------

TRivDetailDropDown::TRivDetailDropDown(TComponent* AOwner)
    : TRivCustomDropDown(AOwner),
      FItems(std::make_unique<TDetailItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)),
      FCaptionFont(std::make_unique<TFont>()),
      FNotesFont(std::make_unique<TFont>()) {
  FItems->OnChange = [](TObject*) {};
}

TRivDetailDropDown::~TRivDetailDropDown() {
  if (FKeyTimer != nullptr) FKeyTimer->SetEnabled(false);
}

void TRivDetailDropDown::AfterConstruction() {
  TRivCustomDropDown::AfterConstruction();
  FCaptionFont->Assign(Font());
  FNotesFont->Assign(Font());
  SetEditorEnabled(true);
  SetDropDownEnabled(true);
  FKeyTimer = New<TTimer>(this);
  FKeyTimer->SetEnabled(false);
  FKeyTimer->SetInterval(500);
  FKeyTimer->SetOnTimer([this](TObject*) {
    FKeyTimer->SetEnabled(false);
    FCurSearch.clear();
  });
}

void TRivDetailDropDown::SetItemIndex(int Value) {
  if (Value == FItemIndex || Value >= FItems->Count() || Value < -1) return;
  FItemIndex = Value;
  if (Value >= 0) {
    const bool saved = FWorkMode;
    FWorkMode = false;
    ApplyText(FItems->Items(Value)->Caption());
    FWorkMode = saved;
    FOldValue = Text();
    SelectAll();
  }
  Invalidate();
  if (FItemSelector != nullptr) FItemSelector->Invalidate();
  if (OnSelect) OnSelect(this);
}

void TRivDetailDropDown::SelectFirst() {
  if (FItems->Count() > 0) SetItemIndex(0);
}
void TRivDetailDropDown::SelectLast() {
  if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}
void TRivDetailDropDown::SelectNext() {
  if (FItemIndex < 0) SelectFirst(); else if (FItemIndex + 1 < FItems->Count()) SetItemIndex(FItemIndex + 1);
}
void TRivDetailDropDown::SelectPrevious() {
  if (FItemIndex < 0) SelectFirst(); else if (FItemIndex >= 1) SetItemIndex(FItemIndex - 1);
}

// ---- The pop-up ----------------------------------------------------------------------------------

void TRivDetailDropDown::CreateDropDownForm() {
  TRivCustomDropDown::CreateDropDownForm();
  if (DropDownForm() == nullptr) return;
  if (FItemSelector == nullptr) {
    FItemSelector = New<TRivCustomItemSelector>(this);
    FItemSelector->SetParent(DropDownForm());
    FItemSelector->SetSelectorType(stImage);
    FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
    FItemSelector->OnDrawItem = [this](TObject*, TCanvas* C, TRect R, int Index) { DrawItemRow(C, R, Index); };
    FItemSelector->OnItemSize = [this](TObject*, TSize& Size) {
      int w = DropDownWidth() > 0 ? DropDownWidth() : (DropDownForm() != nullptr ? DropDownForm()->Width() : Width());
      w -= 2 * GetSystemMetrics(SM_CXBORDER) + 4;
      if (FItemSelector->VertScrollBar()->Visible()) w -= GetSystemMetrics(SM_CXVSCROLL);
      Size = TSize{w, ItemHeight};
    };
    FItemSelector->OnResize = [this](TObject*) { FItemSelector->UpdateSelectorPanel(); };
  }
  FItemSelector->SetColor(DropDownColor());
  FItemSelector->UpdateSelectorPanel();
  SetDropDownControl(FItemSelector);
}

void TRivDetailDropDown::LoadSelector() {
  if (FItemSelector == nullptr) return;
  FItemSelector->OnItemSelect = nullptr;
  FItemSelector->SetColumns(1);
  FItemSelector->SetImages(Images());
  FItemSelector->SetItemLayout(Layout);
  FItemSelector->SetColor(DropDownColor());
  FItemSelector->SetItemAppearance(FItemAppearance.get());
  FItemSelector->Items()->Clear();
  for (int i = 0; i < FItems->Count(); ++i) {
    TDetailItem* source = FItems->Items(i);
    TSelectorItem* item = FItemSelector->Items()->Add();
    item->SetCaption(source->Caption());
    item->SetImage(source->Image());
    item->SetImageIndex(source->ImageIndex());
  }
  FItemSelector->UpdateSelectorPanel();
  FItemSelector->SetItemIndex(FItemIndex);
  FItemSelector->OnItemSelect = [this](TObject*) { ItemChosen(); };
}

void TRivDetailDropDown::DoBeforeDropDown() {
  TRivCustomDropDown::DoBeforeDropDown();
  LoadSelector();
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

void TRivDetailDropDown::OpenDropDown() {
  TRivCustomDropDown::OpenDropDown();
  if (DroppedDown() && FItemSelector != nullptr && FItemSelector->CanFocus()) FItemSelector->SetFocus();
}

void TRivDetailDropDown::SizeDropDownForm() {
  if (FItemSelector != nullptr) {
    FItemSelector->SetAlign(alNone);
    if (DropDownWidth() <= 0) FItemSelector->SetBounds(FItemSelector->Left(), FItemSelector->Top(), Width(), FItemSelector->Height());
    if (DropDownHeight() <= 0) FItemSelector->SetBounds(FItemSelector->Left(), FItemSelector->Top(), FItemSelector->Width(), 100);
  }
  TRivCustomDropDown::SizeDropDownForm();
}

void TRivDetailDropDown::CloseDropDown(bool Cancel) {
  const bool wasOpen = DropDownForm() != nullptr && DropDownForm()->Visible();
  TRivCustomDropDown::CloseDropDown(Cancel);
  if (wasOpen && Cancel && FItemSelector != nullptr && FOldItemIndex != -1) SetItemIndex(FOldItemIndex);
}

void TRivDetailDropDown::ItemChosen() {
  SetItemIndex(FItemSelector->ItemIndex());
  if (!FInternalCall) CloseDropDown(false);
}

void TRivDetailDropDown::MoveSelector(int Index) {
  if (FItemSelector == nullptr || Index < 0 || Index >= FItemSelector->Items()->Count()) return;
  FInternalCall = true;
  FItemSelector->SetItemIndex(Index);
  FItemSelector->ScrollItemInView(Index);
  FInternalCall = false;
}

// ---- Rows ----------------------------------------------------------------------------------------

void TRivDetailDropDown::DrawItemRow(TCanvas* ACanvas, TRect R, int Index) {
  if (ACanvas == nullptr) return;
  if (OnDrawSelectedImage) {
    OnDrawSelectedImage(this, ACanvas, R);
    return;
  }
  if (Index < 0 || Index >= FItems->Count()) return;
  TDetailItem* item = FItems->Items(Index);
  TGraphic* picture = item->Image()->Graphic() != nullptr && !item->Image()->Graphic()->Empty() ? item->Image()->Graphic() : nullptr;
  int imageWidth = 0;
  if (picture == nullptr && Images() != nullptr && item->ImageIndex() >= 0) {
    imageWidth = Images()->Width();
    const int x = item->Caption().empty() ? R.Left + (R.Width() - imageWidth) / 2 : R.Left + 2;
    Images()->Draw(ACanvas, x, R.Top + (R.Height() - Images()->Height()) / 2, item->ImageIndex(), true);
  } else if (picture != nullptr) {
    imageWidth = picture->Width();
    const int x = item->Caption().empty() ? R.Left + (R.Width() - imageWidth) / 2 : R.Left + 2;
    ACanvas->Draw(x, R.Top + (R.Height() - picture->Height()) / 2, picture);
  }
  if (imageWidth > 0) R.Left += imageWidth + 4;
  const bool hot = FItemSelector != nullptr && FItemSelector->ItemHot() == Index;
  const bool selected = Index == FItemIndex;
  auto colour = [&](TFont* F) {
    if (hot) F->SetColor(FItemAppearance->ColorHotText);
    if (selected) F->SetColor(FItemAppearance->ColorSelectedText);
  };
  ACanvas->Font()->Assign(FCaptionFont.get());
  colour(ACanvas->Font());
  ACanvas->SetBkMode(TRANSPARENT);
  ACanvas->Brush()->SetStyle(bsClear);
  TRect caption = Rect(R.Left + 4, R.Top + 2, R.Right - 4, R.Bottom);
  ACanvas->DrawText(item->Caption(), caption, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  if (!item->Notes.empty()) {
    R.Top += ACanvas->TextHeight("gh");
    ACanvas->Font()->Assign(FNotesFont.get());
    colour(ACanvas->Font());
    TSize size;
    DrawHTMLText(ACanvas, item->Notes, Rect(R.Left + 4, R.Top + 2, R.Right - 4, R.Bottom), Images(), true, nullptr, size);
  }
  ACanvas->Brush()->SetStyle(bsSolid);
}

// ---- Typing and keys -----------------------------------------------------------------------------

void TRivDetailDropDown::DoEnter() {
  TRivCustomDropDown::DoEnter();
  FOldValue = Text();
}

void TRivDetailDropDown::Change() {
  TRivCustomDropDown::Change();
  if (ComponentState().Contains(csDesigning) || !FWorkMode) return;
  SetModifiedFlag(Text() != FOldValue);
  if (FItems->Count() == 0) return;
  const String text = Text();
  const int p = std::clamp(SelStart() - PrefixLength(), 0, static_cast<int>(text.size()));
  const String typed = text.substr(0, static_cast<size_t>(p));
  const String key = MatchCase ? typed : AnsiUpperCase(typed);
  if (typed.empty()) return;
  for (int i = 0; i < FItems->Count(); ++i) {
    const String caption = FItems->Items(i)->Caption();
    const String folded = MatchCase ? caption : AnsiUpperCase(caption);
    if (folded.compare(0, key.size(), key) != 0) continue;
    const String completed = typed + caption.substr(key.size(), 255);
    FWorkMode = false;
    if (completed != text) AssignText(Prefix() + completed + Suffix());
    SetSelStart(PrefixLength() + static_cast<int>(key.size()));
    SetSelLength(static_cast<int>(completed.size() - key.size()));
    FWorkMode = true;
    FItemIndex = i;
    FItemIdx = i;
    FItemSel = static_cast<int>(key.size());
    FItemChange = true;
    return;
  }
  if (text != typed) {
    FWorkMode = false;
    AssignText(Prefix() + typed + Suffix());
    FWorkMode = true;
  }
  SetSelStart(PrefixLength() + static_cast<int>(typed.size()));
}

void TRivDetailDropDown::KeyUp(Word& Key, TShiftState Shift) {
  TRivCustomDropDown::KeyUp(Key, Shift);
  if (FItemChange) {
    SetItemIndex(FItemIdx);
    FItemChange = false;
  }
}

void TRivDetailDropDown::KeyDown(Word& Key, TShiftState Shift) {
  if (FItems->Count() == 0) {
    TRivCustomDropDown::KeyDown(Key, Shift);
    return;
  }
  FWorkMode = !(Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE);
  const Word key = Key;
  if (key == VK_RETURN) {
    const int i = FItems->IndexOf(Text());
    if (i >= 0) {
      ApplyText(FItems->Items(i)->Caption());
      SetItemIndex(i);
      Change();
    }
  }
  TRivCustomDropDown::KeyDown(Key, Shift);
  if (key == VK_ESCAPE) {
    const int i = FItems->IndexOf(Text());
    if (i >= 0) SetItemIndex(i);
  }
}

bool TRivDetailDropDown::NavigationKey(Word Key) {
  const bool open = DroppedDown() && FItemSelector != nullptr;
  switch (Key) {
    case VK_PRIOR: case VK_NEXT: {
      if (FItemSelector == nullptr) return false;
      if (FItemSelector->Items()->Count() != FItems->Count()) LoadSelector();
      const int n = FItemSelector->GetVisibleItemCount();
      if (n >= 1) {
        const int current = FItemSelector->ItemIndex();
        MoveSelector(Key == VK_PRIOR ? std::max(current - n, 0) : std::min(current + n, FItems->Count() - 1));
      }
      return open;
    }
    case VK_HOME: case VK_END:
      if (open) {
        FInternalCall = true;
        if (Key == VK_HOME) FItemSelector->SelectFirst(); else FItemSelector->SelectLast();
        FInternalCall = false;
      } else if (!EditorEnabled()) {
        if (Key == VK_HOME) SelectFirst(); else SelectLast();
      }
      return false;
    case VK_LEFT: case VK_RIGHT:
      if (open && !EditorEnabled()) {
        FInternalCall = true;
        if (Key == VK_LEFT) FItemSelector->SelectPrevious(); else FItemSelector->SelectNext();
        FInternalCall = false;
      }
      return open;
    case VK_UP: case VK_DOWN:
      if (open) {
        const int current = FItemSelector->ItemIndex();
        MoveSelector(current < 0 ? 0 : Key == VK_UP ? current - 1 : current + 1);
        return true;
      }
      if (Key == VK_UP) SelectPrevious(); else SelectNext();
      return false;
    default:
      if (GetKeyState(VK_CONTROL) < 0 || FItemSelector == nullptr || Key < 0x30) return false;
      FCurSearch += static_cast<char>(Key);
      FInternalCall = true;
      FItemSelector->LookupItem(FCurSearch);
      FInternalCall = false;
      FKeyTimer->SetEnabled(false);
      FKeyTimer->SetEnabled(true);
      return false;
  }
}

void TRivDetailDropDown::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN && Enabled() && GetKeyState(VK_MENU) >= 0 &&
      NavigationKey(static_cast<Word>(Message.WParam))) {
    Message.WParam = 0;
    Message.Result = 0;
    return;
  }
  TRivCustomDropDown::WndProc(Message);
}

void TRivDetailDropDown::PopupWheelDown() {
  if (DroppedDown() && FItemSelector != nullptr) {
    const int current = FItemSelector->ItemIndex();
    MoveSelector(current < 0 ? 0 : current + 1);
    FItemSelector->Invalidate();
  } else {
    SelectNext();
  }
}

void TRivDetailDropDown::PopupWheelUp() {
  if (DroppedDown() && FItemSelector != nullptr) {
    const int current = FItemSelector->ItemIndex();
    MoveSelector(current < 0 ? 0 : current - 1);
    FItemSelector->Invalidate();
  } else {
    SelectPrevious();
  }
}

// ---- Looks ---------------------------------------------------------------------------------------

void TRivDetailDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  TRivCustomDropDown::SetSelectionColorStyle(Value);
  if (FItemSelector != nullptr) FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

void TRivDetailDropDown::SetComponentStyle(TVAVStyle AStyle) {
  TRivCustomDropDown::SetComponentStyle(AStyle);
  if (FItemAppearance != nullptr) SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}
