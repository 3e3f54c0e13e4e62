#include "xls/vavUBiffEscher.h"

#include "xls/vavUBiffClientData.h"
#include "xls/vavUBiffRecordFactory.h"
#include "xls/vavUBreakList.h"
#include "xls/vavUEscherOtherRecords.h"

namespace {

constexpr Word IdMSODRAWINGGROUP = 0x00EB, IdMSODRAWING = 0x00EC;

// Bytes of the record chain left from aPos on.
bool UsedUp(const TBaseRecord* aRecord, Integer aPos) { return aPos >= aRecord->TotalSizeNoHeaders(); }

// Reads the top container's header from the first record.
template <class TCache>
std::unique_ptr<TEscherContainerRecord> ReadTopContainer(const TBaseRecord*& aRecord, Integer& aPos,
                                                         TEscherDwgGroupCache* aGroupCache, TCache* aCache) {
  const TEscherRecordHeader head = ReadEscherHeader(aRecord, aPos);
  if (!TEscherRecord::IsContainer(head.Pre)) RaiseXls(XlsMsg::ExcelInvalid);
  std::unique_ptr<TEscherRecord> top = CreateEscherRecord(head, aGroupCache, aCache, nullptr);
  return std::unique_ptr<TEscherContainerRecord>(static_cast<TEscherContainerRecord*>(top.release()));
}

// Plans the cut of a tree into BIFF records of the given id and answers the bytes written.
Int64 Plan(const TEscherRecord& Top, Word aId, TBreakList* BreakList) {
  Integer nextPos = 0;
  Int64 realSize = 0;
  Integer nextDwg = aId;
  Top.SplitRecords(nextPos, realSize, nextDwg, BreakList);
  if (BreakList) BreakList->Add(0, nextPos);
  return realSize;
}

void SaveTree(TOle2File& DataStream, TEscherRecord& Top, Word aId) {
  TBreakList breaks(DataStream.Position());
  Plan(Top, aId, &breaks);
  Top.SaveToStream(DataStream, &breaks);
}

bool IsOPT(const TEscherRecord* r) { return dynamic_cast<const TEscherOPTRecord*>(r) != nullptr; }
bool IsSplitMenu(const TEscherRecord* r) { return dynamic_cast<const TEscherSplitMenuRecord*>(r) != nullptr; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TDrawingGroup

void TDrawingGroup::LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader,
                                   std::unique_ptr<TBaseRecord> First) {
  if (FDggContainer) RaiseXls(XlsMsg::ExcelInvalid);
  const TBaseRecord* at = First.get();
  Integer pos = 0;
  FDggContainer = ReadTopContainer(at, pos, &FRecordCache, &FEmptyCache);
  std::unique_ptr<TBaseRecord> current;
  while (!FDggContainer->Loaded()) {
    if (UsedUp(at, pos)) {
      current = ReadSectionRecord(DataStream, RecordHeader);
      if (!dynamic_cast<TDrawingGroupRecord*>(current.get())) RaiseXls(XlsMsg::ExcelInvalid);
      at = current.get();
      pos = 0;
    }
    FDggContainer->Load(at, pos);
  }
}

void TDrawingGroup::SaveToStream(TOle2File& DataStream) {
  if (FDggContainer) SaveTree(DataStream, *FDggContainer, IdMSODRAWINGGROUP);
}

Int64 TDrawingGroup::TotalSize() const { return FDggContainer ? Plan(*FDggContainer, IdMSODRAWINGGROUP, nullptr) : 0; }

void TDrawingGroup::EnsureDwgGroup() {
  if (!FDggContainer)
    FDggContainer = std::make_unique<TEscherContainerRecord>(TEscherRecordHeader{0x000F, EscherId::DggContainer, 0},
                                                             &FRecordCache, &FEmptyCache, nullptr);
  TEscherContainerRecord* c = FDggContainer.get();
  if (!FRecordCache.Dgg) c->FContainedRecords.Add(TEscherDggRecord::CreateFromData(&FRecordCache, &FEmptyCache, c));
  if (!FRecordCache.BStore)
    c->FContainedRecords.Add(std::make_unique<TEscherBStoreRecord>(
        TEscherRecordHeader{0x002F, EscherId::BStoreContainer, 0}, &FRecordCache, &FEmptyCache, c));
  if (!c->FindRec(IsOPT)) c->FContainedRecords.Add(TEscherOPTRecord::GroupCreateFromData(&FRecordCache, &FEmptyCache, c));
  if (!c->FindRec(IsSplitMenu))
    c->FContainedRecords.Add(TEscherSplitMenuRecord::CreateFromData(&FRecordCache, &FEmptyCache, c));
}

// ---------------------------------------------------------------------------------------------
// TDrawing: life cycle, loading and saving

TDrawing::~TDrawing() {
  FRecordCache.Destroying = true;
  Clear();
}

void TDrawing::ResetCache(bool WithLists) {
  FRecordCache.MaxObjId = 0;
  FRecordCache.Dg = nullptr;
  FRecordCache.Solver = nullptr;
  FRecordCache.Patriarch = nullptr;
  FRecordCache.Anchor.reset();
  FRecordCache.Shape.reset();
  FRecordCache.Obj.reset();
  FRecordCache.Blip.reset();
  if (!WithLists) return;
  FRecordCache.Anchor = std::make_unique<TEscherAnchorCache>();
  FRecordCache.Shape = std::make_unique<TEscherShapeCache>();
  FRecordCache.Obj = std::make_unique<TEscherObjCache>();
  FRecordCache.Blip = std::make_unique<TEscherOPTCache>();
}

void TDrawing::Clear() {
  FDgContainer.reset();
  const bool destroying = FRecordCache.Destroying;
  ResetCache(false);
  FRecordCache.Destroying = destroying;
}

void TDrawing::LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, TSST* SST,
                              std::unique_ptr<TBaseRecord> First) {
  if (!FDrawingGroup) RaiseXls(XlsMsg::AssertDrawingGroup);
  if (FDgContainer) RaiseXls(XlsMsg::ExcelInvalid);
  ResetCache(true);
  const TBaseRecord* at = First.get();
  Integer pos = 0;
  FDgContainer = ReadTopContainer(at, pos, &FDrawingGroup->FRecordCache, &FRecordCache);
  std::unique_ptr<TBaseRecord> current;
  while (true) {
    const TClientDataClass* type = nullptr;
    const bool waiting = FDgContainer->WaitingClientData(type);
    if (FDgContainer->Loaded() && !waiting) break;
    if (!waiting) {
      if (UsedUp(at, pos)) {
        current = ReadSectionRecord(DataStream, RecordHeader);
        if (!dynamic_cast<TDrawingRecord*>(current.get())) RaiseXls(XlsMsg::ExcelInvalid);
        at = current.get();
        pos = 0;
      }
      FDgContainer->Load(at, pos);
      continue;
    }
    // The OBJ or TXO record of the atom that was just read.
    if (!UsedUp(at, pos)) RaiseXls(XlsMsg::ExcelInvalid);
    std::unique_ptr<TBaseRecord> record = ReadSectionRecord(DataStream, RecordHeader);
    if (record->Id != type->ObjRecord) RaiseXls(XlsMsg::UnsupportedDrawing);
    std::unique_ptr<TBaseClientData> data = type->Create();
    data->LoadFromStream(DataStream, RecordHeader, SST, std::move(record));
    TBaseClientData* loaded = data.get();
    FDgContainer->AssignClientData(std::move(data));
    if (loaded->RemainingData) {
      // Drawing bytes some writers keep in CONTINUE records after the OBJ or TXO record.
      at = loaded->RemainingData.get();
      pos = 0;
      FDgContainer->Load(at, pos);
    }
  }
  FRecordCache.Shape->Sort();
  if (FRecordCache.Solver) FRecordCache.Solver->FixPointers();
}

