// Cell hyperlinks: the HLINK body written from and read into a THyperLink (byte layouts worked
// by hand from the record layout), the screen tip, the list's sorting, row and column moves, and
// the workbook file's hyperlink operations.
#include <gtest/gtest.h>

#include "WorkbookTestHelpers.h"
#include "classlib/SysUtils.h"
#include "xls/vavUBiffHyperLink.h"
#include "xls/vavUXlsFile.h"

using namespace xlstest;

namespace {

using Bytes = std::vector<Byte>;

THyperLink Link(THyperLinkType Type, const WideString& Text, const WideString& Mark = {}) {
  THyperLink l;
  l.LinkType = Type;
  l.Text = Text;
  l.TextMark = Mark;
  return l;
}

bool Same(const THyperLink& a, const THyperLink& b) {
  return a.LinkType == b.LinkType && a.Description == b.Description && a.TargetFrame == b.TargetFrame &&
         a.TextMark == b.TextMark && a.Text == b.Text && a.Hint == b.Hint;
}

std::unique_ptr<THLinkRecord> LinkOn(Integer Top, Integer Bottom, Integer Left = 0, Integer Right = 0,
                                     const WideString& Hint = {}) {
  THyperLink l = Link(THyperLinkType::hl_URL, u"http://a/" + Utf8ToWide(std::to_string(Top)));
  l.Hint = Hint;
  return THLinkRecord::CreateNew({Left, Top, Right, Bottom}, l);
}

// Rows of every link of the list, in list order: "first-last".
std::vector<std::string> Rows(const THLinkList& List) {
  std::vector<std::string> out;
  for (Integer i = 0; i < List.Count(); ++i)
    out.push_back(std::to_string(List[i]->FirstRow()) + "-" + std::to_string(List[i]->LastRow()));
  return out;
}

TSheetInfo LinkSheet() {
  TSheetInfo info;
  info.InsSheet = 0;
  info.FormulaSheet = 0;
  return info;
}

std::unique_ptr<TXLSFile> NewLinkBook() {
  auto book = std::make_unique<TXLSFile>(nullptr);
  book->Connect();
  book->NewFile(1);
  book->SetActiveSheet(1);
  return book;
}

}  // namespace

TEST(HyperLinkRecord, PropertiesWrittenAndReadBack) {
  // A URL of 8 characters: moniker and absolute bits, class id, byte count, text and NUL.
  auto url = THLinkRecord::CreateNew({1, 2, 3, 4}, Link(THyperLinkType::hl_URL, u"http://x"));
  EXPECT_EQ(url->OptionFlags(), 0x03);
  EXPECT_EQ(url->DataSize(), 32 + 16 + 4 + 18);
  EXPECT_EQ(GetCardinal(url->Data, 48), 18u);
  EXPECT_EQ(url->GetCellRange(), (TXlsCellRange{1, 2, 3, 4}));
  EXPECT_EQ(GetCardinal(url->Data, 24), 2u);

  THyperLink full = Link(THyperLinkType::hl_URL, u"https://example.org/a b", u"part");
  full.Description = u"Site";
  full.TargetFrame = u"_blank";
  full.Hint = u"Opens the site";
  THyperLink unc = Link(THyperLinkType::hl_UNC, u"\\\\server\\share\\data.xls", u"Sheet1!A1");
  const THyperLink cases[] = {full, unc, Link(THyperLinkType::hl_LocalFile, u"..\\..\\data\\x.txt"),
                              Link(THyperLinkType::hl_LocalFile, u"C:\\Daten\\\u03A9mega.txt"),
                              Link(THyperLinkType::hl_CurrentWorkbook, u"", u"'Other sheet'!B3")};
  for (const THyperLink& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.Text + u" " + c.TextMark));
    auto link = THLinkRecord::CreateNew({0, 0, 0, 0}, c);
    EXPECT_TRUE(Same(link->GetProperties(), c));
    // A copy carries its own tool tip.
    std::unique_ptr<TBaseRecord> copy = link->DoCopyTo();
    link->SetProperties(THyperLink{});
    EXPECT_TRUE(Same(static_cast<THLinkRecord*>(copy.get())->GetProperties(), c));
  }
  // The description takes both of its bits; the frame and the mark theirs.
  auto described = THLinkRecord::CreateNew({0, 0, 0, 0}, full);
  EXPECT_EQ(described->OptionFlags(), 0x03 | 0x14 | 0x80 | 0x08);

  // Two "..\" groups and a 10-character rest: up-level count 2, 8-bit length 11, no extension.
  auto file = THLinkRecord::CreateNew({0, 0, 0, 0}, cases[2]);
  EXPECT_EQ(file->OptionFlags(), 0x01);
  EXPECT_EQ(GetWord(file->Data, 48), 2);
  EXPECT_EQ(GetCardinal(file->Data, 50), 11u);
  EXPECT_EQ(GetCardinal(file->Data, 54 + 11 + 24), 0u);
  // A character above 255: "?" in the 8-bit path, the exact text in the extension.
  auto wide = THLinkRecord::CreateNew({0, 0, 0, 0}, cases[3]);
  EXPECT_EQ(wide->Data[48 + 2 + 4 + 9], '?');
  EXPECT_EQ(GetCardinal(wide->Data, 54 + 19 + 24), 2u * 18 + 6);
}

