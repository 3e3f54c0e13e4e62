#include "xls/vavUEscherRecords.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "xls/vavUBreakList.h"
#include "xls/vavUBiffClientData.h"
#include "xls/vavUEscherGraphToBSE.h"
#include "xls/vavUEscherOtherRecords.h"
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

TEscherRecordHeader Header(Word aPre, Word aId, Cardinal aSize) { return TEscherRecordHeader{aPre, aId, aSize}; }

ArrayOfByte Cardinals(std::initializer_list<Cardinal> Values) {
  ArrayOfByte d;
  for (Cardinal v : Values)
    for (int i = 0; i < 4; ++i) d.push_back(static_cast<Byte>(v >> (8 * i)));
  return d;
}

// Property entries of an OPT atom: id (2 bytes), value (4 bytes).
ArrayOfByte Properties(std::initializer_list<std::pair<Word, Cardinal>> Values) {
  ArrayOfByte d;
  for (const auto& [id, value] : Values) {
    d.push_back(static_cast<Byte>(id));
    d.push_back(static_cast<Byte>(id >> 8));
    for (int i = 0; i < 4; ++i) d.push_back(static_cast<Byte>(value >> (8 * i)));
  }
  return d;
}

Word ClampedShift(Integer v, Integer Delta, Integer Min, Integer Max) {
  const Integer r = v + Delta;
  if (r > Max) return static_cast<Word>(Max);
  if (r < Min) return static_cast<Word>(Min);
  return static_cast<Word>(r);
}

Integer RoundHalfEvenInt(double v) { return static_cast<Integer>(std::nearbyint(v)); }

}  // namespace

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
// OPT: shape properties, with the picture references

TEscherOPTRecord::TEscherOPTRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                                   TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {
  if (auto* shape = dynamic_cast<TEscherSpContainerRecord*>(aParent)) shape->Opt = this;
}

TEscherOPTRecord::~TEscherOPTRecord() {
  if (DwgCache && !DwgCache->Destroying) {
    for (TEscherBSERecord* bse : BlipPtr) {
      if (bse) --bse->Users;
      TEscherBSERecord::Release(bse);
    }
    if (FRegistered && DwgCache->Blip) DwgCache->Blip->Remove(this);
  }
  auto* shape = dynamic_cast<TEscherSpContainerRecord*>(FParent);
  if (shape && shape->Opt == this) shape->Opt = nullptr;
}

std::unique_ptr<TEscherOPTRecord> TEscherOPTRecord::GroupCreateFromData(TEscherDwgGroupCache* aDwgGroupCache,
                                                                        TEscherDwgCache* aDwgCache,
                                                                        TEscherContainerRecord* aParent) {
  auto r = std::make_unique<TEscherOPTRecord>(Header(0x0033, EscherId::OPT, 18), aDwgGroupCache, aDwgCache, aParent);
  r->SetBuiltData(Properties({{0x00BF, 0x00080008}, {0x0181, 0x08000009}, {0x01C0, 0x08000040}}));
  return r;
}

std::unique_ptr<TEscherOPTRecord> TEscherOPTRecord::CreateFromDataNote(TEscherDwgGroupCache* aDwgGroupCache,
                                                                       TEscherDwgCache* aDwgCache,
                                                                       TEscherContainerRecord* aParent) {
  auto r = std::make_unique<TEscherOPTRecord>(Header(0x0093, EscherId::OPT, 54), aDwgGroupCache, aDwgCache, aParent);
  r->SetBuiltData(Properties({{0x0080, 0},
                              {0x00BF, 0x00080008},
                              {0x0158, 0},
                              {0x0181, 0x08000050},
                              {0x0183, 0x08000050},
                              {0x01BF, 0x00110010},
                              {0x0201, 0},
                              {0x023F, 0x00030003},
                              {0x03BF, 0x000A0002}}));
  return r;
}

