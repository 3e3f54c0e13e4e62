// FormatFloat's patterns, FloatToStr's notation and rounding, and the variant type's kinds and
// default texts.
#include <gtest/gtest.h>

#include <cmath>

#include "classlib/SysUtils.h"
#include "classlib/Variants.h"

namespace {

class FloatFormat : public ::testing::Test {
 protected:
  void SetUp() override { FormatSettings = TFormatSettings::Invariant(); }
  void TearDown() override { FormatSettings = TFormatSettings::Invariant(); }
};

TEST_F(FloatFormat, PatternTable) {
  struct Case {
    const char* pattern;
    double value;
    const char* expected;
  } cases[] = {
      {"0.00", 1234.567, "1234.57"},
      {"#,##0", 1234.567, "1,235"},
      {"#,##0.00", -1234.567, "-1,234.57"},
      {"#,##0", 1234567890, "1,234,567,890"},
      {"#,##0", 12, "12"},
      {"0", 2.5, "3"},          // halves away from zero
      {"0", -2.5, "-3"},
      {"0.00", 1.005, "1.01"},  // the half of the 15-digit form, not of the binary value
      {"0.00", 2.675, "2.68"},
      {"0", 0.4, "0"},
      {"0", -0.4, "0"},         // rounds to zero: no sign
      {"#", 0, ""},
      {"#.##", 1, "1"},
      {"#.##", 1.5, "1.5"},
      {"0.0#", 1.5, "1.5"},
      {"0.0#", 1.257, "1.26"},
      {"000", 7, "007"},
      {"#0.0", 0.25, "0.3"},
      {"0.00E+00", 12345, "1.23E+04"},
      {"0.00E+00", 0.000123, "1.23E-04"},
      {"0.00E-00", 12345, "1.23E04"},
      {"0.0E+0", -0.5, "-5.0E-1"},
      {"00.0E+0", 12345, "12.3E+3"},
      {"0.00E+00", 0, "0.00E+00"},
      {"0%", 26, "26%"},
      {"(0.00)", 5, "(5.00)"},
      {"abc", 5, "abc"},  // no placeholders: literals only
      {"\"x\"0", 5, "x5"},
      {"0", 1e20, "100000000000000000000"},
      {"0.000", 0.0005, "0.001"},
      {"0.000", 0.0004, "0.000"},
      {"0", 9.5, "10"},
      {"0.0", 99.96, "100.0"},
      // Patterns asking for more than 15 significant digits show the shortest exact digits.
      {"0.0000000000000000E+000", 1.7976931348623157e308, "1.7976931348623157E+308"},
      {"0.0000000000000000e-0", -2.2250738585072014e-308, "-2.2250738585072014e-308"},
      {"0.00000000000000000", 0.1 + 0.2, "0.30000000000000004"},
      {"0.00000000000000000000", 0.1, "0.10000000000000000000"},
      {"0.00000000000000", 0.1 + 0.2, "0.30000000000000"},  // 15 digits: the 15-digit form
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloat(c.pattern, c.value), c.expected) << c.pattern << " " << c.value;
}

TEST_F(FloatFormat, PatternUsesRegionalSeparators) {
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1.234.567,89");
}

TEST_F(FloatFormat, FloatToStrNotationBoundaries) {
  struct Case {
    double value;
    const char* expected;
  } cases[] = {
      {1e-5, "0.00001"},
      {9.99999e-6, "9.99999E-6"},
      {-1.5e-6, "-1.5E-6"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E+15"},
      {-1.25e100, "-1.25E+100"},
      {1234.5, "1234.5"},
      {0.1 + 0.2, "0.3"},
      {9999999999999999.0, "1E+16"},
      {1.0000000000000002, "1"},
      {100, "100"},
      {5e-324, "5E-324"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value), c.expected) << c.value;
}

TEST_F(FloatFormat, FloatToStrRoundsHalvesOfTheFifteenDigitForm) {
  // 16 significant digits ending in 5: the half goes away from zero.
  EXPECT_EQ(FloatToStr(0.1234567890123455), "0.123456789012346");
  EXPECT_EQ(FloatToStr(-0.1234567890123455), "-0.123456789012346");
  EXPECT_EQ(FloatToStr(2.0 / 3.0), "0.666666666666667");
}

TEST_F(FloatFormat, FormatDateTimeRefusesValuesOutsideItsRange) {
  EXPECT_THROW(FormatDateTime("yyyy", 3e6), EConvertError);
  EXPECT_THROW(FormatDateTime("yyyy", -7e5), EConvertError);
  EXPECT_THROW(FormatDateTime("yyyy", std::nan("")), EConvertError);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", -1), "1899-12-29");
}

TEST_F(FloatFormat, VariantKindsAndDefaultTexts) {
  EXPECT_EQ(Variant().VType(), varEmpty);
  EXPECT_EQ(Variant::Null().VType(), varNull);
  EXPECT_EQ(Variant(1.5).VType(), varDouble);
  EXPECT_EQ(Variant(Integer(3)).VType(), varInteger);
  EXPECT_EQ(Variant(true).VType(), varBoolean);
  EXPECT_EQ(Variant(u"x").VType(), varOleStr);
  EXPECT_EQ(Variant(String("x")).VType(), varUString);
  EXPECT_EQ(Variant::FromDate(45000).VType(), varDate);
  EXPECT_EQ(VarToStr(Variant()), "");
  EXPECT_EQ(VarToStr(Variant(Integer(-42))), "-42");
  EXPECT_EQ(VarToStr(Variant(1234.5)), "1234.5");
  EXPECT_EQ(VarToStr(Variant(true)), "True");
  EXPECT_EQ(VarToStr(Variant(u"Zürich")), "Zürich");
  EXPECT_EQ(VarToStr(Variant::FromDate(45000.5)), "2023-03-15 12:00:00");
  EXPECT_EQ(VarToStr(Variant::FromDate(45000)), "2023-03-15");
  EXPECT_DOUBLE_EQ(Variant(String("2.5")).AsDouble(), 2.5);
  EXPECT_THROW(Variant(String("abc")).AsDouble(), EConvertError);
  EXPECT_EQ(Variant(u"Zürich").AsWideString(), u"Zürich");
}

}  // namespace
