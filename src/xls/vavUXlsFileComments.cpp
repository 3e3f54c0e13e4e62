// TXLSFile: cell comments. Comments are read from the sheet's NOTE records and the text of
// the TXO record that follows each comment's OBJ record in the drawing. Comments made through
// this object are kept in a list per sheet; after every change the sheet's drawing (a text-box
// shape per comment, with its OBJ and TXO records), its NOTE records and the workbook's drawing
// group are written anew from those lists. A sheet that came with drawings or notes of its own
// keeps them, and gets no new comments until the engine models drawings.
#include "xls/vavUBiffCarriedRecords.h"
#include "xls/vavUBiffRecordFactory.h"
#include "xls/vavUXlsFile.h"

// ---------------------------------------------------------------------------------------------
// Comments: read from the sheet's NOTE records (row, column, options, object id) and the text
// of the TXO record that follows the comment's OBJ record in the drawing. Making and changing
// comments needs the drawing model, which the engine does not have yet.

namespace {

constexpr Word IdOBJ = 0x005D, IdTXO = 0x01B6;

// The NOTE records of a row, in column order as the list keeps them.
std::vector<const TBaseRecord*> RowNotes(TWorkSheet& Sheet, Integer Row) {
  std::vector<const TBaseRecord*> notes;
  const TNoteList& list = Sheet.Notes();
  for (Integer i = 0; i < list.Count(); ++i) {
    const TBaseRecord* note = list[i];
    if (note && note->Data.size() >= 8 && GetWord(note->Data, 0) == Row - 1) notes.push_back(note);
  }
  return notes;
}

const TBaseRecord& NoteAt(const std::vector<const TBaseRecord*>& Notes, Integer Index) {
  const Integer count = static_cast<Integer>(Notes.size());
  if (Index < 0 || Index >= count)
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{Index}, String("Index"), Int64{0}, Int64{count - 1}});
  return *Notes[static_cast<size_t>(Index)];
}

// The text of a TXO record: its CONTINUE records each start with an option byte (bit 0:
// 16-bit characters) and carry characters until the record's character count is reached.
WideString TxoText(const TBaseRecord& Txo) {
  WideString text;
  if (Txo.Data.size() < 12) return text;
  const size_t count = GetWord(Txo.Data, 10);
  for (const TBaseRecord* part = Txo.Continue.get(); part && text.size() < count; part = part->Continue.get()) {
    const ArrayOfByte& d = part->Data;
    if (d.empty()) continue;
    const bool wide = (d[0] & 1) != 0;
    for (size_t p = 1; text.size() < count && p + (wide ? 1 : 0) < d.size(); p += wide ? 2 : 1)
      text += wide ? static_cast<char16_t>(d[p] | (d[p + 1] << 8)) : static_cast<char16_t>(d[p]);
  }
  return text;
}

// The text of the comment whose drawing object has this id.
WideString CommentTextOf(TWorkSheet& Sheet, Word ObjectId) {
  const TDrawing& drawing = Sheet.Drawing();
  bool found = false;
  for (Integer i = 0; i < drawing.Count(); ++i) {
    const TBaseRecord* r = drawing[i];
    if (!r) continue;
    // An OBJ record starts with its common-data part: kind 0x15, size, object type, id.
    if (r->Id == IdOBJ) found = r->Data.size() >= 8 && GetWord(r->Data, 0) == 0x0015 && GetWord(r->Data, 6) == ObjectId;
    else if (r->Id == IdTXO && found) return TxoText(*r);
  }
  return WideString();
}

}  // namespace

Integer TXLSFile::GetCommentsCount(Integer Row) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? static_cast<Integer>(RowNotes(*sheet, Row).size()) : 0;
}

WideString TXLSFile::GetCommentText(Integer Row, Integer Index) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return WideString();
  const std::vector<const TBaseRecord*> notes = RowNotes(*sheet, Row);
  if (notes.empty()) return WideString();
  return CommentTextOf(*sheet, GetWord(NoteAt(notes, Index).Data, 6));
}

Integer TXLSFile::GetCommentColumn(Integer Row, Integer Index) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return 1;
  const std::vector<const TBaseRecord*> notes = RowNotes(*sheet, Row);
  if (notes.empty()) return 1;
  return GetWord(NoteAt(notes, Index).Data, 2) + 1;
}