void TDrawing::SaveToStream(TOle2File& DataStream) {
  if (FDgContainer) SaveTree(DataStream, *FDgContainer, IdMSODRAWING);
}

Int64 TDrawing::TotalSize() const { return FDgContainer ? Plan(*FDgContainer, IdMSODRAWING, nullptr) : 0; }

void TDrawing::CopyFrom(TDrawing& aDrawing, TWorkSheet* dSheet) {
  Clear();
  ResetCache(aDrawing.FRecordCache.Anchor != nullptr);
  if (!aDrawing.FDgContainer) return;
  aDrawing.FDgContainer->ClearCopiedTo();
  std::unique_ptr<TEscherRecord> copy = aDrawing.FDgContainer->DoCopyTo(&FRecordCache, 0, 0, dSheet);
  FDgContainer.reset(static_cast<TEscherContainerRecord*>(copy.release()));
  aDrawing.FDgContainer->ClearCopiedTo();
  // The copied objects keep their ids; new ones go above them.
  FRecordCache.MaxObjId = aDrawing.FRecordCache.MaxObjId;
  if (FRecordCache.Shape) FRecordCache.Shape->Sort();
  if (FRecordCache.Solver && aDrawing.FRecordCache.Solver)
    FRecordCache.Solver->CheckMax(aDrawing.FRecordCache.Solver->MaxRuleId);
}

