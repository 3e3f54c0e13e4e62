// The Office drawing records of a workbook in memory: a tree of containers and atoms read from
// the drawing group and the sheet drawings, the caches that index a drawing's anchors, shapes,
// client data and pictures, and the shape-id clusters of the drawing group.
//
// Every record registers itself in the caches when it is made and leaves them when it is
// freed, unless its whole drawing is being freed; freeing a top-level shape container thus
// removes a picture, comment box or filter arrow with all it references.
#pragma once

#include <memory>
#include <vector>

#include "xls/vavUBiffBaseClientData.h"
#include "xls/vavUBiffBaseList.h"
#include "xls/vavUExcelAdapter.h"

class TWorkSheet;
class TBreakList;
class TEscherRecord;
class TEscherContainerRecord;
class TEscherDggRecord;
class TEscherBStoreRecord;
class TEscherBSERecord;
class TEscherDgRecord;
class TEscherSolverContainerRecord;
class TEscherSpgrContainerRecord;
class TEscherSpContainerRecord;
class TEscherSPRecord;
class TEscherOPTRecord;
class TEscherClientAnchorRecord;
class TEscherClientDataRecord;

namespace EscherId {
inline constexpr Word DggContainer = 0xF000, BStoreContainer = 0xF001, DgContainer = 0xF002,
                      SpgrContainer = 0xF003, SpContainer = 0xF004, SolverContainer = 0xF005, Dgg = 0xF006,
                      BSE = 0xF007, Dg = 0xF008, Spgr = 0xF009, Sp = 0xF00A, OPT = 0xF00B, ClientTextbox = 0xF00D,
                      ClientAnchor = 0xF010, ClientData = 0xF011, ConnectorRule = 0xF012, AlignRule = 0xF013,
                      ArcRule = 0xF014, CalloutRule = 0xF017, SplitMenu = 0xF11E;
}

struct TEscherRecordHeader {
  Word Pre = 0;
  Word Id = 0;
  Cardinal Size = 0;
};

// A shape's corners in absolute sheet units (column-width and row-height units).
struct TAbsoluteAnchorRect {
  Integer x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// ---------------------------------------------------------------------------------------------
// Caches (non-owning lists)

class TEscherRecordCache {
 public:
  virtual ~TEscherRecordCache() = default;
  Integer Count() const { return static_cast<Integer>(FList.size()); }
  TEscherRecord* operator[](Integer Index) const { return FList.at(static_cast<size_t>(Index)); }
  virtual void Add(TEscherRecord* aRecord) { FList.push_back(aRecord); }
  void Insert(Integer Index, TEscherRecord* aRecord) { FList.insert(FList.begin() + Index, aRecord); }
  void Delete(Integer Index) { FList.erase(FList.begin() + Index); }
  Integer IndexOf(const TEscherRecord* aRecord) const;
  void Remove(const TEscherRecord* aRecord);
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                TWorkSheet* dSheet, bool Forced, const TSheetInfo& SheetInfo);

 protected:
  std::vector<TEscherRecord*> FList;
};

class TEscherAnchorCache : public TEscherRecordCache {};

class TEscherShapeCache : public TEscherRecordCache {
 public:
  bool Sorted = true;
  void Add(TEscherRecord* aRecord) override;
  void Sort();
  bool Find(Cardinal ShapeId, Integer& Index);
};

class TEscherObjCache : public TEscherRecordCache {
 public:
  void ArrangeCopySheet(const TSheetInfo& SheetInfo);
};

// The drawing's pictures in creation order; a position is the picture index of the workbook
// interface.
class TEscherOPTCache : public TEscherRecordCache {
 public:
  bool Sorted = true;
  void Add(TEscherRecord* aRecord) override;
};

struct TEscherDwgCache {
  bool Destroying = false;
  Word MaxObjId = 0;
  TEscherDgRecord* Dg = nullptr;
  TEscherSolverContainerRecord* Solver = nullptr;
  TEscherSpgrContainerRecord* Patriarch = nullptr;
  std::unique_ptr<TEscherAnchorCache> Anchor;
  std::unique_ptr<TEscherShapeCache> Shape;
  std::unique_ptr<TEscherObjCache> Obj;
  std::unique_ptr<TEscherOPTCache> Blip;
};

