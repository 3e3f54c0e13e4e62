// The grid's own line format: "C,R", then "cw i,w" per column, then "c,r,text" per non-empty
// cell. A multi-line text travels on one line with CR as #9, LF as #8 and #0 as #1; a reader
// decodes only texts holding a #8. A TAB in a multi-line text therefore comes back as a CR: the
// coding cannot tell them apart, and files written so far rely on it.
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Streams.h"
#include "grid/base/ZudAzud.h"
#include "grid/model/RivErodovOzar.h"

namespace {

// Sizes beyond these are taken for a damaged header rather than allocated.
constexpr int kMostColumns = 65536;
constexpr int kMostRows = 16777216;

// A text with a line break on one line. Texts with a lone LF are coded too, so that no line
// break of a cell ends a line of the file.
String EncodeCellLine(const String& S) {
  if (S.find('\r') != String::npos) return EncodeControlChars(S);
  if (S.find('\n') == String::npos) return S;
  String out = S;
  for (char& ch : out) {
    if (ch == '\n') ch = '\x08';
    else if (ch == '\0') ch = '\x01';
  }
  return out;
}

// The value of the leading digits, 0 without any (the file variant reads leniently).
int LeadingNumber(const String& S, size_t From = 0) {
  int64_t v = 0;
  for (size_t i = From; i < S.size() && S[i] >= '0' && S[i] <= '9'; ++i) {
    v = v * 10 + (S[i] - '0');
    if (v > 0x7FFFFFFF) return 0x7FFFFFFF;
  }
  return static_cast<int>(v);
}

void WriteWideLine(TStream* Stream, const String& Line) {
  WideString wide = Utf8ToWide(Line);
  wide += u"\r\n";
  String bytes;
  bytes.reserve(wide.size() * 2);
  for (char16_t ch : wide) {
    bytes += static_cast<char>(ch & 0xFF);
    bytes += static_cast<char>(ch >> 8);
  }
  Stream->WriteString(bytes);
}

// A line of 16-bit characters up to a CR (the character after it skipped) or the stream's end;
// false when nothing remains.
bool ReadWideLine(TStream* Stream, String& Line) {
  WideString wide;
  uint8_t pair[2];
  bool any = false;
  while (Stream->Read(pair, 2) == 2) {
    any = true;
    const char16_t ch = static_cast<char16_t>(pair[0] | (pair[1] << 8));
    if (ch == u'\r') {
      Stream->Read(pair, 2);
      break;
    }
    wide += ch;
  }
  Line = WideToUtf8(wide);
  return any;
}

}  // namespace

void TRivErodovOzar::SaveToFile(const String& FileName, bool Unicode) {
  const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
  String out = IntToStr(SaveColCount() + hidden) + "," + IntToStr(SaveRowCount()) + "\r\n";
  for (int i = SaveStartCol(); i <= SaveEndCol() + hidden; ++i)
    out += "cw " + IntToStr(i) + "," + IntToStr(GetAllColWidth(i)) + "\r\n";
  int lastProgress = -1;
  ExportNotification(esExportStart, SaveStartRow());
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    for (int c = SaveStartCol(); c <= SaveEndCol() + hidden; ++c) {
      const String text = GetSavedCellText(c, r);
      if (!text.empty()) out += IntToStr(c) + "," + IntToStr(r) + "," + EncodeCellLine(text) + "\r\n";
    }
    if (OnFileProgress) {
      const int p = GridCSV::ProgressPercent(r, std::max(1, SaveRowCount() - 1));
      if (p != lastProgress) {
        lastProgress = p;
        OnFileProgress(this, static_cast<int16_t>(p));
      }
    }
  }
  ExportNotification(esExportDone, -1);
  WriteFileAtomically(FileName, GridCSV::FileBytes(out, Unicode));
}

