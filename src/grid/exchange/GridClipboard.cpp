// Copy, cut and paste through the clipboard: tab-separated text always (rows end with CR LF,
// multi-line cells are quoted with LF line breaks), the top-left cell's rich text and the
// grid's own binary cells on request. Pasting prefers the grid's own cells, then rich text,
// then text.
#include <algorithm>

#include "classlib/Clipbrd.h"
#include "classlib/RichEdit.h"
#include "classlib/Streams.h"
#include "grid/base/BaseGridUndoRedo.h"
#include "grid/base/ZudAzud.h"
#include "grid/exchange/GridStreamCarriers.h"
#include "grid/model/RivErodovOzar.h"

namespace {

const char kCellsFormat[] = "TRivErodovOzar Cells";
const char kRichFormat[] = "Rich Text Format";

// Line breaks of a cell as one LF each: CR LF and a lone CR alike.
String LineBreaksToLF(const String& S) {
  String out;
  out.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '\r') {
      out += '\n';
      if (i + 1 < S.size() && S[i + 1] == '\n') ++i;
    } else {
      out += S[i];
    }
  }
  return out;
}

// Text from another program ends its lines with LF: a lone LF outside a quoted field becomes
// CR LF, so that it ends a row as CR LF does.
String NormalizePastedText(const String& S) {
  String out;
  out.reserve(S.size() + S.size() / 8);
  bool fieldStart = true;
  bool quoted = false;
  for (size_t i = 0; i < S.size(); ++i) {
    const char ch = S[i];
    if (fieldStart && ch == '"') quoted = true;
    const bool wasStart = fieldStart;
    fieldStart = false;
    if (quoted && !wasStart && ch == '"') {
      const char next = i + 1 < S.size() ? S[i + 1] : '\t';
      if (next == '"') {
        // A doubled quote inside the field.
        out += "\"\"";
        ++i;
        continue;
      }
      if (next == '\t' || next == '\r' || next == '\n') quoted = false;
      out += ch;
      continue;
    }
    if (quoted) {
      out += ch;
      continue;
    }
    if (ch == '\t') fieldStart = true;
    if (ch == '\r') {
      fieldStart = true;
      out += ch;
      if (i + 1 < S.size() && S[i + 1] == '\n') out += S[++i];
      continue;
    }
    if (ch == '\n') {
      fieldStart = true;
      out += "\r\n";
      continue;
    }
    out += ch;
  }
  return out;
}

// A pasted field holding line breaks: its quotes taken off (a field quoted whole, as
// spreadsheets and this grid write it, with its doubled quotes undoubled), #11 and lone LF as
// CR LF.
String UnquoteField(const String& S) {
  String f = S;
  if (f.size() >= 2 && f.front() == '"' && f.back() == '"') {
    f = f.substr(1, f.size() - 2);
    String single;
    for (size_t i = 0; i < f.size(); ++i) {
      single += f[i];
      if (f[i] == '"' && i + 1 < f.size() && f[i + 1] == '"') ++i;
    }
    f = single;
  } else if (!f.empty() && f[0] == '"') {
    f.erase(0, 1);
    const size_t q = f.find('"');
    if (q != String::npos && q == f.size() - 1) f.pop_back();
  }
  String out;
  out.reserve(f.size() + 8);
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] == '\x0B' || (f[i] == '\n' && (i == 0 || f[i - 1] != '\r'))) out += "\r\n";
    else out += f[i];
  }
  return out;
}

}  // namespace

bool TRivErodovOzar::UseFormattedClipboard() { return Navigation()->AllowFmtClipboard; }

void TRivErodovOzar::MarkPastedRowsModified(TPoint, TRect Rect, TClipOperation) {
  if (!ShowModified()->Enabled) return;
  for (int r = std::max(0, Rect.Top); r <= Rect.Bottom && r < RowCount(); ++r) SetRowModified(r, true);
}

void TRivErodovOzar::PasteCellText(int ACol, int ARow, const String& Value) {
  const int real = RealColIndex(ACol);
  if (UndoRedo() != nullptr) UndoRedo()->RegisterChange(real, ARow, TBaseGrid::Cells(real, ARow), Value);
  const TCellGraphic* graphic = GetCellGraphic(real, ARow);
  if (graphic != nullptr && (graphic->CellType == ctCheckBox || graphic->CellType == ctDataCheckBox))
    SetCheckBoxStateNotify(real, ARow, Value == CheckTrue);
  else
    TBaseGrid::SetCells(real, ARow, Value);
  if (real != ACol) RepaintCell(ACol, ARow);
}

