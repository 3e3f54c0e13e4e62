// The files of the niche-overlap analysis: "Sim" files, the save commands of the results
// window, batch mode over a folder, and the sites-weights files of the weights editor.
#include <unistd.h>

#include <filesystem>

#include "analysis/niche_overlap/NicheRunSupport.h"
#include "app/ExcelExport.h"

using namespace niche_test;

namespace {

namespace fs = std::filesystem;

class NicheFiles : public NicheRunTest {
 protected:
  void SetUp() override {
    NicheRunTest::SetUp();
    dir_ = fs::temp_directory_path() / ("zorvan-niche-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    Application->Hooks.FileDialog = [this](TCommonDialog* d) {
      auto* dialog = static_cast<TOpenDialog*>(d);
      asked.emplace_back(dialog->Title, dialog->FileName);
      if (answerNames.empty()) return false;
      dialog->FileName = (dir_ / answerNames.front()).string();
      answerNames.erase(answerNames.begin());
      return true;
    };
  }
  void TearDown() override {
    NicheRunTest::TearDown();
    fs::remove_all(dir_);
  }
  // The file's lines; every line must end in CR LF.
  static Lines FileLines(const String& name) {
    Lines lines = cooc_test::Split(ReadFileBytes(name), '\n');
    EXPECT_EQ(lines.back(), "");
    lines.pop_back();
    for (String& l : lines) {
      EXPECT_TRUE(!l.empty() && l.back() == '\r') << name << ": CR LF after every line";
      if (!l.empty() && l.back() == '\r') l.pop_back();
    }
    return lines;
  }
  fs::path dir_;
  std::vector<std::pair<String, String>> asked;
  std::vector<String> answerNames;
};

const GridRows& Data() {
  static const GridRows g = Titled({{"4", "2", "x"}, {"1", "0", "1"}, {"0.5", "3", "1"}});
  return g;
}

// Every iteration's randomised utilisations, before proportions, go to "Sim" + i + ".txt".
TEST_F(NicheFiles, SimulatedMatricesAreSavedRaw) {
  SetData(Data());
  answer.saveMatrices = true;
  answer.iterations = "3";
  for (int algorithm : {1, 3}) {
    SCOPED_TRACE(algorithm);
    answer.breadth = algorithm == 1 ? 1 : 0;
    Zorvan->NicheOverlap1->Click();
    EXPECT_FALSE(FileExists("Sim4.txt"));
    Options o;
    o.algorithm = algorithm;
    const Series ref = Reference(Data(), o, 7, 3);
    for (int i = 1; i <= 3; ++i) {
      const Lines file = FileLines("Sim" + IntToStr(i) + ".txt");
      ASSERT_EQ(file.size(), 4u);
      EXPECT_EQ(file[0], "species s1 s2 s3");
      for (int r = 1; r <= 3; ++r) {
        String expected = "sp" + IntToStr(r);
        for (double v : ref.simulated[static_cast<size_t>(i - 1)][static_cast<size_t>(r - 1)])
          expected += " " + FloatToStr(v);
        EXPECT_EQ(file[r], expected) << "Sim" << i;
      }
    }
  }
}

TEST_F(NicheFiles, SaveCommandsWriteWhatTheWindowShows) {
  SetData(Data());
  answerNames = {"summary-out.txt", "tri-space.txt", "tri-comma.txt", "col-space.txt", "col-comma.txt", "tri.xls"};
  String exported;
  int fixed = -1;
  onResults = [&] {
    NicheOverlap->Memo1->Lines()->Add("my note");
    NicheOverlap->SuMmary1->Click();
    NicheOverlap->Spacedelimitedtxt1->Click();
    NicheOverlap->Commadelimitedtxt1->Click();
    NicheOverlap->as1->Click();
    NicheOverlap->Commadelimitedtxt2->Click();
    NicheOverlap->Excelxls1->Click();
    exported = ExportExcel->ExcelExportGrid->Cells(3, 2);
    fixed = ExportExcel->ExcelExportGrid->FixedCols() * 10 + ExportExcel->ExcelExportGrid->FixedRows();
    // Cancelled: nothing is written.
    NicheOverlap->Excelxls2->Click();
  };
  Zorvan->NicheOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  ASSERT_EQ(asked.size(), 7u);
  EXPECT_EQ(asked[0], (std::pair<String, String>{"Select a file name.", "summary.txt"}));
  for (size_t k = 1; k <= 4; ++k) EXPECT_EQ(asked[k], (std::pair<String, String>{"Select a file name.", "pairwise.txt"}));
  EXPECT_EQ(asked[5].second, "data");
  const Lines summary = FileLines("summary-out.txt");
  EXPECT_EQ(summary, MemoLines(NicheOverlap->Memo1));
  EXPECT_EQ(summary.back(), "my note");
  const String p12 = NicheOverlap->ResponseGrid->Cells(2, 1), p13 = NicheOverlap->ResponseGrid->Cells(3, 1),
               p23 = NicheOverlap->ResponseGrid->Cells(3, 2);
  EXPECT_EQ(FileLines("tri-space.txt"), (Lines{"species sp1 sp2 sp3", "sp1  " + p12 + " " + p13, "sp2   " + p23}));
  EXPECT_EQ(FileLines("tri-comma.txt"), (Lines{"species,sp1,sp2,sp3", "sp1,," + p12 + "," + p13, "sp2,,," + p23}));
  EXPECT_EQ(FileLines("col-space.txt"), (Lines{"sp1 sp2 " + p12, "sp1 sp3 " + p13, "sp2 sp3 " + p23}));
  EXPECT_EQ(FileLines("col-comma.txt"), (Lines{"sp1,sp2," + p12, "sp1,sp3," + p13, "sp2,sp3," + p23}));
  // The triangle went to the export grid with its titles fixed (the workbook writer itself is
  // tested with the workbook engine).
  EXPECT_EQ(exported, p23);
  EXPECT_EQ(fixed, 11);
  // The pair list goes with no fixed cells.
  EXPECT_EQ(ExportExcel->ExcelExportGrid->RowTexts(2), (Lines{"sp2", "sp3", p23}));
  EXPECT_EQ(ExportExcel->ExcelExportGrid->FixedCols(), 0);
}

void WriteBatchFile(const String& name, const GridRows& rows) {
  String text;
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) text += (c ? " " : "") + row[c];
    text += "\r\n";
  }
  WriteFileAtomically(name, text);
}

