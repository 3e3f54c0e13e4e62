// The rules of the grid's delimited text, apart from the grid: how a file's bytes become lines
// and fields, and how a cell text becomes a field. The grid's loaders and savers use them, and
// so does the main window's strict open command.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Grids.h"
#include "classlib/SysUtils.h"

namespace GridCSV {

// How fields are read and written beyond the delimiter.
struct TFieldRules {
  // Line breaks inside a field are "~" and an empty field is "^" (instead of #11 and quotes).
  bool JavaCSV = false;
  // Fields are converted from (reading) or to (writing) the OEM code page.
  bool OemConvert = false;
};

// A file's text: a byte-order mark selects UTF-8 or UTF-16 (either byte order, converted to
// UTF-8); without one the bytes are taken as they are. The view points into Bytes or into
// Storage, which the caller keeps alive while it reads.
std::string_view DecodeText(const String& Bytes, String& Storage);

// The bytes of a text file the grid writes: the text as it is, or with Unicode as UTF-16
// little endian with a byte-order mark.
String FileBytes(const String& Text, bool Unicode);

// The lines of a text file's bytes. Lines end at CR LF, CR or LF; a line end at the very end
// adds no empty line.
std::vector<String> SplitTextLines(const String& Bytes);
// Calls Line(begin, end) for every line of Text; stops early (false) when Line returns false.
template <typename EmitLine>
bool ForEachLine(std::string_view Text, EmitLine Line) {
  const size_t n = Text.size();
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    if (Text[i] != '\r' && Text[i] != '\n') continue;
    if (!Line(start, i)) return false;
    if (Text[i] == '\r' && i + 1 < n && Text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) return Line(start, n);
  return true;
}

// The separator guessed from a file's first two lines, or 0 when no candidate occurs.
char DetectDelimiter(std::string_view Line1, std::string_view Line2);
// The separator guessed from the first two lines of a decoded text.
char DetectDelimiterOfText(std::string_view Text);

namespace detail {
// The position of the quote closing a quoted field whose text starts at From, or npos; see
// GridCSV.cpp. NoCloseFrom carries what earlier searches on the same line found.
size_t ClosingQuote(const char* Text, size_t From, size_t End, size_t& NoCloseFrom);
// Appends Text[Begin, End) to Out as field text: a doubled quote stands for one, a lone one is
// dropped, #11 (JavaCSV: "~") becomes CR LF.
void AppendUnquoted(String& Out, const char* Text, size_t Begin, size_t End, bool JavaCSV);
size_t FindFrom(const char* Text, size_t From, size_t End, char Ch);
// The finished field: "^" is empty with JavaCSV; OEM text is converted back.
void FinishField(String& Field, const TFieldRules& Rules);
}  // namespace detail

// Splits one line into fields, calling Emit(String&&) for each; stops early (false) when Emit
// returns false. A quoted field may hold the delimiter; a doubled quote stands for one, a lone
// one is dropped; #11 (JavaCSV: "~") is a line break. A quote that is never closed leaves the
// field's text up to the next delimiter; text between a closing quote and the next delimiter
// belongs to the field. An empty last field is left out (it stores nothing).
template <typename EmitField>
bool SplitLine(std::string_view Line, char Delimiter, const TFieldRules& Rules, EmitField Emit) {
  using detail::AppendUnquoted;
  using detail::FindFrom;
  const char* text = Line.data();
  const size_t end = Line.size();
  const size_t npos = String::npos;
  size_t lastDelimiter = npos;
  if (Delimiter != 0) {
    for (size_t k = end; k > 0; --k)
      if (text[k - 1] == Delimiter) {
        lastDelimiter = k - 1;
        break;
      }
  }
  auto store = [&](String&& Field) {
    detail::FinishField(Field, Rules);
    return Emit(std::move(Field));
  };
  size_t noCloseFrom = npos;
  size_t i = 0;
  while (lastDelimiter != npos && i <= lastDelimiter) {
    String field;
    if (text[i] == '"') {
      const size_t open = i + 1;
      const size_t close = detail::ClosingQuote(text, open, end, noCloseFrom);
      if (close != npos) {
        AppendUnquoted(field, text, open, close, Rules.JavaCSV);
        // What follows the closing quote up to the next delimiter stays with the field.
        const size_t p = FindFrom(text, close + 1, end, Delimiter);
        const size_t tailEnd = p == npos ? end : p;
        AppendUnquoted(field, text, close + 1, tailEnd, Rules.JavaCSV);
        i = p == npos ? end : p + 1;
      } else {
        // An opening quote that is never closed: the text up to the next delimiter.
        const size_t p = FindFrom(text, open, end, Delimiter);
        AppendUnquoted(field, text, open, p, Rules.JavaCSV);
        i = p + 1;
      }
    } else {
      const size_t p = FindFrom(text, i, end, Delimiter);
      AppendUnquoted(field, text, i, p, Rules.JavaCSV);
      i = p + 1;
    }
    if (!store(std::move(field))) return false;
  }
  if (i < end) {
    size_t b = i;
    size_t e = end;
    if (text[b] == '"') ++b;
    if (e > b && text[e - 1] == '"') --e;
    String field;
    AppendUnquoted(field, text, b, e, Rules.JavaCSV);
    if (!store(std::move(field))) return false;
  }
  return true;
}

std::vector<String> SplitFields(const String& Line, char Delimiter, const TFieldRules& Rules = {});

// A cell text as one field of a line written with Delimiter (quotes, line breaks, empty cells).
struct TWriteRules : TFieldRules {
  bool AlwaysQuotes = false;
  bool QuoteEmptyCells = true;
};
String EncodeField(const String& Text, char Delimiter, const TWriteRules& Rules);

// The fields of a whole file, row by row, as the reader places them: a detached cell store a
// grid takes whole once the read succeeded.
struct TCellTexts {
  TStringGridRows Rows;
  size_t Widest = 0;       // the most fields of a line
  bool TooLarge = false;   // reading stopped at the cell limit
};
// Reads the fields of a file's bytes in one pass (Delimiter 0 guesses it). At most MaxRows lines
// when MaxRows is above 0. With CellLimit above 0, reading stops as soon as the data cells (rows
// and columns beyond the first) would exceed it: false, with TooLarge set. Every row is
// allocated once at its field count, so the store costs the cells the file holds.
bool ReadCells(const String& Bytes, char Delimiter, int MaxRows, int64_t CellLimit, TCellTexts& Cells);

// The number of lines of a text, as ForEachLine counts them.
size_t CountLines(std::string_view Text);

// The percentage a loader or saver reports after Done of Total steps (halves to even).
int ProgressPercent(int64_t Done, int64_t Total);

}  // namespace GridCSV
