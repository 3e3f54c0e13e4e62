// The toolbox's number and date texts: number kinds, financial and locale number texts, date
// parsing and date series.
#include <cmath>

#include "grid/base/ZudAzud.h"

int NumericKind(const String& S) {
  if (S.empty()) return 2;
  const char thousand = FormatSettings.ThousandSeparator;
  const char decimal = FormatSettings.DecimalSeparator;
  bool allDigits = true, plain = true, exponent = true, hasE = false;
  int eCount = 0, decimals = 0, minuses = 0, lastThousand = -4;
  const int n = static_cast<int>(S.size());
  for (int i = 1; i <= n; ++i) {
    const char c = S[i - 1];
    const bool digit = IsNumberChar(c);
    const bool leadingMinus = c == '-' && i == 1;
    if (!digit && !leadingMinus) allDigits = false;
    if (c == thousand) {
      if (i - lastThousand < 4) plain = false;
      lastThousand = i;
    }
    if (!digit && !leadingMinus && c != thousand && c != decimal) plain = false;
    const bool e = c == 'e' || c == 'E';
    if (!digit && c != decimal && !e && c != '+' && c != '-') exponent = false;
    if (e) {
      hasE = true;
      ++eCount;
      if (i == 1) exponent = false;
    }
    if (c == decimal) ++decimals;
    if (c == '-') ++minuses;
  }
  const char last = S.back();
  if (eCount > 1 || last == 'e' || last == 'E' || last == '+' || last == '-') exponent = false;

  int kind = 2;
  if (allDigits) {
    kind = 0;
  } else if (plain && !hasE) {
    kind = 1;
  } else if (exponent && hasE) {
    kind = 5;
    if (minuses == 2) minuses = 1;  // the mantissa's sign and the exponent's
  }
  if (minuses > 1 || decimals > 1) kind = 2;
  return kind;
}

String UnformatFinancial(const String& S) {
  if (S.empty()) return S;
  const char thousand = FormatSettings.ThousandSeparator;
  const char decimal = FormatSettings.DecimalSeparator;
  String text = Trim(S);
  bool negative = !text.empty() && text.front() == '(' && text.back() == ')';
  auto numberPart = [&](char c) { return IsNumberChar(c) || c == thousand || c == decimal || c == 'e' || c == 'E'; };
  while (text.size() >= 2 && !numberPart(text[0])) {
    if (text[0] == '-') negative = true;
    text.erase(0, 1);
  }
  String result;
  for (char c : text) {
    if (c == thousand) continue;
    if (c == decimal) {
      result.push_back('.');
      continue;
    }
    if (!IsNumberChar(c) && String("-.eE+").find(c) == String::npos) break;
    result.push_back(c);
  }
  return negative ? "-" + result : result;
}

String NormalizeNumberText(const String& S) {
  String result;
  for (char c : S) {
    if (c == FormatSettings.ThousandSeparator) continue;
    result.push_back(c == FormatSettings.DecimalSeparator ? '.' : c);
  }
  return result;
}

namespace {

// The encoded date; an impossible one raises the date-encoding error.
TDateTime EncodeDateChecked(int Year, int Month, int Day) {
  TDateTime result = 0;
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > 31 ||
      !TryEncodeDate(static_cast<Word>(Year), static_cast<Word>(Month), static_cast<Word>(Day), result))
    throw EConvertError("Invalid argument to date encode");
  return result;
}

// month/day/year (US) or day/month/year.
TDateTime ParseDate(const String& S, bool MonthFirst) {
  char sep = S.find('/') != String::npos ? '/' : S.find('.') != String::npos ? '.' : '-';
  size_t p1 = S.find(sep);
  if (p1 == String::npos) return 0;
  size_t p2 = S.find(sep, p1 + 1);
  if (p2 == String::npos) return 0;
  Integer a = 0, b = 0, year = 0;
  if (!TryStrToInt(S.substr(0, p1), a) || !TryStrToInt(S.substr(p1 + 1, p2 - p1 - 1), b) ||
      !TryStrToInt(S.substr(p2 + 1), year))
    return 0;
  // Only two-digit years are pivoted: "12/31/1999" stays in 1999.
  if (year >= 0 && year < 100) year += year < 26 ? 2000 : 1900;
  return MonthFirst ? EncodeDateChecked(year, a, b) : EncodeDateChecked(year, b, a);
}

}  // namespace

