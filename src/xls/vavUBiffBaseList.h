// The owning list every record list of the engine derives from: items are owned, freed when
// deleted or replaced, and may be null.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "xls/vavXlsMessages.h"

template <class T>
class TBaseList {
 public:
  virtual ~TBaseList() = default;

  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  T* operator[](Integer Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }
  T* Items(Integer Index) const { return (*this)[Index]; }

  virtual Integer Add(std::unique_ptr<T> Item) {
    FItems.push_back(std::move(Item));
    Notify(FItems.back().get(), true);
    return Count() - 1;
  }
  virtual void Insert(Integer Index, std::unique_ptr<T> Item) {
    FItems.insert(FItems.begin() + Index, std::move(Item));
    Notify(FItems[static_cast<size_t>(Index)].get(), true);
  }
  // Frees the item.
  void Delete(Integer Index) {
    auto it = FItems.begin() + Index;
    Notify(it->get(), false);
    FItems.erase(it);
  }
  // Frees the old item and puts the new one in its place.
  void SetItem(Integer Index, std::unique_ptr<T> Item) {
    auto& slot = FItems.at(static_cast<size_t>(Index));
    Notify(slot.get(), false);
    slot = std::move(Item);
    Notify(slot.get(), true);
  }
  // Takes the item out without freeing it.
  std::unique_ptr<T> Extract(Integer Index) {
    auto& slot = FItems.at(static_cast<size_t>(Index));
    Notify(slot.get(), false);
    std::unique_ptr<T> item = std::move(slot);
    FItems.erase(FItems.begin() + Index);
    return item;
  }
  // Room for Extra more items, so that adding them one by one does not grow the list each time.
  void ReserveMore(Integer Extra) { FItems.reserve(FItems.size() + static_cast<size_t>(std::max(Extra, 0))); }
  virtual void Clear() {
    for (auto& item : FItems) Notify(item.get(), false);
    FItems.clear();
  }

 protected:
  // Called after an item is added (Added) and before it is removed; items may be null.
  virtual void Notify(T*, bool /*Added*/) {}
  std::vector<std::unique_ptr<T>> FItems;
};
