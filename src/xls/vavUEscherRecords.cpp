#include "xls/vavUEscherRecords.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "xls/vavUBreakList.h"
#include "xls/vavUBiffClientData.h"
#include "xls/vavUEscherOtherRecords.h"
#include "xls/vavUEscherRecordsBuild.h"
#include "xls/vavUWorkSheet.h"

namespace {

constexpr Integer MaxRecordData = 8224;
// Deeper nesting than any writer makes; it keeps a damaged file from exhausting the stack.
constexpr Integer MaxDepth = 64;

Integer Depth(const TEscherRecord* aRecord) {
  Integer depth = 0;
  for (const TEscherRecord* r = aRecord; r; r = r->FParent) ++depth;
  return depth;
}

}  // namespace

using namespace EscherBuild;

// ---------------------------------------------------------------------------------------------
// Caches

Integer TEscherRecordCache::IndexOf(const TEscherRecord* aRecord) const {
  auto it = std::find(FList.begin(), FList.end(), aRecord);
  return it == FList.end() ? -1 : static_cast<Integer>(it - FList.begin());
}

void TEscherRecordCache::Remove(const TEscherRecord* aRecord) {
  const Integer i = IndexOf(aRecord);
  if (i >= 0) Delete(i);
}

void TEscherRecordCache::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                                  TWorkSheet* dSheet, bool Forced, const TSheetInfo& SheetInfo) {
  for (TEscherRecord* r : FList) r->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, dSheet, Forced, SheetInfo);
}

void TEscherShapeCache::Add(TEscherRecord* aRecord) {
  TEscherRecordCache::Add(aRecord);
  Sorted = false;
}

void TEscherShapeCache::Sort() {
  std::stable_sort(FList.begin(), FList.end(), [](TEscherRecord* a, TEscherRecord* b) {
    return static_cast<TEscherSPRecord*>(a)->ShapeId() < static_cast<TEscherSPRecord*>(b)->ShapeId();
  });
  Sorted = true;
}

bool TEscherShapeCache::Find(Cardinal ShapeId, Integer& Index) {
  if (!Sorted) Sort();
  auto it = std::lower_bound(FList.begin(), FList.end(), ShapeId, [](TEscherRecord* a, Cardinal id) {
    return static_cast<TEscherSPRecord*>(a)->ShapeId() < id;
  });
  Index = static_cast<Integer>(it - FList.begin());
  return it != FList.end() && static_cast<TEscherSPRecord*>(*it)->ShapeId() == ShapeId;
}

void TEscherObjCache::ArrangeCopySheet(const TSheetInfo& SheetInfo) {
  for (TEscherRecord* r : FList) {
    auto* data = static_cast<TEscherClientDataRecord*>(r);
    if (data->ClientData) data->ClientData->ArrangeCopySheet(SheetInfo);
  }
}

void TEscherOPTCache::Add(TEscherRecord* aRecord) {
  TEscherRecordCache::Add(aRecord);
  Sorted = false;
}

// ---------------------------------------------------------------------------------------------
// TEscherRecordList

Integer TEscherRecordList::Add(std::unique_ptr<TEscherRecord> Item) {
  Sorted = false;
  return TBaseList::Add(std::move(Item));
}

void TEscherRecordList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const auto& a, const auto& b) { return a->CompareRec(*b) < 0; });
  Sorted = true;
}

bool TEscherRecordList::Find(const TEscherRecord* aRecord, Integer& Index) {
  if (!Sorted) Sort();
  Integer lo = 0, hi = Count() - 1;
  while (lo <= hi) {
    const Integer mid = (lo + hi) / 2;
    const Integer c = FItems[static_cast<size_t>(mid)]->CompareRec(*aRecord);
    if (c == 0) {
      Index = mid;
      return true;
    }
    if (c < 0) lo = mid + 1;
    else hi = mid - 1;
  }
  Index = lo;
  return false;
}

void TEscherRecordList::CopyFrom(const TEscherRecordList& Source, TEscherDwgCache* NewDwgCache, Integer RowOfs,
                                 Integer ColOfs, TWorkSheet* dSheet) {
  for (Integer i = 0; i < Source.Count(); ++i) Add(TEscherRecord::CopyTo(Source[i], NewDwgCache, RowOfs, ColOfs, dSheet));
}

Int64 TEscherRecordList::TotalSizeNoSplit() const {
  Int64 size = 0;
  for (const auto& r : FItems)
    if (r) size += r->TotalSizeNoSplit();
  return size;
}

void TEscherRecordList::SaveToStream(TOle2File& DataStream, TBreakList* BreakList) const {
  for (const auto& r : FItems)
    if (r) r->SaveToStream(DataStream, BreakList);
}

Integer TEscherRecordList::IndexOf(const TEscherRecord* aRecord) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == aRecord) return static_cast<Integer>(i);
  return -1;
}

// ---------------------------------------------------------------------------------------------
// TEscherRecord

