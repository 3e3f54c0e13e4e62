// Events and settings types of the grid's painting: the user draw events, the border pens, the
// floating footer's paint and calculation events.
#pragma once

#include <functional>

#include "classlib/Grids.h"

class TCanvas;
class TPen;
class TFloatingFooter;
class TFooterPanel;

using TGridCustomDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TGridBorderPropEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen, TPen* TopPen, TPen* RightPen,
                       TPen* BottomPen)>;
// Sender is the footer panel; AColumn a display column.
using TFooterPaintEvent = std::function<void(TObject* Sender, int AColumn, TCanvas* Canvas, TRect ARect)>;
using TCalcFooterEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };

// Registers the named bitmaps the painters draw ("ROZCHK01", "XPNODEO", ...); once is enough.
void RegisterGridPaintResources();
