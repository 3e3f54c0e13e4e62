// Paragraph formatting: a paragraph's characters become display lines (where each starts and
// stops, how wide it is, which spaces justification may stretch, and the style and attribute
// in force at its start). FormatParagraph formats one paragraph, wholly or from a line on;
// FormatPars formats a range and keeps the line totals, the scroll position and the caret in
// step; RepaintDirty formats the pending range around the visible area at the end of an update.
#include <algorithm>
#include <climits>

#include "memo/DoduSupportHighlight.h"
#include "memo/DoduSupportNavigator.h"
#include "memo/VavaDodu.h"
#include "memo/VavaDoduLineWalk.h"

namespace {

// What decides the font while walking a paragraph: the style from style codes, and the codes
// in force (those before index Code).
struct TFontState {
  Byte Style = 0;
  int Code = 0;
  const DynInfoRec* Attrib = nullptr;
};

class TParFormatter {
 public:
  TParFormatter(TVavaDodu& Memo, TMemoDisplay* Canvas, ParInfo& Par, int Width, bool Column)
      : m(Memo), canvas(Canvas), par(Par), text(Par.ParText), len(GetParLength(Par)), codeCount(GetDynCount(Par)),
        W(Width), column(Column), styleCodes(Memo.StyleCodesOn()) {}

  void ForgetFont() { font = -1; }

  // The state just before Offset: the codes before it, the style given.
  TFontState StateBefore(int Offset, Byte Style) const {
    TFontState s;
    s.Style = Style;
    while (s.Code < codeCount && Code(s.Code).DynOffset < Offset) ++s.Code;
    s.Attrib = s.Code > 0 ? &Code(s.Code - 1) : GetStartAttrib(par);
    return s;
  }

  // The codes at Offset take effect.
  void Sync(TFontState& s, int Offset) const {
    while (s.Code < codeCount && Code(s.Code).DynOffset <= Offset) s.Attrib = &Code(s.Code++);
  }

  void Select(const TFontState& s) {
    Byte f = m.FontStyleFor(s.Style, s.Attrib->DynStyle);
    // Bit 4 of the style changes no font.
    if (font >= 0 && (f & ~0x10) == (font & ~0x10)) return;
    font = f;
    canvas->SelectFont(f);
    const char16_t spaces[] = u"  ";
    int one = canvas->TextWidth(spaces, 1);
    int two = canvas->TextWidth(spaces, 2);
    m.SpaceWidth = two - one;
    m.Overhang = 2 * one - two;
  }

  // Width of From .. To - 1, codes and style codes applied on the way.
  int MeasureSpan(TFontState& s, int From, int To) {
    int width = 0;
    int run = From;
    for (int pos = From; pos < To; ++pos) {
      bool code = s.Code < codeCount && Code(s.Code).DynOffset <= pos;
      bool styleCode = styleCodes && IsStyleCode(text[pos]);
      if (!code && !styleCode) continue;
      width += Measure(s, run, pos);
      Sync(s, pos);
      run = pos;
      if (styleCode) {
        ApplyStyleCode(s.Style, text[pos]);
        run = pos + 1;
      }
    }
    return width + Measure(s, run, To);
  }

  // The word at From: up to the next blank, tab or break character.
  int WordEnd(int From) const {
    const WideString& breaks = m.BreakChars;
    int pos = From;
    while (pos < len) {
      char16_t c = text[pos];
      if (c == u' ' || c == u'\t') break;
      if (pos > From && breaks.size() >= 2 && breaks.find(c) != WideString::npos) break;
      ++pos;
      if (!breaks.empty() && c == breaks[0]) break;
    }
    return pos;
  }

  int MeasureWord(TFontState& s, int From, int& End) {
    End = WordEnd(From);
    int width = MeasureSpan(s, From, End);
    return width - Overhang(s);
  }

