// Formulas in real workbooks: LibreOffice's formulas (simple, 3-D, shared and array formulas, a
// defined name) read as text, our save of them read back by LibreOffice, formulas we write
// calculated by LibreOffice, and LibreOffice's numbers of every worksheet function. The
// fixtures and their sources are described in tests/data/xls/README.md.
#include <gtest/gtest.h>

#include <regex>

#include "WorkbookTestHelpers.h"
#include "classlib/SysUtils.h"
#include "support/LibreOffice.h"
#include "xls/vavUXlsFile.h"

using namespace xlstest;

namespace {

std::unique_ptr<TXLSFile> OpenFormulaBook(const std::string& Path) {
  auto book = std::make_unique<TXLSFile>(nullptr);
  book->Connect();
  book->OpenFile(Path);
  return book;
}

// Converts a file in Dir with LibreOffice headless to the given format ("fods", "csv:..."),
// answered from the test cache when LibreOffice has read these bytes before.
void Convert(const TempDir& Dir, const std::string& Name, const std::string& Format) {
  testsupport::LibreOfficeConvert(Dir.Path, {Name}, Format);
}

// The cells with a formula of a flat ODS file, in document order: "formula = value".
std::vector<std::string> FormulaCells(const std::string& Fods) {
  std::vector<std::string> out;
  static const std::regex cell("<table:table-cell([^>]*)>");
  static const std::regex formula("table:formula=\"([^\"]*)\"");
  static const std::regex value("office:(?:string-)?value=\"([^\"]*)\"");
  for (auto it = std::sregex_iterator(Fods.begin(), Fods.end(), cell); it != std::sregex_iterator(); ++it) {
    const std::string attributes = (*it)[1];
    std::smatch f, v;
    if (!std::regex_search(attributes, f, formula)) continue;
    out.push_back(f[1].str() + " = " + (std::regex_search(attributes, v, value) ? v[1].str() : std::string()));
  }
  return out;
}


}  // namespace

TEST(FormulaFiles, LibreOfficeFormulasReadAsText) {
  auto book = OpenFormulaBook(FixturePath("formulas.xls"));
  struct Case {
    Integer row, col;
    const char16_t* formula;
    const char* value;
  };
  const Case data[] = {
      {1, 3, u"=A1+B1", "11"},          // C1:C3 are one shared formula in the file
      {2, 3, u"=A2+B2", "22"},
      {3, 3, u"=A3+B3", "33"},
      {1, 4, u"='Other'!A1*2", "14"},    // a 3-D reference
      {4, 1, u"{=SUM(A1:A3*B1:B3)}", "140"},
      {5, 1, u"=SUM(Total)", "6"},       // a defined name
      {5, 2, u"=IF(A1>0,\"pos\",\"neg\")", "pos"},
      {5, 3, u"=ROUND(B1/3,2)", "3.33"},
  };
  book->SetActiveSheet(1);
  for (const Case& c : data) {
    SCOPED_TRACE(Text(c.formula));
    EXPECT_EQ(book->GetCellFormula(c.row, c.col), c.formula);
    EXPECT_EQ(VariantToString(book->GetCellValue(c.row, c.col)), c.value);
    EXPECT_TRUE(book->GetCellValueX(c.row, c.col).IsFormula);
  }
  EXPECT_EQ(book->GetCellFormula(1, 1), u"");
  book->SetActiveSheet(2);
  EXPECT_EQ(book->GetCellFormula(1, 2), u"=SUM('Data'!A1:A3)");
  ASSERT_EQ(book->GetRangeCount(), 1);
  EXPECT_EQ(book->GetRangeName(1), u"Total");
  EXPECT_EQ(book->GetRangeSheet(1), 1);
  EXPECT_EQ(book->GetRangeR1(1), 1);
  EXPECT_EQ(book->GetRangeR2(1), 3);
  EXPECT_EQ(book->GetRangeC2(1), 1);
}

