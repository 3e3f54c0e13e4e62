#include "xls/vavUWbkMessages.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <charconv>
#include <filesystem>

#include "xls/vavXlsMessages.h"

String EncodeColumn(Integer C) {
  if (C <= 0) return String();
  String letter(1, static_cast<char>('A' + (C - 1) % 26));
  if (C > 26) return EncodeColumn((C - 1) / 26) + letter;
  return letter;
}

bool IsFullPath(const String& Path) {
  if (Path.empty()) return false;
  if (Path[0] == '/' || Path[0] == '\\') return true;
  return Path.size() >= 2 && std::isalpha(static_cast<unsigned char>(Path[0])) && Path[1] == ':';
}

namespace {
bool IsRegularFile(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_regular_file(p, ec);
}

String WithDelimiter(const String& folder) {
  if (!folder.empty() && folder.back() == '/') return folder;
  return folder + "/";
}

String ProgramFolder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? String() : exe.parent_path().string();
}
}  // namespace

String SearchFile(const String& BasePath, const String& FileName) {
  if (IsFullPath(FileName)) {
    if (!IsRegularFile(FileName)) RaiseXls(XlsMsg::CantFindFile, {FileName});
    return FileName;
  }
  if (BasePath.find_first_not_of(" \t") != String::npos) {
    String path = WithDelimiter(BasePath) + FileName;
    if (!IsRegularFile(path)) RaiseXls(XlsMsg::CantFindFile, {path});
    return path;
  }
  // The engine is linked into the program, so the program's folder is also the module's.
  String folder = ProgramFolder();
  if (!folder.empty()) {
    String path = WithDelimiter(folder) + FileName;
    if (IsRegularFile(path)) return path;
  }
  RaiseXls(XlsMsg::CantFindFile, {FileName});
}

bool TryParseFloatDot(const String& Text, Extended& Value) {
  size_t p = Text.find_first_not_of(' ');
  if (p == String::npos) return false;
  bool negative = false;
  if (Text[p] == '+' || Text[p] == '-') negative = Text[p++] == '-';
  // from_chars would also take "inf" and "nan", which are not numbers here.
  if (p >= Text.size() || !(std::isdigit(static_cast<unsigned char>(Text[p])) || Text[p] == '.')) return false;
  long double v = 0;
  const char* end = Text.data() + Text.size();
  auto [ptr, ec] = std::from_chars(Text.data() + p, end, v, std::chars_format::general);
  if (ec != std::errc() || ptr != end) return false;
  Value = negative ? -v : v;
  return true;
}

namespace {
char16_t UpperChar(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 32;
  if (c < 0x80) return c;
  if (c == 0xB5) return 0x39C;                                   // micro sign
  if (c == 0xFF) return 0x178;                                   // y with diaeresis
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;        // Latin-1
  if (c >= 0x100 && c <= 0x137 && (c & 1)) return c - 1;         // Latin Extended-A pairs
  if (c >= 0x139 && c <= 0x148 && !(c & 1)) return c - 1;
  if (c >= 0x14A && c <= 0x177 && (c & 1)) return c - 1;
  if (c == 0x17A || c == 0x17C || c == 0x17E) return c - 1;
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;     // Greek
  if (c == 0x3C2) return 0x3A3;                                  // final sigma
  if (c >= 0x3AC && c <= 0x3AF) {                                // Greek with tonos
    static const char16_t tonos[] = {0x386, 0x388, 0x389, 0x38A};
    return tonos[c - 0x3AC];
  }
  if (c >= 0x430 && c <= 0x44F) return c - 32;                   // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  return c;
}
}  // namespace

WideString UpperCaseText(const WideString& Text) {
  WideString out(Text);
  for (char16_t& c : out) c = UpperChar(c);
  return out;
}

