// The grid library's toolbox of free text routines: line-break codings, quoting, OEM
// conversion, the "|\" wide-text coding, cell-text and number kinds, financial and locale
// number texts, dates, the filter-expression matcher and small URL and clipboard helpers.
//
// None keeps state. Regional settings (FormatSettings) are read at every call. Positions are
// 1-based and count bytes, as everywhere in the grid's text handling.
#pragma once

#include <vector>

#include "classlib/Colors.h"
#include "classlib/Grids.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"

using TCharSet = std::vector<char>;

// ---- Line breaks, quoting and codings ----

String DoubleQuoteChars(const String& S);
// A doubled C becomes one C, a single C is dropped.
String UndoubleChar(char C, const String& S);
// CR LF pairs become #11 and the whole text is put in double quotes.
void QuoteMultilineText(String& S);
void VTToCRLF(String& S);
void CRLFToLF(String& S);
String RemoveCR(const String& S);
String CRToLF(const String& S);
// CR becomes "~", LF is dropped.
void CRToTilde(String& S);
// "~" becomes CR LF; a result of exactly "^" becomes empty.
void TildeToCRLF(String& S);
String CRToEscapedN(const String& S);
String EscapedNToCR(const String& S);
String CRToHTMLBreak(const String& S);
// Only when S holds a CR: CR -> #9, LF -> #8, #0 -> #1.
String EncodeControlChars(const String& S);
// Only when S holds a #8: #9 -> CR, #8 -> LF, #1 -> #0; then the whole text or its first line.
String DecodeControlChars(const String& S, bool Whole);
// Line := the text before the first CR (all of it without one). Text keeps what follows the CR
// (and an LF right after it) when KeepRest is set and a CR was found; else it becomes empty.
void ExtractFirstLine(String& Text, bool KeepRest, String& Line);
int CountLines(const String& S, bool MultiLine);
String JoinLines(const TStrings* Lines);
// The part before Sep, removed from S together with Sep; "" and S unchanged without Sep.
String CutBefore(String& S, const String& Sep);
void FillChars(String& S, char C);
// UTF-8 text to the OEM code page (437) and back; characters it lacks become '?'.
void StrToOem(String& S);
void OemToStr(String& S);
// Proper-name capitals: "o'neil mcdonald henry iii" -> "O'Neil McDonald Henry III".
String CapitalizeWords(const String& S);

// A wide text carried in a plain string: "|\" followed by two bytes per character, high byte
// first. DecodeWideText passes any other text through unchanged, byte by byte.
WideString DecodeWideText(const String& Value);
String EncodeWideText(const WideString& Value);

// 3 formula, 5 wide-coded (3 when it codes a leading "="), 2 rich text, 1 HTML (only with
// DetectHTML), else 0.
int CellTextKind(const String& S, bool DetectHTML);

bool IsURL(const String& S);
void StripURLProtocol(String& S);
// Escapes < and > and wraps the first address beginning with Prefix (any case) in an anchor.
// False, Result untouched, when the text holds no such address.
bool LinkifyURL(const String& Prefix, const String& Text, String& Result);
// Wraps an HTML fragment in the clipboard's HTML-format header and document.
void BuildClipboardHTML(String& Fragment);
// "RRGGBB", red from the low byte.
String ColorToHexRGB(TColor Color);
TColor DimColor(TColor Color);

// ---- Searching and comparing ----

int PosInUpper(const String& UpperSub, const String& S);
// Position of the first C, 0 when absent; Pos is stored only when found.
int FindCharPos(char C, const String& S, int& Pos);
int PosOfChar(char C, const String& S);
int PosAndStore(const String& Sub, const String& S, int& Pos);
int PosWide(const WideString& Sub, const WideString& S);
// At the end of the first run of C of odd length, the position of its last character (a run
// that ends the text counts with the text's length); 0 when none. Pos takes the result.
int FindSingleChar(char C, const String& S, int& Pos);
int CountSingleChars(char C, const String& S);
int CountChar(char C, const String& S);
// The first character of S in Set that is not inside double quotes, with its position; 0 and
// Pos -1 when none.
char FirstCharOfSetOutsideQuotes(const TCharSet& Set, const String& S, int& Pos);
// Position of the ")" that closes the first "("; 0 when none.
int MatchingParenPos(const String& S);
bool CellInGridRect(const TGridRect& R, int ACol, int ARow);
inline int MaxOf(int A, int B) { return A > B ? A : B; }
inline int MinOf(int A, int B) { return A < B ? A : B; }
int ClampToLimits(int Value, int Lower, int Upper);
// "R<row>C<col>", any case.
bool ParseRCRef(const String& S, int& ACol, int& ARow);
bool LooksLikeDate(const String& S);

// ---- Characters ----

bool IsNumberChar(char C);

// ---- Numbers and dates ----

// 0 integer, 1 floating point, 5 exponent form, 2 not a number.
int NumericKind(const String& S);
// "($1,234.50)" -> "-1234.50": sign, digits and "." only.
String UnformatFinancial(const String& S);
// Decimal separator to ".", thousand separators removed.
String NormalizeNumberText(const String& S);
// month/day/year and day/month/year ("/", "." or "-"); 0 for unreadable text. Years below 100
// are pivoted (below 26: 2000s). An impossible date raises EConvertError.
TDateTime ParseDateUS(const String& S);
TDateTime ParseDateEU(const String& S);
// A date in the short date format's order, optionally followed by a time.
bool ParseDateTimeLocale(const String& S, TDateTime& Value);
// The next date of a series: only days -> signed day step; only years -> the same day in
// another year; only months -> another month (the day clamped to its length); otherwise
// Date + Increment.
TDateTime AddToDate(int Years, int Months, int Days, TDateTime Date, double Increment);

// Whether Value satisfies a filter expression: terms joined by & (and) and ; ^ | (or),
// parentheses, comparisons (> >= < <= !) and wildcard patterns (* ?).
bool MatchFilterExpression(const String& Expression, const String& Value, bool CaseSensitive);
