// The main window at start, its menu, the close query, help and the about box.
#include <filesystem>

#include "support/ProgramFixture.h"
#include "app/ProgressSims.h"
#include "classlib/Picture.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

namespace {

using MainWindow = ProgramTest;

TEST_F(MainWindow, StartsWithARandomFiveByFiveMatrixAndFixedTitles) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  ASSERT_EQ(g->RowCount(), 6);
  ASSERT_EQ(g->ColCount(), 6);
  EXPECT_EQ(g->Cells(0, 0), "species");
  // The data cells are drawn row by row from the seed the program started with.
  RandSeed = 1;
  for (int r = 1; r <= 5; ++r) {
    EXPECT_EQ(g->Cells(0, r), "species" + IntToStr(r));
    EXPECT_EQ(g->Cells(r, 0), "site" + IntToStr(r));
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(g->Cells(c, r), IntToStr(Random(2))) << c << "," << r;
  }
  EXPECT_EQ(g->FixedRows(), 1);
  EXPECT_EQ(g->FixedCols(), 1);
  EXPECT_TRUE(Zorvan->LockRowTitles->Checked());
  EXPECT_TRUE(Zorvan->LockColumnTitles->Checked());
  String untitled = (std::filesystem::current_path() / "Untitled.txt").string();
  EXPECT_EQ(Zorvan->FileName, untitled);
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + untitled);
  EXPECT_EQ(Zorvan->Iterations, 1000);
  EXPECT_FALSE(Zorvan->BatchSwitch);
  EXPECT_EQ(Zorvan->HomeDir, std::filesystem::current_path().string());
  EXPECT_EQ(Zorvan->BatchGrid->Cells(3, 0), "UpperTailP");
  EXPECT_EQ(Application->MainForm(), Zorvan);
}

TEST_F(MainWindow, MenuHasTheCaptionsShortcutsAndSeparatorsOfTheProgram) {
  TMenuItem* file = Zorvan->File1;
  std::vector<String> captions;
  for (int i = 0; i < file->Count(); ++i) captions.push_back(file->Items(i)->Caption());
  EXPECT_EQ(captions, (std::vector<String>{"&New", "&Open", "&Save", "&Close", "-",
                                           "Excel open on sa&ve (.xls) ... on/off", "Abou&t file", "-",
                                           "&Batch ... on/off", "Change &Directory", "-", "E&xit ZVP"}));
  EXPECT_FALSE(Zorvan->ChangeDirectory1->Visible());
  EXPECT_EQ(ShortCutToText(Zorvan->Open1->ShortCut()), "Ctrl+O");
  EXPECT_EQ(ShortCutToText(Zorvan->Randomizematrix1->ShortCut()), "Ctrl+D");
  EXPECT_EQ(ShortCutToText(Zorvan->Helptopics1->ShortCut()), "F1");
  EXPECT_EQ(Zorvan->StandardTests1->Count(), 4);
  EXPECT_EQ(Zorvan->RunsTest1->Caption(), "Runs &Test");

  // Every item with its shortcut, by menu; the Save menu's first item really reads "(txt)".
  auto items = [](TMenuItem* menu) {
    std::vector<String> texts;
    for (int i = 0; i < menu->Count(); ++i) {
      TMenuItem* item = menu->Items(i);
      String text = item->Caption();
      if (item->ShortCut() != scNone) {
        text += ' ';
        text += ShortCutToText(item->ShortCut());
      }
      texts.push_back(text);
    }
    return texts;
  };
  EXPECT_EQ(items(Zorvan->Open1), (std::vector<String>{"Space delimited (.txt)", "Comma delimited (.txt)", "Excel (.xls)"}));
  EXPECT_EQ(items(Zorvan->Save1), (std::vector<String>{"Space delimited (txt)", "Comma delimited (.txt)", "Excel (.xls)"}));
  EXPECT_EQ(items(Zorvan->Edit1),
            (std::vector<String>{"lock &Row titles Ctrl+R", "lock &Column titles Ctrl+C", "-", "Resize &matrix Ctrl+M",
                                 "&Transpose matrix Ctrl+T", "Ran&domize matrix Ctrl+D"}));
  EXPECT_EQ(items(Zorvan->Randomizematrix1), (std::vector<String>{"1, 0", "0 <= X < 1", "0 <= X < 10"}));
  std::vector<String> shortcuts;
  for (TMenuItem* item : {Zorvan->New1, Zorvan->Save1, Zorvan->E1, Zorvan->Batch1,
                          Zorvan->ChangeDirectory1, Zorvan->Exit1})
    shortcuts.push_back(ShortCutToText(item->ShortCut()));
  EXPECT_EQ(shortcuts, (std::vector<String>{"Ctrl+N", "Ctrl+S", "Ctrl+V", "Ctrl+B", "Ctrl+D", "Ctrl+X"}));
  EXPECT_EQ(Zorvan->LockRowTitles->Hint, "Fixed titles do not scroll when the grid scrolls.");
}