String TRivErodovOzar::ClipboardCellText(int ACol, int ARow) {
  const int real = RealColIndex(ACol);
  String text = GetSavedCellText(real, ARow);
  if (text.compare(0, 2, "|\\") == 0) text = WideToUtf8(DecodeWideText(text));
  // Quoted whole with its quotes doubled, as spreadsheets read a multi-line cell.
  if (text.find('\r') != String::npos) text = "\"" + DoubleQuoteChars(LineBreaksToLF(text)) + "\"";
  if (!Navigation()->CopyHTMLTagsToClipboard && text.find("</") != String::npos) {
    text = GetCellPlainText(real, ARow);
  } else if (text.find("{\\") != String::npos) {
    CellToRich(real, ARow, RichEdit());
    text = RichEdit()->Text();
  }
  if (ExcelClipboardFormat && CountLines(text, Multilinecells) > 1) QuoteMultilineText(text);
  return text;
}

void TRivErodovOzar::CopyRectToClipboard(int ALeft, int ATop, int ARight, int ABottom, bool Filter) {
  FClipTopLeft = TPoint{ALeft, ATop};
  ExportNotification(esExportStart, -1);
  const bool rowFilter = Filter && MouseActions()->DisjunctRowSelect() && !MouseActions()->DisjunctColSelect();
  const bool colFilter = Filter && MouseActions()->DisjunctColSelect();
  auto takesRow = [&](int r) {
    if (!rowFilter) return true;
    return IsRowSelected(MouseActions()->RowSelectPersistent ? RealRowIndex(r) : r);
  };
  auto takesCol = [&](int c) { return !colFilter || IsColSelected(c); };
  const bool partial = ATop > FixedRows() || ABottom < RowCount() - FixedFooters() - 1;
  for (int r = ATop; r <= ABottom; ++r)
    if (takesRow(r)) ExportNotification(partial ? esExportSelRow : esExportNewRow, r);
  String text;
  for (int r = ATop; r <= ABottom; ++r) {
    if (!takesRow(r)) continue;
    ExportNotification(esExportNewRow, r);
    for (int c = ALeft; c <= ARight; ++c)
      if (takesCol(c)) text += ClipboardCellText(c, r) + "\t";
    if (ABottom > ATop && !text.empty() && text.back() == '\t') {
      text.pop_back();
      text += "\r\n";
    }
  }
  TClipboard* clipboard = Clipboard();
  clipboard->Open();
  clipboard->SetAsText(text);
  if (Navigation()->AllowRTFClipboard) {
    const String top = Cells(ALeft, ATop);
    if (top.find("{\\") != String::npos) clipboard->SetAsFormat(kRichFormat, top + String(1, '\0'));
  }
  if (Navigation()->AllowFmtClipboard) {
    TMemoryStream cells;
    SaveRectToBinStream(Rect(RealColIndex(ALeft), ATop, RealColIndex(ARight), ABottom), &cells);
    clipboard->SetAsFormat(kCellsFormat, String(cells.Bytes().begin(), cells.Bytes().end()));
  }
  clipboard->Close();
  ExportNotification(esExportDone, -1);
}

void TRivErodovOzar::WidenSelectionToMerges() {
  TGridRect s = Selection();
  const TGridRect before = s;
  const TPoint base = BaseCell(s.Left, s.Top);
  s.Left = std::min(s.Left, base.X);
  s.Top = std::min(s.Top, base.Y);
  const TPoint far = BaseCell(s.Right, s.Bottom);
  const TPoint span = CellSpan(far.X, far.Y);
  if (span.X > 0) s.Right = std::max(s.Right, far.X + span.X);
  if (span.Y > 0) s.Bottom = std::max(s.Bottom, far.Y + span.Y);
  if (!(s == before)) SetSelection(s);
}

void TRivErodovOzar::CopySelectionToClipboard() {
  WidenSelectionToMerges();
  const bool disjunct = MouseActions()->DisjunctRowSelect() || MouseActions()->DisjunctColSelect();
  if (disjunct && !Navigation()->AllowFmtClipboard) {
    CopyRectToClipboard(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow(), true);
  } else {
    const TGridRect s = Selection();
    CopyRectToClipboard(s.Left, s.Top, s.Right, s.Bottom, false);
  }
  FLastClipOp = coCopy;
}

void TRivErodovOzar::CopyToClipBoard() {
  CopyRectToClipboard(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow(), false);
  FLastClipOp = coCopy;
}

void TRivErodovOzar::CutToClipboard() {
  CopyRectToClipboard(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow(), false);
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r)
    for (int c = SaveStartCol(); c <= SaveEndCol(); ++c)
      if (Navigation()->AllowClipboardAlways || IsEditable(RealColIndex(c), r)) TBaseGrid::SetCells(RealColIndex(c), r, "");
  if (ShowModified()->Enabled)
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) SetRowModified(r, true);
  FLastClipOp = coCut;
  DoCellsChanged(Rect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()));
}

