// Small routines the workbook engine shares: column letters, file search, locale-neutral
// number reading, upper-casing of wide text and quote-aware replacing.
#pragma once

#include "classlib/Types.h"

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
