// The workbook commands on real files: the main window opens and saves the matrix as a
// workbook, and every results window's "Excel (.xls)" command writes its table.
#include "support/TestCache.h"
#include "support/LibreOffice.h"
#include "support/ProgramFixture.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "analysis/niche_overlap/NicheOverlapMain.h"
#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/SpeciesOverlapMain.h"
#include "analysis/species_diversity/SpeciesDiversityMain.h"
#include "app/ExcelExport.h"
#include "app/progressexcel.h"
#include "classlib/SysUtils.h"
#include "xls/vavUXlsFile.h"

namespace {

namespace fs = std::filesystem;

const std::string Fixture = std::string(ZORVAN_TEST_DATA) + "/xls/bridge_matrix.xls";


std::vector<std::vector<String>> Texts(const TStringGrid* g) {
  std::vector<std::vector<String>> out(static_cast<size_t>(g->RowCount()));
  for (int r = 0; r < g->RowCount(); ++r)
    for (int c = 0; c < g->ColCount(); ++c) out[static_cast<size_t>(r)].push_back(g->Cells(c, r));
  return out;
}

// The table as LibreOffice's text export writes it.
std::string AsCsv(const std::vector<std::vector<String>>& rows) {
  std::string out;
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) out += (c ? "," : "") + row[c];
    out += "\n";
  }
  return out;
}

class ExcelCommands : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Dir = fs::temp_directory_path() / ("zorvan_excel_commands_" + std::to_string(getpid()));
    fs::create_directories(Dir);
    Application->Hooks.Shell = [](const TShellRequest&) { return 42; };
  }
  void TearDown() override {
    fs::remove_all(Dir);
    ProgramTest::TearDown();
  }
  void ChooseFile(const fs::path& p) {
    Application->Hooks.FileDialog = [p](TCommonDialog* d) {
      if (auto* open = dynamic_cast<TOpenDialog*>(d)) open->FileName = p.string();
      return true;
    };
  }
  fs::path Dir;
};

TEST_F(ExcelCommands, OpeningAWorkbookFillsTheMatrixAndNamesTheWindow) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  ChooseFile(Fixture);
  // The bridge reports each row read; the status window is up meanwhile.
  std::vector<String> status;
  Zorvan->RivGridExcelIO1->OnProgress = [&](TObject*, Integer, Integer, Integer, Integer) {
    status.push_back(Excelstatus->Visible() ? Excelstatus->Caption() : "hidden");
  };
  Zorvan->Excelxls1->Click();

  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_EQ(g->RowCount(), 4);
  EXPECT_EQ(g->ColCount(), 3);
  EXPECT_EQ(Texts(g), (std::vector<std::vector<String>>{
                          {"species", "site1", "site2"}, {"sp1", "1", "0"}, {"sp2", "0", "1"}, {"sp3", "1", "1"}}));
  EXPECT_EQ(status, std::vector<String>(4, "Importing Excel file: bridge_matrix.xls"));
  EXPECT_FALSE(Excelstatus->Visible());
  EXPECT_EQ(Excelstatus->ProgressBar1->Position(), 0);
  EXPECT_EQ(Excelstatus->ProgressBar1->Max(), 0);
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional: bridge_matrix.xls");
  EXPECT_EQ(Zorvan->FileName, Fixture);
  // The grid's standard sizes replace the sheet's.
  EXPECT_EQ(g->DefaultColWidth(), 64);
  EXPECT_EQ(g->DefaultRowHeight(), 22);
  for (int c = 0; c < g->ColCount(); ++c) EXPECT_EQ(g->ColWidths(c), 64);
  for (int r = 0; r < g->RowCount(); ++r) EXPECT_EQ(g->RowHeights(r), 22);
}

TEST_F(ExcelCommands, ASavedMatrixOpensAgainAndOverwritingAsksFirst) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  const auto before = Texts(g);
  const fs::path path = Dir / "saved.xls";
  ChooseFile(path);
  Zorvan->Excelxls2->Click();
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  ASSERT_TRUE(fs::exists(path));
  // The main window's saves open the workbook in the spreadsheet program.
  ASSERT_EQ(Application->Hooks.ShellRequests.size(), 1u);
  EXPECT_EQ(Application->Hooks.ShellRequests[0].Verb, "open");
  EXPECT_EQ(Application->Hooks.ShellRequests[0].File, path.string());
  EXPECT_EQ(Application->Hooks.ShellRequests[0].ShowCmd, 1);

  // Saving again asks; No writes nothing and says nothing.
  const std::string saved = ReadFileBytes(path);
  g->SetCells(1, 1, "changed");
  std::vector<String> asked;
  Application->Hooks.MessageBox = [&](const String& text, const String& caption, UINT) {
    asked.push_back(caption + ": " + text);
    return IDNO;
  };
  Zorvan->Excelxls2->Click();
  EXPECT_EQ(asked, (std::vector<String>{"Confirmation: File " + path.string() + " already exists\rOk to overwrite ?"}));
  EXPECT_EQ(ReadFileBytes(path), saved);
  EXPECT_FALSE(Excelstatus->Visible());

  g->SetCells(1, 1, "x");
  g->SetRowCount(2);
  ChooseFile(path);
  Application->Hooks.MessageBox = nullptr;
  Zorvan->Excelxls1->Click();
  EXPECT_EQ(Texts(g), before);
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional: saved.xls");
}