WideString TXLSFile::GetCellComment(Integer Row, Integer Col) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return WideString();
  for (const TBaseRecord* note : RowNotes(*sheet, Row))
    if (GetWord(note->Data, 2) == Col - 1) return CommentTextOf(*sheet, GetWord(note->Data, 6));
  return WideString();
}

// ---------------------------------------------------------------------------------------------
// Making comments

namespace {

// The 8-byte header of an Office drawing record.
void EscherHeader(ArrayOfByte& d, Integer Version, Integer Instance, Word Type, Cardinal Length) {
  AppendWord(d, Version | (Instance << 4));
  AppendWord(d, Type);
  AppendCardinal(d, Length);
}

constexpr Cardinal OptProperties = 2;
constexpr Cardinal ShapeLength = (8 + 8) + (8 + 6 * OptProperties) + (8 + 18) + 8 + 8;
constexpr Cardinal GroupLength = (8 + 16) + (8 + 8);

// A comment's text-box shape up to its client data; its client text box follows separately.
void CommentShape(ArrayOfByte& d, Cardinal Spid, const TClientAnchor& Anchor) {
  EscherHeader(d, 0xF, 0, 0xF004, ShapeLength);
  EscherHeader(d, 2, 202, 0xF00A, 8);  // a text box with an anchor
  AppendCardinal(d, Spid);
  AppendCardinal(d, 0x0A00);
  EscherHeader(d, 3, OptProperties, 0xF00B, 6 * OptProperties);
  AppendWord(d, 0x0181);  // fill colour: pale yellow
  AppendCardinal(d, 0x00E1FFFF);
  AppendWord(d, 0x03BF);  // hidden until the cell is pointed at
  AppendCardinal(d, 0x00020002);
  EscherHeader(d, 0, 0, 0xF010, 18);
  for (Word w : {Anchor.Flag, Anchor.Col1, Anchor.Dx1, Anchor.Row1, Anchor.Dy1, Anchor.Col2, Anchor.Dx2, Anchor.Row2,
                 Anchor.Dy2})
    AppendWord(d, w);
  EscherHeader(d, 0, 0, 0xF011, 0);
}

std::unique_ptr<TBaseRecord> Drawing(ArrayOfByte Data) { return CreateRecord(0x00EC, std::move(Data)); }

// OBJ of a note: common object data (kind 0x19), note data, end.
std::unique_ptr<TBaseRecord> NoteObj(Word ObjectId) {
  ArrayOfByte d;
  AppendWord(d, 0x0015);
  AppendWord(d, 0x0012);
  AppendWord(d, 0x0019);
  AppendWord(d, ObjectId);
  AppendWord(d, 0x4011);
  d.insert(d.end(), 12, 0);
  AppendWord(d, 0x000D);
  AppendWord(d, 0x0016);
  d.insert(d.end(), 22, 0);
  AppendCardinal(d, 0);
  return CreateRecord(IdOBJ, std::move(d));
}

// TXO with the text in CONTINUE records (each starting with its option byte) and two
// formatting runs (the whole text in font 0).
std::unique_ptr<TBaseRecord> NoteText(const WideString& Text) {
  ArrayOfByte d;
  AppendWord(d, 0x0212);
  d.insert(d.end(), 8, 0);
  AppendWord(d, static_cast<Integer>(Text.size()));
  AppendWord(d, 16);
  AppendCardinal(d, 0);
  std::unique_ptr<TBaseRecord> txo = CreateRecord(IdTXO, std::move(d));
  const bool wide = IsWide(Text);
  std::vector<std::unique_ptr<TContinueRecord>> parts;
  for (size_t at = 0; at < Text.size(); at += 4000) {
    ArrayOfByte chunk{static_cast<Byte>(wide ? 1 : 0)};
    for (size_t i = at; i < std::min(Text.size(), at + 4000); ++i) {
      chunk.push_back(static_cast<Byte>(Text[i]));
      if (wide) chunk.push_back(static_cast<Byte>(Text[i] >> 8));
    }
    parts.push_back(std::make_unique<TContinueRecord>(0x003C, std::move(chunk)));
  }
  ArrayOfByte runs;
  AppendWord(runs, 0);
  runs.insert(runs.end(), 6, 0);
  AppendWord(runs, static_cast<Integer>(Text.size()));
  runs.insert(runs.end(), 6, 0);
  parts.push_back(std::make_unique<TContinueRecord>(0x003C, std::move(runs)));
  // Chained from the last: each CONTINUE carries the next.
  for (size_t i = parts.size() - 1; i > 0; --i) parts[i - 1]->AddContinue(std::move(parts[i]));
  txo->AddContinue(std::move(parts[0]));
  return txo;
}

// NOTE: cell, hidden, object id, an empty author.
std::unique_ptr<TBaseRecord> Note(Integer Row, Integer Col, Word ObjectId) {
  ArrayOfByte d;
  AppendWord(d, Row);
  AppendWord(d, Col);
  AppendWord(d, 0);
  AppendWord(d, ObjectId);
  AppendWord(d, 0);
  d.push_back(0);
  d.push_back(0);
  return CreateRecord(0x001C, std::move(d));
}

}  // namespace

