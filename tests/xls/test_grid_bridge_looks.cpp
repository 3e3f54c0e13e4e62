// The grid bridge carries each cell's looks: fills, font styles and alignment go out as cell
// formats (checked through LibreOffice's reading of the file) and come back into the grid.
#include <gtest/gtest.h>

#include <memory>
#include <regex>

#include "XlsTestHelpers.h"
#include "xls/vavRivGridExcel.h"

namespace {

using namespace xlstest;

// Title row, then a yellow bold right-aligned number, a light blue italic centred text and a
// plain cell.
std::unique_ptr<TRivErodovOzar> LookGrid() {
  std::unique_ptr<TRivErodovOzar> g(New<TRivErodovOzar>(nullptr));
  g->SetColCount(3);
  g->SetRowCount(3);
  g->SetFixedCols(0);
  g->SetFixedRows(1);
  g->SetCells(0, 0, "title");
  g->SetCells(0, 1, "12.5");
  g->SetCellBackColor(0, 1, 0x00FFFF);
  g->SetCellFontStyle(0, 1, TFontStyles{fsBold});
  g->SetCellAlignment(0, 1, taRightJustify);
  g->SetCells(1, 1, "blue");
  g->SetCellBackColor(1, 1, 0xFFCC99);
  g->SetCellFontStyle(1, 1, TFontStyles{fsItalic});
  g->SetCellAlignment(1, 1, taCenter);
  g->SetCells(2, 2, "plain");
  return g;
}

void Export(TRivErodovOzar* Grid, const std::string& Path) {
  std::unique_ptr<TRivGridExcelIO> io(New<TRivGridExcelIO>(nullptr));
  io->SetRivErodovOzar(Grid);
  io->SetGridStartRow(0);
  io->SetGridStartCol(0);
  io->XLSExport(Path);
}

// The <td> of the first cell whose text is Text, as LibreOffice writes it in HTML.
std::string CellTag(const std::string& Html, const std::string& Text) {
  std::smatch m;
  const std::regex cell("<td[^>]*>(?:(?!</td>)[\\s\\S])*?" + Text + "[\\s\\S]*?</td>", std::regex::icase);
  return std::regex_search(Html, m, cell) ? m.str() : std::string();
}

TEST(GridBridgeLooks, LibreOfficeShowsTheExportedFillsStylesAndAlignments) {
  TempDir dir;
  auto g = LookGrid();
  Export(g.get(), dir.File("looks.xls"));
  if (!testsupport::LibreOfficeConvert(dir.Path, {"looks.xls"}, "html:HTML (StarCalc)")) GTEST_SKIP() << "no LibreOffice";
  const std::string html = xlstest::ReadFileBytes(dir.File("looks.html"));
  const std::string number = CellTag(html, "12.5");
  ASSERT_FALSE(number.empty()) << html;
  EXPECT_NE(number.find("bgcolor=\"#FFFF00\""), std::string::npos) << number;
  EXPECT_NE(number.find("<b>"), std::string::npos) << number;
  EXPECT_NE(number.find("align=\"right\""), std::string::npos) << number;
  const std::string blue = CellTag(html, "blue");
  EXPECT_NE(blue.find("bgcolor=\"#99CCFF\""), std::string::npos) << blue;
  EXPECT_NE(blue.find("<i>"), std::string::npos) << blue;
  EXPECT_NE(blue.find("align=\"center\""), std::string::npos) << blue;
  const std::string plain = CellTag(html, "plain");
  EXPECT_EQ(plain.find("bgcolor"), std::string::npos) << plain;
  EXPECT_EQ(plain.find("<b>"), std::string::npos) << plain;
}

TEST(GridBridgeLooks, ImportGivesTheGridTheSameLooks) {
  TempDir dir;
  auto g = LookGrid();
  Export(g.get(), dir.File("looks.xls"));
  std::unique_ptr<TRivErodovOzar> back(New<TRivErodovOzar>(nullptr));
  std::unique_ptr<TRivGridExcelIO> io(New<TRivGridExcelIO>(nullptr));
  io->SetRivErodovOzar(back.get());
  io->SetGridStartRow(0);
  io->SetGridStartCol(0);
  io->Options()->ImportCellProperties = true;
  io->XLSImport(dir.File("looks.xls"));
  EXPECT_EQ(back->Cells(0, 1), "12.5");
  EXPECT_EQ(back->GetCellBackColor(0, 1), 0x00FFFF);
  EXPECT_TRUE(back->GetCellFontStyle(0, 1).Contains(fsBold));
  EXPECT_EQ(back->GetCellProperties(0, 1)->Alignment(), taRightJustify);
  EXPECT_EQ(back->GetCellBackColor(1, 1), 0xFFCC99);
  EXPECT_TRUE(back->GetCellFontStyle(1, 1).Contains(fsItalic));
  EXPECT_EQ(back->GetCellProperties(1, 1)->Alignment(), taCenter);
  EXPECT_EQ(back->GetCellBackColor(2, 2), 0xFFFFFF) << "an unfilled cell reads as white";
  EXPECT_TRUE(back->GetCellFontStyle(2, 2).Empty());
  // The looks show: the imported cell paints in its fill.
  TBrush brush;
  TFont font;
  TGridDrawState state;
  TColor to, m, mt;
  TAlignment ha;
  TVAlignment va;
  bool ww = true;
  TCellGradientDirection gd;
  back->GetVisualProperties(0, 1, state, false, false, true, &brush, to, m, mt, &font, ha, va, ww, gd);
  EXPECT_EQ(brush.Color(), 0x00FFFF);
  EXPECT_TRUE(font.Style().Contains(fsBold));
  EXPECT_EQ(ha, taRightJustify);
}

}  // namespace
