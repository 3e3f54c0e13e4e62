// The grid's text toolbox: line-break codings, wide text, cell-text and number kinds,
// financial texts, capitals, dates and date series, the filter matcher, links and the
// clipboard's HTML wrapping.
#include <gtest/gtest.h>

#include <chrono>
#include <limits>

#include "grid/base/ZudAzud.h"

namespace {

// Every test starts from the C locale's settings and leaves them as it found them.
class TextToolbox : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings;
    FormatSettings = TFormatSettings::Invariant();
  }
  void TearDown() override { FormatSettings = saved_; }
  TFormatSettings saved_;
};

TEST_F(TextToolbox, LineBreakCodings) {
  String s = "a\r\nb";
  QuoteMultilineText(s);
  EXPECT_EQ(s, "\"a\x0B" "b\"");
  s = "x\x0By";
  VTToCRLF(s);
  EXPECT_EQ(s, "x\r\ny");
  s = "a\r\nb\rc\n";
  CRToTilde(s);
  EXPECT_EQ(s, "a~b~c");
  TildeToCRLF(s);
  EXPECT_EQ(s, "a\r\nb\r\nc");
  s = "^";
  TildeToCRLF(s);
  EXPECT_EQ(s, "");
  s = "a\r\nb";
  CRLFToLF(s);
  EXPECT_EQ(s, "a\nb");
  EXPECT_EQ(CRToEscapedN("a\r\nb"), "a\\nb");
  EXPECT_EQ(EscapedNToCR("a\\nb\\n"), "a\rb\r");
  EXPECT_EQ(RemoveCR("a\r\nb\r"), "a\nb");
  EXPECT_EQ(CRToLF("a\rb"), "a\nb");
  EXPECT_EQ(CRToHTMLBreak("a\r\nb"), "a<br>\nb");
  EXPECT_EQ(CountLines("a\rb\rc", true), 3);
  EXPECT_EQ(CountLines("a\rb\rc", false), 1);
}

TEST_F(TextToolbox, ControlCharCodingRoundTripsOnlyMultiLineText) {
  const String multi("a\r\nb\0c", 6);
  const String coded = EncodeControlChars(multi);
  EXPECT_EQ(coded, String("a\t\bb\x01" "c"));
  EXPECT_EQ(DecodeControlChars(coded, true), multi);
  EXPECT_EQ(DecodeControlChars(coded, false), "a");
  // Without a CR nothing is coded: a tab in a one-line text stays a tab.
  EXPECT_EQ(EncodeControlChars("a\tb"), "a\tb");
  EXPECT_EQ(DecodeControlChars("a\tb", true), "a\tb");
}

TEST_F(TextToolbox, FirstLineCuttingAndQuoting) {
  String text = "one\r\ntwo\rthree", line;
  ExtractFirstLine(text, true, line);
  EXPECT_EQ(line, "one");
  EXPECT_EQ(text, "two\rthree");
  ExtractFirstLine(text, false, line);
  EXPECT_EQ(line, "two");
  EXPECT_EQ(text, "");
  text = "single";
  ExtractFirstLine(text, true, line);
  EXPECT_EQ(line, "single");
  EXPECT_EQ(text, "");

  String s = "key=value";
  EXPECT_EQ(CutBefore(s, "="), "key");
  EXPECT_EQ(s, "value");
  EXPECT_EQ(CutBefore(s, ";"), "");
  EXPECT_EQ(s, "value");

  EXPECT_EQ(DoubleQuoteChars("a\"b"), "a\"\"b");
  EXPECT_EQ(UndoubleChar('"', "a\"\"b\"c"), "a\"bc");
  EXPECT_EQ(UndoubleChar('"', "abc"), "abc");
}

TEST_F(TextToolbox, SingleCharRuns) {
  int pos = 99;
  EXPECT_EQ(FindSingleChar('&', "a&&b&c", pos), 5);  // the doubled pair is skipped
  EXPECT_EQ(FindSingleChar('&', "a&&&b", pos), 4);   // odd run: its last character
  EXPECT_EQ(FindSingleChar('&', "ab&&", pos), 4);    // a run that ends the text
  EXPECT_EQ(FindSingleChar('&', "a&&b", pos), 0);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(CountSingleChars('&', "a&b&&c&"), 2);
  EXPECT_EQ(CountChar('&', "a&b&&c&"), 4);
  pos = 7;
  EXPECT_EQ(FindCharPos('x', "abc", pos), 0);
  EXPECT_EQ(pos, 7);  // left alone when absent
  EXPECT_EQ(FindCharPos('c', "abc", pos), 3);
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(FirstCharOfSetOutsideQuotes({'&', '|'}, "\"a&b\"|c", pos), '|');
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(FirstCharOfSetOutsideQuotes({'&'}, "\"a&b\"", pos), '\0');
  EXPECT_EQ(pos, -1);
  EXPECT_EQ(MatchingParenPos("(a(b)c)d"), 7);
  EXPECT_EQ(MatchingParenPos("(abc"), 0);
  EXPECT_EQ(PosWide(u"bc", u"abc"), 2);
  EXPECT_EQ(PosWide(u"", u"abc"), 0);
  EXPECT_EQ(PosWide(u"abcd", u"abc"), 0);
}