TEscherRecord::TEscherRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                             TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent)
    : FParent(aParent),
      DwgCache(aDwgCache),
      DwgGroupCache(aDwgGroupCache),
      Pre(aEscherHeader.Pre),
      Id(aEscherHeader.Id),
      TotalDataSize(aEscherHeader.Size) {}

std::unique_ptr<TEscherRecord> TEscherRecord::DoCopyTo(TEscherDwgCache* NewDwgCache, Integer, Integer, TWorkSheet*) {
  TEscherContainerRecord* parent = nullptr;
  if (FParent) parent = FParent->CopiedTo ? static_cast<TEscherContainerRecord*>(FParent->CopiedTo) : FParent;
  std::unique_ptr<TEscherRecord> copy = Create(Header(Pre, Id, TotalDataSize), DwgGroupCache, NewDwgCache, parent);
  CopiedTo = copy.get();
  copy->LoadedDataSize = LoadedDataSize;
  return copy;
}

bool TEscherRecord::Loaded() const {
  if (LoadedDataSize > TotalDataSize) RaiseXls(XlsMsg::LogicalError);
  return LoadedDataSize == TotalDataSize;
}

bool TEscherRecord::WaitingClientData(const TClientDataClass*& ClientType) const {
  ClientType = nullptr;
  return false;
}

void TEscherRecord::AssignClientData(std::unique_ptr<TBaseClientData>) { RaiseXls(XlsMsg::EscherLoading); }

void TEscherRecord::SaveToStream(TOle2File& DataStream, TBreakList* BreakList) { WriteHeader(DataStream, BreakList); }

void TEscherRecord::AddBytes(Integer& NextPos, Int64& RealSize, Int64 n, TBreakList* BreakList) {
  if (NextPos > MaxRecordData) RaiseXls(XlsMsg::LogicalError);
  Int64 pos = NextPos + n;
  RealSize += n;
  while (pos > MaxRecordData) {
    pos -= MaxRecordData;
    RealSize += 4;
    if (BreakList) BreakList->Add(0x003C, MaxRecordData);
  }
  NextPos = static_cast<Integer>(pos);
}

void TEscherRecord::SplitRecords(Integer& NextPos, Int64& RealSize, Integer& NextDwg, TBreakList* BreakList) const {
  if (NextDwg > 0) {
    if (BreakList) BreakList->Add(NextDwg, NextPos);
    RealSize += 4;
    NextPos = 0;
    NextDwg = -1;
  }
  AddBytes(NextPos, RealSize, 8, BreakList);
}

void TEscherRecord::CheckBreak(TOle2File& DataStream, TBreakList* BreakList) {
  if (!BreakList) return;
  const Int64 pos = DataStream.Position();
  const Int64 at = BreakList->AcumSize();
  if (pos > at) RaiseXls(XlsMsg::LogicalError);
  if (pos == at) {
    DataStream.WriteHeader(static_cast<Word>(BreakList->CurrentId()), static_cast<Word>(BreakList->CurrentSize()));
    BreakList->IncCurrent();
  }
}

void TEscherRecord::WriteSplit(TOle2File& DataStream, TBreakList* BreakList, const Byte* Data, Int64 Count) {
  while (Count > 0) {
    CheckBreak(DataStream, BreakList);
    Int64 n = Count;
    if (BreakList) n = std::min(n, BreakList->AcumSize() - DataStream.Position());
    if (n <= 0) RaiseXls(XlsMsg::LogicalError);
    DataStream.WriteMem(Data, n);
    Data += n;
    Count -= n;
  }
}

void TEscherRecord::WriteHeader(TOle2File& DataStream, TBreakList* BreakList) {
  if (!Loaded()) RaiseXls(XlsMsg::EscherNotLoaded);
  const Int64 size = TotalSizeNoSplit() - 8;
  Byte head[8] = {static_cast<Byte>(Pre), static_cast<Byte>(Pre >> 8), static_cast<Byte>(Id), static_cast<Byte>(Id >> 8),
                  static_cast<Byte>(size), static_cast<Byte>(size >> 8), static_cast<Byte>(size >> 16),
                  static_cast<Byte>(size >> 24)};
  WriteSplit(DataStream, BreakList, head, 8);
}

Integer TEscherRecord::CompareRec(const TEscherRecord& aRecord) const {
  if (Id != aRecord.Id) return Id < aRecord.Id ? -1 : 1;
  if (Pre != aRecord.Pre) return Pre < aRecord.Pre ? -1 : 1;
  if (TotalDataSize != aRecord.TotalDataSize) return TotalDataSize < aRecord.TotalDataSize ? -1 : 1;
  return 0;
}

TEscherRecord* TEscherRecord::FindRoot() {
  if (!DwgCache) return this;
  TEscherSpgrContainerRecord* patriarch = DwgCache->Patriarch;
  if (!patriarch) return nullptr;
  TEscherRecord* r = this;
  while (r && r->FParent != patriarch) r = r->FParent;
  return r;
}

