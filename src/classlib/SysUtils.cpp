#include "classlib/SysUtils.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stdfs = std::filesystem;

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

TFormatSettings TFormatSettings::FromSystemLocale() {
  TFormatSettings fs;
  const QLocale loc = QLocale::system();
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
bool ScanInteger(const String& s, bool strict, int bits, Int64& out) {
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
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        if (digits.empty()) digits = "1";
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

String FloatToStr(Extended Value, const TFormatSettings& Settings) {
  return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
}

String FloatToStr(Extended Value) { return FloatToStr(Value, FormatSettings); }

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

// =============================================================================================
// Text

namespace {
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
int Sign(int v) { return (v > 0) - (v < 0); }
}  // namespace

String Trim(const String& S) {
  size_t b = 0, e = S.size();
  while (b < e && IsTrimmed(S[b])) ++b;
  while (e > b && IsTrimmed(S[e - 1])) --e;
  return S.substr(b, e - b);
}

String TrimLeft(const String& S) {
  size_t b = 0;
  while (b < S.size() && IsTrimmed(S[b])) ++b;
  return S.substr(b);
}

String TrimRight(const String& S) {
  size_t e = S.size();
  while (e > 0 && IsTrimmed(S[e - 1])) --e;
  return S.substr(0, e);
}

String UpperCase(const String& S) {
  String r = S;
  for (char& c : r) c = AsciiUpper(c);
  return r;
}

String LowerCase(const String& S) {
  String r = S;
  for (char& c : r) c = AsciiLower(c);
  return r;
}

String AnsiUpperCase(const String& S) {
  if (!IsValidUtf8(S)) return UpperCase(S);
  return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size())).toUpper().toStdString();
}

String AnsiLowerCase(const String& S) {
  if (!IsValidUtf8(S)) return LowerCase(S);
  return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size())).toLower().toStdString();
}

int CompareStr(const String& S1, const String& S2) { return Sign(S1.compare(S2)); }

int CompareText(const String& S1, const String& S2) {
  const size_t n = std::min(S1.size(), S2.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char a = static_cast<unsigned char>(AsciiUpper(S1[i]));
    unsigned char b = static_cast<unsigned char>(AsciiUpper(S2[i]));
    if (a != b) return a < b ? -1 : 1;
  }
  return S1.size() == S2.size() ? 0 : (S1.size() < S2.size() ? -1 : 1);
}

bool SameText(const String& S1, const String& S2) { return S1.size() == S2.size() && CompareText(S1, S2) == 0; }

int AnsiCompareText(const String& S1, const String& S2) {
  // Case folding of ASCII letters only keeps the order of other bytes (UTF-8 sorts by code point).
  return CompareText(S1, S2);
}

int AnsiCompareStr(const String& S1, const String& S2) {
  int r = CompareText(S1, S2);
  if (r != 0) return r;
  for (size_t i = 0; i < S1.size(); ++i) {
    if (S1[i] != S2[i]) {
      bool lower1 = S1[i] >= 'a' && S1[i] <= 'z';
      return lower1 ? -1 : 1;
    }
  }
  return 0;
}

bool AnsiSameText(const String& S1, const String& S2) { return AnsiCompareText(S1, S2) == 0; }

String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, TReplaceFlags Flags) {
  if (OldPattern.empty()) return S;
  const bool all = Flags & rfReplaceAll;
  const String hay = (Flags & rfIgnoreCase) ? UpperCase(S) : S;
  const String needle = (Flags & rfIgnoreCase) ? UpperCase(OldPattern) : OldPattern;
  String out;
  size_t from = 0;
  while (true) {
    size_t at = hay.find(needle, from);
    if (at == String::npos) break;
    out.append(S, from, at - from);
    out += NewPattern;
    from = at + needle.size();
    if (!all) break;
  }
  out.append(S, from, String::npos);
  return out;
}

String QuotedStr(const String& S) {
  String r = "'";
  for (char c : S) {
    if (c == '\'') r += '\'';
    r += c;
  }
  return r + "'";
}

