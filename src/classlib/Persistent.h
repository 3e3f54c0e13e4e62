// Objects that copy themselves (Assign) and owned collections of such objects.
#pragma once

#include <functional>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/Types.h"

// An object whose state can be copied from another object with Assign. A class that knows how
// to copy from a source overrides Assign; a class that knows how to copy itself into a target
// overrides AssignTo. When neither knows, Assign raises EConvertError
// "Cannot assign a <source class> to a <target class>".
class TPersistent : public TObject {
 public:
  // Copies Source into this object. The base asks Source->AssignTo(this).
  virtual void Assign(TPersistent* Source);
  // The owner in the ownership chain (a collection item's collection, ...); nullptr for none.
  virtual TPersistent* GetOwner() const { return nullptr; }

 protected:
  // Copies this object into Dest. The base raises the assign error.
  virtual void AssignTo(TPersistent* Dest);
  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

class TCollection;

// One item of a TCollection. Creating an item with a collection adds it to that collection;
// destroying it removes it.
class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return collection_; }
  void SetCollection(TCollection* Value);
  // Position in the collection; -1 when the item belongs to none.
  Integer Index() const;
  void SetIndex(Integer Value);
  // A number unique within the collection, given when the item is added.
  Integer ID() const { return id_; }
  virtual String DisplayName() const { return ClassName(); }
  TPersistent* GetOwner() const override;

 protected:
  // Tells the collection that this item (AllItems: the whole collection) changed.
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  Integer id_ = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// An ordered, owning list of collection items, created through a factory so that descendants
// get items of their own class. Changes reach the virtual Update (one call after a
// BeginUpdate/EndUpdate bracket).
class TCollection : public TPersistent {
 public:
  using ItemFactory = std::function<TCollectionItem*(TCollection*)>;

  explicit TCollection(ItemFactory Factory);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  // A collection whose items are of class T (constructed as T(collection)).
  template <class T>
  static ItemFactory FactoryOf() {
    return [](TCollection* c) -> TCollectionItem* { return new T(c); };
  }

  TCollectionItem* Add();
  // Adds an item and moves it to Index.
  TCollectionItem* Insert(Integer Index);
  void Delete(Integer Index);
  void Clear();
  Integer Count() const { return static_cast<Integer>(items_.size()); }
  // Raises EListError "List index out of bounds (<i>)" for a bad index.
  TCollectionItem* Items(Integer Index) const;
  TCollectionItem* FindItemID(Integer ID) const;

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  Integer UpdateCount() const { return updateCount_; }

  // From another collection: the items are rebuilt one for one, each copied with Assign.
  void Assign(TPersistent* Source) override;

 protected:
  // Item is the changed item, or nullptr when the whole collection changed.
  virtual void Update(TCollectionItem* Item) { (void)Item; }
  // cnAdded after an item joins; cnDeleting before Delete or Clear frees one (still whole);
  // cnExtracting when an item leaves otherwise (freed on its own or moved elsewhere).
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {
    (void)Item;
    (void)Action;
  }
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void ItemChanged(TCollectionItem* Item);
  void MoveItem(TCollectionItem* Item, Integer NewIndex);
  void DeleteItem(TCollectionItem* Item);

  std::vector<TCollectionItem*> items_;
  TCollectionItem* deleting_ = nullptr;
  ItemFactory factory_;
  Integer nextId_ = 0;
  Integer updateCount_ = 0;
};

// A collection that reports an owner (the component or object that holds it).
class TOwnedCollection : public TCollection {
 public:
  TOwnedCollection(TPersistent* Owner, ItemFactory Factory) : TCollection(std::move(Factory)), owner_(Owner) {}
  TPersistent* GetOwner() const override { return owner_; }

 private:
  TPersistent* owner_;
};