void TRivErodovOzar::CutSelectionToClipboard() {
  CopySelectionToClipboard();
  if (MouseActions()->DisjunctRowSelect()) {
    const bool persistent = MouseActions()->RowSelectPersistent;
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (IsRowSelected(persistent ? RealRowIndex(r) : r)) {
        ClearRows(r, 1);
        if (ShowModified()->Enabled) SetRowModified(r, true);
      }
  } else if (MouseActions()->DisjunctColSelect()) {
    for (int c = FixedCols(); c < ColCount(); ++c)
      if (IsColSelected(c)) ClearCols(c, 1);
  } else {
    const TGridRect s = Selection();
    // One undo step for the whole cut.
    if (UndoRedo() != nullptr) UndoRedo()->StartSequence();
    for (int r = s.Top; r <= s.Bottom; ++r)
      for (int c = s.Left; c <= s.Right; ++c)
        if (Navigation()->AllowClipboardAlways || IsEditable(RealColIndex(c), r)) {
          const int real = RealColIndex(c);
          if (UndoRedo() != nullptr) UndoRedo()->RegisterChange(real, r, TBaseGrid::Cells(real, r), "");
          TBaseGrid::SetCells(real, r, "");
        }
    if (UndoRedo() != nullptr) UndoRedo()->StopSequence();
    if (ShowModified()->Enabled)
      for (int r = s.Top; r <= s.Bottom; ++r) SetRowModified(r, true);
    if (Navigation()->AllowFmtClipboard) FreeCellPropertiesRect(RealColIndex(s.Left), s.Top, RealColIndex(s.Right), s.Bottom);
    DoCellsChanged(Rect(s.Left, s.Top, s.Right, s.Bottom));
  }
  FLastClipOp = coCut;
  if (NumHiddenColumns() > 0) Invalidate();
}

TRivErodovOzar::TPasteResult TRivErodovOzar::PasteTextAt(const String& Source, int ACol, int ARow,
                                                         TGridImportState RowState) {
  TPasteResult result;
  if (ACol < 0 || ARow < 0) return result;
  if (!Options().Contains(goEditing) && !Navigation()->AllowClipboardAlways && !MouseActions()->RangeSelectAndEdit)
    return result;
  const String text = NormalizePastedText(Source);
  const bool insert = Navigation()->ClipboardPasteAction == paInsert;
  // One undo step for the whole paste, closed also when a handler fails.
  struct TUndoSequence {
    TRivGridUndoRedo* Undo;
    explicit TUndoSequence(TRivGridUndoRedo* U) : Undo(U) {
      if (Undo != nullptr) Undo->StartSequence();
    }
    ~TUndoSequence() {
      if (Undo != nullptr) Undo->StopSequence();
    }
  } sequence(UndoRedo());
  int row = ARow;
  TRect pasted{ACol, ARow, ACol - 1, ARow - 1};
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\r', pos);
    if (end == String::npos) end = text.size();
    const String line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size()) {
      ++pos;
      if (pos < text.size() && text[pos] == '\n') ++pos;
    }
    const bool moreText = pos < text.size();
    ++result.Lines;
    ImportNotification(RowState, row);
    if (insert && !line.empty()) InsertRows(row, 1);
    std::vector<String> fields;
    size_t start = 0;
    for (;;) {
      const size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab == String::npos ? String::npos : tab - start));
      if (tab == String::npos) break;
      start = tab + 1;
    }
    int c = ACol;
    for (size_t i = 0; i < fields.size(); ++i, ++c) {
      const bool last = i + 1 == fields.size();
      ++result.Count;
      if (last && fields[i].empty() && !moreText) break;
      String value = fields[i];
      if (value.find('\n') != String::npos || value.find('\x0B') != String::npos) value = UnquoteField(value);
      // A paste lands inside the grid, or one column or row beyond it where growth is allowed.
      if (c == ColCount() && Navigation()->AllowClipboardColGrow) SetColCount(c + 1);
      if (c < ColCount() && row < RowCount() &&
          (Navigation()->AllowClipboardAlways || IsEditable(RealColIndex(c), row))) {
        bool allow = true;
        const bool wide = value.compare(0, 2, "|\\") == 0;
        if (wide && OnClipboardBeforePasteWideCell) {
          WideString w = DecodeWideText(value);
          OnClipboardBeforePasteWideCell(this, c, row, w, allow);
          value = EncodeWideText(w);
        } else if (!wide && OnClipboardBeforePasteCell) {
          OnClipboardBeforePasteCell(this, c, row, value, allow);
        }
        if (allow) {
          PasteCellText(c, row, value);
          pasted.Right = std::max(pasted.Right, c);
          pasted.Bottom = std::max(pasted.Bottom, row);
          if (!last && wide && OnClipboardAfterPasteWideCell)
            OnClipboardAfterPasteWideCell(this, c, row, DecodeWideText(value));
          else if (OnClipboardAfterPasteCell)
            OnClipboardAfterPasteCell(this, c, row, value);
        }
      }
    }
    result.Fields = static_cast<int>(fields.size());
    if (!moreText) {
      // The empty remainder after the last line end counts as a field of its own.
      if (end < text.size()) ++result.Count;
      break;
    }
    ++row;
    const int limit = RowCount() - (FloatingFooterVisible ? 1 : 0);
    if (row == limit && Navigation()->AllowClipboardRowGrow) SetRowCount(RowCount() + 1);
  }
  MarkPastedRowsModified(FClipTopLeft, pasted, FLastClipOp);
  if (pasted.Right >= pasted.Left && pasted.Bottom >= pasted.Top)
    DoCellsChanged(Rect(RealColIndex(pasted.Left), pasted.Top, RealColIndex(pasted.Right), pasted.Bottom));
  return result;
}

