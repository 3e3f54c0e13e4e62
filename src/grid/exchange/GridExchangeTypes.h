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

