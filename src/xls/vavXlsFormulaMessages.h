// The built-in worksheet functions as BIFF8 numbers them (name, argument counts, volatility,
// operand classes of the result and of each parameter), and the two locale-neutral number
// conversions of formula text.
#pragma once

#include <span>

#include "classlib/Types.h"

// The operand class a token delivers or a formula wants: a value, a reference or an array.
enum class TFmReturnType { fmValue, fmRef, fmArray };

struct TCellFunctionData {
  Integer Index;
  const char* Name;
  Integer MinArgCount;
  Integer MaxArgCount;
  bool Volatile;
  TFmReturnType ReturnType;
  // One letter per parameter ("V" value, "R" reference, "A" array); later parameters take the
  // last letter; "-" for a function without parameters.
  const char* ParamType;
};

// Function indexes run from 0 to this.
inline constexpr Integer MaxFunctionIndex = 367;

// The table in index order; indexes without a worksheet function carry "NotAFunction" and
// the index, which can never be typed (formula text is upper-cased before the lookup).
std::span<const TCellFunctionData> CellFunctionTable();
// The first function whose name is exactly Name, or -1.
Integer FindCellFunction(const String& Name);
// The parameter letter of argument ArgIndex (0-based) of a function.
char ParamTypeAt(const TCellFunctionData& Function, Integer ArgIndex);

// A number as formula text: "." as decimal separator, no thousands separator, and as many
// significant digits (15 to 17) as reading the text back to the same double needs.
String FormulaNumberToText(double Value);
// Reads formula number text ("." decimal separator, optional exponent); false when the whole
// text is no number.
bool FormulaTextToNumber(const String& Text, double& Value);
