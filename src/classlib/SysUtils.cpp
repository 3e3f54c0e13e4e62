#include "classlib/SysUtils.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

// =============================================================================================
// Regional settings

namespace {

// Qt's date/time pattern letters -> ours: M month, m minute, H/h hour, AP/ap am-pm. The
// locale's separators are replaced by the placeholders '/' and ':'.
String ConvertQtPattern(const QString& qt, char dateSep, char timeSep) {
  String out;
  const QByteArray bytes = qt.toUtf8();
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == '\'') {  // quoted literal
      out += '"';
      ++i;
      while (i < bytes.size() && bytes[i] != '\'') out += bytes[i++];
      out += '"';
      continue;
    }
    switch (c) {
      case 'M': out += 'm'; break;
      case 'm': out += 'n'; break;
      case 'H': out += 'h'; break;
      case 'A':
      case 'a':
        if (i + 1 < bytes.size() && (bytes[i + 1] == 'P' || bytes[i + 1] == 'p')) ++i;
        out += "ampm";
        break;
      case 't': break;  // time zone: not shown
      default:
        if (c == dateSep && dateSep != ' ') out += '/';
        else if (c == timeSep && timeSep != ' ') out += ':';
        else out += c;
    }
  }
  return Trim(out);
}

char AsciiOr(const QString& s, char fallback) {
  if (s.size() == 1 && s[0].unicode() < 0x80) return static_cast<char>(s[0].unicode());
  if (s.size() == 1 && (s[0].unicode() == 0xA0 || s[0].unicode() == 0x202F)) return ' ';
  return fallback;
}

// First separator character in a formatted date or time, e.g. '.' in "05.01.2024".
char FirstSeparator(const QString& text, char fallback) {
  for (QChar ch : text)
    if (!ch.isLetterOrNumber() && ch.unicode() < 0x80 && ch != QLatin1Char(' ')) return static_cast<char>(ch.unicode());
  return fallback;
}

}  // namespace

TFormatSettings TFormatSettings::Invariant() { return TFormatSettings{}; }

namespace {
TFormatSettings FromQLocale(const QLocale& loc) {
  TFormatSettings fs;
  if (loc.language() == QLocale::C) return fs;
  fs.DecimalSeparator = AsciiOr(loc.decimalPoint(), '.');
  fs.ThousandSeparator = AsciiOr(loc.groupSeparator(), ',');
  if (fs.ThousandSeparator == fs.DecimalSeparator) fs.ThousandSeparator = fs.DecimalSeparator == '.' ? ',' : '.';
  const QString shortDate = loc.dateFormat(QLocale::ShortFormat);
  const QString longTime = loc.timeFormat(QLocale::LongFormat);
  fs.DateSeparator = FirstSeparator(loc.toString(QDate(2024, 1, 5), shortDate), '/');
  fs.TimeSeparator = FirstSeparator(loc.toString(QTime(13, 4, 5), QLocale::ShortFormat), ':');
  fs.ShortDateFormat = ConvertQtPattern(shortDate, fs.DateSeparator, fs.TimeSeparator);
  fs.LongDateFormat = ConvertQtPattern(loc.dateFormat(QLocale::LongFormat), fs.DateSeparator, fs.TimeSeparator);
  fs.ShortTimeFormat = ConvertQtPattern(loc.timeFormat(QLocale::ShortFormat), fs.DateSeparator, fs.TimeSeparator);
  fs.LongTimeFormat = ConvertQtPattern(longTime, fs.DateSeparator, fs.TimeSeparator);
  if (!loc.amText().isEmpty()) fs.TimeAMString = loc.amText().toStdString();
  if (!loc.pmText().isEmpty()) fs.TimePMString = loc.pmText().toStdString();
  fs.CurrencyString = loc.currencySymbol().toStdString();
  for (int i = 0; i < 12; ++i) {
    fs.ShortMonthNames[i] = loc.monthName(i + 1, QLocale::ShortFormat).toStdString();
    fs.LongMonthNames[i] = loc.monthName(i + 1, QLocale::LongFormat).toStdString();
  }
  for (int i = 0; i < 7; ++i) {
    int qtDay = i == 0 ? 7 : i;  // Qt counts Monday = 1 ... Sunday = 7
    fs.ShortDayNames[i] = loc.dayName(qtDay, QLocale::ShortFormat).toStdString();
    fs.LongDayNames[i] = loc.dayName(qtDay, QLocale::LongFormat).toStdString();
  }
  return fs;
}
}  // namespace

