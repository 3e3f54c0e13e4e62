// The smart paste into a selection larger than what was pasted: one value fills the whole
// selection; two values at the top of a one-column or one-row selection continue as a date,
// integer or floating-point series; other texts repeat as a block.
#include <cmath>

#include "classlib/SysUtils.h"
#include "grid/base/ZudAzud.h"
#include "grid/model/RivErodovOzar.h"

namespace {

bool HasChar(const String& S, char C) { return S.find(C) != String::npos; }

// "hh:nn" or "hh:nn:ss" in the regional time separator.
bool ParseTime(const String& S, TDateTime& Value) {
  std::vector<int> parts;
  size_t start = 0;
  for (;;) {
    const size_t sep = S.find(FormatSettings.TimeSeparator, start);
    int v = 0;
    if (!TryStrToInt(Trim(S.substr(start, sep == String::npos ? String::npos : sep - start)), v)) return false;
    parts.push_back(v);
    if (sep == String::npos) break;
    start = sep + 1;
  }
  if (parts.size() < 2 || parts.size() > 3) return false;
  return TryEncodeTime(static_cast<Word>(parts[0]), static_cast<Word>(parts[1]),
                       static_cast<Word>(parts.size() == 3 ? parts[2] : 0), 0, Value);
}

bool ParseSeriesDate(const String& S, TDateTime& Value) {
  if (HasChar(S, FormatSettings.DateSeparator)) return ParseDateTimeLocale(S, Value);
  return ParseTime(S, Value);
}

bool IsDateValue(const String& S) { return LooksLikeDate(S) || HasChar(S, FormatSettings.TimeSeparator); }

}  // namespace

void TRivErodovOzar::PasteSmartCell(int ACol, int ARow, const String& Value, bool Announce) {
  String value = Value;
  bool allow = true;
  if (Announce && OnClipboardBeforePasteCell) OnClipboardBeforePasteCell(this, ACol, ARow, value, allow);
  if (!allow) return;
  PasteCellText(ACol, ARow, value);
  MarkPastedRowsModified(FClipTopLeft, Rect(ACol, ARow, ACol, ARow), coCopy);
  if (Announce && OnClipboardAfterPasteCell) OnClipboardAfterPasteCell(this, ACol, ARow, value);
}

// A date, integer or floating-point series from the first two cells; false for texts. A value
// that cannot be converted ends the series quietly.
bool TRivErodovOzar::SmartSeries(const TGridRect& Sel, int) {
  const bool oneColumn = Sel.Left == Sel.Right;
  const String first = Cells(RealColIndex(Sel.Left), Sel.Top);
  const String second = oneColumn ? Cells(RealColIndex(Sel.Left), Sel.Top + 1) : Cells(RealColIndex(Sel.Left + 1), Sel.Top);
  const char decimal = FormatSettings.DecimalSeparator;
  std::function<String(int)> valueAt;
  if (IsDateValue(first) && IsDateValue(second)) {
    TDateTime d1 = 0, d2 = 0;
    if (!ParseSeriesDate(first, d1) || !ParseSeriesDate(second, d2)) return true;
    Word y1, m1, dd1, y2, m2, dd2;
    DecodeDate(d1, y1, m1, dd1);
    DecodeDate(d2, y2, m2, dd2);
    const bool asDate = HasChar(first, FormatSettings.DateSeparator);
    const double step = d2 - d1;
    const int dy = y2 - y1, dm = m2 - m1, dd = dd2 - dd1;
    // Counted from the first date, so that a day clamped in a short month comes back after it.
    valueAt = [=](int k) {
      const TDateTime value = AddToDate(k * dy, k * dm, k * dd, d1, k * step);
      return asDate ? DateToStr(value) : TimeToStr(value);
    };
  } else if (!HasChar(first, decimal) && !HasChar(second, decimal) && [&] {
               int a = 0, b = 0;
               return TryStrToInt(first, a) && TryStrToInt(second, b);
             }()) {
    const int64_t a = StrToInt(first);
    const int64_t step = StrToInt(second) - a;
    valueAt = [=](int k) { return IntToStr(static_cast<Int64>(a + step * k)); };
  } else if (HasChar(first, decimal) || HasChar(second, decimal)) {
    double a = 0, b = 0;
    if (!TryStrToFloat(first, a) || !TryStrToFloat(second, b)) return true;
    const String format = FloatFormat;
    valueAt = [=](int k) { return Format(format, {a + (b - a) * k}); };
  } else {
    return false;
  }
  int k = 0;
  try {
    for (int c = Sel.Left; c <= Sel.Right; ++c)
      for (int r = Sel.Top; r <= Sel.Bottom; ++r) {
        if (!Navigation()->AllowClipboardAlways && !IsEditable(RealColIndex(c), r)) continue;
        PasteSmartCell(c, r, valueAt(k++), c != Sel.Left || r != Sel.Top);
      }
  } catch (const Exception&) {
    // A date or number out of range ends the series; the cells written stay written.
  }
  return true;
}