TEscherSpgrContainerRecord* TEscherRecord::Patriarch() const { return DwgCache ? DwgCache->Patriarch : nullptr; }

TEscherRecord* TEscherRecord::CopyDwg(Integer RowOfs, Integer ColOfs, TWorkSheet* dSheet) {
  TEscherRecord* root = FindRoot();
  TEscherSpgrContainerRecord* patriarch = Patriarch();
  if (!root || !patriarch || root->FParent != patriarch) RaiseXls(XlsMsg::EscherLoading);
  std::unique_ptr<TEscherRecord> copy = root->DoCopyTo(DwgCache, RowOfs, ColOfs, dSheet);
  patriarch->FContainedRecords.Add(std::move(copy));
  return CopiedTo;
}

TEscherRecordHeader ReadEscherHeader(const TBaseRecord*& aRecord, Integer& aPos) {
  Byte head[8];
  ReadContinuedMem(aRecord, aPos, 8, head);
  TEscherRecordHeader h;
  h.Pre = static_cast<Word>(head[0] | (head[1] << 8));
  h.Id = static_cast<Word>(head[2] | (head[3] << 8));
  h.Size = head[4] | (head[5] << 8) | (head[6] << 16) | (static_cast<Cardinal>(head[7]) << 24);
  return h;
}

// ---------------------------------------------------------------------------------------------
// TEscherDataRecord

TEscherDataRecord::TEscherDataRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                                     TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {}

void TEscherDataRecord::SetBuiltData(ArrayOfByte aData) {
  Data = std::move(aData);
  TotalDataSize = LoadedDataSize = static_cast<Cardinal>(Data.size());
}

std::unique_ptr<TEscherRecord> TEscherDataRecord::DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                                           TWorkSheet* dSheet) {
  std::unique_ptr<TEscherRecord> copy = TEscherRecord::DoCopyTo(NewDwgCache, RowOfs, ColOfs, dSheet);
  static_cast<TEscherDataRecord&>(*copy).Data = Data;
  return copy;
}

void TEscherDataRecord::Load(const TBaseRecord*& aRecord, Integer& aPos) {
  if (TotalDataSize == 0) return;
  const Int64 avail = Int64{aRecord->TotalSizeNoHeaders()} - aPos;
  if (avail <= 0) RaiseXls(XlsMsg::EscherLoading);
  const Int64 missing = Int64{TotalDataSize} - LoadedDataSize;
  if (missing <= 0) RaiseXls(XlsMsg::EscherLoading);
  const Integer count = static_cast<Integer>(std::min(avail, missing));
  // The block grows with what is read, so a damaged size never allocates more than the file holds.
  Data.resize(LoadedDataSize + static_cast<size_t>(count));
  ReadContinuedMem(aRecord, aPos, count, Data.data() + LoadedDataSize);
  LoadedDataSize += static_cast<Cardinal>(count);
}

void TEscherDataRecord::SaveToStream(TOle2File& DataStream, TBreakList* BreakList) {
  WriteHeader(DataStream, BreakList);
  WriteSplit(DataStream, BreakList, Data.data(), static_cast<Int64>(Data.size()));
}

void TEscherDataRecord::SplitRecords(Integer& NextPos, Int64& RealSize, Integer& NextDwg, TBreakList* BreakList) const {
  TEscherRecord::SplitRecords(NextPos, RealSize, NextDwg, BreakList);
  AddBytes(NextPos, RealSize, TotalDataSize, BreakList);
}

Integer TEscherDataRecord::CompareRec(const TEscherRecord& aRecord) const {
  const Integer c = TEscherRecord::CompareRec(aRecord);
  if (c != 0) return c;
  const auto* other = dynamic_cast<const TEscherDataRecord*>(&aRecord);
  if (!other) return 0;
  const size_t n = std::min(Data.size(), other->Data.size());
  const int m = n ? std::memcmp(Data.data(), other->Data.data(), n) : 0;
  if (m != 0) return m < 0 ? -1 : 1;
  if (Data.size() != other->Data.size()) return Data.size() < other->Data.size() ? -1 : 1;
  return 0;
}

// ---------------------------------------------------------------------------------------------
// TEscherContainerRecord

TEscherContainerRecord::TEscherContainerRecord(const TEscherRecordHeader& aEscherHeader,
                                               TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache,
                                               TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {}

TEscherContainerRecord::~TEscherContainerRecord() { FContainedRecords.Clear(); }

TEscherRecord* TEscherContainerRecord::LastRecord() const {
  if (FContainedRecords.Count() == 0) RaiseXls(XlsMsg::EscherLoading);
  return FContainedRecords[FContainedRecords.Count() - 1];
}

std::unique_ptr<TEscherRecord> TEscherContainerRecord::DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs,
                                                                Integer ColOfs, TWorkSheet* dSheet) {
  std::unique_ptr<TEscherRecord> copy = TEscherRecord::DoCopyTo(NewDwgCache, RowOfs, ColOfs, dSheet);
  static_cast<TEscherContainerRecord&>(*copy).FContainedRecords.CopyFrom(FContainedRecords, NewDwgCache, RowOfs, ColOfs,
                                                                        dSheet);
  return copy;
}

