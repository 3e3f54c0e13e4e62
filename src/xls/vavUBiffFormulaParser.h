// BIFF8 formula tokens back to the text a user would type: the token array (reverse Polish
// order, then the extra data of array constants and memory areas) is walked with a stack of
// operand texts. The text uses "." as decimal separator and "," between arguments whatever
// the regional settings are.
#pragma once

#include <span>

#include "xls/vavUWbkMessages.h"
#include "xls/vavXlsMessages.h"

class TCellList;

// The text, starting with "=", of the tokens whose first byte is at FirstToken of Data; the
// token length (cce) stands in the two bytes before. The cell store answers array and table
// formulas, names and sheet prefixes. Every read is checked against the data; unknown tokens
// raise "Error reading formula, Token Id: 0x%2x is not supported".
WideString FormulaTokensToText(std::span<const Byte> Data, Integer FirstToken, const TCellList* CellList);

// Text of one cell reference: "$" before the column unless it is relative (bit 14 of the
// column word), "$" before the row unless it is relative (bit 15), 1-based row.
WideString CellReferenceText(Word Row, Word ColumnWord);
// Text of an area reference: rows 1 to 65536 give the column form "A:B".
WideString AreaReferenceText(Word FirstRow, Word LastRow, Word FirstColumnWord, Word LastColumnWord);
// The text of an error code ("#N/A"), "#ZIVIVEV_UNKNOWN" for a code that is none of the seven.
WideString FormulaErrorText(Byte Code);