  // Whether the first word (or the blanks) of the line at Pos would fit on the line before.
  bool JoinsPreviousLine(const LineInfo& Prev, const LineInfo& Line) {
    int pos = Line.Start;
    if (pos >= len) return false;
    if (text[pos] == u' ') return true;
    if (text[pos] == u'\t' || (styleCodes && IsStyleCode(text[pos]))) return false;
    TFontState s = StateBefore(pos, StyleByte(Line.StartAttrib));
    Sync(s, pos);
    int end;
    int width = MeasureWord(s, pos, end);
    if (column) return (Prev.Stop - Prev.Start) + (end - pos) <= W;
    return Prev.TotalWidth + width <= W;
  }

  // Lines from Pos on. Partial (not Full): stops as soon as a new line ends where an old one
  // (from LastLine on) did and the style at the next line's start is the same; LastLine is the
  // last old line the new lines replace. SkipFirst: the first new line may not stop it.
  void Run(int Pos, Byte Style, bool Full, const std::vector<LineInfo>& Old, int& LastLine, bool SkipFirst,
           std::vector<LineInfo>& made) {
    made.clear();
    TFontState s = StateBefore(Pos, Style);
    LineInfo cur = Open(Pos, s);
    int x = 0, spaces = 0, justify = Pos, wordEndX = 0, spacesAtWordEnd = 0;
    auto close = [&](LineInfo& Line, const TFontState& After) {
      Line.TotalColumns = Line.Stop - Line.Start;
      made.push_back(Line);
      if (Line.LineWidth > m.WidestLine) {
        m.WidestLine = Line.LineWidth;
        if (!m.WordWrap || m.RightEdge > 0) m.WidestLinePlace = par.StartLine;
      }
      if (Full || (SkipFirst && made.size() == 1) || Line.Stop >= len) return false;
      while (LastLine + 1 < static_cast<int>(Old.size()) && Old[static_cast<size_t>(LastLine)].Stop < Line.Stop) ++LastLine;
      const LineInfo& old = Old[static_cast<size_t>(LastLine)];
      if (old.Stop != Line.Stop || LastLine + 1 >= static_cast<int>(Old.size())) return false;
      const LineInfo& next = Old[static_cast<size_t>(LastLine + 1)];
      return next.Start == Line.Stop && StyleByte(next.StartAttrib) == After.Style;
    };
    auto reopen = [&](int At, const TFontState& St) {
      cur = Open(At, St);
      x = spaces = wordEndX = spacesAtWordEnd = 0;
      justify = At;
    };
    int pos = Pos;
    while (true) {
      // Blanks, tabs and style codes before a word.
      while (pos < len) {
        Sync(s, pos);
        char16_t c = text[pos];
        if (c == u' ') {
          Select(s);
          x += m.SpaceWidth;
          ++spaces;
        } else if (c == u'\t') {
          x = NextTabStop(m, x);
          justify = pos + 1;
          spaces = 0;
        } else if (styleCodes && IsStyleCode(c)) {
          ApplyStyleCode(s.Style, c);
        } else {
          break;
        }
        ++pos;
      }
      if (pos >= len) {
        // The last line is never justified.
        cur.Stop = len;
        cur.LineWidth = cur.TotalWidth = x;
        cur.Spaces = 0;
        cur.JustifyStart = len;
        close(cur, s);
        return;
      }
      const int wordStart = pos;
      TFontState ws = s;
      int wordEnd;
      int width = MeasureWord(ws, pos, wordEnd);
      bool over = column ? wordEnd - cur.Start > W : x + width > W;
      if (!over) {
        s = ws;
        x += width;
        pos = wordEnd;
        wordEndX = x;
        spacesAtWordEnd = spaces;
        continue;
      }
      if (wordStart > cur.Start) {
        // The word begins the next line; the blanks before it end this one.
        cur.Stop = wordStart;
        cur.LineWidth = wordEndX;
        cur.TotalWidth = x;
        cur.Spaces = spacesAtWordEnd;
        cur.JustifyStart = justify;
        if (close(cur, s)) return;
        reopen(wordStart, s);
        continue;
      }
      // A word wider than a whole line is split.
      int split, splitWidth;
      if (column) {
        split = std::min(wordEnd, cur.Start + std::max(W, 1));
        splitWidth = MeasureSpan(s, wordStart, split);
      } else {
        split = SplitPixel(s, wordStart, x, splitWidth);
      }
      cur.Stop = split;
      cur.LineWidth = cur.TotalWidth = splitWidth;
      cur.Spaces = 0;
      cur.JustifyStart = split;
      if (close(cur, s)) return;
      pos = split;
      reopen(split, s);
    }
  }

