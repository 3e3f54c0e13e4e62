// The grid's delimited-text reader.
#include <algorithm>
#include <cstring>

#include "classlib/SysUtils.h"
#include "grid/RivErodovOzar.h"

namespace GridCSV {

namespace {

WideString Utf16(const String& Bytes, size_t Start, bool BigEndian) {
  WideString w;
  for (size_t i = Start; i + 1 < Bytes.size(); i += 2) {
    auto hi = static_cast<unsigned char>(Bytes[BigEndian ? i : i + 1]);
    auto lo = static_cast<unsigned char>(Bytes[BigEndian ? i + 1 : i]);
    w.push_back(static_cast<char16_t>((hi << 8) | lo));
  }
  return w;
}

String DecodeText(const String& Bytes) {
  auto starts = [&Bytes](const char* Mark, size_t Length) { return Bytes.compare(0, Length, Mark, Length) == 0; };
  if (starts("\xEF\xBB\xBF", 3)) return Bytes.substr(3);
  if (starts("\xFF\xFE", 2)) return WideToUtf8(Utf16(Bytes, 2, false));
  if (starts("\xFE\xFF", 2)) return WideToUtf8(Utf16(Bytes, 2, true));
  return Bytes;
}

// Occurrences of Ch in Line. Counting single ones, a run of Ch counts once when its length is
// odd and another character follows, or when it ends the line; an even run inside the line is
// an escaped character and counts nothing.
int CountOf(const String& Line, char Ch, bool SingleOnly) {
  int count = 0;
  size_t i = 0;
  while (i < Line.size()) {
    if (Line[i] != Ch) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < Line.size() && Line[end] == Ch) ++end;
    size_t run = end - i;
    if (!SingleOnly) count += static_cast<int>(run);
    else if (end == Line.size() || run % 2 == 1) ++count;
    i = end;
  }
  return count;
}

// The position of the quote that closes a quoted field whose text starts at From (its opening
// quote skipped), or npos: the last quote of the first odd run of quotes that another character
// follows, else a quote ending the line. NoCloseFrom remembers where an earlier search found no
// such run, so that no part of a line is searched twice.
size_t ClosingQuote(const char* Text, size_t From, size_t End, size_t& NoCloseFrom) {
  size_t i = From;
  while (i < End) {
    // Every full run from NoCloseFrom on was seen by a failed search; only the first run here
    // can differ, because it lost its opening quote.
    if (i > From && i >= NoCloseFrom) break;
    if (Text[i] != '"') {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < End && Text[end] == '"') ++end;
    if ((end - i) % 2 == 1 && end < End) return end - 1;
    i = end;
  }
  NoCloseFrom = std::min(NoCloseFrom, From);
  if (End > From && Text[End - 1] == '"') return End - 1;
  return String::npos;
}

// Appends Text[Begin, End) to Out: doubled quotes stand for one, lone quotes are dropped, a
// vertical tab is a line break.
void AppendUnquoted(String& Out, const char* Text, size_t Begin, size_t End) {
  Out.reserve(Out.size() + (End - Begin));
  for (size_t i = Begin; i < End; ++i) {
    char c = Text[i];
    if (c == '"') {
      if (i + 1 < End && Text[i + 1] == '"') {
        Out += '"';
        ++i;
      }
    } else if (c == '\v') {
      Out += "\r\n";
    } else {
      Out += c;
    }
  }
}

String Unquoted(const char* Text, size_t Begin, size_t End) {
  String out;
  AppendUnquoted(out, Text, Begin, End);
  return out;
}

size_t FindFrom(const char* Text, size_t From, size_t End, char Ch) {
  if (From >= End) return String::npos;
  const void* p = std::memchr(Text + From, Ch, End - From);
  return p == nullptr ? String::npos : static_cast<size_t>(static_cast<const char*>(p) - Text);
}

// The fields of Text[Begin, End), one pass: Emit(field) for each; stops early (false) when
// Emit returns false.
template <typename EmitField>
bool ForEachField(const char* Text, size_t Begin, size_t End, char Delimiter, EmitField Emit) {
  size_t lastDelimiter = String::npos;
  if (Delimiter != 0 && End > Begin) {
    for (size_t k = End; k > Begin; --k)
      if (Text[k - 1] == Delimiter) {
        lastDelimiter = k - 1;
        break;
      }
  }
  size_t noCloseFrom = String::npos;
  size_t i = Begin;
  while (lastDelimiter != String::npos && i <= lastDelimiter) {
    if (Text[i] == '"') {
      ++i;
      size_t close = ClosingQuote(Text, i, End, noCloseFrom);
      if (close != String::npos) {
        if (!Emit(Unquoted(Text, i, close))) return false;
        // Whatever stands between the closing quote and the next delimiter is dropped; without
        // a further delimiter it is the line's last field.
        size_t p = FindFrom(Text, close + 1, End, Delimiter);
        i = p == String::npos ? close + 1 : p + 1;
      } else {
        if (!Emit(String())) return false;
        i = FindFrom(Text, i, End, Delimiter) + 1;
      }
    } else {
      size_t p = FindFrom(Text, i, End, Delimiter);
      if (!Emit(Unquoted(Text, i, p))) return false;
      i = p + 1;
    }
  }
  if (i < End) {
    size_t b = i;
    size_t e = End;
    if (Text[b] == '"') ++b;
    if (e > b && Text[e - 1] == '"') --e;
    if (!Emit(Unquoted(Text, b, e))) return false;
  }
  return true;
}

// Calls Line(begin, end) for every line of Text; stops early (false) when Line returns false.
template <typename EmitLine>
bool ForEachLine(const String& Text, EmitLine Line) {
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

}  // namespace

std::vector<String> SplitTextLines(const String& Bytes) {
  const String text = DecodeText(Bytes);
  std::vector<String> lines;
  ForEachLine(text, [&](size_t Begin, size_t End) {
    lines.emplace_back(text, Begin, End - Begin);
    return true;
  });
  return lines;
}

char DetectDelimiter(const String& Line1, const String& Line2) {
  static const String candidates = ",;#\t|@*-+&";
  char result = 0;
  int best = 0;
  for (bool single : {true, false}) {
    for (char ch : candidates) {
      int n1 = CountOf(Line1, ch, single);
      int n2 = CountOf(Line2, ch, single);
      if (n1 == n2 && n1 > best) {
        result = ch;
        best = n1;
      }
    }
    if (best > 0) return result;
  }
  for (char ch : candidates) {
    int n1 = CountOf(Line1, ch, false);
    int n2 = CountOf(Line2, ch, false);
    if (n1 > best || n2 > best) {
      result = ch;
      best = std::max(n1, n2);
    }
  }
  return result;
}

std::vector<String> SplitFields(const String& Line, char Delimiter) {
  std::vector<String> fields;
  ForEachField(Line.data(), 0, Line.size(), Delimiter, [&](String&& Field) {
    fields.push_back(std::move(Field));
    return true;
  });
  return fields;
}

bool ReadCells(const String& Bytes, char Delimiter, int MaxRows, int64_t CellLimit, TCellTexts& Cells) {
  Cells.Rows.clear();
  Cells.Widest = 0;
  const String text = DecodeText(Bytes);
  // The first two lines guess a missing delimiter; the guess serves this read only.
  if (Delimiter == 0) {
    std::vector<String> firstTwo;
    ForEachLine(text, [&](size_t Begin, size_t End) {
      firstTwo.emplace_back(text, Begin, End - Begin);
      return firstTwo.size() < 2;
    });
    if (!firstTwo.empty()) Delimiter = DetectDelimiter(firstTwo[0], firstTwo.size() > 1 ? firstTwo[1] : String());
  }
  // Data cells are those beyond the first row and column; the limit holds for them.
  auto beyondLimit = [CellLimit](int64_t Rows, int64_t Cols) {
    if (CellLimit <= 0) return false;
    const int64_t dataRows = std::max<int64_t>(Rows - 1, 0);
    const int64_t dataCols = std::max<int64_t>(Cols - 1, 0);
    return dataRows > CellLimit || dataCols > CellLimit || dataRows * dataCols > CellLimit;
  };
  return ForEachLine(text, [&](size_t Begin, size_t End) {
    if (MaxRows > 0 && static_cast<int64_t>(Cells.Rows.size()) >= MaxRows) return false;
    std::vector<String>& row = Cells.Rows.emplace_back();
    const int64_t rows = static_cast<int64_t>(Cells.Rows.size());
    const bool fits = ForEachField(text.data(), Begin, End, Delimiter, [&](String&& Field) {
      row.push_back(std::move(Field));
      const int64_t cols = std::max<int64_t>(static_cast<int64_t>(Cells.Widest), static_cast<int64_t>(row.size()));
      return !beyondLimit(rows, cols);
    });
    if (!fits) {
      Cells.TooLarge = true;
      return false;
    }
    Cells.Widest = std::max(Cells.Widest, row.size());
    return true;
  }) || !Cells.TooLarge;
}

}  // namespace GridCSV

void TRivErodovOzar::LoadFromCSV(const String& FileName, int MaxRows) {
  GridCSV::TCellTexts cells;
  GridCSV::ReadCells(ReadFileBytes(FileName), FDelimiter, MaxRows, 0, cells);
  if (cells.Rows.empty()) throw Exception("File is empty");
  // The counts change once: a grid resized row by row pays for its width on every row.
  const int rows = static_cast<int>(cells.Rows.size());
  SetRowCount(rows);
  SetColCount(std::max(ColCount(), static_cast<int>(cells.Widest)));
  for (int r = 0; r < rows; ++r) {
    std::vector<String>& fields = cells.Rows[static_cast<size_t>(r)];
    for (size_t k = 0; k < fields.size(); ++k) SetLoadedCellText(static_cast<int>(k), r, fields[k]);
    // Each row's texts are in the grid now; their copies go.
    std::vector<String>().swap(fields);
  }
  FMaxRowCount = RowCount();
  Invalidate();
}
