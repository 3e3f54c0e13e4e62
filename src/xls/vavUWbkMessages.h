// Small routines the workbook engine shares: column letters, file search, locale-neutral
// number reading, upper-casing of wide text and quote-aware replacing.
#pragma once

#include <vector>

#include "classlib/Types.h"
#include "classlib/SysUtils.h"
#include "classlib/Variants.h"

// Column letters of a 1-based column: 1 -> A, 26 -> Z, 27 -> AA, 256 -> IV.
String EncodeColumn(Integer C);
// True for an absolute path: "/..." here, or a drive part or leading backslash as written on
// the machines the workbooks come from.
bool IsFullPath(const String& Path);
// Finds FileName: as given when it is a full path, under BasePath when that is not blank,
// else next to the running program. Raises "Can't find the file "%s"" when it is not there.
String SearchFile(const String& BasePath, const String& FileName);
// Locale-independent number reading: optional leading blanks and sign, digits with "." as
// decimal separator, optional exponent; true only when the whole text converts.
bool TryParseFloatDot(const String& Text, Extended& Value);
// Upper case of wide text. Letters of the Latin, Greek and Cyrillic blocks are mapped; other
// characters stay as they are.
WideString UpperCaseText(const WideString& Text);
// Replaces every occurrence of Old (matched ignoring ASCII case) by New outside double-quoted parts.
String ReplaceOutsideQuotes(const String& Text, const String& Old, const String& New);

// ---------------------------------------------------------------------------------------------
// Record types of the workbook interface.

// A rich-text run: from character FirstChar on, the text uses font FontIndex.
struct TRTFRun {
  Word FirstChar = 0;
  Word FontIndex = 0;
  friend bool operator==(const TRTFRun&, const TRTFRun&) = default;
};
using TRTFRunList = std::vector<TRTFRun>;

struct TRichString {
  WideString Value;
  TRTFRunList RTFRuns;
};

// A cell's value with its format index (-1: no cell) and whether a formula gives it.
struct TXlsCellValue {
  Variant Value;
  Integer XF = -1;
  bool IsFormula = false;
};

// A block of cells, 0-based inside the engine.
struct TXlsCellRange {
  Integer Left = 0;
  Integer Top = 0;
  Integer Right = 0;
  Integer Bottom = 0;
  friend bool operator==(const TXlsCellRange&, const TXlsCellRange&) = default;
};

// Page margins in inches.
struct TXlsMargins {
  Double Left = 0;
  Double Top = 0;
  Double Right = 0;
  Double Bottom = 0;
  Double Header = 0;
  Double Footer = 0;
};

// A named range of the workbook interface.
struct TXlsNamedRange {
  WideString Name;
  WideString RangeFormula;
  Integer OptionFlags = 0;
  Integer SheetIndex = 0;
  Integer NameSheetIndex = 0;
};

// ---------------------------------------------------------------------------------------------
// Dates, formats and ranges.

// The regional settings as they were when first asked for, kept for the program's life.
const TFormatSettings& CachedFormatSettings();
// Empty morning and afternoon markers become "AM" and "PM".
void EnsureAmPm(TFormatSettings& Settings);
// The date (and time) a text means under the regional settings, as the system's date reader
// takes it: a date of two or three numbers in the order of the short date format, separated by
// "/", "-", "." or the date separator (two numbers: day and month of the current year; a
// two-digit year below 50 is 20xx), and a time h:mm[:ss[.zzz]] with an optional AM or PM.
bool VarDateFromStr(const String& Text, TDateTime& Value);
// Whether Text is a date, a time or both; Format is the pattern to show it again (DateFormat,
// then a blank and TimeFormat; empty formats mean the regional short ones). Two or three
// whole numbers joined by "." are numbers or versions, not dates, unless "." is the regional
// date separator.
bool TryParseDateTime(const String& Text, TDateTime& Value, String& Format, String TimeFormat, String DateFormat,
                      bool& HasTime, bool& HasDate);
// Value (plus 1462 days with Dates1904) in Format; "##" when it cannot be shown.
String SafeFormatDateTime(const String& Format, bool Dates1904, const TFormatSettings& Settings, TDateTime Value);
String SafeDateTimeToString(const String& Format, bool Dates1904, TDateTime Value);
TXlsCellRange OffsetRange(const TXlsCellRange& Range, Integer dRow, Integer dCol);
void InitNamedRange(TXlsNamedRange& Range);
String VariantToString(const Variant& V);
