#include "xls/vavUBiffOptionRecords.h"

#include <algorithm>

#include "xls/vavUBiffStrings.h"

void TWindow1Record::SetActiveSheet(Word Value) {
  SetWord(Data, 10, Value);
  SetWord(Data, 12, 0);
  SetWord(Data, 14, 1);
}

void TWindow1Record::SaveToStream(TOle2File& Workbook) const {
  ArrayOfByte data = Data;
  for (size_t pos : {size_t{4}, size_t{6}})
    if (data.size() >= pos + 2 && GetWord(data, pos) == 0) SetWord(data, pos, 1);
  SaveDataToStream(Workbook, data);
  SaveContinuesToStream(Workbook);
}

void TWindow2Record::SetSheetZoom(Integer Value) { SetWord(Data, 12, static_cast<Word>(std::clamp(Value, 10, 400))); }

std::unique_ptr<TBaseRecord> TWindow2Record::DoCopyTo() const {
  auto copy = std::make_unique<TWindow2Record>(*this);
  if (copy->Data.size() >= 2) copy->SetSelected(false);
  return copy;
}

std::unique_ptr<TSCLRecord> TSCLRecord::CreateFromData(Integer aZoom) {
  auto record = std::make_unique<TSCLRecord>(0x00A0, ArrayOfByte(4, 0));
  record->SetZoom(aZoom);
  return record;
}

Integer TSCLRecord::Zoom() const {
  Integer numerator = GetWord(Data, 0), denominator = GetWord(Data, 2);
  if (denominator == 0) return 100;
  Integer q = numerator * 100 / denominator, r = numerator * 100 % denominator;
  if (2 * r > denominator || (2 * r == denominator && (q & 1))) ++q;
  return q;
}

void TSCLRecord::SetZoom(Integer Value) {
  SetWord(Data, 0, static_cast<Word>(std::clamp(Value, 10, 400)));
  SetWord(Data, 2, 100);
}

void TDefColWidthRecord::SaveToStream(TOle2File& Workbook) const {
  ArrayOfByte data = Data;
  if (data.size() >= 2 && GetWord(data, 0) >= 256) SetWord(data, 0, 255);
  SaveDataToStream(Workbook, data);
  SaveContinuesToStream(Workbook);
}

WideString TPageHeaderFooterRecord::Text() const {
  if (Data.empty()) return WideString();
  const TBaseRecord* record = this;
  Integer ofs = 0;
  return TExcelString(2, record, ofs).Value();
}

void TPageHeaderFooterRecord::SetText(const WideString& Value) {
  ArrayOfByte data;
  TExcelString(2, Value).SaveToStream(data);
  Data = std::move(data);
}

void TMarginRecord::SetValue(Double aValue) {
  if (Data.size() != 8) RaiseXls("Error in Margin Record");
  SetDouble(Data, 0, aValue);
}

TSetupRec TSetupRecord::GetValue() const {
  TSetupRec r;
  r.PaperSize = GetWord(Data, 0);
  r.Scale = GetWord(Data, 2);
  r.PageStart = GetWord(Data, 4);
  r.FitWidth = GetWord(Data, 6);
  r.FitHeight = GetWord(Data, 8);
  r.GrBit = GetWord(Data, 10);
  r.Resolution = GetWord(Data, 12);
  r.VResolution = GetWord(Data, 14);
  r.HeaderMargin = GetDouble(Data, 16);
  r.FooterMargin = GetDouble(Data, 24);
  r.Copies = GetWord(Data, 32);
  return r;
}

void TSetupRecord::SetValue(const TSetupRec& r) {
  if (Data.size() != 34) RaiseXls("Error in Setup Record");
  SetWord(Data, 0, r.PaperSize);
  SetWord(Data, 2, r.Scale);
  SetWord(Data, 4, r.PageStart);
  SetWord(Data, 6, r.FitWidth);
  SetWord(Data, 8, r.FitHeight);
  SetWord(Data, 10, r.GrBit);
  SetWord(Data, 12, r.Resolution);
  SetWord(Data, 14, r.VResolution);
  SetDouble(Data, 16, r.HeaderMargin);
  SetDouble(Data, 24, r.FooterMargin);
  SetWord(Data, 32, r.Copies);
}

Word TSetupRecord::PrinterField(size_t Pos, Word Default) const {
  return (PrintOptions() & NoPrinterData) ? Default : GetWord(Data, Pos);
}

void TSetupRecord::SetPrinterField(size_t Pos, Word Value) {
  SetWord(Data, Pos, Value);
  SetPrintOptions(PrintOptions() & ~NoPrinterData);
}

std::unique_ptr<TPlsRecord> TPlsRecord::CreateFromData(const TPrinterDriverSettings& aPrinterData) {
  auto record = std::make_unique<TPlsRecord>(0x004D, ArrayOfByte());
  record->SetPrinterData(aPrinterData);
  return record;
}

TPrinterDriverSettings TPlsRecord::GetPrinterData() const {
  TPrinterDriverSettings settings;
  settings.OperatingEnviroment = GetWord(Data, 0);
  settings.Data.assign(Data.begin() + 2, Data.end());
  return settings;
}

void TPlsRecord::SetPrinterData(const TPrinterDriverSettings& Value) {
  if (Value.Data.size() + 2 > 0xFFFF) RaiseXls(XlsMsg::TooManyEntries, {Int64(Value.Data.size() + 2), Int64{0xFFFF}});
  if (Data.size() != Value.Data.size() + 2) Data.assign(Value.Data.size() + 2, 0);
  SetWord(Data, 0, Value.OperatingEnviroment);
  std::copy(Value.Data.begin(), Value.Data.end(), Data.begin() + 2);
}
