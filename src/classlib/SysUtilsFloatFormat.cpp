// FloatToStr and FormatFloat: both start from the value's 15-significant-digit decimal form,
// so a number shows the same digits in both and a half in that form (1.005 -> "1.01" with
// two decimals) rounds away from zero as the user reads it. A pattern that asks for more
// significant digits starts from the value's shortest exact digits instead, so that
// 1.7976931348623157e308 shown with 16 decimals reads back as the same number.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "classlib/SysUtils.h"

namespace {

// value = 0.Digits x 10^Exponent; no trailing zeros; zero has no digits.
struct TDecimal {
  String Digits;
  int Exponent = 0;
  bool Negative = false;
};

// Keeps `keep` significant digits (may be 0 or negative), rounding half away from zero.
void RoundDigits(TDecimal& d, long keep);

// The shortest decimal that reads back as the same double.
TDecimal DecimalShortest(Extended value) {
  TDecimal d;
  if (value == 0 || !std::isfinite(value)) return d;
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(static_cast<double>(value)), std::chars_format::scientific);
  String text(buf, res.ptr);
  size_t e = text.find('e');
  d.Digits += text[0];
  if (e > 2) d.Digits.append(text, 2, e - 2);
  d.Exponent = std::atoi(text.c_str() + e + 1) + 1;
  d.Negative = value < 0;
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  return d;
}

// The same rounded to 15 significant digits.
TDecimal Decimal15(Extended value) {
  TDecimal d = DecimalShortest(value);
  RoundDigits(d, 15);
  return d;
}

constexpr long ShownDigits = 15;

// Keeps `keep` significant digits (may be 0 or negative), rounding half away from zero.
void RoundDigits(TDecimal& d, long keep) {
  if (d.Digits.empty() || keep >= static_cast<long>(d.Digits.size())) return;
  if (keep < 0) {
    d.Digits.clear();
    return;
  }
  bool up = d.Digits[static_cast<size_t>(keep)] >= '5';
  d.Digits.resize(static_cast<size_t>(keep));
  if (up) {
    long k = keep - 1;
    while (k >= 0 && d.Digits[static_cast<size_t>(k)] == '9') d.Digits[static_cast<size_t>(k--)] = '0';
    if (k >= 0) {
      ++d.Digits[static_cast<size_t>(k)];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Exponent;
    }
  }
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
}

String ExponentPart(int exp, bool alwaysSign, size_t minDigits) {
  String s;
  if (exp < 0) s += '-';
  else if (alwaysSign) s += '+';
  String digits = std::to_string(std::abs(exp));
  if (digits.size() < minDigits) digits.insert(0, minDigits - digits.size(), '0');
  return s + digits;
}

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

// Where the exponent of a scientific pattern starts ("E+" or "E-" and at least one "0"), or npos.
size_t ExponentAt(const String& p, size_t from) {
  for (size_t i = from; i + 2 < p.size() + 0 && i + 1 < p.size(); ++i) {
    if ((p[i] == 'E' || p[i] == 'e') && (p[i + 1] == '+' || p[i + 1] == '-') && i + 2 < p.size() && p[i + 2] == '0')
      return i;
    if (p[i] == '"' || p[i] == '\'') {
      size_t j = p.find(p[i], i + 1);
      if (j == String::npos) return String::npos;
      i = j;
    }
  }
  return String::npos;
}

}  // namespace

String FloatToStr(Extended Value, const TFormatSettings& Settings) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value > 0 ? "INF" : "-INF";
  TDecimal d = Decimal15(Value);
  if (d.Digits.empty()) return "0";
  String s = d.Negative ? "-" : "";
  const int n = static_cast<int>(d.Digits.size());
  const int e = d.Exponent - 1;  // power of ten of the first digit
  if (e < -5 || e >= 15) {
    s += d.Digits[0];
    if (n > 1) {
      s += Settings.DecimalSeparator;
      s.append(d.Digits, 1, String::npos);
    }
    return s + "E" + ExponentPart(e, true, 1);
  }
  if (d.Exponent <= 0) {
    s += '0';
    s += Settings.DecimalSeparator;
    s.append(static_cast<size_t>(-d.Exponent), '0');
    return s + d.Digits;
  }
  for (int i = 0; i < d.Exponent; ++i) s += i < n ? d.Digits[static_cast<size_t>(i)] : '0';
  if (n > d.Exponent) {
    s += Settings.DecimalSeparator;
    s.append(d.Digits, static_cast<size_t>(d.Exponent), String::npos);
  }
  return s;
}

String FloatToStr(Extended Value) { return FloatToStr(Value, FormatSettings); }