 private:
  const DynInfoRec& Code(int Index) const { return par.ParExtra->DynCodes[static_cast<size_t>(Index)]; }

  int Measure(const TFontState& s, int From, int To) {
    if (To <= From) return 0;
    Select(s);
    return MeasureText(canvas, text + From, To - From, m.MeasureLimit);
  }

  int Overhang(const TFontState& s) {
    Select(s);
    return m.Overhang;
  }

  LineInfo Open(int Start, const TFontState& s) const {
    LineInfo line;
    line.Start = Start;
    line.StartAttrib = StyleSet(s.Style);
    int codes = s.Code;
    while (codes > 0 && Code(codes - 1).DynOffset >= Start) --codes;
    line.StartDynNb = static_cast<uint32_t>(codes);
    return line;
  }

  // Characters are taken until the width exceeds W; the last one goes back to the next line
  // unless it is the only one, a style code, or right after an attribute code.
  int SplitPixel(TFontState& s, int From, int X, int& Width) {
    int pos = From;
    int w = X;
    int last = 0;
    bool lastKept = true;
    while (pos < len) {
      bool atCode = s.Code < codeCount && Code(s.Code).DynOffset <= pos;
      Sync(s, pos);
      char16_t c = text[pos];
      if (styleCodes && IsStyleCode(c)) {
        ApplyStyleCode(s.Style, c);
        last = 0;
        lastKept = true;
      } else {
        Select(s);
        last = c == u'\t' ? NextTabStop(m, w) - w : MeasureText(canvas, text + pos, 1, m.MeasureLimit);
        lastKept = atCode;
        w += last;
      }
      ++pos;
      if (w > W) break;
    }
    if (pos - From > 1 && !lastKept) {
      --pos;
      w -= last;
    }
    Width = w - X;
    return pos;
  }

  TVavaDodu& m;
  TMemoDisplay* canvas;
  ParInfo& par;
  const char16_t* text;
  const int len;
  const int codeCount;
  const int W;
  const bool column;
  const bool styleCodes;
  int font = -1;
};

uint32_t CodesBefore(const ParInfo& Par, int Offset) {
  uint32_t n = 0;
  for (int i = 0, count = GetDynCount(Par); i < count; ++i, ++n)
    if (Par.ParExtra->DynCodes[static_cast<size_t>(i)].DynOffset >= Offset) break;
  return n;
}

bool FitsPlainFields(const LineInfo& Line, int Length) {
  return Line.Start == 0 && Line.Stop == Length && Line.LineWidth == Line.TotalWidth && Line.LineWidth >= 0 &&
         Line.LineWidth <= 0xFFFF && Line.Spaces == 0 && Line.JustifyStart == Length && Line.StartAttrib.Empty() &&
         Line.StartDynNb == 0 && !Line.Hidden;
}

int VisibleLinesOf(const ParInfo& Par) { return Par.ParState.Contains(ddpHidden) ? 0 : GetLineCount(Par); }

}  // namespace

int TVavaDodu::WrapWidth(const ParInfo& Par) const {
  int w;
  if (Par.ParState.Contains(ddpNoWrap))
    w = INT_MAX;
  else if (!WordWrap && Alignment != taRightJustify && Alignment != taCenter)
    w = INT_MAX - RightMargin;
  else if (RightEdge > 0)
    w = RightEdge;
  else if (RightEdge < 0)
    w = -RightEdge;
  else
    w = TextWidth - LeftMargin - RightMargin;
  return std::max(w, 1);
}

