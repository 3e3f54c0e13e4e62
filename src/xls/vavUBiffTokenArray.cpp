#include "xls/vavUBiffTokenArray.h"

#include <algorithm>

#include "xls/vavUBiffBaseRecordLists.h"
#include "xls/vavUWbkMessages.h"

namespace {


// What one walk does: counts and positions of inserted (deleted) rows and columns, offsets of
// copies, a sheet copy, and the cell a shared formula is expanded for (-1: none).
struct TArrange {
  Integer RowPos = 0, RowCount = 0, ColPos = 0, ColCount = 0;
  Integer RowOffset = 0, ColOffset = 0;
  bool RelativeOnly = true;
  bool SheetCopy = false;
  Integer BaseRow = -1, BaseCol = -1;
};

[[noreturn]] void TokenError(Byte Token) {
  throw ETokenException(FormatXlsMessage(XlsMsg::TokenNotSupported, {Int64{Token}}), Token);
}

// A value moved by Count at Pos; false when it lay in deleted cells or falls off the sheet.
bool MoveBy(Integer& Value, Integer Pos, Integer Count, Integer Limit) {
  if (Count < 0 && Value >= Pos && Value <= Pos - Count - 1) return false;
  Value += Count;
  return Value >= 0 && Value <= Limit;
}

bool Offset(Integer& Value, Integer By, Integer Limit) {
  Value += By;
  return Value >= 0 && Value <= Limit;
}

// One axis of an area (rows, or columns): Limit as last value marks a whole column (row).
bool MoveSpan(Integer& First, Integer& Last, Integer Pos, Integer Count, Integer Limit) {
  if (Count >= 0) {
    bool ok = true;
    if (First >= Pos) ok = MoveBy(First, Pos, Count, Limit);
    if (Last >= Pos && Last != Limit) ok = MoveBy(Last, Pos, Count, Limit) && ok;
    return ok;
  }
  const Integer n = -Count;
  const Integer bandEnd = Pos + n - 1;
  if (Last < Pos) return true;
  if (First < Pos) {
    if (Last != Limit) Last -= std::min(n, Last - Pos + 1);
    return true;
  }
  if (Last <= bandEnd) return false;
  First = First <= bandEnd ? Pos : First - n;
  if (Last != Limit) Last -= n;
  return true;
}

class TWalker {
 public:
  TWalker(ArrayOfByte& aData, Integer FirstToken, Integer EndOffset, const TSheetInfo& aInfo, const TArrange& aArrange)
      : Data(aData), Info(aInfo), A(aArrange) {
    if (FirstToken < 0 || EndOffset < FirstToken || static_cast<size_t>(EndOffset) > Data.size())
      RaiseXls(XlsMsg::ReadingRecord);
    Pos = static_cast<size_t>(FirstToken);
    End = static_cast<size_t>(EndOffset);
  }

  void Run();

 private:
  void Need(size_t Size) const {
    if (Pos + Size > End) RaiseXls(XlsMsg::ReadingRecord);
  }
  // The "#REF!" form of the reference token at Pos.
  void ToError();
  // The sheet a reference points to, and whether it is the sheet being changed.
  bool OnChangedSheet(Integer Target) const { return Info.InsSheet >= 0 && Target == Info.InsSheet; }
  Integer Sheet3d();
  void CellReference(size_t At, bool OnSheet);
  void AreaReference(size_t At, bool OnSheet);
  void CompanionReference();
  void NameReference(size_t At);