void TXLSFile::RebuildMadeComments() {
  TWorkbook& workbook = Workbook();
  struct TCluster {
    Cardinal DrawingId, Shapes;
  };
  std::vector<TCluster> clusters;
  for (Integer s = 0; s < workbook.Sheets().Count(); ++s) {
    auto found = FMadeComments.find(workbook.Sheets()[s]);
    if (found == FMadeComments.end() || !workbook.IsWorksheet(s)) continue;
    TWorkSheet& sheet = workbook.WorkSheetAt(s);
    const std::vector<TMadeComment>& comments = found->second;
    sheet.Drawing().Clear();
    sheet.Notes().Clear();
    if (comments.empty()) continue;
    const Cardinal dgid = static_cast<Cardinal>(clusters.size()) + 1;
    const Cardinal n = static_cast<Cardinal>(comments.size());
    const Cardinal base = dgid * 1024;
    clusters.push_back({dgid, n + 1});

    const Cardinal groupLength = (8 + GroupLength) + n * (8 + ShapeLength);
    ArrayOfByte first;
    EscherHeader(first, 0xF, 0, 0xF002, (8 + 8) + (8 + groupLength));
    EscherHeader(first, 0, static_cast<Integer>(dgid), 0xF008, 8);
    AppendCardinal(first, n + 1);
    AppendCardinal(first, base + n);
    EscherHeader(first, 0xF, 0, 0xF003, groupLength);
    EscherHeader(first, 0xF, 0, 0xF004, GroupLength);
    EscherHeader(first, 1, 0, 0xF009, 16);
    first.insert(first.end(), 16, 0);
    EscherHeader(first, 2, 0, 0xF00A, 8);
    AppendCardinal(first, base);
    AppendCardinal(first, 0x0005);  // the group that holds every shape of the sheet
    for (Cardinal i = 0; i < n; ++i) {
      const TMadeComment& c = comments[i];
      const Word objectId = static_cast<Word>(i + 1);
      ArrayOfByte shape = i == 0 ? std::move(first) : ArrayOfByte();
      CommentShape(shape, base + 1 + i, c.Anchor);
      sheet.Drawing().Add(Drawing(std::move(shape)));
      sheet.Drawing().Add(NoteObj(objectId));
      ArrayOfByte textbox;
      EscherHeader(textbox, 0, 0, 0xF00D, 0);
      sheet.Drawing().Add(Drawing(std::move(textbox)));
      sheet.Drawing().Add(NoteText(c.Text));
      sheet.Notes().AddRecord(Note(c.Row, c.Col, objectId));
    }
  }

  TDrawingGroup& group = workbook.Globals().DrawingGroup();
  group.Clear();
  if (clusters.empty()) return;
  Cardinal spidMax = 0, saved = 0;
  for (const TCluster& c : clusters) {
    spidMax = std::max(spidMax, c.DrawingId * 1024 + c.Shapes);
    saved += c.Shapes;
  }
  const Cardinal blockLength = 16 + 8 * static_cast<Cardinal>(clusters.size());
  ArrayOfByte d;
  EscherHeader(d, 0xF, 0, 0xF000, 8 + blockLength);
  EscherHeader(d, 0, 0, 0xF006, blockLength);
  AppendCardinal(d, spidMax);
  AppendCardinal(d, static_cast<Cardinal>(clusters.size()) + 1);
  AppendCardinal(d, saved);
  AppendCardinal(d, static_cast<Cardinal>(clusters.size()));
  for (const TCluster& c : clusters) {
    AppendCardinal(d, c.DrawingId);
    AppendCardinal(d, c.Shapes);
  }
  group.Add(CreateRecord(0x00EB, std::move(d)));
}

