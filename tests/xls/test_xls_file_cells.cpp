// The XLS file object's cells: the typed text conversion through which grids are exported,
// values with formats and rich-text runs, fonts and formats by index, cell positions in rows.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "classlib/SysUtils.h"
#include "xls/vavUXlsFile.h"

using namespace xlstest;

namespace {

class XlsFileCells : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings = TFormatSettings::Invariant();
    FormatSettings.DecimalSeparator = '.';
    FormatSettings.ThousandSeparator = ',';
    FormatSettings.CurrencyString = "$";
    FormatSettings.CurrencyFormat = 0;
    FormatSettings.NegCurrFormat = 0;
    FormatSettings.CurrencyDecimals = 2;
    FormatSettings.ShortDateFormat = "m/d/yyyy";
    FormatSettings.DateSeparator = '/';
    book.Connect();
    book.NewFile(1);
  }
  void TearDown() override { FormatSettings = TFormatSettings::Invariant(); }

  std::string FormatOf(Integer Row, Integer Col) {
    return WideToUtf8(book.GetFormatList(book.GetCellFormat(Row, Col)).Format);
  }

  TXLSFile book{nullptr};
};

struct TTypedCase {
  const char16_t* Text;
  Word Kind;           // varDouble, varBoolean or varUString
  double Number;       // the number, or 1 / 0 for a Boolean
  const char* Format;  // number format stored with a number ("" = General)
};

void ExpectTyped(TXLSFile& book, Integer row, const TTypedCase& c) {
  SCOPED_TRACE(WideToUtf8(c.Text));
  book.SetCellString(row, 1, c.Text, "", "");
  const Variant v = book.GetCellValue(row, 1);
  if (c.Kind == varUString) {
    ASSERT_TRUE(v.IsString()) << VarToStr(v);
    EXPECT_EQ(v.AsWideString(), WideString(c.Text));  // untrimmed
    return;
  }
  ASSERT_EQ(v.VType(), c.Kind) << VarToStr(v);
  if (c.Kind == varBoolean) {
    EXPECT_EQ(v.AsBoolean(), c.Number != 0);
    return;
  }
  EXPECT_DOUBLE_EQ(v.AsDouble(), c.Number);
  const WideString format = book.GetFormatList(book.GetCellFormat(row, 1)).Format;
  EXPECT_EQ(WideToUtf8(format), c.Format);
}

TEST_F(XlsFileCells, TypedTextBecomesNumbersBooleansDatesOrStaysText) {
  const TTypedCase cases[] = {
      {u"42", varDouble, 42, ""},
      {u"-0.5", varDouble, -0.5, ""},
      {u"$1,234.50", varDouble, 1234.5, "$###,###.00_);[Red]\\($###,###.00\\)"},
      {u"$1,234", varDouble, 1234, "$###,###_);[Red]\\($###,###\\)"},
      {u"1234$", varDouble, 1234, "$###,###_);[Red]\\($###,###\\)"},
      {u"12%", varDouble, 0.12, "0%"},
      {u"12.5%", varDouble, 0.125, "0.00%"},
      {u"%7", varDouble, 0.07, "0%"},
      // Exponent forms keep the typed mantissa's decimals, mark and sign (shown as typed).
      {u"1.5e3", varDouble, 1500, "0.0e-0"},
      {u"1.234567e-5", varDouble, 1.234567e-5, "0.000000e-0"},
      {u"6.02214076e23", varDouble, 6.02214076e23, "0.00000000e-00"},
      {u"-4.5678e-12", varDouble, -4.5678e-12, "0.0000e-00"},
      {u"1.7976931348623157e308", varDouble, 1.7976931348623157e308, "0.0000000000000000e-000"},
      {u"1.5E+03", varDouble, 1500, "0.0E+00"},
      {u"1e5", varDouble, 1e5, "0e-0"},
      {u"1e0005", varDouble, 1e5, "0e-000"},  // exponent digits: up to the three a double needs
      {u"12.5e3", varDouble, 12500, "0.00e-0"},  // no typed digit is lost: 1.25e4
      {u"0.5e3", varDouble, 500, "0.0e-0"},
      {u"1e400", varUString, 0, ""},  // beyond the largest number: text
      {u"1,234", varDouble, 1234, ""},
      {u"1,234,567.25", varDouble, 1234567.25, ""},
      {u"12,34", varUString, 0, ""},
      {u"1,5", varUString, 0, ""},   // a separator outside the groups of three is no grouping
      {u"1,23,456", varUString, 0, ""},
      {u"true", varBoolean, 1, ""},
      {u" FALSE ", varBoolean, 0, ""},
      {u"  abc ", varUString, 0, ""},
      {u"3/4/2024", varDouble, 45355, "m/d/yyyy"},
      {u"1-2", varUString, 0, ""},   // labels, not dates
      {u"3/4", varUString, 0, ""},
      {u"3-4-2024", varUString, 0, ""},  // not the regional separator
      {u"=A1+1", varUString, 0, ""},
      {u"nan", varUString, 0, ""},
      {u"inf", varUString, 0, ""},
      {u"e5", varUString, 0, ""},
      {u"", varUString, 0, ""},
  };
  Integer row = 0;
  for (const TTypedCase& c : cases) {
    if (*c.Text == 0) {
      book.SetCellString(++row, 1, c.Text, "", "");
      EXPECT_TRUE(book.GetCellValue(row, 1).IsEmpty());
      continue;
    }
    ExpectTyped(book, ++row, c);
  }
}

