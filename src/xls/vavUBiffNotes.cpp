#include "xls/vavUBiffNotes.h"

#include <algorithm>

#include "xls/vavUBiffClientData.h"
#include "xls/vavUEscherOtherRecords.h"

namespace {
Integer RowOf(const TBaseRecord* r) { return r && r->DataSize() >= 2 ? GetWord(r->Data, 0) : 0; }
bool IsTextBox(const TEscherRecord* r) { return dynamic_cast<const TEscherClientTextBoxRecord*>(r) != nullptr; }
}  // namespace

// ---------------------------------------------------------------------------------------------
// TNoteRecord

TNoteRecord::~TNoteRecord() {
  if (!FOwnsShape || !Linked()) return;
  try {
    FDrawing->RemoveShape(Dwg);
  } catch (const Exception&) {
    // A drawing without a patriarch has no shape to free.
  }
}

std::unique_ptr<TNoteRecord> TNoteRecord::CreateFromData(Integer aRow, Integer aCol, TWorkSheet* sSheet,
                                                         const TImageProperties& Properties, TDrawing* Drawing,
                                                         const WideString& aTxt) {
  if (aRow < 0 || aRow > MaxRow)
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{aRow}, String("Row"), Int64{0}, Int64{MaxRow}});
  if (aCol < 0 || aCol > MaxCol)
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{aCol}, String("Column"), Int64{0}, Int64{MaxCol}});
  ArrayOfByte data(12, 0);
  SetWord(data, 0, static_cast<Word>(aRow));
  SetWord(data, 2, static_cast<Word>(aCol));
  auto note = std::make_unique<TNoteRecord>(0x001C, std::move(data));
  note->Dwg = Drawing->AddNewComment(Properties, sSheet);
  note->FDrawing = Drawing;
  note->FOwnsShape = true;
  SetWord(note->Data, 6, note->Dwg->ClientData->ObjectId());
  note->WriteText(aTxt);
  return note;
}

void TNoteRecord::FixDwgIds(TDrawing* Drawing) {
  FDrawing = Drawing;
  Dwg = Drawing ? Drawing->FindObjId(ObjId()) : nullptr;
  FOwnsShape = Dwg != nullptr;
}

TEscherClientTextBoxRecord* TNoteRecord::TextBox() const {
  if (!Linked()) return nullptr;
  auto* root = dynamic_cast<TEscherContainerRecord*>(Dwg->FindRoot());
  return root ? static_cast<TEscherClientTextBoxRecord*>(root->FindRec(IsTextBox)) : nullptr;
}

WideString TNoteRecord::Text() const {
  TEscherClientTextBoxRecord* box = TextBox();
  return box ? box->Text() : WideString();
}

void TNoteRecord::WriteText(const WideString& Value) {
  if (TEscherClientTextBoxRecord* box = TextBox()) box->WriteText(Value);
}

void TNoteRecord::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                           const TSheetInfo& SheetInfo) {
  TBaseRowColRecord::ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, SheetInfo);
  if (!Linked()) return;
  auto* root = dynamic_cast<TEscherSpContainerRecord*>(Dwg->FindRoot());
  if (root && root->ClientAnchor)
    root->ClientAnchor->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, nullptr, true, SheetInfo);
}

void TNoteRecord::ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset) {
  if (Linked()) {
    FDrawing->DgContainer()->ClearCopiedTo();
    auto* copy = static_cast<TEscherClientDataRecord*>(Dwg->CopyDwg(RowOffset, ColOffset, nullptr));
    FDrawing->DgContainer()->ClearCopiedTo();
    Dwg = copy;
    FOwnsShape = true;
    if (Dwg && Dwg->ClientData) SetWord(Data, 6, Dwg->ClientData->ObjectId());
  } else {
    Dwg = nullptr;
    FOwnsShape = false;
  }
  TBaseRowColRecord::ArrangeCopyRowsAndCols(RowOffset, ColOffset);
}

// ---------------------------------------------------------------------------------------------
// TNoteList

void TNoteList::AddRecord(std::unique_ptr<TBaseRecord> aRecord) {
  const Integer row = RowOf(aRecord.get());
  auto at = std::upper_bound(FItems.begin(), FItems.end(), row,
                             [](Integer r, const std::unique_ptr<TBaseRecord>& n) { return r < RowOf(n.get()); });
  Insert(static_cast<Integer>(at - FItems.begin()), std::move(aRecord));
}

