// The program's forms under the real window system: each opened through its menu item or
// button, operated, closed each way, and then the window below used again.
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "analysis/presence_absence/CoOccurrenceUDefined.h"
#include "app/ChangeDirectoryDialog.h"
#include "app/ProgressSims.h"
#include "app/progressexcel.h"
#include "app/ZorvanRestructureMatrix.h"
#include "classlib/SysUtils.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;

class ProgramWindows : public RealWindowTest {
 protected:
  // A click on a cell, a typed value and Enter: the value is the cell's.
  static void TypeIntoCell(TStringGrid* Grid, int Col, int Row, const String& Value) {
    const TRect cell = Grid->CellRect(Col, Row);
    ClickAt(Grid, (cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
    Type(Grid, Value);
    Key(Grid, VK_RETURN);
    EXPECT_EQ(Grid->Cells(Col, Row), Value);
  }
  // The main window's grid takes a typed value.
  void ExpectGridTakesInput(const String& Value) { TypeIntoCell(Zorvan->MainGrid, 1, 1, Value); }

  // Replaces the text of an edit as a person does: click into it, delete what is there, type.
  static void Retype(TCustomEdit* Edit, const String& Text) {
    Click(Edit);
    Key(Edit, VK_END);
    for (size_t i = Edit->Text().size(); i > 0; --i) Key(Edit, VK_BACK);
    Type(Edit, Text);
  }

  // Small, repeatable runs: the options' iteration count and seed.
  static void QuickRunOptions() {
    CoOccurrenceOpts->IterationsEdit->SetText("40");
    CoOccurrenceOpts->RandomSeedEdit->SetText("11");
  }
};

// A new empty folder under /tmp, removed with everything in it when the object goes.
class ScratchFolder {
 public:
  explicit ScratchFolder(const char* Prefix) {
    std::string pattern = std::string("/tmp/") + Prefix + "-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Inside a modal form's loop, after the step meant to close it: fails when the form stays
// open, and ends it anyway so that the test goes on.
void ExpectClosing(TCustomForm* Form) {
  if (Form->ModalResult() != mrNone) return;
  ADD_FAILURE() << Form->Name() << " stays open";
  Form->SetModalResult(mrCancel);
}

// Clicks the round mark of a radio group's item: the button takes clicks on its mark and its
// caption only, not on the blank rest of its row.
void ClickRadio(TRadioGroup* Group, int Index) {
  TControl* button = Group->Buttons(Index);
  ClickAt(button, 6, button->Height() / 2);
}

struct Way {
  const char* name;
  std::function<void()> act;
};

TEST_F(ProgramWindows, AboutBoxClosesEachWayAndLeavesTheMainWindowWorking) {
  const Way ways[] = {
      {"OK button", [] { Click(ZorvanAbout->OKButton); }},
      {"Enter", [] { Key(ZorvanAbout, VK_RETURN); }},
      {"close box", [] { CloseBox(ZorvanAbout); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    bool shown = false;
    WhenModal(ZorvanAbout, [&] {
      shown = true;
      way.act();
    });
    ChooseMenu(Zorvan->About1);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(IsOnScreen(ZorvanAbout));
    ExpectMainWindowUsable();
  }
}

TEST_F(ProgramWindows, AboutFileShowsTheMatrixSizeAndClosesEachWay) {
  const Way ways[] = {
      {"OK button", [] { Click(ZorvanRedoMatrix->OKButton); }},
      {"Enter", [] { Key(ZorvanRedoMatrix, VK_RETURN); }},
      {"Cancel button", [] { Click(ZorvanRedoMatrix->CancelButton); }},
      {"Escape", [] { Key(ZorvanRedoMatrix, VK_ESCAPE); }},
      {"close box", [] { CloseBox(ZorvanRedoMatrix); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    bool shown = false;
    WhenModal(ZorvanRedoMatrix, [&] {
      shown = true;
      EXPECT_EQ(ZorvanRedoMatrix->Caption(), "About " + Zorvan->FileName);
      EXPECT_EQ(ShownText(ZorvanRedoMatrix->Edit1), "5");
      EXPECT_EQ(ShownText(ZorvanRedoMatrix->Edit2), "5");
      // The report is read-only: typing into the row count changes nothing.
      Click(ZorvanRedoMatrix->Edit1);
      Type(ZorvanRedoMatrix->Edit1, "9");
      EXPECT_EQ(ShownText(ZorvanRedoMatrix->Edit1), "5");
      way.act();
      ExpectClosing(ZorvanRedoMatrix);
    });
    ChooseMenu(Zorvan->About2);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(IsOnScreen(ZorvanRedoMatrix));
    EXPECT_EQ(Zorvan->MainGrid->RowCount(), 6);
    EXPECT_EQ(Zorvan->MainGrid->ColCount(), 6);
    ExpectMainWindowUsable();
  }
  ExpectGridTakesInput("3");
}

TEST_F(ProgramWindows, ResizeMatrixAppliesOnlyAConfirmedSize) {
  struct Case {
    const char* name;
    const char* rows;  // typed into the row and column counts
    const char* cols;
    std::function<void()> close;
    int expectRows;  // grid size afterwards, titles included
    int expectCols;
  };
  const Case cases[] = {
      {"OK button", "8", "3", [] { Click(ZorvanRedoMatrix->OKButton); }, 9, 4},
      {"Enter", "4", "7", [] { Key(ZorvanRedoMatrix, VK_RETURN); }, 5, 8},
      {"Cancel button", "12", "12", [] { Click(ZorvanRedoMatrix->CancelButton); }, 5, 8},
      {"Escape", "12", "12", [] { Key(ZorvanRedoMatrix, VK_ESCAPE); }, 5, 8},
      {"close box", "12", "12", [] { CloseBox(ZorvanRedoMatrix); }, 5, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int rowsBefore = Zorvan->MainGrid->RowCount();
    const int colsBefore = Zorvan->MainGrid->ColCount();
    bool shown = false;
    WhenModal(ZorvanRedoMatrix, [&] {
      shown = true;
      EXPECT_EQ(ShownText(ZorvanRedoMatrix->Edit1), IntToStr(rowsBefore - 1));
      EXPECT_EQ(ShownText(ZorvanRedoMatrix->Edit2), IntToStr(colsBefore - 1));
      Retype(ZorvanRedoMatrix->Edit1, c.rows);
      Retype(ZorvanRedoMatrix->Edit2, c.cols);
      EXPECT_EQ(ZorvanRedoMatrix->Edit1->Text(), c.rows);
      EXPECT_EQ(ZorvanRedoMatrix->Edit2->Text(), c.cols);
      c.close();
      ExpectClosing(ZorvanRedoMatrix);
    });
    ChooseMenu(Zorvan->RestructMatrix);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(IsOnScreen(ZorvanRedoMatrix));
    EXPECT_EQ(Zorvan->MainGrid->RowCount(), c.expectRows);
    EXPECT_EQ(Zorvan->MainGrid->ColCount(), c.expectCols);
    ExpectMainWindowUsable();
  }
  ExpectGridTakesInput("8");
}

TEST_F(ProgramWindows, ResizeMatrixTakesTheSizeTypedStraightAway) {
  // The dialog comes up with the row count focused and selected: typing replaces it, Tab moves
  // on to the selected column count, Enter confirms.
  bool shown = false;
  WhenModal(ZorvanRedoMatrix, [&] {
    shown = true;
    EXPECT_TRUE(HasFocus(ZorvanRedoMatrix->Edit1));
    Type(ZorvanRedoMatrix, "4");
    Key(ZorvanRedoMatrix, VK_TAB);
    EXPECT_TRUE(HasFocus(ZorvanRedoMatrix->Edit2));
    Type(ZorvanRedoMatrix, "7");
    EXPECT_EQ(ShownText(ZorvanRedoMatrix->Edit1), "4");
    EXPECT_EQ(ShownText(ZorvanRedoMatrix->Edit2), "7");
    Key(ZorvanRedoMatrix, VK_RETURN);
    ExpectClosing(ZorvanRedoMatrix);
  });
  ChooseMenu(Zorvan->RestructMatrix);
  EXPECT_TRUE(shown);
  EXPECT_EQ(Zorvan->MainGrid->RowCount(), 5);
  EXPECT_EQ(Zorvan->MainGrid->ColCount(), 8);
  ExpectMainWindowUsable();
}

TEST_F(ProgramWindows, ResizeMatrixRefusesAZeroCountAndStaysOpen) {
  bool shown = false;
  String seen;
  WhenModal(ZorvanRedoMatrix, [&] {
    shown = true;
    Retype(ZorvanRedoMatrix->Edit1, "0");
    AnswerMessageBox("OK", [&](const String& text) { seen = text; });
    Click(ZorvanRedoMatrix->OKButton);
    EXPECT_EQ(seen, "Rows must be >= 1");
    // The dialog is still up and still takes input.
    EXPECT_EQ(ZorvanRedoMatrix->ModalResult(), mrNone);
    EXPECT_EQ(ActiveForm(), ZorvanRedoMatrix);
    Retype(ZorvanRedoMatrix->Edit1, "2");
    Click(ZorvanRedoMatrix->OKButton);
    ExpectClosing(ZorvanRedoMatrix);
  });
  ChooseMenu(Zorvan->RestructMatrix);
  EXPECT_TRUE(shown);
  EXPECT_EQ(Zorvan->MainGrid->RowCount(), 3);
  EXPECT_EQ(Zorvan->MainGrid->ColCount(), 6);
  ExpectMainWindowUsable();
}

TEST_F(ProgramWindows, ResizeDialogKeysWorkWhateverHasTheFocus) {
  // Enter presses the focused button, else the default one; Escape the cancel button.
  struct Case {
    const char* name;
    int tabs;  // from the row count
    Word key;
    int expectRows;
  };
  const Case cases[] = {
      {"Escape on the OK button", 2, VK_ESCAPE, 6},
      {"Enter on the OK button", 2, VK_RETURN, 4},
      {"Escape on the Cancel button", 3, VK_ESCAPE, 4},
      {"Enter on the Cancel button", 3, VK_RETURN, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool shown = false;
    WhenModal(ZorvanRedoMatrix, [&] {
      shown = true;
      Retype(ZorvanRedoMatrix->Edit1, "3");
      for (int i = 0; i < c.tabs; ++i) Key(ZorvanRedoMatrix, VK_TAB);
      EXPECT_TRUE(HasFocus(c.tabs == 2 ? ZorvanRedoMatrix->OKButton : ZorvanRedoMatrix->CancelButton));
      Key(ZorvanRedoMatrix, c.key);
      ExpectClosing(ZorvanRedoMatrix);
    });
    ChooseMenu(Zorvan->RestructMatrix);
    EXPECT_TRUE(shown);
    EXPECT_EQ(Zorvan->MainGrid->RowCount(), c.expectRows);
    ExpectMainWindowUsable();
  }
}

// Clicks every shown tab of the results window in turn; each comes to the front with its page.
// Returns the captions read.
std::vector<String> ReadEveryResultsTab() {
  TPageControl* pages = CoOccurrence->PageControl1;
  std::vector<String> read;
  for (int i = 0; i < pages->PageCount(); ++i) {
    TTabSheet* sheet = pages->Pages(i);
    if (!sheet->TabVisible()) continue;
    SCOPED_TRACE(sheet->Caption());
    ClickTab(pages, sheet->Caption());
    EXPECT_EQ(pages->ActivePage(), sheet);
    EXPECT_TRUE(ControlOnScreen(sheet));
    read.push_back(sheet->Caption());
  }
  return read;
}

const std::vector<String> kPairTabs = {"Input Matrix", "Simulation", "Pairwise", "Pairwise Column",
                                       "Index",        "Summary",    "Time"};
const std::vector<String> kSplitTabs = {"Input Matrix", "Simulation", "Pairwise", "Pairwise Column",
                                        "Index",        "Degenerate Index", "Summary", "Time"};

TEST_F(ProgramWindows, CoOccurrenceOptionsCloseEachWayAndARunShowsItsResults) {
  struct Case {
    const char* name;
    std::function<void()> choose;        // options set by clicks before closing; may be null
    std::function<void()> closeOptions;
    std::function<void()> closeResults;  // null: no run
    std::vector<String> tabs;            // the results window's tabs
  };
  const Case cases[] = {
      {"Run, results by close box", nullptr, [] { ChooseMenu(CoOccurrenceOpts->Run1); },
       [] { CloseBox(CoOccurrence); }, kPairTabs},
      {"Split, Run, results by Save > Close",
       [] {
         ClickTab(CoOccurrenceOpts->PageControl1, "Preferences");
         ClickRadio(CoOccurrenceOpts->DegenerateGroup, 2);
         EXPECT_EQ(CoOccurrenceOpts->DegenerateGroup->ItemIndex(), 2);
       },
       [] { ChooseMenu(CoOccurrenceOpts->Run1); }, [] { ChooseMenu(CoOccurrence->Close1); }, kSplitTabs},
      {"Cancel", nullptr, [] { ChooseMenu(CoOccurrenceOpts->Cancel1); }, nullptr, {}},
      {"close box", nullptr, [] { CloseBox(CoOccurrenceOpts); }, nullptr, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CoOccurrence->TimeMemo->Lines()->Clear();
    bool optionsShown = false;
    bool resultsShown = false;
    WhenModal(CoOccurrenceOpts, [&] {
      optionsShown = true;
      EXPECT_EQ(CoOccurrenceOpts->Caption(), "Zorvan Professional: Co-occurrence Options");
      if (c.choose) c.choose();
      ClickTab(CoOccurrenceOpts->PageControl1, "General");
      EXPECT_EQ(CoOccurrenceOpts->PageControl1->ActivePage(), CoOccurrenceOpts->GeneralSheet);
      QuickRunOptions();
      c.closeOptions();
      ExpectClosing(CoOccurrenceOpts);
    });
    if (c.closeResults) {
      WhenModal(CoOccurrence, [&] {
        resultsShown = true;
        EXPECT_EQ(CoOccurrence->Caption(), "Zorvan Professional: Co-occurrence Results");
        EXPECT_EQ(ReadEveryResultsTab(), c.tabs);
        EXPECT_EQ(CoOccurrence->InputGrid->Cells(1, 1), Zorvan->MainGrid->Cells(1, 1));
        EXPECT_NE(CoOccurrence->Memo1->Lines()->Text().find("C-score"), String::npos);
        EXPECT_NE(CoOccurrence->TimeMemo->Lines()->Text().find("Stop time"), String::npos);
        c.closeResults();
        ExpectClosing(CoOccurrence);
      });
    }
    ChooseMenu(Zorvan->CoOccurrence1);
    EXPECT_TRUE(optionsShown);
    EXPECT_EQ(resultsShown, static_cast<bool>(c.closeResults));
    EXPECT_EQ(Zorvan->RunSim, static_cast<bool>(c.closeResults));
    EXPECT_FALSE(IsOnScreen(CoOccurrenceOpts));
    EXPECT_FALSE(IsOnScreen(CoOccurrence));
    EXPECT_FALSE(IsOnScreen(Progress));
    ExpectMainWindowUsable();
  }
  ExpectGridTakesInput("7");
}

TEST_F(ProgramWindows, RangeOverlapRunsThroughTheSameForms) {
  bool optionsShown = false;
  bool resultsShown = false;
  WhenModal(CoOccurrenceOpts, [&] {
    optionsShown = true;
    EXPECT_EQ(CoOccurrenceOpts->Caption(), "Zorvan Professional: Range Overlap Options");
    EXPECT_TRUE(ControlOnScreen(CoOccurrenceOpts->RangeGroup));
    EXPECT_FALSE(ControlOnScreen(CoOccurrenceOpts->IndexGroup));
    QuickRunOptions();
    ChooseMenu(CoOccurrenceOpts->Run1);
    ExpectClosing(CoOccurrenceOpts);
  });
  WhenModal(CoOccurrence, [&] {
    resultsShown = true;
    EXPECT_EQ(CoOccurrence->Caption(), "Zorvan Professional: Range Overlap Results");
    EXPECT_EQ(ReadEveryResultsTab(), kPairTabs);
    CloseBox(CoOccurrence);
    ExpectClosing(CoOccurrence);
  });
  ChooseMenu(Zorvan->RangeOverlap1);
  EXPECT_TRUE(optionsShown);
  EXPECT_TRUE(resultsShown);
  ExpectMainWindowUsable();
  ExpectGridTakesInput("6");
}

TEST_F(ProgramWindows, ResultsWindowSavesAndStaysInCharge) {
  const ScratchFolder scratch("zorvan-results");
  ASSERT_FALSE(scratch.Path().empty());
  const std::filesystem::path& folder = scratch.Path();
  String answer;
  // The file dialogs are the platform's, not forms of ours: answered without a window.
  Application->Hooks.FileDialog = [&](TCommonDialog* dialog) {
    static_cast<TOpenDialog*>(dialog)->FileName = answer;
    return true;
  };
  struct Case {
    const char* file;
    TMenuItem* TCoOccurrence::*item;
  };
  const Case cases[] = {
      {"summary.txt", &TCoOccurrence::Summary1},
      {"pairwise-space.txt", &TCoOccurrence::PairwiseSpace1},
      {"pairwise-comma.txt", &TCoOccurrence::PairwiseComma1},
      {"pairwise.xls", &TCoOccurrence::PairwiseExcel1},
      {"column-space.txt", &TCoOccurrence::ColumnSpace1},
      {"column-comma.txt", &TCoOccurrence::ColumnComma1},
      {"column.xls", &TCoOccurrence::ColumnExcel1},
  };
  bool resultsShown = false;
  WhenModal(CoOccurrenceOpts, [] {
    QuickRunOptions();
    ChooseMenu(CoOccurrenceOpts->Run1);
    ExpectClosing(CoOccurrenceOpts);
  });
  WhenModal(CoOccurrence, [&] {
    resultsShown = true;
    for (const Case& c : cases) {
      SCOPED_TRACE(c.file);
      answer = (folder / c.file).string();
      ChooseMenu(CoOccurrence->*c.item);
      EXPECT_TRUE(std::filesystem::exists(answer));
      // The export's status window has come and gone; the results window is in charge again.
      EXPECT_FALSE(IsOnScreen(Excelstatus));
      EXPECT_EQ(ActiveForm(), CoOccurrence);
      ClickTab(CoOccurrence->PageControl1, "Summary");
      EXPECT_EQ(CoOccurrence->PageControl1->ActivePage(), CoOccurrence->SummarySheet);
      ClickTab(CoOccurrence->PageControl1, "Input Matrix");
    }
    ChooseMenu(CoOccurrence->Close1);
    ExpectClosing(CoOccurrence);
  });
  ChooseMenu(Zorvan->CoOccurrence1);
  EXPECT_TRUE(resultsShown);
  ExpectMainWindowUsable();
  ExpectGridTakesInput("9");
}

TEST_F(ProgramWindows, WeightsEditorInsideTheOptionsUnwindsInOrder) {
  struct Case {
    const char* name;
    std::function<void()> open;
    const char* caption;
    std::function<void()> close;
  };
  const Case cases[] = {
      {"rows User-Defined, close box", [] { ClickRadio(CoOccurrenceOpts->RowGroup, 3); },
       "Edit species weights", [] { CloseBox(CoOccurrenceUserDefined); }},
      {"rows Edit button, Use new weights", [] { Click(CoOccurrenceOpts->DefineButtonRows); },
       "Edit species weights", [] { ChooseMenu(CoOccurrenceUserDefined->Usenewweights1); }},
      {"columns User-Defined, Use new weights", [] { ClickRadio(CoOccurrenceOpts->ColumnGroup, 3); },
       "Edit sites weights", [] { ChooseMenu(CoOccurrenceUserDefined->Usenewweights1); }},
      {"columns Edit button, close box", [] { Click(CoOccurrenceOpts->DefineButtonCols); },
       "Edit sites weights", [] { CloseBox(CoOccurrenceUserDefined); }},
  };
  bool optionsShown = false;
  WhenModal(CoOccurrenceOpts, [&] {
    optionsShown = true;
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      bool editorShown = false;
      WhenModal(CoOccurrenceUserDefined, [&] {
        editorShown = true;
        EXPECT_EQ(CoOccurrenceUserDefined->Caption(), c.caption);
        c.close();
        ExpectClosing(CoOccurrenceUserDefined);
      });
      c.open();
      EXPECT_TRUE(editorShown);
      EXPECT_FALSE(IsOnScreen(CoOccurrenceUserDefined));
      // The options form is modal again and takes input.
      EXPECT_TRUE(AnyModalWindow());
      EXPECT_EQ(ActiveForm(), CoOccurrenceOpts);
      ClickTab(CoOccurrenceOpts->PageControl1, "General");
      EXPECT_EQ(CoOccurrenceOpts->PageControl1->ActivePage(), CoOccurrenceOpts->GeneralSheet);
      ClickTab(CoOccurrenceOpts->PageControl1, "Preferences");
      EXPECT_EQ(CoOccurrenceOpts->PageControl1->ActivePage(), CoOccurrenceOpts->PreferencesSheet);
    }
    EXPECT_EQ(CoOccurrenceOpts->RowGroup->ItemIndex(), 3);
    EXPECT_EQ(CoOccurrenceOpts->ColumnGroup->ItemIndex(), 3);
    ChooseMenu(CoOccurrenceOpts->Cancel1);
    ExpectClosing(CoOccurrenceOpts);
  });
  ChooseMenu(Zorvan->CoOccurrence1);
  EXPECT_TRUE(optionsShown);
  EXPECT_FALSE(IsOnScreen(CoOccurrenceOpts));
  ExpectMainWindowUsable();
  ExpectGridTakesInput("4");
}

TEST_F(ProgramWindows, WeightsEditorKeepsAnInvalidWeightOpen) {
  bool optionsShown = false;
  String seen;
  WhenModal(CoOccurrenceOpts, [&] {
    optionsShown = true;
    WhenModal(CoOccurrenceUserDefined, [&] {
      TStringGrid* weights = CoOccurrenceUserDefined->SpeciesWeightsGrid;
      TypeIntoCell(weights, 1, 2, "0");
      AnswerMessageBox("OK", [&](const String& text) { seen = text; });
      ChooseMenu(CoOccurrenceUserDefined->Usenewweights1);
      EXPECT_EQ(CoOccurrenceUserDefined->ModalResult(), mrNone);
      EXPECT_EQ(ActiveForm(), CoOccurrenceUserDefined);
      TypeIntoCell(weights, 1, 2, "2.5");
      ChooseMenu(CoOccurrenceUserDefined->Usenewweights1);
      ExpectClosing(CoOccurrenceUserDefined);
    });
    ClickRadio(CoOccurrenceOpts->RowGroup, 3);
    EXPECT_FALSE(IsOnScreen(CoOccurrenceUserDefined));
    EXPECT_EQ(ActiveForm(), CoOccurrenceOpts);
    ChooseMenu(CoOccurrenceOpts->Cancel1);
    ExpectClosing(CoOccurrenceOpts);
  });
  ChooseMenu(Zorvan->CoOccurrence1);
  EXPECT_TRUE(optionsShown);
  EXPECT_EQ(seen, "Weights must be > 0 \nerror row: 2");
  ExpectMainWindowUsable();
}

// A scratch folder with a sub-folder of two small matrix files; the working directory is
// put back by the fixture before the folder goes.
class BatchWindows : public ProgramWindows {
 protected:
  void SetUp() override {
    ProgramWindows::SetUp();
    ASSERT_FALSE(scratch_.Path().empty());
    folder_ = scratch_.Path();
    matrices_ = folder_ / "matrices";
    std::filesystem::create_directory(matrices_);
    const char* matrix = "species s1 s2 s3\r\na 1 0 1\r\nb 0 1 1\r\nc 1 1 0\r\n";
    for (const char* name : {"a.txt", "b.txt"}) std::ofstream(matrices_ / name, std::ios::binary) << matrix;
    std::filesystem::current_path(folder_);
  }
  std::vector<String> BatchList() const {
    std::vector<String> names;
    for (int i = 0; i < Zorvan->Memo1->Lines()->Count(); ++i)
      if (!Zorvan->Memo1->Lines()->Strings(i).empty()) names.push_back(Zorvan->Memo1->Lines()->Strings(i));
    std::sort(names.begin(), names.end());
    return names;
  }
  ScratchFolder scratch_{"zorvan-batch"};
  std::filesystem::path folder_;
  std::filesystem::path matrices_;
};

TEST_F(BatchWindows, ChangeDirectoryPicksAFolderByClicksAndClosesEachWay) {
  ChooseMenu(Zorvan->Batch1);
  ASSERT_TRUE(Zorvan->BatchSwitch);
  EXPECT_TRUE(BatchList().empty());
  struct Case {
    const char* name;
    void (*open)(TControl* List, int Index);
    void (*close)();
  };
  const Case cases[] = {
      {"click, OK button", ClickItem, [] { Click(ChangeDirectory->Button1); }},
      // The folder list has the focus: Enter presses the default button.
      {"click, Enter", ClickItem, [] { Key(ChangeDirectory, VK_RETURN); }},
      {"double-click, close box", DoubleClickItem, [] { CloseBox(ChangeDirectory); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::current_path(folder_);
    bool shown = false;
    WhenModal(ChangeDirectory, [&] {
      shown = true;
      const auto& paths = ChangeDirectory->FolderPaths;
      const auto it = std::find(paths.begin(), paths.end(), matrices_.string());
      if (it == paths.end()) {
        ADD_FAILURE() << "the folder list does not offer " << matrices_;
        ChangeDirectory->SetModalResult(mrCancel);
        return;
      }
      c.open(ChangeDirectory->DirectoryListBox1, static_cast<int>(it - paths.begin()));
      EXPECT_TRUE(WaitFor([] { return ChangeDirectory->FileListBox1->Items()->Count() == 2; }));
      EXPECT_EQ(ChangeDirectory->Directory, matrices_.string());
      c.close();
      ExpectClosing(ChangeDirectory);
    });
    ChooseMenu(Zorvan->ChangeDirectory1);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(IsOnScreen(ChangeDirectory));
    EXPECT_EQ(GetCurrentDir(), matrices_.string());
    EXPECT_EQ(BatchList(), (std::vector<String>{"a.txt", "b.txt"}));
    EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional Batch processing..." + matrices_.string());
    ExpectMainWindowUsable();
  }
  ChooseMenu(Zorvan->Batch1);
  EXPECT_FALSE(Zorvan->BatchSwitch);
  ExpectMainWindowUsable();
  ExpectGridTakesInput("5");
}

TEST_F(BatchWindows, CoOccurrenceRunsOverTheChosenFolder) {
  ChooseMenu(Zorvan->Batch1);
  std::filesystem::current_path(matrices_);
  WhenModal(ChangeDirectory, [] {
    Click(ChangeDirectory->Button1);
    ExpectClosing(ChangeDirectory);
  });
  ChooseMenu(Zorvan->ChangeDirectory1);
  ASSERT_EQ(BatchList(), (std::vector<String>{"a.txt", "b.txt"}));

  bool optionsShown = false;
  WhenModal(CoOccurrenceOpts, [&] {
    optionsShown = true;
    QuickRunOptions();
    ChooseMenu(CoOccurrenceOpts->Run1);
    ExpectClosing(CoOccurrenceOpts);
  });
  ChooseMenu(Zorvan->CoOccurrence1);
  EXPECT_TRUE(optionsShown);
  EXPECT_FALSE(IsOnScreen(CoOccurrence));
  EXPECT_TRUE(std::filesystem::exists(matrices_ / "BatchSummary.txt"));
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 3);
  // After the last file the progress window stays up until the user closes it.
  ASSERT_TRUE(IsOnScreen(Progress));
  CloseBox(Progress);
  EXPECT_FALSE(IsOnScreen(Progress));
  ExpectMainWindowUsable();

  ChooseMenu(Zorvan->Batch1);
  EXPECT_FALSE(Zorvan->BatchSwitch);
  ExpectMainWindowUsable();
  ExpectGridTakesInput("2");
}

TEST_F(ProgramWindows, ARunThatFailsItsCheckLeavesTheMainWindowWorking) {
  // One data row: too few species for co-occurrence.
  Zorvan->MainGrid->SetRowCount(2);
  String seen;
  WhenModal(CoOccurrenceOpts, [&] {
    QuickRunOptions();
    AnswerMessageBox("OK", [&](const String& text) { seen = text; });
    ChooseMenu(CoOccurrenceOpts->Run1);
    ExpectClosing(CoOccurrenceOpts);
  });
  ChooseMenu(Zorvan->CoOccurrence1);
  EXPECT_EQ(seen, "At least 2 rows of data required for co-occurrence.");
  EXPECT_FALSE(IsOnScreen(CoOccurrence));
  EXPECT_FALSE(IsOnScreen(Progress));
  EXPECT_FALSE(AnyModalWindow());
  // The box came up while the options form's hand-back of the activation to the main window
  // was still queued: the main window is active all the same afterwards.
  ExpectMainWindowUsable();
  ExpectGridTakesInput("8");
}

TEST_F(ProgramWindows, WorkbookCommandsReportFailuresAndLeaveTheMainWindowWorking) {
  const ScratchFolder scratch("zorvan-workbooks");
  ASSERT_FALSE(scratch.Path().empty());
  const std::filesystem::path notAWorkbook = scratch.Path() / "matrix.xls";
  std::ofstream(notAWorkbook) << "0 1\n1 0\n";
  String answer;
  Application->Hooks.FileDialog = [&](TCommonDialog* dialog) {
    static_cast<TOpenDialog*>(dialog)->FileName = answer;
    return true;
  };
  const String caption = Zorvan->Caption();
  struct Case {
    TMenuItem* item;
    std::filesystem::path file;
    const char* message;
    bool statusAtMessage;  // both report before their status window closes
  };
  const Case cases[] = {
      {Zorvan->Excelxls1, notAWorkbook, "Error opening file.", true},
      {Zorvan->Excelxls2, scratch.Path() / "no such folder" / "saved.xls", "Error saving file.", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    answer = c.file.string();
    String seen;
    bool statusShowing = !c.statusAtMessage;
    AnswerMessageBox("OK", [&](const String& text) {
      seen = text;
      statusShowing = IsOnScreen(Excelstatus);
    });
    ChooseMenu(c.item);
    EXPECT_EQ(seen, c.message);
    EXPECT_EQ(statusShowing, c.statusAtMessage);
    EXPECT_FALSE(IsOnScreen(Excelstatus));
    EXPECT_FALSE(AnyModalWindow());
    ExpectMainWindowUsable();
    // A failed open leaves the caption; a save takes the name, as the text saves do, and the
    // caption shows it.
    EXPECT_EQ(Zorvan->Caption(), c.item == Zorvan->Excelxls2 ? "Zorvan Professional " + answer : caption);
  }
  ExpectGridTakesInput("5");
}

TEST_F(ProgramWindows, MainWindowCloseBoxAsksFirst) {
  String seen;
  AnswerMessageBox("Cancel", [&](const String& text) { seen = text; });
  CloseBox(Zorvan);
  EXPECT_EQ(seen, "Close Zorvan Professional?");
  EXPECT_TRUE(IsOnScreen(Zorvan));
  EXPECT_FALSE(Application->Terminated());
  ExpectMainWindowUsable();
  ExpectGridTakesInput("7");

  AnswerMessageBox("OK");
  CloseBox(Zorvan);
  EXPECT_FALSE(IsOnScreen(Zorvan));
  EXPECT_TRUE(Application->Terminated());
}

}  // namespace
