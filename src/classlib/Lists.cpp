#include "classlib/Lists.h"

#include "classlib/SysUtils.h"

TList::~TList() {
  // Descendants have run their own destructors by now; only the storage goes.
  FList.clear();
}

void TList::Error(Integer Index) { throw EListError("List index out of bounds (" + IntToStr(Index) + ")"); }

Integer TList::Add(void* Item) {
  FList.push_back(Item);
  if (Item != nullptr) Notify(Item, lnAdded);
  return Count() - 1;
}

void TList::Insert(Integer Index, void* Item) {
  if (Index < 0 || Index > Count()) Error(Index);
  FList.insert(FList.begin() + Index, Item);
  if (Item != nullptr) Notify(Item, lnAdded);
}

void TList::Delete(Integer Index) {
  void* item = Get(Index);
  FList.erase(FList.begin() + Index);
  if (item != nullptr) Notify(item, lnDeleted);
}

Integer TList::Remove(void* Item) {
  Integer index = IndexOf(Item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* Item) {
  Integer index = IndexOf(Item);
  if (index < 0) return nullptr;
  FList.erase(FList.begin() + index);
  Notify(Item, lnExtracted);
  return Item;
}

void TList::Clear() {
  while (!FList.empty()) Delete(Count() - 1);
}

void TList::Exchange(Integer Index1, Integer Index2) {
  if (Index1 < 0 || Index1 >= Count()) Error(Index1);
  if (Index2 < 0 || Index2 >= Count()) Error(Index2);
  std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  if (NewIndex < 0 || NewIndex >= Count()) Error(NewIndex);
  void* item = Get(CurIndex);
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

Integer TList::IndexOf(const void* Item) const {
  for (size_t i = 0; i < FList.size(); ++i)
    if (FList[i] == Item) return static_cast<Integer>(i);
  return -1;
}

void* TList::Get(Integer Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
  return FList[static_cast<size_t>(Index)];
}

void TList::Put(Integer Index, void* Item) {
  void* old = Get(Index);
  if (old == Item) return;
  FList[static_cast<size_t>(Index)] = Item;
  if (old != nullptr) Notify(old, lnDeleted);
  if (Item != nullptr) Notify(Item, lnAdded);
}