struct TEscherDwgGroupCache {
  TEscherBStoreRecord* BStore = nullptr;
  TEscherDggRecord* Dgg = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Record list

class TEscherRecordList : public TBaseList<TEscherRecord> {
 public:
  bool Sorted = false;
  Integer Add(std::unique_ptr<TEscherRecord> Item) override;
  void Sort();
  // Sorts first when needed; the index of an equal record, or where one would go.
  bool Find(const TEscherRecord* aRecord, Integer& Index);
  void CopyFrom(const TEscherRecordList& Source, TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                TWorkSheet* dSheet);
  Int64 TotalSizeNoSplit() const;
  void SaveToStream(TOle2File& DataStream, TBreakList* BreakList) const;
  Integer IndexOf(const TEscherRecord* aRecord) const;
};

// ---------------------------------------------------------------------------------------------
// Records

class TEscherRecord {
 public:
  TEscherRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  TEscherRecord(const TEscherRecord&) = delete;
  TEscherRecord& operator=(const TEscherRecord&) = delete;
  virtual ~TEscherRecord() = default;

  TEscherContainerRecord* FParent;
  TEscherDwgCache* DwgCache;
  TEscherDwgGroupCache* DwgGroupCache;
  Word Pre;
  Word Id;
  Cardinal TotalDataSize;
  Cardinal LoadedDataSize = 0;
  TEscherRecord* CopiedTo = nullptr;

  Word Instance() const { return Pre >> 4; }

  virtual std::unique_ptr<TEscherRecord> DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                                  TWorkSheet* dSheet);
  // A new record of the same class, registered like every record.
  virtual std::unique_ptr<TEscherRecord> Create(const TEscherRecordHeader& aEscherHeader,
                                                TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache,
                                                TEscherContainerRecord* aParent) const = 0;
  virtual void AfterCreate() {}
  // Reads on from aPos of aRecord (going on into its CONTINUE records).
  virtual void Load(const TBaseRecord*& aRecord, Integer& aPos) = 0;
  virtual void SaveToStream(TOle2File& DataStream, TBreakList* BreakList);
  virtual Int64 TotalSizeNoSplit() const { return 8; }
  virtual bool Loaded() const;
  virtual bool WaitingClientData(const TClientDataClass*& ClientType) const;
  virtual void AssignClientData(std::unique_ptr<TBaseClientData> aClientData);
  virtual void SplitRecords(Integer& NextPos, Int64& RealSize, Integer& NextDwg, TBreakList* BreakList) const;
  virtual void ArrangeInsertRowsAndCols(Integer, Integer, Integer, Integer, TWorkSheet*, bool, const TSheetInfo&) {}
  virtual void ClearCopiedTo() { CopiedTo = nullptr; }
  virtual TEscherRecord* FindRec(bool (*IsClass)(const TEscherRecord*)) const {
    (void)IsClass;
    return nullptr;
  }
  virtual Integer CompareRec(const TEscherRecord& aRecord) const;

  static std::unique_ptr<TEscherRecord> CopyTo(TEscherRecord* aRecord, TEscherDwgCache* NewDwgCache, Integer RowOfs,
                                               Integer ColOfs, TWorkSheet* dSheet) {
    return aRecord ? aRecord->DoCopyTo(NewDwgCache, RowOfs, ColOfs, dSheet) : nullptr;
  }
  static bool IsContainer(Word aPre) { return (aPre & 0x000F) == 0x000F; }
  bool IsContainer() const { return IsContainer(Pre); }
  // The top-level shape container (a child of the patriarch) that holds the record.
  TEscherRecord* FindRoot();
  TEscherSpgrContainerRecord* Patriarch() const;
  // Copies the whole top-level shape that holds the record within its drawing, moved by the
  // offsets, and answers the copy of this record.
  TEscherRecord* CopyDwg(Integer RowOfs, Integer ColOfs, TWorkSheet* dSheet);