  ArrayOfByte& Data;
  const TSheetInfo& Info;
  const TArrange& A;
  size_t Pos = 0, End = 0;
};

void TWalker::ToError() {
  Byte& t = Data[Pos];
  const Byte base = static_cast<Byte>((t & 0x1F) | 0x20);
  switch (base) {
    case 0x24:
    case 0x25: t = static_cast<Byte>(t + 6); break;
    case 0x3A:
    case 0x3B: t = static_cast<Byte>(t + 2); break;
    case 0x2A:
    case 0x2B:
    case 0x3C:
    case 0x3D: break;
    default: TokenError(t);
  }
}

Integer TWalker::Sheet3d() {
  const size_t at = Pos + 1;
  const Word externSheet = GetWord(Data, at);
  const Integer target = Info.GetSheet ? Info.GetSheet(externSheet) : Info.FormulaSheet;
  if (A.SheetCopy && target == Info.FormulaSheet && target >= 0 && Info.SetSheet)
    SetWord(Data, at, static_cast<Word>(Info.SetSheet(static_cast<Word>(Info.InsSheet))));
  return target;
}

void TWalker::CellReference(size_t At, bool OnSheet) {
  Integer row = GetWord(Data, At);
  const Word word = GetWord(Data, At + 2);
  Integer col = word & 0xFF;
  const bool relRow = (word & 0x8000) != 0, relCol = (word & 0x4000) != 0;
  bool ok = true;
  if (OnSheet) {
    if (row >= A.RowPos) ok = MoveBy(row, A.RowPos, A.RowCount, TBaseRowColRecord::MaxRow) && ok;
    if (col >= A.ColPos) ok = MoveBy(col, A.ColPos, A.ColCount, TBaseRowColRecord::MaxCol) && ok;
  }
  if (!A.RelativeOnly || relRow) ok = Offset(row, A.RowOffset, TBaseRowColRecord::MaxRow) && ok;
  if (!A.RelativeOnly || relCol) ok = Offset(col, A.ColOffset, TBaseRowColRecord::MaxCol) && ok;
  if (!ok) {
    ToError();
    return;
  }
  if (A.BaseRow >= 0) {
    if (relRow) row = (row + A.BaseRow) & 0xFFFF;
    if (relCol) col = (col + A.BaseCol) & 0xFF;
  }
  SetWord(Data, At, static_cast<Word>(row));
  SetWord(Data, At + 2, static_cast<Word>((word & 0xFF00) | col));
}

void TWalker::AreaReference(size_t At, bool OnSheet) {
  Integer r1 = GetWord(Data, At), r2 = GetWord(Data, At + 2);
  const Word w1 = GetWord(Data, At + 4), w2 = GetWord(Data, At + 6);
  Integer c1 = w1 & 0xFF, c2 = w2 & 0xFF;
  bool ok = true;
  if (OnSheet) {
    ok = MoveSpan(r1, r2, A.RowPos, A.RowCount, TBaseRowColRecord::MaxRow) && ok;
    // Columns follow the same rules as rows, deletions included.
    ok = MoveSpan(c1, c2, A.ColPos, A.ColCount, TBaseRowColRecord::MaxCol) && ok;
  }
  auto offset = [&](Integer& v, bool relative, Integer by, Integer limit) {
    if (!A.RelativeOnly || relative) ok = Offset(v, by, limit) && ok;
  };
  offset(r1, (w1 & 0x8000) != 0, A.RowOffset, TBaseRowColRecord::MaxRow);
  offset(r2, (w2 & 0x8000) != 0, A.RowOffset, TBaseRowColRecord::MaxRow);
  offset(c1, (w1 & 0x4000) != 0, A.ColOffset, TBaseRowColRecord::MaxCol);
  offset(c2, (w2 & 0x4000) != 0, A.ColOffset, TBaseRowColRecord::MaxCol);
  if (!ok) {
    ToError();
    return;
  }
  if (A.BaseRow >= 0) {
    if (w1 & 0x8000) r1 = (r1 + A.BaseRow) & 0xFFFF;
    if (w2 & 0x8000) r2 = (r2 + A.BaseRow) & 0xFFFF;
    if (w1 & 0x4000) c1 = (c1 + A.BaseCol) & 0xFF;
    if (w2 & 0x4000) c2 = (c2 + A.BaseCol) & 0xFF;
  }
  SetWord(Data, At, static_cast<Word>(r1));
  SetWord(Data, At + 2, static_cast<Word>(r2));
  SetWord(Data, At + 4, static_cast<Word>((w1 & 0xFF00) | c1));
  SetWord(Data, At + 6, static_cast<Word>((w2 & 0xFF00) | c2));
}

void TWalker::CompanionReference() {
  // Array and table references move with their cell; they have no "#REF!" form.
  if (Info.FormulaSheet != Info.InsSheet || A.SheetCopy || A.BaseRow > 0 || A.BaseCol > 0) return;
  Integer row = GetWord(Data, Pos + 1), col = GetWord(Data, Pos + 3);
  bool ok = true;
  if (row >= A.RowPos) ok = MoveBy(row, A.RowPos, A.RowCount, TBaseRowColRecord::MaxRow) && ok;
  ok = Offset(row, A.RowOffset, TBaseRowColRecord::MaxRow) && ok;
  if (col >= A.ColPos) ok = MoveBy(col, A.ColPos, A.ColCount, TBaseRowColRecord::MaxCol) && ok;
  ok = Offset(col, A.ColOffset, TBaseRowColRecord::MaxCol) && ok;
  if (!ok) TokenError(Data[Pos]);
  SetWord(Data, Pos + 1, static_cast<Word>(row));
  SetWord(Data, Pos + 3, static_cast<Word>(col));
}

void TWalker::NameReference(size_t At) {
  const TNameRecordList* names = Info.Names;
  if (!A.SheetCopy || !names) return;
  const Integer index = GetWord(Data, At) - 1;
  if (index < 0 || index >= names->Count()) return;
  const TNameRecord* name = (*names)[index];
  const Integer sheet = name->RangeSheet();
  if (sheet != Info.FormulaSheet && sheet != -1) return;
  const WideString text = UpperCaseText(name->Name());
  for (Integer i = 0; i < names->Count(); ++i)
    if ((*names)[i]->RangeSheet() == Info.InsSheet && UpperCaseText((*names)[i]->Name()) == text) {
      SetWord(Data, At, static_cast<Word>(i + 1));
      return;
    }
}

void TWalker::Run() {
  while (Pos < End) {
    const Byte token = Data[Pos];
    const Byte base = token < 0x20 ? token : static_cast<Byte>((token & 0x1F) | 0x20);
    size_t size = 1;
    switch (base) {
      case 0x01:
      case 0x02:
        size = 5;
        Need(size);
        CompanionReference();
        break;
      case 0x03: case 0x04: case 0x05: case 0x06: case 0x07: case 0x08: case 0x09: case 0x0A: case 0x0B:
      case 0x0C: case 0x0D: case 0x0E: case 0x0F: case 0x10: case 0x11: case 0x12: case 0x13: case 0x14:
      case 0x15: case 0x16: break;
      case 0x17:
        Need(2);
        size = 1 + static_cast<size_t>(StrByteLength(false, std::span<const Byte>(Data).first(End), Pos + 1));
        break;
      case 0x19:
        Need(4);
        size = 4;
        if (Data[Pos + 1] & 0x04) size += (static_cast<size_t>(GetWord(Data, Pos + 2)) + 1) * 2;
        break;
      case 0x1C:
      case 0x1D: size = 2; break;
      case 0x1E: size = 3; break;
      case 0x1F: size = 9; break;
      case 0x20: size = 8; break;
      case 0x21: size = 3; break;
      case 0x22: size = 4; break;
      case 0x23:
        size = 5;
        Need(size);
        NameReference(Pos + 1);
        break;
      case 0x29:
        if (token != 0x29) TokenError(token);
        size = 3;
        break;
      case 0x2C:
      case 0x2D:
        size = base == 0x2C ? 5 : 9;
        Need(size);
        if (A.BaseRow < 0) break;
        Data[Pos] = static_cast<Byte>(token - 8);
        if (base == 0x2C) CellReference(Pos + 1, OnChangedSheet(Info.FormulaSheet));
        else AreaReference(Pos + 1, OnChangedSheet(Info.FormulaSheet));
        break;
      case 0x24:
        size = 5;
        Need(size);
        CellReference(Pos + 1, OnChangedSheet(Info.FormulaSheet));
        break;
      case 0x25:
        size = 9;
        Need(size);
        AreaReference(Pos + 1, OnChangedSheet(Info.FormulaSheet));
        break;
      case 0x2A: size = 5; break;
      case 0x2B: size = 9; break;
      case 0x39:
        size = 7;
        Need(size);
        NameReference(Pos + 3);
        break;
      case 0x3A:
        size = 7;
        Need(size);
        CellReference(Pos + 3, OnChangedSheet(Sheet3d()));
        break;
      case 0x3B:
        size = 11;
        Need(size);
        AreaReference(Pos + 3, OnChangedSheet(Sheet3d()));
        break;
      case 0x3C:
      case 0x3D:
        size = base == 0x3C ? 7 : 11;
        Need(size);
        Sheet3d();
        break;
      default: TokenError(token);
    }
    Need(size);
    Pos += size;
  }
}

void Walk(ArrayOfByte& Data, Integer FirstToken, Integer EndOffset, const TSheetInfo& Info, const TArrange& A) {
  TWalker(Data, FirstToken, EndOffset, Info, A).Run();
}

}  // namespace