String AnsiDequotedStr(const String& S, char Quote) {
  if (S.empty() || S[0] != Quote) return S;
  String r;
  size_t i = 1;
  while (i < S.size()) {
    if (S[i] == Quote) {
      if (i + 1 < S.size() && S[i + 1] == Quote) {
        r += Quote;
        i += 2;
        continue;
      }
      return r;
    }
    r += S[i++];
  }
  return r;
}

Integer Pos(const String& Substr, const String& S) {
  if (Substr.empty()) return 0;
  size_t at = S.find(Substr);
  return at == String::npos ? 0 : static_cast<Integer>(at) + 1;
}

String Copy(const String& S, Integer Index, Integer Count) {
  if (Index < 1) Index = 1;
  if (Count <= 0 || static_cast<size_t>(Index) > S.size()) return {};
  return S.substr(static_cast<size_t>(Index) - 1, static_cast<size_t>(Count));
}

// ---- UTF-8, UTF-16 and Windows-1252

namespace {

// Decodes one UTF-8 sequence at s[i]; returns the code point and advances i, or returns -1
// (and advances by one byte) for an invalid sequence.
int32_t DecodeUtf8(const String& s, size_t& i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  int len;
  int32_t cp;
  if (c < 0x80) {
    ++i;
    return c;
  } else if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    cp = c & 0x07;
  } else {
    ++i;
    return -1;
  }
  if (i + static_cast<size_t>(len) > s.size()) {
    ++i;
    return -1;
  }
  for (int k = 1; k < len; ++k) {
    const unsigned char cc = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
    if ((cc & 0xC0) != 0x80) {
      ++i;
      return -1;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return -1;
  }
  i += static_cast<size_t>(len);
  return cp;
}

void AppendUtf8(String& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Windows-1252 0x80..0x9F; the five unassigned bytes map to the C1 control of the same value.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

bool IsValidUtf8(const String& S) {
  size_t i = 0;
  while (i < S.size())
    if (DecodeUtf8(S, i) < 0) return false;
  return true;
}

WideString Utf8ToWide(const String& S) {
  WideString w;
  w.reserve(S.size());
  size_t i = 0;
  while (i < S.size()) {
    int32_t cp = DecodeUtf8(S, i);
    if (cp < 0) cp = 0xFFFD;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      w += static_cast<char16_t>(0xD800 + (cp >> 10));
      w += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      w += static_cast<char16_t>(cp);
    }
  }
  return w;
}

String WideToUtf8(const WideString& W) {
  String out;
  out.reserve(W.size());
  for (size_t i = 0; i < W.size(); ++i) {
    uint32_t c = W[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < W.size() && W[i + 1] >= 0xDC00 && W[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (W[i + 1] - 0xDC00u);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;  // lone surrogate
    }
    AppendUtf8(out, c);
  }
  return out;
}

String Cp1252ToUtf8(const String& S) {
  String out;
  out.reserve(S.size());
  for (char ch : S) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80) out += ch;
    else if (c < 0xA0) AppendUtf8(out, kCp1252High[c - 0x80]);
    else AppendUtf8(out, c);
  }
  return out;
}

String Utf8ToCp1252(const String& S) {
  String out;
  size_t i = 0;
  while (i < S.size()) {
    int32_t cp = DecodeUtf8(S, i);
    if (cp >= 0 && (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))) {
      out += static_cast<char>(cp);
      continue;
    }
    char mapped = '?';
    for (int k = 0; k < 32; ++k)
      if (kCp1252High[k] == cp) mapped = static_cast<char>(0x80 + k);
    out += mapped;
  }
  return out;
}

String ToDisplayText(const String& S) { return IsValidUtf8(S) ? S : Cp1252ToUtf8(S); }

// =============================================================================================
// Dates and the clock

