// Workbook drawings: the record tree of the drawing group and the sheet drawings, pictures in
// the blip store, comments on any sheet, anchors that follow row and column edits, copied
// sheets with their drawings, and what independent readers make of what is written.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "WorkbookTestHelpers.h"
#include "classlib/Bitmap.h"
#include "classlib/SysUtils.h"
#include "support/LibreOffice.h"
#include "xls/vavUBiffClientData.h"
#include "xls/vavUBiffMD5.h"
#include "xls/vavUEscherOtherRecords.h"
#include "xls/vavUWbkRowComments.h"
#include "xls/vavUXlsFile.h"

using namespace xlstest;

namespace {

std::unique_ptr<TXLSFile> NewBook(Integer Sheets) {
  auto file = std::make_unique<TXLSFile>(nullptr);
  file->Connect();
  file->NewFile(Sheets);
  return file;
}

std::unique_ptr<TXLSFile> OpenBook(const std::string& Path) {
  auto file = std::make_unique<TXLSFile>(nullptr);
  file->Connect();
  file->OpenFile(Path);
  return file;
}

std::string SavedBytes(TXLSFile& Book) {
  TMemoryStream saved;
  Book.Save(false, "", nullptr, nullptr, &saved);
  return std::string(saved.Bytes().begin(), saved.Bytes().end());
}

std::unique_ptr<TXLSFile> Reloaded(TXLSFile& Book) {
  TMemoryStream saved;
  Book.Save(false, "", nullptr, nullptr, &saved);
  saved.SetPosition(0);
  auto back = std::make_unique<TXLSFile>(nullptr);
  back->Connect();
  back->LoadFromStream(&saved);
  return back;
}

TImageProperties Box(Integer Col1, Integer Row1, Integer Col2, Integer Row2, const String& Name = "") {
  TImageProperties p;
  p.Col1 = Col1, p.Row1 = Row1, p.Col2 = Col2, p.Row2 = Row2;
  p.FileName = Name;
  return p;
}

// A 2 x 2 24-bit device-independent bitmap (no file header): red, green / blue, white.
ByteArray SmallBitmap() {
  ByteArray b(40, 0);
  SetCardinal(b, 0, 40);
  SetCardinal(b, 4, 2);
  SetCardinal(b, 8, 2);
  SetWord(b, 12, 1);
  SetWord(b, 14, 24);
  SetCardinal(b, 20, 16);
  const Byte rows[16] = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom row: blue, white
                         0, 0, 0xFF, 0, 0xFF, 0, 0, 0};        // top row: red, green
  b.insert(b.end(), rows, rows + 16);
  return b;
}

ByteArray FakeJpeg(Byte Seed, size_t Size = 64) {
  ByteArray b(Size);
  for (size_t i = 0; i < Size; ++i) b[i] = static_cast<Byte>(Seed + i * 7);
  b[0] = 0xFF, b[1] = 0xD8;
  return b;
}

std::string Hex(std::span<const Byte> d) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (Byte c : d) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::vector<TPlainRecord> SavedRecords(TXLSFile& Book) { return PlainRecords(StreamOf(SavedBytes(Book), u"Workbook")); }

// The record data of every record with the id, in stream order.
std::vector<std::vector<Byte>> DataOf(const std::vector<TPlainRecord>& Records, Word Id) {
  std::vector<std::vector<Byte>> out;
  for (const TPlainRecord& r : Records)
    if (r.Id == Id) out.push_back(r.Data);
  return out;
}

TEscherBStoreRecord* Store(TXLSFile& Book) { return Book.GetTWorkbook()->Globals().DrawingGroup().FRecordCache.BStore; }

// Every shape id of every sheet drawing of the workbook.
std::vector<Cardinal> ShapeIds(TXLSFile& Book) {
  std::vector<Cardinal> ids;
  TWorkbook& wb = *Book.GetTWorkbook();
  for (Integer s = 0; s < wb.Sheets().Count(); ++s) {
    if (!wb.IsWorksheet(s)) continue;
    const TEscherShapeCache* shapes = wb.WorkSheetAt(s).Drawing().RecordCache().Shape.get();
    for (Integer i = 0; shapes && i < shapes->Count(); ++i) ids.push_back(static_cast<TEscherSPRecord*>((*shapes)[i])->ShapeId());
  }
  return ids;
}

// ---------------------------------------------------------------------------------------------
// MD5 and the row index

TEST(Drawings, Md5DigestsMatchTheStandardVectors) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"The quick brown fox jumps over the lazy dog", "9e107d9d372bb6826bd81d3542a419d6"},
      {std::string(1000, 'a'), "cabe45dcc9ae5b66ba86600cca6b8ba8"},
  };
  TMd5Stream md5;
  for (const auto& [text, digest] : cases) {
    // Written in uneven pieces: block boundaries must not matter.
    for (size_t at = 0; at < text.size(); at += 37)
      md5.WriteBuffer(text.data() + at, static_cast<Integer>(std::min<size_t>(37, text.size() - at)));
    EXPECT_EQ(Hex(md5.GetDigest()), digest) << text.substr(0, 20);
  }
  Byte unused;
  EXPECT_EQ(md5.Read(&unused, 1), 0);
}

TEST(Drawings, RowIndexDeletesAndClosesTheGap) {
  TRowComments rows;
  rows.Add(8, 4);
  rows.Add(5, 3);
  rows.Add(5, 7);
  rows.Delete(5, 0);
  EXPECT_EQ(std::vector<Integer>(rows.RowPositions(5).begin(), rows.RowPositions(5).end()), std::vector<Integer>({6}));
  EXPECT_EQ(std::vector<Integer>(rows.RowPositions(8).begin(), rows.RowPositions(8).end()), std::vector<Integer>({3}));
  EXPECT_TRUE(rows.RowPositions(2).empty());
  rows.Delete(2, 0);  // no entry: nothing
  rows.Delete(8, 0);
  EXPECT_TRUE(rows.RowPositions(8).empty());
}

// ---------------------------------------------------------------------------------------------
// The minimal picture drawing, byte for byte

