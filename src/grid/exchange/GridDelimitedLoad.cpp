// The grid's delimited-text loaders: LoadFromCSV fills the grid from the top, InsertFromCSV
// appends below the last row. One pass over the file's text, line by line, straight into the
// cells; the grid grows in steps of 1000 rows and is cut to the rows read at the end.
#include <algorithm>
#include <vector>

#include "grid/model/RivErodovOzar.h"
#include "grid/base/ZudAzud.h"

namespace {

// Counts the lines of Text (the progress total).
int64_t LineCount(std::string_view Text) {
  int64_t n = 0;
  GridCSV::ForEachLine(Text, [&n](size_t, size_t) {
    ++n;
    return true;
  });
  return n;
}

}  // namespace

void TRivErodovOzar::LoadFromCSV(const String& FileName, int MaxRows) { LoadDelimited(FileName, MaxRows, false); }

void TRivErodovOzar::InsertFromCSV(const String& FileName, int MaxRows) { LoadDelimited(FileName, MaxRows, true); }

void TRivErodovOzar::LoadDelimited(const String& FileName, int MaxRows, bool Append) {
  const String bytes = ReadFileBytes(FileName);
  String decoded;
  const std::string_view text = GridCSV::DecodeText(bytes, decoded);
  if (text.empty()) throw Exception("File is empty");

  const int c0 = SaveFixedCells ? 0 : FixedCols();
  const int r0 = SaveFixedCells ? 0 : FixedRows();
  int r = r0;
  // A floating footer row stays the last row: its texts are put aside and come back below the
  // appended rows.
  std::vector<String> footerTexts;
  if (Append) {
    r = RowCount();
    if (FloatingFooterVisible) {
      const int last = RowCount() - 1;
      for (int c = 0; c < AllColCount(); ++c) footerTexts.push_back(GetRawCellText(c, last));
      ClearRowCells(last);
      r = last;
    }
  }

  const char delimiter = FDelimiter != 0 ? FDelimiter : GridCSV::DetectDelimiterOfText(text);
  GridCSV::TFieldRules rules;
  rules.JavaCSV = JavaCSV;

  int64_t total = 0;
  if (OnFileProgress) {
    const int64_t lines = LineCount(text);
    total = LoadFirstRow ? lines : lines - 1;
    if (MaxRows > 0) total = std::min<int64_t>(total, MaxRows);
    SetRowCount(static_cast<int>(lines) + r0 + FixedFooters() + (Append ? RowCount() : 0));
  }
  const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;

  bool first = true;
  int64_t read = 0;
  int lastProgress = -1;
  String oemLine;
  // The counts and the footer are put right also when a cell handler fails half way.
  // The floating footer shows the grid's last row; it gets a row of its own even without fixed
  // footer rows, so that it never takes the place of the last row read.
  const int footerRows = FloatingFooterVisible ? std::max(FixedFooters(), 1) : FixedFooters();
  auto finish = [&] {
    SetRowCount(r + footerRows);
    FMaxRowCount = RowCount();
    if (FloatingFooterVisible) {
      const int last = RowCount() - 1;
      ClearRowCells(last);
      for (size_t c = 0; c < footerTexts.size(); ++c) SetRawCellText(static_cast<int>(c), last, footerTexts[c]);
    }
  };
  try {
    GridCSV::ForEachLine(text, [&](size_t Begin, size_t End) {
      if (first) {
        first = false;
        if (!LoadFirstRow) return true;
      }
      if (MaxRows > 0 && read >= MaxRows) return false;
      std::string_view line = text.substr(Begin, End - Begin);
      if (OemConvert) {
        oemLine.assign(line);
        OemToStr(oemLine);
        line = oemLine;
      }
      if (r >= RowCount() - FixedFooters()) SetRowCount(r + 1000);
      int c = c0;
      // A field ends at each delimiter: the row's texts are allocated once, not by doubling.
      if (delimiter != 0 && !line.empty())
        StoreReserveRow(r, c0 + static_cast<int>(std::count(line.begin(), line.end(), delimiter)) + 1);
      GridCSV::SplitLine(line, delimiter, rules, [&](String&& Field) {
        if (c + 1 >= ColCount() + hidden) SetColCount(c + 1 - hidden);
        SetLoadedCellText(c, r, Field);
        ++c;
        return true;
      });
      ++r;
      ++read;
      if (OnFileProgress && total > 0) {
        const int p = GridCSV::ProgressPercent(read, total);
        if (p != lastProgress) {
          lastProgress = p;
          OnFileProgress(this, static_cast<int16_t>(p));
        }
      }
      return true;
    });
  } catch (...) {
    finish();
    throw;
  }
  finish();
  DoCellsChanged(Rect(0, 0, ColCount(), RowCount()));
  RecalcFooters();
  Invalidate();
}
