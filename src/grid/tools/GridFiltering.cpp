// Filtering: the row test over the grid's conditions, filters applied as levels of hidden
// rows and removed level by level, narrowing by typed text, and a choice made in a column's
// filter drop-down.
#include <cmath>

#include "grid/base/ZudAzud.h"
#include "grid/model/RivErodovOzar.h"
#include "grid/tools/GridFilter.h"

namespace {
const String kWidePrefix = "|\\";

String DecodedText(const String& Value) {
  if (Value.find(kWidePrefix) == String::npos) return Value;
  return WideToUtf8(DecodeWideText(Value));
}
}  // namespace

String TRivErodovOzar::FilterValue(const TFilterData& Item, int ARow) {
  const int col = Item.Column;
  switch (Item.Data) {
    case fcNormal: return GetRawCellText(col, ARow);
    case fcStripHTML: return GetCellPlainText(col, ARow);
    case fcCalculated: return GetCalculatedCellText(col, ARow);
    case fcRow: {
      String row;
      for (int c = 0; c < ColCount(); ++c) {
        if (c > 0) row += "\r\n";
        row += Cells(RealColIndex(c), ARow);
      }
      return row;
    }
    case fcVirtual: break;
  }
  return Cells(col, ARow);
}

bool TRivErodovOzar::MatchesFilter(int ARow) {
  bool result = true;
  for (int i = 0; i < FFilter->Count(); ++i) {
    const TFilterData& item = *FFilter->Items(i);
    String value = DecodedText(Trim(FilterValue(item, ARow)));
    bool match = false;
    if (item.Data == fcRow) {
      match = AnsiUpperCase(value).find(AnsiUpperCase(item.Condition)) != String::npos;
    } else {
      if (!item.Prefix.empty() && value.compare(0, item.Prefix.size(), item.Prefix) == 0)
        value.erase(0, item.Prefix.size());
      if (!item.Suffix.empty()) {
        const size_t at = value.find(item.Suffix);
        if (at != String::npos && at + item.Suffix.size() == value.size()) value.erase(at);
      }
      try {
        match = item.Condition.empty() || MatchFilterExpression(item.Condition, value, item.CaseSensitive);
      } catch (const Exception&) {
        match = false;
      }
    }
    bool stop = false;
    switch (item.Operation) {
      case foSHORT:
        result = match;
        stop = !match;
        break;
      case foNONE: result = match; break;
      case foAND: result = result && match; break;
      case foXOR: result = result != match; break;
      case foOR: result = result || match; break;
    }
    if (stop) break;
  }
  if (OnCustomFilter) OnCustomFilter(this, ARow, result);
  return result;
}

void TRivErodovOzar::FilterRow(int ARow) {
  if (!MatchesFilter(ARow)) HideRow(RealRowIndex(ARow));
}

void TRivErodovOzar::ApplyFilter() {
  FFilterFixedRows = FixedRows();
  const int first = FixedRows();
  const int last = RowCount() - FFixedFooters - 1;
  const int dataRows = last - first + 1;
  std::vector<int> failing;
  for (int r = first; r <= last; ++r) {
    if (!MatchesFilter(r)) failing.push_back(r);
    if (OnFilterProgress && dataRows > 0)
      OnFilterProgress(this, static_cast<int16_t>(std::lround(100.0 * (r - first + 1) / dataRows)));
  }
  HideRowList(failing);
  // An empty list still makes a level, so that removing it is always one step back.
  if (failing.empty()) ++FFilterLevel;
  if (OnFilterProgress && dataRows > 0) OnFilterProgress(this, 100);
}

void TRivErodovOzar::ShowLastFilterLevel() {
  UnHideRowList();
  SetFixedRows(FFilterFixedRows);
  if (FSelHidden) UnHideSelection();
}

void TRivErodovOzar::SetFilterActive(bool Value) {
  if (Value != FFilterActive) {
    FFilterActive = Value;
    if (Value) {
      if (Col() >= ColCount() || Row() >= RowCount()) FocusCell(FixedCols(), FixedRows());
      {
        TUpdateBlock block(this);
        ApplyFilter();
      }
      FSelHidden = false;
    } else if (FFilterLevel > 0) {
      ShowLastFilterLevel();
      --FFilterLevel;
    }
    SetTopRow(FixedRows());
  }
  RecalcFooters();
}

bool TRivErodovOzar::RemoveLastFilter() {
  if (FFilterLevel <= 0) return false;
  ShowLastFilterLevel();
  RecalcFooters();
  --FFilterLevel;
  return FFilterLevel > 0;
}

void TRivErodovOzar::RemoveAllFilters() {
  if (FFilterLevel <= 0) {
    FFilter->Clear();
    return;
  }
  while (FFilterLevel > 0) RemoveLastFilter();
  FFilterActive = false;
}

void TRivErodovOzar::NarrowDown(const String& ACondition, int AColumn) {
  SetFixedRowAlways(true);
  auto applyNew = [&] {
    FFilter->Clear();
    TFilterData* item = FFilter->Add();
    item->CaseSensitive = false;
    if (AColumn == -1) {
      item->Data = fcRow;
      item->Condition = ACondition;
    } else {
      item->Column = static_cast<int16_t>(AColumn);
      item->Data = fcNormal;
      const String pattern = "*" + ACondition + "*";
      item->Condition = ACondition.find(' ') != String::npos ? "\"" + pattern + "\"" : pattern;
    }
    ApplyFilter();
  };
  const bool oneMore = ACondition.size() == FLastFilter.size() + 1 && ACondition.compare(0, FLastFilter.size(), FLastFilter) == 0;
  const bool oneLess = !ACondition.empty() && FLastFilter.size() == ACondition.size() + 1 &&
                       FLastFilter.compare(0, ACondition.size(), ACondition) == 0;
  if (oneMore) {
    applyNew();
  } else if (oneLess) {
    RemoveLastFilter();
  } else {
    RemoveAllFilters();
    if (!ACondition.empty()) applyNew();
  }
  if (ACondition.empty()) FFilter->Clear();
  FLastFilter = ACondition;
}

void TRivErodovOzar::ApplyFilterChoice(int ItemIndex) {
  if (CanFocus()) SetFocus();
  const int col = FFilterCol;
  FFilterCol = -1;
  if (col < 0 || col >= AllColCount() || ItemIndex < 0 || ItemIndex >= FDropList->Items()->Count()) return;
  BuildColumnFilterList(col);
  if (ItemIndex >= FFilterList->Count()) return;
  const String entry = FFilterList->Strings(ItemIndex);
  const size_t eq = entry.find('=');
  const String friendly = eq == String::npos ? entry : entry.substr(0, eq);
  String condition = eq == String::npos ? entry : entry.substr(eq + 1);
  if (AutoFilterUpdate) SetFilterActive(false);
  if (condition == FilterDropDownClear) condition.clear();
  if (OnFilterSelect) OnFilterSelect(this, col, ItemIndex, friendly, condition);
  if (!condition.empty())
    FFilter->FilterOfColumn(col)->Condition = condition;
  else
    FFilter->RemoveColumnFilter(col);
  if (AutoFilterUpdate) {
    SetFixedRowAlways(true);
    SetFilterActive(true);
    if (!(RowCount() == FixedRows() || (RowCount() == 1 && FixedRowAlways()))) SetRow(FixedRows());
    DoFilterDone();
  }
}

void TRivErodovOzar::SetFilterDropDownRow(int Value) {
  if (Value >= FixedRows()) return;
  FFilterDropDownRow = Value;
  Invalidate();
}
