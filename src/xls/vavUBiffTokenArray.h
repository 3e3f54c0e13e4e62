// References inside stored token arrays follow inserted, deleted and copied rows, columns and
// sheets, in place on the token bytes; a shared formula's tokens become ordinary ones for one
// cell. A reference that falls off the sheet or into deleted cells turns into its "#REF!"
// token; a token the walk does not know raises ETokenException.
#pragma once

#include "xls/vavXlsMessages.h"

// Rows or columns inserted (positive counts) or deleted (negative counts) at the positions,
// and copies moved by the offsets. With RelativeOnly the offsets move only relative rows and
// columns. Tokens lie from FirstToken up to EndOffset of Data.
void ArrangeInsertRowsAndColsTokens(ArrayOfByte& Data, Integer FirstToken, Integer EndOffset, bool RelativeOnly,
                                    const TSheetInfo& SheetInfo, Integer ColOffset, Integer ColCount, Integer ColPos,
                                    Integer RowOffset, Integer RowCount, Integer RowPos);
// A copy of sheet SheetInfo.FormulaSheet became sheet SheetInfo.InsSheet: references to the
// sheet itself (and names local to it) point at the copy.
void ArrangeCopySheetTokens(ArrayOfByte& Data, Integer FirstToken, Integer EndOffset, const TSheetInfo& SheetInfo);
// The shared-formula tokens (relative rows and columns stored as offsets) for the cell at
// Row, Column.
void ArrangeSharedTokens(ArrayOfByte& Data, Integer FirstToken, Integer EndOffset, Integer Column, Integer Row);