 protected:
  // Checks the record is complete and writes its 8-byte header with the break checks.
  void WriteHeader(TOle2File& DataStream, TBreakList* BreakList);
  static void CheckBreak(TOle2File& DataStream, TBreakList* BreakList);
  // Writes bytes, starting a BIFF record wherever the plan puts a break.
  static void WriteSplit(TOle2File& DataStream, TBreakList* BreakList, const Byte* Data, Int64 Count);
  static void AddBytes(Integer& NextPos, Int64& RealSize, Int64 n, TBreakList* BreakList);
};

// Gives a record class its virtual constructor.
template <class Derived, class Base>
class TEscherRecordOf : public Base {
 public:
  using Base::Base;
  std::unique_ptr<TEscherRecord> Create(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                                        TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent) const override {
    return std::make_unique<Derived>(aEscherHeader, aDwgGroupCache, aDwgCache, aParent);
  }
};

class TEscherDataRecord : public TEscherRecordOf<TEscherDataRecord, TEscherRecord> {
 public:
  TEscherDataRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                    TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  // The data read so far (all of it once loaded).
  ArrayOfByte Data;

  void ClearData() { std::fill(Data.begin(), Data.end(), Byte{0}); }
  std::unique_ptr<TEscherRecord> DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                          TWorkSheet* dSheet) override;
  void Load(const TBaseRecord*& aRecord, Integer& aPos) override;
  void SaveToStream(TOle2File& DataStream, TBreakList* BreakList) override;
  Int64 TotalSizeNoSplit() const override { return 8 + Int64{TotalDataSize}; }
  void SplitRecords(Integer& NextPos, Int64& RealSize, Integer& NextDwg, TBreakList* BreakList) const override;
  Integer CompareRec(const TEscherRecord& aRecord) const override;

 protected:
  // Marks a record built in memory as complete with its data.
  void SetBuiltData(ArrayOfByte aData);
};

class TEscherContainerRecord : public TEscherRecordOf<TEscherContainerRecord, TEscherRecord> {
 public:
  TEscherContainerRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                         TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  ~TEscherContainerRecord() override;

  TEscherRecordList FContainedRecords;

  TEscherRecord* LastRecord() const;
  std::unique_ptr<TEscherRecord> DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                          TWorkSheet* dSheet) override;
  void Load(const TBaseRecord*& aRecord, Integer& aPos) override;
  void SaveToStream(TOle2File& DataStream, TBreakList* BreakList) override;
  Int64 TotalSizeNoSplit() const override;
  bool WaitingClientData(const TClientDataClass*& ClientType) const override;
  void AssignClientData(std::unique_ptr<TBaseClientData> aClientData) override;
  void SplitRecords(Integer& NextPos, Int64& RealSize, Integer& NextDwg, TBreakList* BreakList) const override;
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                TWorkSheet* dSheet, bool Forced, const TSheetInfo& SheetInfo) override;
  void ClearCopiedTo() override;
  TEscherRecord* FindRec(bool (*IsClass)(const TEscherRecord*)) const override;

 protected:
  // Saves the children after the header; containers that number or count their children
  // first do so before calling it.
  void SaveChildren(TOle2File& DataStream, TBreakList* BreakList);
};

class TEscherSpContainerRecord : public TEscherRecordOf<TEscherSpContainerRecord, TEscherContainerRecord> {
 public:
  using TEscherRecordOf::TEscherRecordOf;
  ~TEscherSpContainerRecord() override { FContainedRecords.Clear(); }
  TEscherSPRecord* SP = nullptr;
  TEscherOPTRecord* Opt = nullptr;
  TEscherClientAnchorRecord* ClientAnchor = nullptr;
  Integer Row() const;
  Integer Col() const;
};

class TEscherSpgrContainerRecord : public TEscherRecordOf<TEscherSpgrContainerRecord, TEscherContainerRecord> {
 public:
  TEscherSpgrContainerRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                             TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  ~TEscherSpgrContainerRecord() override;
};

