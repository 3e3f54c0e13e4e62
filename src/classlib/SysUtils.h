// The runtime's general routines: regional settings, number conversions in both directions,
// text helpers, dates and the clock, files and folders.
//
// Numbers shown to the user are formatted with the separators of the one global
// FormatSettings object; numbers the program reads back from the user or from files are read
// with '.' (LeadingInt, LeadingReal) unless a routine says otherwise. Every routine reads the
// settings at each call, so a test may change them at any time.
#pragma once

#include <functional>
#include <initializer_list>
#include <variant>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/Types.h"

// ---------------------------------------------------------------------------------------------
// Regional settings

struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '-';
  char TimeSeparator = ':';
  // Date and time patterns in FormatDateTime's notation; '/' and ':' in them stand for the
  // date and time separators above.
  String ShortDateFormat = "yyyy/mm/dd";
  String LongDateFormat = "dddd, d mmmm yyyy";
  String ShortTimeFormat = "hh:nn";
  String LongTimeFormat = "hh:nn:ss";
  String TimeAMString = "AM";
  String TimePMString = "PM";
  String CurrencyString = "$";
  Byte CurrencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  Byte NegCurrFormat = 0;   // 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)", 5 "-1$", ...
  Byte CurrencyDecimals = 2;
  String ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  String LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
  String ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  String LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

  // The settings of the C/POSIX locale: '.', ',', 24-hour "hh:nn:ss", ISO dates.
  static TFormatSettings Invariant();
  // The settings of the process locale (LC_ALL, LC_NUMERIC, LC_TIME, LANG).
  static TFormatSettings FromSystemLocale();
  // The settings of a named locale ("de_DE", "en_US"); "C" gives Invariant().
  static TFormatSettings FromLocaleName(const String& Name);
};

// The program's regional settings, initialised from the process locale at start-up.
extern TFormatSettings FormatSettings;

// Reloads FormatSettings from the process locale (tests call it to undo their changes).
void ResetFormatSettings();

// The settings of a Windows locale code (0x0409 English (United States), 0x0407 German, ...);
// false, with Settings unchanged, for a code the program does not know.
bool GetLocaleFormatSettings(Integer LCID, TFormatSettings& Settings);

// ---------------------------------------------------------------------------------------------
// Integers <-> text

String IntToStr(Integer Value);
String IntToStr(Int64 Value);
inline String IntToStr(long long Value) { return IntToStr(static_cast<Int64>(Value)); }
inline String IntToStr(unsigned Value) { return IntToStr(static_cast<Int64>(Value)); }
// Upper-case hexadecimal with at least Digits digits; negative values as two's complement.
String IntToHex(Integer Value, Integer Digits);
String IntToHex(Int64 Value, Integer Digits);

// Strict: leading blanks, optional sign, then decimal digits or a hexadecimal number after "$",
// "x", "X", "0x" or "0X", and nothing else. Raises EConvertError
// "'<text>' is not a valid integer value" otherwise or when the value does not fit.
Integer StrToInt(const String& S);
Int64 StrToInt64(const String& S);
Integer StrToIntDef(const String& S, Integer Default);
Int64 StrToInt64Def(const String& S, Int64 Default);
bool TryStrToInt(const String& S, Integer& Value);
bool TryStrToInt64(const String& S, Int64& Value);

// Strict real number with the regional decimal separator: blanks around it allowed, optional
// sign, digits with an optional fraction, optional exponent. Raises EConvertError
// "'<text>' is not a valid floating point value".
Extended StrToFloat(const String& S);
Extended StrToFloat(const String& S, const TFormatSettings& Settings);
bool TryStrToFloat(const String& S, Extended& Value);
bool TryStrToFloat(const String& S, double& Value);
bool TryStrToFloat(const String& S, Extended& Value, const TFormatSettings& Settings);
Extended StrToFloatDef(const String& S, Extended Default);

// The numbers a text begins with, read with '.' as decimal point: leading blanks skipped,
// optional sign, digits (an integer may instead be hexadecimal after "$", "x" or "0x"; a real
// may carry a fraction and an exponent). Whatever follows is ignored; 0 when the text does not
// begin with a number. An integer stops before a digit that would overflow.
Integer LeadingInt(const String& S);
// LeadingInt, telling whether the leading integer fits: false when its digits run on past the
// range of an Integer (Value is then what LeadingInt gives, the digits before the overflow).
bool TryLeadingInt(const String& S, Integer& Value);
double LeadingReal(const String& S);

// Reads back a number the program wrote itself in the fixed or general format: like
// LeadingReal, but both '.' and the regional decimal separator count as the decimal point.
double ReadListNumber(const String& S);