void ArrangeInsertRowsAndColsTokens(ArrayOfByte& Data, Integer FirstToken, Integer EndOffset, bool RelativeOnly,
                                    const TSheetInfo& SheetInfo, Integer ColOffset, Integer ColCount, Integer ColPos,
                                    Integer RowOffset, Integer RowCount, Integer RowPos) {
  TArrange a;
  a.RowPos = RowPos;
  a.RowCount = RowCount;
  a.ColPos = ColPos;
  a.ColCount = ColCount;
  a.RowOffset = RowOffset;
  a.ColOffset = ColOffset;
  a.RelativeOnly = RelativeOnly;
  Walk(Data, FirstToken, EndOffset, SheetInfo, a);
}

void ArrangeCopySheetTokens(ArrayOfByte& Data, Integer FirstToken, Integer EndOffset, const TSheetInfo& SheetInfo) {
  TArrange a;
  a.SheetCopy = true;
  Walk(Data, FirstToken, EndOffset, SheetInfo, a);
}

void ArrangeSharedTokens(ArrayOfByte& Data, Integer FirstToken, Integer EndOffset, Integer Column, Integer Row) {
  TArrange a;
  a.BaseRow = Row;
  a.BaseCol = Column;
  TSheetInfo info;
  info.InsSheet = 0;
  info.FormulaSheet = 0;
  Walk(Data, FirstToken, EndOffset, info, a);
}
