// Searching cells: the type-ahead lookup in the sort column, the general cell search with its
// sixteen options, and the bulk replacement on top of it.
#include "grid/base/HTMLTextOperations.h"
#include "grid/base/ZudAzud.h"
#include "grid/model/RivErodovOzar.h"

namespace {
const String kEmptyCellSearch = "\"\"";
const WideString kEmptyCellSearchWide = u"\"\"";

WideString WideUpper(const WideString& W) { return Utf8ToWide(AnsiUpperCase(WideToUtf8(W))); }

// Every occurrence of Old in S replaced by New, with or without regard to case.
String ReplaceAll(const String& S, const String& Old, const String& New, bool MatchCase) {
  if (Old.empty()) return S;
  return StringReplace(S, Old, New, MatchCase ? rfReplaceAll : rfReplaceAll | rfIgnoreCase);
}
}  // namespace

int TRivErodovOzar::Search(const String& s) {
  if (RowCount() < 2) return -1;
  const TSortSettings& sort = *FSortSettings;
  int col = FixedCols();
  if (sort.Show()) {
    if (sort.IndexShow)
      col = FSortIndexes->Count() > 0 ? FSortIndexes->ColumnAt(0) : FixedCols();
    else
      col = sort.Column;
  }
  if (col == -1) return -1;
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (AnsiUpperCase(GetCellPlainText(col, r).substr(0, s.size())) == s) return r;
  return -1;
}

TPoint TRivErodovOzar::Find(TPoint StartCell, const String& s, TFindParams FindParams) {
  ExportNotification(esExportStart, -1);
  const TPoint found = DoFind(StartCell, s, FindParams, false, WideString());
  ExportNotification(found.X == -1 ? esExportDone : esExportFail, -1);
  return found;
}

TPoint TRivErodovOzar::FindWide(TPoint StartCell, const WideString& s, TFindParams FindParams) {
  ExportNotification(esExportStart, -1);
  const TPoint found = DoFind(StartCell, String(), FindParams, true, s);
  ExportNotification(found.X == -1 ? esExportDone : esExportFail, -1);
  return found;
}

TPoint TRivErodovOzar::FindFirst(const String& s, TFindParams FindParams) {
  SearchCell = Find(TPoint{-1, -1}, s, FindParams);
  return SearchCell;
}

TPoint TRivErodovOzar::FindNext() {
  SearchCell = Find(SearchCell, SearchCache, FFindParams);
  return SearchCell;
}

TPoint TRivErodovOzar::DoFind(TPoint StartCell, const String& S, TFindParams P, bool Wide, const WideString& W) {
  const TPoint none{-1, -1};
  FFindParams = P;
  const bool matchCase = P.Contains(fnMatchCase);
  SearchCache = matchCase ? S : AnsiUpperCase(S);
  SearchCacheWide = matchCase ? W : WideUpper(W);
  if (ColCount() == FixedCols() || ColCount() == 0 || RowCount() == FixedRows() || RowCount() == 0) return none;

  int c1, c2, r1, r2;
  if (P.Contains(fnIncludeFixed)) {
    c1 = 0, c2 = ColCount() - 1, r1 = 0, r2 = RowCount() - 1;
  } else {
    c1 = FixedCols(), c2 = ColCount() - FFixedRightCols - 1;
    r1 = FixedRows(), r2 = RowCount() - FFixedFooters - 1;
  }
  if (P.Contains(fnSelectedCells)) {
    const TGridRect sel = Selection();
    c1 = sel.Left, c2 = sel.Right, r1 = sel.Top, r2 = sel.Bottom;
  }
  if (P.Contains(fnIncludeHiddenColumns)) c2 += NumHiddenColumns();
  // Real row indexes reach every hidden row, nodes or not.
  if (P.Contains(fnIncludeHiddenRows)) r2 += NumHiddenRows();

  const bool backward = P.Contains(fnBackward);
  const bool rowOrder = P.Contains(fnDirectionLeftRight);
  int x, y;
  if (StartCell.X == -1 && StartCell.Y == -1) {
    x = backward ? c2 : c1;
    y = backward ? r2 : r1;
  } else {
    const int x0 = StartCell.X, y0 = StartCell.Y;
    x = x0, y = y0;
    if (rowOrder && !backward) {
      if (x0 <= c2) x = x0 + 1; else if (y0 <= r2) y = y0 + 1; else x = c1, y = r1;
    } else if (rowOrder) {
      if (x0 >= c1) x = x0 - 1; else if (y0 >= r1) y = y0 - 1; else x = c2, y = r2;
    } else if (!backward) {
      if (y0 <= r2) y = y0 + 1; else if (x0 <= c2) x = x0 + 1; else x = c1, y = r1;
    } else {
      if (y0 >= r1) y = y0 - 1; else if (x0 >= c1) x = x0 - 1; else x = c2, y = r2;
    }
  }
  if (P.Contains(fnFindInCurrentRow)) y = r1 = r2 = Row();
  if (P.Contains(fnFindInPresetRow)) y = r1 = r2 = FindRow;
  if (P.Contains(fnFindInCurrentCol)) x = c1 = c2 = Col();
  if (P.Contains(fnFindInPresetCol)) x = c1 = c2 = FindCol;

  const int step = backward ? -1 : 1;
  bool found = false;
  if (rowOrder) {
    while (!found && r1 <= y && y <= r2) {
      while (c1 <= x && x <= c2) {
        ExportNotification(esExportNewRow, y);
        if (!IsIgnoredColumn(x) && CellMatchesSearch(x, y, Wide)) {
          found = true;
          break;
        }
        x += step;
      }
      if (found) break;
      x = P.Contains(fnFindInCurrentCol) ? Col() : (backward ? c2 : c1);
      y += step;
    }
  } else {
    while (!found && c1 <= x && x <= c2) {
      while (r1 <= y && y <= r2) {
        ExportNotification(esExportNewRow, y);
        if (CellMatchesSearch(x, y, Wide)) {
          found = true;
          break;
        }
        y += step;
      }
      if (found) break;
      y = P.Contains(fnFindInCurrentRow) ? Row() : (backward ? r2 : r1);
      x += step;
    }
  }
  if (!found) return none;

  SearchCell = TPoint{x, y};
  if (P.Contains(fnAutoGoto)) {
    int target = y;
    if (P.Contains(fnIncludeHiddenRows) && NumHiddenRows() > 0) {
      // A match inside a contracted node opens the node first.
      if (IsHiddenRow(y) && FNumNodes > 0) ExpandNode(RealRowIndex(NodeRowOfRealRow(y)));
      // A row still hidden (by a filter) has no place on screen to go to.
      if (IsHiddenRow(y)) return SearchCell;
      target = DisplRowIndex(y);
    }
    if (MouseActions()->DisjunctRowSelect()) {
      ClearRowSelect();
      SetRowSelected(target, true);
      SetRow(target);
    } else {
      SetRow(target);
      SetCol(x);
    }
  }
  return SearchCell;
}

