// Types of the grid's calculations, numbering and sizing.
#pragma once

#include <functional>

class TObject;

// The sort direction of numbering.
enum TSortDirection { sdAscending, sdDescending };
// The rows over which a column is sized.
enum TAutoSizeRows { arAll, arNormal, arFixed };
// A custom column calculation over a row range.
using TGroupCalcEvent = std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)>;
// Asked before a row's disjunct selection changes; Allow false keeps it.
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, int ARow, bool AState, bool& Allow)>;
using TRowDisjunctSelectedEvent = std::function<void(TObject* Sender, int ARow)>;
