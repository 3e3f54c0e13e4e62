// The engine's date and range routines: reading dates and times typed as text, the formats
// they are shown again with, safe date formatting, and range offsets.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "xls/vavUWbkMessages.h"

using namespace xlstest;

namespace {

class DatesAndRanges : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings = TFormatSettings::Invariant();
    FormatSettings.ShortDateFormat = "m/d/yyyy";
    FormatSettings.DateSeparator = '/';
    FormatSettings.ShortTimeFormat = "h:nn AMPM";
  }
  void TearDown() override { FormatSettings = TFormatSettings::Invariant(); }
};

TEST_F(DatesAndRanges, TryParseDateTime) {
  struct Case {
    const char* text;
    bool ok;
    double value;
    const char* format;
    bool date, time;
  } cases[] = {
      {"3/15/2023 13:12", true, 45000 + 0.55, "m/d/yyyy h:nn AM/PM", true, true},
      {"3/15/2023", true, 45000, "m/d/yyyy", true, false},
      {"3-15-23", true, 45000, "m/d/yyyy", true, false},
      {"1:12 PM", true, 0.55, "h:nn AM/PM", false, true},
      {"13:12:30", true, 0.55 + 30.0 / 86400, "h:nn AM/PM", false, true},
      {"1.5", false, 0, "", false, false},       // a number, not a date
      {"1.2.3", false, 0, "", false, false},     // a version, not a date
      {"12abc", false, 0, "", false, false},
      {"13/45/2023", false, 0, "", false, false},
      {"25:00", false, 0, "", false, false},
      {"", false, 0, "", false, false},
  };
  for (const auto& c : cases) {
    TDateTime v = -1;
    String format = "x";
    bool hasTime = true, hasDate = true;
    EXPECT_EQ(TryParseDateTime(c.text, v, format, "", "", hasTime, hasDate), c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_NEAR(v, c.value, 1e-9) << c.text;
    EXPECT_EQ(format, c.format) << c.text;
    EXPECT_EQ(hasDate, c.date) << c.text;
    EXPECT_EQ(hasTime, c.time) << c.text;
  }
  // Given formats are used as they are.
  TDateTime v;
  String format;
  bool t, d;
  ASSERT_TRUE(TryParseDateTime("3/15/2023 1:00", v, format, "hh:mm", "dd.mm.yyyy", t, d));
  EXPECT_EQ(format, "dd.mm.yyyy hh:mm");
  // Where "." separates dates, day-first.
  FormatSettings.ShortDateFormat = "dd.mm.yyyy";
  FormatSettings.DateSeparator = '.';
  ASSERT_TRUE(TryParseDateTime("15.3.2023", v, format, "", "", t, d));
  EXPECT_EQ(v, 45000);
  EXPECT_TRUE(d);
}

TEST_F(DatesAndRanges, SafeFormattingAndRanges) {
  EXPECT_EQ(SafeFormatDateTime("yyyy-mm-dd", false, FormatSettings, 45000), "2023-03-15");
  EXPECT_EQ(SafeFormatDateTime("yyyy-mm-dd", true, FormatSettings, 0), "1904-01-01");
  EXPECT_EQ(SafeFormatDateTime("yyyy", false, FormatSettings, 1e12), "##");
  EXPECT_EQ(SafeDateTimeToString("hh:nn", false, 0.5), "12:00");
  TFormatSettings fs;
  fs.TimeAMString.clear();
  EnsureAmPm(fs);
  EXPECT_EQ(fs.TimeAMString, "AM");
  EXPECT_EQ(OffsetRange(TXlsCellRange{1, 2, 3, 4}, 10, 20), (TXlsCellRange{21, 12, 23, 14}));
  TXlsNamedRange name{u"n", u"=A1", 3, 4, 5};
  InitNamedRange(name);
  EXPECT_TRUE(name.Name.empty());
  EXPECT_EQ(name.OptionFlags, 0);
  EXPECT_EQ(name.SheetIndex, 0);
  EXPECT_EQ(VariantToString(Variant(2.5)), "2.5");
}

}  // namespace
