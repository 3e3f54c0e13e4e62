// Types of the grid's loaders and savers.
#pragma once

#include <cstdint>
#include <functional>

#include "classlib/SysUtils.h"

class TObject;

// A cell's text on its way into or out of a file; the handler may change it.
using TCellSaveLoadEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
// A load's or save's progress as a percentage.
using TGridProgressEvent = std::function<void(TObject* Sender, int16_t Progress)>;


// The last clipboard operation of a grid.
enum TClipOperation { coCut, coCopy };
// A wide cell value on its way in from the clipboard; the handler may change or refuse it.
using TBeforeCellPasteWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value, bool& Allow)>;
using TAfterCellPasteWideEvent = std::function<void(TObject* Sender, int ACol, int ARow, const WideString& Value)>;
