// Types of the grid's keyboard and mouse handling: the middle-button panning directions, the
// mouse selection modes of the headers, the grid's cursor resources and the events of clicks,
// anchors, sizing and the wheel.
#pragma once

#include <functional>

#include "classlib/Controls.h"
#include "classlib/Grids.h"
#include "grid/interaction/GridDragScroll.h"

class TImage;
class TStrings;
class TPopupMenu;

enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };

// The grid's cursor resources: the pan cursors (neutral, then the eight directions) and the
// cursors of links, header selections and the cell selector.
constexpr int crPanNeutral = 8000;
constexpr int crLinkCursor = 8009;
constexpr int crRowSelectCursor = 8010;
constexpr int crColSelectCursor = 8011;
constexpr int crSelectAllCursor = 8012;
constexpr int crCellSelectorCursor = 8014;

using TCanClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TRadioClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)>;
using TAnchorClickEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor, bool& AutoHandle)>;
using TAnchorEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor)>;
using TCanDeleteRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanDelete)>;
using TAutoInsertRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, int ACol)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
using TColumnSizingEvent = std::function<void(TObject* Sender, int ACol, int ColumnSize)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TSelectionResizeEvent = std::function<void(TObject* Sender, TGridRect OrigSelection, TGridRect NewSelection)>;

// In-cell HTML controls: the press on a control, the list of a COMBO control (Edit False makes
// it a drop-down list), the choice of an item and the end of an edit.
using TControlClickEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID, const String& CtrlType, const String& CtrlVal)>;
using TControlComboListEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID, const String& CtrlType,
                                                  const String& CtrlVal, TStrings* Values, bool& Edit, int& DropCount)>;
using TControlComboSelectEvent = std::function<void(TObject* Sender, int ARow, int ACol, int ItemIndex, const String& CtrlID, const String& CtrlValue)>;
// A press on a fixed cell's drop-down button: the handler may hand over another menu (or none)
// and keep the cell highlighted while the menu is up.
using TFixedDropDownClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu*& AMenu, bool& KeepFixedCellHighlighted)>;
