#include "classlib/Persistent.h"

#include <algorithm>

void TPersistent::Assign(TPersistent* Source) {
  if (Source != nullptr) Source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
  const String sourceName = Source ? Source->ClassName() : String("nil");
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

// ---------------------------------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
  if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (Value == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

Integer TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& v = collection_->items_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<Integer>(it - v.begin());
}

void TCollectionItem::SetIndex(Integer Value) {
  if (collection_ && Value != Index()) collection_->MoveItem(this, Value);
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

void TCollectionItem::Changed(bool AllItems) {
  if (!collection_) return;
  if (AllItems) collection_->Changed();
  else collection_->ItemChanged(this);
}

// ---------------------------------------------------------------------------------------------

TCollection::TCollection(ItemFactory Factory) : factory_(std::move(Factory)) {}

TCollection::~TCollection() {
  ++updateCount_;  // no notifications while tearing down
  while (!items_.empty()) delete items_.back();
}

TCollectionItem* TCollection::Add() {
  // The change is reported once the item is whole: a descendant's item is still being made
  // when the base joins it to the collection, and an update handler may read it.
  BeginUpdate();
  TCollectionItem* item = nullptr;
  try {
    item = factory_ ? factory_(this) : new TCollectionItem(this);
    if (item->collection_ != this) item->SetCollection(this);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

TCollectionItem* TCollection::Insert(Integer Index) {
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

TCollectionItem* TCollection::Items(Integer Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return items_[static_cast<size_t>(Index)];
}

void TCollection::Delete(Integer Index) { DeleteItem(Items(Index)); }

// A deleted item is announced while it is still whole (cnDeleting), then freed; items freed
// otherwise, or moved to another collection, are announced as extracted.
void TCollection::DeleteItem(TCollectionItem* Item) {
  Notify(Item, cnDeleting);
  deleting_ = Item;
  delete Item;
  deleting_ = nullptr;
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) DeleteItem(items_.back());
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(Integer ID) const {
  for (auto* item : items_)
    if (item->id_ == ID) return item;
  return nullptr;
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::ItemChanged(TCollectionItem* Item) {
  if (updateCount_ == 0) Update(Item);
}

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  try {
    Clear();
    for (auto* item : source->items_) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::InsertItem(TCollectionItem* Item) {
  items_.push_back(Item);
  Item->collection_ = this;
  Item->id_ = nextId_++;
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  auto it = std::find(items_.begin(), items_.end(), Item);
  if (it == items_.end()) return;
  if (Item != deleting_) Notify(Item, cnExtracting);
  items_.erase(std::find(items_.begin(), items_.end(), Item));
  Item->collection_ = nullptr;
  Changed();
}

void TCollection::MoveItem(TCollectionItem* Item, Integer NewIndex) {
  auto it = std::find(items_.begin(), items_.end(), Item);
  if (it == items_.end()) return;
  items_.erase(it);
  NewIndex = std::clamp<Integer>(NewIndex, 0, Count());
  items_.insert(items_.begin() + NewIndex, Item);
  Changed();
}
