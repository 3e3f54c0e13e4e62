// Fixed-width text (caller-given widths or field positions) and the aligned plain-text table.
// Widths count characters, not bytes, so that a column of non-Latin text stays in line.
#include <algorithm>

#include "grid/model/RivErodovOzar.h"

namespace {

size_t CharLength(const String& S) { return Utf8ToWide(S).size(); }

// The first Count characters of S, or S padded with spaces to Count characters.
String FitToWidth(const String& S, size_t Count) {
  WideString w = Utf8ToWide(S);
  if (w.size() > Count) w.resize(Count);
  return WideToUtf8(w) + String(Count - std::min(Count, w.size()), ' ');
}

// The characters from 1-based From to just before To.
String CharRange(const WideString& Line, int From, int To) {
  const size_t a = static_cast<size_t>(std::max(1, From) - 1);
  const size_t b = static_cast<size_t>(std::max(1, To) - 1);
  if (a >= Line.size() || b <= a) return String();
  return WideToUtf8(Line.substr(a, std::min(b, Line.size()) - a));
}

// The lines of a cell text (CR LF, CR or LF).
std::vector<String> TextLines(const String& S) {
  std::vector<String> lines(1);
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '\r' || S[i] == '\n') {
      if (S[i] == '\r' && i + 1 < S.size() && S[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += S[i];
    }
  }
  return lines;
}

size_t LongestLine(const String& S) {
  size_t most = 0;
  for (const String& line : TextLines(S)) most = std::max(most, CharLength(line));
  return most;
}

}  // namespace

void TRivErodovOzar::SaveToFixed(const String& FileName, TIntList* positions) {
  const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
  auto source = [&](int c) { return SaveHiddenCells ? c : RealColIndex(c); };
  for (int c = SaveStartCol(); c <= SaveEndCol() + hidden; ++c) {
    if (c - SaveStartCol() < positions->Count()) continue;
    size_t most = 0;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) most = std::max(most, LongestLine(GetSavedCellText(source(c), r)));
    positions->Add(static_cast<int>(most) + 1);
  }
  String out;
  ExportNotification(esExportStart, SaveStartRow());
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    for (int c = SaveStartCol(); c <= SaveEndCol() + hidden; ++c) {
      const int width = std::max(0, positions->Items(c - SaveStartCol()));
      out += FitToWidth(GetSavedCellText(source(c), r), static_cast<size_t>(width));
    }
    out += "\r\n";
  }
  ExportNotification(esExportDone, -1);
  try {
    WriteFileAtomically(FileName, out);
  } catch (const EStreamError&) {
    throw ERivGridError("Cannot Create file " + FileName);
  }
}

void TRivErodovOzar::LoadFromFixed(const String& FileName, TIntList* positions, bool DoTrim, int MaxRows) {
  String bytes;
  try {
    bytes = ReadFileBytes(FileName);
  } catch (const EStreamError&) {
    throw ERivGridError("File " + FileName + " not found");
  }
  if (positions->Count() < 2) throw ERivGridError("Fixed-width fields need a start and an end position");
  std::vector<int> sorted;
  for (int i = 0; i < positions->Count(); ++i) sorted.push_back(positions->Items(i));
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 0; i < sorted.size(); ++i) positions->PutItem(static_cast<int>(i), sorted[i]);
  SetColCount(FixedCols() + static_cast<int>(sorted.size()) - 1);
  const std::vector<String> lines = GridCSV::SplitTextLines(bytes);
  int row = SaveStartRow();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (row >= RowCount()) SetRowCount(row + 1);
    const WideString line = Utf8ToWide(lines[i]);
    for (size_t k = 1; k < sorted.size(); ++k) {
      String field = CharRange(line, sorted[k - 1], sorted[k]);
      if (DoTrim) field = Trim(field);
      const int c = SaveStartCol() + static_cast<int>(k) - 1;
      if (c < AllColCount()) SetLoadedCellText(c, row, field);
    }
    ++row;
    if (MaxRows != -1 && static_cast<int>(i) + 1 >= std::max(1, MaxRows)) break;
  }
  DoCellsChanged(Rect(0, 0, ColCount(), RowCount()));
  RecalcFooters();
}

