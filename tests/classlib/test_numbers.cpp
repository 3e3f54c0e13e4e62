// Number formatting and reading: the fixed and general formats every result text uses, the
// strict and the leading-number readers, and Format.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "classlib/SysUtils.h"

namespace {

// Every test starts from the C settings and leaves them that way.
class Numbers : public ::testing::Test {
 protected:
  void SetUp() override { FormatSettings = TFormatSettings::Invariant(); }
  void TearDown() override { FormatSettings = TFormatSettings::Invariant(); }
};

struct FloatCase {
  long double value;
  TFloatFormat format;
  int precision;
  int digits;
  const char* expected;
};

TEST_F(Numbers, FloatToStrFTable) {
  const double inf = std::numeric_limits<double>::infinity();
  const FloatCase cases[] = {
      // fixed 7/5: one rounding at the 7th significant digit or the 5th decimal
      {0.1234567, ffFixed, 7, 5, "0.12346"},
      {123.456789, ffFixed, 7, 5, "123.45680"},
      {1234567.89, ffFixed, 7, 5, "1234568.00000"},
      {99999.999999, ffFixed, 7, 5, "100000.00000"},
      {-0.5, ffFixed, 7, 5, "-0.50000"},
      {-1234.5, ffFixed, 7, 5, "-1234.50000"},
      {0.0, ffFixed, 7, 5, "0.00000"},
      {-0.0, ffFixed, 7, 5, "0.00000"},
      {1e-7, ffFixed, 7, 5, "0.00000"},
      {-1e-7, ffFixed, 7, 5, "0.00000"},  // rounds to zero: no sign
      {0.000005, ffFixed, 7, 5, "0.00001"},
      {-0.000005, ffFixed, 7, 5, "-0.00001"},
      {0.0000049, ffFixed, 7, 5, "0.00000"},
      {1e-300, ffFixed, 7, 5, "0.00000"},
      {0.5, ffFixed, 7, 0, "1"},  // ties away from zero, on the exact binary value
      {0.125, ffFixed, 7, 2, "0.13"},
      {-0.125, ffFixed, 7, 2, "-0.13"},
      {1.005, ffFixed, 7, 2, "1.00"},  // 1.00499999999999989...
      // more than Precision digits before the point: general, Precision digits
      {12345678.9, ffFixed, 7, 5, "1.234568E7"},
      {9999999.5, ffFixed, 7, 5, "1E7"},
      {-123456789.0, ffFixed, 7, 5, "-1.234568E8"},
      // general
      {0.1234567, ffGeneral, 7, 7, "0.1234567"},
      {0.12345678, ffGeneral, 7, 7, "0.1234568"},
      {1234567.89, ffGeneral, 7, 7, "1234568"},
      {12345678.0, ffGeneral, 7, 7, "1.234568E7"},
      {0.0001, ffGeneral, 7, 7, "0.0001"},
      {0.00001234, ffGeneral, 7, 7, "1.234E-5"},
      {0.00001234, ffGeneral, 7, 2, "1.234E-05"},
      {100.0, ffGeneral, 7, 7, "100"},
      {0.0, ffGeneral, 7, 7, "0"},
      // exponent
      {1234.5, ffExponent, 5, 3, "1.2345E+003"},
      {-0.00012, ffExponent, 3, 2, "-1.20E-04"},
      {0.0, ffExponent, 3, 2, "0.00E+00"},
      // number (thousands)
      {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
      {-1234.5, ffNumber, 15, 2, "-1,234.50"},
      {999.0, ffNumber, 15, 0, "999"},
      // not numbers
      {std::nan(""), ffFixed, 7, 5, "NAN"},
      {inf, ffFixed, 7, 5, "INF"},
      {-inf, ffGeneral, 15, 0, "-INF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.expected)
        << "value " << static_cast<double>(c.value) << " format " << c.format << " " << c.precision << "/" << c.digits;
  }
}

TEST_F(Numbers, FloatToStrIsShortestWith15Digits) {
  EXPECT_EQ(FloatToStr(0.1), "0.1");
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToStr(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FloatToStr(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(FloatToStr(-2.5), "-2.5");
  EXPECT_EQ(FloatToStr(1e15), "1E+15");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToStr(123456789012345678.0), "1.23456789012346E+17");
  EXPECT_EQ(FloatToStr(1e20), "1E+20");
  EXPECT_EQ(FloatToStr(1.5e-5), "0.000015");
  EXPECT_EQ(FloatToStr(1.5e-6), "1.5E-6");
  EXPECT_EQ(FloatToStr(0.0), "0");
}

TEST_F(Numbers, OutputUsesTheRegionalDecimalSeparator) {
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(FloatToStrF(1.5, ffFixed, 7, 5), "1,50000");
  EXPECT_EQ(FloatToStrF(12345678.0, ffFixed, 7, 5), "1,234568E7");
  EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 1), "1.234,5");
  EXPECT_EQ(FloatToStr(1.5e-6), "1,5E-6");
  EXPECT_EQ(Format("%.1f|%g", {1.25, 0.25}), "1,3|0,25");
}

TEST_F(Numbers, StrictIntegerReading) {
  struct {
    const char* text;
    Integer value;
  } good[] = {{"12", 12},           {"  -7", -7},          {"+5", 5},    {"$1F", 31},
              {"x1f", 31},          {"0x10", 16},          {"-$10", -16}, {"2147483647", 2147483647},
              {"-2147483648", INT32_MIN}, {"$FFFFFFFF", -1}, {"007", 7}};
  for (const auto& g : good) EXPECT_EQ(StrToInt(g.text), g.value) << g.text;

  for (const char* bad : {"", " ", "12 ", "1.5", "abc", "2147483648", "0x", "$", "--1", "1e3", "$1G"}) {
    Integer v = 99;
    EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
    EXPECT_EQ(v, 99);
    EXPECT_EQ(StrToIntDef(bad, -3), -3);
  }
  try {
    StrToInt("12a");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'12a' is not a valid integer value");
  }
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
}

TEST_F(Numbers, LeadingNumbersReadWhatTheTextBeginsWith) {
  struct {
    const char* text;
    Integer i;
    double r;
  } cases[] = {
      {"5000 ", 5000, 5000},     {"-1.5", -1, -1.5},     {"12abc", 12, 12},      {"abc", 0, 0},
      {"", 0, 0},                {"  $ff", 255, 0},      {"0x1G", 1, 0},         {"x", 0, 0},
      {"1e3x", 1, 1000},         {"1e", 1, 1},           {"1e+", 1, 1},          {".5", 0, 0.5},
      {"-.5", 0, -0.5},          {".", 0, 0},            {"  2.5E-2", 2, 0.025}, {"1,5", 1, 1},
      {"+3", 3, 3},              {"- 3", 0, 0},          {"7.", 7, 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LeadingInt(c.text), c.i) << c.text;
    EXPECT_DOUBLE_EQ(LeadingReal(c.text), c.r) << c.text;
  }
  // An integer stops before the digit that would overflow.
  EXPECT_EQ(LeadingInt("99999999999"), 999999999);
  EXPECT_EQ(LeadingReal("1e999"), 0.0);
  // TryLeadingInt tells that apart from a text that fits; it reads what LeadingInt reads.
  struct {
    const char* text;
    bool fits;
    Integer value;
  } fit[] = {{"2147483647", true, 2147483647},     {"-2147483648", true, INT32_MIN},
             {"2147483648", false, 214748364},     {"99999999999999999999", false, 999999999},
             {" -2147483649x", false, -214748364}, {"12.9", true, 12},
             {"abc", true, 0},                     {"$FFFFFFFF", true, -1},
             {"$100000000", false, 268435456}};
  for (const auto& c : fit) {
    Integer v = 7;
    EXPECT_EQ(TryLeadingInt(c.text, v), c.fits) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
    EXPECT_EQ(v, LeadingInt(c.text)) << c.text;
  }
}

TEST_F(Numbers, ListNumbersAcceptEitherSeparator) {
  FormatSettings.DecimalSeparator = ',';
  EXPECT_DOUBLE_EQ(ReadListNumber("1,5"), 1.5);
  EXPECT_DOUBLE_EQ(ReadListNumber("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(ReadListNumber(" -2,5E-3 "), -0.0025);
  EXPECT_DOUBLE_EQ(ReadListNumber("n/a"), 0.0);
  // Round trip of what the program writes.
  for (double v : {0.1234567, -98765.4321, 1.5e-9, 3e12}) {
    EXPECT_DOUBLE_EQ(ReadListNumber(FloatToStr(v)), v);
    EXPECT_NEAR(ReadListNumber(FloatToStrF(v, ffFixed, 7, 5)), v, std::fabs(v) * 1e-6 + 1e-5);
  }
}

TEST_F(Numbers, StrictRealReadingUsesOnlyTheRegionalSeparator) {
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat("1.5")), 1.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(" -1.5e3 ")), -1500);
  try {
    StrToFloat("1,5");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'1,5' is not a valid floating point value");
  }
  for (const char* bad : {"", "abc", "1.5x", "1e99999", "."}) EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
  FormatSettings.DecimalSeparator = ',';
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat("1,5")), 1.5);
  EXPECT_THROW(StrToFloat("1.5"), EConvertError);
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloatDef("x", 2.5L)), 2.5);
  double d = 0;
  EXPECT_TRUE(TryStrToFloat("2,25", d));
  EXPECT_EQ(d, 2.25);
}