TEST_F(XlsFileCells, NumbersWithAPointAreNumbersAlsoWhereTheDecimalSeparatorIsAComma) {
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  FormatSettings.CurrencyString = "EUR";
  const TTypedCase cases[] = {
      {u"1.5", varDouble, 1.5, ""},
      {u"0.25", varDouble, 0.25, ""},
      {u"1.234", varDouble, 1.234, ""},     // a point alone is the decimal point
      {u"-3.5e-2", varDouble, -0.035, "0.0e-0"},
      {u"-3,25e-2", varDouble, -0.0325, "0.00e-0"},
      {u"1,5", varDouble, 1.5, ""},
      {u"1.234,5", varDouble, 1234.5, ""},
      {u"1.234.567", varDouble, 1234567, ""},
      {u"12.5%", varDouble, 0.125, "0.00%"},
      {u"1.2.3", varUString, 0, ""},
  };
  Integer row = 0;
  for (const TTypedCase& c : cases) ExpectTyped(book, ++row, c);
}

TEST_F(XlsFileCells, TypedTextWithAGivenFormatUsesThatFormat) {
  TWbkFormat bold = book.GetFormatList(15);
  bold.Font.Style = {flsBold};
  const Integer boldXF = book.AddFormat(bold);
  EXPECT_EQ(book.AddFormat(bold), boldXF);  // an equal format is found again

  book.SetCellString(1, 1, u"TRUE", bold, "", "");
  EXPECT_EQ(book.GetCellFormat(1, 1), boldXF);
  EXPECT_TRUE(book.GetCellValue(1, 1).AsBoolean());

  book.SetCellString(2, 1, u"Quercus robur", bold, "", "");
  EXPECT_EQ(book.GetCellFormat(2, 1), boldXF);

  book.SetCellString(3, 1, u"25%", bold, "", "");
  EXPECT_EQ(book.GetFormatList(book.GetCellFormat(3, 1)).Font.Style, Set<TWbkFontStyle>{flsBold});
  EXPECT_EQ(FormatOf(3, 1), "0%");

  book.SetCellString(4, 1, u"5/17/2023", bold, "yyyy-mm-dd", "");
  EXPECT_EQ(FormatOf(4, 1), "yyyy-mm-dd");
  EXPECT_DOUBLE_EQ(book.GetCellValue(4, 1).AsDouble(), 45063);
}

