#include "grid/base/HTMLTextOperations.h"

#include <cctype>

namespace {

struct TCharEntity {
  const char* Char;  // UTF-8
  const char* Entity;
};

// The characters written as named entities, in the order they are replaced.
constexpr TCharEntity kCharEntities[] = {
    {"\xC3\xA9", "&eacute;"}, {"\xC3\xA8", "&egrave;"}, {"\xC3\xAB", "&euml;"},   {"\xC3\xAA", "&ecirc;"},
    {"\xC3\xB3", "&oacute;"}, {"\xC3\xB2", "&ograve;"}, {"\xC3\xB6", "&ouml;"},   {"\xC3\xB4", "&ocirc;"},
    {"\xC3\xAD", "&iacute;"}, {"\xC3\xAC", "&igrave;"}, {"\xC3\xAF", "&iuml;"},   {"\xC3\xAE", "&icirc;"},
    {"\xC3\xBA", "&uacute;"}, {"\xC3\xB9", "&ugrave;"}, {"\xC3\xBC", "&uuml;"},   {"\xC3\xBB", "&ucirc;"},
    {"\xC3\xA1", "&aacute;"}, {"\xC3\xA0", "&agrave;"}, {"\xC3\xA4", "&auml;"},   {"\xC3\xA2", "&acirc;"},
    {"\xC3\x89", "&Eacute;"}, {"\xC3\x88", "&Egrave;"}, {"\xC3\x8B", "&Euml;"},   {"\xC3\x8A", "&Ecirc;"},
    {"\xC3\x93", "&Oacute;"}, {"\xC3\x92", "&Ograve;"}, {"\xC3\x96", "&Ouml;"},   {"\xC3\x94", "&Ocirc;"},
    {"\xC3\x8D", "&Iacute;"}, {"\xC3\x8C", "&Igrave;"}, {"\xC3\x8F", "&Iuml;"},   {"\xC3\x8E", "&Icirc;"},
    {"\xC3\x9A", "&Uacute;"}, {"\xC3\x99", "&Ugrave;"}, {"\xC3\x9C", "&Uuml;"},   {"\xC3\x9B", "&Ucirc;"},
    {"\xC3\x81", "&Aacute;"}, {"\xC3\x80", "&Agrave;"}, {"\xC3\x84", "&Auml;"},   {"\xC3\x82", "&Acirc;"},
    {"\xC3\xA7", "&ccedil;"}, {"\xC3\x87", "&Ccedil;"}, {"\xC3\xB8", "&oslash;"}, {"\xC3\x98", "&Oslash;"},
    {"\xC3\xA5", "&aring;"},  {"\xC3\x85", "&Aring;"},  {"\xC2\xA9", "&copy;"},   {"\xC2\xAE", "&reg;"},
    {"\xE2\x82\xAC", "&euro;"}, {"\xC2\xAB", "&laquo;"}, {"\xC2\xBB", "&raquo;"}};

String ReplaceAll(const String& S, const String& From, const String& To) {
  return StringReplace(S, From, To, rfReplaceAll);
}

String EscapeAngles(const String& S) { return ReplaceAll(ReplaceAll(S, "<", "&lt;"), ">", "&gt;"); }

// The control tags of a text in order: the text from "<CONTROL " to the next ">", with the
// 0-based position of its "<" and of the position after its ">".
struct TControlTag {
  THTMLControl Control;
  size_t Start, End;
};

std::vector<TControlTag> ControlTags(const String& S) {
  std::vector<TControlTag> tags;
  const String upper = UpperCase(S);
  size_t from = 0;
  for (;;) {
    size_t start = upper.find("<CONTROL ", from);
    if (start == String::npos) break;
    size_t close = S.find('>', start);
    size_t end = close == String::npos ? S.size() : close + 1;
    tags.push_back({ParseHTMLControlTag(S.substr(start, end - start)), start, end});
    from = end;
  }
  return tags;
}

}  // namespace

String HTMLEncodeText(const String& S) {
  String result = ReplaceAll(S, "&", "&amp;");
  result = ReplaceAll(ReplaceAll(ReplaceAll(result, "\"", "&quot;"), "<", "&lt;"), ">", "&gt;");
  for (const TCharEntity& e : kCharEntities) result = ReplaceAll(result, e.Char, e.Entity);
  return result;
}

String HTMLEncodeSpaces(const String& S) { return ReplaceAll(S, " ", "&nbsp;"); }

