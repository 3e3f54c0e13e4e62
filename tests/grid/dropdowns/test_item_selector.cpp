// The item selector of the pickers: the layout of items in rows of a column count, selection
// and hot items (disabled items refused), type-ahead lookup on the plain captions, scrolling an
// item into view, the item colours per selection style and per look, and painting colour boxes.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/Picture.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivItemSelector.h"

namespace {

struct SelectorFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivCustomItemSelector* selector = nullptr;
  int selects = 0;
  void SetUp() override {
    form->SetBounds(0, 0, 400, 400);
    selector = New<TRivCustomItemSelector>(form.get());
    selector->SetParent(form.get());
    selector->SetBounds(0, 0, 300, 200);
    selector->OnItemSelect = [this](TObject*) { ++selects; };
  }
  void AddItems(std::initializer_list<const char*> captions) {
    for (const char* c : captions) selector->Items()->Add()->SetCaption(c);
  }
  TCustomItemSelector* Panel() const { return selector->Panel(); }
};

TEST_F(SelectorFixture, ThePanelIsMadeOnlyInsideASelector) {
  try {
    New<TCustomItemSelector>(form.get());
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Invalid parent");
  }
  EXPECT_EQ(selector->GetPanelSize(), (TSize{100, 50})) << "no items";
}

TEST_F(SelectorFixture, ItemsFillRowsOfTheColumnCount) {
  for (int i = 0; i < 10; ++i) selector->Items()->Add()->SetCaption("Item " + IntToStr(i));
  selector->SetColumns(3);
  const TRect first = Panel()->ItemRect(0);
  const int w = first.Width(), h = first.Height();
  EXPECT_EQ(first.Left, 2);
  EXPECT_EQ(first.Top, 2);
  EXPECT_EQ(Panel()->ItemRect(2), Bounds(2 + 2 * w, 2, w, h));
  EXPECT_EQ(Panel()->ItemRect(3), Bounds(2, 2 + h, w, h));
  EXPECT_EQ(Panel()->ItemRect(9), Bounds(2, 2 + 3 * h, w, h)) << "rows of 3, 3, 3 and 1";
  EXPECT_EQ(selector->GetPanelSize(), (TSize{3 * w + 4, 4 * h + 4}));
  EXPECT_EQ(Panel()->ItemRect(10), Rect(-1, -1, -1, -1));
  selector->SetColumns(0);
  EXPECT_EQ(selector->Columns(), 3) << "only counts above 0";
}

TEST_F(SelectorFixture, SelectionSkipsDisabledItemsAndStopsAtTheEnds) {
  AddItems({"One", "Two", "Three"});
  selector->Items()->Items(1)->Enabled = false;
  selector->SelectPrevious();
  EXPECT_EQ(selector->ItemIndex(), 0) << "nothing selected: the first";
  selector->SetItemIndex(1);
  EXPECT_EQ(selector->ItemIndex(), 0) << "a disabled item is refused";
  selector->SelectLast();
  selector->SelectNext();
  EXPECT_EQ(selector->ItemIndex(), 2);
  selector->SelectFirst();
  selector->SelectPrevious();
  EXPECT_EQ(selector->ItemIndex(), 0);
  EXPECT_EQ(selects, 3) << "the refused item and the moves past the ends report nothing";
  // The mouse: a press selects an enabled item; hovering a disabled one clears the hot item.
  const TRect third = Panel()->ItemRect(2);
  Panel()->Perform(WM_MOUSEMOVE, 0, MakeLParam(third.Left + 2, third.Top + 2));
  EXPECT_EQ(selector->ItemHot(), 2);
  const TRect second = Panel()->ItemRect(1);
  Panel()->Perform(WM_MOUSEMOVE, 0, MakeLParam(second.Left + 2, second.Top + 2));
  EXPECT_EQ(selector->ItemHot(), -1);
  Panel()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(second.Left + 2, second.Top + 2));
  EXPECT_EQ(selector->ItemIndex(), 0);
  Panel()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(third.Left + 2, third.Top + 2));
  EXPECT_EQ(selector->ItemIndex(), 2);
  selector->HotPrevious();
  EXPECT_EQ(selector->ItemHot(), 0);
}

