// Rich-text cells moved into and out of a rich edit and drawn into their cell, and the cell and
// row property accessors.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/RichEdit.h"
#include "grid/model/RivErodovOzar.h"

namespace {

std::unique_ptr<TRivErodovOzar> NewGrid() {
  std::unique_ptr<TRivErodovOzar> g(New<TRivErodovOzar>(nullptr));
  g->SetColCount(4);
  g->SetRowCount(5);
  return g;
}

// Two fonts and two colours in two paragraphs.
const char* const kTwoFonts =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
    "\\f0\\fs20\\cf1\\b Red bold\\b0  \\f1\\fs28\\cf2\\i blue italic\\par\\i0\\ul under\\ulnone  caf\\'e9}";

TEST(RichCells, ARoundTripKeepsFontsColoursAndStyles) {
  auto g = NewGrid();
  g->SetCells(1, 1, kTwoFonts);
  std::unique_ptr<TRichEdit> edit(New<TRichEdit>(nullptr));
  g->CellToRich(1, 1, edit.get());
  const TRichDocument& doc = edit->Document();
  ASSERT_GE(doc.size(), 4u);
  EXPECT_EQ(doc[0].Text, "Red bold");
  EXPECT_EQ(doc[0].FontName, "Arial");
  EXPECT_EQ(doc[0].FontSize, 10);
  EXPECT_EQ(doc[0].Color, 0x0000FF);
  EXPECT_TRUE(doc[0].Style.Contains(fsBold));
  EXPECT_EQ(edit->Text(), "Red bold blue italic\r\nunder café");

  g->RichToCell(2, 1, edit.get());
  const String rtf = g->Cells(2, 1);
  EXPECT_EQ(rtf.compare(0, 5, "{\\rtf"), 0);
  std::unique_ptr<TRichEdit> back(New<TRichEdit>(nullptr));
  g->CellToRich(2, 1, back.get());
  ASSERT_EQ(back->Document().size(), doc.size());
  for (size_t i = 0; i < doc.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(back->Document()[i].Text, doc[i].Text);
    EXPECT_EQ(back->Document()[i].FontName, doc[i].FontName);
    EXPECT_EQ(back->Document()[i].FontSize, doc[i].FontSize);
    EXPECT_EQ(back->Document()[i].Color, doc[i].Color);
    EXPECT_EQ(back->Document()[i].Style, doc[i].Style);
  }
  // The platform writes its own RTF for the same content: a second trip changes nothing.
  g->RichToCell(3, 1, back.get());
  EXPECT_EQ(g->Cells(3, 1), rtf);
}

TEST(RichCells, AnEmptyCellClearsTheEditAndPlainTextStaysPlain) {
  auto g = NewGrid();
  std::unique_ptr<TRichEdit> edit(New<TRichEdit>(nullptr));
  g->SetCells(1, 1, kTwoFonts);
  g->CellToRich(1, 1, edit.get());
  g->CellToRich(1, 2, edit.get());
  EXPECT_TRUE(edit->Document().empty());
  g->SetCells(1, 3, "just text");
  g->CellToRich(1, 3, edit.get());
  EXPECT_EQ(edit->Text(), "just text");
  edit->PlainText = true;
  EXPECT_EQ(g->RichToString(edit.get()), "just text");
}

TEST(RichCells, DrawRichCellPaintsTheRunsInTheirColours) {
  auto g = NewGrid();
  g->SetCells(1, 1, kTwoFonts);
  g->FocusCell(3, 4);  // a selected cell would show in the selection's text colour
  TBitmap bitmap(200, 60);
  bitmap.Canvas()->Brush()->SetColor(0xFFFFFF);
  bitmap.Canvas()->FillRect(Rect(0, 0, 200, 60));
  g->DrawRichCell(1, 1, Rect(0, 0, 200, 60), bitmap.Canvas());
  int red = 0, blue = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x) {
      const TColor c = bitmap.Canvas()->Pixel(x, y);
      red += c == 0x0000FF;
      blue += c == 0xFF0000;
    }
  EXPECT_GT(red, 10);
  EXPECT_GT(blue, 10);
  // The measured size covers both paragraphs.
  const TSize size = g->GetCellTextSize(1, 1, false, false);
  EXPECT_GT(size.cx, 50);
  EXPECT_GT(size.cy, 20);
}

