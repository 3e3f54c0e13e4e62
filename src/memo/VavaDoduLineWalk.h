// The walk along one display line that drawing, caret placement and hit testing share: runs of
// characters drawn in one font with one attribute, tabs jumping to their stops, style codes
// switching the style without being drawn, and on justified lines each stretched space as a
// run of its own with its share of the free width.
#pragma once

#include <functional>

#include "memo/DoduSupport.h"

class TVavaDodu;

struct TLineRun {
  enum TKind { rkText, rkTab, rkSpace, rkStyleCode };
  TKind Kind = rkText;
  int From = 0;  // the run's characters in the paragraph: From .. To - 1
  int To = 0;
  int X = 0;  // from the line's start, before alignment and scrolling
  int Width = 0;
  Byte Font = 0;  // the font style in force (selected on the display while visiting)
  const DynInfoRec* Attrib = nullptr;
};

// Visits the runs of Line from its Start up to Until (at most its Stop) and returns the width
// reached. Visit may stop the walk by returning false.
int WalkLine(TVavaDodu& Memo, ParInfo& Par, const LineInfo& Line, int Until,
             const std::function<bool(const TLineRun&)>& Visit);

// Where the line's text begins on screen: margins and alignment, less the horizontal offset.
int LineOriginX(TVavaDodu& Memo, const ParInfo& Par, const LineInfo& Line);

// The next tab stop after X (X counted from the line's start).
int NextTabStop(const TVavaDodu& Memo, int X);