void TVavaDodu::FormatParagraph(TMemoDisplay* Canvas, bool SelectFont, int /*Width*/, ParInfo& Par, int Number,
                                int& FirstLine, int& LastLine, bool Full, int& LineDelta, int& LineCount) {
  const int len = GetParLength(Par);
  if (!Par.ParState.Contains(ddpKeywDone) &&
      ((KeywordHighlighting && !Keywords.Items.empty()) || Highlighter != nullptr)) {
    TDoduNavigator a(this), b(this);
    a.SetParNumber(Number);
    b.SetParNumber(Number);
    b.SetParOffset(len);
    ParseKeywords(a, b);
  }
  Par.ParState += TParStates{ddpFormatted, ddpKeywDone};
  TLinesList lines(&Par);
  const int oldCount = lines.Count();

  if (Canvas == nullptr) {
    // Nothing to measure with: one line holding everything.
    LineInfo one;
    one.Stop = len;
    one.JustifyStart = len;
    one.TotalColumns = len;
    if (Par.ParState.Contains(ddpHasExtra)) {
      Par.ParExtra->Lines.clear();
      Par.ParExtra->FirstLine = one;
    } else {
      Par.LineWidth = 0;
    }
    LineDelta = 1 - oldCount;
    LineCount = 1;
    FirstLine = 0;
    LastLine = 0;
    return;
  }

  const bool noWrap = Par.ParState.Contains(ddpNoWrap) ||
                      (!WordWrap && Alignment != taRightJustify && Alignment != taCenter);
  const bool column = !noWrap && RightEdge > 0;
  TParFormatter formatter(*this, Canvas, Par, WrapWidth(Par), column);
  if (SelectFont) formatter.ForgetFont();

  // Scratch line tables of the memo, reused from paragraph to paragraph.
  std::vector<LineInfo>& old = FOldLines;
  std::vector<LineInfo>& made = FNewLines;
  old.resize(static_cast<size_t>(oldCount));
  for (int i = 0; i < oldCount; ++i) old[static_cast<size_t>(i)] = lines.Get(i);
  FirstLine = std::clamp(FirstLine, 0, oldCount - 1);
  bool backStep = false;
  if (FirstLine > 0 &&
      formatter.JoinsPreviousLine(old[static_cast<size_t>(FirstLine - 1)], old[static_cast<size_t>(FirstLine)])) {
    --FirstLine;
    backStep = true;
  }
  LastLine = FirstLine;
  const LineInfo& from = old[static_cast<size_t>(FirstLine)];
  formatter.Run(from.Start, StyleCodesOn() ? StyleByte(from.StartAttrib) : Byte{0}, Full, old, LastLine, backStep, made);
  if (Full || made.back().Stop >= len) LastLine = oldCount - 1;

  // The new lines replace the old ones FirstLine to LastLine; later old lines stay, with their
  // code counts taken again (the codes may have been laid anew).
  if (FirstLine == 0 && LastLine == oldCount - 1 && made.size() == 1 && !Par.ParState.Contains(ddpHasExtra) &&
      FitsPlainFields(made[0], len)) {
    Par.LineWidth = static_cast<uint16_t>(made[0].LineWidth);
  } else {
    std::vector<LineInfo>& result = FResultLines;
    result.assign(old.begin(), old.begin() + FirstLine);
    result.insert(result.end(), made.begin(), made.end());
    for (int i = LastLine + 1; i < oldCount; ++i) {
      LineInfo line = old[static_cast<size_t>(i)];
      line.StartDynNb = CodesBefore(Par, line.Start);
      result.push_back(line);
    }
    if (result.size() == 1 && !Par.ParState.Contains(ddpHasExtra) && FitsPlainFields(result[0], len)) {
      Par.LineWidth = static_cast<uint16_t>(result[0].LineWidth);
    } else {
      MakeParExtra(Par);
      Par.ParExtra->FirstLine = result[0];
      Par.ParExtra->Lines.assign(result.begin() + 1, result.end());
    }
  }
  LineDelta = static_cast<int>(made.size()) - (LastLine - FirstLine + 1);
  LastLine += LineDelta;
  LineCount = oldCount + LineDelta;
}