// ---------------------------------------------------------------------------------------------
// Shapes

const ByteArray& TDrawing::EmptyBitmap() {
  static const ByteArray bitmap = [] {
    ByteArray b(54, 0);
    SetCardinal(b, 0, 40);    // header size
    SetCardinal(b, 4, 1);     // width
    SetCardinal(b, 8, 1);     // height
    SetWord(b, 12, 1);        // planes
    SetWord(b, 14, 1);        // bits per pixel
    SetCardinal(b, 24, 2834); // pixels per metre
    SetCardinal(b, 28, 2834);
    const Byte palette[8] = {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};
    std::copy(palette, palette + 8, b.begin() + 40);
    return b;
  }();
  return bitmap;
}

void TDrawing::CreateBasicDrawing() {
  if (!FDrawingGroup) RaiseXls(XlsMsg::AssertDrawingGroup);
  TEscherDggRecord* dgg = FDrawingGroup->FRecordCache.Dgg;
  if (!dgg) RaiseXls(XlsMsg::EscherLoading);
  FDgContainer.reset();
  ResetCache(true);
  TEscherDwgGroupCache* group = &FDrawingGroup->FRecordCache;
  auto container = std::make_unique<TEscherContainerRecord>(TEscherRecordHeader{0x000F, EscherId::DgContainer, 0},
                                                            group, &FRecordCache, nullptr);
  Cardinal dgId = 0, first = 0;
  dgg->GetNewDgIdAndCluster(dgId, first);
  container->FContainedRecords.Add(
      TEscherDgRecord::CreateFromData(0, first, dgId, group, &FRecordCache, container.get()));
  auto patriarch = std::make_unique<TEscherSpgrContainerRecord>(TEscherRecordHeader{0x000F, EscherId::SpgrContainer, 0},
                                                                group, &FRecordCache, container.get());
  auto groupShape = std::make_unique<TEscherSpContainerRecord>(TEscherRecordHeader{0x000F, EscherId::SpContainer, 0},
                                                               group, &FRecordCache, patriarch.get());
  auto spgr = std::make_unique<TEscherDataRecord>(TEscherRecordHeader{0x0001, EscherId::Spgr, 16}, group, &FRecordCache,
                                                  groupShape.get());
  spgr->Data.assign(16, 0);
  spgr->LoadedDataSize = 16;
  groupShape->FContainedRecords.Add(std::move(spgr));
  groupShape->FContainedRecords.Add(TEscherSPRecord::CreateFromData(0x0002, FRecordCache.Dg->IncMaxShapeId(), 0x0005,
                                                                    group, &FRecordCache, groupShape.get()));
  patriarch->FContainedRecords.Add(std::move(groupShape));
  container->FContainedRecords.Add(std::move(patriarch));
  FDgContainer = std::move(container);
}