String FormatFloat(const String& Pattern, Extended Value, const TFormatSettings& Settings) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value > 0 ? "INF" : "-INF";
  const String& p = Pattern;
  // Survey the placeholders: integer ones before the decimal point, decimal ones after it,
  // the exponent part, grouping.
  size_t expAt = ExponentAt(p, 0);
  const size_t mantEnd = expAt == String::npos ? p.size() : expAt;
  int intCount = 0, intZerosFromFirst = 0, decCount = 0, decMin = 0;
  bool seenPoint = false, grouping = false, anyPlaceholder = false, seenIntZero = false;
  size_t pointAt = String::npos;
  for (size_t i = 0; i < mantEnd; ++i) {
    char c = p[i];
    if (c == '"' || c == '\'') {
      size_t j = p.find(c, i + 1);
      i = j == String::npos ? mantEnd : j;
      continue;
    }
    if (IsPlaceholder(c)) {
      anyPlaceholder = true;
      if (!seenPoint) {
        ++intCount;
        if (c == '0') seenIntZero = true;
        if (seenIntZero) ++intZerosFromFirst;
      } else {
        ++decCount;
        if (c == '0') decMin = decCount;
      }
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
      pointAt = i;
    } else if (c == ',') {
      grouping = true;
    }
  }
  if (!anyPlaceholder) {
    // Literals only.
    String out;
    for (size_t i = 0; i < p.size(); ++i) {
      char c = p[i];
      if (c == '"' || c == '\'') {
        size_t j = p.find(c, i + 1);
        if (j == String::npos) j = p.size();
        out.append(p, i + 1, j - i - 1);
        i = j;
      } else {
        out += c;
      }
    }
    return out;
  }

  TDecimal d = Decimal15(Value);
  int exponent10 = 0;
  bool scientific = expAt != String::npos;
  if (scientific) {
    // Digits before the point: the integer placeholders' zeros, at least one; with "#" among
    // the integer placeholders the exponent is a multiple of their count ("##0.0E+0" gives
    // 12.3E+3).
    const bool engineering = intCount > intZerosFromFirst && intCount > 1;
    // e: power of ten of the first digit; gives the digits before the point and the exponent.
    auto place = [&](int e, int& intDigits, int& expo) {
      intDigits = std::max(1, intZerosFromFirst);
      expo = e - intDigits + 1;
      if (engineering) {
        expo = (e >= 0 ? e / intCount : -((-e + intCount - 1) / intCount)) * intCount;
        intDigits = e - expo + 1;
      }
    };
    if (!d.Digits.empty()) {
      int intDigits = 0, expo = 0;
      place(d.Exponent - 1, intDigits, expo);
      if (intDigits + decCount > ShownDigits) d = DecimalShortest(Value);
    }
    for (int pass = 0; pass < 2 && !d.Digits.empty(); ++pass) {
      int intDigits = 0, expo = 0;
      place(d.Exponent - 1, intDigits, expo);
      TDecimal rounded = d;
      RoundDigits(rounded, intDigits + decCount);
      if (rounded.Digits.empty()) {
        d = rounded;
        break;
      }
      if (rounded.Exponent != d.Exponent && pass == 0) {
        d = rounded;  // rounding carried into a new digit: place the point again
        continue;
      }
      d = rounded;
      exponent10 = expo;
      d.Exponent = intDigits;
      break;
    }
  } else {
    if (static_cast<long>(d.Exponent) + decCount > ShownDigits) d = DecimalShortest(Value);
    RoundDigits(d, static_cast<long>(d.Exponent) + decCount);
  }
  const bool negative = d.Negative && !d.Digits.empty();
  const int n = static_cast<int>(d.Digits.size());
  // Integer digits and decimal digits of the rounded value.
  String intDigits;
  for (int i = 0; i < d.Exponent; ++i) intDigits += i < n ? d.Digits[static_cast<size_t>(i)] : '0';
  if (static_cast<int>(intDigits.size()) < intZerosFromFirst)
    intDigits.insert(0, static_cast<size_t>(intZerosFromFirst) - intDigits.size(), '0');
  String decDigits;
  for (int i = 0; i < decCount; ++i) {
    int pos = d.Exponent + i;
    decDigits += (pos >= 0 && pos < n) ? d.Digits[static_cast<size_t>(pos)] : '0';
  }
  while (static_cast<int>(decDigits.size()) > decMin && decDigits.back() == '0') decDigits.pop_back();

  String out;
  bool signDone = !negative;
  auto putDigit = [&](char digit) {
    if (!signDone) {
      out += '-';
      signDone = true;
    }
    out += digit;
  };
  const int intLen = static_cast<int>(intDigits.size());
  int intSeen = 0, decSeen = 0;
  for (size_t i = 0; i < mantEnd; ++i) {
    char c = p[i];
    if (c == '"' || c == '\'') {
      size_t j = p.find(c, i + 1);
      if (j == String::npos) j = mantEnd;
      out.append(p, i + 1, std::min(j, mantEnd) - i - 1);
      i = j;
      continue;
    }
    if (IsPlaceholder(c) && (pointAt == String::npos || i < pointAt)) {
      // Placeholder k of intCount stands for the digit (intCount - 1 - k) places left of the
      // point; the first one also takes every digit beyond the placeholders.
      int place = intCount - 1 - intSeen;
      int from = intSeen == 0 ? intLen - 1 : place;
      for (int j = from; j >= place; --j) {
        if (j < intLen) {
          putDigit(intDigits[static_cast<size_t>(intLen - 1 - j)]);
          if (grouping && j > 0 && j % 3 == 0) out += Settings.ThousandSeparator;
        }
      }
      ++intSeen;
    } else if (i == pointAt) {
      if (!decDigits.empty()) out += Settings.DecimalSeparator;
    } else if (IsPlaceholder(c)) {
      if (decSeen < static_cast<int>(decDigits.size())) putDigit(decDigits[static_cast<size_t>(decSeen)]);
      ++decSeen;
    } else if (c == ',') {
      // grouping switch, not shown
    } else {
      out += c;
    }
  }
  if (!signDone) out.insert(out.begin(), '-');
  if (scientific) {
    size_t zeros = 0, i = expAt + 2;
    while (i < p.size() && p[i] == '0') ++zeros, ++i;
    out += p[expAt];
    out += ExponentPart(exponent10, p[expAt + 1] == '+', zeros);
    for (; i < p.size(); ++i) {
      char c = p[i];
      if (c == '"' || c == '\'') {
        size_t j = p.find(c, i + 1);
        if (j == String::npos) j = p.size();
        out.append(p, i + 1, j - i - 1);
        i = j;
      } else if (!IsPlaceholder(c)) {
        out += c;
      }
    }
  }
  return out;
}

String FormatFloat(const String& Pattern, Extended Value) { return FormatFloat(Pattern, Value, FormatSettings); }