TEST_F(SelectorFixture, LookupComparesWithThePlainUpperCaseCaption) {
  AddItems({"<b>Blue</b>", "  <i>red</i>", "Reed"});
  EXPECT_TRUE(selector->LookupItem("RE"));
  EXPECT_EQ(selector->ItemIndex(), 1);
  EXPECT_FALSE(selector->LookupItem("re"));
  EXPECT_EQ(selector->ItemIndex(), 1);
  EXPECT_TRUE(selector->LookupItem("BL"));
  EXPECT_EQ(selector->ItemIndex(), 0);
}

TEST_F(SelectorFixture, ALongListScrollsTheSelectedItemIntoView) {
  for (int i = 0; i < 30; ++i) selector->Items()->Add()->SetCaption("Item " + IntToStr(i));
  ASSERT_TRUE(selector->VertScrollBar()->Visible());
  selector->SelectLast();
  const TRect last = Panel()->ItemRect(29);
  EXPECT_LE(Panel()->Top() + last.Bottom, selector->ClientHeight());
  EXPECT_GT(selector->VertScrollBar()->Position(), 0);
  selector->SelectFirst();
  EXPECT_EQ(Panel()->Top() + Panel()->ItemRect(0).Top, 0) << "scrolled up until its top shows";
  const int rowHeight = Panel()->ItemRect(0).Height();
  EXPECT_EQ(selector->GetVisibleItemCount(), 200 / rowHeight);
}

TEST_F(SelectorFixture, AppearanceColoursFollowStylesAndLooks) {
  TItemAppearance* a = selector->ItemAppearance();
  EXPECT_EQ(a->ColorStyle(), scOffice2007);
  EXPECT_EQ(a->ColorSelected, 0xA6FFFB);
  TItemAppearance vista(nullptr);
  vista.SetColorStyle(scWindowsVista);
  a->ColorHot = 0x123456;
  a->Assign(&vista);
  EXPECT_EQ(a->ColorHot, 0xFDF8F1) << "the style's palette replaces the copied colours";
  TRivCustomDropDown::SetItemAppearanceStyle(a, tsWindowsVista);
  EXPECT_EQ(a->BorderColor, 0xFEDF9A);
  EXPECT_EQ(a->ColorStyle(), scWindowsVista) << "the look leaves the style";
  TRivCustomDropDown::SetItemAppearanceStyle(a, tsWindowsXP);
  EXPECT_EQ(a->ColorSelected, clHighlight);
  EXPECT_EQ(a->ColorSelectedText, clHighlightText);
}

TEST_F(SelectorFixture, ColourBoxesAndPicturesSizeAndPaintTheItems) {
  selector->SetSelectorType(stColor);
  AddItems({"", ""});
  selector->Items()->Items(0)->SetColor(0x0000FF);
  const TRect first = Panel()->ItemRect(0);
  EXPECT_EQ(first.Width(), 2 * 4 + 14);
  TBitmap bitmap(Panel()->Width(), Panel()->Height());
  Panel()->PaintTo(bitmap.Canvas());
  EXPECT_EQ(bitmap.Canvas()->Pixel(first.Left + 4 + 7, first.Top + 4 + 7), 0x0000FF);
  // A 16 x 24 picture above its caption: the item is as high as both with the gap between.
  selector->SetSelectorType(stImage);
  selector->SetItemLayout(ilCaptionBottom);
  TBitmap picture(16, 24);
  selector->Items()->Items(0)->Image()->SetBitmap(&picture);
  selector->Items()->Items(0)->SetCaption("Caption");
  const int height = Panel()->ItemRect(0).Height();
  EXPECT_GT(height, 2 * 4 + 24 + 4);
}

}  // namespace