TEST(HyperLinkRecord, StoredBodiesOfOtherWritersAndDamagedOnes) {
  auto link = THLinkRecord::CreateNew({0, 0, 0, 0}, Link(THyperLinkType::hl_URL, u"http://x", u"m"));
  // A class id or creation time with the moniker: not a URL, and nothing after it is read.
  link->SetOptionFlags(link->OptionFlags() | 0x20);
  EXPECT_TRUE(Same(link->GetProperties(), Link(THyperLinkType::hl_CurrentWorkbook, u"")));

  // A stored 8-bit path of the NUL alone: an empty path, and the text mark after it in place.
  Bytes body(32, 0);
  SetWord(body, 28, 0x01 | 0x08);
  const Bytes moniker = Join({{0x03, 0x03, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46},
                              Bytes16(0),
                              Bytes32(1),
                              {0},
                              {0xFF, 0xFF, 0xAD, 0xDE},
                              Bytes(20, 0),
                              Bytes32(0),
                              Bytes32(2),
                              {'A', 0, 0, 0}});
  body.insert(body.end(), moniker.begin(), moniker.end());
  THLinkRecord empty(0x01B8, body);
  EXPECT_TRUE(Same(empty.GetProperties(), Link(THyperLinkType::hl_LocalFile, u"", u"A")));

  // Counts pointing past the body are refused.
  for (size_t countAt : {size_t{48}, size_t{32}}) {
    THLinkRecord damaged(0x01B8, link->Data);
    damaged.SetOptionFlags(countAt == 48 ? 0x03 : 0x14);
    SetCardinal(damaged.Data, countAt, 0x7FFFFFF0);
    EXPECT_EQ(MessageOf([&] { damaged.GetProperties(); }), "Error reading record");
  }
  // A tool tip too short for a text reads as none.
  TScreenTipRecord shortTip(0x0800, Bytes(6, 0));
  EXPECT_EQ(shortTip.Text(), u"");
}

TEST(HyperLinkRecord, TextsTooLongForOneRecordAreRefused) {
  auto link = THLinkRecord::CreateNew({0, 0, 0, 0}, Link(THyperLinkType::hl_URL, u"http://keep"));
  const Bytes before = link->Data;
  THyperLink longText = Link(THyperLinkType::hl_URL, WideString(5000, u'a'));
  EXPECT_EQ(MessageOf([&] { link->SetProperties(longText); }),
            "Hyperlink too long (10054 bytes; a record holds at most 8224)");
  THyperLink longHint = Link(THyperLinkType::hl_URL, u"http://x");
  longHint.Hint = WideString(4200, u'h');
  EXPECT_EQ(MessageOf([&] { link->SetProperties(longHint); }),
            "Hyperlink too long (8412 bytes; a record holds at most 8224)");
  EXPECT_EQ(link->Data, before);
  EXPECT_EQ(link->Hint(), nullptr);
}

TEST(HyperLinkList, SavedSortedWithTheirTips) {
  THLinkList list;
  list.Add(LinkOn(9, 9, 2, 2, u"third"));
  list.Add(LinkOn(1, 1, 5, 5));
  list.Add(LinkOn(1, 1, 0, 3, u"first"));
  const Bytes stream = WrittenBytes([&](TOle2File& f) { list.SaveToStream(f); }, list.TotalSize());
  const std::vector<TPlainRecord> records = PlainRecords(stream);
  ASSERT_EQ(records.size(), 5u);
  const std::pair<Word, std::vector<Word>> expected[] = {{0x01B8, {1, 1, 0, 3}},
                                                         {0x0800, {0x0800, 1, 1, 0, 3}},
                                                         {0x01B8, {1, 1, 5, 5}},
                                                         {0x01B8, {9, 9, 2, 2}},
                                                         {0x0800, {0x0800, 9, 9, 2, 2}}};
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].Id, expected[i].first) << i;
    for (size_t k = 0; k < expected[i].second.size(); ++k)
      EXPECT_EQ(GetWord(records[i].Data, 2 * k), expected[i].second[k]) << i;
  }
  // Only the links meeting a range; the counted size agrees.
  const TXlsCellRange range{4, 0, 255, 5};
  const Bytes part = WrittenBytes([&](TOle2File& f) { list.SaveRangeToStream(f, range); }, list.TotalRangeSize(range));
  ASSERT_EQ(PlainRecords(part).size(), 1u);
}