namespace {

class TSystemClock : public TClockSource {
 public:
  TDateTime Now() override {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDate(static_cast<Word>(tm.tm_year + 1900), static_cast<Word>(tm.tm_mon + 1),
                      static_cast<Word>(tm.tm_mday)) +
           EncodeTime(static_cast<Word>(tm.tm_hour), static_cast<Word>(tm.tm_min),
                      static_cast<Word>(std::min(tm.tm_sec, 59)), static_cast<Word>(ms));
  }
  Cardinal TickCount() override {
    using namespace std::chrono;
    return static_cast<Cardinal>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
};

TSystemClock gSystemClock;
TClockSource* gClock = &gSystemClock;

constexpr int64_t kMSecsPerDay = 86400000;
// Days from 0001-01-01 (day 1) to 1899-12-30.
constexpr int64_t kDateDelta = 693594;

int64_t DaysBeforeYear(int64_t y) {  // days from 0001-01-01 to the first day of year y
  const int64_t p = y - 1;
  return p * 365 + p / 4 - p / 100 + p / 400;
}

constexpr Word kDaysBeforeMonth[2][13] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
                                          {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};

// Splits a date-time into whole days (sign included) and milliseconds of the day, rounding to
// the nearest millisecond first.
void SplitDateTime(TDateTime v, int64_t& days, int64_t& msOfDay) {
  const int64_t total = static_cast<int64_t>(std::nearbyint(std::fabs(v) * static_cast<double>(kMSecsPerDay)));
  days = total / kMSecsPerDay;
  msOfDay = total % kMSecsPerDay;
  if (v < 0) days = -days;
}

}  // namespace

void TManualClock::Advance(Cardinal Milliseconds) {
  ticks_ += Milliseconds;
  now_ += static_cast<double>(Milliseconds) / static_cast<double>(kMSecsPerDay);
}

void SetClockSource(TClockSource* Source) { gClock = Source ? Source : &gSystemClock; }
TClockSource* GetClockSource() { return gClock; }

TDateTime Now() { return gClock->Now(); }
TDateTime Date() { return std::trunc(Now()); }
TDateTime Time() {
  TDateTime n = Now();
  return n - std::trunc(n);
}
Cardinal GetTickCount() { return gClock->TickCount(); }

bool IsLeapYear(Word Year) { return (Year % 4 == 0) && ((Year % 100 != 0) || (Year % 400 == 0)); }

Word DaysInAMonth(Word Year, Word Month) {
  if (Month < 1 || Month > 12) return 0;
  const auto& t = kDaysBeforeMonth[IsLeapYear(Year) ? 1 : 0];
  return static_cast<Word>(t[Month] - t[Month - 1]);
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Result) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month)) return false;
  const int64_t days =
      DaysBeforeYear(Year) + kDaysBeforeMonth[IsLeapYear(Year) ? 1 : 0][Month - 1] + Day - kDateDelta;
  Result = static_cast<TDateTime>(days);
  return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
  TDateTime r;
  if (!TryEncodeDate(Year, Month, Day, r)) throw EConvertError("Invalid argument to date encode");
  return r;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Result) {
  if (Hour > 23 || Min > 59 || Sec > 59 || MSec > 999) return false;
  Result = static_cast<double>((Hour * 3600000LL) + (Min * 60000LL) + (Sec * 1000LL) + MSec) /
           static_cast<double>(kMSecsPerDay);
  return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime r;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, r)) throw EConvertError("Invalid argument to time encode");
  return r;
}

void DecodeDate(TDateTime Value, Word& Year, Word& Month, Word& Day) {
  int64_t days, ms;
  SplitDateTime(Value, days, ms);
  int64_t d = days + kDateDelta;  // 1 = 0001-01-01
  if (d <= 0) {
    Year = Month = Day = 0;
    return;
  }
  // Find the year by estimate and correction, then the month from the table.
  int64_t y = (d * 400) / 146097 + 1;
  while (DaysBeforeYear(y) >= d) --y;
  while (DaysBeforeYear(y + 1) < d) ++y;
  int64_t dayOfYear = d - DaysBeforeYear(y);  // 1-based
  const auto& t = kDaysBeforeMonth[IsLeapYear(static_cast<Word>(y)) ? 1 : 0];
  int m = 1;
  while (m < 12 && t[m] < dayOfYear) ++m;
  Year = static_cast<Word>(y);
  Month = static_cast<Word>(m);
  Day = static_cast<Word>(dayOfYear - t[m - 1]);
}

