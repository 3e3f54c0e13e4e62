// The text writers: exact bytes of every layout, the "Sim" file names, the regional decimal
// separator, and what each writer does when building or writing its file fails.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "app/ZorvanAdvancedEditor.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"
#include "support/ProgramFixture.h"

namespace {

namespace fs = std::filesystem;

// Every test works in a folder of its own, which the fixture removes; the fixture's base puts
// the working directory back.
class Writers : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("zorvan-writers-" + std::to_string(getpid()) + "-" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  void TearDown() override {
    ProgramTest::TearDown();
    fs::remove_all(dir_);
  }

  // Rows of cells, titles included, into the main grid.
  static void SetMainGrid(const std::vector<std::vector<String>>& rows) {
    TRivErodovOzar* g = Zorvan->MainGrid;
    g->SetRowCount(static_cast<int>(rows.size()));
    g->SetColCount(static_cast<int>(rows[0].size()));
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c) g->SetCells(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
  }
  // The 2 x 2 example matrix's titles.
  static void SetExampleTitles() { SetMainGrid({{"species", "s1", "s2"}, {"a", "", ""}, {"b", "", ""}}); }

  static TStringGrid* PlainGrid(const std::vector<std::vector<String>>& rows) {
    auto* g = New<TStringGrid>(Zorvan);
    g->SetFixedRows(0);
    g->SetFixedCols(0);
    g->SetRowCount(static_cast<int>(rows.size()));
    g->SetColCount(static_cast<int>(rows[0].size()));
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c) g->SetCells(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    return g;
  }

  static const std::vector<String>& Messages() { return Application->Hooks.Messages; }

  fs::path dir_;
};

// Rows of numbers as a Matrix indexed [column][row].
Matrix MatrixOf(const std::vector<std::vector<int32_t>>& rows) {
  Matrix m(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c) m[static_cast<int>(c)][static_cast<int>(r)] = rows[r][c];
  return m;
}

TEST_F(Writers, GridWritersWriteEveryCellAsItIs) {
  struct Case {
    std::vector<std::vector<String>> rows;
    String spaced, comma;
  };
  const Case cases[] = {
      {{{"x"}}, "x\r\n", "x\r\n"},
      // A blank inside a cell becomes an extra field; nothing is quoted or escaped.
      {{{"species", "site 1"}, {"a,b", ""}}, "species site 1\r\na,b \r\n", "species,site 1\r\na,b,\r\n"},
      // A line break would split the row: the cell is quoted and each break is a vertical tab.
      {{{"two\r\nlines", "say \"hi\"\nthen\rend"}, {"\"q\"", "x"}},
       "\"two\vlines\" \"say \"\"hi\"\"\vthen\vend\"\r\n\"q\" x\r\n",
       "\"two\vlines\",\"say \"\"hi\"\"\vthen\vend\"\r\n\"q\",x\r\n"},
  };
  for (const Case& c : cases) {
    TStringGrid* g = PlainGrid(c.rows);
    Zorvan->SaveGridToFile(g, "grid.txt");
    EXPECT_EQ(ReadFileBytes("grid.txt"), c.spaced);
    Zorvan->SaveGridToFileComma(g, "grid.txt");
    EXPECT_EQ(ReadFileBytes("grid.txt"), c.comma);
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Writers, SimFilesAreNamedByIterationAndSubset) {
  TStringGrid* g = PlainGrid({{"species", "s1"}, {"a", "3"}});
  SetMainGrid({{"species", "s1"}, {"a", ""}});
  Zorvan->SaveSimulation(7, 0, g);
  Zorvan->SaveSimulation(7, 2, g);
  Zorvan->SaveSimulation_2(8, 0, MatrixOf({{0, 0}, {0, 1}}));
  Zorvan->SaveSimulation_4(8, 1, MatrixOf({{1}}));
  Zorvan->SaveNumberLineToFile(9, 0, {});
  EXPECT_EQ(ListFiles(".", "*"),
            (std::vector<String>{"Sim7.txt", "Sim7_2.txt", "Sim8.txt", "Sim8_1.txt", "Sim9.txt"}));
  EXPECT_EQ(ReadFileBytes("Sim7_2.txt"), "species s1\r\na 3\r\n");
  EXPECT_EQ(ReadFileBytes("Sim9.txt"), "species size\r\n");
}

TEST_F(Writers, MatrixWritersLayOutValuesUnderTheMainGridTitles) {
  SetExampleTitles();
  const String expected = "species s1 s2\r\na 1 0\r\nb 0 1\r\n";

  Matrix withTotals = MatrixOf({{2, 1, 1}, {1, 1, 0}, {1, 0, 1}});
  Zorvan->SaveSimulation_2(1, 0, withTotals);
  EXPECT_EQ(ReadFileBytes("Sim1.txt"), expected);
  // The hidden editor's memo holds the text it was written from.
  EXPECT_EQ(ZorvanEditor->Memo1->Lines()->Text(), expected);
  EXPECT_FALSE(ZorvanEditor->Visible());
  EXPECT_EQ(ZorvanEditor->Caption(), "Zorvan -- Edit matrix as text");

  Zorvan->SaveSimulation_4(2, 0, MatrixOf({{1, 0}, {0, 1}}));  // zero-based, no totals
  EXPECT_EQ(ReadFileBytes("Sim2.txt"), expected);

  Real_Matrix halves(3, 3);
  halves[1][1] = 0.5;
  halves[2][1] = 1.0 / 3.0;
  halves[1][2] = -2;
  halves[2][2] = 1e20;
  Zorvan->SaveSimulation_3(3, 0, halves);
  EXPECT_EQ(ReadFileBytes("Sim3.txt"), "species s1 s2\r\na 0.5 0.333333333333333\r\nb -2 1E+20\r\n");

  // The main grid's size decides: a larger matrix is cut to it.
  Zorvan->SaveSimulation_2(4, 0, Matrix(9, 9));
  EXPECT_EQ(ReadFileBytes("Sim4.txt"), "species s1 s2\r\na 0 0\r\nb 0 0\r\n");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Writers, MatrixWritersDropTrailingBlanksOfEveryLine) {
  SetMainGrid({{"species", "s1", " "}, {"a ", "", ""}, {"", "", ""}});
  Zorvan->SaveSimulation_2(1, 0, Matrix(3, 3));
  EXPECT_EQ(ReadFileBytes("Sim1.txt"), "species s1\r\na  0 0\r\n 0 0\r\n");
}

TEST_F(Writers, RealsUseTheRegionalDecimalSeparator) {
  SetExampleTitles();
  FormatSettings.DecimalSeparator = ',';
  Real_Matrix m(3, 3);
  m[1][1] = 0.5;
  Zorvan->SaveSimulation_3(1, 0, m);
  Zorvan->SaveTwoColumnsToFile(2, 1, {1.5}, {0.25}, "x", "y");
  ResetFormatSettings();
  EXPECT_EQ(ReadFileBytes("Sim1.txt"), "species s1 s2\r\na 0,5 0\r\nb 0 0\r\n");
  EXPECT_EQ(ReadFileBytes("Sim2.txt"), "species x y\r\nspecies1 1,50000 0,25000\r\n");
}

TEST_F(Writers, MatrixTooSmallForTheGridSavesTheCompleteLinesAndRaises) {
  SetMainGrid({{"species", "s1", "s2"}, {"a", "", ""}, {"b", "", ""}, {"c", "", ""}});
  WriteFileAtomically("Sim5.txt", "old");
  // Totals and two species rows only: row c cannot be laid out.
  EXPECT_THROW(Zorvan->SaveSimulation_2(5, 0, MatrixOf({{0, 0, 0}, {0, 1, 2}, {0, 3, 4}})), ERangeError);
  EXPECT_EQ(ReadFileBytes("Sim5.txt"), "species s1 s2\r\na 1 2\r\nb 3 4\r\n");
  EXPECT_THROW(Zorvan->SaveSimulation_4(6, 0, MatrixOf({{1, 2}})), ERangeError);
  EXPECT_EQ(ReadFileBytes("Sim6.txt"), "species s1 s2\r\na 1 2\r\n");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Writers, SpeciesListsHaveAHeaderAndOneNumberedLinePerSpecies) {
  auto groups = std::make_unique<TStringList>();
  groups->Add("g1");
  groups->Add("g 2");
  struct Case {
    std::function<void()> write;
    String expected;
  };
  const Case cases[] = {
      {[] { Zorvan->SaveTwoColumnsToFile(3, 2, {1.5, 2}, {0.25, 10}, "x", "y"); },
       "species x y\r\nspecies1 1.50000 0.25000\r\nspecies2 2.00000 10.00000\r\n"},
      {[] { Zorvan->SaveNumberLineToFile(3, 2, {123.456789, -0.000004}); },
       "species size\r\nspecies1 123.45680\r\nspecies2 0.00000\r\n"},
      {[] { Zorvan->SaveTwoColumnsToFile_Real_Integer(3, 2, {12345678, 0.1}, {-4, 7}, "len", "n"); },
       "species len n\r\nspecies1 1.234568E7 -4\r\nspecies2 0.10000 7\r\n"},
      {[&] { Zorvan->SaveTwoColumnsToFile_Labels(3, 2, groups.get(), {1, 2.5}, "group", "value"); },
       "species group value\r\nspecies1 g1 1.00000\r\nspecies2 g 2 2.50000\r\n"},
  };
  for (const Case& c : cases) {
    c.write();
    EXPECT_EQ(ReadFileBytes("Sim3.txt"), c.expected);
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Writers, ReportingWritersShowTheirMessageAndKeepTheOldFile) {
  WriteFileAtomically("Sim3.txt", "old");
  auto groups = std::make_unique<TStringList>();
  groups->Add("g1");
  // Counts beyond the arrays handed over: nothing is written.
  const std::function<void()> shortInput[] = {
      [] { Zorvan->SaveNumberLineToFile(3, 2, {1.0}); },
      [] { Zorvan->SaveTwoColumnsToFile(3, 2, {1, 2}, {1}, "x", "y"); },
      [] { Zorvan->SaveTwoColumnsToFile_Real_Integer(3, 1, {1}, {}, "x", "y"); },
      [&] { Zorvan->SaveTwoColumnsToFile_Labels(3, 2, groups.get(), {1, 2}, "x", "y"); },
  };
  for (const auto& write : shortInput) {
    Application->Hooks.Messages.clear();
    write();
    EXPECT_EQ(Messages(), (std::vector<String>{"Error writing file."}));
    EXPECT_EQ(ReadFileBytes("Sim3.txt"), "old");
  }

  // A write that fails part way (file size limit) leaves the old file too.
  Application->Hooks.Messages.clear();
  std::vector<double> many(200, 1.0);
  struct rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64;
  setrlimit(RLIMIT_FSIZE, &small);
  Zorvan->SaveNumberLineToFile(3, 200, many);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(Messages(), (std::vector<String>{"Error writing file."}));
  EXPECT_EQ(ReadFileBytes("Sim3.txt"), "old");
}

TEST_F(Writers, WritingIntoAMissingFolderReportsOrRaisesAsEachWriterDoes) {
  SetExampleTitles();
  TStringGrid* g = PlainGrid({{"x"}});
  WriteFileAtomically("kept.txt", "old");
  Zorvan->SaveGridToFile(g, "missing/kept.txt");
  Zorvan->SaveGridToFileComma(g, "missing/kept.txt");
  EXPECT_EQ(Messages(), (std::vector<String>{"Error writing file.", "Error writing file."}));
  EXPECT_EQ(ReadFileBytes("kept.txt"), "old");

  // The working directory itself disappears (a batch folder removed during a run).
  fs::remove_all(dir_);
  Application->Hooks.Messages.clear();
  Zorvan->SaveSimulation(1, 0, g);
  Zorvan->SaveNumberLineToFile(1, 1, {1});
  Zorvan->SaveTwoColumnsToFile(1, 1, {1}, {1}, "x", "y");
  EXPECT_EQ(Messages(), std::vector<String>(3, "Error writing file."));
  // The matrix writers leave the failure to the run.
  Application->Hooks.Messages.clear();
  EXPECT_THROW(Zorvan->SaveSimulation_2(1, 0, Matrix(3, 3)), EFCreateError);
  EXPECT_THROW(Zorvan->SaveSimulation_3(1, 0, Real_Matrix(3, 3)), EFCreateError);
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
