// The grid's delimited-text savers: SaveToCSV writes the save range as a new file,
// AppendToCSV adds it after an existing file's lines. Every file is written whole or not at
// all, so a failed save leaves the old file as it was.
#include "grid/model/RivErodovOzar.h"

String TRivErodovOzar::DelimitedText() {
  const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
  const char delimiter = FDelimiter != 0 ? FDelimiter : ',';
  GridCSV::TWriteRules rules;
  rules.JavaCSV = JavaCSV;
  rules.OemConvert = OemConvert;
  rules.AlwaysQuotes = AlwaysQuotes;
  rules.QuoteEmptyCells = QuoteEmptyCells;

  String out;
  int lastProgress = -1;
  ExportNotification(esExportStart, SaveStartRow());
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    for (int c = SaveStartCol(); c <= SaveEndCol() + hidden; ++c) {
      if (c > SaveStartCol()) out += delimiter;
      const int source = SaveHiddenCells ? c : RealColIndex(c);
      out += GridCSV::EncodeField(GetSavedCellText(source, r), delimiter, rules);
    }
    out += "\r\n";
    if (OnFileProgress) {
      const int p = GridCSV::ProgressPercent(r, std::max(1, RowCount() - 1));
      if (p != lastProgress) {
        lastProgress = p;
        OnFileProgress(this, static_cast<int16_t>(p));
      }
    }
  }
  ExportNotification(esExportDone, -1);
  return out;
}

void TRivErodovOzar::SaveToCSV(const String& FileName, bool Unicode) {
  WriteFileAtomically(FileName, GridCSV::FileBytes(DelimitedText(), Unicode));
}

void TRivErodovOzar::AppendToCSV(const String& FileName, bool Unicode) {
  String text;
  for (const String& line : GridCSV::SplitTextLines(ReadFileBytes(FileName))) text += line + "\r\n";
  text += DelimitedText();
  WriteFileAtomically(FileName, GridCSV::FileBytes(text, Unicode));
}