// A workbook is the matrix's file after an Excel save or open; the caption names it, and the
// text saves ask for a name rather than write text over it.
TEST_F(ExcelCommands, ATextSaveNeverWritesOverTheWorkbook) {
  const fs::path saved = Dir / "saved.xls";
  const fs::path renamed = Dir / "book.data";  // a workbook known by its contents only
  fs::copy_file(Fixture, renamed);
  struct Case {
    const char* Name;
    fs::path Book;
    std::function<void()> MakeItTheFile;
    String Caption;
  };
  const Case cases[] = {
      {"saved", saved, [&] { ChooseFile(saved); Zorvan->Excelxls2->Click(); },
       "Zorvan Professional " + saved.string()},
      {"opened", renamed, [&] { ChooseFile(renamed); Zorvan->Excelxls1->Click(); },
       "Zorvan Professional: book.data"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    k.MakeItTheFile();
    EXPECT_TRUE(Application->Hooks.Messages.empty());
    EXPECT_EQ(Zorvan->FileName, k.Book.string());
    EXPECT_EQ(Zorvan->Caption(), k.Caption);
    const std::string book = ReadFileBytes(k.Book);
    Zorvan->MainGrid->SetCells(1, 1, "7");

    for (TMenuItem* item : {Zorvan->Spacedelimitedtxt1, Zorvan->Commadelimitedtxt2}) {
      // Cancel in the dialog writes nothing.
      std::vector<String> asked;
      Application->Hooks.FileDialog = [&](TCommonDialog* d) {
        asked.push_back(d->Title);
        return false;
      };
      item->Click();
      EXPECT_EQ(asked, std::vector<String>{"Select a file name."});
      EXPECT_EQ(ReadFileBytes(k.Book), book);
    }
    // A name given there takes the text.
    const fs::path text = Dir / (std::string(k.Name) + ".txt");
    ChooseFile(text);
    Zorvan->Spacedelimitedtxt1->Click();
    EXPECT_EQ(ReadFileBytes(k.Book), book);
    EXPECT_EQ(ReadFileBytes(text).substr(0, 8), "species ");
    EXPECT_EQ(Zorvan->FileName, text.string());
    EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + text.string());
  }
}

// A workbook of one number at row and column R x C: a tiny file for a sheet of that size.
void WriteFarCellWorkbook(const fs::path& Path, Integer Row, Integer Col) {
  TXLSFile book(nullptr);
  book.Connect();
  book.NewFile(1);
  book.SetCellValue(1, 1, Variant(String("species")));
  book.SetCellValue(Row, Col, Variant(1.0));
  book.Save(false, Path.string(), nullptr, nullptr, nullptr);
}

// A sheet larger than an analysis takes is refused before its cells are read, with the reason;
// the matrix stays as it was. Sheets hold at most 255 data columns, so only the cell count
// can be too large.
TEST_F(ExcelCommands, AWorkbookOverTheCellLimitIsRefusedWithTheReason) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  struct Case {
    const char* Name;
    Integer Row, Col;  // of the far cell
    bool Fits;
  };
  const Case cases[] = {
      {"1725 x 255 data cells", 1726, 256, true},
      {"1726 x 255 data cells", 1727, 256, false},
      {"65535 x 255 data cells", 65536, 256, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    Zorvan->Close1->Click();
    const auto before = Texts(g);
    const String caption = Zorvan->Caption(), name = Zorvan->FileName;
    const fs::path path = Dir / ("far" + std::to_string(k.Row) + ".xls");
    WriteFarCellWorkbook(path, k.Row, k.Col);
    ASSERT_LT(fs::file_size(path), 20000u);
    bool read = false;
    Zorvan->RivGridExcelIO1->OnProgress = [&](TObject*, Integer, Integer, Integer, Integer) { read = true; };
    Application->Hooks.Messages.clear();
    ChooseFile(path);
    Zorvan->Excelxls1->Click();
    if (k.Fits) {
      EXPECT_TRUE(Application->Hooks.Messages.empty());
      EXPECT_EQ(g->RowCount(), k.Row);
      EXPECT_EQ(g->ColCount(), k.Col);
      EXPECT_EQ(g->Cells(k.Col - 1, k.Row - 1), "1");
      continue;
    }
    EXPECT_FALSE(read);
    EXPECT_EQ(Application->Hooks.Messages,
              (std::vector<String>{"Cannot open file \"" + path.string() + "\": it has more than 440,000 data cells."}));
    EXPECT_EQ(Texts(g), before);
    EXPECT_EQ(Zorvan->Caption(), caption);
    EXPECT_EQ(Zorvan->FileName, name);
    EXPECT_FALSE(Excelstatus->Visible());
  }
}

