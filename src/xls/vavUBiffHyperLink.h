// Cell hyperlinks: HLINK records (0x01B8), each with an optional screen tip (0x0800) written
// right after it. A link's body is read as and rebuilt from a THyperLink; the list sorts the
// links for saving and moves, copies and deletes them with rows and columns.
#pragma once

#include "xls/vavUBiffBaseList.h"
#include "xls/vavUBiffBaseRecords.h"
#include "xls/vavUExcelAdapter.h"

// The screen tip (0x0800): the record id again, the link's rectangle, the text and a NUL.
class TScreenTipRecord : public TRecordOf<TScreenTipRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  static constexpr Word Id_ = 0x0800;
  static std::unique_ptr<TScreenTipRecord> CreateNew(const WideString& aDescription);

  Integer FirstRow() const { return GetWord(Data, 2); }
  Integer LastRow() const { return GetWord(Data, 4); }
  Integer FirstCol() const { return GetWord(Data, 6); }
  Integer LastCol() const { return GetWord(Data, 8); }
  // Everything after the rectangle but the final NUL; a body shorter than 12 bytes has none.
  WideString Text() const;
  // Replaces the body; the rectangle stays 0 until the link writes it.
  void SetText(const WideString& Value);
};

// HLINK (0x01B8): rectangle, the hyperlink object's class id, version, flags and the optional
// description, target frame, moniker and text mark. Owns its screen tip.
class THLinkRecord : public TBaseRecord {
 public:
  static constexpr Word Id_ = 0x01B8;
  // A body shorter than its fixed part raises "Error reading record".
  THLinkRecord(Word aId, ArrayOfByte aData);
  THLinkRecord(const THLinkRecord& Other);
  // A link over CellRange (0-based) with the given properties. Texts too long for one record
  // are refused with "Hyperlink too long (%d bytes; a record holds at most %d)".
  static std::unique_ptr<THLinkRecord> CreateNew(const TXlsCellRange& CellRange, const THyperLink& HLink);

  std::unique_ptr<TBaseRecord> DoCopyTo() const override;
  void SaveToStream(TOle2File& Workbook) const override;
  Integer TotalSize() const override;
  Integer TotalSizeNoHeaders() const override;
  // As SaveToStream and TotalSize when the link meets CellRange; else nothing and 0.
  void SaveRangeToStream(TOle2File& Workbook, const TXlsCellRange& CellRange) const;
  Integer TotalRangeSize(const TXlsCellRange& CellRange) const;

  // Frees the current screen tip and owns aHint.
  void AddHint(std::unique_ptr<TScreenTipRecord> aHint);
  TScreenTipRecord* Hint() const { return FHint.get(); }

  Integer FirstRow() const { return GetWord(Data, 0); }
  Integer LastRow() const { return GetWord(Data, 2); }
  Integer FirstCol() const { return GetWord(Data, 4); }
  Integer LastCol() const { return GetWord(Data, 6); }
  void SetFirstRow(Integer Value) { SetWord(Data, 0, static_cast<Word>(Value)); }
  void SetLastRow(Integer Value) { SetWord(Data, 2, static_cast<Word>(Value)); }
  void SetFirstCol(Integer Value) { SetWord(Data, 4, static_cast<Word>(Value)); }
  void SetLastCol(Integer Value) { SetWord(Data, 6, static_cast<Word>(Value)); }
  Word OptionFlags() const { return GetWord(Data, 28); }
  void SetOptionFlags(Word Value) { SetWord(Data, 28, Value); }

  // Reads the body; counts that point past its end raise "Error reading record".
  THyperLink GetProperties() const;
  // Rebuilds the body from Value (the rectangle stays); a body too long for one record is
  // refused before anything changes.
  void SetProperties(const THyperLink& Value);
  TXlsCellRange GetCellRange() const { return {FirstCol(), FirstRow(), LastCol(), LastRow()}; }
  void SetCellRange(const TXlsCellRange& Value);

  // Rows (columns) inserted or, with negative counts, deleted: see THLinkList.
  void ArrangeInsertRange(const TXlsCellRange& CellRange, Integer aRowCount, Integer aColCount,
                          const TSheetInfo& SheetInfo);
  THLinkRecord* Offset(Integer DeltaRow, Integer DeltaCol);

 private:
  bool Meets(const TXlsCellRange& R) const {
    return FirstRow() <= R.Bottom && LastRow() >= R.Top && FirstCol() <= R.Right && LastCol() >= R.Left;
  }
  std::unique_ptr<TScreenTipRecord> FHint;
};

// A worksheet's links.
class THLinkList : public TBaseList<THLinkRecord> {
 public:
  bool Sorted = true;
  Integer Add(std::unique_ptr<THLinkRecord> aRecord) override {
    Sorted = false;
    return TBaseList::Add(std::move(aRecord));
  }
  // By first row, then first column.
  void Sort();
  void CopyFrom(const THLinkList& aHLinkList);
  // Copies of the links of aHLinkList lying wholly inside CopyRange, moved by the offsets.
  void CopyObjectsFrom(const THLinkList* aHLinkList, const TXlsCellRange& CopyRange, Integer RowOfs, Integer ColOfs);

  void SaveToStream(TOle2File& DataStream);
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange);
  Int64 TotalSize() const;
  Int64 TotalRangeSize(const TXlsCellRange& CellRange) const;

  // aRowCount copies of the rows of SourceRange (or aColCount copies of its columns) go in at
  // DestRow (DestCol): links below (right of) it move, and links inside the source block are
  // copied into every inserted block.
  void InsertAndCopyRange(const TXlsCellRange& SourceRange, Integer DestRow, Integer DestCol, Integer aRowCount,
                          Integer aColCount, const TSheetInfo& SheetInfo);
  // The block CellRange is deleted aRowCount (aColCount) times over: links inside it go, the
  // others move up (left) and shrink.
  void DeleteRange(const TXlsCellRange& CellRange, Integer aRowCount, Integer aColCount, const TSheetInfo& SheetInfo);
};