String HTMLDecodeEntities(const String& S) {
  String result = ReplaceAll(ReplaceAll(S, "&lt;", "<"), "&gt;", ">");
  result = ReplaceAll(ReplaceAll(result, "&amp;", "&"), "&quot;", "\"");
  for (const TCharEntity& e : kCharEntities) result = ReplaceAll(result, e.Entity, e.Char);
  return result;
}

String HTMLToPlainText(const String& S) {
  String text = StringReplace(StringReplace(S, "<BR>", "\r\n", rfReplaceAll | rfIgnoreCase), "<HR>", "\r\n",
                              rfReplaceAll | rfIgnoreCase);
  String result;
  size_t from = 0;
  for (;;) {
    size_t lt = text.find('<', from);
    if (lt == String::npos) break;
    result += text.substr(from, lt - from);
    size_t gt = text.find('>', lt);
    if (gt == String::npos) {
      from = lt;
      break;
    }
    from = gt + 1;
  }
  return result + text.substr(from);
}

String StripHTMLTags(const String& S) {
  String result, text = S;
  for (;;) {
    size_t lt = text.find('<'), gt = text.find('>');
    if (lt == String::npos || gt == String::npos || gt < lt) break;
    result += text.substr(0, lt);
    text.erase(0, gt + 1);
  }
  return result + text;
}

int VisibleToHTMLPos(const String& Html, int N) {
  int visible = 1;
  bool inTag = false;
  for (size_t i = 0; i < Html.size(); ++i) {
    if (Html[i] == '<') inTag = true;
    if (visible == N) return static_cast<int>(i) + 1;
    if (!inTag) ++visible;
    if (Html[i] == '>') inTag = false;
  }
  return visible == N ? static_cast<int>(Html.size()) + 1 : 0;
}

namespace {

// Upper case a character at a time, each character keeping its byte length (one whose upper
// case is longer or shorter in UTF-8, such as a dotless i, stays as it is), so that a position
// found in the result is the same position in S.
String UpperKeepingPositions(const String& S) {
  if (!IsValidUtf8(S)) return UpperCase(S);
  String result;
  result.reserve(S.size());
  for (size_t i = 0; i < S.size();) {
    const unsigned char lead = static_cast<unsigned char>(S[i]);
    size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    n = std::min(n, S.size() - i);
    const String one = S.substr(i, n);
    const String upper = n == 1 ? UpperCase(one) : AnsiUpperCase(one);
    result += upper.size() == n ? upper : one;
    i += n;
  }
  return result;
}

}  // namespace

int FindTextFrom(const String& Search, const String& Text, int Start, bool CaseSensitive, int& Pos) {
  String text = Start > 0 ? Text.substr(std::min<size_t>(Text.size(), static_cast<size_t>(Start))) : Text;
  int p = CaseSensitive ? ::Pos(Search, text) : ::Pos(UpperKeepingPositions(Search), UpperKeepingPositions(text));
  Pos = p > 0 ? std::max(Start, 0) + p : 0;
  return Pos;
}

String HilightInHTML(const String& Html, const String& Search, const String& Tag, bool CaseSensitive) {
  String html = Html, search = Search;
  String visible = StripHTMLTags(html);
  if (visible.find_first_of("<>") != String::npos) {
    // Escape "<" and ">" in the text parts only, so the tags and their formatting stay. A tag
    // starts with "<" and a letter, "/" or "!", as the renderer reads them.
    String escaped;
    size_t from = 0;
    for (size_t i = 0; i < html.size(); ++i) {
      const char next = i + 1 < html.size() ? html[i + 1] : '\0';
      const bool tagStart = html[i] == '<' && (std::isalpha(static_cast<unsigned char>(next)) || next == '/' || next == '!');
      size_t gt = tagStart ? html.find('>', i) : String::npos;
      if (gt == String::npos) continue;
      escaped += EscapeAngles(html.substr(from, i - from)) + html.substr(i, gt + 1 - i);
      from = gt + 1;
      i = gt;
    }
    html = escaped + EscapeAngles(html.substr(from));
    visible = StripHTMLTags(html);
    search = EscapeAngles(search);
  }
  if (search.empty()) return html;
  const String open = "<" + Tag + ">", close = "</" + Tag + ">";
  int start = 0, p = 0;
  size_t lastClose = String::npos;
  while (FindTextFrom(search, visible, start, CaseSensitive, p) > 0) {
    size_t at = static_cast<size_t>(VisibleToHTMLPos(html, p) - 1);
    // A match right behind the previous one opens after that one's closing tag, not inside it.
    if (at == lastClose) at += close.size();
    html.insert(at, open);
    int e = p + static_cast<int>(search.size());
    lastClose = static_cast<size_t>(VisibleToHTMLPos(html, e) - 1);
    html.insert(lastClose, close);
    start = e - 1;
  }
  return html;
}

