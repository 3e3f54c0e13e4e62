// Column widths, formats and options: COLINFO records, each covering a run of columns, kept in
// memory one entry per column and written back with equal neighbours joined into runs.
#pragma once

#include "xls/vavUBiffBaseList.h"
#include "xls/vavUBiffBaseRecords.h"
#include "xls/vavUWbkMessages.h"

class TGutsRecord;

struct TColInfoDat {
  Word FirstColumn = 0;
  Word LastColumn = 0;
  Word Width = 0;
  Word XF = 0;
  Word Options = 0;
  Word Reserved = 0;
};

// COLINFO (0x007D) as read.
class TColInfoRecord : public TRecordOf<TColInfoRecord, TBaseRecord> {
 public:
  TColInfoRecord(Word aId, ArrayOfByte aData);
  static constexpr Word Id_ = 0x007D;
  TColInfoDat D() const;
};

// The settings of one column.
class TColInfo : public TObject {
 public:
  TColInfo(Word aColumn, Word aWidth, Word aXF, Word aOptions)
      : Column(aColumn), Width(aWidth), XF(aXF), Options(aOptions) {}
  Word Column, Width, XF, Options;
  // Equal settings; the column itself is not compared.
  bool IsEqual(const TColInfo& a) const { return Width == a.Width && XF == a.XF && Options == a.Options; }
  Integer GetColOutlineLevel() const { return (Options >> 8) & 7; }
  void SetColOutlineLevel(Integer Level) { Options = static_cast<Word>((Options & 0xF8FF) | ((Level & 7) << 8)); }
};

class TColInfoList : public TBaseList<TColInfo> {
 public:
  bool Sorted = true;
  Integer Add(std::unique_ptr<TColInfo> Item) override {
    Sorted = false;
    return TBaseList::Add(std::move(Item));
  }
  void Sort();
  // Sorts when needed and bisects by column; Index is the match or where it belongs.
  bool Find(Integer aColumn, Integer& Index);
  // One entry per column of the record's run (columns past the last column of a sheet are
  // left out); frees the record.
  void AddRecord(std::unique_ptr<TColInfoRecord> R);
  void CopyFrom(const TColInfoList& aColInfoList);

  // Runs of equal neighbours as one record each; columns past 255 are not written.
  void SaveToStream(TOle2File& DataStream);
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange);
  Int64 TotalSize();
  Int64 TotalRangeSize(const TXlsCellRange& CellRange);

  void ArrangeInsertCols(Integer DestCol, Integer aColCount, const TSheetInfo& SheetInfo);
  void CopyCols(Integer FirstCol, Integer LastCol, Integer DestCol, Integer aColCount, const TSheetInfo& SheetInfo);
  void CalcGuts(TGutsRecord& Guts) const;

 private:
  // Writes (or, without a stream, counts) the records of the entries First..Last.
  Int64 WriteRuns(TOle2File* DataStream, Integer First, Integer Last) const;
  bool Slice(const TXlsCellRange& CellRange, Integer& First, Integer& Last);
};