TDateTime ParseDateUS(const String& S) { return ParseDate(S, true); }
TDateTime ParseDateEU(const String& S) { return ParseDate(S, false); }

bool ParseDateTimeLocale(const String& S, TDateTime& Value) {
  // The order of day, month and year is that of D, M and Y in the short date format.
  const String format = UpperCase(FormatSettings.ShortDateFormat);
  const char order[3] = {'D', 'M', 'Y'};
  size_t at[3];
  for (int k = 0; k < 3; ++k) {
    at[k] = format.find(order[k]);
    if (at[k] == String::npos) return false;
  }
  String text = S;
  const String sep(1, FormatSettings.DateSeparator);
  String fields[3];
  if (text.find(sep) == String::npos) return false;
  fields[0] = CutBefore(text, sep);
  if (text.find(sep) == String::npos) return false;
  fields[1] = CutBefore(text, sep);
  String rest = Trim(text), timeText;
  size_t space = rest.find(' ');
  if (space != String::npos) {
    timeText = Trim(rest.substr(space));
    rest = rest.substr(0, space);
  }
  fields[2] = rest;

  int day = 0, month = 0, year = 0;
  for (int f = 0; f < 3; ++f) {
    Integer number = 0;
    if (!TryStrToInt(fields[f], number)) return false;
    // Field f stands for the component whose letter comes f-th in the format.
    int component = 0;
    for (int k = 0; k < 3; ++k) {
      int before = 0;
      for (int m = 0; m < 3; ++m) before += at[m] < at[k];
      if (before == f) component = k;
    }
    (component == 0 ? day : component == 1 ? month : year) = number;
  }
  if (day >= 32 || month > 12) return false;
  TDateTime date = 0;
  if (year < 1 || year > 9999 || month < 1 || day < 1 ||
      !TryEncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day), date))
    return false;
  if (timeText.empty()) {
    Value = date;
    return true;
  }
  const String timeSep(1, FormatSettings.TimeSeparator);
  if (timeText.find(timeSep) == String::npos) return false;
  String hours = CutBefore(timeText, timeSep);
  String minutes = timeText, seconds = "0";
  if (timeText.find(timeSep) != String::npos) {
    minutes = CutBefore(timeText, timeSep);
    seconds = timeText;
  }
  Integer h = 0, m = 0, s = 0;
  if (!TryStrToInt(hours, h) || !TryStrToInt(minutes, m) || !TryStrToInt(seconds, s)) return false;
  if (h < 0 || h > 23 || m < 0 || m >= 60 || s < 0 || s > 60) return false;
  TDateTime time = 0;
  if (!TryEncodeTime(static_cast<Word>(h), static_cast<Word>(m), static_cast<Word>(s), 0, time)) return false;
  Value = date + time;
  return true;
}

TDateTime AddToDate(int Years, int Months, int Days, TDateTime Date, double Increment) {
  Word y = 0, m = 0, d = 0;
  DecodeDate(Date, y, m, d);
  auto clampedDate = [](int year, int month, int day) {
    if (year >= 1 && year <= 9999) day = std::min<int>(day, DaysInAMonth(static_cast<Word>(year), static_cast<Word>(month)));
    return EncodeDateChecked(year, month, day);
  };
  if (Days != 0 && Years == 0 && Months == 0) return Date + Days;
  if (Years != 0 && Months == 0 && Days == 0) {
    // Added in 64 bits: a year count near the integer limits is an impossible date, not an overflow.
    const long long year = static_cast<long long>(y) + Years;
    return clampedDate(year < 1 || year > 9999 ? 0 : static_cast<int>(year), m, d);
  }
  if (Months != 0 && Years == 0 && Days == 0) {
    // Whole years and months in one modular step, so any count of months lands right.
    long total = static_cast<long>(y) * 12 + (m - 1) + Months;
    long year = total >= 0 ? total / 12 : -((-total + 11) / 12);
    int month = static_cast<int>(total - year * 12) + 1;
    return clampedDate(static_cast<int>(year), month, d);
  }
  return Date + Increment;
}
