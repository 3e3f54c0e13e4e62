// TXLSFile: cell comments of the active worksheet. A comment is a NOTE record linked to its
// text box in the sheet drawing; comments are made, changed and removed on any worksheet,
// whatever drawings it already has.
#include <algorithm>

#include "xls/vavUXlsFile.h"

namespace {

TNoteRecord& NoteAt(const std::vector<TNoteRecord*>& Notes, Integer Index) {
  const Integer count = static_cast<Integer>(Notes.size());
  if (Index < 0 || Index >= count)
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{Index}, String("Index"), Int64{0}, Int64{count - 1}});
  return *Notes[static_cast<size_t>(Index)];
}

// Frees the NOTE record, and with it its text box.
void RemoveNote(TNoteList& Notes, const TNoteRecord* Note) {
  for (Integer i = 0; i < Notes.Count(); ++i)
    if (Notes[i] == Note) {
      Notes.Delete(i);
      return;
    }
}

// The box of a new comment (0-based cells). Properties without a box of their own put it
// beside the cell, as the interface's callers expect from an empty placement.
TImageProperties CommentBox(Integer Row, Integer Col, const TImageProperties& Properties) {
  auto clamp = [](Integer v, Integer max) { return std::clamp(v, 0, max); };
  TImageProperties box = Properties;
  box.Col1 = clamp(Properties.Col1 - 1, 255);
  box.Row1 = clamp(Properties.Row1 - 1, 65535);
  box.Col2 = clamp(Properties.Col2 - 1, 255);
  box.Row2 = clamp(Properties.Row2 - 1, 65535);
  box.dx1 = clamp(Properties.dx1, 1024);
  box.dx2 = clamp(Properties.dx2, 1024);
  box.dy1 = clamp(Properties.dy1, 255);
  box.dy2 = clamp(Properties.dy2, 255);
  if (box.Col2 <= box.Col1 && box.Row2 <= box.Row1) {
    box = TImageProperties{};
    box.Col1 = std::min(Col + 1, 255);
    box.Row1 = std::max(Row - 1, 0);
    box.Col2 = std::min(Col + 3, 255);
    box.Row2 = std::min(Row + 4, 65535);
  }
  return box;
}

}  // namespace

Integer TXLSFile::GetCommentsCount(Integer Row) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? static_cast<Integer>(sheet->Notes().RowNotes(Row - 1).size()) : 0;
}

WideString TXLSFile::GetCommentText(Integer Row, Integer Index) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return WideString();
  const std::vector<TNoteRecord*> notes = sheet->Notes().RowNotes(Row - 1);
  if (notes.empty()) return WideString();
  return NoteAt(notes, Index).Text();
}

Integer TXLSFile::GetCommentColumn(Integer Row, Integer Index) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return 1;
  const std::vector<TNoteRecord*> notes = sheet->Notes().RowNotes(Row - 1);
  if (notes.empty()) return 1;
  return NoteAt(notes, Index).Column() + 1;
}

WideString TXLSFile::GetCellComment(Integer Row, Integer Col) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return WideString();
  TNoteRecord* note = sheet->Notes().NoteAt(Row - 1, Col - 1);
  return note ? note->Text() : WideString();
}

void TXLSFile::SetCellComment(Integer Row, Integer Col, const WideString& Value, const TImageProperties& Properties) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  // The cell must lie on the sheet.
  sheet->Cells().CellList().GetValue(Row - 1, Col - 1);
  TNoteRecord* note = sheet->Notes().NoteAt(Row - 1, Col - 1);
  if (Value.empty()) {
    if (!note) return;
    RemoveNote(sheet->Notes(), note);
  } else if (note) {
    note->WriteText(Value);  // the box stays where it is
  } else {
    Workbook().Globals().DrawingGroup().EnsureDwgGroup();
    sheet->AddNewComment(Row - 1, Col - 1, Value, CommentBox(Row - 1, Col - 1, Properties));
  }
  IsFileModified = true;
}

void TXLSFile::AssignComment(Integer Row, Integer aPos, const WideString& Comment) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  TNoteRecord& note = NoteAt(sheet->Notes().RowNotes(Row - 1), aPos);
  if (Comment.empty()) RemoveNote(sheet->Notes(), &note);
  else note.WriteText(Comment);
  IsFileModified = true;
}