void TEscherContainerRecord::Load(const TBaseRecord*& aRecord, Integer& aPos) {
  if (aPos > aRecord->TotalSizeNoHeaders()) RaiseXls(XlsMsg::ExcelInvalid);
  while (!Loaded() && aPos < aRecord->TotalSizeNoHeaders()) {
    if (!aRecord->Continue && aPos == aRecord->DataSize()) break;
    if (FContainedRecords.Count() == 0 || LastRecord()->Loaded()) {
      const TEscherRecordHeader head = ReadEscherHeader(aRecord, aPos);
      // A child larger than what its container has left would swallow its siblings.
      if (Int64{LoadedDataSize} + 8 + head.Size > TotalDataSize) RaiseXls(XlsMsg::EscherLoading);
      if (Depth(this) >= MaxDepth) RaiseXls(XlsMsg::EscherLoading);
      FContainedRecords.Add(CreateEscherRecord(head, DwgGroupCache, DwgCache, this));
    }
    TEscherRecord* last = LastRecord();
    last->Load(aRecord, aPos);
    if (last->Loaded()) {
      LoadedDataSize += static_cast<Cardinal>(last->TotalSizeNoSplit());
      last->AfterCreate();
    }
    // The OBJ or TXO record of a client data atom, at any depth, comes next in the stream.
    const TClientDataClass* type = nullptr;
    if (last->WaitingClientData(type)) break;
  }
}

void TEscherContainerRecord::SaveChildren(TOle2File& DataStream, TBreakList* BreakList) {
  FContainedRecords.SaveToStream(DataStream, BreakList);
}

void TEscherContainerRecord::SaveToStream(TOle2File& DataStream, TBreakList* BreakList) {
  WriteHeader(DataStream, BreakList);
  SaveChildren(DataStream, BreakList);
}

Int64 TEscherContainerRecord::TotalSizeNoSplit() const { return 8 + FContainedRecords.TotalSizeNoSplit(); }

bool TEscherContainerRecord::WaitingClientData(const TClientDataClass*& ClientType) const {
  ClientType = nullptr;
  if (FContainedRecords.Count() == 0) return false;
  return LastRecord()->WaitingClientData(ClientType);
}

void TEscherContainerRecord::AssignClientData(std::unique_ptr<TBaseClientData> aClientData) {
  LastRecord()->AssignClientData(std::move(aClientData));
}

void TEscherContainerRecord::SplitRecords(Integer& NextPos, Int64& RealSize, Integer& NextDwg,
                                          TBreakList* BreakList) const {
  TEscherRecord::SplitRecords(NextPos, RealSize, NextDwg, BreakList);
  for (Integer i = 0; i < FContainedRecords.Count(); ++i)
    if (FContainedRecords[i]) FContainedRecords[i]->SplitRecords(NextPos, RealSize, NextDwg, BreakList);
}

void TEscherContainerRecord::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos,
                                                      Integer aColCount, TWorkSheet* dSheet, bool Forced,
                                                      const TSheetInfo& SheetInfo) {
  TEscherRecord::ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, dSheet, Forced, SheetInfo);
  for (Integer i = 0; i < FContainedRecords.Count(); ++i)
    FContainedRecords[i]->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, dSheet, Forced, SheetInfo);
}

void TEscherContainerRecord::ClearCopiedTo() {
  TEscherRecord::ClearCopiedTo();
  for (Integer i = 0; i < FContainedRecords.Count(); ++i) FContainedRecords[i]->ClearCopiedTo();
}

