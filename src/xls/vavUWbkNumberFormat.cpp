#include "xls/vavUWbkNumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "classlib/SysUtils.h"
#include "xls/vavXlsMessages.h"

namespace {

char Up(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool StartsWithCI(const String& s, size_t pos, const char* word) {
  size_t n = std::strlen(word);
  if (pos + n > s.size()) return false;
  for (size_t i = 0; i < n; ++i)
    if (Up(s[pos + i]) != Up(word[i])) return false;
  return true;
}

bool ContainsCI(const String& s, const char* word) {
  for (size_t i = 0; i < s.size(); ++i)
    if (StartsWithCI(s, i, word)) return true;
  return false;
}

// Bytes of the UTF-8 character at pos.
size_t CharLen(const String& s, size_t pos) {
  if (pos >= s.size()) return 0;
  unsigned char c = static_cast<unsigned char>(s[pos]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
  return std::min(n, s.size() - pos);
}

// Elapsed times count whole seconds of the value rounded to the nearest one (the clock runs
// after them use the same rounded value); plain clock times cut the fraction of a second.
double ToSecond(double v) {
  if (!std::isfinite(v) || std::fabs(v) > 1e9) return v;
  return std::nearbyint(v * 86400.0) / 86400.0;
}

// The default settings with AM and PM markers filled in.
TFormatSettings DefaultSettings() {
  TFormatSettings fs = FormatSettings;
  if (fs.TimeAMString.empty()) fs.TimeAMString = "AM";
  if (fs.TimePMString.empty()) fs.TimePMString = "PM";
  return fs;
}

String DefaultText(const Variant& v, bool magnitude) {
  if (magnitude && v.IsNumeric() && v.AsDouble() < 0) {
    Variant m = v.VType() == varDate ? Variant::FromDate(-v.AsDouble()) : Variant::OfKind(v.VType(), -v.AsDouble());
    return VarToStr(m);
  }
  return VarToStr(v);
}

// ---------------------------------------------------------------------------------------------
// Sections

struct TSections {
  std::array<String, 4> Text;
  Integer Count = 0;
  TResultConditionArray Cond;
  Integer MetFirst = -1;
};

// A condition "[op number]" at f[open]; false when the bracket is none.
bool ReadCondition(const String& f, size_t open, double x, TResultCondition& c, bool& met) {
  static const char* ops[] = {"<=", "<>", "<", "=", ">=", ">"};
  size_t p = open + 1;
  int op = -1;
  for (int i = 0; i < 6; ++i)
    if (f.compare(p, std::strlen(ops[i]), ops[i]) == 0) {
      op = i;
      p += std::strlen(ops[i]);
      break;
    }
  if (op < 0) return false;
  size_t close = f.find(']', p);
  if (close == String::npos) return false;
  Extended n = 0;
  if (!TryParseFloatDot(f.substr(p, close - p), n)) return false;
  const double v = static_cast<double>(n);
  c = TResultCondition{};
  c.Assigned = true;
  switch (op) {
    case 0: met = x <= v; c.SupressNeg = v <= 0; c.SupressNegComp = true; break;
    case 1: met = x != v; c.SupressNegComp = true; break;
    case 2: met = x < v; c.SupressNeg = v <= 0; c.SupressNegComp = true; break;
    case 3: met = x == v; c.SupressNeg = true; break;
    case 4: met = x >= v; c.SupressNegComp = v <= 0; break;
    default: met = x > v; c.SupressNegComp = v <= 0; break;
  }
  c.Complement = !met;
  return true;
}

TSections SplitSections(const String& f, double x) {
  TSections r;
  bool quoted = false;
  size_t start = 0;
  Integer s = 0;
  for (size_t i = 0; i < f.size(); ++i) {
    const char c = f[i];
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (quoted) continue;
    if (c == '\\') {
      i += CharLen(f, i + 1);
      continue;
    }
    if (c == '[') {
      if (i + 2 < f.size()) {
        TResultCondition cond;
        bool met = false;
        if (ReadCondition(f, i, x, cond, met)) {
          r.Cond[static_cast<size_t>(s)] = cond;
          if (met && r.MetFirst < 0) r.MetFirst = s;
        }
      }
      size_t close = f.find(']', i + 1);
      if (close == String::npos) break;
      i = close;
      continue;
    }
    if (c == ';') {
      r.Text[static_cast<size_t>(s)] = f.substr(start, i - start);
      ++s;
      start = i + 1;
      if (s == 4) {
        r.Count = 4;
        return r;
      }
    }
  }
  r.Text[static_cast<size_t>(s)] = f.substr(std::min(start, f.size()));
  r.Count = s + 1;
  return r;
}

// The section for x and whether its sign is suppressed; -1 when no section applies.
Integer ChooseSection(const TSections& s, double x, bool& suppress) {
  Integer index;
  suppress = false;
  if (s.MetFirst >= 0) {
    index = s.MetFirst;
    suppress = s.Cond[static_cast<size_t>(index)].SupressNeg;
  } else if (!s.Cond[0].Assigned && (x > 0 || s.Count <= 1 || (x == 0 && s.Count <= 2))) {
    index = 0;
  } else if (!s.Cond[1].Assigned && (x < 0 || s.Count <= 2)) {
    index = 1;
    suppress = (s.Count == 2 && s.Cond[0].Assigned) ? s.Cond[0].SupressNegComp : true;
  } else {
    index = s.Cond[2].Assigned ? 3 : 2;
  }
  return index < s.Count ? index : -1;
}

// ---------------------------------------------------------------------------------------------
// Tokens

struct TColorName {
  const char* Name;
  Integer Color;
};
constexpr TColorName ColorNames[] = {{"Black", 0x000000}, {"Blue", 0xFF0000},    {"Cyan", 0xFFFF00},
                                     {"Green", 0x008000}, {"Magenta", 0xFF00FF}, {"Red", 0x0000FF},
                                     {"White", 0xFFFFFF}, {"Yellow", 0x00FFFF}};

// A colour code at the start of the section: sets Color and gives the position after it.
size_t ReadColor(const String& sec, Integer& Color) {
  if (sec.empty() || sec[0] != '[') return 0;
  size_t close = sec.find(']');
  if (close == String::npos) return 0;
  String name = sec.substr(1, close - 1);
  for (const auto& c : ColorNames)
    if (name == c.Name) {  // letter case included: "[red]" is no colour code
      Color = c.Color;
      return close + 1;
    }
  return 0;
}

bool IsDateTimeChar(char c) {
  c = Up(c);
  return std::strchr(".:/ACDHMNPQSTWY\\", c) != nullptr && c != '\0';
}

bool IsNumberChar(char c) { return c != '\0' && std::strchr("#%*+,-.0?Ee\\", c) != nullptr; }

// Appends a literal at pos; returns the bytes consumed (0 when there is none).
size_t ReadLiteral(const String& sec, size_t pos, String& out) {
  const char c = sec[pos];
  if (c != '\0' && std::strchr(" !$&'()<=>^{}~", c)) {
    out += c;
    return 1;
  }
  if (sec.compare(pos, 2, "\xC2\xB4") == 0) {  // acute accent
    out += "\xC2\xB4";
    return 2;
  }
  if (c == '\\' || c == '*') {
    size_t n = CharLen(sec, pos + 1);
    out.append(sec, pos + 1, n);
    return 1 + n;
  }
  if (c == '_') {
    out += ' ';
    return 1 + CharLen(sec, pos + 1);
  }
  if (c == '"') {
    size_t close = sec.find('"', pos + 1);
    if (close == String::npos) {
      out.append(sec, pos + 1, String::npos);
      return sec.size() - pos;
    }
    out.append(sec, pos + 1, close - pos - 1);
    return close - pos + 1;
  }
  return 0;
}

// Skips a bracket that no other reader took.
size_t SkipBracket(const String& sec, size_t pos) {
  if (sec[pos] != '[') return 0;
  size_t close = sec.find(']', pos + 1);
  return close == String::npos ? 0 : close - pos + 1;
}

class TSectionRenderer {
 public:
  TSectionRenderer(const Variant& value, bool dates1904, bool& hasDate, bool& hasTime)
      : FValue(value), FX(value.AsDouble()), FDates1904(dates1904), HasDate(hasDate), HasTime(hasTime),
        FDefault(DefaultSettings()), FDateSettings(FDefault) {}

  String RenderNumber(const String& sec, bool suppress, Integer& Color) {
    FSec = sec;
    FSuppress = suppress;
    FTwelveHour = ContainsOutsideQuotes("AM/PM") || ContainsOutsideQuotes("A/P");
    size_t pos = ReadColor(sec, Color);
    String out;
    while (pos < sec.size()) {
      const size_t before = pos;
      pos += ReadLocale(pos, out);
      if (pos >= sec.size()) break;
      pos += ReadElapsed(pos, out);
      if (pos >= sec.size()) break;
      pos += SkipBracket(sec, pos);
      if (pos >= sec.size()) break;
      pos += ReadLiteral(sec, pos, out);
      if (pos >= sec.size()) break;
      pos += ReadGeneral(pos, out);
      if (pos >= sec.size()) break;
      pos += ReadDateTime(pos, out);
      if (pos >= sec.size()) break;
      pos += ReadNumber(pos, out);
      if (pos == before) return DefaultText(FValue, FSuppress);
    }
    return FNegativeShown ? "-" + out : out;
  }

 private:
  bool ContainsOutsideQuotes(const char* word) const {
    bool quoted = false;
    for (size_t i = 0; i < FSec.size(); ++i) {
      if (FSec[i] == '"') quoted = !quoted;
      else if (!quoted && FSec[i] == '\\') ++i;
      else if (!quoted && StartsWithCI(FSec, i, word)) return true;
    }
    return false;
  }

  // "[$text-code]": the currency text, and the locale of the following date-time runs.
  size_t ReadLocale(size_t pos, String& out) {
    if (FSec.compare(pos, 2, "[$") != 0 || pos + 4 > FSec.size()) return 0;
    size_t delim = FSec.find_first_of("-]", pos + 2);
    if (delim == String::npos) return FSec.size() - pos;  // unclosed: ends the walk
    out.append(FSec, pos + 2, delim - pos - 2);
    if (FSec[delim] == ']') return delim + 1 - pos;
    size_t close = FSec.find(']', delim);
    if (close == String::npos) return FSec.size() - pos;
    if (close == delim + 1) {
      FDateSettings = FDefault;
    } else {
      size_t from = std::max(delim + 1, close >= 4 ? close - 4 : 0);
      Integer code = 0;
      bool ok = true;
      for (size_t i = from; i < close; ++i) {
        char c = Up(FSec[i]);
        int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
        if (d < 0) ok = false;
        code = code * 16 + d;
      }
      TFormatSettings fs;
      if (ok && GetLocaleFormatSettings(code, fs)) {
        if (fs.TimeAMString.empty()) fs.TimeAMString = "AM";
        if (fs.TimePMString.empty()) fs.TimePMString = "PM";
        FDateSettings = fs;
      }
    }
    return close + 1 - pos;
  }

  // "[h]", "[mm]", "[ss]" ...: elapsed whole units.
  size_t ReadElapsed(size_t pos, String& out) {
    if (FSec[pos] != '[' || pos + 1 >= FSec.size()) return 0;
    size_t close = FSec.find(']', pos + 1);
    if (close == String::npos || close == pos + 1) return 0;
    const char letter = Up(FSec[pos + 1]);
    if (letter != 'H' && letter != 'M' && letter != 'S') return 0;
    for (size_t i = pos + 1; i < close; ++i)
      if (Up(FSec[i]) != letter) return 0;
    // Counted on the value rounded to the second, as the clock fields are.
    const long double ms = std::nearbyint(std::fabs(static_cast<long double>(FX)) * 86400.0L) * 1000.0L;
    const long double unit = letter == 'H' ? 3600000.0L : letter == 'M' ? 60000.0L : 1000.0L;
    // A count beyond the 64-bit integers (a huge or undefined value from a file) is written
    // from the extended value itself rather than converted.
    const long double count = std::floor(ms / unit);
    String digits;
    if (count < 9.2e18L) {
      digits = std::to_string(static_cast<long long>(count));
    } else {
      char buf[400];
      std::snprintf(buf, sizeof buf, "%.0Lf", count);
      digits = buf;
    }
    const size_t width = close - pos - 1;
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    if (FX < 0 && digits.find_first_not_of('0') != String::npos) out += '-';
    out += digits;
    HasTime = true;
    FAfterHours = letter == 'H';
    FRoundSeconds = true;
    return close + 1 - pos;
  }

  // "General": the plain value where it stands.
  size_t ReadGeneral(size_t pos, String& out) {
    if (!StartsWithCI(FSec, pos, "General")) return 0;
    out += DefaultText(FValue, FSuppress);
    return 7;
  }

  // The clock hour of the value, on a 12-hour clock.
  int Hour12(double v) const {
    Word h, m, s, ms;
    DecodeTime(v, h, m, s, ms);
    int h12 = h % 12;
    return h12 == 0 ? 12 : h12;
  }

  size_t ReadDateTime(size_t pos, String& out) {
    size_t end = pos;
    while (end < FSec.size() && IsDateTimeChar(FSec[end])) ++end;
    if (end == pos) return 0;
    const double shifted = FX + (FDates1904 ? 1462.0 : 0.0);
    const double v = FRoundSeconds ? ToSecond(shifted) : shifted;
    String pattern;
    bool afterHour = FAfterHours;
    FAfterHours = false;
    for (size_t i = pos; i < end;) {
      const char c = FSec[i];
      const char u = Up(c);
      if (c == '\\') {
        ++i;
        continue;
      }
      if (u == 'A' && (StartsWithCI(FSec, i, "AM/PM") || StartsWithCI(FSec, i, "A/P"))) {
        const bool long_ = StartsWithCI(FSec, i, "AM/PM");
        pattern += long_ ? "AMPM" : FSec.substr(i, 3);
        i += long_ ? 5 : 3;
        HasTime = true;
        continue;
      }
      if (u == 'H') {
        size_t n = 0;
        while (i + n < end && Up(FSec[i + n]) == 'H') ++n;
        HasTime = true;
        afterHour = true;
        if (FTwelveHour) {
          int h = Hour12(v);
          String text = (n >= 2 && h < 10 ? "0" : "") + std::to_string(h);
          pattern += "\"" + text + "\"";
        } else {
          pattern.append(FSec, i, n);
        }
        i += n;
        continue;
      }
      if (u == 'M') {
        size_t n = 0;
        while (i + n < end && Up(FSec[i + n]) == 'M') ++n;
        bool minutes = n <= 2 && (afterHour || SecondsFollow(i + n, end));
        if (minutes) {
          pattern.append(n, 'n');
          HasTime = true;
        } else {
          pattern.append(FSec, i, n);
          HasDate = true;
        }
        afterHour = false;
        i += n;
        continue;
      }
      if (u == 'C' || u == 'D' || u == 'Y') HasDate = true;
      if (u == 'N' || u == 'S') HasTime = true;
      if (u >= 'A' && u <= 'Z') afterHour = false;
      pattern += c;
      ++i;
    }
    try {
      out += FormatDateTime(pattern, v, FDateSettings);
    } catch (const Exception&) {
      out += "##";
    }
    return end - pos;
  }

  // Whether seconds come next in the run, after separators.
  bool SecondsFollow(size_t from, size_t end) const {
    for (size_t i = from; i < end; ++i) {
      char u = Up(FSec[i]);
      if (u >= 'A' && u <= 'Z') return u == 'S';
    }
    return false;
  }

  size_t ReadNumber(size_t pos, String& out) {
    size_t end = pos;
    while (end < FSec.size() && IsNumberChar(FSec[end])) {
      if (FSec[end] == '*' && end + 1 < FSec.size()) end += CharLen(FSec, end + 1);
      ++end;
    }
    if (end == pos) return 0;
    // Runs render the magnitude; the sign of a negative value stands before the whole section
    // ("-$2.00", not "$-2.00"), and only when some digit shows.
    double v = std::fabs(FX);
    String pattern;
    for (size_t i = pos; i < end;) {
      const char c = FSec[i];
      if (c == '\\') {
        ++i;
        continue;
      }
      if (c == '*') {
        size_t n = CharLen(FSec, i + 1);
        pattern.append(FSec, i + 1, n);
        i += 1 + n;
        continue;
      }
      if (c == '%') v *= 100;
      pattern += c == '?' ? '#' : c;
      ++i;
    }
    const String text = FormatFloat(pattern, v, FDefault);
    if (FX < 0 && !FSuppress && text.substr(0, text.find_first_of("Ee")).find_first_of("123456789") != String::npos)
      FNegativeShown = true;
    out += text;
    return end - pos;
  }

  const Variant& FValue;
  const double FX;
  const bool FDates1904;
  bool& HasDate;
  bool& HasTime;
  TFormatSettings FDefault;
  TFormatSettings FDateSettings;
  String FSec;
  bool FSuppress = false;
  bool FTwelveHour = false;
  bool FAfterHours = false;
  bool FRoundSeconds = false;
  bool FNegativeShown = false;  // a number run showed digits of a negative value
};

// A text section: colour, brackets, literals and "@".
String RenderText(const String& sec, const String& text, Integer& Color) {
  size_t pos = ReadColor(sec, Color);
  String out;
  while (pos < sec.size()) {
    const size_t before = pos;
    pos += SkipBracket(sec, pos);
    if (pos >= sec.size()) break;
    pos += ReadLiteral(sec, pos, out);
    if (pos >= sec.size()) break;
    if (sec[pos] == '@') {
      out += text;
      ++pos;
    }
    if (pos == before) return text;
  }
  return out;
}

bool IsColorAlone(const String& f) {
  Integer scratch = 0;
  size_t after = ReadColor(f, scratch);
  if (after == 0) return false;
  String rest = f.substr(after);
  return rest.empty() || (rest.size() == 7 && StartsWithCI(rest, 0, "General"));
}

String RenderNumeric(const Variant& Value, const String& Format, bool Dates1904, Integer& Color, bool& HasDate,
                     bool& HasTime) {
  const double x = Value.AsDouble();
  TSections sections = SplitSections(Format, x);
  bool suppress = false;
  Integer index = ChooseSection(sections, x, suppress);
  if (index < 0) return NoSectionText;
  const String& sec = sections.Text[static_cast<size_t>(index)];
  const double shifted = x + (Dates1904 ? 1462.0 : 0.0);
  auto system = [&](const String& pattern) {
    try {
      return FormatDateTime(pattern, shifted, DefaultSettings());
    } catch (const Exception&) {
      return String("##");
    }
  };
  if (ContainsCI(sec, "[$-F800]")) {
    HasDate = true;
    return system(FormatSettings.LongDateFormat);
  }
  if (ContainsCI(sec, "[$-F400]")) {
    HasTime = true;
    return system(FormatSettings.LongTimeFormat);
  }
  if (Value.VType() == varDate && x < 0) return NoSectionText;
  TSectionRenderer renderer(Value, Dates1904, HasDate, HasTime);
  return renderer.RenderNumber(sec, suppress, Color);
}

}  // namespace

String FormatCellValueEx(const Variant& Value, const String& Format, bool Dates1904, Integer& Color, bool& HasDate,
                         bool& HasTime) {
  HasDate = false;
  HasTime = false;
  if (Value.IsEmpty() || Value.IsNull()) return String();
  // A Boolean shows as spreadsheets show it whatever its format, the general one (the empty
  // format 0) included; the platform's own text for it would be "True".
  if (Value.VType() == varBoolean) return Value.AsBoolean() ? XlsMsg::TrueText : XlsMsg::FalseText;
  if (Format.empty()) return DefaultText(Value, false);
  switch (Value.VType()) {
    case varByte: case varSmallint: case varInteger: case varInt64: case varSingle: case varDouble:
    case varCurrency: case varDate:
      return RenderNumeric(Value, Format, Dates1904, Color, HasDate, HasTime);
    default:
      break;
  }
  if (!Value.IsString()) return DefaultText(Value, false);
  const String text = Value.AsString();
  TSections sections = SplitSections(Format, 0);
  if (sections.Count == 4) return RenderText(sections.Text[3], text, Color);
  if (Format.find('@') != String::npos) return RenderText(sections.Text[0], text, Color);
  if (IsColorAlone(Format)) ReadColor(Format, Color);
  return text;
}

String FormatCellValue(const Variant& Value, const String& Format, bool Dates1904, Integer& Color) {
  bool hasDate = false, hasTime = false;
  return FormatCellValueEx(Value, Format, Dates1904, Color, hasDate, hasTime);
}

bool FormatHasDateTime(const String& Format, bool& HasDate, bool& HasTime) {
  Integer scratch = -1;
  FormatCellValueEx(Variant::OfKind(varByte, 10), Format, false, scratch, HasDate, HasTime);
  return HasDate || HasTime;
}
