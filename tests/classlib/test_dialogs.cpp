// File and folder dialogs, message boxes and input boxes answered by the test hooks.
#include <gtest/gtest.h>

#include "classlib/Dialogs.h"
#include "classlib/StdCtrls.h"

namespace {

TEST(FileDialogs, TheHookAnswersAndDefaultExtIsAddedToABareName) {
  TSaveDialog dialog(nullptr);
  dialog.Title = "Select a file name.";
  dialog.Filter = "Text files(*.txt)|*.txt|All files(*.*)|*.*";
  dialog.FileName = "summary.txt";
  dialog.DefaultExt = "txt";
  String seenTitle, seenName;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    auto* save = dynamic_cast<TSaveDialog*>(d);
    seenTitle = save->Title;
    seenName = save->FileName;
    save->FileName = "/tmp/results";
    return true;
  };
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(seenTitle, "Select a file name.");
  EXPECT_EQ(seenName, "summary.txt");
  EXPECT_EQ(dialog.FileName, "/tmp/results.txt");
  EXPECT_EQ(dialog.Files()->Count(), 1);
  auto pairs = dialog.FilterPairs();
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[1], (std::pair<String, String>{"All files(*.*)", "*.*"}));

  Application->Hooks.FileDialog = [](TCommonDialog*) { return false; };
  TOpenDialog open(nullptr);
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(open.FileName, "");
}

TEST(FileDialogs, WithoutHookOrWindowsEveryDialogCancels) {
  TOpenDialog open(nullptr);
  EXPECT_FALSE(open.Execute());
  String dir = "/data";
  EXPECT_FALSE(SelectDirectory("Choose a folder", "", dir));
  EXPECT_EQ(dir, "/data");
  String value = "5";
  EXPECT_FALSE(InputQuery("Levels", "Number of levels", value));
  EXPECT_EQ(InputBox("Levels", "Number of levels", "7"), "7");
}

TEST(FileDialogs, SelectDirectoryGoesThroughTheHook) {
  Application->Hooks.FileDialog = [](TCommonDialog* d) {
    auto* folder = dynamic_cast<TFolderDialog*>(d);
    EXPECT_EQ(folder->Title, "Change directory");
    EXPECT_EQ(folder->Directory, "/start");
    folder->Directory = "/work/batch";
    return true;
  };
  String dir = "/start";
  EXPECT_TRUE(SelectDirectory("Change directory", "", dir));
  EXPECT_EQ(dir, "/work/batch");
}

TEST(MessageBoxes, TextsAreRecordedInOrderAndAnswersBecomeModalResults) {
  std::vector<std::pair<String, UINT>> asked;
  Application->Hooks.MessageBox = [&](const String& text, const String& caption, UINT flags) {
    asked.emplace_back(caption, flags);
    return text == "Overwrite?" ? IDNO : IDOK;
  };
  ShowMessage("Weights must be > 0 \r\nerror row: 3");
  ShowMessage("Initialization failed.");
  EXPECT_EQ(MessageDlg("Overwrite?", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
  EXPECT_EQ(MessageDlg("Close?", mtWarning, mbOKCancel, 0), mrOk);
  EXPECT_EQ(Application->Hooks.Messages,
            (std::vector<String>{"Weights must be > 0 \r\nerror row: 3", "Initialization failed.", "Overwrite?", "Close?"}));
  EXPECT_EQ(asked[2], (std::pair<String, UINT>{"Confirmation", MB_YESNO | MB_ICONQUESTION}));
  EXPECT_EQ(asked[3], (std::pair<String, UINT>{"Warning", MB_OKCANCEL | MB_ICONWARNING}));
}

TEST(MessageBoxes, InputQueryIsAModalFormTheHookFillsIn) {
  Application->Hooks.ModalForm = [](TCustomForm* f) {
    dynamic_cast<TEdit*>(f->FindComponent("Edit"))->SetText("12");
    dynamic_cast<TButton*>(f->FindComponent("OK"))->Click();
  };
  String value = "5";
  EXPECT_TRUE(InputQuery("Levels", "Number of levels", value));
  EXPECT_EQ(value, "12");
  Application->Hooks.ModalForm = [](TCustomForm* f) { dynamic_cast<TButton*>(f->FindComponent("Cancel"))->Click(); };
  EXPECT_EQ(InputBox("Levels", "Number of levels", "7"), "7");
}

}  // namespace
