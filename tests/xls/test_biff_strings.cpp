// BIFF8 strings: 8-bit and 16-bit characters, rich-text runs and far-east blocks, strings that
// run on into CONTINUE records, building, comparing and writing them, and the same layouts in
// plain byte blocks.
#include <gtest/gtest.h>

#include <set>

#include "XlsTestHelpers.h"
#include "xls/vavUBiffStrings.h"

using namespace xlstest;

namespace {
WideString FromUtf8(const std::string& s) {
  WideString out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = s[i];
    if (c < 0x80) {
      out += c;
      i += 1;
    } else if (c < 0xE0) {
      out += static_cast<char16_t>(((c & 0x1F) << 6) | (s[i + 1] & 0x3F));
      i += 2;
    } else {
      out += static_cast<char16_t>(((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F));
      i += 3;
    }
  }
  return out;
}

// Texts of the cells of a two-column CSV fixture (no commas inside fields).
std::set<WideString> CsvTexts(const std::string& name) {
  std::set<WideString> texts;
  std::istringstream lines(Fixture(name));
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t start = 0;
    while (start <= line.size()) {
      size_t comma = line.find(',', start);
      std::string field = line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      if (field.size() >= 2 && field.front() == '"') field = field.substr(1, field.size() - 2);
      if (!field.empty() && field.find_first_not_of("0123456789.") != std::string::npos) texts.insert(FromUtf8(field));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  return texts;
}

struct SharedStrings {
  std::vector<TExcelString> Strings;
  bool EndedAtChainEnd = false;
};

SharedStrings ReadSharedStrings(const std::string& fixture) {
  SharedStrings result;
  auto records = RecordsOf(Fixture(fixture));
  for (auto& r : records) {
    if (r->Id != 0x00FC) continue;
    const TBaseRecord* at = r.get();
    Integer ofs = 8;
    for (Cardinal i = 0, n = GetCardinal(r->Data, 4); i < n; ++i) result.Strings.emplace_back(2, at, ofs);
    result.EndedAtChainEnd = !at->Continue && ofs == at->DataSize();
  }
  return result;
}

std::vector<Byte> ByteList(std::initializer_list<int> values) {
  std::vector<Byte> out;
  for (int v : values) out.push_back(static_cast<Byte>(v));
  return out;
}

// A record holding `first`, continued by records holding each of `rest`.
std::unique_ptr<TBaseRecord> Chain(std::vector<Byte> first, std::initializer_list<std::vector<Byte>> rest) {
  auto record = std::make_unique<TBaseRecord>(0x00FC, std::move(first));
  TBaseRecord* last = record.get();
  for (auto& data : rest) {
    last->AddContinue(std::make_unique<TContinueRecord>(0x003C, data));
    last = last->Continue.get();
  }
  return record;
}
}  // namespace

TEST(BiffStrings, SharedStringsOfTheFixturesMatchTheirSources) {
  for (const char* name : {"long_strings", "small_grid"}) {
    SCOPED_TRACE(name);
    SharedStrings sst = ReadSharedStrings(std::string(name) + ".xls");
    std::set<WideString> read;
    for (auto& s : sst.Strings) read.insert(s.Value());
    EXPECT_EQ(read, CsvTexts(std::string(name) + ".csv"));
    EXPECT_TRUE(sst.EndedAtChainEnd);
  }
}

TEST(BiffStrings, CharacterWidthFollowsTheText) {
  SharedStrings sst = ReadSharedStrings("small_grid.xls");
  for (auto& s : sst.Strings) {
    if (s.Value() == u"Zürich") {
      EXPECT_EQ(s.OptionFlags & 1, 0);  // ü is 0xFC: one byte
    }
    if (s.Value() == u"αβγ δ") {
      EXPECT_EQ(s.OptionFlags & 1, 1);
    }
  }
}

TEST(BiffStrings, RichTextRunsOfAFixture) {
  SharedStrings sst = ReadSharedStrings("rich_text.xls");
  auto it = std::find_if(sst.Strings.begin(), sst.Strings.end(), [](auto& s) { return s.Value() == u"plain bold and italic"; });
  ASSERT_NE(it, sst.Strings.end());
  ASSERT_TRUE(it->HasRichText());
  std::vector<Word> starts;
  for (Word i = 0; i < it->NumberRichTextFormats; ++i) starts.push_back(GetWord(it->RichTextFormats, 4 * i));
  EXPECT_EQ(starts, (std::vector<Word>{0, 6, 10, 15}));  // plain, bold, plain, italic
  std::vector<Byte> saved;
  it->SaveToStream(saved);
  EXPECT_EQ(static_cast<Int64>(saved.size()), it->TotalSize());
}

TEST(BiffStrings, CharactersContinueWithTheirOwnWidth) {
  // 10 characters: 4 one-byte ones end the record; the CONTINUE record says 16-bit.
  auto widened = Chain(ByteList({10, 0, 0, 'a', 'b', 'c', 'd'}), {ByteList({1, 'e', 0, 'f', 0, 0xA9, 0x03, 'h', 0, 'i', 0, 'j', 0})});
  const TBaseRecord* at = widened.get();
  Integer ofs = 0;
  TExcelString s(2, at, ofs);
  EXPECT_EQ(s.Value(), u"abcdef\u03A9hij");
  EXPECT_EQ(s.GetCharSize(), 2);
  EXPECT_TRUE(s.ShortData.empty());
  EXPECT_EQ(at, widened->Continue.get());
  EXPECT_EQ(ofs, 13);

  // 16-bit first, then one-byte characters: they are widened one by one.
  auto narrowAfterWide = Chain(ByteList({3, 0, 1, 'x', 0}), {ByteList({0, 0xE9, 'z'})});
  at = narrowAfterWide.get();
  ofs = 0;
  EXPECT_EQ(TExcelString(2, at, ofs).Value(), u"x\u00E9z");

  // Several switches in a row, and a string that starts exactly at a record boundary.
  auto many = Chain(ByteList({0xAA}), {ByteList({4, 0, 0, 'a'}), ByteList({1, 'b', 0}), ByteList({0, 'c'}), ByteList({1, 'd', 0})});
  at = many.get();
  ofs = 1;
  EXPECT_EQ(TExcelString(2, at, ofs).Value(), u"abcd");
}

TEST(BiffStrings, RunsAndFarEastDataContinueWithoutAnOptionByte) {
  // "ab", 8-bit, one run and a 3-byte far-east block; the run and far-east data are split.
  std::vector<Byte> whole = ByteList({2, 0, 0x0C, 1, 0, 3, 0, 0, 0, 'a', 'b', 1, 0, 5, 0, 0xF1, 0xF2, 0xF3});
  auto split = Chain(std::vector<Byte>(whole.begin(), whole.begin() + 13), {std::vector<Byte>(whole.begin() + 13, whole.begin() + 16),
                                                                           std::vector<Byte>(whole.begin() + 16, whole.end())});
  const TBaseRecord* at = split.get();
  Integer ofs = 0;
  TExcelString s(2, at, ofs);
  EXPECT_EQ(s.Value(), u"ab");
  EXPECT_EQ(s.NumberRichTextFormats, 1);
  EXPECT_EQ(s.RichTextFormats, ByteList({1, 0, 5, 0}));
  EXPECT_EQ(s.FarEastData, ByteList({0xF1, 0xF2, 0xF3}));
  EXPECT_EQ(s.TotalSize(), static_cast<Int64>(whole.size()));
  std::vector<Byte> saved;
  s.SaveToStream(saved);
  EXPECT_EQ(saved, whole);
  std::vector<Byte> block(whole.size() + 2, 0);
  s.CopyToPtr(block, 2);
  EXPECT_TRUE(std::equal(whole.begin(), whole.end(), block.begin() + 2));
}

TEST(BiffStrings, DamagedStringsFailCleanly) {
  struct Case { const char* what; std::unique_ptr<TBaseRecord> record; };
  Case cases[] = {
      {"characters past the record", Chain(ByteList({5, 0, 0, 'a', 'b'}), {})},
      {"16-bit character split between records", Chain(ByteList({2, 0, 1, 'a'}), {ByteList({1, 0, 'b', 0})})},
      {"empty CONTINUE record", Chain(ByteList({2, 0, 0, 'a'}), {ByteList({})})},
      {"huge far-east size", Chain(ByteList({1, 0, 0x04, 0xF0, 0xFF, 0xFF, 0xFF, 'a'}), {})},
      {"runs past the record", Chain(ByteList({1, 0, 0x08, 0xFF, 0xFF, 'a'}), {})},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TBaseRecord* at = c.record.get();
    Integer ofs = 0;
    EXPECT_EQ(MessageOf([&] { TExcelString(2, at, ofs); }), "Error reading record");
  }
}

TEST(BiffStrings, BuildingFromText) {
  EXPECT_EQ(TExcelString(1, WideString(255, u'n')).StrLen, 255);
  EXPECT_EQ(MessageOf([] { TExcelString(1, WideString(256, u'n')); }), "Invalid String record");

  struct Case { WideString text; bool forceWide; Byte options; Int64 totalSize; };
  for (const Case& c : {Case{u"Zürich", false, 0, 9}, Case{u"\u03B1lpha", false, 1, 13}, Case{u"abc", true, 1, 9},
                        Case{u"abc", false, 0, 6}, Case{u"", false, 0, 3}}) {
    TExcelString s(2, c.text, c.forceWide);
    EXPECT_EQ(s.OptionFlags, c.options);
    EXPECT_EQ(s.TotalSize(), c.totalSize);
    EXPECT_EQ(s.Value(), c.text);
    std::vector<Byte> saved;
    s.SaveToStream(saved);
    EXPECT_EQ(static_cast<Int64>(saved.size()), c.totalSize);
  }
  std::vector<Byte> empty;
  TExcelString(2, u"").SaveToStream(empty);
  EXPECT_EQ(empty, ByteList({0, 0, 0}));

  TExcelString rich(2, u"abc");
  rich.OptionFlags |= 0x08;
  rich.NumberRichTextFormats = 2;
  rich.RichTextFormats.assign(8, 0);
  EXPECT_EQ(rich.TotalSize(), 16);

  TExcelString odd(2, u"abc");
  odd.StrLenLength = 3;
  std::vector<Byte> out;
  EXPECT_EQ(MessageOf([&] { odd.SaveToStream(out); }), "StrLenLength should be 1 or 2");
  std::vector<Byte> noLength;
  TExcelString(2, u"abc").SaveToStream(noLength, false);
  EXPECT_EQ(noLength, ByteList({0, 'a', 'b', 'c'}));
}

TEST(BiffStrings, CompareOrdersByWidthThenLengthThenCharacters) {
  auto cmp = [](const TExcelString& a, const TExcelString& b) { return a.Compare(b); };
  EXPECT_EQ(cmp(TExcelString(2, u"b"), TExcelString(2, u"ab")), -1);        // shorter first
  EXPECT_EQ(cmp(TExcelString(2, u"ab"), TExcelString(2, u"ab")), 0);
  EXPECT_EQ(cmp(TExcelString(2, u"a\u00FF"), TExcelString(2, u"ab")), 1);   // bytes compare unsigned
  EXPECT_EQ(cmp(TExcelString(2, u"zz"), TExcelString(2, u"a", true)), -1);  // 8-bit before 16-bit
  EXPECT_EQ(cmp(TExcelString(1, u"zz"), TExcelString(2, u"a")), -1);        // count width first
  EXPECT_EQ(cmp(TExcelString(2, u"\u03B2"), TExcelString(2, u"\u03B1\u03B1")), 1);  // 16-bit: ordinal
}

TEST(BiffStrings, StringsInsidePlainByteBlocks) {
  std::vector<Byte> block = ByteList({0xEE, 3, 0x01, 'a', 0, 'b', 0, 0xA9, 0x03, 0xEE});
  EXPECT_EQ(StrByteLength(false, block, 1), 8);
  Int64 length = 0;
  WideString text;
  DecodeStringAt(false, block, 1, length, text);
  EXPECT_EQ(text, u"ab\u03A9");
  EXPECT_EQ(length, 8);
  DecodeStringAt(false, block, 2, length, text, 2, true);  // count given by the caller
  EXPECT_EQ(text, u"ab");
  std::vector<Byte> tooShort = ByteList({9, 0, 0, 'a'});
  EXPECT_EQ(MessageOf([&] { DecodeStringAt(true, tooShort, 0, length, text); }), "Error reading record");
  EXPECT_EQ(MessageOf([&] { DecodeStringAt(true, tooShort, 3, length, text); }), "Error reading record");

  EXPECT_TRUE(IsWide(u"a\u20AC"));
  EXPECT_FALSE(IsWide(u"Z\u00FCrich"));
  std::vector<Byte> packed(3, 0);
  CompressStringTo(u"a\u20ACb", packed, 0);
  EXPECT_EQ(packed, ByteList({'a', '?', 'b'}));
  EXPECT_EQ(CompressString(u"Z\u00FC"), std::string("Z\xFC"));
  EXPECT_EQ(WidenString("Z\xFC"), u"Z\u00FC");
}