class TEscherSolverContainerRecord
    : public TEscherRecordOf<TEscherSolverContainerRecord, TEscherContainerRecord> {
 public:
  TEscherSolverContainerRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                               TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  ~TEscherSolverContainerRecord() override;
  Cardinal MaxRuleId = 0;

  Cardinal IncMaxRuleId() { return MaxRuleId += 2; }
  void CheckMax(Cardinal aRuleId) { MaxRuleId = std::max(MaxRuleId, aRuleId); }
  // Removes the rules that can no longer stand without the shape.
  void DeleteRef(TEscherSPRecord* aShape);
  void FixPointers();
  void ArrangeCopyRowsAndCols(TWorkSheet* dSheet);
  void SaveToStream(TOle2File& DataStream, TBreakList* BreakList) override;
};

// Blip store: the BSE atoms of the workbook's pictures, kept sorted once loaded.
class TEscherBStoreRecord : public TEscherRecordOf<TEscherBStoreRecord, TEscherContainerRecord> {
 public:
  TEscherBStoreRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                      TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  ~TEscherBStoreRecord() override;
  void SaveToStream(TOle2File& DataStream, TBreakList* BreakList) override;
  // Where the BSE stands in the store, or -1.
  Integer IndexOf(const TEscherBSERecord* aBSE) const { return FContainedRecords.IndexOf(reinterpret_cast<const TEscherRecord*>(aBSE)); }
  TEscherBSERecord* BSE(Integer Index) const;
};

struct TDgg {
  Cardinal MaxShapeId = 0, FIDclCount = 0, ShapesSaved = 0, DwgSaved = 0;
};

class TEscherDggRecord : public TEscherRecordOf<TEscherDggRecord, TEscherDataRecord> {
 public:
  TEscherDggRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                   TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  ~TEscherDggRecord() override;
  static std::unique_ptr<TEscherDggRecord> CreateFromData(TEscherDwgGroupCache* aDwgGroupCache,
                                                          TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);

  TDgg FDgg() const;
  void GetNewDgIdAndCluster(Cardinal& DgId, Cardinal& FirstShapeId);
  void AddNewCluster(Cardinal DgId, Cardinal& FirstShapeId, Cardinal ShapeCount);
  Cardinal AddImage(Cardinal DgId, Cardinal LastShapeId);
  void RemoveImage(Cardinal DgId);
  void DestroyClusters(Cardinal DgId, Cardinal ShapeCount);
  bool IsEmpty() const { return FDgg().DwgSaved == 0; }

 private:
  Cardinal Field(size_t Pos) const { return GetCardinal(Data, Pos); }
  void SetField(size_t Pos, Cardinal Value) { SetCardinal(Data, Pos, Value); }
  Integer SlotCount() const { return Data.size() < 16 ? 0 : static_cast<Integer>((Data.size() - 16) / 8); }
  Cardinal ClaimCluster(Cardinal& DgId, bool NewDrawing, Cardinal UsedCount);
};

class TEscherDgRecord : public TEscherRecordOf<TEscherDgRecord, TEscherDataRecord> {
 public:
  TEscherDgRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                  TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  ~TEscherDgRecord() override;
  static std::unique_ptr<TEscherDgRecord> CreateFromData(Cardinal csp, Cardinal FirstShapeId, Cardinal DgId,
                                                         TEscherDwgGroupCache* aDwgGroupCache,
                                                         TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  Cardinal ShapeCount() const { return GetCardinal(Data, 0); }
  Cardinal MaxSpId() const { return GetCardinal(Data, 4); }
  Cardinal IncMaxShapeId();
  void DecShapeCount();
  std::unique_ptr<TEscherRecord> DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                          TWorkSheet* dSheet) override;
};