// Batch mode over a folder runs niche overlap on every listed file.
TEST_F(NicheFiles, BatchRunsOverEveryFile) {
  WriteBatchFile("a.txt", Data());
  WriteBatchFile("b.txt", Titled({{"1", "1", "0", "2"}, {"0", "1", "1", "1"}}));
  Zorvan->Batch1->Click();
  Zorvan->Memo1->Lines()->SetText("a.txt\r\nb.txt\r\n");
  Zorvan->NicheOverlap1->Click();
  EXPECT_EQ(resultsShown, 0);
  EXPECT_FALSE(Zorvan->InterruptFlag);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  const Lines batch = FileLines("BatchSummary.txt");
  ASSERT_EQ(batch.size(), 3u);
  EXPECT_EQ(batch[0], "FileName Standard-Effect LowerTailP UpperTailP");
  int row = 1;
  for (const char* name : {"a.txt", "b.txt"}) {
    const Lines summary = FileLines(String("Summary") + name);
    const Lines grid = Zorvan->BatchGrid->RowTexts(row++);
    EXPECT_EQ(grid[0], name);
    EXPECT_EQ(summary[0], "Input file = " + (dir_ / name).string());
    EXPECT_EQ(summary[18], "Standardized Effect Size = " + grid[1]);
    EXPECT_EQ(summary[19], "p(observed <= expected) = " + grid[2]);
    EXPECT_EQ(summary[20], "p(observed >= expected) = " + grid[3]);
  }
  EXPECT_TRUE(Progress->Visible());
}

// ---- the weights editor

class NicheWeights : public NicheFiles {
 protected:
  void Show() {
    answer.resources = 1;
    NicheOverlapOpts->ResourceStatesGroup->SetItemIndex(0);
    NicheOverlapOpts->ResourceStatesGroup->SetItemIndex(1);
  }
  TStringGrid* Grid() { return NicheOverlapUserDefined->SitesWeightsGrid; }
  Lines Column(int c) {
    Lines out;
    for (int r = 0; r < Grid()->RowCount(); ++r) out.push_back(Grid()->Cells(c, r));
    return out;
  }
};

TEST_F(NicheWeights, DefaultsAndTheResetRule) {
  SetData(Data());
  answer.editWeights = [this] {
    EXPECT_EQ(NicheOverlapUserDefined->Caption(), "Edit sites weights");
    Grid()->SetCells(1, 2, "3.5");
  };
  Show();
  EXPECT_EQ(Column(0), (Lines{"Sites", "s1", "s2", "s3"}));
  EXPECT_EQ(Column(1), (Lines{"Weights", "1.0", "3.5", "1.0"}));
  EXPECT_EQ(Grid()->FixedRows(), 1);
  EXPECT_EQ(Grid()->FixedCols(), 1);
  // Shown again for the same data file: the edited weight stays, also after the matrix changed.
  answer.editWeights = nullptr;
  SetData(Titled({{"1", "2"}, {"3", "4"}}));
  Show();
  EXPECT_EQ(Column(1), (Lines{"Weights", "1.0", "3.5", "1.0"}));
  // Another data file: the defaults, with its titles.
  Zorvan->FileName = (dir_ / "other.txt").string();
  Show();
  EXPECT_EQ(Column(0), (Lines{"Sites", "s1", "s2"}));
  EXPECT_EQ(Column(1), (Lines{"Weights", "1.0", "1.0"}));
  // Reset Defaults.
  Grid()->SetCells(1, 1, "9");
  NicheOverlapUserDefined->ResetDefaults1->Click();
  EXPECT_EQ(Column(1), (Lines{"Weights", "1.0", "1.0"}));
  EXPECT_EQ(NicheOverlapUserDefined->Caption(), "Edit site weights");
}