TRivErodovOzar::TPasteResult TRivErodovOzar::PasteAt(int ACol, int ARow, TGridImportState RowState) {
  TPasteResult result;
  TClipboard* clipboard = Clipboard();
  if (UseFormattedClipboard() && clipboard->HasFormatName(kCellsFormat)) {
    const String bytes = clipboard->AsFormat(kCellsFormat);
    // A damaged block is refused before the grid grows for it.
    ValidateCellStream(bytes);
    TGridPropIO head(nullptr);
    head.FromRecord(GridStream::TRecordReader(bytes).Read("TGridPropIO"));
    BeforePaste();
    const bool insert = Navigation()->ClipboardPasteAction == paInsert;
    if (Navigation()->AllowClipboardRowGrow || Navigation()->AllowClipboardColGrow || insert) {
      if (ACol + head.ColCount >= ColCount() && Navigation()->AllowClipboardColGrow) SetColCount(ACol + head.ColCount);
      if (ARow + head.RowCount >= RowCount() && Navigation()->AllowClipboardRowGrow) SetRowCount(ARow + head.RowCount);
      result.Lines = RowCount();
      result.Fields = ColCount();
      if (insert && head.RowCount > 0) InsertRows(ARow, head.RowCount);
    }
    TStringStream stream(bytes);
    LoadAtPointFromBinStream(TPoint{ACol, ARow}, &stream);
    const TRect rect{ACol, ARow, ACol + head.ColCount - 1, ARow + head.RowCount - 1};
    const bool mine = HandleAllocated() && head.ID == static_cast<int32_t>(reinterpret_cast<intptr_t>(Handle()));
    MarkPastedRowsModified(mine ? FClipTopLeft : TPoint{-1, -1}, rect, FLastClipOp);
    result.Count = head.ColCount * head.RowCount;
    AfterPaste();
    return result;
  }
  if (Navigation()->AllowRTFClipboard && clipboard->HasFormatName(kRichFormat)) {
    String rich = clipboard->AsFormat(kRichFormat);
    if (const size_t zero = rich.find('\0'); zero != String::npos) rich.resize(zero);
    if (IsEditable(RealColIndex(ACol), ARow)) PasteCellText(ACol, ARow, rich);
    result.Lines = result.Fields = 1;
    return result;
  }
  if (clipboard->HasFormat(CF_TEXT)) return PasteTextAt(clipboard->AsText(), ACol, ARow, RowState);
  return result;
}

void TRivErodovOzar::PasteFromClipboard() {
  ImportNotification(isImportStart, -1);
  PasteAt(SaveStartCol(), SaveStartRow(), isImportNewRow);
  ImportNotification(isImportDone, -1);
  RecalcFooters();
}

void TRivErodovOzar::PasteSelectionFromClipboard() {
  ImportNotification(isImportStart, -1);
  WidenSelectionToMerges();
  const TGridRect s = Selection();
  const int col = Options().Contains(goRowSelect) ? FixedCols() : s.Left;
  const TPasteResult pasted = PasteAt(col, s.Top, isImportSelRow);
  if (Navigation()->AllowSmartClipboard) SmartPaste(pasted);
  // Every way out announces the end, so that a follower of the import always sees it.
  ImportNotification(isImportDone, -1);
  RecalcFooters();
}