TEscherRecord* TEscherContainerRecord::FindRec(bool (*IsClass)(const TEscherRecord*)) const {
  for (Integer i = 0; i < FContainedRecords.Count(); ++i)
    if (IsClass(FContainedRecords[i])) return FContainedRecords[i];
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Containers with a role

Integer TEscherSpContainerRecord::Row() const { return ClientAnchor ? ClientAnchor->Row() : 0; }
Integer TEscherSpContainerRecord::Col() const { return ClientAnchor ? ClientAnchor->Col() : 0; }

TEscherSpgrContainerRecord::TEscherSpgrContainerRecord(const TEscherRecordHeader& aEscherHeader,
                                                       TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache,
                                                       TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {
  if (DwgCache && !DwgCache->Patriarch) DwgCache->Patriarch = this;
}

TEscherSpgrContainerRecord::~TEscherSpgrContainerRecord() {
  FContainedRecords.Clear();
  if (DwgCache && DwgCache->Patriarch == this) DwgCache->Patriarch = nullptr;
}

TEscherSolverContainerRecord::TEscherSolverContainerRecord(const TEscherRecordHeader& aEscherHeader,
                                                           TEscherDwgGroupCache* aDwgGroupCache,
                                                           TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {
  if (DwgCache) {
    if (DwgCache->Solver) RaiseXls(XlsMsg::EscherDupSolver);
    DwgCache->Solver = this;
  }
}

TEscherSolverContainerRecord::~TEscherSolverContainerRecord() {
  if (DwgCache && DwgCache->Solver == this) DwgCache->Solver = nullptr;
}

void TEscherSolverContainerRecord::DeleteRef(TEscherSPRecord* aShape) {
  for (Integer i = FContainedRecords.Count() - 1; i >= 0; --i) {
    auto* rule = dynamic_cast<TRuleRecord*>(FContainedRecords[i]);
    if (rule && rule->DeleteRef(aShape)) FContainedRecords.Delete(i);
  }
}

void TEscherSolverContainerRecord::FixPointers() {
  for (Integer i = 0; i < FContainedRecords.Count(); ++i)
    if (auto* rule = dynamic_cast<TRuleRecord*>(FContainedRecords[i])) rule->FixPointers();
}

void TEscherSolverContainerRecord::ArrangeCopyRowsAndCols(TWorkSheet* dSheet) {
  const Integer count = FContainedRecords.Count();
  for (Integer i = 0; i < count; ++i)
    if (auto* rule = dynamic_cast<TRuleRecord*>(FContainedRecords[i])) rule->ArrangeCopyRowsAndCols(dSheet);
}

void TEscherSolverContainerRecord::SaveToStream(TOle2File& DataStream, TBreakList* BreakList) {
  Pre = static_cast<Word>((FContainedRecords.Count() << 4) | 0xF);
  TEscherContainerRecord::SaveToStream(DataStream, BreakList);
}

TEscherBStoreRecord::TEscherBStoreRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                                         TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {
  if (DwgGroupCache) {
    if (DwgGroupCache->BStore) RaiseXls(XlsMsg::EscherDupBStore);
    DwgGroupCache->BStore = this;
  }
}

TEscherBStoreRecord::~TEscherBStoreRecord() {
  FContainedRecords.Clear();
  if (DwgGroupCache && DwgGroupCache->BStore == this) DwgGroupCache->BStore = nullptr;
}

TEscherBSERecord* TEscherBStoreRecord::BSE(Integer Index) const {
  if (Index < 0 || Index >= FContainedRecords.Count())
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{Index}, String("BlipIndex"), Int64{0}, Int64{FContainedRecords.Count() - 1}});
  auto* bse = dynamic_cast<TEscherBSERecord*>(FContainedRecords[Index]);
  if (!bse) RaiseXls(XlsMsg::EscherLoading);
  return bse;
}

void TEscherBStoreRecord::SaveToStream(TOle2File& DataStream, TBreakList* BreakList) {
  for (Integer i = 0; i < FContainedRecords.Count(); ++i)
    if (auto* bse = dynamic_cast<TEscherBSERecord*>(FContainedRecords[i])) bse->BStorePos = i + 1;
  Pre = static_cast<Word>((FContainedRecords.Count() << 4) | 0xF);
  TEscherContainerRecord::SaveToStream(DataStream, BreakList);
}

// ---------------------------------------------------------------------------------------------
// Dgg: the shape-id clusters of the workbook

TEscherDggRecord::TEscherDggRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                                   TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {
  if (DwgGroupCache) {
    if (DwgGroupCache->Dgg) RaiseXls(XlsMsg::EscherDupDgg);
    DwgGroupCache->Dgg = this;
  }
}

TEscherDggRecord::~TEscherDggRecord() {
  if (DwgGroupCache && DwgGroupCache->Dgg == this) DwgGroupCache->Dgg = nullptr;
}

std::unique_ptr<TEscherDggRecord> TEscherDggRecord::CreateFromData(TEscherDwgGroupCache* aDwgGroupCache,
                                                                   TEscherDwgCache* aDwgCache,
                                                                   TEscherContainerRecord* aParent) {
  auto r = std::make_unique<TEscherDggRecord>(Header(0x0000, EscherId::Dgg, 16), aDwgGroupCache, aDwgCache, aParent);
  r->SetBuiltData(Cardinals({2, 1, 0, 0}));
  return r;
}

TDgg TEscherDggRecord::FDgg() const { return TDgg{Field(0), Field(4), Field(8), Field(12)}; }

Cardinal TEscherDggRecord::ClaimCluster(Cardinal& DgId, bool NewDrawing, Cardinal UsedCount) {
  const Integer slots = SlotCount();
  Integer slot = -1;
  if (NewDrawing) {
    Cardinal highest = 0;
    for (Integer i = 0; i < slots; ++i) highest = std::max(highest, Field(16 + 8 * static_cast<size_t>(i)));
    DgId = highest + 1;
    for (Integer i = 0; i < slots && slot < 0; ++i)
      if (Field(16 + 8 * static_cast<size_t>(i)) == 0) slot = i;
  } else {
    for (Integer i = slots - 1; i >= 0; --i) {
      const Cardinal owner = Field(16 + 8 * static_cast<size_t>(i));
      if (owner == DgId) break;
      if (owner == 0 && slot < 0) slot = i;
    }
  }
  if (slot < 0) {
    if (Data.size() < 16) RaiseXls(XlsMsg::EscherLoading);
    Data.resize(16 + 8 * static_cast<size_t>(slots) + 8, 0);
    TotalDataSize += 8;
    LoadedDataSize += 8;
    SetField(4, Field(4) + 1);
    slot = slots;
  }
  if (16 + 8 * static_cast<size_t>(slot) + 8 > Data.size()) RaiseXls(XlsMsg::LogicalError);
  SetField(16 + 8 * static_cast<size_t>(slot), DgId);
  SetField(20 + 8 * static_cast<size_t>(slot), UsedCount);
  return static_cast<Cardinal>(slot + 1) * 1024;
}

void TEscherDggRecord::GetNewDgIdAndCluster(Cardinal& DgId, Cardinal& FirstShapeId) {
  FirstShapeId = ClaimCluster(DgId, true, 0);
  SetField(12, Field(12) + 1);
}

void TEscherDggRecord::AddNewCluster(Cardinal DgId, Cardinal& FirstShapeId, Cardinal ShapeCount) {
  FirstShapeId = ClaimCluster(DgId, false, ShapeCount);
}

Cardinal TEscherDggRecord::AddImage(Cardinal DgId, Cardinal LastShapeId) {
  const Int64 k = Int64{LastShapeId} / 1024 - 1;
  Cardinal id;
  if (k >= 0 && k < SlotCount() && Field(16 + 8 * static_cast<size_t>(k)) == DgId &&
      Field(20 + 8 * static_cast<size_t>(k)) < 1024) {
    const Cardinal used = Field(20 + 8 * static_cast<size_t>(k));
    id = static_cast<Cardinal>(k + 1) * 1024 + used;
    SetField(20 + 8 * static_cast<size_t>(k), used + 1);
  } else {
    AddNewCluster(DgId, id, 1);
  }
  SetField(8, Field(8) + 1);
  if (id + 1 > Field(0)) SetField(0, id + 1);
  return id;
}

void TEscherDggRecord::RemoveImage(Cardinal) {
  if (Field(8) > 0) SetField(8, Field(8) - 1);
}

void TEscherDggRecord::DestroyClusters(Cardinal DgId, Cardinal ShapeCount) {
  for (Integer i = 0; i < SlotCount(); ++i)
    if (Field(16 + 8 * static_cast<size_t>(i)) == DgId) SetField(16 + 8 * static_cast<size_t>(i), 0);
  if (Field(12) > 0) SetField(12, Field(12) - 1);
  // The drawing's shapes leave the workbook's count with it.
  SetField(8, Field(8) > ShapeCount ? Field(8) - ShapeCount : 0);
}

// ---------------------------------------------------------------------------------------------
// Dg: one drawing

TEscherDgRecord::TEscherDgRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                                 TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {
  if (DwgCache) {
    if (DwgCache->Dg) RaiseXls(XlsMsg::EscherDupDg);
    DwgCache->Dg = this;
  }
}

TEscherDgRecord::~TEscherDgRecord() {
  try {
    if (DwgGroupCache && DwgGroupCache->Dgg && Data.size() >= 8)
      DwgGroupCache->Dgg->DestroyClusters(Instance(), ShapeCount());
  } catch (const Exception&) {
    // A damaged drawing group keeps what it has.
  }
  if (DwgCache && DwgCache->Dg == this) DwgCache->Dg = nullptr;
}

std::unique_ptr<TEscherDgRecord> TEscherDgRecord::CreateFromData(Cardinal csp, Cardinal FirstShapeId, Cardinal DgId,
                                                                 TEscherDwgGroupCache* aDwgGroupCache,
                                                                 TEscherDwgCache* aDwgCache,
                                                                 TEscherContainerRecord* aParent) {
  auto r = std::make_unique<TEscherDgRecord>(Header(static_cast<Word>(DgId << 4), EscherId::Dg, 8), aDwgGroupCache,
                                             aDwgCache, aParent);
  r->SetBuiltData(Cardinals({csp, FirstShapeId + 1}));
  return r;
}

Cardinal TEscherDgRecord::IncMaxShapeId() {
  SetCardinal(Data, 0, ShapeCount() + 1);
  Cardinal id = MaxSpId() + 1;
  if (DwgGroupCache && DwgGroupCache->Dgg) id = DwgGroupCache->Dgg->AddImage(Instance(), MaxSpId());
  SetCardinal(Data, 4, id);
  return id;
}

void TEscherDgRecord::DecShapeCount() {
  if (Data.size() < 8) return;
  if (ShapeCount() > 0) SetCardinal(Data, 0, ShapeCount() - 1);
  if (DwgGroupCache && DwgGroupCache->Dgg) DwgGroupCache->Dgg->RemoveImage(Instance());
}

std::unique_ptr<TEscherRecord> TEscherDgRecord::DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                                         TWorkSheet* dSheet) {
  if (!DwgGroupCache || !DwgGroupCache->Dgg || Data.size() < 8) RaiseXls(XlsMsg::EscherLoading);
  std::unique_ptr<TEscherRecord> copy = TEscherDataRecord::DoCopyTo(NewDwgCache, RowOfs, ColOfs, dSheet);
  auto& dg = static_cast<TEscherDgRecord&>(*copy);
  Cardinal dgId = 0, first = 0;
  DwgGroupCache->Dgg->GetNewDgIdAndCluster(dgId, first);
  dg.Pre = static_cast<Word>(dgId << 4);
  SetCardinal(dg.Data, 0, 0);
  SetCardinal(dg.Data, 4, first + 1);
  return copy;
}