TEST(Drawings, OnePictureInANewWorkbookWritesTheMinimalDrawing) {
  auto book = NewBook(1);
  const ByteArray jpeg = FakeJpeg(1);
  book->AddImage(jpeg, TXlsImgTypes::xli_Jpeg, Box(2, 3, 4, 6), TWbkAnchorType::at_MoveAndResize);
  const std::vector<TPlainRecord> records = SavedRecords(*book);

  const auto groups = DataOf(records, 0x00EB);
  ASSERT_EQ(groups.size(), 1u);
  const std::vector<Byte>& g = groups[0];
  // Drawing-group container, then the Dgg with one cluster: drawing 1 with 2 ids used.
  EXPECT_EQ(Hex(std::span(g).first(8)), "0f0000f0" + Hex(Bytes32(static_cast<uint32_t>(g.size() - 8))));
  EXPECT_EQ(Hex(std::span(g).subspan(8, 8 + 24)),
            "000006f018000000" "02040000" "02000000" "02000000" "01000000" "01000000" "02000000");
  // The blip store with one JPEG entry, referenced once, its UID the MD5 of the bytes.
  const size_t store = 8 + 32;
  EXPECT_EQ(Hex(std::span(g).subspan(store, 4)), "1f0001f0");
  const size_t bse = store + 8;
  EXPECT_EQ(Hex(std::span(g).subspan(bse, 4)), "520007f0");
  EXPECT_EQ(g[bse + 8], 5);
  TMd5Stream md5;
  md5.WriteBuffer(jpeg.data(), static_cast<Integer>(jpeg.size()));
  EXPECT_EQ(Hex(std::span(g).subspan(bse + 10, 16)), Hex(md5.GetDigest()));
  EXPECT_EQ(GetCardinal(g, bse + 8 + 24), 1u);
  EXPECT_EQ(Hex(std::span(g).subspan(bse + 8 + 36, 4)), "a046" "1df0");

  const auto drawings = DataOf(records, 0x00EC);
  ASSERT_EQ(drawings.size(), 1u);
  const std::vector<Byte>& d = drawings[0];
  const std::string expectedHead =
      "0f0002f0" + Hex(Bytes32(static_cast<uint32_t>(d.size() - 8))) +  // drawing container
      "100008f008000000" "02000000" "01040000" +                         // Dg: 2 shapes, last id 1025
      "0f0003f0" + Hex(Bytes32(static_cast<uint32_t>(d.size() - 32))) +  // patriarch
      "0f0004f028000000" "010009f010000000" + std::string(32, '0') +     // group shape: Spgr
      "02000af008000000" "00040000" "05000000" +                         // SP 1024, group + patriarch
      "0f0004f0";                                                        // the picture's shape
  EXPECT_EQ(Hex(std::span(d).first(expectedHead.size() / 2)), expectedHead);
  const size_t sp = expectedHead.size() / 2 + 4;
  EXPECT_EQ(Hex(std::span(d).subspan(sp, 16)), "b2040af008000000" "01040000" "000a0000");
  // The anchor: kind 0, columns and rows made 0-based.
  const std::string anchor = "000010f012000000" "0000" "0100" "0000" "0200" "0000" "0300" "0000" "0500" "0000";
  EXPECT_NE(Hex(d).find(anchor), std::string::npos);
  EXPECT_EQ(Hex(std::span(d).last(8)), "000011f000000000");

  // The OBJ right after: 38 bytes, a picture with object id 1.
  size_t at = 0;
  while (at < records.size() && records[at].Id != 0x00EC) ++at;
  ASSERT_LT(at + 1, records.size());
  ASSERT_EQ(records[at + 1].Id, 0x005D);
  EXPECT_EQ(Hex(records[at + 1].Data),
            "1500120008000100" "1160" + std::string(24, '0') + "0700" "0200" "ffff" "0800" "0200" "0100" "0000" "0000");
}

// ---------------------------------------------------------------------------------------------
// The blip store

TEST(Drawings, IdenticalPicturesShareOneEntryCountedByReferences) {
  auto book = NewBook(2);
  const ByteArray jpeg = FakeJpeg(9);
  book->AddImage(jpeg, TXlsImgTypes::xli_Jpeg, Box(1, 1, 2, 2), TWbkAnchorType::at_MoveAndResize);
  book->SetActiveSheet(2);
  book->AddImage(jpeg, TXlsImgTypes::xli_Jpeg, Box(1, 1, 2, 2), TWbkAnchorType::at_MoveAndResize);
  ASSERT_EQ(Store(*book)->FContainedRecords.Count(), 1);
  EXPECT_EQ(Store(*book)->BSE(0)->References(), 2u);
  // The same bytes as PNG: the same UID, another entry.
  book->AddImage(jpeg, TXlsImgTypes::xli_Png, Box(3, 1, 4, 2), TWbkAnchorType::at_MoveAndResize);
  ASSERT_EQ(Store(*book)->FContainedRecords.Count(), 2);
  // A different picture of the same size is told apart by its UID; the store stays sorted.
  book->AddImage(FakeJpeg(10), TXlsImgTypes::xli_Jpeg, Box(5, 1, 6, 2), TWbkAnchorType::at_MoveAndResize);
  ASSERT_EQ(Store(*book)->FContainedRecords.Count(), 3);
  for (Integer i = 1; i < 3; ++i)
    EXPECT_LT(Store(*book)->FContainedRecords[i - 1]->CompareRec(*Store(*book)->FContainedRecords[i]), 0);

  book->DeleteImage(0);  // the JPEG on sheet 2
  book->DeleteImage(1);  // the second JPEG
  EXPECT_EQ(book->GetPicturesCount(0), 1);
  ASSERT_EQ(Store(*book)->FContainedRecords.Count(), 2);
  book->SetActiveSheet(1);
  book->DeleteImage(0);
  ASSERT_EQ(Store(*book)->FContainedRecords.Count(), 1);  // only the PNG is left

  // Replacing a picture by identical bytes keeps its entry and count.
  book->SetActiveSheet(2);
  TEscherBSERecord* png = Store(*book)->BSE(0);
  book->AssignPicture(0, 0, jpeg, TXlsImgTypes::xli_Png);
  EXPECT_EQ(Store(*book)->BSE(0), png);
  EXPECT_EQ(png->References(), 1u);
}

