// TXLSFile::SetCellString: a cell's text stored as what it reads as under the regional settings:
// a number (with percent, currency, exponent and thousands marks giving its number format), a
// Boolean, a date or time, or else the text itself.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "classlib/SysUtils.h"
#include "xls/vavUBiffFormatRecords.h"
#include "xls/vavUXlsFile.h"

namespace {

struct TNumberMarks {
  bool Percent = false;
  bool Currency = false;
};

bool StartsWith(const String& s, const String& prefix) { return !prefix.empty() && s.compare(0, prefix.size(), prefix) == 0; }

bool EndsWith(const String& s, const String& suffix) {
  return !suffix.empty() && s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Removes one leading or trailing percent sign or currency symbol; only the first rule that
// matches applies.
TNumberMarks StripPercentAndCurrency(String& t, const String& CurrencySymbol) {
  TNumberMarks marks;
  if (StartsWith(t, "%")) {
    t.erase(0, 1);
    marks.Percent = true;
  } else if (t.size() > 1 && EndsWith(t, "%")) {
    t.pop_back();
    marks.Percent = true;
  } else if (StartsWith(t, CurrencySymbol)) {
    t.erase(0, CurrencySymbol.size());
    marks.Currency = true;
  } else if (EndsWith(t, CurrencySymbol)) {
    t.erase(t.size() - CurrencySymbol.size());
    marks.Currency = true;
  }
  return marks;
}

// The text without its thousands separators when they group the integer part in threes;
// otherwise the text unchanged. A separator anywhere else (in "1,5" or after the decimal
// separator) leaves the text as it is, so it is not read as a different number.
String StripThousandSeparators(const String& t, char Decimal, char Thousands) {
  const size_t decimalAt = t.find(Decimal);
  const String integerPart = t.substr(0, decimalAt);
  if (decimalAt != String::npos && t.find(Thousands, decimalAt) != String::npos) return t;
  if (StartsWith(t, String(1, Thousands))) return t;
  if (integerPart.find(Thousands) == String::npos) return t;
  const size_t L = integerPart.size();
  for (size_t i = 0; i < L; ++i) {
    // 1-based positions L - 3, L - 7, ... hold the separators.
    const size_t fromEnd = L - i;  // 1-based position i + 1 is this many characters from the end
    const bool groupPosition = fromEnd >= 4 && (fromEnd - 4) % 4 == 0;
    const char c = integerPart[i];
    if (groupPosition && c != Thousands && c != '-') return t;
    if (!groupPosition && c == Thousands) return t;
  }
  String n;
  for (char c : t)
    if (c != Thousands) n += c;
  return n;
}

// The regional currency format: positive section by the positive currency code, negative
// section in red by the negative currency code.
WideString CurrencyFormat(bool HasDecimals, const TFormatSettings& fs) {
  String base = "###,###";
  if (HasDecimals) base += "." + String(fs.CurrencyDecimals, '0');
  const String& S = fs.CurrencyString;
  String P;
  switch (fs.CurrencyFormat) {
    case 1: P = base + S; break;
    case 2: P = S + "\\ " + base; break;
    case 3: P = base + "\\ " + S; break;
    default: P = S + base; break;
  }
  String negative;
  switch (fs.NegCurrFormat) {
    case 1: negative = ";[Red]-" + S + base; break;
    case 2: negative = ";[Red]" + S + "-" + base; break;
    case 3: negative = ";[Red]" + S + base + "-"; break;
    case 4: negative = "_);[Red]\\(" + base + S + "\\)"; break;
    case 5: negative = ";[Red]-" + base + S; break;
    case 6: negative = ";[Red]" + base + "-" + S; break;
    case 7: negative = ";[Red]" + base + S + "-"; break;
    case 8: negative = ";[Red]-" + base + "\\ " + S; break;
    case 9: negative = ";[Red]-" + S + "\\ " + base; break;
    case 10: negative = ";[Red]" + base + "\\ " + S + "-"; break;
    case 11: negative = ";[Red]" + S + "\\ " + base + "-"; break;
    case 12: negative = ";[Red]" + S + "\\ -" + base; break;
    case 13: negative = ";[Red]" + base + "-\\ " + S; break;
    case 14: negative = "_);[Red]\\(" + S + "\\ " + base + "\\)"; break;
    case 15: negative = "_);[Red]\\(" + base + "\\ " + S + "\\)"; break;
    default: negative = "_);[Red]\\(" + S + base + "\\)"; break;
  }
  return Utf8ToWide(P + negative);
}

// The format that shows a number typed in exponent form (Number, its decimal separator Decimal)
// as it was typed: the mantissa's decimals, the exponent mark in the case it was typed, "+"
// when a "+" was typed before the exponent (else a sign only for negative exponents) and at
// least as many exponent digits as typed, up to the three a double's exponent needs.
// "1.234567e-5" gets "0.000000e-0" and shows as typed; a mantissa with several integer digits
// ("12.5e3") gets as many decimals as it has digits after its first, so no typed digit is lost
// ("1.25e4"). Empty when Number has no exponent.
WideString ExponentFormat(const String& Number, char Decimal) {
  const size_t mark = Number.find_first_of("eE");
  if (mark == String::npos) return WideString();
  size_t typedDecimals = 0, significant = 0;
  bool afterSeparator = false, leadingZeros = true;
  for (size_t i = 0; i < mark; ++i) {
    const char c = Number[i];
    if (c == Decimal) {
      afterSeparator = true;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      if (afterSeparator) ++typedDecimals;
      if (c != '0') leadingZeros = false;
      if (!leadingZeros) ++significant;
    }
  }
  // Beyond 30 decimals no spreadsheet shows more digits.
  const size_t decimals = std::min<size_t>(std::max(typedDecimals, significant > 0 ? significant - 1 : 0), 30);
  size_t at = mark + 1;
  const bool plus = at < Number.size() && Number[at] == '+';
  if (at < Number.size() && (Number[at] == '+' || Number[at] == '-')) ++at;
  const size_t exponentDigits = std::max<size_t>(Number.size() - at, 1);
  String format = "0";
  if (decimals > 0) format += "." + String(decimals, '0');
  format += Number[mark];
  format += plus ? '+' : '-';
  format += String(std::min<size_t>(exponentDigits, 3), '0');
  return Utf8ToWide(format);
}

// The number format a typed number is stored with (Converted: the text that was read as the
// number; HasDecimals: the decimal separator stands after its first character): exponent
// form, percent and currency marks give their formats; a plain number keeps Format.
WideString TypedNumberFormat(const WideString& Format, const String& Converted, char Decimal, bool HasDecimals,
                             const TNumberMarks& Marks, const TFormatSettings& fs) {
  const WideString exponent = ExponentFormat(Converted, Decimal);
  if (!exponent.empty()) return exponent;
  if (Marks.Percent) return BuiltInFormat(HasDecimals ? 10 : 9);
  if (Marks.Currency) return CurrencyFormat(HasDecimals, fs);
  return Format;
}

bool AllDigitsOfLength(const String& s, size_t Min, size_t Max) {
  if (s.size() < Min || s.size() > Max) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// Whether Text is a whole date of the regional short-date pattern: day, month and year as
// numbers in the pattern's order with its separators, the year of two or four digits. A day
// and month alone ("1-2", "3/4") are far more often labels than dates and stay text.
bool MatchesShortDate(const String& Text, const TFormatSettings& fs) {
  struct TField {
    char Kind;
    String After;
  };
  std::vector<TField> fields;
  String leading;
  const String& pattern = fs.ShortDateFormat;
  for (size_t i = 0; i < pattern.size();) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
    if (c == 'd' || c == 'm' || c == 'y') {
      size_t n = 0;
      while (i < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[i])) == c) ++i, ++n;
      if ((c != 'y' && n > 2) || n > 4) return false;  // names of days or months
      fields.push_back({c, ""});
    } else {
      const char literal = pattern[i] == '/' ? fs.DateSeparator : pattern[i];
      (fields.empty() ? leading : fields.back().After) += literal;
      ++i;
    }
  }
  if (fields.size() != 3) return false;
  size_t p = 0;
  if (Text.compare(0, leading.size(), leading) != 0) return false;
  p = leading.size();
  for (const TField& field : fields) {
    size_t end = p;
    while (end < Text.size() && std::isdigit(static_cast<unsigned char>(Text[end]))) ++end;
    const String digits = Text.substr(p, end - p);
    if (field.Kind == 'y' ? !(digits.size() == 2 || digits.size() == 4) : !AllDigitsOfLength(digits, 1, 2))
      return false;
    if (Text.compare(end, field.After.size(), field.After) != 0) return false;
    p = end + field.After.size();
  }
  return p == Text.size();
}

}  // namespace