TEST_F(NicheWeights, UseNewWeightsNamesTheFirstBadRow) {
  SetData(Data());
  Show();
  struct Case {
    const char* weight;
    Lines messages;
  };
  const Case cases[] = {{"0", {"Weights must be > 0 \r\nerror row: 2"}},
                        {"-1", {"Weights must be > 0 \r\nerror row: 2"}},
                        {"abc", {"Weights must be > 0 \r\nerror row: 2"}},
                        {"0.5", {}}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.weight);
    Application->Hooks.Messages.clear();
    bool closed = false;
    answer.editWeights = [this, &k, &closed] {
      Grid()->SetCells(1, 2, k.weight);
      NicheOverlapUserDefined->Usenewweights1->Click();
      closed = NicheOverlapUserDefined->ModalResult() != mrNone;
    };
    Show();
    // The hook's own click repeats the message of a refused weight.
    Lines expected = k.messages;
    if (!expected.empty()) expected.push_back(expected[0]);
    EXPECT_EQ(Application->Hooks.Messages, expected);
    EXPECT_EQ(closed, k.messages.empty());
  }
}

// A saved file: every cell followed by one blank, CR LF after every line; read back, the grid
// is the same.
TEST_F(NicheWeights, SavedFileReadsBackAsTheSameGrid) {
  SetData(Data());
  answerNames = {"w.txt", "w.txt"};
  answer.editWeights = [this] {
    Grid()->SetCells(1, 3, "0.25");
    NicheOverlapUserDefined->Save1->Click();
    Grid()->SetCells(1, 3, "7");
    NicheOverlapUserDefined->Open1->Click();
  };
  Show();
  EXPECT_EQ(asked[0], (std::pair<String, String>{"Select a file name.", "weights.txt"}));
  EXPECT_EQ(asked[1], (std::pair<String, String>{"Select an ASCII file to open.", ""}));
  EXPECT_EQ(ReadFileBytes("w.txt"), "Sites Weights \r\ns1 1.0 \r\ns2 1.0 \r\ns3 0.25 \r\n");
  EXPECT_EQ(Grid()->ColCount(), 2);
  EXPECT_EQ(Column(0), (Lines{"Sites", "s1", "s2", "s3"}));
  EXPECT_EQ(Column(1), (Lines{"Weights", "1.0", "1.0", "0.25"}));
  EXPECT_EQ(Grid()->FixedCols(), 1);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
}

TEST_F(NicheWeights, FilesOfAnotherShape) {
  SetData(Data());
  struct Case {
    const char* name;
    const char* bytes;
    Lines messages;
    Lines column0, column1;
    int columns;
  };
  const Case cases[] = {
      // No blank before the line ends: one column fewer than cells per line.
      {"no trailing blanks", "Sites Weights\r\ns1 2\r\ns2 3\r\ns3 4\r\n", {"Weights must be > 0 \r\nerror row: 1"}, {"Sites", "s1", "s2", "s3"}, {}, 1},
      {"last line without its end", "Sites Weights \r\ns1 2 \r\ns2 3 \r\ns3 4 ",
       {"Weights row count must = MainGrid col count."}, {"Sites", "s1", "s2", "s3"}, {"Weights", "1.0", "1.0", "1.0"},
       2},
      {"too many lines", "Sites Weights \r\ns1 2 \r\ns2 3 \r\ns3 4 \r\ns4 5 \r\n",
       {"Weights row count must = MainGrid col count."}, {"Sites", "s1", "s2", "s3"}, {"Weights", "1.0", "1.0", "1.0"},
       2},
      {"lines ended by LF", "Sites Weights \ns1 2 \ns2 3 \ns3 4 \n", {}, {"Sites", "s1", "s2", "s3"},
       {"Weights", "2", "3", "4"}, 2},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    WriteFileAtomically("in.txt", k.bytes);
    Application->Hooks.Messages.clear();
    answerNames = {"in.txt"};
    answer.editWeights = [] { NicheOverlapUserDefined->Open1->Click(); };
    Show();
    EXPECT_EQ(Application->Hooks.Messages, k.messages);
    EXPECT_EQ(Grid()->ColCount(), k.columns);
    EXPECT_EQ(Column(0), k.column0);
    if (k.columns > 1) {
      EXPECT_EQ(Column(1), k.column1);
    }
  }
  // A name that does not exist: the grid stays.
  Application->Hooks.Messages.clear();
  answerNames = {"missing.txt"};
  Show();
  EXPECT_EQ(Application->Hooks.Messages, Lines{"Error opening file."});
  // Cancelled: nothing happens.
  answerNames.clear();
  Show();
  EXPECT_EQ(Application->Hooks.Messages.size(), 1u);
}

}  // namespace