int TRivErodovOzar::NodeRowOfRealRow(int ARow) {
  int sum = FixedRows();
  for (int d = FixedRows(); d < RowCount() - 1; ++d) {
    if (IsNode(d)) sum += GetNodeSpan(d);
    if (sum >= ARow) return d;
  }
  return RowCount() - 1;
}

bool TRivErodovOzar::CellMatchesSearch(int ACol, int ARow, bool Wide) {
  const TFindParams& p = FFindParams;
  const bool matchCase = p.Contains(fnMatchCase);
  const int col = p.Contains(fnIncludeHiddenColumns) ? ACol : RealColIndex(ACol);
  if (!Wide) {
    String t = p.Contains(fnIncludeHiddenRows) ? GetAllCell(col, ARow) : Cells(col, ARow);
    if (!matchCase) t = AnsiUpperCase(t);
    if (p.Contains(fnIgnoreHTMLTags)) t = HTMLToPlainText(t);
    if (SearchCache == kEmptyCellSearch) return t.empty();
    if (p.Contains(fnMatchRegular)) {
      try {
        return MatchFilterExpression(SearchCache, t, matchCase);
      } catch (const Exception&) {
        return false;
      }
    }
    const size_t at = SearchCache.empty() ? String::npos : t.find(SearchCache);
    const bool positioned = p.Contains(fnMatchStart) ? at == 0 : at != String::npos;
    return positioned && (!p.Contains(fnMatchFull) || t == SearchCache);
  }
  WideString t = GetWideCell(col, ARow);
  if (!matchCase) t = WideUpper(t);
  if (SearchCacheWide == kEmptyCellSearchWide) return t.empty();
  const size_t at = SearchCacheWide.empty() ? WideString::npos : t.find(SearchCacheWide);
  const bool positioned = p.Contains(fnMatchStart) ? at == 0 : at != WideString::npos;
  return positioned && (!p.Contains(fnMatchFull) || t == SearchCacheWide);
}

int TRivErodovOzar::Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams) {
  const bool real = FindParams.Contains(fnIncludeHiddenRows);
  const bool matchCase = FindParams.Contains(fnMatchCase);
  TPoint c{-1, -1};
  int count = 0;
  for (;;) {
    c = Find(c, OrigStr, FindParams);
    if (c.X == -1 || c.Y == -1) break;
    const int col = FindParams.Contains(fnIncludeHiddenColumns) ? c.X : RealColIndex(c.X);
    // With hidden rows searched, the found row is a real index: read and write it as one.
    if (real && IsHiddenRow(c.Y)) {
      TStrings* hidden = HiddenRowItems(c.Y);
      hidden->Put(col, ReplaceAll(hidden->Strings(col), OrigStr, NewStr, matchCase));
    } else {
      const int row = real ? DisplRowIndex(c.Y) : c.Y;
      SetCells(col, row, ReplaceAll(Cells(col, row), OrigStr, NewStr, matchCase));
      if (FShowModified->Enabled) SetRowModified(row, true);
    }
    ++count;
  }
  return count;
}