TEST_F(MainWindow, ParentItemsAndTheirShortcutsDoNothing) {
  int dialogs = 0;
  Application->Hooks.FileDialog = [&](TCommonDialog*) {
    ++dialogs;
    return false;
  };
  TRivErodovOzar* g = Zorvan->MainGrid;
  std::vector<String> before;
  for (int r = 0; r < g->RowCount(); ++r)
    for (int c = 0; c < g->ColCount(); ++c) before.push_back(g->Cells(c, r));
  const String caption = Zorvan->Caption();
  for (TMenuItem* parent : {Zorvan->Open1, Zorvan->Save1, Zorvan->Randomizematrix1})
    SendMessage(Zorvan->Handle(), WM_COMMAND, parent->Command(), 0);
  // Ctrl+D belongs to the hidden "Change Directory" outside batch mode.
  for (Word key : {Word('O'), Word('S'), Word('D')}) Zorvan->MainMenu1->IsShortCut(key, {ssCtrl});
  std::vector<String> after;
  for (int r = 0; r < g->RowCount(); ++r)
    for (int c = 0; c < g->ColCount(); ++c) after.push_back(g->Cells(c, r));
  EXPECT_EQ(after, before);
  EXPECT_EQ(Zorvan->Caption(), caption);
  EXPECT_EQ(dialogs, 0);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
}

TEST_F(MainWindow, NewMatrixCommandRunsFromItsShortcut) {
  Zorvan->Show();
  Zorvan->MainGrid->SetCells(1, 1, "edited");
  SetKeyDown(VK_CONTROL, true);
  KeyInput(Zorvan->MainGrid, WM_KEYDOWN, 'N');
  SetKeyDown(VK_CONTROL, false);
  String v = Zorvan->MainGrid->Cells(1, 1);
  EXPECT_TRUE(v == "0" || v == "1");
}

TEST_F(MainWindow, CancellingTheCloseQueryKeepsEverything) {
  Zorvan->Show();
  String before = Zorvan->MainGrid->Cells(2, 3);
  Application->Hooks.MessageBox = [](const String&, const String&, UINT flags) {
    EXPECT_EQ(flags & 0xF, MB_OKCANCEL);
    return IDCANCEL;
  };
  Zorvan->Exit1->Click();
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Close Zorvan Professional?"}));
  EXPECT_TRUE(Zorvan->Visible());
  EXPECT_FALSE(Application->Terminated());
  EXPECT_EQ(Zorvan->MainGrid->Cells(2, 3), before);

  Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  SendMessage(Zorvan->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(MainWindow, HelpWithoutTheHelpFileReportsItAndRestoresTheWorkingFolder) {
  std::filesystem::path batch = std::filesystem::temp_directory_path() / "zorvan-help-test";
  std::filesystem::create_directories(batch);
  std::filesystem::current_path(batch);
  String seenDir;
  Application->Hooks.Shell = [&](const TShellRequest& r) {
    seenDir = GetCurrentDir();
    EXPECT_EQ(r.Verb, "Open");
    EXPECT_EQ(r.File, "zvphelp.chm");
    return 2;  // file not found
  };
  Zorvan->Helptopics1->Click();
  EXPECT_EQ(seenDir, Zorvan->HomeDir);
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Could not execute zvphelp.chm"}));
  EXPECT_EQ(std::filesystem::current_path(), batch);
}

TEST_F(MainWindow, AboutBoxShowsTheVersionAndClosesWithOK) {
  bool shown = false;
  Application->Hooks.ModalForm = [&](TCustomForm* form) {
    shown = true;
    EXPECT_EQ(form, ZorvanAbout);
    EXPECT_EQ(form->Caption(), "Version 1.1v");
    EXPECT_EQ(ZorvanAbout->ProgramName->Caption(), "Zorvan Professional");
    EXPECT_FALSE(ZorvanAbout->Image1->Picture()->Graphic() == nullptr);
    ZorvanAbout->OKButton->Click();
  };
  Zorvan->About1->Click();
  EXPECT_TRUE(shown);
  EXPECT_EQ(ZorvanAbout->ModalResult(), mrOk);
}

}  // namespace

TEST_F(MainWindow, ShowingTheMainWindowClosesALeftoverProgressWindowAndGoesToTheErrorRow) {
  Zorvan->RowError = 3;
  Progress->Show();
  Zorvan->Show();
  EXPECT_FALSE(Progress->Visible());
  EXPECT_EQ(Zorvan->MainGrid->Row(), 3);
}