// ---------------------------------------------------------------------------------------------
// SP: one shape

TEscherSPRecord::TEscherSPRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                                 TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {
  auto* shape = dynamic_cast<TEscherSpContainerRecord*>(aParent);
  if (!shape) RaiseXls(XlsMsg::EscherLoading);
  if (DwgCache && DwgCache->Shape) DwgCache->Shape->Add(this);
  shape->SP = this;
}

TEscherSPRecord::~TEscherSPRecord() {
  if (DwgCache && !DwgCache->Destroying) {
    try {
      if (DwgCache->Dg) DwgCache->Dg->DecShapeCount();
      if (DwgCache->Solver) DwgCache->Solver->DeleteRef(this);
    } catch (const Exception&) {
      // Damaged counts stay as they are.
    }
    if (DwgCache->Shape) DwgCache->Shape->Remove(this);
  }
  auto* shape = static_cast<TEscherSpContainerRecord*>(FParent);
  if (shape && shape->SP == this) shape->SP = nullptr;
}

std::unique_ptr<TEscherSPRecord> TEscherSPRecord::CreateFromData(Word aPre, Cardinal aShapeId, Cardinal aFlags,
                                                                 TEscherDwgGroupCache* aDwgGroupCache,
                                                                 TEscherDwgCache* aDwgCache,
                                                                 TEscherContainerRecord* aParent) {
  auto r = std::make_unique<TEscherSPRecord>(Header(aPre, EscherId::Sp, 8), aDwgGroupCache, aDwgCache, aParent);
  r->SetBuiltData(Cardinals({aShapeId, aFlags}));
  return r;
}