class TEscherSPRecord : public TEscherRecordOf<TEscherSPRecord, TEscherDataRecord> {
 public:
  TEscherSPRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                  TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  ~TEscherSPRecord() override;
  static std::unique_ptr<TEscherSPRecord> CreateFromData(Word aPre, Cardinal aShapeId, Cardinal aFlags,
                                                         TEscherDwgGroupCache* aDwgGroupCache,
                                                         TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  Cardinal ShapeId() const { return Data.size() >= 4 ? GetCardinal(Data, 0) : 0; }
  void SetShapeId(Cardinal Value) { SetCardinal(Data, 0, Value); }
  void AfterCreate() override;
  std::unique_ptr<TEscherRecord> DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                          TWorkSheet* dSheet) override;
};

class TEscherOPTRecord : public TEscherRecordOf<TEscherOPTRecord, TEscherDataRecord> {
 public:
  TEscherOPTRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                   TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  ~TEscherOPTRecord() override;
  static std::unique_ptr<TEscherOPTRecord> GroupCreateFromData(TEscherDwgGroupCache* aDwgGroupCache,
                                                               TEscherDwgCache* aDwgCache,
                                                               TEscherContainerRecord* aParent);
  static std::unique_ptr<TEscherOPTRecord> CreateFromDataNote(TEscherDwgGroupCache* aDwgGroupCache,
                                                              TEscherDwgCache* aDwgCache,
                                                              TEscherContainerRecord* aParent);
  static std::unique_ptr<TEscherOPTRecord> CreateFromDataAutoFilter(TEscherDwgGroupCache* aDwgGroupCache,
                                                                    TEscherDwgCache* aDwgCache,
                                                                    TEscherContainerRecord* aParent);
  static std::unique_ptr<TEscherOPTRecord> CreateFromDataImg(const ByteArray& aPict, TXlsImgTypes aPicType,
                                                             const String& aShapeName,
                                                             TEscherDwgGroupCache* aDwgGroupCache,
                                                             TEscherDwgCache* aDwgCache,
                                                             TEscherContainerRecord* aParent);

  std::vector<TEscherBSERecord*> BlipPtr;
  std::vector<Integer> BlipPos;
  WideString FShapeName;

  void AfterCreate() override;
  // The picture's place in the blip store (found or added) with one reference more.
  Integer AddBlip(const ByteArray& Data_, TXlsImgTypes DataType);
  void ReplaceImg(const ByteArray& Data_, TXlsImgTypes DataType);
  void ChangeRef(TEscherBSERecord* aBSE);
  void GetImageFromStream(TStream& Stream, TXlsImgTypes& DataType) const;
  // The anchor of the shape that holds the OPT atom.
  TClientAnchor GetAnchor() const;
  void SetAnchor(const TClientAnchor& aAnchor, TWorkSheet* sSheet);
  TEscherClientAnchorRecord* AnchorRecord() const;
  void SaveToStream(TOle2File& DataStream, TBreakList* BreakList) override;
  std::unique_ptr<TEscherRecord> DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                          TWorkSheet* dSheet) override;

 private:
  bool FRegistered = false;
};

class TEscherClientAnchorRecord : public TEscherRecordOf<TEscherClientAnchorRecord, TEscherDataRecord> {
 public:
  TEscherClientAnchorRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                            TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  ~TEscherClientAnchorRecord() override;
  static std::unique_ptr<TEscherClientAnchorRecord> CreateFromData(const TClientAnchor& aAnchor, TWorkSheet* sSheet,
                                                                   TEscherDwgGroupCache* aDwgGroupCache,
                                                                   TEscherDwgCache* aDwgCache,
                                                                   TEscherContainerRecord* aParent);
  TAbsoluteAnchorRect SaveRect;

  TClientAnchor GetAnchor() const;
  void SetAnchor(const TClientAnchor& aAnchor, TWorkSheet* sSheet);
  Integer Row() const { return GetAnchor().Row1; }
  Integer Col() const { return GetAnchor().Col1; }
  void SaveObjectCoords(TWorkSheet* sSheet);
  void RestoreObjectCoords(TWorkSheet* dSheet);
  bool AllowCopy(Integer FirstRow, Integer LastRow, Integer FirstCol, Integer LastCol) const;
  bool AllowDelete(Integer FirstRow, Integer LastRow, Integer FirstCol, Integer LastCol) const;
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                TWorkSheet* dSheet, bool Forced, const TSheetInfo& SheetInfo) override;
  std::unique_ptr<TEscherRecord> DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                          TWorkSheet* dSheet) override;

 private:
  void PutAnchor(const TClientAnchor& aAnchor);
};

