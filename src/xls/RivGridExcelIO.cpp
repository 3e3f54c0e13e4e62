#include "xls/RivGridExcelIO.h"

namespace {
constexpr const char* kUnavailable = "Excel workbooks are not available in this version";
}  // namespace

TRivGridExcelIO::TRivGridExcelIO(TComponent* AOwner) : TComponent(AOwner) {}

void TRivGridExcelIO::SetGrid(TRivErodovOzar* Value) {
  if (Value == FGrid) return;
  if (FGrid != nullptr) FGrid->RemoveFreeNotification(this);
  FGrid = Value;
  if (FGrid != nullptr) FGrid->FreeNotification(this);
}

void TRivGridExcelIO::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
}

void TRivGridExcelIO::XLSImport(const String&) { throw EXlsUnavailable(kUnavailable); }

void TRivGridExcelIO::XLSExport(const String&) { throw EXlsUnavailable(kUnavailable); }