String ReplaceOutsideQuotes(const String& Text, const String& Old, const String& New) {
  if (Old.empty()) return Text;
  auto sameIgnoringCase = [&](size_t at) {
    for (size_t k = 0; k < Old.size(); ++k)
      if (std::toupper(static_cast<unsigned char>(Text[at + k])) != std::toupper(static_cast<unsigned char>(Old[k])))
        return false;
    return true;
  };
  String out;
  bool inQuotes = false;
  size_t i = 0;
  while (i < Text.size()) {
    if (Text[i] == '"') {
      inQuotes = !inQuotes;
      out += Text[i++];
    } else if (!inQuotes && i + Old.size() <= Text.size() && sameIgnoringCase(i)) {
      out += New;
      i += Old.size();
    } else {
      out += Text[i++];
    }
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Dates, formats and ranges

const TFormatSettings& CachedFormatSettings() {
  static const TFormatSettings settings = FormatSettings;
  return settings;
}

void EnsureAmPm(TFormatSettings& Settings) {
  if (Settings.TimeAMString.empty()) Settings.TimeAMString = "AM";
  if (Settings.TimePMString.empty()) Settings.TimePMString = "PM";
}

namespace {
bool AllDigits(const String& s) {
  return !s.empty() && s.size() <= 9 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<String> SplitAny(const String& s, const String& separators) {
  std::vector<String> parts(1);
  for (char c : s) {
    if (separators.find(c) != String::npos) parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

// 'y', 'm' and 'd' in the order the short date format names them.
String DateOrder(const String& shortDate) {
  String order;
  for (char c : shortDate) {
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if ((l == 'y' || l == 'm' || l == 'd') && order.find(l) == String::npos) order += l;
  }
  return order.size() == 3 ? order : String("mdy");
}

bool ParseTime(const String& text, bool pm, bool am, TDateTime& t) {
  std::vector<String> parts = SplitAny(text, String(":") + FormatSettings.TimeSeparator);
  if (parts.size() < 2 || parts.size() > 3) return false;
  Word ms = 0;
  if (parts.size() == 3) {
    size_t dot = parts[2].find_first_of(String(".") + FormatSettings.DecimalSeparator);
    if (dot != String::npos) {
      String frac = parts[2].substr(dot + 1);
      parts[2].resize(dot);
      if (!AllDigits(frac)) return false;
      frac = (frac + "000").substr(0, 3);
      ms = static_cast<Word>(std::stoi(frac));
    }
  }
  for (auto& p : parts)
    if (!AllDigits(p)) return false;
  int h = std::stoi(parts[0]), m = std::stoi(parts[1]), sec = parts.size() == 3 ? std::stoi(parts[2]) : 0;
  if (am || pm) {
    if (h < 1 || h > 12) return false;
    h = h % 12 + (pm ? 12 : 0);
  }
  return TryEncodeTime(static_cast<Word>(std::min(h, 99)), static_cast<Word>(std::min(m, 99)),
                       static_cast<Word>(std::min(sec, 99)), ms, t);
}

bool ParseDate(const String& text, TDateTime& d) {
  std::vector<String> parts = SplitAny(text, String("/-.") + FormatSettings.DateSeparator);
  if (parts.size() < 2 || parts.size() > 3) return false;
  for (auto& p : parts)
    if (!AllDigits(p)) return false;
  const String order = DateOrder(FormatSettings.ShortDateFormat);
  int y = -1, m = -1, day = -1;
  if (parts.size() == 3) {
    for (size_t i = 0; i < 3; ++i) {
      int v = std::stoi(parts[i]);
      if (order[i] == 'y') y = parts[i].size() <= 2 ? (v < 50 ? 2000 + v : 1900 + v) : v;
      else if (order[i] == 'm') m = v;
      else day = v;
    }
  } else {
    Word cy, cm, cd;
    DecodeDate(Now(), cy, cm, cd);
    y = cy;
    String dm = order;
    dm.erase(dm.find('y'), 1);
    for (size_t i = 0; i < 2; ++i) (dm[i] == 'm' ? m : day) = std::stoi(parts[i]);
  }
  if (y < 1 || y > 9999 || m < 1 || m > 12 || day < 1 || day > 31) return false;
  return TryEncodeDate(static_cast<Word>(y), static_cast<Word>(m), static_cast<Word>(day), d);
}
}  // namespace

bool VarDateFromStr(const String& Text, TDateTime& Value) {
  std::vector<String> tokens;
  {
    String t;
    for (char c : Text) {
      if (c == ' ' || c == '\t') {
        if (!t.empty()) tokens.push_back(t);
        t.clear();
      } else {
        t += c;
      }
    }
    if (!t.empty()) tokens.push_back(t);
  }
  if (tokens.empty() || tokens.size() > 3) return false;
  bool am = false, pm = false;
  const String last = UpperCase(tokens.back());
  if (tokens.size() > 1 && (last == "AM" || last == UpperCase(FormatSettings.TimeAMString))) am = true;
  if (tokens.size() > 1 && (last == "PM" || last == UpperCase(FormatSettings.TimePMString))) pm = true;
  if (am || pm) tokens.pop_back();
  TDateTime date = 0, time = 0;
  bool haveDate = false, haveTime = false;
  for (const String& tok : tokens) {
    const bool looksTime = tok.find(':') != String::npos || tok.find(FormatSettings.TimeSeparator) != String::npos;
    if (looksTime && !haveTime) {
      if (!ParseTime(tok, pm, am, time)) return false;
      haveTime = true;
    } else if (!looksTime && !haveDate) {
      if (!ParseDate(tok, date)) return false;
      haveDate = true;
    } else {
      return false;
    }
  }
  if ((am || pm) && !haveTime) return false;
  Value = date + (date < 0 ? -time : time);
  return true;
}

bool TryParseDateTime(const String& Text, TDateTime& Value, String& Format, String TimeFormat, String DateFormat,
                      bool& HasTime, bool& HasDate) {
  Format.clear();
  HasTime = HasDate = false;
  if (DateFormat.empty()) DateFormat = FormatSettings.ShortDateFormat;
  if (TimeFormat.empty()) TimeFormat = ReplaceOutsideQuotes(FormatSettings.ShortTimeFormat, "AMPM", "AM/PM");
  TDateTime v = 0;
  if (!VarDateFromStr(Text, v)) return false;
  // Two or three whole numbers joined by "." are a number or a version ("1.5", "1.2.3"), not a
  // date, unless "." is the regional date separator; and never a time.
  std::vector<String> parts = SplitAny(Trim(Text), ".");
  if ((parts.size() == 2 || parts.size() == 3) && std::all_of(parts.begin(), parts.end(), AllDigits) &&
      (std::trunc(v) == 0 || FormatSettings.DateSeparator != '.'))
    return false;
  auto has = [&](char c) { return Text.find(c) != String::npos; };
  HasDate = (has('.') || has('/') || has('-') || has(FormatSettings.DateSeparator)) && std::trunc(v) > 0;
  HasTime = has(':') || has(FormatSettings.TimeSeparator);
  if (!HasDate && !HasTime) return false;
  Value = v;
  if (HasDate) Format = DateFormat;
  if (HasTime) Format += (HasDate ? " " : "") + TimeFormat;
  return true;
}

String SafeFormatDateTime(const String& Format, bool Dates1904, const TFormatSettings& Settings, TDateTime Value) {
  try {
    return FormatDateTime(Format, Value + (Dates1904 ? 1462 : 0), Settings);
  } catch (const Exception&) {
    return "##";
  }
}

String SafeDateTimeToString(const String& Format, bool Dates1904, TDateTime Value) {
  return SafeFormatDateTime(Format, Dates1904, FormatSettings, Value);
}

TXlsCellRange OffsetRange(const TXlsCellRange& Range, Integer dRow, Integer dCol) {
  return TXlsCellRange{Range.Left + dCol, Range.Top + dRow, Range.Right + dCol, Range.Bottom + dRow};
}

void InitNamedRange(TXlsNamedRange& Range) {
  Range.Name.clear();
  Range.RangeFormula.clear();
  Range.OptionFlags = 0;
  Range.SheetIndex = 0;
}

String VariantToString(const Variant& V) { return VarToStr(V); }