TEST(FormulaFiles, OurSaveReopensInLibreOfficeWithTheSameFormulas) {
  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "soffice is not installed";
  TempDir dir;
  WriteFileBytes(dir.File("theirs.xls"), Fixture("formulas.xls"));
  // Saved as read, and saved after a change, which leaves every formula to be calculated again.
  auto book = OpenFormulaBook(FixturePath("formulas.xls"));
  book->Save(false, dir.File("ours.xls"), nullptr, nullptr, nullptr);
  book->SetActiveSheet(2);
  book->SetCellValue(5, 5, Variant(1.0));
  book->Save(false, dir.File("changed.xls"), nullptr, nullptr, nullptr);
  for (const char* name : {"theirs.xls", "ours.xls", "changed.xls"}) Convert(dir, name, "fods");

  const std::vector<std::string> expected = {
      "of:=[.A1]+[.B1] = 11", "of:=[$Other.A1]*2 = 14", "of:=[.A2]+[.B2] = 22", "of:=[.A3]+[.B3] = 33",
      "of:=SUM([.A1:.A3]*[.B1:.B3]) = 140", "of:=SUM(Total) = 6", "of:=IF([.A1]&gt;0;&quot;pos&quot;;&quot;neg&quot;) = pos",
      "of:=ROUND([.B1]/3;2) = 3.33", "of:=SUM([$Data.A1:.A3]) = 6"};
  EXPECT_EQ(FormulaCells(xlstest::ReadFileBytes(dir.File("theirs.fods"))), expected);
  EXPECT_EQ(FormulaCells(xlstest::ReadFileBytes(dir.File("ours.fods"))), expected);
  EXPECT_EQ(FormulaCells(xlstest::ReadFileBytes(dir.File("changed.fods"))), expected);
}

TEST(FormulaFiles, FormulasWeWriteAreCalculatedByLibreOffice) {
  auto book = std::make_unique<TXLSFile>(nullptr);
  book->Connect();
  book->NewFile(2);
  book->SetActiveSheet(2);
  book->SetActiveSheetName(u"Sheet2");
  for (Integer r = 1; r <= 5; ++r) book->SetCellValue(r, 1, Variant(2.0 * r));  // 2, 4, ..., 10
  book->SetActiveSheet(1);
  book->SetCellValue(1, 1, Variant(-3.0));
  for (Integer r = 2; r <= 10; ++r) book->SetCellValue(r, 2, Variant(static_cast<double>(r)));  // 2 .. 10
  book->SetCellFormula(1, 3, u"=SUM(B2:B10)");
  book->SetCellFormula(2, 3, u"=AVERAGE(Sheet2!A1:A5)");
  book->SetCellFormula(3, 3, u"=IF(A1>0,1,0)");
  book->SetCellFormula(4, 3, u"=C1/C2&\" each\"");
  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "soffice is not installed";
  TempDir dir;
  book->Save(false, dir.File("written.xls"), nullptr, nullptr, nullptr);
  Convert(dir, "written.xls", "csv:Text - txt - csv (StarCalc):44,34,76");
  const std::string csv = xlstest::ReadFileBytes(dir.File("written.csv"));
  std::vector<std::string> column;
  std::istringstream lines(csv);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string f; std::getline(cells, f, ',');) fields.push_back(f);
    if (fields.size() >= 3) column.push_back(fields[2]);
  }
  // 2 + 3 + ... + 10 = 54; (2 + 4 + 6 + 8 + 10) / 5 = 6; A1 is negative; 54 / 6 = 9.
  ASSERT_GE(column.size(), 4u) << csv;
  EXPECT_EQ(column[0], "54");
  EXPECT_EQ(column[1], "6");
  EXPECT_EQ(column[2], "0");
  EXPECT_EQ(column[3], "9 each");
}

TEST(FormulaFiles, FunctionNumbersAgreeWithLibreOffice) {
  // One formula per worksheet function, each stored by LibreOffice with its own number for the
  // name; read back through our table, every one must give the same name.
  auto book = OpenFormulaBook(FixturePath("functions.xls"));
  Integer checked = 0;
  std::vector<std::string> different;
  for (Integer r = 1; r <= book->MaxRow(); ++r) {
    const std::string name = Text(book->GetCellValue(r, 1).AsWideString());
    if (name.empty()) continue;
    const std::string formula = Text(book->GetCellFormula(r, 2));
    if (formula.rfind("=" + name + "(", 0) != 0) different.push_back(name + ": " + formula);
    ++checked;
  }
  EXPECT_EQ(checked, 247);
  // What LibreOffice writes without a function number: TRUE() and FALSE() become constants;
  // USDOLLAR is DOLLAR to it; ERROR.TYPE goes out as a newer function by name; DBSC,
  // DATESTRING, NUMBERSTRING and PHONETIC are unknown to it in this syntax.
  EXPECT_EQ(different, (std::vector<std::string>{"TRUE: =TRUE", "FALSE: =FALSE", "USDOLLAR: =DOLLAR(1)", "DBSC: =#N/A",
                                                 "ERROR.TYPE: =_xlfn.ERROR.TYPE(1)", "DATESTRING: =#N/A",
                                                 "NUMBERSTRING: =#N/A", "PHONETIC: =#N/A"}));
}