TEST_F(Numbers, IntegerTexts) {
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 0), "FFFFFFFF");
  EXPECT_EQ(IntToHex(Int64{-1}, 2), "FFFFFFFFFFFFFFFF");
}

TEST_F(Numbers, FormatCoversTheProgramsPatterns) {
  EXPECT_EQ(Format("%d items, %s, %.3f, %5.1f%%", {3, "x", 1.23456, 2.25}), "3 items, x, 1.235,   2.3%");
  EXPECT_EQ(Format("%s%.8d", {"id", 42}), "id00000042");
  EXPECT_EQ(Format("%.8d", {-42}), "-00000042");
  EXPECT_EQ(Format("Red: %d,  Green: %d", {1, 2}), "Red: 1,  Green: 2");
  EXPECT_EQ(Format("%g %g %f", {0.5, 1e20, 2.0}), "0.5 1E20 2.00");
  EXPECT_EQ(Format("%x %2x %X", {255, 10, -1}), "FF  A FFFFFFFF");
  EXPECT_EQ(Format("[%-4s][%4s]", {"ab", "cd"}), "[ab  ][  cd]");
  EXPECT_EQ(Format("%s", {"50% off %d"}), "50% off %d");  // arguments are taken literally
  EXPECT_EQ(Format("%n", {1234567.5}), "1,234,567.50");
  EXPECT_EQ(Format("%d", {Int64{1} << 40}), "1099511627776");
  for (auto bad : {"%s", "%d %d", "%q", "%"}) EXPECT_THROW(Format(bad, {1}), EConvertError) << bad;
  EXPECT_THROW(Format("%d", {"a"}), EConvertError);
  EXPECT_THROW(Format("%f", {1}), EConvertError);
}

}  // namespace
