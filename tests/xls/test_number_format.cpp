// The number-format interpreter: the worked examples, section choice and conditions, the
// readers of each token, text sections, and what the formats report about dates and times.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "classlib/SysUtils.h"
#include "xls/vavUBiffCellRecords.h"
#include "xls/vavUBiffFormatRecords.h"
#include "xls/vavUBiffOptionRecords.h"
#include "xls/vavUWbkNumberFormat.h"

using namespace xlstest;

namespace {

// The settings the examples assume: "." and ",", "/" and ":", AM and PM, English names.
TFormatSettings UsSettings() {
  TFormatSettings fs = TFormatSettings::Invariant();
  fs.DecimalSeparator = '.';
  fs.ThousandSeparator = ',';
  fs.DateSeparator = '/';
  fs.TimeSeparator = ':';
  fs.ShortDateFormat = "m/d/yyyy";
  fs.LongDateFormat = "dddd, mmmm d, yyyy";
  fs.ShortTimeFormat = "h:nn AMPM";
  fs.LongTimeFormat = "h:nn:ss AMPM";
  fs.TimeAMString = "AM";
  fs.TimePMString = "PM";
  return fs;
}

class NumberFormat : public ::testing::Test {
 protected:
  void SetUp() override { FormatSettings = UsSettings(); }
  void TearDown() override { FormatSettings = TFormatSettings::Invariant(); }
};

struct Example {
  const char* format;
  Variant value;
  const char* text;
  Integer color;  // -1: unchanged
  bool hasDate;
  bool hasTime;
};

void Check(const Example& e) {
  Integer color = -1;
  bool hasDate = true, hasTime = true;
  EXPECT_EQ(FormatCellValueEx(e.value, e.format, false, color, hasDate, hasTime), e.text) << e.format;
  EXPECT_EQ(color, e.color) << e.format;
  EXPECT_EQ(hasDate, e.hasDate) << e.format;
  EXPECT_EQ(hasTime, e.hasTime) << e.format;
}

TEST_F(NumberFormat, WorkedExamples) {
  const Example examples[] = {
      {"General", 1234.5, "1234.5", -1, false, false},
      {"0.00", 1234.567, "1234.57", -1, false, false},
      {"#,##0", 1234.567, "1,235", -1, false, false},
      {"#,##0.00", -1234.567, "-1,234.57", -1, false, false},
      {"0%", 0.256, "26%", -1, false, false},
      {"0.00E+00", 12345.0, "1.23E+04", -1, false, false},
      {"0.00;(0.00)", -5.0, "(5.00)", -1, false, false},
      {"[Red]0.00", 5.0, "5.00", 0x0000FF, false, false},
      {"0;-0;\"zero\"", 0.0, "zero", -1, false, false},
      {"[>100]0", 5.0, "###################", -1, false, false},
      {"m/d/yy", 45000.0, "3/15/23", -1, true, false},
      {"d-mmm-yy", 45000.0, "15-Mar-23", -1, true, false},
      {"h:mm", 0.55, "13:12", -1, false, true},
      // AM/PM selects the 12-hour clock for the whole section and is no date.
      {"h:mm AM/PM", 0.55, "1:12 PM", -1, false, true},
      {"[h]:mm:ss", 1.5, "36:00:00", -1, false, true},
      {"@", Variant(u"abc"), "abc", -1, false, false},
      {"0;0;0;\"Name: \"@", Variant(u"abc"), "Name: abc", -1, false, false},
      {"0.00", Variant(true), "TRUE", -1, false, false},
  };
  for (const auto& e : examples) Check(e);
}

// Booleans show as spreadsheets show them also with the general format, whose string is
// empty; exponent formats keep the case of their mark and show the exponent's sign only when
// asked, with as many digits as a number needs: the formats typed numbers get.
TEST_F(NumberFormat, BooleansAndTypedExponentForms) {
  const Example examples[] = {
      {"", Variant(true), "TRUE", -1, false, false},
      {"", Variant(false), "FALSE", -1, false, false},
      {"General", Variant(false), "FALSE", -1, false, false},
      {"0.000000e-0", 1.234567e-5, "1.234567e-5", -1, false, false},
      {"0.00000000e-0", 6.02214076e23, "6.02214076e23", -1, false, false},
      {"0.0000e-0", -4.5678e-12, "-4.5678e-12", -1, false, false},
      {"0.0E+00", 1500.0, "1.5E+03", -1, false, false},
      // More digits than the 15 a number usually shows: the value's shortest exact digits.
      {"0.0000000000000000e-0", 1.7976931348623157e308, "1.7976931348623157e308", -1, false, false},
      {"0.00000000000000000000", 0.1, "0.10000000000000000000", -1, false, false},
  };
  for (const auto& e : examples) Check(e);
}

TEST_F(NumberFormat, SectionsAndConditions) {
  const Example examples[] = {
      {"0;", -3.0, "", -1, false, false},
      {"0;", 3.0, "3", -1, false, false},
      {"0;0;0;@;\"x\"", -4.0, "4", -1, false, false},
      {"0;0;0;@;\"x\"", Variant(u"t"), "t", -1, false, false},
      {"\"a;b\"0", 7.0, "a;b7", -1, false, false},
      {"\\;0;0", 7.0, ";7", -1, false, false},
      {"0.0;-0.0;\"nil\"", 0.0, "nil", -1, false, false},
      {"0.0;-0.0", 0.0, "0.0", -1, false, false},
      {"[<0]\"neg\";\"pos\"", -1.0, "neg", -1, false, false},
      {"[<0]\"neg\";\"pos\"", 1.0, "pos", -1, false, false},
      {"[=1]\"one\";0", -1.0, "-1", -1, false, false},      // fails "=1": section 1 keeps the sign
      {"[>=10]0;[Blue]0", -5.0, "-5", 0xFF0000, false, false},
      {"[>=0]0;[Blue]0", -5.0, "5", 0xFF0000, false, false},
      {"[>=10]0;[Blue]0", 15.0, "15", -1, false, false},
      {"[>x]0;0", 5.0, "5", -1, false, false},               // a malformed condition is none
      {"[red]0", 5.0, "5", -1, false, false},                // colour names match in their letter case only
      {"[RED]0", 5.0, "5", -1, false, false},
      {"[Purple]0", 5.0, "5", -1, false, false},
      {"[Green]0;[Magenta]-0", -2.0, "-2", 0xFF00FF, false, false},
  };
  for (const auto& e : examples) Check(e);
}

TEST_F(NumberFormat, Tokens) {
  const Example examples[] = {
      {"[h]", 1.5, "36", -1, false, true},
      {"[mm]", 0.5, "720", -1, false, true},
      {"[ss]", 1.0 / 86400 * 5, "05", -1, false, true},
      {"[h]", 13.0 / 24, "13", -1, false, true},             // counted on the second, not cut to 12
      {"[ss]", 0.999988, "86399", -1, false, true},
      {"h:mm:ss", 0.5833333, "13:59:59", -1, false, true},   // a clock cuts the fraction of a second
      {"[mm]:ss", 0.999988, "1439:59", -1, false, true},     // elapsed: rounded to the second
      {"[h]:mm", -1.5, "-36:00", -1, false, true},
      {"[h]", 1e20, "2400000000000000000000", -1, false, true},    // beyond 64-bit integers
      {"[s]", -1e20, "-8640000000000000000000000", -1, false, true},
      {"[hm]0", 5.0, "5", -1, false, false},                 // no elapsed token: skipped
      {"mm:ss", 1.0 / 24 + 5.0 / 1440 + 7.0 / 86400, "05:07", -1, false, true},
      {"mm/dd/yyyy", 45000.0, "03/15/2023", -1, true, false},
      {"hh:mm:ss", 0.75, "18:00:00", -1, false, true},
      {"hh:mm:ss AM/PM", 0.75, "06:00:00 PM", -1, false, true},
      {"h AM/PM", 0.0, "12 AM", -1, false, true},
      {"h:mm A/P", 0.75, "6:00 P", -1, false, true},
      {"dddd", 45000.0, "Wednesday", -1, true, false},
      {"mmmm yyyy", 45000.0, "March 2023", -1, true, false},
      {"\"Total \"General", 1234.5, "Total 1234.5", -1, false, false},
      {"General\" kg\"", -2.0, "-2 kg", -1, false, false},
      {"0.0_)", 2.0, "2.0 ", -1, false, false},
      {"0*-", 2.0, "2-", -1, false, false},
      {"\\$0.00", 2.0, "$2.00", -1, false, false},
      {"$#,##0.00", 1234.5, "$1,234.50", -1, false, false},
      {"$#,##0.00", -2.0, "-$2.00", -1, false, false},       // the sign leads the section
      {"$0.00", -0.001, "$0.00", -1, false, false},          // no digit shows: no sign
      {"[$€-407]0.00", 1234.5, "€1234.50", -1, false, false},
      {"[$-409]mmmm", 45000.0, "March", -1, true, false},
      {"0.0%", 0.1234, "12.3%", -1, false, false},
      {"@", 3.0, "3", -1, false, false},                     // "@" in a number section shows the value
      {"000-00", 12345.0, "123-45", -1, false, false},
      {"0 0", 12.0, "12 12", -1, false, false},              // each number run renders the value
      {"[Blue]General", 5.0, "5", 0xFF0000, false, false},
  };
  for (const auto& e : examples) Check(e);
}

TEST_F(NumberFormat, ValueKindsAndDates) {
  Integer color = -1;
  EXPECT_EQ(FormatCellValue(Variant(), "0.00", false, color), "");
  EXPECT_EQ(FormatCellValue(Variant::Null(), "0.00", false, color), "");
  EXPECT_EQ(FormatCellValue(Variant(2.5), "", false, color), "2.5");
  EXPECT_EQ(FormatCellValue(Variant(Integer(42)), "0.0", false, color), "42.0");
  EXPECT_EQ(FormatCellValue(Variant(false), "@", false, color), "FALSE");
  // A date value below 0 has no date; a double below 0 is a day before 1899-12-30.
  EXPECT_EQ(FormatCellValue(Variant::FromDate(-1), "yyyy-mm-dd", false, color), "###################");
  EXPECT_EQ(FormatCellValue(Variant(-1.0), "yyyy-mm-dd", false, color), "1899-12-29");
  // 1904 dates: 1462 days later; elapsed time takes the value as it is.
  EXPECT_EQ(FormatCellValue(Variant(0.0), "yyyy-mm-dd", true, color), "1904-01-01");
  EXPECT_EQ(FormatCellValue(Variant(1.5), "[h]", true, color), "36");
  // Out of the date range: the run shows "##", the rest goes on.
  EXPECT_EQ(FormatCellValue(Variant(1e9), "\"d \"yyyy", false, color), "d ##");
  // The system date and time formats.
  EXPECT_EQ(FormatCellValue(Variant(45000.75), "[$-F800]dddd, mmmm dd, yyyy", false, color),
            "Wednesday, March 15, 2023");
  EXPECT_EQ(FormatCellValue(Variant(45000.75), "[$-F400]h:mm:ss AM/PM", false, color), "6:00:00 PM");
}

TEST_F(NumberFormat, TextSections) {
  Integer color = -1;
  EXPECT_EQ(FormatCellValue(Variant(u"abc"), "[Red]", false, color), "abc");
  EXPECT_EQ(color, 0x0000FF);
  color = -1;
  EXPECT_EQ(FormatCellValue(Variant(u"abc"), "[Blue]general", false, color), "abc");
  EXPECT_EQ(color, 0xFF0000);
  color = -1;
  EXPECT_EQ(FormatCellValue(Variant(u"abc"), "[red]", false, color), "abc");
  EXPECT_EQ(color, -1);
  EXPECT_EQ(FormatCellValue(Variant(u"abc"), "0.00", false, color), "abc");
  EXPECT_EQ(FormatCellValue(Variant(u"abc"), "\"<\"@\">\"", false, color), "<abc>");
  EXPECT_EQ(FormatCellValue(Variant(u"abc"), "@@", false, color), "abcabc");
  EXPECT_EQ(FormatCellValue(Variant(u"abc"), "x@", false, color), "abc");  // an unknown character: the text
  EXPECT_EQ(color, -1);
}

TEST_F(NumberFormat, FormatsReportDatesAndTimes) {
  struct Case {
    const char* format;
    bool date;
    bool time;
  } cases[] = {
      {"m/d/yy", true, false},  {"h:mm", false, true},     {"[h]", false, true},
      {"[$-F800]", true, false}, {"[$-F400]", false, true}, {"0.00", false, false},
      {"General", false, false}, {"h:mm AM/PM", false, true}, {"mm:ss", false, true},
      {"d-mmm-yy h:mm", true, true},
  };
  for (const auto& c : cases) {
    bool d = false, t = false;
    EXPECT_EQ(FormatHasDateTime(c.format, d, t), c.date || c.time) << c.format;
    EXPECT_EQ(d, c.date) << c.format;
    EXPECT_EQ(t, c.time) << c.format;
  }
}

// The first field of each CSV line (quoted fields with doubled quotes).
std::vector<String> FirstFieldTexts(const std::string& csv) {
  std::vector<String> out;
  std::istringstream lines(csv);
  std::string line;
  while (std::getline(lines, line)) {
    String field;
    if (!line.empty() && line[0] == '"') {
      for (size_t i = 1; i < line.size(); ++i) {
        if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') field += line[i++];
        else if (line[i] == '"') break;
        else field += line[i];
      }
    } else {
      field = line.substr(0, line.find(','));
    }
    out.push_back(field);
  }
  return out;
}

struct TRenderedCell {
  double Value;
  String Format;
};

// Column A of the first sheet with each cell's number format, read with the engine's records.
std::vector<TRenderedCell> FixtureCells(const std::string& compound, bool& dates1904) {
  auto records = RecordsOf(compound);
  TFormatRecordList formats;
  std::vector<Word> xfFormats;
  std::vector<TRenderedCell> cells;
  int bofs = 0;
  dates1904 = false;
  auto put = [&](const TCellRecord& c) {
    if (c.Column() != 0) return;
    if (cells.size() <= c.Row()) cells.resize(c.Row() + 1u);
    cells[c.Row()] = {c.GetValue().AsDouble(), WideToUtf8(formats.GetFormat(xfFormats.at(c.XF())))};
  };
  for (auto& r : records) {
    if (r->Id == 0x0809) ++bofs;
    if (auto* f = dynamic_cast<TFormatRecord*>(r.get())) formats.Add(std::unique_ptr<TFormatRecord>(static_cast<TFormatRecord*>(f->DoCopyTo().release())));
    if (auto* xf = dynamic_cast<TXFRecord*>(r.get())) xfFormats.push_back(xf->FormatIndex());
    if (auto* d = dynamic_cast<T1904Record*>(r.get())) dates1904 = d->Is1904();
    if (bofs != 2) continue;
    if (auto* cell = dynamic_cast<TNumberRecord*>(r.get())) put(*cell);
    if (auto* cell = dynamic_cast<TRKRecord*>(r.get())) put(*cell);
    if (auto* mul = dynamic_cast<TMulRKRecord*>(r.get()))
      while (!mul->Eof())
        if (auto cell = mul->ExtractOneRecord()) put(*cell);
  }
  return cells;
}

TEST_F(NumberFormat, RendersAsLibreOfficeDoes) {
  // number_formats.xls was written by LibreOffice from number_formats.xml, and
  // number_formats.csv holds LibreOffice's rendering of its cells (see the data README).
  bool dates1904 = false;
  auto cells = FixtureCells(Fixture("number_formats.xls"), dates1904);
  auto shown = FirstFieldTexts(Fixture("number_formats.csv"));
  ASSERT_EQ(cells.size(), shown.size());
  int dateTimeRows = 0;
  for (size_t i = 0; i < cells.size(); ++i) {
    const auto& c = cells[i];
    // Fractions are not interpreted; every other family must render the same.
    if (c.Format.find("?/?") != String::npos) continue;
    // LibreOffice writes General exponents with three digits ("1E+020").
    if (c.Format == "General" && c.Value >= 1e15) continue;
    bool hasDate = false, hasTime = false;
    if (FormatHasDateTime(c.Format, hasDate, hasTime)) ++dateTimeRows;
    Integer color = -1;
    EXPECT_EQ(FormatCellValue(Variant(c.Value), c.Format, dates1904, color), shown[i])
        << "row " << i + 1 << ": " << c.Format << " with " << c.Value;
  }
  EXPECT_GE(dateTimeRows, 150);
}

}  // namespace