// The aligned table: each column as wide as its longest text line plus one space; the further
// lines of multi-line cells go on continuation lines under their column.
void TRivErodovOzar::ASCIIText(const String& FileName, bool Append, String& out) {
  if (Append && FileExists(FileName))
    for (const String& line : GridCSV::SplitTextLines(ReadFileBytes(FileName))) out += line + "\r\n";
  const int c0 = SaveFixedCells ? 0 : FixedCols();
  const int r0 = SaveFixedCells ? 0 : FixedRows();
  const int last = ColCount() - 1 + (SaveHiddenCells ? NumHiddenColumns() : 0);
  auto source = [&](int c) { return SaveHiddenCells ? c : RealColIndex(c); };
  std::vector<size_t> widths;
  for (int c = c0; c <= last; ++c) {
    size_t most = 0;
    for (int r = r0; r < RowCount(); ++r) most = std::max(most, LongestLine(GetSavedCellText(source(c), r)));
    widths.push_back(most);
  }
  ExportNotification(esExportStart, r0);
  try {
    for (int r = r0; r < RowCount(); ++r) {
      ExportNotification(esExportNextRow, r);
      String line;
      size_t lineChars = 0;
      std::vector<String> more;
      std::vector<size_t> moreChars;
      for (int c = c0; c <= last; ++c) {
        const size_t w = widths[static_cast<size_t>(c - c0)];
        std::vector<String> parts = Multilinecells ? TextLines(GetSavedCellText(source(c), r))
                                                   : std::vector<String>{GetSavedCellText(source(c), r)};
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        ResolveCellAlignment(c, r, ha, va);
        auto aligned = [&](const String& Text) {
          String t = Text;
          size_t n = CharLength(t);
          if (ha == taRightJustify && n < w) t = String(w - n, ' ') + t;
          else if (ha == taCenter && n < w) t = String((w - n) / 2, ' ') + t + String(w - n - (w - n) / 2, ' ');
          n = CharLength(t);
          return t + String(w + 1 - std::min(w + 1, n), ' ');
        };
        for (size_t k = 1; k < parts.size(); ++k) {
          if (more.size() < k) {
            more.emplace_back();
            moreChars.push_back(0);
          }
          if (moreChars[k - 1] < lineChars) {
            more[k - 1] += String(lineChars - moreChars[k - 1], ' ');
            moreChars[k - 1] = lineChars;
          }
          const String piece = aligned(parts[k]);
          more[k - 1] += piece;
          moreChars[k - 1] += CharLength(piece);
        }
        const String piece = aligned(parts[0]);
        line += piece;
        lineChars += CharLength(piece);
      }
      out += line + "\r\n";
      for (const String& m : more) out += m + "\r\n";
    }
  } catch (...) {
    ExportNotification(esExportDone, -1);
    throw;
  }
  ExportNotification(esExportDone, -1);
}

void TRivErodovOzar::WriteASCII(const String& FileName, bool Unicode, bool Append) {
  String text;
  try {
    ASCIIText(FileName, Append, text);
  } catch (...) {
    // What was built before the error is still written.
    WriteFileAtomically(FileName, GridCSV::FileBytes(text, Unicode));
    throw;
  }
  WriteFileAtomically(FileName, GridCSV::FileBytes(text, Unicode));
}

void TRivErodovOzar::SaveToASCII(const String& FileName, bool Unicode) { WriteASCII(FileName, Unicode, false); }

void TRivErodovOzar::AppendToASCII(const String& FileName, bool Unicode) { WriteASCII(FileName, Unicode, true); }