void TEscherSPRecord::AfterCreate() {
  if (DwgCache && DwgCache->Shape) DwgCache->Shape->Sorted = false;
}

std::unique_ptr<TEscherRecord> TEscherSPRecord::DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                                         TWorkSheet* dSheet) {
  std::unique_ptr<TEscherRecord> copy = TEscherDataRecord::DoCopyTo(NewDwgCache, RowOfs, ColOfs, dSheet);
  auto& sp = static_cast<TEscherSPRecord&>(*copy);
  if (sp.Data.size() >= 4 && NewDwgCache && NewDwgCache->Dg) sp.SetShapeId(NewDwgCache->Dg->IncMaxShapeId());
  if (NewDwgCache && NewDwgCache->Shape) NewDwgCache->Shape->Sorted = false;
  return copy;
}

// ---------------------------------------------------------------------------------------------
// Client data

TEscherClientDataRecord::TEscherClientDataRecord(const TEscherRecordHeader& aEscherHeader,
                                                 TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache,
                                                 TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {
  if (DwgCache && DwgCache->Obj) DwgCache->Obj->Add(this);
}

TEscherClientDataRecord::~TEscherClientDataRecord() {
  if (DwgCache && !DwgCache->Destroying && DwgCache->Obj) DwgCache->Obj->Remove(this);
}

std::unique_ptr<TEscherClientDataRecord> TEscherClientDataRecord::CreateFromData(TEscherDwgGroupCache* aDwgGroupCache,
                                                                                 TEscherDwgCache* aDwgCache,
                                                                                 TEscherContainerRecord* aParent) {
  return std::make_unique<TEscherClientDataRecord>(Header(0x0000, EscherId::ClientData, 0), aDwgGroupCache, aDwgCache,
                                                   aParent);
}

const TClientDataClass& TEscherClientDataRecord::ClientClass() const { return VAvObj::Class; }

bool TEscherClientDataRecord::WaitingClientData(const TClientDataClass*& ClientType) const {
  ClientType = nullptr;
  if (!Loaded() || ClientData) return false;
  ClientType = &ClientClass();
  return true;
}

void TEscherClientDataRecord::AssignClientData(std::unique_ptr<TBaseClientData> aClientData) {
  if (ClientData) RaiseXls(XlsMsg::EscherLoading);
  ClientData = std::move(aClientData);
  if (DwgCache && ClientData) DwgCache->MaxObjId = std::max(DwgCache->MaxObjId, ClientData->ObjectId());
}

void TEscherClientDataRecord::SplitRecords(Integer& NextPos, Int64& RealSize, Integer& NextDwg,
                                           TBreakList* BreakList) const {
  TEscherDataRecord::SplitRecords(NextPos, RealSize, NextDwg, BreakList);
  if (ClientData) RealSize += ClientData->TotalSize();
  NextDwg = 0x00EC;
}

void TEscherClientDataRecord::SaveToStream(TOle2File& DataStream, TBreakList* BreakList) {
  TEscherDataRecord::SaveToStream(DataStream, BreakList);
  const Int64 before = DataStream.Position();
  if (ClientData) ClientData->SaveToStream(DataStream);
  if (BreakList) BreakList->AddToZeroPos(DataStream.Position() - before);
}

std::unique_ptr<TEscherRecord> TEscherClientDataRecord::DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs,
                                                                 Integer ColOfs, TWorkSheet* dSheet) {
  std::unique_ptr<TBaseClientData> data = ClientData ? ClientData->CopyTo() : nullptr;
  std::unique_ptr<TEscherRecord> copy = TEscherDataRecord::DoCopyTo(NewDwgCache, RowOfs, ColOfs, dSheet);
  auto& record = static_cast<TEscherClientDataRecord&>(*copy);
  record.ClientData = std::move(data);
  if (record.ClientData) {
    if (NewDwgCache == DwgCache && NewDwgCache) record.ClientData->ArrangeId(NewDwgCache->MaxObjId);
    record.ClientData->ArrangeCopyRowsAndCols(RowOfs, ColOfs);
  }
  return copy;
}