TFormatSettings TFormatSettings::FromSystemLocale() { return FromQLocale(QLocale::system()); }

TFormatSettings TFormatSettings::FromLocaleName(const String& Name) {
  return FromQLocale(QLocale(QString::fromStdString(Name)));
}

TFormatSettings FormatSettings = TFormatSettings::FromSystemLocale();

void ResetFormatSettings() { FormatSettings = TFormatSettings::FromSystemLocale(); }

// =============================================================================================
// Integers <-> text

String IntToStr(Integer Value) { return std::to_string(Value); }
String IntToStr(Int64 Value) { return std::to_string(Value); }

namespace {
String HexDigits(uint64_t v, int digits) {
  static const char kHex[] = "0123456789ABCDEF";
  String s;
  do {
    s.insert(s.begin(), kHex[v & 15]);
    v >>= 4;
  } while (v != 0);
  if (digits > 32) digits = 32;
  if (static_cast<int>(s.size()) < digits) s.insert(0, static_cast<size_t>(digits) - s.size(), '0');
  return s;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Scans an integer at S[i]: blanks, sign, decimal or hex digits. Strict mode requires the text
// to end after the digits and reports overflow as failure; lenient mode stops before a digit
// that would overflow. maxMagnitude bounds decimal values; hexLimit bounds hex values, which
// are then taken as two's complement of the result width.
bool ScanInteger(const String& s, bool strict, int bits, Int64& out, bool* overflowed = nullptr) {
  size_t i = 0, n = s.size();
  while (i < n && IsBlank(s[i])) ++i;
  bool neg = false;
  if (i < n && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
  bool hex = false;
  if (i < n && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  const uint64_t posLimit = bits == 32 ? 0x7FFFFFFFull : 0x7FFFFFFFFFFFFFFFull;
  const uint64_t decLimit = neg ? posLimit + 1 : posLimit;
  const uint64_t hexLimit = bits == 32 ? 0xFFFFFFFFull : ~0ull;
  uint64_t v = 0;
  size_t digits = 0;
  bool overflow = false;
  while (i < n) {
    int d = hex ? HexValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
    if (d < 0) break;
    const uint64_t base = hex ? 16 : 10;
    const uint64_t limit = hex ? hexLimit : decLimit;
    if (v > (limit - static_cast<uint64_t>(d)) / base) {
      overflow = true;
      break;
    }
    v = v * base + static_cast<uint64_t>(d);
    ++digits;
    ++i;
  }
  if (overflowed != nullptr) *overflowed = overflow;
  if (strict && (digits == 0 || overflow || i != n)) return false;
  // Hex texts give the bit pattern of the result width; the sign then negates it.
  uint64_t bitsValue = (hex && bits == 32) ? static_cast<uint64_t>(static_cast<Int64>(static_cast<int32_t>(v))) : v;
  Int64 r = static_cast<Int64>(neg ? 0ull - bitsValue : bitsValue);
  out = r;
  return true;
}

[[noreturn]] void IntError(const String& s) { throw EConvertError("'" + s + "' is not a valid integer value"); }
[[noreturn]] void FloatError(const String& s) {
  throw EConvertError("'" + s + "' is not a valid floating point value");
}
}  // namespace

String IntToHex(Integer Value, Integer Digits) { return HexDigits(static_cast<uint32_t>(Value), Digits); }
String IntToHex(Int64 Value, Integer Digits) { return HexDigits(static_cast<uint64_t>(Value), Digits); }

bool TryStrToInt(const String& S, Integer& Value) {
  Int64 v;
  if (!ScanInteger(S, true, 32, v)) return false;
  Value = static_cast<Integer>(v);
  return true;
}

bool TryStrToInt64(const String& S, Int64& Value) { return ScanInteger(S, true, 64, Value); }

Integer StrToInt(const String& S) {
  Integer v;
  if (!TryStrToInt(S, v)) IntError(S);
  return v;
}

Int64 StrToInt64(const String& S) {
  Int64 v;
  if (!TryStrToInt64(S, v)) IntError(S);
  return v;
}

Integer StrToIntDef(const String& S, Integer Default) {
  Integer v;
  return TryStrToInt(S, v) ? v : Default;
}

Int64 StrToInt64Def(const String& S, Int64 Default) {
  Int64 v;
  return TryStrToInt64(S, v) ? v : Default;
}

Integer LeadingInt(const String& S) {
  Int64 v = 0;
  ScanInteger(S, false, 32, v);
  return static_cast<Integer>(v);
}

bool TryLeadingInt(const String& S, Integer& Value) {
  Int64 v = 0;
  bool overflow = false;
  ScanInteger(S, false, 32, v, &overflow);
  Value = static_cast<Integer>(v);
  return !overflow;
}

namespace {

// Scans a real number at the start of s (after blanks) whose decimal point is '.' or `alt`.
// Returns the number of bytes consumed (0 when there is no number) and the value.
size_t ScanReal(const String& s, char alt, long double& value) {
  size_t i = 0, n = s.size();
  while (i < n && IsBlank(s[i])) ++i;
  String norm;
  if (i < n && (s[i] == '-' || s[i] == '+')) {
    if (s[i] == '-') norm += '-';
    ++i;
  }
  size_t mantDigits = 0;
  while (i < n && IsDigit(s[i])) {
    norm += s[i++];
    ++mantDigits;
  }
  if (mantDigits == 0) norm += '0';
  if (i < n && (s[i] == '.' || s[i] == alt)) {
    size_t j = i + 1;
    String frac;
    while (j < n && IsDigit(s[j])) frac += s[j++];
    if (mantDigits > 0 || !frac.empty()) {
      norm += '.';
      norm += frac.empty() ? String("0") : frac;
      mantDigits += frac.size();
      i = j;
    }
  }
  if (mantDigits == 0) return 0;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    String exp = "e";
    if (j < n && (s[j] == '-' || s[j] == '+')) exp += s[j++];
    if (j < n && IsDigit(s[j])) {
      while (j < n && IsDigit(s[j])) exp += s[j++];
      norm += exp;
      i = j;
    }
  }
  long double v = 0;
  auto res = std::from_chars(norm.data(), norm.data() + norm.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // Too small to represent reads as 0; too large has no value (the caller decides).
    bool tiny = norm.find("e-") != String::npos;
    if (!tiny) return String::npos;
    v = 0;
  }
  value = v;
  return i;
}

}  // namespace

namespace {
// A number beyond the range of a double counts as no number rather than as an infinity.
double LeadingDouble(const String& s, char alt) {
  long double v = 0;
  size_t used = ScanReal(s, alt, v);
  if (used == 0 || used == String::npos || std::fabs(v) > std::numeric_limits<double>::max()) return 0.0;
  return static_cast<double>(v);
}
}  // namespace

double LeadingReal(const String& S) { return LeadingDouble(S, '.'); }

double ReadListNumber(const String& S) { return LeadingDouble(S, FormatSettings.DecimalSeparator); }

bool TryStrToFloat(const String& S, Extended& Value, const TFormatSettings& Settings) {
  // Only the regional separator counts here: with ',' regional, "1.5" is not a number.
  const char sep = Settings.DecimalSeparator;
  String t = S;
  if (sep != '.') {
    for (char c : t)
      if (c == '.') return false;
  }
  long double v = 0;
  size_t used = ScanReal(t, sep, v);
  if (used == 0 || used == String::npos) return false;
  while (used < t.size() && IsBlank(t[used])) ++used;
  if (used != t.size()) return false;
  Value = v;
  return true;
}

bool TryStrToFloat(const String& S, Extended& Value) { return TryStrToFloat(S, Value, FormatSettings); }

bool TryStrToFloat(const String& S, double& Value) {
  Extended v;
  if (!TryStrToFloat(S, v, FormatSettings)) return false;
  Value = static_cast<double>(v);
  return true;
}

Extended StrToFloat(const String& S, const TFormatSettings& Settings) {
  Extended v;
  if (!TryStrToFloat(S, v, Settings)) FloatError(S);
  return v;
}

Extended StrToFloat(const String& S) { return StrToFloat(S, FormatSettings); }

Extended StrToFloatDef(const String& S, Extended Default) {
  Extended v;
  return TryStrToFloat(S, v) ? v : Default;
}

// =============================================================================================
// Reals -> text

namespace {

// A real as decimal digits: value = 0.d1d2...dn x 10^Exponent, no trailing zeros; zero has no
// digits, Exponent 0 and no sign.
struct TFloatRec {
  int Exponent = 0;
  bool Negative = false;
  String Digits;
};

// Takes the value to 18 significant decimal digits (the precision of the extended type), then
// rounds once, half away from zero, at `precision` significant digits or at `decimals`
// decimals, whichever comes first.
TFloatRec FloatToDecimal(long double value, int precision, int decimals) {
  TFloatRec rec;
  if (value == 0) return rec;
  precision = std::clamp(precision, 1, 18);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(value));
  String digits;
  digits += buf[0];
  digits.append(buf + 2, 17);
  int e10 = std::atoi(std::strchr(buf, 'e') + 1);
  int exponent = e10 + 1;
  long keepL = std::min<long>(precision, static_cast<long>(exponent) + decimals);
  if (keepL < 0) return rec;
  size_t keep = static_cast<size_t>(keepL);
  if (keep < digits.size()) {
    bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (up) {
      int k = static_cast<int>(keep) - 1;
      while (k >= 0 && digits[static_cast<size_t>(k)] == '9') digits[static_cast<size_t>(k--)] = '0';
      if (k >= 0) {
        ++digits[static_cast<size_t>(k)];
      } else {
        // Every digit carried over: 99.9 became 00.0, so the digits read 1 followed by zeros
        // one place further left.
        if (digits.empty()) digits.push_back('1');
        else digits[0] = '1';
        ++exponent;
      }
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) return rec;
  rec.Digits = digits;
  rec.Exponent = exponent;
  rec.Negative = value < 0;
  return rec;
}

String ExponentText(int exp, int minDigits, bool plusSign) {
  String s = "E";
  if (exp < 0) {
    s += '-';
    exp = -exp;
  } else if (plusSign) {
    s += '+';
  }
  String d = std::to_string(exp);
  if (static_cast<int>(d.size()) < minDigits) d.insert(0, static_cast<size_t>(minDigits) - d.size(), '0');
  return s + d;
}

String FormatGeneral(const TFloatRec& r, int precision, int expDigits, char sep) {
  if (r.Digits.empty()) return "0";
  String s = r.Negative ? "-" : "";
  const int n = static_cast<int>(r.Digits.size());
  if (r.Exponent > precision || r.Exponent < -3) {
    s += r.Digits[0];
    if (n > 1) {
      s += sep;
      s.append(r.Digits, 1, String::npos);
    }
    s += ExponentText(r.Exponent - 1, expDigits, false);
  } else if (r.Exponent <= 0) {
    s += '0';
    s += sep;
    s.append(static_cast<size_t>(-r.Exponent), '0');
    s += r.Digits;
  } else {
    for (int i = 0; i < r.Exponent; ++i) s += i < n ? r.Digits[static_cast<size_t>(i)] : '0';
    if (n > r.Exponent) {
      s += sep;
      s.append(r.Digits, static_cast<size_t>(r.Exponent), String::npos);
    }
  }
  return s;
}

String FormatExponent(const TFloatRec& r, int precision, int expDigits, char sep) {
  String s = r.Negative ? "-" : "";
  String d = r.Digits;
  if (static_cast<int>(d.size()) < precision) d.append(static_cast<size_t>(precision) - d.size(), '0');
  s += d[0];
  if (precision > 1) {
    s += sep;
    s.append(d, 1, static_cast<size_t>(precision) - 1);
  }
  s += ExponentText(r.Digits.empty() ? 0 : r.Exponent - 1, expDigits, true);
  return s;
}

// Digits before and after the point of a fixed-notation number, without sign.
String FixedBody(const TFloatRec& r, int decimals, char sep, char thousands) {
  const int n = static_cast<int>(r.Digits.size());
  String intPart;
  if (r.Exponent <= 0) {
    intPart = "0";
  } else {
    for (int i = 0; i < r.Exponent; ++i) intPart += i < n ? r.Digits[static_cast<size_t>(i)] : '0';
  }
  if (thousands != 0) {
    String grouped;
    int count = 0;
    for (auto it = intPart.rbegin(); it != intPart.rend(); ++it) {
      if (count > 0 && count % 3 == 0) grouped.insert(grouped.begin(), thousands);
      grouped.insert(grouped.begin(), *it);
      ++count;
    }
    intPart = grouped;
  }
  String s = intPart;
  if (decimals > 0) {
    s += sep;
    for (int i = 0; i < decimals; ++i) {
      int pos = r.Exponent + i;
      s += (pos >= 0 && pos < n) ? r.Digits[static_cast<size_t>(pos)] : '0';
    }
  }
  return s;
}

// The minimum number of exponent digits is 0 to 4; other values ask for no minimum.
int ExponentDigits(int digits) { return (digits >= 0 && digits <= 4) ? digits : 0; }

String FormatCurrency(const String& body, bool negative, const TFormatSettings& fs) {
  const String& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
      case 1: return body + c;
      case 2: return c + " " + body;
      case 3: return body + " " + c;
      default: return c + body;
    }
  }
  switch (fs.NegCurrFormat) {
    case 1: return "-" + c + body;
    case 2: return c + "-" + body;
    case 3: return c + body + "-";
    case 4: return "(" + body + c + ")";
    case 5: return "-" + body + c;
    case 6: return body + "-" + c;
    case 7: return body + c + "-";
    case 8: return "-" + body + " " + c;
    case 9: return "-" + c + " " + body;
    case 10: return body + " " + c + "-";
    case 11: return c + " " + body + "-";
    case 12: return c + " -" + body;
    case 13: return body + "- " + c;
    case 14: return "(" + c + " " + body + ")";
    case 15: return "(" + body + " " + c + ")";
    default: return "(" + c + body + ")";
  }
}

}  // namespace

