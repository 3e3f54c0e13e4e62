#include "grid/base/HTMLEngine.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>

#include "grid/base/HTMLEngineInternal.h"
#include "grid/base/HTMLTextOperations.h"

namespace {

TColor GHighlightBrush = 0;
TColor GHighlightFont = 0;

struct TNamedColor {
  const char* Name;
  uint32_t Value;
};

constexpr TNamedColor kColorNames[] = {
    {"clred", 0x0000FF},          {"clblack", 0x000000},           {"clblue", 0xFF0000},
    {"clgreen", 0x008000},        {"claqua", 0xFFFF00},            {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},      {"clwhite", 0xFFFFFF},           {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},       {"clgray", 0x808080},            {"clolive", 0x008080},
    {"clnavy", 0x800000},         {"clpurple", 0x800080},          {"clteal", 0x808000},
    {"clmaroon", 0x000080},       {"clbackground", 0xFF000001},    {"clactivecaption", 0xFF000002},
    {"clinactivecaption", 0xFF000003}, {"clmenu", 0xFF000004},     {"clwindow", 0xFF000005},
    {"clwindowframe", 0xFF000006}, {"clmenutext", 0xFF000007},     {"clwindowtext", 0xFF000008},
    {"clcaptiontext", 0xFF000009}, {"clactiveborder", 0xFF00000A}, {"clinactiveborder", 0xFF00000B},
    {"clappworkspace", 0xFF00000C}, {"clhighlight", 0xFF00000D},   {"clhighlighttext", 0xFF00000E},
    {"clbtnface", 0xFF00000F},    {"clbtnshadow", 0xFF000010},     {"clgraytext", 0xFF000011},
    {"clbtntext", 0xFF000012},    {"clinactivecaptiontext", 0xFF000013}, {"clbtnhighlight", 0xFF000014},
    {"cl3ddkshadow", 0xFF000015}, {"cl3dlight", 0xFF000016},       {"clinfotext", 0xFF000017},
    {"clinfobk", 0xFF000018}};

// "<#...>" shows what it encloses as plain text.
String UnwrapHashTags(const String& S) {
  String text = S;
  for (size_t p = text.find("<#"); p != String::npos; p = text.find("<#", p)) {
    text.erase(p, 1);
    size_t gt = text.find('>', p);
    if (gt != String::npos) text.erase(gt, 1);
  }
  return text;
}

String LineEndsToBreaks(const String& S) {
  String text;
  for (char c : S) {
    if (c == '\r') text += "<BR>";
    else if (c != '\n') text += c;
  }
  return text;
}

class TCanvasMeasurer : public THTMLTextMeasurer {
 public:
  explicit TCanvasMeasurer(uint32_t Format) : FFormat(Format & ~DT_END_ELLIPSIS) {}
  TSize TextSize(TCanvas* Canvas, const String& Text) override {
    TRect r{0, 0, 0, 0};
    Canvas->DrawText(Text, r, FFormat | DT_CALCRECT);
    return TSize{r.Right - r.Left, r.Bottom - r.Top};
  }

 private:
  uint32_t FFormat;
};

}  // namespace

namespace htmlengine {

namespace {

struct TEntity {
  const char* Entity;
  const char* Char;  // UTF-8
};
// The named entities of tag values and runs; runs also take &nbsp;, &lt; and &gt;.
constexpr TEntity kEntities[] = {{"&amp;", "&"},           {"&quot;", "\""},         {"&sect;", "\xC2\xA7"},
                                 {"&permil;", "\xE2\x80\xB0"}, {"&reg;", "\xC2\xAE"},  {"&copy;", "\xC2\xA9"},
                                 {"&para;", "\xC2\xB6"},     {"&trade;", "\xE2\x84\xA2"}, {"&euro;", "\xE2\x82\xAC"},
                                 {"&nbsp;", " "},            {"&lt;", "<"},            {"&gt;", ">"}};
constexpr size_t kValueEntities = 9;

bool StartsWithNoCase(const String& S, size_t At, const char* Word) {
  for (size_t i = 0; Word[i]; ++i) {
    if (At + i >= S.size()) return false;
    if (std::tolower(static_cast<unsigned char>(S[At + i])) != Word[i]) return false;
  }
  return true;
}

}  // namespace

// One left-to-right pass that replaces each occurrence once: "&amp;lt;" shows "&lt;".
String DecodeEntities(const String& S, bool Run) {
  if (S.find('&') == String::npos) return S;
  const size_t count = Run ? std::size(kEntities) : kValueEntities;
  String result;
  result.reserve(S.size());
  for (size_t i = 0; i < S.size();) {
    size_t k = 0;
    if (S[i] == '&')
      while (k < count && !StartsWithNoCase(S, i, kEntities[k].Entity)) ++k;
    if (S[i] == '&' && k < count) {
      result += kEntities[k].Char;
      i += std::char_traits<char>::length(kEntities[k].Entity);
    } else {
      result += S[i++];
    }
  }
  return result;
}

}  // namespace htmlengine

void SetHTMLHighlightColors(TColor BrushColor, TColor FontColor) {
  GHighlightBrush = BrushColor;
  GHighlightFont = FontColor;
}
TColor HTMLHighlightBrushColor() { return GHighlightBrush; }
TColor HTMLHighlightFontColor() { return GHighlightFont; }
bool HTMLThemesPossible() { return false; }

TColor HTMLColorByName(const String& Name) {
  const String lower = LowerCase(Name);
  for (const TNamedColor& c : kColorNames)
    if (lower == c.Name) return static_cast<TColor>(c.Value);
  return 0;
}

