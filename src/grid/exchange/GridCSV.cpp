// The grid's delimited-text reader.
#include <algorithm>

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

// The position of the quote that closes a quoted field in Rest (its opening quote removed),
// or npos.
size_t ClosingQuote(const String& Rest) {
  size_t i = 0;
  while (i < Rest.size()) {
    if (Rest[i] != '"') {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < Rest.size() && Rest[end] == '"') ++end;
    if ((end - i) % 2 == 1 && end < Rest.size()) return end - 1;
    i = end;
  }
  if (!Rest.empty() && Rest.back() == '"') return Rest.size() - 1;
  return String::npos;
}

// Doubled quotes stand for one, lone quotes are dropped, a vertical tab is a line break.
String Unquote(const String& Field) {
  String out;
  for (size_t i = 0; i < Field.size(); ++i) {
    char c = Field[i];
    if (c == '"') {
      if (i + 1 < Field.size() && Field[i + 1] == '"') {
        out += '"';
        ++i;
      }
    } else if (c == '\v') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

// Rest with everything up to and including its first Delimiter removed (unchanged without one).
String AfterDelimiter(const String& Rest, char Delimiter) {
  size_t p = Rest.find(Delimiter);
  return p == String::npos ? Rest : Rest.substr(p + 1);
}

}  // namespace

std::vector<String> SplitTextLines(const String& Bytes) {
  String text = DecodeText(Bytes);
  std::vector<String> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
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
  String rest = Line;
  while (Delimiter != 0 && rest.find(Delimiter) != String::npos) {
    if (rest[0] == '"') {
      rest.erase(0, 1);
      size_t close = ClosingQuote(rest);
      if (close != String::npos) {
        fields.push_back(Unquote(rest.substr(0, close)));
        rest = AfterDelimiter(rest.substr(close + 1), Delimiter);
      } else {
        fields.emplace_back();
        rest = AfterDelimiter(rest, Delimiter);
      }
    } else {
      size_t p = rest.find(Delimiter);
      fields.push_back(Unquote(rest.substr(0, p)));
      rest.erase(0, p + 1);
    }
  }
  if (!rest.empty()) {
    if (rest.front() == '"') rest.erase(0, 1);
    if (!rest.empty() && rest.back() == '"') rest.pop_back();
    fields.push_back(Unquote(rest));
  }
  return fields;
}

}  // namespace GridCSV

void TRivErodovOzar::LoadFromCSV(const String& FileName, int MaxRows) {
  std::vector<String> lines = GridCSV::SplitTextLines(ReadFileBytes(FileName));
  if (lines.empty()) throw Exception("File is empty");
  // A guessed delimiter serves this load only.
  char delimiter = FDelimiter != 0 ? FDelimiter : GridCSV::DetectDelimiter(lines[0], lines.size() > 1 ? lines[1] : String());
  int row = 0;
  for (const String& line : lines) {
    if (MaxRows > 0 && row >= MaxRows) break;
    // The grid grows in steps of many rows rather than row by row.
    if (row >= RowCount()) SetRowCount(row + 1000);
    std::vector<String> fields = GridCSV::SplitFields(line, delimiter);
    for (size_t k = 0; k < fields.size(); ++k) {
      int col = static_cast<int>(k);
      SetLoadedCellText(col, row, fields[k]);
      if (col + 1 >= ColCount()) SetColCount(col + 1);
    }
    ++row;
  }
  SetRowCount(row);
  FMaxRowCount = RowCount();
  Invalidate();
}
