// The toolbox's text routines: line-break codings, quoting, searching, capitals, the wide-text
// coding, cell-text kinds, links and the clipboard's HTML wrapping.
#include "grid/base/ZudAzud.h"

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';

String ReplaceEach(const String& S, char From, const String& To) {
  String result;
  result.reserve(S.size());
  for (char c : S) {
    if (c == From) result += To;
    else result.push_back(c);
  }
  return result;
}

}  // namespace

String DoubleQuoteChars(const String& S) { return ReplaceEach(S, '"', "\"\""); }

String UndoubleChar(char C, const String& S) {
  if (S.find(C) == String::npos) return S;
  String result;
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] != C) {
      result.push_back(S[i]);
    } else if (i + 1 < S.size() && S[i + 1] == C) {
      result.push_back(C);
      ++i;
    }
  }
  return result;
}

void QuoteMultilineText(String& S) {
  S = "\"" + StringReplace(S, "\r\n", String(1, '\x0B'), rfReplaceAll) + "\"";
}

void VTToCRLF(String& S) {
  if (S.find('\x0B') != String::npos) S = ReplaceEach(S, '\x0B', "\r\n");
}

void CRLFToLF(String& S) { S = StringReplace(S, "\r\n", "\n", rfReplaceAll); }

String RemoveCR(const String& S) { return ReplaceEach(S, CR, ""); }

String CRToLF(const String& S) { return ReplaceEach(S, CR, "\n"); }

void CRToTilde(String& S) { S = ReplaceEach(ReplaceEach(S, LF, ""), CR, "~"); }

void TildeToCRLF(String& S) {
  S = ReplaceEach(S, '~', "\r\n");
  if (S == "^") S.clear();
}

String CRToEscapedN(const String& S) { return ReplaceEach(ReplaceEach(S, LF, ""), CR, "\\n"); }

String EscapedNToCR(const String& S) { return StringReplace(S, "\\n", "\r", rfReplaceAll); }

String CRToHTMLBreak(const String& S) { return ReplaceEach(S, CR, "<br>"); }

String EncodeControlChars(const String& S) {
  if (S.find(CR) == String::npos) return S;
  String result = S;
  for (char& c : result) {
    if (c == CR) c = '\t';
    else if (c == LF) c = '\b';
    else if (c == '\0') c = '\x01';
  }
  return result;
}

String DecodeControlChars(const String& S, bool Whole) {
  String result = S;
  if (result.find('\b') != String::npos) {
    for (char& c : result) {
      if (c == '\t') c = CR;
      else if (c == '\b') c = LF;
      else if (c == '\x01') c = '\0';
    }
  }
  if (Whole) return result;
  String line;
  ExtractFirstLine(result, false, line);
  return line;
}

void ExtractFirstLine(String& Text, bool KeepRest, String& Line) {
  size_t cr = Text.find(CR);
  if (cr == String::npos) {
    Line = Text;
    Text.clear();
    return;
  }
  Line = Text.substr(0, cr);
  size_t rest = cr + 1;
  if (rest < Text.size() && Text[rest] == LF) ++rest;
  Text = KeepRest ? Text.substr(rest) : String();
}

int CountLines(const String& S, bool MultiLine) { return MultiLine ? CountChar(CR, S) + 1 : 1; }

String JoinLines(const TStrings* Lines) {
  String result;
  for (Integer i = 0; Lines != nullptr && i < Lines->Count(); ++i) result += Lines->Strings(i);
  return result;
}

String CutBefore(String& S, const String& Sep) {
  size_t p = Sep.empty() ? String::npos : S.find(Sep);
  if (p == String::npos) return String();
  String before = S.substr(0, p);
  S.erase(0, p + Sep.size());
  return before;
}

void FillChars(String& S, char C) { std::fill(S.begin(), S.end(), C); }

