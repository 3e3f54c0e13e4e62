#include "app/ChangeDirectoryDialog.h"

#include <algorithm>
#include <filesystem>

#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

TChangeDirectory* ChangeDirectory = nullptr;

namespace {

// A click on the folder list opens the folder once the click is handled, so that the list is
// not rebuilt under the click that is selecting in it.
constexpr UINT CM_OPENSELECTEDFOLDER = WM_USER + 1;

std::vector<String> SubFolders(const String& Folder) {
  namespace fs = std::filesystem;
  std::vector<String> names;
  std::error_code ec;
  for (fs::directory_iterator it(fs::path(Folder), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError)) continue;
    String name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(),
            [](const String& a, const String& b) { return AnsiCompareStr(a, b) < 0; });
  return names;
}

}  // namespace

TChangeDirectory::TChangeDirectory(TComponent* AOwner) : TForm(AOwner) {
  SetName("ChangeDirectory");
  SetCaption("Zorvan Professional: Change Directory");
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  SetBounds(0, 0, 440, 330);

  DriveComboBox1 = New<TComboBox>(this);
  DriveComboBox1->SetName("DriveComboBox1");
  DriveComboBox1->SetStyle(csDropDownList);
  DriveComboBox1->SetBounds(16, 16, 200, 21);
  DriveComboBox1->SetParent(this);
  DriveComboBox1->Items()->Add("/");
  DriveComboBox1->SetItemIndex(0);
  DriveComboBox1->OnChange = [this](TObject* s) { DriveComboBox1Change(s); };

  DirectoryListBox1 = New<TListBox>(this);
  DirectoryListBox1->SetName("DirectoryListBox1");
  DirectoryListBox1->SetBounds(16, 48, 200, 220);
  DirectoryListBox1->SetParent(this);
  DirectoryListBox1->OnClick = [this](TObject*) { PostMessage(Handle(), CM_OPENSELECTEDFOLDER, 0, 0); };

  FileListBox1 = New<TListBox>(this);
  FileListBox1->SetName("FileListBox1");
  FileListBox1->SetBounds(228, 16, 196, 252);
  FileListBox1->SetParent(this);

  Button1 = New<TButton>(this);
  Button1->SetName("Button1");
  Button1->SetCaption("&OK");
  Button1->Default = true;
  Button1->SetBounds(176, 280, 88, 28);
  Button1->SetParent(this);
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };

  OnShow = [this](TObject* s) { FormShow(s); };
}

void TChangeDirectory::WndProc(TMessage& Message) {
  if (Message.Msg == CM_OPENSELECTEDFOLDER) {
    const int index = DirectoryListBox1->ItemIndex();
    if (index >= 0 && index < static_cast<int>(FolderPaths.size()))
      OpenFolder(FolderPaths[static_cast<size_t>(index)]);
    return;
  }
  TForm::WndProc(Message);
}

void TChangeDirectory::FormShow(TObject*) { OpenFolder(GetCurrentDir()); }

void TChangeDirectory::DriveComboBox1Change(TObject*) {
  // One root: the folder list keeps its folder on it and both lists are read again.
  FillFolderList();
  DirectoryListBox1Change(DirectoryListBox1);
}

void TChangeDirectory::DirectoryListBox1Change(TObject*) {
  TStringList files;
  for (const String& name : ListFiles(Directory, "*.txt")) files.Add(name);
  FileListBox1->SetItems(&files);
}

void TChangeDirectory::Button1Click(TObject*) {
  Zorvan->Memo1->Lines()->Assign(FileListBox1->Items());
  Close();
}

void TChangeDirectory::OpenFolder(const String& Folder) {
  if (!SetCurrentDir(Folder)) {
    ShowMessage("Cannot open the folder " + Folder);
    return;
  }
  Directory = GetCurrentDir();
  FillFolderList();
  DirectoryListBox1Change(DirectoryListBox1);
}

void TChangeDirectory::FillFolderList() {
  namespace fs = std::filesystem;
  FolderPaths.clear();
  std::vector<String> captions;
  // The path from the root down to the open folder.
  fs::path open = fs::path(Directory).lexically_normal();
  fs::path walked;
  int depth = 0;
  for (const fs::path& part : open) {
    if (part.empty()) continue;
    walked /= part;
    FolderPaths.push_back(walked.string());
    captions.push_back(String(static_cast<size_t>(depth) * 2, ' ') + part.string());
    ++depth;
  }
  const int openIndex = static_cast<int>(FolderPaths.size()) - 1;
  for (const String& name : SubFolders(Directory)) {
    FolderPaths.push_back((open / name).string());
    captions.push_back(String(static_cast<size_t>(depth) * 2, ' ') + name);
  }
  TStringList items;
  for (const String& caption : captions) items.Add(caption);
  DirectoryListBox1->SetItems(&items);
  DirectoryListBox1->SetItemIndex(openIndex);
}