std::unique_ptr<TEscherSpContainerRecord> TDrawing::NewShape() {
  if (!FRecordCache.Patriarch) RaiseXls(XlsMsg::EscherLoading);
  return std::make_unique<TEscherSpContainerRecord>(TEscherRecordHeader{0x000F, EscherId::SpContainer, 0},
                                                    &FDrawingGroup->FRecordCache, &FRecordCache,
                                                    FRecordCache.Patriarch);
}

void TDrawing::AddShape(std::unique_ptr<TEscherSpContainerRecord> Shape) {
  FRecordCache.Patriarch->FContainedRecords.Add(std::move(Shape));
}

void TDrawing::RemoveShape(TEscherRecord* aRecord) {
  TEscherSpgrContainerRecord* patriarch = FRecordCache.Patriarch;
  if (!patriarch) RaiseXls(XlsMsg::EscherLoading);
  TEscherRecord* root = aRecord ? aRecord->FindRoot() : nullptr;
  const Integer i = patriarch->FContainedRecords.IndexOf(root);
  if (i >= 0) patriarch->FContainedRecords.Delete(i);
}

namespace {

TClientAnchor AnchorOf(const TImageProperties& p, Word Flag) {
  auto low = [](Integer v) { return static_cast<Word>(v & 0xFFFF); };
  return TClientAnchor{Flag,        low(p.Col1), low(p.dx1), low(p.Row1), low(p.dy1),
                       low(p.Col2), low(p.dx2),  low(p.Row2), low(p.dy2)};
}

}  // namespace

void TDrawing::AddImage(const ByteArray& Data, TXlsImgTypes DataType, const TImageProperties& Properties,
                        TWbkAnchorType AnchorType, TWorkSheet* sSheet) {
  const ByteArray& data = Data.empty() ? EmptyBitmap() : Data;
  const TXlsImgTypes type = Data.empty() ? TXlsImgTypes::xli_Bmp : DataType;
  // Checked first, so that a picture that cannot be stored leaves the drawing as it was.
  if (!FDrawingGroup) RaiseXls(XlsMsg::AssertDrawingGroup);
  if (!FDrawingGroup->FRecordCache.BStore) RaiseXls(XlsMsg::AssertBStore);
  if (type != TXlsImgTypes::xli_Jpeg && type != TXlsImgTypes::xli_Png && type != TXlsImgTypes::xli_Bmp)
    RaiseXls(XlsMsg::WmfNeedsPng);
  if (!FDgContainer || !FRecordCache.Anchor) CreateBasicDrawing();
  TEscherDwgGroupCache* group = &FDrawingGroup->FRecordCache;
  std::unique_ptr<TEscherSpContainerRecord> shape = NewShape();
  TEscherSpContainerRecord* s = shape.get();
  s->FContainedRecords.Add(
      TEscherSPRecord::CreateFromData(0x04B2, FRecordCache.Dg->IncMaxShapeId(), 0x0A00, group, &FRecordCache, s));
  s->FContainedRecords.Add(
      TEscherOPTRecord::CreateFromDataImg(data, type, Properties.FileName, group, &FRecordCache, s));
  const Word flag = AnchorType == TWbkAnchorType::at_MoveAndResize           ? 0
                    : AnchorType == TWbkAnchorType::at_DontMoveAndDontResize ? 3
                                                                             : 2;
  s->FContainedRecords.Add(
      TEscherClientAnchorRecord::CreateFromData(AnchorOf(Properties, flag), sSheet, group, &FRecordCache, s));
  auto clientData = TEscherClientDataRecord::CreateFromData(group, &FRecordCache, s);
  clientData->ClientData = VAvObj::CreateEmptyImg(FRecordCache.MaxObjId);
  s->FContainedRecords.Add(std::move(clientData));
  AddShape(std::move(shape));
}

