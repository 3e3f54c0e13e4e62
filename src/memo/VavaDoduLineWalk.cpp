#include "memo/VavaDoduLineWalk.h"

#include <algorithm>

#include "memo/VavaDodu.h"

int NextTabStop(const TVavaDodu& Memo, int X) {
  int k = Memo.TabSetting;
  int step = k > 0 ? k * Memo.CharWidth : -k;
  if (step <= 0) return X;
  return (X / step + 1) * step;
}

int LineOriginX(TVavaDodu& Memo, const ParInfo& Par, const LineInfo& Line) {
  bool justified = Memo.Justify && Line.JustifyStart < GetParLength(Par);
  int base = Memo.LeftMargin;
  if (!justified && Memo.Alignment == taRightJustify)
    base = Memo.TextWidth - Memo.RightMargin - Line.LineWidth;
  else if (!justified && Memo.Alignment == taCenter)
    base = Memo.LeftMargin + (Memo.TextWidth - Memo.LeftMargin - Memo.RightMargin - Line.LineWidth) / 2;
  return base - Memo.HOffset;
}

int WalkLine(TVavaDodu& Memo, ParInfo& Par, const LineInfo& Line, int Until,
             const std::function<bool(const TLineRun&)>& Visit) {
  const char16_t* text = Par.ParText;
  const int len = GetParLength(Par);
  const int stop = std::min({Until, Line.Stop, len});
  const bool styleCodes = Memo.StyleCodesOn();
  TMemoDisplay* display = Memo.Display;
  Byte style = styleCodes ? StyleByte(Line.StartAttrib) : Byte{0};
  const int codeCount = GetDynCount(Par);
  int code = std::min(static_cast<int>(Line.StartDynNb), codeCount);
  const DynInfoRec* attrib = code > 0 ? &Par.ParExtra->DynCodes[static_cast<size_t>(code - 1)] : GetStartAttrib(Par);

  // Justification spreads the free width over the line's inner spaces after JustifyStart:
  // free div Spaces each, and one pixel more whenever the running remainder reaches Spaces.
  const bool justified = Memo.Justify && Line.JustifyStart < len && Line.Spaces > 0;
  int spacesLeft = justified ? Line.Spaces : 0;
  int available = Memo.RightEdge < 0 ? -Memo.RightEdge : Memo.TextWidth - Memo.LeftMargin - Memo.RightMargin;
  int freeWidth = std::max(0, available - Line.LineWidth);
  int share = justified ? freeWidth / Line.Spaces : 0;
  int remainder = justified ? freeWidth % Line.Spaces : 0;
  int running = remainder / 2;

  int font = -1;
  auto selectFont = [&] {
    Byte f = Memo.FontStyleFor(style, attrib->DynStyle);
    if (f != font && display != nullptr) display->SelectFont(f);
    font = f;
  };
  auto measure = [&](int from, int count) {
    return display == nullptr ? 0 : MeasureText(display, text + from, count, Memo.MeasureLimit);
  };
  auto stretched = [&](int at) { return spacesLeft > 0 && text[at] == u' ' && at >= Line.JustifyStart; };

  int x = 0;
  int pos = Line.Start;
  while (pos < stop) {
    while (code < codeCount && Par.ParExtra->DynCodes[static_cast<size_t>(code)].DynOffset <= pos) {
      attrib = &Par.ParExtra->DynCodes[static_cast<size_t>(code)];
      ++code;
    }
    TLineRun run;
    run.From = pos;
    run.X = x;
    char16_t c = text[pos];
    if (styleCodes && IsStyleCode(c)) {
      ApplyStyleCode(style, c);
      run.Kind = TLineRun::rkStyleCode;
      run.To = pos + 1;
    } else if (c == u'\t') {
      run.Kind = TLineRun::rkTab;
      run.To = pos + 1;
      run.Width = NextTabStop(Memo, x) - x;
    } else if (stretched(pos)) {
      selectFont();
      run.Kind = TLineRun::rkSpace;
      run.To = pos + 1;
      run.Width = measure(pos, 1) + share;
      running += remainder;
      if (running >= Line.Spaces) {
        ++run.Width;
        running -= Line.Spaces;
      }
      --spacesLeft;
    } else {
      int limit = stop;
      if (code < codeCount) limit = std::min(limit, Par.ParExtra->DynCodes[static_cast<size_t>(code)].DynOffset);
      int end = pos + 1;
      while (end < limit) {
        char16_t e = text[end];
        if (e == u'\t' || (styleCodes && IsStyleCode(e)) || stretched(end)) break;
        ++end;
      }
      selectFont();
      run.To = end;
      run.Width = measure(pos, end - pos);
    }
    if (run.Kind != TLineRun::rkText && run.Kind != TLineRun::rkSpace) selectFont();
    run.Font = static_cast<Byte>(font);
    run.Attrib = attrib;
    if (!Visit(run)) return x;
    x += run.Width;
    pos = run.To;
  }
  return x;
}
