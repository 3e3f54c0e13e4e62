// The data grid's cell conveniences: typed values, wide texts, finding a cell by its text, the
// header and lookup lists, cell graphics and types, text tagging and the display-text hook.
#include <algorithm>

#include "classlib/StringList.h"
#include "grid/model/RivErodovOzar.h"
#include "grid/base/HTMLTextOperations.h"
#include "grid/model/NumberText.h"

namespace {
long double FloatOfText(const String& Text) {
  String s = CleanNumberText(Text);
  if (s.empty() || s == "-") s = "0";
  long double value = 0;
  size_t errorAt = 0;
  if (!ParseNumberText(s, value, errorAt)) throw ERivGridError("Cell does not contain a float value");
  return value;
}

String HeaderText(const String& Entry) {
  String s = Entry;
  for (size_t p = s.find("\\n"); p != String::npos; p = s.find("\\n", p + 1)) s.replace(p, 2, "\r");
  return s;
}
}  // namespace

// ---- Typed values ----

void TRivErodovOzar::SetCellInteger(int ACol, int ARow, int Value) {
  SetCells(ACol, ARow, IntToStr(Value));
  if (FNumHidden > 0) RepaintCell(DisplColIndex(ACol), ARow);
}

int TRivErodovOzar::GetCellInteger(int ACol, int ARow) {
  String s = Trim(Cells(ACol, ARow));
  if (s.empty() || s == "-") s = "0";
  int value = 0;
  if (!TryStrToInt(s, value)) throw ERivGridError("Cell does not contain integer value");
  return value;
}

void TRivErodovOzar::SetCellFloat(int ACol, int ARow, double Value) {
  SetCells(ACol, ARow, Format(FloatFormat, {Value}));
}

long double TRivErodovOzar::GetCellFloat(int ACol, int ARow) { return FloatOfText(Cells(ACol, ARow)); }

long double TRivErodovOzar::GetAllCellFloat(int ACol, int ARow) { return FloatOfText(GetAllCell(ACol, ARow)); }

void TRivErodovOzar::SetCellDate(int ACol, int ARow, TDateTime Value) {
  if (Value > 0 || ShowNullDates)
    SetCells(ACol, ARow, DateToStr(Value));
  else
    SetCells(ACol, ARow, "");
}

void TRivErodovOzar::SetCellTime(int ACol, int ARow, TDateTime Value) { SetCells(ACol, ARow, TimeToStr(Value)); }

WideString TRivErodovOzar::GetWideCell(int ACol, int ARow) { return Utf8ToWide(Cells(ACol, ARow)); }

void TRivErodovOzar::SetWideCell(int ACol, int ARow, const WideString& Value) {
  SetCells(ACol, ARow, WideToUtf8(Value));
}

bool TRivErodovOzar::IsWideCell(int ACol, int ARow) { return Cells(ACol, ARow).rfind("|\\", 0) == 0; }

bool TRivErodovOzar::IsCell(const String& SubStr, int& ACol, int& ARow) {
  for (int r = 0; r < RowCount(); ++r) {
    for (int c = 0; c < ColCount(); ++c) {
      if (GetRawCellText(c, r) == SubStr) {
        ACol = c;
        ARow = r;
        return true;
      }
    }
  }
  return false;
}

// ---- Headers and lookup ----

void TRivErodovOzar::SetColumnHeaders(TStrings* Value) {
  if (Value == nullptr) return;
  auto handler = std::move(FColumnHeaders->OnChange);
  FColumnHeaders->Assign(Value);
  FColumnHeaders->OnChange = std::move(handler);
  if (TCustomGrid::FixedRows() > 0) ClearColumnHeaders();
  ShowColumnHeaders();
}

void TRivErodovOzar::ShowColumnHeaders() {
  if (TCustomGrid::FixedRows() < 1) return;
  const int count = std::min(FColumnHeaders->Count(), AllColCount());
  for (int i = 0; i < count; ++i) SetCells(i, 0, HeaderText(FColumnHeaders->Strings(i)));
}

void TRivErodovOzar::ClearColumnHeaders() {
  for (int c = 0; c < ColCount(); ++c) SetCells(c, 0, "");
}

void TRivErodovOzar::SetRowHeaders(TStrings* Value) {
  if (Value == nullptr) return;
  auto handler = std::move(FRowHeaders->OnChange);
  FRowHeaders->Assign(Value);
  FRowHeaders->OnChange = std::move(handler);
  if (IsDesigning() && TCustomGrid::FixedCols() > 0) ClearRowHeaders();
  ShowRowHeaders();
}