TEscherClientDataRecord* TDrawing::AddNewComment(const TImageProperties& Properties, TWorkSheet* sSheet) {
  if (!FDrawingGroup) RaiseXls(XlsMsg::AssertDrawingGroup);
  FDrawingGroup->EnsureDwgGroup();
  if (!FDgContainer || !FRecordCache.Anchor) CreateBasicDrawing();
  TEscherDwgGroupCache* group = &FDrawingGroup->FRecordCache;
  std::unique_ptr<TEscherSpContainerRecord> shape = NewShape();
  TEscherSpContainerRecord* s = shape.get();
  s->FContainedRecords.Add(
      TEscherSPRecord::CreateFromData(0x0CA2, FRecordCache.Dg->IncMaxShapeId(), 0x0A00, group, &FRecordCache, s));
  s->FContainedRecords.Add(TEscherOPTRecord::CreateFromDataNote(group, &FRecordCache, s));
  s->FContainedRecords.Add(
      TEscherClientAnchorRecord::CreateFromData(AnchorOf(Properties, 3), sSheet, group, &FRecordCache, s));
  auto clientData = TEscherClientDataRecord::CreateFromData(group, &FRecordCache, s);
  clientData->ClientData = VAvObj::CreateEmptyNote(FRecordCache.MaxObjId);
  TEscherClientDataRecord* result = clientData.get();
  s->FContainedRecords.Add(std::move(clientData));
  auto textBox = TEscherClientTextBoxRecord::CreateFromData(group, &FRecordCache, s);
  textBox->ClientData = TTXO::CreateFromData();
  s->FContainedRecords.Add(std::move(textBox));
  AddShape(std::move(shape));
  return result;
}

void TDrawing::AddAutoFilter(Integer Row, Integer Col1, Integer Col2, TWorkSheet* sSheet) {
  if (Col2 < Col1) return;
  if (!FDrawingGroup) RaiseXls(XlsMsg::AssertDrawingGroup);
  for (Integer col = Col1; col <= Col2; ++col) {
    FDrawingGroup->EnsureDwgGroup();
    if (!FDgContainer || !FRecordCache.Anchor) CreateBasicDrawing();
    TEscherDwgGroupCache* group = &FDrawingGroup->FRecordCache;
    std::unique_ptr<TEscherSpContainerRecord> shape = NewShape();
    TEscherSpContainerRecord* s = shape.get();
    s->FContainedRecords.Add(
        TEscherSPRecord::CreateFromData(0x0C92, FRecordCache.Dg->IncMaxShapeId(), 0x0A00, group, &FRecordCache, s));
    s->FContainedRecords.Add(TEscherOPTRecord::CreateFromDataAutoFilter(group, &FRecordCache, s));
    const TClientAnchor anchor{1, static_cast<Word>(col), 0, static_cast<Word>(Row), 0, static_cast<Word>(col + 1), 0,
                               static_cast<Word>(Row + 1), 0};
    s->FContainedRecords.Add(TEscherClientAnchorRecord::CreateFromData(anchor, sSheet, group, &FRecordCache, s));
    auto clientData = TEscherClientDataRecord::CreateFromData(group, &FRecordCache, s);
    clientData->ClientData = VAvObj::CreateEmptyAutoFilter(FRecordCache.MaxObjId);
    s->FContainedRecords.Add(std::move(clientData));
    AddShape(std::move(shape));
  }
}

void TDrawing::RemoveAutoFilter() {
  if (!FRecordCache.Obj) return;
  if (!FRecordCache.Patriarch) RaiseXls(XlsMsg::EscherLoading);
  for (Integer i = FRecordCache.Obj->Count() - 1; i >= 0; --i) {
    if (i >= FRecordCache.Obj->Count()) continue;
    auto* data = static_cast<TEscherClientDataRecord*>((*FRecordCache.Obj)[i]);
    auto* obj = dynamic_cast<VAvObj*>(data->ClientData.get());
    if (obj && obj->IsFilterArrow()) RemoveShape(data);
  }
}