TEST(Drawings, PicturesReadBackWithTheirTypeAnchorAndName) {
  auto book = NewBook(1);
  const ByteArray bitmap = SmallBitmap();
  book->AddImage(FakeJpeg(3), TXlsImgTypes::xli_Jpeg, Box(1, 3, 3, 5, "first.jpg"), TWbkAnchorType::at_MoveAndResize);
  book->AddImage(bitmap, TXlsImgTypes::xli_Bmp, Box(1, 3, 2, 4, "second.bmp"), TWbkAnchorType::at_DontMoveAndDontResize);
  book->AddImage(ByteArray(), TXlsImgTypes::xli_Jpeg, Box(2, 7, 3, 8), TWbkAnchorType::at_MoveAndDontResize);
  auto back = Reloaded(*book);
  back->BeginSheet();
  EXPECT_EQ(back->GetPicturesCount(0), 3);
  EXPECT_EQ(back->GetPicturesCount(3), 2);
  EXPECT_EQ(back->GetPicturesCount(7), 1);
  // The name given is the picture's file name; its shape has no name of its own.
  EXPECT_EQ(back->GetPictureName(3, 1), "");

  TMemoryStream pic;
  TXlsImgTypes type = TXlsImgTypes::xli_Unknown;
  TClientAnchor anchor;
  back->GetPicture(3, 1, &pic, type, anchor);
  EXPECT_EQ(type, TXlsImgTypes::xli_Bmp);
  // A bitmap comes back as a file a reader takes: "BM", the file's size (14 + 56), two reserved
  // words, the offset of the pixels (after the 40-byte header), then the bytes stored.
  const std::string header("BM\x46\0\0\0\0\0\0\0\x36\0\0\0", 14);
  const std::string file(pic.Bytes().begin(), pic.Bytes().end());
  EXPECT_EQ(file, header + std::string(bitmap.begin(), bitmap.end()));
  TBitmap decoded;
  decoded.LoadFromBytes(file);
  EXPECT_EQ(decoded.Canvas()->Pixel(0, 0), 0x0000FF) << "top left is red";
  EXPECT_EQ(decoded.Canvas()->Pixel(1, 1), 0xFFFFFF) << "bottom right is white";
  EXPECT_EQ(anchor.Flag, 3);
  EXPECT_EQ(std::make_tuple(anchor.Col1, anchor.Row1, anchor.Col2, anchor.Row2), std::make_tuple(1, 3, 2, 4));

  // A picture added without bytes holds the blank bitmap.
  TMemoryStream blank;
  back->GetPicture(0, 2, &blank, type, anchor);
  EXPECT_EQ(blank.Size(), 14 + 54);
  EXPECT_EQ(anchor.Flag, 2);

  back->AssignPictureProperties(0, 0, Box(4, 4, 6, 9), TWbkAnchorType::at_DontMoveAndDontResize);
  back->GetPicture(0, 0, nullptr, type, anchor);
  EXPECT_EQ(std::make_tuple(anchor.Flag, anchor.Col1, anchor.Row1, anchor.Col2, anchor.Row2),
            std::make_tuple(3, 4, 4, 6, 9));
  EXPECT_EQ(MessageOf([&] { back->DeleteImage(3); }),
            FormatXlsMessage(XlsMsg::IndexOutOfRange, {Int64{3}, String("ImageIndex"), Int64{0}, Int64{2}}));
}

TEST(Drawings, PicturesThatCannotBeStoredLeaveTheSheetAsItWas) {
  auto book = NewBook(1);
  EXPECT_EQ(MessageOf([&] {
              book->AddImage(FakeJpeg(1), TXlsImgTypes::xli_Wmf, Box(1, 1, 2, 2), TWbkAnchorType::at_MoveAndResize);
            }),
            XlsMsg::WmfNeedsPng);
  EXPECT_EQ(book->GetPicturesCount(0), 0);
  EXPECT_TRUE(book->GetTWorkbook()->WorkSheetAt(0).Drawing().IsEmpty());
  EXPECT_TRUE(DataOf(SavedRecords(*book), 0x00EC).empty());
}

// ---------------------------------------------------------------------------------------------
// Comments

TEST(Drawings, CommentsGetFreshObjectIdsAndKeepTheirTexts) {
  auto book = NewBook(1);
  const WideString longText(9000, u'x');
  WideString wideText(5000, u'Ω');
  book->SetCellComment(1, 1, u"first", TImageProperties{});
  book->SetCellComment(3, 2, u"second", Box(4, 2, 6, 5));
  book->SetCellComment(4, 1, longText, TImageProperties{});
  book->SetCellComment(5, 1, wideText, TImageProperties{});
  book->SetCellComment(6, 1, u"to be emptied", TImageProperties{});
  book->AssignComment(6, 0, u"");
  TWorkSheet& sheet = book->GetTWorkbook()->WorkSheetAt(0);
  EXPECT_EQ(sheet.Notes().NoteAt(0, 0)->ObjId(), 1);
  EXPECT_EQ(sheet.Notes().NoteAt(2, 1)->ObjId(), 2);
  EXPECT_EQ(sheet.Notes().Count(), 4);

  auto back = Reloaded(*book);
  EXPECT_EQ(back->GetCellComment(1, 1), u"first");
  EXPECT_EQ(back->GetCellComment(3, 2), u"second");
  EXPECT_EQ(back->GetCellComment(4, 1), longText);
  EXPECT_EQ(back->GetCellComment(5, 1), wideText);
  EXPECT_EQ(back->GetCommentsCount(6), 0);

  const auto txos = DataOf(SavedRecords(*back), 0x01B6);
  ASSERT_EQ(txos.size(), 4u);
  EXPECT_EQ(GetWord(txos[2], 10), 9000);

  const WideString row65536Text = u"end";
  EXPECT_EQ(MessageOf([&] { sheet.AddNewComment(65536, 0, row65536Text, TImageProperties{}); }),
            FormatXlsMessage(XlsMsg::IndexOutOfRange, {Int64{65536}, String("Row"), Int64{0}, Int64{65535}}));
  EXPECT_EQ(MessageOf([&] { sheet.AddNewComment(0, 256, row65536Text, TImageProperties{}); }),
            FormatXlsMessage(XlsMsg::IndexOutOfRange, {Int64{256}, String("Column"), Int64{0}, Int64{255}}));
  sheet.AddNewComment(65535, 255, row65536Text, TImageProperties{});
  EXPECT_EQ(book->GetCellComment(65536, 256), row65536Text);
}

