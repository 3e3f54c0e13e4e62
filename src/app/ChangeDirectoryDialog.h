// The folder picker of batch mode: a drive box, the folder list and the "*.txt" files of the
// open folder. Opening a folder makes it the process working directory at once; "&OK" copies
// the file list into the main window's batch list.
//
// The folder list shows the path from the root down to the open folder, then the folders
// inside it, each indented by its depth; a click on one opens it. On this platform there is
// one root, so the drive box holds "/" alone.
#pragma once

#include <vector>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class TChangeDirectory : public TForm {
 public:
  explicit TChangeDirectory(TComponent* AOwner);

  TComboBox* DriveComboBox1;
  TListBox* DirectoryListBox1;
  TListBox* FileListBox1;
  TButton* Button1;  // "&OK"

  // The folder the folder list has open.
  String Directory;
  // The full path of each item of the folder list.
  std::vector<String> FolderPaths;

  void FormShow(TObject* Sender);
  void DriveComboBox1Change(TObject* Sender);
  void DirectoryListBox1Change(TObject* Sender);
  void Button1Click(TObject* Sender);

  // Opens Folder: it becomes the working directory, the folder list shows it and the file
  // list its "*.txt" files. A folder that cannot be opened leaves everything as it was.
  void OpenFolder(const String& Folder);

  void WndProc(TMessage& Message) override;

 private:
  void FillFolderList();
};

extern TChangeDirectory* ChangeDirectory;