std::unique_ptr<TEscherOPTRecord> TEscherOPTRecord::CreateFromDataAutoFilter(TEscherDwgGroupCache* aDwgGroupCache,
                                                                             TEscherDwgCache* aDwgCache,
                                                                             TEscherContainerRecord* aParent) {
  auto r = std::make_unique<TEscherOPTRecord>(Header(0x0043, EscherId::OPT, 24), aDwgGroupCache, aDwgCache, aParent);
  r->SetBuiltData(
      Properties({{0x007F, 0x01040104}, {0x00BF, 0x00080008}, {0x01FF, 0x00080000}, {0x03BF, 0x00020000}}));
  return r;
}

std::unique_ptr<TEscherOPTRecord> TEscherOPTRecord::CreateFromDataImg(const ByteArray& aPict, TXlsImgTypes aPicType,
                                                                      const String& aShapeName,
                                                                      TEscherDwgGroupCache* aDwgGroupCache,
                                                                      TEscherDwgCache* aDwgCache,
                                                                      TEscherContainerRecord* aParent) {
  const WideString name = WidenString(aShapeName);
  auto r = std::make_unique<TEscherOPTRecord>(Header(0x0043, EscherId::OPT, 0), aDwgGroupCache, aDwgCache, aParent);
  // The reference is taken before the atom is complete; a failure below gives it back.
  const Integer pos = r->AddBlip(aPict, aPicType);
  ArrayOfByte d = Properties({{0x4104, static_cast<Cardinal>(pos + 1)},
                              {0xC105, static_cast<Cardinal>(2 * name.size() + 2)},
                              {0x01BF, 0x00010000},
                              {0x03BF, 0x00080000}});
  for (char16_t c : name) {
    d.push_back(static_cast<Byte>(c));
    d.push_back(static_cast<Byte>(c >> 8));
  }
  d.push_back(0);
  d.push_back(0);
  r->SetBuiltData(std::move(d));
  r->AfterCreate();
  return r;
}

void TEscherOPTRecord::AfterCreate() {
  if (!DwgCache || !DwgCache->Blip) return;
  const Integer count = Instance();
  Int64 complexSum = 0;
  for (Integer i = 0; i < count; ++i) {
    const size_t e = 6 * static_cast<size_t>(i);
    if (e + 6 > Data.size()) RaiseXls(XlsMsg::EscherLoading);
    const Word property = GetWord(Data, e);
    const Cardinal value = GetCardinal(Data, e + 2);
    if ((property & 0xC000) == 0x4000 && value > 0 && DwgGroupCache && DwgGroupCache->BStore) {
      TEscherBSERecord* bse = DwgGroupCache->BStore->BSE(static_cast<Integer>(value) - 1);
      ++bse->Users;
      BlipPtr.push_back(bse);
      BlipPos.push_back(static_cast<Integer>(e + 2));
      if (!FRegistered) {
        DwgCache->Blip->Add(this);
        FRegistered = true;
      }
    }
    if ((property & 0x3FFF) == 0x0380 && value >= 2) {
      const Int64 at = 6 * Int64{count} + complexSum;
      const Int64 bytes = Int64{value} - 2;
      if (at + bytes <= static_cast<Int64>(Data.size())) {
        FShapeName.clear();
        for (Int64 k = 0; k + 1 < bytes; k += 2)
          FShapeName += static_cast<char16_t>(Data[static_cast<size_t>(at + k)] | (Data[static_cast<size_t>(at + k + 1)] << 8));
      }
    }
    if (property & 0x8000) complexSum += value;
  }
}

TEscherClientAnchorRecord* TEscherOPTRecord::AnchorRecord() const {
  if (!Patriarch()) return nullptr;
  auto* shape = dynamic_cast<TEscherSpContainerRecord*>(const_cast<TEscherOPTRecord*>(this)->FindRoot());
  return shape ? shape->ClientAnchor : nullptr;
}

