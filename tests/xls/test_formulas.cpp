// Formulas in the workbook engine: formula text to BIFF8 tokens and back, the built-in function
// table, references that follow inserted, deleted and copied rows, columns and sheets, the
// formula and name records, and the link table of 3-D references. Expected token bytes are
// worked by hand from the BIFF8 token layouts.
#include <gtest/gtest.h>

#include <cstring>

#include "WorkbookTestHelpers.h"
#include "classlib/SysUtils.h"
#include "xls/vavUBiffEncodeFormula.h"
#include "xls/vavUBiffFormulaParser.h"
#include "xls/vavUXlsFile.h"

using namespace xlstest;

namespace {

using Bytes = std::vector<Byte>;

// A new workbook whose sheets are named Sheet1, Sheet2, ...; the first sheet is active.
std::unique_ptr<TXLSFile> NewFormulaBook(Integer Sheets = 1) {
  auto book = std::make_unique<TXLSFile>(nullptr);
  book->Connect();
  book->NewFile(Sheets);
  for (Integer i = Sheets; i >= 1; --i) {
    book->SetActiveSheet(i);
    book->SetActiveSheetName(Utf8ToWide("Sheet" + std::to_string(i)));
  }
  return book;
}

TCellList& Cells(TXLSFile& book) {
  return book.GetTWorkbook()->WorkSheetAt(book.GetActiveSheet() - 1).Cells().CellList();
}

// The FORMULA record of a cell (1-based), or none.
TFormulaRecord* FormulaCell(TXLSFile& book, Integer Row, Integer Col) {
  TCellRecordList* row = Cells(book).RowList(Row - 1);
  Integer index = 0;
  if (!row || !row->Find(Col - 1, index)) return nullptr;
  return dynamic_cast<TFormulaRecord*>((*row)[index]);
}

// The tokens a cell's formula holds.
Bytes TokensOf(TXLSFile& book, Integer Row, Integer Col) {
  const TFormulaRecord* f = FormulaCell(book, Row, Col);
  if (!f) return {};
  return Bytes(f->Data.begin() + 22, f->Data.begin() + 22 + f->TokenLength());
}

Bytes NumberBytes(double v) {
  Bytes out(8);
  std::memcpy(out.data(), &v, 8);
  return out;
}

// The text of stored tokens (and the extra data of array constants after them), read with the
// book's first sheet as context.
WideString TextOf(TXLSFile& book, const Bytes& tokens, const Bytes& extra = {}) {
  Bytes data = Join({Bytes16(static_cast<unsigned>(tokens.size())), tokens, extra});
  return FormulaTokensToText(data, 2, &Cells(book));
}


}  // namespace

// ---------------------------------------------------------------------------------------------
// Text to tokens