TEST_F(TextToolbox, WideTextCodingRoundTrips) {
  const WideString wide = u"a\u00E9\u4E2D";
  const String coded = EncodeWideText(wide);
  EXPECT_EQ(coded, String("|\\\0a\0\xE9\x4E\x2D", 8));
  EXPECT_EQ(DecodeWideText(coded), wide);
  EXPECT_EQ(DecodeWideText("plain"), u"plain");
}

TEST_F(TextToolbox, CellTextKinds) {
  struct Case {
    String text;
    bool html;
    int kind;
  };
  const Case cases[] = {
      {"=A1", false, 3},
      {"{\\rtf1 x}", false, 2},
      {"<b>x</b>", true, 1},
      {"<b>x</b>", false, 0},
      {"<b>x", true, 0},  // letters as written: "<b" is not "<B"
      {"<B>x", true, 1},
      {"", true, 0},
      {"a", false, 0},
      {EncodeWideText(u"=x"), false, 3},
      {EncodeWideText(u"ab"), false, 5},
  };
  for (const Case& c : cases) EXPECT_EQ(CellTextKind(c.text, c.html), c.kind) << c.text;
}

TEST_F(TextToolbox, NumericKinds) {
  struct Case {
    const char* text;
    int kind;
  };
  const Case dotDecimal[] = {{"123", 0},    {"-5", 0},       {"1.5", 1},  {"1,234.5", 1}, {"1,23,4", 2},
                             {"1.5e-3", 5}, {"-1e-2", 5},    {"1E5", 5},  {"1.2.3", 2},   {"1-2", 2},
                             {"e5", 2},     {"1e", 2},       {"1e5e", 2}, {"abc", 2},     {"", 2},
                             {"1e+5", 5},   {"--1", 2}};
  for (const Case& c : dotDecimal) EXPECT_EQ(NumericKind(c.text), c.kind) << c.text;
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(NumericKind("1,5"), 1);
  EXPECT_EQ(NumericKind("1.234,5"), 1);
}

TEST_F(TextToolbox, FinancialAndLocaleNumberTexts) {
  struct Case {
    const char* text;
    const char* plain;
  };
  const Case cases[] = {{"($1,234.50)", "-1234.50"}, {"$ 1,234.50", "1234.50"}, {"-$12", "-12"},
                        {"USD 7", "7"},              {"1.5e3", "1.5e3"},         {"", ""},
                        {"12 kg", "12"}};
  for (const Case& c : cases) EXPECT_EQ(UnformatFinancial(c.text), c.plain) << c.text;
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(UnformatFinancial("(1.234,50 \xE2\x82\xAC)"), "-1234.50");
  EXPECT_EQ(NormalizeNumberText("1.234,5"), "1234.5");
}