void TVavaDodu::FormatPars(int From, int To, bool Timed, bool Force) {
  const int count = Store.Count();
  To = std::min(To, count - 1);
  if (!Force) From = std::max(From, Store.FormatFrom);
  From = std::max(From, 0);
  if (To < From) return;
  TMemoDisplay* canvas = Display;
  const bool wasFormatting = Formatting;
  Formatting = true;

  if (Timed) {
    for (int p = From; p <= To; ++p) EnsureScopes(this, p);
  } else {
    EnsureScopes(this, To);
  }

  const int widest = WidestLine;
  int running = Store.ParInfoAt(From).StartLine;
  int totalDelta = 0;
  int visibleDelta = 0;
  bool formatted = false;
  const int caretPar = CaretNav->ParNumber();
  for (int p = From; p <= To; ++p) {
    ParInfo& par = Store.ParInfoAt(p);
    par.StartLine = running;
    if (Force || !par.ParState.Contains(ddpFormatted)) {
      int first = 0, last = 0, delta = 0, lineCount = 0;
      FormatParagraph(canvas, p == From, TextWidth, par, p, first, last, true, delta, lineCount);
      totalDelta += delta;
      if (!par.ParState.Contains(ddpHidden)) visibleDelta += delta;
      formatted = true;
      if (p == caretPar) CaretNav->ForgetCodeAndLine();
    }
    running += VisibleLinesOf(par);
    if (Store.FormatFrom == p) Store.FormatFrom = p + 1;
    if (Timed && Display != nullptr && Display->TickCount() - LastProgress >= ProgressInterval) {
      LastProgress = Display->TickCount();
      if (OnProgress) OnProgress(this);
    }
  }
  if (Store.FormatFrom > Store.FormatTo) {
    Store.FormatFrom = count;
    Store.FormatTo = -1;
  }

  if (formatted) {
    InvalidateNavigators(Navigators, Store.ParInfoAt(From).StartOffset, To);
    Store.TotalLines += totalDelta;
    Store.VisibleLines += visibleDelta;
    Store.ShiftStartLines(To + 1, visibleDelta);
    if (Display != nullptr && UpdateCount == 0) {
      // The top line stays in place, the offset inside it too.
      if (LineHeight > 0) {
        int inside = (VOffset - TopMargin) % LineHeight;
        VOffset = TopNav->VisibleLineNumber() * LineHeight + TopMargin + inside;
        if (HasVScrollBar) Display->SetScrollPos(SB_VERT, VOffset / VScale);
      }
      if (UpdateVScrollRange()) {
        Formatting = wasFormatting;
        return;
      }
      if (caretPar >= From) UpdateCaret(false);
      if ((!WordWrap || RightEdge > 0) && WidestLine != widest) UpdateHScrollRange();
    }
  }
  if (Timed && Store.FormatFrom >= count && OnProgress) OnProgress(this);
  Formatting = wasFormatting;
}