// ---------------------------------------------------------------------------------------------
// Reals -> text

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// The classic float formatting. The value is rounded once, half away from zero, at the
// Precision-th significant digit (and, for ffFixed, ffNumber and ffCurrency, at the Digits-th
// decimal if that comes first):
//  ffGeneral  shortest text; scientific when more than Precision digits stand before the point
//             or the value is below 1e-4 ("1.5E-5", "1E20": the exponent's sign only when
//             negative); Digits = minimum exponent digits when 0..4, no minimum otherwise.
//  ffExponent "d.ddd...E+xxxx": Precision digits, exponent with at least Digits digits.
//  ffFixed    exactly Digits decimals; more than Precision digits before the point gives the
//             general format with Precision digits instead ("1.234568E7").
//  ffNumber   ffFixed with thousand separators.
//  ffCurrency ffNumber with the currency string as CurrencyFormat and NegCurrFormat place it.
// NaN and infinities give "NAN", "INF" and "-INF". A value that rounds to zero has no sign.
String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits);
String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits,
                   const TFormatSettings& Settings);
// The value rounded to 15 significant digits, trailing zeros dropped: fixed notation for
// 1e-5 <= |x| < 1e15, otherwise mantissa, "E" and a signed exponent ("1.5E-6", "1E+15").
String FloatToStr(Extended Value);
String FloatToStr(Extended Value, const TFormatSettings& Settings);

// Number patterns: "0" a digit or zero, "#" a digit or nothing, the first "." the decimal
// separator, any "," among the placeholders groups the integer digits by three, "E+", "E-",
// "e+", "e-" followed by "0"s give scientific notation; quoted text and every other character
// are copied. The value is taken to its 15-significant-digit decimal form and rounded there,
// halves away from zero; "-" stands before the first digit. A pattern without placeholders
// gives its literal characters only.
String FormatFloat(const String& Pattern, Extended Value);
String FormatFloat(const String& Pattern, Extended Value, const TFormatSettings& Settings);

// ---------------------------------------------------------------------------------------------
// printf-like formatting: %s, %d, %u, %x, %e, %f, %g, %n, %m, %%, with optional "-", width and
// ".precision" ("%.8d" pads with zeros, "%.2f" sets decimals, %g is general with 15 digits).
// Reals use the regional separators. A mismatch raises EConvertError
// "Format '<pattern>' invalid or incompatible with argument".

class TVarRec {
 public:
  TVarRec(int v) : value_(static_cast<Int64>(v)) {}
  TVarRec(long v) : value_(static_cast<Int64>(v)) {}
  TVarRec(long long v) : value_(static_cast<Int64>(v)) {}
  TVarRec(unsigned v) : value_(static_cast<Int64>(v)) {}
  TVarRec(unsigned long v) : value_(static_cast<Int64>(v)) {}
  TVarRec(double v) : value_(static_cast<Extended>(v)) {}
  TVarRec(long double v) : value_(v) {}
  TVarRec(const char* v) : value_(String(v)) {}
  TVarRec(const String& v) : value_(v) {}
  TVarRec(char v) : value_(String(1, v)) {}
  TVarRec(bool v) : value_(static_cast<Int64>(v)) {}

  const std::variant<Int64, Extended, String>& Value() const { return value_; }

 private:
  std::variant<Int64, Extended, String> value_;
};

String Format(const String& Pattern, std::initializer_list<TVarRec> Args);
String Format(const String& Pattern, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings);

// ---------------------------------------------------------------------------------------------
// Text

// Remove leading and/or trailing blanks and control characters (bytes <= ' ').
String Trim(const String& S);
String TrimLeft(const String& S);
String TrimRight(const String& S);
// ASCII letters only; other bytes unchanged.
String UpperCase(const String& S);
String LowerCase(const String& S);
// Locale-aware (Unicode) case mapping of UTF-8 text.
String AnsiUpperCase(const String& S);
String AnsiLowerCase(const String& S);
// <0, 0, >0. CompareStr compares bytes; CompareText ignores ASCII letter case.
int CompareStr(const String& S1, const String& S2);
int CompareText(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);
// Collation used by sorted lists: letter case is ignored first, then lower case sorts before
// upper case ("a" < "A" < "b"). AnsiCompareText ignores letter case entirely.
int AnsiCompareStr(const String& S1, const String& S2);
int AnsiCompareText(const String& S1, const String& S2);
bool AnsiSameText(const String& S1, const String& S2);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = int;
String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, TReplaceFlags Flags);

// 'text' with every quote doubled.
String QuotedStr(const String& S);
// The text between quotes, doubled quotes made single; S unchanged if it does not start with Quote.
String AnsiDequotedStr(const String& S, char Quote);

// 1-based position of Substr in S, 0 when absent.
Integer Pos(const String& Substr, const String& S);
// Count bytes from the 1-based Index (clamped like the classic routine).
String Copy(const String& S, Integer Index, Integer Count);

// UTF-8 <-> UTF-16. Invalid UTF-8 sequences become U+FFFD.
WideString Utf8ToWide(const String& S);
String WideToUtf8(const WideString& W);
bool IsValidUtf8(const String& S);
// Windows-1252 bytes -> UTF-8 and back (characters outside Windows-1252 become '?').
String Cp1252ToUtf8(const String& S);
String Utf8ToCp1252(const String& S);
// The character a Windows-1252 byte stands for.
char16_t Cp1252Char(unsigned char C);
// Text for display: valid UTF-8 unchanged; anything else is taken as Windows-1252.
String ToDisplayText(const String& S);

