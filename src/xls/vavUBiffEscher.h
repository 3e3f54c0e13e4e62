// The workbook's drawing group (MSODRAWINGGROUP) and each worksheet's drawing (MSODRAWING with
// the OBJ and TXO records of its shapes): read into record trees, changed through them, and cut
// back into BIFF records on save.
#pragma once

#include "xls/vavUEscherRecords.h"

class TSST;

// The BIFF records that carry drawing bytes; only read while loading.
class TXlsEscherRecord : public TRecordOf<TXlsEscherRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
};
class TDrawingGroupRecord : public TRecordOf<TDrawingGroupRecord, TXlsEscherRecord> {
 public:
  using TRecordOf::TRecordOf;
};
class TDrawingRecord : public TRecordOf<TDrawingRecord, TXlsEscherRecord> {
 public:
  using TRecordOf::TRecordOf;
};

class TDrawingGroup {
 public:
  TDrawingGroup() = default;
  TDrawingGroup(const TDrawingGroup&) = delete;
  TDrawingGroup& operator=(const TDrawingGroup&) = delete;
  ~TDrawingGroup() { Clear(); }

  void Clear() { FDggContainer.reset(); }
  // Reads the whole group starting with First.
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBaseRecord> First);
  void SaveToStream(TOle2File& DataStream);
  Int64 TotalSize() const;
  // Creates the container, the shape-id table, the blip store and the default atoms that are
  // missing; callers call it before adding a picture to a sheet.
  void EnsureDwgGroup();

  bool IsEmpty() const { return !FDggContainer; }
  TEscherContainerRecord* DggContainer() const { return FDggContainer.get(); }
  TEscherDwgGroupCache FRecordCache;

 private:
  std::unique_ptr<TEscherContainerRecord> FDggContainer;
  // The cache the group's own records use: no lists, no links.
  TEscherDwgCache FEmptyCache;
};

class TDrawing {
 public:
  explicit TDrawing(TDrawingGroup* aDrawingGroup) : FDrawingGroup(aDrawingGroup) {}
  TDrawing(const TDrawing&) = delete;
  TDrawing& operator=(const TDrawing&) = delete;
  ~TDrawing();

  void Clear();
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, TSST* SST, std::unique_ptr<TBaseRecord> First);
  void SaveToStream(TOle2File& DataStream);
  Int64 TotalSize() const;
  // Replaces the contents by a copy of another sheet's drawing: new drawing id and shape ids,
  // the same object ids.
  void CopyFrom(TDrawing& aDrawing, TWorkSheet* dSheet);

  bool IsEmpty() const { return !FDgContainer; }
  TEscherContainerRecord* DgContainer() const { return FDgContainer.get(); }
  const TEscherDwgCache& RecordCache() const { return FRecordCache; }

  // Pictures, by their 0-based position in creation order.
  Integer DrawingCount() const { return FRecordCache.Blip ? FRecordCache.Blip->Count() : 0; }
  TClientAnchor GetAnchor(Integer i) const;
  void SetAnchor(Integer i, const TClientAnchor& aAnchor, TWorkSheet* sSheet);
  void GetDrawingFromStream(Integer i, TStream& Data, TXlsImgTypes& DataType) const;
  WideString PictureName(Integer i) const;
  Integer PictureRow(Integer i) const;
  void AddImage(const ByteArray& Data, TXlsImgTypes DataType, const TImageProperties& Properties,
                TWbkAnchorType AnchorType, TWorkSheet* sSheet);
  void DeleteImage(Integer i);
  void ClearImage(Integer i);
  void AssignDrawing(Integer i, const ByteArray& Data, TXlsImgTypes DataType);

  // A comment's text box; answers its client data atom.
  TEscherClientDataRecord* AddNewComment(const TImageProperties& Properties, TWorkSheet* sSheet);
  void AddAutoFilter(Integer Row, Integer Col1, Integer Col2, TWorkSheet* sSheet);
  void RemoveAutoFilter();
  TEscherClientDataRecord* FindObjId(Word ObjId) const;
  // Whether the atom is still part of this drawing.
  bool HasClientData(const TEscherClientDataRecord* aRecord) const;
  // Frees the top-level shape that holds the record.
  void RemoveShape(TEscherRecord* aRecord);

  void DeleteRows(Integer aRow, Integer aCount, TWorkSheet* dSheet, const TSheetInfo& SheetInfo);
  void DeleteCols(Integer aCol, Integer aCount, TWorkSheet* dSheet, const TSheetInfo& SheetInfo);
  void InsertAndCopyRowsAndCols(Integer FirstRow, Integer LastRow, Integer DestRow, Integer RowCount, Integer FirstCol,
                                Integer LastCol, Integer DestCol, Integer ColCount, const TSheetInfo& SheetInfo,
                                TWorkSheet* dSheet);
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                TWorkSheet* dSheet, const TSheetInfo& SheetInfo);
  void ArrangeCopySheet(const TSheetInfo& SheetInfo);
  void SaveObjectCoords(TWorkSheet* sSheet);
  void RestoreObjectCoords(TWorkSheet* dSheet);

  // The built-in blank picture: a 1 x 1 one-bit bitmap without file header.
  static const ByteArray& EmptyBitmap();

 private:
  void CreateBasicDrawing();
  void ResetCache(bool WithLists);
  TEscherOPTRecord* Picture(Integer i) const;
  // A new shape container under the patriarch, not yet added to it.
  std::unique_ptr<TEscherSpContainerRecord> NewShape();
  void AddShape(std::unique_ptr<TEscherSpContainerRecord> Shape);

  std::unique_ptr<TEscherContainerRecord> FDgContainer;
  TEscherDwgCache FRecordCache;
  TDrawingGroup* FDrawingGroup;
};
