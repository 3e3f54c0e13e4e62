// The workbook engine's message texts, its exception classes, the record header and
// sheet-info types, bounded access to 16- and 32-bit values inside record data, and the
// routines that measure, decode and pack BIFF8 strings held in plain byte blocks.
#pragma once

#include <cmath>
#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/Types.h"

// Message texts. Placeholders: %s text, %d integer, %x hexadecimal, %2x two-digit hexadecimal.
namespace XlsMsg {
inline constexpr const char* FileInvalid = "The file \"%s\" is invalid";
inline constexpr const char* ExcelInvalid = "Error reading Excel records. File invalid";
inline constexpr const char* InvalidRecordId = "Record with ID 0x%x is invalid";
inline constexpr const char* TokenNotSupported = "Error reading formula, Token Id: 0x%2x is not supported";
inline constexpr const char* FormulaNotSupported = "Formula at Row %d, column %d is not supported. Token Id: 0x%2x";
inline constexpr const char* WorksheetNameInFormula = "Error in Worksheet name: \"%s\". Token Id: 0x%2x";
inline constexpr const char* ReadingRecord = "Error reading record";
inline constexpr const char* InvalidVersion = "Template file is saved with an invalid Excel version";
inline constexpr const char* TooManyEntries = "Too many entries for this kind of record (%d out of a maximum of %d)";
inline constexpr const char* SectionNotLoaded = "A section of the workbook is not loaded";
inline constexpr const char* TwoContinues = "Trying to add more than one CONTINUE record to the same record";
inline constexpr const char* UnsupportedDrawing = "The file has an usupported drawing record";
inline constexpr const char* InvalidCondFmt = "Invalid conditional format record";
inline constexpr const char* BadCondFmt = "Bad Conditional format. Token Id: 0x%2x";
inline constexpr const char* ChartFormula = "Error in Chart formula. Token Id: 0x%2x";
inline constexpr const char* StringStackEmpty = "String Stack is empty";
inline constexpr const char* WhiteSpaceStackEmpty = "WhiteSpace Stack is empty";
inline constexpr const char* DuplicatedSheetName = "Sheet name already exists: %s";
inline constexpr const char* DuplicatedRow = "Duplicated ROW record";
inline constexpr const char* MissingRow = "Missing ROW Record for row %d";
inline constexpr const char* InsertAndCopyRowsArgs = "Ivalid arguments to call InsertAndCopyRows";
inline constexpr const char* InvalidSheetNumber = "Sheet number \"%d\" invalid. Must be between %d and %d";
inline constexpr const char* EscherNotLoaded = "Escher record is not fully loaded";
inline constexpr const char* EscherLoading = "Error loading Escher record";
inline constexpr const char* EscherDupBStore = "Error loading Escher record. Duplicated BStore";
inline constexpr const char* EscherDupDg = "Error loading Escher record. Duplicated Dg";
inline constexpr const char* EscherDupDgg = "Error loading Escher record. Duplicated Dgg";
inline constexpr const char* EscherDupSolver = "Error loading Escher record. Duplicated Solver container";
inline constexpr const char* EscherProcessing = "Error processing Escher record";
inline constexpr const char* LogicalError = "ZiviVev: Logical Error";
inline constexpr const char* CantCopyOle = "Can't copy OLE objects embedded on a sheet";
inline constexpr const char* WmfNeedsPng = "To insert WMF files you need to instal TPngImage";
inline constexpr const char* AssertBStore = "BStore can't be nil";
inline constexpr const char* AssertDrawingGroup = "DrawingGroup can't be nil";
inline constexpr const char* AssertIndex = "Index out of range";
inline constexpr const char* InvalidErrorCode = "Invalid cell error code: \"%s\"";
inline constexpr const char* InvalidCellValue = "Invalid cell value: \"%s\"";
inline constexpr const char* CantWriteFile = "Can't write to file \"%s\". Check it is not in use by another user";
inline constexpr const char* NoSharedFormula = "Can't find Shared Formula";
inline constexpr const char* StrLenLengthInvalid = "StrLenLength should be 1 or 2";
inline constexpr const char* InvalidString = "Invalid String record";
inline constexpr const char* NotImplementedRecord = "This file has a not implemented kind of record: %s";
inline constexpr const char* SheetRoot = "Sheet";
inline constexpr const char* TooManyPageBreaks = "Too many manual Page breaks for this sheet";
inline constexpr const char* HyperLinkTooLong = "Hyperlink too long (%d bytes; a record holds at most %d)";
inline constexpr const char* InvalidRow = "Invalid Row (%d)";
inline constexpr const char* InvalidColumn = "Invalid Column (%d)";
inline constexpr const char* IndexOutOfRange = "The index \"%d\" of the property \"%s\" is not in the range %d-%d";
inline constexpr const char* PasswordProtected = "File is password protected";
inline constexpr const char* StringExpected = "String expected";
inline constexpr const char* UnexpectedEndOfFormula = "Unexpected end of formula: \"%s\"";
inline constexpr const char* UnexpectedChar = "Unexpected char \"%s\" at pos %d on formula: \"%s\"";
inline constexpr const char* UnterminatedString = "Unterminated string on formula: \"%s\"";
inline constexpr const char* MissingParenthesis = "Missing closing parentheses on formula: \"%s\"";
inline constexpr const char* FormulaTooLong = "Formula too long: \"%s\"";
inline constexpr const char* UnexpectedIdentifier = "Unexpected Identifier: \"%s\" on formula \"%s\"";
inline constexpr const char* FunctionNotFound = "Function not found: \"%s\" on formula \"%s\"";
inline constexpr const char* WrongParameterCount = "Invalid number of parameters to function \"%s\": Expected %d and found %d";
inline constexpr const char* FormulaNotEvaluable = "Formula can't be evaluated: \"%s\"";
inline constexpr const char* FormulaMustStartWithEqual = "Formula must start with \"=\": \"%s\"";
inline constexpr const char* ArrayFormulasNotSupported = "Writing array formulas is not yet supported";
inline constexpr const char* ExternalNamesNotSupported = "External names are not supported: %s";
inline constexpr const char* SelectVisibleSheet = "To save this file, you must select a visible sheet";
inline constexpr const char* NoVisibleSheets = "There are not visible sheets on the file";
inline constexpr const char* CantDeleteSheetWithMacros = "Can't delete a sheet on a file containing macros";
inline constexpr const char* InvalidSheet = "Invalid sheet: %s";
inline constexpr const char* WorkbookStreamName = "Workbook";
inline constexpr const char* InvalidOleOperation = "Invalid OLE Stream operation on stream: \"%s\"";
inline constexpr const char* EndOfStream = "End of stream reached with %d bytes left to read";
inline constexpr const char* CantReadProperties = "ZiviVev can't read the properties of this file.";
inline constexpr const char* ErrNull = "#NULL!";
inline constexpr const char* ErrDiv0 = "#DIV/0!";
inline constexpr const char* ErrValue = "#VALUE!";
inline constexpr const char* ErrRef = "#REF!";
inline constexpr const char* ErrName = "#NAME?";
inline constexpr const char* ErrNum = "#NUM!";
inline constexpr const char* ErrNA = "#N/A";
inline constexpr const char* BridgeVersion = "3.2.1";
inline constexpr const char* NoOpenFile = "There is no open file";
inline constexpr const char* NotHandled = "Not handled";
inline constexpr const char* CantFindFile = "Can't find the file \"%s\"";
inline constexpr const char* TrueText = "TRUE";
inline constexpr const char* FalseText = "FALSE";
inline constexpr const char* NoGridAssigned = "There is no RivErodovOzar assigned to this component";
inline constexpr const char* InvalidSheetName = "Invalid sheet name: \"%s\"";
inline constexpr const char* InvalidNamedRange = "Invalid named range: \"%s\"";
}  // namespace XlsMsg

