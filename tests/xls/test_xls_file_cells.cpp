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
      {u"1.5e3", varDouble, 1500, "0.00E+00"},
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
      {u"-3.5e-2", varDouble, -0.035, "0.00E+00"},
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
  bold.Font.Style = flsBold;
  const Integer boldXF = book.AddFormat(bold);
  EXPECT_EQ(book.AddFormat(bold), boldXF);  // an equal format is found again

  book.SetCellString(1, 1, u"TRUE", bold, "", "");
  EXPECT_EQ(book.GetCellFormat(1, 1), boldXF);
  EXPECT_TRUE(book.GetCellValue(1, 1).AsBoolean());

  book.SetCellString(2, 1, u"Quercus robur", bold, "", "");
  EXPECT_EQ(book.GetCellFormat(2, 1), boldXF);

  book.SetCellString(3, 1, u"25%", bold, "", "");
  EXPECT_EQ(book.GetFormatList(book.GetCellFormat(3, 1)).Font.Style, flsBold);
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
  const Integer bold = book.AddFont(TWbkFont{u"Arial", 200, 1, flsBold});
  EXPECT_EQ(bold, 5);  // font index 4 does not exist in formats
  EXPECT_EQ(book.FontListCount(), 6);
  EXPECT_EQ(book.GetFontList(5).Style, flsBold);
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

// What the typed conversion stores is shown by LibreOffice as the grid showed it.
TEST_F(XlsFileCells, LibreOfficeShowsTypedCellsAsTyped) {
  int status = 0;
  RunCommand("command -v soffice >/dev/null 2>&1", status);
  if (status != 0) GTEST_SKIP() << "soffice is not installed";
  const char16_t* texts[] = {u"Species", u"12%", u"$1,234.50", u"3/4/2024", u"1.5e3", u"1-2", u"TRUE", u"0.125"};
  Integer col = 0;
  for (const char16_t* t : texts) book.SetCellString(1, ++col, t, "", "");
  TempDir dir;
  book.Save(false, dir.File("typed.xls"), nullptr, nullptr, nullptr);
  RunCommand("cd " + dir.Path.string() + " && timeout 300 soffice -env:UserInstallation=file:///tmp/lo_profile_xlsfile_" +
                 std::to_string(getpid()) + " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' --outdir " +
                 dir.Path.string() + " " + dir.File("typed.xls") + " >/dev/null 2>&1",
             status);
  EXPECT_EQ(xlstest::ReadFileBytes(dir.File("typed.csv")), "Species,12%,\"$1,234.50 \",3/4/2024,1.50E+03,1-2,1,0.125\n");
}

}  // namespace
