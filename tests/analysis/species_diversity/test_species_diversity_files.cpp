// The species-diversity files: the save commands (summary, both curves as space- or
// comma-delimited text), the "Sim" files of every algorithm, and batch mode over a folder
// with its curve files, batch rows and file checks.
#include <unistd.h>

#include <filesystem>

#include "analysis/species_diversity/DiversityRunSupport.h"
#include "app/ExcelExport.h"
#include "app/ProgressSims.h"

using namespace diversity_test;

namespace {

namespace fs = std::filesystem;

class DiversityFiles : public DiversityRunTest {
 protected:
  void SetUp() override {
    DiversityRunTest::SetUp();
    dir_ = fs::temp_directory_path() / ("zorvan-diversity-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  void TearDown() override {
    DiversityRunTest::TearDown();
    fs::remove_all(dir_);
  }
  // The file's lines; each must end in CR LF.
  static Lines FileLines(const String& name) {
    const String text = ReadFileBytes(name);
    Lines lines;
    size_t from = 0;
    while (from < text.size()) {
      const size_t end = text.find("\r\n", from);
      EXPECT_NE(end, String::npos) << name << ": CR LF after every line";
      if (end == String::npos) break;
      lines.push_back(text.substr(from, end - from));
      from = end + 2;
    }
    return lines;
  }
  static void WriteBatchFile(const String& name, const GridRows& rows) {
    String text;
    for (const auto& row : rows) {
      for (size_t c = 0; c < row.size(); ++c) text += (c ? " " : "") + row[c];
      text += "\r\n";
    }
    WriteFileAtomically(name, text);
  }
  fs::path dir_;
};

const GridRows kColumn{{"species", "plot"}, {"a", "5"}, {"b", "3"}, {"c", "2"}};

TEST_F(DiversityFiles, SaveCommandsWriteTheCurvesAndTheSummary) {
  SetData(Samples({{3, 0, 1}, {0, 2, 2}, {5, 1, 0}, {1, 1, 1}, {0, 0, 4}}));
  answer.unit = 1;
  std::vector<std::pair<String, String>> asked;  // title, proposed name
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    auto* dialog = static_cast<TOpenDialog*>(d);
    asked.emplace_back(dialog->Title, dialog->FileName);
    dialog->FileName = (dir_ / ("out" + std::to_string(asked.size()) + ".txt")).string();
    return true;
  };
  onResults = [] {
    SpeciesDiversity->Memo1->Lines()->Add("my note");
    SpeciesDiversity->SuMmary1->Click();
    SpeciesDiversity->Spacedelimitedtxt1->Click();
    SpeciesDiversity->Commadelimitedtxt1->Click();
    SpeciesDiversity->Spacedelimitedtxt2->Click();
    SpeciesDiversity->Commadelimitedtxt2->Click();
  };
  Launch();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(asked, (std::vector<std::pair<String, String>>{{"Select a file name.", "summary.txt"},
                                                           {"Select a file name.", "diversitycurve.txt"},
                                                           {"Select a file name.", "diversitycurve.txt"},
                                                           {"Select a file name.", "abundancecurve.txt"},
                                                           {"Select a file name.", "abundancecurve.txt"}}));
  EXPECT_EQ(FileLines("out1.txt"), MemoLines(SpeciesDiversity->Memo1));
  EXPECT_EQ(FileLines("out1.txt").back(), "my note");
  // Space form: the rows as shown, no blank at a line's end; comma form: a comma after every
  // cell.
  for (auto [grid, space, comma] : {std::tuple{SpeciesDiversity->DiversityCurveStringGrid, "out2.txt", "out3.txt"},
                                    std::tuple{SpeciesDiversity->DiversityCurveStringGrid2, "out4.txt", "out5.txt"}}) {
    const Lines s = FileLines(space), c = FileLines(comma);
    ASSERT_EQ(s.size(), 4u);
    ASSERT_EQ(c.size(), 4u);
    for (int r = 0; r < 4; ++r) {
      EXPECT_EQ(s[r], RowText(grid, r));
      String commaRow;
      for (int col = 0; col < 6; ++col) commaRow += grid->Cells(col, r) + ",";
      EXPECT_EQ(c[r], commaRow);
    }
  }
  EXPECT_EQ(FileLines("out4.txt")[1], "5(Obs.) 21.00000 21.00000 0.00000 21.00000 21.00000");
}

// "Excel (.xls)" hands the curve to the workbook export with one fixed column and row.
TEST_F(DiversityFiles, ExcelExportTakesTheCurve) {
  SetData(Samples({{3, 0, 1}, {0, 2, 2}, {5, 1, 0}, {1, 1, 1}, {0, 0, 4}}));
  answer.unit = 1;
  int dialogs = 0;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    auto* dialog = static_cast<TOpenDialog*>(d);
    EXPECT_EQ(dialog->Title, "Specify a file name.");
    dialog->FileName = (dir_ / ("book" + std::to_string(++dialogs) + ".xls")).string();
    return true;
  };
  Lines diversity, abundance;
  int fixed = -1;
  onResults = [&] {
    TRivErodovOzar* g = ExportExcel->ExcelExportGrid;
    SpeciesDiversity->Excelxls1->Click();
    fixed = g->FixedCols() * 10 + g->FixedRows();
    for (int r = 0; r < g->RowCount(); ++r) diversity.push_back(RowText(g, r));
    SpeciesDiversity->Excelxls2->Click();
    for (int r = 0; r < g->RowCount(); ++r) abundance.push_back(RowText(g, r));
  };
  Launch();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(fixed, 11);
  EXPECT_EQ(diversity, Curve(SpeciesDiversity->DiversityCurveStringGrid));
  EXPECT_EQ(abundance, Curve(SpeciesDiversity->DiversityCurveStringGrid2));
}

