// The grid bridge on real workbook files: export and import round trips, a LibreOffice-made
// workbook read as LibreOffice shows it, independent readers of what the bridge writes, and
// failures that must leave the grid and an existing file as they were.
#include <gtest/gtest.h>

#include <memory>

#include "XlsTestHelpers.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "xls/vavRivGridExcel.h"
#include "xls/vavUXlsFile.h"

namespace {

using namespace xlstest;

std::unique_ptr<TRivErodovOzar> MakeGrid(int cols, int rows) {
  std::unique_ptr<TRivErodovOzar> g(New<TRivErodovOzar>(nullptr));
  g->SetColCount(cols);
  g->SetRowCount(rows);
  return g;
}

// A bridge set up as the program's forms set theirs: sheet cell A1 is grid cell (0, 0).
std::unique_ptr<TRivGridExcelIO> MakeBridge(TRivErodovOzar* grid) {
  std::unique_ptr<TRivGridExcelIO> b(New<TRivGridExcelIO>(nullptr));
  b->SetRivErodovOzar(grid);
  b->SetGridStartRow(0);
  b->SetGridStartCol(0);
  b->Options()->ExportOverwrite = omWarn;
  return b;
}

void Fill(TRivErodovOzar* g, const std::vector<std::vector<String>>& rows) {
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c) g->SetCells(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
}

std::vector<std::vector<String>> Texts(const TRivErodovOzar* g) {
  std::vector<std::vector<String>> out(static_cast<size_t>(g->RowCount()));
  for (int r = 0; r < g->RowCount(); ++r)
    for (int c = 0; c < g->ColCount(); ++c) out[static_cast<size_t>(r)].push_back(g->Cells(c, r));
  return out;
}

// xlrd's view of the first sheet: its name, then "row col type value" per used cell
// (type 1 text, 2 number, 3 date, 4 Boolean).
const char* XlrdCells =
    "import sys,xlrd\n"
    "b=xlrd.open_workbook(sys.argv[1])\n"
    "s=b.sheet_by_index(0)\n"
    "print(s.name)\n"
    "for r in range(s.nrows):\n"
    "  for c in range(s.ncols):\n"
    "    t=s.cell_type(r,c)\n"
    "    if t!=0: print(r,c,t,repr(s.cell_value(r,c)))\n";

// LibreOffice's rendering of the first sheet as text, or "" when it is not installed.
std::string LibreOfficeCsv(const TempDir& dir, const std::string& name) {
  if (!testsupport::LibreOfficeConvert(dir.Path, {name}, "csv:Text - txt - csv (StarCalc):44,34,76")) return "";
  const std::string csv = dir.File(name.substr(0, name.rfind('.')) + ".csv");
  return std::filesystem::exists(csv) ? xlstest::ReadFileBytes(csv) : std::string("missing");
}

class GridBridge : public ::testing::Test {
 protected:
  void TearDown() override { ResetFormatSettings(); }
  TempDir Dir;
};

// ---- Export and import ----

TEST_F(GridBridge, AMatrixGoesOutAndComesBackWithEveryTitleAndValue) {
  auto g = MakeGrid(4, 3);
  g->SetFixedCols(1);
  g->SetFixedRows(1);
  Fill(g.get(), {{"species", "site1", "site2", "mean"}, {"sp1", "0", "1", "0.50000"}, {"sp2", "1", "1", "1.00000"}});
  auto out = MakeBridge(g.get());
  const std::string path = Dir.File("matrix.xls");
  out->XLSExport(path);

  auto back = MakeGrid(2, 2);
  MakeBridge(back.get())->XLSImport(path);
  EXPECT_EQ(back->RowCount(), 3);
  EXPECT_EQ(back->ColCount(), 4);
  EXPECT_EQ(Texts(back.get()), (std::vector<std::vector<String>>{
                                   {"species", "site1", "site2", "mean"}, {"sp1", "0", "1", "0.5"}, {"sp2", "1", "1", "1"}}));

  const std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  EXPECT_EQ(RunXlrd(python, XlrdCells, path),
            "Sheet1\n"
            "0 0 1 'species'\n0 1 1 'site1'\n0 2 1 'site2'\n0 3 1 'mean'\n"
            "1 0 1 'sp1'\n1 1 2 0.0\n1 2 2 1.0\n1 3 2 0.5\n"
            "2 0 1 'sp2'\n2 1 2 1.0\n2 2 2 1.0\n2 3 2 1.0\n");
  const std::string csv = LibreOfficeCsv(Dir, "matrix.xls");
  if (!csv.empty()) {
    EXPECT_EQ(csv, "species,site1,site2,mean\nsp1,0,1,0.5\nsp2,1,1,1\n");
  }
}

TEST_F(GridBridge, CellCommentsGoOutAndComeBackWithCellProperties) {
  auto g = MakeGrid(3, 3);
  Fill(g.get(), {{"a", "b", "c"}, {"1", "2", "3"}});
  g->AddComment(1, 1, "two's note");
  g->AddComment(2, 0, "Ωmega");
  const std::string path = Dir.File("notes.xls");
  MakeBridge(g.get())->XLSExport(path);

  TXLSFile file(nullptr);
  file.Connect();
  file.OpenFile(path);
  EXPECT_EQ(file.GetCellComment(2, 2), u"two's note");
  EXPECT_EQ(file.GetCellComment(1, 3), u"Ωmega");

  // Comments are cell properties: read only when those are.
  auto plain = MakeGrid(2, 2);
  MakeBridge(plain.get())->XLSImport(path);
  String comment;
  EXPECT_FALSE(plain->IsComment(1, 1, comment));
  auto back = MakeGrid(2, 2);
  auto in = MakeBridge(back.get());
  in->Options()->ImportCellProperties = true;
  in->XLSImport(path);
  ASSERT_TRUE(back->IsComment(1, 1, comment));
  EXPECT_EQ(comment, "two's note");
  ASSERT_TRUE(back->IsComment(2, 0, comment));
  EXPECT_EQ(comment, "Ωmega");
}

// A workbook file whose formula reader refuses "=1+" as a formula parser does.
class TStrictFormulaFile : public TXLSFile {
 public:
  TStrictFormulaFile() : TXLSFile(nullptr) {}
  void SetCellFormula(Integer Row, Integer Col, const WideString& Value) override {
    if (Value == u"=1+") throw Exception("Unexpected end of formula: \"=1+\"");
    ++Formulas;
    TXLSFile::SetCellFormula(Row, Col, Value);
  }
  static inline int Formulas = 0;
};

class TStrictFormulaAdapter : public TExcelAdapter {
 public:
  using TExcelAdapter::TExcelAdapter;
  std::unique_ptr<TExcelFile> GetWorkbook() override { return std::make_unique<TStrictFormulaFile>(); }
};

// What the typed conversion makes of grid texts: numbers, Booleans, full dates and formulas;
// everything else, labels that only look like dates or formulas included, stays text.
TEST_F(GridBridge, TextsBecomeNumbersDatesAndFormulasOnlyWhenTheyAreThem) {
  const std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  auto g = MakeGrid(8, 1);
  Fill(g.get(), {{"1-2", "3/4", "2024-03-15", "TRUE", "=1+", "=1+2", "12%", "1.5e3"}});
  const std::string path = Dir.File("typed.xls");
  auto b = MakeBridge(g.get());
  std::unique_ptr<TStrictFormulaAdapter> adapter(New<TStrictFormulaAdapter>(nullptr));
  b->SetAdapter(adapter.get());
  b->XLSExport(path);
  EXPECT_EQ(TStrictFormulaFile::Formulas, 1);
  // "=1+2" is a formula without a result (an error until a spreadsheet calculates it).
  EXPECT_EQ(RunXlrd(python, XlrdCells, path),
            "Sheet1\n0 0 1 '1-2'\n0 1 1 '3/4'\n0 2 3 45366.0\n0 3 4 1\n0 4 1 '=1+'\n0 5 5 0\n0 6 2 0.12\n0 7 2 1500.0\n");
  auto file = std::make_unique<TXLSFile>(nullptr);
  file->Connect();
  file->OpenFile(path);
  EXPECT_EQ(file->GetCellFormula(1, 6), u"=1+2");
  EXPECT_EQ(file->GetCellFormula(1, 5), u"");
}

TEST_F(GridBridge, NumbersWrittenWithAPointStayNumbersUnderACommaLocale) {
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  auto g = MakeGrid(3, 1);
  Fill(g.get(), {{"0.5", "1234.567", "0,25"}});
  const std::string path = Dir.File("comma.xls");
  MakeBridge(g.get())->XLSExport(path);
  auto back = MakeGrid(1, 1);
  MakeBridge(back.get())->XLSImport(path);
  // The data grid reads numbers with '.', so they come back that way.
  EXPECT_EQ(Texts(back.get()), (std::vector<std::vector<String>>{{"0.5", "1234.567", "0.25"}}));
}

// ---- A workbook made by LibreOffice ----

TEST_F(GridBridge, ALibreOfficeWorkbookReadsAsLibreOfficeShowsIt) {
  auto g = MakeGrid(5, 5);
  g->SetFixedCols(1);
  g->SetFixedRows(1);
  auto b = MakeBridge(g.get());
  std::vector<std::pair<int, int>> progress;
  b->OnProgress = [&](TObject*, Integer sheet, Integer sheets, Integer row, Integer rows) {
    EXPECT_EQ(sheet, 1);
    EXPECT_EQ(sheets, 1);
    progress.emplace_back(row, rows);
  };
  b->XLSImport(FixturePath("bridge_matrix.xls"));
  EXPECT_EQ(Texts(g.get()), (std::vector<std::vector<String>>{
                                {"species", "site1", "site2"}, {"sp1", "1", "0"}, {"sp2", "0", "1"}, {"sp3", "1", "1"}}));
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
  EXPECT_EQ(b->SheetNamesCount(), 3);
  EXPECT_EQ(b->SheetNames(1), "Formats");

  // By name, letter case ignored: number formats as rendered, a merged block in one cell.
  b->XLSImport(FixturePath("bridge_matrix.xls"), "FORMATS");
  EXPECT_EQ(g->RowCount(), 3);
  EXPECT_EQ(g->ColCount(), 4);
  // A merged block shows its text across the block; only its base cell holds it.
  EXPECT_EQ(Texts(g.get()), (std::vector<std::vector<String>>{{"1234.57", "26%", "2024-03-15", "1 Dec 2023"},
                                                             {"merged block", "merged block", "beside", ""},
                                                             {"merged block", "merged block", "0.5", ""}}));
  for (auto [c, r] : {std::pair{1, 1}, {0, 2}, {1, 2}}) EXPECT_EQ(g->GetRawCellText(c, r), "");
  EXPECT_TRUE(g->IsBaseCell(0, 1));
  EXPECT_EQ(g->CellSpan(0, 1), (TPoint{1, 1}));
  EXPECT_TRUE(g->IsMergedNonBaseCell(1, 2));
  // The merge of the first import does not survive a second one.
  b->XLSImport(FixturePath("bridge_matrix.xls"), 1);
  EXPECT_FALSE(g->IsMergedCell(0, 1));
}

// ---- Failures ----

TEST_F(GridBridge, AFileThatCannotBeReadLeavesTheGridAsItWas) {
  const char noise[] = "\x13\x99 random bytes \x01\x02\x03\0 not a workbook";
  WriteFileBytes(Dir.File("noise.xls"), std::string(noise, sizeof noise - 1));
  WriteFileBytes(Dir.File("matrix.txt"), "species site1\r\nsp1 1\r\n");
  struct Case {
    std::string file;
    std::string message;  // empty: any message
  };
  for (const Case& c : {Case{Dir.File("missing.xls"), ""}, Case{Dir.File("noise.xls"), ""},
                        Case{Dir.File("matrix.txt"), "The index \"1\" of the property \"ActiveSheet\" is not in the range 1-0"}}) {
    auto g = MakeGrid(3, 2);
    Fill(g.get(), {{"a", "b", "c"}, {"d", "e", "f"}});
    g->SetColWidths(1, 99);
    try {
      MakeBridge(g.get())->XLSImport(c.file);
      ADD_FAILURE() << c.file << " was read";
    } catch (const Exception& e) {
      if (!c.message.empty()) {
        EXPECT_EQ(e.Message, c.message);
      }
    }
    EXPECT_EQ(Texts(g.get()), (std::vector<std::vector<String>>{{"a", "b", "c"}, {"d", "e", "f"}})) << c.file;
    EXPECT_EQ(g->ColWidths(1), 99);
  }
  auto g = MakeGrid(1, 1);
  try {
    MakeBridge(g.get())->XLSImport(FixturePath("bridge_matrix.xls"), "nowhere");
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Invalid sheet name: \"nowhere\"");
  }
}

