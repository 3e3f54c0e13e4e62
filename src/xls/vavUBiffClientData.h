// The client data of drawing shapes: VAvObj owns a shape's OBJ record (with the sub-stream of
// an embedded chart or the IMDATA record of a picture), TTXO a text box's TXO record with its
// text and formatting runs in CONTINUE records.
#pragma once

#include "xls/vavUBiffBaseClientData.h"
#include "xls/vavUBiffBaseRecordLists.h"
#include "xls/vavUWbkMessages.h"

class VAvObj : public TBaseClientData {
 public:
  VAvObj() = default;
  // A new OBJ record from one of the templates below, with the id above MaxId.
  static std::unique_ptr<VAvObj> CreateEmpty(Word& MaxId, std::span<const Byte> Template);
  static std::unique_ptr<VAvObj> CreateEmptyImg(Word& MaxId);
  static std::unique_ptr<VAvObj> CreateEmptyNote(Word& MaxId);
  static std::unique_ptr<VAvObj> CreateEmptyAutoFilter(Word& MaxId);
  static const TClientDataClass Class;

  Word ObjectId() const override;
  void SetObjectId(Word Value) override;
  void ArrangeId(Word& MaxId) override;
  void Clear() override;
  std::unique_ptr<TBaseClientData> CopyTo() const override;
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, TSST* SST,
                      std::unique_ptr<TBaseRecord> First) override;
  void SaveToStream(TOle2File& DataStream) const override;
  Int64 TotalSize() const override;
  void ArrangeInsertRowsAndCols(Integer, Integer, Integer, Integer, const TSheetInfo&) override {}
  void ArrangeCopySheet(const TSheetInfo&) override {}

  bool IsFilterArrow() const;
  Word ObjectType() const;
  const TObjRecord* ObjRecord() const { return FObjRecord.get(); }
  const TBaseRecordList* Chart() const { return FChart.get(); }

  bool HasPictFmla = false;

 private:
  // Walks the sub-records of the OBJ record; drawing bytes found after them become
  // RemainingData.
  void ScanSubRecords(TBaseRecord& First);

  std::unique_ptr<TObjRecord> FObjRecord;
  // The embedded chart's records from its BOF to its EOF, kept as read.
  std::unique_ptr<TBaseRecordList> FChart;
  std::unique_ptr<TBaseRecord> FImData;
};

class TTXO : public TBaseClientData {
 public:
  TTXO() = default;
  // An empty text box: option word 0x0212, no text.
  static std::unique_ptr<TTXO> CreateFromData();
  static const TClientDataClass Class;

  void Clear() override;
  std::unique_ptr<TBaseClientData> CopyTo() const override;
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, TSST* SST,
                      std::unique_ptr<TBaseRecord> First) override;
  void SaveToStream(TOle2File& DataStream) const override;
  Int64 TotalSize() const override;
  void ArrangeInsertRowsAndCols(Integer, Integer, Integer, Integer, const TSheetInfo&) override {}
  void ArrangeCopySheet(const TSheetInfo&) override {}

  void ReadTextAndRuns(WideString& Text, TRTFRunList& Runs);
  WideString Text();
  // Texts longer than one CONTINUE record holds go on in further ones, each with its own
  // option byte, as the reader takes them.
  void WriteText(const WideString& Value);
  const TTXORecord* TXORecord() const { return FTXO.get(); }

 private:
  std::unique_ptr<TTXORecord> FTXO;
};