// Rarefaction saves the last subsample of every level under its own name; accumulation by
// individuals saves every iteration's subsample from Sim0.
TEST_F(DiversityFiles, SimulatedSubsamples) {
  SetData(kColumn);
  answer.saveMatrices = true;
  answer.iterations = "3";
  Launch();
  ASSERT_EQ(resultsShown, 1);
  for (int level = 1; level <= 4; ++level) {
    const Lines file = FileLines("Sim3_" + IntToStr(level) + ".txt");
    ASSERT_EQ(file.size(), 4u);
    EXPECT_EQ(file[0], "species plot");
    int total = 0;
    for (int r = 1; r <= 3; ++r) total += LeadingInt(file[r].substr(2));
    const int levels[] = {1, 4, 6, 8};
    EXPECT_EQ(total, levels[level - 1]) << level;
  }
  EXPECT_FALSE(FileExists("Sim3.txt"));

  answer.algorithm = 0;
  Launch();
  const ColumnReference ref = ReferenceColumn({5, 3, 2}, {1, 4, 6, 8}, true, 0, 7, 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(FileLines("Sim" + IntToStr(i) + ".txt").size(), 4u);
  EXPECT_FALSE(FileExists("Sim3.txt"));
  EXPECT_EQ(FileLines("Sim2.txt"), (Lines{"species plot", "a " + IntToStr(ref.lastTally[0]),
                                          "b " + IntToStr(ref.lastTally[1]), "c " + IntToStr(ref.lastTally[2])}));
}

// Batch mode: every file gets its summary and its curve "DiversityCurve " + name, the batch rows
// read n/a, and the launcher keeps the batch grid's earlier rows.
TEST_F(DiversityFiles, BatchOverAFolder) {
  WriteBatchFile("data.txt", kColumn);
  // A narrower file than the column chosen for the first: its first column is analysed.
  WriteBatchFile("b.txt", {{"species", "p1", "p2", "p3"}, {"x", "4", "0", "1"}, {"y", "1", "2", "2"}});
  Zorvan->Batch1->Click();
  // The folder's own result files are not offered as data.
  EXPECT_EQ(Zorvan->Memo1->Lines()->Count(), 2);
  Zorvan->Memo1->Lines()->SetText("b.txt\r\ndata.txt\r\n");
  SetData({{"species", "p1", "p2", "p3"}, {"x", "4", "0", "1"}, {"y", "1", "2", "2"}});
  answer.column = 2;
  Launch();
  EXPECT_EQ(resultsShown, 0);
  EXPECT_FALSE(Zorvan->InterruptFlag);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_EQ(FileLines("BatchSummary.txt"),
            (Lines{"FileName Standard-Effect LowerTailP UpperTailP", "b.txt n/a n/a n/a", "data.txt n/a n/a n/a"}));
  const Lines curve = FileLines("DiversityCurve data.txt");
  ASSERT_EQ(curve.size(), 6u);
  EXPECT_EQ(curve[0], "Abundance AverageDiversity MedianDiversity VarianceDiversity 95%Conf.Low 95%Conf.High");
  EXPECT_EQ(curve[1], "10(Obs.) 3.00000 3.00000 0.00000 3.00000 3.00000");
  EXPECT_EQ(FileLines("DiversityCurve b.txt")[1], "3(Obs.) 2.00000 2.00000 0.00000 2.00000 2.00000");
  EXPECT_EQ(FileLines("Summarydata.txt")[4], "Analyzed column = plot");
  EXPECT_EQ(FileLines("Summaryb.txt")[4], "Analyzed column = p3");
  EXPECT_TRUE(Progress->Visible());

  // Run again: species diversity keeps the rows already in the batch grid.
  Launch();
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 5);
  EXPECT_EQ(FileLines("BatchSummary.txt").size(), 5u);
  // The result files stay out of the folder's list.
  Zorvan->SetUpBatch();
  EXPECT_EQ(Zorvan->Memo1->Lines()->Count(), 2);
}

// A batch file beyond species diversity's size limits stops the batch with its name.
TEST_F(DiversityFiles, BatchFileBeyondTheLimits) {
  GridRows wide{{"species"}, {"a"}, {"b"}};
  for (int c = 1; c <= 101; ++c)
    for (auto& row : wide) row.push_back(row[0] == "species" ? "s" + std::to_string(c) : "1");
  WriteBatchFile("wide.txt", wide);
  WriteBatchFile("data.txt", kColumn);
  Zorvan->Batch1->Click();
  Zorvan->Memo1->Lines()->SetText("wide.txt\r\ndata.txt\r\n");
  Launch();
  EXPECT_EQ(Application->Hooks.Messages,
            (Lines{"Species Diversity Column Count Maximum = 100", "File error: " + (dir_ / "wide.txt").string()}));
  EXPECT_FALSE(FileExists("DiversityCurve data.txt"));
  EXPECT_FALSE(FileExists("DiversityCurve wide.txt"));
}

}  // namespace
