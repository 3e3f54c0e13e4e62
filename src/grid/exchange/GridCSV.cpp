// The rules of delimited text: decoding, lines, the delimiter guess, fields in and out.
#include "grid/exchange/GridCSV.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "grid/base/ZudAzud.h"

namespace GridCSV {

namespace {

WideString Utf16(const String& Bytes, size_t Start, bool BigEndian) {
  WideString w;
  w.reserve((Bytes.size() - Start) / 2);
  for (size_t i = Start; i + 1 < Bytes.size(); i += 2) {
    auto hi = static_cast<unsigned char>(Bytes[BigEndian ? i : i + 1]);
    auto lo = static_cast<unsigned char>(Bytes[BigEndian ? i + 1 : i]);
    w.push_back(static_cast<char16_t>((hi << 8) | lo));
  }
  return w;
}

// Occurrences of Ch in Line. Counting single ones, a run of Ch counts once when its length is
// odd and another character follows, or when it ends the line; an even run inside the line is
// an escaped character and counts nothing.
int CountOf(std::string_view Line, char Ch, bool SingleOnly) {
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

}  // namespace

std::string_view DecodeText(const String& Bytes, String& Storage) {
  auto starts = [&Bytes](const char* Mark, size_t Length) { return Bytes.compare(0, Length, Mark, Length) == 0; };
  if (starts("\xEF\xBB\xBF", 3)) return std::string_view(Bytes).substr(3);
  if (starts("\xFF\xFE", 2)) {
    Storage = WideToUtf8(Utf16(Bytes, 2, false));
    return Storage;
  }
  if (starts("\xFE\xFF", 2)) {
    Storage = WideToUtf8(Utf16(Bytes, 2, true));
    return Storage;
  }
  return Bytes;
}

namespace detail {

// The first quote that ends a run of an odd number of quotes followed by another character,
// else a quote ending the line. NoCloseFrom remembers where an earlier search found no such
// run, so that no part of a line is searched twice.
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

void AppendUnquoted(String& Out, const char* Text, size_t Begin, size_t End, bool JavaCSV) {
  if (End <= Begin) return;
  const char lineBreak = JavaCSV ? '~' : '\v';
  // Plain runs are copied whole; only quotes and line-break marks need a look.
  size_t i = Begin;
  while (i < End) {
    size_t j = i;
    while (j < End && Text[j] != '"' && Text[j] != lineBreak) ++j;
    Out.append(Text + i, j - i);
    if (j == End) break;
    if (Text[j] == '"') {
      if (j + 1 < End && Text[j + 1] == '"') {
        Out += '"';
        ++j;
      }
    } else {
      Out += "\r\n";
    }
    i = j + 1;
  }
}

size_t FindFrom(const char* Text, size_t From, size_t End, char Ch) {
  if (From >= End) return String::npos;
  const void* p = std::memchr(Text + From, Ch, End - From);
  return p == nullptr ? String::npos : static_cast<size_t>(static_cast<const char*>(p) - Text);
}

void FinishField(String& Field, const TFieldRules& Rules) {
  if (Rules.JavaCSV && Field == "^") Field.clear();
}

}  // namespace detail

std::vector<String> SplitTextLines(const String& Bytes) {
  String storage;
  const std::string_view text = DecodeText(Bytes, storage);
  std::vector<String> lines;
  ForEachLine(text, [&](size_t Begin, size_t End) {
    lines.emplace_back(text.substr(Begin, End - Begin));
    return true;
  });
  return lines;
}

char DetectDelimiter(std::string_view Line1, std::string_view Line2) {
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

char DetectDelimiterOfText(std::string_view Text) {
  std::string_view lines[2];
  int found = 0;
  ForEachLine(Text, [&](size_t Begin, size_t End) {
    lines[found++] = Text.substr(Begin, End - Begin);
    return found < 2;
  });
  return DetectDelimiter(lines[0], lines[1]);
}

std::vector<String> SplitFields(const String& Line, char Delimiter, const TFieldRules& Rules) {
  std::vector<String> fields;
  SplitLine(Line, Delimiter, Rules, [&](String&& Field) {
    fields.push_back(std::move(Field));
    return true;
  });
  return fields;
}

String EncodeField(const String& Text, char Delimiter, const TWriteRules& Rules) {
  String s;
  s.reserve(Text.size() + 2);
  for (char c : Text) {
    if (c == '"') s += '"';
    s += c;
  }
  if (Rules.OemConvert) StrToOem(s);
  const bool hasDelimiter = s.find(Delimiter) != String::npos;
  bool wrapped = false;
  if (Rules.AlwaysQuotes || (!hasDelimiter && s.find('"') != String::npos)) {
    s = '"' + s + '"';
    wrapped = true;
  }
  if (s.empty()) {
    if (Rules.JavaCSV) s = "^";
    else if (Rules.QuoteEmptyCells) s = "\"\"";
  }
  // Any line break makes the field one line that reads back as one cell, and a field holding
  // the delimiter is always quoted.
  const bool lineBreak = s.find_first_of("\r\n") != String::npos;
  if (s.find(Delimiter) == String::npos && !lineBreak) return s;
  String out;
  out.reserve(s.size() + 2);
  const char mark = Rules.JavaCSV ? '~' : '\v';
  // JavaCSV marks line breaks with "~" and needs quotes only around a delimiter.
  const bool quote = !wrapped && (!Rules.JavaCSV || s.find(Delimiter) != String::npos);
  if (quote) out += '"';
  // CR LF, a lone CR and a lone LF are each one line break.
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      out += mark;
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else if (s[i] == '\n') {
      out += mark;
    } else {
      out += s[i];
    }
  }
  if (quote) out += '"';
  return out;
}

size_t CountLines(std::string_view Text) {
  size_t lines = 0;
  ForEachLine(Text, [&lines](size_t, size_t) {
    ++lines;
    return true;
  });
  return lines;
}

bool ReadCells(const String& Bytes, char Delimiter, int MaxRows, int64_t CellLimit, TCellTexts& Cells) {
  Cells.Rows.clear();
  Cells.Widest = 0;
  Cells.TooLarge = false;
  String storage;
  const std::string_view text = DecodeText(Bytes, storage);
  // The first two lines guess a missing delimiter; the guess serves this read only.
  if (Delimiter == 0) Delimiter = DetectDelimiterOfText(text);
  // Data cells are those beyond the first row and column; the limit holds for them.
  auto beyondLimit = [CellLimit](int64_t Rows, int64_t Cols) {
    if (CellLimit <= 0) return false;
    const int64_t dataRows = std::max<int64_t>(Rows - 1, 0);
    const int64_t dataCols = std::max<int64_t>(Cols - 1, 0);
    return dataRows > CellLimit || dataCols > CellLimit || dataRows * dataCols > CellLimit;
  };
  // The most rows (fields of a line) worth allocating: one beyond the limit is enough to stop.
  auto atMost = [CellLimit](size_t Count) {
    return CellLimit > 0 ? std::min(Count, static_cast<size_t>(CellLimit) + 2) : Count;
  };
  size_t lines = CountLines(text);
  if (MaxRows > 0) lines = std::min(lines, static_cast<size_t>(MaxRows));
  Cells.Rows.reserve(atMost(lines));
  const TFieldRules rules;
  const bool read = ForEachLine(text, [&](size_t Begin, size_t End) {
    if (MaxRows > 0 && static_cast<int64_t>(Cells.Rows.size()) >= MaxRows) return false;
    const std::string_view line = text.substr(Begin, End - Begin);
    std::vector<TCellText>& row = Cells.Rows.emplace_back().Texts;
    // A field ends at each delimiter (quoted ones may hold some), so this is the exact count
    // for most lines and an upper bound for the rest.
    if (Delimiter != 0 && !line.empty()) {
      const auto delimiters = static_cast<size_t>(std::count(line.begin(), line.end(), Delimiter));
      // A delimiter ending the line leaves no field after it.
      row.reserve(atMost(line.back() == Delimiter ? delimiters : delimiters + 1));
    }
    const int64_t rows = static_cast<int64_t>(Cells.Rows.size());
    const bool fits = !beyondLimit(rows, static_cast<int64_t>(Cells.Widest)) &&
                      SplitLine(line, Delimiter, rules, [&](String&& Field) {
                        row.emplace_back(Field);
                        const int64_t cols = std::max<int64_t>(static_cast<int64_t>(Cells.Widest),
                                                               static_cast<int64_t>(row.size()));
                        return !beyondLimit(rows, cols);
                      });
    if (!fits) {
      Cells.TooLarge = true;
      return false;
    }
    Cells.Widest = std::max(Cells.Widest, row.size());
    return true;
  });
  return read || !Cells.TooLarge;
}

int ProgressPercent(int64_t Done, int64_t Total) {
  if (Total <= 0) return 100;
  return static_cast<int>(std::nearbyint(static_cast<double>(Done) / static_cast<double>(Total) * 100.0));
}

String FileBytes(const String& Text, bool Unicode) {
  if (!Unicode) return Text;
  const WideString wide = Utf8ToWide(Text);
  String bytes("\xFF\xFE", 2);
  bytes.reserve(2 + wide.size() * 2);
  for (char16_t ch : wide) {
    bytes += static_cast<char>(ch & 0xFF);
    bytes += static_cast<char>(ch >> 8);
  }
  return bytes;
}

}  // namespace GridCSV