TEST(Drawings, TextBoxTextsAreWrittenAndReadAcrossContinueRecords) {
  struct TCase {
    WideString Text;
    size_t Records;  // CONTINUE records of text, runs excluded
  };
  const TCase cases[] = {
      {u"", 0},
      {u"short", 1},
      {WideString(8223, u'a'), 1},
      {WideString(8224, u'a'), 2},
      {WideString(4111, u'Ω'), 1},
      {WideString(4112, u'Ω'), 2},
  };
  for (const TCase& c : cases) {
    std::unique_ptr<TTXO> txo = TTXO::CreateFromData();
    txo->WriteText(c.Text);
    size_t count = 0;
    for (const TContinueRecord* r = txo->TXORecord()->Continue.get(); r; r = r->Continue.get()) ++count;
    EXPECT_EQ(count, c.Text.empty() ? 0 : c.Records + 1) << c.Text.size();
    EXPECT_EQ(GetWord(txo->TXORecord()->Data, 12), c.Text.empty() ? 0 : 16);
    EXPECT_EQ(txo->Text(), c.Text);
  }
}

TEST(Drawings, CommentsFollowRowEditsAndCopies) {
  auto book = NewBook(1);
  book->SetCellComment(2, 1, u"two", TImageProperties{});
  book->SetCellComment(5, 3, u"five", TImageProperties{});
  TWorkSheet& sheet = book->GetTWorkbook()->WorkSheetAt(0);
  const Cardinal shapesBefore = sheet.Drawing().RecordCache().Dg->ShapeCount();
  // Row 2 copied twice below itself: three notes, three distinct objects, each with its box.
  book->InsertAndCopyRows(2, 2, 3, 2, false);
  EXPECT_EQ(book->GetCellComment(2, 1), u"two");
  EXPECT_EQ(book->GetCellComment(3, 1), u"two");
  EXPECT_EQ(book->GetCellComment(4, 1), u"two");
  EXPECT_EQ(book->GetCellComment(7, 3), u"five");
  std::set<Word> ids;
  for (Integer i = 0; i < sheet.Notes().Count(); ++i) ids.insert(static_cast<TNoteRecord*>(sheet.Notes()[i])->ObjId());
  EXPECT_EQ(ids.size(), 4u);
  EXPECT_EQ(sheet.Drawing().RecordCache().Dg->ShapeCount(), shapesBefore + 2);

  // Deleting the rows of two of them frees their notes and boxes.
  book->DeleteRows(3, 2);
  EXPECT_EQ(sheet.Notes().Count(), 2);
  EXPECT_EQ(sheet.Drawing().RecordCache().Dg->ShapeCount(), shapesBefore);
  EXPECT_EQ(book->GetCellComment(5, 3), u"five");
  auto back = Reloaded(*book);
  EXPECT_EQ(back->GetCellComment(2, 1), u"two");
  EXPECT_EQ(back->GetCellComment(5, 3), u"five");
}

// ---------------------------------------------------------------------------------------------
// Anchors

TEST(Drawings, AnchorsFollowInsertedAndDeletedRows) {
  auto book = NewBook(1);
  // 1-based rows 5-9 and 4-7: model rows 4-8 and 3-6.
  book->AddImage(FakeJpeg(1), TXlsImgTypes::xli_Jpeg, Box(1, 5, 2, 9), TWbkAnchorType::at_MoveAndResize);
  book->AddImage(FakeJpeg(2), TXlsImgTypes::xli_Jpeg, Box(1, 4, 2, 7), TWbkAnchorType::at_MoveAndDontResize);
  book->AddImage(FakeJpeg(3), TXlsImgTypes::xli_Jpeg, Box(1, 4, 2, 7), TWbkAnchorType::at_MoveAndResize);
  book->AddImage(FakeJpeg(4), TXlsImgTypes::xli_Jpeg, Box(1, 20, 2, 22), TWbkAnchorType::at_DontMoveAndDontResize);
  TWorkSheet& sheet = book->GetTWorkbook()->WorkSheetAt(0);
  auto rows = [&](Integer i) {
    return std::make_pair(Integer{sheet.GetAnchor(i).Row1}, Integer{sheet.GetAnchor(i).Row2});
  };

  // Three rows in at model row 6 (1-based 7): only the lower corner of the first is at or below it.
  book->InsertAndCopyRows(7, 7, 7, 3, false);
  EXPECT_EQ(rows(0), std::make_pair(4, 11));
  EXPECT_EQ(rows(1), std::make_pair(3, 6));
  // The kind-3 picture keeps its absolute place: the cells under it change.
  EXPECT_EQ(rows(3), std::make_pair(19, 21));
  const Integer y1 = RowToAbsolute(sheet, 19, sheet.GetAnchor(3).Dy1);

  // Model rows 2-9 go: the kind-0 picture wholly inside leaves, the kind-2 one moves up whole.
  book->DeleteRows(3, 8);
  EXPECT_EQ(book->GetPicturesCount(0), 3);
  EXPECT_EQ(rows(1), std::make_pair(2, 5));
  // The first picture (now index 0) had its top corner in the deleted rows: it moves to the
  // first deleted row with no offset.
  EXPECT_EQ(rows(0), std::make_pair(2, 3));
  EXPECT_EQ(sheet.GetAnchor(0).Dy1, 0);
  EXPECT_EQ(RowToAbsolute(sheet, sheet.GetAnchor(2).Row1, sheet.GetAnchor(2).Dy1), y1);

  // A shift past the last row stops there.
  book->AddImage(FakeJpeg(5), TXlsImgTypes::xli_Jpeg, Box(1, 65530, 2, 65534), TWbkAnchorType::at_MoveAndResize);
  book->InsertAndCopyRows(1, 1, 1, 20, false);
  EXPECT_EQ(rows(3), std::make_pair(65535, 65535));
}

TEST(Drawings, AbsolutePositionsBeyondTheSheetStopAtItsEdges) {
  auto book = NewBook(1);
  TWorkSheet& sheet = book->GetTWorkbook()->WorkSheetAt(0);
  Word cell = 0, offset = 0;
  AbsoluteToCol(sheet, -5, cell, offset);
  EXPECT_EQ(std::make_pair(cell, offset), std::make_pair(Word{0}, Word{0}));
  AbsoluteToCol(sheet, 100000000, cell, offset);
  EXPECT_EQ(cell, 255);
  EXPECT_LE(offset, 1024);
  const Integer x = ColToAbsolute(sheet, 3, 512);
  AbsoluteToCol(sheet, x, cell, offset);
  EXPECT_EQ(std::make_pair(cell, offset), std::make_pair(Word{3}, Word{512}));
}