void DecodeTime(TDateTime Value, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
  int64_t days, ms;
  SplitDateTime(Value, days, ms);
  Hour = static_cast<Word>(ms / 3600000);
  Min = static_cast<Word>(ms / 60000 % 60);
  Sec = static_cast<Word>(ms / 1000 % 60);
  MSec = static_cast<Word>(ms % 1000);
}

Word DayOfWeek(TDateTime Value) {
  int64_t days, ms;
  SplitDateTime(Value, days, ms);
  // 1899-12-30 was a Saturday (7).
  int64_t r = ((days + 6) % 7 + 7) % 7;  // 0 = Sunday
  return static_cast<Word>(r + 1);
}

namespace {

String Pad2(int v) { return v < 10 ? "0" + std::to_string(v) : std::to_string(v); }

void AppendDateTime(String& out, const String& pat, TDateTime v, const TFormatSettings& fs, int depth) {
  Word year, month, day, hour, minute, sec, msec;
  DecodeDate(v, year, month, day);
  DecodeTime(v, hour, minute, sec, msec);
  bool lastWasHour = false;
  const size_t n = pat.size();
  auto lowerAt = [&](size_t k) { return k < n ? AsciiLower(pat[k]) : '\0'; };
  auto startsWithCI = [&](size_t k, const char* w) {
    size_t len = std::strlen(w);
    return k + len <= n && SameText(pat.substr(k, len), w);
  };
  // 12-hour clock when an am/pm specifier follows an hour specifier.
  auto twelveHourAfter = [&](size_t k) {
    for (size_t j = k; j < n; ++j) {
      if (startsWithCI(j, "am/pm") || startsWithCI(j, "a/p") || startsWithCI(j, "ampm")) return true;
      if (lowerAt(j) == 'h') return false;
    }
    return false;
  };
  size_t i = 0;
  while (i < n) {
    const char c = pat[i];
    const char lc = AsciiLower(c);
    size_t run = 1;
    while (i + run < n && AsciiLower(pat[i + run]) == lc) ++run;
    // "m" means minutes when the letter before it (separators aside) was an hour.
    const bool minutes = lc == 'm' && lastWasHour;
    if (lc >= 'a' && lc <= 'z') lastWasHour = lc == 'h';
    switch (lc) {
      case '"':
      case '\'': {
        size_t j = i + 1;
        while (j < n && pat[j] != c) out += pat[j++];
        i = j + 1;
        continue;
      }
      case 'c':
        if (depth < 2) {
          AppendDateTime(out, fs.ShortDateFormat, v, fs, depth + 1);
          if (hour || minute || sec || msec) {
            out += ' ';
            AppendDateTime(out, fs.LongTimeFormat, v, fs, depth + 1);
          }
        }
        i += 1;
        continue;
      case 'y':
        out += run <= 2 ? Pad2(year % 100) : std::to_string(year);
        break;
      case 'm':
        if (minutes && run <= 2) {
          out += run == 1 ? std::to_string(minute) : Pad2(minute);
        } else if (run == 1) {
          out += std::to_string(month);
        } else if (run == 2) {
          out += Pad2(month);
        } else if (run == 3) {
          out += fs.ShortMonthNames[month - 1];
        } else {
          run = std::min<size_t>(run, 4);
          out += fs.LongMonthNames[month - 1];
        }
        break;
      case 'd':
        if (run == 1) out += std::to_string(day);
        else if (run == 2) out += Pad2(day);
        else if (run == 3) out += fs.ShortDayNames[DayOfWeek(v) - 1];
        else if (run == 4) out += fs.LongDayNames[DayOfWeek(v) - 1];
        else if (run == 5) {
          if (depth < 2) AppendDateTime(out, fs.ShortDateFormat, v, fs, depth + 1);
        } else {
          run = std::min<size_t>(run, 6);
          if (depth < 2) AppendDateTime(out, fs.LongDateFormat, v, fs, depth + 1);
        }
        break;
      case 'h': {
        run = std::min<size_t>(run, 2);
        int h = hour;
        if (twelveHourAfter(i + run)) {
          h = hour % 12;
          if (h == 0) h = 12;
        }
        out += run == 1 ? std::to_string(h) : Pad2(h);
        break;
      }
      case 'n':
        run = std::min<size_t>(run, 2);
        out += run == 1 ? std::to_string(minute) : Pad2(minute);
        break;
      case 's':
        run = std::min<size_t>(run, 2);
        out += run == 1 ? std::to_string(sec) : Pad2(sec);
        break;
      case 'z': {
        String z = std::to_string(msec);
        if (run >= 3) {
          run = 3;
          z.insert(0, 3 - z.size(), '0');
        }
        out += z;
        break;
      }
      case 't':
        run = std::min<size_t>(run, 2);
        if (depth < 2) AppendDateTime(out, run == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, v, fs, depth + 1);
        break;
      case 'a':
        if (startsWithCI(i, "am/pm")) {
          String w = pat.substr(hour >= 12 ? i + 3 : i, 2);
          out += w;
          run = 5;
        } else if (startsWithCI(i, "a/p")) {
          out += pat[hour >= 12 ? i + 2 : i];
          run = 3;
        } else if (startsWithCI(i, "ampm")) {
          out += hour >= 12 ? fs.TimePMString : fs.TimeAMString;
          run = 4;
        } else {
          out += c;
          run = 1;
        }
        break;
      case '/':
        out += fs.DateSeparator;
        run = 1;
        break;
      case ':':
        out += fs.TimeSeparator;
        run = 1;
        break;
      default:
        out += c;
        run = 1;
    }
    i += run;
  }
}

}  // namespace

