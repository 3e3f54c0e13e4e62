// The grid's own pictures: the pan cursors 8000 to 8008, the cursors of links, header
// selections and the cell selector (8009 to 8014), and the pan origin marks "INTLI1" (both
// directions), "INTLI2" (horizontal) and "INTLI3" (vertical). Registered once, on first use.
#pragma once

void RegisterGridCursorResources();