void TXLSFile::SetCellString(Integer aRow, Integer aCol, const WideString& Text, const String& DateFormat,
                             const String& TimeFormat) {
  StoreTypedText(aRow, aCol, Text, nullptr, DateFormat, TimeFormat);
}

void TXLSFile::SetCellString(Integer aRow, Integer aCol, const WideString& Text, const TWbkFormat& Fm,
                             const String& DateFormat, const String& TimeFormat) {
  StoreTypedText(aRow, aCol, Text, &Fm, DateFormat, TimeFormat);
}

void TXLSFile::StoreTypedText(Integer aRow, Integer aCol, const WideString& Text, const TWbkFormat* Fm,
                              const String& DateFormat, const String& TimeFormat) {
  const TFormatSettings& fs = FormatSettings;
  const String t = Trim(WideToUtf8(Text));

  // The cell's own format, or the given one.
  auto baseFormat = [&]() { return Fm ? *Fm : GetFormatList(GetCellFormat(aRow, aCol)); };

  // Numbers.
  String number = t;
  const TNumberMarks marks = StripPercentAndCurrency(number, fs.CurrencyString);
  Extended value = 0;
  bool isNumber = false;
  char decimal = fs.DecimalSeparator;
  String converted = number;
  // A number written with "." reads as one also where the decimal separator is another
  // character: data files and other programs write numbers that way.
  if (decimal != '.' && number.find(decimal) == String::npos && TryParseFloatDot(number, value)) {
    isNumber = true;
    decimal = '.';
  } else {
    TFormatSettings settings = fs;
    converted = StripThousandSeparators(number, fs.DecimalSeparator, fs.ThousandSeparator);
    isNumber = TryStrToFloat(converted, value, settings);
  }
  if (isNumber && std::isfinite(static_cast<double>(value))) {
    if (marks.Percent) value /= 100;
    bool formatted = false;
    TWbkFormat format;
    try {
      format = baseFormat();
      const size_t at = number.find(decimal);
      const bool hasDecimals = at != String::npos && at > 0;
      format.Format = TypedNumberFormat(format.Format, converted, decimal, hasDecimals, marks, fs);
      formatted = true;
    } catch (const Exception&) {
      formatted = false;
    }
    if (formatted) {
      SetCellValueX(aRow, aCol, TXlsCellValue{Variant(static_cast<double>(value)), AddFormat(format), false});
      return;
    }
  }

  // Booleans.
  const String upper = UpperCase(t);
  if (upper == XlsMsg::FalseText || upper == XlsMsg::TrueText) {
    const Variant b(upper == XlsMsg::TrueText);
    if (Fm) SetCellValueX(aRow, aCol, TXlsCellValue{b, AddFormat(*Fm), false});
    else SetCellValue(aRow, aCol, b);
    return;
  }

  // Dates and times.
  TDateTime when = 0;
  String dateFormat;
  bool hasTime = false, hasDate = false;
  if (TryParseDateTime(t, when, dateFormat, TimeFormat, DateFormat, hasTime, hasDate) &&
      (!hasDate || MatchesShortDate(t.substr(0, t.find(' ')), fs))) {
    TWbkFormat format = baseFormat();
    format.Format = Utf8ToWide(dateFormat);
    SetCellValueX(aRow, aCol, TXlsCellValue{Variant(static_cast<double>(when)), AddFormat(format), false});
    return;
  }

  // Text, as it was given.
  if (Fm) SetCellValueX(aRow, aCol, TXlsCellValue{Variant(Text), AddFormat(*Fm), false});
  else SetCellValue(aRow, aCol, Variant(Text));
}
