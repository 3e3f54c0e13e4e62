#include "xls/vavUBiffHyperLink.h"

#include <algorithm>

#include "xls/vavUOle2Impl.h"

namespace {

// Data bytes one record can hold; a longer link would need CONTINUE records, which readers of
// HLINK do not follow.
constexpr Integer MaxBody = 8224;

constexpr Byte StdLinkClassId[16] = {0xD0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                                     0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};
constexpr Byte URLClassId[16] = {0xE0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                                 0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};
constexpr Byte FileClassId[16] = {0x03, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                  0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

constexpr Word HasMoniker = 0x01, Absolute = 0x02, HasDescription = 0x14, HasTextMark = 0x08, HasClassIdOrTime = 0x60,
               HasFrame = 0x80, UNCPath = 0x100;

const WideString UpLevel = u"..\\";

void PutChars(ArrayOfByte& d, const WideString& s) {
  for (char16_t c : s) AppendWord(d, c);
}
void PutCounted(ArrayOfByte& d, const WideString& s) {
  AppendCardinal(d, static_cast<Int64>(s.size()) + 1);
  PutChars(d, s);
  AppendWord(d, 0);
}

// Characters at Pos, cut at the first NUL; the block must hold them all.
WideString GetChars(const ArrayOfByte& d, size_t Pos, Int64 Count) {
  if (Count < 0 || Pos + 2 * static_cast<size_t>(Count) > d.size()) RaiseXls(XlsMsg::ReadingRecord);
  WideString s;
  for (Int64 i = 0; i < Count; ++i) {
    const char16_t c = GetWord(d, Pos + 2 * static_cast<size_t>(i));
    if (c == 0) break;
    s.push_back(c);
  }
  return s;
}

// A counted string at P (count includes the NUL); P moves past it.
WideString GetCounted(const ArrayOfByte& d, size_t& P) {
  const Int64 count = GetCardinal(d, P);
  P += 4;
  if (count > static_cast<Int64>(d.size())) RaiseXls(XlsMsg::ReadingRecord);
  WideString s = GetChars(d, P, std::max<Int64>(count - 1, 0));
  P += 2 * static_cast<size_t>(count);
  return s;
}

bool HasIdAt(const ArrayOfByte& d, size_t P, const Byte (&Id)[16]) {
  return P + 16 <= d.size() && std::equal(std::begin(Id), std::end(Id), d.begin() + static_cast<std::ptrdiff_t>(P));
}

void PutFileMoniker(ArrayOfByte& d, const WideString& Text) {
  Integer up = 0;
  size_t at = 0;
  while (Text.compare(at, UpLevel.size(), UpLevel) == 0) {
    ++up;
    at += UpLevel.size();
  }
  const WideString rest = Text.substr(at);
  d.insert(d.end(), std::begin(FileClassId), std::end(FileClassId));
  AppendWord(d, up);
  AppendCardinal(d, static_cast<Int64>(rest.size()) + 1);
  for (char16_t c : rest) d.push_back(c > 255 ? Byte('?') : static_cast<Byte>(c));
  d.push_back(0);
  for (Byte b : {0xFF, 0xFF, 0xAD, 0xDE}) d.push_back(b);
  d.insert(d.end(), 20, 0);
  if (!IsWide(rest)) {
    AppendCardinal(d, 0);
    return;
  }
  const Int64 bytes = 2 * static_cast<Int64>(rest.size());
  AppendCardinal(d, bytes + 6);
  AppendCardinal(d, bytes);
  AppendWord(d, 3);
  PutChars(d, rest);
}

WideString GetFileMoniker(const ArrayOfByte& d, size_t& P) {
  P += 16;
  const Integer up = GetWord(d, P);
  P += 2;
  const Int64 length = GetCardinal(d, P);  // the 8-bit path with its NUL
  P += 4;
  if (length < 1 || P + static_cast<size_t>(length) > d.size()) RaiseXls(XlsMsg::ReadingRecord);
  WideString path;
  for (Int64 i = 0; i + 1 < length; ++i) path.push_back(d[P + static_cast<size_t>(i)]);
  P += static_cast<size_t>(length) + 24;
  const Int64 extension = GetCardinal(d, P);
  P += 4;
  if (extension != 0) {
    const Int64 bytes = GetCardinal(d, P);
    P += 6;
    path = GetChars(d, P, bytes / 2);
    P += static_cast<size_t>(bytes);
  }
  WideString text;
  for (Integer i = 0; i < up; ++i) text += UpLevel;
  return text + path;
}

// Moves a pair of bounds by Shift when they lie at or after Top. A deleted block (negative
// Shift) pulls a bound inside it back to its first row, so what is left of a link keeps its
// place instead of reaching above the block.
void ShiftPair(THLinkRecord& L, size_t FirstPos, Integer Top, Integer Shift, Integer Max) {
  for (size_t pos : {FirstPos, FirstPos + 2}) {
    const Integer v = GetWord(L.Data, pos);
    if (v < Top) continue;
    if (Shift < 0 && v < Top - Shift) {
      const bool isLast = pos != FirstPos;
      SetWord(L.Data, pos, static_cast<Word>(isLast ? std::max(Top - 1, 0) : Top));
      if (isLast && Top == 0) SetWord(L.Data, FirstPos, 1);  // nothing left: last row above first
      continue;
    }
    IncWordMax(L.Data, pos, Shift, Max);
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TScreenTipRecord

std::unique_ptr<TScreenTipRecord> TScreenTipRecord::CreateNew(const WideString& aDescription) {
  auto tip = std::make_unique<TScreenTipRecord>(Id_, ArrayOfByte{});
  tip->SetText(aDescription);
  return tip;
}

WideString TScreenTipRecord::Text() const {
  if (Data.size() < 12) return {};
  WideString s;
  for (size_t i = 0; i < (Data.size() - 12) / 2; ++i) s.push_back(GetWord(Data, 10 + 2 * i));
  return s;
}

void TScreenTipRecord::SetText(const WideString& Value) {
  Data.assign(12 + 2 * Value.size(), 0);
  SetWord(Data, 0, Id_);
  for (size_t i = 0; i < Value.size(); ++i) SetWord(Data, 10 + 2 * i, Value[i]);
}

// ---------------------------------------------------------------------------------------------
// THLinkRecord

THLinkRecord::THLinkRecord(Word aId, ArrayOfByte aData) : TBaseRecord(aId, std::move(aData)) {
  if (Data.size() < 32) RaiseXls(XlsMsg::ReadingRecord);
}

THLinkRecord::THLinkRecord(const THLinkRecord& Other) : TBaseRecord(Other) {
  if (Other.FHint) FHint.reset(static_cast<TScreenTipRecord*>(Other.FHint->DoCopyTo().release()));
}

std::unique_ptr<THLinkRecord> THLinkRecord::CreateNew(const TXlsCellRange& CellRange, const THyperLink& HLink) {
  ArrayOfByte body(32, 0);
  std::copy(std::begin(StdLinkClassId), std::end(StdLinkClassId), body.begin() + 8);
  SetCardinal(body, 24, 2);
  auto link = std::make_unique<THLinkRecord>(Id_, std::move(body));
  link->SetCellRange(CellRange);
  link->SetProperties(HLink);
  return link;
}

std::unique_ptr<TBaseRecord> THLinkRecord::DoCopyTo() const { return std::make_unique<THLinkRecord>(*this); }

void THLinkRecord::SaveToStream(TOle2File& Workbook) const {
  TBaseRecord::SaveToStream(Workbook);
  if (!FHint) return;
  // The tip carries the link's rectangle.
  ArrayOfByte tip = FHint->Data;
  if (tip.size() < 12) tip.resize(12, 0);
  SetWord(tip, 0, TScreenTipRecord::Id_);
  SetWord(tip, 2, static_cast<Word>(FirstRow()));
  SetWord(tip, 4, static_cast<Word>(LastRow()));
  SetWord(tip, 6, static_cast<Word>(FirstCol()));
  SetWord(tip, 8, static_cast<Word>(LastCol()));
  FHint->SaveDataToStream(Workbook, tip);
}

Integer THLinkRecord::TotalSize() const {
  return TBaseRecord::TotalSize() + (FHint ? 4 + std::max<Integer>(FHint->DataSize(), 12) : 0);
}

Integer THLinkRecord::TotalSizeNoHeaders() const {
  return TBaseRecord::TotalSizeNoHeaders() + (FHint ? std::max<Integer>(FHint->DataSize(), 12) : 0);
}

void THLinkRecord::SaveRangeToStream(TOle2File& Workbook, const TXlsCellRange& CellRange) const {
  if (Meets(CellRange)) SaveToStream(Workbook);
}

Integer THLinkRecord::TotalRangeSize(const TXlsCellRange& CellRange) const {
  return Meets(CellRange) ? TotalSize() : 0;
}

void THLinkRecord::AddHint(std::unique_ptr<TScreenTipRecord> aHint) { FHint = std::move(aHint); }

THyperLink THLinkRecord::GetProperties() const {
  THyperLink result;
  const Word flags = OptionFlags();
  size_t P = 32;
  if ((flags & HasDescription) == HasDescription) result.Description = GetCounted(Data, P);
  if (flags & HasFrame) result.TargetFrame = GetCounted(Data, P);
  const bool plain = !(flags & HasClassIdOrTime);
  if ((flags & 3) == 3 && plain && !(flags & UNCPath) && HasIdAt(Data, P, URLClassId)) {
    result.LinkType = THyperLinkType::hl_URL;
    P += 16;
    const Int64 bytes = GetCardinal(Data, P);
    result.Text = GetChars(Data, P + 4, (bytes - 2) / 2);
    P += 4 + static_cast<size_t>(bytes);
  } else if ((flags & HasMoniker) && plain && !(flags & UNCPath) && HasIdAt(Data, P, FileClassId)) {
    result.LinkType = THyperLinkType::hl_LocalFile;
    result.Text = GetFileMoniker(Data, P);
  } else if ((flags & 3) == 3 && plain && (flags & UNCPath)) {
    result.LinkType = THyperLinkType::hl_UNC;
    result.Text = GetCounted(Data, P);
  } else {
    // Other monikers cannot be skipped, so nothing after them is read.
    result.LinkType = THyperLinkType::hl_CurrentWorkbook;
    if (flags & HasMoniker) {
      result.Hint = FHint ? FHint->Text() : WideString();
      return result;
    }
  }
  if (flags & HasTextMark) result.TextMark = GetCounted(Data, P);
  result.Hint = FHint ? FHint->Text() : WideString();
  return result;
}

void THLinkRecord::SetProperties(const THyperLink& Value) {
  ArrayOfByte body(Data.begin(), Data.begin() + 32);
  Word flags = 0;
  if (!Value.Description.empty()) {
    PutCounted(body, Value.Description);
    flags |= HasDescription;
  }
  if (!Value.TargetFrame.empty()) {
    PutCounted(body, Value.TargetFrame);
    flags |= HasFrame;
  }
  switch (Value.LinkType) {
    case THyperLinkType::hl_URL:
      flags |= HasMoniker | Absolute;
      body.insert(body.end(), std::begin(URLClassId), std::end(URLClassId));
      AppendCardinal(body, 2 * static_cast<Int64>(Value.Text.size()) + 2);
      PutChars(body, Value.Text);
      AppendWord(body, 0);
      break;
    case THyperLinkType::hl_LocalFile:
      flags |= HasMoniker;
      PutFileMoniker(body, Value.Text);
      break;
    case THyperLinkType::hl_UNC:
      flags |= HasMoniker | Absolute | UNCPath;
      PutCounted(body, Value.Text);
      break;
    case THyperLinkType::hl_CurrentWorkbook:
      break;
  }
  if (!Value.TextMark.empty()) {
    PutCounted(body, Value.TextMark);
    flags |= HasTextMark;
  }
  const Int64 tipSize = 12 + 2 * static_cast<Int64>(Value.Hint.size());
  for (Int64 size : {static_cast<Int64>(body.size()), tipSize})
    if (size > MaxBody) RaiseXls(XlsMsg::HyperLinkTooLong, {size, Int64{MaxBody}});
  SetWord(body, 28, flags);
  Data = std::move(body);
  if (Value.Hint.empty())
    FHint.reset();
  else if (FHint)
    FHint->SetText(Value.Hint);
  else
    FHint = TScreenTipRecord::CreateNew(Value.Hint);
}

void THLinkRecord::SetCellRange(const TXlsCellRange& Value) {
  SetFirstRow(Value.Top);
  SetLastRow(Value.Bottom);
  SetFirstCol(Value.Left);
  SetLastCol(Value.Right);
}

void THLinkRecord::ArrangeInsertRange(const TXlsCellRange& CellRange, Integer aRowCount, Integer aColCount,
                                      const TSheetInfo& SheetInfo) {
  if (SheetInfo.InsSheet < 0 || SheetInfo.InsSheet != SheetInfo.FormulaSheet) return;
  if (aRowCount != 0 && FirstCol() >= CellRange.Left && LastCol() <= CellRange.Right)
    ShiftPair(*this, 0, CellRange.Top, aRowCount * (CellRange.Bottom - CellRange.Top + 1), 65535);
  if (aColCount != 0 && FirstRow() >= CellRange.Top && LastRow() <= CellRange.Bottom)
    ShiftPair(*this, 4, CellRange.Left, aColCount * (CellRange.Right - CellRange.Left + 1), 255);
}

THLinkRecord* THLinkRecord::Offset(Integer DeltaRow, Integer DeltaCol) {
  SetFirstRow(FirstRow() + DeltaRow);
  SetLastRow(LastRow() + DeltaRow);
  SetFirstCol(FirstCol() + DeltaCol);
  SetLastCol(LastCol() + DeltaCol);
  return this;
}

// ---------------------------------------------------------------------------------------------
// THLinkList

void THLinkList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(), [](const auto& a, const auto& b) {
    return a->FirstRow() != b->FirstRow() ? a->FirstRow() < b->FirstRow() : a->FirstCol() < b->FirstCol();
  });
  Sorted = true;
}

void THLinkList::CopyFrom(const THLinkList& aHLinkList) {
  for (const auto& l : aHLinkList.FItems) Add(std::make_unique<THLinkRecord>(*l));
}

void THLinkList::CopyObjectsFrom(const THLinkList* aHLinkList, const TXlsCellRange& CopyRange, Integer RowOfs,
                                 Integer ColOfs) {
  if (!aHLinkList) return;
  for (const auto& l : aHLinkList->FItems) {
    if (l->FirstCol() < CopyRange.Left || l->LastCol() > CopyRange.Right || l->FirstRow() < CopyRange.Top ||
        l->LastRow() > CopyRange.Bottom)
      continue;
    auto copy = std::make_unique<THLinkRecord>(*l);
    copy->Offset(RowOfs, ColOfs);
    Add(std::move(copy));
  }
}

void THLinkList::SaveToStream(TOle2File& DataStream) {
  Sort();
  for (const auto& l : FItems) l->SaveToStream(DataStream);
}

void THLinkList::SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) {
  Sort();
  for (const auto& l : FItems) l->SaveRangeToStream(DataStream, CellRange);
}

Int64 THLinkList::TotalSize() const {
  Int64 size = 0;
  for (const auto& l : FItems) size += l->TotalSize();
  return size;
}

Int64 THLinkList::TotalRangeSize(const TXlsCellRange& CellRange) const {
  Int64 size = 0;
  for (const auto& l : FItems) size += l->TotalRangeSize(CellRange);
  return size;
}

void THLinkList::InsertAndCopyRange(const TXlsCellRange& SourceRange, Integer DestRow, Integer DestCol,
                                    Integer aRowCount, Integer aColCount, const TSheetInfo& SheetInfo) {
  const Integer H = SourceRange.Bottom - SourceRange.Top + 1;
  const Integer W = SourceRange.Right - SourceRange.Left + 1;
  const TXlsCellRange inserted{DestCol, DestRow, DestCol + W - 1, DestRow + H - 1};
  for (const auto& l : FItems) l->ArrangeInsertRange(inserted, aRowCount, aColCount, SheetInfo);
  if (aRowCount < 1 && aColCount < 1) return;
  const Integer top = SourceRange.Top >= DestRow ? SourceRange.Top + aRowCount * H : SourceRange.Top;
  const Integer left = SourceRange.Left >= DestCol ? SourceRange.Left + aColCount * W : SourceRange.Left;
  const TXlsCellRange moved{left, top, left + W - 1, top + H - 1};
  const Integer existing = Count();
  for (Integer i = 0; i < existing; ++i) {
    const THLinkRecord* l = FItems[static_cast<size_t>(i)].get();
    if (l->FirstRow() < moved.Top || l->LastRow() > moved.Bottom || l->FirstCol() < moved.Left ||
        l->LastCol() > moved.Right)
      continue;
    for (Integer k = 0; k < aRowCount; ++k) {
      auto copy = std::make_unique<THLinkRecord>(*l);
      copy->Offset(DestRow + k * H - moved.Top, DestCol - moved.Left);
      Add(std::move(copy));
      l = FItems[static_cast<size_t>(i)].get();
    }
    for (Integer k = 0; k < aColCount; ++k) {
      auto copy = std::make_unique<THLinkRecord>(*l);
      copy->Offset(DestRow - moved.Top, DestCol + k * W - moved.Left);
      Add(std::move(copy));
      l = FItems[static_cast<size_t>(i)].get();
    }
  }
}

void THLinkList::DeleteRange(const TXlsCellRange& CellRange, Integer aRowCount, Integer aColCount,
                             const TSheetInfo& SheetInfo) {
  const Integer H = CellRange.Bottom - CellRange.Top + 1;
  const Integer W = CellRange.Right - CellRange.Left + 1;
  const Integer r = std::max(aRowCount - 1, 0), c = std::max(aColCount - 1, 0);
  for (Integer i = Count() - 1; i >= 0; --i) {
    THLinkRecord* l = FItems[static_cast<size_t>(i)].get();
    if (l->FirstRow() >= CellRange.Top && l->LastRow() <= CellRange.Bottom + H * r && l->FirstCol() >= CellRange.Left &&
        l->LastCol() <= CellRange.Right + W * c) {
      Delete(i);
      continue;
    }
    l->ArrangeInsertRange(CellRange, -aRowCount, -aColCount, SheetInfo);
    if (l->LastRow() < l->FirstRow() || l->LastCol() < l->FirstCol()) Delete(i);
  }
}