// ---------------------------------------------------------------------------------------------
// Split-menu colours

std::unique_ptr<TEscherSplitMenuRecord> TEscherSplitMenuRecord::CreateFromData(TEscherDwgGroupCache* aDwgGroupCache,
                                                                               TEscherDwgCache* aDwgCache,
                                                                               TEscherContainerRecord* aParent) {
  auto r = std::make_unique<TEscherSplitMenuRecord>(Header(0x0040, EscherId::SplitMenu, 16), aDwgGroupCache, aDwgCache,
                                                    aParent);
  r->SetBuiltData(Cardinals({0x0800000D, 0x0800000C, 0x08000017, 0x100000F7}));
  return r;
}

// ---------------------------------------------------------------------------------------------
// The record for a header

std::unique_ptr<TEscherRecord> CreateEscherRecord(const TEscherRecordHeader& aEscherHeader,
                                                  TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache,
                                                  TEscherContainerRecord* aParent) {
  const TEscherRecordHeader& h = aEscherHeader;
  const bool container = TEscherRecord::IsContainer(h.Pre);
  auto make = [&](auto* typeTag) -> std::unique_ptr<TEscherRecord> {
    using T = std::remove_pointer_t<decltype(typeTag)>;
    return std::make_unique<T>(h, aDwgGroupCache, aDwgCache, aParent);
  };
  if (container) {
    switch (h.Id) {
      case EscherId::BStoreContainer: return make(static_cast<TEscherBStoreRecord*>(nullptr));
      case EscherId::SpgrContainer: return make(static_cast<TEscherSpgrContainerRecord*>(nullptr));
      case EscherId::SpContainer: return make(static_cast<TEscherSpContainerRecord*>(nullptr));
      case EscherId::SolverContainer: return make(static_cast<TEscherSolverContainerRecord*>(nullptr));
      default: return make(static_cast<TEscherContainerRecord*>(nullptr));
    }
  }
  switch (h.Id) {
    case EscherId::Dgg: return make(static_cast<TEscherDggRecord*>(nullptr));
    case EscherId::BSE: return make(static_cast<TEscherBSERecord*>(nullptr));
    case EscherId::Dg: return make(static_cast<TEscherDgRecord*>(nullptr));
    case EscherId::Sp: return make(static_cast<TEscherSPRecord*>(nullptr));
    case EscherId::OPT: return make(static_cast<TEscherOPTRecord*>(nullptr));
    case EscherId::ClientTextbox: return make(static_cast<TEscherClientTextBoxRecord*>(nullptr));
    case EscherId::ClientAnchor: return make(static_cast<TEscherClientAnchorRecord*>(nullptr));
    case EscherId::ClientData: return make(static_cast<TEscherClientDataRecord*>(nullptr));
    case EscherId::ConnectorRule: return make(static_cast<TEscherConnectorRuleRecord*>(nullptr));
    case EscherId::AlignRule: TEscherAlignRuleRecord::Refuse();
    case EscherId::ArcRule: return make(static_cast<TEscherArcRuleRecord*>(nullptr));
    case EscherId::CalloutRule: return make(static_cast<TEscherCalloutRuleRecord*>(nullptr));
    case EscherId::SplitMenu: return make(static_cast<TEscherSplitMenuRecord*>(nullptr));
    default: return make(static_cast<TEscherDataRecord*>(nullptr));
  }
}