TEscherClientDataRecord* TDrawing::FindObjId(Word ObjId) const {
  if (!FRecordCache.Obj) return nullptr;
  for (Integer i = 0; i < FRecordCache.Obj->Count(); ++i) {
    auto* data = static_cast<TEscherClientDataRecord*>((*FRecordCache.Obj)[i]);
    if (dynamic_cast<VAvObj*>(data->ClientData.get()) && data->ClientData->ObjectId() == ObjId) return data;
  }
  return nullptr;
}

bool TDrawing::HasClientData(const TEscherClientDataRecord* aRecord) const {
  return aRecord && FRecordCache.Obj && FRecordCache.Obj->IndexOf(aRecord) >= 0;
}

// ---------------------------------------------------------------------------------------------
// Pictures

TEscherOPTRecord* TDrawing::Picture(Integer i) const {
  if (i < 0 || i >= DrawingCount()) RaiseXls(XlsMsg::AssertIndex);
  return static_cast<TEscherOPTRecord*>((*FRecordCache.Blip)[i]);
}

TClientAnchor TDrawing::GetAnchor(Integer i) const { return Picture(i)->GetAnchor(); }

void TDrawing::SetAnchor(Integer i, const TClientAnchor& aAnchor, TWorkSheet* sSheet) {
  Picture(i)->SetAnchor(aAnchor, sSheet);
}

void TDrawing::GetDrawingFromStream(Integer i, TStream& Data, TXlsImgTypes& DataType) const {
  Picture(i)->GetImageFromStream(Data, DataType);
}

WideString TDrawing::PictureName(Integer i) const { return Picture(i)->FShapeName; }

Integer TDrawing::PictureRow(Integer i) const { return Picture(i)->GetAnchor().Row1; }

void TDrawing::DeleteImage(Integer i) {
  if (!FRecordCache.Blip) return;
  TEscherOPTRecord* opt = Picture(i);
  RemoveShape(opt);
}

void TDrawing::ClearImage(Integer i) { Picture(i)->ReplaceImg(EmptyBitmap(), TXlsImgTypes::xli_Bmp); }

void TDrawing::AssignDrawing(Integer i, const ByteArray& Data, TXlsImgTypes DataType) {
  if (Data.empty()) ClearImage(i);
  else Picture(i)->ReplaceImg(Data, DataType);
}

// ---------------------------------------------------------------------------------------------
// Rows and columns

void TDrawing::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                        TWorkSheet* dSheet, const TSheetInfo& SheetInfo) {
  if (FRecordCache.Anchor && SheetInfo.FormulaSheet == SheetInfo.InsSheet)
    FRecordCache.Anchor->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, dSheet, false, SheetInfo);
  if (FRecordCache.Obj)
    for (Integer i = 0; i < FRecordCache.Obj->Count(); ++i) {
      auto* data = static_cast<TEscherClientDataRecord*>((*FRecordCache.Obj)[i]);
      if (data->ClientData) data->ClientData->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, SheetInfo);
    }
}

void TDrawing::DeleteRows(Integer aRow, Integer aCount, TWorkSheet* dSheet, const TSheetInfo& SheetInfo) {
  if (!FRecordCache.Anchor) return;
  for (Integer i = FRecordCache.Anchor->Count() - 1; i >= 0; --i) {
    if (i >= FRecordCache.Anchor->Count()) continue;
    auto* anchor = static_cast<TEscherClientAnchorRecord*>((*FRecordCache.Anchor)[i]);
    if (anchor->AllowDelete(aRow, aRow + aCount - 1, 0, 256)) RemoveShape(anchor);
  }
  ArrangeInsertRowsAndCols(aRow, -aCount, 0, 0, dSheet, SheetInfo);
}

