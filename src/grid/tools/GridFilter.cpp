#include "grid/tools/GridFilter.h"

#include "classlib/Exceptions.h"
#include "classlib/Messages.h"
#include "grid/model/RivErodovOzar.h"

// ---- TFilterData ----

void TFilterData::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFilterData*>(Source);
  if (src == nullptr) throw EInvalidCast("Invalid class typecast");
  Column = src->Column;
  Condition = src->Condition;
  CaseSensitive = src->CaseSensitive;
  Data = src->Data;
  Prefix = src->Prefix;
  Suffix = src->Suffix;
  Operation = src->Operation;
}

// ---- TFilter ----

TFilter::TFilter(TRivErodovOzar* AOwner) : TCollection(TCollection::FactoryOf<TFilterData>()), FOwner(AOwner) {}

TFilterData* TFilter::Insert(int) { return Add(); }

TFilterData* TFilter::FilterOfColumn(int Col) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column == Col) return Items(i);
  TFilterData* item = Add();
  item->Column = static_cast<int16_t>(Col);
  return item;
}

bool TFilter::HasFilter(int Col) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column == Col) return true;
  return false;
}

void TFilter::RemoveColumnFilter(int Col) {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->Column == Col) Delete(i);
  if (FOwner != nullptr) FOwner->RepaintCell(Col, 0);
}

// ---- TFilterDropDown ----

TFilterDropDown::TFilterDropDown(TRivErodovOzar* AOwner) : FOwner(AOwner) {
  auto changed = [this](TObject*) {
    if (OnChange) OnChange(this);
  };
  FGlyph->OnChange = changed;
  FGlyphActive->OnChange = changed;
}

TFilterDropDown::~TFilterDropDown() = default;

void TFilterDropDown::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFilterDropDown*>(Source);
  if (src == nullptr) return;
  // Every published setting: a copied grid's lists look and size as its source's do.
  AutoSize = src->AutoSize;
  Color = src->Color;
  ColumnWidth = src->ColumnWidth;
  FFont->Assign(src->FFont.get());
  Height = src->Height;
  Width = src->Width;
  FGlyph->Assign(src->FGlyph.get());
  FGlyphActive->Assign(src->FGlyphActive.get());
}

// ---- TDropList ----

TDropList::TDropList(TComponent* AOwner, TRivErodovOzar* AGrid) : TListBox(AOwner), FGrid(AGrid) {}

void TDropList::Pick() {
  Hide();
  if (OnSelect) OnSelect(this, ItemIndex());
}

void TDropList::WndProc(TMessage& Message) {
  if (Message.Msg == CM_CANCELMODE) {
    const int x = static_cast<int16_t>(LoWord(static_cast<uintptr_t>(Message.LParam)));
    const int y = static_cast<int16_t>(HiWord(static_cast<uintptr_t>(Message.LParam)));
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
      if (FGrid != nullptr) FGrid->FFilterCol = -1;
      Hide();
    }
  }
  TListBox::WndProc(Message);
}

void TDropList::KeyPress(char& Key) {
  TListBox::KeyPress(Key);
  if (Key == 13) Pick();
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseUp(Button, Shift, X, Y);
  Pick();
}

// ---- TNoActiveForm ----

TNoActiveForm::TNoActiveForm(TComponent* AOwner) : TPopupForm(AOwner) { BorderStyle = bsNone; }

void TNoActiveForm::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = 3;  // MA_NOACTIVATE
    return;
  }
  if (Message.Msg == WM_ACTIVATE) {
    TPopupForm::WndProc(Message);
    Message.Result = 1;
    return;
  }
  TPopupForm::WndProc(Message);
}