// ---------------------------------------------------------------------------------------------
// Dates and the clock. TDateTime counts days from 1899-12-30; the fraction is the time of day.

struct TSystemTime {
  Word Year, Month, Day, Hour, Minute, Second, Milliseconds;
};

// The clock behind Now, Date, Time and GetTickCount. Tests install their own (SetClockSource)
// so that the wall clock and the tick count advance together.
class TClockSource {
 public:
  virtual ~TClockSource() = default;
  virtual TDateTime Now() = 0;
  virtual Cardinal TickCount() = 0;
};

// A clock that moves only when told: Advance(ms) moves the tick count and the wall clock.
class TManualClock : public TClockSource {
 public:
  explicit TManualClock(TDateTime start = 45000.5, Cardinal ticks = 1000) : now_(start), ticks_(ticks) {}
  TDateTime Now() override { return now_; }
  Cardinal TickCount() override { return ticks_; }
  void Advance(Cardinal Milliseconds);
  void SetNow(TDateTime Value) { now_ = Value; }

 private:
  TDateTime now_;
  Cardinal ticks_;
};

// Installs the clock (nullptr: the system clock). The caller keeps ownership.
void SetClockSource(TClockSource* Source);
TClockSource* GetClockSource();

TDateTime Now();
TDateTime Date();
TDateTime Time();
// Milliseconds since an arbitrary start; wraps after 49.7 days.
Cardinal GetTickCount();

// Raise EConvertError "Invalid argument to date encode" / "... time encode" on a bad field.
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Result);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Result);
void DecodeDate(TDateTime Value, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Value, Word& Hour, Word& Min, Word& Sec, Word& MSec);
bool IsLeapYear(Word Year);
Word DaysInAMonth(Word Year, Word Month);
// 1 = Sunday ... 7 = Saturday.
Word DayOfWeek(TDateTime Value);

// Specifiers: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz t tt
// am/pm a/p ampm / : and quoted text; "m" right after an hour means minutes. A value outside
// the years 1 to 9999 raises EConvertError.
String FormatDateTime(const String& Pattern, TDateTime Value);
String FormatDateTime(const String& Pattern, TDateTime Value, const TFormatSettings& Settings);
String DateToStr(TDateTime Value);       // ShortDateFormat
String TimeToStr(TDateTime Value);       // LongTimeFormat
String DateTimeToStr(TDateTime Value);   // short date, then long time unless it is midnight

// ---------------------------------------------------------------------------------------------
// Files and folders. Paths use '/'.

constexpr char PathDelim = '/';

bool FileExists(const String& FileName);
bool DirectoryExists(const String& Directory);
// Creates the folder and any missing parents; false if that fails.
bool ForceDirectories(const String& Dir);
bool CreateDir(const String& Dir);
bool RemoveDir(const String& Dir);
bool DeleteFile(const String& FileName);
bool RenameFile(const String& OldName, const String& NewName);
String GetCurrentDir();
bool SetCurrentDir(const String& Dir);
// Absolute path with "." and ".." resolved (links are not followed).
String ExpandFileName(const String& FileName);
String ExtractFileName(const String& FileName);  // after the last '/'
String ExtractFilePath(const String& FileName);  // up to and including the last '/'
String ExtractFileDir(const String& FileName);   // up to the last '/', without it (except "/")
String ExtractFileExt(const String& FileName);   // ".txt", "" when the name has no '.'
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
// Size in bytes, -1 when the file cannot be read.
Int64 FileSize(const String& FileName);

// Names (not paths) of the regular files in Folder matching Mask ("*.txt", "Sim?.txt", "*"),
// letter case ignored, sorted by name.
std::vector<String> ListFiles(const String& Folder, const String& Mask);
// Whether Name matches a mask of '*' and '?' wildcards, letter case ignored.
bool MatchesMask(const String& Name, const String& Mask);

// The whole file; raises EFOpenError "Cannot open file \"<name>\"" or EReadError.
String ReadFileBytes(const String& FileName);
// How far a write goes before it returns: Durable flushes the temporary file to the disk
// before the rename and the folder after it, so that the new contents (and not an empty file)
// are there after a crash; Buffered leaves that to the system, for the many small files of a
// run that the next run replaces and that the same seed writes again.
enum class TWriteDurability { Durable, Buffered };
// Writes Bytes to a temporary file beside FileName and renames it over FileName, so a failure
// leaves any old file intact. A link is written through; a read-only file is not replaced.
// Raises EFCreateError "Cannot create file \"<name>\"" when the temporary file cannot be made,
// EWriteError when writing, flushing or renaming fails.
void WriteFileAtomically(const String& FileName, const String& Bytes,
                         TWriteDurability Durability = TWriteDurability::Durable);
