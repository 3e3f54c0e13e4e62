#include "classlib/RichText.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "classlib/WideText.h"

bool IsRTFText(const String& S) { return S.compare(0, 5, "{\\rtf") == 0; }

namespace {

void AppendRun(TRichDocument& Doc, const TRichRun& Look, const String& Text) {
  if (Text.empty()) return;
  if (!Doc.empty() && Doc.back().SameLook(Look)) {
    Doc.back().Text += Text;
    return;
  }
  TRichRun run = Look;
  run.Text = Text;
  Doc.push_back(run);
}

String CodePointToUtf8(char32_t C) {
  WideString w;
  if (C >= 0x10000) {
    C -= 0x10000;
    w += static_cast<char16_t>(0xD800 + (C >> 10));
    w += static_cast<char16_t>(0xDC00 + (C & 0x3FF));
  } else {
    w += static_cast<char16_t>(C);
  }
  return WideToUtf8(w);
}

struct TReaderState {
  TRichRun Look;
  enum { Text, FontTable, ColorTable, Skip } Destination = Text;
  int SkipAfterUnicode = 1;
};

class TRTFReader {
 public:
  TRTFReader(const String& S, const TRichRun& Base) : FText(S) { FState.Look = Base; }

  TRichDocument Read() {
    std::vector<TReaderState> stack;
    size_t skipChars = 0;
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      if (c == '{') {
        ++FPos;
        stack.push_back(FState);
        // A new font table entry starts in its own group.
        if (FState.Destination == TReaderState::FontTable) FFontName.clear();
      } else if (c == '}') {
        ++FPos;
        Flush();
        if (FState.Destination == TReaderState::FontTable && !FFontName.empty()) StoreFont();
        if (stack.empty()) break;
        FState = stack.back();
        stack.pop_back();
        FPendingLook = FState.Look;
      } else if (c == '\\') {
        ++FPos;
        ControlWord(skipChars);
      } else if (c == '\r' || c == '\n') {
        ++FPos;
      } else {
        ++FPos;
        if (skipChars > 0) {
          --skipChars;
          continue;
        }
        Text(String(1, c));
      }
    }
    Flush();
    return FDoc;
  }

 private:
  void Text(const String& S) {
    switch (FState.Destination) {
      case TReaderState::Text: FPending += S; break;
      case TReaderState::FontTable:
        if (S == ";") StoreFont();
        else FFontName += S;
        break;
      case TReaderState::ColorTable:
        if (S == ";") {
          FColors.push_back(FHasColor ? FColor : 0);
          FColor = 0;
          FHasColor = false;
        }
        break;
      case TReaderState::Skip: break;
    }
  }

  void Flush() {
    AppendRun(FDoc, FPendingLook, FPending);
    FPending.clear();
    FPendingLook = FState.Look;
  }

  // A change of look closes the text gathered so far.
  void LookChanging() {
    if (FState.Destination != TReaderState::Text) return;
    AppendRun(FDoc, FPendingLook, FPending);
    FPending.clear();
  }

  void LookChanged() {
    if (FState.Destination == TReaderState::Text) FPendingLook = FState.Look;
  }

  void StoreFont() {
    String name = FFontName;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    while (!name.empty() && name.front() == ' ') name.erase(0, 1);
    FFonts[FFontNumber] = name;
    FFontName.clear();
  }

  void ControlWord(size_t& SkipChars) {
    if (FPos >= FText.size()) return;
    const char c = FText[FPos];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      ++FPos;
      if (c == '\'') {
        const String hex = FText.substr(FPos, 2);
        FPos += hex.size();
        if (SkipChars > 0) {
          --SkipChars;
          return;
        }
        const int byte = static_cast<int>(std::strtol(hex.c_str(), nullptr, 16));
        Text(Cp1252ToUtf8(String(1, static_cast<char>(byte))));
      } else if (c == '*') {
        FState.Destination = TReaderState::Skip;
      } else if (c == '~') {
        Text(" ");
      } else if (c == '\\' || c == '{' || c == '}') {
        Text(String(1, c));
      }
      return;
    }
    String word;
    while (FPos < FText.size() && std::isalpha(static_cast<unsigned char>(FText[FPos]))) word += FText[FPos++];
    bool hasParam = false;
    long param = 0;
    size_t start = FPos;
    if (FPos < FText.size() && (FText[FPos] == '-' || std::isdigit(static_cast<unsigned char>(FText[FPos])))) {
      ++FPos;
      while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
      param = std::strtol(FText.substr(start, FPos - start).c_str(), nullptr, 10);
      hasParam = true;
    }
    if (FPos < FText.size() && FText[FPos] == ' ') ++FPos;