TNoteRecord* TNoteList::AddNewComment(Integer aRow, Integer Col, const WideString& Txt,
                                      const TImageProperties& Properties, TDrawing* Drawing, TWorkSheet* sSheet) {
  std::unique_ptr<TNoteRecord> note = TNoteRecord::CreateFromData(aRow, Col, sSheet, Properties, Drawing, Txt);
  TNoteRecord* result = note.get();
  AddRecord(std::move(note));
  return result;
}

void TNoteList::FixDwgIds(TDrawing* Drawing) {
  for (const auto& r : FItems)
    if (auto* note = dynamic_cast<TNoteRecord*>(r.get())) note->FixDwgIds(Drawing);
}

void TNoteList::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                         const TSheetInfo& SheetInfo) {
  for (Integer i = Count() - 1; i >= 0; --i) {
    auto* note = dynamic_cast<TBaseRowColRecord*>((*this)[i]);
    if (!note) continue;
    const bool rowGone = aRowCount < 0 && note->Row() >= aRowPos && note->Row() < aRowPos - aRowCount;
    const bool colGone = aColCount < 0 && note->Column() >= aColPos && note->Column() < aColPos - aColCount;
    if (rowGone || colGone) {
      Delete(i);
      continue;
    }
    note->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, SheetInfo);
  }
  // Row order after the move.
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const auto& a, const auto& b) { return RowOf(a.get()) < RowOf(b.get()); });
}

void TNoteList::InsertAndCopyRowsAndCols(Integer FirstRow, Integer LastRow, Integer DestRow, Integer RowCount,
                                         Integer FirstCol, Integer LastCol, Integer DestCol, Integer ColCount) {
  auto copyBlock = [&](Integer count, Integer first, Integer last, Integer dest, bool rows) {
    const Integer block = last - first + 1, ins = count * block;
    // The source block after the insertion.
    const Integer s1 = first < dest ? first : first + ins, s2 = first < dest ? last : last + ins;
    std::vector<TNoteRecord*> sources;
    for (const auto& r : FItems) {
      auto* note = dynamic_cast<TNoteRecord*>(r.get());
      const Integer at = note ? (rows ? note->Row() : note->Column()) : -1;
      if (note && at >= s1 && at <= s2) sources.push_back(note);
    }
    for (Integer k = 0; k < count; ++k) {
      const Integer offset = dest + k * block - s1;
      for (TNoteRecord* source : sources) {
        auto copy = std::unique_ptr<TNoteRecord>(static_cast<TNoteRecord*>(source->DoCopyTo().release()));
        copy->ArrangeCopyRowsAndCols(rows ? offset : 0, rows ? 0 : offset);
        AddRecord(std::move(copy));
      }
    }
  };
  if (RowCount > 0) copyBlock(RowCount, FirstRow, LastRow, DestRow, true);
  if (ColCount > 0) copyBlock(ColCount, FirstCol, LastCol, DestCol, false);
}

void TNoteList::SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const {
  for (const auto& r : FItems) {
    auto* note = dynamic_cast<const TBaseRowColRecord*>(r.get());
    if (note && note->Row() >= CellRange.Top && note->Row() <= CellRange.Bottom && note->Column() >= CellRange.Left &&
        note->Column() <= CellRange.Right)
      note->SaveToStream(DataStream);
  }
}

Int64 TNoteList::TotalRangeSize(const TXlsCellRange& CellRange) const {
  Int64 size = 0;
  for (const auto& r : FItems) {
    auto* note = dynamic_cast<const TBaseRowColRecord*>(r.get());
    if (note && note->Row() >= CellRange.Top && note->Row() <= CellRange.Bottom && note->Column() >= CellRange.Left &&
        note->Column() <= CellRange.Right)
      size += note->TotalSize();
  }
  return size;
}

std::vector<TNoteRecord*> TNoteList::RowNotes(Integer aRow) const {
  std::vector<TNoteRecord*> notes;
  for (const auto& r : FItems)
    if (auto* note = dynamic_cast<TNoteRecord*>(r.get()); note && note->Row() == aRow) notes.push_back(note);
  return notes;
}

TNoteRecord* TNoteList::NoteAt(Integer aRow, Integer aCol) const {
  for (TNoteRecord* note : RowNotes(aRow))
    if (note->Column() == aCol) return note;
  return nullptr;
}
