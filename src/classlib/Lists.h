// TList: the class library's ordered list of untyped pointers. It owns nothing; descendants
// that own their items free them in Notify (lnDeleted) or before removing them.
#pragma once

#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/Types.h"

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
 public:
  TList() = default;
  ~TList() override;
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;

  Integer Add(void* Item);
  void Insert(Integer Index, void* Item);
  void Delete(Integer Index);
  // Removes the first occurrence of Item; its former index, -1 when absent.
  Integer Remove(void* Item);
  // Removes Item without deleting it (lnExtracted); Item, or nullptr when absent.
  void* Extract(void* Item);
  virtual void Clear();
  void Exchange(Integer Index1, Integer Index2);
  void Move(Integer CurIndex, Integer NewIndex);
  Integer IndexOf(const void* Item) const;
  void* First() const { return Get(0); }
  void* Last() const { return Get(Count() - 1); }

  Integer Count() const { return static_cast<Integer>(FList.size()); }
  // Raise EListError "List index out of bounds (<i>)" for a bad index.
  void* Get(Integer Index) const;
  void Put(Integer Index, void* Item);
  void* Items(Integer Index) const { return Get(Index); }

 protected:
  // Runs after an item is added and before it is removed.
  virtual void Notify(void* Ptr, TListNotification Action) {
    (void)Ptr;
    (void)Action;
  }
  [[noreturn]] static void Error(Integer Index);

 private:
  std::vector<void*> FList;
};