class TEscherClientDataRecord : public TEscherRecordOf<TEscherClientDataRecord, TEscherDataRecord> {
 public:
  TEscherClientDataRecord(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                          TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent);
  ~TEscherClientDataRecord() override;
  static std::unique_ptr<TEscherClientDataRecord> CreateFromData(TEscherDwgGroupCache* aDwgGroupCache,
                                                                 TEscherDwgCache* aDwgCache,
                                                                 TEscherContainerRecord* aParent);
  std::unique_ptr<TBaseClientData> ClientData;

  bool WaitingClientData(const TClientDataClass*& ClientType) const override;
  void AssignClientData(std::unique_ptr<TBaseClientData> aClientData) override;
  void SaveToStream(TOle2File& DataStream, TBreakList* BreakList) override;
  void SplitRecords(Integer& NextPos, Int64& RealSize, Integer& NextDwg, TBreakList* BreakList) const override;
  std::unique_ptr<TEscherRecord> DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                          TWorkSheet* dSheet) override;

 protected:
  virtual const TClientDataClass& ClientClass() const;
};

// A blip store entry: one picture's bytes with its unique id and reference count.
class TEscherBSERecord : public TEscherRecordOf<TEscherBSERecord, TEscherDataRecord> {
 public:
  using TEscherRecordOf::TEscherRecordOf;
  // 1-based position in the store, set when the store is saved.
  Integer BStorePos = 0;

  void AddRef();
  // One reference less; at none the entry leaves the store and is freed. Nil is ignored.
  static void Release(TEscherBSERecord* aBSE);
  Cardinal References() const { return Data.size() >= 28 ? GetCardinal(Data, 24) : 0; }
  // Fills the record from the 36-byte BSE header, the blip's header and its data.
  void CopyFromData(const ArrayOfByte& BSEHeader, const TEscherRecordHeader& BlipHeader, const ArrayOfByte& BlipData);
  // The picture as a file: bitmaps get a file header, metafiles come with their own header.
  void SaveGraphicToStream(TStream& Stream, TXlsImgTypes& DataType) const;
  Integer CompareRec(const TEscherRecord& aRecord) const override;

  // OPT atoms in memory that point at the entry; an entry some still use is never freed,
  // whatever count the file gave.
  Integer Users = 0;
};

class TEscherSplitMenuRecord : public TEscherRecordOf<TEscherSplitMenuRecord, TEscherDataRecord> {
 public:
  using TEscherRecordOf::TEscherRecordOf;
  static std::unique_ptr<TEscherSplitMenuRecord> CreateFromData(TEscherDwgGroupCache* aDwgGroupCache,
                                                                TEscherDwgCache* aDwgCache,
                                                                TEscherContainerRecord* aParent);
};

// The record for a header: the class of its kind, or a plain atom or container.
std::unique_ptr<TEscherRecord> CreateEscherRecord(const TEscherRecordHeader& aEscherHeader,
                                                  TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache,
                                                  TEscherContainerRecord* aParent);
// Reads an 8-byte header at aPos of aRecord, going on into CONTINUE records.
TEscherRecordHeader ReadEscherHeader(const TBaseRecord*& aRecord, Integer& aPos);

// Absolute sheet positions of anchor corners and back (widths and heights count hidden
// columns and rows as 0).
Integer ColToAbsolute(TWorkSheet& Sheet, Integer Col, Integer Dx);
Integer RowToAbsolute(TWorkSheet& Sheet, Integer Row, Integer Dy);
void AbsoluteToCol(TWorkSheet& Sheet, Integer x, Word& Col, Word& Dx);
void AbsoluteToRow(TWorkSheet& Sheet, Integer y, Word& Row, Word& Dy);