TEST(Drawings, PicturesInCopiedRowsAreCopiedWithNewIds) {
  auto book = NewBook(1);
  book->AddImage(FakeJpeg(1), TXlsImgTypes::xli_Jpeg, Box(1, 1, 2, 2), TWbkAnchorType::at_MoveAndResize);
  book->AddImage(FakeJpeg(2), TXlsImgTypes::xli_Jpeg, Box(1, 2, 2, 4), TWbkAnchorType::at_MoveAndResize);  // partly out
  book->InsertAndCopyRows(1, 2, 10, 2, false);
  TWorkSheet& sheet = book->GetTWorkbook()->WorkSheetAt(0);
  ASSERT_EQ(sheet.DrawingCount(), 4);
  EXPECT_EQ(sheet.GetAnchor(2).Row1, 9);
  EXPECT_EQ(sheet.GetAnchor(3).Row1, 11);
  EXPECT_EQ(Store(*book)->BSE(0)->References() + Store(*book)->BSE(1)->References(), 4u);
  const std::vector<Cardinal> ids = ShapeIds(*book);
  EXPECT_EQ(std::set<Cardinal>(ids.begin(), ids.end()).size(), ids.size());
}

// Which shapes come along when rows or columns are copied: those that move with the cells
// (kinds 0 and 2) and lie wholly inside the copied block; absolute ones (kind 3) stay single.
TEST(Drawings, CopiedRowsAndColumnsTakeOnlyTheShapesThatMoveWithThemAndLieInside) {
  struct Case {
    const char* name;
    bool rows;
    TImageProperties box;
    TWbkAnchorType kind;
    int copies;  // shapes the copy adds
  };
  const Case cases[] = {
      {"rows, moves and resizes", true, Box(1, 1, 2, 2), TWbkAnchorType::at_MoveAndResize, 2},
      {"rows, moves only", true, Box(3, 1, 4, 2), TWbkAnchorType::at_MoveAndDontResize, 2},
      {"rows, absolute", true, Box(1, 1, 2, 2), TWbkAnchorType::at_DontMoveAndDontResize, 0},
      {"rows, reaching below", true, Box(1, 2, 2, 3), TWbkAnchorType::at_MoveAndResize, 0},
      {"columns, moves only", false, Box(1, 5, 2, 6), TWbkAnchorType::at_MoveAndDontResize, 2},
      {"columns, reaching right", false, Box(2, 5, 3, 6), TWbkAnchorType::at_MoveAndResize, 0},
  };
  for (const Case& c : cases) {
    auto book = NewBook(1);
    book->AddImage(FakeJpeg(1), TXlsImgTypes::xli_Jpeg, c.box, c.kind);
    // Two copies of rows 1-2 (columns A-B) at row 10 (column J).
    if (c.rows) book->InsertAndCopyRows(1, 2, 10, 2, false);
    else book->InsertAndCopyCols(1, 2, 10, 2, false);
    TWorkSheet& sheet = book->GetTWorkbook()->WorkSheetAt(0);
    ASSERT_EQ(sheet.DrawingCount(), 1 + c.copies) << c.name;
    for (int k = 1; k <= c.copies; ++k) {
      const TClientAnchor a = sheet.GetAnchor(k);
      const TClientAnchor o = sheet.GetAnchor(0);
      const Integer shift = 9 + 2 * (k - 1) - (c.rows ? c.box.Row1 - 1 : c.box.Col1 - 1) + (c.rows ? o.Row1 : o.Col1);
      EXPECT_EQ(c.rows ? a.Row1 : a.Col1, shift) << c.name << " copy " << k;
      EXPECT_EQ(c.rows ? a.Row2 - a.Row1 : a.Col2 - a.Col1, c.rows ? o.Row2 - o.Row1 : o.Col2 - o.Col1) << c.name;
    }
    const std::vector<Cardinal> ids = ShapeIds(*book);
    EXPECT_EQ(std::set<Cardinal>(ids.begin(), ids.end()).size(), ids.size()) << c.name;
    EXPECT_EQ(Reloaded(*book)->GetPicturesCount(0), 1 + c.copies) << c.name;
  }
}

// A writer may store the drawing data that follows an OBJ record in CONTINUE records instead
// of a new MSODRAWING record; the drawing reads the same and is written back the usual way.
TEST(Drawings, DrawingDataContinuedAfterAnObjReadsAsTheSameDrawing) {
  auto book = NewBook(1);
  book->AddImage(FakeJpeg(1), TXlsImgTypes::xli_Jpeg, Box(1, 1, 2, 3), TWbkAnchorType::at_MoveAndResize);
  book->AddImage(SmallBitmap(), TXlsImgTypes::xli_Bmp, Box(3, 1, 4, 3), TWbkAnchorType::at_MoveAndResize);
  book->SetCellComment(6, 2, u"after two pictures", TImageProperties{});
  const std::string saved = SavedBytes(*book);
  const std::vector<Byte> stream = StreamOf(saved, u"Workbook");
  std::vector<TPlainRecord> records = PlainRecords(stream);
  int continued = 0;
  for (size_t i = 1; i < records.size(); ++i)
    if (records[i].Id == 0x00EC && records[i - 1].Id == 0x005D) records[i].Id = 0x003C, ++continued;
  ASSERT_EQ(continued, 3) << "the second picture, the comment box and its text box follow an OBJ";
  std::vector<Byte> rewritten = JoinRecords(records);
  rewritten.resize(std::max(rewritten.size(), stream.size()), 0);
  const std::string file = RewriteStream(saved, u"Workbook", rewritten);

  auto wb = LoadWorkbook(file);
  EXPECT_EQ(wb->WorkSheetAt(0).DrawingCount(), 2);
  EXPECT_EQ(StreamOf(SaveWorkbook(*wb, file), u"Workbook"), stream);
  TempDir dir;
  WriteFileBytes(dir.File("continued.xls"), file);
  auto back = OpenBook(dir.File("continued.xls"));
  EXPECT_EQ(back->GetPicturesCount(0), 2);
  EXPECT_EQ(back->GetCellComment(6, 2), u"after two pictures");
}