TClientAnchor TEscherOPTRecord::GetAnchor() const {
  TEscherClientAnchorRecord* anchor = AnchorRecord();
  return anchor ? anchor->GetAnchor() : TClientAnchor{};
}

void TEscherOPTRecord::SetAnchor(const TClientAnchor& aAnchor, TWorkSheet* sSheet) {
  if (TEscherClientAnchorRecord* anchor = AnchorRecord()) anchor->SetAnchor(aAnchor, sSheet);
}

void TEscherOPTRecord::SaveToStream(TOle2File& DataStream, TBreakList* BreakList) {
  if (BlipPtr.size() != BlipPos.size()) RaiseXls(XlsMsg::LogicalError);
  for (size_t i = 0; i < BlipPtr.size(); ++i)
    SetCardinal(Data, static_cast<size_t>(BlipPos[i]), static_cast<Cardinal>(BlipPtr[i]->BStorePos));
  TEscherDataRecord::SaveToStream(DataStream, BreakList);
}

std::unique_ptr<TEscherRecord> TEscherOPTRecord::DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                                          TWorkSheet* dSheet) {
  std::unique_ptr<TEscherRecord> copy = TEscherDataRecord::DoCopyTo(NewDwgCache, RowOfs, ColOfs, dSheet);
  auto& opt = static_cast<TEscherOPTRecord&>(*copy);
  opt.FShapeName = FShapeName;
  if (DwgCache && DwgCache->Blip && !BlipPtr.empty() && NewDwgCache && NewDwgCache->Blip) {
    opt.BlipPtr = BlipPtr;
    opt.BlipPos = BlipPos;
    for (TEscherBSERecord* bse : BlipPtr) {
      bse->AddRef();
      ++bse->Users;
    }
    NewDwgCache->Blip->Add(&opt);
    opt.FRegistered = true;
  }
  return copy;
}

// ---------------------------------------------------------------------------------------------
// Client anchor

TEscherClientAnchorRecord::TEscherClientAnchorRecord(const TEscherRecordHeader& aEscherHeader,
                                                     TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache,
                                                     TEscherContainerRecord* aParent)
    : TEscherRecordOf(aEscherHeader, aDwgGroupCache, aDwgCache, aParent) {
  auto* shape = dynamic_cast<TEscherSpContainerRecord*>(aParent);
  if (!shape) RaiseXls(XlsMsg::EscherLoading);
  if (DwgCache && DwgCache->Anchor) DwgCache->Anchor->Add(this);
  shape->ClientAnchor = this;
}

TEscherClientAnchorRecord::~TEscherClientAnchorRecord() {
  if (DwgCache && !DwgCache->Destroying && DwgCache->Anchor) DwgCache->Anchor->Remove(this);
  auto* shape = static_cast<TEscherSpContainerRecord*>(FParent);
  if (shape && shape->ClientAnchor == this) shape->ClientAnchor = nullptr;
}

std::unique_ptr<TEscherClientAnchorRecord> TEscherClientAnchorRecord::CreateFromData(
    const TClientAnchor& aAnchor, TWorkSheet* sSheet, TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache,
    TEscherContainerRecord* aParent) {
  auto r = std::make_unique<TEscherClientAnchorRecord>(Header(0x0000, EscherId::ClientAnchor, 18), aDwgGroupCache,
                                                       aDwgCache, aParent);
  r->SetBuiltData(ArrayOfByte(18, 0));
  r->PutAnchor(aAnchor);
  r->SaveObjectCoords(sSheet);
  return r;
}

TClientAnchor TEscherClientAnchorRecord::GetAnchor() const {
  TClientAnchor a;
  if (Data.size() < 18) return a;
  Word* fields[9] = {&a.Flag, &a.Col1, &a.Dx1, &a.Row1, &a.Dy1, &a.Col2, &a.Dx2, &a.Row2, &a.Dy2};
  for (size_t i = 0; i < 9; ++i) *fields[i] = GetWord(Data, 2 * i);
  return a;
}