String CapitalizeWords(const String& S) {
  // Works on characters, not bytes, so that accented letters change case as a whole.
  WideString text = IsValidUtf8(S) ? Utf8ToWide(S) : Utf8ToWide(Cp1252ToUtf8(S));
  auto mapCase = [](char16_t c, bool upper) {
    String one = WideToUtf8(WideString(1, c));
    WideString mapped = Utf8ToWide(upper ? AnsiUpperCase(one) : AnsiLowerCase(one));
    return mapped.size() == 1 ? mapped[0] : c;
  };
  const WideString separators = u" ',-.";
  WideString copy;
  bool capNext = true;
  const size_t n = text.size();
  for (size_t i = 1; i <= n; ++i) {
    char16_t c = text[i - 1];
    if (separators.find(c) != WideString::npos) {
      copy.push_back(c);
      capNext = true;
    } else {
      copy.push_back(mapCase(c, capNext));
      capNext = false;
    }
    size_t mc = copy.find(u" Mc");
    auto endsWith = [&copy](const WideString& tail) {
      return copy.size() >= tail.size() && copy.compare(copy.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (copy == u"Mc" || (mc != WideString::npos && i > 2 && i == mc + 1 + 2) ||
        (i + 2 >= n && (endsWith(u" I") || endsWith(u" II"))))
      capNext = true;
  }
  String result = WideToUtf8(copy);
  return IsValidUtf8(S) ? result : Utf8ToCp1252(result);
}

WideString DecodeWideText(const String& Value) {
  WideString result;
  if (Value.size() >= 2 && Value[0] == '|' && Value[1] == '\\') {
    for (size_t i = 2; i + 1 < Value.size(); i += 2)
      result.push_back(static_cast<char16_t>((static_cast<unsigned char>(Value[i]) << 8) |
                                             static_cast<unsigned char>(Value[i + 1])));
    return result;
  }
  for (char c : Value) result.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return result;
}

String EncodeWideText(const WideString& Value) {
  String result = "|\\";
  for (char16_t c : Value) {
    result.push_back(static_cast<char>(c >> 8));
    result.push_back(static_cast<char>(c & 0xFF));
  }
  return result;
}

int CellTextKind(const String& S, bool DetectHTML) {
  String s = S + " ";
  if (s.size() < 2) return 0;
  if (s[0] == '=') return 3;
  if (s[0] == '|' && s[1] == '\\') return s.size() >= 5 && s[3] == '=' && s[4] == '\0' ? 3 : 5;
  if (s[0] == '{' && s[1] == '\\') return 2;
  if (DetectHTML) {
    for (const char* mark : {"</", "<B", "<I", "<C"})
      if (s.find(mark) != String::npos) return 1;
  }
  return 0;
}

bool IsURL(const String& S) { return S.find("://") != String::npos || S.find("mailto:") != String::npos; }

void StripURLProtocol(String& S) {
  size_t p = S.find("://");
  if (p != String::npos) {
    S.erase(0, p + 3);
    return;
  }
  p = S.find("mailto:");
  if (p != String::npos) S.erase(0, p + 7);
}

bool LinkifyURL(const String& Prefix, const String& Text, String& Result) {
  String prefix = UpperCase(Prefix);
  if (prefix.empty() || UpperCase(Text).find(prefix) == String::npos) return false;
  String text = StringReplace(StringReplace(Text, "<", "&lt;", rfReplaceAll), ">", "&gt;", rfReplaceAll);
  size_t start = UpperCase(text).find(prefix);
  auto inURL = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           String("%()-./:@\\_{}").find(c) != String::npos;
  };
  size_t end = start;
  while (end < text.size() && inURL(text[end])) ++end;
  String url = text.substr(start, end - start);
  Result = text.substr(0, start) + "<a href=\"" + url + "\">" + url + "</a>" + text.substr(end);
  return true;
}

void BuildClipboardHTML(String& Fragment) {
  const String docType = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
  const String head =
      "<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\"></head><body>"
      "<!--StartFragment-->";
  const String tail = "<!--EndFragment--></body></html>";
  auto header = [](int startHTML, int endHTML, int startFragment, int endFragment) {
    return "Version:1.0\r\n" + Format("%s%.8d", {"StartHTML:", startHTML}) + "\r\n" +
           Format("%s%.8d", {"EndHTML:", endHTML}) + "\r\n" +
           Format("%s%.8d", {"StartFragment:", startFragment}) + "\r\n" +
           Format("%s%.8d", {"EndFragment:", endFragment}) + "\r\n";
  };
  // Our strings are UTF-8 already, so byte counts are the offsets.
  const int startHTML = static_cast<int>(header(0, 0, 0, 0).size());
  const int startFragment = startHTML + static_cast<int>(docType.size() + head.size());
  const int endFragment = startFragment + static_cast<int>(Fragment.size());
  const int endHTML = endFragment + static_cast<int>(tail.size());
  Fragment = header(startHTML, endHTML, startFragment, endFragment) + docType + head + Fragment + tail;
}

String ColorToHexRGB(TColor Color) {
  return IntToHex(static_cast<Integer>(GetRValue(Color)), 2) + IntToHex(static_cast<Integer>(GetGValue(Color)), 2) +
         IntToHex(static_cast<Integer>(GetBValue(Color)), 2);
}

TColor DimColor(TColor Color) {
  TColor rgb = ColorToRGB(Color);
  return RGB(GetRValue(rgb) / 2, GetGValue(rgb) / 2, GetBValue(rgb) / 2);
}

// ---- Searching and comparing ----

int PosInUpper(const String& UpperSub, const String& S) { return Pos(UpperSub, UpperCase(S)); }

int FindCharPos(char C, const String& S, int& Pos) {
  int p = PosOfChar(C, S);
  if (p > 0) Pos = p;
  return p;
}

int PosOfChar(char C, const String& S) {
  size_t p = S.find(C);
  return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

int PosAndStore(const String& Sub, const String& S, int& Pos) {
  Pos = ::Pos(Sub, S);
  return Pos;
}

int PosWide(const WideString& Sub, const WideString& S) {
  if (Sub.empty() || Sub.size() > S.size()) return 0;
  size_t p = S.find(Sub);
  return p == WideString::npos ? 0 : static_cast<int>(p) + 1;
}

int FindSingleChar(char C, const String& S, int& Pos) {
  Pos = 0;
  size_t i = 0;
  while (i < S.size()) {
    if (S[i] != C) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < S.size() && S[end] == C) ++end;
    if (end == S.size()) {
      Pos = static_cast<int>(S.size());
      break;
    }
    if ((end - i) % 2 == 1) {
      Pos = static_cast<int>(end);  // 1-based position of the run's last character
      break;
    }
    i = end;
  }
  return Pos;
}

int CountSingleChars(char C, const String& S) {
  String rest = S;
  int count = 0;
  int p = 0;
  while (FindSingleChar(C, rest, p) > 0) {
    ++count;
    rest.erase(0, static_cast<size_t>(p));
  }
  return count;
}

int CountChar(char C, const String& S) { return static_cast<int>(std::count(S.begin(), S.end(), C)); }

char FirstCharOfSetOutsideQuotes(const TCharSet& Set, const String& S, int& Pos) {
  bool quoted = false;
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '"') quoted = !quoted;
    else if (!quoted && std::find(Set.begin(), Set.end(), S[i]) != Set.end()) {
      Pos = static_cast<int>(i) + 1;
      return S[i];
    }
  }
  Pos = -1;
  return '\0';
}

