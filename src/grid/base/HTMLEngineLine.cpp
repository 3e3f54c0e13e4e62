// One line of formatted text, one pass: runs, text tags, anchors and the focus rectangle.
#include <algorithm>

#include "grid/base/HTMLEngineInternal.h"

namespace htmlengine {

String AttributeValue(const String& Tag, const String& Upper, const char* Name, bool KeepCase) {
  size_t p = Upper.find(Name);
  if (p == String::npos) return String();
  size_t q1 = Upper.find('"', p);
  if (q1 == String::npos) return String();
  size_t q2 = Upper.find('"', q1 + 1);
  if (q2 == String::npos) return String();
  return (KeepCase ? Tag : Upper).substr(q1 + 1, q2 - q1 - 1);
}

bool ReadWholeNumber(const String& S, int& Value) {
  size_t i = !S.empty() && S[0] == '-' ? 1 : 0;
  if (i == S.size()) return false;
  for (size_t k = i; k < S.size(); ++k)
    if (S[k] < '0' || S[k] > '9') return false;
  Value = LeadingNumber(S);
  return true;
}

int LeadingNumber(const String& S) {
  size_t i = !S.empty() && S[0] == '-' ? 1 : 0;
  int n = 0;
  for (; i < S.size() && S[i] >= '0' && S[i] <= '9'; ++i) n = std::min(n * 10 + (S[i] - '0'), kMaxTagNumber);
  return !S.empty() && S[0] == '-' ? -n : n;
}

TSize TRenderer::Measure(const String& Text) { return FMeasurer->TextSize(FCanvas, Text); }

TLineOutcome TRenderer::RenderHTMLLine(String& Text, TRect LineBox, bool Measuring, TPassState& Pass) {
  TLineOutcome line;
  FLine = &line;
  FMeasuring = Measuring;
  LineBox.Bottom -= FSubExtra;
  FLineBox = LineBox;
  FRunBox = LineBox;
  FLineWidth = 0;
  int trailingSpace = 0;
  FLineBreak = FLineFull = FListItem = false;
  FHidden = Pass.Hidden;
  FShadow = Pass.Shadow;
  String soFar;
  const size_t startLength = Text.size();

  if (FParagraphBackground && !Measuring) {
    FCanvas->Pen()->SetColor(FCanvas->Brush()->Color());
    FCanvas->FillRect(TRect{FRect.Left, LineBox.Top, FRect.Right, LineBox.Top + FLineHeight});
  }

  const int boxWidth = LineBox.Right - LineBox.Left;
  while (!Text.empty() && !FLineBreak && !FLineFull) {
    // 1. The next run: up to and including the first space (word wrap) or up to the next tag.
    const size_t lt = Text.find('<');
    const size_t sp = P.WordWrap ? Text.find(' ') : String::npos;
    size_t n;
    if (lt == String::npos || (sp != String::npos && sp < lt)) n = sp == String::npos ? Text.size() : sp + 1;
    else n = lt;

    if (n > 0) {
      const String raw = Text.substr(0, n);
      const String run = DecodeEntities(raw, true);
      const TSize size = Measure(run);
      if (FSubscript) FSubExtra = std::max(FSubExtra, size.cy / 4);
      if (FSuperscript) FSupExtra = std::max(FSupExtra, size.cy / 4);
      FLineHeight = std::max(FLineHeight, size.cy);
      if (FHidden) {
        if (!FSecondPass) Out.PlainText += run;
        Text.erase(0, n);
      } else {
        const int w = size.cx;
        FLineWidth += w;
        if (Pass.InsideAnchor) {
          const int x1 = P.HitX - LineBox.Left;
          const int x2 = (FRightToLeftReading ? LineBox.Right - P.HitX : P.HitX) - LineBox.Left;
          if (x1 >= FLineWidth - w && FLineWidth >= x2) {
            line.AnchorHit = true;
            line.Candidate = TAnchorCandidate{true, Pass.Href, Pass.Title, Pass.AnchorCounter, TRect{}};
          }
        }
        if (!Measuring) {
          DrawRun(run, w, size.cy);
          if (Pass.InsideAnchor && Pass.AnchorCounter - 1 == P.FocusAnchor) Out.FocusedHref = Pass.Href;
        }
        // A run wider than the whole line goes alone on a line; one that continues a word
        // already on the line stays with it.
        bool fits = boxWidth > FLineWidth || (boxWidth <= w && soFar.empty());
        if (!fits && !soFar.empty() && soFar.back() != ' ') fits = true;
        if (FSecondPass || fits || !P.WordWrap) {
          line.LineText += raw;
          Text.erase(0, n);
          if (!FSecondPass) Out.PlainText += run;
          if (!P.WordWrap && !FSecondPass && !fits) Text.clear();
          trailingSpace = raw.back() == ' ' ? Measure(" ").cx : 0;
        } else {
          FLineBreak = true;
          FLineWidth -= w;
        }
        soFar += run;
      }
    }

    // 3. A tag.
    if (!Text.empty() && Text[0] == '<' && Text.size() <= 2) Text.clear();
    if (!FLineBreak && Text.size() >= 3 && Text[0] == '<') {
      const size_t gt = Text.find('>');
      const String tag = gt == String::npos ? Text : Text.substr(0, gt + 1);
      const String upper = UpperCase(tag);
      if (Text[1] == '/' && Text.size() > 3) ApplyClosingTag(tag, upper, Pass);
      else ApplyOpeningTag(tag, upper, Pass);
      // 4. The tag leaves the text unless it waits for the next line.
      if (!FLineFull) {
        if (gt == String::npos) {
          Text.clear();
        } else {
          line.LineText += Text.substr(0, gt + 1);
          Text.erase(0, gt + 1);
        }
      }
    }
  }
  // A first pass always takes something, so that no text can hold the layout on one line.
  if (!FSecondPass && !Text.empty() && Text.size() == startLength) {
    const size_t gt = Text.find('>');
    Text.erase(0, gt == String::npos ? Text.size() : gt + 1);
  }

  FLineWidth -= trailingSpace;
  Out.Width = std::max(Out.Width, FLineWidth);
  if (line.Candidate.RectPending && Pass.InsideAnchor) {
    const bool sameLine = FHoverStart.Y == LineBox.Top;
    line.Candidate.HoverRect = TRect{LineBox.Left + (sameLine ? FHoverStart.X : 0), LineBox.Top,
                                     LineBox.Left + FLineWidth, LineBox.Bottom};
    line.Candidate.RectPending = false;
  }
  if (!Measuring && Pass.InsideAnchor && Pass.AnchorCounter == P.FocusAnchor + 1) {
    FFocusRect.Right = FRunBox.Left;
    FFocusRect.Bottom = FRunBox.Bottom;
    TRect focus{FFocusRect.Left - 1, FFocusRect.Top - 1, FFocusRect.Right + 1, FFocusRect.Bottom + 1};
    FCanvas->DrawFocusRect(focus);
    FFocusRect.Left = LineBox.Left + 1;
    FFocusRect.Top = focus.Bottom;
  }
  line.LineWidth = FLineWidth;
  Pass.Hidden = FHidden;
  Pass.Shadow = FShadow;
  FLine = nullptr;
  return line;
}

void TRenderer::DrawRun(const String& Run, int Width, int Height) {
  TRect box = FRunBox;
  if (FSubscript) box.Bottom += FSubExtra;
  if (FSuperscript) box.Bottom -= FSupExtra;
  box.Bottom -= FImageAlignShift;
  TFont* font = FCanvas->Font();
  if (FShadow) {
    const TColor color = font->Color();
    font->SetColor(P.ShadowColor);
    TRect shadow{box.Left + P.ShadowOffset, box.Top + P.ShadowOffset, box.Right + P.ShadowOffset,
                 box.Bottom + P.ShadowOffset};
    FCanvas->DrawText(Run, shadow, FFormat);
    font->SetColor(color);
  }
  if (font->Orientation() % 3600 != 0) {
    // A rotated run turns about the bottom-left corner of where it would stand upright.
    FCanvas->TextOut(box.Left, box.Bottom - Height, Run);
  } else {
    TRect text = box;
    FCanvas->DrawText(Run, text, FFormat);
  }
  FRunBox.Right = FRunBox.Left + Width;
  if (FErrorMark) DrawErrorMark(FRunBox.Left, FRunBox.Right, FLineBox.Bottom);
  if (FRightToLeftReading) {
    FRunBox.Right -= Width;
  } else {
    FRunBox.Left = FRunBox.Right;
    FRunBox.Right = FLineBox.Right;
  }
  FRunBox.Top = FLineBox.Top;
  FRunBox.Bottom = FLineBox.Bottom;
}

void TRenderer::DrawErrorMark(int Left, int Right, int LineBottom) {
  FCanvas->Pen()->SetColor(0x0000FF);
  FCanvas->Pen()->SetWidth(1);
  int x = Left / 2 * 2;
  int d = x % 4 == 0 ? 2 : 0;
  FCanvas->MoveTo(x, LineBottom + d - 1);
  while (x < Right) {
    d = 2 - d;
    FCanvas->LineTo(x + 2, LineBottom + d - 1);
    x += 2;
  }
}

// ---- Opening tags -------------------------------------------------------------------------

void TRenderer::ApplyOpeningTag(const String& Tag, const String& Upper, TPassState& Pass) {
  TFont* font = FCanvas->Font();
  const char second = Upper.size() > 2 ? Upper[2] : '\0';
  switch (Upper[1]) {
    case 'A': {
      if (!FMeasuring && Pass.AnchorCounter == P.FocusAnchor) {
        FFocusRect.Left = FRunBox.Left;
        FFocusRect.Top = FRunBox.Top;
      }
      ++Pass.AnchorCounter;
      Out.AnchorCount = std::max(Out.AnchorCount, Pass.AnchorCounter);
      const bool hovered = P.HoverAnchor == Pass.AnchorCounter;
      if ((!P.HoverHighlight || hovered) && !FMeasuring) {
        font->SetStyle(font->Style() + fsUnderline);
        if (P.HoverBackground != clNone) {
          FSavedHoverBrush = BrushColorOrNone();
          SetBrushColorOrClear(P.HoverBackground);
        }
        if (P.HoverTextColor != clNone) {
          FSavedHoverFont = font->Color();
          font->SetColor(P.HoverTextColor);
        }
      }
      if (!P.Selected && !(P.HoverTextColor != clNone && hovered && P.HoverHighlight)) font->SetColor(P.LinkColor);
      if (Upper.find("HREF") != String::npos) {
        Pass.Href = DecodeEntities(AttributeValue(Tag, Upper, "HREF", true), false);
        Pass.InsideAnchor = true;
      }
      if (Upper.find("TITLE") != String::npos)
        Pass.Title = DecodeEntities(AttributeValue(Tag, Upper, "TITLE", true), false);
      FHoverStart = TPoint{FLineWidth, FLineBox.Top};
      break;
    }
    case 'B':
      if (second == '>') {
        font->SetStyle(font->Style() + fsBold);
      } else if (second == 'R') {
        FLineBreak = true;
        if (!FSecondPass) Out.PlainText += '\r';
      } else if (second == 'L') {
        if (!P.BlinkVisible) font->SetColor(FEntryBrushColor);
      } else if (second == 'O') {
        if (!FMeasuring) ApplyBodyTag(Tag, Upper);
      }
      break;
    case 'C':
      ApplyControlTag(Tag, Pass);
      break;
    case 'E':
      if (!FMeasuring) FErrorMark = true;
      break;
    case 'F':
      if (Upper.back() == '>') ApplyFontTag(Upper);
      break;
    case 'H':
      if (second == 'I') {
        if (!FMeasuring) {
          FSavedHiFont = font->Color();
          FSavedHiBrush = BrushColorOrNone();
          SetBrushColorOrClear(HTMLHighlightBrushColor());
          font->SetColor(HTMLHighlightFontColor());
        }
      } else if (second == 'R') {
        FLineBreak = true;
        if (!FMeasuring) {
          FCanvas->Pen()->SetColor(clBlack);
          FCanvas->Pen()->SetWidth(1);
          FCanvas->MoveTo(FLineBox.Left, FRunBox.Bottom + 1);
          FCanvas->LineTo(FLineBox.Right, FRunBox.Bottom + 1);
        }
      }
      break;
    case 'I':
      if (second == '>') {
        font->SetStyle(font->Style() + fsItalic);
      } else if (second == 'N') {
        int n = 0;
        if (ReadWholeNumber(AttributeValue(Tag, Upper, "X", false), n) && n > FLineWidth) {
          FLineWidth = n;
          FRunBox.Left = FRect.Left + n;
        }
      } else if (second == 'M') {
        ApplyImageTag(Tag, Upper, Pass);
      }
      break;
    case 'L':
      if (second == 'I') ApplyListItem(Pass);
      break;
    case 'P':
      if (Upper.back() == '>') ApplyParagraphTag(Upper);
      break;
    case 'R':
      SelectRotatedFont(LeadingNumber(AttributeValue(Tag, Upper, "A", false)), Pass);
      break;
    case 'S':
      if (Upper.rfind("<SUB>", 0) == 0) FSubscript = true;
      else if (Upper.rfind("<SUP>", 0) == 0) FSuperscript = true;
      else if (second == 'H') FShadow = true;
      else if (second == '>') font->SetStyle(font->Style() + fsStrikeOut);
      break;
    case 'U':
      if (second == '>') {
        font->SetStyle(font->Style() + fsUnderline);
      } else {
        ++Pass.ListLevel;
        FLineBreak = true;
      }
      break;
    case 'Z':
      FHidden = true;
      break;
    default:
      break;
  }
}

void TRenderer::ApplyFontTag(const String& Upper) {
  TFont* font = FCanvas->Font();
  if (Upper.find("FACE") != String::npos) font->SetName(AttributeValue(Upper, Upper, "FACE", false));
  auto colorOf = [](const String& value) {
    return value[0] == '#' ? HTMLHexColor(value) : HTMLColorByName(LowerCase(value));
  };
  const String color = AttributeValue(Upper, Upper, " COLOR", false);
  if (!P.Selected && !color.empty()) font->SetColor(colorOf(color));
  if (Upper.find("BGCOLOR") != String::npos && !FMeasuring && !P.Selected) {
    FSavedFontBackground = BrushColorOrNone();
    const String background = AttributeValue(Upper, Upper, "BGCOLOR", false);
    if (!background.empty()) SetBrushColorOrClear(colorOf(background));
  }
  size_t p = Upper.find("SIZE");
  if (p != String::npos) {
    size_t eq = Upper.find('=', p);
    if (eq != String::npos) {
      size_t at = eq + 1;
      if (at < Upper.size() && Upper[at] == '"') ++at;
      const int n = LeadingNumber(Upper.substr(at));
      static constexpr int kHtmlSizes[] = {8, 10, 12, 14, 16};
      if (n >= 1 && n <= 5) font->SetSize(kHtmlSizes[n - 1]);
      else if (n > 0) font->SetSize(n);
    }
  }
}

void TRenderer::ApplyParagraphTag(const String& Upper) {
  const String align = AttributeValue(Upper, Upper, "ALIGN", false);
  if (align.find("RIGHT") != String::npos) FParagraphAlign = 1;
  if (align.find("LEFT") != String::npos) FParagraphAlign = 0;
  if (align.find("CENTER") != String::npos) FParagraphAlign = 2;
  if (Upper.find("INDENT") != String::npos)
    FParagraphIndent = LeadingNumber(AttributeValue(Upper, Upper, "INDENT", false));
  if (Upper.find("BGCOLOR") == String::npos || FMeasuring) return;
  const String value = AttributeValue(Upper, Upper, "BGCOLOR", false);
  const TColor color = value.empty() ? clNone : value[0] == '#' ? HTMLHexColor(value) : HTMLColorByName(LowerCase(value));
  FParagraphBackground = true;
  FSavedParagraphColor = BrushColorOrNone();
  SetBrushColorOrClear(color);
  if (color == clNone) return;
  FCanvas->Pen()->SetColor(color);
  FCanvas->FillRect(TRect{FRect.Left, FLineBox.Top, FRect.Right, FLineBox.Bottom});
}

void TRenderer::SelectRotatedFont(int Degrees, TPassState& Pass) {
  Pass.SavedOrientation = FCanvas->Font()->Orientation();
  Pass.Rotated = true;
  FCanvas->Font()->SetOrientation(Degrees * 10);
}

void TRenderer::RestoreRotatedFont(TPassState& Pass) {
  if (!Pass.Rotated) return;
  FCanvas->Font()->SetOrientation(Pass.SavedOrientation);
  Pass.Rotated = false;
}

// ---- Closing tags -------------------------------------------------------------------------

void TRenderer::CloseAnchor(TPassState& Pass) {
  TFont* font = FCanvas->Font();
  if (!FMeasuring && (!P.HoverHighlight || P.HoverAnchor == Pass.AnchorCounter)) {
    font->SetStyle(font->Style() - fsUnderline);
    if (P.HoverBackground != clNone) SetBrushColorOrClear(FSavedHoverBrush);
    if (P.HoverTextColor != clNone) font->SetColor(FSavedHoverFont);
  }
  if (!P.Selected) font->SetColor(FEntryFont.Color());
  Pass.InsideAnchor = false;
  TAnchorCandidate& hit = FLine->Candidate;
  if (hit.RectPending) {
    const bool sameLine = FHoverStart.Y == FLineBox.Top;
    hit.HoverRect = TRect{FLineBox.Left + (sameLine ? FHoverStart.X : 0), sameLine ? FHoverStart.Y : FLineBox.Top,
                          FLineBox.Left + FLineWidth, FLineBox.Bottom};
    hit.RectPending = false;
  }
  // Only an anchor that was opened can have the focus: a stray </A> draws no rectangle.
  if (P.FocusAnchor >= 0 && Pass.AnchorCounter == P.FocusAnchor + 1) {
    FFocusRect.Right = FRunBox.Left;
    FFocusRect.Bottom = FRunBox.Bottom - FImageAlignShift;
    FFocusRect.Top = FFocusRect.Bottom - GhHeight();
    TRect focus{FFocusRect.Left - 1, FFocusRect.Top - 1, FFocusRect.Right + 1, FFocusRect.Bottom + 1};
    if (!FMeasuring) FCanvas->DrawFocusRect(focus);
  }
}

void TRenderer::ApplyClosingTag(const String& /*Tag*/, const String& Upper, TPassState& Pass) {
  TFont* font = FCanvas->Font();
  const char third = Upper.size() > 3 ? Upper[3] : '\0';
  switch (Upper[2]) {
    case 'A':
      CloseAnchor(Pass);
      break;
    case 'B':
      if (third == '>') font->SetStyle(font->Style() - fsBold);
      else font->SetColor(FEntryFont.Color());
      break;
    case 'E':
      if (!FMeasuring) FErrorMark = false;
      break;
    case 'F':
      font->SetName(FEntryFont.Name());
      font->SetHeight(FEntryFont.Height());
      if (!FMeasuring && !P.Selected) {
        font->SetColor(FEntryFont.Color());
        SetBrushColorOrClear(FSavedFontBackground);
      }
      break;
    case 'H':
      // A </HI> without its <HI> has no colour to give back; the text keeps its own.
      if (third == 'I' && !FMeasuring && FSavedHiFont != clNone) {
        font->SetColor(FSavedHiFont);
        SetBrushColorOrClear(FSavedHiBrush);
        FSavedHiFont = clNone;
      }
      break;
    case 'I':
      font->SetStyle(font->Style() - fsItalic);
      break;
    case 'L':
      FLineBreak = true;
      break;
    case 'P':
      FLineBreak = true;
      if (!FMeasuring) {
        SetBrushColorOrClear(FSavedParagraphColor);
        FParagraphBackground = false;
      }
      break;
    case 'R':
      RestoreRotatedFont(Pass);
      break;
    case 'S':
      if (third == 'U') FSubscript = FSuperscript = false;
      else if (third == 'H') FShadow = false;
      else font->SetStyle(font->Style() - fsStrikeOut);
      break;
    case 'U':
      if (Upper.rfind("</U>", 0) == 0 || Pass.ListLevel < 1) font->SetStyle(font->Style() - fsUnderline);
      else --Pass.ListLevel;
      break;
    case 'Z':
      FHidden = false;
      break;
    default:
      break;
  }
}

}  // namespace htmlengine