TEST_F(TextToolbox, CapitalizeWords) {
  struct Case {
    const char* text;
    const char* capitals;
  };
  const Case cases[] = {{"o'neil mcdonald henry iii", "O'Neil McDonald Henry III"},
                        {"mcintosh", "McIntosh"},
                        {"JOHN SMITH-JONES", "John Smith-Jones"},
                        {"louis xiv ii", "Louis Xiv II"},
                        {"\xC3\xA9mile zola", "\xC3\x89mile Zola"},
                        {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(CapitalizeWords(c.text), c.capitals) << c.text;
}

TEST_F(TextToolbox, SmallHelpers) {
  EXPECT_EQ(ClampToLimits(5, 3, 3), 5);
  EXPECT_EQ(ClampToLimits(50, 0, 10), 10);
  EXPECT_EQ(ClampToLimits(-5, 0, 10), -5);  // a zero lower limit is no limit
  EXPECT_EQ(ClampToLimits(1, 2, 10), 2);
  int c = 0, r = 0;
  EXPECT_TRUE(ParseRCRef("r12c3", c, r));
  EXPECT_EQ(r, 12);
  EXPECT_EQ(c, 3);
  EXPECT_FALSE(ParseRCRef("R1C", c, r));
  EXPECT_FALSE(ParseRCRef("A1", c, r));
  EXPECT_TRUE(LooksLikeDate("1-2-2003"));
  EXPECT_FALSE(LooksLikeDate("-2-2003"));
  EXPECT_FALSE(LooksLikeDate("1-2"));
  EXPECT_EQ(ColorToHexRGB(RGB(0x12, 0xAB, 0xEF)), "12ABEF");
  EXPECT_EQ(DimColor(RGB(200, 100, 51)), RGB(100, 50, 25));
  EXPECT_TRUE(IsURL("see http://x.org"));
  EXPECT_TRUE(IsURL("mailto:a@b.c"));
  String url = "https://x.org/a";
  StripURLProtocol(url);
  EXPECT_EQ(url, "x.org/a");
  String oem = "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC";  // "été €": no euro sign in the OEM page
  StrToOem(oem);
  EXPECT_EQ(oem, "\x82t\x82 ?");
  OemToStr(oem);
  EXPECT_EQ(oem, "\xC3\xA9t\xC3\xA9 ?");
}

TEST_F(TextToolbox, LinksAndClipboardHTML) {
  String out = "untouched";
  EXPECT_FALSE(LinkifyURL("http://", "no link <here>", out));
  EXPECT_EQ(out, "untouched");
  ASSERT_TRUE(LinkifyURL("http://", "see <HTTP://x.org/a_b?q=1> now", out));
  EXPECT_EQ(out, "see &lt;<a href=\"HTTP://x.org/a_b\">HTTP://x.org/a_b</a>?q=1&gt; now");

  String fragment = "0123456789";
  BuildClipboardHTML(fragment);
  EXPECT_EQ(fragment.substr(0, 13), "Version:1.0\r\n");
  EXPECT_NE(fragment.find("StartHTML:00000097\r\n"), String::npos);
  EXPECT_NE(fragment.find("StartFragment:00000269\r\n"), String::npos);
  EXPECT_NE(fragment.find("EndFragment:00000279\r\n"), String::npos);
  EXPECT_NE(fragment.find("EndHTML:00000311\r\n"), String::npos);
  EXPECT_EQ(fragment.substr(97, 9), "<!DOCTYPE");
  EXPECT_EQ(fragment.substr(269, 10), "0123456789");
  EXPECT_EQ(fragment.size(), 311u);
  String utf8 = "\xC3\xA9";  // offsets count bytes of the UTF-8 form
  BuildClipboardHTML(utf8);
  EXPECT_NE(utf8.find("EndFragment:00000271\r\n"), String::npos);
}

TEST_F(TextToolbox, ParseDates) {
  EXPECT_EQ(ParseDateUS("12/31/99"), EncodeDate(1999, 12, 31));
  EXPECT_EQ(ParseDateUS("1/2/05"), EncodeDate(2005, 1, 2));
  EXPECT_EQ(ParseDateUS("12/31/1999"), EncodeDate(1999, 12, 31));  // four digits: not pivoted
  EXPECT_EQ(ParseDateEU("31.12.2024"), EncodeDate(2024, 12, 31));
  EXPECT_EQ(ParseDateEU("1-2-30"), EncodeDate(1930, 2, 1));
  EXPECT_EQ(ParseDateUS("no date"), 0);
  EXPECT_EQ(ParseDateUS("1/x/2000"), 0);
  EXPECT_EQ(ParseDateUS("1/2"), 0);
  EXPECT_THROW(ParseDateUS("2/30/2001"), EConvertError);
  EXPECT_THROW(ParseDateEU("0.1.2001"), EConvertError);
}

TEST_F(TextToolbox, ParseLocaleDateTimes) {
  FormatSettings.ShortDateFormat = "dd/mm/yyyy";
  FormatSettings.DateSeparator = '.';
  TDateTime value = 0;
  ASSERT_TRUE(ParseDateTimeLocale("24.12.2023 18:30", value));
  EXPECT_DOUBLE_EQ(value, EncodeDate(2023, 12, 24) + EncodeTime(18, 30, 0, 0));
  ASSERT_TRUE(ParseDateTimeLocale("1.2.2003", value));
  EXPECT_EQ(value, EncodeDate(2003, 2, 1));
  ASSERT_TRUE(ParseDateTimeLocale("1.2.2003 7:08:09", value));
  EXPECT_DOUBLE_EQ(value, EncodeDate(2003, 2, 1) + EncodeTime(7, 8, 9, 0));
  const char* bad[] = {"30.2.2003", "1.13.2003", "32.1.2003", "1.2.2003 7", "1.2.2003 24:00",
                       "1.2.2003 7:60", "1.2.2003 7:00:61", "1.2", "x.y.z", "17"};
  for (const char* text : bad) EXPECT_FALSE(ParseDateTimeLocale(text, value)) << text;
  FormatSettings.ShortDateFormat = "yyyy/mm/dd";
  FormatSettings.DateSeparator = '-';
  ASSERT_TRUE(ParseDateTimeLocale("2003-02-01", value));
  EXPECT_EQ(value, EncodeDate(2003, 2, 1));
}

TEST_F(TextToolbox, DateSeries) {
  struct Case {
    int years, months, days;
    TDateTime from, to;
  };
  const Case cases[] = {
      {0, 0, 3, EncodeDate(2024, 1, 30), EncodeDate(2024, 2, 2)},
      {0, 0, -3, EncodeDate(2024, 2, 2), EncodeDate(2024, 1, 30)},  // days are signed
      {2, 0, 0, EncodeDate(2022, 5, 6), EncodeDate(2024, 5, 6)},
      {1, 0, 0, EncodeDate(2024, 2, 29), EncodeDate(2025, 2, 28)},
      {0, -1, 0, EncodeDate(2024, 1, 15), EncodeDate(2023, 12, 15)},
      {0, 1, 0, EncodeDate(2024, 12, 15), EncodeDate(2025, 1, 15)},
      {0, 1, 0, EncodeDate(2023, 1, 31), EncodeDate(2023, 2, 28)},  // clamped to the month
      {0, 1, 0, EncodeDate(2024, 1, 31), EncodeDate(2024, 2, 29)},
      {0, 25, 0, EncodeDate(2024, 3, 10), EncodeDate(2026, 4, 10)},  // more than one wrap
      {0, -14, 0, EncodeDate(2024, 1, 10), EncodeDate(2022, 11, 10)},
      {0, 1, 1, EncodeDate(2024, 1, 10), EncodeDate(2024, 1, 17)},  // mixed: the increment
      {0, 0, 0, EncodeDate(2024, 1, 10), EncodeDate(2024, 1, 17)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AddToDate(c.years, c.months, c.days, c.from, 7), c.to)
        << c.years << " " << c.months << " " << c.days << " from " << FormatDateTime("yyyy-mm-dd", c.from);
  EXPECT_THROW(AddToDate(-9000, 0, 0, EncodeDate(2024, 1, 1), 1), EConvertError);
  // Counts at the integer limits give the date error, without an integer overflow on the way.
  for (int years : {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()})
    EXPECT_THROW(AddToDate(years, 0, 0, EncodeDate(2024, 1, 1), 1), EConvertError) << years;
  for (int months : {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()})
    EXPECT_THROW(AddToDate(0, months, 0, EncodeDate(2024, 1, 1), 1), EConvertError) << months;
}

TEST_F(TextToolbox, FilterExpressions) {
  struct Case {
    const char* expression;
    const char* value;
    bool match;
  };
  const Case cases[] = {
      {">10", "11", true},       {">10", "10", false},      {">=10", "10", true},     {"<10", "9.5", true},
      {"<=10", "10", true},      {"<10", "10", false},      {"a*", "abc", true},      {"!a*", "abc", false},
      {"!a*", "bcd", true},      {"(a*|b*)&*c", "abc", true}, {"(a*|b*)&*c", "bbc", true},
      {"(a*|b*)&*c", "cbc", false}, {"(a*|b*)&*c", "abd", false}, {"a?c", "abc", true},
      {"a?c", "ac", false},      {"a*", "ABC", true},       {"=abc", "abc", true},    {"a b", "ab", true},
      {"\"a b\"", "a b", true},  {"x;y", "y", true},        {"x^y", "x", true},       {"x&y", "x", false},
      {">5&<8", "6", true},      {">5&<8", "9", false},     {"*", "", true},          {"", "", true},
      {"a*b*c*d*e*f*g*h", "abcdefgh", true}, {">b", "c", true}, {">b", "a", false},
      {"(abc", "abc", false},    {"((a*)", "abc", false},   {"(a*)|(abc", "abc", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchFilterExpression(c.expression, c.value, false), c.match) << c.expression << " / " << c.value;

  EXPECT_FALSE(MatchFilterExpression("a*", "ABC", true));
  EXPECT_TRUE(MatchFilterExpression("A*", "ABC", true));
  // Locale rules for upper-casing and numbers.
  EXPECT_TRUE(MatchFilterExpression("\xC3\xA9*", "\xC3\x89t\xC3\xA9", false));
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_TRUE(MatchFilterExpression("<6", "5,5", false));
  EXPECT_FALSE(MatchFilterExpression(">6", "5,5", false));
}

TEST_F(TextToolbox, FilterPatternsStayFastOnLongValues) {
  // Many stars against a long value that almost matches: no exponential backtracking.
  const String value(5000, 'a');
  EXPECT_FALSE(MatchFilterExpression("*a*a*a*a*a*a*a*a*a*b", value, true));
  EXPECT_TRUE(MatchFilterExpression("*a*a*a*a*a*a*a*a*a*a", value, true));
}

}  // namespace
