// Comparing cells and rows for sorting: the comparison style of a column (declared, or
// detected from the texts), and the row comparisons that break ties on further columns or
// follow the sort-index list.
#include <cstdlib>

#include "grid/base/HTMLTextOperations.h"
#include "grid/base/ZudAzud.h"
#include "grid/model/RivErodovOzar.h"

namespace {

int Sign(double A, double B) { return A > B ? 1 : (A < B ? -1 : 0); }

int Ordinal(const String& A, const String& B) {
  const int c = A.compare(B);
  return c > 0 ? 1 : (c < 0 ? -1 : 0);
}

String UpperAZ(String S) {
  for (char& c : S)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return S;
}

void EraseFirst(String& S, const String& Part) {
  if (Part.empty()) return;
  const size_t at = S.find(Part);
  if (at != String::npos) S.erase(at, Part.size());
}

// The number a sort reads from a text: the longest prefix that is a number (blanks first, a
// sign, digits, a '.' with digits, an exponent with digits), so "12 kg" is 12, "1.5x" 1.5 and
// "-3x" -3. An empty text is 0. False for a text that starts with no number at all.
bool ReadSortNumber(const String& S, double& Value) {
  size_t i = 0;
  const size_t n = S.size();
  while (i < n && (S[i] == ' ' || S[i] == '\t')) ++i;
  if (i == n) {
    Value = 0;
    return true;
  }
  const size_t start = i;
  if (S[i] == '+' || S[i] == '-') ++i;
  size_t digits = 0;
  while (i < n && IsNumberChar(S[i])) ++i, ++digits;
  if (i < n && S[i] == '.') {
    size_t k = i + 1;
    size_t fraction = 0;
    while (k < n && IsNumberChar(S[k])) ++k, ++fraction;
    if (digits + fraction > 0) {
      digits += fraction;
      i = k;
    }
  }
  if (digits == 0) return false;
  if (i < n && (S[i] == 'e' || S[i] == 'E')) {
    size_t k = i + 1;
    if (k < n && (S[k] == '+' || S[k] == '-')) ++k;
    const size_t expStart = k;
    while (k < n && IsNumberChar(S[k])) ++k;
    if (k > expStart) i = k;
  }
  Value = std::strtod(S.substr(start, i - start).c_str(), nullptr);
  return true;
}

// Numbers first, in order; texts without a number after them, in text order. A total order,
// so that a sort comes out the same whatever rows it takes as pivots.
int CompareNumberTexts(const String& A, const String& B) {
  double a = 0, b = 0;
  const bool hasA = ReadSortNumber(A, a);
  const bool hasB = ReadSortNumber(B, b);
  if (hasA && hasB) return Sign(a, b);
  if (hasA != hasB) return hasA ? -1 : 1;
  return Ordinal(A, B);
}

String NumberText(String S, const String& Prefix, const String& Suffix, bool Financial) {
  EraseFirst(S, Prefix);
  EraseFirst(S, Suffix);
  if (Financial) {
    const char sep = FormatSettings.ThousandSeparator;
    String kept;
    for (char c : S)
      if (c != sep) kept += c;
    S = kept;
  }
  const char dec = FormatSettings.DecimalSeparator;
  if (dec != '.') {
    const size_t at = S.find(dec);
    if (at != String::npos) S[at] = '.';
  }
  return S;
}

TDateTime DateOf(const String& S) {
  TDateTime v = 0;
  return ParseDateTimeLocale(S, v) ? v : 0;
}

template <class F>
TDateTime ShortDateOf(F Parse, const String& S) {
  try {
    return Parse(S);
  } catch (const Exception&) {
    return 0;
  }
}

// Hours, minutes and optional seconds with the time separator; 0 when unreadable.
TDateTime TimeOf(const String& S) {
  const char sep = FormatSettings.TimeSeparator;
  int parts[3] = {0, 0, 0};
  int count = 0;
  size_t i = 0;
  while (i < S.size() && S[i] == ' ') ++i;
  while (count < 3) {
    size_t k = i;
    while (k < S.size() && IsNumberChar(S[k])) ++k;
    if (k == i) return 0;
    parts[count++] = std::atoi(S.substr(i, k - i).c_str());
    i = k;
    if (i >= S.size() || S[i] != sep) break;
    ++i;
  }
  if (count < 2) return 0;
  TDateTime t = 0;
  return TryEncodeTime(static_cast<Word>(parts[0]), static_cast<Word>(parts[1]), static_cast<Word>(parts[2]), 0, t) ? t
                                                                                                                   : 0;
}

bool IsCheckBoxType(TCellType T) {
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

bool IsNumber(const String& S) { return NumericKind(S) != 2; }

}  // namespace

TSortStyle TRivErodovOzar::DetectSortStyle(int ACol, int ARow1, const String& T1, const String& T2) {
  if (IsCheckBoxType(GetCellType(ACol, ARow1))) return ssCheckBox;
  if (IsNumber(T1)) return ssNumeric;
  const TSortStyle alpha = FSortSettings->IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
  auto separatedByDigits = [&](char Sep) {
    const size_t p = T1.find(Sep) + 1;  // 1-based, 0 when absent
    if (p < 2 || p > 3 || p >= T1.size()) return false;
    return IsNumberChar(T1[p - 2]) && IsNumberChar(T1[p]) && T2.find(Sep) != String::npos;
  };
  const char dateSep = FormatSettings.DateSeparator;
  const size_t datePos = T1.find(dateSep) + 1;
  if (datePos >= 2 && datePos <= 3 && datePos < T1.size()) {
    if (separatedByDigits(dateSep))
      return T1.find(FormatSettings.TimeSeparator) == String::npos ? ssDate : ssDateTime;
    return alpha;
  }
  if (separatedByDigits(FormatSettings.TimeSeparator)) return ssTime;
  return alpha;
}

int TRivErodovOzar::CompareCells(int ACol, int ARow1, TSortDirection Direction, int ARow2) {
  ++Compares;
  const TSortSettings& s = *FSortSettings;
  TSortStyle style = s.AutoFormat ? ssAutomatic : (s.IgnoreCase ? ssAlphaNoCase : ssAlphabetic);
  String prefix, suffix;
  GetCellFormat(ACol, style, prefix, suffix);
  auto text = [&](int R) { return s.SortOnVirtualCells ? Cells(ACol, R) : GetRawCellText(ACol, R); };
  String t1 = text(ARow1);
  String t2 = text(ARow2);
  if (style == ssAutomatic) style = DetectSortStyle(ACol, ARow1, t1, t2);
  if (style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
    if (IsNumber(t1) && IsNumber(t2))
      style = ssNumeric;
    else
      style = style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
  }
  int res = 1;
  switch (style) {
    case ssAlphabetic:
    case ssAlphaCase:
    case ssAutomatic:
    case ssAlphaNumeric:
    case ssAlphaNumericNoCase: res = Ordinal(t1, t2); break;
    case ssAlphaNoCase:
      t1 = UpperAZ(t1);
      t2 = UpperAZ(t2);
      res = Ordinal(t1, t2);
      if (res == 0) res = Ordinal(text(ARow1), text(ARow2));
      break;
    case ssAnsiAlphaCase: res = AnsiCompareStr(t1, t2); break;
    case ssAnsiAlphaNoCase: res = AnsiCompareText(t1, t2); break;
    case ssNumeric:
    case ssFinancial:
      t1 = NumberText(t1, prefix, suffix, style == ssFinancial);
      t2 = NumberText(t2, prefix, suffix, style == ssFinancial);
      res = CompareNumberTexts(t1, t2);
      break;
    case ssDate:
    case ssDateTime: res = Sign(DateOf(t1), DateOf(t2)); break;
    case ssShortDateEU: res = Sign(ShortDateOf(ParseDateEU, t1), ShortDateOf(ParseDateEU, t2)); break;
    case ssShortDateUS: res = Sign(ShortDateOf(ParseDateUS, t1), ShortDateOf(ParseDateUS, t2)); break;
    case ssTime: res = Sign(TimeOf(t1), TimeOf(t2)); break;
    case ssCustom:
      res = 0;
      if (OnCustomCompare) OnCustomCompare(this, t1, t2, res);
      break;
    case ssRaw:
      res = 0;
      if (OnRawCompare) OnRawCompare(this, ACol, ARow1, ARow2, res);
      break;
    case ssHTML:
      t1 = GetCellPlainText(ACol, ARow1);
      t2 = GetCellPlainText(ACol, ARow2);
      res = Ordinal(t1, t2);
      break;
    case ssImages: {
      const int g1 = SortGraphicValue(ACol, ARow1);
      const int g2 = SortGraphicValue(ACol, ARow2);
      res = g2 < g1 ? 1 : (g1 == g2 ? 0 : -1);
      break;
    }
    case ssCheckBox: {
      bool c1 = false, c2 = false;
      GetCheckBoxState(ACol, ARow1, c1);
      GetCheckBoxState(ACol, ARow2, c2);
      res = c1 == c2 ? 0 : (c1 ? 1 : -1);
      break;
    }
  }
  if (s.IgnoreBlanks && t1.empty() != t2.empty()) {
    // Blanks go last (or first) whatever the direction: the worker turns the result round
    // for a descending sort, so it is turned round here first.
    int blank = t1.empty() ? (s.BlankPos == blLast ? 1 : -1) : (s.BlankPos == blLast ? -1 : 1);
    if (Direction == sdDescending) blank = -blank;
    res = blank;
  }
  return res;
}

int TRivErodovOzar::SortGraphicValue(int ACol, int ARow) {
  TCellGraphic* g = HasCellProperties(ACol, ARow) ? GetCellGraphic(ACol, ARow) : nullptr;
  if (g == nullptr) return -1;
  return g->CellType == ctImageList ? g->CellIndex : -1;
}

int TRivErodovOzar::CompareRowsFrom(int ACol, int ARow1, int ARow2) {
  const int last = AllColCount() - 1;
  for (int c = ACol;; ++c) {
    const int res = IsIgnoredColumn(c) ? 0 : CompareCells(c, ARow1, FSortSettings->Direction, ARow2);
    if (res != 0 || !FSortSettings->Full || c >= last) return res;
  }
}

int TRivErodovOzar::CompareRowsIndexed(int Depth, int ARow1, int ARow2) {
  const int n = FSortIndexes->Count();
  for (int d = Depth; d < n; ++d) {
    const int col = FSortIndexes->ColumnAt(d);
    const bool descending = !FSortIndexes->AscendingAt(d);
    const int res = IsIgnoredColumn(col) ? 0 : CompareCells(col, ARow1, descending ? sdDescending : sdAscending, ARow2);
    if (res != 0 || !FSortSettings->Full) return descending ? -res : res;
  }
  if (Depth >= n) FSortIndexes->Items(Depth);  // the list's own index error, as a bad depth gives
  return 0;
}