// A text file picked through "All files" is no workbook: nothing changes.
TEST_F(ExcelCommands, ATextFileIsNotOpenedAsAWorkbook) {
  const fs::path text = Dir / "matrix.txt";
  std::ofstream(text, std::ios::binary) << "species site1\r\nsp1 1\r\n";
  TRivErodovOzar* g = Zorvan->MainGrid;
  const auto before = Texts(g);
  const String caption = Zorvan->Caption(), name = Zorvan->FileName;
  ChooseFile(text);
  Zorvan->Excelxls1->Click();
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Error opening file."}));
  EXPECT_EQ(Texts(g), before);
  EXPECT_EQ(Zorvan->Caption(), caption);
  EXPECT_EQ(Zorvan->FileName, name);
  EXPECT_FALSE(Excelstatus->Visible());
}

// LibreOffice's text export of each file, or empty when it is not installed.
std::map<std::string, std::string> LibreOfficeCsv(const fs::path& dir, const std::vector<std::string>& names) {
  std::map<std::string, std::string> out;
  if (!testsupport::LibreOfficeConvert(dir, names, "csv:Text - txt - csv (StarCalc):44,34,76")) return out;
  for (const auto& n : names) out[n] = ReadFileBytes(dir / (n.substr(0, n.rfind('.')) + ".csv"));
  return out;
}

// What the user typed comes back as typed: numbers in exponent form keep their mantissa's
// digits (their formats say so to every reader), Booleans show as spreadsheets show them.
TEST_F(ExcelCommands, TypedNumbersAndBooleansComeBackAsTheyWereTyped) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  const std::vector<String> typed = {"1.234567e-5", "6.02214076e23", "-4.5678e-12", "1.7976931348623157e308",
                                     "TRUE",        "FALSE",         "12.5"};
  g->SetColCount(static_cast<int>(typed.size()) + 1);
  g->SetRowCount(2);
  g->SetCells(0, 0, "species");
  g->SetCells(0, 1, "sp1");
  for (size_t i = 0; i < typed.size(); ++i) {
    g->SetCells(static_cast<int>(i) + 1, 0, "site" + std::to_string(i + 1));
    g->SetCells(static_cast<int>(i) + 1, 1, typed[i]);
  }
  const auto before = Texts(g);
  const fs::path path = Dir / "typed.xls";
  ChooseFile(path);
  Zorvan->Excelxls2->Click();
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  ASSERT_TRUE(fs::exists(path));

  g->SetColCount(2);
  g->SetRowCount(2);
  g->SetCells(1, 1, "changed");
  ChooseFile(path);
  Zorvan->Excelxls1->Click();
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_EQ(Texts(g), before);

  // The independent reader: the exact numbers with their formats, and Booleans.
  if (std::system("/usr/bin/python3 -c 'import xlrd' 2>/dev/null") == 0) {
    const fs::path script = Dir / "read.py";
    std::ofstream(script) << "import sys,struct,xlrd\n"
                             "b=xlrd.open_workbook(sys.argv[1],formatting_info=True)\n"
                             "s=b.sheet_by_index(0)\n"
                             "for c in range(1,s.ncols):\n"
                             "  x=s.cell(1,c); f=b.format_map[b.xf_list[x.xf_index].format_key].format_str\n"
                             "  print(x.ctype, repr(x.value), f)\n";
    const std::string command =
        "/usr/bin/python3 " + script.string() + " " + path.string() + " > " + (Dir / "read.txt").string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadFileBytes(Dir / "read.txt"),
              "2 1.234567e-05 0.000000e-0\n"
              "2 6.02214076e+23 0.00000000e-00\n"
              "2 -4.5678e-12 0.0000e-00\n"
              "2 1.7976931348623157e+308 0.0000000000000000e-000\n"
              "4 1 General\n"
              "4 0 General\n"
              "2 12.5 General\n");
  }
  // LibreOffice shows the numbers as they were typed (and writes Boolean cells of a workbook,
  // its own too, as 1 and 0 in its text export).
  const auto csv = LibreOfficeCsv(Dir, {"typed.xls"});
  if (csv.empty()) GTEST_SKIP() << "LibreOffice is not installed";
  EXPECT_EQ(csv.at("typed.xls"),
            "species,site1,site2,site3,site4,site5,site6,site7\n"
            "sp1,1.234567e-5,6.02214076e23,-4.5678e-12,1.7976931348623157e308,1,0,12.5\n");
}

