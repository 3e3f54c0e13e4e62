// Reading the grid's cell texts as numbers.
#pragma once

#include <cstddef>

#include "classlib/SysUtils.h"

// A cell's number text made plain: blanks around it go, parentheses around it or a leading
// minus give the sign, the locale's thousand separators are dropped and its decimal separator
// becomes a point. Any other character stays, so that a text that is no number stays one.
String CleanNumberText(const String& S);
// Reads a plain number text (sign, digits, point, exponent). On failure ErrorAt is the 1-based
// position of the first character that does not fit.
bool ParseNumberText(const String& S, long double& Value, size_t& ErrorAt);