TEST_F(XlsFileCells, FormulaTextIsStoredAsAFormula) {
  book.SetCellFormula(1, 1, u"=SUM(A2:A3)");
  EXPECT_TRUE(book.GetCellValue(1, 1).IsEmpty());  // no result until a spreadsheet calculates it
  EXPECT_TRUE(book.GetCellValueX(1, 1).IsFormula);
  EXPECT_EQ(book.GetCellFormula(1, 1), u"=SUM(A2:A3)");
  EXPECT_EQ(MessageOf([&] { book.SetCellFormula(1, 1, u"=SUM(A2:"); }), "Unexpected end of formula: \"=SUM(A2:\"");
  EXPECT_EQ(book.GetCellFormula(1, 1), u"=SUM(A2:A3)");
  book.SetCellFormulaX(2, 1, u"=1+1", Variant(2.0));
  EXPECT_DOUBLE_EQ(book.GetCellValue(2, 1).AsDouble(), 2.0);
  EXPECT_EQ(book.GetCellFormula(2, 1), u"=1+1");
  book.SetCellFormulaX(2, 1, u"", Variant(2.0));
  EXPECT_TRUE(book.GetCellValue(2, 1).IsEmpty());
  EXPECT_FALSE(book.GetCellValueX(2, 1).IsFormula);
}

TEST_F(XlsFileCells, RunsCountCharactersFromOneOutsideAndFromZeroInside) {
  const Integer bold = book.AddFont(TWbkFont{u"Arial", 200, 1, {flsBold}});
  EXPECT_EQ(bold, 5);  // font index 4 does not exist in formats
  EXPECT_EQ(book.FontListCount(), 6);
  EXPECT_EQ(book.GetFontList(5).Style, Set<TWbkFontStyle>{flsBold});
  EXPECT_EQ(book.GetFontList(4).Style, book.GetFontList(0).Style);
  EXPECT_EQ(book.GetFontList(99).Name, book.GetFontList(0).Name);

  TRTFRunList runs{{1, static_cast<Word>(bold)}, {5, 0}};
  book.AssignCellValueX2(1, 1, TXlsCellValue{Variant(u"abcdefgh"), -1, false}, runs);
  TXlsCellValue v;
  TRTFRunList inside;
  book.GetCellDataX2(1, 0, v, inside);
  EXPECT_EQ(inside, (TRTFRunList{{0, static_cast<Word>(bold)}, {4, 0}}));
  TRTFRunList outside;
  book.GetCellValueX2(1, 1, v, outside);
  EXPECT_EQ(outside, runs);
  EXPECT_EQ(v.Value.AsString(), "abcdefgh");
}

TEST_F(XlsFileCells, FormatsOutsideTheListReadTheFirst) {
  const Integer count = book.FormatListCount();
  EXPECT_EQ(book.GetFormatList(-1).Parent, book.GetFormatList(0).Parent);
  EXPECT_EQ(book.GetFormatList(count).Font.Name, book.GetFormatList(0).Font.Name);
  EXPECT_EQ(book.GetCellFormat(1, 1), -1);  // no cell
  book.SetCellFormat(1, 1, 16);             // makes a blank cell
  EXPECT_EQ(book.GetCellFormat(1, 1), 16);
  EXPECT_TRUE(book.GetCellValue(1, 1).IsEmpty());
  const BooleanArray used = book.GetUsedPaletteColors();
  EXPECT_EQ(used.size(), 57u);
}

TEST_F(XlsFileCells, PaletteEntriesCountFromOne) {
  const Cardinal first = book.GetColorPalette(1);
  EXPECT_EQ(first, 0x000000u);  // black
  book.SetColorPalette(2, 0x00336699);
  EXPECT_EQ(book.GetColorPalette(2), 0x00336699u);
  EXPECT_EQ(book.GetColorPalette(1), first);
  TWbkFormat filled = book.GetFormatList(15);
  filled.FillPattern = TWbkFillPattern{2, 2, 1};
  book.SetCellFormat(1, 1, book.AddFormat(filled));
  EXPECT_TRUE(book.GetUsedPaletteColors()[2]);

  TMemoryStream saved;
  book.Save(false, "", nullptr, nullptr, &saved);
  saved.SetPosition(0);
  TXLSFile back(nullptr);
  back.Connect();
  back.LoadFromStream(&saved);
  EXPECT_EQ(back.GetColorPalette(2), 0x00336699u);
  EXPECT_EQ(back.GetFormatList(back.GetCellFormat(1, 1)).FillPattern.FgColorIndex, 2);
}