// Rows with a height and a style but no values, below the data: the grid takes the data's
// size. The independent reader confirms that the rows and blank cells are in the file.
TEST_F(GridBridge, FormattedEmptyRowsBelowTheDataDoNotSizeTheGrid) {
  auto g = MakeGrid(1, 1);
  MakeBridge(g.get())->XLSImport(FixturePath("formatted_empty_rows.xls"));
  ASSERT_EQ(g->RowCount(), 17);
  ASSERT_EQ(g->ColCount(), 4);
  for (int r = 0; r < 17; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(g->Cells(c, r), IntToStr(10 * (r + 1) + c + 1));
  const std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  EXPECT_EQ(RunXlrd(python,
                    "import sys,xlrd\n"
                    "s=xlrd.open_workbook(sys.argv[1],formatting_info=True).sheet_by_index(0)\n"
                    "print(max(s.rowinfo_map)+1,s.nrows,s.cell_type(s.nrows-1,0))\n",
                    FixturePath("formatted_empty_rows.xls")),
            "1500 1017 6\n");
}

// A grid larger than a sheet is refused with the engine's own message for the first row or
// column that does not fit, and nothing is written; a workbook whose stream cannot be found is
// refused naming the file.
TEST_F(GridBridge, LimitsAndDamagedStreamsGiveTheEngineMessages) {
  struct Case {
    int cols, rows;
    const char* message;
  };
  for (const Case& c : {Case{2, 65537, "Invalid Row (65536)"}, Case{257, 2, "Invalid Column (256)"}}) {
    auto g = MakeGrid(c.cols, c.rows);
    g->SetCells(0, 0, "species");
    g->SetCells(c.cols - 1, c.rows - 1, "1");
    const std::string path = Dir.File("big.xls");
    for (bool sizes : {true, false}) {
      SCOPED_TRACE(std::string(c.message) + (sizes ? " with sizes" : ""));
      auto b = MakeBridge(g.get());
      b->Options()->ExportCellSizes = sizes;
      EXPECT_EQ(MessageOf([&] { b->XLSExport(path); }), c.message);
      EXPECT_FALSE(std::filesystem::exists(path));
    }
  }

  std::string renamed = Fixture("bridge_matrix.xls");
  const std::string workbook("W\0o\0r\0k\0b\0o\0o\0k\0", 16);
  ASSERT_NE(renamed.find(workbook), std::string::npos);
  renamed[renamed.find(workbook) + 14] = 'x';
  WriteFileBytes(Dir.File("damaged.xls"), renamed);
  auto g = MakeGrid(2, 2);
  Fill(g.get(), {{"a", "b"}, {"c", "d"}});
  EXPECT_EQ(MessageOf([&] { MakeBridge(g.get())->XLSImport(Dir.File("damaged.xls")); }),
            "The file \"" + Dir.File("damaged.xls") + "\" is invalid");
  EXPECT_EQ(Texts(g.get()), (std::vector<std::vector<String>>{{"a", "b"}, {"c", "d"}}));
}

TEST_F(GridBridge, OverwritingAsksAndKeepsTheOldFileUnlessTheNewOneIsWhole) {
  const std::string path = Dir.File("kept.xls");
  const std::string before = "the old file";
  WriteFileBytes(path, before);
  auto g = MakeGrid(2, 2);
  Fill(g.get(), {{"x", "1"}, {"y", "2"}});
  auto b = MakeBridge(g.get());
  b->Options()->ExportOverwrite = omWarn;
  std::vector<String> asked;
  int answer = IDNO;
  Application->Hooks.MessageBox = [&](const String& text, const String&, UINT) {
    asked.push_back(text);
    return answer;
  };
  b->XLSExport(path);
  EXPECT_EQ(asked, (std::vector<String>{"File " + path + " already exists\rOk to overwrite ?"}));
  EXPECT_EQ(xlstest::ReadFileBytes(path), before);

  // A failure while writing leaves the old file.
  answer = IDYES;
  class TFailingFile : public TXLSFile {
   public:
    TFailingFile() : TXLSFile(nullptr) {}
    void SetCellString(Integer, Integer, const WideString&, const TWbkFormat&, const String&, const String&) override {
      throw Exception("disk full");
    }
  };
  class TFailingAdapter : public TExcelAdapter {
   public:
    using TExcelAdapter::TExcelAdapter;
    std::unique_ptr<TExcelFile> GetWorkbook() override { return std::make_unique<TFailingFile>(); }
  };
  std::unique_ptr<TFailingAdapter> failing(New<TFailingAdapter>(nullptr));
  b->SetAdapter(failing.get());
  EXPECT_THROW(b->XLSExport(path), Exception);
  EXPECT_EQ(xlstest::ReadFileBytes(path), before);
  failing.reset();
  EXPECT_EQ(b->Adapter(), nullptr);

  // An unwritable folder: nothing is lost and nothing is left behind.
  const std::string locked = Dir.File("locked");
  std::filesystem::create_directories(locked);
  WriteFileBytes(locked + "/kept.xls", before);
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  // Folder permissions do not stop the superuser; the process file system stops everyone.
  const std::string target = access(locked.c_str(), W_OK) == 0 ? "/proc/zorvan_bridge.xls" : locked + "/kept.xls";
  EXPECT_THROW(b->XLSExport(target), Exception);
  EXPECT_EQ(xlstest::ReadFileBytes(locked + "/kept.xls"), before);
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked), {}), 1);
  EXPECT_FALSE(std::filesystem::exists("/proc/zorvan_bridge.xls"));

  // Yes: the new workbook replaces the old file, and the shell opens it when asked to.
  b->Options()->ExportShowInExcel = true;
  Application->Hooks.Shell = [](const TShellRequest&) { return 42; };
  asked.clear();
  b->XLSExport(path);
  EXPECT_EQ(asked.size(), 1u);
  auto back = MakeGrid(1, 1);
  MakeBridge(back.get())->XLSImport(path);
  EXPECT_EQ(Texts(back.get()), (std::vector<std::vector<String>>{{"x", "1"}, {"y", "2"}}));
  ASSERT_EQ(Application->Hooks.ShellRequests.size(), 1u);
  EXPECT_EQ(Application->Hooks.ShellRequests[0].Verb, "open");
  EXPECT_EQ(Application->Hooks.ShellRequests[0].File, path);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path), {}), 2);  // kept.xls, locked
}