TEST(HyperLinkList, RowsDeletedAndCopied) {
  const TSheetInfo info = LinkSheet();
  {
    // Rows 5 to 7 deleted: a link inside goes, one below moves up; a link reaching into the
    // block keeps what is left of it, in place.
    THLinkList list;
    for (auto [top, bottom] : {std::pair{5, 7}, {10, 12}, {6, 10}, {2, 5}, {1, 1}}) list.Add(LinkOn(top, bottom));
    list.DeleteRange({0, 5, 255, 7}, 1, 0, info);
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"7-9", "5-7", "2-4", "1-1"}));
  }
  {
    // Two copies of rows 2 to 3 go in at row 10: the link on row 12 moves to 16, the one on row
    // 2 is copied to rows 10 and 12.
    THLinkList list;
    list.Add(LinkOn(12, 12));
    list.Add(LinkOn(2, 2, 0, 0, u"tip"));
    list.InsertAndCopyRange({0, 2, 255, 3}, 10, 0, 2, 0, info);
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"16-16", "2-2", "10-10", "12-12"}));
    EXPECT_EQ(list[3]->GetProperties().Hint, u"tip");
  }
  {
    // A change on another sheet leaves the links alone; one past the last row is refused.
    THLinkList list;
    list.Add(LinkOn(65530, 65530));
    TSheetInfo other = info;
    other.FormulaSheet = 1;
    list.InsertAndCopyRange({0, 0, 255, 0}, 0, 0, 10, 0, other);
    EXPECT_EQ(Rows(list), std::vector<std::string>{"65530-65530"});
    EXPECT_EQ(MessageOf([&] {
                list.InsertAndCopyRange({0, 0, 255, 0}, 0, 0, 10, 0, info);
              }),
              "Too many entries for this kind of record (65540 out of a maximum of 65535)");
  }
}

TEST(HyperLinkFile, AddedReadChangedMovedAndDeleted) {
  auto book = NewLinkBook();
  EXPECT_EQ(book->HyperLinkCount(), 0);
  THyperLink site = Link(THyperLinkType::hl_URL, u"https://example.org/");
  site.Description = u"Site";
  book->AddHyperLink({2, 3, 2, 3}, site);  // B3
  book->AddHyperLink({1, 1, 1, 1}, Link(THyperLinkType::hl_CurrentWorkbook, u"", u"Sheet1!A9"));
  ASSERT_EQ(book->HyperLinkCount(), 2);
  EXPECT_TRUE(Same(book->GetHyperLink(1), site));
  EXPECT_EQ(book->GetHyperLinkCellRange(1), (TXlsCellRange{2, 3, 2, 3}));
  EXPECT_EQ(book->GetTWorkbook()->WorkSheetAt(0).HLinks()[0]->GetCellRange(), (TXlsCellRange{1, 2, 1, 2}));

  book->SetHyperLinkCellRange(2, {1, 5, 2, 6});
  EXPECT_EQ(book->GetHyperLinkCellRange(2), (TXlsCellRange{1, 5, 2, 6}));
  book->SetHyperLink(2, Link(THyperLinkType::hl_URL, u"http://b/"));
  EXPECT_EQ(book->GetHyperLink(2).Text, u"http://b/");
  // Two rows inserted above row 4 (interface) move the link on rows 5-6; the one on row 3 stays.
  book->InsertAndCopyRows(65536, 65536, 4, 2, false);
  EXPECT_EQ(book->GetHyperLinkCellRange(2), (TXlsCellRange{1, 7, 2, 8}));
  EXPECT_EQ(book->GetHyperLinkCellRange(1), (TXlsCellRange{2, 3, 2, 3}));
  book->DeleteRows(3, 1);
  EXPECT_EQ(book->HyperLinkCount(), 1);
  EXPECT_EQ(book->GetHyperLinkCellRange(1), (TXlsCellRange{1, 6, 2, 7}));

  for (Integer bad : {0, 2})
    EXPECT_EQ(MessageOf([&] { book->GetHyperLink(bad); }),
              "The index \"" + std::to_string(bad) + "\" of the property \"HyperLinkIndex\" is not in the range 1-1");
  EXPECT_EQ(MessageOf([&] { book->AddHyperLink({1, 0, 1, 1}, site); }), "Invalid Row (0)");
  book->DeleteHyperLink(1);
  EXPECT_EQ(book->HyperLinkCount(), 0);
}
