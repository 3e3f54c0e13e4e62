// The print preview window under the real window system: paging through a job with the
// buttons and keys, the page drawn on screen, and closing it.
#include <gtest/gtest.h>

#include <memory>

#include "grid/print/GridPrintPreview.h"
#include "grid/print/PrintFixture.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

TEST(RealPrintPreview, PagesThroughTheJobAndCloses) {
  Scope scope;
  auto grid = gridprint::NamedGrid(6, 200);
  grid->PrintSettings()->PageNr = ppBottomRight;
  std::unique_ptr<TGridPrintPreview> preview(new TGridPrintPreview(nullptr, grid.get()));
  preview->Show();
  Settle();
  ASSERT_TRUE(IsOnScreen(preview.get()));
  const int pages = preview->PageCount();
  ASSERT_GE(pages, 3);
  EXPECT_EQ(preview->PageLabel->Caption(), "Page 1 of " + IntToStr(pages));
  EXPECT_FALSE(preview->PrevButton->Enabled());
  EXPECT_GT(PixelsOfColor(preview->PagePaper, clBlack), 500) << "the page's grid lines on screen";

  Click(preview->NextButton);
  EXPECT_EQ(preview->Page(), 2);
  EXPECT_EQ(preview->PageLabel->Caption(), "Page 2 of " + IntToStr(pages));
  EXPECT_TRUE(preview->PrevButton->Enabled());
  Click(preview->PagePaper);
  Key(preview->PagePaper, VK_NEXT);
  EXPECT_EQ(preview->Page(), 3);
  for (int i = 0; i < pages; ++i) Key(preview->PagePaper, VK_NEXT);
  EXPECT_EQ(preview->Page(), pages) << "paging stops at the last page";
  EXPECT_FALSE(preview->NextButton->Enabled());
  Click(preview->PrevButton);
  EXPECT_EQ(preview->Page(), pages - 1);

  // A bigger window shows the same job on a bigger page.
  ResizeWindow(preview.get(), 700, 900);
  Settle();
  EXPECT_EQ(preview->Page(), std::min(pages - 1, preview->PageCount()));

  Click(preview->CloseButton);
  Settle();
  EXPECT_FALSE(IsOnScreen(preview.get()));

  // Escape and the close box close it too.
  preview->Show();
  Settle();
  Click(preview->PagePaper);
  Key(preview->PagePaper, VK_ESCAPE);
  EXPECT_FALSE(IsOnScreen(preview.get()));
  preview->Show();
  Settle();
  CloseBox(preview.get());
  Settle();
  EXPECT_FALSE(IsOnScreen(preview.get()));
}

}  // namespace
