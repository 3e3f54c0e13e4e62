// Text helpers of the runtime: trimming, case, comparison, replacement, UTF-8/UTF-16 and
// Windows-1252.
#include <QString>

#include <algorithm>

#include "classlib/SysUtils.h"
#include "classlib/SysUtilsInternal.h"

// =============================================================================================
// Text

namespace {
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }
using sysutils_detail::AsciiLower;
using sysutils_detail::AsciiUpper;
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

char16_t Cp1252Char(unsigned char C) { return C >= 0x80 && C < 0xA0 ? kCp1252High[C - 0x80] : char16_t(C); }

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