void TEscherClientAnchorRecord::PutAnchor(const TClientAnchor& a) {
  if (Data.size() < 18) return;
  const Word fields[9] = {a.Flag, a.Col1, a.Dx1, a.Row1, a.Dy1, a.Col2, a.Dx2, a.Row2, a.Dy2};
  for (size_t i = 0; i < 9; ++i) SetWord(Data, 2 * i, fields[i]);
}

void TEscherClientAnchorRecord::SetAnchor(const TClientAnchor& aAnchor, TWorkSheet* sSheet) {
  PutAnchor(aAnchor);
  SaveObjectCoords(sSheet);
}

Integer ColToAbsolute(TWorkSheet& Sheet, Integer Col, Integer Dx) {
  Integer x = 0;
  for (Integer c = 0; c < Col; ++c) x += Sheet.GetColWidth(c, true);
  return x + RoundHalfEvenInt(Sheet.GetColWidth(Col, true) * static_cast<double>(Dx) / 1024.0);
}

Integer RowToAbsolute(TWorkSheet& Sheet, Integer Row, Integer Dy) {
  Integer y = 0;
  for (Integer r = 0; r < Row; ++r) y += Sheet.GetRowHeight(r, true);
  return y + RoundHalfEvenInt(Sheet.GetRowHeight(Row, true) * static_cast<double>(Dy) / 255.0);
}

namespace {

// The cell and offset of an absolute position along one axis.
template <class TSize>
void AbsoluteToCell(Integer v, Integer Last, Integer Scale, TSize Size, Word& Cell, Word& Offset) {
  if (v < 0) {
    Cell = 0;
    Offset = 0;
    return;
  }
  Integer start = 0, cell = 0, cellStart = 0;
  for (Integer c = 0; c <= Last && start <= v; ++c) {
    cell = c;
    cellStart = start;
    start += Size(c);
  }
  const Integer size = Size(cell);
  Integer offset = size <= 0 ? 0 : RoundHalfEvenInt(static_cast<double>(v - cellStart) / size * Scale);
  Cell = static_cast<Word>(cell);
  Offset = static_cast<Word>(std::clamp(offset, 0, Scale));
}

}  // namespace

void AbsoluteToCol(TWorkSheet& Sheet, Integer x, Word& Col, Word& Dx) {
  AbsoluteToCell(x, TBaseRowColRecord::MaxCol, 1024, [&](Integer c) { return Sheet.GetColWidth(c, true); }, Col, Dx);
}

void AbsoluteToRow(TWorkSheet& Sheet, Integer y, Word& Row, Word& Dy) {
  AbsoluteToCell(y, TBaseRowColRecord::MaxRow, 255, [&](Integer r) { return Sheet.GetRowHeight(r, true); }, Row, Dy);
}

void TEscherClientAnchorRecord::SaveObjectCoords(TWorkSheet* sSheet) {
  if (!sSheet) return;
  const TClientAnchor a = GetAnchor();
  if ((a.Flag & 3) == 0) return;
  SaveRect.x1 = ColToAbsolute(*sSheet, a.Col1, a.Dx1);
  SaveRect.x2 = ColToAbsolute(*sSheet, a.Col2, a.Dx2);
  SaveRect.y1 = RowToAbsolute(*sSheet, a.Row1, a.Dy1);
  SaveRect.y2 = RowToAbsolute(*sSheet, a.Row2, a.Dy2);
}