// Filter arrows are told by what their list serves, however their OBJ is laid out.
TEST(Drawings, FilterArrowsAreToldByWhatTheirListServes) {
  Word id = 0;
  const ArrayOfByte made = VAvObj::CreateEmptyAutoFilter(id)->ObjRecord()->Data;
  ArrayOfByte validation = made;
  validation[57] = 0x06;  // a list of allowed values
  ArrayOfByte withFormula = made;
  SetWord(withFormula, 50, 6);
  withFormula.insert(withFormula.begin() + 52, {0x02, 0x00, 0x00, 0x00, 0x00, 0x00});
  ArrayOfByte picture = made;
  picture[4] = 0x08;
  const std::pair<const char*, ArrayOfByte> cases[] = {
      {"as made here", made},
      {"validation list", validation},
      {"with a list formula", withFormula},
      {"picture", picture},
      {"cut inside the list data", ArrayOfByte(made.begin(), made.begin() + 52)},
      {"comment", VAvObj::CreateEmptyNote(id)->ObjRecord()->Data},
  };
  const bool expected[] = {true, false, true, false, false, false};
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(VAvObj::CreateEmpty(id, cases[i].second)->IsFilterArrow(), expected[i]) << cases[i].first;

}

// An automatic filter brings its arrows, its record and its name; removing it takes the
// arrows and the record and nothing else.
TEST(Drawings, AutomaticFiltersComeWithTheirArrows) {
  auto book = NewBook(1);
  book->AddImage(FakeJpeg(1), TXlsImgTypes::xli_Jpeg, Box(1, 5, 2, 6), TWbkAnchorType::at_MoveAndResize);
  const size_t shapes = ShapeIds(*book).size();
  book->SetAutoFilter(1, 2, 4);
  book->SetAutoFilter(1, 1, 3);  // moved: still one record, three arrows
  EXPECT_EQ(ShapeIds(*book).size(), shapes + 3);
  EXPECT_TRUE(book->HasAutoFilter());
  const TXlsCellRange range = book->GetAutoFilterRange();
  EXPECT_EQ(std::make_tuple(range.Left, range.Top, range.Right, range.Bottom), std::make_tuple(1, 1, 3, 1));
  EXPECT_TRUE(book->HasAutoFilter(1, 3));
  EXPECT_FALSE(book->HasAutoFilter(2, 3));
  const std::vector<TPlainRecord> records = SavedRecords(*book);
  EXPECT_EQ(DataOf(records, 0x009D), (std::vector<std::vector<Byte>>{{3, 0}}));

  TempDir dir;
  book->Save(false, dir.File("filter.xls"), nullptr, nullptr, nullptr);
  auto back = OpenBook(dir.File("filter.xls"));
  EXPECT_TRUE(back->HasAutoFilter(1, 1));
  if (testsupport::LibreOfficeConvert(dir.Path, {"filter.xls"}, "fods")) {
    const std::string shown = xlstest::ReadFileBytes(dir.File("filter.fods"));
    EXPECT_NE(shown.find("table:display-filter-buttons=\"true\""), std::string::npos);
    EXPECT_NE(shown.find("A1:"), std::string::npos);
  }

  book->RemoveAutoFilter();
  EXPECT_FALSE(book->HasAutoFilter());
  EXPECT_EQ(ShapeIds(*book).size(), shapes);
  const TXlsCellRange none = book->GetAutoFilterRange();
  EXPECT_EQ(std::make_tuple(none.Left, none.Top, none.Right, none.Bottom), std::make_tuple(0, 0, 0, 0));
  back = Reloaded(*book);
  EXPECT_EQ(back->GetPicturesCount(0), 1);
  EXPECT_FALSE(back->HasAutoFilter());
}

// ---------------------------------------------------------------------------------------------
// Copied sheets, loaded workbooks and independent readers

TEST(Drawings, CopiedSheetsKeepTheirDrawingsWithFreshShapeIds) {
  auto book = NewBook(1);
  book->AddImage(SmallBitmap(), TXlsImgTypes::xli_Bmp, Box(2, 2, 4, 6), TWbkAnchorType::at_MoveAndResize);
  book->SetCellComment(1, 1, u"on the source", TImageProperties{});
  book->InsertAndCopySheets(1, 2, 2);
  ASSERT_EQ(book->SheetCount(), 3);
  const std::vector<Cardinal> ids = ShapeIds(*book);
  EXPECT_EQ(ids.size(), 9u);
  EXPECT_EQ(std::set<Cardinal>(ids.begin(), ids.end()).size(), ids.size());
  EXPECT_EQ(Store(*book)->BSE(0)->References(), 3u);

  book->SetActiveSheet(2);
  book->SetCellComment(1, 1, u"changed on the copy", TImageProperties{});
  auto back = Reloaded(*book);
  for (Integer s = 1; s <= 3; ++s) {
    back->SetActiveSheet(s);
    EXPECT_EQ(back->GetPicturesCount(0), 1) << s;
    EXPECT_EQ(back->GetCellComment(1, 1), s == 2 ? u"changed on the copy" : u"on the source") << s;
  }
  // Deleting a copy gives its clusters back.
  book->SetActiveSheet(3);
  book->DeleteSheet(1);
  EXPECT_EQ(book->GetTWorkbook()->Globals().DrawingGroup().FRecordCache.Dgg->FDgg().DwgSaved, 2u);
}

