// Pictures in the record tree: the OPT atom with its blip references and the blip store entries.
#include "xls/vavUEscherRecords.h"

#include <algorithm>
#include <cstring>

#include "xls/vavUEscherGraphToBSE.h"
#include "xls/vavUEscherRecordsBuild.h"

using namespace EscherBuild;

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
// Blip store entries

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
    // The store keeps the bitmap without its file header; readers need its size and the
    // offset of the pixels, which follow the info header and the colour table.
    const Byte* dib = Data.data() + start;
    const size_t dibSize = Data.size() - start;
    auto dword = [&](size_t at) -> uint32_t {
      return at + 4 <= dibSize ? static_cast<uint32_t>(dib[at] | dib[at + 1] << 8 | dib[at + 2] << 16 | dib[at + 3] << 24)
                               : 0;
    };
    const uint32_t infoSize = dword(0);
    const uint32_t bitCount = dibSize >= 16 ? static_cast<uint32_t>(dib[14] | dib[15] << 8) : 0;
    uint64_t colours = infoSize >= 40 ? dword(32) : 0;
    if (colours == 0 && bitCount >= 1 && bitCount <= 8) colours = 1ull << bitCount;
    uint64_t offset = 14ull + infoSize + colours * (infoSize >= 40 ? 4 : 3);
    if (infoSize == 40 && dword(16) == 3) offset += 12;  // the three colour masks
    const uint64_t fileSize = 14ull + dibSize;
    if (offset > fileSize) offset = fileSize;
    Byte fileHeader[14] = {'B', 'M'};
    for (int i = 0; i < 4; ++i) {
      fileHeader[2 + i] = static_cast<Byte>(fileSize >> (8 * i));
      fileHeader[10 + i] = static_cast<Byte>(offset >> (8 * i));
    }
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