String UnHilightInHTML(const String& Html, const String& Tag) {
  const String tag = UpperCase(Tag);
  String result = StringReplace(Html, "<" + tag + ">", "", rfReplaceAll | rfIgnoreCase);
  result = StringReplace(result, "</" + tag + ">", "", rfReplaceAll | rfIgnoreCase);
  return ReplaceAll(ReplaceAll(result, "&lt;", "<"), "&gt;", ">");
}

THTMLControl ParseHTMLControlTag(const String& Tag) {
  const String upper = UpperCase(Tag);
  auto attribute = [&](const char* name) -> String {
    size_t p = upper.find(String(name) + "=");
    if (p == String::npos) return String();
    size_t q1 = Tag.find('"', p);
    size_t q2 = q1 == String::npos ? String::npos : Tag.find('"', q1 + 1);
    if (q2 == String::npos) return String();
    return Tag.substr(q1 + 1, q2 - q1 - 1);
  };
  THTMLControl c;
  c.Type = UpperCase(attribute("TYPE"));
  c.Width = attribute("WIDTH");
  c.Height = attribute("HEIGHT");
  c.ID = attribute("ID");
  c.Value = HTMLDecodeEntities(attribute("VALUE"));
  c.Prop = HTMLDecodeEntities(attribute("PROP"));
  c.MaxLen = attribute("MAXLEN");
  return c;
}

String MaskPassword(const String& S) {
  size_t characters = 0;
  for (char c : S) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // UTF-8 lead bytes
  return String(characters, '*');
}

bool HasHTMLControls(const String& S) { return UpperCase(S).find("<CONTROL") != String::npos; }

String NextHTMLEditControlID(const String& S, const String& ID) {
  bool qualifies = ID.empty();
  for (const TControlTag& tag : ControlTags(S)) {
    const String& type = tag.Control.Type;
    if (qualifies && type != "BUTTON" && type != "CHECK" && type != "RADIO") return tag.Control.ID;
    if (tag.Control.ID == ID) qualifies = true;
  }
  return String();
}

String ClearHTMLRadioControls(const String& S) {
  String result = S;
  for (const TControlTag& tag : ControlTags(S))
    if (tag.Control.Type == "RADIO") SetHTMLControlValue(result, tag.Control.ID, "FALSE");
  return result;
}

String GetHTMLControlProp(const String& S, const String& ID) {
  for (const TControlTag& tag : ControlTags(S))
    if (tag.Control.ID == ID) return tag.Control.Prop;
  return String();
}

int GetHTMLControlMaxLen(const String& S, const String& ID) {
  for (const TControlTag& tag : ControlTags(S))
    if (tag.Control.ID == ID) return LeadingInt(tag.Control.MaxLen);
  return 0;
}

bool SetHTMLControlValue(String& S, const String& ID, const String& NewValue) {
  for (const TControlTag& tag : ControlTags(S)) {
    if (tag.Control.ID != ID) continue;
    const THTMLControl& c = tag.Control;
    String rebuilt = "CONTROL ID=\"" + c.ID + "\" VALUE=\"" + HTMLEncodeText(NewValue) + "\" WIDTH=\"" + c.Width +
                     "\" TYPE=\"" + c.Type + "\"";
    if (!c.Prop.empty()) rebuilt += " PROP=\"" + HTMLEncodeText(c.Prop) + "\"";
    if (!c.MaxLen.empty()) rebuilt += " MAXLEN=\"" + c.MaxLen + "\"";
    if (!c.Height.empty()) rebuilt += " HEIGHT=\"" + c.Height + "\"";
    S = S.substr(0, tag.Start + 1) + rebuilt + ">" + S.substr(tag.End);
    return true;
  }
  return false;
}

bool ReplaceFirstNoCase(const String& Old, const String& New, String& S) {
  size_t p = Old.empty() ? String::npos : UpperCase(S).find(UpperCase(Old));
  if (p == String::npos) return false;
  S.replace(p, Old.size(), New);
  return true;
}

int HexByteValue(const String& Pair) {
  if (Pair.size() < 2) return 0;
  auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  int high = digit(Pair[0]), low = digit(Pair[1]);
  return high < 0 || low < 0 ? 0 : high * 16 + low;
}
