// The comparison the drop-downs' lookups and completions make of typed text with their lists.
#pragma once

#include "classlib/Types.h"

// Whether Text begins with Start (an empty Start begins nothing), letter case ignored unless
// CaseSensitive. ASCII letters are compared byte by byte; other text through the locale's
// upper case of the part compared.
bool LookupStartsWith(const String& Text, const String& Start, bool CaseSensitive);
