// The platform's file dialogs under the real window system, answered at the keyboard: a name
// typed and Enter, or Escape. The window that opened one is active again once it has gone, so
// keys reach that window without a click, and its menus answer.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "app/progressexcel.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;
namespace fs = std::filesystem;

class FileDialogWindows : public RealWindowTest {
 protected:
  void SetUp() override {
    RealWindowTest::SetUp();
    Dir = fs::temp_directory_path() / ("zorvan_real_file_dialogs_" + std::to_string(getpid()));
    fs::create_directories(Dir);
    Application->Hooks.Shell = [](const TShellRequest&) { return 42; };
  }
  void TearDown() override {
    fs::remove_all(Dir);
    RealWindowTest::TearDown();
  }
  fs::path Dir;
};

TEST_F(FileDialogWindows, TheMainWindowIsActiveAgainAfterEachAnswer) {
  const String saved = (Dir / "matrix.txt").string();
  const String cell = Zorvan->MainGrid->Cells(1, 1);
  struct Case {
    TMenuItem* Item;
    String Answer;  // "" cancels
    String Title;
  };
  const Case cases[] = {
      {Zorvan->Spacedelimitedtext1, "", "Select an ASCII file to open."},
      {Zorvan->Spacedelimitedtxt1, saved, "Select a file name."},
      {Zorvan->Spacedelimitedtext1, saved, "Select an ASCII file to open."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Item->Caption() + " answered with \"" + c.Answer + "\"");
    String title;
    AnswerFileDialog(c.Answer, [&](const String& t) { title = t; });
    ChooseMenu(c.Item);
    EXPECT_EQ(title, c.Title);
    EXPECT_FALSE(AnyModalWindow());
    EXPECT_EQ(ActiveForm(), Zorvan);
  }
  EXPECT_TRUE(fs::exists(Dir / "matrix.txt"));
  EXPECT_EQ(Zorvan->MainGrid->Cells(1, 1), cell);
  ExpectMainWindowUsable();
}

// After File > Save > Excel the workbook is the matrix's file: File > Save > Space delimited
// asks for a name instead of writing text over it.
TEST_F(FileDialogWindows, ATextSaveAfterAWorkbookSaveAsksForAName) {
  const fs::path workbook = Dir / "matrix.xls";
  AnswerFileDialog(workbook.string());
  ChooseMenu(Zorvan->Excelxls2);
  ASSERT_TRUE(fs::exists(workbook));
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + workbook.string());
  const auto size = fs::file_size(workbook);
  const auto time = fs::last_write_time(workbook);
  std::ifstream in(workbook, std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(in), {});

  String title;
  AnswerFileDialog("", [&](const String& t) { title = t; });
  ChooseMenu(Zorvan->Spacedelimitedtxt1);
  EXPECT_EQ(title, "Select a file name.");
  EXPECT_EQ(ActiveForm(), Zorvan);

  title.clear();
  AnswerFileDialog((Dir / "matrix.txt").string(), [&](const String& t) { title = t; });
  ChooseMenu(Zorvan->Spacedelimitedtxt1);
  EXPECT_EQ(title, "Select a file name.");
  EXPECT_TRUE(fs::exists(Dir / "matrix.txt"));
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + (Dir / "matrix.txt").string());

  std::ifstream again(workbook, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), {}), bytes);
  EXPECT_EQ(fs::file_size(workbook), size);
  EXPECT_EQ(fs::last_write_time(workbook), time);
  ExpectMainWindowUsable();
}

TEST_F(FileDialogWindows, AResultsWindowIsActiveAgainAfterItsExportsAndTheOverwriteQuestion) {
  const String workbook = (Dir / "pairwise.xls").string();
  bool resultsShown = false;
  WhenModal(CoOccurrenceOpts, [] {
    CoOccurrenceOpts->IterationsEdit->SetText("40");
    ChooseMenu(CoOccurrenceOpts->Run1);
  });
  WhenModal(CoOccurrence, [&] {
    resultsShown = true;
    // Text, a new workbook, a cancelled export, then the workbook again over the first.
    AnswerFileDialog((Dir / "summary.txt").string());
    ChooseMenu(CoOccurrence->Summary1);
    EXPECT_EQ(ActiveForm(), CoOccurrence);
    AnswerFileDialog(workbook);
    ChooseMenu(CoOccurrence->PairwiseExcel1);
    EXPECT_TRUE(fs::exists(workbook));
    EXPECT_EQ(ActiveForm(), CoOccurrence);
    AnswerFileDialog("");
    ChooseMenu(CoOccurrence->PairwiseExcel1);
    EXPECT_EQ(ActiveForm(), CoOccurrence);
    String asked;
    AnswerFileDialog(workbook);
    AnswerMessageBox("Yes", [&](const String& text) { asked = text; });
    ChooseMenu(CoOccurrence->PairwiseExcel1);
    EXPECT_EQ(asked, "File " + workbook + " already exists\rOk to overwrite ?");
    EXPECT_FALSE(MessageBoxUp());
    EXPECT_FALSE(IsOnScreen(Excelstatus));
    EXPECT_EQ(ActiveForm(), CoOccurrence);
    ChooseMenu(CoOccurrence->Close1);
  });
  ChooseMenu(Zorvan->CoOccurrence1);
  ASSERT_TRUE(resultsShown);
  EXPECT_TRUE(fs::exists(Dir / "summary.txt"));
  ExpectMainWindowUsable();
}

}  // namespace