    auto setStyle = [&](TFontStyle Style) {
      LookChanging();
      if (hasParam && param == 0) FState.Look.Style -= Style;
      else FState.Look.Style += Style;
      LookChanged();
    };
    if (word == "fonttbl") {
      FState.Destination = TReaderState::FontTable;
    } else if (word == "colortbl") {
      FState.Destination = TReaderState::ColorTable;
    } else if (word == "stylesheet" || word == "info" || word == "pict" || word == "header" || word == "footer") {
      FState.Destination = TReaderState::Skip;
    } else if (word == "red" || word == "green" || word == "blue") {
      const int shift = word == "red" ? 0 : word == "green" ? 8 : 16;
      FColor |= static_cast<TColor>((param & 0xFF) << shift);
      FHasColor = true;
    } else if (word == "f") {
      if (FState.Destination == TReaderState::FontTable) {
        FFontNumber = static_cast<int>(param);
      } else {
        LookChanging();
        if (auto it = FFonts.find(static_cast<int>(param)); it != FFonts.end()) FState.Look.FontName = it->second;
        LookChanged();
      }
    } else if (word == "fs") {
      LookChanging();
      FState.Look.FontSize = static_cast<int>(param / 2);
      LookChanged();
    } else if (word == "cf") {
      LookChanging();
      FState.Look.Color = param > 0 && static_cast<size_t>(param) < FColors.size() ? FColors[static_cast<size_t>(param)] : 0;
      LookChanged();
    } else if (word == "b") {
      setStyle(fsBold);
    } else if (word == "i") {
      setStyle(fsItalic);
    } else if (word == "ul") {
      setStyle(fsUnderline);
    } else if (word == "strike") {
      setStyle(fsStrikeOut);
    } else if (word == "ulnone") {
      LookChanging();
      FState.Look.Style -= fsUnderline;
      LookChanged();
    } else if (word == "up" || word == "dn") {
      // Half points; 3 when the word has no number.
      LookChanging();
      const int halfPoints = static_cast<int>(hasParam ? param : 3);
      FState.Look.Offset = (word == "up" ? 10 : -10) * halfPoints;
      LookChanged();
    } else if (word == "plain") {
      LookChanging();
      FState.Look.Style = TFontStyles{};
      FState.Look.Offset = 0;
      LookChanged();
    } else if (word == "par" || word == "line") {
      Text("\n");
    } else if (word == "tab") {
      Text("\t");
    } else if (word == "uc") {
      FState.SkipAfterUnicode = static_cast<int>(param);
    } else if (word == "u") {
      long v = param < 0 ? param + 65536 : param;
      Text(CodePointToUtf8(static_cast<char32_t>(v)));
      SkipChars = static_cast<size_t>(FState.SkipAfterUnicode);
    }
  }

  const String& FText;
  size_t FPos = 0;
  TReaderState FState;
  TRichRun FPendingLook;
  String FPending;
  TRichDocument FDoc;
  std::map<int, String> FFonts;
  int FFontNumber = 0;
  String FFontName;
  std::vector<TColor> FColors;
  TColor FColor = 0;
  bool FHasColor = false;

 public:
  void Start() { FPendingLook = FState.Look; }
};

String EscapeRTF(const String& S) {
  String out;
  const WideString w = Utf8ToWide(S);
  for (char16_t c : w) {
    if (c == u'\\' || c == u'{' || c == u'}') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == u'\n') {
      out += "\\par\r\n";
    } else if (c == u'\t') {
      out += "\\tab ";
    } else if (c == u'\r') {
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += "\\u" + std::to_string(static_cast<int16_t>(c)) + "?";
    }
  }
  return out;
}

}  // namespace

TRichDocument ReadRTF(const String& S, const TRichRun& Base) {
  TRTFReader reader(S, Base);
  reader.Start();
  return reader.Read();
}

String WriteRTF(const TRichDocument& Doc) {
  std::vector<String> fonts;
  std::vector<TColor> colors;
  auto indexOf = [](auto& list, const auto& value) {
    for (size_t i = 0; i < list.size(); ++i)
      if (list[i] == value) return static_cast<int>(i);
    list.push_back(value);
    return static_cast<int>(list.size() - 1);
  };
  String body;
  for (const TRichRun& run : Doc) {
    const int f = indexOf(fonts, run.FontName);
    const int c = indexOf(colors, run.Color) + 1;
    body += "\\plain\\f" + std::to_string(f) + "\\fs" + std::to_string(run.FontSize * 2) + "\\cf" + std::to_string(c);
    if (run.Style.Contains(fsBold)) body += "\\b";
    if (run.Style.Contains(fsItalic)) body += "\\i";
    if (run.Style.Contains(fsUnderline)) body += "\\ul";
    if (run.Style.Contains(fsStrikeOut)) body += "\\strike";
    if (run.Offset > 0) body += "\\up" + std::to_string(run.Offset / 10);
    if (run.Offset < 0) body += "\\dn" + std::to_string(-run.Offset / 10);
    body += " " + EscapeRTF(run.Text);
  }
  String out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (size_t i = 0; i < fonts.size(); ++i) out += "{\\f" + std::to_string(i) + "\\fnil " + fonts[i] + ";}";
  out += "}\r\n{\\colortbl ;";
  for (TColor c : colors)
    out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
           std::to_string((c >> 16) & 0xFF) + ";";
  out += "}\r\n\\pard" + body + "\r\n}\r\n";
  return out;
}

String RichPlainText(const TRichDocument& Doc, const String& Separator) {
  String out;
  for (const TRichRun& run : Doc)
    for (char c : run.Text) {
      if (c == '\n') out += Separator;
      else out += c;
    }
  return out;
}
