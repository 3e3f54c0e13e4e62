// View and print settings of sheets: margins, zoom, panes, header and footer, page setup and
// printer driver data, each over its single record; which writes create a missing record.
#include "xls/vavUWbkChart.h"
#include "xls/vavUWorkSheet.h"

namespace {
constexpr Double DefaultSideMargin = 0.7480314960629921;  // 1.9 cm
constexpr Double DefaultTopMargin = 0.984251968503937;    // 2.5 cm

void CheckWordProperty(Integer Value, const char* Property) {
  if (Value < 0 || Value > 65535) RaiseXls(XlsMsg::IndexOutOfRange, {Int64{Value}, String(Property), Int64{0}, Int64{65535}});
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TSheet

void TSheet::SetHeaderFooterText(TPageHeaderFooterRecord& aRecord, const WideString& Text) {
  const Integer before = aRecord.TotalSize();
  aRecord.SetText(Text);
  if (FPrintRecords) FPrintRecords->AdaptSize(aRecord.TotalSize() - before);
}

TXlsMargins TSheet::Margins() const {
  TXlsMargins m;
  m.Left = FLeftMargin ? FLeftMargin->Value() : DefaultSideMargin;
  m.Right = FRightMargin ? FRightMargin->Value() : DefaultSideMargin;
  m.Top = FTopMargin ? FTopMargin->Value() : DefaultTopMargin;
  m.Bottom = FBottomMargin ? FBottomMargin->Value() : DefaultTopMargin;
  m.Header = FSetup ? FSetup->HeaderMargin() : 0;
  m.Footer = FSetup ? FSetup->FooterMargin() : 0;
  return m;
}

TMarginRecord* TSheet::AddMargin(Word aId) {
  auto margin = std::make_unique<TMarginRecord>(aId, ArrayOfByte(8, 0));
  TMarginRecord* added = margin.get();
  if (!FPrintRecords) return nullptr;
  Integer at = FPrintRecords->Count();
  for (Integer i = FPrintRecords->Count() - 1; i >= 0; --i) {
    const Word id = (*FPrintRecords)[i] ? (*FPrintRecords)[i]->Id : 0;
    if ((id >= 0x0026 && id <= 0x0029) || id == 0x0084 || id == 0x0225) {
      at = i + 1;
      break;
    }
  }
  FPrintRecords->Insert(at, std::move(margin));
  return added;
}

void TSheet::SetMargins(const TXlsMargins& Value) {
  const std::pair<TMarginRecord**, std::pair<Word, Double>> sides[] = {
      {&FLeftMargin, {0x0026, Value.Left}},
      {&FRightMargin, {0x0027, Value.Right}},
      {&FTopMargin, {0x0028, Value.Top}},
      {&FBottomMargin, {0x0029, Value.Bottom}},
  };
  for (const auto& [field, side] : sides) {
    if (!*field) *field = AddMargin(side.first);
    if (*field) (*field)->SetValue(side.second);
  }
  if (FSetup) {
    FSetup->SetHeaderMargin(Value.Header);
    FSetup->SetFooterMargin(Value.Footer);
  }
}

void TSheet::SetSheetZoom(Integer Value) {
  if (!FZoom) AddZoomRecord();
  if (FZoom) FZoom->SetZoom(Value);
}

void TSheet::FreezePanes(Integer Row, Integer Col) {
  if (Row < 0 || Row > TBaseRowColRecord::MaxRow) RaiseXls(XlsMsg::InvalidRow, {Int64{Row}});
  if (Col < 0 || Col > TBaseRowColRecord::MaxCol) RaiseXls(XlsMsg::InvalidColumn, {Int64{Col}});
  const bool frozen = Row > 0 || Col > 0;
  if (FWindow2) {
    FWindow2->SetIsFrozen(frozen);
    FWindow2->SetIsFrozenButNoSplit(frozen);
  }
  SetPaneRecord(frozen);
  if (!FPane) return;
  FPane->SetRowSplit(static_cast<Word>(Row));
  FPane->SetFirstVisibleRow(static_cast<Word>(std::max<Integer>(FPane->FirstVisibleRow(), std::max(Row, 1))));
  FPane->SetColSplit(static_cast<Word>(Col));
  FPane->SetFirstVisibleCol(static_cast<Word>(std::max<Integer>(FPane->FirstVisibleCol(), std::max(Col, 1))));
  FPane->EnsureSelectedVisible();
}

void TSheet::GetFrozenPanes(Integer& Row, Integer& Col) const {
  Row = Col = 0;
  if (FPane && (!FWindow2 || FWindow2->IsFrozen())) {
    Row = FPane->RowSplit();
    Col = FPane->ColSplit();
  }
}

void TSheet::SplitWindow(Integer xOffset, Integer yOffset) {
  const bool split = xOffset > 0 || yOffset > 0;
  if (FWindow2) {
    FWindow2->SetIsFrozen(false);
    FWindow2->SetIsFrozenButNoSplit(false);
  }
  SetPaneRecord(split);
  if (!FPane) return;
  FPane->SetRowSplit(static_cast<Word>(yOffset));
  FPane->SetColSplit(static_cast<Word>(xOffset));
  if (FPane->FirstVisibleRow() == 0) FPane->SetFirstVisibleRow(1);
  if (FPane->FirstVisibleCol() == 0) FPane->SetFirstVisibleCol(1);
  FPane->EnsureSelectedVisible();
}

void TSheet::GetSplitWindow(Integer& xOffset, Integer& yOffset) const {
  xOffset = yOffset = 0;
  if (FPane && FWindow2 && !FWindow2->IsFrozen()) {
    xOffset = FPane->ColSplit();
    yOffset = FPane->RowSplit();
  }
}

// ---------------------------------------------------------------------------------------------
// TWorkSheet

void TWorkSheet::AddZoomRecord() {
  if (FMiscRecords2.Count() < 2) return;
  auto scl = TSCLRecord::CreateFromData(100);
  FZoom = scl.get();
  FMiscRecords2.Insert(1, std::move(scl));
}

void TWorkSheet::SetPaneRecord(bool Value) {
  if (Value) {
    if (FPane || FMiscRecords2.Count() < 2) return;
    auto pane = std::make_unique<TPaneRecord>(0x0041, ArrayOfByte(10, 0));
    FPane = pane.get();
    FMiscRecords2.Insert(1, std::move(pane));
    return;
  }
  for (Integer i = FMiscRecords2.Count() - 1; i >= 0; --i)
    if (FMiscRecords2[i] == FPane) FMiscRecords2.Delete(i);
  FPane = nullptr;
}

void TWorkSheet::SetPrintScale(Integer Value) {
  CheckWordProperty(Value, "PrintScale");
  if (FSetup) FSetup->SetScale(static_cast<Word>(Value));
}

void TWorkSheet::SetPrintPaperSize(Integer Value) {
  CheckWordProperty(Value, "PrintPaperSize");
  if (FSetup) FSetup->SetPrintPaperSize(static_cast<Word>(Value));
}

void TWorkSheet::SetPrintCopies(Integer Value) {
  CheckWordProperty(Value, "PrintCopies");
  if (FSetup) FSetup->SetPrintCopies(static_cast<Word>(Value));
}

void TWorkSheet::SetPrintXResolution(Integer Value) {
  CheckWordProperty(Value, "PrintXResolution");
  if (FSetup) FSetup->SetPrintXResolution(static_cast<Word>(Value));
}

void TWorkSheet::SetPrintYResolution(Integer Value) {
  CheckWordProperty(Value, "PrintYResolution");
  if (FSetup) FSetup->SetPrintYResolution(static_cast<Word>(Value));
}

TPrinterDriverSettings TWorkSheet::PrinterDriverSettings() const {
  return FPrinterDriverSettings ? FPrinterDriverSettings->GetPrinterData() : TPrinterDriverSettings();
}

void TWorkSheet::RemovePrinterDriverSettings() {
  for (Integer i = FMiscRecords1.Count() - 1; i >= 0; --i)
    if (FMiscRecords1[i] && FMiscRecords1[i]->Id == 0x004D) FMiscRecords1.Delete(i);
  FPrinterDriverSettings = nullptr;
}

void TWorkSheet::SetPrinterDriverSettings(const TPrinterDriverSettings& Value) {
  if (Value.Data.empty()) {
    RemovePrinterDriverSettings();
    return;
  }
  auto pls = TPlsRecord::CreateFromData(Value);
  RemovePrinterDriverSettings();
  Integer at = FMiscRecords1.Count();
  for (Integer i = 0; i < FMiscRecords1.Count(); ++i)
    if (FMiscRecords1[i] == FSetup) at = i;
  FPrinterDriverSettings = pls.get();
  FMiscRecords1.Insert(at, std::move(pls));
  if (FSetup) FSetup->SetPrintOptions(FSetup->PrintOptions() & ~TSetupRecord::NoPrinterData);
}

// ---------------------------------------------------------------------------------------------
// The automatic filter: its AUTOFILTERINFO record, the drop-down arrows of the drawing and the
// built-in filter-database name that holds its cells.

namespace {
const WideString FilterDatabaseName(1, char16_t{13});
}  // namespace

void TWorkSheet::SetAutoFilter(Integer SheetIndex, Integer Row, Integer Col1, Integer Col2) {
  if (Col2 < Col1) {
    RemoveAutoFilter();
    return;
  }
  if (!FAutoFilterInfo) {
    auto info = std::make_unique<TAutoFilterInfoRecord>(Word{0x009D}, ArrayOfByte(2, 0));
    Integer at = FMiscRecords1.Count();
    for (Integer i = 0; i < FMiscRecords1.Count(); ++i)
      if (FMiscRecords1[i] && FMiscRecords1[i]->Id == 0x0055) {
        at = i;
        break;
      }
    FAutoFilterInfo = info.get();
    FMiscRecords1.Insert(at, std::move(info));
  }
  FAutoFilterInfo->SetDropDownCount(static_cast<Word>(Col2 - Col1 + 1));
  FDrawing.RemoveAutoFilter();
  FDrawing.AddAutoFilter(Row, Col1, Col2, this);
  TXlsNamedRange name;
  name.Name = FilterDatabaseName;
  name.NameSheetIndex = SheetIndex;
  name.OptionFlags = 0x21;
  const WideString row = Utf8ToWide(std::to_string(Row + 1));
  name.RangeFormula = u"=$" + Utf8ToWide(EncodeColumn(Col1 + 1)) + u"$" + row + u":$" +
                      Utf8ToWide(EncodeColumn(Col2 + 1)) + u"$" + row;
  FWorkbookGlobals->AddName(name, &FCells.CellList());
}

void TWorkSheet::RemoveAutoFilter() {
  for (Integer i = FMiscRecords1.Count() - 1; i >= 0; --i) {
    const TBaseRecord* r = FMiscRecords1[i];
    if (r && (r->Id == 0x009E || r->Id == 0x009D || r->Id == 0x009B)) FMiscRecords1.Delete(i);
  }
  FAutoFilterInfo = nullptr;
  FDrawing.RemoveAutoFilter();
}

TXlsCellRange TWorkSheet::GetAutoFilterRange(Integer Sheet) const {
  const TNameRecord* name = FAutoFilterInfo ? FWorkbookGlobals->GetName(Sheet, FilterDatabaseName) : nullptr;
  if (!name) return TXlsCellRange{-1, -1, -1, -1};
  return TXlsCellRange{name->GetC1(), name->GetR1(), name->GetC2(), name->GetR2()};
}

bool TWorkSheet::HasAutoFilter(Integer Sheet, Integer Row, Integer Col) const {
  if (!FAutoFilterInfo) return false;
  const TXlsCellRange r = GetAutoFilterRange(Sheet);
  return Row >= r.Top && Row <= r.Bottom && Col >= r.Left && Col <= r.Right;
}