TEST_F(XlsFileCells, CellsOfARowByPosition) {
  book.SetCellValue(2, 3, Variant(1.0));
  book.SetCellValue(2, 7, Variant(2.0));
  EXPECT_EQ(book.ColIndexCount(2), 2);
  EXPECT_EQ(book.ColByIndex(2, 1), 3);
  EXPECT_EQ(book.ColByIndex(2, 2), 7);
  EXPECT_EQ(book.ColByIndex(2, 3), 0);
  EXPECT_EQ(book.ColIndex(2, 3), 1);
  EXPECT_EQ(book.ColIndex(2, 5), 2);  // where it would go
  EXPECT_EQ(book.ColIndexCount(1), 0);
  EXPECT_EQ(book.ColIndex(1, 1), 0);
  EXPECT_TRUE(book.IsEmptyRow(1));
  EXPECT_FALSE(book.IsEmptyRow(2));
  EXPECT_TRUE(book.IsEmptyRow(3));
  EXPECT_EQ(book.MaxRow(), 2);
  EXPECT_EQ(book.MaxCol(), 7);
}

TEST_F(XlsFileCells, AddressesOutsideTheSheetFailWithTheStoreMessage) {
  EXPECT_EQ(MessageOf([&] { book.SetCellValue(65537, 1, Variant(1.0)); }), "Invalid Row (65536)");
  EXPECT_EQ(MessageOf([&] { book.GetCellValue(1, 257); }), "Invalid Column (256)");
  EXPECT_EQ(MessageOf([&] { book.SetCellString(0, 1, u"x", "", ""); }), "Invalid Row (-1)");
  book.SetActiveSheet(2);
  EXPECT_EQ(MessageOf([&] { book.GetCellValue(1, 1); }), "The index \"1\" of the property \"Sheets\" is not in the range 0-0");
}