TEST(CellAccessors, SingleCellsReadBackWhatWasSet) {
  auto g = NewGrid();
  EXPECT_EQ(g->GetCellBackColor(2, 2), clNone);
  EXPECT_EQ(g->GetCellFontColor(2, 2), clNone);
  EXPECT_TRUE(g->GetCellFontStyle(2, 2).Empty());
  EXPECT_FALSE(g->GetCellReadOnly(2, 2));
  EXPECT_FALSE(g->HasCellProperties(2, 2)) << "reading creates no properties";
  EXPECT_EQ(g->GetCellControl(2, 2), nullptr);
  g->SetCellBackColor(2, 2, 0x112233);
  g->SetCellBackColorTo(2, 2, 0x445566);
  g->SetCellFontColor(2, 2, 0x0000FF);
  g->SetCellFontStyle(2, 2, TFontStyles{fsBold, fsItalic});
  g->SetCellFontName(2, 2, "DejaVu Serif");
  g->SetCellFontSize(2, 2, 14);
  g->SetCellAlignment(2, 2, taRightJustify);
  g->SetCellReadOnly(2, 2, true);
  EXPECT_EQ(g->GetCellBackColor(2, 2), 0x112233);
  EXPECT_EQ(g->GetCellProperties(2, 2)->BrushColorTo(), 0x445566);
  EXPECT_EQ(g->GetCellFontColor(2, 2), 0x0000FF);
  EXPECT_EQ(g->GetCellFontStyle(2, 2), (TFontStyles{fsBold, fsItalic}));
  EXPECT_TRUE(g->GetCellReadOnly(2, 2));
  // The look of the cell comes from them.
  TBrush brush;
  TFont font;
  TGridDrawState state;
  TColor to, m, mt;
  TAlignment ha;
  TVAlignment va;
  bool ww = true;
  TCellGradientDirection gd;
  g->GetVisualProperties(2, 2, state, false, false, true, &brush, to, m, mt, &font, ha, va, ww, gd);
  EXPECT_EQ(brush.Color(), 0x112233);
  EXPECT_EQ(to, 0x445566);
  EXPECT_EQ(font.Name(), "DejaVu Serif");
  EXPECT_EQ(font.Size(), 14);
  EXPECT_EQ(font.Color(), 0x0000FF);
  EXPECT_EQ(ha, taRightJustify);
}

TEST(CellAccessors, RowsSetAndClearTheLooksOfTheirNormalCells) {
  auto g = NewGrid();
  g->SetRowBackColor(2, 0x00FF00);
  for (int c = 1; c < 4; ++c) EXPECT_EQ(g->GetCellBackColor(c, 2), 0x00FF00) << c;
  EXPECT_EQ(g->GetCellBackColor(0, 2), clNone) << "fixed columns stay";
  g->SetRowBackColorTo(2, 0x0000FF);
  EXPECT_EQ(g->GetCellProperties(3, 2)->BrushColorTo(), 0x0000FF);
  g->SetRowFontColor(2, 0xFF0000);
  g->SetRowFontColor(3, 0xFF0000);
  g->SetCellBackColor(1, 3, 0x123456);
  g->SetCellBackColor(2, 3, clNone);
  // clNone on the font colour frees only the cells without a background colour (properties
  // made on first use take the grid's colour as theirs).
  g->SetRowFontColor(3, clNone);
  EXPECT_EQ(g->GetCellFontColor(1, 3), 0xFF0000);
  EXPECT_FALSE(g->HasCellProperties(2, 3));
  EXPECT_EQ(g->GetCellFontColor(3, 3), 0xFF0000);
  // clNone on the background removes the font colours too.
  g->SetRowBackColor(2, clNone);
  for (int c = 1; c < 4; ++c) {
    EXPECT_EQ(g->GetCellBackColor(c, 2), clNone);
    EXPECT_EQ(g->GetCellFontColor(c, 2), clNone);
  }
}

TEST(CellAccessors, ClearingARowKeepsGraphicsAndMergedBlocks) {
  auto g = NewGrid();
  g->AddCheckBox(1, 2, true, false);
  g->MergeCells(2, 2, 2, 1);
  g->SetRowBackColor(2, 0x00FF00);
  g->SetRowBackColor(2, clNone);
  EXPECT_TRUE(g->HasCheckBox(1, 2));
  EXPECT_TRUE(g->IsMergedCell(2, 2));
  EXPECT_EQ(g->GetCellBackColor(1, 2), clNone);
}

TEST(CellAccessors, RealIndexesAndSortedRows) {
  auto g = NewGrid();
  g->SetCells(1, 3, "hidden text");
  g->HideRow(3);
  ASSERT_NE(g->HiddenRowItems(3), nullptr);
  EXPECT_EQ(g->HiddenRowItems(3)->Strings(1), "hidden text");
  EXPECT_EQ(g->HiddenRowItems(2), nullptr);
  g->HideColumn(2);
  EXPECT_EQ(g->AllColCount(), 4);
  EXPECT_EQ(g->GetAllColWidth(2), g->DefaultColWidth());
  EXPECT_EQ(g->SortedRowIndex(1), 1);
  EXPECT_EQ(g->UnSortedRowIndex(2), 2);
}

TEST(CellAccessors, SpreadSheetSwitchesItsOptionsOnEitherWay) {
  auto g = NewGrid();
  g->SetOptions(TGridOptions{});
  g->SetSpreadSheet(false);
  EXPECT_FALSE(g->SpreadSheet());
  EXPECT_TRUE(g->SelectionRectangle);
  EXPECT_TRUE(g->SelectionResizer);
  EXPECT_TRUE(g->Navigation()->AllowSmartClipboard);
  EXPECT_TRUE(g->Options().Contains(goRangeSelect));
  EXPECT_TRUE(g->Options().Contains(goEditing));
  EXPECT_TRUE(g->MouseActions()->RangeSelectAndEdit);
}

}  // namespace