// A sheet formatted far below its data opens at its data's size.
TEST_F(ExcelCommands, AWorkbookWithFormattedEmptyRowsOpensAtItsCellsSize) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  ChooseFile(std::string(ZORVAN_TEST_DATA) + "/xls/formatted_empty_rows.xls");
  Zorvan->Excelxls1->Click();
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_EQ(g->RowCount(), 17);
  EXPECT_EQ(g->ColCount(), 4);
  EXPECT_EQ(g->Cells(0, 0), "11");
  EXPECT_EQ(g->Cells(3, 16), "174");
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional: formatted_empty_rows.xls");
}

TEST_F(ExcelCommands, EveryResultsWindowWritesItsTableAsAWorkbook) {
  struct Case {
    std::string file;
    TMenuItem* item;
    TStringGrid* grid;
    int fixedCols, fixedRows;
  };
  const std::vector<Case> cases = {
      {"co_pairwise.xls", CoOccurrence->PairwiseExcel1, CoOccurrence->ResponseGrid, 1, 1},
      {"co_column.xls", CoOccurrence->ColumnExcel1, CoOccurrence->RivErodovOzar1, 0, 0},
      {"species_groups.xls", SpeciesOverlap->Excelxls1, SpeciesOverlap->GuildsRegionsGrid, 1, 1},
      {"niche_pairwise.xls", NicheOverlap->Excelxls1, NicheOverlap->ResponseGrid, 1, 1},
      {"niche_column.xls", NicheOverlap->Excelxls2, NicheOverlap->RivErodovOzar1, 0, 0},
      {"diversity_curve.xls", SpeciesDiversity->Excelxls1, SpeciesDiversity->DiversityCurveStringGrid, 1, 1},
      {"abundance_curve.xls", SpeciesDiversity->Excelxls2, SpeciesDiversity->DiversityCurveStringGrid2, 1, 1},
  };
  std::vector<std::string> names;
  std::map<std::string, std::vector<std::vector<String>>> tables;
  for (const Case& c : cases) {
    // A table like the windows show: titles, then values in the program's fixed notation.
    c.grid->SetColCount(3);
    c.grid->SetRowCount(3);
    const std::vector<std::vector<String>> table = {
        {"Groups", "mean", "p"}, {"sp1", "0.50000", "1"}, {c.file.substr(0, c.file.find('.')), "-1.25000", "0"}};
    for (int r = 0; r < 3; ++r)
      for (int col = 0; col < 3; ++col) c.grid->SetCells(col, r, table[r][col]);
    ChooseFile(Dir / c.file);
    c.item->Click();
    EXPECT_TRUE(Application->Hooks.Messages.empty()) << c.file;
    ASSERT_TRUE(fs::exists(Dir / c.file)) << c.file;
    EXPECT_EQ(ExportExcel->ExcelExportGrid->FixedCols(), c.fixedCols) << c.file;
    EXPECT_EQ(ExportExcel->ExcelExportGrid->FixedRows(), c.fixedRows) << c.file;
    names.push_back(c.file);
    tables[c.file] = {{"Groups", "mean", "p"}, {"sp1", "0.5", "1"}, {table[2][0], "-1.25", "0"}};
  }
  // The export form's bridge opens nothing until the main window's switch says so.
  EXPECT_TRUE(Application->Hooks.ShellRequests.empty());
  const auto csv = LibreOfficeCsv(Dir, names);
  if (csv.empty()) GTEST_SKIP() << "LibreOffice is not installed";
  for (const auto& n : names) EXPECT_EQ(csv.at(n), AsCsv(tables[n])) << n;
}

TEST_F(ExcelCommands, AfterTheSwitchResultExportsOpenInTheSpreadsheetProgram) {
  Zorvan->E1->Click();
  TStringGrid* grid = CoOccurrence->ResponseGrid;
  grid->SetColCount(2);
  grid->SetRowCount(2);
  grid->SetCells(1, 1, "1");
  ChooseFile(Dir / "opened.xls");
  CoOccurrence->PairwiseExcel1->Click();
  ASSERT_EQ(Application->Hooks.ShellRequests.size(), 1u);
  EXPECT_EQ(Application->Hooks.ShellRequests[0].File, (Dir / "opened.xls").string());
}

}  // namespace
