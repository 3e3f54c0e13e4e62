// String operations on cell texts written in the grid's HTML subset that do not draw: entity
// coding, plain and visible text, highlighting search matches and removing the highlights,
// and reading and rewriting the embedded <CONTROL ...> tags that the grid edits in place.
//
// Positions are 1-based byte positions. Entity characters are UTF-8 (the program's code page).
#pragma once

#include "classlib/SysUtils.h"

String HTMLEncodeText(const String& S);
String HTMLEncodeSpaces(const String& S);
String HTMLDecodeEntities(const String& S);
// <BR> and <HR> (any case) become CR LF; every other tag is dropped; entities stay.
String HTMLToPlainText(const String& S);
// The visible text: every tag removed.
String StripHTMLTags(const String& S);
// Position in Html of its N-th visible character (length + 1 just past the end); 0 beyond.
int VisibleToHTMLPos(const String& Html, int N);
// Position of the first match of Search after the first Start characters of Text; 0 when none.
int FindTextFrom(const String& Search, const String& Text, int Start, bool CaseSensitive, int& Pos);
// Every match of Search in the visible text wrapped in <Tag> ... </Tag>.
String HilightInHTML(const String& Html, const String& Search, const String& Tag, bool CaseSensitive);
String UnHilightInHTML(const String& Html, const String& Tag);

// The attributes of one <CONTROL ...> tag.
struct THTMLControl {
  String Type, ID, Value, Width, Height, Prop, MaxLen;
};
THTMLControl ParseHTMLControlTag(const String& Tag);
String MaskPassword(const String& S);
bool HasHTMLControls(const String& S);
// The ID of the first edit-type control after the control named ID (from the start when ID is
// empty); "" when none.
String NextHTMLEditControlID(const String& S, const String& ID);
String ClearHTMLRadioControls(const String& S);
String GetHTMLControlProp(const String& S, const String& ID);
int GetHTMLControlMaxLen(const String& S, const String& ID);
// Rewrites the VALUE of the control with this ID; false, S unchanged, when there is none.
bool SetHTMLControlValue(String& S, const String& ID, const String& NewValue);

// Replaces the first occurrence of Old (letter case ignored) by New.
bool ReplaceFirstNoCase(const String& Old, const String& New, String& S);
// The byte value of two hexadecimal digits ("1F" -> 31); 0 when the pair is not hexadecimal.
int HexByteValue(const String& Pair);
