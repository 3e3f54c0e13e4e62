// The engine's message texts and formatting, bounded value access in record data, the
// counters with limits, and the shared support routines.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "xls/vavUWbkMessages.h"
#include "xls/vavXlsMessages.h"

using namespace xlstest;

TEST(XlsMessages, PlaceholdersAreFilledInOrder) {
  EXPECT_EQ(FormatXlsMessage(XlsMsg::InvalidRecordId, {Int64{0x203}}), "Record with ID 0x203 is invalid");
  EXPECT_EQ(FormatXlsMessage(XlsMsg::TokenNotSupported, {Int64{5}}), "Error reading formula, Token Id: 0x05 is not supported");
  EXPECT_EQ(FormatXlsMessage(XlsMsg::FormulaNotSupported, {Int64{3}, Int64{4}, Int64{0x3C}}),
            "Formula at Row 3, column 4 is not supported. Token Id: 0x3C");
  EXPECT_EQ(FormatXlsMessage(XlsMsg::IndexOutOfRange, {Int64{9}, String("Sheet"), Int64{1}, Int64{3}}),
            "The index \"9\" of the property \"Sheet\" is not in the range 1-3");
  EXPECT_EQ(FormatXlsMessage(XlsMsg::FileInvalid, {String()}), "The file \"\" is invalid");
  EXPECT_EQ(FormatXlsMessage(XlsMsg::EndOfStream, {Int64{5000000000}}), "End of stream reached with 5000000000 bytes left to read");
  EXPECT_EQ(FormatXlsMessage("100% of %d", {Int64{7}}), "100% of 7");
  EXPECT_EQ(FormatXlsMessage(XlsMsg::InvalidRow), "Invalid Row (%d)");

  try {
    RaiseXls(XlsMsg::DuplicatedSheetName, {String("Data")});
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(typeid(e), typeid(Exception));  // the general class, not an engine subclass
    EXPECT_EQ(e.Message, "Sheet name already exists: Data");
  }
  ETokenException token("bad token", 0x19);
  EXPECT_NE(dynamic_cast<EExcelException*>(&token), nullptr);
}

TEST(XlsMessages, ValuesInRecordDataStayInBounds) {
  std::vector<Byte> data = {0x34, 0x12, 0x78, 0x56, 0xFA, 0x00};
  EXPECT_EQ(GetWord(data, 0), 0x1234);
  EXPECT_EQ(GetCardinal(data, 0), 0x56781234u);
  SetWord(data, 4, 0xBEEF);
  EXPECT_EQ(data[4], 0xEF);
  for (size_t pos : {size_t{5}, size_t{6}, size_t{100}, SIZE_MAX}) {
    EXPECT_EQ(MessageOf([&] { GetWord(data, pos); }), "Error reading record") << pos;
    EXPECT_EQ(MessageOf([&] { SetCardinal(data, pos, 1); }), "Error reading record") << pos;
  }
  EXPECT_EQ(MessageOf([&] { GetDouble(data, 0); }), "Error reading record");
}

TEST(XlsMessages, CountersWithLimits) {
  std::vector<Byte> data = {250, 0, 9};
  EXPECT_EQ(MessageOf([&] { IncWordMax(data, 0, 10, 255); }), "Too many entries for this kind of record (260 out of a maximum of 255)");
  EXPECT_EQ(MessageOf([&] { IncWordMax(data, 0, -251, 255); }), "Too many entries for this kind of record (-1 out of a maximum of 255)");
  EXPECT_EQ(GetWord(data, 0), 250);
  IncWordMax(data, 0, 5, 255);
  EXPECT_EQ(GetWord(data, 0), 255);
  EXPECT_EQ(MessageOf([&] { IncByteMax(data, 2, 250, 255); }), "Too many entries for this kind of record (259 out of a maximum of 255)");
  IncByteMax(data, 2, -9, 255);
  EXPECT_EQ(data[2], 0);
  Word w = 10;
  IncWordVarMax(w, 5, 20);
  EXPECT_EQ(w, 15);
  EXPECT_EQ(MessageOf([&] { IncWordVarMax(w, 6, 20); }), "Too many entries for this kind of record (21 out of a maximum of 20)");
  IncWordClamped(w, 100, 30, 2);
  EXPECT_EQ(w, 30);
  IncWordClamped(w, -100, 30, 2);
  EXPECT_EQ(w, 2);
  std::vector<Byte> card = {0xFF, 0xFF, 0xFF, 0xFF};
  IncCardinal(card, 0, 2);
  EXPECT_EQ(GetCardinal(card, 0), 1u);
}

TEST(XlsSupport, ColumnLettersAndNumbers) {
  std::pair<Integer, const char*> columns[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {256, "IV"}};
  for (auto [c, letters] : columns) EXPECT_EQ(EncodeColumn(c), letters) << c;

  struct Number { const char* text; bool ok; long double value; };
  for (const Number& n : {Number{"1.5e3", true, 1500}, Number{"-0.25", true, -0.25}, Number{"  +7", true, 7},
                          Number{"1,5", false, 0}, Number{"12abc", false, 0}, Number{"", false, 0}, Number{"inf", false, 0},
                          Number{"-", false, 0}, Number{"3 ", false, 0}}) {
    Extended v = 0;
    EXPECT_EQ(TryParseFloatDot(n.text, v), n.ok) << n.text;
    if (n.ok) {
      EXPECT_EQ(v, n.value) << n.text;
    }
  }
  EXPECT_EQ(ReplaceOutsideQuotes("h:mm AMPM \"AMPM\" ampm", "AMPM", "AM/PM"), "h:mm AM/PM \"AMPM\" AM/PM");
  EXPECT_EQ(UpperCaseText(u"zürich \u03C3\u03C2 \u0436"), u"ZÜRICH \u03A3\u03A3 \u0416");
}

TEST(XlsSupport, SearchFile) {
  TempDir dir;
  WriteFileBytes(dir.File("template.xls"), "x");
  EXPECT_EQ(SearchFile("", dir.File("template.xls")), dir.File("template.xls"));
  EXPECT_EQ(SearchFile(dir.Path.string(), "template.xls"), dir.File("template.xls"));
  EXPECT_EQ(MessageOf([&] { SearchFile(dir.Path.string(), "missing.xls"); }),
            "Can't find the file \"" + dir.File("missing.xls") + "\"");
  EXPECT_EQ(MessageOf([] { SearchFile("", "surely-not-next-to-the-program.xls"); }),
            "Can't find the file \"surely-not-next-to-the-program.xls\"");
  EXPECT_TRUE(IsFullPath("/tmp/a"));
  EXPECT_TRUE(IsFullPath("C:\\data"));
  EXPECT_FALSE(IsFullPath("data/a.xls"));
}