TEST_F(GridBridge, WithoutAGridNothingIsOpenedOrWritten) {
  std::unique_ptr<TRivGridExcelIO> b(New<TRivGridExcelIO>(nullptr));
  {
    auto g = MakeGrid(1, 1);
    b->SetRivErodovOzar(g.get());
  }
  EXPECT_EQ(b->RivErodovOzar(), nullptr);
  for (auto call : {+[](TRivGridExcelIO* x, const std::string& p) { x->XLSImport(p); },
                    +[](TRivGridExcelIO* x, const std::string& p) { x->XLSExport(p); }}) {
    try {
      call(b.get(), Dir.File("none.xls"));
      ADD_FAILURE();
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "There is no RivErodovOzar assigned to this component");
    }
  }
  EXPECT_FALSE(FileExists(Dir.File("none.xls")));
  // Sheet names need no grid.
  b->LoadSheetNames(FixturePath("bridge_matrix.xls"));
  EXPECT_EQ(b->SheetNamesCount(), 3);
  EXPECT_EQ(b->SheetNames(0), "Matrix");
}

// ---- Settings ----

TEST_F(GridBridge, SettingsAreHeldToTheirRanges) {
  std::unique_ptr<TRivGridExcelIO> b(New<TRivGridExcelIO>(nullptr));
  EXPECT_EQ(b->GridStartRow(), 1);
  EXPECT_EQ(b->Version(), "3.2.1");
  b->SetVersion("9");
  EXPECT_EQ(b->Version(), "3.2.1");
  b->SetZoom(5);
  EXPECT_EQ(b->Zoom(), 10);
  b->SetZoom(1000);
  EXPECT_EQ(b->Zoom(), 400);
  b->SetGridStartRow(-3);
  EXPECT_EQ(b->GridStartRow(), 1);
  b->SetGridStartCol(0);
  EXPECT_EQ(b->GridStartCol(), 0);
  b->SetXlsStartRow(0);
  EXPECT_EQ(b->XlsStartRow(), 1);

  TROZIOOptions from;
  from.ImportCellProperties = true;
  from.ImportCellSizes = false;
  from.ExportFormulas = false;
  b->Options()->Assign(&from);
  EXPECT_TRUE(b->Options()->ImportCellProperties);
  EXPECT_FALSE(b->Options()->ImportCellSizes);
  EXPECT_TRUE(b->Options()->ExportFormulas);  // not one of the options Assign copies
}

TEST(ShortDates, OnlyTheRegionalPatternInFullIsADate) {
  FormatSettings = TFormatSettings::Invariant();  // yyyy/mm/dd with '-'
  for (const char* yes : {"2024-03-15", "24-3-5", "03-15"}) EXPECT_TRUE(IsShortDateText(yes)) << yes;
  for (const char* no : {"1-2", "3/4", "2024/03/15", "2024-13-01", "2024-03-15-1", "x-03-15", ""})
    EXPECT_FALSE(IsShortDateText(no)) << no;
  FormatSettings.ShortDateFormat = "M/d/yyyy";
  FormatSettings.DateSeparator = '/';
  for (const char* yes : {"3/4/2024", "12/31"}) EXPECT_TRUE(IsShortDateText(yes)) << yes;
  for (const char* no : {"3/4", "31/12/2024", "1-2"}) EXPECT_FALSE(IsShortDateText(no)) << no;
  ResetFormatSettings();
}

}  // namespace