void TVavaDodu::RepaintDirty() {
  if (!Store.HasDirtyRange()) {
    UpdateCaret(false);
    return;
  }
  const int count = Store.Count();
  const int first = std::clamp(Store.DirtyFirstPar, 0, count - 1);
  const int last = std::clamp(Store.DirtyLastPar, first, count - 1);

  // The visible area: from the top navigator's paragraph while StartLine is on screen.
  const int screenLines = Display != nullptr && LineHeight > 0 ? Display->ClientHeight() / LineHeight + 1 : 0;
  const int lastVisibleLine = (VOffset - TopMargin) / std::max(LineHeight, 1) + screenLines;
  int lastVisiblePar = std::clamp(TopNav->ParNumber(), 0, count - 1);
  while (lastVisiblePar + 1 < count && Store.ParInfoAt(lastVisiblePar + 1).StartLine <= lastVisibleLine) ++lastVisiblePar;
  EnsureScopes(this, std::max(first, lastVisiblePar));

  const ParInfo& firstPar = Store.ParInfoAt(first);
  int lineInPar = firstPar.ParState.Contains(ddpHidden) ? 0 : Store.DirtyFirstLine - firstPar.StartLine;
  lineInPar = std::clamp(lineInPar, 0, GetLineCount(firstPar) - 1);
  int running = firstPar.StartLine;
  int totalDelta = 0, visibleDelta = 0;
  int firstChanged = running + lineInPar;
  int lastChanged = firstChanged;
  int p = first;
  for (; p < count; ++p) {
    ParInfo& par = Store.ParInfoAt(p);
    if (p > first && p > last && (running > lastVisibleLine || par.ParState.Contains(ddpFormatted))) break;
    par.StartLine = running;
    if (p <= last || !par.ParState.Contains(ddpFormatted)) {
      int fl = p == first ? lineInPar : 0;
      int ll = 0, delta = 0, lineCount = 0;
      bool full = !(p == first && p == last && Store.QuickReformat);
      FormatParagraph(Display, p == first, TextWidth, par, p, fl, ll, full, delta, lineCount);
      totalDelta += delta;
      if (!par.ParState.Contains(ddpHidden)) {
        visibleDelta += delta;
        lastChanged = running + (full ? lineCount - 1 : ll);
        if (p == first) firstChanged = running + fl;
      }
    }
    running += VisibleLinesOf(par);
  }
  const int lastFormatted = p - 1;
  Store.ShiftStartLines(lastFormatted + 1, visibleDelta);
  Store.TotalLines += totalDelta;
  Store.VisibleLines += visibleDelta;
  if (Store.FormatFrom >= first && Store.FormatFrom <= lastFormatted) Store.FormatFrom = lastFormatted + 1;
  if (Store.FormatFrom > Store.FormatTo) {
    Store.FormatFrom = count;
    Store.FormatTo = -1;
  }
  InvalidateNavigators(Navigators, Store.ParInfoAt(first).StartOffset, lastFormatted);

  if (Display != nullptr) {
    const int delta = visibleDelta + Store.PendingLineDelta;
    if (delta != 0) {
      if (BackgroundPicture) {
        Display->Invalidate();
      } else {
        TRect below = TextClientRect();
        below.Top = std::max(below.Top, (firstChanged + 1) * LineHeight + TopMargin - VOffset);
        if (below.Top < below.Bottom) Display->ScrollWindow(0, delta * LineHeight, below);
      }
    }
    if (LineHeight > 0) VOffset = TopNav->VisibleLineNumber() * LineHeight + TopMargin + (VOffset - TopMargin) % LineHeight;
    UpdateVScrollRange();
    if (HasVScrollBar) Display->SetScrollPos(SB_VERT, VOffset / VScale);
    // Wrapped to the text width, the widest line sets no range: no need to look for it.
    if (WidestLinePlace < 0 && (!WordWrap || RightEdge > 0)) {
      WidestLine = 0;
      for (int i = 0; i < count; ++i) WidestLine = std::max(WidestLine, ParFirstLineInfo(Store.ParInfoAt(i)).LineWidth);
    }
    UpdateHScrollRange();
    InvalidateLines(firstChanged, delta != 0 ? lastVisibleLine : lastChanged, true);
    if (BackgroundFormatting == 0 && Store.FormatFrom <= Store.FormatTo) {
      FormatPars(Store.FormatFrom, Store.FormatTo, false, false);
    } else if (BackgroundFormatting == 2 && !ComponentState().Contains(csDesigning) && OnWakeFormatter) {
      OnWakeFormatter(this);
    }
  }

  Store.ClearDirtyRange();
  if (Store.NotifyChange) {
    Store.NotifyChange = false;
    if (OnChange) OnChange(this);
  }
  UpdateCaret(false);
}

void TVavaDodu::ReformatAll() {
  WidestLine = 0;
  WidestLinePlace = -1;
  if (ComponentState().Contains(csLoading)) return;
  if (Display != nullptr) UpdateHScrollRange();
  if (UpdateCount == 0 && Display != nullptr) {
    Store.ClearFormatted();
    if (ComponentState().Contains(csDesigning) || BackgroundFormatting == 0) {
      FormatPars(0, Store.Count() - 1, ComponentState().Contains(csDesigning), true);
      Store.FormatFrom = Store.Count();
      Store.FormatTo = -1;
    } else if (BackgroundFormatting == 2 && OnWakeFormatter) {
      OnWakeFormatter(this);
    }
  } else {
    Store.ClearFormatted();
  }
}