int MatchingParenPos(const String& S) {
  int open = 0, close = 0;
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '(') ++open;
    else if (S[i] == ')' && ++close == open) return static_cast<int>(i) + 1;
  }
  return 0;
}

bool CellInGridRect(const TGridRect& R, int ACol, int ARow) { return R.Contains(ACol, ARow); }

int ClampToLimits(int Value, int Lower, int Upper) {
  if (Lower == Upper) return Value;
  if (Upper > 0 && Value > Upper) return Upper;
  if (Lower > 0 && Value < Lower) return Lower;
  return Value;
}

bool ParseRCRef(const String& S, int& ACol, int& ARow) {
  String u = UpperCase(S);
  size_t c = u.find('C');
  if (u.size() < 4 || u[0] != 'R' || c == String::npos) return false;
  String row = u.substr(1, c - 1), col = u.substr(c + 1);
  auto digits = [](const String& t) {
    return !t.empty() && t.size() < 10 && std::all_of(t.begin(), t.end(), [](char d) { return d >= '0' && d <= '9'; });
  };
  if (!digits(row) || !digits(col)) return false;
  ARow = StrToInt(row);
  ACol = StrToInt(col);
  return true;
}

bool LooksLikeDate(const String& S) {
  size_t p = S.find(FormatSettings.DateSeparator);
  return p != String::npos && p >= 1 && S.find(FormatSettings.DateSeparator, p + 1) != String::npos;
}

bool IsNumberChar(char C) { return C >= '0' && C <= '9'; }