void TEscherClientAnchorRecord::RestoreObjectCoords(TWorkSheet* dSheet) {
  if (!dSheet) return;
  TClientAnchor a = GetAnchor();
  switch (a.Flag & 3) {
    case 0: return;
    case 1:
    case 2: {
      const Integer x1 = ColToAbsolute(*dSheet, a.Col1, a.Dx1);
      const Integer y1 = RowToAbsolute(*dSheet, a.Row1, a.Dy1);
      AbsoluteToCol(*dSheet, x1 + SaveRect.x2 - SaveRect.x1, a.Col2, a.Dx2);
      AbsoluteToRow(*dSheet, y1 + SaveRect.y2 - SaveRect.y1, a.Row2, a.Dy2);
      break;
    }
    default:
      AbsoluteToCol(*dSheet, SaveRect.x1, a.Col1, a.Dx1);
      AbsoluteToCol(*dSheet, SaveRect.x2, a.Col2, a.Dx2);
      AbsoluteToRow(*dSheet, SaveRect.y1, a.Row1, a.Dy1);
      AbsoluteToRow(*dSheet, SaveRect.y2, a.Row2, a.Dy2);
      break;
  }
  PutAnchor(a);
}

bool TEscherClientAnchorRecord::AllowCopy(Integer FirstRow, Integer LastRow, Integer FirstCol, Integer LastCol) const {
  const TClientAnchor a = GetAnchor();
  const Integer kind = a.Flag & 3;
  return (kind == 0 || kind == 2) && a.Row1 >= FirstRow && a.Row2 <= LastRow && a.Col1 >= FirstCol && a.Col2 <= LastCol;
}

bool TEscherClientAnchorRecord::AllowDelete(Integer FirstRow, Integer LastRow, Integer FirstCol, Integer LastCol) const {
  const TClientAnchor a = GetAnchor();
  return (a.Flag & 3) == 0 && a.Row1 >= FirstRow && a.Row2 <= LastRow && a.Col1 >= FirstCol && a.Col2 <= LastCol;
}

void TEscherClientAnchorRecord::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos,
                                                         Integer aColCount, TWorkSheet* dSheet, bool Forced,
                                                         const TSheetInfo& SheetInfo) {
  if (SheetInfo.FormulaSheet != SheetInfo.InsSheet || Data.size() < 18) return;
  TClientAnchor a = GetAnchor();
  const Integer kind = Forced ? 2 : (a.Flag & 3);
  // One corner along one axis, moved when it lies at or past the insertion point.
  auto corner = [](Word& v, Word& offset, Integer pos, Integer count, Integer max) {
    if (v < pos) return;
    if (v + count < pos) offset = 0;
    v = ClampedShift(v, count, pos, max);
  };
  if (kind == 0) {
    corner(a.Row1, a.Dy1, aRowPos, aRowCount, TBaseRowColRecord::MaxRow);
    corner(a.Row2, a.Dy2, aRowPos, aRowCount, TBaseRowColRecord::MaxRow);
    corner(a.Col1, a.Dx1, aColPos, aColCount, TBaseRowColRecord::MaxCol);
    corner(a.Col2, a.Dx2, aColPos, aColCount, TBaseRowColRecord::MaxCol);
    PutAnchor(a);
    return;
  }
  if (kind == 1 || kind == 2) {
    auto keepSize = [](Word& v1, Word& v2, Integer pos, Integer count, Integer max) {
      if (v1 < pos) return;
      const Integer before = v1;
      v1 = ClampedShift(v1, count, pos, max);
      v2 = ClampedShift(v2, v1 - before, v1, max);
    };
    keepSize(a.Row1, a.Row2, aRowPos, aRowCount, TBaseRowColRecord::MaxRow);
    keepSize(a.Col1, a.Col2, aColPos, aColCount, TBaseRowColRecord::MaxCol);
    PutAnchor(a);
  }
  RestoreObjectCoords(dSheet);
}