String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits,
                   const TFormatSettings& Settings) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value > 0 ? "INF" : "-INF";
  const char sep = Settings.DecimalSeparator;
  Precision = std::clamp(Precision, 1, 18);
  switch (Format) {
    case ffGeneral:
      return FormatGeneral(FloatToDecimal(Value, Precision, 9999), Precision, ExponentDigits(Digits), sep);
    case ffExponent:
      return FormatExponent(FloatToDecimal(Value, Precision, 9999), Precision, ExponentDigits(Digits), sep);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      Digits = std::clamp(Digits, 0, 18);
      TFloatRec r = FloatToDecimal(Value, Precision, Digits);
      if (r.Exponent > Precision) return FormatGeneral(FloatToDecimal(Value, Precision, 9999), Precision, 0, sep);
      const char thousands = Format == ffFixed ? 0 : Settings.ThousandSeparator;
      String body = FixedBody(r, Digits, sep, thousands);
      if (Format == ffCurrency) return FormatCurrency(body, r.Negative, Settings);
      return r.Negative ? "-" + body : body;
    }
  }
  return {};
}

String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}



// =============================================================================================
// Format

namespace {
[[noreturn]] void FormatError(const String& pattern) {
  throw EConvertError("Format '" + pattern + "' invalid or incompatible with argument");
}
}  // namespace

