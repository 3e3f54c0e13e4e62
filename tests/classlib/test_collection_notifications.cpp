// A collection's notifications: items announced when they join, announced whole before Delete
// and Clear free them, and as extracted when they leave another way.
#include <gtest/gtest.h>

#include "classlib/Persistent.h"

namespace {

class TTagged : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  String Tag;
};

class TLogged : public TCollection {
 public:
  TLogged() : TCollection(FactoryOf<TTagged>()) {}
  std::vector<String> log;

 protected:
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    // A deleted item is still whole here: its own fields can be read.
    auto* tagged = dynamic_cast<TTagged*>(Item);
    const char* names[] = {"added", "extracting", "deleting"};
    log.push_back(String(names[Action]) + " " + (tagged != nullptr ? tagged->Tag : String("?")));
  }
};

TEST(CollectionNotifications, DeletingItemsAreWholeAndAnnouncedOnce) {
  TLogged c;
  static_cast<TTagged*>(c.Add())->Tag = "a";
  static_cast<TTagged*>(c.Add())->Tag = "b";
  static_cast<TTagged*>(c.Add())->Tag = "c";
  static_cast<TTagged*>(c.Add())->Tag = "d";
  c.log.clear();
  c.Delete(0);
  EXPECT_EQ(c.log, (std::vector<String>{"deleting a"}));
  c.log.clear();
  auto* moved = static_cast<TTagged*>(c.Items(0));
  TLogged other;
  moved->SetCollection(&other);
  EXPECT_EQ(c.log, (std::vector<String>{"extracting b"}));
  EXPECT_EQ(other.log, (std::vector<String>{"added b"}));
  c.log.clear();
  c.Clear();
  EXPECT_EQ(c.log, (std::vector<String>{"deleting d", "deleting c"}));
  EXPECT_EQ(c.Count(), 0);
}

}  // namespace
