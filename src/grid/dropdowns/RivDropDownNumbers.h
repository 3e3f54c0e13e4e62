// Number texts of the drop-down edits: how a text classifies as a number, thousand
// separators and hexadecimal digits. The separators are the regional settings' at each call.
#pragma once

#include "classlib/Types.h"

// 0 integer (digits and "-"), 1 real (digits, ",", "-", "." with thousand separators at least
// three places apart), 5 hexadecimal (digits, "-", A-F, a-f), 2 anything else; also 2 for the
// empty text and for a text with more than one "-" or decimal separator.
int ClassifyNumber(const String& S);
String StripThousandSeparators(const String& S);
// Hexadecimal digits to a number; any other character counts as 0.
Int64 HexToInt(const String& S);