void TRivErodovOzar::LoadFromFile(const String& FileName) {
  const std::vector<String> lines = GridCSV::SplitTextLines(ReadFileBytes(FileName));
  const int sc = SaveFixedCells ? 0 : FixedCols();
  const int sr = SaveFixedCells ? 0 : FixedRows();
  int cols = ColCount();
  int rows = RowCount();
  if (!lines.empty() && !lines[0].empty()) {
    const String& head = lines[0];
    const size_t comma = head.find(',');
    cols = sc + LeadingNumber(head);
    rows = sr + (comma == String::npos ? 0 : LeadingNumber(head, comma + 1));
  }
  // Checked before the grid changes: the grid keeps its size for a file it refuses.
  if (cols == 0 || rows == 0 || cols > kMostColumns || rows > kMostRows)
    throw ERivGridError("File contains no data or corrupt file " + FileName);
  SetColCount(cols);
  SetRowCount(rows);
  int lastProgress = -1;
  for (size_t i = 1; i < lines.size(); ++i) {
    const String& line = lines[i];
    const size_t comma = line.find(',');
    if (line.compare(0, 2, "cw") == 0) {
      const int c = LeadingNumber(line, 3);
      if (comma != String::npos && c < ColCount()) SetColWidths(c, LeadingNumber(line.substr(comma + 1, 255)));
      continue;
    }
    if (comma == String::npos) continue;
    const size_t second = line.find(',', comma + 1);
    if (second == String::npos) continue;
    const int c = LeadingNumber(line);
    const int r = LeadingNumber(line, comma + 1);
    if (c < ColCount() && r < RowCount())
      SetLoadedCellText(c, r, DecodeControlChars(line.substr(second + 1), Multilinecells));
    if (OnFileProgress) {
      const int p = GridCSV::ProgressPercent(r, std::max(1, RowCount() - 1));
      if (p != lastProgress) {
        lastProgress = p;
        OnFileProgress(this, static_cast<int16_t>(p));
      }
    }
    if (Application != nullptr) Application->ProcessMessages();
  }
  DoCellsChanged(Rect(0, 0, ColCount(), RowCount()));
  RecalcFooters();
}

void TRivErodovOzar::SaveToStream(TStream* Stream) {
  WriteWideLine(Stream, IntToStr(SaveColCount()) + "," + IntToStr(SaveRowCount()));
  for (int i = 0; i < ColCount(); ++i) WriteWideLine(Stream, "cw " + IntToStr(i) + "," + IntToStr(ColWidths(i)));
  ExportNotification(esExportStart, SaveStartRow());
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    for (int c = SaveStartCol(); c <= SaveEndCol(); ++c) {
      const String text = GetSavedCellText(c, r);
      if (!text.empty())
        WriteWideLine(Stream, IntToStr(c - SaveStartCol()) + "," + IntToStr(r - SaveStartRow()) + "," +
                                  EncodeCellLine(text));
    }
  }
  ExportNotification(esExportDone, -1);
}

void TRivErodovOzar::LoadFromStream(TStream* Stream) {
  String line;
  if (ReadWideLine(Stream, line) && !line.empty()) {
    String rest = line;
    const int cols = StrToInt(CutBefore(rest, ","));
    const int rows = StrToInt(rest);
    if (cols < 0 || rows < 0 || cols > kMostColumns || rows > kMostRows)
      throw EConvertError("Invalid grid size " + line);
    SetColCount(cols + SaveStartCol());
    SetRowCount(rows + SaveStartRow());
  }
  for (;;) {
    const Int64 start = Stream->Position();
    if (!ReadWideLine(Stream, line)) break;
    if (line.compare(0, 2, "cw") == 0) {
      String rest = line.substr(std::min<size_t>(3, line.size()));
      const int c = StrToInt(CutBefore(rest, ","));
      const int w = StrToInt(rest);
      if (c >= 0 && c < ColCount()) SetColWidths(c, w);
      continue;
    }
    String rest = line;
    const String cs = CutBefore(rest, ",");
    const String rs = cs.empty() ? String() : CutBefore(rest, ",");
    if (cs.empty() || rs.empty()) {
      // Not one of the grid's lines: left for the caller.
      Stream->SetPosition(start);
      break;
    }
    const int c = StrToInt(cs) + SaveStartCol();
    const int r = StrToInt(rs) + SaveStartRow();
    if (c >= 0 && c < AllColCount() && r >= 0 && r < RowCount())
      SetLoadedCellText(c, r, DecodeControlChars(rest, Multilinecells));
  }
  DoCellsChanged(Rect(0, 0, ColCount(), RowCount()));
  RecalcFooters();
}
