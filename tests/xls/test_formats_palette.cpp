// Fonts, number formats, XF records and the palette: the skipped font index 4, reuse of equal
// fonts and formats, the built-in formats and their localised dates, the XF translation in both
// directions, the standard colours and the messages for indexes out of range.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "classlib/SysUtils.h"
#include "xls/vavUBiffFormatRecords.h"
#include "xls/vavUBiffPalette.h"

using namespace xlstest;

namespace {

class FormatsPalette : public ::testing::Test {
 protected:
  void TearDown() override { FormatSettings = TFormatSettings::Invariant(); }
};

TWbkFont Font(const char16_t* name, Integer size) {
  TWbkFont f;
  f.Name = name;
  f.Size20 = size;
  return f;
}

TEST_F(FormatsPalette, FontIndexFourIsSkippedAndEqualFontsAreReused) {
  TFontRecordList fonts;
  for (Integer i = 0; i < 4; ++i) EXPECT_EQ(fonts.AddFont(Font(u"Arial", 200 + i)), i);
  EXPECT_EQ(fonts.AddFont(Font(u"Arial", 300)), 5);  // list index 4
  EXPECT_EQ(fonts.AddFont(Font(u"Arial", 301)), 6);  // list index 5
  EXPECT_EQ(fonts.AddFont(Font(u"Arial", 300)), 5);  // the same font again
  EXPECT_EQ(fonts.Count(), 6);

  TFormatRecordList formats;
  auto xf = std::make_unique<TXFRecord>(0x00E0, Join({Bytes16(5), Bytes16(0), ArrayOfByte(16, 0)}));
  EXPECT_EQ(xf->GetActualFontIndex(fonts), 4);
  EXPECT_EQ(xf->WbkFormat(fonts, formats).Font.Size20, 300);
  auto far = std::make_unique<TXFRecord>(0x00E0, Join({Bytes16(40), Bytes16(0), ArrayOfByte(16, 0)}));
  EXPECT_EQ(far->GetActualFontIndex(fonts), 0);  // outside the list: font 0
}

TEST_F(FormatsPalette, FontTranslation) {
  TWbkFont f = Font(u"DejaVu Sans", 240);
  f.ColorIndex = 3;
  f.Style = {flsBold, flsItalic, flsSubscript};
  f.Underline = TWbkUnderline::fu_DoubleAccounting;
  f.Family = 2;
  auto r = TFontRecord::CreateFromWbkFont(f);
  EXPECT_EQ(r->DataSize(), 14 + 2 + 11);
  EXPECT_EQ(GetWord(r->Data, 4), 10);
  EXPECT_EQ(GetWord(r->Data, 6), 700);
  EXPECT_EQ(r->Data[10], 0x22);
  TWbkFont back = r->WbkFont();
  EXPECT_EQ(back.Name, f.Name);
  EXPECT_EQ(back.Size20, 240);
  EXPECT_EQ(back.ColorIndex, 3);
  EXPECT_EQ(back.Style, f.Style);
  EXPECT_EQ(back.Underline, TWbkUnderline::fu_DoubleAccounting);
  EXPECT_EQ(r->ColorIndex(), 2);
  SetWord(r->Data, 6, 600);
  EXPECT_FALSE(r->WbkFont().Style.Contains(flsBold));
}

TEST_F(FormatsPalette, NumberFormatsAreReusedOrNumberedFrom164) {
  TFormatRecordList formats;
  EXPECT_EQ(formats.AddFormat(u"0.00"), 2);
  EXPECT_EQ(formats.Count(), 0);
  EXPECT_EQ(formats.AddFormat(u"0.000"), 164);
  EXPECT_EQ(formats.AddFormat(u"0.000"), 164);
  formats.Add(TFormatRecord::CreateFromData(u"#,##0.0", 170));
  EXPECT_EQ(formats.AddFormat(u"0.0000"), 171);
  EXPECT_EQ(formats.GetFormat(171), u"0.0000");
  EXPECT_EQ(formats.GetFormat(60), u"");
  EXPECT_EQ(formats.GetFormat(5), u"");
  EXPECT_EQ(formats.GetFormat(49), u"@");
  Integer index = 0;
  EXPECT_TRUE(formats.Find(170, index));
  EXPECT_FALSE(formats.Find(165, index));
  EXPECT_EQ(index, 1);
}

TEST_F(FormatsPalette, BuiltInDatesFollowTheSystemDateOrder) {
  FormatSettings.ShortDateFormat = "dd.MM.yyyy";
  FormatSettings.DateSeparator = '.';
  FormatSettings.TimeSeparator = ':';
  EXPECT_EQ(BuiltInFormat(14), u"dd.mm.YYYY");
  EXPECT_EQ(BuiltInFormat(22), u"dd.mm.YYYY hh:mm");
  FormatSettings.ShortDateFormat = "yyyy-MM-dd";
  FormatSettings.DateSeparator = '-';
  EXPECT_EQ(BuiltInFormat(14), u"YYYY-mm-dd");
  FormatSettings.ShortDateFormat = "";
  EXPECT_EQ(BuiltInFormat(14), u"mm/dd/YYYY");
  EXPECT_EQ(BuiltInFormat(48), u"##0.0E+0");
  EXPECT_EQ(BuiltInFormat(50), u"");
}

TEST_F(FormatsPalette, XFFromAFormatAndBack) {
  TFontRecordList fonts;
  TFormatRecordList formats;
  TWbkFormat f;
  f.Font = Font(u"Arial", 200);
  f.Format = u"0.000";
  f.HAlignment = THWbkAlignment::fha_center;
  f.VAlignment = TVWbkAlignment::fva_center;
  f.WrapText = true;
  f.Rotation = 45;
  f.Indent = 3;
  f.Borders.Left = {TWbkBorderStyle::fbs_Thin, 0};     // colour 0 is stored as 8
  f.Borders.Right = {TWbkBorderStyle::fbs_Medium, 60};  // 60 + 7 is stored as 64
  f.Borders.Top = {TWbkBorderStyle::fbs_Dashed, 5};
  f.Borders.Bottom = {TWbkBorderStyle::fbs_Dotted, 6};
  f.Borders.Diagonal = {TWbkBorderStyle::fbs_Thick, 9};
  f.Borders.DiagonalStyle = TWbkDiagonalBorder::fdb_DiagUp;
  f.FillPattern = {2, 10, 11};
  auto xf = TXFRecord::CreateFromFormat(f, fonts, formats);
  EXPECT_EQ(xf->DataSize(), 20);
  EXPECT_EQ(GetWord(xf->Data, 12) & 0x7F, 8);
  EXPECT_EQ((GetWord(xf->Data, 12) >> 7) & 0x7F, 64);
  EXPECT_EQ(xf->Data[9], 0xFC);
  TWbkFormat back = xf->WbkFormat(fonts, formats);
  EXPECT_EQ(back.Format, u"0.000");
  EXPECT_EQ(back.HAlignment, THWbkAlignment::fha_center);
  EXPECT_EQ(back.VAlignment, TVWbkAlignment::fva_center);
  EXPECT_TRUE(back.WrapText);
  EXPECT_EQ(back.Rotation, 45);
  EXPECT_EQ(back.Indent, 3);
  EXPECT_EQ(back.Borders.Left.ColorIndex, 1);
  EXPECT_EQ(back.Borders.Right.ColorIndex, 57);
  EXPECT_EQ(back.Borders.Top.Style, TWbkBorderStyle::fbs_Dashed);
  EXPECT_EQ(back.Borders.Bottom.ColorIndex, 6);
  EXPECT_EQ(back.Borders.Diagonal.Style, TWbkBorderStyle::fbs_Thick);
  EXPECT_EQ(back.Borders.Diagonal.ColorIndex, 9);
  EXPECT_EQ(back.Borders.DiagonalStyle, TWbkDiagonalBorder::fdb_DiagUp);
  EXPECT_EQ(back.FillPattern.Pattern, 2);
  EXPECT_EQ(back.FillPattern.FgColorIndex, 10);
  EXPECT_EQ(back.FillPattern.BgColorIndex, 11);
  EXPECT_TRUE(back.Locked);

  // A pattern of 0 is stored as 63 in bits 26-31.
  TWbkFormat none;
  none.FillPattern.Pattern = 0;
  EXPECT_EQ(TXFRecord::CreateFromFormat(none, fonts, formats)->CellPattern(), 63);

  // Equal formats find the same XF; a different one does not.
  TXFRecordList xfs;
  xfs.Add(TXFRecord::CreateFromFormat(f, fonts, formats));
  Integer index = 0;
  EXPECT_TRUE(xfs.FindFormat(*TXFRecord::CreateFromFormat(f, fonts, formats), index));
  EXPECT_EQ(index, 0);
  f.Indent = 4;
  EXPECT_FALSE(xfs.FindFormat(*TXFRecord::CreateFromFormat(f, fonts, formats), index));
  EXPECT_EQ(index, -1);
  EXPECT_EQ(fonts.Count(), 1);  // one font for all of them

  auto used = xfs.GetUsedColors(60, fonts);
  for (Integer c : {1, 57, 5, 6, 9, 10}) EXPECT_TRUE(used[static_cast<size_t>(c)]) << c;
  EXPECT_FALSE(used[2]);
  EXPECT_FALSE(used[11]);  // a solid fill shows no background colour
}

// Where each enumeration of a cell format sits in the XF: the field's bits, counted in the
// little-endian 32-bit word from byte Byte. Values run from First to Last; the XF stores
// value - First + Stored.
struct TXFField {
  const char* Name;
  int First, Last, Stored;
  size_t Byte;
  int Bit, Width;
  void (*Set)(TWbkFormat&, int);
  int (*Get)(const TWbkFormat&);
};

template <typename E>
E As(int v) {
  return static_cast<E>(v);
}

const TXFField XFFields[] = {
    {"HAlignment", 0, 6, 0, 6, 0, 3, [](TWbkFormat& f, int v) { f.HAlignment = As<THWbkAlignment>(v); },
     [](const TWbkFormat& f) { return int(f.HAlignment); }},
    {"VAlignment", 0, 4, 0, 6, 4, 3, [](TWbkFormat& f, int v) { f.VAlignment = As<TVWbkAlignment>(v); },
     [](const TWbkFormat& f) { return int(f.VAlignment); }},
    {"Borders.Left", 0, 13, 0, 10, 0, 4, [](TWbkFormat& f, int v) { f.Borders.Left.Style = As<TWbkBorderStyle>(v); },
     [](const TWbkFormat& f) { return int(f.Borders.Left.Style); }},
    {"Borders.Right", 0, 13, 0, 10, 4, 4, [](TWbkFormat& f, int v) { f.Borders.Right.Style = As<TWbkBorderStyle>(v); },
     [](const TWbkFormat& f) { return int(f.Borders.Right.Style); }},
    {"Borders.Top", 0, 13, 0, 11, 0, 4, [](TWbkFormat& f, int v) { f.Borders.Top.Style = As<TWbkBorderStyle>(v); },
     [](const TWbkFormat& f) { return int(f.Borders.Top.Style); }},
    {"Borders.Bottom", 0, 13, 0, 11, 4, 4, [](TWbkFormat& f, int v) { f.Borders.Bottom.Style = As<TWbkBorderStyle>(v); },
     [](const TWbkFormat& f) { return int(f.Borders.Bottom.Style); }},
    {"Borders.Diagonal", 0, 13, 0, 14, 21, 4,
     [](TWbkFormat& f, int v) { f.Borders.Diagonal.Style = As<TWbkBorderStyle>(v); },
     [](const TWbkFormat& f) { return int(f.Borders.Diagonal.Style); }},
    {"Borders.DiagonalStyle", 0, 3, 0, 12, 14, 2,
     [](TWbkFormat& f, int v) { f.Borders.DiagonalStyle = As<TWbkDiagonalBorder>(v); },
     [](const TWbkFormat& f) { return int(f.Borders.DiagonalStyle); }},
    {"FillPattern.Pattern", 1, 19, 0, 14, 26, 6, [](TWbkFormat& f, int v) { f.FillPattern.Pattern = As<TWbkPatternStyle>(v); },
     [](const TWbkFormat& f) { return int(f.FillPattern.Pattern); }},
};

TEST_F(FormatsPalette, EveryEnumerationValueHasItsXFBitsAndReadsBack) {
  // The last value of each enumeration is the one the bit field was sized for.
  EXPECT_EQ(int(THWbkAlignment::fha_center_across_selection), 6);
  EXPECT_EQ(int(TVWbkAlignment::fva_distributed), 4);
  EXPECT_EQ(int(TWbkBorderStyle::fbs_Slanted_dash_dot), 13);
  EXPECT_EQ(int(TWbkBorderStyle::fbs_Double), 6);
  EXPECT_EQ(int(TWbkDiagonalBorder::fdb_Both), 3);

  TFontRecordList fonts;
  TFormatRecordList formats;
  const TWbkFormat plain;
  const ArrayOfByte plainXF = TXFRecord::CreateFromFormat(plain, fonts, formats)->Data;
  EXPECT_EQ(TXFRecord(0x00E0, plainXF).WbkFormat(fonts, formats), plain);
  for (const TXFField& field : XFFields) {
    for (int v = field.First; v <= field.Last; ++v) {
      SCOPED_TRACE(std::string(field.Name) + " = " + std::to_string(v));
      TWbkFormat f = plain;
      field.Set(f, v);
      const auto xf = TXFRecord::CreateFromFormat(f, fonts, formats);
      // The field's bits hold the value and no other bit changes.
      ArrayOfByte expected = plainXF;
      const Cardinal mask = ((1u << field.Width) - 1) << field.Bit;
      const Cardinal stored = static_cast<Cardinal>(v - field.First + field.Stored) << field.Bit;
      SetCardinal(expected, field.Byte, (GetCardinal(plainXF, field.Byte) & ~mask) | stored);
      EXPECT_EQ(xf->Data, expected);
      const TWbkFormat back = xf->WbkFormat(fonts, formats);
      EXPECT_EQ(field.Get(back), v);
      EXPECT_EQ(back, f);
    }
  }
}

TEST_F(FormatsPalette, EveryFontStyleAndUnderlineHasItsFontBitsAndReadsBack) {
  struct TStyleCase {
    TWbkFontStyle Style;
    size_t Offset;  // the FONT field that shows it
    Word Value;
  } styles[] = {{flsBold, 6, 700}, {flsItalic, 2, 0x02}, {flsStrikeOut, 2, 0x08}, {flsSuperscript, 8, 1}, {flsSubscript, 8, 2}};
  for (const TStyleCase& c : styles) {
    SCOPED_TRACE(int(c.Style));
    TWbkFont f = Font(u"Arial", 200);
    f.Style = {c.Style};
    auto r = TFontRecord::CreateFromWbkFont(f);
    EXPECT_EQ(GetWord(r->Data, c.Offset), c.Value);
    EXPECT_EQ(r->WbkFont(), f);
  }
  struct TUnderlineCase {
    TWbkUnderline Underline;
    Byte Code;
  } underlines[] = {{TWbkUnderline::fu_None, 0},
                    {TWbkUnderline::fu_Single, 1},
                    {TWbkUnderline::fu_Double, 2},
                    {TWbkUnderline::fu_SingleAccounting, 0x21},
                    {TWbkUnderline::fu_DoubleAccounting, 0x22}};
  for (const TUnderlineCase& c : underlines) {
    SCOPED_TRACE(int(c.Underline));
    TWbkFont f = Font(u"Arial", 200);
    f.Underline = c.Underline;
    auto r = TFontRecord::CreateFromWbkFont(f);
    EXPECT_EQ(r->Data[10], c.Code);
    EXPECT_EQ(r->WbkFont(), f);
  }
  // A code no kind has reads as no underline.
  auto odd = TFontRecord::CreateFromWbkFont(Font(u"Arial", 200));
  odd->Data[10] = 0x05;
  EXPECT_EQ(odd->WbkFont().Underline, TWbkUnderline::fu_None);
}

TEST_F(FormatsPalette, StandardPaletteAndMessages) {
  EXPECT_EQ(StandardPaletteColor(2), 0x0000FFu);   // red, stored as 00BBGGRR
  EXPECT_EQ(StandardPaletteColor(55), 0x333333u);
  EXPECT_EQ(StandardPaletteColor(17), 0x663399u);  // 993366
  EXPECT_EQ(MessageOf([] { StandardPaletteColor(56); }),
            "The index \"56\" of the property \"Palette index\" is not in the range 0-55");
  auto palette = TPaletteRecord::CreateStandard();
  EXPECT_EQ(palette->DataSize(), 226);
  ASSERT_EQ(palette->Count(), 56);
  for (Integer i = 0; i < 56; ++i) EXPECT_EQ(palette->GetColor(i), StandardPaletteColor(i));
  palette->SetColor(0, 0x123456);
  EXPECT_EQ(palette->GetColor(0), 0x123456u);

  ArrayOfByte sixteen(2 + 64, 0);
  SetWord(sixteen, 0, 16);
  TPaletteRecord small(0x0092, sixteen);
  EXPECT_EQ(small.Count(), 16);
  EXPECT_EQ(MessageOf([&] { small.GetColor(55); }),
            "The index \"55\" of the property \"Palette Color Index\" is not in the range 0-15");
  EXPECT_EQ(MessageOf([&] { small.SetColor(16, 0); }),
            "Too many entries for this kind of record (16 out of a maximum of 15)");
  // A count larger than the data answers only the entries present.
  SetWord(sixteen, 0, 900);
  EXPECT_EQ(TPaletteRecord(0x0092, sixteen).Count(), 16);
}

}  // namespace