void TRivErodovOzar::ShowRowHeaders() {
  if (TCustomGrid::FixedCols() < 1) return;
  const int count = std::min(FRowHeaders->Count(), RowCount());
  for (int i = 0; i < count; ++i) SetCells(0, i, HeaderText(FRowHeaders->Strings(i)));
}

void TRivErodovOzar::ClearRowHeaders() {
  for (int r = 0; r < RowCount(); ++r) SetCells(0, r, "");
}

void TRivErodovOzar::SetLookupItems(TStrings* Value) {
  if (Value != nullptr) FLookupItems->Assign(Value);
}

// ---- Graphics and types ----

TCellGraphic* TRivErodovOzar::CreateCellGraphic(int ACol, int ARow) {
  RemoveCellGraphic(ACol, ARow);
  auto* graphic = new TCellGraphic();
  SetCellGraphicObject(ACol, ARow, graphic);  // keeps an empty cell empty
  FHasCellProps = true;
  if (FNumHidden > 0 && DisplColIndex(ACol) != ACol) RepaintCell(DisplColIndex(ACol), ARow);
  return graphic;
}

TCellGraphic* TRivErodovOzar::GetCellGraphic(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return nullptr;
  if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
    TCellGraphic* g = FRowCheckGraphic.get();
    g->CellType = ctRowCheckBox;
    const int selected = FSelectedRows->Count();
    g->CellAngle = ARow == 0 && selected > 0 && selected != RowCount() ? 1 : 0;
    g->CellTransparent = ControlLook()->ControlStyle() == RivGrid::csFlat;
    const int real = RealRowIndex(ARow);
    g->CellBoolean = real >= 0 && real < FRowSelect->Count() && FRowSelect->Items(real) != 0;
    return g;
  }
  return dynamic_cast<TCellGraphic*>(GetCellGraphicObject(ACol, ARow));
}

TCellType TRivErodovOzar::GetCellType(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return ctEmpty;
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  return g != nullptr ? g->CellType : ctEmpty;
}

TObject* TRivErodovOzar::GetCellImageIndexes(int ACol, int ARow) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  return g != nullptr && g->CellType == ctImages ? g->CellBitmap : nullptr;
}

intptr_t TRivErodovOzar::GetCellGraphicObjectValue(int ACol, int ARow) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (g == nullptr) return -1;
  switch (g->CellType) {
    case ctBitmap: return reinterpret_cast<intptr_t>(g->CellBitmap);
    case ctIcon: return reinterpret_cast<intptr_t>(g->CellIcon);
    case ctImageList: return g->CellIndex;
    default: return -1;
  }
}

bool TRivErodovOzar::HasNodes() { return FNumNodes > 0; }

int TRivErodovOzar::NodeIndentOfRow(int ARow) {
  if (!HasNodes() || ARow < 0 || !HasCellProperties(0, ARow)) return 0;
  return GetCellProperties(0, ARow)->NodeLevel() * FCellNode->NodeIndent();
}

// ---- Tagging ----

void TRivErodovOzar::TagTextInRange(const String& Text, const String& Tag, const TGridRect& R, bool DoCase) {
  for (int r = R.Top; r <= R.Bottom; ++r)
    for (int c = R.Left; c <= R.Right; ++c)
      if (IsBaseCell(c, r)) SetCells(c, r, HilightInHTML(GetRawCellText(c, r), Text, Tag, DoCase));
}

void TRivErodovOzar::UnTagTextInRange(const String& Tag, const TGridRect& R) {
  for (int r = R.Top; r <= R.Bottom; ++r)
    for (int c = R.Left; c <= R.Right; ++c)
      if (IsBaseCell(c, r)) SetCells(c, r, UnHilightInHTML(GetRawCellText(c, r), Tag));
}

// ---- Display text ----

void TRivErodovOzar::DoGetDisplText(int ACol, int ARow, String& Value) {
  TBaseGrid::DoGetDisplText(ACol, ARow, Value);
  if (FURLShowInText) {
    static const char* const kPrefixes[] = {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"};
    for (const char* prefix : kPrefixes) {
      String linked;
      if (LinkifyURL(prefix, Value, linked)) {
        Value = linked;
        break;
      }
    }
  }
  if (ACol == 1 && FGrouping->ShowGroupCount() && IsNode(ARow)) {
    const int n = GetNodeSpan(ARow) - GetSubNodeCount(ARow) - 1;
    if (!FGrouping->GroupCountFormat().empty())
      Value += Format(FGrouping->GroupCountFormat(), {n});
    else
      Value += " (" + IntToStr(n) + ")";
  }
}
