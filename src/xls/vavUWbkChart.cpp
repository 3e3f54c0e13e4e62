#include "xls/vavUWbkChart.h"

#include "xls/vavUBiffRecordFactory.h"

void TSheetRecordsBase::Clear() {
  TSheet::Clear();
  FRecords.Clear();
}

void TSheetRecordsBase::SaveToStream(TOle2File& DataStream) {
  SaveBaseHead(DataStream);
  FRecords.SaveToStream(DataStream);
  SaveBaseTail(DataStream);
}

void TSheetRecordsBase::RelinkRecords() {
  UnlinkRecords();
  for (Integer i = 0; i < FRecords.Count(); ++i)
    if (FRecords[i]) LinkRecord(FRecords[i]);
}

void TSheetRecordsBase::CopyRecordsTo(TSheetRecordsBase& Dest) const {
  CopyBaseTo(Dest);
  Dest.FRecords.CopyFrom(&FRecords);
  Dest.RelinkRecords();
}

// ---------------------------------------------------------------------------------------------
// TWbkChart

void TWbkChart::Clear() {
  TSheetRecordsBase::Clear();
  RemainingData.reset();
}

void TWbkChart::LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBOFRecord> First,
                               TSST* SST) {
  Clear();
  Integer depth = 0;
  while (!FEOF) {
    std::unique_ptr<TBaseRecord> r = ReadSectionRecord(DataStream, RecordHeader);
    if (depth == 0) LinkRecord(r.get());
    if (r->Id == BiffId::EOF_ && r->Continue) RemainingData = std::move(r->Continue);
    if (PlaceBaseRecord(r, SST)) continue;
    if (r->Id == 0x1033) ++depth;          // BEGIN
    else if (r->Id == 0x1034 && depth > 0) --depth;  // END
    FRecords.Add(std::move(r));
  }
  FBOF = std::move(First);
}

std::unique_ptr<TSheet> TWbkChart::DoCopyTo() const {
  auto copy = std::make_unique<TWbkChart>(FWorkbookGlobals);
  CopyRecordsTo(*copy);
  return copy;
}

void TWbkChart::AddZoomRecord() {
  auto scl = TSCLRecord::CreateFromData(100);
  FZoom = scl.get();
  FRecords.Add(std::move(scl));
}

// ---------------------------------------------------------------------------------------------
// TWbkUnsupportedSheet

void TWbkUnsupportedSheet::LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader,
                                          std::unique_ptr<TBOFRecord> First, TSST* SST) {
  Clear();
  while (!FEOF) {
    std::unique_ptr<TBaseRecord> r = ReadSectionRecord(DataStream, RecordHeader);
    LinkRecord(r.get());
    if (PlaceBaseRecord(r, SST)) continue;
    FRecords.Add(std::move(r));
  }
  FBOF = std::move(First);
}

std::unique_ptr<TSheet> TWbkUnsupportedSheet::DoCopyTo() const {
  auto copy = std::make_unique<TWbkUnsupportedSheet>(FWorkbookGlobals);
  CopyRecordsTo(*copy);
  return copy;
}