// The pasted block repeated down a column or along a row.
void TRivErodovOzar::SmartRepeat(const TGridRect& Sel, int Period) {
  if (Period < 1) return;
  if (Sel.Left == Sel.Right) {
    for (int r = Sel.Top + Period; r <= Sel.Bottom; ++r)
      if (Navigation()->AllowClipboardAlways || IsEditable(RealColIndex(Sel.Left), r))
        PasteSmartCell(Sel.Left, r, Cells(RealColIndex(Sel.Left), r - Period), true);
  } else {
    for (int c = Sel.Left + Period; c <= Sel.Right; ++c)
      if (Navigation()->AllowClipboardAlways || IsEditable(RealColIndex(c), Sel.Top))
        PasteSmartCell(c, Sel.Top, Cells(RealColIndex(c - Period), Sel.Top), true);
  }
}

void TRivErodovOzar::SmartPaste(const TPasteResult& Pasted) {
  const TGridRect sel = Selection();
  const int cells = (sel.Right - sel.Left + 1) * (sel.Bottom - sel.Top + 1);
  const int n = Pasted.Count;
  if (n - 1 == cells || n == 0) return;
  BeforePaste();
  const bool oneColumn = sel.Left == sel.Right;
  const bool oneRow = sel.Top == sel.Bottom;
  if (n == 1 && cells > 1) {
    const int c0 = RealColIndex(sel.Left);
    String value = Cells(c0, sel.Top);
    if (const TCellGraphic* g = GetCellGraphic(c0, sel.Top); g != nullptr && g->CellType == ctCheckBox)
      value = g->CellBoolean ? CheckTrue : CheckFalse;
    for (int r = sel.Top; r <= sel.Bottom; ++r)
      for (int c = sel.Left; c <= sel.Right; ++c)
        if (Navigation()->AllowClipboardAlways || IsEditable(RealColIndex(c), r))
          PasteSmartCell(c, r, value, c != sel.Left || r != sel.Top);
  } else if (n >= 2 && (oneColumn || oneRow) && cells > 1) {
    if (!SmartSeries(sel, n)) SmartRepeat(sel, oneColumn ? Pasted.Lines : Pasted.Fields);
  } else if (!oneColumn && !oneRow) {
    // A column of values repeats in every further column, a row of values on every further row.
    if (Pasted.Fields == 1) {
      for (int c = sel.Left + 1; c <= sel.Right; ++c) {
        SetCol(c);
        PasteAt(c, sel.Top, isImportSelRow);
      }
    } else if (Pasted.Lines == 1) {
      for (int r = sel.Top + 1; r <= sel.Bottom; ++r) {
        SetRow(r);
        PasteAt(sel.Left, r, isImportSelRow);
      }
    }
    SetSelection(sel);
  }
  AfterPaste();
}
