// The grid's rich edit: character offsets of the selection, the arrows that leave a one-line
// editor, and the row that grows while a rich-text cell is typed into.
#include <gtest/gtest.h>

#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/RichText.h"
#include "classlib/WinApi.h"
#include "grid/RivGridFixture.h"
#include "grid/tools/ROzuRiriRavi.h"

namespace {

TEST(RichEditControl, SelectionOffsetsAndTheirRtf) {
  auto grid = rivgrid::MakeGrid();
  ROzuRiriRavi* edit = grid->InplaceRichEdit();
  edit->Lines()->SetText("x2 and more");
  edit->SetSelStart(1);
  edit->SetSelLength(1);
  struct Case {
    void (ROzuRiriRavi::*Set)();
    bool Normal, Sub, Super;
    const char* Rtf;
  };
  for (const Case& c : {Case{&ROzuRiriRavi::SelSuperscript, false, false, true, "\\up4"},
                        Case{&ROzuRiriRavi::SelSubscript, false, true, false, "\\dn4"},
                        Case{&ROzuRiriRavi::SelNormal, true, false, false, nullptr}}) {
    (edit->*c.Set)();
    EXPECT_EQ(edit->IsSelNormal(), c.Normal);
    EXPECT_EQ(edit->IsSelSubscript(), c.Sub);
    EXPECT_EQ(edit->IsSelSuperscript(), c.Super);
    const String rtf = WriteRTF(edit->Document());
    if (c.Rtf != nullptr) {
      EXPECT_NE(rtf.find(c.Rtf), String::npos) << rtf;
      // Read back, the offset stays on the one character.
      const TRichDocument back = ReadRTF(rtf, TRichRun{});
      int offsetChars = 0;
      for (const TRichRun& run : back)
        if (run.Offset != 0) offsetChars += static_cast<int>(run.Text.size());
      EXPECT_EQ(offsetChars, 1);
    } else {
      EXPECT_EQ(rtf.find("\\up"), String::npos);
    }
  }
}

TEST(RichEditControl, OwnerMustBeAGrid) {
  TForm* form = New<TForm>(nullptr);
  EXPECT_THROW(New<ROzuRiriRavi>(form), EInvalidCast);
  delete form;
  auto grid = rivgrid::MakeGrid();
  EXPECT_NE(dynamic_cast<ROzuRiriRavi*>(grid->RichEdit()), nullptr) << "the conversion buffer is one too";
}

TEST(RichEditControl, ArrowsLeaveOnlyAOneLineEditor) {
  for (bool wrap : {false, true}) {
    auto grid = rivgrid::MakeGrid(3, 10);
    grid->SetBounds(0, 0, 300, 250);
    grid->SetWordWrap(wrap);
    grid->FocusCell(1, 2);
    ROzuRiriRavi* edit = grid->InplaceRichEdit();
    edit->SetParent(grid.get());
    SendMessage(edit->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(grid->Row(), wrap ? 2 : 3) << "word wrap " << wrap;
  }
}

TEST(RichEditControl, TypingGrowsTheRowOnlyWhenAllowedAndUnlocked) {
  struct Case {
    bool SizeHeight, Locked, Grows;
  };
  for (const Case& c : {Case{true, false, true}, Case{false, false, false}, Case{true, true, false}}) {
    auto grid = rivgrid::MakeGrid(3, 10);
    grid->SetBounds(0, 0, 300, 400);
    grid->SizeWhileTyping()->Height = c.SizeHeight;
    grid->FocusCell(1, 1);
    int sized = -1;
    grid->OnEndRowSize = [&](TObject*, int ARow) { sized = ARow; };
    ROzuRiriRavi* edit = grid->InplaceRichEdit();
    edit->SetBounds(0, 0, 60, 20);
    edit->Lines()->SetText("one\r\ntwo\r\nthree\r\nfour");
    if (c.Locked) edit->Lock();
    edit->MeasureRequiredSize();
    const int h = edit->ReqHeight();
    ASSERT_GT(h + 5, grid->DefaultRowHeight());
    if (c.Grows) {
      EXPECT_EQ(grid->RowHeights(1), h + 10);
      EXPECT_EQ(edit->Height(), h + 9);
      EXPECT_EQ(sized, 1);
    } else {
      EXPECT_EQ(grid->RowHeights(1), grid->DefaultRowHeight());
      EXPECT_EQ(sized, -1);
    }
  }
}

}  // namespace
