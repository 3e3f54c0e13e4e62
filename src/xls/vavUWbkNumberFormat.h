// Renders a cell value through its number format as a spreadsheet shows it, with the font
// colour the format asks for. The format is cut into sections; the chosen section is walked
// token by token, and its runs of number and date-time characters are rendered by FormatFloat
// and FormatDateTime, joined with the format's literal text.
//
// Beyond the plain walk: "AM/PM" (or "A/P") anywhere in a section selects the 12-hour clock
// for every hour of the section and marks a time, not a date; "m" and "mm" right after an hour
// or right before seconds are minutes; "General" renders the plain value where it stands, so
// literal text around it is kept; elapsed times count the value rounded to the second; the
// minus sign of a negative number stands before the section's text ("-$2.00"); colour names are
// matched ignoring letter case, as other programs write them ("[RED]").
#pragma once

#include <array>

#include "classlib/Variants.h"
#include "xls/vavUWbkMessages.h"

// The condition of one format section.
struct TResultCondition {
  bool SupressNeg = false;      // a value that meets it is shown without its minus sign
  bool SupressNegComp = false;  // a value that fails it, falling to the next section, likewise
  bool Complement = false;      // the value does not meet it
  bool Assigned = false;        // the section has a condition
};
using TResultConditionArray = std::array<TResultCondition, 4>;

// Value rendered with Format; Color (00BBGGRR) changes only when the chosen section starts
// with a colour code. Dates count days from 1899-12-30; with Dates1904 1462 days are added
// before a date is rendered.
String FormatCellValue(const Variant& Value, const String& Format, bool Dates1904, Integer& Color);
// The same, also telling whether the rendering showed a date part and a time part.
String FormatCellValueEx(const Variant& Value, const String& Format, bool Dates1904, Integer& Color, bool& HasDate,
                         bool& HasTime);
// Whether the format shows a date or a time (rendering the number 10 with it).
bool FormatHasDateTime(const String& Format, bool& HasDate, bool& HasTime);

// "###################": a number no section of the format can show.
inline constexpr const char* NoSectionText = "###################";
