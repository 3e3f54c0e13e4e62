// Cell comments: the NOTE record of a cell, linked to the text-box shape of the sheet drawing
// that shows it (its client data atom carries the comment OBJ, its client text box the TXO
// with the text), and the sheet's list of NOTE records in row order.
#pragma once

#include "xls/vavUBiffBaseRecordLists.h"
#include "xls/vavUBiffEscher.h"

class TEscherClientTextBoxRecord;

class TNoteRecord : public TRecordOf<TNoteRecord, TBaseRowColRecord> {
 public:
  using TRecordOf::TRecordOf;
  // A copy shares the shape until it is linked to one of its own.
  TNoteRecord(const TNoteRecord& Other) : TRecordOf(Other), Dwg(Other.Dwg), FDrawing(Other.FDrawing) {}
  ~TNoteRecord() override;

  // A new comment at the cell with its text box placed at Properties (0-based cells).
  static std::unique_ptr<TNoteRecord> CreateFromData(Integer aRow, Integer aCol, TWorkSheet* sSheet,
                                                     const TImageProperties& Properties, TDrawing* Drawing,
                                                     const WideString& aTxt);

  // The comment's client data atom in the sheet drawing, or nil while unlinked.
  TEscherClientDataRecord* Dwg = nullptr;

  Word ObjId() const { return DataSize() >= 8 ? GetWord(Data, 6) : 0; }
  void FixDwgIds(TDrawing* Drawing);
  WideString Text() const;
  void WriteText(const WideString& Value);
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo) override;
  void ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset) override;

 private:
  bool Linked() const { return FDrawing && FDrawing->HasClientData(Dwg); }
  TEscherClientTextBoxRecord* TextBox() const;

  TDrawing* FDrawing = nullptr;
  // Whether freeing the record frees the shape: never for a copy that still shares it.
  bool FOwnsShape = false;
};

// The sheet's NOTE records, in row order; written in that order.
class TNoteList : public TBaseRecordList {
 public:
  void AddRecord(std::unique_ptr<TBaseRecord> aRecord);
  // Creates the comment and adds its NOTE record under aRow.
  TNoteRecord* AddNewComment(Integer aRow, Integer Col, const WideString& Txt, const TImageProperties& Properties,
                             TDrawing* Drawing, TWorkSheet* sSheet);
  // Links every NOTE record to the client data atom with its object id.
  void FixDwgIds(TDrawing* Drawing);
  // Moves the notes (negative counts delete rows or columns, and the notes in them).
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo);
  // Copies the notes of rows FirstRow..LastRow (columns FirstCol..LastCol) aCount times to DestRow
  // (DestCol), after the rows or columns were inserted there.
  void InsertAndCopyRowsAndCols(Integer FirstRow, Integer LastRow, Integer DestRow, Integer RowCount, Integer FirstCol,
                                Integer LastCol, Integer DestCol, Integer ColCount);
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const;
  Int64 TotalRangeSize(const TXlsCellRange& CellRange) const;
  // The notes of a row in column order.
  std::vector<TNoteRecord*> RowNotes(Integer aRow) const;
  TNoteRecord* NoteAt(Integer aRow, Integer aCol) const;
};