void TDrawing::DeleteCols(Integer aCol, Integer aCount, TWorkSheet* dSheet, const TSheetInfo& SheetInfo) {
  if (!FRecordCache.Anchor) return;
  for (Integer i = FRecordCache.Anchor->Count() - 1; i >= 0; --i) {
    if (i >= FRecordCache.Anchor->Count()) continue;
    auto* anchor = static_cast<TEscherClientAnchorRecord*>((*FRecordCache.Anchor)[i]);
    if (anchor->AllowDelete(0, 65536, aCol, aCol + aCount - 1)) RemoveShape(anchor);
  }
  ArrangeInsertRowsAndCols(0, 0, aCol, -aCount, dSheet, SheetInfo);
}

void TDrawing::InsertAndCopyRowsAndCols(Integer FirstRow, Integer LastRow, Integer DestRow, Integer RowCount,
                                        Integer FirstCol, Integer LastCol, Integer DestCol, Integer ColCount,
                                        const TSheetInfo& SheetInfo, TWorkSheet* dSheet) {
  if (!FDgContainer || !FRecordCache.Anchor) return;
  const Integer rowBlock = LastRow - FirstRow + 1, colBlock = LastCol - FirstCol + 1;
  const Integer insRows = RowCount * rowBlock, insCols = ColCount * colBlock;
  ArrangeInsertRowsAndCols(DestRow, insRows, DestCol, insCols, dSheet, SheetInfo);

  // Copies of the shapes lying wholly in the source block, along one axis.
  auto copyBlock = [&](Integer count, Integer first, Integer last, Integer dest, Integer block, Integer ins, bool rows) {
    const Integer s1 = first < dest ? first : first + ins;
    const Integer s2 = first < dest ? last : last + ins;
    for (Integer k = 0; k < count; ++k) {
      const Integer target = dest + k * block;
      FDgContainer->ClearCopiedTo();
      const Integer anchors = FRecordCache.Anchor->Count();
      for (Integer i = 0; i < anchors; ++i) {
        auto* anchor = static_cast<TEscherClientAnchorRecord*>((*FRecordCache.Anchor)[i]);
        const bool inside = rows ? anchor->AllowCopy(s1, s2, 0, 256) : anchor->AllowCopy(0, 65536, s1, s2);
        if (inside) anchor->CopyDwg(rows ? target - s1 : 0, rows ? 0 : target - s1, dSheet);
      }
      if (FRecordCache.Solver) FRecordCache.Solver->ArrangeCopyRowsAndCols(dSheet);
    }
  };
  if (RowCount > 0) copyBlock(RowCount, FirstRow, LastRow, DestRow, rowBlock, insRows, true);
  if (ColCount > 0) copyBlock(ColCount, FirstCol, LastCol, DestCol, colBlock, insCols, false);
  FDgContainer->ClearCopiedTo();
}

void TDrawing::ArrangeCopySheet(const TSheetInfo& SheetInfo) {
  if (FRecordCache.Obj) FRecordCache.Obj->ArrangeCopySheet(SheetInfo);
}

void TDrawing::SaveObjectCoords(TWorkSheet* sSheet) {
  if (!FRecordCache.Patriarch || !FRecordCache.Anchor) return;
  for (Integer i = FRecordCache.Anchor->Count() - 1; i >= 0; --i)
    static_cast<TEscherClientAnchorRecord*>((*FRecordCache.Anchor)[i])->SaveObjectCoords(sSheet);
}

void TDrawing::RestoreObjectCoords(TWorkSheet* dSheet) {
  if (!FRecordCache.Patriarch || !FRecordCache.Anchor) return;
  for (Integer i = FRecordCache.Anchor->Count() - 1; i >= 0; --i)
    static_cast<TEscherClientAnchorRecord*>((*FRecordCache.Anchor)[i])->RestoreObjectCoords(dSheet);
}