std::unique_ptr<TEscherRecord> TEscherClientAnchorRecord::DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs,
                                                                   Integer ColOfs, TWorkSheet* dSheet) {
  std::unique_ptr<TEscherRecord> copy = TEscherDataRecord::DoCopyTo(NewDwgCache, RowOfs, ColOfs, dSheet);
  auto& anchor = static_cast<TEscherClientAnchorRecord&>(*copy);
  anchor.SaveRect = SaveRect;
  if (anchor.Data.size() >= 18) {
    TClientAnchor a = anchor.GetAnchor();
    a.Row1 = static_cast<Word>(a.Row1 + RowOfs);
    a.Row2 = static_cast<Word>(a.Row2 + RowOfs);
    a.Col1 = static_cast<Word>(a.Col1 + ColOfs);
    a.Col2 = static_cast<Word>(a.Col2 + ColOfs);
    anchor.PutAnchor(a);
    anchor.RestoreObjectCoords(dSheet);
  }
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
// Split-menu colours and the blip store entries

std::unique_ptr<TEscherSplitMenuRecord> TEscherSplitMenuRecord::CreateFromData(TEscherDwgGroupCache* aDwgGroupCache,
                                                                               TEscherDwgCache* aDwgCache,
                                                                               TEscherContainerRecord* aParent) {
  auto r = std::make_unique<TEscherSplitMenuRecord>(Header(0x0040, EscherId::SplitMenu, 16), aDwgGroupCache, aDwgCache,
                                                    aParent);
  r->SetBuiltData(Cardinals({0x0800000D, 0x0800000C, 0x08000017, 0x100000F7}));
  return r;
}

void TEscherBSERecord::AddRef() {
  if (Data.size() >= 28) SetCardinal(Data, 24, References() + 1);
}

void TEscherBSERecord::Release(TEscherBSERecord* aBSE) {
  if (!aBSE) return;
  const Cardinal refs = aBSE->References();
  if (refs > 0 && aBSE->Data.size() >= 28) SetCardinal(aBSE->Data, 24, refs - 1);
  if (aBSE->References() > 0 || aBSE->Users > 0) return;
  TEscherBStoreRecord* store = aBSE->DwgGroupCache ? aBSE->DwgGroupCache->BStore : nullptr;
  if (!store) return;
  const Integer i = store->FContainedRecords.IndexOf(aBSE);
  if (i >= 0) store->FContainedRecords.Delete(i);
}

void TEscherBSERecord::CopyFromData(const ArrayOfByte& BSEHeader, const TEscherRecordHeader& BlipHeader,
                                    const ArrayOfByte& BlipData) {
  if (BSEHeader.size() != 36 || Int64{TotalDataSize} != 44 + static_cast<Int64>(BlipData.size()))
    RaiseXls(XlsMsg::LogicalError);
  ArrayOfByte d = BSEHeader;
  const Byte head[8] = {static_cast<Byte>(BlipHeader.Pre),       static_cast<Byte>(BlipHeader.Pre >> 8),
                        static_cast<Byte>(BlipHeader.Id),        static_cast<Byte>(BlipHeader.Id >> 8),
                        static_cast<Byte>(BlipHeader.Size),      static_cast<Byte>(BlipHeader.Size >> 8),
                        static_cast<Byte>(BlipHeader.Size >> 16), static_cast<Byte>(BlipHeader.Size >> 24)};
  d.insert(d.end(), head, head + 8);
  d.insert(d.end(), BlipData.begin(), BlipData.end());
  SetBuiltData(std::move(d));
}

void TEscherBSERecord::SaveGraphicToStream(TStream& Stream, TXlsImgTypes& DataType) const {
  if (Data.empty()) RaiseXls(XlsMsg::EscherProcessing);
  switch (Data[0]) {
    case 2: DataType = TXlsImgTypes::xli_Emf; break;
    case 3: DataType = TXlsImgTypes::xli_Wmf; break;
    case 5: DataType = TXlsImgTypes::xli_Jpeg; break;
    case 6: DataType = TXlsImgTypes::xli_Png; break;
    case 7: DataType = TXlsImgTypes::xli_Bmp; break;
    default: DataType = TXlsImgTypes::xli_Unknown; break;
  }
  const bool tagged =
      DataType == TXlsImgTypes::xli_Jpeg || DataType == TXlsImgTypes::xli_Png || DataType == TXlsImgTypes::xli_Bmp;
  const size_t start = 44 + (tagged ? 17 : 16);
  // A blip kept outside the record (in the delay stream) has no bytes here.
  if (Data.size() < start) RaiseXls(XlsMsg::EscherProcessing);
  if (DataType == TXlsImgTypes::xli_Bmp) {
    Byte fileHeader[14] = {'B', 'M'};
    Stream.WriteBuffer(fileHeader, 14);
  }
  if (Data.size() > start) Stream.WriteBuffer(Data.data() + start, static_cast<Integer>(Data.size() - start));
}

Integer TEscherBSERecord::CompareRec(const TEscherRecord& aRecord) const {
  if (TotalDataSize != aRecord.TotalDataSize) return TotalDataSize < aRecord.TotalDataSize ? -1 : 1;
  const auto* other = dynamic_cast<const TEscherBSERecord*>(&aRecord);
  if (!other) return TEscherRecord::CompareRec(aRecord);
  if (Data.size() < 18 || other->Data.size() < 18) return TEscherDataRecord::CompareRec(aRecord);
  const int m = std::memcmp(Data.data() + 2, other->Data.data() + 2, 16);
  if (m != 0) return m < 0 ? -1 : 1;
  // The same bytes stored as two kinds of picture are two entries.
  return Data[0] == other->Data[0] ? 0 : (Data[0] < other->Data[0] ? -1 : 1);
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

// ---------------------------------------------------------------------------------------------
// Picture references of an OPT atom

Integer TEscherOPTRecord::AddBlip(const ByteArray& Data_, TXlsImgTypes DataType) {
  TEscherBStoreRecord* store = DwgGroupCache ? DwgGroupCache->BStore : nullptr;
  if (!store) RaiseXls(XlsMsg::AssertBStore);
  std::unique_ptr<TEscherBSERecord> bse = ConvertGraphicToBSE(Data_, DataType, DwgGroupCache, DwgCache);
  Integer pos = 0;
  if (!store->FContainedRecords.Find(bse.get(), pos)) {
    bse->FParent = store;
    store->FContainedRecords.Insert(pos, std::move(bse));
    store->FContainedRecords.Sorted = true;
  }
  store->BSE(pos)->AddRef();
  return pos;
}

void TEscherOPTRecord::ChangeRef(TEscherBSERecord* aBSE) {
  if (BlipPtr.size() != 1) RaiseXls(XlsMsg::EscherProcessing);
  if (aBSE == BlipPtr[0]) return;
  aBSE->AddRef();
  ++aBSE->Users;
  TEscherBSERecord* old = BlipPtr[0];
  BlipPtr[0] = aBSE;
  --old->Users;
  TEscherBSERecord::Release(old);
}

void TEscherOPTRecord::ReplaceImg(const ByteArray& Data_, TXlsImgTypes DataType) {
  TEscherBStoreRecord* store = DwgGroupCache ? DwgGroupCache->BStore : nullptr;
  if (!store) RaiseXls(XlsMsg::AssertBStore);
  if (BlipPtr.size() != 1) RaiseXls(XlsMsg::EscherProcessing);
  std::unique_ptr<TEscherBSERecord> bse = ConvertGraphicToBSE(Data_, DataType, DwgGroupCache, DwgCache);
  Integer pos = 0;
  if (!store->FContainedRecords.Find(bse.get(), pos)) {
    bse->FParent = store;
    store->FContainedRecords.Insert(pos, std::move(bse));
    store->FContainedRecords.Sorted = true;
  }
  TEscherBSERecord* target = store->BSE(pos);
  // A new entry nobody uses yet leaves again if the change fails.
  ChangeRef(target);
}

void TEscherOPTRecord::GetImageFromStream(TStream& Stream, TXlsImgTypes& DataType) const {
  if (BlipPtr.size() != 1) RaiseXls(XlsMsg::EscherProcessing);
  BlipPtr[0]->SaveGraphicToStream(Stream, DataType);
}