String Format(const String& Pattern, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings) {
  String out;
  auto arg = Args.begin();
  const size_t n = Pattern.size();
  for (size_t i = 0; i < n; ++i) {
    char c = Pattern[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (++i >= n) FormatError(Pattern);
    if (Pattern[i] == '%') {
      out += '%';
      continue;
    }
    bool left = false;
    if (Pattern[i] == '-') {
      left = true;
      if (++i >= n) FormatError(Pattern);
    }
    auto readNumber = [&](int& value) -> bool {
      if (Pattern[i] == '*') {
        if (arg == Args.end() || !std::holds_alternative<Int64>(arg->Value())) FormatError(Pattern);
        value = static_cast<int>(std::get<Int64>((arg++)->Value()));
        ++i;
        return true;
      }
      bool any = false;
      value = 0;
      while (i < n && IsDigit(Pattern[i])) {
        value = value * 10 + (Pattern[i++] - '0');
        any = true;
      }
      return any;
    };
    int width = -1, prec = -1;
    int w;
    if (readNumber(w)) width = w;
    if (i < n && Pattern[i] == '.') {
      ++i;
      if (i >= n) FormatError(Pattern);
      int p;
      readNumber(p);
      prec = p;
    }
    if (i >= n || arg == Args.end()) FormatError(Pattern);
    const char type = static_cast<char>(std::tolower(static_cast<unsigned char>(Pattern[i])));
    const auto& v = (arg++)->Value();
    String text;
    switch (type) {
      case 'd':
      case 'u': {
        if (!std::holds_alternative<Int64>(v)) FormatError(Pattern);
        Int64 x = std::get<Int64>(v);
        if (type == 'u' && x < 0 && x >= INT32_MIN) x = static_cast<Int64>(static_cast<uint32_t>(x));
        String digits = std::to_string(x < 0 ? 0ull - static_cast<uint64_t>(x) : static_cast<uint64_t>(x));
        if (prec > static_cast<int>(digits.size())) digits.insert(0, static_cast<size_t>(prec) - digits.size(), '0');
        text = x < 0 ? "-" + digits : digits;
        break;
      }
      case 'x': {
        if (!std::holds_alternative<Int64>(v)) FormatError(Pattern);
        Int64 x = std::get<Int64>(v);
        text = (x >= INT32_MIN && x <= static_cast<Int64>(UINT32_MAX)) ? HexDigits(static_cast<uint32_t>(x), prec)
                                                                        : HexDigits(static_cast<uint64_t>(x), prec);
        break;
      }
      case 's':
        if (!std::holds_alternative<String>(v)) FormatError(Pattern);
        text = std::get<String>(v);
        if (prec >= 0 && static_cast<size_t>(prec) < text.size()) text.resize(static_cast<size_t>(prec));
        break;
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm': {
        Extended x;
        if (std::holds_alternative<Extended>(v)) x = std::get<Extended>(v);
        else FormatError(Pattern);
        switch (type) {
          case 'e': text = FloatToStrF(x, ffExponent, prec < 0 ? 15 : prec, 3, Settings); break;
          case 'f': text = FloatToStrF(x, ffFixed, 18, prec < 0 ? 2 : prec, Settings); break;
          case 'g': text = FloatToStrF(x, ffGeneral, prec < 0 ? 15 : prec, 0, Settings); break;
          case 'n': text = FloatToStrF(x, ffNumber, 18, prec < 0 ? 2 : prec, Settings); break;
          default: text = FloatToStrF(x, ffCurrency, 18, prec < 0 ? Settings.CurrencyDecimals : prec, Settings);
        }
        break;
      }
      default: FormatError(Pattern);
    }
    if (width > static_cast<int>(text.size())) {
      String pad(static_cast<size_t>(width) - text.size(), ' ');
      text = left ? text + pad : pad + text;
    }
    out += text;
  }
  return out;
}

String Format(const String& Pattern, std::initializer_list<TVarRec> Args) {
  return Format(Pattern, Args, FormatSettings);
}