TEST(Drawings, LoadedDrawingsAreWrittenBackByteForByte) {
  for (const char* name : {"workbook_features.xls", "sheet_objects.xls"}) {
    const std::string source = Fixture(name);
    auto wb = LoadWorkbook(source);
    const std::vector<Byte> once = StreamOf(SaveWorkbook(*wb, source), u"Workbook");
    auto again = LoadWorkbook(SaveWorkbook(*wb, source));
    const std::vector<Byte> twice = StreamOf(SaveWorkbook(*again, source), u"Workbook");
    EXPECT_EQ(once, twice) << name;
    // The drawing records as the file has them.
    auto drawingRecords = [](const std::vector<Byte>& s) {
      std::vector<TPlainRecord> out;
      for (TPlainRecord& r : PlainRecords(s))
        if (r.Id == 0x00EB || r.Id == 0x00EC || r.Id == 0x005D || r.Id == 0x01B6 || r.Id == 0x001C || r.Id == 0x003C)
          out.push_back(r);
      return out;
    };
    const auto original = drawingRecords(StreamOf(source, u"Workbook"));
    const auto written = drawingRecords(once);
    ASSERT_EQ(original.size(), written.size()) << name;
    for (size_t i = 0; i < original.size(); ++i) {
      EXPECT_EQ(original[i].Id, written[i].Id) << name << " " << i;
      EXPECT_EQ(original[i].Data, written[i].Data) << name << " " << i;
    }
  }
}

TEST(Drawings, PictureAndCommentOnASheetWithAChartAreShownByLibreOffice) {
  auto book = OpenBook(FixturePath("workbook_features.xls"));
  book->AddImage(SmallBitmap(), TXlsImgTypes::xli_Bmp, Box(5, 8, 7, 12, "dots.bmp"), TWbkAnchorType::at_MoveAndResize);
  book->SetCellComment(9, 4, u"Added beside the chart", TImageProperties{});
  TempDir dir;
  const std::string path = dir.File("drawings.xls");
  book->Save(false, path, nullptr, nullptr, nullptr);

  auto back = OpenBook(path);
  EXPECT_EQ(back->GetCellComment(2, 2), u"A note on beta");
  EXPECT_EQ(back->GetCellComment(9, 4), u"Added beside the chart");
  EXPECT_EQ(back->GetPicturesCount(0), 1);
  ExpectOlefileAgrees(xlstest::ReadFileBytes(path), dir, "copy.xls");
  const std::string python = PythonWithXlrd();
  if (!python.empty()) {
    EXPECT_EQ(RunXlrd(python,
                      "import sys,xlrd\n"
                      "b=xlrd.open_workbook(sys.argv[1],formatting_info=True)\n"
                      "s=b.sheet_by_index(0)\n"
                      "for k in sorted(s.cell_note_map): print(k, s.cell_note_map[k].text)\n",
                      path),
              "(1, 1) A note on beta\n(8, 3) Added beside the chart\n");
  }

  // LibreOffice's document of it (its flat export leaves comments out, so the zipped one): the
  // comments and the picture at their cells, the chart still there.
  if (!testsupport::LibreOfficeConvert(dir.Path, {"drawings.xls"}, "ods", dir.Path / "ods"))
    GTEST_SKIP() << "soffice is not installed";
  bool ok = false;
  const std::string shown = RunPythonReader(
      "python3",
      "import sys, zipfile, xml.etree.ElementTree as ET\n"
      "T='{urn:oasis:names:tc:opendocument:xmlns:table:1.0}'\n"
      "O='{urn:oasis:names:tc:opendocument:xmlns:office:1.0}'\n"
      "D='{urn:oasis:names:tc:opendocument:xmlns:drawing:1.0}'\n"
      "root=ET.fromstring(zipfile.ZipFile(sys.argv[1]).read('content.xml'))\n"
      "sheet=next(root.iter(T+'table'))\n"
      "r=0\n"
      "for row in sheet.iter(T+'table-row'):\n"
      "  c=0\n"
      "  for cell in row:\n"
      "    if cell.tag not in (T+'table-cell',T+'covered-table-cell'): continue\n"
      "    for a in cell.findall(O+'annotation'):\n"
      "      print('note',r,c,' '.join(''.join(p.itertext()) for p in a if p.tag.endswith('}p')))\n"
      "    for f in cell.findall(D+'frame'):\n"
      "      if f.find(D+'image') is not None: print('image',r,c)\n"
      "    c+=int(cell.get(T+'number-columns-repeated','1'))\n"
      "  r+=int(row.get(T+'number-rows-repeated','1'))\n"
      "print('charts',len(list(sheet.iter(D+'object'))))\n",
      (dir.Path / "ods" / "drawings.ods").string(), ok);
  ASSERT_TRUE(ok) << shown;
  EXPECT_EQ(shown, "note 1 1 A note on beta\nimage 7 4\nnote 8 3 Added beside the chart\ncharts 1\n");

  // At the right cells: LibreOffice's own workbook of it has them where they were put.
  ASSERT_TRUE(testsupport::LibreOfficeConvert(dir.Path, {"drawings.xls"}, "xls:MS Excel 97", dir.Path / "lo"));
  auto lo = OpenBook((dir.Path / "lo" / "drawings.xls").string());
  EXPECT_EQ(lo->GetCellComment(9, 4), u"Added beside the chart");
  EXPECT_EQ(lo->GetCellComment(2, 2), u"A note on beta");
  lo->BeginSheet();
  ASSERT_GE(lo->GetPicturesCount(0), 1);
  EXPECT_EQ(lo->GetPicturesCount(8), 1);
  TClientAnchor anchor;
  TXlsImgTypes type;
  lo->GetPicture(8, 0, nullptr, type, anchor);
  EXPECT_EQ(std::make_pair(anchor.Col1, anchor.Row1), std::make_pair(Word{5}, Word{8}));
  // And its save of it reopens with them all.
  auto loBack = Reloaded(*lo);
  EXPECT_EQ(loBack->GetCellComment(9, 4), u"Added beside the chart");
  EXPECT_EQ(loBack->GetPicturesCount(0), lo->GetPicturesCount(0));
}

// ---------------------------------------------------------------------------------------------
// Record tree

TEST(Drawings, DrawingGroupsLongerThanARecordAreSplitIntoContinueRecords) {
  auto book = NewBook(1);
  const ByteArray big = FakeJpeg(4, 30000);
  book->AddImage(big, TXlsImgTypes::xli_Jpeg, Box(1, 1, 3, 3), TWbkAnchorType::at_MoveAndResize);
  const std::vector<TPlainRecord> records = SavedRecords(*book);
  size_t at = 0;
  while (at < records.size() && records[at].Id != 0x00EB) ++at;
  ASSERT_LT(at + 4, records.size());
  EXPECT_EQ(records[at].Data.size(), 8224u);
  EXPECT_EQ(records[at + 1].Id, 0x003C);
  EXPECT_EQ(records[at + 1].Data.size(), 8224u);
  auto back = Reloaded(*book);
  TMemoryStream pic;
  TXlsImgTypes type;
  TClientAnchor anchor;
  back->GetPicture(0, 0, &pic, type, anchor);
  EXPECT_EQ(std::string(pic.Bytes().begin(), pic.Bytes().end()), std::string(big.begin(), big.end()));
}