// One argument of a message: an integer (for %d and %x) or a text (for %s).
using TXlsMsgArg = std::variant<Int64, String>;

// Fills the placeholders of a message text in order. Hexadecimal digits are upper case;
// "%2x" pads to two digits with zeros. A missing argument leaves its placeholder as it is.
String FormatXlsMessage(std::string_view text, std::initializer_list<TXlsMsgArg> args = {});

// Raises the engine's error: the general exception class with a formatted message text.
[[noreturn]] void RaiseXls(std::string_view text, std::initializer_list<TXlsMsgArg> args = {});

// The engine's own exception class; it is raised only as ETokenException.
class EExcelException : public Exception { public: using Exception::Exception; };
// A formula token the engine cannot handle.
class ETokenException : public EExcelException {
 public:
  ETokenException(String message, Integer token) : EExcelException(std::move(message)), Token(token) {}
  Integer Token;
};

using ArrayOfByte = std::vector<Byte>;

// The 4-byte header in front of every BIFF record.
struct TRecordHeader {
  Word Id = 0;
  Word Size = 0;
  // Set when the stream ended and the reader stands in an EOF for the missing record.
  bool PastEnd = false;
};

// What record classes need to know when rows or columns move: the sheet being changed
// (-1 for none), the sheet the record belongs to, how sheet references map, and the names.
class TNameRecordList;
using TGetSheet = std::function<Integer(Word aSheetRef)>;
struct TSheetInfo {
  Integer InsSheet = -1;
  Integer FormulaSheet = -1;
  TGetSheet GetSheet;
  TGetSheet SetSheet;
  const TNameRecordList* Names = nullptr;
};

