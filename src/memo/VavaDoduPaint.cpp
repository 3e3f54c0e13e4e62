// Drawing the visible lines through the display: each run of a line in the font of its style
// and attribute, in the attribute's colours (or the paragraph's, or the memo's), and a mark
// after a line whose collapsed section hides the lines below it.
#include <algorithm>

#include "memo/DoduSupportHighlight.h"
#include "memo/DoduSupportNavigator.h"
#include "memo/VavaDodu.h"
#include "memo/VavaDoduLineWalk.h"

namespace {

constexpr TColor kCollapsedMark = 0x808080;

TColor Pick(TColor Attrib, TColor Paragraph, TColor Memo) {
  if (Attrib != -1 && Attrib != clNone) return Attrib;
  if (Paragraph != -1 && Paragraph != clNone) return Paragraph;
  return Memo;
}

}  // namespace

void TVavaDodu::Paint(const TRect& Area) {
  if (Display == nullptr || LineHeight <= 0) return;
  Display->FillRect(Area, BackColor);
  const int count = Store.Count();
  const int firstLine = std::max(0, (Area.Top + VOffset - TopMargin) / LineHeight);
  const int lastLine = (Area.Bottom - 1 + VOffset - TopMargin) / LineHeight;
  if (Store.VisibleLines <= 0 || firstLine >= Store.VisibleLines) return;

  TDoduNavigator nav(this);
  nav.SetVisibleLineNumber(firstLine);
  int p = nav.ParNumber();
  int lastPar = p;
  while (lastPar + 1 < count && Store.ParInfoAt(lastPar + 1).StartLine <= lastLine) ++lastPar;
  EnsureScopes(this, lastPar);
  // Paragraphs on screen that are not formatted (their scope state changed) are formatted now.
  for (int q = p; q <= lastPar; ++q) {
    if (!Store.ParInfoAt(q).ParState.Contains(ddpFormatted)) {
      FormatPars(q, q, false, true);
      nav.Invalidate();
      nav.SetVisibleLineNumber(firstLine);
      p = nav.ParNumber();
    }
  }

  for (; p < count; ++p) {
    ParInfo& par = Store.ParInfoAt(p);
    if (par.ParState.Contains(ddpHidden)) continue;
    if (par.StartLine > lastLine) break;
    const TColor parFore = par.ParState.Contains(ddpHasExtra) ? par.ParExtra->Foregnd : -1;
    const TColor parBack = par.ParState.Contains(ddpHasExtra) ? par.ParExtra->Backgnd : -1;
    TLinesList lines(&par);
    for (int li = 0; li < lines.Count(); ++li) {
      const int lineNumber = par.StartLine + li;
      if (lineNumber < firstLine) continue;
      if (lineNumber > lastLine) break;
      const LineInfo line = lines.Get(li);
      const int y = lineNumber * LineHeight + TopMargin - VOffset;
      const int x0 = LineOriginX(*this, par, line);
      int reached = WalkLine(*this, par, line, line.Stop, [&](const TLineRun& run) {
        if (run.Kind == TLineRun::rkStyleCode) return true;
        TColor fore = Pick(run.Attrib->Foregnd, parFore, TextColor);
        TColor back = Pick(run.Attrib->Backgnd, parBack, BackColor);
        if (run.Kind == TLineRun::rkText) {
          Display->DrawText(x0 + run.X, y, par.ParText + run.From, run.To - run.From, fore, back == BackColor ? clNone : back);
        } else if (back != BackColor) {
          Display->FillRect(Rect(x0 + run.X, y, x0 + run.X + run.Width, y + LineHeight), back);
        }
        return true;
      });
      nav.SetParNumber(p);
      nav.SetParLine(li);
      int start, end, bar;
      if (nav.GetCollapseLevels(start, end, bar)) {
        static const char16_t mark[] = u" ... ";
        Display->SelectFont(0);
        Display->DrawText(x0 + reached + CharWidth, y, mark, 5, BackColor, kCollapsedMark);
      }
    }
  }
}