void TXLSFile::SetCellComment(Integer Row, Integer Col, const WideString& Value, const TImageProperties& Properties) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  // The cell must lie on the sheet.
  sheet->Cells().CellList().GetValue(Row - 1, Col - 1);
  auto made = FMadeComments.find(sheet);
  if (made == FMadeComments.end()) {
    // Drawings and notes the sheet or workbook came with cannot be extended yet.
    if (sheet->Drawing().Count() > 0 || sheet->Notes().Count() > 0) return;
    if (FMadeComments.empty() && Workbook().Globals().DrawingGroup().Count() > 0) return;
    if (Value.empty()) return;
    made = FMadeComments.emplace(sheet, std::vector<TMadeComment>()).first;
  }
  std::vector<TMadeComment>& comments = made->second;
  // Rows and columns inserted or deleted since moved the notes (or removed them): the list
  // follows its notes, found by their object ids.
  std::vector<TMadeComment> current;
  for (Integer i = 0; i < sheet->Notes().Count(); ++i) {
    const TBaseRecord* note = sheet->Notes()[i];
    const Integer id = GetWord(note->Data, 6);
    if (id < 1 || id > static_cast<Integer>(comments.size())) continue;
    TMadeComment c = comments[static_cast<size_t>(id - 1)];
    c.Row = GetWord(note->Data, 0);
    c.Col = GetWord(note->Data, 2);
    current.push_back(c);
  }
  comments = current;
  auto at = std::find_if(comments.begin(), comments.end(),
                         [&](const TMadeComment& c) { return c.Row == Row - 1 && c.Col == Col - 1; });
  if (Value.empty()) {
    if (at == comments.end()) return;
    comments.erase(at);
  } else if (at != comments.end()) {
    at->Text = Value;  // the box stays where it is
  } else {
    TMadeComment c;
    c.Row = Row - 1;
    c.Col = Col - 1;
    c.Text = Value;
    auto clampWord = [](Integer v, Integer max) { return static_cast<Word>(std::clamp(v, 0, max)); };
    c.Anchor.Col1 = clampWord(Properties.Col1 - 1, 255);
    c.Anchor.Dx1 = clampWord(Properties.dx1, 1023);
    c.Anchor.Row1 = clampWord(Properties.Row1 - 1, 65535);
    c.Anchor.Dy1 = clampWord(Properties.dy1, 255);
    c.Anchor.Col2 = clampWord(Properties.Col2 - 1, 255);
    c.Anchor.Dx2 = clampWord(Properties.dx2, 1023);
    c.Anchor.Row2 = clampWord(Properties.Row2 - 1, 65535);
    c.Anchor.Dy2 = clampWord(Properties.dy2, 255);
    // A box with no size of its own goes beside the cell.
    if (c.Anchor.Col2 <= c.Anchor.Col1 && c.Anchor.Row2 <= c.Anchor.Row1) {
      c.Anchor.Col1 = static_cast<Word>(std::min(c.Col + 1, 255));
      c.Anchor.Row1 = static_cast<Word>(std::max(c.Row - 1, 0));
      c.Anchor.Col2 = static_cast<Word>(std::min(c.Col + 3, 255));
      c.Anchor.Row2 = static_cast<Word>(std::min(c.Row + 4, 65535));
    }
    comments.push_back(c);
  }
  RebuildMadeComments();
}

void TXLSFile::AssignComment(Integer Row, Integer aPos, const WideString& Comment) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  const Integer col = GetCommentColumn(Row, aPos);
  if (FMadeComments.count(sheet)) SetCellComment(Row, col, Comment, TImageProperties{});
}