String FormatDateTime(const String& Pattern, TDateTime Value, const TFormatSettings& Settings) {
  String out;
  AppendDateTime(out, Pattern.empty() ? String("c") : Pattern, Value, Settings, 0);
  return out;
}

String FormatDateTime(const String& Pattern, TDateTime Value) {
  return FormatDateTime(Pattern, Value, FormatSettings);
}

String DateToStr(TDateTime Value) { return FormatDateTime("ddddd", Value); }
String TimeToStr(TDateTime Value) { return FormatDateTime("tt", Value); }
String DateTimeToStr(TDateTime Value) { return FormatDateTime("c", Value); }

// =============================================================================================
// Files and folders

bool FileExists(const String& FileName) {
  std::error_code ec;
  return !FileName.empty() && stdfs::is_regular_file(stdfs::path(FileName), ec);
}

bool DirectoryExists(const String& Directory) {
  std::error_code ec;
  return !Directory.empty() && stdfs::is_directory(stdfs::path(Directory), ec);
}

bool ForceDirectories(const String& Dir) {
  if (Dir.empty()) return false;
  std::error_code ec;
  stdfs::create_directories(stdfs::path(ExcludeTrailingPathDelimiter(Dir)), ec);
  return DirectoryExists(Dir);
}

bool CreateDir(const String& Dir) {
  std::error_code ec;
  return stdfs::create_directory(stdfs::path(Dir), ec);
}

bool RemoveDir(const String& Dir) { return ::rmdir(Dir.c_str()) == 0; }

bool DeleteFile(const String& FileName) {
  if (DirectoryExists(FileName)) return false;
  return ::unlink(FileName.c_str()) == 0;
}

bool RenameFile(const String& OldName, const String& NewName) {
  // Like the classic routine, an existing target is not replaced.
  struct stat st;
  if (::lstat(NewName.c_str(), &st) == 0) return false;
  return ::rename(OldName.c_str(), NewName.c_str()) == 0;
}

String GetCurrentDir() {
  std::error_code ec;
  return stdfs::current_path(ec).string();
}

bool SetCurrentDir(const String& Dir) { return ::chdir(Dir.c_str()) == 0; }

String ExpandFileName(const String& FileName) {
  std::error_code ec;
  stdfs::path p = FileName.empty() ? stdfs::current_path(ec) : stdfs::absolute(stdfs::path(FileName), ec);
  String s = p.lexically_normal().string();
  return s;
}