// A workbook LibreOffice made from cell_formats.fods: what each cell's style says reads back
// through the interface, and the independent reader sees the same numbers in the file.
TEST(XlsFileFormats, AlignmentsBordersDiagonalsAndFillsOfALibreOfficeWorkbook) {
  using H = THWbkAlignment;
  using V = TVWbkAlignment;
  using B = TWbkBorderStyle;
  using D = TWbkDiagonalBorder;
  struct TCase {
    Integer Row, Col;
    const char16_t* Text;
    H HAlign;
    V VAlign;
    B Sides;  // all four sides alike
    D Diagonals;
    B Diagonal;
    TWbkPatternStyle Pattern;
    Integer FgColor;
  } cases[] = {
      {1, 1, u"centred", H::fha_center, V::fva_bottom, B::fbs_None, D::fdb_None, B::fbs_None, 1, 1},
      {1, 2, u"right", H::fha_right, V::fva_bottom, B::fbs_None, D::fdb_None, B::fbs_None, 1, 1},
      {1, 3, u"top", H::fha_general, V::fva_top, B::fbs_None, D::fdb_None, B::fbs_None, 1, 1},
      {2, 1, u"thin", H::fha_general, V::fva_bottom, B::fbs_Thin, D::fdb_None, B::fbs_None, 1, 1},
      {2, 2, u"medium", H::fha_general, V::fva_bottom, B::fbs_Medium, D::fdb_None, B::fbs_None, 1, 1},
      {2, 3, u"dashed", H::fha_general, V::fva_bottom, B::fbs_Dashed, D::fdb_None, B::fbs_None, 1, 1},
      {2, 4, u"double", H::fha_general, V::fva_bottom, B::fbs_Double, D::fdb_None, B::fbs_None, 1, 1},
      {3, 1, u"diagonal down", H::fha_general, V::fva_bottom, B::fbs_None, D::fdb_DiagDown, B::fbs_Thin, 1, 1},
      {3, 2, u"both diagonals", H::fha_general, V::fva_bottom, B::fbs_None, D::fdb_Both, B::fbs_Thin, 1, 1},
      {3, 3, u"yellow fill", H::fha_general, V::fva_bottom, B::fbs_None, D::fdb_None, B::fbs_None, 2, 6},
  };
  TXLSFile book(nullptr);
  book.Connect();
  book.OpenFile(FixturePath("cell_formats.xls"));
  std::string engine;
  for (const TCase& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.Text));
    EXPECT_EQ(book.GetCellValue(c.Row, c.Col).AsWideString(), WideString(c.Text));
    const TWbkFormat f = book.GetFormatList(book.GetCellFormat(c.Row, c.Col));
    EXPECT_EQ(f.HAlignment, c.HAlign);
    EXPECT_EQ(f.VAlignment, c.VAlign);
    for (const TWbkOneBorder* side : {&f.Borders.Left, &f.Borders.Right, &f.Borders.Top, &f.Borders.Bottom})
      EXPECT_EQ(side->Style, c.Sides);
    EXPECT_EQ(f.Borders.DiagonalStyle, c.Diagonals);
    EXPECT_EQ(f.Borders.Diagonal.Style, c.Diagonal);
    EXPECT_EQ(f.FillPattern.Pattern, c.Pattern);
    if (c.Pattern != 1) {
      EXPECT_EQ(f.FillPattern.FgColorIndex, c.FgColor);
    }
    engine += std::to_string(c.Row - 1) + " " + std::to_string(c.Col - 1) + " " + std::to_string(int(f.HAlignment)) + " " +
              std::to_string(int(f.VAlignment)) + " " + std::to_string(int(f.Borders.Left.Style)) + " " +
              std::to_string(int(f.Borders.DiagonalStyle)) + " " + std::to_string(int(f.Borders.Diagonal.Style)) + " " +
              std::to_string(f.FillPattern.Pattern - 1) + "\n";
  }
  const std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  const std::string reader =
      "import sys,xlrd\n"
      "b=xlrd.open_workbook(sys.argv[1],formatting_info=True)\n"
      "s=b.sheet_by_index(0)\n"
      "for r in range(s.nrows):\n"
      "  for c in range(s.ncols):\n"
      "    if s.cell_type(r,c)!=1: continue\n"
      "    x=b.xf_list[s.cell_xf_index(r,c)]; d=x.border\n"
      "    print(r,c,x.alignment.hor_align,x.alignment.vert_align,d.left_line_style,d.diag_down+2*d.diag_up,"
      "d.diag_line_style,x.background.fill_pattern)\n";
  EXPECT_EQ(RunXlrd(python, reader, FixturePath("cell_formats.xls")), engine);
}

// What the typed conversion stores is shown by LibreOffice as the grid showed it.
TEST_F(XlsFileCells, LibreOfficeShowsTypedCellsAsTyped) {
  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "soffice is not installed";
  const char16_t* texts[] = {u"Species", u"12%", u"$1,234.50", u"3/4/2024", u"1.5e3", u"1-2", u"TRUE", u"0.125"};
  Integer col = 0;
  for (const char16_t* t : texts) book.SetCellString(1, ++col, t, "", "");
  TempDir dir;
  book.Save(false, dir.File("typed.xls"), nullptr, nullptr, nullptr);
  testsupport::LibreOfficeConvert(dir.Path, {"typed.xls"}, "csv:Text - txt - csv (StarCalc):44,34,76");
  EXPECT_EQ(xlstest::ReadFileBytes(dir.File("typed.csv")), "Species,12%,\"$1,234.50 \",3/4/2024,1.5e3,1-2,1,0.125\n");
}

}  // namespace
