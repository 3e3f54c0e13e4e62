// The tab set: tabs laid out from their captions, a change asked before it happens, the index
// kept inside the tabs, and tabs clicked under the real window system.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Forms.h"
#include "classlib/TabSet.h"
#include "support/RealWindows.h"

namespace {

TEST(TabSet, ChangeIsAskedFirstAndMayBeRefused) {
  std::unique_ptr<TTabSet> tabs(New<TTabSet>(nullptr));
  tabs->Tabs()->Add("Sheet 1");
  tabs->Tabs()->Add("Sheet 2");
  std::vector<int> asked;
  bool allow = true;
  tabs->OnChange = [&](TObject*, int NewTab, bool& AllowChange) {
    asked.push_back(NewTab);
    AllowChange = allow;
  };
  tabs->SetTabIndex(1);
  EXPECT_EQ(tabs->TabIndex(), 1);
  allow = false;
  tabs->SetTabIndex(0);
  EXPECT_EQ(tabs->TabIndex(), 1);
  tabs->SetTabIndex(1);  // the same tab asks nothing
  tabs->SetTabIndex(5);  // nor one outside the tabs
  EXPECT_EQ(asked, (std::vector<int>{1, 0}));

  tabs->Tabs()->Delete(1);
  EXPECT_EQ(tabs->TabIndex(), 0) << "the index stays inside the tabs";
  tabs->Tabs()->Clear();
  EXPECT_EQ(tabs->TabIndex(), -1);
}

TEST(TabSet, TabsFollowTheirCaptionsAndHitTestsFindThem) {
  std::unique_ptr<TTabSet> tabs(New<TTabSet>(nullptr));
  tabs->Tabs()->Add("A");
  tabs->Tabs()->Add("A much longer caption");
  const TRect first = tabs->ItemRect(0), second = tabs->ItemRect(1);
  EXPECT_GT(second.Width(), first.Width());
  EXPECT_GT(second.Left, first.Left);
  EXPECT_EQ(tabs->ItemAtPos(TPoint{(second.Left + second.Right) / 2, 5}), 1);
  EXPECT_EQ(tabs->ItemAtPos(TPoint{second.Right + 20, 5}), -1);
  EXPECT_EQ(tabs->ItemRect(2).Width(), 0);
}

TEST(RealTabSet, ClickingATabSelectsIt) {
  RealWindows::Scope scope;
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  form->SetBounds(100, 100, 400, 200);
  TTabSet* tabs = New<TTabSet>(form.get());
  tabs->SetParent(form.get());
  tabs->SetAlign(alBottom);
  for (const char* name : {"Sheet 1", "Sheet 2", "Sheet 3"}) tabs->Tabs()->Add(name);
  tabs->SetTabIndex(0);
  form->Show();
  RealWindows::Settle();
  const TRect third = tabs->ItemRect(2);
  RealWindows::ClickAt(tabs, (third.Left + third.Right) / 2, tabs->Height() / 2);
  EXPECT_EQ(tabs->TabIndex(), 2);
  EXPECT_GT(RealWindows::PixelsOfColor(tabs, clBlack), 20) << "the tabs' outlines and captions on screen";
  form->Close();
}

}  // namespace