TEST(Drawings, DrawingGroupHandsOutClustersPerDrawing) {
  TDrawingGroup group;
  group.EnsureDwgGroup();
  TEscherDggRecord* dgg = group.FRecordCache.Dgg;
  Cardinal dg1 = 0, first1 = 0, dg2 = 0, first2 = 0;
  dgg->GetNewDgIdAndCluster(dg1, first1);
  dgg->GetNewDgIdAndCluster(dg2, first2);
  EXPECT_EQ(std::make_pair(dg1, first1), std::make_pair(1u, 1024u));
  EXPECT_EQ(std::make_pair(dg2, first2), std::make_pair(2u, 2048u));
  EXPECT_EQ(dgg->AddImage(dg1, first1 + 1), 1024u);
  EXPECT_EQ(dgg->AddImage(dg1, 1024), 1025u);
  // A full cluster opens another.
  Cardinal last = 1025;
  for (int i = 0; i < 1022; ++i) last = dgg->AddImage(dg1, last);
  EXPECT_EQ(last, 2047u);
  EXPECT_EQ(dgg->AddImage(dg1, last), 3072u);
  // A freed drawing's slot is reused by the next new drawing, with the next free id.
  dgg->DestroyClusters(dg2, 0);
  Cardinal dg3 = 0, first3 = 0;
  dgg->GetNewDgIdAndCluster(dg3, first3);
  EXPECT_EQ(std::make_pair(dg3, first3), std::make_pair(2u, 2048u));
}

TEST(Drawings, UnknownRecordsAreKeptAndAlignRulesRefused) {
  TDrawingGroup group;
  group.EnsureDwgGroup();
  TEscherDwgCache cache;
  // A container holding an unknown atom and an unknown container with one atom.
  const std::vector<Byte> tree = Join({Bytes16(0x000F), Bytes16(0xF123), Bytes32(8 + 3 + 8 + 8 + 2),
                                       Bytes16(0x0000), Bytes16(0xF122), Bytes32(3), {1, 2, 3},
                                       Bytes16(0x000F), Bytes16(0xF124), Bytes32(8 + 2),
                                       Bytes16(0x0010), Bytes16(0xF125), Bytes32(2), {4, 5}});
  TBaseRecord record(0x00EC, tree);
  const TBaseRecord* at = &record;
  Integer pos = 0;
  auto top = CreateEscherRecord(ReadEscherHeader(at, pos), &group.FRecordCache, &cache, nullptr);
  top->Load(at, pos);
  ASSERT_TRUE(top->Loaded());
  EXPECT_EQ(top->TotalSizeNoSplit(), static_cast<Int64>(tree.size()));

  const std::vector<Byte> align = Join({Bytes16(0x000F), Bytes16(0xF005), Bytes32(8 + 12), Bytes16(0x0000),
                                        Bytes16(0xF013), Bytes32(12), std::vector<Byte>(12, 0)});
  TBaseRecord alignRecord(0x00EC, align);
  at = &alignRecord;
  pos = 0;
  auto solver = CreateEscherRecord(ReadEscherHeader(at, pos), &group.FRecordCache, &cache, nullptr);
  EXPECT_EQ(MessageOf([&] { solver->Load(at, pos); }),
            FormatXlsMessage(XlsMsg::NotImplementedRecord, {String("Align Rule")}));
}

TEST(Drawings, RulesFollowTheShapesTheyConnect) {
  TDrawingGroup group;
  group.EnsureDwgGroup();
  TEscherDwgCache cache;
  cache.Anchor = std::make_unique<TEscherAnchorCache>();
  cache.Shape = std::make_unique<TEscherShapeCache>();
  cache.Obj = std::make_unique<TEscherObjCache>();
  cache.Blip = std::make_unique<TEscherOPTCache>();
  auto head = [](Word pre, Word id, uint32_t size) { return Join({Bytes16(pre), Bytes16(id), Bytes32(size)}); };
  auto shape = [&](uint32_t id) { return Join({head(0x000F, 0xF004, 16), head(0x0012, 0xF00A, 8), Bytes32(id), Bytes32(0)}); };
  const std::vector<Byte> tree = Join({head(0x000F, 0xF002, 160), head(0x0010, 0xF008, 8), Bytes32(4), Bytes32(1027),
                                       head(0x000F, 0xF003, 96), shape(1024), shape(1025), shape(1026), shape(1027),
                                       head(0x001F, 0xF005, 32), head(0x0000, 0xF012, 24), Bytes32(2), Bytes32(1025),
                                       Bytes32(1026), Bytes32(1027), Bytes32(0), Bytes32(0)});
  TBaseRecord record(0x00EC, tree);
  const TBaseRecord* at = &record;
  Integer pos = 0;
  auto top = CreateEscherRecord(ReadEscherHeader(at, pos), &group.FRecordCache, &cache, nullptr);
  top->Load(at, pos);
  ASSERT_TRUE(top->Loaded());
  cache.Solver->FixPointers();
  EXPECT_EQ(cache.Solver->MaxRuleId, 2u);
  auto* rule = static_cast<TEscherConnectorRuleRecord*>(cache.Solver->FContainedRecords[0]);
  for (TEscherSPRecord* s : rule->Shapes) EXPECT_NE(s, nullptr);

  // Shape A goes: the rule stays without it.
  TEscherRecordList& shapes = cache.Patriarch->FContainedRecords;
  shapes.Delete(1);
  ASSERT_EQ(cache.Solver->FContainedRecords.Count(), 1);
  EXPECT_EQ(rule->FConnectorRule().SpIds[0], 0u);
  EXPECT_EQ(rule->FConnectorRule().SpIds[1], 1026u);
  EXPECT_EQ(cache.Dg->ShapeCount(), 3u);
  // The connector goes: so does its rule.
  shapes.Delete(2);
  EXPECT_EQ(cache.Solver->FContainedRecords.Count(), 0);
}

}  // namespace