TColor HTMLHexColor(const String& Value) {
  auto pair = [&](size_t at) { return HexByteValue(at < Value.size() ? Value.substr(at, 2) : String()); };
  return RGB(pair(1), pair(3), pair(5));
}

uint32_t BiDiDrawTextFlags(uint32_t Format, int BiDiMode, bool MiddleEastLocale) {
  if (!MiddleEastLocale) return Format;
  if (BiDiMode == 1) {
    if (Format & DT_RIGHT) Format &= ~DT_RIGHT;
    else if (!(Format & DT_CENTER)) Format |= DT_RIGHT;
  }
  if (BiDiMode != 0) Format |= DT_RTLREADING;
  return Format;
}

namespace htmlengine {

TRenderer::TRenderer(TCanvas* Canvas, const TRect& R, const THTMLRenderParams& Params, THTMLRenderResult& Result)
    : FCanvas(Canvas), FRect(R), P(Params), Out(Result) {
  FFormat = kRunFormat | (P.WordWrap ? 0 : DT_END_ELLIPSIS);
  // This platform has no Middle-East system locale switch; the canvas reads left to right.
  FFormat = BiDiDrawTextFlags(FFormat, P.BiDiMode, false);
  FRightToLeftReading = FFormat & DT_RTLREADING;
  FThemed = HTMLThemesPossible();
  if (P.Measurer) {
    FMeasurer = P.Measurer;
  } else {
    FOwnMeasurer = std::make_unique<TCanvasMeasurer>(FFormat);
    FMeasurer = FOwnMeasurer.get();
  }
}

bool TRenderer::Run(const String& Source) {
  FEntryFont.Assign(*FCanvas->Font());
  FEntryBrushColor = FCanvas->Brush()->Color();
  SetBrushColorOrClear(clNone);
  FCanvas->SetBkMode(TRANSPARENT);

  String text = Source;
  text = LineEndsToBreaks(UnwrapHashTags(text));

  TPassState first, second;
  first.Font.Assign(FEntryFont);
  second.Font.Assign(FEntryFont);
  int top = FRect.Top;
  while (!text.empty()) {
    FSubExtra = FSupExtra = FImageAlignShift = 0;
    FCanvas->SetFont(&first.Font);
    const int h0 = GhHeight();
    FLineHeight = h0;

    TRect lineBox{FRect.Left + 1, top, FRect.Right, FRect.Bottom};
    FSecondPass = false;
    FSubscript = FSuperscript = false;
    TLineOutcome measured = RenderHTMLLine(text, lineBox, true, first);
    first.Font.Assign(*FCanvas->Font());

    if (!P.MeasureOnly) {
      TRect box{FRect.Left + 1, top, FRect.Right, 0};
      if (FParagraphAlign == 1 && box.Right - measured.LineWidth > box.Left) {
        box.Left = box.Right - measured.LineWidth;
      } else if (FParagraphAlign == 2 && box.Right - box.Left - measured.LineWidth > 0) {
        box.Left += (box.Right - box.Left - measured.LineWidth) / 2;
      }
      box.Left += FParagraphIndent;
      box.Bottom = top + FLineHeight + FSubExtra + FSupExtra;
      FCanvas->SetFont(&second.Font);
      FSecondPass = true;
      FSubscript = FSuperscript = false;
      String lineText = measured.LineText;
      TLineOutcome placed = RenderHTMLLine(lineText, box, P.HitTestOnly, second);
      second.Font.Assign(*FCanvas->Font());

      const int textBottom = box.Bottom - FImageAlignShift;
      const bool onLine = P.HitY > textBottom - GhHeight() && P.HitY < textBottom;
      const TAnchorCandidate& hit = placed.Candidate;
      if (placed.AnchorHit && onLine) {
        FResult = true;
        Out.HitHref = hit.Href;
        Out.HitTitle = hit.Title;
        Out.HoveredAnchor = hit.Anchor;
        Out.HoverRect = hit.HoverRect;
      }
      if (placed.ObjectHit) FResult = true;
    }

    const int advance = FLineHeight + FSubExtra + FSupExtra;
    top += advance;
    Out.Height += advance;
    if (!P.MeasureOnly && top + h0 > FRect.Bottom) break;
  }

  if (Out.Height == 0) {
    FCanvas->SetFont(&FEntryFont);
    Out.Height = GhHeight();
  }
  return FResult;
}

TColor TRenderer::BrushColorOrNone() const {
  return FCanvas->Brush()->Style() == bsClear ? clNone : FCanvas->Brush()->Color();
}

void TRenderer::SetBrushColorOrClear(TColor Color) {
  if (Color == clNone) {
    FCanvas->Brush()->SetStyle(bsClear);
  } else {
    FCanvas->Brush()->SetColor(Color);
    FCanvas->Brush()->SetStyle(bsSolid);
  }
}

}  // namespace htmlengine

bool RenderHTMLText(TCanvas* Canvas, const String& Text, const TRect& R, const THTMLRenderParams& Params,
                    THTMLRenderResult& Result) {
  Result.PlainText.clear();
  Result.FocusedHref.clear();
  Result.HitTitle.clear();
  Result.ControlValue.clear();
  Result.ControlType.clear();
  if (!Params.HitTestOnly) Result.ControlID.clear();
  Result.Width = Result.Height = Result.AnchorCount = 0;
  Result.HoveredAnchor = -1;
  Result.ControlRect = TRect{0, 0, 0, 0};
  if (!Canvas) return false;
  // Pen, brush, font (a rotated one included) and background come back however the call ends.
  TCanvasStateSaver state(Canvas);
  htmlengine::TRenderer renderer(Canvas, R, Params, Result);
  return renderer.Run(Text);
}