// Little-endian values inside a byte block. A value that does not lie wholly inside the
// block raises "Error reading record": record data is never read or written out of bounds.
Word GetWord(std::span<const Byte> Data, size_t Pos);
Cardinal GetCardinal(std::span<const Byte> Data, size_t Pos);
Double GetDouble(std::span<const Byte> Data, size_t Pos);
void SetWord(std::span<Byte> Data, size_t Pos, Word Value);
void SetCardinal(std::span<Byte> Data, size_t Pos, Cardinal Value);
void SetDouble(std::span<Byte> Data, size_t Pos, Double Value);
// Nearest integer, halves to even: sizes and positions converted between units.
inline Integer RoundHalfEven(double v) { return static_cast<Integer>(std::nearbyint(v)); }
// Little-endian values appended to a block being built.
void AppendWord(ArrayOfByte& Data, Word Value);
void AppendCardinal(ArrayOfByte& Data, Cardinal Value);

// Counters with limits: the result must lie in 0 .. Max, else "Too many entries..." with the
// result and Max, and nothing changes.
void IncWordMax(std::span<Byte> Data, size_t Pos, Integer Delta, Integer Max);
void IncByteMax(std::span<Byte> Data, size_t Pos, Integer Delta, Integer Max);
void IncWordVarMax(Word& W, Integer Delta, Integer Max);
void IncCardinal(std::span<Byte> Data, size_t Pos, Int64 Delta);
void IncWordClamped(Word& W, Integer Delta, Integer Max, Integer Min);

// BIFF8 strings inside plain byte blocks (formula tokens, hyperlink data).
// Byte length of the string at Pos: count (2 bytes with Len16, else 1, unless a count is
// given), option byte, run count and far-east size as flagged, characters, runs, far-east data.
Int64 StrByteLength(bool Len16, std::span<const Byte> Data, size_t Pos, Integer GivenCount = 0,
                    bool UseGivenCount = false);
// Decodes the string at Pos: 16-bit characters copied, 8-bit ones widened. Raises "Error
// reading record" when the string does not lie wholly inside the block.
void DecodeStringAt(bool Len16, std::span<const Byte> Data, size_t Pos, Int64& ByteLength, WideString& Text,
                    Integer GivenCount = 0, bool UseGivenCount = false);
// True when some character is above 255 and so needs 16-bit storage.
bool IsWide(const WideString& s);
// The low byte of every character.
String CompressString(const WideString& s);
// One byte per character at Pos; characters above 255 become '?'.
void CompressStringTo(const WideString& s, std::span<Byte> Data, size_t Pos);
// Every byte becomes the code unit of the same value.
WideString WidenString(const String& s);