TEST(FormulaEncoding, TypedFormulasGiveTheirTokens) {
  auto book = NewFormulaBook();
  struct Case {
    const char16_t* text;
    Bytes tokens;
  };
  const Case cases[] = {
      {u"=1+2*3", {0x1E, 1, 0, 0x1E, 2, 0, 0x1E, 3, 0, 0x05, 0x03}},
      // SUM takes a reference: the area keeps its class; the result is a value.
      {u"=SUM(A1:B2)", {0x25, 0, 0, 1, 0, 0, 0xC0, 1, 0xC0, 0x42, 1, 4, 0}},
      {u"=65535", {0x1E, 0xFF, 0xFF}},
      {u"=65536", Join({{0x1F}, NumberBytes(65536)})},
      {u"=1.5", Join({{0x1F}, NumberBytes(1.5)})},
      {u"=#N/A", {0x1C, 0x2A}},
      {u"=TRUE", {0x1D, 1}},
      {u"=$A$1", {0x44, 0, 0, 0, 0}},
      {u"=A1:B2", {0x45, 0, 0, 1, 0, 0, 0xC0, 1, 0xC0}},
      {u"=A:A", {0x45, 0, 0, 0xFF, 0xFF, 0, 0xC0, 0, 0xC0}},
      {u"=1:1", {0x45, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0xC0}},
      // Left to right: (2^3)^2; the sign binds before the power.
      {u"=2^3^2", {0x1E, 2, 0, 0x1E, 3, 0, 0x07, 0x1E, 2, 0, 0x07}},
      {u"=-2^2", {0x1E, 2, 0, 0x13, 0x1E, 2, 0, 0x07}},
      {u"=10%", {0x1E, 10, 0, 0x14}},
      // IF's first argument is a value; the empty second one is a missing argument.
      {u"=IF(A1,,2)", {0x44, 0, 0, 0, 0xC0, 0x16, 0x1E, 2, 0, 0x42, 3, 1, 0}},
      {u"=SUM(A1,B1)", {0x24, 0, 0, 0, 0xC0, 0x24, 0, 0, 1, 0xC0, 0x42, 2, 4, 0}},
      {u"=(A1,B1)", {0x24, 0, 0, 0, 0xC0, 0x24, 0, 0, 1, 0xC0, 0x10, 0x15}},
      {u"=PI()", {0x41, 19, 0}},
      {u"=sum(1)", {0x1E, 1, 0, 0x42, 1, 4, 0}},
      {u"=CONCATENATE()", {0x42, 0, 0x50, 0x01}},
      {u"= 1", {0x19, 0x40, 0, 1, 0x1E, 1, 0}},
      {u"=1 +2", {0x1E, 1, 0, 0x1E, 2, 0, 0x19, 0x40, 0, 1, 0x03}},
      {u"=\"a\"\"b\"", {0x17, 3, 0, 'a', '"', 'b'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Text(c.text));
    book->SetCellFormula(1, 1, c.text);
    EXPECT_EQ(TokensOf(*book, 1, 1), c.tokens);
    // The cell has no cached result yet: a spreadsheet opening the file calculates it.
    EXPECT_EQ(FormulaCell(*book, 1, 1)->Data[14] & 0x02, 0x02);
  }
}

TEST(FormulaEncoding, RefusedTextsLeaveTheCellAsItWas) {
  auto book = NewFormulaBook();
  book->SetCellValue(1, 1, Variant(4.0));
  struct Case {
    std::u16string text;
    std::string message;
  };
  const Case cases[] = {
      {u"=ROUND(1)", "Invalid number of parameters to function \"ROUND\": Expected 2 and found 1"},
      {u"=ABS(1,2)", "Invalid number of parameters to function \"ABS\": Expected 1 and found 2"},
      {u"1+2", "Formula must start with \"=\": \"1+2\""},
      {u"=1+", "Unexpected end of formula: \"=1+\""},
      {u"=1 ", "Unexpected char \" \" at pos 3 on formula: \"=1 \""},
      {u"=*2", "Unexpected char \"*\" at pos 2 on formula: \"=*2\""},
      {u"=(1", "Missing closing parentheses on formula: \"=(1\""},
      {u"=\"abc", "Unterminated string on formula: \"=\"abc\""},
      {u"=MyName", "Unexpected Identifier: \"MYNAME\" on formula \"=MyName\""},
      {u"=SUM (1)", "Unexpected Identifier: \"SUM\" on formula \"=SUM (1)\""},
      {u"=#BAD!", "Unexpected Identifier: \"#BAD!\" on formula \"=#BAD!\""},
      {u"=Sheet1!MyName", "External names are not supported: MYNAME"},
      {u"=Nowhere!A1", "Invalid sheet: Nowhere"},
      {u"=NOTAFUNCTION53()", "Function not found: \"NOTAFUNCTION53\" on formula \"=NOTAFUNCTION53()\""},
      {u"={1,2}", "Writing array formulas is not yet supported"},
      {u"=()", "Formula can't be evaluated: \"=()\""},
      {u"=1" + std::u16string(1023, u'0'), "Formula too long: \"=1" + std::string(1023, '0') + "\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Text(c.text).substr(0, 40));
    EXPECT_EQ(MessageOf([&] { book->SetCellFormula(1, 1, c.text); }), c.message);
    EXPECT_EQ(book->GetCellValue(1, 1).AsDouble(), 4.0);
    EXPECT_EQ(FormulaCell(*book, 1, 1), nullptr);
  }
  // Nesting deep enough to exhaust the parser is refused too.
  const std::u16string nested = u"=" + std::u16string(300, u'(') + u"1" + std::u16string(300, u')');
  EXPECT_EQ(MessageOf([&] { book->SetCellFormula(1, 1, nested); }), "Formula too long: \"" + Text(nested) + "\"");
  const std::u16string deep = u"=" + std::u16string(200, u'(') + u"1" + std::u16string(200, u')');
  book->SetCellFormula(1, 1, deep);
  EXPECT_EQ(book->GetCellFormula(1, 1), deep);
  // 1023 characters are the most a formula may have.
  std::u16string longest = u"=";
  for (int i = 0; i < 510; ++i) longest += u"1+";
  longest += u"11";
  ASSERT_EQ(longest.size(), 1023u);
  EXPECT_EQ(MessageOf([&] { book->SetCellFormula(1, 1, longest); }), "(no error)");
}

TEST(FormulaEncoding, ThreeDReferencesFindOrAddTheirSheetEntry) {
  auto book = NewFormulaBook(3);
  book->SetActiveSheet(2);
  book->SetActiveSheetName(u"My Sheet");
  book->SetActiveSheet(1);
  const TReferences& refs = book->GetTWorkbook()->Globals().References();
  const Integer before = refs.ExternRefs().Count();
  book->SetCellFormula(1, 1, u"=Sheet3!A1");
  book->SetCellFormula(2, 1, u"=sheet3!B2+'My Sheet'!$C$3");
  book->SetCellFormula(3, 1, u"=SUM(Sheet1:Sheet3!A1:B2)");
  // One entry for Sheet3, reused; one for "My Sheet"; one for the span of all three.
  EXPECT_EQ(refs.ExternRefs().Count(), before + 3);
  const Bytes first = TokensOf(*book, 1, 1);
  ASSERT_EQ(first.size(), 7u);
  EXPECT_EQ(first[0], 0x5A);
  EXPECT_EQ(refs.GetSheet(first[1] | (first[2] << 8)), 2);
  EXPECT_EQ(Bytes(first.begin() + 3, first.end()), (Bytes{0, 0, 0, 0xC0}));
  EXPECT_EQ(TokensOf(*book, 2, 1)[1], first[1]);
  EXPECT_EQ(book->GetCellFormula(1, 1), u"='Sheet3'!A1");
  EXPECT_EQ(book->GetCellFormula(2, 1), u"='Sheet3'!B2+'My Sheet'!$C$3");
  EXPECT_EQ(book->GetCellFormula(3, 1), u"=SUM('Sheet1:Sheet3'!A1:B2)");
}

// ---------------------------------------------------------------------------------------------
// Tokens to text

TEST(FormulaText, StoredTokensReadAsTheTextTyped) {
  auto book = NewFormulaBook();
  struct Case {
    Bytes tokens;
    const char16_t* text;
  };
  const Case cases[] = {
      // The operand class does not change the text.
      {{0x24, 0, 0, 0, 0xC0}, u"=A1"},
      {{0x44, 0, 0, 0, 0xC0}, u"=A1"},
      {{0x64, 0, 0, 0, 0xC0}, u"=A1"},
      {{0x24, 0, 0, 1, 0}, u"=$B$1"},
      {{0x25, 0, 0, 1, 0, 0, 0xC0, 1, 0xC0, 0x19, 0x10, 0, 0}, u"=SUM(A1:B2)"},
      {{0x25, 0, 0, 1, 0, 0, 0xC0, 1, 0xC0, 0x42, 1, 4, 0}, u"=SUM(A1:B2)"},
      {{0x19, 0x40, 0, 2, 0x1F, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}, u"=  1"},
      {{0x1E, 1, 0, 0x19, 0x40, 2, 1, 0x19, 0x40, 4, 1, 0x15}, u"= (1 )"},
      {{0x25, 0, 0, 0xFF, 0xFF, 0, 0xC0, 0, 0xC0}, u"=A:A"},
      {{0x25, 0, 0, 0xFF, 0xFF, 0, 0, 2, 0}, u"=$A:$C"},
      {{0x25, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0xC0}, u"=A1:IV1"},
      {{0x17, 6, 0, 's', 'a', 'y', '"', 'h', 'i'}, u"=\"say\"\"hi\""},
      {{0x17, 2, 1, 0xB1, 0x03, 0x20, 0x00}, u"=\"\u03B1 \""},
      {{0x1C, 0x07, 0x1C, 0x17, 0x03, 0x1C, 0x2A, 0x03, 0x1C, 0x63, 0x03}, u"=#DIV/0!+#REF!+#N/A+#ZIVIVEV_UNKNOWN"},
      {{0x1D, 1, 0x1D, 0, 0x04}, u"=TRUE-FALSE"},
      {{0x1E, 2, 0, 0x13, 0x14}, u"=-2%"},
      {{0x2A, 0, 0, 0, 0, 0x2B, 0, 0, 0, 0, 0, 0, 0, 0, 0x03}, u"=#REF!+#REF!"},
      {{0x1E, 1, 0, 0x1E, 2, 0, 0x1E, 3, 0, 0x22, 3, 100, 0}, u"=CHOOSE(1,2,3)"},
      {Join({{0x1F}, NumberBytes(0.1 + 0.2)}), u"=0.30000000000000004"},
      {Join({{0x1F}, NumberBytes(1e20)}), u"=1E20"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Text(c.text));
    EXPECT_EQ(TextOf(*book, c.tokens), c.text);
  }
  // An array constant of 2 columns and 2 rows, its values in the extra data after the tokens.
  EXPECT_EQ(TextOf(*book, {0x60, 0, 0, 0, 0, 0, 0, 0},
                   Join({{1, 1, 0}, {1}, NumberBytes(1), {1}, NumberBytes(2), {2, 1, 0, 0, 'x'}, {4, 1, 0, 0, 0, 0, 0, 0, 0}})),
            u"={1,2;\"x\",TRUE}");
}

TEST(FormulaText, DamagedTokensAreRefused) {
  auto book = NewFormulaBook();
  struct Case {
    Bytes tokens;
    const char* message;
  };
  const Case cases[] = {
      {{0x18}, "Error reading formula, Token Id: 0x18 is not supported"},
      {{0x1E, 1, 0, 0x70}, "Error reading formula, Token Id: 0x70 is not supported"},
      {{0x1E, 1}, "Error reading record"},                      // operand cut off
      {{0x24, 0, 0, 0}, "Error reading record"},
      {{0x60, 0, 0, 0, 0, 0, 0}, "Error reading record"},       // reserved bytes cut off
      {{0x60, 0, 0, 0, 0, 0, 0, 0}, "Error reading record"},    // array values missing
      {{0x17, 9, 0, 'a'}, "Error reading record"},              // string past the tokens
      {{0x19, 0x04, 5, 0}, "Error reading record"},             // jump table past the tokens
      {{0x21, 0x90, 0x01}, "The index \"400\" of the property \"Function name\" is not in the range 0-367"},
      {{0x03}, "String Stack is empty"},
      {{}, "String Stack is empty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(MessageOf([&] { TextOf(*book, c.tokens); }), c.message);
  }
  // Names and sheet references outside their tables.
  const Integer names = book->GetTWorkbook()->Globals().Names().Count();
  const Integer refs = book->GetTWorkbook()->Globals().References().ExternRefs().Count();
  EXPECT_EQ(MessageOf([&] { TextOf(*book, {0x23, static_cast<Byte>(names + 1), 0, 0, 0}); }),
            "The index \"" + std::to_string(names) + "\" of the property \"Name Index\" is not in the range 0-" +
                std::to_string(names - 1));
  EXPECT_EQ(MessageOf([&] { TextOf(*book, {0x3A, static_cast<Byte>(refs + 5), 0, 0, 0, 0, 0}); }),
            "The index \"" + std::to_string(refs + 5) + "\" of the property \"Sheet Reference\" is not in the range 0-" +
                std::to_string(refs - 1));
  // Array constants: values of the known kinds only.
  const Bytes array = {0x60, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(MessageOf([&] { TextOf(*book, array, {0, 0, 0, 0}); }), "Error reading formula, Token Id: 0x00 is not supported");
  EXPECT_EQ(MessageOf([&] { TextOf(*book, array, {1, 0, 0, 1, 0, 0}); }), "Error reading record");
  // The token length itself may not run past the data.
  const Bytes cut = {9, 0, 0x1E, 1, 0};
  EXPECT_EQ(MessageOf([&] { FormulaTokensToText(cut, 2, &Cells(*book)); }), "Error reading record");
}

TEST(FormulaText, TypedFormulasReadBackAsTyped) {
  auto book = NewFormulaBook(2);
  for (const char16_t* text :
       {u"=1+2*3", u"=SUM(A1:B2)", u"=IF(A1>0,1,0)", u"=AVERAGE('Sheet2'!A1:A5)", u"=-$B$3%", u"=\"x\"&\"y\"", u"=A:A",
        u"=$A:B", u"=(1+2)*3", u"=  1", u"=A1<>B1", u"=A1<=B1", u"=A1>=B1", u"=0.1+0.2", u"=0.30000000000000004",
        u"=1E20", u"=1.5E-7", u"=NA()", u"=#NULL!", u"=IF(A1,,2)", u"=SUM(A1,B1)",
        u"=SUM((A1,B1))", u"=SUM( 1)", u"=ROUND(PI(),2)", u"=TRUE", u"=SUM('Sheet1:Sheet2'!B2)"}) {
    SCOPED_TRACE(Text(text));
    book->SetCellFormula(1, 1, text);
    EXPECT_EQ(book->GetCellFormula(1, 1), text);
  }
  // Any number keeps its value through text: the digits it needs, up to 17.
  for (double v : {0.1 + 0.2, 1.0 / 3.0, 2.0 / 3.0 * 1e-300, 123456.78901234567, 9007199254740993.0, 1e308}) {
    const WideString text = u"=" + Utf8ToWide(FormulaNumberToText(v));
    book->SetCellFormula(1, 1, text);
    EXPECT_EQ(TokensOf(*book, 1, 1), Join({{0x1F}, NumberBytes(v)})) << Text(text);
  }
  // A cell without formula has no formula text.
  book->SetCellValue(2, 2, Variant(1.0));
  EXPECT_EQ(book->GetCellFormula(2, 2), u"");
  EXPECT_EQ(book->GetCellFormula(9, 9), u"");
}

// ---------------------------------------------------------------------------------------------
// The function table

TEST(FunctionTable, HoldsEveryFunctionNumberOnce) {
  const auto table = CellFunctionTable();
  ASSERT_EQ(table.size(), 368u);
  Integer functions = 0;
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].Index, static_cast<Integer>(i));
    const String name = table[i].Name;
    if (name.rfind("NotAFunction", 0) == 0) {
      EXPECT_EQ(name, "NotAFunction" + std::to_string(i));
      EXPECT_EQ(table[i].MaxArgCount, 0);
      continue;
    }
    ++functions;
    EXPECT_EQ(FindCellFunction(name), static_cast<Integer>(i));
    EXPECT_LE(table[i].MinArgCount, table[i].MaxArgCount);
    EXPECT_LE(table[i].MaxArgCount, 30);
  }
  EXPECT_EQ(functions, 247);
  struct Row {
    Integer index;
    const char* name;
    Integer min, max;
    bool isVolatile;
    TFmReturnType result;
    const char* params;
  };
  const Row rows[] = {{0, "COUNT", 0, 30, false, TFmReturnType::fmValue, "R"},
                      {1, "IF", 2, 3, false, TFmReturnType::fmRef, "VRR"},
                      {29, "INDEX", 2, 4, false, TFmReturnType::fmRef, "RVVV"},
                      {49, "LINEST", 1, 4, false, TFmReturnType::fmArray, "RRVV"},
                      {63, "RAND", 0, 0, true, TFmReturnType::fmValue, "-"},
                      {78, "OFFSET", 3, 5, true, TFmReturnType::fmRef, "RVVVV"},
                      {148, "INDIRECT", 1, 2, true, TFmReturnType::fmRef, "VV"},
                      {165, "MMULT", 2, 2, false, TFmReturnType::fmArray, "AA"},
                      {228, "SUMPRODUCT", 1, 30, false, TFmReturnType::fmValue, "A"},
                      {261, "ERROR.TYPE", 1, 1, false, TFmReturnType::fmValue, "V"},
                      {344, "SUBTOTAL", 2, 30, false, TFmReturnType::fmValue, "VR"},
                      {367, "VARA", 1, 30, false, TFmReturnType::fmValue, "R"}};
  for (const Row& r : rows) {
    const TCellFunctionData& f = table[static_cast<size_t>(r.index)];
    EXPECT_STREQ(f.Name, r.name);
    EXPECT_EQ(f.MinArgCount, r.min) << r.name;
    EXPECT_EQ(f.MaxArgCount, r.max) << r.name;
    EXPECT_EQ(f.Volatile, r.isVolatile) << r.name;
    EXPECT_EQ(f.ReturnType, r.result) << r.name;
    EXPECT_STREQ(f.ParamType, r.params);
  }
  EXPECT_EQ(ParamTypeAt(table[1], 5), 'R');  // later parameters take the last letter
  EXPECT_EQ(FindCellFunction("sum"), -1);   // exact: formula text is upper-cased first
}

// ---------------------------------------------------------------------------------------------
// References following structural changes

TEST(FormulaArranging, RowsInsertedAndDeletedMoveTheReferences) {
  auto book = NewFormulaBook();
  const std::pair<const char16_t*, const char16_t*> inserted[] = {
      {u"=A150", u"=A160"}, {u"=A99", u"=A99"}, {u"=SUM(A1:A120)", u"=SUM(A1:A130)"}, {u"=SUM(A:A)", u"=SUM(A:A)"},
      {u"=$A$100", u"=$A$110"}, {u"=SUM(A100:B101)", u"=SUM(A110:B111)"}};
  for (Integer i = 0; i < static_cast<Integer>(std::size(inserted)); ++i) book->SetCellFormula(1, i + 1, inserted[i].first);
  // Ten rows go in before row 100.
  book->InsertAndCopyRows(65536, 65536, 100, 10, false);
  for (Integer i = 0; i < static_cast<Integer>(std::size(inserted)); ++i)
    EXPECT_EQ(book->GetCellFormula(1, i + 1), inserted[i].second) << Text(inserted[i].first);

  auto other = NewFormulaBook();
  const std::pair<const char16_t*, const char16_t*> deleted[] = {
      {u"=A5", u"=#REF!"},         {u"=A8", u"=A6"},          {u"=A4", u"=A4"},
      {u"=SUM(A1:A10)", u"=SUM(A1:A8)"}, {u"=SUM(A5:A6)", u"=SUM(#REF!)"}, {u"=SUM(A6:A9)", u"=SUM(A5:A7)"},
      {u"=SUM(A:A)", u"=SUM(A:A)"}, {u"=SUM(A5:A65536)", u"=SUM(A5:A65536)"}};
  for (Integer i = 0; i < static_cast<Integer>(std::size(deleted)); ++i) other->SetCellFormula(1, i + 1, deleted[i].first);
  other->DeleteRows(5, 2);  // rows 5 and 6
  for (Integer i = 0; i < static_cast<Integer>(std::size(deleted)); ++i)
    EXPECT_EQ(other->GetCellFormula(1, i + 1), deleted[i].second) << Text(deleted[i].first);
}

TEST(FormulaArranging, ColumnsInsertedAndDeletedMoveTheReferences) {
  auto book = NewFormulaBook();
  const std::pair<const char16_t*, const char16_t*> deleted[] = {
      {u"=SUM(A10:E10)", u"=SUM(A10:C10)"}, {u"=C10", u"=#REF!"}, {u"=F10", u"=D10"},
      {u"=SUM(B10:C10)", u"=SUM(#REF!)"},   {u"=SUM(C10:F10)", u"=SUM(B10:D10)"}, {u"=SUM(1:1)", u"=SUM(A1:IV1)"}};
  for (Integer i = 0; i < static_cast<Integer>(std::size(deleted)); ++i) book->SetCellFormula(i + 1, 1, deleted[i].first);
  book->DeleteCols(2, 2);  // columns B and C
  for (Integer i = 0; i < static_cast<Integer>(std::size(deleted)); ++i)
    EXPECT_EQ(book->GetCellFormula(i + 1, 1), deleted[i].second) << Text(deleted[i].first);

  auto wide = NewFormulaBook();
  wide->SetCellFormula(1, 1, u"=IV1+B1");
  wide->SetCellFormula(2, 1, u"=SUM(B1:IU1)");
  wide->InsertAndCopyCols(256, 256, 2, 1, false);  // one column before B
  EXPECT_EQ(wide->GetCellFormula(1, 1), u"=#REF!+C1");
  EXPECT_EQ(wide->GetCellFormula(2, 1), u"=SUM(C1:IV1)");
}

TEST(FormulaArranging, CopiedFormulasMoveTheirRelativeReferences) {
  auto book = NewFormulaBook();
  book->SetCellFormula(1, 1, u"=A2+$B$1+B$3");
  // A copy one row down and one column right.
  std::unique_ptr<TBaseRecord> copy = FormulaCell(*book, 1, 1)->DoCopyTo();
  auto* formula = static_cast<TFormulaRecord*>(copy.get());
  formula->ArrangeCopyRowsAndCols(1, 1);
  EXPECT_EQ(formula->Row(), 1);
  EXPECT_EQ(formula->Column(), 1);
  EXPECT_EQ(FormulaTokensToText(formula->Data, 22, &Cells(*book)), u"=B3+$B$1+C$3");
  // Rows copied through the workbook: the copies point at the rows beside them.
  book->SetCellFormula(3, 2, u"=B2*2");
  book->InsertAndCopyRows(3, 3, 5, 2, false);
  EXPECT_EQ(book->GetCellFormula(5, 2), u"=B4*2");
  EXPECT_EQ(book->GetCellFormula(6, 2), u"=B5*2");
  EXPECT_EQ(book->GetCellFormula(3, 2), u"=B2*2");
  // A copy that would leave the sheet refers to nothing.
  std::unique_ptr<TBaseRecord> up = FormulaCell(*book, 3, 2)->DoCopyTo();
  static_cast<TFormulaRecord*>(up.get())->ArrangeCopyRowsAndCols(-2, 0);
  EXPECT_EQ(FormulaTokensToText(up->Data, 22, &Cells(*book)), u"=#REF!*2");
}

TEST(FormulaArranging, OtherSheetsAndDeletedSheets) {
  auto book = NewFormulaBook(3);
  book->SetCellFormula(1, 1, u"=Sheet2!A5+A5");
  book->SetCellFormula(2, 1, u"=SUM(Sheet3!A1:A9)");
  // Rows inserted in Sheet2 move the reference into it, not the one into Sheet1.
  book->SetActiveSheet(2);
  book->InsertAndCopyRows(65536, 65536, 2, 3, false);
  book->SetActiveSheet(1);
  EXPECT_EQ(book->GetCellFormula(1, 1), u"='Sheet2'!A8+A5");
  book->InsertAndCopyRows(65536, 65536, 2, 1, false);
  EXPECT_EQ(book->GetCellFormula(1, 1), u"='Sheet2'!A8+A6");
  // A sheet inserted before them keeps every reference on its sheet.
  book->InsertAndCopySheets(-1, 2, 1);
  EXPECT_EQ(book->GetCellFormula(1, 1), u"='Sheet2'!A8+A6");
  EXPECT_EQ(book->GetCellFormula(3, 1), u"=SUM('Sheet3'!A1:A9)");
  // Deleting Sheet2 leaves its references with nothing to point at.
  book->SetActiveSheet(3);
  ASSERT_EQ(book->GetActiveSheetName(), u"Sheet2");
  book->DeleteSheet(1);
  book->SetActiveSheet(1);
  EXPECT_EQ(book->GetCellFormula(1, 1), u"=#REF!+A6");
  EXPECT_EQ(book->GetCellFormula(3, 1), u"=SUM('Sheet3'!A1:A9)");
}

TEST(FormulaArranging, ACopiedSheetRefersToItself) {
  auto book = NewFormulaBook(2);
  book->SetCellFormula(1, 1, u"=Sheet1!B1+Sheet2!B1");
  TXlsNamedRange local{u"Here", u"=Sheet1!$B$1", 0, 0, 1};
  book->AddRange(local);
  // Names cannot be typed in formulas; the reference to "Here" goes in as tokens.
  book->SetCellFormula(2, 1, u"=1*2");
  TFormulaRecord* f = FormulaCell(*book, 2, 1);
  f->Data.resize(22);
  const Byte here = static_cast<Byte>(book->GetRangeCount());  // the name just added, 1-based
  const Bytes tokens = {0x43, here, 0, 0, 0, 0x1E, 2, 0, 0x05};
  f->Data.insert(f->Data.end(), tokens.begin(), tokens.end());
  SetWord(f->Data, 20, static_cast<Word>(tokens.size()));
  book->InsertAndCopySheets(1, 1, 1);  // the copy goes first
  book->SetActiveSheet(1);
  const WideString copy = book->GetActiveSheetName();
  EXPECT_EQ(book->GetCellFormula(1, 1), u"='" + copy + u"'!B1+'Sheet2'!B1");
  EXPECT_EQ(book->GetCellFormula(2, 1), u"=Here*2");
  // The copy's own "Here", pointing at the copy.
  const TNameRecordList& names = book->GetTWorkbook()->Globals().Names();
  const Integer index = TokensOf(*book, 2, 1)[1] - 1;
  EXPECT_EQ(names[index]->RangeSheet(), 0);
  EXPECT_EQ(names[index]->Formula(&Cells(*book)), u"='" + copy + u"'!$B$1");
  book->SetActiveSheet(2);
  EXPECT_EQ(book->GetCellFormula(1, 1), u"='Sheet1'!B1+'Sheet2'!B1");
}

TEST(FormulaArranging, UnknownTokensAreReportedWithTheirCell) {
  auto book = NewFormulaBook();
  book->SetCellFormula(3, 2, u"=A1");
  // A memory-area token in front of the reference: no arranging knows it.
  TFormulaRecord* f = FormulaCell(*book, 3, 2);
  f->Data.insert(f->Data.begin() + 22, {0x26, 0, 0, 0, 0, 5, 0});
  SetWord(f->Data, 20, 12);
  EXPECT_EQ(MessageOf([&] { book->InsertAndCopyRows(65536, 65536, 1, 1, false); }),
            "Formula at Row 3, column 2 is not supported. Token Id: 0x26");
}

// ---------------------------------------------------------------------------------------------
// Formula and name records

TEST(FormulaRecords, TextResultsSplitOverContinueRecords) {
  auto book = NewFormulaBook();
  book->SetCellFormulaX(1, 1, u"=REPT(\"a\",10000)", Variant(WideString(10000, u'a')));
  book->SetCellFormulaX(2, 1, u"=1", Variant(1.0));
  TWorkbook& wb = *book->GetTWorkbook();
  const std::string saved = SaveWorkbook(wb, Fixture("small_grid.xls"));
  std::vector<Word> ids;
  std::vector<size_t> sizes;
  bool inCells = false;
  for (const auto& r : PlainRecords(StreamOf(saved, u"Workbook"))) {
    inCells = inCells || r.Id == 0x0006;
    if (inCells && (r.Id == 0x0006 || r.Id == 0x0207 || r.Id == 0x003C)) {
      ids.push_back(r.Id);
      sizes.push_back(r.Data.size());
    }
  }
  // The number result needs no STRING; the text one takes 8219 bytes and a CONTINUE.
  EXPECT_EQ(ids, (std::vector<Word>{0x0006, 0x0207, 0x003C, 0x0006}));
  EXPECT_EQ(sizes[1], 8219u);
  EXPECT_EQ(sizes[2], 1785u);
  auto again = LoadWorkbook(saved);
  EXPECT_EQ(again->WorkSheetAt(0).Cells().CellList().GetValue(0, 0).Value.AsWideString(), WideString(10000, u'a'));
  EXPECT_EQ(again->WorkSheetAt(0).Cells().CellList().GetValue(1, 0).Value.AsDouble(), 1.0);
}

TEST(FormulaRecords, ACopiedFormulaHasNoResultUntilCalculated) {
  auto book = NewFormulaBook();
  book->SetCellFormulaX(1, 1, u"=1+1", Variant(2.0));
  EXPECT_EQ(book->GetCellValue(1, 1).AsDouble(), 2.0);
  std::unique_ptr<TBaseRecord> copy = FormulaCell(*book, 1, 1)->DoCopyTo();
  auto* f = static_cast<TFormulaRecord*>(copy.get());
  EXPECT_TRUE(f->GetValue().IsEmpty());
  EXPECT_EQ(Bytes(f->Data.begin() + 6, f->Data.begin() + 14), (Bytes{2, 0, 0, 0, 0, 0, 0xFF, 0xFF}));
  // Saving a changed workbook drops every cached result, so a spreadsheet recalculates.
  book->SetCellValue(5, 5, Variant(1.0));
  TempDir dir;
  book->Save(false, dir.File("recalc.xls"), nullptr, nullptr, nullptr);
  EXPECT_TRUE(FormulaCell(*book, 1, 1)->GetValue().IsEmpty());
}

TEST(FormulaRecords, TablesMoveWithInsertedRows) {
  TTableRecord table(0x0236, Join({Bytes16(7), Bytes16(9), {1, 2}, Bytes16(0), Bytes16(2), Bytes16(0), Bytes16(0xFFFF),
                                   Bytes16(0xFF)}));
  EXPECT_EQ(GetWord(table.Data, 6), 0x0003);  // always calculated, and on load
  table.ArrangeInsertRowsAndCols(5, 2, 0, 0);
  EXPECT_EQ(GetWord(table.Data, 0), 9);
  EXPECT_EQ(GetWord(table.Data, 2), 11);
  EXPECT_EQ(GetWord(table.Data, 8), 2);         // an input cell above the rows stays
  EXPECT_EQ(GetWord(table.Data, 12), 0xFFFF);   // an empty one stays empty
  table.ArrangeInsertRowsAndCols(0, 0, 1, 0);
  EXPECT_EQ(table.Data[4], 2);
  EXPECT_EQ(MessageOf([&] { table.ArrangeInsertRowsAndCols(0, 65530, 0, 0); }),
            "Too many entries for this kind of record (65539 out of a maximum of 65535)");
}

TEST(FormulaRecords, NamesHaveBoundsThatCanBeSet) {
  auto book = NewFormulaBook(2);
  TXlsNamedRange block{u"Block", u"=Sheet1!$A$1:$B$3", 0, 0, 0};
  TXlsNamedRange cell{u"Cell", u"=Sheet2!$A$1", 0, 0, 0};
  TXlsNamedRange sum{u"Total", u"=SUM(Sheet1!$A$1:$A$3)", 0, 0, 0};
  book->AddRange(block);
  book->AddRange(cell);
  book->AddRange(sum);
  ASSERT_EQ(book->GetRangeCount(), 3);
  const TNameRecordList& names = book->GetTWorkbook()->Globals().Names();
  EXPECT_EQ(names[0]->GetR1(), 0);
  EXPECT_EQ(names[0]->GetR2(), 2);
  EXPECT_EQ(names[0]->GetC1(), 0);
  EXPECT_EQ(names[0]->GetC2(), 1);
  EXPECT_EQ(book->GetRangeSheet(1), 1);
  EXPECT_EQ(book->GetRangeSheet(2), 2);
  EXPECT_EQ(book->GetRangeSheet(3), 0);  // not one reference
  EXPECT_EQ(names[2]->GetR1(), -1);
  EXPECT_EQ(names[2]->Formula(&Cells(*book)), u"=SUM('Sheet1'!$A$1:$A$3)");
  // Setting a bound of a cell name makes it an area.
  names[1]->SetR2(5);
  EXPECT_EQ(names[1]->Formula(&Cells(*book)), u"='Sheet2'!$A$1:$A$6");
  EXPECT_EQ(book->GetRangeR2(2), 6);
  // Names follow rows inserted on their sheet.
  book->SetActiveSheet(2);
  book->InsertAndCopyRows(65536, 65536, 1, 2, false);
  EXPECT_EQ(names[1]->Formula(&Cells(*book)), u"='Sheet2'!$A$3:$A$8");
  EXPECT_EQ(names[0]->Formula(&Cells(*book)), u"='Sheet1'!$A$1:$B$3");
  // Replacing keeps the name's place; the saved sizes follow the names that grew.
  TXlsNamedRange again{u"BLOCK", u"=Sheet1!$C$1", 0, 0, 0};
  book->AddRange(again);
  EXPECT_EQ(book->GetRangeName(1), u"BLOCK");
  TWorkbook& wb = *book->GetTWorkbook();
  const std::string saved = SaveWorkbook(wb, Fixture("small_grid.xls"));
  auto loaded = LoadWorkbook(saved);
  EXPECT_EQ(loaded->Globals().Names().Count(), 3);
}

// ---------------------------------------------------------------------------------------------
// The link table

TEST(FormulaReferences, LongTablesGoOnInContinueRecords) {
  TReferences refs;
  for (Integer i = 0; i < 1371; ++i) refs.AddSheet(2000, i, i);
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  refs.SaveToStream(file);
  EXPECT_EQ(file.Position(), refs.TotalSize());
  file.Close();
  auto records = PlainRecords(StreamOf(out.str(), u"Workbook"));
  ASSERT_GE(records.size(), 3u);
  EXPECT_EQ(records[0].Id, 0x01AE);
  EXPECT_EQ(records[1].Id, 0x0017);
  EXPECT_EQ(records[1].Data.size(), 8222u);
  EXPECT_EQ(records[2].Id, 0x003C);
  EXPECT_EQ(records[2].Data.size(), 6u);
  // Read back across the CONTINUE record.
  TBaseRecord externSheet(0x0017, records[1].Data);
  externSheet.AddContinue(std::make_unique<TContinueRecord>(0x003C, records[2].Data));
  TReferences back;
  back.AddExternRef(externSheet);
  ASSERT_EQ(back.ExternRefs().Count(), 1371);
  EXPECT_EQ(back.ExternRefs()[1370]->FirstSheet, 1370);
}

TEST(FormulaReferences, OtherWorkbooksAndTheirNames) {
  auto book = NewFormulaBook();
  TReferences& refs = book->GetTWorkbook()->Globals().References();
  EXPECT_EQ(MessageOf([&] { TReferences().AddExternName(std::make_unique<TExternNameRecord>(0x0023, Bytes(8, 0))); }),
            "Error reading Excel records. File invalid");
  // A SUPBOOK of another workbook: the encoded path C:\dir\Book.xls and two sheet names.
  auto text = [](const char* s) {
    Bytes out = Join({Bytes16(static_cast<unsigned>(std::strlen(s))), {0}});
    for (const char* p = s; *p; ++p) out.push_back(static_cast<Byte>(*p));
    return out;
  };
  refs.AddSupBook(std::make_unique<TSupBookRecord>(
      0x01AE, Join({Bytes16(2), text("\x01" "\x01" "Cdir\x03" "Book.xls"), text("First"), text("Its sheet")})));
  const Integer book2 = refs.SupBooks().Count() - 1;
  refs.AddExternName(std::make_unique<TExternNameRecord>(0x0023, Join({Bytes16(0), Bytes32(0), {4, 0}, {'R', 'a', 't', 'e'},
                                                                       Bytes16(2), {0x1C, 0x17}})));
  TBaseRecord entries(0x0017, Join({Bytes16(2), Bytes16(book2), Bytes16(1), Bytes16(1), Bytes16(book2), Bytes16(0xFFFE),
                                    Bytes16(0xFFFE)}));
  const Integer first = refs.ExternRefs().Count();
  refs.AddExternRef(entries);
  EXPECT_EQ(refs.SupBooks()[book2]->BookName(), u"C:\\dir\\Book.xls");
  EXPECT_EQ(refs.GetSheet(first), -1);
  const Bytes tokens = {0x3A, static_cast<Byte>(first), 0, 0, 0, 0, 0xC0, 0x39, static_cast<Byte>(first + 1), 0, 1, 0, 0, 0,
                        0x03};
  EXPECT_EQ(TextOf(*book, tokens), u"='C:\\dir\\[Book.xls]Its sheet'!A1+'C:\\dir\\Book.xls'!Rate");
  // Writing such a reference is refused: the parser knows only this workbook's sheets.
  EXPECT_EQ(MessageOf([&] { book->SetCellFormula(1, 1, u"='[Book.xls]First'!A1"); }), "Invalid sheet: [Book.xls]First");
}