String ExtractFileName(const String& FileName) {
  size_t at = FileName.rfind(PathDelim);
  return at == String::npos ? FileName : FileName.substr(at + 1);
}

String ExtractFilePath(const String& FileName) {
  size_t at = FileName.rfind(PathDelim);
  return at == String::npos ? String() : FileName.substr(0, at + 1);
}

String ExtractFileDir(const String& FileName) {
  size_t at = FileName.rfind(PathDelim);
  if (at == String::npos) return {};
  if (at == 0) return "/";
  return FileName.substr(0, at);
}

String ExtractFileExt(const String& FileName) {
  size_t dot = FileName.rfind('.');
  size_t slash = FileName.rfind(PathDelim);
  if (dot == String::npos || (slash != String::npos && dot < slash)) return {};
  return FileName.substr(dot);
}

String ChangeFileExt(const String& FileName, const String& Extension) {
  size_t dot = FileName.rfind('.');
  size_t slash = FileName.rfind(PathDelim);
  if (dot == String::npos || (slash != String::npos && dot < slash)) return FileName + Extension;
  return FileName.substr(0, dot) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S) {
  return (!S.empty() && S.back() == PathDelim) ? S : S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S) {
  String r = S;
  while (r.size() > 1 && r.back() == PathDelim) r.pop_back();
  return r;
}

Int64 FileSize(const String& FileName) {
  struct stat st;
  if (::stat(FileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<Int64>(st.st_size);
}

bool MatchesMask(const String& Name, const String& Mask) {
  // Iterative wildcard match with one backtrack point for the last '*'.
  size_t n = 0, m = 0, starM = String::npos, starN = 0;
  while (n < Name.size()) {
    if (m < Mask.size() && (Mask[m] == '?' || AsciiUpper(Mask[m]) == AsciiUpper(Name[n]))) {
      ++n;
      ++m;
    } else if (m < Mask.size() && Mask[m] == '*') {
      starM = m++;
      starN = n;
    } else if (starM != String::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < Mask.size() && Mask[m] == '*') ++m;
  return m == Mask.size();
}

std::vector<String> ListFiles(const String& Folder, const String& Mask) {
  std::vector<String> names;
  std::error_code ec;
  stdfs::directory_iterator it(stdfs::path(Folder.empty() ? String(".") : Folder), ec);
  if (ec) return names;
  for (const auto& entry : it) {
    std::error_code ec2;
    if (!entry.is_regular_file(ec2)) continue;
    String name = entry.path().filename().string();
    if (MatchesMask(name, Mask)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), [](const String& a, const String& b) {
    int r = CompareText(a, b);
    return r != 0 ? r < 0 : a < b;
  });
  return names;
}

String ReadFileBytes(const String& FileName) {
  if (DirectoryExists(FileName)) throw EFOpenError("Cannot open file \"" + FileName + "\"");
  std::ifstream in(FileName, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + FileName + "\"");
  String data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw EReadError("Error reading file \"" + FileName + "\"");
  return data;
}

namespace {
mode_t DefaultFileMode() {
  static const mode_t mode = [] {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}
}  // namespace

void WriteFileAtomically(const String& FileName, const String& Bytes) {
  const String createMsg = "Cannot create file \"" + FileName + "\"";
  if (FileName.empty() || DirectoryExists(FileName)) throw EFCreateError(createMsg);
  const String dir = ExtractFilePath(FileName);
  String tmpl = dir + "." + ExtractFileName(FileName) + ".XXXXXX";
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) throw EFCreateError(createMsg);
  struct stat st;
  mode_t mode = ::stat(FileName.c_str(), &st) == 0 ? (st.st_mode & 07777) : DefaultFileMode();
  ::fchmod(fd, mode);
  const char* p = Bytes.data();
  size_t left = Bytes.size();
  bool ok = true;
  while (left > 0) {
    ssize_t w = ::write(fd, p, left);
    if (w < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    p += w;
    left -= static_cast<size_t>(w);
  }
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(tmpl.c_str(), FileName.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(tmpl.c_str());
    throw EWriteError("Error writing file \"" + FileName + "\"");
  }
}
